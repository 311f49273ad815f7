#include "ui/binding/colour_palette.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace quorvel {

QColor ColourPalette::colour(ColourRole role)
{
    switch (role) {
    case ColourRole::NormalFace:
        return QApplication::palette().color(QPalette::Window);
    case ColourRole::NormalWindow:
        return QApplication::palette().color(QPalette::Base);
    case ColourRole::Red:
        return QColor(0xff, 0x00, 0x00);
    case ColourRole::Lime:
        return QColor(0x00, 0xff, 0x00);
    case ColourRole::Aqua:
        return QColor(0x00, 0xff, 0xff);
    case ColourRole::Fuchsia:
        return QColor(0xff, 0x00, 0xff);
    case ColourRole::Yellow:
        return QColor(0xff, 0xff, 0x00);
    case ColourRole::Blue:
        return QColor(0x00, 0x00, 0xff);
    case ColourRole::White:
        return QColor(0xff, 0xff, 0xff);
    case ColourRole::Compare:
        // A dark violet: apart from every live colour, and readable as text on a white field.
        return QColor(0x94, 0x00, 0xd3);
    }
    return {};
}

void ColourPalette::paintBackground(QWidget& widget, ColourRole role)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour(role));
    widget.setPalette(palette);
    // The normal face is the parent's own background: no fill needed.
    widget.setAutoFillBackground(role != ColourRole::NormalFace);
}

void ColourPalette::paintGauge(QWidget& gauge, ColourRole role)
{
    QPalette palette = gauge.palette();
    palette.setColor(QPalette::Highlight, colour(role));
    gauge.setPalette(palette);
}

void ColourPalette::paintField(QWidget& field, ColourRole role)
{
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, colour(role));
    field.setPalette(palette);
}

} // namespace quorvel
