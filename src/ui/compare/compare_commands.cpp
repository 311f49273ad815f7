#include "ui/compare/compare_commands.h"

#include "io/reference_file.h"
#include "model/image_compare.h"
#include "ui/binding/control_registry.h"
#include "ui/compare/compare_dock.h"
#include "ui/compare/compare_mark_look.h"
#include "ui/files/dialogs.h"
#include "ui/maps/map_grid.h"

#include <QWidget>

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kOpenFileErrorText = 26;    // "Open file error!"
constexpr int kWrongFileVersionText = 29; // "Unmatched version of *.ign file!"

} // namespace

CompareCommands::CompareCommands(Parts parts)
    : m_parts(std::move(parts))
{
}

CompareDock& CompareCommands::dock()
{
    if (m_dock == nullptr) {
        m_dock = &m_parts.makeDock();
        m_dock->setJumpHandler([this](int page, const FieldControl& control) { jumpTo(page, control); });
    }
    return *m_dock;
}

bool CompareCommands::dockShown() const
{
    return m_dock != nullptr && !m_dock->isHidden();
}

void CompareCommands::compareWithFile()
{
    const auto path = m_parts.dialogs.askOpenFile(m_parts.folder());
    if (!path)
        return;
    ParamImage reference;
    switch (loadReferenceFile(*path, m_parts.image, reference)) {
    case LoadResult::Loaded:
        break;
    case LoadResult::CannotOpen:
        m_parts.dialogs.showMessage(m_parts.texts.text(kOpenFileErrorText));
        return;
    case LoadResult::WrongVersion:
        m_parts.dialogs.showMessage(m_parts.texts.text(kWrongFileVersionText));
        return;
    }
    m_unitListing.reset();
    m_compare.start(std::move(reference), path->filename().string());
    (void)m_compare.refresh(m_parts.image, m_parts.tables, {m_parts.memoText});
    dock().showListing({CompareSource::File, m_compare.fileName(), UnitCoverage::Whole, m_compare.differences(),
                        NameContext::of(m_parts.image)});
    dock().show();
    markPage(m_page);
}

void CompareCommands::endCompare()
{
    m_unitListing.reset();
    m_compare.end();
    clearMarks();
    if (m_dock != nullptr) {
        m_dock->clear();
        m_dock->hide();
    }
}

void CompareCommands::compareWithUnit()
{
    showUnitListing(CompareSource::Unit);
}

void CompareCommands::showVerifyDifferences()
{
    showUnitListing(CompareSource::Verify);
}

void CompareCommands::showUnitListing(CompareSource source)
{
    if (m_compare.active()) {
        m_compare.end();
        clearMarks();
    }
    m_unitListing = source;
    refreshUnitListing();
    dock().show();
}

void CompareCommands::refreshUnitListing()
{
    const UnitCopy& unit = m_parts.session.unitCopy();
    const UnitCoverage coverage = unit.knowsParameters() ? UnitCoverage::Whole
                                  : unit.knowsNothing()  ? UnitCoverage::None
                                                         : UnitCoverage::Part;
    CompareOptions options{m_parts.memoText, true};
    dock().showListing({*m_unitListing,
                        {},
                        coverage,
                        quorvel::compareWithUnit(unit, m_parts.image, m_parts.tables, options),
                        NameContext::of(m_parts.image)});
}

void CompareCommands::transferEnded()
{
    refreshShownUnitListing();
}

// A list of the unit closed by its dock's own button is not computed any more.
void CompareCommands::refreshShownUnitListing()
{
    if (m_unitListing && dockShown())
        refreshUnitListing();
}

bool CompareCommands::comparing() const
{
    return m_compare.active() || (m_unitListing.has_value() && dockShown());
}

void CompareCommands::pageFilled(int page)
{
    m_page = page;
    refreshShownUnitListing();
    if (!m_compare.active())
        return;
    if (m_compare.refresh(m_parts.image, m_parts.tables, {m_parts.memoText}))
        dock().showListing({CompareSource::File, m_compare.fileName(), UnitCoverage::Whole, m_compare.differences(),
                            NameContext::of(m_parts.image)});
    markPage(page);
}

void CompareCommands::setLanguage(Language language)
{
    if (m_dock != nullptr)
        m_dock->setLanguage(language);
    markPage(m_page);
}

// The marks of the page shown: controls by their names, the cells and heads of the grid as its
// items. Those marked before and not now get their own look back.
void CompareCommands::markPage(int page)
{
    const std::vector<CompareMark> marks = m_compare.marksOf(page);
    std::vector<QPointer<QWidget>> marked;
    std::vector<CompareMark> gridMarks;
    for (const CompareMark& mark : marks) {
        const ControlRegistry::Target target = m_parts.controls.resolve(mark.control.key());
        if (target.part == ControlRegistry::Part::GridItem) {
            gridMarks.push_back(mark);
            continue;
        }
        if (auto* widget = qobject_cast<QWidget*>(target.object)) {
            markCompared(*widget, mark, m_parts.language());
            marked.emplace_back(widget);
        }
    }
    for (const QPointer<QWidget>& before : m_marked) {
        if (!before.isNull() && std::ranges::find(marked, before) == marked.end())
            unmarkCompared(*before);
    }
    m_marked = std::move(marked);
    m_parts.grid.showCompareMarks(gridMarks, m_parts.language());
}

void CompareCommands::clearMarks()
{
    for (const QPointer<QWidget>& widget : m_marked) {
        if (!widget.isNull())
            unmarkCompared(*widget);
    }
    m_marked.clear();
    m_parts.grid.showCompareMarks({}, m_parts.language());
}

void CompareCommands::jumpTo(int page, const FieldControl& control)
{
    m_parts.showPage(page);
    const ControlRegistry::Target target = m_parts.controls.resolve(control.key());
    if (target.part == ControlRegistry::Part::GridItem) {
        m_parts.grid.showItem(control.key());
        return;
    }
    if (auto* widget = qobject_cast<QWidget*>(target.object))
        widget->setFocus();
}

} // namespace quorvel
