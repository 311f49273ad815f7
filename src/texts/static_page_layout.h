#pragma once

#include <span>
#include <string_view>

namespace quorvel {

// How the fields of a static page are arranged for the user: into which titled group box each
// control of the field table goes and with which caption. Every control itself (its kind, range
// and step) comes from the field table; this is only where it stands and what it is called.
struct GroupSpec {
    int page = 0;
    std::string_view name; // the group box's object name
    std::string_view caption;
    int column = 0; // the column of the page, left to right
    // Run-time rows: the texts of the row labels and the labels' name, numbered from firstRow.
    std::span<const std::string_view> rows;
    std::string_view rowLabel;
    int firstRow = 0;
};

// A place in a group's grid given by row and column, for groups read across like a table
// (the starting corrections: times above the corrections they belong to). Row -1: the group
// places the control itself, one below the other.
struct LayoutCell {
    int row = -1;
    int column = 0;

    [[nodiscard]] constexpr bool given() const { return row >= 0; }
};

// One control of the field table (named as there) in a group: the caption of its label, of a
// check box, a radio group's title, or a column heading for a run-time row. A heading the
// captions of the languages reach carries a name; a column with an empty caption shares the
// heading of the column before it. A control at a given cell stands without a label of its own.
struct PlacementSpec {
    std::string_view control;
    std::string_view group;
    std::string_view caption;
    std::string_view heading = {};
    LayoutCell cell = {};
};

struct ChoiceSpec {
    std::string_view group;
    std::span<const std::string_view> items;
};

// A control that holds no parameter: a label, a learn button, the "All" box and the spin
// button of a position curve. `index` >= 0 puts it into run-time row `index`; a given cell puts
// it there.
struct ExtraSpec {
    enum class Kind { Label, Button, CheckBox, SpinButton };
    Kind kind = Kind::Label;
    std::string_view group;
    std::string_view name;
    std::string_view caption;
    int index = -1;
    LayoutCell cell = {};
};

class StaticPageLayout {
public:
    [[nodiscard]] static std::span<const GroupSpec> groups();
    [[nodiscard]] static std::span<const PlacementSpec> placements();
    [[nodiscard]] static std::span<const ChoiceSpec> choices();
    [[nodiscard]] static std::span<const ExtraSpec> extras();
    [[nodiscard]] static const PlacementSpec* placementOf(std::string_view control);
    [[nodiscard]] static std::span<const std::string_view> itemsOf(std::string_view radioGroup);
};

} // namespace quorvel
