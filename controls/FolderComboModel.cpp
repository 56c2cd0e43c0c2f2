#include "controls/FolderComboModel.h"

#include "res/resource.h"
#include "util/ShellFolders.h"
#include "util/StringResources.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// A path in the one form paths are compared in: on disk, without a trailing "/".
QString canonical(const QString& path)
{
    QString resolved = path;
    if (!resolved.endsWith(QLatin1Char('/')))
        resolved += QLatin1Char('/');
    ResolveShellDisplayPath(resolved);
    return withoutTrailingSlash(resolved);
}

// The text stands at the start (or after one leading character) as a whole name.
bool startsWithName(const QString& path, const QString& name)
{
    for (const qsizetype at : {qsizetype(0), qsizetype(1)}) {
        if (path.mid(at).startsWith(name)) {
            const qsizetype end = at + name.size();
            if (end == path.size() || path.at(end) == QLatin1Char('/'))
                return true;
        }
    }
    return false;
}

bool isVolume(const CFolderComboItem& item)
{
    return item.m_nImage >= 4 && item.m_nImage <= 7 && item.m_strPath.startsWith(QLatin1Char('/'));
}

// Whether `path` is `folder` or lies below it.
bool liesIn(const QString& path, const QString& folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

bool isPseudoFileSystem(const QByteArray& type)
{
    static const QSet<QByteArray> pseudo = {
        "tmpfs",    "devtmpfs", "proc",       "sysfs",       "cgroup",         "cgroup2",     "overlay",
        "squashfs", "autofs",   "securityfs", "debugfs",     "tracefs",        "fusectl",     "mqueue",
        "pstore",   "bpf",      "configfs",   "hugetlbfs",   "devpts",         "binfmt_misc", "nsfs",
        "ramfs",    "efivarfs", "rpc_pipefs", "fuse.portal", "fuse.gvfsd-fuse"};
    return pseudo.contains(type);
}

} // namespace

int FolderComboVolumeImage(const QByteArray& type, const QString& root)
{
    static const QSet<QByteArray> network = {"nfs",   "nfs4", "cifs", "smb3",  "smbfs",      "fuse.sshfs",
                                             "sshfs", "9p",   "afs",  "davfs", "fuse.rclone"};
    if (network.contains(type))
        return 7;
    if (type == "iso9660" || type == "udf")
        return 6;
    if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")))
        return 5;
    return 4;
}

std::vector<FolderComboMount> ParseMountTable(const QByteArray& text)
{
    // Octal escapes of the kernel's table ("\040" for a blank).
    const auto unescape = [](const QByteArray& field) {
        QByteArray out;
        for (qsizetype i = 0; i < field.size(); ++i) {
            if (field[i] == '\\' && i + 3 < field.size() && field.mid(i + 1, 3).toInt(nullptr, 8) > 0) {
                out += char(field.mid(i + 1, 3).toInt(nullptr, 8));
                i += 3;
            } else {
                out += field[i];
            }
        }
        return QString::fromUtf8(out);
    };
    std::vector<FolderComboMount> mounts;
    for (const QByteArray& line : text.split('\n')) {
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const QList<QByteArray> fields = line.simplified().split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 5 || dash + 2 >= fields.size())
            continue;
        FolderComboMount mount;
        mount.root = unescape(fields[4]);
        mount.type = fields[dash + 1];
        mount.source = unescape(fields[dash + 2]);
        mounts.push_back(mount);
    }
    return mounts;
}

std::vector<FolderComboVolume> FolderComboVolumesOf(const std::vector<FolderComboMount>& mounts,
                                                    const std::function<bool(const QString&)>& isFolder,
                                                    const std::function<QString(const QString&)>& labelOf)
{
    std::vector<FolderComboVolume> volumes;
    QSet<QString> seen;
    for (const FolderComboMount& mount : mounts) {
        const QString root = withoutTrailingSlash(mount.root);
        if (root == QLatin1String("/") || !root.startsWith(QLatin1Char('/')) || seen.contains(root) ||
            isPseudoFileSystem(mount.type))
            continue;
        bool system = false;
        for (const char* place : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib"}) {
            if (liesIn(root, QLatin1String(place)) && !root.startsWith(QLatin1String("/run/media/")))
                system = true;
        }
        if (system)
            continue;
        FolderComboVolume volume;
        volume.root = root;
        volume.image = FolderComboVolumeImage(mount.type, root);
        // A network volume is never looked at: a server that does not answer
        // would hold the list up. It is named from the table.
        if (volume.image == 7) {
            volume.name = mount.source.isEmpty() ? QFileInfo(root).fileName() : mount.source;
        } else {
            if (!isFolder(root))
                continue;
            volume.name = labelOf ? labelOf(root) : QString();
            if (volume.name.isEmpty() || withoutTrailingSlash(volume.name) == root)
                volume.name = QFileInfo(root).fileName();
        }
        seen.insert(root);
        volumes.push_back(volume);
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const FolderComboVolume& a, const FolderComboVolume& b) { return a.root < b.root; });
    return volumes;
}

