// The insert-image dialog run by a property dialog (modal, id 322) and
// beside a page of the running program (modeless, Insert > Image > Image file).

#include "commands/FormatPage.h"

#include "controls/CFolderComboBox.h"
#include "images/CVornaImageListCtrl.h"
#include "images/ImagePlacer.h"
#include "images/ImageTestFiles.h"
#include "images/ImageWindowTests.h"
#include "images/VornaDialogOpenImage.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/ShellFolders.h"
#include "web/VornaDirListCtrl.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include "support/FakeAppContext.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using platform::ModalResponder;

const QString kKey = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent Opened Dir");

QString storedFolder()
{
    return imagewindowtest::RememberedImageFolder();
}

// Folders of pictures: a/ with b/ and c/ below it, each with pictures.
class PictureFolders
{
public:
    PictureFolders()
    {
        for (const char* folder : {"a", "a/b", "a/c", "a/c/deeper"})
            QDir().mkpath(dir.filePath(QString::fromLatin1(folder)));
        picture("a/one.png", Qt::red);
        picture("a/two.JPG", Qt::green);
        picture("a/b/three.png", Qt::blue);
        picture("a/c/four.gif", Qt::yellow);
        picture("a/c/skip.tif", Qt::yellow);
    }
    void picture(const char* name, QColor colour)
    {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.filePath(QString::fromLatin1(name));
        image.save(path, path.endsWith(QLatin1String(".gif")) ? "PNG" : nullptr);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

QStringList itemsOf(const CVornaImageListCtrl* list)
{
    return imagewindowtest::ItemTexts(list);
}

int rowOf(const VornaDirListCtrl* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text)
            return i;
    }
    return -1;
}

class OpenImageDialogTest : public ::testing::Test
{
protected:
    // Nothing remembered from a test run before in the same process.
    OpenImageDialogTest() { CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, kKey); }

    FakeAppContext context;
    PictureFolders folders;
    ModalResponder responder;
};

TEST_F(OpenImageDialogTest, APropertyDialogGetsTheChosenPictureWrittenWithSlashes)
{
    VornaDialogOpenImage dialog;
    dialog.m_strCurrentFolder = folders.path("a/");
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        // No key yet: the caller's folder, its pictures in the language's order.
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), (QStringList{QStringLiteral("one.png"), QStringLiteral("two.JPG")}));
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("id_1"))->isEnabled());
        dialog.thumbnailList()->SelectItem(1);
        EXPECT_TRUE(dialog.findChild<QPushButton*>(QStringLiteral("id_1"))->isEnabled());
        ModalResponder::press(dialog, 1);
    });
    EXPECT_EQ(platform::runModal(dialog, IDD_OPEN_IMAGE), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultPath, folders.path("a/two.JPG"));
    // The folder is remembered, shown whole.
    EXPECT_EQ(storedFolder(), QStringLiteral("0") + folders.path("a/"));
}

TEST_F(OpenImageDialogTest, InsertWithoutAPictureSaysSoAndTheDialogStays)
{
    VornaDialogOpenImage dialog;
    dialog.m_strCurrentFolder = folders.path("a/");
    responder.answerMessageBox(platform::IDOK, QStringLiteral("画像が選択されていません"));
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        // Insert is off until a picture is chosen; Enter still reaches it.
        EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("id_1"))->isEnabled());
        dialog.OnOK();
        EXPECT_TRUE(dialog.isVisible());
        ModalResponder::press(dialog, 2);
    });
    EXPECT_EQ(platform::runModal(dialog, IDD_OPEN_IMAGE), platform::IDCANCEL);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
}

TEST_F(OpenImageDialogTest, FirstUseWithoutAFolderShowsTheComputerAndNoPictures)
{
    VornaDialogOpenImage dialog;
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        EXPECT_EQ(dialog.thumbnailList()->GetItemCount(), 0);
        EXPECT_GE(rowOf(dialog.folderList(), QStringLiteral("/")), -1);
        EXPECT_GT(dialog.folderList()->count(), 0);
        ModalResponder::press(dialog, 2);
    });
    platform::runModal(dialog, IDD_OPEN_IMAGE);
}

