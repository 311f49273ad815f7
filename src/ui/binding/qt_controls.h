#pragma once

#include "model/controls.h"

#include <QHash>
#include <QPointer>
#include <QString>

#include <string>

class QAction;
class QButtonGroup;
class QObject;
class QSpinBox;
class QWidget;

namespace quorvel {

class ControlApplier;
class ControlRegistry;

// The controls of the main window as the page binding sees them: the widgets and menu items the
// window's registry resolves by name. A spin control is one QSpinBox named after its edit field, a radio
// group a QGroupBox holding a QButtonGroup whose ids are the item indices, the bike list a
// QComboBox, the memo a QPlainTextEdit and the page control a QTabWidget; enabled states and
// captions also reach the menu's actions. A name no control carries is reported by the
// registry and changes nothing. Colours go
// through the window's one ControlApplier, so the live marks and the warnings share what is
// known to be painted.
class QtControls final : public Controls {
public:
    QtControls(const ControlRegistry& registry, ControlApplier& applier);

    [[nodiscard]] int value(ControlKey key) const override;
    void setValue(ControlKey key, int value) override;
    [[nodiscard]] ControlRange range(ControlKey key) const override;
    void setRange(ControlKey key, ControlRange range) override;
    void stepBy(ControlKey key, int steps) override;
    void interpretText(ControlKey key) override;

    [[nodiscard]] std::string text(ControlKey key) const override;
    void setText(ControlKey key, std::string_view text) override;

    [[nodiscard]] bool checked(ControlKey key) const override;
    void setChecked(ControlKey key, bool checked) override;

    [[nodiscard]] int itemIndex(ControlKey key) const override;
    void setItemIndex(ControlKey key, int index) override;

    void apply(const ControlView& view) override;
    [[nodiscard]] bool isShown(ControlKey key) const override;
    [[nodiscard]] bool isEnabled(ControlKey key) const override;
    [[nodiscard]] std::string caption(ControlKey key) const override;

    void setColour(ControlKey key, ColourRole colour) override;
    [[nodiscard]] ColourRole colour(ControlKey key) const override;

    // The shown text of a spin control's value: a thousands separator from 1000 on.
    [[nodiscard]] static QString spinText(const QSpinBox& spin, int value);

private:
    [[nodiscard]] QObject* find(ControlKey key) const;
    template <typename T> [[nodiscard]] T* widget(ControlKey key) const;
    [[nodiscard]] QButtonGroup* radioGroup(ControlKey key) const;
    static void showPosition(QSpinBox& spin);

    const ControlRegistry& m_registry;
    ControlApplier& m_applier;
    QHash<QString, ColourRole> m_colours;
};

} // namespace quorvel
