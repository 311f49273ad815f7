#include "texts/menu_structure.h"

#include "texts/caption_table.h"

#include <algorithm>

namespace quorvel {
namespace {

using enum MenuCommand;

constexpr MenuItemSpec item(std::string_view name, MenuCommand command, std::string_view shortcut = {})
{
    return {.objectName = name, .command = command, .shortcut = shortcut};
}

constexpr MenuItemSpec fixedItem(std::string_view name, MenuCommand command, std::string_view caption,
                                 std::string_view shortcut = {})
{
    return {.objectName = name, .command = command, .shortcut = shortcut, .fixedCaption = caption};
}

constexpr MenuItemSpec checkItem(std::string_view name, MenuCommand command, CheckGroup group, bool checked = false)
{
    return {.objectName = name, .command = command, .checkGroup = group, .checkedAtStart = checked};
}

constexpr MenuItemSpec checkableItem(std::string_view name, MenuCommand command, std::string_view shortcut = {})
{
    return {.objectName = name, .command = command, .shortcut = shortcut, .checkable = true};
}

constexpr MenuItemSpec kSeparator{};

constexpr MenuItemSpec kFileItems[] = {
    item("MenuNew", New, "Ctrl+N"),
    item("MenuNewActPage", NewActPage),
    kSeparator,
    item("MenuOpen", Open, "F3"),
    item("MenuOpenExeDir", OpenExeDir),
    item("MenuOpenActPage", OpenActPage),
    kSeparator,
    item("MenuSave", Save, "F2"),
    item("MenuSaveExeDir", SaveExeDir),
    kSeparator,
    item("MenuCompareFile", CompareFile),
    item("MenuEndCompare", EndCompare),
    kSeparator,
    item("MenuStartLog", StartLog, "Ctrl+R"),
    item("MenuStopLog", StopLog, "Ctrl+Shift+R"),
    item("MenuOpenLog", OpenLog),
    kSeparator,
    item("MenuPrint", Print, "Ctrl+P"),
    kSeparator,
    item("MenuExit", Exit),
};

constexpr MenuItemSpec kDeviceItems[] = {
    item("MenuRead", Read, "F7"),         item("MenuVerify", Verify, "F8"),
    item("MenuProgram", Program, "F9"),   kSeparator,
    item("MenuCompareUnit", CompareUnit), item("MenuRestoreBackup", RestoreBackup),
};

constexpr MenuItemSpec kViewItems[] = {
    checkableItem("MenuView3D", View3D, "F6"),
    checkableItem("MenuViewCurve", ViewCurve, "Shift+F6"),
    kSeparator,
    item("MenuCurveRow", CurveOfRow),
    item("MenuCurveColumn", CurveOfColumn),
};

constexpr MenuItemSpec kJetModeItems[] = {
    checkItem("Menu_Jet123Normal", Jet123Normal, CheckGroup::JetMode, true),
    checkItem("Menu_Jet123Coupled", Jet123Coupled, CheckGroup::JetMode),
    {.objectName = "Menu_Jet123Stejny",
     .command = Jet123Stejny,
     .checkGroup = CheckGroup::JetMode,
     .fixedCaption = "1=2=3=4"},
};

constexpr MenuItemSpec kToolsItems[] = {
    fixedItem("MenuToolsMinus", ToolsMinus, "Minus ", "F4"),
    fixedItem("MenuToolsPlus", ToolsPlus, "Plus", "F5"),
    item("MenuZpet", Undo, "Ctrl+Z"),
    item("MenuZnovu", Redo, "Ctrl+Alt+Z"),
    kSeparator,
    item("MenuLiveTuning", LiveTuning, "Ctrl+T"),
};

// English is checked at start as the language index starts at 0; applying a language moves it.
constexpr MenuItemSpec kLanguageItems[] = {
    {.objectName = "MenuEnglish",
     .command = LanguageEnglish,
     .checkGroup = CheckGroup::Language,
     .checkedAtStart = true,
     .designHint = "|Set Englich menu"},
    checkItem("MenuGerman", LanguageGerman, CheckGroup::Language),
    checkItem("MenuFrench", LanguageFrench, CheckGroup::Language),
    checkItem("MenuCzech", LanguageCzech, CheckGroup::Language),
};

constexpr MenuItemSpec kHelpItems[] = {
    item("MenuContens", Contents, "F1"),
    item("MenuAbout", About),
};

// The service tools have no shortcuts: without the menu they cannot be reached at all.
constexpr MenuItemSpec kServiceItems[] = {
    fixedItem("MenuSaveAllNew", SaveAllNew, "Save All New"),
    fixedItem("MenuCompareAll", CompareAll, "Compare All New"),
    fixedItem("OpenOldMaps", OpenOldMaps, "Open old maps"),
    fixedItem("MenuServisUlozProcenta", SavePercentMaps, "Uloz Map %"),
};

constexpr MenuSpec kMenus[] = {
    {.objectName = "MenuFile", .items = kFileItems},
    {.objectName = "MenuCom", .portItems = true},
    {.objectName = "MenuDevice", .items = kDeviceItems},
    {.objectName = "Menu_Jet123Mode", .items = kJetModeItems},
    {.objectName = "MenuTools", .items = kToolsItems},
    {.objectName = "MenuView", .items = kViewItems},
    {.objectName = "MenuLanguage", .items = kLanguageItems},
    {.objectName = "MenuHelp", .items = kHelpItems, .designHint = "Not available jet"},
    {.objectName = "MenuServis", .items = kServiceItems, .fixedCaption = "Servis", .serviceOnly = true},
};

constexpr ToolButtonSpec kToolBar[] = {
    {"SpeedButton6", New, "document-new"},
    {"SpeedButton5", Open, "document-open"},
    {"SpeedButton7", Save, "document-save"},
    {"SpeedButtonPrint", Print, "document-print"},
    {"SpeedButtonZpet", Undo, "edit-undo"},
    {"SpeedButtonZnovu", Redo, "edit-redo"},
    {"ButtonRead", Read, {}},
    {"ButtonVerify", Verify, {}},
    {"ButtonProgram", Program, {}},
    {"SpeedButtonLog", RecordLog, "media-record", true},
    {"ToolButtonView3D", View3D, "view-3d", true},
    {"ToolButtonViewCurve", ViewCurve, "office-chart-line", true},
};

constexpr std::uint8_t kJetCoupledMode = 1;
constexpr std::uint8_t kJetSameMode = 2;

std::string_view fixedCaptionOf(std::string_view objectName)
{
    for (const MenuSpec& menu : kMenus) {
        if (menu.objectName == objectName)
            return menu.fixedCaption;
        const auto item = std::ranges::find(menu.items, objectName, &MenuItemSpec::objectName);
        if (item != menu.items.end())
            return item->fixedCaption;
    }
    return {};
}

} // namespace

std::span<const MenuSpec> mainMenus()
{
    return kMenus;
}

std::span<const ToolButtonSpec> toolBar()
{
    return kToolBar;
}

std::string_view menuCaption(std::string_view objectName, Language language)
{
    const std::string_view fixed = fixedCaptionOf(objectName);
    if (!fixed.empty())
        return fixed;
    return CaptionTable::find(objectName, CaptionKind::MenuCaption, language).value_or(std::string_view{});
}

std::string_view jetModeMenuItem(std::uint8_t jet123Mode)
{
    switch (jet123Mode) {
    case kJetCoupledMode:
        return kJetModeItems[1].objectName;
    case kJetSameMode:
        return kJetModeItems[2].objectName;
    default:
        return kJetModeItems[0].objectName;
    }
}

} // namespace quorvel
