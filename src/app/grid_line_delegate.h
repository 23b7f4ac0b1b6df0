#pragma once
// Draws the grid lines of a report list: a tree view with uniform rows keeps a million rows
// cheap, but draws no grid of its own.
#include <QStyledItemDelegate>

namespace qh {

class GridLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace qh
