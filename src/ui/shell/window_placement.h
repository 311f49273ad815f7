#pragma once

#include "io/app_settings.h"

#include <QRect>
#include <QSize>

class QScreen;

namespace quorvel {

// Where the window goes when the settings hold its last place: there, unless a hand-edited or
// damaged file, or a monitor that has gone since, would put it where the user cannot reach it.
//   - The size is at most the desktop's room (without its task bar): a window larger than the
//     screen of a workshop laptop is reduced, and its pages scroll.
//   - The place is kept while the top band of the window (its title bar) lies on the desktop
//     over at least kReachableWidth pixels; otherwise the window is centred on `screen`.
struct WindowPlacement {
    static constexpr int kTitleBand = 30;
    static constexpr int kReachableWidth = 100;

    [[nodiscard]] static QRect restored(QRect stored, QRect desktop, QRect screen);
    // The same for the window's own screen; the stored place as it is without a screen.
    [[nodiscard]] static QRect restored(const WindowGeometry& stored, const QScreen* screen);
    // The size a window opened for the first time takes: the designed size, within the screen.
    [[nodiscard]] static QSize firstSize(QSize designed, const QScreen* screen);
};

} // namespace quorvel
