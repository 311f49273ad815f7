#pragma once

#include <QSpinBox>

#include <functional>

namespace quorvel {

// The edit field of a parameter with its up-down: values of 1000 and more carry a thousands
// separator, and a step of the arrows (mouse, arrow keys, wheel) is reported once the position
// has moved, which is when the page stores it.
class FieldSpinBox final : public QSpinBox {
public:
    explicit FieldSpinBox(const QString& objectName, QWidget* parent = nullptr);

    void stepBy(int steps) override;

    std::function<void()> onStepped;
};

} // namespace quorvel
