#pragma once

#include <QGroupBox>

#include <string_view>

class QAbstractButton;

namespace quorvel {

// GroupBoxToolBar at the top left of the window, built from the tool bar structure: New, Open,
// Save, Print, Undo and Redo as pictures, then Read, Verify and Program as captions. Captions and
// hints come with the language; the window connects the buttons by name.
class ToolBar final : public QGroupBox {
public:
    explicit ToolBar(QWidget* parent = nullptr);

    [[nodiscard]] QAbstractButton& button(std::string_view name) const;
};

} // namespace quorvel
