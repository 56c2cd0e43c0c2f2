// Edits inside a text box (the flowing text of a page held in the one cell
// of an absolutely positioned table): blocks whose height changes lay out
// alone as long as the table keeps its width, and every step gives what a
// layout made from scratch gives, painted alike.

#include "engine/layout/DocumentLayout.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/editing/Selection.h"
#include "engine/editing/Typing.h"
#include "engine/markup/UndoManager.h"
#include "FullLayoutCheck.h"
#include "LayoutFixture.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace engine;
using layout_test::byId;

namespace {

constexpr QSize kView(640, 400);

// The text box as the program makes it around a page's loose content.
QString textBox(const QString& content, const QString& rowsAfter = QString())
{
    return QStringLiteral("<body><p>before</p><table id=text style=\"LEFT: 20px; POSITION: absolute; TOP: 20px; "
                          "z-index:1\"><tbody><tr><td id=cell>") +
           content + QStringLiteral("</td></tr>") + rowsAfter + QStringLiteral("</tbody></table></body>");
}

// Many words: a paragraph wider than the view would be, which wraps.
QString words(int count, const QString& word = QStringLiteral("word"))
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << word + QString::number(i);
    return list.join(u' ');
}

enum class Way { Alone, Whole, Either };

struct Step
{
    const char* what;
    std::function<void(Document*)> edit;
    Way way;
};

QImage paint(DocumentLayout& layout)
{
    return layout_test::paintTop(layout, kView);
}

void runSteps(const QString& html, const std::vector<Step>& steps)
{
    Ref<Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    QImage shown = paint(layout);
    layout.takeDirtyRegion();
    for (const Step& step : steps) {
        const int alone = layout.counters().blockLayouts;
        step.edit(doc.get());
        layout.ensureLayout();
        const bool tookBlock = layout.counters().blockLayouts > alone;
        std::string what = std::string(step.what) + (tookBlock ? " (block alone)" : " (whole)");
        if (step.way != Way::Either) {
            EXPECT_EQ(tookBlock, step.way == Way::Alone) << what;
        }
        layout_test::expectSameAsFullLayout(layout, *doc, what, true);
        // A view that repaints what the layout marked shows a fresh paint.
        const QRegion dirty = layout.takeDirtyRegion();
        {
            QPainter p(&shown);
            for (const QRect& r : dirty)
                layout.engine().draw(p, r.intersected(shown.rect()));
        }
        EXPECT_TRUE(shown == paint(layout)) << what << ": stale pixels after the repaint";
        if (::testing::Test::HasFailure())
            return;
    }
}

Text* textOf(Document* doc, const char* id)
{
    return byId(doc, id)->firstChild()->asText();
}

void append(Document* doc, const char* id, const QString& text)
{
    Text* t = textOf(doc, id);
    t->insertData(t->length(), text);
}

void setText(Document* doc, const char* id, const QString& text)
{
    Text* t = textOf(doc, id);
    t->replaceData(0, t->length(), text);
}

void setStyle(Document* doc, const char* id, const char* name, const char* value)
{
    byId(doc, id)->style().setAttribute(QString::fromLatin1(name), Variant(QString::fromLatin1(value)));
}

// A line that does not wrap (program text) wider than the view: the box is
// as wide as that line, and the paragraphs wrap inside it.
QString wideLine()
{
    return QStringLiteral("<pre>") + words(30, QStringLiteral("code")) + QStringLiteral("</pre>");
}

TEST(TextBoxReflow, WrappedParagraphsGrowAndShrinkInPlace)
{
    const QString html =
        textBox(QStringLiteral("<h3 id=h>Title</h3>") + wideLine() + QStringLiteral("<p id=long>") + words(200) +
                QStringLiteral("</p><p id=p>a few words</p><div id=d><p id=q>in a division</p></div>"
                               "<div><p>one</p><p id=r>two</p><p>three</p></div>"
                               "<pre id=pre>one line</pre><p id=last>the end</p>"));
    runSteps(
        html,
        {
            {"more lines", [](Document* d) { append(d, "p", u' ' + words(60, QStringLiteral("more"))); }, Way::Alone},
            {"lines more in a preformatted block",
             [](Document* d) { append(d, "pre", QStringLiteral("\nsecond\nthird")); }, Way::Alone},
            {"back to one line", [](Document* d) { setText(d, "p", QStringLiteral("a few")); }, Way::Alone},
            {"a paragraph's size and margins", [](Document* d) { setStyle(d, "r", "font-size", "30px"); }, Way::Alone},
            {"smaller", [](Document* d) { setStyle(d, "r", "font-size", "10px"); }, Way::Alone},
            {"margins that collapse through the division", [](Document* d) { setStyle(d, "q", "font-size", "30px"); },
             Way::Whole},
            {"a heading's size", [](Document* d) { setStyle(d, "h", "font-size", "40px"); }, Way::Whole},
            {"the last block's height", [](Document* d) { setStyle(d, "last", "line-height", "50px"); }, Way::Alone},
            {"the last block's margins", [](Document* d) { setStyle(d, "last", "font-size", "20px"); }, Way::Whole},
            {"lines taken out", [](Document* d) { setText(d, "pre", QStringLiteral("one")); }, Way::Alone},
        });
}

