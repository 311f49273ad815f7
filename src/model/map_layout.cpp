#include "model/map_layout.h"

#include <algorithm>
#include <cassert>

namespace quorvel {
namespace {

using enum MapId;
using enum FieldWidth;

// Page order and image order differ: the intake servo map (page 11) lies behind the exhaust
// servo map (page 12).
constexpr std::array kMaps = std::to_array<MapLayout>({
    {Advance, "ADVANCE", "RPM_ADV", 1, 650, U8, 515, 60},
    {Jet1A, "JET_1A", "RPM_JET_1A", 2, 800, U16, 530, 60000},
    {Jet2A, "JET_2A", "RPM_JET_2A", 3, 1100, U16, 545, 60000},
    {Jet3A, "JET_3A", "RPM_JET_3A", 4, 1400, U16, 560, 60000},
    {Jet4A, "JET_4A", "RPM_JET_4A", 5, 1700, U16, 575, 60000},
    {JetB, "JET_B", "RPM_JET_B", 6, 2000, U8, 590, 100},
    {Iap, "IAP", "RPM_IAP", 7, 2150, U16, 605, 60000},
    {ServoEx, "SERVO_EX_VALUE", "RPM_SERVO_EX", 12, 2450, U8, 620, 100},
    {ServoIn, "SERVO_IN_VALUE", "RPM_SERVO_IN", 11, 2600, U8, 635, 100},
});

} // namespace

std::span<const MapLayout> MapTable::all()
{
    return kMaps;
}

const MapLayout& MapTable::of(MapId id)
{
    return kMaps[static_cast<std::size_t>(id)];
}

const MapLayout* MapTable::ofPage(int page)
{
    const auto it = std::ranges::find(kMaps, page, &MapLayout::page);
    return it == kMaps.end() ? nullptr : &*it;
}

const MapLayout* MapTable::byName(std::string_view name)
{
    const auto it = std::ranges::find(kMaps, name, &MapLayout::name);
    return it == kMaps.end() ? nullptr : &*it;
}

std::uint16_t mapCell(const ParamImage& image, MapId map, int element)
{
    assert(element >= 0 && element < kMapCells);
    const MapLayout& layout = MapTable::of(map);
    const int offset = layout.cellOffsetOf(element);
    return layout.cellWidth == U8 ? image.byte(offset) : image.wordAt(offset);
}

void setMapCell(ParamImage& image, MapId map, int element, std::uint16_t value)
{
    assert(element >= 0 && element < kMapCells);
    const MapLayout& layout = MapTable::of(map);
    const int offset = layout.cellOffsetOf(element);
    if (layout.cellWidth == U8)
        image.setByte(offset, static_cast<std::uint8_t>(value & 0xFFU));
    else
        image.setWordAt(offset, value);
}

std::uint8_t axisPoint(const ParamImage& image, MapId map, int column)
{
    assert(column >= 0 && column < kMapColumns);
    return image.byte(MapTable::of(map).axisOffset + column);
}

void setAxisPoint(ParamImage& image, MapId map, int column, std::uint8_t value)
{
    assert(column >= 0 && column < kMapColumns);
    image.setByte(MapTable::of(map).axisOffset + column, value);
}

std::uint16_t iapRow(const ParamImage& image, int row)
{
    assert(row >= 0 && row < kMapRows);
    return image.wordAt(kIapRowsOffset + 2 * row);
}

void setIapRow(ParamImage& image, int row, std::uint16_t kPa)
{
    assert(row >= 0 && row < kMapRows);
    image.setWordAt(kIapRowsOffset + 2 * row, kPa);
}

void copyMapCells(ParamImage& image, MapId from, MapId to)
{
    assert(MapTable::of(from).cellWidth == MapTable::of(to).cellWidth);
    for (int e = 0; e < kMapCells; ++e)
        setMapCell(image, to, e, mapCell(image, from, e));
}

void copyAxis(ParamImage& image, MapId from, MapId to)
{
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(image, to, c, axisPoint(image, from, c));
}

} // namespace quorvel
