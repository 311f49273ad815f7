#include "ui/binding/qt_controls.h"

#include "ui/binding/control_applier.h"
#include "ui/binding/control_registry.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include <algorithm>
#include <optional>

namespace quorvel {
namespace {

constexpr int kLongestNumber = 9;

QString objectNameOf(ControlKey key)
{
    return QString::fromStdString(key.objectName());
}

// A whole number, with the separators of thousands allowed between digits.
std::optional<int> wholeNumber(const QString& typed, const QChar separator)
{
    QString digits = typed.trimmed();
    digits.remove(separator);
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || digits.isEmpty() || digits.size() > kLongestNumber + 1 || digits.contains('+'))
        return std::nullopt;
    return number;
}

QLineEdit* editOf(const QSpinBox& spin)
{
    return spin.findChild<QLineEdit*>();
}

} // namespace

QtControls::QtControls(const ControlRegistry& registry, ControlApplier& applier)
    : m_registry(registry)
    , m_applier(applier)
{
}

QObject* QtControls::find(ControlKey key) const
{
    const ControlRegistry::Target target = m_registry.resolve(key);
    // An up-down is its edit field's spin box; a grid item is not a control of a static page.
    return target.part == ControlRegistry::Part::GridItem ? nullptr : target.object;
}

template <typename T> T* QtControls::widget(ControlKey key) const
{
    return qobject_cast<T*>(find(key));
}

QButtonGroup* QtControls::radioGroup(ControlKey key) const
{
    auto* box = widget<QGroupBox>(key);
    return box == nullptr ? nullptr : box->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
}

QString QtControls::spinText(const QSpinBox& spin, int value)
{
    return spin.locale().toString(value);
}

void QtControls::showPosition(QSpinBox& spin)
{
    if (QLineEdit* edit = editOf(spin))
        edit->setText(spinText(spin, spin.value()));
}

int QtControls::value(ControlKey key) const
{
    const auto* spin = widget<QSpinBox>(key);
    return spin == nullptr ? 0 : spin->value();
}

void QtControls::setValue(ControlKey key, int value)
{
    auto* spin = widget<QSpinBox>(key);
    if (spin == nullptr)
        return;
    spin->setValue(value);
    showPosition(*spin);
}

ControlRange QtControls::range(ControlKey key) const
{
    const auto* spin = widget<QSpinBox>(key);
    if (spin == nullptr)
        return {};
    return {spin->minimum(), spin->maximum(), spin->singleStep()};
}

void QtControls::setRange(ControlKey key, ControlRange range)
{
    auto* spin = widget<QSpinBox>(key);
    if (spin == nullptr)
        return;
    spin->setRange(range.minimum, range.maximum);
    spin->setSingleStep(range.step);
    showPosition(*spin);
}

void QtControls::stepBy(ControlKey key, int steps)
{
    auto* spin = widget<QSpinBox>(key);
    if (spin == nullptr)
        return;
    // The position steps from what it is, not from text typed and not yet interpreted; the
    // arrows' own reaction (a subclass's override) is not part of a programmatic step.
    spin->setValue(std::clamp(spin->value() + steps * spin->singleStep(), spin->minimum(), spin->maximum()));
    showPosition(*spin);
}

void QtControls::interpretText(ControlKey key)
{
    auto* spin = widget<QSpinBox>(key);
    if (spin == nullptr)
        return;
    const std::optional<int> number = wholeNumber(spin->text(), spin->locale().groupSeparator().at(0));
    if (number && *number >= spin->minimum() && *number <= spin->maximum())
        spin->setValue(*number);
    showPosition(*spin);
}

