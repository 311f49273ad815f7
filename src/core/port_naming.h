#pragma once

#include <string>

namespace quorvel {

// Turns the port names the user chooses ("COM1".."COM21") into the platform's device names.
class PortNaming {
public:
    virtual ~PortNaming() = default;
    // The device to open for COM number `comNumber` (1-based); empty when the platform has no
    // such port, in which case the open fails as it would for a missing device.
    [[nodiscard]] virtual std::string deviceFor(int comNumber) const = 0;
};

} // namespace quorvel
