#include "ui/pages/time_spin_box.h"

#include <QLocale>

namespace quorvel {

TimeSpinBox::TimeSpinBox(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setLocale(QLocale::c());
    setGroupSeparatorShown(false);
    setKeyboardTracking(false);
    setAccelerated(false);
    setAlignment(Qt::AlignRight);
}

void TimeSpinBox::stepBy(int steps)
{
    const double before = value();
    QDoubleSpinBox::stepBy(steps);
    if (value() != before && onStepped)
        onStepped();
}

} // namespace quorvel
