#pragma once

#include "core/message_texts.h"
#include "maps/map_edit_commands.h"
#include "maps/map_tools.h"
#include "texts/map_edit_menu.h"
#include "texts/map_edit_texts.h"
#include "ui/files/dialogs.h"

#include <filesystem>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace quorvel {

class Dialogs;
class MainMenu;
class MapGrid;

// The map editing gestures of the shared grid: one menu item per command in the Tools menu, the
// grid's context menu and the File menu, with shortcuts that act while the grid has the focus.
// Each asks what it needs (a value in the unit the cells show, the new RPM heads, a file), runs
// the map edit command on the active map page and shows its status text. A command stores its
// change through the tune writer: one undo step, or a refusal that changes nothing.
class MapEditActions {
public:
    struct Parts {
        TuneWriter& writer;
        ParamImage& image;
        InjectionTables& tables;
        MapGrid& grid;
        MainMenu& menu;
        Dialogs& dialogs;
        const MessageTexts& texts;
        std::function<void(const std::string&)> showStatus; // the window's status line
        std::function<LiveCell()> live;                     // where the engine runs now
        std::function<std::filesystem::path()> folder;      // where map files are offered first
    };

    explicit MapEditActions(Parts parts);
    MapEditActions(const MapEditActions&) = delete;
    MapEditActions& operator=(const MapEditActions&) = delete;
    ~MapEditActions();

    void setLanguage(Language language) { m_language = language; }
    // The items act on map pages only.
    void setMapPage(bool mapPage);
    // F4 / F5 and the tools spin on a selected block; false when no block is selected, and the
    // tools then act on the whole map or the live cell as always.
    bool stepSelection(StepDirection direction);
    // Runs the command of an item, as its menu item or shortcut does.
    void run(MapEditCommand command);
    // A value typed into a cell of the grid (or stepped by the cell's arrows).
    void typeCell(GridCell cell, DecimalNumber value);

    [[nodiscard]] QMenu& contextMenu() const { return *m_contextMenu; }

private:
    void buildItems();
    void show(const MapEditStatus& status);
    [[nodiscard]] std::string text(MapEditMessage message) const;
    [[nodiscard]] std::optional<double> askNumber(MapEditMessage prompt, double initial, double minimum, double maximum,
                                                  int decimals);
    // A value for the selected cells, in the unit they show: the dialog names it.
    [[nodiscard]] std::optional<double> askValue(MapEditMessage prompt, bool amount);
    void changeRpmAxis();
    void exportCsv();
    void importCsv();
    [[nodiscard]] DataFileQuestion csvQuestion(bool save) const;

    Parts m_parts;
    MapSelection& m_selection;
    MapEditCommands m_commands;
    QMenu* m_contextMenu = nullptr;
    std::vector<QAction*> m_actions;
    Language m_language = Language::English;
};

} // namespace quorvel
