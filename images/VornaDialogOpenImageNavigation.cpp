#include "images/VornaDialogOpenImage.h"

#include "app/CMainFrame.h"
#include "app/MenuResource.h"
#include "chrome/VornaPopupMenuHook.h"
#include "controls/CFolderComboBox.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/VornaImageButton.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImageFolderListing.h"
#include "images/ImageLibraryFolders.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/ShellFolders.h"
#include "util/StringResources.h"
#include "web/VornaDirListCtrl.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScopedValueRollback>

namespace openimagenavigation_detail {

// The image library's commands: the main frame's (33485 ...) for the
// dialog beside the page, the dialog's own (33489 ...) when run modally.
constexpr int kFirstLibraryCommand = 33485;
constexpr int kFirstModalLibraryCommand = 33489;
constexpr int kWebImagesCommand = 185;
constexpr int kModalWebImagesCommand = 186;

bool isRootDisplayPath(const QString& path)
{
    for (const QString& prefix : {DesktopDisplayPrefix(), ComputerDisplayPrefix(), DocumentsDisplayPrefix()}) {
        if (path == prefix || path == prefix.chopped(1))
            return true;
    }
    return false;
}

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace openimagenavigation_detail

bool VornaDialogOpenImage::ShowInFolderList(const QString& folder)
{
    // An empty folder lists nothing and is still a place to show.
    if (m_pDirList->ShowFolder(folder))
        return true;
    QString onDisk = folder;
    ResolveShellDisplayPath(onDisk);
    const QFileInfo info(onDisk);
    return info.isDir() && info.isReadable();
}

int VornaDialogOpenImage::SelectedFolderEntry() const
{
    const QList<QListWidgetItem*> selected = m_pDirList->selectedItems();
    return selected.isEmpty() ? -1 : m_pDirList->row(selected.front());
}

void VornaDialogOpenImage::UpdateViewButton()
{
    const bool list = m_nViewMode == 0;
    m_btnView->SetBitmap(QStringLiteral(":/res/bitmaps/%1.png").arg(list ? IDB_VIEW_AS_LIST : IDB_VIEW_AS_THUMBNAILS));
    // The tip names the view the button switches to.
    if (m_pToolTip)
        m_pToolTip->UpdateTipText(LoadResString(list ? IDS_VIEW_AS_THUMBNAILS : IDS_VIEW_AS_LIST), m_btnView);
}

void VornaDialogOpenImage::UpdateNavigationButtons()
{
    m_btnBack->setEnabled(CanGoBack());
    // Up is off on the desktop; without a selection it stays as it is.
    const int entry = m_pCombo->currentIndex();
    if (entry == 0)
        m_btnUp->setEnabled(false);
    else if (entry > 0)
        m_btnUp->setEnabled(true);
}

void VornaDialogOpenImage::ChangeFolder(const QString& folder)
{
    m_strCurrentFolder = PlainForm(folder);
    const ListedFolder listed = SplitForFolderList(m_strCurrentFolder);
    // The combo shows the listed folder.
    m_pCombo->ClearItems(false);
    m_pCombo->SetCurrentPath(openimagenavigation_detail::withSlash(listed.folder));
    m_pCombo->FillFolders();
    m_nComboSelection = m_pCombo->currentIndex();
    m_nDirListCursor = -1;
    // Only a folder that could be listed changes the rest.
    QScopedValueRollback quiet(m_bSelecting, true);
    if (!ShowInFolderList(listed.folder))
        return;
    if (!listed.entry.isEmpty())
        m_pDirList->SelectItem(listed.entry, listed.folder);
    FillThumbnails();
    UpdateNavigationButtons();
}

void VornaDialogOpenImage::RefreshFolder(bool onlyWhenGone)
{
    if (!isVisible() || !m_bInitialised)
        return;
    const QString nearest = GetNearestExistingFolder(m_strCurrentFolder);
    if (onlyWhenGone && nearest == m_strCurrentFolder)
        return;
    ChangeFolder(nearest);
}

void VornaDialogOpenImage::FillThumbnails()
{
    // 2.-4. The list emptied, in the view of the mode, with its fixed pictures.
    m_pList->StopLoading();
    m_nShownViewMode = m_nViewMode;
    m_pList->SetListStyle(m_nViewMode == 0);
    m_pList->scrollToTop();
    m_pList->DeleteAllItems();
    m_pList->CreateThumbnailImageList();
    EnableInsert();
    // 5. The desktop, the computer and the documents folder show no pictures.
    if (openimagenavigation_detail::isRootDisplayPath(m_strCurrentFolder))
        return;
    QString folder = m_strCurrentFolder;
    ResolveShellDisplayPath(folder);
    if (folder.isEmpty())
        return;
    // 6.-8. The pictures, in the order of the user's language.
    m_pList->m_strFolder = openimagenavigation_detail::withSlash(folder);
    const bool thumbnails = m_nViewMode == 1;
    m_pList->SetItems(ListImageFiles(folder), thumbnails ? CVornaImageListCtrl::PlaceholderPicture : -1);
    // 9. From the top; pictures only in the thumbnail view.
    m_pList->EnsureVisible(0);
    if (thumbnails)
        m_pList->StartLoading();
}

void VornaDialogOpenImage::OnSelChangeFolderCombo(int index)
{
    Q_UNUSED(index);
    m_strPreviousFolder = m_strCurrentFolder;
    m_pCombo->ApplySelection(&m_nComboSelection);
    m_nComboSelection = m_pCombo->currentIndex();
    m_bLibraryState = false;
    m_strCurrentFolder = PlainForm(m_pCombo->GetCurrentPath());
    const QString nearest = GetNearestExistingFolder(m_strCurrentFolder);
    if (nearest != m_strCurrentFolder) {
        m_pCombo->SetCurrentPath(nearest);
        m_pCombo->SelectFolder(nearest);
        m_strCurrentFolder = nearest;
    }
    {
        QScopedValueRollback quiet(m_bSelecting, true);
        m_pDirList->ShowFolder(m_strCurrentFolder);
    }
    FillThumbnails();
    m_nDirListCursor = -1;
    PushHistory();
    UpdateNavigationButtons();
}

void VornaDialogOpenImage::OnDropDownFolderCombo()
{
    // A folder that has gone: the nearest one there is.
    const QString nearest = GetNearestExistingFolder(m_strCurrentFolder);
    if (nearest != m_strCurrentFolder) {
        ChangeFolder(nearest);
        return;
    }
    // The volumes may have changed: the entries are made again.
    const QString shown = m_pCombo->GetCurrentPath();
    m_pCombo->ClearItems(false);
    m_pCombo->SetCurrentPath(shown);
    m_pCombo->FillFolders();
}

void VornaDialogOpenImage::OnItemChangedFolderList(int row)
{
    if (!m_bInitialised || m_bSelecting || row < 0 || row == m_nDirListCursor)
        return;
    QString path = m_strCurrentFolder;
    m_nDirListCursor = m_pDirList->UpdateSelectedPath(m_nDirListCursor, row, m_pCombo->GetCurrentPath(), path);
    m_strCurrentFolder = PlainForm(path);
    const QString nearest = GetNearestExistingFolder(m_strCurrentFolder);
    if (nearest != m_strCurrentFolder) {
        ChangeFolder(nearest);
        return;
    }
    if (m_strCurrentFolder == m_strPreviousFolder)
        return;
    m_strPreviousFolder = m_strCurrentFolder;
    m_bLibraryState = false;
    FillThumbnails();
    m_strFileName.clear();
    m_pFileName->clear();
    PushHistory();
    UpdateNavigationButtons();
}

void VornaDialogOpenImage::OnDblClkFolderList()
{
    const int row = SelectedFolderEntry() >= 0 ? SelectedFolderEntry() : m_pDirList->currentRow();
    if (m_pDirList->count() == 0 || row < 0 || m_pDirList->item(row)->text().isEmpty())
        return;
    const QString text = m_pDirList->item(row)->text();
    m_nDirListCursor = -1;
    m_bLibraryState = false;
    // A folder that cannot be entered (none below it) stays the chosen one:
    // its pictures are those shown, and an inserted picture is taken from it.
    const QString chosen = m_strCurrentFolder;
    const QString previous = m_strPreviousFolder;
    m_strPreviousFolder = m_strCurrentFolder;
    m_strCurrentFolder = PlainForm(GetNearestExistingFolder(m_pCombo->GetCurrentPath()));
    QString place = m_pCombo->GetCurrentPath();
    QScopedValueRollback quiet(m_bSelecting, true);
    if (!m_pDirList->OpenItem(place, text)) {
        m_strCurrentFolder = chosen;
        m_strPreviousFolder = previous;
        return;
    }
    // Entered: the folder is shown whole, its first entry under the focus but
    // not selected (the pictures are the entered folder's own).
    m_strCurrentFolder = openimagenavigation_detail::withSlash(PlainForm(place));
    m_pCombo->SelectFolder(m_strCurrentFolder);
    m_nComboSelection = m_pCombo->currentIndex();
    if (m_pDirList->count() > 0) {
        m_pDirList->clearSelection();
        m_pDirList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        m_pDirList->setFocus();
    }
    FillThumbnails();
    PushHistory();
    UpdateNavigationButtons();
}

bool VornaDialogOpenImage::OnFolderListArrow(int step)
{
    if (m_nDirListCursor < 0)
        return false;
    const int next = m_nDirListCursor + step;
    if (next < 0 || next >= m_pDirList->count() || m_pDirList->item(next)->text().isEmpty())
        return false;
    // On the computer's volumes the list moves by itself and its selection
    // names the volume.
    const QString listed = m_pCombo->GetCurrentPath();
    if (listed == ComputerDisplayPrefix())
        return false;
    m_strPreviousFolder = m_strCurrentFolder;
    m_strCurrentFolder = PlainForm(listed);
    const QString name = m_pDirList->item(next)->text();
    QString onDisk = openimagenavigation_detail::withSlash(m_strCurrentFolder);
    ResolveShellDisplayPath(onDisk);
    if (QFileInfo::exists(onDisk + name))
        m_strCurrentFolder = openimagenavigation_detail::withSlash(m_strCurrentFolder) + name;
    {
        QScopedValueRollback quiet(m_bSelecting, true);
        m_pDirList->setCurrentRow(next);
        m_pDirList->scrollToItem(m_pDirList->item(next));
    }
    m_nDirListCursor = next;
    FillThumbnails();
    return true;
}

void VornaDialogOpenImage::OnUp()
{
    const int entry = m_pCombo->currentIndex();
    if (entry <= 0)
        return;
    QString label = m_pCombo->itemText(entry);
    m_nDirListCursor = -1;
    QScopedValueRollback quiet(m_bSelecting, true);
    if (GetDriveTypeOfLabel(label)) {
        // A volume: the computer's volumes, no pictures; the folder stays.
        m_pCombo->SelectFolder(ComputerDisplayPrefix());
        m_pDirList->ShowFolder(ComputerDisplayPrefix());
        m_pList->StopLoading();
        m_pList->scrollToTop();
        m_pList->DeleteAllItems();
    } else if (label.startsWith(LoadResString(IDS_FOLDER_COMBO_COMPUTER)) ||
               label.startsWith(LoadResString(IDS_FOLDER_COMBO_DOCUMENTS))) {
        // The computer and the documents folder lie on the desktop.
        m_pCombo->SelectFolder(DesktopDisplayPrefix());
        m_pDirList->ShowFolder(DesktopDisplayPrefix());
        m_strPreviousFolder = m_strCurrentFolder;
        m_strCurrentFolder = DesktopDisplayPrefix();
        FillThumbnails();
    } else {
        // A folder: the one above the listed folder.
        QString path = m_pCombo->GetCurrentPath();
        path.chop(1);
        path = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
        m_strCurrentFolder = PlainForm(GetNearestExistingFolder(path));
        if (ShowInFolderList(m_strCurrentFolder)) {
            m_pCombo->SelectFolder(openimagenavigation_detail::withSlash(m_strCurrentFolder));
            m_nComboSelection = m_pCombo->currentIndex();
            FillThumbnails();
            m_nDirListCursor = -1;
        }
    }
    PushHistory();
    UpdateNavigationButtons();
}

void VornaDialogOpenImage::OnBack()
{
    if (!StepBack())
        return;
    ChangeFolder(m_strCurrentFolder);
    UpdateNavigationButtons();
}

void VornaDialogOpenImage::OnView()
{
    m_nShownViewMode = m_nViewMode;
    m_nViewMode = m_nViewMode == 1 ? 0 : 1;
    UpdateViewButton();
    m_pList->SetThumbnailMode(m_nViewMode);
    FillThumbnails();
}

void VornaDialogOpenImage::OnLibraryMenu()
{
    using namespace openimagenavigation_detail;
    CMainFrame* frame = CMainFrame::instance();
    // 1. The main frame learns who asked for the menu.
    if (frame)
        frame->m_strImagePopupOwner = QStringLiteral("ImageDialog");
    // 2. Under the button.
    const QPoint at = m_btnLibrary->mapToGlobal(QPoint(0, m_btnLibrary->height()));
    delete m_pLibraryMenu.data();
    const QList<MenuNode> menus = MenuResource::load(IDM_IMAGE_LIBRARY);
    const int popup = m_bModeless ? 0 : 1;
    if (menus.size() <= popup)
        return;
    m_pLibraryMenu = new QMenu(this);
    for (const MenuNode& node : menus[popup].children) {
        if (node.kind == MenuNode::Command)
            m_pLibraryMenu->addAction(node.text)->setData(node.id);
    }
    // The web's own images, for a page of the open web.
    if (AppContext::instance().isActivePageInWeb())
        m_pLibraryMenu->addAction(LoadResString(IDS_MY_WEB_IMAGES))
            ->setData(m_bModeless ? kWebImagesCommand : kModalWebImagesCommand);
    int command = 0;
    connect(m_pLibraryMenu, &QMenu::triggered, this, [&command](QAction* action) { command = action->data().toInt(); });
    // Run by a property dialog, the menu takes the dialogs' look.
    VornaPopupMenuHook hook;
    if (!m_bModeless)
        hook.Attach(this);
    m_pLibraryMenu->exec(at);
    hook.Attach(nullptr);
    delete m_pLibraryMenu.data();
    if (command == 0)
        return;
    // 3. Beside the page the main frame's commands run; 4. modal, the dialog's own.
    if (m_bModeless) {
        if (auto* registry = platform::CommandRegistry::instance())
            registry->sendCommand(command);
        return;
    }
    switch (command) {
    case kFirstModalLibraryCommand:
        OnImageClipArt();
        break;
    case kFirstModalLibraryCommand + 1:
        OnImageFrame();
        break;
    case kFirstModalLibraryCommand + 2:
        OnImageBanner();
        break;
    case kFirstModalLibraryCommand + 3:
        OnImageStudy();
        break;
    case kModalWebImagesCommand:
        OnWebImageFolder();
        break;
    default:
        break;
    }
}

void VornaDialogOpenImage::GoToLibraryFolder(const QString& folder)
{
    m_strPreviousFolder = m_strCurrentFolder;
    ChangeFolder(GetNearestExistingFolder(folder));
    PushHistory();
    UpdateNavigationButtons();
}

void VornaDialogOpenImage::OnImageClipArt()
{
    GoToLibraryFolder(InstallSubFolder(IDS_IMAGE_LIBRARY_CLIP_ART));
}

void VornaDialogOpenImage::OnImageFrame()
{
    // Without its last "/": the folder list shows "Bin" with "Frame" selected.
    GoToLibraryFolder(InstallSubFolder(IDS_IMAGE_LIBRARY_FRAME).chopped(1));
}

void VornaDialogOpenImage::OnImageBanner()
{
    GoToLibraryFolder(InstallSubFolder(IDS_IMAGE_LIBRARY_BANNER));
}

void VornaDialogOpenImage::OnImageStudy()
{
    GoToLibraryFolder(InstallSubFolder(IDS_IMAGE_LIBRARY_STUDY).chopped(1));
}

void VornaDialogOpenImage::OnWebImageFolder()
{
    const AppContext& context = AppContext::instance();
    if (!context.isActivePageInWeb() || context.webFolder().isEmpty())
        return;
    GoToLibraryFolder(QStringLiteral("%1/%2").arg(context.webFolder(), QStringLiteral("image")));
}

void VornaDialogOpenImage::OnItemChangedThumbnails(int item)
{
    m_strSelectedName = item >= 0 ? m_pList->GetItemText(item) : QString();
    if (!m_strSelectedName.isEmpty()) {
        m_strFileName = m_strSelectedName;
        if (m_nViewMode == 0)
            m_pFileName->setText(m_strFileName);
    }
    EnableInsert();
}

bool VornaDialogOpenImage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pDirList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            return OnFolderListArrow(key == Qt::Key_Up ? -1 : 1);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnDblClkFolderList();
            return true;
        }
    }
    if (watched == m_pCombo) {
        if (event->type() == QEvent::MouseButtonPress) {
            OnDropDownFolderCombo();
        } else if (event->type() == QEvent::KeyPress) {
            // An arrow key on the closed combo opens its list.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                OnDropDownFolderCombo();
                m_pCombo->showPopup();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
