// The mouse on real pages of the running program: presses, drags and
// releases sent to the view as a user makes them, checked by the page, the
// selection, the cursor shown, the sink's modes and the undo steps.

#include "GesturePage.h"

#include "../controls/ReviewPicture.h"

#include "editor/sink/RubberBandOverlay.h"
#include "res/resource.h"

#include "engine/css/Style.h"
#include "engine/dom/ElementCollection.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"
#include "support/HyperlinkAnswer.h"

#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>

namespace {

using platform::ModalResponder;

class MouseGestures : public GesturePage
{
protected:
    void SetUp() override
    {
        GesturePage::SetUp();
        app->mainFrame()->m_settings.snapOn = false;
        app->mainFrame()->m_settings.gridVisible = 0;
    }

    static QString textBox(const char* id, const char* cell, int x, int y, const char* text)
    {
        return QStringLiteral("<TABLE id=%1 width=200 height=50 border=0 style='Z-INDEX: 101; LEFT: %3px; POSITION: "
                              "absolute; TOP: %4px'><TBODY><TR><TD id=%2>%5</TD></TR></TBODY></TABLE>\n")
            .arg(QLatin1String(id), QLatin1String(cell))
            .arg(x)
            .arg(y)
            .arg(QString::fromUtf8(text));
    }
    // A 3 x 2 table with border 1 and spacing 2, cells 80 wide.
    static QString grid(int x, int y)
    {
        return QStringLiteral("<TABLE id=grid border=1 cellspacing=2 style='Z-INDEX: 110; LEFT: %1px; POSITION: "
                              "absolute; TOP: %2px'><TR><TD id=a1 width=80>A1</TD><TD id=b1 width=80>B1</TD>"
                              "<TD id=c1 width=80>C1</TD></TR><TR><TD id=a2>A2</TD><TD id=b2>B2</TD>"
                              "<TD id=c2>C2</TD></TR></TABLE>\n")
            .arg(x)
            .arg(y);
    }

    // No drag of the sink is left under way.
    void expectNoDrag() const
    {
        EXPECT_FALSE(sink()->m_bIsDragMoveMode);
        EXPECT_LT(sink()->m_nSizeHandle, 2);
        EXPECT_FALSE(sink()->m_bIsTextDragMode);
        EXPECT_FALSE(sink()->m_bIsAreaSelectMode);
        EXPECT_FALSE(sink()->m_bInserting);
        EXPECT_FALSE(sink()->m_bLButtonDown);
        EXPECT_FALSE(sink()->m_bIsDragPasteMode);
        EXPECT_FALSE(sink()->m_bCellDragSelect);
        EXPECT_FALSE(sink()->m_bUndoUnitOpen);
        EXPECT_EQ(page()->input().captureElement(), nullptr);
        EXPECT_TRUE(!overlay() || overlay()->isEmpty());
    }

    RubberBandOverlay* overlay() const { return RubberBandOverlay::of(view()->GetParentFrame()->widget(), false); }
    int count(const char* tag) const { return doc()->getElementsByTagName(QString::fromLatin1(tag)).length(); }
    engine::Element* last(const char* tag) const
    {
        const engine::ElementCollection all = doc()->getElementsByTagName(QString::fromLatin1(tag));
        return all.item(all.length() - 1);
    }
    // The pointer comes over a border of the grid from its left, as a hand
    // brings it there.
    void hoverFromLeft(QPoint at)
    {
        for (int dx = 12; dx >= 0; dx -= 3)
            move(at - QPoint(dx, 0));
    }
    void hoverFromAbove(QPoint at)
    {
        for (int dy = 12; dy >= 0; dy -= 3)
            move(at - QPoint(0, dy));
    }
};

TEST_F(MouseGestures, AClickOnTheTextOfASelectedTextBoxPlacesTheCaretAndTypingGoesIn)
{
    ASSERT_NE(open(QStringLiteral(">\n") + textBox("box", "cell", 40, 40, "Hello box") + image("pic", 300, 40)),
              nullptr);
    // The box stands selected as an object, as after it was placed.
    selectObjects({"box"});
    const int steps = undoSteps();
    const QPoint at = inText("cell", 2);
    move(at);
    EXPECT_EQ(cursorShown(), Qt::SizeAllCursor);
    click(at);
    expectNoDrag();
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::None);
    EXPECT_EQ(undoSteps(), steps) << "a click moves nothing";
    type(QStringLiteral("XY"));
    EXPECT_EQ(byId("cell")->innerHTML(), QStringLiteral("HeXYllo box"));
    EXPECT_EQ(styleOf("box"), QStringLiteral("Z-INDEX: 101; LEFT: 40px; POSITION: absolute; TOP: 40px"));

