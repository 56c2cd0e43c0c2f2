// The grab frame of a positioned element being typed in, the text of a
// MARQUEE that holds the caret, and the end of a mouse capture that no
// release ended.

#include "engine/EnginePage.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/PageView.h"
#include "engine/view/RecordingSink.h"

#include <QDialog>
#include <QMenu>

#include <gtest/gtest.h>

using namespace engine;
namespace ev = engine::events;

namespace {

const char* kPage = "<html><body style='margin:8px'><p id=p style='margin:0'>Body text</p>"
                    "<table id=box style='position:absolute;left:40px;top:60px' width=160 height=40>"
                    "<tr><td id=cell>Typed text</td></tr></table>"
                    "<marquee id=m style='position:absolute;left:40px;top:160px' width=200>News of the day</marquee>"
                    "</body></html>";

struct GrabFrame : ::testing::Test
{
    GrabFrame() : doc(pageFrom(kPage)), view(doc.get())
    {
        view.setHeadless(QSize(400, 300));
        view.advise(&sink);
    }
    Element* el(const char* id) { return doc->getElementById(QString::fromLatin1(id)); }
    QRect rect(const char* id) { return Geometry(view.layout()).boundingClientRect(el(id)); }
    void caretIn(const char* id, int offset) { doc->selection().collapseAt(el(id)->firstChild(), offset); }

    Ref<Document> doc;
    PageView view;
    RecordingSink sink;
};

TEST_F(GrabFrame, TheBoxBeingTypedInIsGrabbedByItsFrame)
{
    const QRect box = rect("box");
    const QPoint onFrame(box.left() - 3, box.center().y());
    const QPoint beyond(box.left() - 9, box.center().y());
    // Nothing typed in: no frame.
    EXPECT_EQ(view.grabFrameElement(), nullptr);
    EXPECT_NE(doc->elementFromPoint(onFrame.x(), onFrame.y()), el("box"));
    caretIn("cell", 2);
    EXPECT_EQ(view.grabFrameElement(), el("box"));
    EXPECT_EQ(doc->elementFromPoint(onFrame.x(), onFrame.y()), el("box"));
    EXPECT_EQ(view.input().cursorAt(onFrame), Qt::SizeAllCursor);
    EXPECT_NE(doc->elementFromPoint(beyond.x(), beyond.y()), el("box"));
    EXPECT_EQ(view.input().cursorAt(box.center()), Qt::IBeamCursor);
    // Drawn hatched around the box, nothing drawn beyond it.
    const QImage shown = view.renderToImage();
    int grey = 0;
    for (int y = box.top(); y < box.top() + 8; ++y)
        for (int x = box.left() - 7; x < box.left(); ++x)
            grey += shown.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(grey, 0);
    EXPECT_EQ(shown.pixel(beyond), qRgb(255, 255, 255));
    // The caret in the page's own text, or the box selected as an object: no frame.
    caretIn("p", 1);
    EXPECT_EQ(view.grabFrameElement(), nullptr);
    doc->selection().setControlRange({Ref<Element>(el("box"))});
    EXPECT_EQ(view.grabFrameElement(), nullptr);
}

TEST_F(GrabFrame, AMarqueeHoldingTheCaretTakesPressesInItsText)
{
    const QRect m = rect("m");
    const QPoint text(m.left() + 20, m.center().y());
    // Not typed in: the arrow, and a press selects it.
    EXPECT_EQ(view.input().cursorAt(text), Qt::ArrowCursor);
    view.input().mouseDown(text, LeftButton, Qt::NoModifier);
    view.input().mouseUp(text, LeftButton, Qt::NoModifier);
    ASSERT_EQ(doc->selection().type(), Selection::Type::Control);
    // Typed in: the text cursor, and a press puts the caret there.
    caretIn("m", 0);
    EXPECT_EQ(view.input().cursorAt(text), Qt::IBeamCursor);
    view.input().mouseDown(text, LeftButton, Qt::NoModifier);
    view.input().mouseUp(text, LeftButton, Qt::NoModifier);
    EXPECT_EQ(doc->selection().type(), Selection::Type::None);
    EXPECT_GT(doc->selection().start().offset(), 0);
    EXPECT_TRUE(el("m")->containsNode(doc->selection().start().node()));
}

TEST_F(GrabFrame, ACaptureTakenAwayTellsTheSinkOnce)
{
    // Released by the program: nothing to tell.
    view.setCapture(doc->body());
    view.releaseCapture();
    EXPECT_EQ(sink.count(ev::LoseCapture), 0);
    // A modal window comes up: the capture is lost.
    view.setCapture(doc->body());
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    EXPECT_EQ(sink.count(ev::LoseCapture), 1);
    EXPECT_EQ(view.input().captureElement(), nullptr);
    dialog.hide();
    // A popup menu comes up.
    view.setCapture(doc->body());
    QMenu menu;
    menu.addAction(QStringLiteral("x"));
    menu.popup(QPoint(10, 10));
    EXPECT_EQ(sink.count(ev::LoseCapture), 2);
    menu.hide();
    // The view hides.
    view.show();
    view.setCapture(doc->body());
    view.hide();
    EXPECT_EQ(sink.count(ev::LoseCapture), 3);
    EXPECT_EQ(sink.seen.back().event.srcElement.get(), doc->body());
    // Nothing is lost twice, and windows shown later mean nothing.
    QDialog later;
    later.setModal(true);
    later.show();
    EXPECT_EQ(sink.count(ev::LoseCapture), 3);
}

} // namespace