TEST_F(OpenImageDialogTest, FoldersOfTheListAndBackWalkTheHistory)
{
    VornaDialogOpenImage dialog;
    dialog.m_strCurrentFolder = folders.path("a/");
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        VornaDirListCtrl* list = dialog.folderList();
        auto* back = dialog.findChild<QPushButton*>(QStringLiteral("id_1018"));
        EXPECT_FALSE(back->isEnabled());
        // The folder list shows a's folders; choosing one shows its pictures.
        ASSERT_GE(rowOf(list, QStringLiteral("b")), 0);
        list->setCurrentRow(rowOf(list, QStringLiteral("b")));
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/b"));
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("three.png")});
        list->setCurrentRow(rowOf(list, QStringLiteral("c")));
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("four.gif")});
        EXPECT_TRUE(back->isEnabled());
        // Back twice: b, then a.
        ModalResponder::press(dialog, 1018);
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/b"));
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("three.png")});
        ModalResponder::press(dialog, 1018);
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/"));
        EXPECT_FALSE(back->isEnabled());
        // A move after Back drops what lay ahead.
        list->setCurrentRow(rowOf(list, QStringLiteral("c")));
        EXPECT_EQ(dialog.m_arrHistory, (QStringList{folders.path("a/"), folders.path("a/c")}));
        // The view switch refills the same folder as names.
        ModalResponder::press(dialog, 1017);
        EXPECT_EQ(dialog.m_nViewMode, 0);
        EXPECT_TRUE(dialog.thumbnailList()->listStyle());
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("four.gif")});
        dialog.thumbnailList()->SelectItem(0);
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("id_1217"))->text(), QStringLiteral("four.gif"));
        // Up shows the folder above the listed one.
        ModalResponder::press(dialog, 1008);
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.dir.path() + QLatin1Char('/'));
        EXPECT_GE(rowOf(list, QStringLiteral("a")), 0);
        ModalResponder::press(dialog, 2);
    });
    platform::runModal(dialog, IDD_OPEN_IMAGE);
    // The list view is remembered.
    CRegistryEx reg(HKEY_CURRENT_USER);
    quint32 view = 1;
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, kKey));
    reg.ReadDWord(QStringLiteral("Image Thumbnail"), view);
    EXPECT_EQ(view, 0u);
}

TEST_F(OpenImageDialogTest, TheLibraryMenuShowsTheInstalledFoldersAndTheWebsImagesOnlyForAPageOfTheWeb)
{
    QDir().mkpath(platform::dataRoot() + QStringLiteral("/Bin/Frame"));
    QDir().mkpath(platform::dataRoot() + QStringLiteral("/Image"));
    // An empty value: the library's own folder, and the library state kept.
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kKey));
    reg.WriteString(QStringLiteral("Recent Opened Image"), QString());
    VornaDialogOpenImage dialog;
    QStringList offered;
    const auto choose = [&](int index) {
        QTimer::singleShot(0, &dialog, [&, index] {
            QMenu* menu = dialog.libraryMenu();
            ASSERT_NE(menu, nullptr);
            offered.clear();
            for (QAction* action : menu->actions())
                offered << action->text();
            menu->actions().at(index)->trigger();
            menu->close();
        });
        ModalResponder::press(dialog, 1016);
    };
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        EXPECT_EQ(dialog.m_strCurrentFolder, platform::dataRoot() + QStringLiteral("/Image/"));
        choose(1);
        EXPECT_EQ(offered, (QStringList{QStringLiteral("Clip Art"), QStringLiteral("Frame"), QStringLiteral("Banner"),
                                        QStringLiteral("Study")}));
        // The frames' folder without its last "/": listed in Bin, selected.
        EXPECT_EQ(dialog.m_strCurrentFolder, platform::dataRoot() + QStringLiteral("/Bin/Frame"));
        EXPECT_GE(dialog.folderList()->currentRow(), 0);
        choose(0);
        EXPECT_EQ(dialog.m_strCurrentFolder, platform::dataRoot() + QStringLiteral("/Image/"));
        // A page of the open web: its image folder too.
        context.inWeb = true;
        context.web = folders.path("a");
        choose(4);
        EXPECT_EQ(offered.size(), 5);
        EXPECT_EQ(offered.last(), QStringLiteral("My Web"));
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a"));
        ModalResponder::press(dialog, 2);
    });
    platform::runModal(dialog, IDD_OPEN_IMAGE);
    // The library's folders do not leave the library state.
    EXPECT_TRUE(storedFolder().startsWith(QLatin1Char('1')));
}

