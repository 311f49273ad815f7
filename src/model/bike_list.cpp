#include "model/bike_list.h"

#include "model/bike_code_set.h"

#include <array>

namespace quorvel {
namespace {

struct BikeItem {
    std::string_view text;
    int code;
};

constexpr int kNoCode = -1;

constexpr std::array<BikeItem, BikeList::kItemCount> kItems = {{
    {"Aprilia RSV MILLE                98-", 0},
    {"Aprilia RSV MILLE                04-", 43},
    {"Aprilia SXV 450", 39},
    {"Ducati 996", 1},
    {"Ducati 999", 30},
    {"HD V-rod", 24},
    {"Honda CBR 125 PCE", 33},
    {"Honda CBR 600 F               01-02", 2},
    {"Honda CBR 600 RR            03-04", 3},
    {"Honda CBR 600 RR            05-06", 28},
    {"Honda CBR 600 RR            07", 46},
    {"Honda CBR 900 RR            00-03", 4},
    {"Honda CBR 1000 RR          04-07", 21},
    {"Honda CBR 1100 XX               ", 22},
    {"Honda CRF 250 PCE", 44},
    {"Honda VFR 800                   ", 31},
    {"Honda VTR 1000 SP-1       01-02", 5},
    {"Kawasaki  ZX 6R PCE         02", 6},
    {"Kawasaki  ZX6RR               03 ", 7},
    {"Kawasaki  ZX6RR               04-06", 19},
    {"Kawasaki  ZX6RR               07", 48},
    {"Kawasaki  ZX10 R               04-05 ", 8},
    {"Kawasaki  ZX10 R               06- ", 36},
    {"Kawasaki  ZX12 R               00-01", 9},
    {"Kawasaki  ZX12 R               02-", 10},
    {"MZ 125 PCE", 32},
    {"Peugeot", 38},
    {"Suzuki DL-1000", 52},
    {"Suzuki GSX-R600               01-03", 11},
    {"Suzuki GSX-R600               04-05", 20},
    {"Suzuki GSX-R600               06-07", 41},
    {"Suzuki GSX-R750               00-03", 12},
    {"Suzuki GSX-R750               04-05", 23},
    {"Suzuki GSX-R750               06-07", 49},
    {"Suzuki GSX-R1000             01-02", 13},
    {"Suzuki GSX-R1000             03-04", 14},
    {"Suzuki GSX-R1000             05-06", 26},
    {"Suzuki GSX-1300               99-01", 15},
    {"Suzuki GSX-1300               02-", 29},
    {"Suzuki GSX-1400               ", 50},
    {"Suzuki SV 650 S               ", 40},
    {"Suzuki SV 1000 S               ", 37},
    {"Suzuki TL 1000 R               98-", 16},
    {"Suzuki TL 1000 S               ", 25},
    {"Triumph Daytona 675       06-07", 45},
    {"Yamaha FZS-600 Fazer          ", 35},
    {"Yamaha FZS-1000 Fazer          ", 51},
    {"Yamaha XT 660          ", 42},
    {"Yamaha YZF-R1                 02-03", 17},
    {"Yamaha YZF-R1                 04-06", 27},
    {"Yamaha YZF-R1                 07-", 47},
    {"Yamaha YZF-R6                 03-07", 18},
    {"Yamaha YZF-R6R               06-07", 34},
    {"-------------", kNoCode},
}};

} // namespace

std::string_view BikeList::itemText(int position)
{
    if (position < 0 || position >= kItemCount)
        return {};
    return kItems[static_cast<std::size_t>(position)].text;
}

std::optional<int> BikeList::bikeCodeOf(int position)
{
    if (position < 0 || position >= kNoBikePosition)
        return std::nullopt;
    return kItems[static_cast<std::size_t>(position)].code;
}

std::optional<int> BikeList::positionOf(int bikeCode)
{
    if (bikeCode < 0 || bikeCode > kLastBikeCode)
        return std::nullopt;
    for (int position = 0; position < kNoBikePosition; ++position) {
        if (kItems[static_cast<std::size_t>(position)].code == bikeCode)
            return position;
    }
    return std::nullopt;
}

int BikeList::shownPosition(int bikeCode)
{
    return positionOf(bikeCode).value_or(kNoBikePosition);
}

} // namespace quorvel
