#include "log/datalog_format.h"

#include "core/monitor_channels.h"
#include "core/page_index.h"
#include "maps/live_marking.h"
#include "model/map_layout.h"

#include <array>
#include <charconv>
#include <cstdlib>

namespace quorvel {
namespace {

constexpr std::array<int, 4> kPowersOfTen = {1, 10, 100, 1000};
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

void appendInt(std::string& out, long value)
{
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out.append(digits, end);
}

// steps * 10^-decimals written exactly, without a detour through floating point.
void appendScaled(std::string& out, int steps, int decimals)
{
    if (decimals == 0) {
        appendInt(out, steps);
        return;
    }
    const int power = kPowersOfTen[static_cast<std::size_t>(decimals)];
    if (steps < 0)
        out += '-';
    const int magnitude = std::abs(steps);
    appendInt(out, magnitude / power);
    out += '.';
    const std::size_t fractionAt = out.size();
    appendInt(out, magnitude % power);
    out.insert(fractionAt, static_cast<std::size_t>(decimals) - (out.size() - fractionAt), '0');
}

void appendLine(std::string& out, std::string_view first, auto&& field, std::string_view cellPage,
                std::string_view cellRow, std::string_view cellColumn, std::string_view last)
{
    out += first;
    for (const MonitorChannel& channel : monitorChannels()) {
        if (!channel.logged)
            continue;
        out += kSeparator;
        out += field(channel);
    }
    for (std::string_view cell : {cellPage, cellRow, cellColumn, last}) {
        out += kSeparator;
        out += cell;
    }
    out += '\n';
}

} // namespace

int cellPageFor(int activePage)
{
    return MapTable::ofPage(activePage) != nullptr ? activePage : int{kPageInj1A};
}

LoggedCell loggedCell(int activePage, const ParamImage& image, const MonitorSnapshot& live)
{
    const int page = cellPageFor(activePage);
    const OperatingCell cell = markMapCell(page, image, live).cell;
    const std::uint16_t row = page == kPageInjIap ? cell.pressureRow : cell.throttleRow;
    return {static_cast<std::int8_t>(page), static_cast<std::int8_t>(row == OperatingCell::kNoRow ? -1 : row),
            static_cast<std::int8_t>(cell.column)};
}

int columnDecimals(std::string_view column)
{
    constexpr int kForeignDecimals = 2;
    for (const MonitorChannel& channel : monitorChannels()) {
        if (channel.logged && channel.name == column)
            return channel.decimals;
    }
    for (std::string_view cell : {kCellPageColumn, kCellRowColumn, kCellColumnColumn}) {
        if (cell == column)
            return 0;
    }
    return kForeignDecimals;
}

std::string_view displayUnit(std::string_view fileUnit)
{
    if (fileUnit == "degC")
        return "°C";
    if (fileUnit == "deg")
        return "°";
    if (fileUnit == "us")
        return "µs";
    return fileUnit;
}

std::string datalogHeader()
{
    std::string header;
    appendLine(
        header, kTimeColumn, [](const MonitorChannel& c) { return c.name; }, kCellPageColumn, kCellRowColumn,
        kCellColumnColumn, kFrameColumn);
    appendLine(
        header, "ms", [](const MonitorChannel& c) { return c.unit; }, "page", "index", "index", "hex");
    return header;
}

void appendDatalogRow(std::string& out, std::uint32_t timeMs, FrameBytes frame, LoggedCell cell)
{
    appendInt(out, static_cast<long>(timeMs));
    for (const MonitorChannel& channel : monitorChannels()) {
        if (!channel.logged)
            continue;
        out += kSeparator;
        appendScaled(out, channelSteps(frame, channel), channel.decimals);
    }
    for (int value : {int{cell.page}, int{cell.row}, int{cell.column}}) {
        out += kSeparator;
        appendInt(out, value);
    }
    out += kSeparator;
    for (std::uint8_t byte : frame) {
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0x0F];
    }
    out += '\n';
}

} // namespace quorvel
