// The image browser on its own (walking folders, the library, the bookmarks
// and their dialogs) and in a bar of the running program (placing images).

#include "commands/FormatPage.h"

#include "app/CMainFrame.h"
#include "chrome/CCoolDialogBar.h"
#include "controls/CFolderComboBox.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImageBookmarks.h"
#include "images/ImagePlacer.h"
#include "images/VornaDialogOpenImage.h"
#include "images/VornaDlgImageBrowser.h"
#include "images/VornaDlgImageFavorite.h"
#include "images/VornaDlgImageFavoriteInfo.h"
#include "images/VornaTwain.h"
#include "images/ImageWindowTests.h"
#include "images/SaneTestBackend.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/ShellFolders.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include "support/FakeAppContext.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cstdint>

namespace {

using platform::ModalResponder;

const QString kRecentKey = imagewindowtest::recentKey();

void remember(const QString& value)
{
    imagewindowtest::RememberImageFolder(value);
}

QString remembered()
{
    return imagewindowtest::RememberedImageFolder();
}

QStringList itemsOf(const CVornaImageListCtrl* list)
{
    return imagewindowtest::ItemTexts(list);
}

int itemOf(const CVornaImageListCtrl* list, const QString& text)
{
    return int(itemsOf(list).indexOf(text));
}

// Waits until the item's thumbnail is made.
bool thumbnailReady(const CVornaImageListCtrl* list, int item)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        if (list->GetItemData(item) == ImageBrowserModel::ImageReady)
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return false;
}

void picture(const QString& path, QSize size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path));
}

// Chooses the menu's entry of that text once the menu is up; the menu's
// texts are collected.
void chooseFromMenu(VornaDlgImageBrowser& browser, QMenu* (VornaDlgImageBrowser::*menuOf)() const, const QString& text,
                    QStringList& offered)
{
    QTimer::singleShot(0, &browser, [&browser, menuOf, text, &offered] {
        QMenu* menu = (browser.*menuOf)();
        ASSERT_NE(menu, nullptr);
        offered.clear();
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            offered << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (action->text() == text)
                chosen = action;
        }
        if (chosen)
            chosen->trigger();
        menu->close();
    });
}

class ImageBrowserTest : public ::testing::Test
{
protected:
    ImageBrowserTest()
    {
        CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, kRecentKey);
        CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, ImageBookmarks::KeyPath());
        for (const char* folder : {"a/b", "a/c", "a/d"})
            QDir().mkpath(path(folder));
        picture(path("a/one.png"), QSize(30, 20));
        picture(path("a/two.JPG"), QSize(30, 20));
        picture(path("a/b/three.png"), QSize(30, 20));
    }
    QString path(const char* relative) const { return dir.filePath(QString::fromUtf8(relative)); }

    FakeAppContext context;
    ModalResponder responder;
    QTemporaryDir dir;
};

