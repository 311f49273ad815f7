#include "maps/tune_writer.h"

#include "maps/cell_scale.h"
#include "model/field_codec.h"
#include "model/idle_servo_units.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"

#include <algorithm>
#include <string>

namespace quorvel {
namespace {

using enum MapEditMessage;

constexpr int kIdleModeOffset = 2750;
constexpr int kServoInProcentOffset = 213;
constexpr int kTpsResolution = 10; // mV per stored step of the full-throttle point

MapPageValues shownValues(ParamImage& image, InjectionTables& tables, const MapLayout& map)
{
    return fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), map.page);
}

void storeValues(ParamImage& image, InjectionTables& tables, const MapLayout& map, const MapPageValues& values)
{
    collectMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), map.page, values);
}

std::string rowHeadText(const MapLayout& map, const MapPageValues& values, int row)
{
    const auto r = static_cast<std::size_t>(row);
    return map.id == MapId::Iap ? std::to_string(values.rows.at(r)) + " kPa"
                                : std::to_string(kThrottleRowPercent.at(r)) + "%";
}

// The cell named as the grid heads it, the value as given, and the cell's range.
MapEditStatus cellOutOfRange(const MapLayout& map, const MapPageValues& values, const CellScale& scale,
                             const CellInput& input)
{
    const auto ticks = scale.ticksPerUnit();
    return {ValueOutOfRange,
            0,
            0,
            {rowHeadText(map, values, input.cell.row),
             std::to_string(values.rpm.at(static_cast<std::size_t>(input.cell.column))),
             valueText(input.numerator, input.denominator), valueText(scale.lowest(input.cell), ticks),
             valueText(scale.highest(input.cell), ticks), std::string(scale.unitName())}};
}

// Shown units per stored step: the finest value a field holds.
int resolution(const Field& field)
{
    switch (field.form) {
    case FieldForm::Scaled:
        return field.factor;
    case FieldForm::Tps100:
        return kTpsResolution;
    default:
        return 1;
    }
}

// The range of a field's control now: the idle targets follow the idle mode.
ControlRange fieldRange(const ParamImage& image, const Field& field)
{
    if (field.name == "IdleServoPoz")
        return IdleServoUnits::range(image.byte(kIdleModeOffset), image.byte(kServoInProcentOffset) != 0);
    return {field.minimum, field.maximum, field.step};
}

std::string fieldPlace(const Field& field, int element)
{
    std::string place(field.name);
    if (field.count > 1)
        place += "[" + std::to_string(element) + "]";
    return place;
}

bool validCell(GridCell cell)
{
    return cell.row >= 0 && cell.row < kMapRows && cell.column >= 0 && cell.column < kMapColumns;
}

} // namespace

MapEditStatus writeStatus(const TuneWrite& written, MapEditMessage done)
{
    if (written.refusal)
        return *written.refusal;
    switch (done) {
    case CellsChanged:
        if (written.changed == 0)
            return {NothingChanged};
        return written.held > 0 ? MapEditStatus{CellsChangedHeld, written.changed, written.held}
                                : MapEditStatus{CellsChanged, written.changed};
    case CellsPasted:
        return written.held > 0 ? MapEditStatus{CellsPastedHeld, written.cells, written.held}
                                : MapEditStatus{CellsPasted, written.cells};
    case MapImported:
        return written.held > 0 ? MapEditStatus{MapImportedHeld, written.held} : MapEditStatus{MapImported};
    default:
        return {done, written.cells};
    }
}

TuneWriter::TuneWriter(ParamImage& image, InjectionTables& tables, TuneHost& host)
    : m_image(image)
    , m_tables(tables)
    , m_host(host)
{
}

void TuneWriter::start(int page)
{
    m_history.init(m_image, page);
    m_host.historyMoved();
}

TuneWrite TuneWriter::store(const MapLayout& map, const std::function<TuneWrite(ParamImage&, InjectionTables&)>& edit)
{
    if (followsJet1A(m_image, map))
        return {MapEditStatus{FollowerMap}, 0, 0, 0, false};
    // Worked out on copies: a refusal, or a write that changes nothing, leaves all as it was.
    ParamImage image = m_image;
    InjectionTables tables = m_tables;
    TuneWrite result = edit(image, tables);
    if (result.refusal)
        return result;
    result.imageChanged = !std::ranges::equal(image.bytes(), m_image.bytes());
    if (!result.imageChanged)
        return result;
    m_image = image;
    m_tables = tables;
    commit();
    return result;
}

