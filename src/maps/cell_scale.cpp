#include "maps/cell_scale.h"

#include "model/map_page.h"
#include "model/step_rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {
namespace {

constexpr int kPercentMaximum = 1000;
// The unit holds an injection time of at most 60 ms; the sanitiser caps a longer one there.
constexpr std::int64_t kLongestTime = 60000;
constexpr std::int64_t kPercent = 100;
constexpr std::int64_t kShownPlaces = 1000; // a refusal shows three places at most

std::string trimmedFixed(std::int64_t thousandths)
{
    const std::int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
    std::string text = std::to_string(magnitude / kShownPlaces);
    if (const std::int64_t fraction = magnitude % kShownPlaces; fraction != 0) {
        std::string places = std::to_string(fraction);
        places.insert(0, 3 - places.size(), '0');
        while (places.back() == '0')
            places.pop_back();
        text += "." + places;
    }
    return (thousandths < 0 ? "-" : "") + text;
}

} // namespace

std::int64_t scaledRound(std::int64_t numerator, std::int64_t factor, std::int64_t denominator)
{
    constexpr std::int64_t kSafe = std::numeric_limits<std::int64_t>::max() / 1'000'000;
    if (numerator > -kSafe && numerator < kSafe && factor > 0 && factor <= 1'000'000)
        return roundHalfAwayFromZero(numerator * factor, denominator);
    constexpr long double kFar = 1e15L;
    const long double exact = static_cast<long double>(numerator) * factor / denominator;
    return static_cast<std::int64_t>(std::clamp(std::round(exact), -kFar, kFar));
}

std::string valueText(std::int64_t numerator, std::int64_t denominator)
{
    return trimmedFixed(scaledRound(numerator, kShownPlaces, denominator));
}

CellScale::CellScale(const ParamImage& image, const InjectionTables& tables, const MapLayout& map, CellUnit unit)
    : m_image(image)
    , m_tables(tables)
    , m_map(map)
    , m_unit(unit)
    , m_times(unit == CellUnit::Milliseconds && takesTimes(map))
    , m_unitName(quorvel::unitName(image, map, unit))
{
}

std::uint16_t CellScale::reference(GridCell cell) const
{
    const auto injection = injectionMapOf(m_map.id);
    const std::uint16_t reference =
        injection ? m_tables.reference(*injection)[static_cast<std::size_t>(cell.row * kMapColumns + cell.column)]
                  : kReferenceFloor;
    return std::max(reference, kReferenceFloor);
}

int CellScale::highestPercent(GridCell cell) const
{
    const std::int64_t fits = (kLongestTime * kPercent + kPercent / 2 - 1) / reference(cell);
    return static_cast<int>(std::min<std::int64_t>(kPercentMaximum, fits));
}

CellScale::Fit CellScale::fit(GridCell cell, std::int64_t numerator, std::int64_t denominator) const
{
    if (m_times) {
        // A time in ms as a percentage of the reference (us): t * 1000 * 100 / reference.
        const std::int64_t percent =
            scaledRound(numerator, kTicksPerMillisecond * kPercent, denominator * reference(cell));
        const int top = highestPercent(cell);
        return {static_cast<int>(std::clamp<std::int64_t>(percent, 0, top)), percent >= 0 && percent <= top};
    }
    const ControlRange range = mapCellRange(m_image, m_map, cell.row);
    const std::int64_t step = std::max(1, range.step);
    const std::int64_t value = scaledRound(numerator, 1, denominator * step) * step;
    return {static_cast<int>(std::clamp<std::int64_t>(value, range.minimum, range.maximum)),
            value >= range.minimum && value <= range.maximum};
}

std::int64_t CellScale::lowest(GridCell cell) const
{
    return m_times ? 0 : mapCellRange(m_image, m_map, cell.row).minimum;
}

std::int64_t CellScale::highest(GridCell cell) const
{
    if (m_times)
        return storedTime(static_cast<std::uint16_t>(highestPercent(cell)), reference(cell));
    return mapCellRange(m_image, m_map, cell.row).maximum;
}

std::optional<int> CellScale::stepTicks(GridCell cell) const
{
    if (m_times)
        return std::nullopt;
    return std::max(1, mapCellRange(m_image, m_map, cell.row).step);
}

} // namespace quorvel