TEST_F(ImageBrowserTest, FoldersOpenUpAndBackWalkAndTheFolderIsRememberedAtTheEnd)
{
    remember(QStringLiteral("0") + path("a"));
    auto browser = std::make_unique<VornaDlgImageBrowser>();
    CVornaImageListCtrl* list = browser->thumbnailList();
    auto* back = browser->findChild<QPushButton*>(QStringLiteral("id_1340"));
    // Folders first with their kind, then the images.
    EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                          QStringLiteral("one.png"), QStringLiteral("two.JPG")}));
    EXPECT_EQ(list->GetItemData(0), ImageBrowserModel::FolderItem);
    EXPECT_EQ(browser->marks(), (std::vector<unsigned>{100, 101, 102}));
    EXPECT_FALSE(back->isEnabled());

    // A folder double-clicked; the same twice is recorded once.
    browser->OnListDblClk(itemOf(list, QStringLiteral("b")));
    EXPECT_EQ(browser->m_strCurrentFolder, path("a/b/"));
    EXPECT_EQ(itemsOf(list), QStringList{QStringLiteral("three.png")});
    browser->OpenFolder(path("a/b"));
    EXPECT_EQ(browser->m_arrHistory.size(), 2);
    EXPECT_TRUE(back->isEnabled());

    // Up, then Back twice: b, then a, where Back stops.
    ModalResponder::press(*browser, IDC_IMAGE_BROWSER_UP);
    EXPECT_EQ(browser->m_strCurrentFolder, path("a/"));
    ModalResponder::press(*browser, IDC_IMAGE_BROWSER_BACK);
    EXPECT_EQ(browser->m_strCurrentFolder, path("a/b/"));
    ModalResponder::press(*browser, IDC_IMAGE_BROWSER_BACK);
    EXPECT_EQ(browser->m_strCurrentFolder, path("a/"));
    EXPECT_FALSE(back->isEnabled());
    // Opening another folder drops what lay ahead.
    browser->OnListDblClk(itemOf(list, QStringLiteral("c")));
    EXPECT_EQ(browser->m_arrHistory, (QStringList{path("a/"), path("a/c/")}));

    // Escape on the combo's open list takes the entry it shows.
    browser->OpenFolder(path("a/c"));
    CFolderComboBox* combo = browser->folderCombo();
    int entryOfA = -1;
    for (int i = 0; i < combo->model().GetCount(); ++i) {
        if (combo->model().GetItem(i).m_strText == QLatin1String("a"))
            entryOfA = i;
    }
    ASSERT_GE(entryOfA, 0);
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model().GetCount() > entryOfA ? combo->view()->model()->index(entryOfA, 0)
                                                                        : QModelIndex());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_EQ(browser->m_strCurrentFolder, path("a/"));

    // A folder that went is replaced by the nearest one on refresh.
    browser->OpenFolder(path("a/c"));
    browser->show();
    QDir(path("a/c")).removeRecursively();
    browser->RefreshFolder(true);
    EXPECT_EQ(browser->m_strCurrentFolder, path("a/"));
    EXPECT_EQ(itemOf(list, QStringLiteral("c")), -1);

    // The end remembers the folder without its last "/".
    browser.reset();
    EXPECT_EQ(remembered(), QStringLiteral("0") + path("a"));
}

TEST_F(ImageBrowserTest, ANarrowBarTakesItsWidthFromTheComboAndTheListFillsIt)
{
    VornaDlgImageBrowser browser;
    browser.resize(700, 160);
    browser.show();
    QCoreApplication::processEvents();
    auto* bookmarks = browser.findChild<QPushButton*>(QStringLiteral("id_1339"));
    const int wideCombo = browser.folderCombo()->width();
    browser.resize(260, 160);
    QCoreApplication::processEvents();
    EXPECT_LT(browser.folderCombo()->width(), wideCombo);
    EXPECT_EQ(bookmarks->width(), 24);
    EXPECT_LE(bookmarks->geometry().right(), browser.width() - 1);
    EXPECT_GT(browser.thumbnailList()->height(), 80);
    EXPECT_GT(browser.thumbnailList()->width(), 200);
}

TEST_F(ImageBrowserTest, TheLastFolderIsSharedWithTheInsertImageDialog)
{
    {
        VornaDlgImageBrowser browser;
        browser.OpenFolder(path("a/b"));
    }
    VornaDialogOpenImage dialog;
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        EXPECT_EQ(dialog.m_strCurrentFolder, path("a/b"));
        dialog.ChangeFolder(path("a/"));
        ModalResponder::press(dialog, platform::IDCANCEL);
    });
    platform::runModal(dialog, IDD_OPEN_IMAGE);
    VornaDlgImageBrowser after;
    EXPECT_EQ(after.m_strCurrentFolder, path("a/"));
    EXPECT_EQ(itemsOf(after.thumbnailList()).last(), QStringLiteral("two.JPG"));
}

