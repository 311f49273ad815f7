#pragma once

#include <QWidget>

namespace quorvel {

// TabSheet_Monitor: the unit's live data beyond the always-visible panel, in framed columns
// (advance and injection, inputs and outputs, limiters and pick-ups, servos and positions,
// corrections, gear and speed, the unit's counters and test values), and CheckBoxExtMonitor,
// which adds the sensor voltages to the texts.
class MonitorPage final : public QWidget {
public:
    explicit MonitorPage(QWidget* parent = nullptr);
};

} // namespace quorvel
