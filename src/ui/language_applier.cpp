#include "ui/language_applier.h"

#include "ui/control_applier.h"
#include "ui/hint_text.h"

#include <QAction>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

namespace quorvel {
namespace {

QString qName(const ControlKey& key)
{
    return QString::fromStdString(key.objectName());
}

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LanguageApplier::LanguageApplier(ControlApplier& controls, QWidget& root, QMenuBar& menus, QTabWidget& pages)
    : m_controls(controls)
    , m_root(root)
    , m_menus(menus)
    , m_pages(pages)
{
}

void LanguageApplier::apply(const LanguageCaptions& captions)
{
    m_controls.applyAll<LabelState>(captions.monitorLabels);
    for (const MenuCheck& check : captions.languageChecks) {
        if (auto* item = m_menus.findChild<QAction*>(qText(check.item)))
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
    if (auto* item = m_menus.findChild<QAction*>(qName(view.key)))
        item->setText(QString::fromStdString(*view.caption));
}

void LanguageApplier::applyHint(const HintText& hint)
{
    const QString name = qName(hint.key);
    if (auto* item = m_menus.findChild<QAction*>(name))
        showHint(*item, hint);
    else if (auto* widget = m_root.findChild<QWidget*>(name))
        showHint(*widget, hint);
}

void LanguageApplier::applyRadioItems(const RadioGroupItems& group)
{
    auto* box = m_root.findChild<QWidget*>(qText(group.group));
    if (box == nullptr)
        return;
    const QList<QRadioButton*> buttons = box->findChildren<QRadioButton*>();
    for (qsizetype at = 0; at < buttons.size() && at < static_cast<qsizetype>(group.items.size()); ++at)
        buttons[at]->setText(QString::fromStdString(group.items[static_cast<std::size_t>(at)]));
}

} // namespace quorvel
