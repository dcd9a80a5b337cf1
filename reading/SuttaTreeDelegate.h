#pragma once
#include <QStyledItemDelegate>

// Cell drawing of the collection tree: the selected row in bold, suttas with
// another translation in maroon, the status icon centred, rows 23 pixels high.
class TSuttaTreeDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
