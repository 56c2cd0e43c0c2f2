// The page's event sink in the program: what reaches it, what it cancels,
// what a reload leaves of its state, and the page primitives its handlers use.

#include "EditorPage.h"

#include "app/CHtmlEditCntrItem.h"
#include "app/CZQDoc.h"
#include "editor/CHTMLEditHost.h"
#include "editor/painters/CHTMLPainterElemBorders.h"
#include "editor/painters/CHTMLPainterGrid.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "editor/sink/RubberBandOverlay.h"

#include "engine/css/Style.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/EventObject.h"

#include <QCursor>

namespace {

namespace ev = engine::events;

const char* const kPage =
    "bgcolor=#FFFFFF>\n"
    // Text of the flow outside the text boxes: in a DIV, which the load
    // leaves where it stands.
    "<DIV><P id=plain>ホームページへようこそ。</P></DIV>\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 100px\" width=160>"
    "<TR><TD id=box>テキスト</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 220px; POSITION: absolute; TOP: 100px\" width=100 height=30>"
    "<TR><TD id=empty></TD></TR></TABLE>\n"
    "<MARQUEE id=news style=\"Z-INDEX: 103; LEFT: 20px; POSITION: absolute; TOP: 200px\" width=200>新着</MARQUEE>\n"
    "<IMG id=pic src=photo.jpg width=100 height=50 usemap=\"#ULOMap1\" "
    "style=\"Z-INDEX: 104; LEFT: 300px; POSITION: absolute; TOP: 200px\">\n"
    "<DIV id=tall style=\"height: 2400px\">&nbsp;</DIV>\n";

class SinkDispatch : public EditorPage
{
protected:
    void SetUp() override
    {
        EditorPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kPage), "ISO-2022-JP"), nullptr);
    }

    // An event under way, as the engine makes it current for the sink.
    HRESULT fire(int id, engine::Variant* result, QPoint at = QPoint(), int button = 0)
    {
        engine::EventObject event;
        event.x = at.x();
        event.y = at.y();
        event.button = button;
        engine::EventDispatcher::Scope scope(page()->events(), event);
        return sink()->Invoke(id, result);
    }
};

TEST_F(SinkDispatch, PagesCarryTheSinkAndItSeesTheirLoad)
{
    ASSERT_NE(sink(), nullptr);
    EXPECT_EQ(page()->events().sink(), sink());
    EXPECT_TRUE(view()->m_bLoadCompleted);
    EXPECT_EQ(view()->GetDocument()->GetPageTitle(), QStringLiteral("page"));
    // A new page from File > New has one too.
    app->mainFrame()->OnFileNewFile();
    settle();
    ASSERT_NE(sink(), nullptr);
    EXPECT_EQ(page()->events().sink(), sink());
    EXPECT_TRUE(view()->m_bLoadCompleted);
}

TEST_F(SinkDispatch, NothingRunsWhileTheSourceOrPreviewIsShown)
{
    view()->GetParentFrame()->m_bEditShown = false;
    sink()->m_nEditMode = 5;
    sink()->m_bMoving = true;
    for (int id : {int(ev::MoveStart), int(ev::MoveEnd), int(ev::SelectStart), int(ev::PageLoaded)}) {
        engine::Variant result;
        EXPECT_EQ(fire(id, &result), S_OK) << id;
        EXPECT_TRUE(result.isEmpty()) << id;
    }
    EXPECT_TRUE(sink()->m_bMoving);
    EXPECT_EQ(sink()->m_nEditMode, 5);
    // The text can still be selected: the sink does not stand in the way.
    view()->GetParentFrame()->m_bEditShown = true;
}

TEST_F(SinkDispatch, TheEngineMovesOnlyWhatMayMove)
{
    engine::Variant result;
    EXPECT_EQ(fire(ev::MoveStart, &result), S_OK);
    EXPECT_TRUE(result.isEmpty());
    sink()->m_nEditMode = 5; // an area of an image map is dragged
    EXPECT_EQ(fire(ev::MoveStart, &result), S_FALSE);
    EXPECT_TRUE(result.isBool() && !result.toBool());
    sink()->m_nEditMode = 3;
    sink()->m_bNoMove = true;
    result = engine::Variant();
    EXPECT_EQ(fire(ev::MoveStart, &result), S_FALSE);
    sink()->m_bMoving = true;
    EXPECT_EQ(fire(ev::MoveEnd, &result), S_OK);
    EXPECT_FALSE(sink()->m_bMoving);
    // An image of the image browser dragged off the page: dragged again while
    // the pointer is still over the view.
    CMainFrame* frame = app->mainFrame();
    frame->m_nImageDragMode = 2;
    QCursor::setPos(frame->mapToGlobal(QPoint(-50, -50)));
    EXPECT_EQ(fire(ev::DragLeave, &result), S_OK);
    EXPECT_EQ(frame->m_nImageDragMode, 2);
    QCursor::setPos(page()->viewport()->mapToGlobal(QPoint(30, 30)));
    EXPECT_EQ(fire(ev::DragLeave, &result), S_OK);
    EXPECT_EQ(frame->m_nImageDragMode, 1);
    // Events that need nothing.
    for (int id : {int(ev::DragOver), int(ev::MouseOut), int(ev::BeforePaste), int(0x80011793u), int(0x80010022u),
                   12345, int(ev::Click), int(ev::KeyPress)}) {
        result = engine::Variant();
        EXPECT_EQ(fire(id, &result), S_OK) << id;
        EXPECT_TRUE(result.isEmpty()) << id;
    }
}