std::string QtControls::text(ControlKey key) const
{
    QObject* found = find(key);
    if (const auto* spin = qobject_cast<QSpinBox*>(found))
        return spin->text().toStdString();
    if (const auto* memo = qobject_cast<QPlainTextEdit*>(found))
        return memo->toPlainText().toStdString();
    if (const auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text().toStdString();
    return {};
}

void QtControls::setText(ControlKey key, std::string_view text)
{
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QObject* found = find(key);
    if (auto* spin = qobject_cast<QSpinBox*>(found)) {
        if (QLineEdit* edit = editOf(*spin))
            edit->setText(shown);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(found)) {
        if (memo->toPlainText() != shown)
            memo->setPlainText(shown);
    } else if (auto* edit = qobject_cast<QLineEdit*>(found)) {
        edit->setText(shown);
    }
}

bool QtControls::checked(ControlKey key) const
{
    const auto* button = widget<QAbstractButton>(key);
    return button != nullptr && button->isChecked();
}

void QtControls::setChecked(ControlKey key, bool checked)
{
    if (auto* button = widget<QAbstractButton>(key))
        button->setChecked(checked);
}

int QtControls::itemIndex(ControlKey key) const
{
    QObject* found = find(key);
    if (const auto* combo = qobject_cast<QComboBox*>(found))
        return combo->currentIndex();
    if (const auto* tabs = qobject_cast<QTabWidget*>(found))
        return tabs->currentIndex();
    const QButtonGroup* group = radioGroup(key);
    return group == nullptr ? -1 : group->checkedId();
}

void QtControls::setItemIndex(ControlKey key, int index)
{
    QObject* found = find(key);
    if (auto* combo = qobject_cast<QComboBox*>(found)) {
        combo->setCurrentIndex(index);
        return;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(found)) {
        tabs->setCurrentIndex(index);
        return;
    }
    QButtonGroup* group = radioGroup(key);
    if (group == nullptr)
        return;
    if (QAbstractButton* item = group->button(index)) {
        item->setChecked(true);
        return;
    }
    // An item the group does not have: nothing is selected.
    group->setExclusive(false);
    for (QAbstractButton* item : group->buttons())
        item->setChecked(false);
    group->setExclusive(true);
}

void QtControls::apply(const ControlView& view)
{
    QObject* found = find(view.key);
    if (auto* action = qobject_cast<QAction*>(found)) {
        if (view.visible)
            action->setVisible(*view.visible);
        if (view.enabled)
            action->setEnabled(*view.enabled);
        if (view.caption)
            action->setText(QString::fromStdString(*view.caption));
        return;
    }
    auto* shown = qobject_cast<QWidget*>(found);
    if (shown == nullptr)
        return;
    if (view.visible && shown->isVisibleTo(shown->parentWidget()) != *view.visible)
        shown->setVisible(*view.visible);
    if (view.enabled && shown->isEnabled() != *view.enabled)
        shown->setEnabled(*view.enabled);
    if (view.caption) {
        const QString caption = QString::fromStdString(*view.caption);
        if (auto* label = qobject_cast<QLabel*>(shown))
            label->setText(caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(shown))
            button->setText(caption);
        else if (auto* box = qobject_cast<QGroupBox*>(shown))
            box->setTitle(caption);
    }
    if (view.minimum || view.maximum || view.step) {
        const ControlRange now = range(view.key);
        setRange(view.key, {view.minimum.value_or(now.minimum), view.maximum.value_or(now.maximum),
                            view.step.value_or(now.step)});
    }
}

bool QtControls::isShown(ControlKey key) const
{
    QObject* found = find(key);
    if (const auto* action = qobject_cast<QAction*>(found))
        return action->isVisible();
    const auto* shown = qobject_cast<QWidget*>(found);
    if (shown == nullptr || shown->isHidden())
        return false;
    // Up to the page: whether the page itself is the current one is the page control's matter.
    for (const QWidget* container = shown->parentWidget(); container != nullptr && !container->isWindow();
         container = container->parentWidget()) {
        if (qobject_cast<const QStackedWidget*>(container->parentWidget()) != nullptr)
            break;
        if (container->isHidden())
            return false;
    }
    return true;
}

bool QtControls::isEnabled(ControlKey key) const
{
    QObject* found = find(key);
    if (const auto* action = qobject_cast<QAction*>(found))
        return action->isEnabled();
    const auto* shown = qobject_cast<QWidget*>(found);
    return shown != nullptr && shown->isEnabled();
}

std::string QtControls::caption(ControlKey key) const
{
    QObject* found = find(key);
    if (const auto* action = qobject_cast<QAction*>(found))
        return action->text().toStdString();
    if (const auto* label = qobject_cast<QLabel*>(found))
        return label->text().toStdString();
    if (const auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text().toStdString();
    if (const auto* box = qobject_cast<QGroupBox*>(found))
        return box->title().toStdString();
    return {};
}

void QtControls::setColour(ControlKey key, ColourRole colour)
{
    m_colours.insert(objectNameOf(key), colour);
    m_applier.apply(ControlMark{key, colour, std::nullopt});
}

ColourRole QtControls::colour(ControlKey key) const
{
    return m_colours.value(objectNameOf(key), ColourRole::NormalWindow);
}

} // namespace quorvel
