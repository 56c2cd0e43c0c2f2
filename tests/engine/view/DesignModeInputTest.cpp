#include "engine/view/DesignModeInput.h"
#include "engine/editing/ClipboardData.h"
#include "engine/view/EventSink.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/TextGeometry.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/EventDispatcher.h"
#include "engine/view/PageView.h"
#include "engine/view/RecordingSink.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

using namespace engine;
namespace ev = engine::events;

namespace {

const char* kPage = "<html><body style='margin:8px'>"
                    "<p id=p style='margin:0'>Hello world text</p>"
                    "<table id=t border=1 cellspacing=6 style='position:absolute;left:10px;top:60px'>"
                    "<tr><td id=c width=100 height=30>cell</td></tr></table>"
                    "<hr id=hr style='position:absolute;left:200px;top:60px;width:60px'>"
                    "<div id=d style='position:absolute;left:200px;top:150px;width:60px;height:40px;"
                    "background-color:#ff0000'></div>"
                    "<div id=e style='position:absolute;left:300px;top:150px;width:40px;height:40px;"
                    "background-color:#00ff00'></div>"
                    "</body></html>";

class GridHost : public EditHost
{
public:
    void snapRect(Element* el, QRect& rect, int corner) override
    {
        ++calls;
        lastCorner = corner;
        sawEvent = view && view->windowEvent() != nullptr;
        offsetLeftDuring = view ? Geometry(view->layout()).offsetLeft(el) : -1;
        rect.moveTopLeft(QPoint(rect.left() / 10 * 10, rect.top() / 10 * 10));
    }
    PageView* view = nullptr;
    int calls = 0;
    int lastCorner = -1;
    bool sawEvent = false;
    int offsetLeftDuring = -1;
};

struct Page : ::testing::Test
{
    Page() : doc(pageFrom(kPage)), view(doc.get())
    {
        view.setHeadless(QSize(400, 300));
        cookie = view.advise(&sink);
    }
    Element* el(const char* id) { return doc->getElementById(QString::fromLatin1(id)); }
    QRect rect(const char* id) { return Geometry(view.layout()).boundingClientRect(el(id)); }
    QPoint textPoint()
    {
        const QRect r = rect("p");
        return QPoint(r.left() + 20, r.center().y());
    }
    void click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        view.input().mouseDown(p, LeftButton, mods);
        view.input().mouseUp(p, LeftButton, mods);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        view.input().mouseDown(from, LeftButton, mods);
        view.input().mouseMove((from + to) / 2, LeftButton, mods);
        view.input().mouseMove(to, LeftButton, mods);
        view.input().mouseUp(to, LeftButton, mods);
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        view.input().keyDown(k, mods, text);
        view.input().keyUp(k, mods);
    }
    void type(const QString& s)
    {
        for (QChar c : s)
            key(c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }
    QString pText() { return el("p")->innerHTML(); }

    Ref<Document> doc;
    PageView view;
    RecordingSink sink;
    int cookie = 0;
};

TEST_F(Page, AdvisedSinkGetsEventsUntilUnadvised)
{
    EXPECT_GT(cookie, 0);
    click(textPoint());
    EXPECT_EQ(sink.mainIds(),
              (std::vector<int>{ev::MouseDown, ev::BeforeEditFocus, ev::SelectionChange, ev::MouseUp, ev::Click}));
    EXPECT_FALSE(view.unadvise(cookie + 1));
    EXPECT_TRUE(view.unadvise(cookie));
    sink.seen.clear();
    click(textPoint());
    EXPECT_TRUE(sink.seen.empty());
    EXPECT_EQ(view.windowEvent(), nullptr);
}

TEST_F(Page, EventObjectCarriesPointButtonsAndKeys)
{
    EventObject during;
    sink.hook = [&](int id, EventObject& e) {
        if (id == ev::MouseDown) {
            ASSERT_NE(view.windowEvent(), nullptr);
            during = *view.windowEvent();
            EXPECT_EQ(&e, view.windowEvent());
        }
    };
    view.input().mouseDown(QPoint(30, 70), RightButton, Qt::ShiftModifier);
    EXPECT_EQ(during.x, 30);
    EXPECT_EQ(during.y, 70);
    EXPECT_EQ(during.button, RightButton);
    EXPECT_TRUE(during.shiftKey);
    EXPECT_FALSE(during.ctrlKey);
    view.input().mouseMove(QPoint(31, 70), RightButton | LeftButton, Qt::NoModifier);
    EXPECT_EQ(sink.seen.back().event.button, RightButton | LeftButton);
    view.input().mouseMove(QPoint(32, 70), 0, Qt::NoModifier);
    EXPECT_EQ(sink.seen.back().event.button, 0);
    view.input().keyUp(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(sink.seen.back().event.keyCode, 0x11);
    EXPECT_FALSE(sink.seen.back().event.ctrlKey);
}

TEST_F(Page, PressInTextPlacesCaretAndCancelsKeepIt)
{
    click(textPoint());
    Selection& sel = doc->selection();
    EXPECT_EQ(sel.typeText(), QStringLiteral("None"));
    ASSERT_TRUE(sel.start().node()->isText());
    EXPECT_EQ(sel.start().node()->parentElement(), el("p"));
    const int offset = sel.start().offset();
    EXPECT_GT(offset, 0);

    // A cancelled press, or one after the sink took capture, changes nothing.
    const QPoint elsewhere(rect("p").left() + 1, rect("p").center().y());
    sink.cancel[ev::MouseDown] = true;
    click(elsewhere);
    EXPECT_EQ(sel.start().offset(), offset);
    sink.cancel.clear();
    sink.hook = [&](int id, EventObject&) {
        if (id == ev::MouseDown)
            view.setCapture(el("p"));
    };
    click(elsewhere);
    EXPECT_EQ(sel.start().offset(), offset);
    EXPECT_EQ(view.input().captureElement(), el("p"));
    sink.hook = {};
    sink.seen.clear();
    click(elsewhere); // capture taken before the press
    EXPECT_EQ(sel.start().offset(), offset);
    EXPECT_EQ(sink.count(ev::BeforeEditFocus), 0);
    view.releaseCapture();
    click(elsewhere);
    EXPECT_EQ(sel.start().offset(), 0);

    // onbeforeeditfocus cancelled: no caret move.
    sink.cancel[ev::BeforeEditFocus] = true;
    click(textPoint());
    EXPECT_EQ(sel.start().offset(), 0);
}

TEST_F(Page, PressOnObjectsControlSelects)
{
    Selection& sel = doc->selection();
    sink.cancel[ev::ControlSelect] = true;
    click(rect("hr").center());
    EXPECT_EQ(sel.typeText(), QStringLiteral("None"));
    sink.cancel.clear();
    click(rect("hr").center());
    ASSERT_EQ(sel.typeText(), QStringLiteral("Control"));
    EXPECT_EQ(sel.controlElements().front().get(), el("hr"));
    EXPECT_EQ(sink.seen[1].id, ev::ControlSelect);

    // In the cell spacing the TABLE; in the cell text the caret.
    const QRect t = rect("t");
    click(QPoint(t.left() + 3, t.top() + 3));
    EXPECT_EQ(sel.controlElements().front().get(), el("t"));
    click(rect("c").center()); // on a member: the range stays
    EXPECT_EQ(sel.controlElements().front().get(), el("t"));
    click(textPoint());
    click(rect("c").center());
    EXPECT_EQ(sel.typeText(), QStringLiteral("None"));
    EXPECT_TRUE(el("c")->containsNode(sel.start().node()));

    // A positioned element; Shift adds only with multiple selection.
    click(rect("d").center());
    click(rect("e").center(), Qt::ShiftModifier);
    EXPECT_EQ(sel.controlElements().size(), 1u);
    doc->commands().exec(2393);
    click(rect("d").center());
    click(rect("e").center(), Qt::ShiftModifier);
    ASSERT_EQ(sel.controlElements().size(), 2u);
    EXPECT_EQ(sel.controlElements()[1].get(), el("e"));
}

TEST_F(Page, PressOnBodyFiresSelectionChangeEvenWithoutChange)
{
    click(QPoint(380, 280));
    sink.seen.clear();
    click(QPoint(380, 280));
    EXPECT_EQ(sink.mainIds(),
              (std::vector<int>{ev::MouseDown, ev::BeforeEditFocus, ev::SelectionChange, ev::MouseUp, ev::Click}));
    sink.seen.clear();
    sink.cancel[ev::MouseDown] = true;
    click(QPoint(380, 280));
    EXPECT_EQ(sink.count(ev::SelectionChange), 0);
}

TEST_F(Page, DragMovesSelectedPositionedElementsThroughTheHost)
{
    GridHost host;
    host.view = &view;
    view.setEditHost(&host);
    doc->commands().exec(2394, Variant(true));
    const QPoint from = rect("d").center();
    click(from);
    const int steps = doc->undoManager().undoCount();
    sink.seen.clear();
    drag(from, from + QPoint(23, 17));
    EXPECT_EQ(sink.mainIds(), (std::vector<int>{ev::MouseDown, ev::MoveStart, ev::Move, ev::Move, ev::MouseUp,
                                                ev::MoveEnd, ev::Click}));
    EXPECT_EQ(el("d")->style().left(), QStringLiteral("220px"));
    EXPECT_EQ(el("d")->style().top(), QStringLiteral("160px"));
    EXPECT_EQ(host.lastCorner, 0);
    EXPECT_TRUE(host.sawEvent);
    EXPECT_EQ(doc->undoManager().undoCount(), steps + 1);
    doc->commands().exec(CommandGroup::Undo);
    EXPECT_EQ(el("d")->style().left(), QStringLiteral("200px"));

    // A cancelled move start moves nothing; a cancelled step is dropped.
    sink.cancel[ev::MoveStart] = true;
    drag(from, from + QPoint(40, 0));
    EXPECT_EQ(el("d")->style().left(), QStringLiteral("200px"));
    sink.cancel.clear();
    sink.cancel[ev::Move] = true;
    drag(from, from + QPoint(40, 0));
    EXPECT_EQ(el("d")->style().left(), QStringLiteral("200px"));
    EXPECT_EQ(sink.count(ev::MoveEnd), 2);
}

TEST_F(Page, ViewFollowsAnObjectDraggedPastItsEdge)
{
    doc->commands().exec(2394);
    const QPoint from = rect("d").center();
    click(from);
    drag(from, from + QPoint(0, 200));
    EXPECT_EQ(el("d")->style().top(), QStringLiteral("350px"));
    EXPECT_GT(view.scrollPosition().y(), 0);
    EXPECT_LE(rect("d").bottom(), 300);
}

TEST_F(Page, HandleResizesLiveWithCursor)
{
    GridHost host;
    host.view = &view;
    view.setEditHost(&host);
    click(rect("d").center());
    const QRect box = rect("d");
    const QPoint handle = PageView::handleRects(box)[7].center();
    EXPECT_EQ(view.input().cursorAt(handle), Qt::SizeFDiagCursor);
    EXPECT_EQ(view.input().cursorAt(box.center()), Qt::SizeAllCursor);
    // Without live resize the handle does nothing.
    drag(handle, handle + QPoint(20, 10));
    EXPECT_EQ(el("d")->style().width(), QStringLiteral("60px"));
    doc->commands().exec(2398);
    sink.seen.clear();
    drag(handle, handle + QPoint(20, 10));
    EXPECT_EQ(sink.mainIds(),
              (std::vector<int>{ev::MouseDown, ev::ResizeStart, ev::MouseUp, ev::ResizeEnd, ev::Click}));
    EXPECT_EQ(el("d")->style().width(), QStringLiteral("80px"));
    EXPECT_EQ(el("d")->style().height(), QStringLiteral("50px"));
    EXPECT_EQ(host.lastCorner, 8);
    sink.cancel[ev::ResizeStart] = true;
    const QPoint handle2 = PageView::handleRects(rect("d"))[7].center();
    drag(handle2, handle2 + QPoint(20, 10));
    EXPECT_EQ(el("d")->style().width(), QStringLiteral("80px"));
}

TEST_F(Page, CursorRule)
{
    EXPECT_EQ(view.input().cursorAt(textPoint()), Qt::IBeamCursor);
    EXPECT_EQ(view.input().cursorAt(rect("d").center()), Qt::ArrowCursor);
    view.input().mouseMove(textPoint(), 0, Qt::NoModifier);
    EXPECT_EQ(view.pageCursor().shape(), Qt::IBeamCursor);
    doc->commands().exec(2420, Variant(true));
    view.setPageCursor(QCursor(Qt::CrossCursor));
    view.input().mouseMove(rect("d").center(), 0, Qt::NoModifier);
    EXPECT_EQ(view.pageCursor().shape(), Qt::CrossCursor);
    doc->commands().exec(2420, Variant(false));
    view.input().mouseMove(rect("d").center() + QPoint(1, 0), 0, Qt::NoModifier);
    EXPECT_EQ(view.pageCursor().shape(), Qt::ArrowCursor);
}

TEST_F(Page, HoverFiresOutAndOver)
{
    view.input().mouseMove(rect("d").center(), 0, Qt::NoModifier);
    sink.seen.clear();
    view.input().mouseMove(rect("e").center(), 0, Qt::NoModifier);
    ASSERT_EQ(sink.ids(), (std::vector<int>{ev::MouseOut, ev::MouseOver, ev::MouseMove}));
    EXPECT_EQ(sink.seen[1].event.fromElement.get(), el("d"));
    EXPECT_EQ(sink.seen[1].event.toElement.get(), el("e"));
    sink.seen.clear();
    view.input().mouseMove(rect("e").center() + QPoint(1, 1), 0, Qt::NoModifier);
    EXPECT_EQ(sink.ids(), (std::vector<int>{ev::MouseMove}));
}

TEST_F(Page, TextDragSelectsUnlessSelectStartIsCancelled)
{
    const QRect p = rect("p");
    sink.cancel[ev::SelectStart] = true;
    drag(QPoint(p.left() + 1, p.center().y()), QPoint(p.left() + 60, p.center().y()));
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("None"));
    sink.cancel.clear();
    drag(QPoint(p.left() + 1, p.center().y()), QPoint(p.left() + 60, p.center().y()));
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("Text"));
    EXPECT_TRUE(doc->selection().createRange().text().startsWith(QStringLiteral("Hel")));
    EXPECT_EQ(sink.count(ev::SelectStart), 2);
}

