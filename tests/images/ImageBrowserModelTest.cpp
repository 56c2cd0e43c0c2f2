// The image browser's rules without its window: the folder it starts in and
// remembers, its history, what it lists, and the bookmark store.

#include "images/ImageBookmarks.h"
#include "images/ImageBrowserModel.h"
#include "util/CRegistryEx.h"
#include "util/ShellFolders.h"

#include "platform/DataRoot.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

const QString kRecentKey = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent Opened Dir");
const QString kValue = QStringLiteral("Recent Opened Image");

QString stored()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString text;
    if (reg.Open(HKEY_CURRENT_USER, kRecentKey))
        reg.ReadLongString(kValue, text);
    return text;
}

void store(const QString& text)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kRecentKey));
    ASSERT_TRUE(reg.WriteString(kValue, text));
}

class ImageBrowserModelTest : public ::testing::Test
{
protected:
    ImageBrowserModelTest()
    {
        CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, kRecentKey);
        CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, ImageBookmarks::KeyPath());
        QDir().mkpath(platform::installPath(QStringLiteral("Image")));
    }
    QString path(const QString& relative) const { return dir.filePath(relative); }
    void file(const QString& relative)
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
};

TEST_F(ImageBrowserModelTest, TheFlagOfTheRememberedValueChoosesTheStartFolderAndIsWrittenBack)
{
    const QString library = platform::installPath(QStringLiteral("Image")) + QLatin1Char('/');
    // No key: the library, and nothing that asks for it.
    {
        ImageBrowserModel model;
        model.ReadSettings();
        EXPECT_EQ(model.m_strCurrentFolder, library);
        EXPECT_FALSE(model.m_bDefaultFolder);
    }
    // Flag 1: the library; the folder after the flag is kept unchanged when
    // the user did not move.
    QDir().mkpath(path(QStringLiteral("art")));
    store(QStringLiteral("1") + path(QStringLiteral("pictures")));
    {
        ImageBrowserModel model;
        model.ReadSettings();
        EXPECT_EQ(model.m_strCurrentFolder, library);
        EXPECT_TRUE(model.m_bDefaultFolder);
        model.WriteSettings();
        EXPECT_EQ(stored(), QStringLiteral("1") + path(QStringLiteral("pictures")));
        // Moved elsewhere: flag 0 and the folder, without its last "/".
        model.m_bDefaultFolder = false;
        model.m_strCurrentFolder = path(QStringLiteral("art/"));
        model.WriteSettings();
        EXPECT_EQ(stored(), QStringLiteral("0") + path(QStringLiteral("art")));
    }
    // No flag: the value is a folder, used whole; one gone gives the nearest.
    store(path(QStringLiteral("art/gone/deeper")));
    {
        ImageBrowserModel model;
        model.ReadSettings();
        EXPECT_EQ(model.m_strCurrentFolder, path(QStringLiteral("art")));
        EXPECT_FALSE(model.m_bDefaultFolder);
    }
    // An empty value asks for the library; the root is remembered as "/".
    store(QString());
    {
        ImageBrowserModel model;
        model.ReadSettings();
        EXPECT_TRUE(model.m_bDefaultFolder);
        model.m_bDefaultFolder = false;
        model.m_strCurrentFolder = QStringLiteral("/");
        model.WriteSettings();
        EXPECT_EQ(stored(), QStringLiteral("0/"));
    }
}

TEST_F(ImageBrowserModelTest, TheHistoryRecordsAFolderOnceAndDropsWhatLayAheadAfterBack)
{
    ImageBrowserModel model;
    EXPECT_FALSE(model.PushHistory(QStringLiteral("/a/")));
    EXPECT_FALSE(model.PushHistory(QStringLiteral("/a/")));
    EXPECT_TRUE(model.PushHistory(QStringLiteral("/b/")));
    model.PushHistory(QStringLiteral("/c/"));
    EXPECT_EQ(model.StepBack(), QStringLiteral("/b/"));
    EXPECT_EQ(model.StepBack(), QStringLiteral("/a/"));
    EXPECT_FALSE(model.CanGoBack());
    EXPECT_TRUE(model.StepBack().isEmpty());
    model.PushHistory(QStringLiteral("/d/"));
    EXPECT_EQ(model.m_arrHistory, (QStringList{QStringLiteral("/a/"), QStringLiteral("/d/")}));
    EXPECT_EQ(model.m_nHistoryPos, 1);
}

