// The caret on lines that hold only a break: clicks, arrow keys and typing.
#include "engine/view/DesignModeInput.h"

#include "engine/EnginePage.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/TextGeometry.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace engine;

namespace {

struct EmptyLines : ::testing::Test
{
    EmptyLines()
        : doc(pageFrom("<html><body style='margin:8px'>"
                       "<p id=p style='margin:0'>one<br><br>three</p>"
                       "<p id=q style='margin:0'><br></p>"
                       "<p id=r style='margin:0'>last</p></body></html>")),
          view(doc.get())
    {
        view.setHeadless(QSize(400, 300));
    }
    Element* el(const char* id) { return doc->getElementById(QString::fromLatin1(id)); }
    QRect rect(const char* id) { return Geometry(view.layout()).boundingClientRect(el(id)); }
    int lineHeight() { return rect("r").height(); }
    // A point on line `n` (from 0) of an element, `dx` right of its left edge.
    QPoint onLine(const char* id, int n, int dx = 30)
    {
        const QRect r = rect(id);
        return QPoint(r.left() + dx, r.top() + n * lineHeight() + lineHeight() / 2);
    }
    void click(QPoint p)
    {
        view.input().mouseDown(p, engine::LeftButton, Qt::NoModifier);
        view.input().mouseUp(p, engine::LeftButton, Qt::NoModifier);
    }
    void key(int k, const QString& text = QString())
    {
        view.input().keyDown(k, Qt::NoModifier, text);
        view.input().keyUp(k, Qt::NoModifier);
    }
    // The caret as "node:offset", the node named by its text or tag and id.
    QString caret()
    {
        const Selection& sel = doc->selection();
        Node* n = sel.start().node();
        if (!n)
            return QStringLiteral("none");
        const QString name = n->isText() ? n->asText()->data() : n->asElement()->id();
        return name + u':' + QString::number(sel.start().offset());
    }
    Ref<Document> doc;
    PageView view;
};

} // namespace

TEST_F(EmptyLines, LayOutOneLineHighAndTakeTheCaretWhereClicked)
{
    EXPECT_EQ(rect("p").height(), 3 * lineHeight());
    EXPECT_EQ(rect("q").height(), lineHeight());
    click(onLine("p", 1));
    EXPECT_EQ(caret(), QStringLiteral("p:2")); // before the second break
    // The caret is drawn on the empty line, at the line's start.
    const QRect drawn = view.caretLocation();
    EXPECT_EQ(drawn.top(), rect("p").top() + lineHeight());
    EXPECT_EQ(drawn.height(), lineHeight());
    EXPECT_EQ(drawn.left(), rect("p").left());
    click(onLine("q", 0, 100));
    EXPECT_EQ(caret(), QStringLiteral("q:0"));
    EXPECT_EQ(view.caretLocation().top(), rect("q").top());
}

TEST_F(EmptyLines, TypingThereInsertsBeforeTheBreakAndUndoes)
{
    click(onLine("p", 1));
    key('X', QStringLiteral("x"));
    key('Y', QStringLiteral("y"));
    EXPECT_EQ(el("p")->innerHTML(), QStringLiteral("one<BR>xy<BR>three"));
    EXPECT_EQ(rect("p").height(), 3 * lineHeight());
    click(onLine("q", 0));
    key('Z', QStringLiteral("z"));
    EXPECT_EQ(el("q")->innerHTML(), QStringLiteral("z")); // the line no longer needs its break
    EXPECT_EQ(rect("q").height(), lineHeight());
    view.input().keyDown('Z', Qt::ControlModifier, QString());
    EXPECT_EQ(el("q")->innerHTML(), QStringLiteral("<BR>"));
    EXPECT_EQ(rect("q").height(), lineHeight());
    view.input().keyDown('Z', Qt::ControlModifier, QString());
    EXPECT_EQ(el("p")->innerHTML(), QStringLiteral("one<BR><BR>three"));
}

TEST_F(EmptyLines, UpAndDownStepThroughThem)
{
    click(onLine("p", 0, 2));
    ASSERT_EQ(caret(), QStringLiteral("one:0"));
    const char* down[] = {"p:2", "three:0", "q:0", "last:0"};
    for (const char* expected : down) {
        key(Qt::Key_Down);
        EXPECT_EQ(caret(), QString::fromLatin1(expected));
    }
    const char* up[] = {"q:0", "three:0", "p:2", "one:0"};
    for (const char* expected : up) {
        key(Qt::Key_Up);
        EXPECT_EQ(caret(), QString::fromLatin1(expected));
    }
}

// Enter twice at the end of a paragraph: the caret stands on the new empty
// line, drawn there, and what is typed lands in it.
TEST_F(EmptyLines, EnterTwiceGivesALineToTypeOn)
{
    click(onLine("r", 0, 200));
    ASSERT_EQ(caret(), QStringLiteral("last:4"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    Element* typedInto = doc->body()->lastChild()->asElement();
    ASSERT_NE(typedInto, nullptr);
    const QRect line = Geometry(view.layout()).boundingClientRect(typedInto);
    EXPECT_EQ(line.height(), lineHeight());
    EXPECT_EQ(view.caretLocation().top(), line.top());
    key('X', QStringLiteral("x"));
    EXPECT_EQ(typedInto->innerHTML(), QStringLiteral("x"));
    // Up keeps the x after "x": through the empty line to the same x above.
    key(Qt::Key_Up);
    EXPECT_EQ(view.caretLocation().top(), line.top() - lineHeight());
    key(Qt::Key_Up);
    EXPECT_EQ(caret(), QStringLiteral("last:1"));
}

// Words typed before empty lines (the block laid out again in place, with
// more words than before): the empty lines further down keep their place
// among the lines.
TEST_F(EmptyLines, StayInTheirPlaceWhenWordsAreTypedAboveThem)
{
    click(onLine("p", 0, 200));
    ASSERT_EQ(caret(), QStringLiteral("one:3"));
    const int blockLayouts = view.layout().counters().blockLayouts;
    for (const QChar c : QStringLiteral(" two four")) {
        key(c.unicode(), QString(c));
        view.layout().ensureLayout();
    }
    ASSERT_EQ(el("p")->innerHTML(), QStringLiteral("one two four<BR><BR>three"));
    EXPECT_GT(view.layout().counters().blockLayouts, blockLayouts);
    // The lines in the page's order: here, from the top down.
    const auto lines = view.layout().engine().textLines();
    ASSERT_EQ(lines->lines.size(), 5u);
    EXPECT_TRUE(std::is_sorted(lines->lines.begin(), lines->lines.end(),
                               [](const auto& a, const auto& b) { return a.rect.top() < b.rect.top(); }));
    click(onLine("p", 0, 2));
    const char* down[] = {"p:2", "three:0", "q:0", "last:0"};
    for (const char* expected : down) {
        key(Qt::Key_Down);
        EXPECT_EQ(caret(), QString::fromLatin1(expected));
    }
    EXPECT_EQ(view.caretLocation().top(), rect("r").top());
}
