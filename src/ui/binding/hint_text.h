#pragma once

#include "texts/hint_text.h"

#include <QString>

#include <string_view>

namespace quorvel {

// Puts a hint on a widget or menu item: the tooltip shows its short part, the status line the
// long one. The split itself is the one the language tables use.
template <typename Target> void showHint(Target& target, const HintText& hint)
{
    target.setToolTip(QString::fromStdString(hint.tooltip));
    target.setStatusTip(QString::fromStdString(hint.statusTip));
}

template <typename Target> void showHint(Target& target, std::string_view hint)
{
    showHint(target, splitHint(ControlKey{}, hint));
}

} // namespace quorvel
