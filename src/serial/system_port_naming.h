#pragma once

#include "core/port_naming.h"

#include <string>
#include <vector>

namespace quorvel {

// The platform's serial ports under the COM numbers of the menu. On Windows COM n is the device
// "COMn". Elsewhere COM n is the n-th port found, adapters first (USB and ACM, the usual way to
// reach the unit from a laptop), then the built-in ttyS ports, then anything else.
class SystemPortNaming final : public PortNaming {
public:
    [[nodiscard]] std::string deviceFor(int comNumber) const override;
    [[nodiscard]] std::vector<std::string> devices(int count) const override;
};

// Orders device paths as COM 1, COM 2, ...: by the groups above, then by name with the number at
// the end compared as a number, so ttyUSB2 comes before ttyUSB10.
[[nodiscard]] std::vector<std::string> orderSerialDevices(std::vector<std::string> devicePaths);

} // namespace quorvel