TEST_F(ImageBrowserTest, TheDesktopShowsItsPlacesFirstAndTheComputerItsDrives)
{
    QString desktop;
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop), S_OK);
    QDir().mkpath(desktop + QStringLiteral("/on-desktop"));
    picture(desktop + QStringLiteral("/wallpaper.png"), QSize(10, 10));
    remember(QStringLiteral("0") + path("a"));
    VornaDlgImageBrowser browser;
    CVornaImageListCtrl* list = browser.thumbnailList();

    browser.OpenFolder(DesktopDisplayPrefix());
    ASSERT_GE(list->GetItemCount(), 4);
    EXPECT_EQ(list->GetItemText(0), QStringLiteral("マイ コンピュータ"));
    EXPECT_EQ(list->GetItemText(1), QStringLiteral("マイ ドキュメント"));
    EXPECT_EQ(list->GetItemData(0), ImageBrowserModel::ComputerItem);
    EXPECT_EQ(list->GetItemData(1), ImageBrowserModel::DocumentsItem);
    EXPECT_GE(itemOf(list, QStringLiteral("on-desktop")), 2);
    EXPECT_GE(itemOf(list, QStringLiteral("wallpaper.png")), 3);
    EXPECT_EQ(browser.marks().front(), unsigned(ImageBrowserModel::ComputerItem));

    // The computer: the root first, every item a drive.
    browser.OnListDblClk(0);
    EXPECT_EQ(browser.m_strCurrentFolder, ComputerDisplayPrefix());
    ASSERT_GE(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0), QStringLiteral("/"));
    for (int i = 0; i < list->GetItemCount(); ++i)
        EXPECT_EQ(list->GetItemData(i), ImageBrowserModel::DriveItem) << i;
    // Up from the computer: the desktop; a drive opened: its folders.
    ModalResponder::press(browser, IDC_IMAGE_BROWSER_UP);
    EXPECT_EQ(browser.m_strCurrentFolder, DesktopDisplayPrefix());
    browser.OnListDblClk(0);
    browser.OnListDblClk(0);
    EXPECT_EQ(browser.m_strCurrentFolder, QStringLiteral("/"));
    EXPECT_GE(itemOf(list, QStringLiteral("tmp")), 0);
    EXPECT_FALSE(browser.m_bDefaultFolder);
}

TEST_F(ImageBrowserTest, TheLibraryAndTheWebsImagesAreReachedThroughTheMainFramesCommands)
{
    QDir().mkpath(platform::installPath(QStringLiteral("Image")));
    QDir().mkpath(platform::installPath(QStringLiteral("Bin")) + QStringLiteral("/Frame"));
    // No key: the library. An empty value asks for it: the default folder.
    {
        VornaDlgImageBrowser first;
        EXPECT_EQ(first.m_strCurrentFolder, platform::installPath(QStringLiteral("Image")) + QLatin1Char('/'));
        EXPECT_FALSE(first.m_bDefaultFolder);
    }
    remember(QString());
    VornaDlgImageBrowser browser;
    EXPECT_EQ(browser.m_strCurrentFolder, platform::installPath(QStringLiteral("Image")) + QLatin1Char('/'));
    EXPECT_TRUE(browser.m_bDefaultFolder);
    // The library menu's commands go to the main frame, which hands them back.
    QStringList offered;
    chooseFromMenu(browser, &VornaDlgImageBrowser::libraryMenu, QStringLiteral("Frame"), offered);
    ModalResponder::press(browser, IDC_IMAGE_BROWSER_LIBRARY);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Clip Art"), QStringLiteral("Frame"), QStringLiteral("Banner"),
                                    QStringLiteral("Study")}));
    browser.OnImageFrame();
    EXPECT_EQ(browser.m_strCurrentFolder, platform::installPath(QStringLiteral("Bin")) + QStringLiteral("/Frame/"));
    // The library keeps the default-folder state.
    EXPECT_TRUE(browser.m_bDefaultFolder);
    // "My Web" only for a page of the open web.
    CZQView* const someView = reinterpret_cast<CZQView*>(std::uintptr_t(0x10));
    context.active = someView;
    context.inWeb = true;
    context.web = path("a");
    chooseFromMenu(browser, &VornaDlgImageBrowser::libraryMenu, QString(), offered);
    ModalResponder::press(browser, IDC_IMAGE_BROWSER_LIBRARY);
    EXPECT_EQ(offered.last(), QStringLiteral("My Web"));
    QDir().mkpath(path("a/image"));
    browser.OnWebImageFolder();
    EXPECT_EQ(browser.m_strCurrentFolder, path("a/image/"));
    context.inWeb = false;
    browser.OnImageClipArt();
    browser.OnWebImageFolder();
    EXPECT_EQ(browser.m_strCurrentFolder, platform::installPath(QStringLiteral("Image")) + QLatin1Char('/'));
    context.active = nullptr;
}

