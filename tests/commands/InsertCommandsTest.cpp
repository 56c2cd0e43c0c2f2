// The Insert menu and the object toolbar on a page of the running program:
// what each command arms for the next click, the windows that choose what to
// insert, and when each command is offered.

#include "FormatPage.h"

#include "app/CZQDoc.h"
#include "commands/InsertExtent.h"
#include "dialogs/VornaDialogAdvancedObject.h"
#include "dialogs/VornaDlgSymbol.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "images/ImageFiles.h"
#include "images/ImageLibraryFolders.h"
#include "images/CVornaImageListCtrl.h"
#include "images/VornaDialogOpenImage.h"
#include "images/VornaDlgImageBrowser.h"
#include "images/VornaPropertySheetTextImage.h"
#include "res/resource.h"
#include "util/FileHelpers.h"

#include "controls/CFileDialog.h"
#include "controls/CVornaComboBox.h"

#include "engine/view/DesignModeInput.h"

#include "platform/ModalResponder.h"

#include "support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

using platform::ModalResponder;

class InsertCommands : public FormatPage
{
protected:
    CMainFrame* frame() const { return app->mainFrame(); }

    QString picture(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    CZQView* openPage()
    {
        return open(QStringLiteral(
            ">\n<TABLE id=text style=\"POSITION: absolute; LEFT: 20px; TOP: 20px\"><TR><TD id=box>箱</TD></TR>"
            "</TABLE>\n<DIV><P id=flow>本文</P></DIV>\n"));
    }
    engine::Element* captured() const { return page()->input().captureElement(); }
    // The extent the insertion state holds, with its unplaced corner.
    void expectArmed(int kind, QSize extent)
    {
        EXPECT_EQ(frame()->m_nInsertKind, kind);
        EXPECT_EQ(frame()->m_rcInsert.topLeft(), QPoint(-1, -1)) << kind;
        EXPECT_EQ(frame()->m_rcInsert.size(), extent) << kind;
    }
    void cancel()
    {
        sink()->CancelInsertMode();
        EXPECT_EQ(captured(), nullptr);
    }
};

TEST(InsertExtent, EachKindStartsWithItsDefaultExtent)
{
    InsertExtentInput in;
    in.viewWidth = 837;
    const auto extent = [&](int kind, int mediaType = 0) {
        in.kind = kind;
        in.mediaType = mediaType;
        return DefaultInsertExtent(in);
    };
    EXPECT_EQ(extent(7), QSize(640, 2)) << "(837 - 37) x 0.8";
    EXPECT_EQ(extent(9), QSize(640, 0));
    EXPECT_EQ(extent(1), QSize(100, 20));
    EXPECT_EQ(extent(10), QSize(100, 20));
    EXPECT_EQ(extent(3, 0), QSize(400, 300));
    EXPECT_EQ(extent(3, 2), QSize(400, 300));
    EXPECT_EQ(extent(3, 3), QSize(280, 100));
    EXPECT_EQ(extent(3, 4), QSize(0, 0)) << "a Flash counter";
    EXPECT_EQ(extent(8), QSize(0, 0));
    in.tableSize = QSize(300, 120);
    EXPECT_EQ(extent(4), QSize(300, 120));
    in.viewWidth = 838; // 640.8 truncated
    EXPECT_EQ(extent(7).width(), 640);
    in.viewWidth = 20; // narrower than the margins
    EXPECT_EQ(extent(9).width(), 0);

    QTemporaryDir dir;
    QImage image(33, 17, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir.filePath(QStringLiteral("a.png"))));
    in.imageSrc = dir.filePath(QStringLiteral("a.png"));
    EXPECT_EQ(extent(2), QSize(33, 17));
    EXPECT_EQ(extent(6), QSize(33, 17));
    in.imageFlag = 1;
    EXPECT_EQ(extent(2), QSize(0, 0)) << "a counter image is not measured";
    in.imageFlag = 0;
    in.imageSrc = dir.filePath(QStringLiteral("missing.png"));
    EXPECT_EQ(extent(2), QSize(0, 0)) << "the engine's click extent applies";
}