TEST_F(Page, DoubleClickOrderAndWord)
{
    const QPoint p = textPoint() + QPoint(30, 0); // in "world"
    view.input().mouseDown(p, LeftButton, Qt::NoModifier);
    view.input().mouseUp(p, LeftButton, Qt::NoModifier);
    view.input().doubleClick(p, LeftButton, Qt::NoModifier);
    view.input().mouseUp(p, LeftButton, Qt::NoModifier);
    EXPECT_EQ(sink.mainIds(), (std::vector<int>{ev::MouseDown, ev::BeforeEditFocus, ev::SelectionChange, ev::MouseUp,
                                                ev::Click, ev::MouseUp, ev::DblClick, ev::SelectionChange}));
    EXPECT_EQ(doc->selection().createRange().text(), QStringLiteral("world"));
}

TEST_F(Page, TypingEditingKeysAndUndo)
{
    click(QPoint(rect("p").left() + 1, rect("p").center().y()));
    type(QStringLiteral("ab"));
    EXPECT_EQ(pText(), QStringLiteral("abHello world text"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pText(), QStringLiteral("Hello world text")); // the typed run is one step
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(pText(), QStringLiteral("abHello world text"));

    key(Qt::Key_Right);
    key(Qt::Key_Backspace);
    EXPECT_EQ(pText(), QStringLiteral("abello world text"));
    key(Qt::Key_Delete);
    EXPECT_EQ(pText(), QStringLiteral("abllo world text"));
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(pText(), QStringLiteral("ab<BR>llo world text"));
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    EXPECT_EQ(bodyHtml(doc.get()).left(40), QStringLiteral("<P id=p style=\"MARGIN: 0\">ab</P><P style"));
    EXPECT_TRUE(parserStable(doc.get()));
    key(Qt::Key_Backspace); // joins the paragraphs again
    EXPECT_EQ(pText(), QStringLiteral("abllo world text"));

    // Shift selection, then typing replaces it; a cancelled keydown types nothing.
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(doc->selection().createRange().text(), QStringLiteral("ll"));
    type(QStringLiteral("X"));
    EXPECT_EQ(pText(), QStringLiteral("abXo world text"));
    sink.cancel[ev::KeyDown] = true;
    type(QStringLiteral("Q"));
    EXPECT_EQ(pText(), QStringLiteral("abXo world text"));
    sink.cancel.clear();

    // Overwrite replaces the next character.
    doc->commands().exec(2314);
    EXPECT_TRUE(doc->commands().queryCommandState(QStringLiteral("OverWrite")));
    type(QStringLiteral("Y"));
    EXPECT_EQ(pText(), QStringLiteral("abXY world text"));
    doc->commands().exec(2314);
    key(Qt::Key_End);
    type(QStringLiteral("!"));
    EXPECT_EQ(pText(), QStringLiteral("abXY world text!"));
    key(Qt::Key_Home);
    type(QStringLiteral("<"));
    EXPECT_EQ(pText(), QStringLiteral("&lt;abXY world text!"));
}

TEST_F(Page, HomeAndEndStayInTheCell)
{
    doc->replaceContent(QStringLiteral("<html><body><table border=1><tr><td id=a>left cell</td><td id=b>right</td></tr>"
                                       "</table></body></html>"));
    view.flushChanges();
    click(QPoint(rect("a").left() + 4, rect("a").center().y()));
    key(Qt::Key_End);
    type(QStringLiteral("!"));
    EXPECT_EQ(el("a")->innerHTML(), QStringLiteral("left cell!"));
    click(QPoint(rect("b").left() + 12, rect("b").center().y()));
    key(Qt::Key_Home);
    type(QStringLiteral("<"));
    EXPECT_EQ(el("b")->innerHTML(), QStringLiteral("&lt;right"));
    EXPECT_EQ(el("a")->innerHTML(), QStringLiteral("left cell!"));
}

TEST_F(Page, HomeAndEndStopAtTheEdgesOfAWrappedLine)
{
    QString words;
    for (int i = 0; i < 200; ++i)
        words += QStringLiteral("w%1 ").arg(i * 37 % 1000);
    doc->replaceContent(QStringLiteral("<html><body><p id=p>") + words + QStringLiteral("</p></body></html>"));
    view.flushChanges();
    Text* text = el("p")->firstChild()->asText();
    TextGeometry& lines = view.textGeometry();
    for (const int at : {0, 101, 333, 500, text->length() - 4}) {
        doc->selection().collapseAt(text, at);
        const int top = lines.caretRect(text, at).top();
        key(Qt::Key_End);
        const int end = doc->selection().end().offset();
        EXPECT_EQ(lines.caretRect(text, end).top(), top) << at;
        if (end < text->length()) {
            EXPECT_NE(lines.caretRect(text, end + 1).top(), top) << at;
        }
        key(Qt::Key_Home);
        const int start = doc->selection().start().offset();
        EXPECT_EQ(lines.caretRect(text, start).top(), top) << at;
        if (start > 0) {
            EXPECT_NE(lines.caretRect(text, start - 1).top(), top) << at;
        }
    }
}

TEST_F(Page, HomeAndEndReachTheEndsOfALineOfAHundredThousandCharactersAndMore)
{
    QString line;
    for (int i = 0; i < 30000; ++i)
        line += QStringLiteral("word ");
    doc->replaceContent(QStringLiteral("<html><body><pre id=p>") + line + QStringLiteral("last</pre></body></html>"));
    view.flushChanges();
    Text* text = el("p")->firstChild()->asText();
    doc->selection().collapseAt(text, 7);
    key(Qt::Key_End);
    type(QStringLiteral("!"));
    EXPECT_TRUE(text->data().endsWith(QStringLiteral("last!")));
    key(Qt::Key_Home);
    type(QStringLiteral("<"));
    EXPECT_TRUE(text->data().startsWith(QStringLiteral("<word")));
}

TEST_F(Page, LongKeySequenceKeepsAParserStableTreeAndUndoesToTheStart)
{
    doc->replaceContent(QStringLiteral("<html><body><p>One <b>two</b> three</p><table border=1><tr><td>cell "
                                       "<i>x</i></td><td></td></tr></table><p>last<br>line</p></body></html>"));
    view.flushChanges();
    const QString before = bodyHtml(doc.get());
    click(QPoint(12, 12));
    const int keys[] = {Qt::Key_Right, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Down, Qt::Key_Delete,
                        Qt::Key_End,   Qt::Key_Return, Qt::Key_Left,      Qt::Key_Up,   Qt::Key_Home};
    unsigned seed = 7;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int pick = int((seed >> 16) % 14);
        if (pick < 10) {
            const bool shift = keys[pick] == Qt::Key_Return && (seed & 0x100);
            key(keys[pick], shift ? Qt::ShiftModifier : Qt::NoModifier);
        } else {
            type(QString(QChar(pick == 13 ? u' ' : char16_t(u'a' + pick))));
        }
        ASSERT_TRUE(parserStable(doc.get())) << i << ": " << bodyHtml(doc.get()).toStdString();
    }
    EXPECT_NE(bodyHtml(doc.get()), before);
    EXPECT_GT(doc->undoManager().undoCount(), 20);
    while (doc->undoManager().canUndo())
        doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), before);
}

