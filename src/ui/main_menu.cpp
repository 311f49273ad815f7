#include "ui/main_menu.h"

#include "core/serial_port.h"
#include "ui/hint_text.h"

#include <QMenu>

#include <stdexcept>
#include <string>

namespace quorvel {
namespace {

struct MenuSpec {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
};

// An item; an empty name is a separator.
struct ItemSpec {
    std::string_view menu;
    std::string_view name;
    std::string_view caption;
    std::string_view shortcut;
    std::string_view hint;
};

constexpr std::array kMenus{
    MenuSpec{"MenuFile", "&File", ""},       MenuSpec{"MenuCom", "&Com", "Set number of com"},
    MenuSpec{"MenuDevice", "&Ignition", ""}, MenuSpec{"Menu_Jet123Mode", "Jet 1234", ""},
    MenuSpec{"MenuTools", "&Tools", ""},     MenuSpec{"MenuServis", "Servis", ""},
};

constexpr std::array kItems{
    ItemSpec{"MenuFile", "MenuNew", "&New", "Ctrl+N", "Set default parametrs"},
    ItemSpec{"MenuFile", "MenuNewActPage", "New for actual page", "", ""},
    ItemSpec{"MenuFile", "", "", "", ""},
    ItemSpec{"MenuFile", "MenuOpen", "&Open", "F3", "Open file with parametrs"},
    ItemSpec{"MenuFile", "MenuOpenExeDir", "Open from exe dir", "", ""},
    ItemSpec{"MenuFile", "MenuOpenActPage", "Open for actual page", "", ""},
    ItemSpec{"MenuFile", "", "", "", ""},
    ItemSpec{"MenuFile", "MenuSave", "&Save", "F2", "Save parametrs to file"},
    ItemSpec{"MenuFile", "MenuSaveExeDir", "Save to exe dir", "", ""},
    ItemSpec{"MenuFile", "", "", "", ""},
    ItemSpec{"MenuFile", "MenuExit", "E&xit", "", "End of program"},
    ItemSpec{"MenuDevice", "MenuRead", "&Read", "F7", "Reading parametrs from ignition"},
    ItemSpec{"MenuDevice", "MenuVerify", "&Verify", "F8", "Compare set parametrs  with parametrs of ignition"},
    ItemSpec{"MenuDevice", "MenuProgram", "&Program", "F9", "Programing  set parametrs to ignition"},
    ItemSpec{"Menu_Jet123Mode", "Menu_Jet123Normal", "Separate", "", ""},
    ItemSpec{"Menu_Jet123Mode", "Menu_Jet123Coupled", "Coupled", "", ""},
    ItemSpec{"Menu_Jet123Mode", "Menu_Jet123Stejny", "1=2=3=4", "", ""},
    ItemSpec{"MenuTools", "MenuToolsMinus", "Minus ", "F4", ""},
    ItemSpec{"MenuTools", "MenuToolsPlus", "Plus", "F5", ""},
    ItemSpec{"MenuTools", "MenuZpet", "Undo", "Ctrl+Z", ""},
    ItemSpec{"MenuTools", "MenuZnovu", "Redo", "Ctrl+Alt+Z", ""},
    ItemSpec{"MenuServis", "MenuSaveAllNew", "Save All New", "", ""},
    ItemSpec{"MenuServis", "MenuCompareAll", "Compare All New", "", ""},
    ItemSpec{"MenuServis", "OpenOldMaps", "Open old maps", "", ""},
    ItemSpec{"MenuServis", "MenuServisUlozProcenta", "Uloz Map %", "", ""},
};

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MainMenu::MainMenu(QMenuBar& bar)
    : m_bar(bar)
{
    m_bar.setObjectName("MainMenu1");
    for (const MenuSpec& spec : kMenus) {
        QMenu* menu = m_bar.addMenu(qText(spec.caption));
        menu->setObjectName(qText(spec.name));
        menu->menuAction()->setObjectName(qText(spec.name));
        if (!spec.hint.empty())
            setHint(*menu->menuAction(), spec.hint);
    }
    m_jetModes = new QActionGroup(&m_bar);
    for (const ItemSpec& spec : kItems) {
        auto* menu = m_bar.findChild<QMenu*>(qText(spec.menu));
        if (spec.name.empty()) {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(qText(spec.caption));
        item->setObjectName(qText(spec.name));
        if (!spec.shortcut.empty())
            item->setShortcut(QKeySequence(qText(spec.shortcut)));
        if (!spec.hint.empty())
            setHint(*item, spec.hint);
        if (spec.menu == "Menu_Jet123Mode") {
            item->setCheckable(true);
            m_jetModes->addAction(item);
        }
    }
    auto* comMenu = m_bar.findChild<QMenu*>("MenuCom");
    for (int entry = 0; entry < kComEntries; ++entry) {
        QAction* item = comMenu->addAction(QString::fromStdString(SerialPort::menuCaption(entry)));
        item->setObjectName(QStringLiteral("MenuCom_Uni%1").arg(entry));
        item->setCheckable(true);
        m_comEntries.at(static_cast<std::size_t>(entry)) = item;
    }
}

QAction& MainMenu::action(std::string_view name) const
{
    auto* found = m_bar.findChild<QAction*>(qText(name));
    if (found == nullptr)
        throw std::logic_error("no menu item " + std::string(name));
    return *found;
}

void MainMenu::checkComEntry(int entry)
{
    for (int at = 0; at < kComEntries; ++at)
        comEntry(at).setChecked(at == entry);
}

void MainMenu::setServiceVisible(bool visible)
{
    QAction& menu = action("MenuServis");
    menu.setVisible(visible);
    menu.setEnabled(visible);
}

} // namespace quorvel
