// Objects placed on pages by the insertion tools and by dropped pictures:
// where they go, what they are written as, what the undo history keeps.

#include "ObjectsPage.h"

#include "app/CZQDoc.h"
#include "frames/VornaFrameSet.h"
#include "images/ImageFiles.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <QDir>
#include <QImage>
#include <QMdiArea>

namespace {

class ObjectInsert : public ObjectsPage
{
protected:
    QString picture(const QString& path, QSize size, QColor colour = Qt::red)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        EXPECT_TRUE(image.save(path));
        return path;
    }

    void arm(int kind, QSize size = QSize(100, 25))
    {
        frame()->m_nInsertKind = kind;
        frame()->m_rcInsert = QRect(QPoint(-1, -1), size);
    }

    // The element that went in last.
    engine::Element* last() const
    {
        const engine::ElementCollection all = doc()->body()->children();
        return all.length() ? all.item(all.length() - 1) : nullptr;
    }
};

TEST_F(ObjectInsert, EveryKindGoesInAtThePointAboveTheObjectsBefore)
{
    ASSERT_NE(
        open(QStringLiteral("bgcolor=#FFFFFF>\n<DIV><P>ようこそ</P></DIV>\n<DIV style=\"height: 2000px\"></DIV>\n"),
             "Shift_JIS"),
        nullptr);
    const QString photo = picture(dir.filePath(QStringLiteral("写真.png")), QSize(24, 16));
    page()->scrollToPage(QPoint(0, 100));
    struct Case
    {
        int kind;
        const char* tag;
        std::function<void(CMainFrame&)> arm;
    };
    const Case cases[] = {
        {1, "TABLE", [](CMainFrame&) {}},
        {2, "IMG", [&](CMainFrame& f) { f.m_strInsertImageSrc = photo, f.m_nInsertImageFlag = 0; }},
        {3, "EMBED",
         [](CMainFrame& f) { f.m_strInsertMediaSrc = QStringLiteral("movie.swf"), f.m_nInsertMediaType = 0; }},
        {4, "TABLE",
         [](CMainFrame& f) { f.m_strInsertHtml = QStringLiteral("border=1><TR><TD>表</TD></TR></TABLE>"); }},
        {6, "IMG",
         [&](CMainFrame& f) {
             f.m_strInsertImageSrc = photo, f.m_nInsertMediaType = 0, f.m_strInsertLinkHref.clear();
             f.m_strInsertHtml = QStringLiteral("id=\"VornaRollImage\" name='VornaRollImage1'");
         }},
        {7, "HR", [](CMainFrame&) {}},
        {9, "MARQUEE", [](CMainFrame&) {}},
        {10, "OBJECT", [](CMainFrame&) {}},
    };
    int z = 101;
    for (const Case& c : cases) {
        arm(c.kind);
        c.arm(*frame());
        const int steps = undoSteps();
        QPoint point(20 + 60 * (z - 101), 40);
        EXPECT_GE(sink()->InsertPositionedObject(point), 0) << c.kind;
        // The point comes back on the page; the tool is put away.
        EXPECT_EQ(point, QPoint(20 + 60 * (z - 101), 140)) << c.kind;
        EXPECT_EQ(frame()->m_nInsertKind, 0) << c.kind;
        EXPECT_EQ(undoSteps(), steps + 1) << c.kind;
        engine::Element* object = doc()
                                      ->getElementsByTagName(QString::fromLatin1(c.tag))
                                      .item(doc()->getElementsByTagName(QString::fromLatin1(c.tag)).length() - 1);
        ASSERT_NE(object, nullptr) << c.kind;
        EXPECT_EQ(object->style().zIndex().toInt(), z) << c.kind;
        EXPECT_EQ(object->style().left(), QStringLiteral("%1px").arg(point.x())) << c.kind;
        EXPECT_EQ(object->style().top(), QStringLiteral("140px")) << c.kind;
        EXPECT_EQ(view()->m_nMaxZIndex, z++) << c.kind;
    }
    // The roll-over image brought its script; the page's text is where it was.
    EXPECT_TRUE(doc()->body()->innerHTML().contains(QLatin1String("function VornaChangeImage")));
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("P")).item(0)->innerText(), QStringLiteral("ようこそ"));
    // After the text box the caret stood in its cell; the marquee is selected last.
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("HR")).item(0)->getAttributeText(QStringLiteral("width")),
              QStringLiteral("80%"));
    // Saved and read again, the picture keeps its Japanese name.
    ASSERT_TRUE(doc()->save(dir.filePath(QStringLiteral("page.html"))));
    doc()->refresh();
    EXPECT_EQ(doc()->images().item(0)->getAttributeText(QStringLiteral("src")), photo);
}

