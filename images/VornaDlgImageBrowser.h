#pragma once

#include "images/ImageBrowserModel.h"

#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <vector>

class CFolderComboBox;
class CVornaImageListCtrl;
class CVornaToolTipCtrl;
class ImagePlacer;
class VornaImageButton;

// The image browser (560): the folders, drives and image files of one folder
// at a time as thumbnails, in a bar at the bottom of the main frame, from
// which images go into the page being edited. The folder combo, Up and Back
// walk the desktop, the computer's drives and the folders; the library
// button offers the image material installed with the program (and the open
// web's image folder), the bookmark button the user's bookmarked folders.
//
// An image double-clicked goes into the page at the next click there; one
// dragged onto the page goes in where it is dropped; Escape ends the placing
// without inserting. The browser starts in the folder either image window
// left last and remembers its own when it ends.
class VornaDlgImageBrowser : public QDialog, public ImageBrowserModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 560;

    explicit VornaDlgImageBrowser(QWidget* parent = nullptr);
    ~VornaDlgImageBrowser() override;

    // Lists a folder: a display root shows the desktop's places, the
    // computer's drives or the documents folder.
    void ShowFolder(const QString& path);
    // The current folder again as it is on disk now (F5, the program
    // activated again): with `onlyWhenGone`, only when it has gone.
    void RefreshFolder(bool onlyWhenGone);
    // Shows a folder, recorded in the history (the scanner's new pages).
    void OpenFolder(const QString& folder);

    // The image library's folders (menu 676) and the open web's image folder.
    void OnImageClipArt();
    void OnImageFrame();
    void OnImageBanner();
    void OnImageStudy();
    void OnWebImageFolder();

    // The bookmark menu's manager entry and its bookmarks (commands 162-181).
    void OnManageBookmarks();
    void OpenBookmark(unsigned commandId);

    // A list item opened: a folder, drive or place is shown, an image waits
    // for the click that places it.
    void OnListDblClk(int item);
    // An image dragged from the list: placed where it is dropped.
    void OnListBeginDrag(int item);
    void OnUpOneLevel();
    void OnBack();
    void OnFolderComboSelChange();
    void OnFolderComboDropDown();
    void OnImageLibraryMenu();
    void OnBookmarkMenu();

    // The controls, for the main frame and for tests.
    CVornaImageListCtrl* thumbnailList() const { return m_pList; }
    CFolderComboBox* folderCombo() const { return m_pCombo; }
    ImagePlacer* placer() const { return m_pPlacer; }
    // The menus while they are shown.
    QMenu* libraryMenu() const { return m_pLibraryMenu; }
    QMenu* bookmarkMenu() const { return m_pBookmarkMenu; }
    // The item marks of the last listing.
    const std::vector<unsigned>& marks() const { return m_arrMarks; }

    // The browser lives in its bar: Escape and Enter never close it.
    void reject() override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void OnInitDialog();
    void OnDestroy();
    void FillList(bool keep);
    void ReloadFolder();
    void AddFolderItems();
    void AddShellItem(int index, const QString& name, int image, qint64 kind);
    // Moves to a folder (its nearest existing one): the combo, the list and
    // the history follow.
    void Navigate(const QString& folder);
    void PushHistory();
    void UpdateUpButton();
    void UpdateBackButton();
    void StartPlacing(const QString& name, bool byDoubleClick);
    // Shows a popup under a button and sends the chosen command to the
    // main frame.
    void TrackPopup(QMenu* menu, QWidget* button);

    CVornaToolTipCtrl* m_pToolTip = nullptr;
    VornaImageButton* m_btnUp = nullptr;
    VornaImageButton* m_btnBookmarks = nullptr;
    VornaImageButton* m_btnLibrary = nullptr;
    VornaImageButton* m_btnBack = nullptr;
    CFolderComboBox* m_pCombo = nullptr;
    CVornaImageListCtrl* m_pList = nullptr;
    ImagePlacer* m_pPlacer = nullptr;
    QPointer<QMenu> m_pBookmarkMenu;
    QPointer<QMenu> m_pLibraryMenu;
    std::vector<unsigned> m_arrMarks;
    // The mount points of the drive list's items.
    std::vector<QString> m_arrDriveRoots;
    bool m_bDestroyed = false;
};