TEST_F(ImageBrowserModelTest, AFolderListsItsFoldersThenItsImagesEachInTheLanguagesOrder)
{
    for (const char* folder : {"b", "A", "c", ".hidden"})
        QDir().mkpath(path(QString::fromLatin1(folder)));
    for (const char* name : {"x.PNG", "y.txt", "z.Jpeg", "noextension", ".secret.png", "a.gif"})
        file(QString::fromLatin1(name));
    const ImageBrowserModel::FolderEntries entries = ImageBrowserModel::ListFolder(dir.path());
    EXPECT_EQ(entries.folders, (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(entries.images,
              (QStringList{QStringLiteral("a.gif"), QStringLiteral("x.PNG"), QStringLiteral("z.Jpeg")}));
    // A folder that cannot be read lists nothing.
    const ImageBrowserModel::FolderEntries none = ImageBrowserModel::ListFolder(path(QStringLiteral("missing")));
    EXPECT_TRUE(none.folders.isEmpty());
    EXPECT_TRUE(none.images.isEmpty());
}

TEST_F(ImageBrowserModelTest, DisplayRootsAndComputerPathsAreKeptInOneForm)
{
    EXPECT_EQ(ImageBrowserModel::Normalized(DesktopDisplayPrefix().chopped(1)), DesktopDisplayPrefix());
    EXPECT_EQ(ImageBrowserModel::Normalized(ComputerDisplayPrefix()), ComputerDisplayPrefix());
    EXPECT_EQ(ImageBrowserModel::Normalized(ComputerDisplayPrefix() + QStringLiteral("usr/share/")),
              QStringLiteral("/usr/share/"));
    EXPECT_EQ(ImageBrowserModel::Normalized(DocumentsDisplayPrefix() + QStringLiteral("photos")),
              DocumentsDisplayPrefix() + QStringLiteral("photos"));
    EXPECT_TRUE(ImageBrowserModel::IsDocuments(DocumentsDisplayPrefix()));
    EXPECT_FALSE(ImageBrowserModel::IsDocuments(DocumentsDisplayPrefix() + QStringLiteral("photos")));
}

TEST_F(ImageBrowserModelTest, TheDrivesAreTheRootThenTheVolumesWithTheirMountPoints)
{
    const auto drives = ImageBrowserModel::Drives([] {
        return std::vector<FolderComboVolume>{{QStringLiteral("/media/hanako/USB"), QStringLiteral("USB"), 5},
                                              {QStringLiteral("/mnt/share"), QStringLiteral("share"), 7}};
    });
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].root, QStringLiteral("/"));
    EXPECT_EQ(drives[1].label, QStringLiteral("USB (/media/hanako/USB)"));
    EXPECT_EQ(drives[2].image, 7);
}

// ---- the bookmark store.