TEST_F(ImageBrowserTest, BookmarksAreAddedInTheManagerListedInTheMenuAndOpenTheirNearestFolder)
{
    remember(QStringLiteral("0") + path("a"));
    VornaDlgImageBrowser browser;
    // A fresh store: the menu holds only the manager.
    QStringList offered;
    chooseFromMenu(browser, &VornaDlgImageBrowser::bookmarkMenu, QString(), offered);
    ModalResponder::press(browser, IDC_IMAGE_BROWSER_BOOKMARKS);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("ブックマーク管理"), QStringLiteral("-")}));

    // The manager: Edit and Delete off with no bookmark; Add asks for one.
    responder.on(IDD_IMAGE_FAVORITE, [&](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("id_1338"))->isEnabled());
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("id_1009"))->isEnabled());
        ModalResponder::press(dialog, IDC_FAVORITE_ADD);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("id_1006"));
        ASSERT_EQ(list->count(), 1);
        EXPECT_TRUE(list->item(0)->isSelected());
        ModalResponder::press(dialog, platform::IDCANCEL);
    });
    responder.on(IDD_IMAGE_FAVORITE_INFO, [&](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("id_1"));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("id_1041"));
        auto* folder = dialog.findChild<QLineEdit*>(QStringLiteral("id_1006"));
        EXPECT_FALSE(ok->isEnabled());
        name->setText(QStringLiteral("Deep"));
        folder->setText(path("a/missing"));
        EXPECT_FALSE(ok->isEnabled());
        QDir().mkpath(path("a/b/deeper"));
        folder->setText(path("a/b/deeper"));
        EXPECT_TRUE(ok->isEnabled());
        ModalResponder::press(dialog, platform::IDOK);
    });
    browser.OnManageBookmarks();
    EXPECT_EQ(ImageBookmarks::Names(), QStringList{QStringLiteral("Deep")});

    // The menu lists it; chosen, its folder (gone: the nearest) is shown.
    QDir(path("a/b/deeper")).removeRecursively();
    chooseFromMenu(browser, &VornaDlgImageBrowser::bookmarkMenu, QStringLiteral("Deep"), offered);
    ModalResponder::press(browser, IDC_IMAGE_BROWSER_BOOKMARKS);
    EXPECT_EQ(offered.last(), QStringLiteral("Deep"));
    browser.OpenBookmark(ImageBookmarks::kFirstCommand);
    EXPECT_EQ(browser.m_strCurrentFolder, path("a/b/"));
    browser.OpenBookmark(ImageBookmarks::kFirstCommand + 5);
    EXPECT_EQ(browser.m_strCurrentFolder, path("a/b/"));

    // More than twenty stored by other means: the menu lists twenty.
    for (int i = 0; i < 23; ++i)
        ImageBookmarks::Store(QStringLiteral("mark%1").arg(i), path("a"));
    chooseFromMenu(browser, &VornaDlgImageBrowser::bookmarkMenu, QString(), offered);
    ModalResponder::press(browser, IDC_IMAGE_BROWSER_BOOKMARKS);
    EXPECT_EQ(offered.size(), 2 + ImageBookmarks::kMaxBookmarks);
}

