#pragma once

#include "core/param_image.h"
#include "io/map_edit_texts.h"
#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_page_commands.h"
#include "maps/map_selection.h"
#include "model/injection_tables.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// What the map edit commands work on: the window owns all of it.
struct MapEditParts {
    ParamImage& image;
    InjectionTables& tables;
    MapGridModel& grid;      // the shared grid's model, showing the active map page
    MapSelection& selection; // held to the layout the grid model shows before every command
    MapPageHost& host;       // collectPage and afterChange of the window
};

// The gestures of the map selection tools, the clipboard, the RPM axis change and the map files
// on the active map page. Each changing command stores its change as one edit of the page:
// values go into the grid model, then the host collects the page and runs afterChange (sanitise,
// fill twice, one undo snapshot, programming of the changed blocks when ticked). A command that
// changes nothing calls neither. Each returns the status text to show; a refusal leaves the grid
// and the image as they were.
class MapEditCommands {
public:
    explicit MapEditCommands(const MapEditParts& parts);
    MapEditCommands(const MapEditCommands&) = delete;
    MapEditCommands& operator=(const MapEditCommands&) = delete;

    MapEditStatus setValue(int value);
    MapEditStatus add(int delta);
    MapEditStatus subtract(int amount);
    MapEditStatus scale(double percent);
    MapEditStatus interpolate(InterpolationAxis axis);
    MapEditStatus smooth();
    MapEditStatus fillWithLiveCell(const LiveCell& live);
    // F4 / F5 and the tools spin while the selection is a block (MapSelection::isBlock).
    MapEditStatus step(StepDirection direction);

    // Clipboard text of the selection, or of the whole map with its heads.
    [[nodiscard]] std::string copySelection();
    [[nodiscard]] std::string copyMapWithHeads() const;
    MapEditStatus paste(std::string_view text);

    // The RPM heads shown now, to prefill the dialog of "Change RPM axis...".
    [[nodiscard]] std::array<int, kMapColumns> rpmHeads() const;
    // The change acts on the stored maps of the image, so the page is not collected first; only
    // afterChange runs.
    MapEditStatus changeRpmAxis(std::span<const int, kMapColumns> heads);

    // The active map as CSV text for the window to write (writeFileAtomically), and a CSV text
    // the window has read stored into it; afterChange runs after an import.
    [[nodiscard]] std::string exportCsv() const;
    MapEditStatus importCsv(std::string_view text);

private:
    [[nodiscard]] const MapLayout& map() const;
    // The operations on the selection, with the selection held to the cells the grid shows.
    [[nodiscard]] MapOperations operations();
    // Stores a changed grid through the host and says what happened.
    MapEditStatus finish(const MapEdit& edit, MapEditMessage done, int count);
    MapEditStatus finishEdit(const MapEdit& edit);

    ParamImage& m_image;
    InjectionTables& m_tables;
    MapGridModel& m_grid;
    MapSelection& m_selection;
    MapPageHost& m_host;
};

} // namespace quorvel