// A box narrower than the view is as wide as its widest line: a line that
// becomes wider, or a word wider than the box, widens the table, which is
// laid out whole; lines within the width stay in place.
TEST(TextBoxReflow, ALineWiderThanTheBoxLaysTheTableOutWhole)
{
    const QString html =
        textBox(QStringLiteral("<p id=w>the widest line of the box</p><p id=p>short</p><p id=q>x</p><p>end</p>"));
    runSteps(html,
             {
                 {"within the width", [](Document* d) { append(d, "p", QStringLiteral(" one")); }, Way::Alone},
                 {"a second line", [](Document* d) { setStyle(d, "q", "font-size", "8px"); }, Way::Alone},
                 {"wider than the widest",
                  [](Document* d) { append(d, "p", QStringLiteral(" two three four five six")); }, Way::Whole},
                 {"no longer the widest", [](Document* d) { setText(d, "p", QStringLiteral("short")); }, Way::Whole},
                 {"a word wider than the box", [](Document* d) { append(d, "q", QString(90, u'x')); }, Way::Whole},
                 {"the word goes", [](Document* d) { setText(d, "q", QStringLiteral("x")); }, Way::Whole},
             });
}

// Blocks after a heading whose margins change stand where the heading's
// new margins end, to the fraction of a pixel: the text after the
// heading's last paragraph goes and the paragraph's margin (1em of 24 px)
// collapses through the heading's end with the next heading's (1.33em of
// 16 px), at another fraction; a paragraph's margins in whole pixels keep
// the fraction and move what follows in place.
TEST(TextBoxReflow, MarginsThatEndAtAnotherFractionOfAPixelMoveWhatFollows)
{
    const QString html = textBox(QStringLiteral("<p>page</p><h2><p>one</p><p id=q>two</p>x</h2>"
                                                "<h4>four</h4><dl><dt>term</dt><dd>defined</dd></dl><p id=p>para</p>"
                                                "<p>after</p>"));
    runSteps(html,
             {
                 {"the heading's last text goes",
                  [](Document* d) { byId(d, "q")->nextSibling()->asText()->replaceData(0, 1, QStringLiteral(" ")); },
                  Way::Whole},
                 {"a paragraph's margins", [](Document* d) { setStyle(d, "p", "font-size", "20px"); }, Way::Alone},
             });
}

// Enter and a joining Backspace where the text box is as wide as two of
// its blocks: one of them split or joined into narrower text lays out in
// place while the other keeps the width; the last one as wide made
// narrower takes a whole layout (the box narrows).
TEST(TextBoxReflow, ABlockAsWideAsTheBoxBesideTheEditKeepsItsWidth)
{
    const QString line = QStringLiteral("the widest line of the box");
    const QString html = textBox(QStringLiteral("<p id=w>") + line +
                                 QStringLiteral("</p><p id=s style='font-size:9px'>small</p><p id=b>") + line +
                                 QStringLiteral("</p><p>end</p>"));
    const auto caret = [](const char* id, int offset) {
        return [id, offset](Document* d) { d->selection().collapseAt(textOf(d, id), offset); };
    };
    runSteps(html, {
                       {"the twin split",
                        [&](Document* d) {
                            caret("b", 10)(d);
                            ASSERT_TRUE(Typing(d).insertParagraph());
                        },
                        Way::Alone},
                       {"joined again", [](Document* d) { ASSERT_TRUE(Typing(d).deleteBackward()); }, Way::Alone},
                       {"the twin joined into small text",
                        [&](Document* d) {
                            caret("b", 0)(d);
                            ASSERT_TRUE(Typing(d).deleteBackward());
                        },
                        Way::Alone},
                       {"the last one as wide split",
                        [&](Document* d) {
                            caret("w", 10)(d);
                            ASSERT_TRUE(Typing(d).insertParagraph());
                        },
                        Way::Whole},
                   });
}

