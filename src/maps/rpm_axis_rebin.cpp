#include "maps/rpm_axis_rebin.h"

#include "maps/grid_layout.h"
#include "model/jet_coupling.h"
#include "model/map_cell_rules.h"
#include "model/step_rounding.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace quorvel {
namespace {

using enum MapEditMessage;
using Axis = std::array<std::uint8_t, kMapColumns>;

constexpr std::uint32_t kRpmPerAxisUnit = kAxisRpmStep;
// A coupled axis point is held where the edit of the 1A axis holds it (25000 rpm at most).
constexpr int kCoupledAxisMaximum = kAxisRpmMaximum / kAxisRpmStep;
constexpr int kAxisMinimum = kAxisRpmMinimum / kAxisRpmStep;
constexpr std::array kFollowers = {MapId::Jet2A, MapId::Jet3A, MapId::Jet4A};

struct Target {
    MapId map;
    Axis axis; // the new axis
};

Axis axisOf(const ParamImage& image, MapId map)
{
    Axis axis{};
    for (int c = 0; c < kMapColumns; ++c)
        axis[static_cast<std::size_t>(c)] = axisPoint(image, map, c);
    return axis;
}

bool risesStrictly(const Axis& axis)
{
    return axis.front() >= kAxisMinimum && std::ranges::adjacent_find(axis, std::greater_equal<>{}) == axis.end();
}

// The first head (1-based) that is not a strictly rising multiple of 100 within the axis range.
std::optional<int> badHead(std::span<const int, kMapColumns> heads)
{
    for (int c = 0; c < kMapColumns; ++c) {
        const int rpm = heads[static_cast<std::size_t>(c)];
        const bool inRange = rpm >= kAxisRpmMinimum && rpm <= kAxisRpmMaximum && rpm % kAxisRpmStep == 0;
        if (!inRange || (c > 0 && rpm <= heads[static_cast<std::size_t>(c - 1)]))
            return c + 1;
    }
    return std::nullopt;
}

void rebinMap(ParamImage& image, const Target& target)
{
    const Axis old = axisOf(image, target.map);
    for (int r = 0; r < kMapRows; ++r) {
        std::array<std::uint16_t, kMapColumns> row{};
        for (int c = 0; c < kMapColumns; ++c)
            row[static_cast<std::size_t>(c)] = mapCell(image, target.map, r * kMapColumns + c);
        for (int c = 0; c < kMapColumns; ++c) {
            const std::uint32_t rpm = kRpmPerAxisUnit * target.axis[static_cast<std::size_t>(c)];
            setMapCell(image, target.map, r * kMapColumns + c, valueAtRpm(old, row, rpm));
        }
    }
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(image, target.map, c, target.axis[static_cast<std::size_t>(c)]);
}

} // namespace

std::uint16_t valueAtRpm(std::span<const std::uint8_t, kMapColumns> axis,
                         std::span<const std::uint16_t, kMapColumns> row, std::uint32_t rpm)
{
    const auto at = [&](std::size_t c) { return std::int64_t{kRpmPerAxisUnit} * axis[c]; };
    if (rpm <= at(0))
        return row.front();
    for (std::size_t k = 1; k < kMapColumns; ++k) {
        if (rpm < at(k)) {
            // Rounded to the nearest stored step: a cut-down value would lower every cell a
            // re-binning moves, and one re-binning after another would wear the map down.
            const std::int64_t span = at(k) - at(k - 1);
            const std::int64_t rise = std::int64_t{row[k]} - row[k - 1];
            return static_cast<std::uint16_t>(row[k - 1] + roundHalfAwayFromZero((rpm - at(k - 1)) * rise, span));
        }
    }
    return row.back();
}

RebinOutcome rebinRpmAxis(ParamImage& image, InjectionTables& tables, int page, std::span<const int, kMapColumns> heads)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr)
        return {MapEditStatus{NoRpmAxis}, false};
    if (followsJet1A(image, *map))
        return {MapEditStatus{FollowerMap}, false};
    if (!GridLayout::of(gridLayoutMode(image, page, false)).rpmUpDowns)
        return {MapEditStatus{NoRpmAxis}, false};
    if (const auto head = badHead(heads))
        return {MapEditStatus{BadNewRpmHead, *head}, false};

    Axis axis{};
    for (int c = 0; c < kMapColumns; ++c)
        axis[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(heads[static_cast<std::size_t>(c)] / kAxisRpmStep);
    std::vector<Target> targets{{map->id, axis}};
    const JetCoupling coupling = JetCoupling::fromImage(image);
    if (map->id == MapId::Jet1A && coupling.coupled) {
        const Axis lead = axisOf(image, MapId::Jet1A);
        for (MapId follower : kFollowers) {
            Axis shifted = axisOf(image, follower);
            for (std::size_t c = 0; c < kMapColumns; ++c)
                shifted[c] =
                    static_cast<std::uint8_t>(std::clamp(shifted[c] + axis[c] - lead[c], 0, kCoupledAxisMaximum));
            if (!risesStrictly(shifted))
                return {MapEditStatus{FollowerAxesWouldNotRise}, false};
            targets.push_back({follower, shifted});
        }
    }

    const ParamImage before = image;
    for (const Target& target : targets)
        rebinMap(image, target);
    if (map->id == MapId::Jet1A && coupling.same) {
        for (MapId follower : kFollowers) {
            copyAxis(image, MapId::Jet1A, follower);
            copyMapCells(image, MapId::Jet1A, follower);
            targets.push_back({follower, axis});
        }
    }
    // The stored times are what the engine gets; the percentages shown follow them against the
    // references of the new axes.
    tables.computeReferenceTables(image, selectBikeGrids(image));
    for (const Target& target : targets) {
        if (const auto injection = injectionMapOf(target.map))
            tables.imageToPercent(*injection, image);
    }
    return {std::nullopt, !std::ranges::equal(before.bytes(), image.bytes())};
}

} // namespace quorvel