TEST_F(OpenImageDialogTest, AFolderEnteredWithEnterShowsItsOwnPicturesAndAClickOnItsFirstFolderOpensThat)
{
    VornaDialogOpenImage dialog;
    dialog.m_strCurrentFolder = folders.dir.path() + QLatin1Char('/');
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        VornaDirListCtrl* list = dialog.folderList();
        list->setCurrentRow(rowOf(list, QStringLiteral("a")));
        ASSERT_EQ(dialog.m_strCurrentFolder, folders.path("a"));
        QTest::keyClick(list, Qt::Key_Return);
        // Inside a: its pictures, and its first folder only under the focus.
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/"));
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), (QStringList{QStringLiteral("one.png"), QStringLiteral("two.JPG")}));
        ASSERT_EQ(list->currentRow(), rowOf(list, QStringLiteral("b")));
        EXPECT_TRUE(list->selectedItems().isEmpty());
        // A click on that first folder opens it.
        const QRect b = list->visualItemRect(list->item(rowOf(list, QStringLiteral("b"))));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, b.center());
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/b"));
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("three.png")});
        ModalResponder::press(dialog, 2);
    });
    platform::runModal(dialog, IDD_OPEN_IMAGE);
}

TEST_F(OpenImageDialogTest, AFolderWithoutFoldersOpenedByDoubleClickKeepsItsPicturesForTheChosenPath)
{
    VornaDialogOpenImage dialog;
    dialog.m_strCurrentFolder = folders.path("a/");
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        VornaDirListCtrl* list = dialog.folderList();
        // b has no folders: the click shows its pictures, the double-click
        // that follows cannot enter it and leaves it chosen.
        const QRect b = list->visualItemRect(list->item(rowOf(list, QStringLiteral("b"))));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, b.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, b.center());
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/b"));
        ASSERT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("three.png")});
        // Enter on it does the same.
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/b"));
        dialog.thumbnailList()->SelectItem(0);
        ModalResponder::press(dialog, 1);
    });
    EXPECT_EQ(platform::runModal(dialog, IDD_OPEN_IMAGE), platform::IDOK);
    EXPECT_EQ(dialog.m_strResultPath, folders.path("a/b/three.png"));
}

TEST_F(OpenImageDialogTest, AFolderThatWentIsReplacedByTheNearestOneOnRefresh)
{
    VornaDialogOpenImage dialog;
    dialog.m_strCurrentFolder = folders.path("a/c/deeper/");
    responder.on(IDD_OPEN_IMAGE, [&](QDialog&) {
        QDir(folders.path("a/c/deeper")).removeRecursively();
        dialog.RefreshFolder(true);
        EXPECT_EQ(dialog.m_strCurrentFolder, folders.path("a/c/"));
        EXPECT_EQ(itemsOf(dialog.thumbnailList()), QStringList{QStringLiteral("four.gif")});
        ModalResponder::press(dialog, 2);
    });
    platform::runModal(dialog, IDD_OPEN_IMAGE);
}

// --- beside a page of the running program.

class OpenImageBesidePage : public FormatPage
{
protected:
    CMainFrame* frame() const { return app->mainFrame(); }
    VornaDialogOpenImage* openDialog()
    {
        run(33169);
        QList<VornaDialogOpenImage*> dialogs = frame()->findChildren<VornaDialogOpenImage*>();
        return dialogs.size() == 1 ? dialogs.front() : nullptr;
    }
    QString picture(const char* name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = dir.filePath(QString::fromLatin1(name));
        QDir().mkpath(QFileInfo(path).absolutePath());
        image.save(path);
        return path;
    }
};

