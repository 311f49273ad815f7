#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

// The gestures of the map selection tools, the clipboard and the map files; the window connects
// each to the matching call of MapEditCommands.
enum class MapEditCommand : std::uint8_t {
    SelectAll,
    Copy,
    CopyWithHeads,
    Paste,
    SetValue,
    Add,
    Subtract,
    Scale,
    InterpolateHorizontal,
    InterpolateVertical,
    InterpolateBoth,
    Smooth,
    FillLive,
    ChangeRpmAxis,
    ExportCsv,
    ImportCsv,
};

// Where an item is offered: the Tools menu, the grid's context menu, the File menu.
enum MapEditPlace : std::uint8_t {
    kToolsMenu = 1U << 0U,
    kGridContextMenu = 1U << 1U,
    kFileMenu = 1U << 2U,
};

// One menu item: its object name (the caption and hint rows of the map edit texts use it), the
// command, the shortcut (fixed in every language, empty for none) and where it is offered. An
// item with an empty object name is a separator.
struct MapEditItem {
    std::string_view objectName{};
    MapEditCommand command = MapEditCommand::SelectAll;
    std::string_view shortcut{};
    std::uint8_t places = 0;

    [[nodiscard]] constexpr bool isSeparator() const { return objectName.empty(); }
    [[nodiscard]] constexpr bool offeredIn(MapEditPlace place) const { return (places & place) != 0; }
};

// The items in menu order; each place shows those offered there, with the separators between
// groups that the place keeps.
[[nodiscard]] std::span<const MapEditItem> mapEditItems();

// The object name of the grid's context menu and of the "Colours" box beside "Ms" and "All".
inline constexpr std::string_view kMapContextMenuName = "PopupMenuMap_Uni";
inline constexpr std::string_view kColoursBoxName = "CheckBoxColours_Uni";

} // namespace quorvel