    // An unselected box takes the caret at the first click too.
    click(center("pic"));
    EXPECT_EQ(selectedIds(), QStringList{QStringLiteral("pic")});
    click(inText("cell", 1));
    type(QStringLiteral("-"));
    EXPECT_EQ(byId("cell")->innerHTML(), QStringLiteral("H-eXYllo box"));

    // Typed in, the box wears its frame: dragged by it, the box moves as one step.
    const QRect box = clientBox("box");
    const QPoint frameAt(box.left() - 3, box.center().y());
    move(frameAt);
    EXPECT_EQ(cursorShown(), Qt::SizeAllCursor);
    const int before = undoSteps();
    drag(frameAt, frameAt + QPoint(30, 20));
    expectNoDrag();
    EXPECT_EQ(styleOf("box"), QStringLiteral("Z-INDEX: 101; LEFT: 70px; POSITION: absolute; TOP: 60px"));
    EXPECT_EQ(undoSteps(), before + 1);
}

TEST_F(MouseGestures, ASelectedGroupDraggedByTheMoveCursorMovesAsOneUndoStepAndScrolls)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 40, 40) + image("b", 140, 40) +
                   QStringLiteral("<DIV style=\"height: 3000px\">&nbsp;</DIV>")),
              nullptr);
    selectObjects({"a", "b"});
    const int steps = undoSteps();
    drag(center("b"), center("b") + QPoint(30, 20));
    expectNoDrag();
    EXPECT_EQ(styleOf("a"), QStringLiteral("POSITION: absolute; LEFT: 70px; TOP: 60px; WIDTH: 40px; HEIGHT: 30px"));
    EXPECT_EQ(styleOf("b"), QStringLiteral("POSITION: absolute; LEFT: 170px; TOP: 60px; WIDTH: 40px; HEIGHT: 30px"));
    // The pressed object comes first.
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(undoSteps(), steps + 1);
    doc()->undoManager().undo();
    EXPECT_EQ(styleOf("a"), QStringLiteral("POSITION: absolute; LEFT: 40px; TOP: 40px; WIDTH: 40px; HEIGHT: 30px"));

    // Held below the view's bottom edge, the page scrolls and the group
    // follows, every 100 ms, until the release.
    selectObjects({"a"});
    const QPoint from = center("a");
    move(from);
    press(from);
    const QPoint below(from.x(), page()->viewToClient(QPoint(0, page()->viewport()->height())).y() + 20);
    move(below, Qt::LeftButton);
    const int scrolled = page()->scrollPosition().y();
    QElapsedTimer wait;
    wait.start();
    while (page()->scrollPosition().y() < scrolled + 40 && wait.elapsed() < 3000)
        QTest::qWait(20);
    EXPECT_GE(page()->scrollPosition().y(), scrolled + 40);
    release(below);
    settle();
    const int stopped = page()->scrollPosition().y();
    QTest::qWait(250);
    EXPECT_EQ(page()->scrollPosition().y(), stopped) << "the timer ends with the release";
    expectNoDrag();
}

