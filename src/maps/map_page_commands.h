#pragma once

#include "core/param_image.h"
#include "maps/map_tools.h"
#include "maps/position_tools.h"
#include "maps/tune_writer.h"
#include "model/injection_tables.h"
#include "model/jet_coupling.h"

#include <array>

namespace quorvel {

// What the map commands need of the window and the page binding. The window implements it with
// its widgets; the tests record the calls.
class MapPageHost {
public:
    virtual ~MapPageHost() = default;

    // GroupBoxMap_Uni: hidden while a page switch or a mode change rebuilds the grid, so that
    // half-configured rows never show.
    virtual void setMapGridVisible(bool visible) = 0;
    // Makes `page` the active page index without filling it.
    virtual void selectPage(int page) = 0;
    // Shows the image on the active page; ends with refreshView.
    virtual void fillPage() = 0;
    virtual void refreshView() = 0;
};

// What Tools Minus and Plus read besides the image: the page, its "All" flag and where the
// engine runs now.
struct ToolContext {
    int page = 0;
    bool wholeMap = false; // AllFlags[page]
    LiveCell live;
    PositionColumns positions;
    std::array<bool, kPositionBanks.size()> positionAll{}; // CheckBoxAll_PolohaA, CheckBoxAll_PolohaB
};

// The event handlers of the map pages, in the order the window runs them: each hides and shows
// the grid through the host and hands its change to the tune writer, which stores, shows and
// records it.
class MapPageCommands {
public:
    MapPageCommands(TuneWriter& writer, ParamImage& image, MapPageHost& host);
    MapPageCommands(const MapPageCommands&) = delete;
    MapPageCommands& operator=(const MapPageCommands&) = delete;

    // PageControl1Change: the grid stays hidden while the new page is filled (the page left
    // keeps what was typed there: the page binding commits it first).
    void pageChanged(int page);
    // MenuToolsMinusClick / MenuToolsPlusClick (F4 / F5, the tools spin). On the Position page
    // the spins of bank A and then bank B, each with its own afterChange.
    void tools(StepDirection direction, const ToolContext& context);
    // CSpinButtonDownClick_Uni / CSpinButtonUpClick_Uni of column `column`.
    void columnSpin(int page, int column, StepDirection direction);
    // ButtonMinusClick_PolohaA ... ButtonPlusClick_PolohaB.
    void positionSpin(PositionBank bank, StepDirection direction, bool all, const PositionColumns& live);
    // CheckBoxProcentaMouseUp with the box's new state.
    void percentSwitch(int page, bool checked);
    // RadioGroupServoModeClick and CheckBoxServoEnableMouseUp on a servo page.
    void servoMode(int page, int item);
    void servoEnable(int page, bool checked);
    // Menu_Jet123NormalClick, Menu_Jet123CoupledClick, Menu_Jet123StejnyClick.
    void jet123(Jet123Mode mode, int activePage);
    // CheckBoxTps_UniMouseUp: "TPS" or "Ms" toggled.
    void gridOptionClick();

private:
    // Stores a control's shown value into the field it edits on `page`.
    void storeControl(std::string_view controlName, int page, int shown);

    TuneWriter& m_writer;
    ParamImage& m_image;
    MapPageHost& m_host;
};

} // namespace quorvel
