#include "log/datalog_recorder.h"
#include "scoped_variable.h"

#include "core/link_only_monitor.h"
#include "core/page_index.h"
#include "log/datalog_reader.h"
#include "log/log_location.h"
#include "log_frames.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <thread>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// The window's monitor sink, as far as the recorder sees it: it counts what it is handed.
class CountingSink final : public MonitorSink {
public:
    std::optional<std::uint16_t> decodeMonitorFrame(FrameBytes frame) override
    {
        ++handed;
        return m_inner.decodeMonitorFrame(frame);
    }
    int handed = 0;

private:
    LinkOnlyMonitor m_inner;
};

class DatalogRecorderTest : public ::testing::Test {
protected:
    void tick(std::chrono::milliseconds elapsed, const test::LiveFrame& frame)
    {
        m_now += elapsed;
        const LinkFrame bytes = frame.sealed();
        (void)m_recorder.decodeMonitorFrame(bytes);
    }
    [[nodiscard]] std::size_t rowsOnDisk() const
    {
        const DatalogRead read = readDatalog(m_recorder.file());
        return read.log ? read.log->rowCount() : 0;
    }

    test::ScratchDirectory m_dir{"recorder"};
    ParamImage m_image;
    CountingSink m_display;
    std::chrono::milliseconds m_now{5000};
    DatalogRecorder m_recorder{m_display, m_image, [this] { return m_now; }};
};

TEST_F(DatalogRecorderTest, FramesAlwaysReachTheDisplayAndBecomeRowsOnlyWhileRecording)
{
    tick(55ms, test::LiveFrame().rpm(2000));
    ASSERT_EQ(m_recorder.start(m_dir.path() / "ride.csv"), std::nullopt);
    tick(330ms, test::LiveFrame().rpm(2100));
    LinkFrame corrupt = test::LiveFrame().rpm(2200).sealed();
    corrupt[10] ^= 1;
    (void)m_recorder.decodeMonitorFrame(corrupt);
    tick(330ms, test::LiveFrame().rpm(2300));
    ASSERT_EQ(m_recorder.stop(), std::nullopt);
    tick(330ms, test::LiveFrame().rpm(2400));
    EXPECT_EQ(m_display.handed, 5);

    const DatalogRead read = readDatalog(m_dir.path() / "ride.csv");
    ASSERT_TRUE(read.log);
    const Datalog& log = *read.log;
    ASSERT_EQ(log.rowCount(), 2U);
    EXPECT_EQ(log.timesMs()[0], 330U);
    EXPECT_EQ(log.timesMs()[1], 660U);
    EXPECT_EQ(log.values(*log.columnIndex("rpm"))[1], 2300.0F);
}

TEST_F(DatalogRecorderTest, RowsAreWrittenAtMostOnceASecondAndResumeAfterALostLink)
{
    ASSERT_EQ(m_recorder.start(m_dir.path() / "ride.csv"), std::nullopt);
    for (int i = 0; i < 18; ++i) {
        tick(55ms, test::LiveFrame().rpm(3000));
        EXPECT_EQ(m_recorder.writeIfDue(), std::nullopt);
    }
    EXPECT_EQ(rowsOnDisk(), 0U); // 990 ms: not yet
    tick(55ms, test::LiveFrame().rpm(3000));
    EXPECT_EQ(m_recorder.writeIfDue(), std::nullopt);
    EXPECT_EQ(rowsOnDisk(), 19U);

    // The unit falls silent for ten seconds: no rows, the file stays open.
    m_now += 10s;
    EXPECT_EQ(m_recorder.writeIfDue(), std::nullopt);
    EXPECT_TRUE(m_recorder.recording());
    tick(55ms, test::LiveFrame().rpm(4000));
    m_now += 1s;
    EXPECT_EQ(m_recorder.writeIfDue(), std::nullopt);
    const DatalogRead read = readDatalog(m_recorder.file());
    ASSERT_TRUE(read.log);
    ASSERT_EQ(read.log->rowCount(), 20U);
    EXPECT_EQ(read.log->timesMs().back(), 19 * 55U + 10000U + 55U);
    EXPECT_EQ(m_recorder.elapsed(), 19 * 55ms + 10s + 55ms + 1s);
}

TEST_F(DatalogRecorderTest, RowsCarryTheCellOfTheMapPageShown)
{
    ASSERT_EQ(m_recorder.start(m_dir.path() / "ride.csv"), std::nullopt);
    tick(55ms, test::LiveFrame().rpm(3000));
    m_recorder.setActivePage(kPageInjIap);
    tick(55ms, test::LiveFrame().rpm(3000));
    m_recorder.setActivePage(kPageMonitor);
    tick(55ms, test::LiveFrame().rpm(3000));
    ASSERT_EQ(m_recorder.stop(), std::nullopt);
    const Datalog log = *readDatalog(m_dir.path() / "ride.csv").log;
    const auto pages = log.values(*log.columnIndex("cell_page"));
    EXPECT_EQ(std::vector<float>(pages.begin(), pages.end()),
              (std::vector<float>{kPageInj1A, kPageInjIap, kPageInj1A}));
}