std::vector<FolderComboVolume> MountedFolderComboVolumes()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    return FolderComboVolumesOf(
        ParseMountTable(table.readAll()), [](const QString& root) { return QFileInfo(root).isDir(); },
        [](const QString& root) { return QStorageInfo(root).displayName(); });
}

FolderComboModel::FolderComboModel(FolderComboVolumeLister volumes) : m_volumes(std::move(volumes)) {}

QString FolderComboModel::DesktopText()
{
    return LoadResString(IDS_FOLDER_COMBO_DESKTOP);
}

QString FolderComboModel::ComputerText()
{
    return LoadResString(IDS_FOLDER_COMBO_COMPUTER);
}

QString FolderComboModel::DocumentsText()
{
    return LoadResString(IDS_FOLDER_COMBO_DOCUMENTS);
}

int FolderComboModel::addItem(int index, int image, int level, const QString& text, const QString& path)
{
    auto item = std::make_unique<CFolderComboItem>();
    item->m_nImage = image;
    item->m_nLevel = level;
    item->m_strText = text;
    item->m_strPath = path;
    index = std::clamp(index, 0, GetCount());
    m_arrItems.insert(m_arrItems.begin() + index, std::move(item));
    return index;
}

int FolderComboModel::AddFolderLevel(int index, const QString& name, int level)
{
    if (level == -1)
        level = index > 0 && index <= GetCount() ? GetItem(index - 1).m_nLevel + 1 : 1;
    index = addItem(index, 1, level, name, QString());
    QString path;
    GetItemPath(index, path);
    m_arrItems[size_t(index)]->m_strPath = path;
    return index;
}

int FolderComboModel::addPathFolders(int index, const QString& volumeRoot, const QString& path, int level)
{
    // The names between two separators after the volume's mount point; a
    // last name without a separator after it is not listed.
    QString rest = path.mid(volumeRoot == QLatin1String("/") ? 0 : volumeRoot.size());
    if (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    QStringList names = rest.split(QLatin1Char('/'));
    names.removeLast();
    QString folder = volumeRoot == QLatin1String("/") ? QString() : volumeRoot;
    for (const QString& name : names) {
        folder += QLatin1Char('/') + name;
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || !QFileInfo(folder).isDir())
            break; // only what exists is listed
        AddFolderLevel(index++, name, level++);
    }
    return index;
}

void FolderComboModel::FillFolders()
{
    if (m_bFilled)
        return;
    QString desktop;
    if (GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop) >= 0 && QFileInfo(desktop).isDir())
        addItem(GetCount(), 0, 1, DesktopText(), desktop);
    addItem(GetCount(), 3, 2, ComputerText(), ComputerText());

    // The folders of a path on the computer go under the volume that holds it.
    const QString current = m_strCurrentPath;
    const bool onComputer = current.startsWith(QLatin1Char('/')) || startsWithName(current, ComputerText());
    // On disk; a last name without "/" after it stays unfinished.
    QString onDisk = current;
    if (onComputer && !current.startsWith(QLatin1Char('/')))
        ResolveShellDisplayPath(onDisk);
    if (onComputer && withoutTrailingSlash(current) == ComputerText())
        onDisk = QStringLiteral("/");
    const std::vector<FolderComboVolume> volumes = m_volumes ? m_volumes() : MountedFolderComboVolumes();
    int holder = -1;
    for (size_t i = 0; i < volumes.size(); ++i) {
        if (onComputer && liesIn(withoutTrailingSlash(onDisk), volumes[i].root) &&
            (holder < 0 || volumes[i].root.size() > volumes[size_t(holder)].root.size()))
            holder = int(i);
    }
    if (onComputer && holder < 0)
        addPathFolders(GetCount(), QStringLiteral("/"), onDisk, 3);
    for (size_t i = 0; i < volumes.size(); ++i) {
        const FolderComboVolume& volume = volumes[i];
        addItem(GetCount(), volume.image, 3, QStringLiteral("%1 (%2)").arg(volume.name, volume.root), volume.root);
        if (int(i) == holder)
            addPathFolders(GetCount(), volume.root, onDisk, 4);
    }

    QString documents;
    if (GetSpecialFolderPath(CSIDL_PERSONAL, documents) >= 0 && QFileInfo(documents).isDir())
        addItem(GetCount(), 12, 2, DocumentsText(), documents);

    // The folders of a path below the desktop or the documents folder.
    const QString trimmed = withoutTrailingSlash(current);
    int level = 0;
    QString folder;
    if (startsWithName(trimmed, DesktopText()) && !desktop.isEmpty()) {
        level = 2;
        folder = desktop;
    } else if (startsWithName(trimmed, DocumentsText()) && !documents.isEmpty()) {
        level = 3;
        folder = documents;
    }
    const qsizetype cut = trimmed.indexOf(QLatin1Char('/'));
    if (level > 0 && cut >= 0) {
        for (const QString& name : trimmed.mid(cut + 1).split(QLatin1Char('/'))) {
            folder += QLatin1Char('/') + name;
            if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
                !QFileInfo(folder).isDir())
                break;
            AddFolderLevel(GetCount(), name, level++);
        }
    }
    m_bFilled = true;
    m_nCurrentEntry = findCurrentEntry();
}

