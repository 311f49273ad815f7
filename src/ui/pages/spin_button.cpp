#include "ui/pages/spin_button.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace quorvel {

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto [button, arrow, direction] :
         {std::tuple{m_up, Qt::UpArrow, StepDirection::Up}, std::tuple{m_down, Qt::DownArrow, StepDirection::Down}}) {
        button->setArrowType(arrow);
        button->setFixedSize(17, 11);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, stepDirection = direction] {
            if (m_step)
                m_step(stepDirection);
        });
    }
}

} // namespace quorvel
