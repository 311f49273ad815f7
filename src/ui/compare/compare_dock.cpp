#include "ui/compare/compare_dock.h"

#include "core/text_format.h"
#include "texts/compare_texts.h"
#include "ui/binding/text_lookup.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <filesystem>

namespace quorvel {
namespace {

enum Column : int { kColumnPage, kColumnParameter, kColumnThere, kColumnHere, kColumns };

bool leadsSomewhere(const Difference& difference)
{
    return difference.page != kNoPage && !difference.control.name.empty();
}

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text.simplified());
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    // A memo's full text, line breaks and all, where a line cannot hold it.
    if (text.contains(QLatin1Char('\n')))
        item->setToolTip(text);
    return item;
}

} // namespace

CompareDock::CompareDock(PageName pageName, Language language, QWidget* parent)
    : QDockWidget(parent)
    , m_pageName(std::move(pageName))
    , m_language(language)
{
    setObjectName("DockWidgetCompare");
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_heading = new QLabel(body);
    m_heading->setObjectName("LabelCompareHeading");
    m_heading->setWordWrap(true);
    m_table = new QTableWidget(0, kColumns, body);
    m_table->setObjectName("TableCompare");
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_summary = new QLabel(body);
    m_summary->setObjectName("LabelCompareSummary");
    layout->addWidget(m_heading);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    setWidget(body);
    connect(m_table, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { jumpTo(index.row()); });
    applyTexts();
}

void CompareDock::showListing(CompareListing listing)
{
    m_listing = std::move(listing);
    m_shown = true;
    fillRows();
    applyTexts();
}

void CompareDock::clear()
{
    m_listing = {};
    m_shown = false;
    fillRows();
    applyTexts();
}

void CompareDock::setLanguage(Language language)
{
    m_language = language;
    fillRows();
    applyTexts();
}

QString CompareDock::heading() const
{
    if (!m_shown)
        return {};
    switch (m_listing.source) {
    case CompareSource::File:
        if (m_listing.fileName.empty())
            return {};
        return qText(formatText(CompareTexts::text("CompareFileTitle", m_language).value_or("%s"),
                                std::filesystem::path(m_listing.fileName).filename().string().c_str()));
    case CompareSource::Unit:
        return text("CompareUnitTitle");
    case CompareSource::Verify:
        return text("CompareVerifyTitle");
    }
    return {};
}

QString CompareDock::summary() const
{
    if (!m_shown)
        return {};
    const bool unit = m_listing.source != CompareSource::File;
    if (unit && m_listing.coverage == UnitCoverage::None)
        return text("CompareUnitNotSeen");
    QString line = m_listing.differences.empty()
                       ? text("CompareNone")
                       : qText(formatText(CompareTexts::text("CompareCount", m_language).value_or("%d"),
                                          static_cast<int>(m_listing.differences.size())));
    if (unit && m_listing.coverage == UnitCoverage::Part)
        line += QLatin1Char(' ') + text("CompareUnitPartlySeen");
    return line;
}

void CompareDock::fillRows()
{
    m_table->setRowCount(static_cast<int>(m_listing.differences.size()));
    const QString hint = text("CompareJumpHint");
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const Difference& difference = m_listing.differences[static_cast<std::size_t>(row)];
        const QString page =
            difference.page == kNoPage || !m_pageName ? text("CompareNoPage") : m_pageName(difference.page);
        const std::array<QString, kColumns> texts = {
            page, qText(shownName(difference, m_language, m_listing.names).withUnit()), qText(difference.a.text),
            qText(difference.b.text)};
        for (int column = 0; column < kColumns; ++column) {
            QTableWidgetItem* item = cell(texts[static_cast<std::size_t>(column)]);
            if (leadsSomewhere(difference) && item->toolTip().isEmpty())
                item->setToolTip(hint);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeColumnsToContents();
}

void CompareDock::applyTexts()
{
    setWindowTitle(captionText(CompareTexts::captions(), "DockWidgetCompare", CaptionKind::Caption, m_language));
    const bool unit = m_listing.source != CompareSource::File;
    m_table->setHorizontalHeaderLabels({text("CompareColumnPage"), text("CompareColumnParameter"),
                                        text(unit ? "CompareColumnUnit" : "CompareColumnFile"),
                                        text("CompareColumnHere")});
    m_heading->setText(heading());
    m_heading->setToolTip(qText(m_listing.fileName));
    m_heading->setVisible(!m_heading->text().isEmpty());
    m_summary->setText(summary());
}

void CompareDock::jumpTo(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_listing.differences.size()) || !m_jump)
        return;
    const Difference& difference = m_listing.differences[static_cast<std::size_t>(row)];
    if (leadsSomewhere(difference))
        m_jump(difference.page, difference.control);
}

QString CompareDock::text(std::string_view key) const
{
    return keyedText(CompareTexts::texts(), key, m_language);
}

} // namespace quorvel
