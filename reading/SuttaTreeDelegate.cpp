#include "reading/SuttaTreeDelegate.h"
#include "reading/SuttaTreeModel.h"

QSize TSuttaTreeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(23);
    return s;
}

void TSuttaTreeDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->state & QStyle::State_Selected)
        option->font.setBold(true);
    if (index.data(TSuttaTreeModel::HasOtherRole).toInt() == 1) {
        const QColor maroon(128, 0, 0);
        option->palette.setColor(QPalette::Text, maroon);
        option->palette.setColor(QPalette::HighlightedText, maroon);
    }
    if (index.column() == TSuttaTreeModel::colFAV_SUTTA) {
        option->decorationAlignment = Qt::AlignCenter;
        option->decorationSize = QSize(16, 16);
        option->features &= ~QStyleOptionViewItem::HasDisplay;
    }
}
