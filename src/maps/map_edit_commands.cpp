#include "maps/map_edit_commands.h"

#include "io/map_csv.h"
#include "maps/map_clipboard.h"
#include "maps/rpm_axis_rebin.h"
#include "model/map_cell_rules.h"

#include <cassert>

namespace quorvel {

using enum MapEditMessage;

MapEditCommands::MapEditCommands(const MapEditParts& parts)
    : m_writer(parts.writer)
    , m_image(parts.image)
    , m_tables(parts.tables)
    , m_grid(parts.grid)
    , m_selection(parts.selection)
{
}

const MapLayout& MapEditCommands::map() const
{
    const MapLayout* shown = MapTable::ofPage(m_grid.page());
    assert(shown != nullptr);
    return *shown;
}

std::string_view MapEditCommands::unitName() const
{
    return quorvel::unitName(m_image, map(), unit());
}

MapOperations MapEditCommands::operations()
{
    m_selection.setLayout(m_grid.layout());
    return {m_grid, m_selection};
}

MapEditStatus MapEditCommands::write(const MapEdit& edit, RangePolicy policy)
{
    if (edit.refusal)
        return *edit.refusal;
    return writeStatus(m_writer.writeCells(map(), edit.unit, edit.values, policy), CellsChanged);
}

// A value the user asks for is refused outside its range; a change worked out from the values
// there (a sum, a share, a step) is held at the range's end and counted.
MapEditStatus MapEditCommands::setValue(double value)
{
    return write(operations().setValue(value), RangePolicy::Refuse);
}

MapEditStatus MapEditCommands::add(double delta)
{
    return write(operations().add(delta), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::subtract(double amount)
{
    return write(operations().add(-amount), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::scale(double percent)
{
    return write(operations().scale(percent), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::interpolate(InterpolationAxis axis)
{
    return write(operations().interpolate(axis), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::smooth()
{
    return write(operations().smooth(), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::fillWithLiveCell(const LiveCell& live)
{
    return write(operations().fillWithLiveCell(live), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::step(StepDirection direction)
{
    return write(operations().step(direction), RangePolicy::Hold);
}

MapEditStatus MapEditCommands::typeCell(GridCell cell, DecimalNumber value)
{
    const CellInput input{cell, value.numerator, value.denominator};
    return writeStatus(m_writer.writeCells(map(), unit(), std::span(&input, 1), RangePolicy::Refuse), CellsChanged);
}

std::string MapEditCommands::copySelection()
{
    m_selection.setLayout(m_grid.layout());
    return quorvel::copySelection(m_grid, m_selection);
}

std::string MapEditCommands::copyMapWithHeads() const
{
    return quorvel::copyMapWithHeads(m_grid, map().name, unitName());
}

MapEditStatus MapEditCommands::paste(std::string_view text)
{
    m_selection.setLayout(m_grid.layout());
    const Paste pasted = readPaste(m_grid, m_selection, text, sheetTarget(m_image, map(), unit()));
    if (pasted.refusal)
        return *pasted.refusal;
    if (pasted.sheet) {
        const TuneWrite written =
            m_writer.writeMap(map(), pasted.sheet->values, unitOf(*pasted.sheet), RangePolicy::Refuse);
        return writeStatus(written, MapPasted);
    }
    const TuneWrite written = m_writer.writeCells(map(), pasted.block.unit, pasted.block.values, RangePolicy::Refuse);
    return writeStatus(written, CellsPasted);
}

std::array<int, kMapColumns> MapEditCommands::rpmHeads() const
{
    std::array<int, kMapColumns> heads{};
    for (int c = 0; c < kMapColumns; ++c)
        heads[static_cast<std::size_t>(c)] = m_grid.rpmHead(c);
    return heads;
}

MapEditStatus MapEditCommands::changeRpmAxis(std::span<const int, kMapColumns> heads)
{
    const RebinOutcome outcome = rebinRpmAxis(m_image, m_tables, m_grid.page(), heads);
    if (outcome.refusal)
        return *outcome.refusal;
    if (!outcome.changed)
        return {NothingChanged};
    m_writer.commit();
    return {RpmAxisChanged};
}

std::string MapEditCommands::exportCsv() const
{
    return exportMapCsv(m_image, m_tables, map(), unit());
}

MapEditStatus MapEditCommands::importCsv(std::string_view text)
{
    const SheetRead read = readMapCsv(text, m_image, map(), unit());
    if (read.error)
        return *read.error;
    return writeStatus(m_writer.writeMap(map(), read.values, unitOf(read), RangePolicy::Refuse), MapImported);
}

} // namespace quorvel
