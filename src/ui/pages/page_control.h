#pragma once

#include "core/page_index.h"

#include <QTabWidget>

#include <functional>
#include <set>
#include <span>

namespace quorvel {

// PageControl1: the pages of the main window in their fixed order (Bike, the nine map pages
// among the static ones, Tuning with its tab hidden, Monitor), then the second tuning sheet,
// hidden as well. The index of a page is its page index everywhere in the program.
class PageControl final : public QTabWidget {
public:
    // The page widget for each index is made here, except the pages given in by their owner.
    explicit PageControl(QWidget* monitorPage, QWidget* parent = nullptr);

    // The page itself, inside the scroll area that is the tab's widget.
    [[nodiscard]] QWidget& page(int index) const;
    // The index of the page shown; a hidden tab is never current.
    [[nodiscard]] int activePage() const { return currentIndex(); }

    // The controls of `pages` are made by `maker` when the page is first shown (before anyone
    // else hears of the change), or when someone needs the page before that.
    using PageMaker = std::function<void(int page)>;
    void makeOnFirstShow(std::span<const PageIndex> pages, PageMaker maker);
    void makePage(int page);
    [[nodiscard]] bool isMade(int page) const { return !m_toMake.contains(page); }
    [[nodiscard]] bool allMade() const { return m_toMake.empty(); }

private:
    std::set<int> m_toMake;
    PageMaker m_maker;
};

} // namespace quorvel
