// The sink's small handlers in the running program: copy, selection changes,
// drops, the control selection on table borders and the end of a Ctrl+drag
// by letting Ctrl go.

#include "GesturePage.h"

#include "dialogs/VornaDlgSymbol.h"

#include "engine/css/Style.h"
#include "engine/view/EventObject.h"

#include "platform/CommandRegistry.h"

#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace {

namespace ev = engine::events;

class SmallEvents : public GesturePage
{
protected:
    // An event of the page handled by the sink at a point; its result.
    HRESULT fire(int id, QPoint at = QPoint(), bool ctrl = false)
    {
        engine::EventObject event;
        event.x = at.x();
        event.y = at.y();
        event.ctrlKey = ctrl;
        engine::EventDispatcher::Scope scope(page()->events(), event);
        engine::Variant result;
        return sink()->Invoke(id, &result);
    }
};

TEST_F(SmallEvents, CopyGoesThroughTheProgramsCopyOnce)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("pic", 40, 40)), nullptr);
    std::vector<int> posted;
    app->commands()->setCommandHook([&](int id) {
        posted.push_back(id);
        return true;
    });
    // The first copy is the program's; the one its command makes is the
    // engine's; the next is the program's again.
    EXPECT_EQ(fire(ev::Copy), S_FALSE);
    EXPECT_EQ(fire(ev::Copy), S_OK);
    EXPECT_EQ(fire(ev::Copy), S_FALSE);
    // The program's Copy copied nothing: the mark does not outlive it.
    settle();
    app->commands()->setCommandHook({});
    EXPECT_EQ(posted, std::vector<int>({33465, 33465}));
    EXPECT_FALSE(sink()->m_bInCopy);
    EXPECT_EQ(fire(ev::Copy), S_FALSE);
    settle();
}

TEST_F(SmallEvents, ObjectsSelectedAsControlsArePositioned)
{
    ASSERT_NE(open(QStringLiteral(">\n<P><IMG id=flow src=a.gif width=20 height=20><SPAN id=span>s</SPAN></P>\n")),
              nullptr);
    const int steps = undoSteps();
    selectObjects({"flow"});
    EXPECT_EQ(byId("flow")->style().position(), QStringLiteral("absolute"));
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(sink()->m_pMapImage.get(), byId("flow"));
    // Selecting it again changes nothing.
    selectObjects({"flow"});
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(SmallEvents, TheSymbolPaletteInsertsOnlyWhereTextIsTyped)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=text style='POSITION: absolute; LEFT: 20px; TOP: 20px'><TR><TD id=cell>"
                                  "文</TD></TR></TABLE>\n") +
                   image("pic", 200, 20)),
              nullptr);
    frame()->OnInsertSymbol();
    ASSERT_NE(frame()->m_pDlgSymbol, nullptr);
    caretIn("cell", 1);
    EXPECT_TRUE(frame()->m_pDlgSymbol->m_btnInsert->isEnabled());
    selectObjects({"pic"});
    EXPECT_FALSE(frame()->m_pDlgSymbol->m_btnInsert->isEnabled());
    frame()->m_pDlgSymbol->hide();
}

TEST_F(SmallEvents, DropsOfTheImageBrowserAndOfOtherData)
{
    ASSERT_NE(open(QStringLiteral(">\n<P>はじめに</P>\n")), nullptr);
    const QString file = dir.filePath(QStringLiteral("flower.png"));
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file));
    // An image of the image browser: inserted at the drop point, the
    // engine's drop cancelled.
    frame()->m_nImageDragMode = 1;
    EXPECT_EQ(fire(ev::DragEnter, QPoint(200, 150)), S_OK);
    EXPECT_EQ(frame()->m_nImageDragMode, 2);
    frame()->m_strInsertImageSrc = file;
    frame()->m_rcInsert = QRect(QPoint(-1, -1), QSize(30, 20));
    EXPECT_EQ(fire(ev::Drop, QPoint(200, 150)), S_FALSE);
    settle();
    EXPECT_EQ(frame()->m_nImageDragMode, 0);
    engine::Element* image = doc()->getElementsByTagName(QStringLiteral("IMG")).item(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(engine::Style::pixels(image->style().left()), 200);
    // Other data: the engine drops it, the next selection change positions it.
    EXPECT_EQ(fire(ev::DragEnter, QPoint(300, 300)), S_FALSE); // over the body: allowed
    EXPECT_EQ(fire(ev::Drop, QPoint(300, 260)), S_OK);
    EXPECT_TRUE(sink()->m_bDropPending);
    selectObjects({});
    EXPECT_FALSE(sink()->m_bDropPending);
}

TEST_F(SmallEvents, ATableBorderIsNoControlSelectionButInItsBand)
{
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=t border=1><TR><TD>a</TD><TD>b</TD></TR></TABLE>\n")), nullptr);
    sink()->m_bOnColumnBorder = true;
    sink()->m_borderZone = BorderZone{50, 52, 0, 0};
    EXPECT_EQ(fire(ev::ControlSelect, QPoint(51, 10)), S_FALSE);
    EXPECT_EQ(fire(ev::ControlSelect, QPoint(60, 10)), S_OK);
    // Once let through after a press and release on the border.
    sink()->m_bAllowControlSelect = true;
    EXPECT_EQ(fire(ev::ControlSelect, QPoint(51, 10)), S_OK);
    EXPECT_FALSE(sink()->m_bAllowControlSelect);
    // With Ctrl the table is selected as any object.
    EXPECT_EQ(fire(ev::ControlSelect, QPoint(51, 10), true), S_OK);
    EXPECT_FALSE(sink()->m_bOnColumnBorder);
}

TEST_F(SmallEvents, LettingCtrlGoAbandonsACopyBeingDragged)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100)), nullptr);
    selectObjects({"a"});
    move(center("a"), Qt::NoButton, Qt::ControlModifier);
    press(center("a"), Qt::ControlModifier);
    move(center("a") + QPoint(60, 0), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_TRUE(sink()->m_bIsDragPasteMode);
    QTest::keyRelease(page(), Qt::Key_Control);
    settle();
    EXPECT_FALSE(sink()->m_bIsDragPasteMode);
    EXPECT_EQ(page()->input().captureElement(), nullptr);
    release(center("a") + QPoint(60, 0));
    settle();
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("IMG")).length(), 1);
}

} // namespace
