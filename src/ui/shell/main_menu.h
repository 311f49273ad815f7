#pragma once

#include "texts/menu_structure.h"

#include <QActionGroup>
#include <QMenuBar>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The main menu MainMenu1, built from the menu structure: every menu and item carries its name
// as objectName, its fixed shortcut, the English caption until a language is applied, and its
// design hint. The COM menu gets one entry per port and "Com Auto"; the service menu is shown
// only in test mode. The window connects the items to its commands by name.
class MainMenu {
public:
    static constexpr int kComEntries = 21;

    explicit MainMenu(QMenuBar& bar);
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // The item or menu of that name; a name the menu does not hold is a programming error.
    [[nodiscard]] QAction& action(std::string_view name) const;
    // The menu of that name, for the parts that add their own items (the map editing).
    [[nodiscard]] QMenu& menu(std::string_view name) const;
    [[nodiscard]] QAction& comEntry(int entry) const { return *m_comEntries.at(static_cast<std::size_t>(entry)); }
    // "Virtual unit", below the COM entries: the unit built into the program.
    [[nodiscard]] QAction& virtualUnitEntry() const { return *m_virtualUnit; }

    // Exactly one entry carries the check mark: the COM entry `entry`, or the virtual unit.
    void checkComEntry(int entry, bool virtualUnit = false);
    // The COM entries' captions as the system has its ports now (SerialPort::menuCaptions).
    void setComCaptions(const std::vector<std::string>& captions);
    void setServiceVisible(bool visible);

private:
    void addItems(QMenu& menu, const MenuSpec& entry);
    void addComEntries(QMenu& menu);

    QMenuBar& m_bar;
    std::array<QAction*, kComEntries> m_comEntries{};
    QAction* m_virtualUnit = nullptr;
    QActionGroup* m_jetModes = nullptr;
    QActionGroup* m_languages = nullptr;
};

} // namespace quorvel
