#pragma once

#include "images/OpenImageDialogModel.h"

#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <memory>

class CFolderComboBox;
class CVornaImageListCtrl;
class CVornaToolTipCtrl;
class ImagePlacer;
class QLineEdit;
class QMenu;
class QPushButton;
class VornaDirListCtrl;
class VornaImageButton;
class VornaShrinkDialogSub;

// The insert-image dialog (322 "画像の挿入"): a folder list on the left,
// the pictures of the current folder as thumbnails (or names) on the right,
// the folder combo with Up, Back, the view switch and the image library above.
//
// Insert > Image > Image file shows it beside the page (modeless): Insert
// arms the chosen picture for the next click in the page, and a thumbnail
// dragged onto the page goes in where it is dropped; the dialog then closes
// and deletes itself. The property dialogs run it modally (runModal, id 322)
// and read the chosen file's path, written with "/", from m_strResultPath.
class VornaDialogOpenImage : public QDialog, public OpenImageDialogModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 322;

    explicit VornaDialogOpenImage(QWidget* parent = nullptr);
    ~VornaDialogOpenImage() override;

    // Moves to the folder the caller put into the current folder: the
    // folder list shows it (or its parent with its entry selected), the
    // combo its place, and the thumbnails its pictures.
    void ChangeFolder(const QString& folder);
    // The current folder again as it is on disk now (F5, the program
    // activated again): with `onlyWhenGone`, only when it has gone.
    void RefreshFolder(bool onlyWhenGone);

    // The image library's folders (menu 676).
    void OnImageClipArt();
    void OnImageFrame();
    void OnImageBanner();
    void OnImageStudy();
    // The open web's image folder, for a page of that web.
    void OnWebImageFolder();

    // Insert and Cancel.
    void OnOK();
    void OnCancel();
    // The chosen picture's path into the result path (a copy for a
    // picture on a removable medium); false when that copy failed.
    bool BuildSelectedImagePath() { return OpenImageDialogModel::BuildSelectedImagePath(); }
    // The modeless Insert: the chosen picture waits for its click.
    void InsertIntoPage();

    // The controls, for the owners of the hand-over and for tests.
    CVornaImageListCtrl* thumbnailList() const { return m_pList; }
    VornaDirListCtrl* folderList() const { return m_pDirList; }
    CFolderComboBox* folderCombo() const { return m_pCombo; }
    ImagePlacer* placer() const { return m_pPlacer; }
    // The library menu while it is shown.
    QMenu* libraryMenu() const { return m_pLibraryMenu; }

    void done(int result) override;
    // Escape and the close box cancel.
    void reject() override { OnCancel(); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void OnInitDialog();
    void OnDestroy();
    void FillThumbnails();
    void UpdateViewButton();
    void UpdateNavigationButtons();
    void GoToLibraryFolder(const QString& folder);
    bool IsLibraryFolderEntry(int row) const;

    // Control handlers.
    void OnSelChangeFolderCombo(int index);
    void OnDropDownFolderCombo();
    void OnItemChangedFolderList(int row);
    void OnDblClkFolderList();
    void OnUp();
    void OnBack();
    void OnView();
    void OnLibraryMenu();
    void OnItemChangedThumbnails(int item);
    void OnDblClkThumbnails(int item);
    void OnBeginDragThumbnails(int item);
    // An arrow key in the folder list; true when it was handled here.
    bool OnFolderListArrow(int step);

    // Lists the folder in the folder list; false when it cannot be read.
    bool ShowInFolderList(const QString& folder);
    // The folder list's selected entry, or -1.
    int SelectedFolderEntry() const;
    void EnableInsert();

    QPointer<QMenu> m_pLibraryMenu;
    VornaImageButton* m_btnBack = nullptr;
    VornaImageButton* m_btnView = nullptr;
    VornaImageButton* m_btnLibrary = nullptr;
    VornaImageButton* m_btnUp = nullptr;
    VornaDirListCtrl* m_pDirList = nullptr;
    CFolderComboBox* m_pCombo = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnInsert = nullptr;
    CVornaImageListCtrl* m_pList = nullptr;
    QLineEdit* m_pFileName = nullptr;
    CVornaToolTipCtrl* m_pToolTip = nullptr;
    ImagePlacer* m_pPlacer = nullptr;
    bool m_bShownOnce = false;
    bool m_bDestroyed = false;
    // The dialog itself selects in the folder list: no handler runs for it.
    bool m_bSelecting = false;
    // The roll-up button of the dialog's caption.
    std::unique_ptr<VornaShrinkDialogSub> m_pShrinkSub;
};
