#pragma once

#include "core/control_view.h"
#include "core/link_frame.h"
#include "core/message_texts.h"
#include "core/monitor_snapshot.h"
#include "core/param_image.h"

#include <optional>
#include <vector>

namespace quorvel {

// What decoding reads besides the frame: image values and two check boxes of the window.
struct MonitorContext {
    int cylinderCount = 1; // CylinderCount, image offset 406
    int ignLimiter = 0;    // IgnLimiter in 100 rpm, image offset 179
    bool chokeBike = false;
    bool extendedMonitor = false; // CheckBoxExtMonitor: sensor voltages join the texts
    bool n2oEnabled = false;      // CheckBoxGas

    [[nodiscard]] static MonitorContext from(const ParamImage& image, bool extendedMonitor, bool n2oEnabled);
};

// Every text, colour and gauge value the window shows for one monitor frame.
struct MonitorDisplay {
    std::vector<LabelState> labels;
    std::vector<GaugeState> gauges;
};

// Turns the unit's live data into the texts, colours and gauge values of the window, and keeps
// the snapshot that live marking, the learn buttons and the link session read.
class MonitorDecoder {
public:
    // Decodes a monitor frame; none for a frame whose checksum fails, which leaves the snapshot
    // and every text as they were. Texts are rebuilt in full for every frame.
    [[nodiscard]] std::optional<MonitorDisplay> decode(FrameBytes frame, const MonitorContext& context,
                                                       const MessageTexts& texts);

    [[nodiscard]] const MonitorSnapshot& snapshot() const { return m_snapshot; }

private:
    MonitorSnapshot m_snapshot;
};

} // namespace quorvel
