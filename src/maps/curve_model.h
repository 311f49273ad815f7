#pragma once

#include "core/control_view.h"
#include "core/param_image.h"
#include "maps/map_grid_model.h"

#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

struct CurvePoint {
    double x = 0;
    double y = 0;

    bool operator==(const CurvePoint&) const = default;
};

// One line of the curve view; titles are names of the view texts, values in shown units.
struct Curve {
    std::string_view name; // "CurveKorVoda", "CurveMapRow" ...
    std::string_view xTitle;
    std::string_view yTitle;
    int slice = -1; // the map row or column a map curve shows; -1 for the curves of a page
    std::vector<CurvePoint> points;
    std::optional<int> live; // the point the engine uses now

    bool operator==(const Curve&) const = default;
};

// A row or a column of a map, chosen for the curve view.
struct MapSlice {
    enum class Kind : std::uint8_t { Row, Column };
    Kind kind = Kind::Row;
    int index = 0;

    bool operator==(const MapSlice&) const = default;
};

// A point of one curve.
struct CurvePointIndex {
    int curve = 0;
    int point = 0;

    bool operator==(const CurvePointIndex&) const = default;
};

// What the curve view has to redraw after an update.
struct CurveChange {
    bool series = false;                 // the set of curves, their titles or their lengths
    std::vector<CurvePointIndex> points; // only these points (when `series` is false)
    bool live = false;                   // a live point moved, came or went

    [[nodiscard]] bool empty() const { return !series && points.empty() && !live; }
};

// The data of the curve view of the active page: on a map page its one row or one column when
// the page shows only that, else the row or column the user chose; on Position the curves A and
// B, on Corrections the temperature and starting corrections, on Idle the idle targets. Map
// curves read the grid model, the others the image; the live points come from the live marks of
// the page. It edits nothing.
class CurveModel {
public:
    // After every fill and edit of `page`: compares with what was drawn last.
    CurveChange update(int page, const ParamImage& image, const MapGridModel& grid);
    // Every tick, with the live marks of the page.
    CurveChange setLiveMarks(std::span<const ControlMark> marks);
    // The row or column of a full map to show; none shows no map curve. Takes effect with the
    // next update.
    void chooseSlice(std::optional<MapSlice> slice) { m_slice = slice; }
    [[nodiscard]] const std::optional<MapSlice>& chosenSlice() const { return m_slice; }

    [[nodiscard]] int page() const { return m_page; }
    [[nodiscard]] const std::vector<Curve>& curves() const { return m_curves; }

private:
    // For each point of each curve, the control whose live mark makes it the live point.
    using LiveControls = std::vector<std::vector<std::string>>;

    void buildMapCurve(const MapGridModel& grid, std::vector<Curve>& curves, LiveControls& live) const;
    [[nodiscard]] std::optional<int> livePoint(std::size_t curve, std::span<const ControlMark> marks) const;

    int m_page = -1;
    std::optional<MapSlice> m_slice;
    std::vector<Curve> m_curves;
    LiveControls m_liveControls;
    std::vector<ControlMark> m_marks; // the lit marks of the last tick, for curves rebuilt between ticks
};

} // namespace quorvel
