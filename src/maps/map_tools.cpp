#include "maps/map_tools.h"

#include "core/page_index.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quorvel {
namespace {

constexpr int kByteCeiling = 255;
// The grid shows at most 1000 %; a step beyond it would hide in the table and be cut back by
// the next edit of any cell of the page.
constexpr int kPercentCeiling = 1000;
constexpr std::array kFollowers = {InjectionMap::Jet2A, InjectionMap::Jet3A, InjectionMap::Jet4A};

using Elements = std::vector<int>;

Elements wholeMapElements()
{
    Elements elements(kMapCells);
    for (int e = 0; e < kMapCells; ++e)
        elements[static_cast<std::size_t>(e)] = e;
    return elements;
}

Elements columnElements(int column)
{
    Elements elements;
    for (int r = 0; r < kMapRows; ++r)
        elements.push_back(r * kMapColumns + column);
    return elements;
}

// One step within 0..ceiling; false when the value sits at the bound of that direction.
bool stepWithin(int& value, StepDirection direction, int ceiling)
{
    const int next = std::clamp(value + static_cast<int>(direction), 0, ceiling);
    if (next == value || value < 0 || value > ceiling)
        return false;
    value = next;
    return true;
}

bool stepBytes(ParamImage& image, MapId map, const Elements& elements, StepDirection direction)
{
    bool moved = false;
    for (int e : elements) {
        int value = mapCell(image, map, e);
        if (stepWithin(value, direction, kByteCeiling)) {
            setMapCell(image, map, e, static_cast<std::uint16_t>(value));
            moved = true;
        }
    }
    return moved;
}

bool stepPercents(PercentTable& percents, const Elements& elements, StepDirection direction)
{
    bool moved = false;
    for (int e : elements) {
        std::uint16_t& entry = percents[static_cast<std::size_t>(e)];
        int value = entry;
        if (stepWithin(value, direction, kPercentCeiling)) {
            entry = static_cast<std::uint16_t>(value);
            moved = true;
        }
    }
    return moved;
}

// The injection maps a step on `page` reaches; empty on a coupled follower page.
std::vector<InjectionMap> injectionTargets(const ParamImage& image, int page, InjectionMap own)
{
    const JetCoupling coupling = JetCoupling::fromImage(image);
    if (coupling.coupled && page >= kPageInj2A && page <= kPageInj4A)
        return {};
    std::vector<InjectionMap> targets{own};
    if (coupling.coupled && page == kPageInj1A)
        targets.insert(targets.end(), kFollowers.begin(), kFollowers.end());
    return targets;
}

// Steps `elements` of the page's map. `alwaysStore`: a whole-map or column step stores the
// injection map again even when no percentage moved; a single-cell step only when it moved.
ToolOutcome stepElements(ParamImage& image, InjectionTables& tables, const MapLayout& map, int page,
                         const Elements& elements, StepDirection direction, bool alwaysStore)
{
    const auto injection = injectionMapOf(map.id);
    if (!injection)
        return ToolOutcome::done(stepBytes(image, map.id, elements, direction));

    const std::vector<InjectionMap> targets = injectionTargets(image, page, *injection);
    if (targets.empty())
        return ToolOutcome::stopped();
    std::array<std::uint8_t, kImageSize> before{};
    std::ranges::copy(image.bytes(), before.begin());
    bool moved = false;
    for (InjectionMap target : targets) {
        const bool stepped = stepPercents(tables.percent(target), elements, direction);
        if (stepped || alwaysStore)
            tables.percentToImage(target, image);
        moved = moved || stepped;
    }
    return ToolOutcome::done(moved || !std::ranges::equal(before, image.bytes()));
}

} // namespace

std::optional<GridCell> liveMapCell(int page, const LiveCell& live)
{
    if (live.engineRpm == 0)
        return std::nullopt;
    const int row = page == kPageInjIap ? live.cell.pressureRow : live.cell.throttleRow;
    // A row whose sensor has failed names no cell of the map: nothing to tune.
    if (row >= kMapRows || live.cell.column >= kMapColumns)
        return std::nullopt;
    return GridCell{row, live.cell.column};
}

ToolOutcome stepMap(ParamImage& image, InjectionTables& tables, int page, StepDirection direction, bool wholeMap,
                    const LiveCell& live)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr)
        return ToolOutcome::done(false);
    if (wholeMap)
        return stepElements(image, tables, *map, page, wholeMapElements(), direction, true);

    const auto cell = liveMapCell(page, live);
    if (!cell)
        return ToolOutcome::stopped();
    return stepElements(image, tables, *map, page, {cell->row * kMapColumns + cell->column}, direction, false);
}

ToolOutcome stepMapColumn(ParamImage& image, InjectionTables& tables, int page, int column, StepDirection direction)
{
    const MapLayout* map = MapTable::ofPage(page);
    if (map == nullptr || column < 0 || column >= kMapColumns)
        return ToolOutcome::done(false);
    return stepElements(image, tables, *map, page, columnElements(column), direction, true);
}

} // namespace quorvel
