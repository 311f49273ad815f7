#include "log/datalog_reader.h"

#include "core/monitor_channels.h"
#include "log/datalog_writer.h"
#include "log_frames.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

LinkFrame rideFrame(int i)
{
    return test::LiveFrame()
        .rpm(1000 + 37 * i)
        .throttleTenths(i % 1000)
        .lambda(100 + (i * 53) % 800)
        .word(64, 12000 + i)
        .byte(23, 100 + i % 120)
        .sealed();
}

class DatalogReaderTest : public ::testing::Test {
protected:
    fs::path file(const std::string& name) const { return m_dir.path() / name; }

    // A log of `rows` rows 55 ms apart, written in one piece.
    fs::path writeLog(const std::string& name, int rows)
    {
        DatalogWriter writer;
        EXPECT_EQ(writer.open(file(name)), std::nullopt);
        for (int i = 0; i < rows; ++i)
            writer.record(static_cast<std::uint32_t>(55 * i), rideFrame(i), {2, static_cast<std::int8_t>(i % 10), 3});
        EXPECT_EQ(writer.close(), std::nullopt);
        return file(name);
    }

    test::ScratchDirectory m_dir{"datalog"};
};

TEST_F(DatalogReaderTest, WrittenLogReadsBackRowForRowWithItsFramesAndValues)
{
    constexpr int kRows = 3000; // some 2 MB: rows cross the pieces the reader reads in
    const DatalogRead read = readDatalog(writeLog("ride.csv", kRows));
    ASSERT_TRUE(read.log) << read.detail;
    const Datalog& log = *read.log;
    ASSERT_EQ(log.rowCount(), static_cast<std::size_t>(kRows));
    EXPECT_EQ(log.skippedRows(), 0U);
    EXPECT_EQ(log.durationMs(), 55U * (kRows - 1));

    const auto cellRow = log.columnIndex("cell_row");
    ASSERT_TRUE(cellRow);
    for (int i : {0, 1, 1234, kRows - 1}) {
        const auto row = static_cast<std::size_t>(i);
        const LinkFrame expected = rideFrame(i);
        EXPECT_TRUE(std::ranges::equal(log.frame(row), expected)) << i;
        EXPECT_EQ(log.values(*cellRow)[row], static_cast<float>(i % 10));
        for (const MonitorChannel& channel : monitorChannels()) {
            if (!channel.logged)
                continue;
            const auto column = log.columnIndex(channel.name);
            ASSERT_TRUE(column) << channel.name;
            EXPECT_FLOAT_EQ(log.values(*column)[row], static_cast<float>(channelValue(expected, channel)))
                << channel.name << " row " << i;
        }
    }
    EXPECT_EQ(log.columns()[*log.columnIndex("supply")].unit, "V");
}

TEST_F(DatalogReaderTest, RowsReachTheFileOnlyWhenWrittenAndSurviveAWriterThatDies)
{
    DatalogWriter writer;
    ASSERT_EQ(writer.open(file("live.csv")), std::nullopt);
    for (int i = 0; i < 5; ++i)
        writer.record(static_cast<std::uint32_t>(i * 330), rideFrame(i), {});
    ASSERT_TRUE(readDatalog(file("live.csv")).log);
    EXPECT_EQ(readDatalog(file("live.csv")).log->rowCount(), 0U);
    ASSERT_EQ(writer.write(), std::nullopt);
    writer.record(2000, rideFrame(9), {});
    // Read while the writer still holds the file, as after a crash.
    const DatalogRead read = readDatalog(file("live.csv"));
    ASSERT_TRUE(read.log);
    EXPECT_EQ(read.log->rowCount(), 5U);
    EXPECT_EQ(writer.writtenRows(), 5U);
    EXPECT_EQ(writer.keptRows(), 1U);
}

TEST_F(DatalogReaderTest, RowCutByAKilledWriterIsLeftOutAndTheCompleteRowsOpen)
{
    const std::string whole = fileText(writeLog("whole.csv", 10));
    const std::size_t lastRow = whole.rfind('\n', whole.size() - 2) + 1;
    const std::size_t rowLength = whole.size() - lastRow;
    struct Cut {
        std::size_t keep; // characters of the last row that reached the disk
        std::size_t rows;
        std::size_t skipped;
    };
    for (const Cut cut : {Cut{1, 9, 1}, Cut{40, 9, 1}, Cut{rowLength - 100, 9, 1}, Cut{rowLength - 2, 9, 1},
                          Cut{rowLength - 1, 10, 0}, Cut{0, 9, 0}}) {
        writeText(file("cut.csv"), whole.substr(0, lastRow + cut.keep));
        const DatalogRead read = readDatalog(file("cut.csv"));
        ASSERT_TRUE(read.log) << cut.keep;
        EXPECT_EQ(read.log->rowCount(), cut.rows) << cut.keep;
        EXPECT_EQ(read.log->skippedRows(), cut.skipped) << cut.keep;
    }
}

