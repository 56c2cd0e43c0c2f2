#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The values and rules of the insert-image dialog without its window: where
// it starts and what it remembers, the folders it moves between, its back
// history and the path of the chosen image. Folders may be display paths of
// util/ShellFolders ("マイ ドキュメント/photos"); a folder ending with "/" is
// shown with nothing selected in the folder list, one without it as the
// selected entry of its parent.
class OpenImageDialogModel
{
public:
    OpenImageDialogModel();

    // What the folder list shows for a folder: the folder listed and the
    // entry to select there (empty for none).
    struct ListedFolder
    {
        QString folder;
        QString entry;
        bool operator==(const ListedFolder&) const = default;
    };
    static ListedFolder SplitForFolderList(const QString& path);
    // A folder below the computer in its plain form ("マイ コンピュータ/usr/"
    // is "/usr/"); the computer itself and other folders as they are.
    static QString PlainForm(const QString& path);

    // The default folder and the settings' value names of the mode.
    void ApplyMode();
    // Reads the remembered folder and view; false, with the preset folder
    // and the thumbnail view kept, when nothing is remembered yet. The
    // current folder then becomes the nearest one that exists.
    bool ReadSettings();
    // Remembers the folder and view as the dialog closes. `entrySelected`:
    // the folder list has the current folder's entry selected.
    void WriteSettings(bool entrySelected);
    // Reads a remembered folder value (the flag "1" and the remembered
    // folder, or "0" or nothing and the folder to start in; an empty value
    // asks for the default folder) into the state, the remembered folder and
    // the folder to start in. The image browser reads the same value.
    static void ReadFolderValue(const QString& stored, const QString& defaultFolder, bool& libraryState,
                                QString& remembered, QString& current);

    // Records the current folder after the position in the back history;
    // returns whether Back can be used.
    bool PushHistory();
    bool CanGoBack() const { return m_nHistoryPos > 0; }
    // One step back: the current folder becomes the history's entry there.
    bool StepBack();

    // The chosen image's path on disk into the result path; false when a
    // copy from a removable medium failed (the user has been told).
    bool BuildSelectedImagePath();

    QString m_strFileName;
    QString m_strDefaultFolder;
    QString m_strRememberedFolder;
    bool m_bLibraryState = false;
    bool m_bInitialised = false;
    QString m_strFolderValue;
    QString m_strViewValue;
    int m_nViewMode = 1;
    QString m_strPreviousFolder;
    int m_nShownViewMode = 1;
    int m_nComboSelection = -1;
    int m_nDirListCursor = -1;
    QString m_strResultPath;
    QString m_strCurrentFolder;
    QString m_strSelectedName;
    QString m_strEntryToSelect;
    bool m_bBackgroundMode = false;
    bool m_bBannerMode = false;
    bool m_bModeless = false;
    QStringList m_arrHistory;
    int m_nHistoryPos = -1;
    QSize m_sizeImage{0, 0};
};
