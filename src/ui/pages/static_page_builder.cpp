#include "ui/pages/static_page_builder.h"

#include "core/page_index.h"
#include "model/bike_list.h"
#include "model/field_table.h"
#include "model/page_binding.h"
#include "texts/static_page_layout.h"
#include "ui/pages/field_spin_box.h"
#include "ui/pages/page_control.h"
#include "ui/pages/spin_button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {
namespace {

constexpr int kColumns = 4;
constexpr int kGroupMargin = 6;   // pixels inside a group box, around its controls
constexpr int kColumnSpacing = 4; // pixels between the columns of groups
constexpr int kHeaderRow = 0;     // the column headings of run-time rows
constexpr int kFirstTableRow = 1;
constexpr int kCaptionColumn = 0;
constexpr int kMemoLines = 8;

// Each group keeps its single fields in the first grid columns and its run-time rows below them:
// row labels in column 0, one column per array.
constexpr int kTableRowOffset = 100;

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString stemOf(std::string_view control)
{
    for (std::string_view prefix : {"UpDown", "Edit"}) {
        if (control.starts_with(prefix))
            return qText(control.substr(prefix.size()));
    }
    return qText(control);
}

const GroupSpec* groupSpec(std::string_view name)
{
    const auto groups = StaticPageLayout::groups();
    const auto it = std::ranges::find(groups, name, &GroupSpec::name);
    return it == groups.end() ? nullptr : &*it;
}

FieldSpinBox* makeSpin(const Field& field, int element, QWidget* parent)
{
    const FieldControl control = fieldControl(field, element);
    auto* spin = new FieldSpinBox(QString::fromStdString(control.key().objectName()), parent);
    spin->setRange(field.minimum, field.maximum);
    spin->setSingleStep(field.step);
    return spin;
}

QGridLayout& gridOf(QGroupBox& box)
{
    return *static_cast<QGridLayout*>(box.layout());
}

// The next row for a single control: above the run-time rows, in the order they are added.
int nextSingleRow(QGroupBox& box)
{
    const int row = box.property("singleRows").toInt();
    box.setProperty("singleRows", row + 1);
    return row;
}

} // namespace

StaticPageBuilder::StaticPageBuilder(PageControl& pages)
    : m_pages(pages)
{
}

void StaticPageBuilder::build(int page)
{
    QWidget& sheet = m_pages.page(page);
    // Narrow margins keep three columns of French captions within a laptop's width.
    auto* columns = new QHBoxLayout;
    columns->setSpacing(kColumnSpacing);
    std::array<QVBoxLayout*, kColumns> columnLayouts{};
    for (QVBoxLayout*& column : columnLayouts) {
        column = new QVBoxLayout;
        columns->addLayout(column);
    }
    columns->addStretch();
    for (const GroupSpec& group : StaticPageLayout::groups()) {
        if (group.page != page)
            continue;
        auto* box = new QGroupBox(qText(group.caption), &sheet);
        box->setObjectName(qText(group.name));
        // A group is as tall as what it shows: controls a view hides leave no gap.
        box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
        grid->setVerticalSpacing(3);
        grid->setAlignment(Qt::AlignTop);
        columnLayouts.at(static_cast<std::size_t>(std::clamp(group.column, 0, kColumns - 1)))->addWidget(box);
    }
    for (QVBoxLayout* column : columnLayouts)
        column->addStretch();

    auto* existing = qobject_cast<QBoxLayout*>(sheet.layout());
    if (existing == nullptr)
        existing = new QVBoxLayout(&sheet);
    existing->insertLayout(0, columns, 1);

    for (const Field* field : FieldTable::ofPage(page)) {
        if (field->control != ControlKind::Menu)
            addField(groupFor(page, *field), *field);
    }
    addExtras(page);
}

// A field the page layout does not place still gets a control, in a group of its own at the end.
QGroupBox& StaticPageBuilder::groupFor(int page, const Field& field)
{
    QWidget& sheet = m_pages.page(page);
    const PlacementSpec* placement = StaticPageLayout::placementOf(field.controlName);
    const QString name = placement != nullptr ? qText(placement->group) : QStringLiteral("GroupBoxOther");
    if (auto* box = sheet.findChild<QGroupBox*>(name))
        return *box;
    auto* box = new QGroupBox(name, &sheet);
    box->setObjectName(name);
    new QGridLayout(box);
    static_cast<QBoxLayout*>(sheet.layout())->addWidget(box);
    return *box;
}

void StaticPageBuilder::addField(QGroupBox& box, const Field& field)
{
    const PlacementSpec* placement = StaticPageLayout::placementOf(field.controlName);
    const QString caption = placement != nullptr ? qText(placement->caption) : qText(field.name);
    QGridLayout& grid = gridOf(box);
    if (field.isArray() && field.controlIndex >= 0)
        addColumn(box, grid, field, caption);
    else
        addSingle(box, grid, field, caption);
}