TEST_F(Page, SelectAllOnlyFromEditableText)
{
    click(rect("d").center());
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("Control"));
    click(textPoint());
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("Text"));
    EXPECT_TRUE(doc->selection().createRange().text().contains(QStringLiteral("cell")));
}

TEST_F(Page, CompositionStepsFireKeyDown229)
{
    click(QPoint(rect("p").left() + 1, rect("p").center().y()));
    view.input().composition(QStringLiteral("にほ"), QString());
    EXPECT_TRUE(view.input().compositionPending());
    EXPECT_EQ(sink.seen.back().event.keyCode, 229);
    sink.cancel[ev::KeyDown] = true;
    view.input().composition(QString(), QStringLiteral("日本"));
    EXPECT_EQ(pText(), QStringLiteral("Hello world text"));
    sink.cancel.clear();
    view.input().composition(QString(), QStringLiteral("日本"));
    EXPECT_FALSE(view.input().compositionPending());
    EXPECT_EQ(pText(), QStringLiteral("日本Hello world text"));
}

TEST_F(Page, CopyCutPasteWithEvents)
{
    QClipboard* cb = QGuiApplication::clipboard();
    const QRect p = rect("p");
    drag(QPoint(p.left() + 1, p.center().y()), QPoint(p.left() + 33, p.center().y()));
    const QString selected = doc->selection().createRange().text();
    ASSERT_FALSE(selected.isEmpty());
    sink.cancel[ev::Copy] = true;
    cb->setText(QStringLiteral("old"));
    doc->commands().exec(15);
    EXPECT_EQ(cb->text(), QStringLiteral("old"));
    sink.cancel.clear();
    EXPECT_EQ(doc->commands().exec(15), 0);
    const QMimeData* data = cb->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), selected);
    EXPECT_TRUE(data->html().contains(QStringLiteral("<!--StartFragment-->") + selected +
                                      QStringLiteral("<!--EndFragment-->")));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("application/x-paginor-html-format")));

    EXPECT_EQ(doc->commands().exec(16), 0);
    EXPECT_FALSE(pText().contains(selected));
    EXPECT_EQ(doc->commands().queryStatus(26) & CommandGroup::Enabled, CommandGroup::Enabled);
    const QString afterCut = pText();
    sink.cancel[ev::BeforePaste] = true;
    doc->commands().exec(26);
    EXPECT_EQ(pText(), afterCut);
    sink.cancel.clear();
    sink.cancel[ev::Paste] = true;
    doc->commands().exec(26);
    EXPECT_EQ(pText(), afterCut);
    sink.cancel.clear();
    EXPECT_EQ(doc->commands().exec(26), 0);
    EXPECT_EQ(pText(), QStringLiteral("Hello world text"));

    // A control range copies each element's outerHTML.
    doc->commands().exec(2393);
    click(rect("d").center());
    click(rect("e").center(), Qt::ShiftModifier);
    EXPECT_EQ(doc->commands().exec(15), 0);
    EXPECT_EQ(clipboard::fragmentOf(cb->mimeData()), el("d")->outerHTML() + el("e")->outerHTML());
}

