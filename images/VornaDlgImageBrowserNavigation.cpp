#include "images/VornaDlgImageBrowser.h"

#include "controls/CFolderComboBox.h"
#include "controls/VornaImageButton.h"
#include "images/CVornaImageListCtrl.h"
#include "util/ShellFolders.h"
#include "util/StringResources.h"

#include <QFileIconProvider>

namespace imagebrowsernavigation_detail {

QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// A folder as the browser keeps it: normalised, ending with "/".
QString browserFolder(const QString& path)
{
    return withSlash(ImageBrowserModel::Normalized(path));
}

// The folder above one; the desktop above a display root's own folder.
QString parentFolder(const QString& folder)
{
    QString path = folder;
    path.chop(1);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash + 1);
}

} // namespace imagebrowsernavigation_detail

void VornaDlgImageBrowser::ShowFolder(const QString& path)
{
    m_arrMarks.clear();
    m_pList->scrollToTop();
    m_pList->DeleteAllItems();
    m_arrDriveRoots.clear();
    if (IsDesktop(path)) {
        // The desktop: the computer and the documents folder, then its own
        // folders and images.
        m_pList->CreateThumbnailImageList();
        AddShellItem(0, LoadResString(421), CVornaImageListCtrl::ComputerPicture, ComputerItem);
        AddShellItem(1, LoadResString(41775), CVornaImageListCtrl::DocumentsPicture, DocumentsItem);
        m_arrMarks = {ComputerItem, DocumentsItem};
        FillList(true);
        return;
    }
    if (IsComputer(path)) {
        // The drives; a network volume is not looked at for its icon, so a
        // server that does not answer never holds the list up.
        m_pList->CreateThumbnailImageList();
        m_pList->m_strFolder.clear();
        const QFileIconProvider icons;
        for (const Drive& drive : Drives()) {
            const int picture = drive.image == 7 ? m_pList->AddIcon(icons.icon(QFileIconProvider::Network))
                                                 : m_pList->AddFileIcon(drive.root);
            AddShellItem(m_pList->GetItemCount(), drive.label, picture, DriveItem);
            m_arrDriveRoots.push_back(drive.root);
            m_arrMarks.push_back(DriveItem);
        }
        m_pList->StartLoading(m_arrMarks);
        return;
    }
    ReloadFolder();
}

void VornaDlgImageBrowser::ReloadFolder()
{
    m_pList->StopLoading();
    FillList(false);
}

void VornaDlgImageBrowser::FillList(bool keep)
{
    if (!keep) {
        m_pList->scrollToTop();
        m_pList->DeleteAllItems();
        m_pList->CreateThumbnailImageList();
        m_arrMarks.clear();
    }
    AddFolderItems();
    m_pList->StartLoading(m_arrMarks);
}

void VornaDlgImageBrowser::AddFolderItems()
{
    using namespace imagebrowsernavigation_detail;
    QString dir = m_strCurrentFolder;
    ResolveShellDisplayPath(dir);
    m_pList->m_strFolder = withSlash(dir);
    const FolderEntries entries = ListFolder(m_strCurrentFolder);
    const int first = m_pList->GetItemCount();
    for (int i = 0; i < entries.folders.size(); ++i)
        m_arrMarks.push_back(unsigned(first + i + 100));
    if (first == 0) {
        // All at once: a folder of thousands of images is listed fast.
        m_pList->SetItems(entries.folders + entries.images, CVornaImageListCtrl::PlaceholderPicture, ImageWaiting);
        for (int i = 0; i < entries.folders.size(); ++i) {
            m_pList->SetItemImage(i, CVornaImageListCtrl::FolderPicture);
            m_pList->SetItemData(i, FolderItem);
        }
        return;
    }
    for (const QString& name : entries.folders)
        m_pList->InsertItem(m_pList->GetItemCount(), name, CVornaImageListCtrl::FolderPicture, FolderItem);
    for (const QString& name : entries.images)
        m_pList->InsertItem(m_pList->GetItemCount(), name, CVornaImageListCtrl::PlaceholderPicture, ImageWaiting);
}

void VornaDlgImageBrowser::AddShellItem(int index, const QString& name, int image, qint64 kind)
{
    m_pList->InsertItem(index, name, image, kind);
}

void VornaDlgImageBrowser::Navigate(const QString& folder)
{
    using namespace imagebrowsernavigation_detail;
    m_strCurrentFolder = browserFolder(GetNearestExistingFolder(browserFolder(folder)));
    m_nComboSelection = m_pCombo->SelectFolder(m_strCurrentFolder);
    ShowFolder(m_strCurrentFolder);
    PushHistory();
}

void VornaDlgImageBrowser::PushHistory()
{
    ImageBrowserModel::PushHistory(m_strCurrentFolder);
    UpdateBackButton();
    UpdateUpButton();
}

void VornaDlgImageBrowser::UpdateBackButton()
{
    m_btnBack->setEnabled(CanGoBack());
}

