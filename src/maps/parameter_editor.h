#pragma once

#include "core/message_texts.h"
#include "core/monitor_snapshot.h"
#include "core/param_image.h"
#include "core/sanitise.h"
#include "maps/editor_host.h"
#include "maps/map_page_hook.h"
#include "maps/tune_writer.h"
#include "maps/undo_history.h"
#include "model/bike_commands.h"
#include "model/controls.h"
#include "model/injection_tables.h"
#include "model/jet_coupling.h"
#include "model/page_binding.h"
#include "model/user_prompts.h"

#include <string>

namespace quorvel {

// What the editor works on and talks to; the main window owns all of it.
struct EditorParts {
    ParamImage& image;
    InjectionTables& tables;
    Controls& controls;
    MapPageHook& mapPages;
    EditorHost& host;
    UserPrompts& prompts;
    const MessageTexts& texts;
    const MonitorSnapshot& live; // the last monitor frame
    OutsideSettings& settings;   // kept in range by every sanitise
    TuneWriter& writer;          // where every change of the pages ends
};

// The editing of the parameter image page by page: it binds the active page to the image, hands
// every change of the static pages to the tune writer (which sanitises, shows the image again,
// records the change for undo and programs it when ticked), and reacts to the gestures the
// window forwards. The window owns one and forwards its control events; the editor never shows
// a widget itself.
//
// A value typed into a field is never lost: when the field loses its focus or the page changes,
// what the user typed is committed like a confirmed value (fieldEditingFinished, changePage).
class ParameterEditor final : private BikeCommandHost {
public:
    explicit ParameterEditor(const EditorParts& parts);
    ParameterEditor(const ParameterEditor&) = delete;
    ParameterEditor& operator=(const ParameterEditor&) = delete;
    ParameterEditor(ParameterEditor&&) = delete;
    ParameterEditor& operator=(ParameterEditor&&) = delete;
    ~ParameterEditor() override = default;

    // Start-up, once the controls exist: the ranges of the static fields, the first fill of
    // `page` and the first undo entry.
    void start(int page);

    [[nodiscard]] int activePage() const override { return m_page; }
    [[nodiscard]] JetCoupling coupling() const { return m_coupling; }
    // Whether the last defaults run was for the active page only: the window keeps it for the
    // page-only loads.
    void setPageOnlyLoad(bool pageOnly) override { m_host.setPageOnlyLoad(pageOnly); }
    // The memo's code page and the captions of the idle page follow the language.
    void setLanguage(Language language) { m_language = language; }

    // The binding of the active page.
    void collectPage();
    void fillPage();
    void refreshView();
    // Sanitises the image and shows the calibration warnings of the Sensors page.
    void sanitise();
    // The end of every change: the writer sanitises, fills the page twice, takes an undo snapshot.
    void afterChange() override;
    // Records an undo entry when the image changed (through the writer, which marks the changed
    // blocks and programs them when "Programming after change" is ticked).
    void takeSnapshot();
    // The image was replaced as a whole (read from the unit, a file opened): the percent
    // tables follow the stored maps and the page shows the new image. Nothing is recorded; the
    // next recorded change carries what came in.
    void imageReplaced();

    // The page control's change. A value typed on the page being left is committed first.
    void changePage(int page);

    // Edit events of the static pages: an up-down arrow (after the position stepped), a click
    // into an edit field, Enter in an edit field (after the window moved the focus on).
    void upDownClicked();
    void editClicked();
    void enterPressed();
    // An edit field, check box or the memo lost the focus: a value the user changed and did
    // not confirm is committed. Nothing happens when the page shows what the image holds.
    void fieldEditingFinished();
    // The mouse button released over one of the page check boxes or the options.
    void checkBoxReleased();
    // A radio group of a page: the choice is stored at once.
    void radioClicked(ControlKey radioGroup, int item);
    // The user picked a bike in the bike list (not a programmatic selection).
    void bikeSelected(int position);

    // "<- Gear 0" .. "<- Gear 6".
    void learnGear(int gear);
    // "<- TPS 0 %" and "<- TPS 100 %": the throttle voltage of the last monitor frame.
    void learnTps0();
    void learnTps100();

    void undo();
    void redo();

    [[nodiscard]] BikeCommands& bikeCommands() { return m_bikeCommands; }
    [[nodiscard]] const UndoHistory& history() const { return m_writer.history(); }

private:
    // BikeCommandHost
    [[nodiscard]] int selectedBikePosition() const override;
    void forgetTransferAndFile() override;
    void applyCaptions() override;

    [[nodiscard]] static bool isStaticPage(int page);
    void commitEdit();
    void fillBikePage();
    void collectMemo();
    void rememberFilledState();
    [[nodiscard]] bool pageChangedSinceFill();
    void chooseIdleMode(int mode);
    [[nodiscard]] bool programAfterChange() const;

    ParamImage& m_image;
    InjectionTables& m_tables;
    Controls& m_controls;
    MapPageHook& m_mapPages;
    EditorHost& m_host;
    const MessageTexts& m_texts;
    const MonitorSnapshot& m_live;
    OutsideSettings& m_settings;
    TuneWriter& m_writer;
    PageBinding m_binding;
    BikeCommands m_bikeCommands;

    int m_page = 0;
    bool m_leavingPage = false; // the page left is committed
    JetCoupling m_coupling;
    Language m_language = Language::English;
    PageControlState m_filled; // what the static page showed after its last fill
    std::string m_filledMemo;
};

} // namespace quorvel
