#include "core/monitor_display_sink.h"
#include "sim/virtual_unit.h"
#include "texts/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

using namespace std::chrono_literals;

LinkFrame monitorReply(sim::VirtualUnit& unit)
{
    unit.receive(buildMonitorRequest());
    unit.advance(100ms);
    const auto bytes = unit.takeTransmitted();
    LinkFrame frame{};
    std::copy_n(bytes.begin(), frame.size(), frame.begin());
    return frame;
}

class MonitorDisplaySinkTest : public ::testing::Test {
protected:
    LanguageTable texts;
    int contextRequests = 0;
    bool extended = false;
    MonitorDisplaySink sink{texts, [this] {
                                ++contextRequests;
                                return MonitorContext{.cylinderCount = 4, .extendedMonitor = extended};
                            }};
    sim::VirtualUnit unit;
};

const LabelState* findLabel(const MonitorDisplay& display, std::string_view name)
{
    const auto it = std::ranges::find_if(display.labels, [&](const LabelState& s) { return s.key.name == name; });
    return it == display.labels.end() ? nullptr : &*it;
}

TEST_F(MonitorDisplaySinkTest, AcceptedFrameGivesTheSavingCountdownAndOneDisplay)
{
    unit.advance(5s);
    const auto countdown = sink.decodeMonitorFrame(monitorReply(unit));
    ASSERT_TRUE(countdown.has_value());
    EXPECT_EQ(*countdown, unit.savingCountdown());
    EXPECT_EQ(sink.snapshot().Rpm, unit.operatingPoint().rpm);
    const auto display = sink.takeDisplay();
    ASSERT_TRUE(display.has_value());
    EXPECT_NE(findLabel(*display, "LabelRpm"), nullptr);
    EXPECT_FALSE(sink.takeDisplay().has_value());
}

TEST_F(MonitorDisplaySinkTest, CorruptFrameIsIgnoredAndLeavesTheLastDisplay)
{
    (void)sink.decodeMonitorFrame(monitorReply(unit));
    LinkFrame corrupt = monitorReply(unit);
    corrupt[60] ^= 0x01;
    EXPECT_FALSE(sink.decodeMonitorFrame(corrupt).has_value());
    EXPECT_TRUE(sink.takeDisplay().has_value());
}

TEST_F(MonitorDisplaySinkTest, ContextIsAskedForAtEveryFrame)
{
    const LinkFrame frame = monitorReply(unit);
    (void)sink.decodeMonitorFrame(frame);
    const std::string plain = *findLabel(*sink.takeDisplay(), "LabelTlak")->text;
    extended = true;
    (void)sink.decodeMonitorFrame(frame);
    const std::string detailed = *findLabel(*sink.takeDisplay(), "LabelTlak")->text;
    EXPECT_EQ(contextRequests, 2);
    EXPECT_EQ(plain.find("mV"), std::string::npos);
    EXPECT_NE(detailed.find("mV"), std::string::npos);
}

} // namespace
} // namespace quorvel
