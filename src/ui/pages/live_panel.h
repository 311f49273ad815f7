#pragma once

#include <QFrame>

namespace quorvel {

// The panel beside the pages that is always visible: the link's status line and progress
// (LabelHlaseni, CGaugeProgram), "No Connection" (LabelSpojeni), the version indicator, the
// port (LabelCom), the unit's data error, and the main engine values with their gauges.
class LivePanel final : public QFrame {
public:
    static constexpr int kProgressMax = 20;

    explicit LivePanel(QWidget* parent = nullptr);
};

} // namespace quorvel