void VornaDlgImageBrowser::UpdateUpButton()
{
    const int entry = m_pCombo->currentIndex();
    if (entry >= 0)
        m_btnUp->setEnabled(entry != 0);
}

void VornaDlgImageBrowser::OnListDblClk(int item)
{
    if (item < 0 || item >= m_pList->GetItemCount())
        return;
    m_strSelectedName = m_pList->GetItemText(item);
    switch (m_pList->GetItemData(item)) {
    case FolderItem:
        m_bDefaultFolder = false;
        Navigate(imagebrowsernavigation_detail::withSlash(m_strCurrentFolder) + m_strSelectedName);
        break;
    case DriveItem:
        m_bDefaultFolder = false;
        if (size_t(item) < m_arrDriveRoots.size())
            Navigate(m_arrDriveRoots[size_t(item)]);
        break;
    case ComputerItem:
        m_bDefaultFolder = false;
        Navigate(ComputerDisplayPrefix());
        break;
    case DocumentsItem:
        m_bDefaultFolder = false;
        Navigate(DocumentsDisplayPrefix());
        break;
    case ImageReady:
        StartPlacing(m_strSelectedName, true);
        break;
    default:
        // An image whose thumbnail is not ready yet.
        break;
    }
}

void VornaDlgImageBrowser::OnFolderComboSelChange()
{
    const int chosen = m_pCombo->currentIndex();
    if (chosen < 0 || (chosen == m_nComboSelection && m_bInitialised && !m_bGoingBack))
        return;
    const QString folder = m_pCombo->model().PathForSelection(chosen);
    m_bDefaultFolder = false;
    Navigate(folder);
}

void VornaDlgImageBrowser::OnFolderComboDropDown()
{
    // A folder that has gone: the nearest one there is.
    const QString near = imagebrowsernavigation_detail::browserFolder(GetNearestExistingFolder(m_strCurrentFolder));
    if (near != m_strCurrentFolder) {
        m_strCurrentFolder = near;
        m_nComboSelection = m_pCombo->SelectFolder(m_strCurrentFolder);
        ShowFolder(m_strCurrentFolder);
        return;
    }
    // The drives may have changed: the entries are made again.
    const QString shown = m_pCombo->GetCurrentPath();
    m_pCombo->ClearItems(false);
    m_pCombo->SetCurrentPath(shown);
    m_pCombo->FillFolders();
    m_nComboSelection = m_pCombo->currentIndex();
}

void VornaDlgImageBrowser::OnUpOneLevel()
{
    using namespace imagebrowsernavigation_detail;
    const int entry = m_pCombo->currentIndex();
    if (entry <= 0)
        return;
    const CFolderComboItem& item = m_pCombo->model().GetItem(entry);
    if (item.m_nImage >= 4 && item.m_nImage <= 7) {
        // From a drive: the drive list; the current folder stays the drive.
        m_nComboSelection = m_pCombo->SelectFolder(ComputerDisplayPrefix());
        ShowFolder(ComputerDisplayPrefix());
        ImageBrowserModel::PushHistory(ComputerDisplayPrefix());
        UpdateBackButton();
        UpdateUpButton();
        return;
    }
    if (item.m_strText == FolderComboModel::ComputerText() || item.m_strText == FolderComboModel::DocumentsText() ||
        IsComputer(m_strCurrentFolder) || IsDocuments(m_strCurrentFolder)) {
        // The computer and the documents folder lie on the desktop.
        m_bDefaultFolder = false;
        Navigate(DesktopDisplayPrefix());
        return;
    }
    Navigate(parentFolder(m_strCurrentFolder));
}

void VornaDlgImageBrowser::OnBack()
{
    const QString entry = StepBack();
    if (entry.isEmpty())
        return;
    m_bGoingBack = true;
    m_bDefaultFolder = false;
    m_strCurrentFolder = imagebrowsernavigation_detail::browserFolder(GetNearestExistingFolder(entry));
    m_nComboSelection = m_pCombo->SelectFolder(m_strCurrentFolder);
    ShowFolder(m_strCurrentFolder);
    m_bGoingBack = false;
    UpdateBackButton();
    UpdateUpButton();
}

void VornaDlgImageBrowser::RefreshFolder(bool onlyWhenGone)
{
    if (!isVisible() || !m_bInitialised)
        return;
    const QString near = imagebrowsernavigation_detail::browserFolder(GetNearestExistingFolder(m_strCurrentFolder));
    if (onlyWhenGone && near == m_strCurrentFolder)
        return;
    m_strCurrentFolder = near;
    m_nComboSelection = m_pCombo->SelectFolder(m_strCurrentFolder);
    ShowFolder(m_strCurrentFolder);
}

void VornaDlgImageBrowser::OpenFolder(const QString& folder)
{
    m_bDefaultFolder = false;
    Navigate(folder);
}
