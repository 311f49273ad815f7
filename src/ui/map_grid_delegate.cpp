#include "ui/map_grid_delegate.h"

#include "ui/map_grid_table_model.h"

#include <QSpinBox>

#include <algorithm>

namespace quorvel {

QWidget* MapGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                       const QModelIndex& index) const
{
    auto* editor = new QSpinBox(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignRight);
    editor->setRange(index.data(MapGridTableModel::MinimumRole).toInt(),
                     index.data(MapGridTableModel::MaximumRole).toInt());
    editor->setSingleStep(std::max(1, index.data(MapGridTableModel::StepRole).toInt()));
    return editor;
}

void MapGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QSpinBox*>(editor)->setValue(index.data(Qt::EditRole).toInt());
}

void MapGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* spin = static_cast<QSpinBox*>(editor);
    spin->interpretText();
    model->setData(index, spin->value(), Qt::EditRole);
}

void MapGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex& /*index*/) const
{
    editor->setGeometry(option.rect);
}

} // namespace quorvel