TEST_F(MouseGestures, InsertionToolsPlaceTheirObjectsByClickOrRubberBand)
{
    ASSERT_NE(open(QStringLiteral(">\n<P>はじめに</P>\n")), nullptr);
    CMainFrame* main = frame();
    // The text box tool: a click gives 100 x 25, the caret inside, typing goes in.
    main->BeginInsertObject(1);
    move(QPoint(50, 60));
    EXPECT_EQ(cursorShown(), Qt::BitmapCursor);
    int steps = undoSteps();
    click(QPoint(50, 60));
    expectNoDrag();
    EXPECT_EQ(main->m_nInsertKind, 0);
    engine::Element* box = last("TABLE");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->getAttributeText(QStringLiteral("width")), QStringLiteral("100"));
    EXPECT_EQ(box->getAttributeText(QStringLiteral("height")), QStringLiteral("25"));
    EXPECT_EQ(engine::Style::pixels(box->style().left()), 50);
    EXPECT_EQ(undoSteps(), steps + 1);
    type(QStringLiteral("Hi"));
    EXPECT_EQ(box->innerText(), QStringLiteral("Hi"));

    // By a drag: the rubber band follows the pointer, the box takes its size.
    main->BeginInsertObject(1);
    move(QPoint(300, 60));
    press(QPoint(300, 60));
    move(QPoint(400, 90), Qt::LeftButton);
    move(QPoint(500, 120), Qt::LeftButton);
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlay()->rects().size(), 1u);
    release(QPoint(500, 120));
    settle();
    expectNoDrag();
    box = last("TABLE");
    EXPECT_EQ(box->getAttributeText(QStringLiteral("width")), QStringLiteral("200"));
    EXPECT_EQ(box->getAttributeText(QStringLiteral("height")), QStringLiteral("60"));
    EXPECT_EQ(engine::Style::pixels(box->style().left()), 300);

    // The rule tool: its rectangle follows the pointer before the press; a
    // drag 50 wide and 150 high gives a rule 50 wide and 100 high.
    main->BeginInsertObject(7);
    main->m_rcInsert = QRect(QPoint(-1, -1), QSize(200, 3));
    move(QPoint(60, 200));
    EXPECT_EQ(cursorShown(), Qt::BitmapCursor);
    ASSERT_EQ(overlay()->rects().size(), 1u);
    const platform::Rect hover = overlay()->rects().front();
    move(QPoint(70, 210));
    EXPECT_EQ(overlay()->rects().front().left, hover.left + 10);
    drag(QPoint(70, 210), QPoint(120, 360));
    expectNoDrag();
    engine::Element* rule = last("HR");
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->getAttributeText(QStringLiteral("width")), QStringLiteral("50"));
    EXPECT_EQ(rule->getAttributeText(QStringLiteral("size")), QStringLiteral("100"));

    // The image tool places its picture at the press; the rectangle that
    // followed the pointer goes with it.
    QTemporaryDir pictures;
    const QString photo = pictures.filePath(QStringLiteral("photo.png"));
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(photo));
    main->m_strInsertImageSrc = photo;
    main->RunInsertForPageView(photo, false);
    move(QPoint(100, 500));
    ASSERT_EQ(overlay()->rects().size(), 1u);
    click(QPoint(150, 520));
    EXPECT_EQ(main->m_nInsertKind, 0);
    EXPECT_EQ(last("IMG")->getAttributeText(QStringLiteral("src")), photo);
    expectNoDrag();
    move(QPoint(300, 300));
    expectNoDrag();

    // Esc puts a tool away, and its rectangle with it.
    main->BeginInsertObject(7);
    main->m_rcInsert = QRect(QPoint(-1, -1), QSize(200, 3));
    move(QPoint(60, 400));
    key(Qt::Key_Escape);
    EXPECT_EQ(main->m_nInsertKind, 0);
    expectNoDrag();
    steps = undoSteps();
    click(QPoint(60, 400));
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(MouseGestures, ARubberBandSelectsTheObjectsWhollyInsideIt)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100) + image("b", 200, 100) + image("c", 400, 100)),
              nullptr);
    const QPoint from(80, 80);
    move(from);
    press(from);
    settle(); // the selection change of the press starts the band
    EXPECT_TRUE(sink()->m_bIsAreaSelectMode);
    move(QPoint(200, 120), Qt::LeftButton);
    move(QPoint(300, 150), Qt::LeftButton);
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlay()->rects().size(), 1u);
    release(QPoint(300, 150));
    settle();
    expectNoDrag();
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(MouseGestures, CtrlDragCopiesTheSelectionAndHandlesResizeIt)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100)), nullptr);
    selectObjects({"a"});
    int steps = undoSteps();
    drag(center("a"), center("a") + QPoint(100, 50), Qt::ControlModifier);
    expectNoDrag();
    ASSERT_EQ(count("IMG"), 2);
    EXPECT_EQ(styleOf("a"), QStringLiteral("POSITION: absolute; LEFT: 100px; TOP: 100px; WIDTH: 40px; HEIGHT: 30px"));
    EXPECT_EQ(engine::Style::pixels(last("IMG")->style().left()), 200);
    EXPECT_EQ(undoSteps(), steps + 1);

    // The bottom-right handle: the sizing cursor, then a drag resizes.
    selectObjects({"a"});
    const QPoint handle = engine::PageView::handleRects(clientBox("a"))[7].center();
    move(handle);
    EXPECT_EQ(cursorShown(), Qt::SizeFDiagCursor);
    steps = undoSteps();
    drag(handle, handle + QPoint(20, 10));
    expectNoDrag();
    EXPECT_EQ(clientBox("a").size(), QSize(60, 40));
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(MouseGestures, TableBordersAreDraggedAndACellRangeIsDraggedAndEmptied)
{
    ASSERT_NE(open(QStringLiteral(">\n") + grid(40, 40)), nullptr);
    // Over the gap between the first two columns, coming from the left.
    const QRect a1 = clientBox("a1");
    const QPoint gap(a1.right() + 2, a1.center().y());
    hoverFromLeft(gap);
    EXPECT_TRUE(sink()->m_bOnColumnBorder);
    EXPECT_EQ(sink()->m_pSizingCell.get(), byId("a1"));
    EXPECT_EQ(cursorShown(), Qt::SizeHorCursor);
    engine::Geometry geometry(page()->layout());
    const int widthA = geometry.clientWidth(byId("a1"));
    const int widthB = geometry.clientWidth(byId("b1"));
    const int steps = undoSteps();
    press(gap);
    move(gap + QPoint(10, 0), Qt::LeftButton);
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlay()->lines().size(), 1u);
    move(gap + QPoint(20, 0), Qt::LeftButton);
    release(gap + QPoint(20, 0));
    settle();
    expectNoDrag();
    // The widths as laid out at the press, the border's 20 pixels moved (and one more).
    EXPECT_EQ(byId("a1")->getAttributeText(QStringLiteral("width")), QString::number(widthA + 21));
    EXPECT_EQ(byId("b1")->getAttributeText(QStringLiteral("width")), QString::number(widthB - 19));
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(sink()->m_borderZone.xFrom, -1);

    // The row border, dragged down: the upper row grows.
    const QRect b1 = clientBox("b1");
    const QPoint rowGap(b1.center().x(), b1.bottom() + 2);
    hoverFromAbove(rowGap);
    EXPECT_TRUE(sink()->m_bOnRowBorder);
    const int heightB = clientBox("b1").height();
    drag(rowGap, rowGap + QPoint(0, 10));
    EXPECT_GE(clientBox("b1").height(), heightB + 10);

    // Pressed and released in one place: the table is selected.
    const QPoint newGap(clientBox("a1").right() + 2, clientBox("a1").center().y());
    hoverFromLeft(newGap);
    press(newGap);
    release(newGap);
    settle();
    EXPECT_EQ(selectedIds(), QStringList{QStringLiteral("grid")});
    doc()->selection().empty();
    settle();

    // A drag from one cell's text into another's: a range, emptied by Delete.
    const QPoint start = inText("a1", 1);
    move(start);
    EXPECT_EQ(cursorShown(), Qt::IBeamCursor);
    press(start);
    EXPECT_TRUE(sink()->m_bIsTextDragMode);
    move(inText("b1", 1), Qt::LeftButton);
    EXPECT_TRUE(sink()->m_bCellDragSelect);
    move(inText("b2", 1), Qt::LeftButton);
    release(inText("b2", 1));
    settle();
    expectNoDrag();
    int left = -1, top = -1, right = -1, bottom = -1;
    ASSERT_TRUE(sink()->GetSelectedCellIndices(left, top, right, bottom));
    EXPECT_EQ(QRect(QPoint(left, top), QPoint(right, bottom)), QRect(QPoint(0, 0), QPoint(1, 1)));
    key(Qt::Key_Delete);
    EXPECT_EQ(byId("a1")->innerText(), QString());
    EXPECT_EQ(byId("b2")->innerText(), QString());
    EXPECT_EQ(byId("c1")->innerText(), QStringLiteral("C1"));
}

