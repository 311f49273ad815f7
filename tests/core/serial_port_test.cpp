#include "core/serial_port.h"
#include "serial/fake_serial_line.h"
#include "texts/language_table.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quorvel {
namespace {

class RecordedMessages final : public UserMessages {
public:
    void showMessage(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

// COM n is the n-th of a fixed list of devices; anything else has no device.
class ListedNaming final : public PortNaming {
public:
    std::string deviceFor(int comNumber) const override
    {
        const auto found = devices.find(comNumber);
        return found == devices.end() ? std::string() : found->second;
    }
    std::map<int, std::string> devices;
};

class SerialPortTest : public ::testing::Test {
protected:
    test::FakeSerialLine line;
    test::FakePortNaming naming;
    LanguageTable texts;
    RecordedMessages messages;
    SerialPort port{line, naming, texts, messages};

    void feed(std::size_t count, std::uint8_t value = 0)
    {
        const std::vector<std::uint8_t> bytes(count, value);
        line.feedReceived(bytes);
    }
};

struct NameCase {
    int selection;
    int autoScanIndex;
    const char* device;
};

class SerialPortNames : public SerialPortTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SerialPortNames, SelectionOpensItsComDeviceAndShowsItsName)
{
    port.setPortSelection(GetParam().selection);
    port.setAutoScanIndex(GetParam().autoScanIndex);
    port.openPort();
    ASSERT_EQ(line.openAttempts().size(), 1U);
    EXPECT_EQ(line.openAttempts().front(), GetParam().device);
    EXPECT_EQ(port.labelText(), std::string("COM= ") + GetParam().device);
    EXPECT_EQ(port.checkedMenuEntry(), GetParam().selection);
}

// The automatic scan reaches COM21, one past the menu.
INSTANTIATE_TEST_SUITE_P(Selections, SerialPortNames,
                         ::testing::Values(NameCase{0, 7, "COM1"}, NameCase{4, 0, "COM5"}, NameCase{19, 3, "COM20"},
                                           NameCase{20, 0, "COM1"}, NameCase{20, 20, "COM21"}));

TEST_F(SerialPortTest, MenuHasTwentyPortsAndAutomaticScanning)
{
    EXPECT_EQ(SerialPort::menuCaption(0), "Com 1");
    EXPECT_EQ(SerialPort::menuCaption(19), "Com 20");
    EXPECT_EQ(SerialPort::menuCaption(20), "Com Auto");
    EXPECT_EQ(port.portSelection(), 1); // COM2 until the settings say otherwise
    EXPECT_EQ(port.labelText(), "COM = --");
}

TEST_F(SerialPortTest, PlatformDeviceIsShownBesideTheComName)
{
    ListedNaming listed;
    listed.devices = {{3, "/dev/ttyUSB0"}};
    SerialPort linuxPort(line, listed, texts, messages);
    linuxPort.selectPort(2);
    EXPECT_EQ(line.openAttempts().back(), "/dev/ttyUSB0");
    EXPECT_EQ(linuxPort.labelText(), "COM= COM3 (/dev/ttyUSB0)");
    linuxPort.selectPort(3);
    EXPECT_EQ(line.openAttempts().back(), "COM4");
    EXPECT_EQ(linuxPort.labelText(), "COM= COM4");
}

TEST_F(SerialPortTest, ExplicitDeviceIsOpenedUntilTheUserPicksAMenuEntry)
{
    port.setExplicitDevice("/dev/pts/7");
    port.openPort();
    EXPECT_EQ(line.openAttempts().back(), "/dev/pts/7");
    EXPECT_EQ(port.labelText(), "COM= /dev/pts/7");
    for (int i = 0; i < SerialPort::kReopenInterval; ++i)
        port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().back(), "/dev/pts/7");
    port.selectPort(5);
    EXPECT_EQ(line.openAttempts().back(), "COM6");
}

TEST_F(SerialPortTest, FixedPortThatCannotOpenComplainsOnceAndRetriesSilently)
{
    line.setDevices({"COM1"});
    port.selectPort(6);
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown.front(), "Com opening error!");

    for (int i = 0; i < 3 * SerialPort::kReopenInterval; ++i)
        port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().size(), 4U);
    EXPECT_EQ(line.openAttempts().back(), "COM7");
    EXPECT_EQ(messages.shown.size(), 1U);
    EXPECT_TRUE(port.reopenByWatchdog());

    port.selectPort(6); // the user's own choice complains again
    EXPECT_EQ(messages.shown.size(), 2U);
}

TEST_F(SerialPortTest, WatchdogReopensEveryThirtyDisconnectedTicks)
{
    port.selectPort(0);
    ASSERT_TRUE(port.isOpen());
    for (int i = 1; i < SerialPort::kReopenInterval; ++i)
        port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().size(), 1U);
    port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().size(), 2U);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.reopenTicks(), 0);
}

TEST_F(SerialPortTest, AutomaticScanMovesOnAtTheNextTickAfterAFailedOpenAndWraps)
{
    line.setDevices({"COM3"});
    port.setAutoScanIndex(19);
    port.selectPort(SerialPort::kAutoSelection);
    EXPECT_EQ(line.openAttempts().back(), "COM20");
    EXPECT_EQ(port.reopenTicks(), SerialPort::kReopenAtOnce);
    EXPECT_TRUE(messages.shown.empty());

    port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().back(), "COM21");
    port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().back(), "COM1");
    port.countDisconnectedTick();
    port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().back(), "COM3");
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.autoScanIndex(), 2);
    // An open port is kept for the full interval before the scan moves on.
    port.countDisconnectedTick();
    EXPECT_EQ(line.openAttempts().back(), "COM3");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SerialPortTest, LessThanAFrameStaysQueuedUntilTheRestArrives)
{
    port.selectPort(0);
    feed(151);
    EXPECT_TRUE(port.pollPort().empty());
    EXPECT_EQ(line.queued(), 151U);
    feed(10);
    EXPECT_EQ(port.pollPort().size(), 161U);
    EXPECT_EQ(line.queued(), 0U);
}

TEST_F(SerialPortTest, TwoWaitingFramesAreReadAsOneChunk)
{
    port.selectPort(0);
    feed(2 * kFrameSize);
    EXPECT_EQ(port.pollPort().size(), 2U * kFrameSize);
}

TEST_F(SerialPortTest, AtMostFifteenThousandBytesAreReadPerPoll)
{
    port.selectPort(0);
    feed(15100, 0x11);
    EXPECT_EQ(port.pollPort().size(), SerialPort::kReceiveBufferSize);
    EXPECT_EQ(line.queued(), 100U);
    EXPECT_TRUE(port.pollPort().empty());
}

TEST_F(SerialPortTest, SettingsOutsideTheirRangesFallBackToSafeChoices)
{
    port.setPortSelection(255);
    EXPECT_EQ(port.portSelection(), 0);
    port.setAutoScanIndex(21);
    EXPECT_EQ(port.autoScanIndex(), 0);
}

} // namespace
} // namespace quorvel
