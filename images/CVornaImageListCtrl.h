#pragma once

#include "images/ThumbnailListModel.h"

#include <QListView>
#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

class CVornaImageListThread;

// The list of a folder's contents with thumbnails, as the insert-image
// dialog and the image browser show it: the owner fills it with items whose
// texts are file names (image files with picture 0, the placeholder, and
// state 0), sets the folder and starts loading; a worker then makes the
// thumbnails, those of the visible rows first, and they replace the
// placeholder one by one.
//
// Pictures 0 to 4 are fixed: the placeholder, then the icons of the install
// folder (used for sub-folders), the desktop, the computer and the documents
// folder. An item's state: 0 waits for its thumbnail, 1 has none (a folder),
// 2 has it; any other value below 100 is the owner's own kind.
class CVornaImageListCtrl : public QListView
{
    Q_OBJECT
public:
    enum FixedPicture { PlaceholderPicture, FolderPicture, DesktopPicture, ComputerPicture, DocumentsPicture };

    explicit CVornaImageListCtrl(QWidget* parent = nullptr);
    ~CVornaImageListCtrl() override;

    // The thumbnail size; setting it rebuilds the pictures.
    void SetThumbnailWidth(int width);
    void SetThumbnailHeight(int height);
    int GetThumbnailWidth() const { return m_nThumbnailWidth; }
    int GetThumbnailHeight() const { return m_nThumbnailHeight; }
    // The owner's view mode (1 thumbnails); kept for the owner only.
    void SetThumbnailMode(int mode) { m_bThumbnailMode = mode == 1; }
    bool thumbnailMode() const { return m_bThumbnailMode; }
    // A plain list of names in columns, or (false) the icon view with pictures.
    void SetListStyle(bool list);
    bool listStyle() const { return m_bListStyle; }

    // The pictures: emptied, then the fixed ones in their order.
    void CreateThumbnailImageList();
    void AddPlaceholderImage();
    void AddStandardIcons();
    // A tile with the icon of a file, folder or volume; its picture index.
    int AddFileIcon(const QString& path);
    // A tile with an icon; its picture index.
    int AddIcon(const QIcon& icon) { return addIconTile(icon); }

    // Starts a loading run over the items as they are now; a run already
    // going is stopped. The marks set states before any thumbnail is made.
    void StartLoading(const std::vector<unsigned>& marks = {});
    // Stops the run: nothing it still sends reaches the list.
    void StopLoading();
    // Whether a run is going.
    bool IsLoading() const;
    // The run's next item becomes the first visible one.
    void PrioritizeVisibleItems();
    // The scroll range follows the items by itself.
    void UpdateScrollBar() {}
    int generation() const { return m_nGeneration; }

    // The first item in the visible area (at its top-left), or 0.
    int FirstVisibleItem() const;

    // Items.
    int InsertItem(int index, const QString& text, int image = -1, qint64 state = 0);
    // All items at once: one per text, with the picture and state.
    void SetItems(const QStringList& texts, int image, qint64 state = 0);
    void DeleteAllItems();
    int GetItemCount() const { return m_model->count(); }
    QString GetItemText(int item) const { return m_model->text(item); }
    qint64 GetItemData(int item) const { return m_model->state(item); }
    bool SetItemData(int item, qint64 state) { return m_model->setState(item, state); }
    int GetItemImage(int item) const { return m_model->image(item); }
    void SetItemImage(int item, int image) { m_model->setImage(item, image); }
    // The selected item, or -1.
    int GetSelectedItem() const;
    void SelectItem(int item);
    void EnsureVisible(int item);

    ThumbnailListModel* listModel() const { return m_model; }

    // The folder of the listed files, ending with "/"; set by the owner
    // before StartLoading.
    QString m_strFolder;

signals:
    // The selection moved (item -1: nothing selected).
    void itemChanged(int item);
    void itemDoubleClicked(int item);
    // The left button was pressed on an item and moved far enough to drag it.
    void beginDrag(int item);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyGeometry();
    int addTile(const QImage& tile);
    int addIconTile(const QIcon& icon);
    // Joins the stopped runs that have ended.
    void reapStopped();

    ThumbnailListModel* m_model = nullptr;
    int m_nThumbnailWidth = 60;
    int m_nThumbnailHeight = 60;
    bool m_bThumbnailMode = true;
    bool m_bListStyle = false;
    int m_nGeneration = 0;
    std::unique_ptr<CVornaImageListThread> m_pLoader;
    std::vector<std::unique_ptr<CVornaImageListThread>> m_stopped;
    QPoint m_pressPoint;
    int m_nPressItem = -1;
    bool m_bDragStarted = false;
};
