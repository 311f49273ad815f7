#pragma once

#include "core/link_session.h"
#include "maps/file_compare.h"
#include "model/injection_tables.h"
#include "ui/compare/compare_source.h"

#include <QPointer>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace quorvel {

class CompareDock;
class ControlRegistry;
class Dialogs;
class MapGrid;

// "Compare with file...", "End compare" and "Compare with ignition": a second parameter set, or
// what the unit holds as this connection has seen it, beside the image. Every differing control
// and map cell of the page shown is marked, with both values in its tooltip, and the compare
// list names every difference; a double-click in it shows the value. The image is never touched.
// One comparison at a time: comparing with the unit ends a file's comparison and its marks. The
// list is computed anew after every fill and every transfer, so it never shows an old state.
class CompareCommands {
public:
    struct Parts {
        ParamImage& image;
        InjectionTables& tables;
        const LinkSession& session;
        const ControlRegistry& controls;
        MapGrid& grid;
        // Makes the compare list's dock; asked once, when a list is first shown.
        std::function<CompareDock&()> makeDock;
        Dialogs& dialogs;
        const MessageTexts& texts;
        std::function<Language()> language;
        std::function<std::string(std::string_view)> memoText; // the memo as the page shows it
        std::function<void(int page)> showPage;
        std::function<std::filesystem::path()> folder; // where files are offered first
    };

    explicit CompareCommands(Parts parts);

    void compareWithFile();
    void endCompare();
    // What Program would change in the unit, as far as this connection has seen the unit.
    void compareWithUnit();
    // A verify pass found the unit holding other values: list them.
    void showVerifyDifferences();

    // After every fill of `page` (an edit, a file, an undo): compare again and mark the page.
    void pageFilled(int page);
    // A Read, Verify or Program ended: what the unit holds is known anew.
    void transferEnded();
    // A comparison runs: "End compare" has something to end.
    [[nodiscard]] bool comparing() const;
    void setLanguage(Language language);

private:
    CompareDock& dock();
    [[nodiscard]] bool dockShown() const;
    void showUnitListing(CompareSource source);
    void refreshUnitListing();
    void refreshShownUnitListing();
    void markPage(int page);
    void clearMarks();
    void jumpTo(int page, const FieldControl& control);

    Parts m_parts;
    CompareDock* m_dock = nullptr; // owned by the window once made
    FileCompare m_compare;
    std::optional<CompareSource> m_unitListing; // the list shows the unit (or a verify) while the dock is open
    std::vector<QPointer<QWidget>> m_marked;
    int m_page = -1;
};

} // namespace quorvel
