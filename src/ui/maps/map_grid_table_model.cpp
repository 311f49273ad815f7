#include "ui/maps/map_grid_table_model.h"

#include "ui/binding/colour_palette.h"

#include <QColor>
#include <QFont>

namespace quorvel {
namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr double kMicrosecondsPerMillisecond = 1000.0;
constexpr int kTimeDecimals = 3;
constexpr double kLongestMilliseconds = 65.535;

bool isPlain(ColourRole role)
{
    return role == ColourRole::NormalFace || role == ColourRole::NormalWindow;
}

// An edit field keeps the view's own base colour until the live marking paints it.
QVariant fieldBackground(ColourRole role)
{
    return isPlain(role) ? QVariant() : QVariant(ColourPalette::colour(role));
}

// A head that only labels its row or column reads as a caption on the window's face.
QVariant captionBackground(ColourRole role)
{
    return QVariant(ColourPalette::colour(isPlain(role) ? ColourRole::NormalFace : role));
}

QVariant rangeData(ControlRange range, int role)
{
    switch (role) {
    case MapGridTableModel::MinimumRole:
        return range.minimum;
    case MapGridTableModel::MaximumRole:
        return range.maximum;
    case MapGridTableModel::StepRole:
        return range.step;
    default:
        return {};
    }
}

} // namespace

MapGridTableModel::MapGridTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int MapGridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MapGridModel::kRows + 1;
}

int MapGridTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MapGridModel::kColumns + 1;
}

QVariant MapGridTableModel::data(const QModelIndex& index, int role) const
{
    if (!isOwnItem(index))
        return {};
    const int row = index.row() - 1;
    const int column = index.column() - 1;
    if (row >= 0 && column >= 0)
        return cellData(row, column, role);
    if (row < 0 && column >= 0)
        return rpmHeadData(column, role);
    if (row >= 0)
        return rowHeadData(row, role);
    // The corner names the row axis.
    if (role == Qt::DisplayRole)
        return m_grid.hasPressureRows() ? QStringLiteral("IAP [kPa]") : QStringLiteral("TPS");
    if (role == Qt::BackgroundRole)
        return captionBackground(ColourRole::NormalFace);
    return {};
}

QVariant MapGridTableModel::compareData(const std::map<int, QString>& tips, int key, int role) const
{
    const auto tip = tips.find(key);
    if (tip == tips.end())
        return {};
    switch (role) {
    case Qt::ToolTipRole:
        return tip->second;
    case Qt::ForegroundRole:
        return ColourPalette::colour(ColourRole::Compare);
    case Qt::FontRole: {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    default:
        return {};
    }
}

QVariant MapGridTableModel::cellData(int row, int column, int role) const
{
    const int element = row * MapGridModel::kColumns + column;
    if (role == Qt::ToolTipRole || role == Qt::ForegroundRole || role == Qt::FontRole) {
        if (QVariant compared = compareData(m_compare.cells, element, role); compared.isValid())
            return compared;
        if (QVariant proposed = compareData(m_preview, element, role); proposed.isValid())
            return proposed;
        const auto overlay = m_overlay.find(element);
        return role == Qt::ToolTipRole && overlay != m_overlay.end() ? QVariant(overlay->second.second) : QVariant();
    }
    const bool times = m_grid.viewUnit() == CellUnit::Milliseconds;
    switch (role) {
    case Qt::DisplayRole:
        return m_grid.isCellVisible(row, column) ? QVariant(qText(m_grid.cellText(row, column))) : QVariant();
    case Qt::EditRole:
        return times ? QVariant(m_grid.cellTime(row, column) / kMicrosecondsPerMillisecond)
                     : QVariant(m_grid.cellValue(row, column));
    case Qt::BackgroundRole:
        return cellBackground(row, column);
    case LiveMarkRole:
        return !isPlain(m_grid.cellColour(row, column));
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case DecimalsRole:
        return times ? kTimeDecimals : 0;
    default:
        break;
    }
    if (!times)
        return rangeData(m_grid.cellRange(row), role);
    // In ms a cell steps by a percentage point of its reference time; the writer of the tune
    // checks the range of each cell and names the one a value leaves.
    switch (role) {
    case MinimumRole:
        return 0.0;
    case MaximumRole:
        return kLongestMilliseconds;
    case StepRole:
        return m_grid.cellTimeStep(row, column) / kMicrosecondsPerMillisecond;
    default:
        return {};
    }
}

// The live mark over everything; then a log's overlay; then the value's colour; a cell the page only shows (a coupled
// follower map) reads as a caption, not a field.
QVariant MapGridTableModel::cellBackground(int row, int column) const
{
    const ColourRole mark = m_grid.cellColour(row, column);
    if (!isPlain(mark))
        return fieldBackground(mark);
    if (const auto overlay = m_overlay.find(row * MapGridModel::kColumns + column); overlay != m_overlay.end())
        return overlay->second.first;
    if (m_valueColours && m_legend) {
        if (const std::optional<Rgb> colour = cellValueColour(m_grid, *m_legend, row, column))
            return QColor(colour->red, colour->green, colour->blue);
    }
    if (!m_grid.isCellEditable(row, column))
        return captionBackground(ColourRole::NormalFace);
    return fieldBackground(mark);
}

QVariant MapGridTableModel::rpmHeadData(int column, int role) const
{
    if (role == Qt::ToolTipRole || role == Qt::ForegroundRole || role == Qt::FontRole)
        return compareData(m_compare.rpmHeads, column, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_grid.rpmHead(column);
    case Qt::BackgroundRole:
        return captionBackground(m_grid.rpmHeadColour(column));
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return rangeData(MapGridModel::rpmRange(), role);
    }
}

QVariant MapGridTableModel::rowHeadData(int row, int role) const
{
    if (role == Qt::ToolTipRole || role == Qt::ForegroundRole || role == Qt::FontRole)
        return compareData(m_compare.rowHeads, row, role);
    switch (role) {
    case Qt::DisplayRole:
        return qText(m_grid.rowHead(row));
    case Qt::EditRole:
        return m_grid.hasPressureRows() ? QVariant(m_grid.rowAxisValue(row)) : QVariant(qText(m_grid.rowHead(row)));
    case Qt::BackgroundRole:
        if (m_grid.hasPressureRows())
            return fieldBackground(m_grid.rowHeadColour(row));
        if (m_printLook)
            return QVariant(QColor(Qt::white));
        return captionBackground(m_grid.rowHeadColour(row));
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return rangeData(MapGridModel::rowAxisRange(), role);
    }
}

bool MapGridTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !isOwnItem(index) || !editable(index))
        return false;
    const int row = index.row() - 1;
    const int column = index.column() - 1;
    if (row >= 0 && column >= 0) {
        // The value goes to the writer as typed: in ms to the thousandth, else whole.
        const DecimalRead typed = readDecimal(value.toString().toStdString(), DecimalMark::Point);
        if (typed.fault != NumberFault::None || !m_cellTyped)
            return false;
        m_cellTyped({row, column}, typed.number);
        return true;
    }
    bool isNumber = false;
    const int shown = value.toInt(&isNumber);
    if (!isNumber)
        return false;
    bool changed = false;
    if (row < 0)
        changed = m_grid.setRpmHead(column, shown);
    else
        changed = m_grid.setRowAxisValue(row, shown);
    if (!changed)
        return false;
    announce(index.row(), index.column(), {Qt::DisplayRole, Qt::EditRole});
    if (m_edited)
        m_edited();
    return true;
}

