#pragma once

#include "core/param_image.h"
#include "model/bike_jet_grids.h"
#include "model/reference_interpolation.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quorvel {

// The five maps that the grid edits as percentages of a reference time.
enum class InjectionMap : std::uint8_t { Jet1A, Jet2A, Jet3A, Jet4A, Iap };
inline constexpr int kInjectionMapCount = 5;
inline constexpr std::array kInjectionMaps = {InjectionMap::Jet1A, InjectionMap::Jet2A, InjectionMap::Jet3A,
                                              InjectionMap::Jet4A, InjectionMap::Iap};

[[nodiscard]] MapId mapOf(InjectionMap map);
[[nodiscard]] std::optional<InjectionMap> injectionMapOf(MapId map);

// The reference grids of the bike whose code is at image 150.
[[nodiscard]] BikeGridSet selectBikeGrids(const ParamImage& image);

// The stored time of a percentage: rounded, saturating at 65535 (the sanitiser then caps it).
[[nodiscard]] std::uint16_t storedTime(std::uint16_t percent, std::uint16_t reference);
// The shown percentage of a stored time, rounded half up.
[[nodiscard]] std::uint16_t shownPercent(std::uint16_t stored, std::uint16_t reference);

// The working percent and reference tables of the injection maps, kept beside the image and
// never saved: the image holds the stored times, these hold what the grid shows.
class InjectionTables {
public:
    // Every percentage 100 and every reference at its floor until the first computation.
    InjectionTables();

    [[nodiscard]] PercentTable& percent(InjectionMap map) { return m_percent[index(map)]; }
    [[nodiscard]] const PercentTable& percent(InjectionMap map) const { return m_percent[index(map)]; }
    [[nodiscard]] const ReferenceTable& reference(InjectionMap map) const { return m_reference[index(map)]; }

    // All five references from the grids and the current RPM axes of the image: the outer grid
    // for 1A and 4A, the inner grid for 2A and 3A, the IAP grid for IAP.
    void computeReferenceTables(const ParamImage& image, const BikeGridSet& grids);

    void percentToImage(InjectionMap map, ParamImage& image) const;
    void imageToPercent(InjectionMap map, const ParamImage& image);

    // The maps keep their percentages and take the references of `grids`: what a bike change
    // does once the new code is stored.
    void storeAllAgainst(ParamImage& image, const BikeGridSet& grids);

    // To be run whenever the image is replaced as a whole (read from the unit, a file opened,
    // undo, redo): references of the image's bike and axes, then the percentages of all five
    // stored maps. A later bike change then re-stores the maps the image holds, not those of
    // an earlier image. A bike change itself must not run it before re-storing the maps.
    void refreshFromImage(const ParamImage& image);

private:
    [[nodiscard]] static std::size_t index(InjectionMap map) { return static_cast<std::size_t>(map); }

    std::array<PercentTable, kInjectionMapCount> m_percent{};
    std::array<ReferenceTable, kInjectionMapCount> m_reference{};
};

} // namespace quorvel
