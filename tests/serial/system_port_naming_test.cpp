#include "serial/system_port_naming.h"

#include "serial/qt_serial_line.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(SystemPortNaming, AdaptersComeFirstThenBuiltInPortsThenTheRestInNumberOrder)
{
    const std::vector<std::string> found{"/dev/ttyS10", "/dev/ttyS2",   "/dev/ttyAMA0", "/dev/ttyUSB10",
                                         "/dev/ttyS0",  "/dev/ttyACM0", "/dev/ttyUSB2", "/dev/rfcomm"};
    const std::vector<std::string> expected{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS0",
                                            "/dev/ttyS2",   "/dev/ttyS10",  "/dev/rfcomm",   "/dev/ttyAMA0"};
    EXPECT_EQ(orderSerialDevices(found), expected);
}

TEST(SystemPortNaming, NumbersOutsideThePortsFoundHaveNoDevice)
{
    const SystemPortNaming naming;
    EXPECT_TRUE(naming.deviceFor(0).empty());
    EXPECT_TRUE(naming.deviceFor(1000).empty());
}

// Qt says "permission" both for a device another program holds and for one the user may not
// open; whether the user may read and write the device tells which.
TEST(QtSerialLine, OpenErrorsNameTheirReason)
{
    EXPECT_EQ(openFailureOf(QSerialPort::DeviceNotFoundError, true), OpenFailure::Missing);
    EXPECT_EQ(openFailureOf(QSerialPort::PermissionError, true), OpenFailure::Busy);
    EXPECT_EQ(openFailureOf(QSerialPort::PermissionError, false), OpenFailure::Denied);
    EXPECT_EQ(openFailureOf(QSerialPort::OpenError, true), OpenFailure::Other);
    EXPECT_EQ(openFailureOf(QSerialPort::NoError, true), OpenFailure::None);
}

TEST(QtSerialLine, MissingDeviceIsReportedAsMissing)
{
    QtSerialLine line;
    EXPECT_FALSE(line.open("/dev/quorvel-no-such-device"));
    EXPECT_EQ(line.lastOpenFailure(), OpenFailure::Missing);
}

} // namespace
} // namespace quorvel
