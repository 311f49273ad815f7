#pragma once

#include "core/param_image.h"
#include "core/unit_copy.h"
#include "model/field_table.h"
#include "model/injection_tables.h"
#include "model/page_binding.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class DifferenceKind : std::uint8_t {
    Field,       // one element of a parameter of the field table
    Memo,        // the memo sheet, compared as text
    RpmAxis,     // one point of a map's RPM axis
    PressureRow, // one row of IAP_IAP
    MapCell,     // one cell of a map
    OtherByte,   // a byte no parameter holds (only when asked for)
};

// One side of a difference as the window shows it.
struct ShownValue {
    int number = 0;   // in shown units (rpm, mV, degrees, percent ...); 0 for the memo
    std::string text; // as listed and put in tooltips

    bool operator==(const ShownValue&) const = default;
};

// One value that differs between two images, named as the window names it.
struct Difference {
    DifferenceKind kind = DifferenceKind::Field;
    int page = kNoPage;    // the page that shows it; kNoPage for values no page shows
    std::string_view name; // parameter name, the map's or axis' section key, "IAP_IAP"
    // Element of an array, point of an axis, row of IAP_IAP, cell 15 * row + column; -1 for a
    // single value.
    int element = -1;
    int offset = 0; // image offset of the first byte
    ShownValue a;
    ShownValue b;
    // The control that shows the value on its page, named as live marks name them (grid cells
    // "EditMap_Uni" with the element); an empty name for values no control shows.
    FieldControl control;

    [[nodiscard]] int row() const { return element / 15; }
    [[nodiscard]] int column() const { return element % 15; }
    // "IgnLimiter", "KorVoda[2]", "RPM_JET_1A[4]", "JET_1A[3][7]" (row, column), "byte 2800".
    [[nodiscard]] std::string label() const;
};

// One image of a comparison with the reference times its injection maps are shown against
// (only the reference tables are read).
struct CompareSide {
    const ParamImage& image;
    const InjectionTables& tables;
};

struct CompareOptions {
    // The memo's stored text as it is shown (its code page follows the language); the stored
    // bytes when unset.
    std::function<std::string(std::string_view)> memoText;
    // Also the bytes no parameter holds: the unit's memory has them, files do not carry them.
    bool otherBytes = false;
};

// Every value of blocks 1..19 whose stored code differs between `a` and `b`, in page order
// (values no page shows last); within a page the RPM axis, the pressure rows, the map cells and
// then the page's parameters. A map cell differs when its stored value does (so an injection
// cell shows the stored times too when both round to the same percentage); a parameter when the
// value it shows does; the memo as text up to its end. Block 0 is not compared.
[[nodiscard]] std::vector<Difference> compareImages(const CompareSide& a, const CompareSide& b,
                                                    const CompareOptions& options = {});

// What the unit holds (side a), as far as this connection has seen it, against the image
// (side b): a block the connection has not seen compares equal.
[[nodiscard]] std::vector<Difference> compareWithUnit(const UnitCopy& unit, const ParamImage& image,
                                                      const InjectionTables& tables, CompareOptions options = {});

// Reference tables of an image's own bike and axes, for an image that has no working tables.
[[nodiscard]] InjectionTables referencesOf(const ParamImage& image);

} // namespace quorvel
