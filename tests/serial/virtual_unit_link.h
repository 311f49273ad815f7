#pragma once

#include "serial/fake_serial_line.h"
#include "serial/link_rig.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace quorvel::test {

// A session on the fake line looped back to an in-process virtual unit, its port open. One step
// is one tick: 55 ms of the unit's time pass, then the session ticks.
class VirtualUnitLinkTest : public ::testing::Test {
protected:
    static constexpr int kLongEnough = 3000; // ticks; any transfer in these tests ends far sooner

    sim::VirtualUnit unit;
    FakeSerialLine line;
    FakePortNaming naming;
    LinkRig rig{line, naming};
    ParamImage& image = rig.image;
    LinkSession& session = rig.session;
    const LinkDisplay& display = rig.session.display();

    void SetUp() override
    {
        line.attachUnit(unit);
        rig.port.setPortSelection(0);
        rig.port.openPort();
    }

    void step()
    {
        line.advanceUnit(std::chrono::milliseconds(55));
        session.tick();
    }
    // Ticks until `done` holds; returns the number of ticks, or -1 when it never did.
    int stepUntil(const std::function<bool()>& done, int limit = kLongEnough)
    {
        for (int ticks = 1; ticks <= limit; ++ticks) {
            step();
            if (done())
                return ticks;
        }
        return -1;
    }
};

} // namespace quorvel::test
