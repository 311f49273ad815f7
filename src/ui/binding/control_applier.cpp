#include "ui/binding/control_applier.h"

#include "ui/binding/colour_palette.h"
#include "ui/binding/control_registry.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>

#include <algorithm>
#include <utility>

namespace quorvel {
namespace {

template <typename T> void takeGiven(std::optional<T>& kept, const std::optional<T>& given)
{
    if (given)
        kept = given;
}

// The latest of two states for one control, property by property.
LabelState merged(const LabelState& earlier, const LabelState& later)
{
    LabelState result = earlier;
    takeGiven(result.text, later.text);
    takeGiven(result.colour, later.colour);
    takeGiven(result.visible, later.visible);
    return result;
}

ControlMark merged(const ControlMark& earlier, const ControlMark& later)
{
    ControlMark result = later;
    if (!result.bold)
        result.bold = earlier.bold;
    return result;
}

ControlView merged(const ControlView& earlier, const ControlView& later)
{
    ControlView result = earlier;
    takeGiven(result.visible, later.visible);
    takeGiven(result.enabled, later.enabled);
    takeGiven(result.caption, later.caption);
    takeGiven(result.minimum, later.minimum);
    takeGiven(result.maximum, later.maximum);
    takeGiven(result.step, later.step);
    return result;
}

template <typename State> void keep(std::optional<State>& kept, State state)
{
    state.key = {};
    kept = kept ? merged(*kept, state) : state;
}

} // namespace

ControlApplier::ControlApplier(const ControlRegistry& registry)
    : m_registry(registry)
{
}

void ControlApplier::forgetWidgets()
{
    for (Shown& shown : m_shown) {
        shown.widget = nullptr;
        shown.action = nullptr;
        shown.looked = false;
    }
}

void ControlApplier::showWaiting()
{
    for (Shown& shown : m_shown) {
        if (shown.waiting)
            shown.looked = false;
    }
    const QHash<QString, Waiting> waiting = std::exchange(m_waiting, {});
    for (auto it = waiting.constBegin(); it != waiting.constEnd(); ++it) {
        const std::string name = it.key().toStdString();
        const auto keyed = [&name](auto state) {
            state.key = ControlKey{name};
            return state;
        };
        if (it->label)
            apply(keyed(*it->label));
        if (it->mark)
            apply(keyed(*it->mark));
        if (it->view)
            apply(keyed(*it->view));
    }
}

ControlApplier::Shown& ControlApplier::entry(const ControlKey& key)
{
    return entry(QString::fromStdString(key.objectName()));
}

ControlApplier::Shown& ControlApplier::entry(const QString& name)
{
    Shown& shown = m_shown[name];
    if (!shown.looked) {
        const ControlRegistry::Target target = m_registry.resolve(name);
        // A control found for the first time shows whatever it was built with.
        shown = Shown{};
        if (target.part == ControlRegistry::Part::Whole) {
            shown.widget = qobject_cast<QWidget*>(target.object);
            shown.action = qobject_cast<QAction*>(target.object);
        }
        shown.waiting = target.part == ControlRegistry::Part::NotMadeYet;
        shown.looked = true;
    }
    return shown;
}

void ControlApplier::setText(Shown& shown, const std::string& text)
{
    QWidget* widget = shown.widget;
    change(shown.text, text, [&] {
        const QString qtext = QString::fromStdString(text);
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(qtext);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(qtext);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(qtext);
        else if (widget->isWindow() || qobject_cast<QDockWidget*>(widget) != nullptr)
            widget->setWindowTitle(qtext);
    });
}

void ControlApplier::setVisible(Shown& shown, bool visible)
{
    QWidget* widget = shown.widget;
    change(shown.visible, visible, [&] { widget->setVisible(visible); });
}

void ControlApplier::apply(const LabelState& state)
{
    Shown& shown = entry(state.key);
    if (shown.waiting)
        keep(m_waiting[QString::fromStdString(state.key.objectName())].label, state);
    if (shown.widget == nullptr)
        return;
    if (state.text)
        setText(shown, *state.text);
    if (state.colour)
        change(shown.colour, *state.colour, [&] { ColourPalette::paintBackground(*shown.widget, *state.colour); });
    if (state.visible)
        setVisible(shown, *state.visible);
}

void ControlApplier::apply(const GaugeState& state)
{
    Shown& shown = entry(QString::fromUtf8(state.name.data(), static_cast<qsizetype>(state.name.size())));
    auto* gauge = qobject_cast<QProgressBar*>(shown.widget);
    if (gauge == nullptr)
        return;
    change(shown.value, state.value,
           [&] { gauge->setValue(std::clamp(state.value, gauge->minimum(), gauge->maximum())); });
    if (state.colour)
        change(shown.colour, *state.colour, [&] { ColourPalette::paintGauge(*gauge, *state.colour); });
}

void ControlApplier::apply(const ControlMark& mark)
{
    Shown& shown = entry(mark.key);
    if (shown.waiting)
        keep(m_waiting[QString::fromStdString(mark.key.objectName())].mark, mark);
    QWidget* widget = shown.widget;
    if (widget == nullptr)
        return;
    change(shown.colour, mark.colour, [&] {
        if (qobject_cast<QAbstractSpinBox*>(widget) != nullptr)
            ColourPalette::paintField(*widget, mark.colour);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            // The normal colours are those of a background: a caption in them would vanish,
            // so a button back to normal takes the desktop's caption colour again.
            QPalette palette = button->palette();
            const bool normal = mark.colour == ColourRole::NormalWindow || mark.colour == ColourRole::NormalFace;
            palette.setColor(QPalette::ButtonText, normal ? QApplication::palette(button).color(QPalette::ButtonText)
                                                          : ColourPalette::colour(mark.colour));
            button->setPalette(palette);
        } else
            ColourPalette::paintBackground(*widget, mark.colour);
    });
    if (mark.bold) {
        change(shown.bold, *mark.bold, [&] {
            QFont font = widget->font();
            font.setBold(*mark.bold);
            widget->setFont(font);
        });
    }
}

void ControlApplier::apply(const ControlView& view)
{
    Shown& shown = entry(view.key);
    if (shown.waiting)
        keep(m_waiting[QString::fromStdString(view.key.objectName())].view, view);
    if (QAction* action = shown.action) {
        if (view.visible)
            change(shown.visible, *view.visible, [&] { action->setVisible(*view.visible); });
        if (view.enabled)
            change(shown.enabled, *view.enabled, [&] { action->setEnabled(*view.enabled); });
        if (view.caption)
            change(shown.text, *view.caption, [&] { action->setText(QString::fromStdString(*view.caption)); });
        return;
    }
    QWidget* widget = shown.widget;
    if (widget == nullptr)
        return;
    if (view.visible)
        setVisible(shown, *view.visible);
    if (view.enabled)
        change(shown.enabled, *view.enabled, [&] { widget->setEnabled(*view.enabled); });
    if (view.caption)
        setText(shown, *view.caption);
    auto* spin = qobject_cast<QSpinBox*>(widget);
    if (spin == nullptr)
        return;
    if (view.minimum)
        change(shown.minimum, *view.minimum, [&] { spin->setMinimum(*view.minimum); });
    if (view.maximum)
        change(shown.maximum, *view.maximum, [&] { spin->setMaximum(*view.maximum); });
    if (view.step)
        change(shown.step, *view.step, [&] { spin->setSingleStep(*view.step); });
}

} // namespace quorvel