TEST_F(ObjectInsert, ATextBoxTakesTheCaretAndADraggedRuleItsSize)
{
    ASSERT_NE(open(QStringLiteral(">\n")), nullptr);
    arm(1);
    QPoint point(50, 60);
    sink()->InsertPositionedObject(point);
    ASSERT_EQ(doc()->selection().type(), engine::Selection::Type::None);
    engine::Element* cell = doc()->selection().createRange().parentElement();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->tagName(), QStringLiteral("TD"));
    EXPECT_EQ(
        last()->outerHTML(),
        QStringLiteral("<TABLE width=100 height=25 border=0 style=\"Z-INDEX: 101; LEFT: 50px; POSITION: absolute; "
                       "TOP: 60px\" id=text><TBODY><TR><TD></TD></TR></TBODY></TABLE>"));
    arm(7, QSize(50, 100));
    sink()->m_bHrDefaultWidth = false;
    point = QPoint(300, 60);
    sink()->InsertPositionedObject(point);
    EXPECT_EQ(last()->outerHTML(), QStringLiteral("<HR id=hr width=50 size=100 style=\"Z-INDEX: 102; LEFT: 300px; "
                                                  "POSITION: absolute; TOP: 60px\">"));
    ASSERT_EQ(selected().size(), 1u);
    EXPECT_EQ(selected().front().get(), last());
    // Kinds that build nothing leave the tool armed and the page alone.
    arm(8);
    const QString before = doc()->body()->innerHTML();
    point = QPoint(10, 10);
    sink()->InsertPositionedObject(point);
    EXPECT_EQ(frame()->m_nInsertKind, 8);
    EXPECT_EQ(doc()->body()->innerHTML(), before);
}

TEST_F(ObjectInsert, AWallpaperAsksWhetherItBecomesTheBackground)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>text</P></DIV>\n")), nullptr);
    const QString wallpaper =
        picture(platform::installPath() + QStringLiteral("/Image/壁紙/空.png"), QSize(32, 32), Qt::cyan);
    platform::ModalResponder responder;
    // Yes: the page's background, nothing inserted.
    responder.answerMessageBox(platform::IDYES, QStringLiteral("背景画像に適用しますか"));
    frame()->OnDropFiles({wallpaper}, page()->viewport()->mapToGlobal(QPoint(40, 30)));
    EXPECT_EQ(doc()->body()->getAttributeText(QStringLiteral("background")), wallpaper);
    EXPECT_EQ(doc()->images().length(), 0);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    // No: an image like any other, selected.
    responder.answerMessageBox(platform::IDNO, QStringLiteral("背景画像に適用しますか"));
    frame()->OnDropFiles({wallpaper}, page()->viewport()->mapToGlobal(QPoint(40, 30)));
    ASSERT_EQ(doc()->images().length(), 1);
    EXPECT_EQ(doc()->images().item(0)->style().cssText(),
              QStringLiteral("POSITION: absolute; Z-INDEX: 102; LEFT: 40px; TOP: 30px; WIDTH: 32px; HEIGHT: 32px"));
    EXPECT_EQ(selected().front().get(), doc()->images().item(0));
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
}