TEST_F(InsertCommands, ClickArmedCommandsTakeTheMouseWithTheirKindAndExtent)
{
    ASSERT_NE(openPage(), nullptr);
    const int wide = (view()->frameGeometry().width() - 37) * 4 / 5;
    const struct
    {
        int command;
        int kind;
        QSize extent;
    } cases[] = {{33128, 1, {100, 20}}, {32920, 7, {wide, 2}}, {33482, 9, {wide, 0}}, {33500, 10, {100, 20}}};
    for (const auto& c : cases) {
        run(c.command);
        expectArmed(c.kind, c.extent);
        EXPECT_EQ(captured(), doc()->body()) << c.command;
        cancel();
        EXPECT_EQ(frame()->m_nInsertKind, 0);
    }
    // The image-map tools leave the mouse to the page.
    EXPECT_EQ(frame()->BeginInsertObject(8), 0);
    EXPECT_EQ(frame()->m_nInsertKind, 8);
    EXPECT_EQ(captured(), nullptr);
    frame()->m_nInsertKind = 0;

    // The armed text box goes in where it is placed.
    run(33128);
    QPoint point(200, 150);
    EXPECT_GE(sink()->InsertPositionedObject(point), 0);
    const engine::ElementCollection tables = doc()->getElementsByTagName(QStringLiteral("TABLE"));
    ASSERT_EQ(tables.length(), 2);
    EXPECT_EQ(tables.item(1)->id(), QStringLiteral("text"));
    EXPECT_EQ(tables.item(1)->style().left(), QStringLiteral("200px"));
    EXPECT_EQ(captured(), nullptr) << "the page lets go of the mouse";
}

TEST_F(InsertCommands, NothingIsArmedWithoutAPageOrOutsideTheEditingView)
{
    frame()->m_nInsertKind = 0;
    frame()->m_rcInsert = QRect(5, 5, 10, 10);
    EXPECT_EQ(frame()->BeginInsertObject(1), -1);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    EXPECT_EQ(frame()->m_rcInsert, QRect(5, 5, 10, 10));
    for (int id : {33128, 32920, 33482, 33169, 33406, 33477, 33353, 620, 621})
        EXPECT_FALSE(enabled(id)) << id;

    ASSERT_NE(openPage(), nullptr);
    view()->GetParentFrame()->m_bEditShown = false; // the source or the preview is shown
    frame()->RunInsertForPageView(QString(), false);
    for (int id : {33128, 32920, 33482})
        app->commands()->sendCommand(id);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    view()->GetParentFrame()->m_bEditShown = true;
}

TEST_F(InsertCommands, CommandsAreOfferedAsTheSelectionAllows)
{
    ASSERT_NE(openPage(), nullptr);
    for (int id : {33128, 33169, 32920, 33477, 33481, 33482, 33406, 33407, 33460, 33409, 620, 621})
        EXPECT_TRUE(enabled(id)) << id;
    // Symbols only where text is edited: a table, a marquee, the page's flow.
    doc()->selection().collapseAt(doc()->body(), 0);
    settle();
    EXPECT_FALSE(enabled(33353));
    caretIn("flow");
    EXPECT_TRUE(enabled(33353));
    caretIn("box");
    EXPECT_TRUE(enabled(33353));
    // The area tools with an image selected, the select tool checked.
    EXPECT_FALSE(enabled(ID_AREA_RECT));
    view()->m_dwSelKind = 0x8;
    EXPECT_TRUE(enabled(ID_AREA_RECT));
    EXPECT_TRUE(checked(ID_AREA_SELECT));
    EXPECT_FALSE(checked(ID_AREA_RECT));
    // Paste follows the clipboard.
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
    QGuiApplication::clipboard()->setText(QStringLiteral("貼る"));
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));
    // Delete names the page's Delete key without taking it from edit boxes.
    enabled(ID_EDIT_DELETE);
    enabled(ID_EDIT_DELETE);
    const QAction* del = app->commands()->action(ID_EDIT_DELETE);
    EXPECT_EQ(del->text(), QStringLiteral("削除(&D)\tDel"));
    EXPECT_TRUE(del->shortcut().isEmpty());
}

TEST_F(InsertCommands, TheTextObjectLeavesAnyMenuThatShowsIt)
{
    QMenu menu;
    QAction* before = menu.addAction(QStringLiteral("前"));
    menu.addSeparator();
    menu.addAction(app->commands()->action(33500));
    QMenu other;
    QAction* kept = other.addAction(QStringLiteral("残る"));
    app->commands()->updateCommand(33500);
    EXPECT_EQ(menu.actions(), QList<QAction*>{before});
    EXPECT_EQ(other.actions(), QList<QAction*>{kept});
}

