#include "serial/system_port_naming.h"

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

} // namespace
} // namespace quorvel
