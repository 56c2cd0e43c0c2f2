#pragma once

#include "controls/FolderComboModel.h"

#include <QList>
#include <QListWidget>
#include <QPixmap>

// A list of folders as the folder pickers show them: the desktop with the
// computer and the documents folder, the computer's volumes ("/" and the
// mounted volumes), and the sub-folders of a folder, each with a small
// picture of its kind; files are not listed. It keeps no place of its own:
// its owner keeps the display path of the folder shown (the display form of
// util/ShellFolders, "マイ ドキュメント/web/", or a plain path) and calls
// these operations when the user selects or opens an entry. Entries added
// with the web flag stand for webs and all show the web picture.
class VornaDirListCtrl : public QListWidget
{
    Q_OBJECT
public:
    // Pictures of strip 414.
    enum Picture {
        FolderPicture = 1,
        SelectedFolderPicture = 2,
        ComputerPicture = 3,
        FixedDrivePicture = 4,
        RemovableDrivePicture = 5,
        CdRomDrivePicture = 6,
        NetworkDrivePicture = 7,
        WebPicture = 9,
        ParentFolderPicture = 10,
        SelectedParentFolderPicture = 11,
        DocumentsPicture = 12,
    };
    static constexpr int kPictureWidth = 18;

    // The volumes come from the lister (the mounted volumes when none is given).
    explicit VornaDirListCtrl(QWidget* parent = nullptr, FolderComboVolumeLister volumes = {});
    ~VornaDirListCtrl() override;

    // Cuts the pictures from their strip; called once by the owner.
    void InitImageList();
    // Inserts the entry of a path at the index.
    void AddItem(int index, const QString& path, bool web);
    // Lists a place anew. True when something was listed (the computer: when
    // its volumes could be read).
    bool ShowFolder(const QString& displayPath);
    // Enters the entry of that text from the place shown: the place it leads
    // to replaces the current display path and is listed. False, with
    // nothing changed, when the entry leads nowhere to enter (a folder
    // without sub-folders, a volume no longer mounted).
    bool OpenItem(QString& currentDisplayPath, const QString& text);
    // The display path of a newly selected entry, in the folder shown; gives
    // the new index, or the previous one when the index did not change or
    // the entry has no text.
    int UpdateSelectedPath(int previous, int index, const QString& currentDisplayFolder, QString& displayPath);
    // Selects, marks and shows the entry of that name (a volume by its path
    // as well); its index, or -1.
    int SelectItem(const QString& name, const QString& currentFolder);

    // The picture of a path: a volume's kind, else a folder with or without
    // sub-folders.
    int GetItemImage(const QString& path) const;
    // Whether the folder holds a folder (hidden ones are not counted).
    bool HasSubfolders(const QString& path) const;
    // Turns a display path into the folder on disk, ending with "/".
    static void ResolveDisplayPath(QString& path);

    // The picture and the path of an entry.
    int itemImage(int row) const;
    QString itemPath(int row) const;

private:
    // "/" and the mounted volumes.
    std::vector<FolderComboVolume> Volumes() const;
    // The volume whose root the path is, or none.
    bool FindVolume(const QString& path, FolderComboVolume* found) const;
    // A volume's entry text ("name (root)") made back into its root; other
    // texts come back as they are.
    QString VolumeOfLabel(const QString& text) const;
    QString VolumeLabel(const FolderComboVolume& volume) const;
    void InsertEntry(int index, const QString& text, const QString& path, int picture);
    void SetEntryImage(QListWidgetItem* item, int picture);
    void AddSubfolders(const QString& folder);

    FolderComboVolumeLister m_volumes;
    QList<QPixmap> m_imageList;
};