TEST_F(Page, DropInsertsAndSelectsUnlessCancelled)
{
    QMimeData data;
    data.setText(QStringLiteral("dropped"));
    const QPoint at(rect("p").left() + 1, rect("p").center().y());
    EXPECT_TRUE(view.input().dragEnter(at, &data));
    EXPECT_TRUE(view.input().dragOver(at, &data));
    sink.cancel[ev::Drop] = true;
    EXPECT_FALSE(view.input().drop(at, &data));
    EXPECT_EQ(pText(), QStringLiteral("Hello world text"));
    sink.cancel.clear();
    EXPECT_TRUE(view.input().drop(at, &data));
    EXPECT_EQ(pText(), QStringLiteral("droppedHello world text"));
    EXPECT_EQ(doc->selection().createRange().text(), QStringLiteral("dropped"));
    EXPECT_EQ(sink.count(ev::DragEnter), 1);
    EXPECT_EQ(sink.count(ev::DragOver), 1);
}

class RecordingHost : public ViewHost
{
public:
    void showContextMenu(QPoint screen, Element* el) override
    {
        menuAt = screen;
        menuOn = el;
    }
    bool translateAccelerator(int keyCode, bool, bool ctrl, bool) override
    {
        accelerators.push_back(keyCode);
        return ctrl && keyCode == 'Z';
    }
    QPoint menuAt;
    Element* menuOn = nullptr;
    std::vector<int> accelerators;
};

