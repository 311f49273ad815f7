#include "ui/field_spin_box.h"

#include <QLocale>

namespace quorvel {

FieldSpinBox::FieldSpinBox(const QString& objectName, QWidget* parent)
    : QSpinBox(parent)
{
    setObjectName(objectName);
    // The separator is the same on every desktop, as in the parameter files and the manuals.
    setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    setGroupSeparatorShown(true);
    setKeyboardTracking(false);
    setAlignment(Qt::AlignRight);
    setAccelerated(true);
}

void FieldSpinBox::stepBy(int steps)
{
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before && onStepped)
        onStepped();
}

} // namespace quorvel
