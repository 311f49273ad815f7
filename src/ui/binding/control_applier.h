#pragma once

#include "core/control_view.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;

#include <optional>
#include <span>
#include <string>

namespace quorvel {

class ControlRegistry;

// Shows what the core decided on the named controls of the window: texts, colours and
// visibility of labels, gauge values, live marks, and the views of controls and menu items
// (visibility, enabled state, caption, spin box range). It touches a control only where a value
// differs from what it last set, so a tick that changes nothing repaints nothing. Names are
// resolved through the window's registry, which reports a name no control carries; the items of
// the map grid are the grid's to show. What is applied to a control whose page is not made yet
// waits, and is shown on the control once its page is made.
class ControlApplier {
public:
    explicit ControlApplier(const ControlRegistry& registry);

    void apply(const LabelState& state);
    void apply(const GaugeState& state);
    void apply(const ControlMark& mark);
    void apply(const ControlView& view);

    template <typename T> void applyAll(std::span<const T> states)
    {
        for (const T& state : states)
            apply(state);
    }

    // Controls were added or rebuilt: look names up afresh.
    void forgetWidgets();
    // Pages were made: what waited for their controls is shown on them now.
    void showWaiting();

    // Counts the widget property changes made so far (what a repaint would cost).
    [[nodiscard]] long changes() const { return m_changes; }

private:
    // What was last set on one control; empty where nothing was set yet.
    struct Shown {
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        bool looked = false;
        bool waiting = false; // its page is not made yet
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

    // What was applied to a control of a page not made yet, merged: the latest value of each
    // property. The keys of the states are left empty; the name is the hash's.
    struct Waiting {
        std::optional<LabelState> label;
        std::optional<ControlMark> mark;
        std::optional<ControlView> view;
    };

    const ControlRegistry& m_registry;
    QHash<QString, Shown> m_shown;
    QHash<QString, Waiting> m_waiting;
    long m_changes = 0;
};

} // namespace quorvel