void FolderComboModel::ClearItems()
{
    m_bFilled = false;
    m_arrItems.clear();
    m_nCurrentEntry = -1;
}

int FolderComboModel::findCurrentEntry() const
{
    if (withoutTrailingSlash(m_strCurrentPath).isEmpty())
        return -1;
    const QString target = canonical(m_strCurrentPath);
    QString name = target;
    if (!GetShellDisplayName(name)) {
        const QString trimmed = withoutTrailingSlash(m_strCurrentPath);
        name = trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
    }
    // The entry of that name whose path is the current one; else the
    // nearest folder above it; else the first entry of that name.
    int firstOfName = -1;
    int nearest = -1;
    qsizetype nearestLength = -1;
    for (int i = 0; i < GetCount(); ++i) {
        QString path;
        GetItemPath(i, path);
        const QString entry = canonical(path);
        if (GetItem(i).m_strText.startsWith(name, Qt::CaseInsensitive)) {
            if (entry == target)
                return i;
            if (firstOfName < 0)
                firstOfName = i;
        }
        if (liesIn(target, entry) && entry.size() > nearestLength) {
            nearest = i;
            nearestLength = entry.size();
        }
    }
    return nearest >= 0 ? nearest : firstOfName;
}

bool FolderComboModel::GetItemPath(int index, QString& path) const
{
    if (index < 0 || index >= GetCount())
        return false;
    const CFolderComboItem& item = GetItem(index);
    // 1. The first entry: its text.
    if (index == 0) {
        path = item.m_strText;
        return true;
    }
    // 2. A volume: its mount point.
    if (isVolume(item)) {
        path = item.m_strPath;
        return true;
    }
    // 3. The documents and desktop entries: their folders on disk.
    if (item.m_strText == DocumentsText() || item.m_strText == DesktopText()) {
        QString folder;
        GetSpecialFolderPath(item.m_strText == DocumentsText() ? CSIDL_PERSONAL : CSIDL_DESKTOPDIRECTORY, folder);
        path = folder + QLatin1Char('/');
        return false;
    }
    // 4. A folder: the names up to the volume, the computer, the documents or the desktop.
    QString result;
    int at = index;
    while (at > 0 && !isVolume(GetItem(at)) && GetItem(at).m_strText != DocumentsText() &&
           GetItem(at).m_strText != ComputerText()) {
        result.prepend(QLatin1Char('/') + GetItem(at).m_strText);
        const int level = GetItem(at).m_nLevel;
        int up = at - 1;
        while (up >= 0 && GetItem(up).m_nLevel >= level)
            --up;
        if (up < 0)
            break;
        at = up;
    }
    const CFolderComboItem& top = GetItem(std::max(at, 0));
    path = (isVolume(top) ? top.m_strPath : top.m_strText) + result;
    return true;
}

QString FolderComboModel::GetItemDisplayPath(int index) const
{
    if (index < 0 || index >= GetCount())
        return QString();
    const CFolderComboItem& item = GetItem(index);
    if (index == 0)
        return item.m_strText;
    if (isVolume(item))
        return item.m_strPath;
    // Up through the entries above, by level, to a volume or a special place.
    QString result;
    int at = index;
    for (;;) {
        const CFolderComboItem& here = GetItem(at);
        if (isVolume(here) || here.m_strText == DocumentsText() || here.m_strText == DesktopText() ||
            here.m_strText == ComputerText()) {
            result.prepend(isVolume(here) ? here.m_strPath : here.m_strText);
            break;
        }
        result.prepend(QLatin1Char('/') + here.m_strText);
        int up = at - 1;
        while (up >= 0 && GetItem(up).m_nLevel >= here.m_nLevel)
            --up;
        if (up < 0) {
            result.remove(0, 1);
            break;
        }
        at = up;
    }
    return result;
}

QString FolderComboModel::PathForSelection(int index) const
{
    if (index < 0 || index >= GetCount())
        return QString();
    QString path;
    if (!GetItemPath(index, path))
        path = GetItemDisplayPath(index);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool FolderComboModel::IsOpenFolder(int index) const
{
    if (index < 0 || index >= GetCount() || GetItem(index).m_nImage != 1)
        return false;
    return canonical(GetItemDisplayPath(index)) == canonical(m_strCurrentPath);
}
