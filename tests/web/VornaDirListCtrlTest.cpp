// The folder list: places, pictures and walking, on real folders and a
// mount table of the test's own.
#include "controls/FolderComboModel.h"
#include "res/resource.h"
#include "util/ShellFolders.h"
#include "util/StringResources.h"
#include "web/VornaDirListCtrl.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct MountEntry
{
    QString root;
    QString name;
    QByteArray type;
};

class DirListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        for (const char* folder : {"b-folder/inner", "a-empty", "c-folder"})
            ASSERT_TRUE(QDir().mkpath(documents + QLatin1Char('/') + QLatin1String(folder)));
        ASSERT_TRUE(QDir().mkpath(desktop + QStringLiteral("/Zeta")));
        ASSERT_TRUE(QDir().mkpath(desktop + QStringLiteral("/Alpha")));
        QFile file(documents + QStringLiteral("/page.html"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // A mount table: a disc, a share and a disk.
        mounts = {{dir.filePath(QStringLiteral("cdrom")), QStringLiteral("DISC"), "iso9660"},
                  {dir.filePath(QStringLiteral("share")), QStringLiteral("NAS"), "cifs"},
                  {dir.filePath(QStringLiteral("data")), QStringLiteral("Data"), "ext4"}};
        for (const MountEntry& mount : mounts)
            ASSERT_TRUE(QDir().mkpath(mount.root + QStringLiteral("/sub")));
    }
    FolderComboVolumeLister lister() const
    {
        const std::vector<MountEntry> table = mounts;
        return [table] {
            std::vector<FolderComboVolume> volumes;
            for (const MountEntry& mount : table)
                volumes.push_back({mount.root, mount.name, FolderComboVolumeImage(mount.type, mount.root)});
            return volumes;
        };
    }
    QStringList texts(const VornaDirListCtrl& list) const
    {
        QStringList all;
        for (int i = 0; i < list.count(); ++i)
            all << list.item(i)->text();
        return all;
    }
    int row(const VornaDirListCtrl& list, const QString& text) const { return int(texts(list).indexOf(text)); }

    QTemporaryDir dir;
    QString desktop;
    QString documents;
    std::vector<MountEntry> mounts;
};

TEST_F(DirListTest, TheDesktopListsTheComputerAndTheDocumentsFirstThenItsFoldersAsTheyCome)
{
    VornaDirListCtrl list(nullptr, lister());
    list.InitImageList();
    EXPECT_TRUE(list.ShowFolder(DesktopDisplayPrefix()));
    const QStringList shown = texts(list);
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown.mid(0, 2), QStringList({LoadResString(421), LoadResString(41775)}));
    EXPECT_EQ(QSet<QString>(shown.begin() + 2, shown.end()), QSet<QString>({"Zeta", "Alpha"}));
    EXPECT_EQ(list.itemImage(0), VornaDirListCtrl::ComputerPicture);
    EXPECT_EQ(list.itemImage(1), VornaDirListCtrl::DocumentsPicture);
}

TEST_F(DirListTest, AFolderListsItsFoldersSortedWithTheirPicturesAndNoFiles)
{
    VornaDirListCtrl list(nullptr, lister());
    list.InitImageList();
    EXPECT_TRUE(list.ShowFolder(DocumentsDisplayPrefix()));
    EXPECT_EQ(texts(list), QStringList({"a-empty", "b-folder", "c-folder"}));
    EXPECT_EQ(list.itemImage(0), VornaDirListCtrl::FolderPicture);
    EXPECT_EQ(list.itemImage(1), VornaDirListCtrl::ParentFolderPicture);
    // Entries added as webs show the web picture whatever they hold.
    list.AddItem(0, documents + QStringLiteral("/b-folder"), true);
    list.AddItem(0, documents + QStringLiteral("/a-empty"), true);
    int webs = 0;
    for (int i = 0; i < list.count(); ++i)
        webs += list.itemImage(i) == VornaDirListCtrl::WebPicture ? 1 : 0;
    EXPECT_EQ(webs, 2);
}