TEST_F(ImageBrowserModelTest, BookmarksKeepTheOrderTheyWereMadeAndAStoredOneMovesLast)
{
    EXPECT_TRUE(ImageBookmarks::Names().isEmpty());
    // The key is made by the first bookmark.
    ASSERT_TRUE(ImageBookmarks::Store(QStringLiteral("Photos"), QStringLiteral("/srv/photos")));
    ASSERT_TRUE(ImageBookmarks::Store(QStringLiteral("Scans"), QStringLiteral("/srv/scans")));
    ASSERT_TRUE(ImageBookmarks::Store(QStringLiteral("Art"), QStringLiteral("/srv/art")));
    EXPECT_EQ(ImageBookmarks::Names(),
              (QStringList{QStringLiteral("Photos"), QStringLiteral("Scans"), QStringLiteral("Art")}));
    // Renamed: the old name goes, the new one stands last with the folder.
    ASSERT_TRUE(
        ImageBookmarks::Store(QStringLiteral("Trips"), QStringLiteral("/srv/photos"), QStringLiteral("Photos")));
    EXPECT_EQ(ImageBookmarks::Names(),
              (QStringList{QStringLiteral("Scans"), QStringLiteral("Art"), QStringLiteral("Trips")}));
    EXPECT_EQ(ImageBookmarks::Folder(QStringLiteral("Trips")), QStringLiteral("/srv/photos"));
    EXPECT_TRUE(ImageBookmarks::Folder(QStringLiteral("Photos")).isEmpty());
    // Only the folder changed: the name stays.
    ASSERT_TRUE(ImageBookmarks::Store(QStringLiteral("Scans"), QStringLiteral("/srv/new"), QStringLiteral("Scans")));
    EXPECT_EQ(ImageBookmarks::Names().last(), QStringLiteral("Scans"));
    EXPECT_EQ(ImageBookmarks::Folder(QStringLiteral("Scans")), QStringLiteral("/srv/new"));
    ImageBookmarks::Remove({QStringLiteral("Art"), QStringLiteral("Trips")});
    EXPECT_EQ(ImageBookmarks::Names(), QStringList{QStringLiteral("Scans")});
}

TEST_F(ImageBrowserModelTest, BookmarkNamesClashWithoutRegardToCaseButNotWithTheirOwnName)
{
    ASSERT_TRUE(ImageBookmarks::Store(QStringLiteral("Photos"), QStringLiteral("/srv/photos")));
    ASSERT_TRUE(ImageBookmarks::Store(QStringLiteral("Scans"), QStringLiteral("/srv/scans")));
    EXPECT_TRUE(ImageBookmarks::Clashes(QStringLiteral("photos")));
    EXPECT_FALSE(ImageBookmarks::Clashes(QStringLiteral("Trips")));
    // Editing: its own name in any case is no clash, another bookmark's is.
    EXPECT_FALSE(ImageBookmarks::Clashes(QStringLiteral("PHOTOS"), QStringLiteral("Photos")));
    EXPECT_TRUE(ImageBookmarks::Clashes(QStringLiteral("scans"), QStringLiteral("Photos")));
}

TEST_F(ImageBrowserModelTest, LongNamesWithSeparatorsAndLongFoldersAreStoredAsGiven)
{
    const QString name = QStringLiteral("a/b\\c") + QString(51, QChar(0x753b));
    ASSERT_EQ(name.size(), ImageBookmarks::kMaxNameLength);
    const QString folder = QLatin1Char('/') + QString(300, QLatin1Char('f'));
    ASSERT_TRUE(ImageBookmarks::Store(name, folder));
    EXPECT_EQ(ImageBookmarks::Names(), QStringList{name});
    EXPECT_EQ(ImageBookmarks::Folder(name), folder);
}

TEST_F(ImageBrowserModelTest, ABookmarkFolderMustExistAndNetworkPlacesAreRecognised)
{
    EXPECT_TRUE(ImageBookmarks::IsValidFolder(QStringLiteral("/")));
    EXPECT_TRUE(ImageBookmarks::IsValidFolder(dir.path()));
    EXPECT_FALSE(ImageBookmarks::IsValidFolder(path(QStringLiteral("missing"))));
    EXPECT_FALSE(ImageBookmarks::IsValidFolder(QStringLiteral("relative")));
    EXPECT_FALSE(ImageBookmarks::IsValidFolder(QString()));
    const QString runtime = QStringLiteral("/run/user/1000");
    EXPECT_TRUE(ImageBookmarks::IsNetworkPlace(QStringLiteral("/run/user/1000/gvfs/smb-share:server=nas"), runtime));
    EXPECT_TRUE(ImageBookmarks::IsNetworkPlace(QStringLiteral("/run/user/1000/gvfs"), runtime));
    EXPECT_FALSE(ImageBookmarks::IsNetworkPlace(QStringLiteral("/run/user/1000/gvfsother"), runtime));
    EXPECT_FALSE(ImageBookmarks::IsNetworkPlace(QStringLiteral("/mnt/nas"), runtime));
}

} // namespace
