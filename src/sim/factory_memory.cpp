#include "sim/factory_memory.h"

#include "core/sanitise.h"
#include "core/unit_header.h"

namespace quorvel::sim {
namespace {

constexpr std::array kRpmAxes = {515, 530, 545, 560, 575, 590, 605, 620, 635, 455, 485};
constexpr std::array kInjectionMaps = {800, 1100, 1400, 1700, 2150};
constexpr int kIapRowsWord = 142;
constexpr int kCells = 150;

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
    ParamImage image;
    image.storeHeader(factoryHeader(version));

    image.setByte(150, 11);  // bike code
    image.setByte(179, 120); // ignition limiter, 12000 rpm
    image.setByte(406, 2);   // two cylinders
    image.setByte(212, 1);   // exhaust servo map in percent
    image.setByte(213, 1);   // intake servo map in percent
    for (int axis : kRpmAxes) {
        for (int c = 0; c < 15; ++c)
            image.setByte(axis + c, static_cast<std::uint8_t>(10 + 10 * c)); // 1000..15000 rpm
    }
    constexpr std::array<std::uint16_t, 10> kIapRows = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};
    for (int k = 0; k < 10; ++k)
        image.setWord(kIapRowsWord + k, kIapRows[static_cast<std::size_t>(k)]);

    for (int e = 0; e < kCells; ++e) {
        const int row = e / 15;
        const int column = e % 15;
        image.setByte(650 + e, static_cast<std::uint8_t>(10 + row + column * 2));
        for (int map : kInjectionMaps)
            image.setWordAt(map + 2 * e, static_cast<std::uint16_t>(1500 + row * 400 + column * 150));
        image.setByte(2000 + e, 100);
        image.setByte(2450 + e, static_cast<std::uint8_t>(row * 10));
        image.setByte(2600 + e, static_cast<std::uint8_t>(row * 10));
    }

    OutsideSettings settings;
    (void)sanitiseImage(image, settings);
    return image;
}

} // namespace quorvel::sim
