#pragma once

#include "core/image_constants.h"
#include "core/param_image.h"
#include "model/field_table.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

inline constexpr int kMapRows = 10;
inline constexpr int kMapColumns = 15;
inline constexpr int kMapCells = kMapRows * kMapColumns;

enum class MapId : std::uint8_t { Advance, Jet1A, Jet2A, Jet3A, Jet4A, JetB, Iap, ServoEx, ServoIn };

// Where a map lies in the image: 10 rows by 15 columns stored row by row (element 15 * r + c),
// each column belonging to the point of the map's own RPM axis (15 bytes in units of 100 rpm).
struct MapLayout {
    MapId id;
    std::string_view name;     // section key of the parameter file
    std::string_view axisName; // section key of its RPM axis
    int page;
    int cellOffset;
    FieldWidth cellWidth;
    int axisOffset;
    int cellMaximum; // stored range the sanitiser keeps, percent mode for the servo maps

    [[nodiscard]] constexpr int cellOffsetOf(int element) const
    {
        return cellOffset + element * static_cast<int>(cellWidth);
    }
    [[nodiscard]] constexpr int lastCellOffset() const { return cellOffsetOf(kMapCells) - 1; }
    // The grid's locators, both counted from image offset 150: the byte index of the axis, and
    // the byte index (byte maps) or word index (16-bit maps) of the first cell.
    [[nodiscard]] constexpr int axisBaseIndex() const { return axisOffset - kBlockSize; }
    [[nodiscard]] constexpr int mapBaseIndex() const { return (cellOffset - kBlockSize) / static_cast<int>(cellWidth); }
};

// The two injection-position curves are fields of the field table (PositionARpm ...).

// The load rows of the maps other than IAP: fixed throttle openings, not stored.
inline constexpr std::array<int, kMapRows> kThrottleRowPercent = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
// IAP_IAP: the ten pressure rows of the IAP map, words in kPa.
inline constexpr int kIapRowsOffset = 434;
inline constexpr int kIapRowsMaximum = 1000;
inline constexpr int kAxisRpmMinimum = 300;
inline constexpr int kAxisRpmMaximum = 25000;
inline constexpr int kAxisRpmStep = 100;

class MapTable {
public:
    [[nodiscard]] static std::span<const MapLayout> all();
    [[nodiscard]] static const MapLayout& of(MapId id);
    // mapPlacement: the map a page edits, null for a page without a map.
    [[nodiscard]] static const MapLayout* ofPage(int page);
    [[nodiscard]] static const MapLayout* byName(std::string_view name);
};

// Cell and axis access by element; a 16-bit cell is little-endian.
[[nodiscard]] std::uint16_t mapCell(const ParamImage& image, MapId map, int element);
void setMapCell(ParamImage& image, MapId map, int element, std::uint16_t value);
[[nodiscard]] std::uint8_t axisPoint(const ParamImage& image, MapId map, int column);
void setAxisPoint(ParamImage& image, MapId map, int column, std::uint8_t value);
[[nodiscard]] std::uint16_t iapRow(const ParamImage& image, int row);
void setIapRow(ParamImage& image, int row, std::uint16_t kPa);

// Copies a map's cells, or its RPM axis, onto another map of the same cell width.
void copyMapCells(ParamImage& image, MapId from, MapId to);
void copyAxis(ParamImage& image, MapId from, MapId to);

} // namespace quorvel