TuneWrite TuneWriter::writeCells(const MapLayout& map, CellUnit unit, std::span<const CellInput> inputs,
                                 RangePolicy policy)
{
    return store(map, [&](ParamImage& image, InjectionTables& tables) {
        MapPageValues values = shownValues(image, tables, map);
        const MapPageValues before = values;
        const CellScale scale(image, tables, map, unit);
        TuneWrite result;
        for (const CellInput& input : inputs) {
            if (!validCell(input.cell) || input.denominator <= 0)
                continue;
            const CellScale::Fit fit = scale.fit(input.cell, input.numerator, input.denominator);
            if (!fit.inRange && policy == RangePolicy::Refuse) {
                result.refusal = cellOutOfRange(map, before, scale, input);
                return result;
            }
            result.held += fit.inRange ? 0 : 1;
            values.cells[static_cast<std::size_t>(input.cell.row * kMapColumns + input.cell.column)] = fit.grid;
            ++result.cells;
        }
        for (std::size_t e = 0; e < values.cells.size(); ++e)
            result.changed += values.cells[e] != before.cells[e] ? 1 : 0;
        // Cells that keep their values leave the map as stored, times off the percent grid too.
        if (result.changed > 0)
            storeValues(image, tables, map, values);
        return result;
    });
}

TuneWrite TuneWriter::writeMap(const MapLayout& map, const SheetValues& sheet, CellUnit unit, RangePolicy policy)
{
    return store(map, [&](ParamImage& image, InjectionTables& tables) {
        // The heads first: a time in ms becomes a percentage of the reference at its new head.
        MapPageValues values = shownValues(image, tables, map);
        const MapPageValues before = values;
        values.rpm = sheet.rpm;
        if (map.id == MapId::Iap)
            values.rows = sheet.pressures;
        storeValues(image, tables, map, values);
        values = shownValues(image, tables, map);
        const CellScale scale(image, tables, map, unit);
        TuneWrite result;
        for (int e = 0; e < kMapCells; ++e) {
            const DecimalNumber& given = sheet.cells[static_cast<std::size_t>(e)];
            const CellInput input{{e / kMapColumns, e % kMapColumns}, given.numerator, given.denominator};
            const CellScale::Fit fit = scale.fit(input.cell, input.numerator, input.denominator);
            if (!fit.inRange && policy == RangePolicy::Refuse) {
                result.refusal = cellOutOfRange(map, values, scale, input);
                return result;
            }
            result.held += fit.inRange ? 0 : 1;
            values.cells[static_cast<std::size_t>(e)] = fit.grid;
            result.changed += fit.grid != before.cells[static_cast<std::size_t>(e)] ? 1 : 0;
            ++result.cells;
        }
        storeValues(image, tables, map, values);
        return result;
    });
}

FieldWrite TuneWriter::writeField(const Field& field, int element, DecimalNumber shown)
{
    const ControlRange range = fieldRange(m_image, field);
    const int step = resolution(field);
    const std::int64_t rounded = scaledRound(shown.numerator, 1, shown.denominator * step) * step;
    if (rounded < range.minimum || rounded > range.maximum) {
        return {MapEditStatus{ValueOutOfRange,
                              0,
                              0,
                              {fieldPlace(field, element), "", valueText(shown.numerator, shown.denominator),
                               std::to_string(range.minimum), std::to_string(range.maximum), ""}},
                0, false};
    }
    writeCode(m_image, field, element, encodeField(field, static_cast<int>(rounded)));
    commit();
    return {std::nullopt, static_cast<int>(rounded), rounded * shown.denominator != shown.numerator};
}

void TuneWriter::commit()
{
    m_host.showImage();
    record();
}

void TuneWriter::commitPage()
{
    m_host.collectPage();
    commit();
}

void TuneWriter::commitReplaced()
{
    m_tables.refreshFromImage(m_image);
    commit();
}

void TuneWriter::change(const std::function<void(ParamImage&, InjectionTables&)>& edit)
{
    m_host.collectPage();
    edit(m_image, m_tables);
    commit();
}

void TuneWriter::record()
{
    const bool changed = m_history.takeSnapshot(m_image, m_host.pageOfChange());
    if (changed)
        m_host.historyMoved();
    programIfTicked(changed);
}

void TuneWriter::undo()
{
    restored(m_history.undo(m_image));
}

void TuneWriter::redo()
{
    restored(m_history.redo(m_image));
}

void TuneWriter::restored(const std::optional<UndoHistory::Restored>& restored)
{
    if (!restored)
        return;
    // The percent tables must show the maps of the restored image, not those of the one left.
    m_tables.refreshFromImage(m_image);
    m_host.showRestored(restored->page);
    m_host.historyMoved();
    programIfTicked(restored->changed);
}

void TuneWriter::programIfTicked(bool changed)
{
    if (changed && m_host.programsAfterChange())
        m_host.programPendingBlocks();
}

} // namespace quorvel
