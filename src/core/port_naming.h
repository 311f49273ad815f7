#pragma once

#include <string>
#include <vector>

namespace quorvel {

// Turns the port names the user chooses ("COM1".."COM21") into the platform's device names.
class PortNaming {
public:
    virtual ~PortNaming() = default;
    // The device to open for COM number `comNumber` (1-based); empty when the platform has no
    // such port, in which case the open fails as it would for a missing device.
    [[nodiscard]] virtual std::string deviceFor(int comNumber) const = 0;
    // The devices of COM 1, COM 2, ... up to `count`, empty where there is none; one look at
    // the system for all of them where the platform has to search.
    [[nodiscard]] virtual std::vector<std::string> devices(int count) const
    {
        std::vector<std::string> found;
        for (int n = 1; n <= count; ++n)
            found.push_back(deviceFor(n));
        return found;
    }
};

} // namespace quorvel
