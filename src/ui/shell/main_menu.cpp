#include "ui/shell/main_menu.h"

#include "core/serial_port.h"
#include "ui/binding/hint_text.h"

#include <QMenu>

#include <stdexcept>
#include <string>

namespace quorvel {
namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString englishCaption(std::string_view name)
{
    return qText(menuCaption(name, Language::English));
}

} // namespace

MainMenu::MainMenu(QMenuBar& bar)
    : m_bar(bar)
    , m_jetModes(new QActionGroup(&bar))
    , m_languages(new QActionGroup(&bar))
{
    m_bar.setObjectName("MainMenu1");
    for (const MenuSpec& entry : mainMenus()) {
        QMenu* menu = m_bar.addMenu(englishCaption(entry.objectName));
        menu->setObjectName(qText(entry.objectName));
        menu->menuAction()->setObjectName(qText(entry.objectName));
        if (!entry.designHint.empty())
            showHint(*menu->menuAction(), entry.designHint);
        if (entry.portItems)
            addComEntries(*menu);
        else
            addItems(*menu, entry);
        if (entry.serviceOnly)
            menu->menuAction()->setVisible(false);
    }
}

void MainMenu::addItems(QMenu& menu, const MenuSpec& entry)
{
    for (const MenuItemSpec& item : entry.items) {
        if (item.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(englishCaption(item.objectName));
        action->setObjectName(qText(item.objectName));
        if (!item.shortcut.empty())
            action->setShortcut(QKeySequence(qText(item.shortcut)));
        if (!item.designHint.empty())
            showHint(*action, item.designHint);
        if (item.checkable)
            action->setCheckable(true);
        if (item.checkGroup != CheckGroup::None) {
            action->setCheckable(true);
            action->setChecked(item.checkedAtStart);
            (item.checkGroup == CheckGroup::JetMode ? m_jetModes : m_languages)->addAction(action);
        }
    }
}

void MainMenu::addComEntries(QMenu& menu)
{
    for (int entry = 0; entry < kComEntries; ++entry) {
        QAction* item = menu.addAction(QString::fromStdString(SerialPort::menuCaption(entry)));
        item->setObjectName(QStringLiteral("MenuCom_Uni%1").arg(entry));
        item->setCheckable(true);
        m_comEntries.at(static_cast<std::size_t>(entry)) = item;
    }
    menu.addSeparator();
    m_virtualUnit = menu.addAction(englishCaption("MenuComVirtual"));
    m_virtualUnit->setObjectName(QStringLiteral("MenuComVirtual"));
    m_virtualUnit->setCheckable(true);
}

void MainMenu::setComCaptions(const std::vector<std::string>& captions)
{
    for (std::size_t entry = 0; entry < captions.size() && entry < m_comEntries.size(); ++entry)
        m_comEntries.at(entry)->setText(QString::fromStdString(captions[entry]));
}

QAction& MainMenu::action(std::string_view name) const
{
    auto* found = m_bar.findChild<QAction*>(qText(name));
    if (found == nullptr)
        throw std::logic_error("no menu item " + std::string(name));
    return *found;
}

QMenu& MainMenu::menu(std::string_view name) const
{
    auto* found = m_bar.findChild<QMenu*>(qText(name));
    if (found == nullptr)
        throw std::logic_error("no menu " + std::string(name));
    return *found;
}

void MainMenu::checkComEntry(int entry, bool virtualUnit)
{
    for (int at = 0; at < kComEntries; ++at)
        comEntry(at).setChecked(!virtualUnit && at == entry);
    m_virtualUnit->setChecked(virtualUnit);
}

void MainMenu::setServiceVisible(bool visible)
{
    QAction& menu = action("MenuServis");
    menu.setVisible(visible);
    menu.setEnabled(visible);
}

} // namespace quorvel