TEST_F(Page, HostDecidesContextMenusAndAccelerators)
{
    RecordingHost host;
    view.setViewHost(&host);
    view.input().contextMenu(rect("d").center(), QPoint(900, 700));
    EXPECT_EQ(host.menuAt, QPoint(900, 700));
    EXPECT_EQ(host.menuOn, el("d"));
    view.input().contextMenu(QPoint(390, 290), QPoint(1, 2));
    EXPECT_EQ(host.menuOn, doc->body());

    click(QPoint(rect("p").left() + 1, rect("p").center().y()));
    type(QStringLiteral("q"));
    key(Qt::Key_Z, Qt::ControlModifier); // the program's accelerator: no undo
    EXPECT_EQ(pText(), QStringLiteral("qHello world text"));
    EXPECT_EQ(host.accelerators, (std::vector<int>{'Z'}));
}

TEST_F(Page, CaptureSendsEventsFromOutsideTheViewWithoutDefaults)
{
    GridHost host;
    view.setEditHost(&host);
    doc->commands().exec(2394);
    click(rect("d").center());
    view.input().mouseDown(rect("d").center(), LeftButton, Qt::NoModifier);
    view.setCapture(doc->body());
    view.input().mouseMove(QPoint(-50, 500), LeftButton, Qt::NoModifier);
    view.input().mouseUp(QPoint(-50, 500), LeftButton, Qt::NoModifier);
    EXPECT_EQ(sink.seen.back().event.x, -50);
    EXPECT_EQ(sink.seen.back().event.y, 500);
    EXPECT_EQ(sink.count(ev::MoveStart), 0);
    EXPECT_EQ(el("d")->style().left(), QStringLiteral("200px"));
    EXPECT_EQ(host.calls, 0);
}

