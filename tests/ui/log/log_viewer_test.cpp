#include "ui/log/log_viewer.h"

#include "log_ui_rig.h"
#include "reliability/scratch_directory.h"
#include "ui/log/log_chart_view.h"
#include "ui/log/log_traces.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <fstream>

namespace quorvel {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int kRideRows = 200; // 10.945 s

class LogViewerTest : public ::testing::Test {
protected:
    LogViewerTest()
    {
        test::writeRide(m_dir.path() / "ride.csv", kRideRows);
        viewer.setFrameHandler([this](FrameBytes frame) { frames.emplace_back(frame.begin(), frame.end()); });
        viewer.resize(1100, 650);
        viewer.show();
        QApplication::processEvents();
    }

    fs::path file(const std::string& name) const { return m_dir.path() / name; }
    void openRide() { ASSERT_TRUE(viewer.open(file("ride.csv"))); }

    template <typename Widget> Widget& control(const char* name) const
    {
        auto* widget = viewer.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QWidget& chart() const { return *viewer.chartView().viewport(); }
    QPoint plotPoint(double fraction) const
    {
        const QRectF plot = viewer.chartView().plotRect();
        return QPoint(static_cast<int>(plot.left() + fraction * plot.width()), static_cast<int>(plot.center().y()));
    }
    std::vector<QString> valueTexts() const
    {
        std::vector<QString> texts;
        auto& table = control<QTableWidget>("TableLogCursor");
        for (int row = 0; row < table.rowCount(); ++row)
            texts.push_back(table.item(row, 0)->text() + " = " + table.item(row, 1)->text());
        return texts;
    }
    LinkFrame rowFrame(int i) const { return test::rideRow(i).sealed(); }
    bool handedOut(int i) const { return !frames.empty() && std::ranges::equal(frames.back(), rowFrame(i)); }

    test::ApplicationFirst m_application;
    test::ScratchDirectory m_dir{"log-viewer"};
    test::RecordedMessages messages;
    std::optional<fs::path> answer;
    LogViewer viewer{Language::English, messages, [this] { return answer; }};
    std::vector<std::vector<std::uint8_t>> frames;
};

TEST_F(LogViewerTest, OpenButtonOpensTheChosenLogChartsTheFirstChannelsAndShowsItsFirstFrame)
{
    int overlayCalls = 0;
    viewer.setOverlayHandler([&] { ++overlayCalls; });
    EXPECT_FALSE(control<QPushButton>("ButtonLogPlay").isEnabled());
    answer = file("ride.csv");
    QTest::mouseClick(&control<QPushButton>("ButtonLogOpen"), Qt::LeftButton);

    ASSERT_NE(viewer.log(), nullptr);
    EXPECT_EQ(control<QLabel>("LabelLogInfo").text(), "ride.csv: 200 rows, 10.9 s");
    EXPECT_TRUE(viewer.windowTitle().endsWith("ride.csv"));
    EXPECT_EQ(viewer.chosenChannels(), (std::vector<std::string>{"rpm", "throttle", "lambda"}));
    const auto series = viewer.traces().series();
    ASSERT_EQ(series.size(), 3U);
    EXPECT_EQ(series[0]->name(), "Engine speed [rpm]");
    EXPECT_EQ(series[0]->count(), kRideRows) << "a short log is drawn row for row";
    EXPECT_EQ(valueTexts(),
              (std::vector<QString>{"Engine speed [rpm] = 2000 rpm", "Throttle [%] = 0.0 %", "Lambda [mV] = 200 mV"}));
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_TRUE(handedOut(0));
    EXPECT_EQ(overlayCalls, 1);
    EXPECT_TRUE(control<QPushButton>("ButtonLogPlay").isEnabled());

    answer.reset(); // a cancelled dialog opens nothing
    QTest::mouseClick(&control<QPushButton>("ButtonLogOpen"), Qt::LeftButton);
    EXPECT_EQ(viewer.log()->rowCount(), static_cast<std::size_t>(kRideRows));
}

TEST_F(LogViewerTest, FileThatIsNoLogIsReportedAndTheOpenLogStays)
{
    openRide();
    std::ofstream(file("notes.csv")) << "a,b\n1,2\n";
    EXPECT_FALSE(viewer.open(file("notes.csv")));
    EXPECT_FALSE(viewer.open(file("missing.csv")));
    ASSERT_EQ(messages.shown.size(), 2U);
    EXPECT_EQ(messages.shown[0], file("notes.csv").string() + " is not a log of this program.");
    EXPECT_EQ(messages.shown[1],
              "The log could not be opened: " + file("missing.csv").string() + ": No such file or directory");
    ASSERT_NE(viewer.log(), nullptr);
    EXPECT_EQ(viewer.log()->rowCount(), static_cast<std::size_t>(kRideRows));
    EXPECT_EQ(viewer.traces().series().size(), 3U);
}

TEST_F(LogViewerTest, LogCutByAKilledWriterOpensWithItsCompleteRowsAndSaysSo)
{
    test::writeRide(file("cut.csv"), 20);
    fs::resize_file(file("cut.csv"), fs::file_size(file("cut.csv")) - 40);
    ASSERT_TRUE(viewer.open(file("cut.csv")));
    EXPECT_EQ(control<QLabel>("LabelLogInfo").text(), "cut.csv: 19 rows, 1.0 s \u2014 Damaged rows left out: 1");
}

TEST_F(LogViewerTest, PlayHandsOutEachRowAtItsTimeWithTheChosenSpeedAndStopsAtTheEnd)
{
    openRide();
    frames.clear();
    QTest::mouseClick(&control<QPushButton>("ButtonLogPlay"), Qt::LeftButton);
    EXPECT_TRUE(viewer.playing());
    EXPECT_FALSE(control<QPushButton>("ButtonLogPlay").isEnabled());
    for (int tick = 0; tick < 10; ++tick)
        viewer.tick(55ms);
    EXPECT_EQ(frames.size(), 10U);
    EXPECT_TRUE(handedOut(10));
    EXPECT_EQ(viewer.playbackPosition(), 550ms);
    EXPECT_EQ(control<QSlider>("SliderLogPosition").value(), 550);

    control<QComboBox>("ComboBoxLogSpeed").setCurrentIndex(4); // 8x
    viewer.tick(55ms);
    EXPECT_TRUE(handedOut(18));

    QTest::mouseClick(&control<QPushButton>("ButtonLogPause"), Qt::LeftButton);
    const std::size_t paused = frames.size();
    viewer.tick(55ms);
    EXPECT_EQ(frames.size(), paused);
    EXPECT_EQ(viewer.playbackPosition(), std::nullopt);

    viewer.play();
    for (int tick = 0; tick < 40; ++tick)
        viewer.tick(55ms);
    EXPECT_FALSE(viewer.playing()) << "playback pauses at the end";
    EXPECT_TRUE(handedOut(kRideRows - 1));
    EXPECT_TRUE(control<QPushButton>("ButtonLogPlay").isEnabled());
    EXPECT_FALSE(control<QPushButton>("ButtonLogPause").isEnabled());
}

TEST_F(LogViewerTest, ClickOnTheChartAndTheSliderMoveTheCursorAndPlaybackTogether)
{
    openRide();
    QTest::mouseClick(&chart(), Qt::LeftButton, {}, plotPoint(0.5));
    const double middle = viewer.timeWindow().timeAt(0.5);
    ASSERT_TRUE(viewer.positionMs());
    EXPECT_NEAR(*viewer.positionMs(), middle, 30);
    const int row = static_cast<int>(*viewer.positionMs() / 55);
    EXPECT_TRUE(handedOut(row)) << "the frame of that moment goes to the monitor at once";
    EXPECT_EQ(valueTexts()[0], QString("Engine speed [rpm] = %1 rpm").arg(2000 + 10 * row));
    ASSERT_TRUE(viewer.chartView().cursorFraction());
    EXPECT_NEAR(*viewer.chartView().cursorFraction(), 0.5, 0.01);

    control<QSlider>("SliderLogPosition").setValue(55 * 160);
    EXPECT_EQ(viewer.positionMs(), 55U * 160);
    EXPECT_TRUE(handedOut(160));
    EXPECT_EQ(control<QLabel>("LabelLogCursorTime").text(), "8.80 s");
    EXPECT_EQ(control<QLabel>("LabelLogPosition").text(), "8.8 / 10.9");

    viewer.moveTo(1e9);
    EXPECT_EQ(viewer.positionMs(), 55U * (kRideRows - 1)) << "limited to the log";
}

TEST_F(LogViewerTest, WheelZoomsAroundTheMouseDragPansAndDoubleClickShowsAll)
{
    openRide();
    const QPoint at = plotPoint(0.25);
    const double atFraction = viewer.chartView().fractionAt(at);
    const double underMouse = viewer.timeWindow().timeAt(atFraction);
    QWheelEvent wheel(at, chart().mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&chart(), &wheel);
    const double width = viewer.timeWindow().toMs() - viewer.timeWindow().fromMs();
    EXPECT_NEAR(width, 10'945 * LogChartView::kWheelZoomPerNotch * LogChartView::kWheelZoomPerNotch, 1.0);
    EXPECT_NEAR(viewer.timeWindow().timeAt(atFraction), underMouse, 1.0);
    EXPECT_LT(viewer.traces().series()[0]->count(), kRideRows) << "only the rows in view and their neighbours";

    const double from = viewer.timeWindow().fromMs();
    QTest::mousePress(&chart(), Qt::LeftButton, {}, plotPoint(0.6));
    QTest::mouseMove(&chart(), plotPoint(0.4));
    QTest::mouseRelease(&chart(), Qt::LeftButton, {}, plotPoint(0.4));
    EXPECT_NEAR(viewer.timeWindow().fromMs(), from + 0.2 * width, width * 0.01) << "dragged left shows later times";
    EXPECT_EQ(viewer.positionMs(), 0U) << "a drag is no click";

    QTest::mouseDClick(&chart(), Qt::LeftButton, {}, plotPoint(0.5));
    EXPECT_TRUE(viewer.timeWindow().showsAll());
}

TEST_F(LogViewerTest, RightDragZoomsIntoTheSpan)
{
    openRide();
    const double from = viewer.timeWindow().timeAt(0.2);
    const double to = viewer.timeWindow().timeAt(0.6);
    QTest::mousePress(&chart(), Qt::RightButton, {}, plotPoint(0.6));
    QTest::mouseMove(&chart(), plotPoint(0.2));
    QTest::mouseRelease(&chart(), Qt::RightButton, {}, plotPoint(0.2));
    EXPECT_NEAR(viewer.timeWindow().fromMs(), from, 30);
    EXPECT_NEAR(viewer.timeWindow().toMs(), to, 30);
}

TEST_F(LogViewerTest, LongLogIsHandedToTheChartAtMostTwoPointsPerPixelColumn)
{
    constexpr int kRows = 30'000;
    test::writeRide(file("long.csv"), kRows);
    ASSERT_TRUE(viewer.open(file("long.csv")));
    const int columns = static_cast<int>(viewer.chartView().plotRect().width());
    ASSERT_GT(columns, 100);
    for (const QLineSeries* series : viewer.traces().series()) {
        EXPECT_LE(series->count(), 2 * columns + 4);
        EXPECT_GE(series->count(), columns);
    }
    // Lambda swings every row: the decimated line still spans the whole swing.
    const QLineSeries& lambda = *viewer.traces().series()[2];
    double lowest = 1e9;
    double highest = -1e9;
    for (const QPointF& point : lambda.points()) {
        lowest = std::min(lowest, point.y());
        highest = std::max(highest, point.y());
    }
    EXPECT_EQ(lowest, 200.0);
    EXPECT_EQ(highest, 800.0);
    EXPECT_NEAR(lambda.points().back().x(), (kRows - 1) * 0.055, 1e-6) << "the line reaches the end of the log";
}

TEST_F(LogViewerTest, LineBreaksWhereTheLinkWasLostAndNothingIsDrawnAcrossTheGap)
{
    // Three seconds without a frame after row 59: the cable was pulled and plugged in again.
    DatalogWriter writer;
    ASSERT_EQ(writer.open(file("lost.csv")), std::nullopt);
    for (int i = 0; i < 120; ++i) {
        const auto time = static_cast<std::uint32_t>(55 * i + (i >= 60 ? 3000 : 0));
        writer.record(time, test::rideRow(i).sealed(), {2, 4, 2});
    }
    ASSERT_EQ(writer.close(), std::nullopt);
    ASSERT_TRUE(viewer.open(file("lost.csv")));

    for (std::size_t channel = 0; channel < viewer.traces().series().size(); ++channel) {
        std::vector<const QLineSeries*> drawn;
        for (const QLineSeries* piece : viewer.traces().pieces(channel)) {
            if (piece->count() > 0)
                drawn.push_back(piece);
        }
        ASSERT_EQ(drawn.size(), 2U) << "channel " << channel;
        EXPECT_EQ(drawn[0]->count(), 60);
        EXPECT_EQ(drawn[1]->count(), 60);
        EXPECT_NEAR(drawn[0]->points().back().x(), 59 * 0.055, 1e-6);
        EXPECT_NEAR(drawn[1]->points().front().x(), 60 * 0.055 + 3.0, 1e-6);
        EXPECT_EQ(drawn[1]->color(), drawn[0]->color());
    }
    EXPECT_EQ(viewer.traces().series()[0]->name(), "Engine speed [rpm]");
}

TEST_F(LogViewerTest, TickedChannelsAreChartedAndKeptForTheNextLog)
{
    openRide();
    auto& list = control<QListWidget>("ListLogChannels");
    const auto throttle = list.findItems("Throttle [%]", Qt::MatchExactly);
    ASSERT_EQ(throttle.size(), 1);
    throttle[0]->setCheckState(Qt::Unchecked);
    const auto supply = list.findItems("Supply voltage [V]", Qt::MatchExactly);
    ASSERT_EQ(supply.size(), 1);
    supply[0]->setCheckState(Qt::Checked);
    EXPECT_EQ(viewer.chosenChannels(), (std::vector<std::string>{"rpm", "lambda", "supply"}));
    EXPECT_EQ(viewer.traces().series().size(), 3U);
    EXPECT_EQ(valueTexts().size(), 3U);

    test::writeRide(file("second.csv"), 10);
    ASSERT_TRUE(viewer.open(file("second.csv")));
    EXPECT_EQ(viewer.chosenChannels(), (std::vector<std::string>{"rpm", "lambda", "supply"}));
}

TEST_F(LogViewerTest, OverlayChoicesReachTheWindowAndBothOffShowNone)
{
    int calls = 0;
    viewer.setOverlayHandler([&] { ++calls; });
    EXPECT_EQ(viewer.overlayOptions(), std::nullopt) << "no log, no overlay";
    openRide();
    ASSERT_TRUE(viewer.overlayOptions());
    EXPECT_TRUE(viewer.overlayOptions()->timeInCells);
    EXPECT_TRUE(viewer.overlayOptions()->lambdaByCell);
    EXPECT_EQ(viewer.overlayOptions()->statistics.lambdaThresholdMv, 450);
    EXPECT_EQ(viewer.overlayOptions()->statistics.minimumSamples, 5);

    calls = 0;
    control<QSpinBox>("EditLogThreshold").setValue(500);
    control<QSpinBox>("EditLogMinSamples").setValue(12);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(viewer.overlayOptions()->statistics.lambdaThresholdMv, 500);
    EXPECT_EQ(viewer.overlayOptions()->statistics.minimumSamples, 12);
    control<QCheckBox>("CheckBoxLogCellHits").click();
    EXPECT_FALSE(viewer.overlayOptions()->timeInCells);
    control<QCheckBox>("CheckBoxLogLambda").click();
    EXPECT_EQ(viewer.overlayOptions(), std::nullopt);
    EXPECT_EQ(calls, 4);

    int suggestions = 0;
    viewer.setSuggestHandler([&] { ++suggestions; });
    QTest::mouseClick(&control<QPushButton>("ButtonSuggestCorrections"), Qt::LeftButton);
    EXPECT_EQ(suggestions, 1);
}

TEST_F(LogViewerTest, LanguageChangesEveryTextAndKeepsTheLog)
{
    openRide();
    viewer.setLanguage(Language::German);
    EXPECT_EQ(control<QPushButton>("ButtonLogPlay").text(), "&Abspielen");
    EXPECT_EQ(viewer.windowTitle(), "Aufzeichnung ansehen - ride.csv");
    EXPECT_EQ(viewer.traces().series()[0]->name(), "Drehzahl [rpm]");
    EXPECT_EQ(control<QListWidget>("ListLogChannels").item(0)->text(), "Drehzahl [rpm]");
    EXPECT_EQ(control<QTableWidget>("TableLogCursor").horizontalHeaderItem(0)->text(), "Kanal");
    EXPECT_EQ(control<QLabel>("LabelLogInfo").text(), "ride.csv: 200 Zeilen, 10.9 s");
    EXPECT_EQ(viewer.chosenChannels(), (std::vector<std::string>{"rpm", "throttle", "lambda"}));
    EXPECT_EQ(valueTexts()[0], "Drehzahl [rpm] = 2000 rpm");
}

TEST_F(LogViewerTest, ClosingTheViewerStopsPlayback)
{
    openRide();
    viewer.play();
    viewer.close();
    EXPECT_FALSE(viewer.playing());
}

} // namespace
} // namespace quorvel
