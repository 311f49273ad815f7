#pragma once

#include <QSpinBox>

#include <functional>

namespace quorvel {

// The edit field of a parameter with its up-down: values of 1000 and more carry a thousands
// separator, and a step of the arrows (mouse, arrow keys, wheel) is reported once the position
// has moved, which is when the page stores it.
//
// A number is typed whole before it is judged: a key that takes the text past the range is
// not refused (the field would then hold the cut-short number and store it), the text waits as
// typed, and when the field is left a number outside the range gives way to the value the field
// had before.
class FieldSpinBox final : public QSpinBox {
public:
    explicit FieldSpinBox(const QString& objectName, QWidget* parent = nullptr);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;

    std::function<void()> onStepped;
};

} // namespace quorvel