TEST_F(ImageBrowserTest, TheManagerRefusesATwentyFirstBookmarkAndANameTakenInAnyCase)
{
    for (int i = 0; i < 19; ++i)
        ImageBookmarks::Store(QStringLiteral("mark%1").arg(i), path("a"));
    ImageBookmarks::Store(QStringLiteral("Photos"), path("a/b"));
    VornaDlgImageFavorite manager;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("20 個まで"));
    responder.answerMessageBox(platform::IDOK, QStringLiteral("既に同じ名前"));
    int infoRuns = 0;
    responder.on(IDD_IMAGE_FAVORITE, [&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("id_1006"));
        ASSERT_EQ(list->count(), 20);
        // The twenty-first: told, no edit dialog.
        ModalResponder::press(dialog, IDC_FAVORITE_ADD);
        EXPECT_EQ(infoRuns, 0);
        // Three selected: Edit is off, Delete removes all three.
        list->clearSelection();
        for (int row : {0, 1, 2})
            list->item(row)->setSelected(true);
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("id_1338"))->isEnabled());
        ModalResponder::press(dialog, IDC_FAVORITE_DELETE);
        EXPECT_EQ(list->count(), 17);
        // Photos edited to the name of another bookmark in other case: told.
        list->clearSelection();
        list->item(list->count() - 1)->setSelected(true);
        ModalResponder::press(dialog, IDC_FAVORITE_EDIT);
        EXPECT_EQ(infoRuns, 1);
        ModalResponder::press(dialog, platform::IDCANCEL);
    });
    responder.on(IDD_IMAGE_FAVORITE_INFO, [&](QDialog& dialog) {
        ++infoRuns;
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("id_1"));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("id_1041"));
        EXPECT_EQ(name->text(), QStringLiteral("Photos"));
        // Unchanged, it cannot be confirmed.
        EXPECT_FALSE(ok->isEnabled());
        name->setText(QStringLiteral("MARK5"));
        ASSERT_TRUE(ok->isEnabled());
        ModalResponder::press(dialog, platform::IDOK);
        EXPECT_TRUE(dialog.isVisible());
        // Emptied, the name cannot be stored.
        name->setText(QString());
        EXPECT_FALSE(ok->isEnabled());
        name->setText(QStringLiteral("Trips"));
        ModalResponder::press(dialog, platform::IDOK);
    });
    platform::runModal(manager, IDD_IMAGE_FAVORITE);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
    const QStringList names = ImageBookmarks::Names();
    EXPECT_EQ(names.last(), QStringLiteral("Trips"));
    EXPECT_FALSE(names.contains(QStringLiteral("Photos")));
    EXPECT_FALSE(names.contains(QStringLiteral("mark0")));
    EXPECT_EQ(ImageBookmarks::Folder(QStringLiteral("Trips")), path("a/b"));
}

TEST_F(ImageBrowserTest, ThePickerRefusesANetworkPlaceAndStaysOpen)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    ASSERT_FALSE(runtime.isEmpty());
    const QString share = runtime + QStringLiteral("/gvfs/smb-share:server=nas,share=photos");
    QDir().mkpath(share);
    responder.answerMessageBox(platform::IDOK, QStringLiteral("外部ネットワーク"));
    responder.on(IDD_IMAGE_FAVORITE_INFO, [&](QDialog& dialog) {
        ModalResponder::press(dialog, IDC_FAVORITE_INFO_BROWSE);
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("id_1006"))->text(), path("a/b"));
        ModalResponder::press(dialog, platform::IDCANCEL);
    });
    responder.on(IDD_BOOKMARK_FOLDER_PICKER, [&](QDialog& dialog) {
        auto& picker = static_cast<QFileDialog&>(dialog);
        picker.selectFile(share);
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        picker.setDirectory(path("a"));
        picker.selectFile(path("a/b"));
        dialog.accept();
    });
    VornaDlgImageFavoriteInfo info;
    platform::runModal(info, IDD_IMAGE_FAVORITE_INFO);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    QDir(runtime + QStringLiteral("/gvfs")).removeRecursively();
}

// ---- in a bar of the running program.

class ImageBrowserInProgram : public FormatPage
{
protected:
    CMainFrame* frame() const { return app->mainFrame(); }
    VornaDlgImageBrowser* browser() const { return frame()->m_pImageBrowser; }
    QPoint onPage(QPoint client) const { return page()->viewport()->mapToGlobal(page()->clientToView(client)); }
};