TEST_F(OpenImageBesidePage, InsertArmsTheClickAndADraggedThumbnailGoesWhereItIsDropped)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>本文</P>\n")), nullptr);
    picture("pictures/photo.png", QSize(48, 30));
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kKey));
    reg.WriteString(QStringLiteral("Recent Opened Image"),
                    QStringLiteral("0") + dir.filePath(QStringLiteral("pictures/")));

    // One dialog at a time, at the folder left last.
    VornaDialogOpenImage* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    run(33169);
    EXPECT_EQ(frame()->findChildren<VornaDialogOpenImage*>().size(), 1);
    EXPECT_EQ(AppContext::instance().imageDialogWindow(), dialog);
    ASSERT_EQ(itemsOf(dialog->thumbnailList()), QStringList{QStringLiteral("photo.png")});

    // A thumbnail dragged onto the page, the dialog beside it.
    dialog->move(frame()->frameGeometry().right() + 40, 0);
    ImagePlacer* placer = dialog->placer();
    ASSERT_TRUE(placer->Start(dir.filePath(QStringLiteral("pictures/photo.png"))));
    EXPECT_EQ(frame()->m_nImageDragMode, 1);
    EXPECT_EQ(frame()->m_rcInsert, QRect(QPoint(-1, -1), QSize(48, 30)));
    const QPoint target = page()->viewport()->mapToGlobal(page()->clientToView(QPoint(150, 120)));
    placer->Move(target);
    EXPECT_EQ(placer->CursorAt(target), IDC_PLACE_IMAGE_CURSOR);
    EXPECT_EQ(placer->DrawnRect().size(), QSize(48, 30));
    EXPECT_TRUE(placer->Release(target));
    settle();
    engine::Element* image = doc()->images().item(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->style().getAttribute(QStringLiteral("left")).toString(), QStringLiteral("150px"));
    EXPECT_EQ(image->style().getAttribute(QStringLiteral("top")).toString(), QStringLiteral("120px"));
    EXPECT_EQ(frame()->m_nImageDragMode, 0);
    EXPECT_EQ(frame()->m_nInsertKind, 0);

    // Released over the dialog, or after Escape: nothing goes in.
    ASSERT_TRUE(placer->Start(dir.filePath(QStringLiteral("pictures/photo.png"))));
    const QPoint overDialog = dialog->mapToGlobal(dialog->rect().center());
    placer->Move(overDialog);
    EXPECT_FALSE(placer->Release(overDialog));
    ASSERT_TRUE(placer->Start(dir.filePath(QStringLiteral("pictures/photo.png"))));
    placer->Move(target);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(placer->IsPlacing());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(doc()->images().length(), 1u);

    // Insert: the picture waits for the click, and the dialog goes.
    dialog->thumbnailList()->SelectItem(0);
    ModalResponder::press(*dialog, 1);
    settle();
    EXPECT_EQ(frame()->m_nInsertKind, 2);
    EXPECT_EQ(frame()->m_strInsertImageSrc, dir.filePath(QStringLiteral("pictures/photo.png")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame()->findChildren<VornaDialogOpenImage*>().isEmpty());
    EXPECT_FALSE(frame()->m_bOpenImageShown);
    EXPECT_EQ(AppContext::instance().imageDialogWindow(), nullptr);
}

TEST_F(OpenImageBesidePage, InsertOfAFileThatIsNoPictureSaysSoAndArmsNoClick)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>本文</P>\n")), nullptr);
    picture("pictures/good.png", QSize(20, 20));
    QFile text(dir.filePath(QStringLiteral("pictures/broken.png")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kKey));
    reg.WriteString(QStringLiteral("Recent Opened Image"),
                    QStringLiteral("0") + dir.filePath(QStringLiteral("pictures/")));
    VornaDialogOpenImage* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const int broken = itemsOf(dialog->thumbnailList()).indexOf(QStringLiteral("broken.png"));
    ASSERT_GE(broken, 0);

    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("画像として読み込めません"));
    dialog->thumbnailList()->SelectItem(broken);
    ModalResponder::press(*dialog, 1);
    settle();
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    EXPECT_TRUE(frame()->m_strInsertImageSrc.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(doc()->images().length(), 0u);

    // A picture chosen then goes in as before.
    dialog->thumbnailList()->SelectItem(itemsOf(dialog->thumbnailList()).indexOf(QStringLiteral("good.png")));
    ModalResponder::press(*dialog, 1);
    settle();
    EXPECT_EQ(frame()->m_nInsertKind, 2);
    EXPECT_EQ(frame()->m_strInsertImageSrc, dir.filePath(QStringLiteral("pictures/good.png")));
}

