#include "maps/map_edit_commands.h"

#include "io/map_csv.h"
#include "maps/map_clipboard.h"
#include "maps/rpm_axis_rebin.h"
#include "model/map_cell_rules.h"

#include <cassert>

namespace quorvel {

using enum MapEditMessage;

MapEditCommands::MapEditCommands(const MapEditParts& parts)
    : m_image(parts.image)
    , m_tables(parts.tables)
    , m_grid(parts.grid)
    , m_selection(parts.selection)
    , m_host(parts.host)
{
}

const MapLayout& MapEditCommands::map() const
{
    const MapLayout* shown = MapTable::ofPage(m_grid.page());
    assert(shown != nullptr);
    return *shown;
}

MapOperations MapEditCommands::operations()
{
    m_selection.setLayout(m_grid.layout());
    return {m_grid, m_selection, cellRanges(m_image, map())};
}

MapEditStatus MapEditCommands::finish(const MapEdit& edit, MapEditMessage done, int count)
{
    if (edit.refusal)
        return *edit.refusal;
    if (edit.changed()) {
        m_host.collectPage();
        m_host.afterChange();
    }
    if (done == CellsChanged && !edit.changed())
        return {NothingChanged};
    return {done, count};
}

MapEditStatus MapEditCommands::finishEdit(const MapEdit& edit)
{
    return finish(edit, CellsChanged, static_cast<int>(edit.changes.size()));
}

MapEditStatus MapEditCommands::setValue(int value)
{
    return finishEdit(operations().setValue(value));
}

MapEditStatus MapEditCommands::add(int delta)
{
    return finishEdit(operations().add(delta));
}

MapEditStatus MapEditCommands::subtract(int amount)
{
    return finishEdit(operations().add(-amount));
}

MapEditStatus MapEditCommands::scale(double percent)
{
    return finishEdit(operations().scale(percent));
}

MapEditStatus MapEditCommands::interpolate(InterpolationAxis axis)
{
    return finishEdit(operations().interpolate(axis));
}

MapEditStatus MapEditCommands::smooth()
{
    return finishEdit(operations().smooth());
}

MapEditStatus MapEditCommands::fillWithLiveCell(const LiveCell& live)
{
    return finishEdit(operations().fillWithLiveCell(live));
}

MapEditStatus MapEditCommands::step(StepDirection direction)
{
    return finishEdit(operations().step(direction));
}

std::string MapEditCommands::copySelection()
{
    m_selection.setLayout(m_grid.layout());
    return quorvel::copySelection(m_grid, m_selection);
}

std::string MapEditCommands::copyMapWithHeads() const
{
    return quorvel::copyMapWithHeads(m_grid, map().name, shownUnit(m_image, map()));
}

MapEditStatus MapEditCommands::paste(std::string_view text)
{
    m_selection.setLayout(m_grid.layout());
    const MapEdit edit = pasteText(m_grid, m_selection, text, cellRanges(m_image, map()), shownUnit(m_image, map()));
    return finish(edit, edit.wholeMap ? MapPasted : CellsPasted, edit.cellsReached);
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
    m_host.afterChange();
    return {RpmAxisChanged};
}

std::string MapEditCommands::exportCsv() const
{
    return exportMapCsv(m_image, m_tables, map());
}

MapEditStatus MapEditCommands::importCsv(std::string_view text)
{
    if (const auto refusal = importMapCsv(text, m_image, m_tables, map()))
        return *refusal;
    m_host.afterChange();
    return {MapImported};
}

} // namespace quorvel
