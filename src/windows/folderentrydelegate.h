#pragma once

#include <QStyledItemDelegate>

// Draws a folder list entry indented by its depth (the entry's DepthRole), icon and all, so the
// path from the root down reads as a staircase.
class FolderEntryDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderEntryDelegate)

public:
    static constexpr int DepthRole = Qt::UserRole + 1;
    static constexpr int IndentPerLevel = 12;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
