#pragma once

#include "core/param_image.h"
#include "maps/map_grid_model.h"
#include "maps/map_operations.h"
#include "maps/map_selection.h"
#include "maps/tune_writer.h"
#include "model/injection_tables.h"
#include "model/map_edit_status.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// What the map edit commands work on: the window owns all of it.
struct MapEditParts {
    TuneWriter& writer; // where every change of the map goes
    ParamImage& image;
    InjectionTables& tables;
    MapGridModel& grid;      // the shared grid's model, showing the active map page
    MapSelection& selection; // held to the layout the grid model shows before every command
};

// The gestures of the map selection tools, the clipboard, the RPM axis change and the map files
// on the active map page. Values are given in the unit the user reads the cells in (ms while
// "Ms" shows the stored times) and handed to the tune writer, which stores them as one edit of
// the page, refuses them outside their range, or changes nothing at all. Each command returns
// the status text to show.
class MapEditCommands {
public:
    explicit MapEditCommands(const MapEditParts& parts);
    MapEditCommands(const MapEditCommands&) = delete;
    MapEditCommands& operator=(const MapEditCommands&) = delete;

    // The unit the values of the commands are in, as the dialogs name it ("%", "ms", "deg").
    [[nodiscard]] CellUnit unit() const { return m_grid.viewUnit(); }
    [[nodiscard]] std::string_view unitName() const;

    MapEditStatus setValue(double value);
    MapEditStatus add(double delta);
    MapEditStatus subtract(double amount);
    MapEditStatus scale(double percent);
    MapEditStatus interpolate(InterpolationAxis axis);
    MapEditStatus smooth();
    MapEditStatus fillWithLiveCell(const LiveCell& live);
    // F4 / F5 and the tools spin while the selection is a block (MapSelection::isBlock).
    MapEditStatus step(StepDirection direction);
    // A value typed into one cell, in the unit the cell shows.
    MapEditStatus typeCell(GridCell cell, DecimalNumber value);

    // Clipboard text of the selection, or of the whole map with its heads.
    [[nodiscard]] std::string copySelection();
    [[nodiscard]] std::string copyMapWithHeads() const;
    MapEditStatus paste(std::string_view text);

    // The RPM heads shown now, to prefill the dialog of "Change RPM axis...".
    [[nodiscard]] std::array<int, kMapColumns> rpmHeads() const;
    // The change acts on the stored maps of the image, so the page is not collected first.
    MapEditStatus changeRpmAxis(std::span<const int, kMapColumns> heads);

    // The active map as CSV text for the window to write (writeFileAtomically), in the unit the
    // page shows, and a CSV text the window has read stored into it.
    [[nodiscard]] std::string exportCsv() const;
    MapEditStatus importCsv(std::string_view text);

private:
    [[nodiscard]] const MapLayout& map() const;
    // The operations on the selection, with the selection held to the cells the grid shows.
    [[nodiscard]] MapOperations operations();
    // Hands an operation's values to the writer and says what happened.
    MapEditStatus write(const MapEdit& edit, RangePolicy policy);

    TuneWriter& m_writer;
    ParamImage& m_image;
    InjectionTables& m_tables;
    MapGridModel& m_grid;
    MapSelection& m_selection;
};

} // namespace quorvel
