#include "model/field_table.h"
#include "model/map_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quorvel {
namespace {

struct Placement {
    int page;
    const char* map;
    int axisBaseIndex;
    int mapBaseIndex;
};

// The locators of the map grid on each map page.
TEST(MapTable, PlacementOfEveryMapPage)
{
    for (const Placement p :
         {Placement{1, "ADVANCE", 365, 500}, Placement{2, "JET_1A", 380, 325}, Placement{3, "JET_2A", 395, 475},
          Placement{4, "JET_3A", 410, 625}, Placement{5, "JET_4A", 425, 775}, Placement{6, "JET_B", 440, 1850},
          Placement{7, "IAP", 455, 1000}, Placement{11, "SERVO_IN_VALUE", 485, 2450},
          Placement{12, "SERVO_EX_VALUE", 470, 2300}}) {
        const MapLayout* map = MapTable::ofPage(p.page);
        ASSERT_NE(map, nullptr) << p.map;
        EXPECT_EQ(map->name, p.map);
        EXPECT_EQ(map->axisBaseIndex(), p.axisBaseIndex) << p.map;
        EXPECT_EQ(map->mapBaseIndex(), p.mapBaseIndex) << p.map;
        EXPECT_EQ(MapTable::byName(p.map), map);
    }
    for (int page : {0, 8, 9, 10, 13, 18})
        EXPECT_EQ(MapTable::ofPage(page), nullptr) << page;
}

TEST(MapTable, CornerCellsLieAtTheirImageOffsets)
{
    ParamImage image;
    setMapCell(image, MapId::Advance, 0, 7);
    setMapCell(image, MapId::Advance, 149, 9);
    setMapCell(image, MapId::Jet1A, 0, 0x1234);
    EXPECT_EQ(image.byte(650), 7);
    EXPECT_EQ(image.byte(799), 9);
    EXPECT_EQ(image.byte(800), 0x34);
    EXPECT_EQ(image.byte(801), 0x12);
    setIapRow(image, 9, 1000);
    EXPECT_EQ(image.wordAt(452), 1000);
}

// Offsets that no page, default or preset writes; 2791 is the high byte of IdleStart.
bool isUnused(int offset)
{
    constexpr std::array kSingles = {151, 189, 229, 289, 454, 2757, 2776};
    for (int single : kSingles) {
        if (offset == single)
            return true;
    }
    return (offset >= 398 && offset <= 401) || (offset >= 425 && offset <= 433) || (offset >= 2792 && offset <= 2849);
}

// Every byte of the parameter blocks belongs to exactly one field, map, axis or the pressure
// rows, or to the few offsets nothing writes: no two parameters overlap and none is missing.
TEST(ImageLayout, EveryParameterByteHasExactlyOneOwner)
{
    std::array<std::string, 3000> owner{};
    auto claim = [&owner](int first, int last, const std::string& name) {
        for (int offset = first; offset <= last; ++offset) {
            EXPECT_TRUE(owner[static_cast<std::size_t>(offset)].empty())
                << offset << " claimed by " << owner[static_cast<std::size_t>(offset)] << " and " << name;
            owner[static_cast<std::size_t>(offset)] = name;
        }
    };
    for (const Field& f : FieldTable::all()) {
        for (int e = 0; e < f.count; ++e)
            claim(f.elementOffset(e), f.elementOffset(e) + f.bytesPerElement() - 1, std::string(f.name));
    }
    for (const MapLayout& map : MapTable::all()) {
        claim(map.cellOffset, map.lastCellOffset(), std::string(map.name));
        claim(map.axisOffset, map.axisOffset + kMapColumns - 1, std::string(map.axisName));
    }
    claim(kIapRowsOffset, kIapRowsOffset + 2 * kMapRows - 1, "IAP_IAP");

    for (int offset = 150; offset < 3000; ++offset)
        EXPECT_NE(owner[static_cast<std::size_t>(offset)].empty(), !isUnused(offset)) << "offset " << offset;
}

} // namespace
} // namespace quorvel
