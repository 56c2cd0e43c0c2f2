#include "images/ThumbnailListModel.h"

int ThumbnailListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ThumbnailListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !isValid(index.row()))
        return QVariant();
    const Item& item = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return item.text;
    case Qt::DecorationRole:
        if (m_bPicturesShown && item.image >= 0 && item.image < m_pictures.size())
            return m_pictures[item.image];
        return QVariant();
    case StateRole:
        return item.state;
    case ImageRole:
        return item.image;
    default:
        return QVariant();
    }
}

Qt::ItemFlags ThumbnailListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

int ThumbnailListModel::insertItem(int index, const QString& text, int image, qint64 state)
{
    const int at = index < 0 || index > count() ? count() : index;
    beginInsertRows(QModelIndex(), at, at);
    m_items.insert(m_items.begin() + at, Item{text, image, state});
    endInsertRows();
    return at;
}

void ThumbnailListModel::setItems(const QStringList& texts, int image, qint64 state)
{
    beginResetModel();
    m_items.clear();
    m_items.reserve(size_t(texts.size()));
    for (const QString& text : texts)
        m_items.push_back(Item{text, image, state});
    endResetModel();
}

void ThumbnailListModel::clearItems()
{
    beginResetModel();
    m_items.clear();
    endResetModel();
}

QString ThumbnailListModel::text(int item) const
{
    return isValid(item) ? m_items[size_t(item)].text : QString();
}

qint64 ThumbnailListModel::state(int item) const
{
    return isValid(item) ? m_items[size_t(item)].state : 0;
}

bool ThumbnailListModel::setState(int item, qint64 state)
{
    if (!isValid(item))
        return false;
    m_items[size_t(item)].state = state;
    return true;
}

int ThumbnailListModel::image(int item) const
{
    return isValid(item) ? m_items[size_t(item)].image : -1;
}

void ThumbnailListModel::setImage(int item, int image)
{
    if (!isValid(item))
        return;
    m_items[size_t(item)].image = image;
    const QModelIndex at = this->index(item);
    emit dataChanged(at, at, {Qt::DecorationRole, ImageRole});
}

int ThumbnailListModel::addPicture(const QPixmap& picture)
{
    m_pictures.append(picture);
    return int(m_pictures.size()) - 1;
}

void ThumbnailListModel::clearPictures()
{
    m_pictures.clear();
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {Qt::DecorationRole});
}

void ThumbnailListModel::setPicturesShown(bool shown)
{
    if (m_bPicturesShown == shown)
        return;
    m_bPicturesShown = shown;
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {Qt::DecorationRole});
}
