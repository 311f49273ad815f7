#include "ui/binding/language_applier.h"

#include "ui/binding/control_applier.h"
#include "ui/binding/control_registry.h"
#include "ui/binding/hint_text.h"

#include <QAction>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

namespace quorvel {

LanguageApplier::LanguageApplier(ControlApplier& controls, const ControlRegistry& registry, QTabWidget& pages)
    : m_controls(controls)
    , m_registry(registry)
    , m_pages(pages)
{
}

void LanguageApplier::apply(const LanguageCaptions& captions)
{
    m_controls.applyAll<LabelState>(captions.monitorLabels);
    for (const MenuCheck& check : captions.languageChecks) {
        if (auto* item = m_registry.find<QAction>(ControlKey{check.item}))
            item->setChecked(check.checked);
    }
    m_controls.applyAll<ControlView>(captions.captions);
    for (const ControlView& view : captions.menuCaptions)
        applyMenuCaption(view);
    for (const PageTabCaption& tab : captions.pageTabs) {
        if (tab.page >= 0 && tab.page < m_pages.count())
            m_pages.setTabText(tab.page, QString::fromStdString(tab.caption));
    }
    for (const RadioGroupItems& group : captions.radioItems)
        applyRadioItems(group);
    for (const HintText& hint : captions.hints)
        applyHint(hint);
}

void LanguageApplier::applyMenuCaption(const ControlView& view)
{
    if (!view.caption)
        return;
    if (auto* item = m_registry.find<QAction>(view.key))
        item->setText(QString::fromStdString(*view.caption));
}

void LanguageApplier::applyHint(const HintText& hint)
{
    QObject* target = m_registry.resolve(hint.key).object;
    if (auto* item = qobject_cast<QAction*>(target))
        showHint(*item, hint);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        showHint(*widget, hint);
}

void LanguageApplier::applyRadioItems(const RadioGroupItems& group)
{
    auto* box = m_registry.find<QWidget>(ControlKey{group.group});
    if (box == nullptr)
        return;
    const QList<QRadioButton*> buttons = box->findChildren<QRadioButton*>();
    for (qsizetype at = 0; at < buttons.size() && at < static_cast<qsizetype>(group.items.size()); ++at)
        buttons[at]->setText(QString::fromStdString(group.items[static_cast<std::size_t>(at)]));
}

} // namespace quorvel
