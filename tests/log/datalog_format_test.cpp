#include "log/datalog_format.h"

#include "core/monitor_channels.h"
#include "core/page_index.h"
#include "log_frames.h"
#include "model/map_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace quorvel {
namespace {

std::vector<std::string> split(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// The fields of one row by the column names of the header.
std::map<std::string, std::string> rowByName(std::uint32_t time, const LinkFrame& frame, LoggedCell cell = {})
{
    std::string row;
    appendDatalogRow(row, time, frame, cell);
    EXPECT_EQ(row.back(), '\n');
    row.pop_back();
    std::stringstream header(datalogHeader());
    std::string names;
    std::getline(header, names);
    const auto keys = split(names);
    const auto values = split(row);
    EXPECT_EQ(keys.size(), values.size());
    std::map<std::string, std::string> fields;
    for (std::size_t i = 0; i < std::min(keys.size(), values.size()); ++i)
        fields[keys[i]] = values[i];
    return fields;
}

TEST(DatalogFormat, HeaderNamesEveryLoggedValueOnceWithItsUnit)
{
    std::stringstream header(datalogHeader());
    std::string names;
    std::string units;
    ASSERT_TRUE(std::getline(header, names));
    ASSERT_TRUE(std::getline(header, units));
    const auto keys = split(names);
    EXPECT_EQ(keys.front(), "time_ms");
    EXPECT_EQ(keys.back(), "frame");
    EXPECT_EQ(split(units).size(), keys.size());
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
    for (const char* name : {"rpm", "throttle", "iap", "ap", "lambda", "coolant", "air", "supply", "advance_4",
                             "injection_4b", "servo_intake_2", "potentiometer", "gear", "speed", "limiter_ignition",
                             "pilot_light", "cell_page", "cell_row", "cell_column"})
        EXPECT_NE(std::ranges::find(keys, name), keys.end()) << name;
    // Test values and counters are no live engine data.
    EXPECT_EQ(std::ranges::find(keys, "test_1"), keys.end());
}

TEST(DatalogFormat, ValuesAreWrittenExactlyInTheirUnits)
{
    const LinkFrame frame = test::LiveFrame()
                                .rpm(3000)
                                .throttleTenths(125)
                                .word(52, 1013)  // AP 101.3 kPa
                                .word(64, 12450) // 12.450 V
                                .byte(23, 0)     // failed coolant sensor: 80 degrees
                                .byte(24, 95)    // -5 degrees
                                .byte(11, 27)
                                .byte(21, 31)         // injection 4B: 3100 us
                                .word(134, 995)       // idle advance correction -0.5 degrees
                                .word(108, 1000)      // no supply correction
                                .byte(1, 0b1111'1110) // fall sensor input active (active low)
                                .byte(27, 7)          // pilot light blinking
                                .sealed();
    auto row = rowByName(1234, frame, {2, -1, 14});
    EXPECT_EQ(row["time_ms"], "1234");
    EXPECT_EQ(row["rpm"], "3000");
    EXPECT_EQ(row["throttle"], "12.5");
    EXPECT_EQ(row["ap"], "101.3");
    EXPECT_EQ(row["supply"], "12.450");
    EXPECT_EQ(row["coolant"], "80");
    EXPECT_EQ(row["coolant_error"], "1");
    EXPECT_EQ(row["air"], "-5");
    EXPECT_EQ(row["air_error"], "0");
    EXPECT_EQ(row["advance_2"], "27");
    EXPECT_EQ(row["injection_4b"], "3100");
    EXPECT_EQ(row["correction_idle_adv"], "-0.5");
    EXPECT_EQ(row["correction_supply_inj"], "0");
    EXPECT_EQ(row["fall_sensor_in"], "1");
    EXPECT_EQ(row["fall_sensor_out"], "1");
    EXPECT_EQ(row["pilot_light"], "2");
    EXPECT_EQ(row["cell_page"], "2");
    EXPECT_EQ(row["cell_row"], "-1");
    EXPECT_EQ(row["cell_column"], "14");
    ASSERT_EQ(row["frame"].size(), 304U);
    EXPECT_EQ(row["frame"].substr(0, 2), "B0");
}

TEST(DatalogFormat, ShownDecimalsAreTheWrittenOnesAndUnitsReadAsUsersWriteThem)
{
    const auto row = rowByName(0, test::LiveFrame().rpm(3000).word(64, 12450).sealed(), {2, 3, 4});
    for (const auto& [name, value] : row) {
        if (name == "time_ms" || name == "frame")
            continue;
        const std::size_t point = value.find('.');
        const int written = point == std::string::npos ? 0 : static_cast<int>(value.size() - point - 1);
        EXPECT_EQ(columnDecimals(name), written) << name;
    }
    EXPECT_EQ(columnDecimals("boost"), 2) << "a column of another program's log";
    EXPECT_EQ(displayUnit("degC"), "°C");
    EXPECT_EQ(displayUnit("us"), "µs");
    EXPECT_EQ(displayUnit("kPa"), "kPa");
}

class LoggedCellTest : public ::testing::Test {
protected:
    LoggedCellTest()
    {
        for (const MapLayout& map : MapTable::all()) {
            for (int c = 0; c < kMapColumns; ++c)
                m_image.setByte(map.axisOffset + c, static_cast<std::uint8_t>(10 * (c + 1))); // 1000..15000 rpm
        }
        for (int r = 0; r < kMapRows; ++r)
            setIapRow(m_image, r, static_cast<std::uint16_t>(30 + 10 * r)); // 30..120 kPa
    }
    LoggedCell cell(int page, const test::LiveFrame& frame)
    {
        return loggedCell(page, m_image, readMonitorSnapshot(frame.sealed()));
    }
    ParamImage m_image;
};

TEST_F(LoggedCellTest, CellOfTheShownMapPageElseOfInj1A)
{
    const test::LiveFrame frame = test::LiveFrame().rpm(4000).throttleTenths(300).iapKpa(71);
    const LoggedCell onInj1A = cell(kPageInj1A, frame);
    EXPECT_EQ(onInj1A.page, kPageInj1A);
    EXPECT_EQ(onInj1A.column, 3);
    EXPECT_EQ(onInj1A.row, 5); // 30 % throttle
    for (int page : {kPageBike, kPageMonitor, kPageKorekce}) {
        const LoggedCell other = cell(page, frame);
        EXPECT_EQ(other.page, kPageInj1A) << page;
        EXPECT_EQ(other.row, onInj1A.row) << page;
    }
    const LoggedCell onIap = cell(kPageInjIap, frame);
    EXPECT_EQ(onIap.page, kPageInjIap);
    EXPECT_EQ(onIap.row, 4); // nearest of 30..120 kPa to 71
}

TEST_F(LoggedCellTest, FailedRowSensorLogsNoRow)
{
    EXPECT_EQ(cell(kPageInj1A, test::LiveFrame().rpm(4000).byte(4, 0x01)).row, -1);
    EXPECT_EQ(cell(kPageInjIap, test::LiveFrame().rpm(4000).byte(4, 0x02)).row, -1);
}

} // namespace
} // namespace quorvel