TEST_F(MouseGestures, PrecedenceOfThePress)
{
    ASSERT_NE(open(QStringLiteral(">\n") + grid(40, 40) + image("pic", 400, 40)), nullptr);
    // Ctrl+press on nothing still cancels the engine's default: no caret comes.
    doc()->selection().empty();
    settle();
    move(QPoint(600, 400));
    press(QPoint(600, 400), Qt::ControlModifier);
    release(QPoint(600, 400), Qt::ControlModifier);
    settle();
    EXPECT_FALSE(sink()->m_bIsDragPasteMode);
    // A right press inside the held range keeps it; a left press drops it.
    const QPoint start = inText("a1", 1);
    move(start);
    drag(start, inText("b2", 1));
    ASSERT_TRUE(sink()->HasCellSelection());
    click(inText("b1", 1), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(sink()->HasCellSelection());
    EXPECT_TRUE(sink()->m_bRightClickInCells);
    click(inText("c2", 1), Qt::NoModifier, Qt::RightButton);
    EXPECT_FALSE(sink()->HasCellSelection());
    // A press over a column border but outside its band starts no drag; a
    // press away from the borders clears the row selection mode only.
    const QRect a1 = clientBox("a1");
    const QPoint gap(a1.right() + 2, a1.center().y());
    hoverFromLeft(gap);
    sink()->m_borderZone.xFrom = sink()->m_borderZone.xTo = gap.x() + 50;
    press(gap);
    EXPECT_FALSE(sink()->m_bLButtonDown);
    release(gap);
    sink()->m_bOnColumnBorder = sink()->m_bOnRowBorder = false;
    sink()->m_bIsRowSelectionMode = sink()->m_bIsColSelectionMode = true;
    const QPoint away = center("pic");
    press(away);
    EXPECT_FALSE(sink()->m_bIsRowSelectionMode);
    EXPECT_TRUE(sink()->m_bIsColSelectionMode);
    release(away);
    settle();
    expectNoDrag();
}

TEST_F(MouseGestures, ImageMapAreasAreDrawnWithTheToolsAndAPolygonClosedByADoubleClick)
{
    ASSERT_NE(open(QStringLiteral(">\n<IMG id=logo src=logo.png width=160 height=120 border=0 style=\"Z-INDEX: 101; "
                                  "LEFT: 100px; POSITION: absolute; TOP: 50px\">\n")),
              nullptr);
    ModalResponder responder;
    const auto answerLink = [&](const QString& url) {
        responder.on(IDD_HYPERLINK, [url](QDialog& dialog) {
            TypeLinkAddress(dialog, url);
            ModalResponder::press(dialog, platform::IDOK);
        });
    };
    const QPoint origin = clientBox("logo").topLeft();
    click(origin + QPoint(80, 60));
    ASSERT_EQ(selectedIds(), QStringList{QStringLiteral("logo")});
    // A rectangle with the rectangle tool.
    frame()->OnAreaRect();
    answerLink(QStringLiteral("menu.html"));
    drag(origin + QPoint(10, 20), origin + QPoint(110, 70));
    engine::Element* area = last("AREA");
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->getAttributeText(QStringLiteral("coords")), QStringLiteral("10, 20, 110, 70"));
    EXPECT_EQ(area->getAttributeText(QStringLiteral("href")), QStringLiteral("menu.html"));
    // A polygon: a click per vertex, a double click on the last.
    click(origin + QPoint(80, 100));
    frame()->OnAreaPoly();
    answerLink(QStringLiteral("shop.html"));
    click(origin + QPoint(10, 80));
    click(origin + QPoint(60, 80));
    doubleClick(origin + QPoint(35, 110));
    EXPECT_EQ(count("AREA"), 2);
    EXPECT_NE(doc()->body()->innerHTML().indexOf(QStringLiteral("shape=poly")), -1);
    EXPECT_EQ(responder.runCount(IDD_HYPERLINK), 2);
    expectNoDrag();
}

