// A ride recorded from the live link and played back from its file drives the monitor panel and
// the live marks of a map page exactly as the link did.
#include "core/link_session.h"
#include "core/monitor_display_sink.h"
#include "core/page_index.h"
#include "log/datalog_reader.h"
#include "log/datalog_recorder.h"
#include "log/playback_clock.h"
#include "maps/live_marking.h"
#include "reliability/scratch_directory.h"
#include "serial/fake_serial_line.h"
#include "serial/link_rig.h"
#include "texts/language_table.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

// What the window shows after a frame: the texts of the monitor labels and the marks of Inj-1A.
struct Shown {
    std::vector<std::string> texts;
    std::vector<ControlMark> marks;
    bool operator==(const Shown& other) const
    {
        return texts == other.texts &&
               std::ranges::equal(marks, other.marks, [](const ControlMark& a, const ControlMark& b) {
                   return a.key == b.key && a.colour == b.colour && a.bold == b.bold;
               });
    }
};

Shown shownAfter(MonitorDisplaySink& sink, LiveMarking& marking, const ParamImage& image)
{
    Shown shown;
    const auto display = sink.takeDisplay();
    if (display) {
        for (const LabelState& label : display->labels)
            shown.texts.push_back(label.key.objectName() + "=" + label.text.value_or("-"));
    }
    shown.marks = marking.refresh(kPageInj1A, image, sink.snapshot(), false);
    return shown;
}

TEST(PlaybackOfALog, DrivesTheSameMonitorTextsAndLiveMarksAsTheLiveLink)
{
    test::ScratchDirectory dir("playback");
    const auto file = dir.path() / "ride.csv";
    LanguageTable texts;
    sim::VirtualUnit unit;
    unit.advance(7s); // the rider is opening the throttle
    const ParamImage image = unit.memory();
    auto context = [&] { return MonitorContext::from(image, true, false); };

    std::vector<Shown> live;
    {
        test::FakeSerialLine line;
        test::FakePortNaming naming;
        line.attachUnit(unit);
        ParamImage linkImage = image;
        test::RecordingHost host(linkImage);
        SerialPort port(line, naming, texts, host);
        MonitorDisplaySink display(texts, context);
        std::chrono::milliseconds now{0};
        DatalogRecorder recorder(display, image, [&] { return now; });
        LinkSession session(linkImage, port, host, recorder, texts);
        session.setFastMonitor(true);
        port.setPortSelection(0);
        port.openPort();
        ASSERT_EQ(recorder.start(file), std::nullopt);
        LiveMarking marking;
        for (int tick = 0; tick < 200; ++tick) {
            now += 55ms;
            line.advanceUnit(55ms);
            const std::uint64_t rows = recorder.rows();
            session.tick();
            if (recorder.rows() > rows)
                live.push_back(shownAfter(display, marking, image));
        }
        ASSERT_EQ(recorder.stop(), std::nullopt);
    }
    ASSERT_GT(live.size(), 150U);

    const DatalogRead read = readDatalog(file);
    ASSERT_TRUE(read.log);
    ASSERT_EQ(read.log->rowCount(), live.size());
    MonitorDisplaySink display(texts, context);
    LiveMarking marking;
    PlaybackClock clock(read.log->timesMs());
    clock.play();
    std::vector<Shown> played;
    for (int tick = 0; tick < 400 && clock.playing(); ++tick) {
        if (const auto row = clock.advance(tick == 0 ? 0ms : 55ms)) {
            ASSERT_TRUE(display.decodeMonitorFrame(read.log->frame(*row)));
            played.push_back(shownAfter(display, marking, image));
        }
    }
    ASSERT_EQ(played.size(), live.size());
    for (std::size_t i = 0; i < live.size(); ++i)
        EXPECT_TRUE(played[i] == live[i]) << "frame " << i;
}

} // namespace
} // namespace quorvel
