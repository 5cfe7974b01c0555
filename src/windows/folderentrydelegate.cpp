#include "windows/folderentrydelegate.h"

namespace {

int indentOf(const QModelIndex &index)
{
    return index.data(FolderEntryDelegate::DepthRole).toInt() * FolderEntryDelegate::IndentPerLevel;
}

} // namespace

void FolderEntryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() + indentOf(index));
    QStyledItemDelegate::paint(painter, indented, index);
}

QSize FolderEntryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
}
