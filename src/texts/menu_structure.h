#pragma once

#include "core/message_texts.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel {

// What a menu item or tool button does; the window connects each to its handler.
enum class MenuCommand : std::uint8_t {
    New,
    NewActPage,
    Open,
    OpenExeDir,
    OpenActPage,
    Save,
    SaveExeDir,
    Print,
    Exit,
    Read,
    Verify,
    Program,
    Jet123Normal,
    Jet123Coupled,
    Jet123Stejny,
    ToolsMinus,
    ToolsPlus,
    Undo,
    Redo,
    LanguageEnglish,
    LanguageGerman,
    LanguageFrench,
    LanguageCzech,
    Contents,
    About,
    SaveAllNew,
    CompareAll,
    OpenOldMaps,
    SavePercentMaps,
    CompareFile,
    EndCompare,
    CompareUnit,
    RestoreBackup,
    StartLog,
    StopLog,
    RecordLog, // the tool bar's record button: start or stop
    OpenLog,
    View3D,
    ViewCurve,
    CurveOfRow,
    CurveOfColumn,
    LiveTuning,
};

// Items of one check group are exclusive: exactly one carries the check mark.
enum class CheckGroup : std::uint8_t { None, JetMode, Language };

struct MenuItemSpec {
    std::string_view objectName{}; // empty: a separator
    MenuCommand command = MenuCommand::New;
    std::string_view shortcut{}; // key text as "Ctrl+Alt+Z" or "F9"; fixed in every language
    CheckGroup checkGroup = CheckGroup::None;
    bool checkedAtStart = false;
    std::string_view fixedCaption{}; // the same in every language; empty: the caption table has it
    std::string_view designHint{};   // a hint no language replaces
    bool checkable = false;          // shows a state of its own (a view shown), outside any group

    [[nodiscard]] constexpr bool isSeparator() const { return objectName.empty(); }
};

struct MenuSpec {
    std::string_view objectName{};
    std::span<const MenuItemSpec> items{};
    std::string_view fixedCaption{};
    std::string_view designHint{};
    bool serviceOnly = false; // present only in test mode, so neither shown nor reachable otherwise
    bool portItems = false;   // the items are the serial ports, built when the window starts
};

// A tool button either shows a picture (a freedesktop icon name) or a caption from the table.
struct ToolButtonSpec {
    std::string_view objectName{};
    MenuCommand command;
    std::string_view iconName{}; // empty: a captioned button
    bool checkable = false;      // stays down while its state is on (recording, a view shown)
};

// The main menu bar from left to right.
[[nodiscard]] std::span<const MenuSpec> mainMenus();
// The tool bar `GroupBoxToolBar` from left to right.
[[nodiscard]] std::span<const ToolButtonSpec> toolBar();

// The caption of a menu or item in a language: its fixed caption or the caption table's.
[[nodiscard]] std::string_view menuCaption(std::string_view objectName, Language language);

// The item of the "Jet 1234" menu that is checked for a Jet123Mode value; any value but 1 and 2
// behaves as the separate maps.
[[nodiscard]] std::string_view jetModeMenuItem(std::uint8_t jet123Mode);

} // namespace quorvel
