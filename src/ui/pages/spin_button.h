#pragma once

#include "maps/map_tools.h"

#include <QWidget>

#include <functional>

class QToolButton;

namespace quorvel {

// An up-down pair without a value of its own: each click asks for one step down or up.
class SpinButton final : public QWidget {
public:
    using StepHandler = std::function<void(StepDirection)>;

    explicit SpinButton(QWidget* parent = nullptr);

    void setStepHandler(StepHandler handler) { m_step = std::move(handler); }

    [[nodiscard]] QToolButton& upButton() const { return *m_up; }
    [[nodiscard]] QToolButton& downButton() const { return *m_down; }

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    StepHandler m_step;
};

} // namespace quorvel
