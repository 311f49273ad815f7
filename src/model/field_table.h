#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// How a stored code becomes the value the user sees, and back. Every parameter of the image
// that is not a map cell or a map axis uses exactly one of these.
enum class FieldForm : std::uint8_t {
    Raw,      // shown = stored
    Scaled,   // shown = k * stored; stored = shown / k, truncating
    Minus100, // shown = stored - 100, a signed value
    Plus100,  // shown = stored + 100
    Tps100,   // shown = 10 * stored + 2500 (mV of the throttle sensor at full throttle)
    Check,    // checked when stored != 0; stored as 1 or 0
    Choice,   // item index = stored
    Text,     // zero-ended single-byte characters (the memo)
};

enum class FieldWidth : std::uint8_t { U8 = 1, U16 = 2 };

// The kind of control that edits a field on its page.
enum class ControlKind : std::uint8_t {
    Spin,       // edit field with its up-down spin control (named after the up-down)
    CheckBox,   // check box
    RadioGroup, // radio group
    ComboBox,   // the bike list
    MemoBox,    // the memo sheet
    Menu,       // one menu item per choice; the control name is the items' common prefix
    None,       // no control: derived from the bike and never shown
};

// Page index of a field that no page shows.
inline constexpr int kNoPage = -1;

// The minimum, maximum and step of a control in shown units, where they depend on a mode.
struct ControlRange {
    int minimum = 0;
    int maximum = 0;
    int step = 1;

    bool operator==(const ControlRange&) const = default;
};

// One parameter of the image: where it lies, how it is shown and which control edits it.
// Arrays are `count` consecutive elements; a field with `holeAfter` > 0 skips one byte after
// that many elements (a parameter of its own sits in the hole).
struct Field {
    std::string_view name;
    int offset = 0;
    FieldWidth width = FieldWidth::U8;
    int count = 1;
    FieldForm form = FieldForm::Raw;
    int factor = 1; // k of the Scaled form; 1 for every other form
    ControlKind control = ControlKind::None;
    // The control's name; for an array or a row of shared fields the name of the row, element i
    // being the control at index controlIndex + i.
    std::string_view controlName;
    int controlIndex = -1; // -1: a single control without an index
    int page = kNoPage;
    int minimum = 0; // the control's range in shown units
    int maximum = 0;
    int step = 1;
    int holeAfter = 0;

    [[nodiscard]] constexpr int bytesPerElement() const { return static_cast<int>(width); }
    [[nodiscard]] constexpr int elementOffset(int element) const
    {
        const int hole = (holeAfter > 0 && element >= holeAfter) ? 1 : 0;
        return offset + (element + hole) * bytesPerElement();
    }
    [[nodiscard]] constexpr int lastOffset() const { return elementOffset(count - 1) + bytesPerElement() - 1; }
    [[nodiscard]] constexpr bool isDerived() const { return control == ControlKind::None; }
    [[nodiscard]] constexpr bool isArray() const { return count > 1 && form != FieldForm::Text; }
    // The control of element i: index -1 when the control has none.
    [[nodiscard]] constexpr int controlIndexOf(int element) const
    {
        return controlIndex < 0 ? -1 : controlIndex + element;
    }
};

// A field and one of its elements: what one control edits.
struct FieldElement {
    const Field* field = nullptr;
    int element = 0;

    bool operator==(const FieldElement&) const = default;
};

// The field map of the image outside the maps, in page order. The page binding, the parameter
// files and the defaults all read it; no field has code of its own.
class FieldTable {
public:
    [[nodiscard]] static std::span<const Field> all();

    [[nodiscard]] static const Field* byName(std::string_view name);
    // The field element a control edits on a page. `controlName` may name the up-down
    // ("UpDownChlazeni") or its edit field ("EditChlazeni"); `controlIndex` is the index within
    // a row of run-time controls, -1 for a control without one. Shared controls of the map grid
    // (UpDownExtra_Uni, CheckBoxServoEnable ...) edit another field on each page.
    [[nodiscard]] static std::optional<FieldElement> byControl(std::string_view controlName, int controlIndex,
                                                               int page);
    // Every field a page binds, in table order.
    [[nodiscard]] static std::vector<const Field*> ofPage(int page);
    // The fields derived from the bike, which no page shows.
    [[nodiscard]] static std::vector<const Field*> derived();
};

} // namespace quorvel
