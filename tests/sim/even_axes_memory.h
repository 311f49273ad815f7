#pragma once

#include "core/sanitise.h"
#include "sim/factory_memory.h"

#include <array>

namespace quorvel::test {

// The unit's memory with every RPM axis (and the RPM points of both position curves) at 1000,
// 2000 .. 15000 rpm, so that tests of the engine can name a head by its index.
inline ParamImage evenAxesMemory()
{
    constexpr std::array kRpmAxes = {515, 530, 545, 560, 575, 590, 605, 620, 635, 455, 485};
    ParamImage memory = sim::factoryMemory();
    for (int axis : kRpmAxes) {
        for (int c = 0; c < 15; ++c)
            memory.setByte(axis + c, static_cast<std::uint8_t>(10 + 10 * c));
    }
    OutsideSettings settings;
    (void)sanitiseImage(memory, settings);
    return memory;
}

} // namespace quorvel::test