// In a box as wide as the view, a word wider than the cell widens it.
TEST(TextBoxReflow, AWordWiderThanTheCellLaysTheTableOutWhole)
{
    const QString html = textBox(QStringLiteral("<p id=long>") + words(200) + QStringLiteral("</p><p id=p>a</p>"));
    runSteps(html,
             {
                 {"a word wider than the cell", [](Document* d) { append(d, "p", QString(120, u'm')); }, Way::Whole},
                 {"shorter again", [](Document* d) { setText(d, "p", QStringLiteral("a")); }, Way::Whole},
             });
}

// Rows below the cell move with it; margins at the cell's edges vanish in
// quirks mode, so a first block's margins that change take a whole layout.
TEST(TextBoxReflow, RowsBelowMoveAndEdgeMarginsTakeAWholeLayout)
{
    const QString html = textBox(
        QStringLiteral("<p id=first>first</p>") + wideLine() + QStringLiteral("<p id=p>") + words(150) +
            QStringLiteral("</p><p>last</p>"),
        QStringLiteral("<tr><td><p id=r2>second row</p><p>and more</p></td></tr><tr><td id=r3>third</td></tr>"));
    runSteps(html,
             {
                 {"grows", [](Document* d) { setStyle(d, "p", "font-size", "20px"); }, Way::Alone},
                 {"shrinks", [](Document* d) { setStyle(d, "p", "font-size", "12px"); }, Way::Alone},
                 {"in the second row", [](Document* d) { setStyle(d, "r2", "line-height", "40px"); }, Way::Alone},
                 {"first block's margins", [](Document* d) { setStyle(d, "first", "font-size", "30px"); }, Way::Whole},
                 {"loose text in a cell", [](Document* d) { append(d, "r3", QStringLiteral(" more")); }, Way::Whole},
             });
}

// Typing as a user types: words, a new paragraph, joining it back, undo.
TEST(TextBoxReflow, TypingEnterAndBackspaceMatchAFreshLayout)
{
    Ref<Document> doc = pageFrom(
        textBox(QStringLiteral("<p id=long>") + words(120) + QStringLiteral("</p><p id=p>some words</p><p>after</p>")));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    int step = 0;
    const auto check = [&] {
        layout.ensureLayout();
        layout_test::expectSameAsFullLayout(layout, *doc, "step " + std::to_string(step++), true);
    };
    Typing typing(doc.get());
    doc->selection().collapseAt(textOf(doc.get(), "p"), 4);
    const int alone = layout.counters().blockLayouts;
    for (const char* word : {" and", " a", " few", " more"}) {
        ASSERT_TRUE(typing.insertText(QString::fromLatin1(word)));
        check();
    }
    EXPECT_GE(layout.counters().blockLayouts, alone + 4);
    ASSERT_TRUE(typing.insertParagraph());
    check();
    ASSERT_TRUE(typing.insertText(QStringLiteral("new paragraph")));
    check();
    ASSERT_TRUE(typing.insertLineBreak());
    check();
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(typing.deleteBackward());
    check();
    doc->undoManager().closeOpenUnits();
    while (doc->undoManager().canUndo()) {
        ASSERT_TRUE(doc->undoManager().undo());
        check();
        if (HasFailure())
            return;
    }
    EXPECT_EQ(textOf(doc.get(), "p")->data(), QStringLiteral("some words"));
}

// The page's extent follows the box as it grows past what else reaches
// lowest on the page (a positioned object) and shrinks back above it.
TEST(TextBoxReflow, ThePageReachesAsFarAsTheBoxOrWhatStandsBelowIt)
{
    const QString html =
        textBox(wideLine() + QStringLiteral("<p id=a>first</p><p id=p>grows</p><p>last</p>"))
            .replace(QStringLiteral("<p>before</p>"),
                     QStringLiteral("<div style='position:absolute;top:700px;left:30px;width:50px;height:20px;"
                                    "background-color:#ccc'>object</div>"));
    const auto lines = [](int count) {
        return [count](Document* d) {
            QString text = QStringLiteral("grows");
            for (int i = 0; i < count; ++i)
                text += QStringLiteral("\nline");
            setText(d, "p", text);
            setStyle(d, "p", "white-space", "pre");
        };
    };
    runSteps(html, {
                       {"below the object", lines(60), Way::Either},
                       {"further", lines(80), Way::Alone},
                       {"back above it", lines(2), Way::Alone},
                       {"past it again", lines(70), Way::Alone},
                       {"a line less", lines(69), Way::Alone},
                   });
}

} // namespace

