#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// A mounted volume as the folder combo lists it under the computer.
struct FolderComboVolume
{
    QString root;  // its mount point, an absolute path without a trailing "/"
    QString name;  // the name the user knows it by
    int image = 4; // 4 fixed, 5 removable, 6 optical, 7 network
};

using FolderComboVolumeLister = std::function<std::vector<FolderComboVolume>()>;

// The picture of a volume by its file system and its place: 7 a network file
// system (nfs, cifs, smb3, sshfs, ...), 6 an optical disc (iso9660, udf), 5
// below /media or /run/media (removable), else 4 (fixed).
int FolderComboVolumeImage(const QByteArray& fileSystemType, const QString& root);

// A line of the kernel's mount table.
struct FolderComboMount
{
    QString root;    // the mount point
    QByteArray type; // the file system
    QString source;  // the device or the server's share
};

// The mounts of a mount table in the kernel's form (/proc/self/mountinfo).
std::vector<FolderComboMount> ParseMountTable(const QByteArray& text);

// The volumes the folder combo lists of the mounts: real file systems whose
// mount point is a folder (asked of `isFolder`), "/" (the computer itself)
// and the system's own places left out, sorted by mount point. Network
// volumes are taken from the table alone and named by their source:
// `isFolder` and `labelOf` are never asked about them.
std::vector<FolderComboVolume> FolderComboVolumesOf(const std::vector<FolderComboMount>& mounts,
                                                    const std::function<bool(const QString&)>& isFolder,
                                                    const std::function<QString(const QString&)>& labelOf = {});

// The mounted volumes of the kernel's mount table, as FolderComboVolumesOf
// lists them.
std::vector<FolderComboVolume> MountedFolderComboVolumes();

// One entry of the folder combo.
struct CFolderComboItem
{
    int m_nImage = 1;  // picture: 0 desktop, 1 folder, 3 computer, 4-7 volumes, 12 documents
    int m_nLevel = 1;  // depth; each level indents by 12 pixels
    QString m_strText; // the text shown
    QString m_strPath; // the path stored when the entry was made
};

// The entries of the drive and folder combo without a window: the desktop,
// the computer ("/") with the mounted volumes, the folders of the current
// path under the volume that holds it, the documents folder, and the folders
// of a path below the desktop or the documents folder. Paths of entries are
// written with "/" in the display form of util/ShellFolders: the desktop,
// documents or computer text in front ("マイ コンピュータ/home/hanako"), or
// a volume's mount point ("/media/hanako/USB/photos"). Paths compare exactly.
class FolderComboModel
{
public:
    explicit FolderComboModel(FolderComboVolumeLister volumes = {});

    void SetCurrentPath(const QString& path) { m_strCurrentPath = path; }
    const QString& GetCurrentPath() const { return m_strCurrentPath; }

    // Builds the entries for the current path, once until they are cleared;
    // only folders that exist are listed.
    void FillFolders();
    void ClearItems();
    bool IsFilled() const { return m_bFilled; }

    int GetCount() const { return int(m_arrItems.size()); }
    const CFolderComboItem& GetItem(int index) const { return *m_arrItems[size_t(index)]; }
    // The entry of the current folder, or of the nearest folder above it
    // that is listed; -1 when none.
    int GetCurrentEntry() const { return m_nCurrentEntry; }

    // The entry's path: false for the desktop and documents entries, whose
    // path is then their folder on disk.
    bool GetItemPath(int index, QString& path) const;
    // The entry's path in display form.
    QString GetItemDisplayPath(int index) const;
    // The folder an entry stands for when the user picks it, ending with "/".
    QString PathForSelection(int index) const;
    // The entry of the current folder is drawn as an open folder.
    bool IsOpenFolder(int index) const;

    // The special texts, as the string table gives them.
    static QString DesktopText();
    static QString ComputerText();
    static QString DocumentsText();

private:
    int addItem(int index, int image, int level, const QString& text, const QString& path);
    int AddFolderLevel(int index, const QString& name, int level);
    int addPathFolders(int index, const QString& volumeRoot, const QString& path, int level);
    int findCurrentEntry() const;

    FolderComboVolumeLister m_volumes;
    std::vector<std::unique_ptr<CFolderComboItem>> m_arrItems;
    QString m_strCurrentPath;
    bool m_bFilled = false;
    int m_nCurrentEntry = -1;
};