TEST_F(DatalogRecorderTest, LogThatCannotBeCreatedRecordsNothing)
{
    EXPECT_TRUE(m_recorder.start(m_dir.path() / "no-such-dir" / "ride.csv").has_value());
    EXPECT_FALSE(m_recorder.recording());
    tick(55ms, test::LiveFrame());
    EXPECT_EQ(m_display.handed, 1);
    EXPECT_EQ(m_recorder.rows(), 0U);
}

std::tm startedAt()
{
    std::tm started{};
    started.tm_year = 2026 - 1900;
    started.tm_mon = 11;
    started.tm_mday = 9;
    started.tm_hour = 14;
    started.tm_min = 3;
    started.tm_sec = 22;
    return started;
}

TEST(LogLocation, NamedByDateTimeAndBikeWithANumberForMoreInOneSecond)
{
    EXPECT_EQ(logFileName(startedAt(), 11), "2026-12-09_14-03-22_bike11.csv");
    EXPECT_EQ(logPath("logs", startedAt(), 11, 1), std::filesystem::path("logs") / "2026-12-09_14-03-22_bike11.csv");
    EXPECT_EQ(logPath("logs", startedAt(), 11, 3), std::filesystem::path("logs") / "2026-12-09_14-03-22_bike11_3.csv");
}

// Two windows starting a log in the same second: the second takes the next name instead of
// failing, also when the first takes its name between the look and the creation (a link that
// points nowhere stands for that: it has the name but no file behind it).
TEST_F(DatalogRecorderTest, NewLogTakesTheNextNameWhenOneIsTaken)
{
    const auto logs = m_dir.path() / "quorvel" / "logs";
    ASSERT_EQ(m_recorder.startNew(logs, startedAt(), 11), std::nullopt);
    EXPECT_EQ(m_recorder.file(), logs / "2026-12-09_14-03-22_bike11.csv");
    ASSERT_EQ(m_recorder.stop(), std::nullopt);
#ifdef _WIN32
    std::ofstream(logs / "2026-12-09_14-03-22_bike11_2.csv") << "another window's log";
#else
    std::filesystem::create_symlink("gone.csv", logs / "2026-12-09_14-03-22_bike11_2.csv");
#endif
    ASSERT_EQ(m_recorder.startNew(logs, startedAt(), 11), std::nullopt);
    EXPECT_EQ(m_recorder.file(), logs / "2026-12-09_14-03-22_bike11_3.csv");
    EXPECT_TRUE(m_recorder.recording());
    ASSERT_EQ(m_recorder.stop(), std::nullopt);

    std::ofstream(m_dir.path() / "file") << "in the way";
    const auto failed = m_recorder.startNew(m_dir.path() / "file" / "logs", startedAt(), 11);
    ASSERT_TRUE(failed.has_value());
    EXPECT_NE(failed->find("file"), std::string::npos) << *failed;
    EXPECT_FALSE(m_recorder.recording());
}

TEST_F(DatalogRecorderTest, LogsStartedAtTheSameMomentAllRecord)
{
    constexpr int kWindows = 6;
    std::vector<std::unique_ptr<DatalogRecorder>> recorders;
    for (int w = 0; w < kWindows; ++w)
        recorders.push_back(std::make_unique<DatalogRecorder>(m_display, m_image, [this] { return m_now; }));
    std::vector<std::optional<std::string>> failures(kWindows);
    std::vector<std::thread> windows;
    for (int w = 0; w < kWindows; ++w) {
        windows.emplace_back([&, w] {
            failures[static_cast<std::size_t>(w)] =
                recorders[static_cast<std::size_t>(w)]->startNew(m_dir.path(), startedAt(), 11);
        });
    }
    std::set<std::filesystem::path> files;
    for (int w = 0; w < kWindows; ++w) {
        windows[static_cast<std::size_t>(w)].join();
        EXPECT_EQ(failures[static_cast<std::size_t>(w)], std::nullopt);
        files.insert(recorders[static_cast<std::size_t>(w)]->file());
    }
    EXPECT_EQ(files.size(), static_cast<std::size_t>(kWindows));
}

#ifndef _WIN32
TEST(LogLocation, LogsLiveInTheDataDirectory)
{
    test::ScopedVariable home("HOME", "/home/rider");
    {
        test::ScopedVariable data("XDG_DATA_HOME", "/data/home");
        EXPECT_EQ(defaultLogsDirectory(), std::filesystem::path("/data/home/quorvel/logs"));
    }
    test::ScopedVariable data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(defaultLogsDirectory(), std::filesystem::path("/home/rider/.local/share/quorvel/logs"));
}
#endif

} // namespace
} // namespace quorvel
