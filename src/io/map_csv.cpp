#include "io/map_csv.h"

#include "io/delimited_text.h"
#include "io/map_sheet.h"
#include "model/jet_coupling.h"
#include "model/map_cell_rules.h"
#include "model/map_page.h"

namespace quorvel {
namespace {

constexpr std::string_view kCsvLineEnd = "\r\n";

MapPageValues shownValues(ParamImage& image, InjectionTables& tables, const MapLayout& map)
{
    return fillMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), map.page);
}

} // namespace

std::string exportMapCsv(const ParamImage& image, const InjectionTables& tables, const MapLayout& map)
{
    // Showing a page may copy maps ("1=2=3=4") and refreshes the working tables: done on copies,
    // so that exporting changes nothing.
    ParamImage shown = image;
    InjectionTables working = tables;
    const MapPageValues values = shownValues(shown, working, map);
    MapSheet sheet;
    sheet.corner = sheetCorner(map.name, shownUnit(image, map));
    sheet.rpm = values.rpm;
    sheet.cells = values.cells;
    for (int r = 0; r < kMapRows; ++r) {
        sheet.rowHeads[static_cast<std::size_t>(r)] =
            map.id == MapId::Iap ? std::to_string(values.rows[static_cast<std::size_t>(r)])
                                 : std::to_string(kThrottleRowPercent[static_cast<std::size_t>(r)]) + "%";
    }
    return formatMapSheet(sheet, ',', kCsvLineEnd);
}

std::optional<MapEditStatus> importMapCsv(std::string_view text, ParamImage& image, InjectionTables& tables,
                                          const MapLayout& map)
{
    if (followsJet1A(image, map))
        return MapEditStatus{MapEditMessage::FollowerMap};
    const char separator = detectSeparator(text);
    const std::vector<TextRow> rows = splitDelimited(text, separator);
    if (rows.empty())
        return MapEditStatus{MapEditMessage::EmptyText};
    const SheetTarget target{shownUnit(image, map), map.id == MapId::Iap, cellRanges(image, map)};
    const SheetRead read = readMapSheet(rows, decimalMarkOf(rows, separator), target);
    if (read.error)
        return read.error;

    MapPageValues values = shownValues(image, tables, map);
    values.rpm = read.values.rpm;
    values.cells = read.values.cells;
    if (target.pressureRows)
        values.rows = read.values.pressures;
    collectMapPage(image, tables, selectBikeGrids(image), JetCoupling::fromImage(image), map.page, values);
    return std::nullopt;
}

} // namespace quorvel
