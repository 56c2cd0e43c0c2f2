#include "images/OpenImageDialogModel.h"

#include "images/ImageLibraryFolders.h"
#include "images/SelectedImagePath.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/ShellFolders.h"
#include "util/StringResources.h"

namespace openimage_detail {

constexpr char kSettingsKey[] = "Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent Opened Dir";

QString settingsKey()
{
    return QString::fromUtf8(kSettingsKey);
}

// The bare name of a display prefix ("マイ コンピュータ").
QString bareName(const QString& prefix)
{
    return prefix.left(prefix.size() - 1);
}

} // namespace openimage_detail

OpenImageDialogModel::OpenImageDialogModel()
{
    m_strDefaultFolder = InstallSubFolder(IDS_IMAGE_LIBRARY_CLIP_ART);
    m_strRememberedFolder = m_strDefaultFolder;
    m_strFolderValue = QStringLiteral("Recent Opened Image");
    m_strViewValue = QStringLiteral("Image Thumbnail");
}

QString OpenImageDialogModel::PlainForm(const QString& path)
{
    const QString computer = ComputerDisplayPrefix();
    if (path.size() <= computer.size() || !path.startsWith(computer))
        return path;
    QString plain = path;
    ResolveShellDisplayPath(plain);
    return plain;
}

OpenImageDialogModel::ListedFolder OpenImageDialogModel::SplitForFolderList(const QString& given)
{
    using openimage_detail::bareName;
    const QString computer = ComputerDisplayPrefix();
    const QString documents = DocumentsDisplayPrefix();
    const QString desktop = DesktopDisplayPrefix();
    // The computer itself, and the computer as an entry of the desktop.
    if (given == computer)
        return {computer, QString()};
    if (given == bareName(computer))
        return {desktop, bareName(computer)};
    // A folder below the computer is listed by its path on disk.
    const QString path = PlainForm(given);
    if (path == bareName(documents))
        return {desktop, bareName(documents)};
    if (path == bareName(desktop))
        return {desktop, QString()};
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {computer, path};
    if (slash == path.size() - 1)
        return {path, QString()};
    // The root's entries are listed by "/".
    return {slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

void OpenImageDialogModel::ApplyMode()
{
    if (m_bBackgroundMode) {
        m_strDefaultFolder = InstallSubFolder(IDS_IMAGE_WALLPAPER_FOLDER);
        m_strRememberedFolder = m_strDefaultFolder;
        m_strFolderValue = QStringLiteral("Recent Opened BkImage");
        m_strViewValue = QStringLiteral("BkImage Thumbnail");
    } else if (m_bBannerMode) {
        m_strDefaultFolder = InstallSubFolder(IDS_IMAGE_BANNER_FOLDER);
        m_strRememberedFolder = m_strDefaultFolder;
    }
}

void OpenImageDialogModel::ReadFolderValue(const QString& stored, const QString& defaultFolder, bool& libraryState,
                                           QString& remembered, QString& current)
{
    if (stored.isEmpty()) {
        libraryState = true;
        current = defaultFolder;
        return;
    }
    // The flag is a digit; anything else counts as "0" and stays part of the
    // folder.
    const QChar flag = stored.front();
    const bool flagged = flag == QLatin1Char('0') || flag == QLatin1Char('1');
    remembered = flagged ? stored.mid(1) : stored;
    libraryState = flag == QLatin1Char('1');
    if (libraryState)
        current = defaultFolder;
    else
        current = remembered.isEmpty() ? defaultFolder : remembered;
}

bool OpenImageDialogModel::ReadSettings()
{
    // Only read here: the key is made when the dialog first closes.
    CRegistryEx reg(HKEY_CURRENT_USER);
    const bool found = reg.Open(HKEY_CURRENT_USER, openimage_detail::settingsKey());
    if (found) {
        QString stored;
        reg.ReadLongString(m_strFolderValue, stored);
        ReadFolderValue(stored, m_strDefaultFolder, m_bLibraryState, m_strRememberedFolder, m_strCurrentFolder);
        quint32 view = 1;
        if (reg.ReadDWord(m_strViewValue, view))
            m_nViewMode = view == 1 ? 1 : 0;
    }
    if (!m_strCurrentFolder.isEmpty())
        m_strCurrentFolder = GetNearestExistingFolder(m_strCurrentFolder);
    return found;
}

void OpenImageDialogModel::WriteSettings(bool entrySelected)
{
    // The folder in the form the folder list shows it.
    if (m_strCurrentFolder.isEmpty())
        return;
    if (!entrySelected && !m_strCurrentFolder.endsWith(QLatin1Char('/')))
        m_strCurrentFolder += QLatin1Char('/');
    else if (entrySelected && m_strCurrentFolder.size() > 1 && m_strCurrentFolder.endsWith(QLatin1Char('/')))
        m_strCurrentFolder.chop(1);
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, openimage_detail::settingsKey()))
        return;
    if (m_bLibraryState) {
        reg.WriteString(m_strFolderValue, QLatin1Char('1') + m_strRememberedFolder);
    } else {
        reg.WriteString(m_strFolderValue, QLatin1Char('0') + m_strCurrentFolder);
        m_strRememberedFolder = m_strCurrentFolder;
    }
    reg.WriteDWord(m_strViewValue, quint32(m_nViewMode));
}

bool OpenImageDialogModel::PushHistory()
{
    const bool valid = m_nHistoryPos >= 0 && m_nHistoryPos < m_arrHistory.size();
    if (valid && m_arrHistory[m_nHistoryPos] == m_strCurrentFolder)
        return CanGoBack();
    // What lay ahead of the position goes.
    if (valid)
        m_arrHistory.erase(m_arrHistory.begin() + m_nHistoryPos + 1, m_arrHistory.end());
    m_arrHistory.append(m_strCurrentFolder);
    m_nHistoryPos = int(m_arrHistory.size()) - 1;
    return CanGoBack();
}

bool OpenImageDialogModel::StepBack()
{
    if (m_nHistoryPos <= 0 || m_nHistoryPos >= m_arrHistory.size())
        return false;
    --m_nHistoryPos;
    m_strPreviousFolder = m_strCurrentFolder;
    m_strCurrentFolder = m_arrHistory[m_nHistoryPos];
    return true;
}

bool OpenImageDialogModel::BuildSelectedImagePath()
{
    const SelectedImagePath built = ::BuildSelectedImagePath(m_strCurrentFolder, m_strSelectedName);
    m_strResultPath = built.path;
    if (built.copyFailed) {
        ShowMessageBox(built.path + LoadResString(IDS_IMAGE_COPY_FAILED));
        return false;
    }
    return true;
}