TEST_F(SinkDispatch, SelectionsStartOnlyInTextOfTextBoxesMarqueesAndTheFlow)
{
    engine::Variant result;
    // The caret standing in the BODY itself, as after a press on the bare page.
    doc()->selection().collapseAt(doc()->body(), 0);
    settle();
    EXPECT_EQ(fire(ev::SelectStart, &result), S_FALSE);
    EXPECT_TRUE(result.isBool() && !result.toBool());
    for (const char* id : {"box", "news", "plain"}) {
        caretIn(id, 1);
        result = engine::Variant();
        EXPECT_EQ(fire(ev::SelectStart, &result), S_OK) << id;
        EXPECT_TRUE(result.isEmpty());
    }
    // A press of the editor's own is pending: never, even in a text box.
    sink()->m_ptDown = QPoint(30, 110);
    EXPECT_EQ(fire(ev::SelectStart, &result), S_FALSE);
    sink()->m_ptDown = QPoint(-1, -1);

    // A drag over the text of the page's flow selects it, as in a text box.
    const QRect plain = clientBox("plain");
    const QPoint from(plain.left() + 2, plain.center().y()), to(plain.left() + 60, plain.center().y());
    page()->input().mouseDown(from, engine::LeftButton, {});
    page()->input().mouseMove(to, engine::LeftButton, {});
    page()->input().mouseUp(to, engine::LeftButton, {});
    settle();
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::Text);
    const QRect box = clientBox("box");
    page()->input().mouseDown(QPoint(box.left() + 3, box.center().y()), engine::LeftButton, {});
    page()->input().mouseMove(QPoint(box.left() + 40, box.center().y()), engine::LeftButton, {});
    page()->input().mouseUp(QPoint(box.left() + 40, box.center().y()), engine::LeftButton, {});
    settle();
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::Text);
    EXPECT_EQ(view()->m_dwSelKind, 0x2u | 0x1u);
}

TEST_F(SinkDispatch, APageLoadedAgainLeavesNothingOfTheOld)
{
    CImpIDispatch* s = sink();
    s->m_pSelTable = byId("text");
    s->m_pAnchorCell = byId("box");
    s->m_cellAnchor = {0, 0};
    s->m_pMapImage = byId("pic");
    s->m_nEditMode = 3;
    s->m_ptDown = QPoint(5, 5);
    s->m_bIsAreaSelectMode = true;
    s->m_bHrDefaultWidth = false;
    ASSERT_TRUE(view()->ReloadPage());
    settle();
    EXPECT_EQ(sink(), s); // the same document keeps its sink
    EXPECT_EQ(s->m_pSelTable, nullptr);
    EXPECT_EQ(s->m_pAnchorCell, nullptr);
    EXPECT_EQ(s->m_pMapImage, nullptr);
    EXPECT_FALSE(s->m_cellAnchor.isSet());
    EXPECT_EQ(s->m_nEditMode, 0);
    EXPECT_EQ(s->m_ptDown, QPoint(-1, -1));
    EXPECT_FALSE(s->m_bIsAreaSelectMode);
    EXPECT_TRUE(s->m_bHrDefaultWidth);
    EXPECT_EQ(s->m_dAspectRatio, -1.0);
}

