#pragma once

#include "images/ThumbnailListModel.h"

#include <QListView>
#include <QString>

#include <memory>

class ThumbnailQueueThread;

// An icon list of a small set of ready-made pictures (designs of the web
// objects, templates of the web wizard): each item's text names a picture
// in m_strFolder, and its thumbnail is made the first time the item is
// painted. Until it comes, the item shows picture 0, the thumbnail of the
// install folder's "Bin/default.bmp". An item's state: 0 not loaded yet,
// 1 loaded or tried.
class CVornaListCtrlImage : public QListView
{
    Q_OBJECT
public:
    explicit CVornaListCtrlImage(QWidget* parent = nullptr);
    ~CVornaListCtrlImage() override;

    // The thumbnail size; setting it rebuilds the pictures.
    void SetThumbnailWidth(int width);
    void SetThumbnailHeight(int height);
    int GetThumbnailWidth() const { return m_nThumbnailWidth; }
    int GetThumbnailHeight() const { return m_nThumbnailHeight; }

    // The pictures made anew: picture 0 the placeholder. Items go back to
    // waiting for their thumbnails.
    void BuildImageList();

    // An item showing the placeholder until it is painted.
    int InsertItem(int index, const QString& text);
    void DeleteAllItems();
    int GetItemCount() const { return m_model->count(); }
    QString GetItemText(int item) const { return m_model->text(item); }
    qint64 GetItemData(int item) const { return m_model->state(item); }
    int GetItemImage(int item) const { return m_model->image(item); }
    int GetSelectedItem() const;
    void SelectItem(int item);
    ThumbnailListModel* listModel() const { return m_model; }

    // The picture file an item's text names: in the folder, with ".gif"
    // added when the text has no extension of three or four letters.
    static QString PicturePath(const QString& folder, const QString& text);

    // Thumbnails asked for and not yet arrived.
    int LoadsWaiting() const;

    // The folder of the pictures (ending with "/"); set by the owner.
    QString m_strFolder;

signals:
    void itemChanged(int item);
    void itemDoubleClicked(int item);

protected:
    bool event(QEvent* event) override;

private:
    // Hands an item painted for the first time to the worker.
    void LoadOnFirstPaint(int item);
    void applyGeometry();

    ThumbnailListModel* m_model = nullptr;
    int m_nThumbnailWidth = 60;
    int m_nThumbnailHeight = 60;
    int m_nGeneration = 0;
    std::unique_ptr<ThumbnailQueueThread> m_pLoader;
};