TEST_F(DirListTest, OpeningWalksIntoFoldersThatHoldFoldersOnly)
{
    VornaDirListCtrl list(nullptr, lister());
    list.InitImageList();
    QString place = DocumentsDisplayPrefix();
    list.ShowFolder(place);
    EXPECT_FALSE(list.OpenItem(place, QStringLiteral("a-empty")));
    EXPECT_EQ(place, DocumentsDisplayPrefix());
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(list.OpenItem(place, QStringLiteral("b-folder")));
    EXPECT_EQ(place, DocumentsDisplayPrefix() + QStringLiteral("b-folder/"));
    EXPECT_EQ(texts(list), QStringList{QStringLiteral("inner")});

    // From the desktop to the computer, and into a volume.
    place = DesktopDisplayPrefix();
    list.ShowFolder(place);
    EXPECT_TRUE(list.OpenItem(place, LoadResString(421)));
    EXPECT_EQ(place, ComputerDisplayPrefix());
    const QString disc = QStringLiteral("DISC (%1)").arg(mounts[0].root);
    ASSERT_GE(row(list, disc), 0);
    EXPECT_TRUE(list.OpenItem(place, disc));
    EXPECT_EQ(place, mounts[0].root + QLatin1Char('/'));
    EXPECT_EQ(texts(list), QStringList{QStringLiteral("sub")});
    // A volume no longer mounted is not entered.
    place = ComputerDisplayPrefix();
    EXPECT_FALSE(list.OpenItem(place, QStringLiteral("Gone (/nowhere)")));
}

TEST_F(DirListTest, TheComputerListsTheRootAndTheVolumesByTheirKinds)
{
    VornaDirListCtrl list(nullptr, lister());
    list.InitImageList();
    EXPECT_TRUE(list.ShowFolder(ComputerDisplayPrefix()));
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("/"));
    EXPECT_EQ(list.itemImage(0), VornaDirListCtrl::FixedDrivePicture);
    EXPECT_EQ(list.itemImage(row(list, QStringLiteral("DISC (%1)").arg(mounts[0].root))),
              VornaDirListCtrl::CdRomDrivePicture);
    EXPECT_EQ(list.itemImage(row(list, QStringLiteral("NAS (%1)").arg(mounts[1].root))),
              VornaDirListCtrl::NetworkDrivePicture);
    EXPECT_EQ(list.itemImage(row(list, QStringLiteral("Data (%1)").arg(mounts[2].root))),
              VornaDirListCtrl::FixedDrivePicture);
    EXPECT_EQ(FolderComboVolumeImage("vfat", QStringLiteral("/media/hanako/STICK")),
              VornaDirListCtrl::RemovableDrivePicture);
    EXPECT_EQ(FolderComboVolumeImage("udf", QStringLiteral("/media/hanako/DVD")), VornaDirListCtrl::CdRomDrivePicture);
    EXPECT_EQ(FolderComboVolumeImage("nfs4", QStringLiteral("/media/share")), VornaDirListCtrl::NetworkDrivePicture);
    // A volume is selected by its path as well as by its label.
    EXPECT_EQ(list.SelectItem(mounts[1].root, ComputerDisplayPrefix()), 2);
    EXPECT_EQ(list.itemImage(2), VornaDirListCtrl::NetworkDrivePicture);
}

TEST_F(DirListTest, SelectionGivesDisplayPathsAndShowsTheSelectedFolder)
{
    VornaDirListCtrl list(nullptr, lister());
    list.InitImageList();
    list.ShowFolder(DocumentsDisplayPrefix());
    QString path;
    EXPECT_EQ(list.UpdateSelectedPath(1, 1, DocumentsDisplayPrefix(), path), 1);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(list.UpdateSelectedPath(0, 1, DocumentsDisplayPrefix(), path), 1);
    EXPECT_EQ(path, DocumentsDisplayPrefix() + QStringLiteral("b-folder"));
    EXPECT_EQ(list.SelectItem(QStringLiteral("B-FOLDER"), DocumentsDisplayPrefix()), 1);
    EXPECT_EQ(list.itemImage(1), VornaDirListCtrl::SelectedParentFolderPicture);
    EXPECT_EQ(list.SelectItem(QStringLiteral("a-empty"), DocumentsDisplayPrefix()), 0);
    EXPECT_EQ(list.itemImage(0), VornaDirListCtrl::SelectedFolderPicture);
    EXPECT_EQ(list.SelectItem(QStringLiteral("missing"), DocumentsDisplayPrefix()), -1);
    EXPECT_EQ(list.SelectItem(QString(), DocumentsDisplayPrefix()), -1);

    QString resolved = DocumentsDisplayPrefix() + QStringLiteral("b-folder");
    VornaDirListCtrl::ResolveDisplayPath(resolved);
    EXPECT_EQ(resolved, documents + QStringLiteral("/b-folder/"));
}

} // namespace
