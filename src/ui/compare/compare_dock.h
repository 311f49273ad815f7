#pragma once

#include "core/message_texts.h"
#include "model/image_compare.h"
#include "texts/compare_captions.h"
#include "ui/compare/compare_source.h"

#include <QDockWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace quorvel {

// How much of the unit a comparison with it could see in this connection.
enum class UnitCoverage : std::uint8_t { Whole, Part, None };

struct CompareListing {
    CompareSource source = CompareSource::File;
    std::string fileName;                        // the reference file, for CompareSource::File
    UnitCoverage coverage = UnitCoverage::Whole; // for the unit
    std::vector<Difference> differences;         // in the order compareImages gives them
    NameContext names;                           // of the set on screen, for the captions
};

// DockWidgetCompare: the list of the values that differ, one line per value with its page, the
// caption it stands under on that page in the language with its unit, and both values in shown
// units. A double-click (or Enter) on a line hands its page and
// control to the window, which shows them; values no page shows are listed but lead nowhere.
class CompareDock final : public QDockWidget {
public:
    // The caption of a page as its tab shows it in the current language.
    using PageName = std::function<QString(int page)>;
    using JumpHandler = std::function<void(int page, const FieldControl& control)>;

    CompareDock(PageName pageName, Language language, QWidget* parent = nullptr);

    void setJumpHandler(JumpHandler handler) { m_jump = std::move(handler); }
    void showListing(CompareListing listing);
    // "End compare": nothing is listed any more.
    void clear();
    // Also after the tabs took the language's captions: the page column reads them.
    void setLanguage(Language language);

    [[nodiscard]] const CompareListing& listing() const { return m_listing; }
    [[nodiscard]] QTableWidget& table() const { return *m_table; }
    [[nodiscard]] QString heading() const;
    [[nodiscard]] QString summary() const;

private:
    void fillRows();
    void applyTexts();
    void jumpTo(int row) const;
    [[nodiscard]] QString text(std::string_view key) const;

    PageName m_pageName;
    Language m_language;
    CompareListing m_listing;
    JumpHandler m_jump;
    bool m_shown = false; // a listing is shown, empty or not
    QLabel* m_heading = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
};

} // namespace quorvel
