#include "ui/maps/map_grid_delegate.h"

#include "ui/maps/map_grid_table_model.h"
#include "ui/pages/field_spin_box.h"
#include "ui/pages/time_spin_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace quorvel {

void MapGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    constexpr int kTintAlpha = 80;
    QStyleOptionViewItem unselected(option);
    unselected.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, unselected, index);
    if (!option.state.testFlag(QStyle::State_Selected))
        return;
    QColor highlight = option.palette.color(QPalette::Highlight);
    painter->save();
    if (!index.data(MapGridTableModel::LiveMarkRole).toBool()) {
        QColor tint = highlight;
        tint.setAlpha(kTintAlpha);
        painter->fillRect(option.rect, tint);
    }
    // One outline around the block: an edge is drawn where the neighbour is not selected.
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const auto selected = [view, &index](int rows, int columns) {
        const QModelIndex next = index.siblingAtRow(index.row() + rows).siblingAtColumn(index.column() + columns);
        return view != nullptr && next.isValid() && view->selectionModel()->isSelected(next);
    };
    painter->setPen(QPen(highlight, 2));
    const QRect r = option.rect.adjusted(1, 1, -1, -1);
    if (!selected(-1, 0))
        painter->drawLine(r.topLeft(), r.topRight());
    if (!selected(1, 0))
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    if (!selected(0, -1))
        painter->drawLine(r.topLeft(), r.bottomLeft());
    if (!selected(0, 1))
        painter->drawLine(r.topRight(), r.bottomRight());
    painter->restore();
}

QWidget* MapGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                       const QModelIndex& index) const
{
    auto* self = const_cast<MapGridDelegate*>(this); // the signal is the delegate's own
    if (const int decimals = index.data(MapGridTableModel::DecimalsRole).toInt(); decimals > 0) {
        // A stored time in ms: typed in ms, and its arrows step a percentage point of the
        // cell's reference time, the step the page stores it in.
        auto* times = new TimeSpinBox(parent);
        times->setDecimals(decimals);
        times->setFrame(false);
        times->setRange(index.data(MapGridTableModel::MinimumRole).toDouble(),
                        index.data(MapGridTableModel::MaximumRole).toDouble());
        times->setSingleStep(index.data(MapGridTableModel::StepRole).toDouble());
        times->onStepped = [self, times] { emit self->commitData(times); };
        return times;
    }
    auto* editor = new FieldSpinBox(QString(), parent);
    editor->setGroupSeparatorShown(false);
    editor->setAccelerated(false);
    editor->setFrame(false);
    editor->setRange(index.data(MapGridTableModel::MinimumRole).toInt(),
                     index.data(MapGridTableModel::MaximumRole).toInt());
    editor->setSingleStep(std::max(1, index.data(MapGridTableModel::StepRole).toInt()));
    editor->onStepped = [self, editor] { emit self->commitData(editor); };
    return editor;
}

void MapGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* times = qobject_cast<QDoubleSpinBox*>(editor)) {
        times->setValue(index.data(Qt::EditRole).toDouble());
        return;
    }
    static_cast<QSpinBox*>(editor)->setValue(index.data(Qt::EditRole).toInt());
}

void MapGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* times = qobject_cast<QDoubleSpinBox*>(editor)) {
        times->interpretText();
        model->setData(index, times->cleanText(), Qt::EditRole);
        return;
    }
    auto* spin = static_cast<QSpinBox*>(editor);
    spin->interpretText();
    model->setData(index, spin->value(), Qt::EditRole);
}

void MapGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex& /*index*/) const
{
    editor->setGeometry(option.rect);
}

bool MapGridDelegate::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace quorvel
