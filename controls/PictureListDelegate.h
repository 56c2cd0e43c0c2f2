#pragma once

#include "platform/Rect.h"

#include <QDateTime>
#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <functional>

// Draws the items of a picture list: in icon view each item as the list
// draws it, with the picture file its text names fitted into its icon area;
// in the other views the text alone, in the list's colours. Pictures are read
// once per file, size and change time, and only as large as the area needs;
// a file that is missing, broken, empty or larger than 8,000 pixels a side
// leaves the item as the list draws it.
class PictureListDelegate : public QStyledItemDelegate
{
public:
    static constexpr int kLargestSide = 8000;

    // pathOf turns an item's text into the picture's path.
    PictureListDelegate(std::function<QString(const QString&)> pathOf, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The picture of the file fitted into a box of that size (null when there is none).
    QPixmap picture(const QString& path, QSize box) const;
    void clearCache() { m_cache.clear(); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    struct Cached
    {
        QDateTime changed;
        qint64 bytes = -1;
        QSize box;
        QPixmap picture;
    };

    void paintReport(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    std::function<QString(const QString&)> m_pathOf;
    mutable QHash<QString, Cached> m_cache;
};
