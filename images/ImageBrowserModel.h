#pragma once

#include "controls/FolderComboModel.h"

#include <QString>
#include <QStringList>

#include <vector>

// The values and rules of the image browser without its window: the folder
// it starts in and remembers (the value "Recent Opened Image", which the
// insert-image dialog shares), its back history, and what it lists for a
// folder, the drives and the desktop. Folders are written with "/" and may
// be display paths of util/ShellFolders ("デスクトップ/", "マイ コンピュータ/",
// "マイ ドキュメント/photos").
class ImageBrowserModel
{
public:
    // What an item of the browser's list is (its state in the thumbnail list).
    enum ItemKind {
        ImageWaiting = 0, // an image whose thumbnail is not made yet
        FolderItem = 1,
        ImageReady = 2, // an image with its thumbnail
        DriveItem = 3,
        ComputerItem = 4,
        DocumentsItem = 5,
    };

    ImageBrowserModel();

    // The folder to start in: the value's flag "1" (or no value) the default
    // image folder, "0" (or no flag) the folder after it; then the nearest
    // folder that exists. Without the key, the default folder.
    void ReadSettings();
    // Remembers the folder as the browser ends: "0" and the current folder,
    // or "1" and the remembered folder while the default folder is shown
    // because the settings asked for it. The key is made when missing.
    void WriteSettings();

    // Records the folder shown after the history's position (what lay ahead
    // of it goes); the same folder twice in a row is recorded once. Returns
    // whether Back can be used.
    bool PushHistory(const QString& shown);
    bool CanGoBack() const { return m_nHistoryPos > 0; }
    // One step back: the history's entry there, or empty at its start.
    QString StepBack();

    // A folder as the browser keeps it: a display root's bare name
    // ("デスクトップ") with its "/", a folder below the computer in its plain
    // form ("マイ コンピュータ/usr" is "/usr").
    static QString Normalized(const QString& folder);
    // Whether the folder is one of the three display roots.
    static bool IsDesktop(const QString& folder);
    static bool IsComputer(const QString& folder);
    static bool IsDocuments(const QString& folder);

    // The sub-folders and image files of a folder (a display path resolved
    // first), each in the order of the user's language; hidden entries are
    // left out. A folder that cannot be read lists nothing.
    struct FolderEntries
    {
        QStringList folders;
        QStringList images;
    };
    static FolderEntries ListFolder(const QString& folder);

    // The drives of the computer: the file system's root, then the mounted
    // volumes of the lister, each with the label the list shows.
    struct Drive
    {
        QString root;
        QString label;
        int image = 4; // as FolderComboVolume::image
    };
    static std::vector<Drive> Drives(const FolderComboVolumeLister& volumes = {});

    QString m_strRecentValue;
    bool m_bDefaultFolder = false;
    QString m_strCurrentFolder;
    QString m_strDefaultFolder;
    QString m_strRememberedFolder;
    int m_nComboSelection = -1;
    bool m_bInitialised = false;
    QString m_strSelectedName;
    QString m_strImagePath;
    QStringList m_arrHistory;
    int m_nHistoryPos = -1;
    bool m_bGoingBack = false;
};