TEST_F(MouseGestures, AnAreaWithNoNumbersDoesNotHoldTheMouse)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("pic", 100, 100)), nullptr);
    // A polygon selected whose list is empty: the next press outside leaves
    // the image's areas.
    sink()->m_nEditMode = 2;
    view()->m_strAreaShape = QStringLiteral("poly");
    view()->m_areaWorkCoords.clear();
    click(QPoint(500, 400));
    EXPECT_EQ(sink()->m_nEditMode, 0);
    EXPECT_EQ(view()->m_strAreaShape, QStringLiteral("none"));
    click(center("pic"));
    EXPECT_EQ(selectedIds(), QStringList{QStringLiteral("pic")});
}

TEST_F(MouseGestures, ADoubleClickOnAnObjectSendsItsPropertyCommand)
{
    ASSERT_NE(open(QStringLiteral(">\n") + grid(40, 40) + image("pic", 400, 40) +
                   QStringLiteral("<MARQUEE id=m style='Z-INDEX: 120; LEFT: 40px; POSITION: absolute; TOP: 200px' "
                                  "width=200>News of the day</MARQUEE>\n")),
              nullptr);
    std::vector<int> sent;
    app->commands()->setCommandHook([&](int id) {
        sent.push_back(id);
        return true;
    });
    selectObjects({"grid"});
    doubleClick(QPoint(clientBox("grid").left() + 1, clientBox("grid").top() + 1));
    selectObjects({"pic"});
    doubleClick(center("pic"));
    app->commands()->setCommandHook({});
    EXPECT_NE(std::find(sent.begin(), sent.end(), 33241), sent.end());
    EXPECT_NE(std::find(sent.begin(), sent.end(), 33141), sent.end());
    // In the text of a marquee being typed in: the word.
    caretIn("m", 0);
    const QPoint word = inText("m", 10);
    move(word);
    doubleClick(word);
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("the"));
}

