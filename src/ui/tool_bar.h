#pragma once

#include <QGroupBox>

#include <string_view>

class QAbstractButton;

namespace quorvel {

// GroupBoxToolBar at the top left of the window: New, Open, Save as pictures, then Read, Verify
// and Program as captions, each with its hint. The window connects them by name.
class ToolBar final : public QGroupBox {
public:
    explicit ToolBar(QWidget* parent = nullptr);

    [[nodiscard]] QAbstractButton& button(std::string_view name) const;
};

} // namespace quorvel
