#pragma once

#include <QStyledItemDelegate>

namespace quorvel {

// Edits a map cell, an RPM head or a pressure row head in a spin box whose bounds and step
// come from the item (the page's maximum and step for the cells). Every click of its arrows
// reaches the model at once, as the cell's up-down always stored each step; a typed value
// reaches it on Enter, which moves on to the next cell, or when the editor loses its focus.
class MapGridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // A selected cell keeps its value colour under a tint, and a cell the engine runs in keeps
    // its live mark, framed only: the selection is never what hides them.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quorvel
