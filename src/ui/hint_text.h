#pragma once

#include <QAction>
#include <QString>
#include <QWidget>

#include <string_view>

namespace quorvel {

// A hint of two parts "short|long": the tooltip shows the short part, the status line the long
// one; a hint of one part is both.
template <typename Target> void setHint(Target& target, std::string_view hint)
{
    const QString text = QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size()));
    const qsizetype bar = text.indexOf(u'|');
    target.setToolTip(bar < 0 ? text : text.left(bar));
    target.setStatusTip(bar < 0 ? text : text.mid(bar + 1));
}

} // namespace quorvel
