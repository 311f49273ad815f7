#pragma once

#include "core/param_image.h"
#include "model/controls.h"
#include "model/field_table.h"

#include <string>
#include <vector>

namespace quorvel {

// The name and index of the control that shows one element of a field. An edit field and its
// up-down are one control, named after the edit field ("EditChlazeni", "EditKorVoda" index 2).
struct FieldControl {
    std::string name;
    int index = -1;

    // The key looks at this object's name: it is valid as long as this object lives.
    [[nodiscard]] ControlKey key() const { return {name, index}; }
};

[[nodiscard]] FieldControl fieldControl(const Field& field, int element);

// What the controls of a page hold, in field-table order: positions, check states and items.
// Compared with what a fill left behind it tells whether the user changed something since.
struct PageControlState {
    std::vector<int> values;

    bool operator==(const PageControlState&) const = default;
};

// Moves the fields of one page between the image and its controls, generically over the field
// table: spin controls by their conversion form, check boxes as 1 or 0, radio groups and the
// bike list by their item. The memo and the grid of the map pages are bound elsewhere.
class PageBinding {
public:
    PageBinding(ParamImage& image, Controls& controls);

    // Gives every spin control of a page the range and step of its field.
    void configure(int page);

    // Shows the image in the page's controls. A position that already shows the value is not
    // touched; a value outside a control's range shows as the nearest bound. The bike list is
    // left alone: showing it may need a word with the user.
    void fill(int page);

    // Stores what the page's controls show. Typed text is interpreted first, so a whole number
    // within range counts and anything else gives way to the position the control had. The
    // code follows the control's own range, which for some fields differs from the table's.
    // A control the page's view hides is left out: nobody edits it, and its range (set for
    // another mode) would clamp a value it does not show.
    void collect(int page);

    // Interprets typed text and reads every control of the page.
    [[nodiscard]] PageControlState read(int page);

private:
    ParamImage& m_image;
    Controls& m_controls;
};

} // namespace quorvel
