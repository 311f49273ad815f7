#pragma once

#include "core/link_session.h"
#include "maps/file_compare.h"
#include "model/injection_tables.h"
#include "ui/compare_source.h"

#include <QPointer>

#include <filesystem>
#include <functional>
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
class CompareCommands {
public:
    struct Parts {
        ParamImage& image;
        InjectionTables& tables;
        const LinkSession& session;
        const ControlRegistry& controls;
        MapGrid& grid;
        CompareDock& dock;
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
    void setLanguage(Language language);

private:
    void showUnitListing(CompareSource source);
    void markPage(int page);
    void clearMarks();
    void jumpTo(int page, const FieldControl& control);

    Parts m_parts;
    FileCompare m_compare;
    std::vector<QPointer<QWidget>> m_marked;
    int m_page = -1;
};

} // namespace quorvel
