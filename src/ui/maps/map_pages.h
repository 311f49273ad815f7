#pragma once

#include "core/message_texts.h"
#include "core/param_image.h"
#include "io/last_image.h"
#include "maps/map_page_commands.h"
#include "maps/map_page_hook.h"
#include "model/injection_tables.h"

#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>

class QCheckBox;
class QWidget;

namespace quorvel {

class ControlApplier;
class ControlRegistry;
class Dialogs;
class MapEditActions;
class MainMenu;
class MapGrid;
class PageControl;

// What the map pages need of the window: the page binding's steps that span every page.
struct MapPagesWindow {
    std::function<void()> fillPage;
    std::function<void(const std::string&)> showStatus; // a short text in the status line
    std::function<std::filesystem::path()> folder;      // where files of a map are offered first
    std::function<void(int page)> viewRefreshed;        // a page shows the image anew (views, compare)
    std::function<void()> selectionChanged;             // the grid's selected block
};

// The nine map pages of the main window: the one MapGrid moved onto the active map page, the
// map page commands behind its controls, behind Tools Minus (F4) and Plus (F5), the coupling
// menu "Jet 1234" and the spin buttons of the Position page, and the live marks of the running
// engine on the grid.
class MapPages final : public MapPageHook, private MapPageHost {
public:
    struct Parts {
        ParamImage& image;
        InjectionTables& tables;
        AllFlags& allFlags;
        bool& showMs;      // the grid's "Ms" option, kept with the settings
        bool& showColours; // the grid's "Colours" option, kept with the settings
        const MessageTexts& texts;
        PageControl& pages;
        const ControlRegistry& controls;
        ControlApplier& applier;
        MainMenu& menu;
        Dialogs& dialogs;
        TuneWriter& writer; // where every change of a map goes
        MapPagesWindow window;
    };

    explicit MapPages(Parts parts);
    MapPages(const MapPages&) = delete;
    MapPages& operator=(const MapPages&) = delete;
    ~MapPages() override;

    // MapPageHook
    void fill(int page) override;
    void collect(int page) override;
    void refreshView(int page) override;

    // The live marks of one monitor refresh, and where the engine runs for the tools.
    void showLive(std::span<const ControlMark> marks, const LiveCell& live, const PositionColumns& positions);
    // Once the Position page is made: its spin buttons, and its "All" boxes showing and taking
    // the choice kept here (the tools use it whether or not the page was ever shown).
    void wirePositions();
    [[nodiscard]] bool positionAll(std::size_t bank) const { return m_positionAll.at(bank); }
    void setPositionAll(std::size_t bank, bool all);
    // The page control showed another page.
    void pageChanged(int page);
    // Menu "Jet 1234": Separate, Coupled or 1=2=3=4.
    void chooseJetMode(Jet123Mode mode);
    // The status texts of the map editing follow the language.
    void setLanguage(Language language);
    [[nodiscard]] MapEditActions& editing() const { return *m_edit; }

    [[nodiscard]] MapGrid& grid() const { return *m_grid; }
    [[nodiscard]] MapPageCommands& commands() { return m_commands; }
    [[nodiscard]] static bool isMapPage(int page);

private:
    // MapPageHost
    void setMapGridVisible(bool visible) override;
    void selectPage(int page) override;
    void fillPage() override;
    void refreshView() override;

    void wireGrid();
    void tools(StepDirection direction);
    [[nodiscard]] int activePage() const;
    // Puts the grid onto the map page `page`.
    void placeGrid(int page);

    Parts m_parts;
    MapGrid* m_grid = nullptr;
    std::array<bool, kPositionBanks.size()> m_positionAll{}; // CheckBoxAll_PolohaA, CheckBoxAll_PolohaB
    std::array<QPointer<QCheckBox>, kPositionBanks.size()> m_positionAllBoxes;
    MapPageCommands m_commands;
    std::unique_ptr<MapEditActions> m_edit;
    LiveCell m_live;
    PositionColumns m_positions;
};

} // namespace quorvel
