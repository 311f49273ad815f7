#pragma once

#include <QTabWidget>

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
};

} // namespace quorvel