TEST_F(InsertCommands, AMediaObjectChosenInItsDialogWaitsForItsClick)
{
    ASSERT_NE(openPage(), nullptr);
    const QString movie = dir.filePath(QStringLiteral("Movies/a b.avi"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("Movies"))));
    ASSERT_TRUE(writeTestFile(movie, "RIFF"));
    ModalResponder responder;
    responder.on(VornaDialogAdvancedObject::kDialogId, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("開く - Media Player"));
        static_cast<CFileDialog&>(d).selectFile(movie);
        ModalResponder::setChecked(d, 1512, true);
        ModalResponder::press(d, platform::IDOK);
    });
    run(33460);
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(frame()->m_nInsertMediaType, 2);
    EXPECT_EQ(frame()->m_strInsertMediaSrc, movie);
    EXPECT_TRUE(frame()->m_bMediaAutoPlay);
    EXPECT_FALSE(frame()->m_bMediaLoop);
    expectArmed(3, QSize(400, 300));
    QPoint point(300, 200);
    EXPECT_GE(sink()->InsertPositionedObject(point), 0);
    engine::Element* embed = doc()->getElementsByTagName(QStringLiteral("EMBED")).item(0);
    ASSERT_NE(embed, nullptr);
    EXPECT_EQ(embed->getAttributeText(QStringLiteral("src")), movie);
    EXPECT_EQ(embed->getAttributeText(QStringLiteral("autoplay")), QStringLiteral("true"));
    EXPECT_EQ(embed->getAttributeText(QStringLiteral("loop")), QStringLiteral("false"));

    // A typed address goes in as it stands.
    responder.on(VornaDialogAdvancedObject::kDialogId, [](QDialog& d) {
        auto* box = d.findChild<CVornaComboBox*>(QStringLiteral("id_1514"));
        ASSERT_NE(box, nullptr);
        QApplication::setActiveWindow(&d);
        box->lineEdit()->setFocus();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("http://example.jp/Song.ra"));
        ModalResponder::press(d, platform::IDOK);
    });
    run(33409);
    EXPECT_EQ(frame()->m_strInsertMediaSrc, QStringLiteral("http://example.jp/Song.ra"));
    expectArmed(3, QSize(280, 100));
    cancel();

    // Cancelled: only the media type is taken.
    responder.answer(VornaDialogAdvancedObject::kDialogId, platform::IDCANCEL);
    run(33406);
    EXPECT_EQ(frame()->m_nInsertMediaType, 0);
    EXPECT_EQ(frame()->m_strInsertMediaSrc, QStringLiteral("http://example.jp/Song.ra"));
    EXPECT_EQ(frame()->m_nInsertKind, 0);
}

TEST_F(InsertCommands, TheInsertImageDialogIsOneAndArmsTheChosenImage)
{
    ASSERT_NE(openPage(), nullptr);
    const QString photo = picture(QStringLiteral("photos/写真.png"), QSize(48, 30));
    frame()->m_nInsertImageFlag = 1; // a counter went in before
    run(33169);
    run(33169);
    QList<VornaDialogOpenImage*> dialogs = frame()->findChildren<VornaDialogOpenImage*>();
    ASSERT_EQ(dialogs.size(), 1);
    VornaDialogOpenImage* dialog = dialogs.front();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(frame()->m_pDlgOpenImage, dialog);

    // The image library's folders, when the dialog asked for the menu.
    frame()->m_strImagePopupOwner.clear();
    run(33486);
    EXPECT_NE(dialog->m_strCurrentFolder, ImageLibraryFolder(33486));
    frame()->m_strImagePopupOwner = QStringLiteral("ImageDialog");
    run(33486);
    EXPECT_EQ(dialog->m_strCurrentFolder, ImageLibraryFolder(33486));

    // Chosen: it waits for its click, and the dialog goes.
    dialog->ChangeFolder(QFileInfo(photo).absolutePath() + QLatin1Char('/'));
    ASSERT_EQ(dialog->thumbnailList()->GetItemCount(), 1);
    dialog->thumbnailList()->SelectItem(0);
    ModalResponder::press(*dialog, 1);
    settle();
    EXPECT_EQ(frame()->m_strInsertImageSrc, photo);
    EXPECT_EQ(frame()->m_nInsertImageFlag, 0);
    expectArmed(2, QSize(48, 30));
    EXPECT_EQ(captured(), doc()->body());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame()->findChildren<VornaDialogOpenImage*>().isEmpty());
    QPoint point(120, 140);
    EXPECT_GE(sink()->InsertPositionedObject(point), 0);
    engine::Element* image = doc()->images().item(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->style().getAttribute(QStringLiteral("top")).toString(), QStringLiteral("140px"));

    // The next command makes a new one.
    run(33169);
    EXPECT_EQ(frame()->findChildren<VornaDialogOpenImage*>().size(), 1);
}

