#pragma once

#include "core/link_frame.h"
#include "core/monitor_snapshot.h"
#include "core/param_image.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// A datalog is a CSV file of one row per accepted monitor frame:
//   line 1: the column names, line 2: their units, then the rows;
//   columns: time_ms, every logged live value of the monitor frame (monitorChannels()) in its
//   unit, the operating cell (cell_page, cell_row, cell_column), and last the raw 152-byte frame
//   in hex, so that a log can be replayed exactly.
// Numbers use a decimal point whatever the locale; a value has the decimals of its unit.
inline constexpr std::string_view kTimeColumn = "time_ms";
inline constexpr std::string_view kCellPageColumn = "cell_page";
inline constexpr std::string_view kCellRowColumn = "cell_row";
inline constexpr std::string_view kCellColumnColumn = "cell_column";
inline constexpr std::string_view kFrameColumn = "frame";
inline constexpr char kSeparator = ',';

// The operating cell a row carries: of the map of `page` (the map page shown while recording,
// Inj-1A while another page is shown) as live marking finds it: column of the map's RPM axis,
// row of its load axis (the pressure row on Inj-IAP, else the throttle row). A row of -1 means
// the sensor of that row has failed.
struct LoggedCell {
    std::int8_t page = 0;
    std::int8_t row = 0;
    std::int8_t column = 0;
};

// The page whose map the cell rows of a log refer to while `activePage` is shown.
[[nodiscard]] int cellPageFor(int activePage);
[[nodiscard]] LoggedCell loggedCell(int activePage, const ParamImage& image, const MonitorSnapshot& live);

// The decimals a value of `column` is written with: those of its live value, none for the cell
// columns, and two for a column this program does not write.
[[nodiscard]] int columnDecimals(std::string_view column);
// A unit of the file as users read it: "degC" as "°C", "deg" as "°", "us" as "µs"; the file keeps
// plain ASCII so that any spreadsheet reads it.
[[nodiscard]] std::string_view displayUnit(std::string_view fileUnit);

// The two header lines, each ended by a newline.
[[nodiscard]] std::string datalogHeader();
// One row, ended by a newline. `frame` must be an accepted monitor frame.
void appendDatalogRow(std::string& out, std::uint32_t timeMs, FrameBytes frame, LoggedCell cell);

} // namespace quorvel
