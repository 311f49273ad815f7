#pragma once

#include <QLabel>

namespace quorvel {

// A one-line label that never asks for more room than it gets: a text too long for it (a deep
// file path) is shortened in the middle with an ellipsis, and its tooltip shows it whole.
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The text as it fits the label now.
    [[nodiscard]] QString shownText() const;
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace quorvel
