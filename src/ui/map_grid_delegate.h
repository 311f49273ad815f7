#pragma once

#include <QStyledItemDelegate>

namespace quorvel {

// Edits a map cell, an RPM head or a pressure row head in a spin box whose bounds and step
// come from the item (the page's maximum and step for the cells). The value reaches the model
// on Enter or when the editor loses its focus.
class MapGridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
};

} // namespace quorvel