TEST_F(SinkDispatch, TheEventUnderWayGivesPointButtonAndElement)
{
    QPoint point(-7, -7);
    EXPECT_EQ(sink()->GetEventPoint(point), -1); // between events
    EXPECT_EQ(point, QPoint(-7, -7));
    EXPECT_FALSE(sink()->IsOnBodyElement());
    engine::EventObject event;
    event.x = 600;
    event.y = 40;
    event.button = engine::RightButton;
    {
        engine::EventDispatcher::Scope scope(page()->events(), event);
        EXPECT_EQ(sink()->GetEventPoint(point), S_OK);
        EXPECT_EQ(point, QPoint(600, 40));
        EXPECT_TRUE(sink()->IsOnBodyElement());
        int button = 0;
        EXPECT_TRUE(sink()->IsEventButtonDown(button));
        EXPECT_EQ(button, 2);
        event.button = engine::MiddleButton;
        EXPECT_FALSE(sink()->IsEventButtonDown(button));
        const QRect pic = clientBox("pic");
        event.x = pic.center().x();
        event.y = pic.center().y();
        EXPECT_FALSE(sink()->IsOnBodyElement());
    }
    engine::Ref<engine::Element> found;
    EXPECT_EQ(sink()->IsElementWithTagAtPoint(clientBox("pic").center(), found, QStringLiteral("img")), S_OK);
    EXPECT_EQ(found.get(), byId("pic"));
    EXPECT_EQ(sink()->IsElementWithTagAtPoint(QPoint(600, 40), found, QStringLiteral("IMG")), -1);
    EXPECT_EQ(found.get(), doc()->body()); // handed out either way
    platform::Rect r;
    EXPECT_EQ(CImpIDispatch::NormalizeRect(r, QPoint(50, 10), QPoint(20, 30)), platform::Rect(20, 10, 50, 30));
}

TEST_F(SinkDispatch, ClientAndPageCoordinates)
{
    page()->scrollToPage(QPoint(0, 120));
    QPoint point(10, 10);
    sink()->AddBodyScrollOffset(point);
    EXPECT_EQ(point, QPoint(10, 130));
    platform::Rect r(1, 2, 3, 4);
    sink()->AddBodyScrollOffsetToRect(r);
    EXPECT_EQ(r, platform::Rect(1, 122, 3, 124));
    sink()->SubtractBodyScrollOffsetFromRect(r);
    EXPECT_EQ(r, platform::Rect(1, 2, 3, 4));
    // The view's rectangle where its child frame draws rubber bands.
    platform::Rect band(0, 0, 10, 10);
    QPoint origin;
    sink()->ViewRectToFrameClient(band, &origin);
    const QPoint at = view()->mapTo(view()->GetParentFrame()->widget(), QPoint(0, 0));
    EXPECT_EQ(band, platform::Rect(at.x(), at.y(), at.x() + 10, at.y() + 10));
    EXPECT_EQ(origin, at);
}

// Only there the caret shows.
TEST_F(SinkDispatch, TextIsEditedInTextBoxesMarqueesAndTheFlow)
{
    for (const char* id : {"box", "news", "plain"}) {
        caretIn(id, 1);
        EXPECT_TRUE(sink()->IsTextEditContext()) << id;
        EXPECT_TRUE(page()->caretVisible()) << id;
    }
    // Not in the BODY itself, nor in a positioned division.
    doc()->selection().collapseAt(doc()->body(), 0);
    settle();
    EXPECT_FALSE(sink()->IsTextEditContext());
    EXPECT_FALSE(page()->caretVisible());
    byId("plain")->parentElement()->style().setAttribute(QStringLiteral("position"),
                                                         engine::Variant(QStringLiteral("absolute")));
    caretIn("plain", 1);
    EXPECT_FALSE(sink()->IsTextEditContext());
    selectObjects({"pic"});
    EXPECT_FALSE(sink()->IsTextEditContext());
    // A marquee selected while an input method composes its text.
    selectObjects({"news"});
    EXPECT_FALSE(sink()->IsTextEditContext());
    page()->input().composition(QStringLiteral("しん"), QString());
    EXPECT_TRUE(sink()->IsTextEditContext());
    page()->input().composition(QString(), QString());

    QString tag;
    engine::Ref<engine::Element> found;
    EXPECT_TRUE(sink()->FindTableOrMarquee(QPoint(-1, -1), byId("box"), &tag, &found));
    EXPECT_EQ(tag, QStringLiteral("TABLE"));
    EXPECT_TRUE(sink()->FindTableOrMarquee(clientBox("news").center(), nullptr, &tag, &found));
    EXPECT_EQ(found.get(), byId("news"));
    EXPECT_FALSE(sink()->FindTableOrMarquee(QPoint(-1, -1), byId("plain"), &tag, &found));
}