TEST_F(MouseGestures, APictureOfAPageReadFromDiskIsSelectedByAClickAndOpenedByADoubleClick)
{
    // A page as saved: margins on BODY, text, a picture whose size comes
    // from its file, placed far down so that the page is scrolled to it.
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("photo.png"))));
    ASSERT_NE(open(QStringLiteral("leftmargin=30 topmargin=25>\n<P>Our trip.</P>\n<IMG id=photo src=\"photo.png\" "
                                  "style=\"Z-INDEX: 101; LEFT: 200px; POSITION: absolute; TOP: 1400px\">\n")),
              nullptr);
    doc()->selection().empty();
    settle();
    page()->scrollToPage(QPoint(0, 1200));
    settle();
    ASSERT_GT(page()->scrollPosition().y(), 0);
    ASSERT_EQ(clientBox("photo").size(), QSize(120, 90));
    std::vector<int> sent;
    app->commands()->setCommandHook([&](int id) {
        sent.push_back(id);
        return true;
    });
    click(center("photo"));
    EXPECT_EQ(selectedIds(), QStringList{QStringLiteral("photo")});
    // Unselected again, a double click on it selects it and asks for its
    // properties.
    doc()->selection().empty();
    settle();
    ASSERT_TRUE(selected().empty());
    doubleClick(center("photo"));
    app->commands()->setCommandHook({});
    EXPECT_EQ(selectedIds(), QStringList{QStringLiteral("photo")});
    EXPECT_NE(std::find(sent.begin(), sent.end(), 33141), sent.end());
    expectNoDrag();
}

