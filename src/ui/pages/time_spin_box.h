#pragma once

#include <QDoubleSpinBox>

#include <functional>

namespace quorvel {

// The editor of a map cell that shows its stored injection time in ms: a decimal point on every
// desktop, as the time labels and the map files write it, and a step of the arrows reported once
// the value has moved, which is when the cell stores it.
class TimeSpinBox final : public QDoubleSpinBox {
public:
    explicit TimeSpinBox(QWidget* parent = nullptr);

    void stepBy(int steps) override;

    std::function<void()> onStepped;
};

} // namespace quorvel