TEST_F(ObjectInsert, APictureFrameDroppedOnALocalImageFramesIt)
{
    picture(dir.filePath(QStringLiteral("my photo.png")), QSize(60, 40), Qt::blue);
    ASSERT_NE(open(QStringLiteral(">\n<IMG id=pic src=\"my%20photo.png\" style=\"POSITION: absolute; LEFT: 50px; TOP: "
                                  "60px; WIDTH: 60px; HEIGHT: 40px\">\n"
                                  "<IMG id=web src=\"http://example.com/a.png\" style=\"POSITION: absolute; LEFT: "
                                  "200px; TOP: 60px; WIDTH: 60px; HEIGHT: 40px\">\n"
                                  "<IMG id=gone src=\"gone.png\" style=\"POSITION: absolute; LEFT: 350px; TOP: 60px; "
                                  "WIDTH: 60px; HEIGHT: 40px\">\n")),
              nullptr);
    const QString frameImage = platform::installPath(QStringLiteral("Bin/Frame/frame_wood.gif"));
    ASSERT_TRUE(QFileInfo(frameImage).isFile());
    arm(2, GetImageFileSize(frameImage));
    frame()->m_strInsertImageSrc = frameImage;
    const int steps = undoSteps();
    QPoint point(70, 80);
    sink()->InsertPositionedObject(point);
    // The photo shows a new picture: the photo in the frame.
    const QString framed = byId("pic")->getAttributeText(QStringLiteral("src"));
    EXPECT_NE(framed, QStringLiteral("my%20photo.png"));
    EXPECT_TRUE(QFileInfo(framed).isFile());
    EXPECT_EQ(QImage(framed).size(),
              QSize(byId("pic")->style().getAttribute(QStringLiteral("width")).toString().chopped(2).toInt(),
                    byId("pic")->style().getAttribute(QStringLiteral("height")).toString().chopped(2).toInt()));
    EXPECT_EQ(doc()->images().length(), 3);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    // On a picture of the web, or one whose file is gone, the frame goes in as an image.
    for (QPoint at : {QPoint(360, 70), QPoint(210, 70)}) {
        arm(2, GetImageFileSize(frameImage));
        frame()->m_strInsertImageSrc = frameImage;
        sink()->InsertPositionedObject(at);
    }
    EXPECT_EQ(doc()->images().length(), 5);
    EXPECT_EQ(byId("web")->getAttributeText(QStringLiteral("src")), QStringLiteral("http://example.com/a.png"));
}

TEST_F(ObjectInsert, APointOverAnotherPaneInsertsIntoThatPanesPage)
{
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>left</P></DIV>\n"), "UTF-8", QStringLiteral("left")), nullptr);
    CZQView* left = view();
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P>right</P></DIV>\n"), "UTF-8", QStringLiteral("right")), nullptr);
    CZQView* right = view();
    // Both pages as the panes of the left one's frame, side by side.
    frame()->mdiArea()->tileSubWindows();
    settle();
    CChildFrame* child = left->GetParentFrame();
    auto root = std::make_unique<VornaFrameSet>();
    root->SetKind(QStringLiteral("FRAMESET"));
    root->m_pFirstChild = std::make_unique<VornaFrameSet>();
    root->m_pFirstChild->m_pParent = root.get();
    root->m_pFirstChild->m_pView = left;
    root->m_pFirstChild->m_pNext = std::make_unique<VornaFrameSet>();
    root->m_pFirstChild->m_pNext->m_pParent = root.get();
    root->m_pFirstChild->m_pNext->m_pView = right;
    child->frameTree().root = std::move(root);
    // A point of the left pane's sink that lies over the right pane.
    engine::PageView* leftPage = left->GetPageView();
    const QPoint overRight = right->GetPageView()->viewport()->mapToGlobal(QPoint(30, 20));
    QPoint point = leftPage->viewToClient(leftPage->viewport()->mapFromGlobal(overRight));
    frame()->m_nInsertKind = 1;
    frame()->m_rcInsert = QRect(QPoint(-1, -1), QSize(100, 25));
    left->GetSink()->InsertPositionedObject(point);
    EXPECT_EQ(point, QPoint(30, 20));
    EXPECT_EQ(left->GetHtmlDocument()->getElementsByTagName(QStringLiteral("TABLE")).length(), 0);
    ASSERT_EQ(right->GetHtmlDocument()->getElementsByTagName(QStringLiteral("TABLE")).length(), 1);
    EXPECT_EQ(right->m_nMaxZIndex, 101);
    EXPECT_EQ(child->GetActiveView(), right);
    child->frameTree().root.reset();
}

TEST_F(ObjectInsert, AnObjectTheEngineDroppedStandsAtTheDropPoint)
{
    ASSERT_NE(open(QStringLiteral(">\n<IMG id=pic src=a.gif width=20 height=20>\n<DIV style=\"height: 900px\"></DIV>")),
              nullptr);
    page()->scrollToPage(QPoint(0, 50));
    selectObjects({"pic"});
    sink()->m_ptDrop = QPoint(15, 25);
    sink()->PositionDroppedControl();
    EXPECT_EQ(styleOf("pic"), QStringLiteral("POSITION: absolute; LEFT: 15px; TOP: 75px"));
}

} // namespace