TEST_F(OpenImageBesidePage, F5AndComingBackToTheProgramLookAtTheFolderAgain)
{
    ASSERT_NE(open(QStringLiteral(">\n<P id=flow>本文</P>\n")), nullptr);
    picture("pictures/deeper/one.png", QSize(20, 20));
    picture("pictures/two.png", QSize(20, 20));
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, kKey));
    reg.WriteString(QStringLiteral("Recent Opened Image"),
                    QStringLiteral("0") + dir.filePath(QStringLiteral("pictures/deeper/")));
    VornaDialogOpenImage* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(itemsOf(dialog->thumbnailList()), QStringList{QStringLiteral("one.png")});

    // F5 on the page: a picture added meanwhile is listed.
    picture("pictures/deeper/three.png", QSize(20, 20));
    QApplication::setActiveWindow(frame());
    page()->viewport()->setFocus();
    QTest::keyClick(page()->viewport(), Qt::Key_F5);
    EXPECT_EQ(itemsOf(dialog->thumbnailList()), (QStringList{QStringLiteral("one.png"), QStringLiteral("three.png")}));

    // Back in the program after the folder went: the nearest one there is.
    QDir(dir.filePath(QStringLiteral("pictures/deeper"))).removeRecursively();
    frame()->OnActivateApp();
    EXPECT_EQ(dialog->m_strCurrentFolder, dir.filePath(QStringLiteral("pictures/")));
    EXPECT_EQ(itemsOf(dialog->thumbnailList()), QStringList{QStringLiteral("two.png")});
    dialog->OnCancel();
}

TEST_F(OpenImageBesidePage, AFramePictureOverAPictureWhoseFileExistsShowsTheFrameCursor)
{
    const QString photo = picture("photo.png", QSize(80, 60));
    ASSERT_NE(open(QStringLiteral(">\n<IMG id=pic src=\"%1\" style=\"POSITION: absolute; LEFT: 40px; TOP: 40px\">\n")
                       .arg(QUrl::fromLocalFile(photo).toString())),
              nullptr);
    const QString frames = platform::dataRoot() + QStringLiteral("/Bin/Frame");
    QDir().mkpath(frames);
    QImage frameImage(40, 40, QImage::Format_RGB32);
    frameImage.fill(Qt::black);
    ASSERT_TRUE(frameImage.save(frames + QStringLiteral("/wood.png")));
    VornaDialogOpenImage* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    ImagePlacer* placer = dialog->placer();
    ASSERT_TRUE(placer->Start(frames + QStringLiteral("/wood.png")));
    const QPoint overPicture = page()->viewport()->mapToGlobal(page()->clientToView(QPoint(60, 60)));
    const QPoint elsewhere = page()->viewport()->mapToGlobal(page()->clientToView(QPoint(400, 300)));
    EXPECT_EQ(placer->CursorAt(overPicture), IDC_PLACE_FRAME_CURSOR);
    EXPECT_EQ(placer->CursorAt(elsewhere), IDC_PLACE_IMAGE_CURSOR);
    // Its file deleted: the plain cursor.
    QFile::remove(photo);
    EXPECT_EQ(placer->CursorAt(overPicture), IDC_PLACE_IMAGE_CURSOR);
    placer->Cancel();
    // An address with escapes is read as an address.
    EXPECT_EQ(ImagePlacer::LocalFileOfSource(QUrl::fromLocalFile(frames + QStringLiteral("/wood.png"))
                                                 .toString()
                                                 .replace(QStringLiteral("wood"), QStringLiteral("w%6Fod")),
                                             QString()),
              frames + QStringLiteral("/wood.png"));
    EXPECT_TRUE(ImagePlacer::LocalFileOfSource(QStringLiteral("http://example.jp/wood.png"), QString()).isEmpty());
}

} // namespace
