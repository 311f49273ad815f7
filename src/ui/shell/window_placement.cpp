#include "ui/shell/window_placement.h"

#include <QScreen>

#include <algorithm>

namespace quorvel {

QRect WindowPlacement::restored(QRect stored, QRect desktop, QRect screen)
{
    const int width = std::min(stored.width(), desktop.width());
    const int height = std::min(stored.height(), desktop.height());
    const QRect sized(stored.topLeft(), QSize(width, height));

    const QRect titleOnDesktop = QRect(sized.left(), sized.top(), width, kTitleBand).intersected(desktop);
    const bool reachable = sized.top() >= desktop.top() && titleOnDesktop.height() == kTitleBand &&
                           titleOnDesktop.width() >= std::min(width, kReachableWidth);
    if (reachable)
        return sized;
    return {QPoint(screen.left() + std::max(0, (screen.width() - width) / 2),
                   screen.top() + std::max(0, (screen.height() - height) / 2)),
            QSize(width, height)};
}

QRect WindowPlacement::restored(const WindowGeometry& stored, const QScreen* screen)
{
    const QRect place(stored.left, stored.top, stored.width, stored.height);
    if (screen == nullptr)
        return place;
    return restored(place, screen->availableVirtualGeometry(), screen->availableGeometry());
}

QSize WindowPlacement::firstSize(QSize designed, const QScreen* screen)
{
    if (screen == nullptr)
        return designed;
    return designed.boundedTo(screen->availableGeometry().size());
}

} // namespace quorvel
