#include "texts/map_edit_menu.h"

namespace quorvel {
namespace {

using enum MapEditCommand;

constexpr std::uint8_t kToolsAndGrid = kToolsMenu | kGridContextMenu;
constexpr MapEditItem kSeparator{.places = kToolsAndGrid};

// The keys of the common tuning suites where they do not clash with the window's own (F1 to F9,
// Ctrl+N, Ctrl+P, Ctrl+Z, Ctrl+Alt+Z): "=", "+", "-" and "*" act on the selection, since a cell
// only takes digits while it is being edited.
constexpr MapEditItem kItems[] = {
    {"MenuMapSelectAll", SelectAll, "Ctrl+A", kToolsAndGrid},
    {"MenuMapCopy", Copy, "Ctrl+C", kToolsAndGrid},
    {"MenuMapCopyWithHeads", CopyWithHeads, "Ctrl+Shift+C", kToolsAndGrid},
    {"MenuMapPaste", Paste, "Ctrl+V", kToolsAndGrid},
    kSeparator,
    {"MenuMapSetValue", SetValue, "=", kToolsAndGrid},
    {"MenuMapAdd", Add, "+", kToolsAndGrid},
    {"MenuMapSubtract", Subtract, "-", kToolsAndGrid},
    {"MenuMapScale", Scale, "*", kToolsAndGrid},
    kSeparator,
    {"MenuMapInterpolateHorizontal", InterpolateHorizontal, "Ctrl+H", kToolsAndGrid},
    {"MenuMapInterpolateVertical", InterpolateVertical, "Ctrl+J", kToolsAndGrid},
    {"MenuMapInterpolateBoth", InterpolateBoth, "Ctrl+I", kToolsAndGrid},
    {"MenuMapSmooth", Smooth, "Ctrl+M", kToolsAndGrid},
    {"MenuMapFillLive", FillLive, "Ctrl+L", kToolsAndGrid},
    {.places = kToolsMenu},
    {"MenuMapChangeRpmAxis", ChangeRpmAxis, {}, kToolsMenu},
    {"MenuMapExportCsv", ExportCsv, {}, kFileMenu},
    {"MenuMapImportCsv", ImportCsv, {}, kFileMenu},
};

} // namespace

std::span<const MapEditItem> mapEditItems()
{
    return kItems;
}

} // namespace quorvel
