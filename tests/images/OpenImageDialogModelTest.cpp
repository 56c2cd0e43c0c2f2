#include "images/ImageFolderListing.h"
#include "images/OpenImageDialogModel.h"
#include "images/SelectedImagePath.h"
#include "util/CRegistryEx.h"
#include "util/FileHelpers.h"
#include "util/ShellFolders.h"

#include "platform/DataRoot.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Listed = OpenImageDialogModel::ListedFolder;

const QString kKey = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent Opened Dir");

QString stored(const QString& value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString text;
    if (reg.Open(HKEY_CURRENT_USER, kKey))
        reg.ReadLongString(value, text);
    return text;
}

void store(const QString& value, const QString& text)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kKey));
    reg.WriteString(value, text);
}

QString documents()
{
    QString path;
    GetSpecialFolderPath(CSIDL_PERSONAL, path);
    return path;
}

TEST(OpenImageDialogModel, FoldersSplitIntoTheListedFolderAndTheEntryToSelect)
{
    const QString computer = ComputerDisplayPrefix();
    const QString desktop = DesktopDisplayPrefix();
    const QString mydocs = DocumentsDisplayPrefix();
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(computer), (Listed{computer, QString()}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(computer.chopped(1)), (Listed{desktop, computer.chopped(1)}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(computer + QStringLiteral("usr/share")),
              (Listed{QStringLiteral("/usr"), QStringLiteral("share")}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(mydocs.chopped(1)), (Listed{desktop, mydocs.chopped(1)}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(mydocs), (Listed{mydocs, QString()}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(mydocs + QStringLiteral("web/site")),
              (Listed{mydocs + QStringLiteral("web"), QStringLiteral("site")}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(QStringLiteral("/home/a/pics/")),
              (Listed{QStringLiteral("/home/a/pics/"), QString()}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(QStringLiteral("/home/a/pics")),
              (Listed{QStringLiteral("/home/a"), QStringLiteral("pics")}));
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(QStringLiteral("/usr")),
              (Listed{QStringLiteral("/"), QStringLiteral("usr")}));
    // Nothing at all: the computer's volumes, nothing selected.
    EXPECT_EQ(OpenImageDialogModel::SplitForFolderList(QString()), (Listed{computer, QString()}));
}

TEST(OpenImageDialogModel, TheRememberedFolderAndViewFollowTheirFlagAndMode)
{
    const QString images = platform::dataRoot() + QStringLiteral("/Image/");
    QDir().mkpath(images + QStringLiteral("sub"));
    QDir().mkpath(platform::dataRoot() + QStringLiteral("/Image/壁紙"));
    CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, kKey);

    // First use: the caller's preset, thumbnails.
    OpenImageDialogModel first;
    first.m_strCurrentFolder = images + QStringLiteral("sub/");
    EXPECT_FALSE(first.ReadSettings());
    EXPECT_EQ(first.m_strCurrentFolder, images + QStringLiteral("sub/"));
    EXPECT_EQ(first.m_nViewMode, 1);

    // Flag 1: the library folder, and the same value written back.
    store(QStringLiteral("Recent Opened Image"), QStringLiteral("1/home/somewhere"));
    OpenImageDialogModel library;
    EXPECT_TRUE(library.ReadSettings());
    EXPECT_TRUE(library.m_bLibraryState);
    EXPECT_EQ(library.m_strCurrentFolder, images);
    library.WriteSettings(false);
    EXPECT_EQ(stored(QStringLiteral("Recent Opened Image")), QStringLiteral("1/home/somewhere"));

    // Flag 0 on a folder that has gone: its nearest existing folder; a view
    // value other than 1 is the list.
    store(QStringLiteral("Recent Opened Image"), QStringLiteral("0") + images + QStringLiteral("sub/gone/deeper"));
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kKey));
    reg.WriteDWord(QStringLiteral("Image Thumbnail"), 5);
    OpenImageDialogModel gone;
    gone.ReadSettings();
    EXPECT_FALSE(gone.m_bLibraryState);
    EXPECT_EQ(gone.m_strCurrentFolder, images + QStringLiteral("sub"));
    EXPECT_EQ(gone.m_nViewMode, 0);
    // A value without a flag is a folder as it stands.
    store(QStringLiteral("Recent Opened Image"), images + QStringLiteral("sub/"));
    OpenImageDialogModel plain;
    plain.ReadSettings();
    EXPECT_EQ(plain.m_strCurrentFolder, images + QStringLiteral("sub/"));
    plain.WriteSettings(true);
    EXPECT_EQ(stored(QStringLiteral("Recent Opened Image")), QStringLiteral("0") + images + QStringLiteral("sub"));

    // The background mode has values of its own; the banner mode shares the plain ones.
    OpenImageDialogModel background;
    background.m_bBackgroundMode = true;
    background.ApplyMode();
    EXPECT_EQ(background.m_strDefaultFolder, platform::dataRoot() + QStringLiteral("/Image/壁紙/"));
    background.ReadSettings();
    EXPECT_TRUE(background.m_bLibraryState);
    background.m_bLibraryState = false;
    background.m_strCurrentFolder = QStringLiteral("/tmp");
    background.WriteSettings(true);
    EXPECT_EQ(stored(QStringLiteral("Recent Opened BkImage")), QStringLiteral("0/tmp"));
    EXPECT_EQ(stored(QStringLiteral("Recent Opened Image")), QStringLiteral("0") + images + QStringLiteral("sub"));
    OpenImageDialogModel banner;
    banner.m_bBannerMode = true;
    banner.ApplyMode();
    EXPECT_EQ(banner.m_strFolderValue, QStringLiteral("Recent Opened Image"));
    EXPECT_TRUE(banner.m_strDefaultFolder.endsWith(QStringLiteral("/Image/バナー/")));
}

TEST(OpenImageDialogModel, BackWalksTheHistoryAndANewMoveDropsWhatLayAhead)
{
    OpenImageDialogModel model;
    for (const char* folder : {"/a/", "/b/", "/c/", "/d/"}) {
        model.m_strCurrentFolder = QString::fromLatin1(folder);
        model.PushHistory();
    }
    model.PushHistory(); // the same folder again: nothing
    EXPECT_EQ(model.m_arrHistory.size(), 4);
    EXPECT_TRUE(model.StepBack());
    EXPECT_EQ(model.m_strCurrentFolder, QStringLiteral("/c/"));
    EXPECT_EQ(model.m_strPreviousFolder, QStringLiteral("/d/"));
    EXPECT_TRUE(model.StepBack());
    EXPECT_TRUE(model.StepBack());
    EXPECT_EQ(model.m_strCurrentFolder, QStringLiteral("/a/"));
    EXPECT_FALSE(model.CanGoBack());
    EXPECT_FALSE(model.StepBack());
    model.StepBack();
    model.m_strCurrentFolder = QStringLiteral("/e/");
    EXPECT_TRUE(model.PushHistory());
    EXPECT_EQ(model.m_arrHistory, (QStringList{QStringLiteral("/a/"), QStringLiteral("/e/")}));
}

TEST(OpenImageDialogModel, FoldersListTheirPicturesOnlyInTheOrderOfTheLanguage)
{
    QTemporaryDir dir;
    for (const char* name : {"b.JPG", "a.Png", "c.jpeg", "d.tif", ".hidden.png", "e.gif", "f.bmp", "noext"})
        QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir(QStringLiteral("folder.png"));
    EXPECT_EQ(ListImageFiles(dir.path()),
              (QStringList{QStringLiteral("a.Png"), QStringLiteral("b.JPG"), QStringLiteral("c.jpeg"),
                           QStringLiteral("e.gif"), QStringLiteral("f.bmp")}));
    EXPECT_TRUE(ListImageFiles(dir.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(ListImageFiles(QString()).isEmpty());
}

TEST(OpenImageDialogModel, TheChosenImageIsAPathOnDiskAndCopiedFromRemovableMedia)
{
    QDir().mkpath(documents() + QStringLiteral("/sub"));
    EXPECT_EQ(BuildSelectedImagePath(DocumentsDisplayPrefix() + QStringLiteral("sub"), QStringLiteral("a.png")).path,
              documents() + QStringLiteral("/sub/a.png"));
    EXPECT_EQ(BuildSelectedImagePath(DocumentsDisplayPrefix(), QStringLiteral("a.png")).path,
              documents() + QStringLiteral("/a.png"));
    EXPECT_EQ(BuildSelectedImagePath(QStringLiteral("/x/y/"), QString()).path, QStringLiteral("/x/y"));

    // A CD: the picture is copied, an earlier copy of that name kept.
    QTemporaryDir cd;
    QFile picture(cd.filePath(QStringLiteral("photo.png")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("PNG");
    picture.close();
    const FolderComboVolumeLister volumes = [&] { return std::vector<FolderComboVolume>{{cd.path(), "CD", 6}}; };
    const SelectedImagePath first = BuildSelectedImagePath(cd.path(), QStringLiteral("photo.png"), volumes);
    EXPECT_FALSE(first.copyFailed);
    EXPECT_EQ(first.path, TempImageFolder() + QStringLiteral("/photo.png"));
    const SelectedImagePath second = BuildSelectedImagePath(cd.path(), QStringLiteral("photo.png"), volumes);
    EXPECT_EQ(second.path, TempImageFolder() + QStringLiteral("/photo-1.png"));
    EXPECT_TRUE(QFile::exists(first.path));
    // A fixed volume: the picture as it is.
    const FolderComboVolumeLister fixed = [&] { return std::vector<FolderComboVolume>{{cd.path(), "Disk", 4}}; };
    EXPECT_EQ(BuildSelectedImagePath(cd.path(), QStringLiteral("photo.png"), fixed).path,
              cd.filePath(QStringLiteral("photo.png")));
    // A copy that cannot be made is said so.
    QFile::setPermissions(picture.fileName(), QFileDevice::WriteOwner);
    if (!QFileInfo(picture.fileName()).isReadable()) {
        const SelectedImagePath failed = BuildSelectedImagePath(cd.path(), QStringLiteral("photo.png"), volumes);
        EXPECT_TRUE(failed.copyFailed);
        EXPECT_EQ(failed.path, cd.filePath(QStringLiteral("photo.png")));
    }
}

} // namespace