void StaticPageBuilder::addSingle(QGroupBox& box, QGridLayout& grid, const Field& field, const QString& caption)
{
    const PlacementSpec* placement = StaticPageLayout::placementOf(field.controlName);
    const LayoutCell cell = placement != nullptr ? placement->cell : LayoutCell{};
    const int row = cell.given() ? cell.row : nextSingleRow(box);
    const QString name = qText(field.controlName);
    switch (field.control) {
    case ControlKind::Spin: {
        FieldSpinBox* spin = makeSpin(field, 0, &box);
        if (cell.given()) {
            // A field of a table: its row and column headings name it.
            grid.addWidget(spin, row, cell.column);
            break;
        }
        auto* label = new QLabel(caption, &box);
        label->setObjectName("Label" + stemOf(field.controlName));
        label->setBuddy(spin);
        grid.addWidget(label, row, kCaptionColumn);
        grid.addWidget(spin, row, kCaptionColumn + 1);
        break;
    }
    case ControlKind::CheckBox: {
        auto* check = new QCheckBox(caption, &box);
        check->setObjectName(name);
        grid.addWidget(check, row, kCaptionColumn, 1, 2);
        break;
    }
    case ControlKind::RadioGroup: {
        auto* radio = new QGroupBox(caption, &box);
        radio->setObjectName(name);
        auto* items = new QVBoxLayout(radio);
        auto* group = new QButtonGroup(radio);
        int id = 0;
        for (std::string_view item : StaticPageLayout::itemsOf(field.controlName)) {
            auto* button = new QRadioButton(qText(item), radio);
            group->addButton(button, id++);
            items->addWidget(button);
        }
        grid.addWidget(radio, row, kCaptionColumn, 1, 2);
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(&box);
        combo->setObjectName(name);
        for (int position = 0; position < BikeList::kItemCount; ++position)
            combo->addItem(qText(BikeList::itemText(position)));
        combo->setMaxVisibleItems(20);
        grid.addWidget(combo, row, kCaptionColumn, 1, 2);
        break;
    }
    case ControlKind::MemoBox: {
        auto* memo = new QPlainTextEdit(&box);
        memo->setObjectName(name);
        memo->setMinimumWidth(memo->fontMetrics().averageCharWidth() * 40);
        memo->setFixedHeight(memo->fontMetrics().lineSpacing() * kMemoLines);
        grid.addWidget(memo, row, cell.given() ? cell.column : kCaptionColumn, 1, 2);
        break;
    }
    default:
        break;
    }
}

// One array is one column of the group's run-time rows; element i sits in row i.
void StaticPageBuilder::addColumn(QGroupBox& box, QGridLayout& grid, const Field& field, const QString& caption)
{
    addRowLabels(box, grid);
    const int column = nextTableColumn(grid, kTableRowOffset + kFirstTableRow);
    if (!caption.isEmpty()) {
        auto* heading = new QLabel(caption, &box);
        heading->setAlignment(Qt::AlignCenter);
        const PlacementSpec* placement = StaticPageLayout::placementOf(field.controlName);
        if (placement != nullptr && !placement->heading.empty())
            heading->setObjectName(qText(placement->heading));
        grid.addWidget(heading, kTableRowOffset + kHeaderRow, column);
    } else if (QLayoutItem* before = grid.itemAtPosition(kTableRowOffset + kHeaderRow, column - 1)) {
        // No heading of its own: the heading before it spans both columns.
        QWidget* heading = before->widget();
        grid.removeWidget(heading);
        grid.addWidget(heading, kTableRowOffset + kHeaderRow, column - 1, 1, 2);
    }
    for (int element = 0; element < field.count; ++element)
        grid.addWidget(makeSpin(field, element, &box), kTableRowOffset + kFirstTableRow + element, column);
}

int StaticPageBuilder::nextTableColumn(const QGridLayout& grid, int row)
{
    int column = kCaptionColumn + 1;
    while (grid.itemAtPosition(row, column) != nullptr)
        ++column;
    return column;
}

// The labels of the run-time rows, once per group.
void StaticPageBuilder::addRowLabels(QGroupBox& box, QGridLayout& grid)
{
    const GroupSpec* group = groupSpec(box.objectName().toStdString());
    if (group == nullptr || box.property("rowsLabelled").toBool())
        return;
    box.setProperty("rowsLabelled", true);
    for (std::size_t row = 0; row < group->rows.size(); ++row) {
        auto* label = new QLabel(qText(group->rows[row]), &box);
        label->setObjectName(qText(group->rowLabel) + QString::number(group->firstRow + static_cast<int>(row)));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid.addWidget(label, kTableRowOffset + kFirstTableRow + static_cast<int>(row), kCaptionColumn);
    }
}

QWidget* StaticPageBuilder::makeExtra(const ExtraSpec& extra, QWidget& box)
{
    switch (extra.kind) {
    case ExtraSpec::Kind::Button: {
        auto* button = new QPushButton(qText(extra.caption), &box);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    case ExtraSpec::Kind::CheckBox:
        return new QCheckBox(qText(extra.caption), &box);
    case ExtraSpec::Kind::SpinButton:
        return new SpinButton(&box);
    case ExtraSpec::Kind::Label:
        break;
    }
    return new QLabel(qText(extra.caption), &box);
}

void StaticPageBuilder::addExtras(int page)
{
    QWidget& sheet = m_pages.page(page);
    for (const ExtraSpec& extra : StaticPageLayout::extras()) {
        auto* box = sheet.findChild<QGroupBox*>(qText(extra.group));
        if (box == nullptr)
            continue;
        QGridLayout& grid = gridOf(*box);
        QWidget* widget = makeExtra(extra, *box);
        widget->setObjectName(qText(extra.name));
        if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && extra.cell.column > 0)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter); // a value among fields
        if (extra.cell.given()) {
            grid.addWidget(widget, extra.cell.row, extra.cell.column);
        } else if (extra.index >= 0) {
            addRowLabels(*box, grid);
            const int row = kTableRowOffset + kFirstTableRow + extra.index;
            grid.addWidget(widget, row, nextTableColumn(grid, row));
        } else {
            grid.addWidget(widget, nextSingleRow(*box), kCaptionColumn, 1, 2);
        }
    }
}

} // namespace quorvel