Qt::ItemFlags MapGridTableModel::flags(const QModelIndex& index) const
{
    if (!isOwnItem(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled;
    if (index.row() != kHeadRow && index.column() != kHeadColumn)
        result |= Qt::ItemIsSelectable;
    if (editable(index))
        result |= Qt::ItemIsEditable;
    return result;
}

bool MapGridTableModel::isOwnItem(const QModelIndex& index) const
{
    // An invalid index is an ordinary question (the root), not a fault worth a warning.
    return index.isValid() && checkIndex(index, CheckIndexOption::ParentIsInvalid);
}

bool MapGridTableModel::editable(const QModelIndex& index) const
{
    const int row = index.row() - 1;
    const int column = index.column() - 1;
    if (row >= 0 && column >= 0)
        return m_grid.isCellEditable(row, column);
    if (row < 0 && column >= 0)
        return m_grid.isRpmHeadEditable();
    return row >= 0 && m_grid.hasPressureRows();
}

void MapGridTableModel::reload()
{
    m_legend = colourLegend(m_grid);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void MapGridTableModel::repaint(const GridRepaint& changed)
{
    const QList<int> roles{Qt::BackgroundRole};
    for (const int element : changed.cells)
        announce(1 + element / MapGridModel::kColumns, 1 + element % MapGridModel::kColumns, roles);
    for (const int column : changed.rpmHeads)
        announce(kHeadRow, 1 + column, roles);
    for (const int row : changed.rowHeads)
        announce(1 + row, kHeadColumn, roles);
}

void MapGridTableModel::setPrintLook(bool on)
{
    if (m_printLook == on)
        return;
    m_printLook = on;
    emit dataChanged(index(1, kHeadColumn), index(rowCount() - 1, kHeadColumn), {Qt::BackgroundRole});
}

void MapGridTableModel::setValueColours(bool on)
{
    if (m_valueColours == on)
        return;
    m_valueColours = on;
    m_legend = colourLegend(m_grid);
    emit dataChanged(index(1, 1), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

void MapGridTableModel::setCompareTips(CompareTips tips)
{
    m_compare = std::move(tips);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                     {Qt::ToolTipRole, Qt::ForegroundRole, Qt::FontRole});
}

void MapGridTableModel::setOverlay(std::map<int, std::pair<QColor, QString>> overlay)
{
    m_overlay = std::move(overlay);
    emit dataChanged(index(1, 1), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole, Qt::ToolTipRole});
}

void MapGridTableModel::setPreview(std::map<int, QString> preview)
{
    m_preview = std::move(preview);
    emit dataChanged(index(1, 1), index(rowCount() - 1, columnCount() - 1),
                     {Qt::ToolTipRole, Qt::ForegroundRole, Qt::FontRole});
}

void MapGridTableModel::announce(int tableRow, int tableColumn, const QList<int>& roles)
{
    const QModelIndex changed = index(tableRow, tableColumn);
    emit dataChanged(changed, changed, roles);
}

} // namespace quorvel
