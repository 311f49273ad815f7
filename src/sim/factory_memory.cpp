#include "sim/factory_memory.h"

#include "core/sanitise.h"
#include "core/unit_header.h"
#include "model/bike_defaults.h"
#include "model/injection_tables.h"

namespace quorvel::sim {
namespace {

constexpr int kBikeOffset = 150;
constexpr std::uint8_t kWorkshopBike = 11;

} // namespace

std::array<std::uint8_t, kBlockSize> factoryHeader(std::uint8_t version)
{
    std::array<std::uint8_t, kBlockSize> header{};
    header[0] = 'Q';
    header[1] = 'R';
    header[2] = 'V';
    header[3] = 7;
    header[4] = 15;
    header[5] = monthCode(3);
    header[6] = 7;
    header[7] = 10;
    header[8] = 30;
    header[kHeaderVersionByte] = version;
    return header;
}

ParamImage factoryMemory(std::uint8_t version)
{
    // The unit leaves the workshop holding what this program writes for a new set of its bike,
    // derived fields included: reading it and verifying the saved file against it agree, and
    // no page shows a value the unit does not hold.
    ParamImage image;
    image.storeHeader(factoryHeader(version));
    image.setByte(kBikeOffset, kWorkshopBike);
    InjectionTables tables;
    applyDefaults(image, tables, DefaultsRun{});
    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    return image;
}

} // namespace quorvel::sim