TEST_F(ImageBrowserInProgram, AnImageDoubleClickedGoesInAtTheNextClickAndOneDraggedWhereItIsDropped)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>本文</P>\n")), nullptr);
    picture(dir.filePath(QStringLiteral("pictures/photo.png")), QSize(48, 30));
    remember(QStringLiteral("0") + dir.filePath(QStringLiteral("pictures")));

    // Window > 画像ブラウザ: the bar at the bottom, checked.
    ASSERT_TRUE(enabled(33456));
    run(33456);
    ASSERT_NE(browser(), nullptr);
    ASSERT_TRUE(frame()->m_pImageBrowserBar->isVisible());
    EXPECT_EQ(frame()->dockWidgetArea(frame()->m_pImageBrowserBar), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(checked(33456));
    CVornaImageListCtrl* list = browser()->thumbnailList();
    ASSERT_EQ(itemsOf(list), QStringList{QStringLiteral("photo.png")});
    ASSERT_TRUE(thumbnailReady(list, 0));
    const int stepsBefore = undoSteps();

    // Double-clicked: the release ending the double-click does not drop; the
    // next click on the page does.
    browser()->OnListDblClk(0);
    ImagePlacer* placer = browser()->placer();
    ASSERT_TRUE(placer->IsPlacing());
    EXPECT_EQ(frame()->m_nImageDragMode, 1);
    EXPECT_EQ(frame()->m_strInsertImageSrc, dir.filePath(QStringLiteral("pictures/photo.png")));
    EXPECT_FALSE(placer->Release(browser()->mapToGlobal(QPoint(5, 5))));
    const QPoint target = onPage(QPoint(150, 120));
    placer->Move(target);
    EXPECT_EQ(placer->DrawnRect().size(), QSize(48, 30));
    EXPECT_TRUE(placer->Release(target));
    settle();
    engine::Element* image = doc()->images().item(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->style().getAttribute(QStringLiteral("left")).toString(), QStringLiteral("150px"));
    EXPECT_EQ(image->style().getAttribute(QStringLiteral("top")).toString(), QStringLiteral("120px"));
    EXPECT_EQ(undoSteps(), stepsBefore + 1);
    EXPECT_EQ(frame()->m_nImageDragMode, 0);

    // Escape before the click: nothing goes in.
    browser()->OnListDblClk(0);
    placer->Release(target);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(placer->IsPlacing());
    EXPECT_EQ(frame()->m_nImageDragMode, 0);
    EXPECT_EQ(doc()->images().length(), 1u);

    // Dragged: dropped over the browser, nothing; on the page, there.
    browser()->OnListBeginDrag(0);
    ASSERT_TRUE(placer->IsPlacing());
    EXPECT_FALSE(placer->Release(browser()->mapToGlobal(browser()->rect().center())));
    browser()->OnListBeginDrag(0);
    const QPoint second = onPage(QPoint(300, 60));
    placer->Move(second);
    EXPECT_TRUE(placer->Release(second));
    settle();
    EXPECT_EQ(doc()->images().length(), 2u);

    // Enter on the selected image: it waits for the next click.
    list->SelectItem(0);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(placer->IsPlacing());
    const QPoint third = onPage(QPoint(40, 200));
    placer->Move(third);
    EXPECT_TRUE(placer->Release(third));
    settle();
    EXPECT_EQ(doc()->images().length(), 3u);

    // A file the decoders refuse is not placed: the user is told.
    const QString broken = dir.filePath(QStringLiteral("pictures/broken.png"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("画像として読み込めません"));
    EXPECT_FALSE(placer->Start(broken));
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_EQ(frame()->m_nImageDragMode, 0);

    // A frame picture never shows the frame cursor over the browser itself.
    const QString frames = platform::dataRoot() + QStringLiteral("/Bin/Frame");
    picture(frames + QStringLiteral("/wood.png"), QSize(40, 40));
    ASSERT_TRUE(placer->Start(frames + QStringLiteral("/wood.png")));
    EXPECT_EQ(placer->CursorAt(browser()->mapToGlobal(browser()->rect().center())), IDC_PLACE_IMAGE_CURSOR);
    placer->Cancel();

    // The command again hides the bar.
    run(33456);
    EXPECT_FALSE(frame()->m_pImageBrowserBar->isVisible());
    EXPECT_FALSE(checked(33456));

    // Shown again and closed from its caption: unchecked, and the editing view coming back leaves it closed.
    run(33456);
    ASSERT_TRUE(frame()->m_pImageBrowserBar->isVisible());
    frame()->m_pImageBrowserBar->close();
    EXPECT_FALSE(frame()->m_bImageBrowserShown);
    EXPECT_FALSE(checked(33456));
}

TEST_F(ImageBrowserInProgram, F5AndComingBackRefreshAndTheFolderIsStoredAtTheEnd)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>本文</P>\n")), nullptr);
    picture(dir.filePath(QStringLiteral("pictures/deeper/one.png")), QSize(20, 20));
    picture(dir.filePath(QStringLiteral("pictures/two.png")), QSize(20, 20));
    remember(QStringLiteral("0") + dir.filePath(QStringLiteral("pictures/deeper")));
    run(33456);
    ASSERT_NE(browser(), nullptr);
    CVornaImageListCtrl* list = browser()->thumbnailList();
    ASSERT_EQ(itemsOf(list), QStringList{QStringLiteral("one.png")});

    // F5 on the page lists an image added meanwhile.
    picture(dir.filePath(QStringLiteral("pictures/deeper/three.png")), QSize(20, 20));
    QApplication::setActiveWindow(frame());
    page()->viewport()->setFocus();
    QTest::keyClick(page()->viewport(), Qt::Key_F5);
    EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("one.png"), QStringLiteral("three.png")}));

    // Back in the program after the folder went: the nearest one there is.
    QDir(dir.filePath(QStringLiteral("pictures/deeper"))).removeRecursively();
    frame()->OnActivateApp();
    EXPECT_EQ(browser()->m_strCurrentFolder, dir.filePath(QStringLiteral("pictures/")));
    EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("two.png")}));

    // The scanner's pages are shown where they went.
    const QString scans = dir.filePath(QStringLiteral("scans"));
    picture(scans + QStringLiteral("/scan1.png"), QSize(20, 20));
    browser()->OpenFolder(scans);
    EXPECT_EQ(itemsOf(list), QStringList{QStringLiteral("scan1.png")});

    // The main frame's end takes the bar before the dock state: the browser
    // stores its folder.
    delete frame()->m_pImageBrowserBar.data();
    EXPECT_EQ(browser(), nullptr);
    EXPECT_EQ(remembered(), QStringLiteral("0") + scans);
}

