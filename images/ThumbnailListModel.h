#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QPixmap>
#include <QString>

#include <vector>

// The items of a thumbnail list: each a text (a file name), a picture index
// into the list's pictures and a value the list's owner and its loader keep
// (the loading state). In list view the pictures are not shown.
class ThumbnailListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int StateRole = Qt::UserRole + 1;
    static constexpr int ImageRole = Qt::UserRole + 2;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Inserts an item (at the end for an index beyond it); its index.
    int insertItem(int index, const QString& text, int image, qint64 state);
    // Replaces all items by these texts, all with the picture and state.
    void setItems(const QStringList& texts, int image, qint64 state);
    void clearItems();
    int count() const { return int(m_items.size()); }
    bool isValid(int item) const { return item >= 0 && item < count(); }

    QString text(int item) const;
    qint64 state(int item) const;
    bool setState(int item, qint64 state);
    int image(int item) const;
    void setImage(int item, int image);

    // The pictures: every one a tile of the list's thumbnail size.
    int addPicture(const QPixmap& picture);
    void clearPictures();
    int pictureCount() const { return int(m_pictures.size()); }
    const QPixmap& picture(int index) const { return m_pictures[index]; }

    void setPicturesShown(bool shown);
    bool picturesShown() const { return m_bPicturesShown; }

private:
    struct Item
    {
        QString text;
        int image = -1;
        qint64 state = 0;
    };
    std::vector<Item> m_items;
    QList<QPixmap> m_pictures;
    bool m_bPicturesShown = true;
};
