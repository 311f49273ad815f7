#pragma once

#include "core/param_image.h"
#include "maps/grid_cell.h"
#include "model/field_table.h"
#include "model/injection_tables.h"
#include "model/map_cell_rules.h"
#include "model/map_layout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The cells of one map in a unit an edit speaks, against the image's present axes: the page's
// own unit, whose values are the grid's (degrees, percent of the reference time, raw, mV,
// servo percent), or on the injection maps the stored time in ms. A value in ms becomes the
// nearest percentage of the cell's reference time, the step the page stores the map in.
class CellScale {
public:
    // Values in ms are held as whole us: three decimals.
    static constexpr int kTimeDecimals = 3;
    static constexpr std::int64_t kTicksPerMillisecond = 1000;

    CellScale(const ParamImage& image, const InjectionTables& tables, const MapLayout& map, CellUnit unit);

    [[nodiscard]] CellUnit unit() const { return m_unit; }
    [[nodiscard]] std::string_view unitName() const { return m_unitName; }
    // Places after the decimal point of a value in this unit, and its whole ticks per unit.
    [[nodiscard]] int decimals() const { return m_times ? kTimeDecimals : 0; }
    [[nodiscard]] std::int64_t ticksPerUnit() const { return m_times ? kTicksPerMillisecond : 1; }

    // What the value numerator / denominator (in this unit) becomes in the grid: rounded to the
    // cell's step, and whether it lies within the cell's range. Outside it, `grid` is the end of
    // the range the value went beyond.
    struct Fit {
        int grid = 0;
        bool inRange = true;
    };
    [[nodiscard]] Fit fit(GridCell cell, std::int64_t numerator, std::int64_t denominator) const;

    // The cell's range in ticks of this unit, and its step in ticks where that is whole (none
    // for the times, whose step is a percentage of each cell's own reference).
    [[nodiscard]] std::int64_t lowest(GridCell cell) const;
    [[nodiscard]] std::int64_t highest(GridCell cell) const;
    [[nodiscard]] std::optional<int> stepTicks(GridCell cell) const;

private:
    [[nodiscard]] std::uint16_t reference(GridCell cell) const;
    [[nodiscard]] int highestPercent(GridCell cell) const;

    const ParamImage& m_image;
    const InjectionTables& m_tables;
    const MapLayout& m_map;
    CellUnit m_unit;
    bool m_times = false;
    std::string_view m_unitName;
};

// numerator * factor / denominator rounded half away from zero, exact where it fits 64 bits and
// held far beyond every range where it does not. `denominator` must be positive.
[[nodiscard]] std::int64_t scaledRound(std::int64_t numerator, std::int64_t factor, std::int64_t denominator);

// A value given as numerator / denominator, as a refusal shows it: at most three places.
[[nodiscard]] std::string valueText(std::int64_t numerator, std::int64_t denominator);

} // namespace quorvel
