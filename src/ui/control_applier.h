#pragma once

#include "core/control_view.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <span>
#include <string>

namespace quorvel {

// Shows what the core decided on the named controls under one root widget: texts, colours and
// visibility of labels, gauge values, live marks, and the views of controls (visibility, enabled
// state, caption, spin box range). It touches a widget only where a value differs from what it
// last set, so a tick that changes nothing repaints nothing. Names that no widget carries are
// skipped: a page that does not exist yet simply shows nothing.
class ControlApplier {
public:
    explicit ControlApplier(QWidget& root);

    void apply(const LabelState& state);
    void apply(const GaugeState& state);
    void apply(const ControlMark& mark);
    void apply(const ControlView& view);

    template <typename T> void applyAll(std::span<const T> states)
    {
        for (const T& state : states)
            apply(state);
    }

    // Widgets were added or rebuilt under the root: look names up afresh.
    void forgetWidgets();

    // Counts the widget property changes made so far (what a repaint would cost).
    [[nodiscard]] long changes() const { return m_changes; }

private:
    // What was last set on one control; empty where nothing was set yet.
    struct Shown {
        QPointer<QWidget> widget;
        bool looked = false;
        std::optional<std::string> text;
        std::optional<ColourRole> colour;
        std::optional<bool> visible;
        std::optional<bool> enabled;
        std::optional<bool> bold;
        std::optional<int> value;
        std::optional<int> minimum;
        std::optional<int> maximum;
        std::optional<int> step;
    };

    [[nodiscard]] Shown& entry(const ControlKey& key);
    [[nodiscard]] Shown& entry(const QString& name);
    void setText(Shown& shown, const std::string& text);
    void setVisible(Shown& shown, bool visible);
    template <typename V, typename Apply> void change(std::optional<V>& last, const V& wanted, Apply apply)
    {
        if (last == wanted)
            return;
        last = wanted;
        ++m_changes;
        apply();
    }

    QWidget& m_root;
    QHash<QString, Shown> m_shown;
    long m_changes = 0;
};

} // namespace quorvel