TEST_F(SinkDispatch, TheCaretGoesToTheStartOfATextBoxOrMarquee)
{
    engine::Element* emptyBox = byId("empty")->closest(QLatin1String("TABLE"));
    EXPECT_EQ(sink()->PlaceCaretInObject(-1, -1, emptyBox, view()), S_OK);
    engine::TextRange caret = doc()->selection().createRange();
    EXPECT_TRUE(caret.isCollapsed());
    EXPECT_EQ(caret.parentElement(), byId("empty"));
    EXPECT_EQ(sink()->PlaceCaretInObject(-1, -1, byId("news"), view()), S_OK);
    caret = doc()->selection().createRange();
    EXPECT_TRUE(caret.isCollapsed());
    caret.moveEnd(QStringLiteral("character"), 1);
    EXPECT_EQ(caret.text(), QStringLiteral("新"));
    EXPECT_EQ(sink()->PlaceCaretInObject(-1, -1, byId("pic"), view()), -1);
}

TEST_F(SinkDispatch, TheImageMapHashAndPainters)
{
    engine::Element* pic = byId("pic");
    EXPECT_EQ(sink()->RemoveUsemapHash(pic), 0);
    EXPECT_EQ(pic->getAttributeText(QStringLiteral("usemap")), QStringLiteral("ULOMap1"));
    EXPECT_EQ(sink()->RemoveUsemapHash(pic), 0); // no "#" left to take
    EXPECT_EQ(pic->getAttributeText(QStringLiteral("usemap")), QStringLiteral("ULOMap1"));
    EXPECT_EQ(sink()->RemoveUsemapHash(byId("news")), 1);
    EXPECT_EQ(sink()->RemoveUsemapHash(nullptr), 1);

    // One painter per area on the IMG; all go together.
    for (int i = 0; i < 2; ++i) {
        auto painter = std::make_shared<CHTMLPainterImageMap>();
        ASSERT_NE(painter->Attach(page(), pic), 0);
        view()->m_areaPainters.push_back(painter);
    }
    EXPECT_EQ(sink()->RemoveImageMapPainter(byId("news")), 0);
    EXPECT_EQ(view()->m_areaPainters.size(), 2u);
    EXPECT_EQ(sink()->RemoveImageMapPainter(pic), 0);
    EXPECT_TRUE(view()->m_areaPainters.empty());
    // A painter the page no longer knows stops the removal.
    view()->m_areaPainters.push_back(std::make_shared<CHTMLPainterImageMap>());
    EXPECT_EQ(sink()->RemoveImageMapPainter(pic), -1);
    EXPECT_EQ(view()->m_areaPainters.size(), 1u);

    view()->m_strAreaShape = QStringLiteral("rect");
    view()->m_strSelectedAreaId = QStringLiteral("area3");
    view()->m_areaWorkCoords = {1, 2, 3, 4};
    app->mainFrame()->m_nAreaTool = 2;
    sink()->m_nEditMode = 3;
    sink()->m_bAreaDraw = sink()->m_bAreaEdit = true;
    sink()->m_nMapAreaCount = 4;
    sink()->ResetImageMapMode();
    EXPECT_EQ(sink()->m_nEditMode, 0);
    EXPECT_FALSE(sink()->m_bAreaDraw || sink()->m_bAreaEdit);
    EXPECT_EQ(sink()->m_nMapAreaCount, 0);
    EXPECT_EQ(view()->m_strAreaShape, QStringLiteral("none"));
    EXPECT_EQ(view()->m_strSelectedAreaId, QStringLiteral("none"));
    EXPECT_TRUE(view()->m_areaWorkCoords.empty());
    EXPECT_EQ(app->mainFrame()->m_nAreaTool, 0);
}

TEST_F(SinkDispatch, CancellingAnInsertionToolClearsItsRubberBand)
{
    CMainFrame* frame = app->mainFrame();
    // No rubber band drawn: nothing to erase, the tool is still put away.
    frame->m_nInsertKind = 2;
    frame->m_strInsertImageSrc = QStringLiteral("photo.jpg");
    sink()->SetDocumentCapture();
    sink()->CancelInsertMode();
    EXPECT_EQ(frame->m_nInsertKind, 0);
    EXPECT_TRUE(frame->m_strInsertImageSrc.isEmpty());
    EXPECT_EQ(page()->input().captureElement(), nullptr);
    // A text box being dragged out.
    RubberBandOverlay* overlay = RubberBandOverlay::of(view()->GetParentFrame()->widget());
    frame->m_nInsertKind = 1;
    frame->m_rcInsert = QRect(30, 40, 100, 20);
    platform::Rect band = platform::Rect::fromQRect(frame->m_rcInsert);
    sink()->ViewRectToFrameClient(band);
    overlay->toggleRect(band);
    EXPECT_TRUE(overlay->isVisible());
    sink()->m_bInserting = true;
    sink()->CancelInsertMode();
    EXPECT_FALSE(sink()->m_bInserting);
    EXPECT_TRUE(overlay->isEmpty());
    EXPECT_FALSE(overlay->isVisible());
    // The tool's own cursor goes back to the arrow.
    frame->m_nInsertKind = 4;
    frame->m_bCursorChanged = true;
    page()->setPageCursor(QCursor(Qt::CrossCursor));
    sink()->CancelInsertMode();
    EXPECT_FALSE(frame->m_bCursorChanged);
    EXPECT_EQ(page()->pageCursor().shape(), Qt::ArrowCursor);
}

