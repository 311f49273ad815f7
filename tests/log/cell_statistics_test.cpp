#include "log/cell_statistics.h"

#include "log_frames.h"
#include "log_test_image.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using test::element;
using test::LiveFrame;

// A hand-made ride, 330 ms between rows unless said otherwise:
//   A: 3000 rpm (column 2), 20 % throttle (row 4), lambda 200 and 400 mV in turns, six rows;
//   B: 8000 rpm (column 7), full throttle (row 9), 800 mV, three rows;
//   C: engine stopped, five rows;
//   D: 5000 rpm, the throttle maps out of use (share 0), 71 kPa (pressure row 4), four rows;
//   E: one more row of A's cell after a lost link, and the last row long after it;
//   F: 450 mV at 12000 rpm, 60 % (row 7), five rows.
test::LogBuilder handMadeRide()
{
    test::LogBuilder ride;
    for (int i = 0; i < 6; ++i)
        ride.row(330U * i, LiveFrame().rpm(3000).throttleTenths(200).lambda(i % 2 == 0 ? 200 : 400));
    ride.rows(1980, 3, 330, LiveFrame().rpm(8000).throttleTenths(1000).lambda(800));
    ride.rows(2970, 5, 330, LiveFrame().rpm(0).lambda(100));
    ride.rows(4620, 4, 330, LiveFrame().rpm(5000).jetShare(0).iapKpa(71).lambda(600));
    ride.rows(5940, 5, 330, LiveFrame().rpm(12000).throttleTenths(600).lambda(450));
    ride.row(10000, LiveFrame().rpm(3000).throttleTenths(200).lambda(300));
    ride.row(20000, LiveFrame().rpm(8000).throttleTenths(1000).lambda(800));
    return ride;
}

class CellStatisticsTest : public ::testing::Test {
protected:
    ParamImage m_image = test::logTestImage();
    test::LogBuilder m_ride = handMadeRide();
};

TEST_F(CellStatisticsTest, HitsTimeAndMeanLambdaPerCellOfAThrottleMap)
{
    const MapCellStatistics stats = cellStatistics(m_ride.log(), m_image, MapId::Jet1A);
    const CellStatistic& a = stats.cells[element(4, 2)];
    EXPECT_EQ(a.samples, 7);
    EXPECT_EQ(a.timeMs, 6U * 330U); // the row before the lost link counts no time
    EXPECT_DOUBLE_EQ(a.meanLambdaMv, 300.0);
    EXPECT_EQ(a.reading, MixtureReading::Lean);

    const CellStatistic& b = stats.cells[element(9, 7)];
    EXPECT_EQ(b.samples, 4);
    EXPECT_EQ(b.timeMs, 3U * 330U);
    EXPECT_EQ(b.reading, MixtureReading::Hidden); // fewer than five samples

    EXPECT_EQ(stats.cells[element(7, 11)].reading, MixtureReading::AtThreshold);
    // Neither the stopped engine nor the rows of the pressure map count here.
    EXPECT_EQ(stats.samples, 7 + 4 + 5);
    EXPECT_EQ(stats.longestCellTimeMs, 6U * 330U);
}

TEST_F(CellStatisticsTest, PressureMapCountsTheRowsItServedByPressureRow)
{
    const MapCellStatistics stats = cellStatistics(m_ride.log(), m_image, MapId::Iap);
    EXPECT_EQ(stats.samples, 4);
    EXPECT_EQ(stats.cells[element(4, 4)].samples, 4);
    EXPECT_EQ(stats.cells[element(4, 4)].reading, MixtureReading::Hidden);
}

TEST_F(CellStatisticsTest, ThresholdAndSampleMinimumAreTheCallersChoice)
{
    const MapCellStatistics stats =
        cellStatistics(m_ride.log(), m_image, MapId::Jet1A, {.minimumSamples = 4, .lambdaThresholdMv = 250});
    EXPECT_EQ(stats.cells[element(4, 2)].reading, MixtureReading::Rich);
    EXPECT_EQ(stats.cells[element(9, 7)].reading, MixtureReading::Rich);
}

TEST_F(CellStatisticsTest, CellsFollowTheAxesOfTheImageNotOfTheRecording)
{
    // The same ride against an axis whose points all moved up by 1000 rpm.
    for (int c = 0; c < kMapColumns; ++c)
        setAxisPoint(m_image, MapId::Jet1A, c, static_cast<std::uint8_t>(10 * (c + 2)));
    const MapCellStatistics stats = cellStatistics(m_ride.log(), m_image, MapId::Jet1A);
    EXPECT_EQ(stats.cells[element(4, 1)].samples, 7);
    EXPECT_EQ(stats.cells[element(4, 2)].samples, 0);
}

} // namespace
} // namespace quorvel