TEST_F(MouseGestures, APictureOfTheTextClickedBecomesPositionedWhereItStands)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("dot.png"))));
    ASSERT_NE(open(QStringLiteral(">\n<TABLE id=text style=\"LEFT: 20px; POSITION: absolute; TOP: 20px; Z-INDEX: 101\">"
                                  "<TBODY><TR><TD>Some words before <IMG id=pic src=\"dot.png\"> and after.<BR>"
                                  "A second line <IMG id=low src=\"dot.png\"> too.</TD></TR></TBODY></TABLE>\n"
                                  "<P>Flow text <IMG id=flow src=\"dot.png\"> here.</P>\n")),
              nullptr);
    doc()->selection().empty();
    settle();
    for (const char* id : {"pic", "low", "flow"}) {
        const QRect before = clientBox(id);
        ASSERT_EQ(before.size(), QSize(30, 20)) << id;
        const int steps = undoSteps();
        click(center(id));
        settle();
        EXPECT_EQ(selectedIds(), QStringList{QString::fromLatin1(id)});
        EXPECT_EQ(clientBox(id), before) << id;
        EXPECT_EQ(undoSteps(), steps + 1) << id;
        doc()->selection().empty();
        settle();
    }
}

TEST_F(MouseGestures, ADragLeftWithoutARelease)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 100, 100)), nullptr);
    selectObjects({"a"});
    const int steps = undoSteps();
    // A window comes up in the middle of a drag move: the drag ends there,
    // what it moved is one step, the timer and the capture go.
    move(center("a"));
    press(center("a"));
    move(center("a") + QPoint(30, 0), Qt::LeftButton);
    ASSERT_TRUE(sink()->m_bIsDragMoveMode);
    {
        QDialog dialog(frame());
        dialog.setModal(true);
        dialog.show();
        settle();
    }
    expectNoDrag();
    EXPECT_EQ(undoSteps(), steps + 1);
    // The release that comes later, and other events out of order, change nothing.
    release(center("a"));
    release(center("a"));
    move(QPoint(10, 10), Qt::LeftButton);
    settle();
    expectNoDrag();
    EXPECT_EQ(styleOf("a"), QStringLiteral("POSITION: absolute; LEFT: 130px; TOP: 100px; WIDTH: 40px; HEIGHT: 30px"));
    // A second press during a drag ends it first: one step, nothing left open.
    selectObjects({"a"});
    move(center("a"));
    press(center("a"));
    move(center("a") + QPoint(20, 0), Qt::LeftButton);
    press(center("a"), Qt::NoModifier, Qt::RightButton);
    release(center("a"), Qt::NoModifier, Qt::RightButton);
    release(center("a"));
    settle();
    expectNoDrag();
    EXPECT_EQ(undoSteps(), steps + 2);
    // A rubber band and an insertion drag end with the view hidden; nothing is made.
    move(QPoint(300, 300));
    press(QPoint(300, 300));
    settle();
    move(QPoint(400, 350), Qt::LeftButton);
    frame()->BeginInsertObject(1);
    view()->GetParentFrame()->hide();
    settle();
    expectNoDrag();
    EXPECT_EQ(count("TABLE"), 0);
    view()->GetParentFrame()->show();
    key(Qt::Key_Escape); // the tool stays until it is put away
    EXPECT_EQ(frame()->m_nInsertKind, 0);
    // The page closed in the middle of a drag, its timer running, after the
    // question whether to save it: nothing reaches the sink that went with it.
    selectObjects({"a"});
    move(center("a"));
    press(center("a"));
    move(center("a") + QPoint(0, 2000), Qt::LeftButton);
    ASSERT_TRUE(sink()->m_bIsDragMoveMode);
    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, QStringLiteral("保存しますか"));
    EXPECT_TRUE(view()->GetParentFrame()->close());
    QTest::qWait(250);
    EXPECT_EQ(app->GetActiveView(), nullptr);
}

} // namespace