TEST_F(DatalogReaderTest, DamagedRowsAreSkippedAndTheOthersKept)
{
    const std::string whole = fileText(writeLog("whole.csv", 3));
    std::vector<std::string> lines;
    std::istringstream in(whole);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 5U);
    const std::string& row = lines[3]; // the second of the three rows

    std::string badChecksum = row;
    badChecksum[badChecksum.size() - 1] = badChecksum.back() == '0' ? '1' : '0';
    std::string badHex = row;
    badHex[badHex.size() - 10] = 'G';
    std::string timeBack = row;
    timeBack.replace(0, 2, "0,");
    const std::vector<std::pair<std::string, std::string>> damages = {
        {"a field missing", row.substr(row.find(',') + 1)},
        {"a field too many", row + ",1"},
        {"not a number", std::string(row).replace(row.find(',') + 1, 1, "x")},
        {"infinite", std::string(row).replace(row.find(',') + 1, 1, "inf")},
        {"not a number spelt out", std::string(row).replace(row.find(',') + 1, 1, "nan")},
        {"too large for a value", std::string(row).replace(row.find(',') + 1, 1, "1e999")},
        {"checksum", badChecksum},
        {"hex digit", badHex},
        {"time goes back", timeBack},
        {"a line of rubbish", std::string(200, '#')},
    };
    for (const auto& [what, damaged] : damages) {
        writeText(file("damaged.csv"),
                  lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + damaged + "\n" + lines[4] + "\n");
        const DatalogRead read = readDatalog(file("damaged.csv"));
        ASSERT_TRUE(read.log) << what;
        EXPECT_EQ(read.log->rowCount(), 2U) << what;
        EXPECT_EQ(read.log->skippedRows(), 1U) << what;
        EXPECT_EQ(read.log->timesMs()[1], 110U) << what;
    }
}

// Saved again by a spreadsheet: a byte order mark first, names, units and text in quotes.
TEST_F(DatalogReaderTest, LogResavedByASpreadsheetOpensAsWritten)
{
    const std::string whole = fileText(writeLog("whole.csv", 3));
    const auto quoteFields = [](const std::string& line) {
        std::string quoted = "\"";
        for (char c : line)
            quoted += c == ',' ? std::string("\",\"") : std::string(1, c);
        return quoted + "\"";
    };
    std::vector<std::string> lines;
    std::istringstream in(whole);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 5U);
    const std::string lastFrame = lines[4].substr(lines[4].rfind(',') + 1);
    const std::string variants[] = {
        "\xEF\xBB\xBF" + whole,
        "\xEF\xBB\xBF" + quoteFields(lines[0]) + "\r\n" + quoteFields(lines[1]) + "\r\n" + lines[2] + "\r\n" +
            quoteFields(lines[3]) + "\r\n" + lines[4].substr(0, lines[4].rfind(',') + 1) + "\"" + lastFrame + "\"\r\n",
        quoteFields(lines[0]) + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3] + "\n" + lines[4] + "\n",
    };
    for (const std::string& text : variants) {
        writeText(file("resaved.csv"), text);
        const DatalogRead read = readDatalog(file("resaved.csv"));
        ASSERT_TRUE(read.log) << text.substr(0, 60);
        EXPECT_EQ(read.log->rowCount(), 3U);
        EXPECT_EQ(read.log->skippedRows(), 0U);
        EXPECT_TRUE(read.log->columnIndex("rpm").has_value());
        EXPECT_EQ(read.log->columns()[*read.log->columnIndex("supply")].unit, "V");
        EXPECT_TRUE(std::ranges::equal(read.log->frame(2), rideFrame(2)));
    }
}

TEST_F(DatalogReaderTest, FilesThatAreNoLogAreRefused)
{
    EXPECT_EQ(readDatalog(file("missing.csv")).problem, DatalogProblem::CannotOpen);
    const std::string header = fileText(writeLog("empty.csv", 0));
    for (const std::string& text : {std::string(), std::string("just text\n"), header.substr(0, header.find('\n') + 1),
                                    std::string("rpm,time_ms,frame\nrpm,ms,hex\n"), std::string(200000, 'x')}) {
        writeText(file("other.csv"), text);
        const DatalogRead read = readDatalog(file("other.csv"));
        EXPECT_FALSE(read.log) << text.substr(0, 40);
        EXPECT_EQ(read.problem, DatalogProblem::NotADatalog) << text.substr(0, 40);
    }
    const DatalogRead empty = readDatalog(file("empty.csv"));
    ASSERT_TRUE(empty.log);
    EXPECT_TRUE(empty.log->empty());
}

TEST_F(DatalogReaderTest, ColumnsAreFoundByTheirNamesWhateverTheirSet)
{
    std::string frameHex;
    for (std::uint8_t byte : rideFrame(3)) {
        constexpr std::string_view kDigits = "0123456789abcdef";
        frameHex += kDigits[byte >> 4];
        frameHex += kDigits[byte & 0x0F];
    }
    // Another program's log: fewer values, one unknown, an empty field, Windows line ends.
    writeText(file("other.csv"), "time_ms,rpm,boost,frame\r\nms,rpm,bar,hex\r\n0,1111,," + frameHex +
                                     "\r\n55,1112,0.5," + frameHex + "\r\n");
    const DatalogRead read = readDatalog(file("other.csv"));
    ASSERT_TRUE(read.log);
    const Datalog& log = *read.log;
    ASSERT_EQ(log.rowCount(), 2U);
    EXPECT_EQ(log.values(*log.columnIndex("rpm"))[1], 1112.0F);
    EXPECT_TRUE(std::isnan(log.values(*log.columnIndex("boost"))[0]));
    EXPECT_EQ(log.columns()[*log.columnIndex("boost")].unit, "bar");
    EXPECT_FALSE(log.columnIndex("lambda"));
    EXPECT_TRUE(std::ranges::equal(log.frame(0), rideFrame(3)));
}

TEST_F(DatalogReaderTest, WriterNeverReplacesAnExistingFile)
{
    writeText(file("kept.csv"), "a ride of yesterday");
    DatalogWriter writer;
    EXPECT_TRUE(writer.open(file("kept.csv")).has_value());
    EXPECT_FALSE(writer.isOpen());
    writer.record(0, rideFrame(0), {});
    EXPECT_EQ(writer.write(), std::nullopt);
    EXPECT_EQ(fileText(file("kept.csv")), "a ride of yesterday");
}

} // namespace
} // namespace quorvel