// A box as wide as the room, held so by a paragraph far from the edit:
// typing, Enter or a join that makes a paragraph that wrapped narrower
// keeps the box's width and lays out in place; the last paragraph that
// wraps made narrower narrows the box (laid out whole).
TEST(TextBoxReflow, ABlockAsWideFarFromTheEditKeepsTheWidth)
{
    QString content = QStringLiteral("<p id=far>") + words(60) + QStringLiteral("</p>");
    for (int i = 0; i < 60; ++i)
        content += QStringLiteral("<p>short %1</p>").arg(i);
    content += QStringLiteral("<p id=w>") + words(16) + QStringLiteral("</p><p>after</p>");
    const auto splitAt = [](const char* word) {
        return [word](Document* d) {
            // (After a join the paragraph holds two texts.)
            for (Node* n = byId(d, "w")->firstChild(); n; n = n->nextSibling()) {
                if (Text* t = n->asText(); t && t->data().contains(QString::fromLatin1(word))) {
                    d->selection().collapseAt(t, t->data().indexOf(QString::fromLatin1(word)));
                    ASSERT_TRUE(Typing(d).insertParagraph());
                    return;
                }
            }
            FAIL() << word;
        };
    };
    runSteps(
        textBox(content),
        {
            {"typing leaves a line that fits", [](Document* d) { setText(d, "w", QStringLiteral("a few words")); },
             Way::Alone},
            {"wraps again", [](Document* d) { setText(d, "w", words(16)); }, Way::Alone},
            {"Enter splits it into lines that fit", splitAt(" word8"), Way::Alone},
            {"joined again", [](Document* d) { ASSERT_TRUE(Typing(d).deleteBackward()); }, Way::Alone},
            {"the far one made short", [](Document* d) { setText(d, "far", QStringLiteral("short")); }, Way::Alone},
            {"the last one that wraps split", splitAt(" word8"), Way::Whole},
        });
}

// A box of more blocks than the page's extent is kept in one piece for:
// Enter, joins, their undo and the last block growing, near and across the
// places where it is cut, keep the extent a fresh layout finds.
TEST(TextBoxReflow, ALongBoxKeepsItsExtentAcrossEditsAnywhere)
{
    QString content = QStringLiteral("<p id=wide>") + words(60) + QStringLiteral("</p>");
    for (int i = 1; i < 1300; ++i)
        content += QStringLiteral("<p id=p%1>paragraph %1</p>").arg(i);
    const auto enterIn = [](int paragraph) {
        return [paragraph](Document* d) {
            d->selection().collapseAt(textOf(d, qPrintable(QStringLiteral("p%1").arg(paragraph))), 4);
            ASSERT_TRUE(Typing(d).insertParagraph());
        };
    };
    const auto join = [](Document* d) { ASSERT_TRUE(Typing(d).deleteBackward()); };
    const auto undo = [](Document* d) {
        d->undoManager().closeOpenUnits();
        ASSERT_TRUE(d->undoManager().undo());
    };
    runSteps(textBox(content),
             {
                 {"Enter at the end of the first piece", enterIn(511), Way::Alone},
                 {"joined again", join, Way::Alone},
                 {"Enter at the start of another", enterIn(1024), Way::Alone},
                 {"Enter far down", enterIn(1290), Way::Alone},
                 {"a join across pieces",
                  [](Document* d) {
                      d->selection().collapseAt(textOf(d, "p512"), 0);
                      ASSERT_TRUE(Typing(d).deleteBackward());
                  },
                  Way::Alone},
                 {"its undo", undo, Way::Alone},
                 {"the last block grows", [](Document* d) { setStyle(d, "p1299", "line-height", "90px"); }, Way::Alone},
                 {"and shrinks", [](Document* d) { setStyle(d, "p1299", "line-height", "10px"); }, Way::Alone},
             });
}

// A PRE of several lines makes the text box as wide as its longest line,
// also after a key typed in it.
TEST(TextBoxReflow, APreOfSeveralLinesIsAsWideAsItsLongestLine)
{
    for (const char* lines : {"one line\nand a longer line\nend", "\nfirst\nthe longest line of them\n\nlast\n"}) {
        Ref<Document> doc =
            pageFrom(textBox(QStringLiteral("<pre id=pre>") + QString::fromLatin1(lines) + QStringLiteral("</pre>")));
        DocumentLayout layout(doc.get());
        layout.setViewportSize(kView);
        layout.ensureLayout();
        const LayoutBox* table = layout.tree().boxByHtmlId(QStringLiteral("text"));
        ASSERT_TRUE(table);
        int widest = 0;
        for (const TextPiece& piece : layout.tree().pieces)
            widest = std::max(widest, piece.box.right() + 1);
        EXPECT_LT(table->borderBox.right(), widest + 8) << lines;
        Typing typing(doc.get());
        doc->selection().collapseAt(textOf(doc.get(), "pre"), 2);
        ASSERT_TRUE(typing.insertText(QStringLiteral("x")));
        layout.ensureLayout();
        layout_test::expectSameAsFullLayout(layout, *doc, lines, true);
    }
}
