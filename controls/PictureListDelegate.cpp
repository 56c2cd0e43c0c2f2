#include "controls/PictureListDelegate.h"

#include "controls/CPicture.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QListView>
#include <QPainter>

PictureListDelegate::PictureListDelegate(std::function<QString(const QString&)> pathOf, QObject* parent)
    : QStyledItemDelegate(parent), m_pathOf(std::move(pathOf))
{
}

QPixmap PictureListDelegate::picture(const QString& path, QSize box) const
{
    const QFileInfo file(path);
    if (!file.isFile() || box.isEmpty())
        return QPixmap();
    const QDateTime changed = file.lastModified();
    const auto found = m_cache.constFind(path);
    if (found != m_cache.constEnd() && found->changed == changed && found->bytes == file.size() && found->box == box)
        return found->picture;
    Cached entry;
    entry.changed = changed;
    entry.bytes = file.size();
    entry.box = box;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && size.width() > 0 && size.height() > 0 && size.width() <= kLargestSide &&
        size.height() <= kLargestSide) {
        const platform::Rect fitted = FitRectInBox(size.width(), size.height(), box.width(), box.height());
        if (!fitted.isEmpty()) {
            reader.setScaledSize(QSize(fitted.width(), fitted.height()));
            const QImage image = reader.read();
            if (!image.isNull())
                entry.picture = QPixmap::fromImage(image);
        }
    }
    m_cache.insert(path, entry);
    return entry.picture;
}

void PictureListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const auto* view = qobject_cast<const QListView*>(option->widget);
    if (view && view->viewMode() == QListView::IconMode) {
        // The icon area is kept free for the picture, whatever the item holds.
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = view->iconSize();
        option->icon = QIcon();
    }
}

QSize PictureListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index);
}

void PictureListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QListView*>(option.widget);
    if (!view || view->viewMode() != QListView::IconMode) {
        paintReport(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QStyle* style = view->style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, view);
    const QPixmap shown = picture(m_pathOf(index.data(Qt::DisplayRole).toString()), area.size());
    if (shown.isNull())
        return;
    const platform::Rect fitted = FitRectInBox(shown.width(), shown.height(), area.width(), area.height());
    painter->drawPixmap(area.left() + fitted.left, area.top() + fitted.top, shown);
}

void PictureListDelegate::paintReport(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    QColor text = palette.color(QPalette::Text);
    if (selected) {
        // The window text colour inverted, on the highlight.
        text = QColor(255 - text.red(), 255 - text.green(), 255 - text.blue());
        painter->fillRect(option.rect, palette.color(QPalette::Highlight));
    } else {
        painter->fillRect(option.rect, palette.color(QPalette::Base));
    }
    if (option.state & QStyle::State_HasFocus) {
        QPen dotted(palette.color(QPalette::Text));
        dotted.setStyle(Qt::DotLine);
        painter->setPen(dotted);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->setPen(text);
    painter->setFont(option.font);
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
}
