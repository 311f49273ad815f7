#include "ui/pages/field_spin_box.h"

#include <QLocale>

#include <algorithm>

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

QValidator::State FieldSpinBox::validate(QString& input, int& position) const
{
    const QValidator::State state = QSpinBox::validate(input, position);
    if (state != QValidator::Invalid)
        return state;
    // Digits (and separators, and a sign where the range has negative values) may still be a
    // number on its way; anything else is refused as before.
    static constexpr int kLongestNumber = 11;
    QString digits = input.trimmed();
    digits.remove(locale().groupSeparator());
    if (minimum() < 0 && digits.startsWith(locale().negativeSign()))
        digits.remove(0, locale().negativeSign().size());
    const bool number = !digits.isEmpty() && digits.size() <= kLongestNumber &&
                        std::ranges::all_of(digits, [](QChar c) { return c.isDigit(); });
    return number ? QValidator::Intermediate : QValidator::Invalid;
}

void FieldSpinBox::stepBy(int steps)
{
    const int before = value();
    QSpinBox::stepBy(steps);
    if (value() != before && onStepped)
        onStepped();
}

} // namespace quorvel
