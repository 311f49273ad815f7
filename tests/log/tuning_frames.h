#pragma once

#include "monitor_frame_builder.h"

namespace quorvel::test {

// A monitor frame of a warm engine that live tuning would count: 3000 rpm at 20 % throttle (cell
// 4:2 of the log test image), the throttle maps dosing alone, cylinder 1 injected, every
// dosing correction at 100 %, the lambda line on lambda reading 450 mV.
class EngineFrame : public MonitorFrameBuilder<EngineFrame> {
public:
    EngineFrame()
    {
        rpm(3000).throttleTenths(200).lambda(450).jetShare(100).byte(14, 20);
        for (int word100 : {100, 102, 104, 106})
            word(word100, 1000);
    }
    EngineFrame& rpm(int value) { return word(48, value); }
    EngineFrame& throttleTenths(int value) { return word(138, value); }
    EngineFrame& iapKpa(int value) { return word(136, value); }
    EngineFrame& lambda(int millivolts) { return word(58, millivolts); }
    EngineFrame& jetShare(int percent) { return byte(26, percent); }
    EngineFrame& tachoLine() { return bit(2, 1, true); }
    EngineFrame& noInjection() { return byte(14, 0); }
    EngineFrame& coolantCelsius(int celsius) { return byte(23, celsius + 100); }
};

} // namespace quorvel::test