TEST_F(SinkDispatch, RubberBandsToggleLikeExclusiveOrDrawing)
{
    QWidget* client = view()->GetParentFrame()->widget();
    EXPECT_EQ(RubberBandOverlay::of(client, false), nullptr);
    RubberBandOverlay* overlay = RubberBandOverlay::of(client);
    EXPECT_EQ(RubberBandOverlay::of(client), overlay);
    EXPECT_TRUE(overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(overlay->geometry(), client->rect());
    overlay->toggleRect(platform::Rect(10, 10, 50, 40));
    overlay->toggleLine(QPoint(5, 0), QPoint(5, 100));
    overlay->toggleRect(platform::Rect(0, 0, 0, 10)); // empty: nothing
    EXPECT_EQ(overlay->rects().size(), 1u);
    overlay->toggleRect(platform::Rect(10, 10, 50, 40));
    EXPECT_TRUE(overlay->rects().empty());
    EXPECT_EQ(overlay->lines().size(), 1u);
    overlay->clear();
    EXPECT_TRUE(overlay->isEmpty());
    client->resize(client->width() + 20, client->height());
    EXPECT_EQ(overlay->geometry(), client->rect());
}

TEST_F(SinkDispatch, GridAndOutlinesFollowTheSettings)
{
    CMainFrame* frame = app->mainFrame();
    CHTMLEditHost* host = view()->GetItem()->editHost();
    frame->m_settings.gridVisible = 1;
    frame->m_settings.gridSize = 20;
    frame->m_settings.gridStyle = 2;
    frame->m_settings.snapOn = 1;
    EXPECT_TRUE(frame->SetGridBehavior(view()));
    EXPECT_NE(view()->m_lGridCookie, 0);
    ASSERT_NE(view()->m_pGridPainter, nullptr);
    EXPECT_EQ(view()->m_pGridPainter->m_nGridSize, 20);
    EXPECT_EQ(view()->m_pGridPainter->m_nGridStyle, 2);
    EXPECT_EQ(host->m_nGridSize, 20);
    EXPECT_TRUE(host->m_bSnap);
    // Attached again, never twice.
    const int cookie = view()->m_lGridCookie;
    EXPECT_TRUE(frame->SetGridBehavior(view()));
    EXPECT_FALSE(page()->removeBehavior(doc()->body(), cookie));
    // The grid hidden: snapping goes; the guide alone keeps the painter.
    frame->m_settings.gridVisible = 0;
    frame->m_settings.pageSizeVisible = 1;
    EXPECT_TRUE(frame->SetGridBehavior(view()));
    EXPECT_FALSE(host->m_bSnap);
    EXPECT_NE(view()->m_lGridCookie, 0);
    frame->m_settings.pageSizeVisible = 0;
    EXPECT_TRUE(frame->SetGridBehavior(view()));
    EXPECT_EQ(view()->m_lGridCookie, 0);
    EXPECT_EQ(view()->m_pGridPainter->m_nGridStyle, 0);
    // Not in the editing view.
    view()->GetParentFrame()->m_bEditShown = false;
    EXPECT_FALSE(frame->SetGridBehavior(view()));
    EXPECT_FALSE(frame->SetGridBehavior(nullptr));
    view()->GetParentFrame()->m_bEditShown = true;

    // Outlines follow the view's own switch, on when the view is made.
    EXPECT_TRUE(view()->m_bObjectBorders);
    EXPECT_TRUE(frame->SetElementBordersBehavior(view()));
    EXPECT_NE(view()->m_lElemBordersCookie, 0);
    EXPECT_EQ(view()->m_pElemBordersPainter->m_pView, view());
    view()->m_bObjectBorders = false;
    EXPECT_TRUE(frame->SetElementBordersBehavior(view()));
    EXPECT_EQ(view()->m_lElemBordersCookie, 0);
    EXPECT_FALSE(frame->SetElementBordersBehavior(nullptr));
}

} // namespace
