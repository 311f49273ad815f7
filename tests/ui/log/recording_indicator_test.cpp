#include "ui/log/recording_indicator.h"

#include "core/link_only_monitor.h"
#include "log/datalog_recorder.h"
#include "log_ui_rig.h"
#include "reliability/scratch_directory.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

class RecordingIndicatorTest : public ::testing::Test {
protected:
    test::ApplicationFirst m_application;
    test::ScratchDirectory m_dir{"recording-indicator"};
    LinkOnlyMonitor display;
    ParamImage image;
    std::chrono::milliseconds now{5'000};
    DatalogRecorder recorder{display, image, [this] { return now; }};
    RecordingIndicator indicator{Language::English};
};

TEST_F(RecordingIndicatorTest, ShowsTheRecordingTimeWhileRecordingAndHidesAfterwards)
{
    indicator.refresh(recorder);
    EXPECT_TRUE(indicator.isHidden());

    const auto file = m_dir.path() / "ride.csv";
    ASSERT_EQ(recorder.start(file), std::nullopt);
    indicator.refresh(recorder);
    EXPECT_FALSE(indicator.isHidden());
    EXPECT_EQ(indicator.text(), "Recording: 00:00");
    EXPECT_EQ(indicator.toolTip().toStdString(), file.string());

    now += 65'900ms;
    indicator.refresh(recorder);
    EXPECT_EQ(indicator.text(), "Recording: 01:05");
    indicator.setLanguage(Language::Czech);
    EXPECT_EQ(indicator.text(), "Záznam: 01:05");

    ASSERT_EQ(recorder.stop(), std::nullopt);
    indicator.refresh(recorder);
    EXPECT_TRUE(indicator.isHidden());
    EXPECT_TRUE(indicator.toolTip().isEmpty());
}

TEST_F(RecordingIndicatorTest, ShowsPlaybackWhenNotRecordingAndRecordingFirst)
{
    indicator.refresh(recorder, 12'300ms);
    EXPECT_FALSE(indicator.isHidden());
    EXPECT_EQ(indicator.text(), "Playback: 00:12");

    ASSERT_EQ(recorder.start(m_dir.path() / "ride.csv"), std::nullopt);
    indicator.refresh(recorder, 12'300ms);
    EXPECT_EQ(indicator.text(), "Recording: 00:00");
    (void)recorder.stop();
}

} // namespace
} // namespace quorvel
