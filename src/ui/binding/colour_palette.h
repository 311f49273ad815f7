#pragma once

#include "core/colour_role.h"

#include <QColor>

class QWidget;

namespace quorvel {

// The one place where the colours that carry meaning become screen colours. The normal face
// and window colours follow the desktop's palette; the compare colour is a violet of its own,
// and the others are the plain named colours.
class ColourPalette {
public:
    [[nodiscard]] static QColor colour(ColourRole role);
    // A label's or panel's background.
    static void paintBackground(QWidget& widget, ColourRole role);
    // The filled part of a gauge.
    static void paintGauge(QWidget& gauge, ColourRole role);
    // The field of an edit control.
    static void paintField(QWidget& field, ColourRole role);
};

} // namespace quorvel