TEST_F(Page, SelectionChangedByTheProgramFiresOnceFromTheEventLoop)
{
    Node* text = el("p")->firstChild();
    doc->selection().collapseAt(text, 2);
    doc->selection().collapseAt(text, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(sink.count(ev::SelectionChange), 1);
    doc->selection().collapseAt(text, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(sink.count(ev::SelectionChange), 1);
}

TEST_F(Page, DroppedImageFileIsInsertedAndSelected)
{
    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(QStringLiteral("/tmp/pic.gif")), QUrl::fromLocalFile(QStringLiteral("/tmp/a.zip"))});
    EXPECT_TRUE(view.input().drop(QPoint(rect("p").left() + 1, rect("p").center().y()), &data));
    EXPECT_EQ(pText(), QStringLiteral("<IMG src=\"/tmp/pic.gif\">Hello world text"));
    ASSERT_EQ(doc->selection().typeText(), QStringLiteral("Control"));
    EXPECT_TRUE(doc->selection().controlElements().front()->hasTag(QLatin1String("IMG")));
}

TEST_F(Page, PageLoadedOncePerLoadAndHandlerMayReload)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.html"));
    int reloads = 0;
    sink.hook = [&](int id, EventObject&) {
        if (id == ev::PageLoaded && reloads++ == 0) {
            doc->body()->setAttribute(QStringLiteral("bgcolor"), Variant(QStringLiteral("#ffffff")));
            ASSERT_TRUE(doc->save(path));
            ASSERT_TRUE(doc->load(path));
        }
    };
    doc->loadFromString(QStringLiteral("<html><body><p>x</p></body></html>"));
    EXPECT_EQ(sink.count(ev::PageLoaded), 0); // after the load call returned
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(sink.count(ev::PageLoaded), 2);
    EXPECT_FALSE(doc->isDirty());
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_TRUE(doc->body()->innerHTML().contains(QStringLiteral("x")));
}

} // namespace
