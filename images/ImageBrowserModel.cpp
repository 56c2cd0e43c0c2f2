#include "images/ImageBrowserModel.h"

#include "controls/RecentFolders.h"
#include "images/ImageFolderListing.h"
#include "images/ImageLibraryFolders.h"
#include "images/OpenImageDialogModel.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/ShellFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace imagebrowsermodel_detail {

bool isRoot(const QString& folder, const QString& prefix)
{
    return folder == prefix || folder == prefix.chopped(1);
}

} // namespace imagebrowsermodel_detail

ImageBrowserModel::ImageBrowserModel()
    : m_strRecentValue(QStringLiteral("Recent Opened Image")),
      m_strCurrentFolder(InstallSubFolder(IDS_IMAGE_LIBRARY_CLIP_ART)), m_strDefaultFolder(m_strCurrentFolder),
      m_strRememberedFolder(m_strDefaultFolder)
{
}

bool ImageBrowserModel::IsDesktop(const QString& folder)
{
    return imagebrowsermodel_detail::isRoot(folder, DesktopDisplayPrefix());
}

bool ImageBrowserModel::IsComputer(const QString& folder)
{
    return imagebrowsermodel_detail::isRoot(folder, ComputerDisplayPrefix());
}

bool ImageBrowserModel::IsDocuments(const QString& folder)
{
    return imagebrowsermodel_detail::isRoot(folder, DocumentsDisplayPrefix());
}

QString ImageBrowserModel::Normalized(const QString& folder)
{
    if (IsDesktop(folder))
        return DesktopDisplayPrefix();
    if (IsComputer(folder))
        return ComputerDisplayPrefix();
    if (IsDocuments(folder))
        return DocumentsDisplayPrefix();
    QString plain = OpenImageDialogModel::PlainForm(folder);
    plain.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return plain;
}

void ImageBrowserModel::ReadSettings()
{
    // Only read here: the key is made when the browser ends.
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Open(HKEY_CURRENT_USER, RecentFoldersKey())) {
        QString stored;
        reg.ReadLongString(m_strRecentValue, stored);
        OpenImageDialogModel::ReadFolderValue(stored, m_strDefaultFolder, m_bDefaultFolder, m_strRememberedFolder,
                                              m_strCurrentFolder);
    }
    if (!m_strCurrentFolder.isEmpty())
        m_strCurrentFolder = Normalized(GetNearestExistingFolder(Normalized(m_strCurrentFolder)));
}

void ImageBrowserModel::WriteSettings()
{
    QString folder = m_strCurrentFolder;
    // One trailing "/" goes; the file system's root keeps its own.
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (folder.isEmpty())
        return;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, RecentFoldersKey()))
        return;
    if (m_bDefaultFolder) {
        reg.WriteString(m_strRecentValue, QLatin1Char('1') + m_strRememberedFolder);
    } else {
        reg.WriteString(m_strRecentValue, QLatin1Char('0') + folder);
        m_strRememberedFolder = folder;
    }
}

bool ImageBrowserModel::PushHistory(const QString& shown)
{
    const bool valid = m_nHistoryPos >= 0 && m_nHistoryPos < m_arrHistory.size();
    if (valid && m_arrHistory[m_nHistoryPos] == shown)
        return CanGoBack();
    if (valid)
        m_arrHistory.erase(m_arrHistory.begin() + m_nHistoryPos + 1, m_arrHistory.end());
    m_arrHistory.append(shown);
    m_nHistoryPos = int(m_arrHistory.size()) - 1;
    return CanGoBack();
}

QString ImageBrowserModel::StepBack()
{
    if (m_nHistoryPos <= 0 || m_nHistoryPos >= m_arrHistory.size())
        return QString();
    --m_nHistoryPos;
    return m_arrHistory[m_nHistoryPos];
}

ImageBrowserModel::FolderEntries ImageBrowserModel::ListFolder(const QString& folder)
{
    FolderEntries entries;
    QString onDisk = folder;
    ResolveShellDisplayPath(onDisk);
    if (onDisk.isEmpty())
        return entries;
    // One walk of the folder: hidden entries are not returned.
    QDirIterator it(onDisk, QDir::AllEntries | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString name = info.fileName();
        if (info.isDir())
            entries.folders.append(name);
        else if (IsListedImageName(name))
            entries.images.append(name);
    }
    SortByCollation(entries.folders);
    SortByCollation(entries.images);
    return entries;
}

std::vector<ImageBrowserModel::Drive> ImageBrowserModel::Drives(const FolderComboVolumeLister& volumes)
{
    std::vector<Drive> drives;
    drives.push_back({QStringLiteral("/"), QStringLiteral("/"), 4});
    for (const FolderComboVolume& volume : volumes ? volumes() : MountedFolderComboVolumes())
        drives.push_back({volume.root, QStringLiteral("%1 (%2)").arg(volume.name, volume.root), volume.image});
    return drives;
}