namespace {

// A page made with the mouse and the keys, for people to look at: a table,
// a text box typed into, a rule, a marquee and a picture placed with their
// tools; the picture dragged, a column border dragged, cells selected, the
// caret back in the text box in its frame. Run under Xvfb (see
// ARCHITECTURE.md, Tests).
class GesturesScreenshot : public MouseGestures
{
};

TEST_F(GesturesScreenshot, APageMadeWithTheMouseAndTheKeys)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    app->mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame(), 60000));
    const QString picture = dir.filePath(QStringLiteral("flower.png"));
    QImage flower(90, 60, QImage::Format_RGB32);
    flower.fill(QColor(0xF8, 0xD0, 0xE0));
    {
        QPainter p(&flower);
        p.setBrush(QColor(0xE0, 0x40, 0x70));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(45, 30), 20, 20);
    }
    ASSERT_TRUE(flower.save(picture));
    ASSERT_NE(open(QStringLiteral(">\n<DIV><P><B>私のホームページ</B></P></DIV>\n")), nullptr);
    CMainFrame* main = frame();
    // A table, placed where the click falls.
    main->BeginInsertObject(4);
    main->m_strInsertHtml = QStringLiteral("border=1 cellspacing=2><TR><TD width=70>曜日</TD><TD width=120>営業時間"
                                           "</TD></TR><TR><TD>平日</TD><TD>10:00-19:00</TD></TR></TABLE>");
    main->m_rcInsert = QRect(QPoint(-1, -1), QSize(200, 50));
    click(QPoint(30, 200));
    // A text box dragged out and typed into.
    main->BeginInsertObject(1);
    drag(QPoint(30, 60), QPoint(330, 110));
    type(QStringLiteral("Welcome to my page"));
    // A rule and a marquee by a click each; the marquee typed into.
    main->BeginInsertObject(7);
    main->m_rcInsert = QRect(QPoint(-1, -1), QSize(300, 3));
    click(QPoint(30, 140));
    main->BeginInsertObject(9);
    main->m_rcInsert = QRect(QPoint(-1, -1), QSize(200, 24));
    drag(QPoint(380, 60), QPoint(600, 90));
    type(QStringLiteral("News of the week"));
    // A picture, placed and dragged.
    main->BeginInsertObject(2);
    main->m_strInsertImageSrc = picture;
    main->m_rcInsert = QRect(QPoint(-1, -1), QSize(90, 60));
    click(QPoint(400, 200));
    engine::Element* image = last("IMG");
    ASSERT_NE(image, nullptr);
    settle();
    drag(clientBox(image).center(), clientBox(image).center() + QPoint(60, 20));
    // The table's first column made wider by its border.
    engine::Element* table = doc()->getElementsByTagName(QStringLiteral("TABLE")).item(0);
    ASSERT_NE(table, nullptr);
    engine::Element* first = table->cells().item(0);
    const QRect cell = clientBox(first);
    const QPoint gap(cell.right() + 2, cell.center().y());
    hoverFromLeft(gap);
    drag(gap, gap + QPoint(30, 0));
    // Two cells of the second row selected by a drag.
    engine::Element* a2 = table->cells().item(2);
    engine::Element* b2 = table->cells().item(3);
    move(clientBox(a2).center());
    drag(clientBox(a2).center(), clientBox(b2).center());
    settle();
    EXPECT_TRUE(sink()->HasCellSelection());
    const QImage cells = view()->grab(QRect(0, 0, 720, 300)).toImage();
    // The caret back in the text box, its frame around it.
    engine::Element* box = last("TABLE");
    click(clientBox(box).center());
    type(QStringLiteral("!"));
    settle();
    expectNoDrag();
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("HR")).length(), 1);
    EXPECT_EQ(doc()->getElementsByTagName(QStringLiteral("MARQUEE")).length(), 1);
    EXPECT_TRUE(box->innerText().startsWith(QStringLiteral("Welcome")));
    const QImage typing = view()->grab(QRect(0, 0, 720, 300)).toImage();
    QImage sheet(720, 2 * 300 + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&sheet);
    p.drawImage(0, 0, cells);
    p.drawImage(0, 308, typing);
    p.end();
    EXPECT_TRUE(saveForReview(sheet, QStringLiteral("editor-mouse-and-keys.png")));
}

} // namespace