TEST_F(ImageBrowserInProgram, PagesScannedForAPageOfTheOpenWebAreShownInTheWebsImageFolder)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>本文</P>\n")), nullptr);
    // The page belongs to the open web.
    VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
    frame()->m_bWebOpen = true;
    frame()->m_strWebFolder = dir.path();
    frame()->OnWindowTutorial();
    ASSERT_NE(frame()->siteManagerSheet(), nullptr);
    frame()->siteManagerSheet()->AddOrUpdateFileRow(QStringLiteral("page.html"), QString());
    ASSERT_TRUE(frame()->IsActivePageInWeb());

    SaneTestBackend backend("mode Color\n");
    ModalResponder responder;
    responder.on(VornaTwain::SelectDialogId, [](QDialog& dialog) { ModalResponder::press(dialog, platform::IDOK); });
    responder.on(VornaTwain::ProgressDialogId, [](QDialog& dialog) {
        QDeadlineTimer deadline(60000);
        while (dialog.isVisible() && !deadline.hasExpired())
            QTest::qWait(10);
    });
    responder.answerMessageBox(platform::IDOK, QStringLiteral("イメージを成功にダウンロードしました"));
    run(33481);
    ASSERT_NE(browser(), nullptr);
    EXPECT_EQ(browser()->m_strCurrentFolder, dir.filePath(QStringLiteral("image/")));
    EXPECT_GT(browser()->thumbnailList()->GetItemCount(), 0);
    frame()->m_bWebOpen = false;
    VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
}

} // namespace
