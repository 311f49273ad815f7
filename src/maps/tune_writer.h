#pragma once

#include "core/param_image.h"
#include "io/decimal_text.h"
#include "io/map_sheet.h"
#include "maps/grid_cell.h"
#include "maps/undo_history.h"
#include "model/field_table.h"
#include "model/injection_tables.h"
#include "model/map_cell_rules.h"
#include "model/map_edit_status.h"
#include "model/map_layout.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace quorvel {

// What is done with a value outside its cell's or field's range.
enum class RangePolicy : std::uint8_t {
    Refuse, // nothing is written; the refusal names the place and the range
    Hold,   // the value is held at the end of the range it went beyond, and counted
};

// One value for one cell of a map: numerator / denominator in the unit it was given in, exact,
// so that rounding to the cell's step rounds what was given.
struct CellInput {
    GridCell cell;
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// What a write did. A refused write changed nothing.
struct TuneWrite {
    std::optional<MapEditStatus> refusal;
    int cells = 0;   // cells given a value
    int changed = 0; // cells whose value on the page moved
    int held = 0;    // values held at the end of their range
    bool imageChanged = false;
};

// What a write of one parameter did; `stored` is the shown value the field holds now.
struct FieldWrite {
    std::optional<MapEditStatus> refusal;
    int stored = 0;
    bool rounded = false; // the value given was not one the field holds: the nearest was stored
};

// What a write of cells did, as the status line says it: `done` with the cells changed (or the
// cells given, for a paste), the values held when there were any, or why nothing was written.
[[nodiscard]] MapEditStatus writeStatus(const TuneWrite& written, MapEditMessage done);

// The side of the writer that shows the image and talks to the unit: the main window, or
// nothing at all on the command line.
class TuneHost {
public:
    virtual ~TuneHost() = default;
    // Stores what the controls of the active page hold (a confirmed field, the grid's heads).
    virtual void collectPage() = 0;
    // Sanitises the image and shows it again on the active page.
    virtual void showImage() = 0;
    // An undo or redo step made the image that of a change on `page`: that page shows it.
    virtual void showRestored(int page) = 0;
    // The undo ring moved: Undo and Redo follow it.
    virtual void historyMoved() = 0;
    // The page a change is made on, which an undo step of it shows again: the page whose
    // controls are bound (while a page is left, the page left).
    [[nodiscard]] virtual int pageOfChange() const = 0;
    // "Programming after change".
    [[nodiscard]] virtual bool programsAfterChange() const = 0;
    // Programs the pending blocks. The first write to the unit in a connection reads the unit and
    // keeps what it held as a backup before anything is written.
    virtual void programPendingBlocks() = 0;
};

// The one way the tune changes. Every source of an edit (typed cells and fields, the cell
// arrows, F4 / F5, the map operations, paste, map files, RPM re-binning, the Position tools,
// old maps, page loads, the Jet 1234 menu, accepted log proposals, backups, the command line)
// ends here, so that each keeps the same guards:
//  - values come in the unit they were given in and are converted to what the image stores;
//  - the coupling of the A maps carries an edit of Inj. 1 as a typed cell does;
//  - a value outside its range is refused with the place and the range named (or, where the
//    source chose so, held at the range's end and counted), and a refusal changes nothing;
//  - a change is sanitised, shown, recorded as one undo step, and marks only the blocks that
//    changed as pending;
//  - with "Programming after change" the pending blocks go to the unit, the unit's tune kept as
//    a backup before the first write of a connection (the host's part).
class TuneWriter {
public:
    TuneWriter(ParamImage& image, InjectionTables& tables, TuneHost& host);
    TuneWriter(const TuneWriter&) = delete;
    TuneWriter& operator=(const TuneWriter&) = delete;
    TuneWriter(TuneWriter&&) = delete;
    TuneWriter& operator=(TuneWriter&&) = delete;
    ~TuneWriter() = default;

    // The image as it is becomes the first and only undo entry, taken on `page`.
    void start(int page);

    // Cells of `map`. Refused without a change on a map that follows Inj. 1 in the coupling.
    TuneWrite writeCells(const MapLayout& map, CellUnit unit, std::span<const CellInput> values, RangePolicy policy);
    // A whole map with its heads (a map file, a pasted sheet): the RPM heads, the pressure rows
    // on "Inj-IAP", then every cell against the references of the new heads.
    TuneWrite writeMap(const MapLayout& map, const SheetValues& sheet, CellUnit unit, RangePolicy policy);
    // One element of a parameter, by its shown value; rounded to the nearest value the field
    // holds, refused outside the range of its control.
    FieldWrite writeField(const Field& field, int element, DecimalNumber shown);

    // Ends a change the source made to the image itself (a tool on the stored maps, a file, the
    // defaults, an old map): sanitise, show, record.
    void commit();
    // The controls of the page hold the change (a confirmed field, an RPM head): they are
    // collected first.
    void commitPage();
    // The image was replaced as a whole (a backup, a read): the percentages follow the stored maps
    // before the change is ended.
    void commitReplaced();
    // A mode switch stored at once, shown by its own view refresh: only recorded.
    void record();
    // Runs `change` on the image with the page's controls collected first, then ends it.
    void change(const std::function<void(ParamImage&, InjectionTables&)>& edit);

    void undo();
    void redo();
    [[nodiscard]] const UndoHistory& history() const { return m_history; }
    // What the sources read to work out their values.
    [[nodiscard]] const ParamImage& image() const { return m_image; }
    [[nodiscard]] const InjectionTables& tables() const { return m_tables; }

private:
    void restored(const std::optional<UndoHistory::Restored>& restored);
    void programIfTicked(bool changed);
    // Stores `cells` (grid values) into the map through its page, as a typed page stores them.
    TuneWrite store(const MapLayout& map, const std::function<TuneWrite(ParamImage&, InjectionTables&)>& edit);

    ParamImage& m_image;
    InjectionTables& m_tables;
    TuneHost& m_host;
    UndoHistory m_history;
};

} // namespace quorvel
