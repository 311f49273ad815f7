#include "io/map_csv.h"

#include "io/delimited_text.h"
#include "model/jet_coupling.h"
#include "model/map_page.h"

namespace quorvel {
namespace {

constexpr std::string_view kCsvLineEnd = "\r\n";
constexpr int kTimeDecimals = 3; // a time in us written in ms

} // namespace

std::string exportMapCsv(const ParamImage& image, const InjectionTables& tables, const MapLayout& map, CellUnit unit)
{
    // Showing a page may copy maps ("1=2=3=4") and refreshes the working tables: done on copies,
    // so that exporting changes nothing.
    ParamImage shown = image;
    InjectionTables working = tables;
    const MapPageValues values =
        fillMapPage(shown, working, selectBikeGrids(shown), JetCoupling::fromImage(shown), map.page);
    const bool times = unit == CellUnit::Milliseconds && takesTimes(map);
    MapSheet sheet;
    sheet.corner = sheetCorner(map.name, unitName(image, map, unit));
    sheet.rpm = values.rpm;
    sheet.cells = values.cells;
    if (times) {
        sheet.decimals = kTimeDecimals;
        for (int e = 0; e < kMapCells; ++e)
            sheet.cells[static_cast<std::size_t>(e)] = mapCell(shown, map.id, e);
    }
    for (int r = 0; r < kMapRows; ++r) {
        sheet.rowHeads[static_cast<std::size_t>(r)] =
            map.id == MapId::Iap ? std::to_string(values.rows[static_cast<std::size_t>(r)])
                                 : std::to_string(kThrottleRowPercent[static_cast<std::size_t>(r)]) + "%";
    }
    return formatMapSheet(sheet, ',', kCsvLineEnd);
}

SheetTarget sheetTarget(const ParamImage& image, const MapLayout& map, CellUnit assumed)
{
    SheetTarget target;
    target.pressureRows = map.id == MapId::Iap;
    target.units.push_back(unitName(image, map, assumed));
    if (takesTimes(map))
        target.units.push_back(
            unitName(image, map, assumed == CellUnit::Shown ? CellUnit::Milliseconds : CellUnit::Shown));
    return target;
}

CellUnit unitOf(const SheetRead& read)
{
    return read.unit == kMillisecondsUnit ? CellUnit::Milliseconds : CellUnit::Shown;
}

SheetRead readMapCsv(std::string_view text, const ParamImage& image, const MapLayout& map, CellUnit assumed)
{
    const char separator = detectSeparator(text);
    const std::vector<TextRow> rows = splitDelimited(text, separator);
    if (rows.empty())
        return {MapEditStatus{MapEditMessage::EmptyText}, {}, {}};
    return readMapSheet(rows, decimalMarkOf(rows, separator), sheetTarget(image, map, assumed));
}

} // namespace quorvel