TEST_F(InsertCommands, LibraryCommandsSteerTheBrowserThatAskedForThem)
{
    ASSERT_NE(openPage(), nullptr);
    frame()->m_pImageBrowser = new VornaDlgImageBrowser(frame());
    frame()->m_strImagePopupOwner = QStringLiteral("ImageBrowser");
    run(33485);
    EXPECT_EQ(frame()->m_pImageBrowser->m_strCurrentFolder, ImageLibraryFolder(33485) + QLatin1Char('/'));
    run(33488);
    EXPECT_EQ(frame()->m_pImageBrowser->m_strCurrentFolder, ImageLibraryFolder(33488) + QLatin1Char('/'));
    delete frame()->m_pImageBrowser.data();
    run(33487); // the browser has gone: nothing happens
}

TEST_F(InsertCommands, TheSymbolPaletteIsMadeOnceAndFollowsTheCaret)
{
    ASSERT_NE(openPage(), nullptr);
    caretIn("box");
    run(33353);
    QPointer<VornaDlgSymbol> palette = frame()->m_pDlgSymbol;
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisible());
    EXPECT_TRUE(palette->m_btnInsert->isEnabled());
    palette->hide();
    run(33353);
    EXPECT_EQ(frame()->m_pDlgSymbol, palette);
    EXPECT_TRUE(palette->isVisible());
    EXPECT_EQ(frame()->findChildren<VornaDlgSymbol*>().size(), 1);
    doc()->selection().collapseAt(doc()->body(), 0);
    settle();
    EXPECT_FALSE(enabled(33353));
    EXPECT_FALSE(palette->m_btnInsert->isEnabled());
    caretIn("flow");
    EXPECT_TRUE(palette->m_btnInsert->isEnabled());
}

TEST_F(InsertCommands, ABannerWaitsForItsClickOrReplacesTheSelectedImage)
{
    QDir(UserImageFolder()).removeRecursively();
    const QString photo = picture(QStringLiteral("img/my pic.png"), QSize(60, 40));
    ASSERT_NE(open(QStringLiteral(">\n<IMG id=photo src=\"file://%1\" style=\"POSITION: absolute; LEFT: 10px; "
                                  "TOP: 10px\">\n<DIV><P id=flow>本文</P></DIV>\n")
                       .arg(QString(photo).replace(QLatin1String(" "), QLatin1String("%20")))),
              nullptr);
    frame()->m_nInsertImageFlag = 1; // a counter went in before
    ModalResponder responder;
    const auto typeBanner = [](QDialog& d) {
        EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("id_1"))->isEnabled()) << "no banner without text";
        ModalResponder::setText(d, 1006, QStringLiteral("Paginor"));
        ModalResponder::press(d, platform::IDOK);
    };
    responder.on(VornaPropertySheetTextImage::kDialogId, typeBanner);
    caretIn("flow");
    run(33477);
    const QString first = QDir(UserImageFolder()).filePath(QStringLiteral("UserImage0.GIF"));
    EXPECT_EQ(frame()->m_strInsertImageSrc, first);
    EXPECT_EQ(frame()->m_nInsertImageFlag, 0) << "the banner is no counter";
    expectArmed(2, GetImageFileSize(first));
    EXPECT_FALSE(GetImageFileSize(first).isEmpty());
    cancel();

    // The selected image is the banner's picture and shows the banner.
    selectObjects({"photo"});
    const int steps = undoSteps();
    responder.on(VornaPropertySheetTextImage::kDialogId, [&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("id_1524"))->text(), photo);
        typeBanner(d);
    });
    run(33477);
    const QString second = QDir(UserImageFolder()).filePath(QStringLiteral("UserImage1.GIF"));
    EXPECT_EQ(byId("photo")->getAttributeText(QStringLiteral("src")), second);
    EXPECT_EQ(GetImageFileSize(second), QSize(60, 40));
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(frame()->m_nInsertKind, 0);

    // Cancelled: the page stays.
    responder.answer(VornaPropertySheetTextImage::kDialogId, platform::IDCANCEL);
    run(33477);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(responder.pending(), 0);
}

TEST_F(InsertCommands, TheMainFramesImageMapPaintersGoWithTheirPage)
{
    ASSERT_NE(openPage(), nullptr);
    auto painter = std::make_shared<CHTMLPainterImageMap>();
    painter->m_pView = view();
    frame()->m_arrImageMapPainters.push_back(painter);
    run(33200); // 閉じる
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(view(), nullptr);
    EXPECT_TRUE(frame()->m_arrImageMapPainters.empty());
    EXPECT_EQ(painter.use_count(), 1);
}

} // namespace
