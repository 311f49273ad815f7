#pragma once

#include "core/colour_role.h"
#include "core/control_view.h"
#include "model/field_table.h"

#include <string>
#include <string_view>

namespace quorvel {

// The controls of the main window as the page binding sees them, looked up by their name. The
// real implementation finds the widgets by object name and ignores names the window does not
// have, so a view may name controls that only some layouts carry.
//
// Spin controls behave as an edit field with its up-down: the position always lies within the
// range, setting it or stepping it past a bound leaves it at that bound, and narrowing the range
// pulls the position inside. Text typed into the edit field is not the position until it has
// been interpreted.
class Controls {
public:
    virtual ~Controls() = default;

    // Spin controls.
    [[nodiscard]] virtual int value(ControlKey key) const = 0;
    // Limited to the range; the edit field then shows the position (any typed text is gone).
    virtual void setValue(ControlKey key, int value) = 0;
    [[nodiscard]] virtual ControlRange range(ControlKey key) const = 0;
    virtual void setRange(ControlKey key, ControlRange range) = 0;
    // What one click on an arrow does: `steps` times the step, limited to the range.
    virtual void stepBy(ControlKey key, int steps) = 0;
    // Takes the typed text as the position when it is a whole number within the range
    // (thousands separators allowed); any other text gives way to the position's text.
    virtual void interpretText(ControlKey key) = 0;

    // The text an edit field or the memo shows; for a spin control values of 1000 and more
    // carry a thousands separator.
    [[nodiscard]] virtual std::string text(ControlKey key) const = 0;
    // For a spin control: text typed into its edit field, not yet interpreted.
    virtual void setText(ControlKey key, std::string_view text) = 0;

    // Check boxes.
    [[nodiscard]] virtual bool checked(ControlKey key) const = 0;
    virtual void setChecked(ControlKey key, bool checked) = 0;

    // Radio groups, the bike list and the page control: the selected item.
    [[nodiscard]] virtual int itemIndex(ControlKey key) const = 0;
    virtual void setItemIndex(ControlKey key, int index) = 0;

    // Labels, group boxes, buttons, menu items: what a view decides (visibility, enabled state,
    // caption and, for spin controls, the range).
    virtual void apply(const ControlView& view) = 0;
    // Seen by the user whenever its page is: neither the control nor a group box it sits in on
    // that page is hidden. A name the window does not have is not shown.
    [[nodiscard]] virtual bool isShown(ControlKey key) const = 0;
    [[nodiscard]] virtual bool isEnabled(ControlKey key) const = 0;
    [[nodiscard]] virtual std::string caption(ControlKey key) const = 0;

    // The background (edit fields) or face (check boxes) colour.
    virtual void setColour(ControlKey key, ColourRole colour) = 0;
    [[nodiscard]] virtual ColourRole colour(ControlKey key) const = 0;
};

} // namespace quorvel
