// Edits that add or remove blocks (Enter, a Backspace or Delete that joins
// paragraphs, a paste of paragraphs, and their undo) write only the run of
// blocks they touch anew and lay it out where it stood, moving what follows;
// every step gives what a layout made from scratch gives, painted alike.

#include "engine/layout/DocumentLayout.h"
#include "engine/layout/InParts.h"
#include "engine/layout/TextLines.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/editing/Typing.h"
#include "engine/markup/UndoManager.h"
#include "FullLayoutCheck.h"
#include "LayoutFixture.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace engine;
using layout_test::byId;

namespace {

constexpr QSize kView(640, 400);

QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word") + QString::number(i);
    return list.join(u' ');
}

// Paragraphs p<from> .. p<from+count-1>, every third one long enough to wrap.
QString paragraphs(int count, int from = 0)
{
    QString html;
    for (int i = from; i < from + count; ++i)
        html += QStringLiteral("<p id=p%1>%2</p>\n").arg(i).arg(i % 3 == 0 ? words(40) : words(3));
    return html;
}

QImage paint(DocumentLayout& layout)
{
    return layout_test::paintTop(layout, kView);
}

Text* textOf(Document* doc, const char* id)
{
    return byId(doc, id)->firstChild()->asText();
}

// Lines found again for a run alone are those found over the whole tree.
void expectSameLines(const TextLines& mine, const TextLines& whole, const std::string& what)
{
    EXPECT_EQ(mine.entries, whole.entries) << what;
    EXPECT_EQ(mine.lineOf, whole.lineOf) << what;
    EXPECT_EQ(mine.lineOfBreak, whole.lineOfBreak) << what;
    EXPECT_EQ(mine.entriesByNode, whole.entriesByNode) << what;
    EXPECT_EQ(mine.nodeEntriesStart, whole.nodeEntriesStart) << what;
    ASSERT_EQ(mine.lines.size(), whole.lines.size()) << what;
    for (size_t i = 0; i < mine.lines.size(); ++i) {
        const TextLines::Line& a = mine.lines[i];
        const TextLines::Line& b = whole.lines[i];
        EXPECT_TRUE(a.first == b.first && a.last == b.last && a.block == b.block && a.rect == b.rect &&
                    a.baseline == b.baseline && a.lineBreak == b.lineBreak)
            << what << ", line " << i;
    }
}

// Runs the edits one by one, each followed by a layout that must equal a
// fresh one, and a repaint of what it marked that must equal a fresh paint;
// then undoes them all, checked alike. Returns how many of the layouts were
// made in place. Style sheets and images are read from `folder`.
int editAndUndo(const QString& html, const std::vector<std::function<void(Document*)>>& edits,
                const QString& folder = QString())
{
    Ref<Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setBaseFolder(folder);
    layout.setViewportSize(kView);
    layout.ensureLayout();
    QImage shown = paint(layout);
    layout.takeDirtyRegion();
    const int before = layout.counters().blockLayouts;
    int step = 0;
    const auto check = [&] {
        layout.ensureLayout();
        const std::string what = "step " + std::to_string(step++);
        layout_test::expectSameAsFullLayout(layout, *doc, what, true, folder);
        expectSameLines(*layout.engine().textLines(), *TextLines::of(layout.engine().tree()), what);
        const QRegion dirty = layout.takeDirtyRegion();
        {
            QPainter p(&shown);
            for (const QRect& r : dirty)
                layout.engine().draw(p, r.intersected(shown.rect()));
        }
        EXPECT_TRUE(shown == paint(layout)) << what << ": stale pixels after the repaint";
    };
    for (const auto& edit : edits) {
        edit(doc.get());
        check();
        if (::testing::Test::HasFailure())
            return -1;
    }
    doc->undoManager().closeOpenUnits();
    while (doc->undoManager().canUndo()) {
        EXPECT_TRUE(doc->undoManager().undo());
        check();
        if (::testing::Test::HasFailure())
            return -1;
    }
    return layout.counters().blockLayouts - before;
}

void caretAt(Document* doc, const char* id, int offset)
{
    doc->selection().collapseAt(textOf(doc, id), offset);
}

std::function<void(Document*)> enterAt(const char* id, int offset)
{
    return [id, offset](Document* doc) {
        caretAt(doc, id, offset);
        ASSERT_TRUE(Typing(doc).insertParagraph());
    };
}

// Shift+Enter.
std::function<void(Document*)> lineBreakAt(const char* id, int offset)
{
    return [id, offset](Document* doc) {
        caretAt(doc, id, offset);
        ASSERT_TRUE(Typing(doc).insertLineBreak());
    };
}

std::function<void(Document*)> backspaceAtStartOf(const char* id)
{
    return [id](Document* doc) {
        caretAt(doc, id, 0);
        ASSERT_TRUE(Typing(doc).deleteBackward());
    };
}

// At the caret (after an Enter: joins the paragraphs again).
std::function<void(Document*)> backspace()
{
    return [](Document* doc) { ASSERT_TRUE(Typing(doc).deleteBackward()); };
}

std::function<void(Document*)> deleteAtEndOf(const char* id)
{
    return [id](Document* doc) {
        Text* t = textOf(doc, id);
        doc->selection().collapseAt(t, t->length());
        ASSERT_TRUE(Typing(doc).deleteForward());
    };
}

// Selects from `offset` in the text of `from` to `toOffset` in that of
// `to`, then Delete, or the text typed over the selection.
std::function<void(Document*)> deleteBetween(const char* from, int offset, const char* to, int toOffset,
                                             const QString& typed = QString())
{
    return [=](Document* doc) {
        doc->selection().setTextRange(textOf(doc, from), offset, textOf(doc, to), toOffset);
        if (typed.isEmpty())
            ASSERT_TRUE(Typing(doc).deleteForward());
        else
            ASSERT_TRUE(Typing(doc).insertText(typed));
    };
}

std::function<void(Document*)> pasteAt(const char* id, int offset, const QString& html)
{
    return [id, offset, html](Document* doc) {
        Text* t = textOf(doc, id);
        TextRange(doc, t, offset, t, offset).pasteHTML(html);
    };
}

std::function<void(Document*)> type(const QString& text)
{
    return [text](Document* doc) { ASSERT_TRUE(Typing(doc).insertText(text)); };
}

std::function<void(Document*)> styleOf(const char* id, const char* name, const char* value)
{
    return [id, name, value](Document* doc) {
        byId(doc, id)->style().setAttribute(QString::fromLatin1(name), Variant(QString::fromLatin1(value)));
    };
}

} // namespace

// Splitting, joining and pasting among the paragraphs of BODY (more than
// the blocks drawn by the index of their children), at its first and last
// paragraphs too, and every undo.
TEST(RunReflow, BlocksAddedAndRemovedInBodyMatchAFreshLayout)
{
    const QString page = QStringLiteral("<body>") + paragraphs(300) + QStringLiteral("</body>");
    const int inPlace = editAndUndo(
        page,
        {enterAt("p6", 30), type(QStringLiteral("typed after Enter")), enterAt("p7", 17), backspaceAtStartOf("p8"),
         deleteAtEndOf("p12"), enterAt("p9", 0), enterAt("p0", 10), enterAt("p299", 5), backspaceAtStartOf("p299"),
         pasteAt("p20", 12, QStringLiteral("<p>one</p><p>two ") + words(50) + QStringLiteral("</p><h2>three</h2>"))});
    // (The paste brings a heading, whose margins are fractions of a pixel:
    // it and its undo take a whole layout.)
    EXPECT_GE(inPlace, 16);
}

// On a long page the boxes and words after the edit are moved in parts at
// once: each part as if moved alone, the owners of words renumbered across
// the parts' edges, the canvas the reach of every part.
TEST(RunReflow, BlocksAddedAndRemovedOnALongPageMatchAFreshLayout)
{
    QString page = QStringLiteral("<body>");
    for (int i = 0; i < 2500; ++i) {
        page += QStringLiteral(
                    "<p id=p%1>%2 <b>a</b> <i>b</i> <b>c</b> <i>d</i> <b>e</b> <i>f</i> <a href=x>g</a> %3</p>\n")
                    .arg(i)
                    .arg(words(12), words(i == 2499 ? 90 : 10));
    }
    page += QStringLiteral("</body>");
    const int inPlace = editAndUndo(
        page, {enterAt("p40", 30), backspaceAtStartOf("p42"), enterAt("p2499", 100),
               pasteAt("p3", 12, QStringLiteral("<p>one</p><p>two ") + words(50) + QStringLiteral("</p>"))});
    EXPECT_GE(inPlace, 8);
}

// Every pass over what follows an edit split into parts, however short:
// the words, lines, boxes, nodes and blocks after it moved once each, none
// twice nor left behind where two parts meet, in the body and in a text
// box, at the first block and the last, across empty lines.
TEST(RunReflow, EditsMovingWhatFollowsInShortPartsMatchAFreshLayout)
{
    struct SplitEveryPass
    {
        SplitEveryPass() { layoutengine_detail::leastPartOfEveryPass() = 1; }
        ~SplitEveryPass() { layoutengine_detail::leastPartOfEveryPass() = 0; }
    } split;
    const QString content = paragraphs(12) + QStringLiteral("<p id=b>one<br><br>two<br></p><p id=last>") + words(30) +
                            QStringLiteral("</p>");
    const std::vector<std::function<void(Document*)>> edits = {
        enterAt("p0", 2),   backspaceAtStartOf("p1"),
        enterAt("p4", 9),   enterAt("b", 2),
        enterAt("last", 4), backspaceAtStartOf("p3"),
        enterAt("p11", 4),  pasteAt("p6", 3, QStringLiteral("<p>x</p><p>y ") + words(30) + QStringLiteral("</p>"))};
    EXPECT_GE(editAndUndo(QStringLiteral("<body>") + content + QStringLiteral("</body>"), edits), 10);
    EXPECT_GE(editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                                         "<td id=cell>") +
                              content + QStringLiteral("</td></tr></tbody></table></body>"),
                          edits),
              10);
}

// Few paragraphs (drawn as the layout library draws them), inside a DIV
// with a border, and a list.
TEST(RunReflow, BlocksInADivisionAndListItemsMatchAFreshLayout)
{
    const QString page = QStringLiteral("<body><div style=\"border:2px solid red;padding:3px\">") + paragraphs(6) +
                         QStringLiteral("</div><ul><li id=a>first item</li><li id=b>second item</li></ul>") +
                         paragraphs(2) + QStringLiteral("</body>");
    EXPECT_GE(editAndUndo(page, {enterAt("p2", 4), backspaceAtStartOf("p3"), enterAt("p0", 0), enterAt("a", 5),
                                 backspaceAtStartOf("b")}),
              10);
}

// A table of contents of bulleted lists in lists: Enter in an entry and the
// Backspace that joins it again lay out the entries in place, an entry that
// holds a list of its own too; and in a numbered list.
TEST(RunReflow, ItemsOfBulletedListsMatchAFreshLayout)
{
    QString page = QStringLiteral("<body><p>Contents</p><ul>");
    for (int c = 0; c < 4; ++c) {
        page += QStringLiteral("<li id=c%1>Chapter %1 of the book<ul>").arg(c);
        for (int s = 0; s < 3; ++s)
            page += QStringLiteral("<li id=s%1-%2>Section %1.%2 on its settings</li>").arg(c).arg(s);
        page += QStringLiteral("</ul></li>");
    }
    page += QStringLiteral("</ul><ol><li id=n0>first step</li><li id=n1>second step</li></ol>") + paragraphs(2) +
            QStringLiteral("</body>");
    EXPECT_GE(editAndUndo(page, {enterAt("c1", 7), backspace(), enterAt("s2-1", 10), backspace(), enterAt("c3", 3),
                                 enterAt("n0", 5), backspaceAtStartOf("n1")}),
              14);
}

// Each item of a numbered list shows the number it would with a value of
// its own: counted on from a start, from an item's value, over a hidden
// item, a paragraph between items and a list within an item; after the
// first layout and after edits that change the numbers.
TEST(RunReflow, NumberedItemsShowTheirNumbers)
{
    const auto page = [](bool ownValues, int inserted) {
        const auto item = [&](int number, const QString& text, const char* extra = "") {
            return QStringLiteral("<li%1%2>%3</li>")
                .arg(ownValues ? QStringLiteral(" value=%1").arg(number) : QString(), QString::fromLatin1(extra), text);
        };
        QString html = QStringLiteral("<body><ol start=5>");
        int n = 5;
        for (int i = 0; i < 3 + inserted; ++i)
            html += item(n++, QStringLiteral("step"));
        html += item(n++, QStringLiteral("hidden"), " style='display:none'");
        html += QStringLiteral("<p>between</p>") + item(n++, QStringLiteral("after")) +
                QStringLiteral("<li value=20>twenty<ol><li>inner</li><li>inner</li></ol></li>");
        n = 21;
        for (int i = 0; i < 12; ++i)
            html += item(n++, QStringLiteral("late"));
        return html + QStringLiteral("</ol></body>");
    };
    const auto shown = [](const QString& html, const std::function<void(Document*)>& edit) {
        Ref<Document> doc = pageFrom(html);
        DocumentLayout layout(doc.get());
        layout.setViewportSize(kView);
        layout.ensureLayout();
        if (edit) {
            edit(doc.get());
            layout.ensureLayout();
        }
        return paint(layout);
    };
    EXPECT_TRUE(shown(page(false, 0), nullptr) == shown(page(true, 0), nullptr));
    // Two steps more at the top, by Enter at the end of the first.
    const auto enterAfterFirst = [](Document* doc) {
        Node* text = doc->getElementsByTagName(QStringLiteral("LI")).item(0)->firstChild();
        for (int i = 0; i < 2; ++i) {
            doc->selection().collapseAt(text, text->asText()->length());
            ASSERT_TRUE(Typing(doc).insertParagraph());
            ASSERT_TRUE(Typing(doc).insertText(QStringLiteral("step")));
        }
    };
    EXPECT_TRUE(shown(page(false, 0), enterAfterFirst) == shown(page(true, 2), nullptr));
}

// Numbered lists: Enter in an item and the joining Backspace lay out the
// items in place, and those after them show their numbers anew: past 9,
// in roman numerals from a start, around an item with a value of its own,
// in a list within a bulleted one. A number inside an item's box takes room
// from its line: such a list is laid out with the page.
TEST(RunReflow, ItemsOfNumberedListsAreNumberedAnew)
{
    QString page = QStringLiteral("<body><ol>");
    for (int i = 0; i < 9; ++i)
        page += QStringLiteral("<li id=n%1>step %1 of the setup</li>").arg(i);
    page += QStringLiteral("</ol><ol start=7 style='list-style-type:upper-roman'><li id=r0>seventh</li>"
                           "<li id=r1 value=20>twentieth</li><li id=r2>next</li></ol><ul><li>bullet<ol>"
                           "<li id=m0>inner one</li><li id=m1>inner two</li></ol></li></ul>"
                           "<ol style='list-style-position:inside'><li id=i0>inside one</li><li>inside two</li>"
                           "</ol></body>");
    EXPECT_EQ(editAndUndo(page, {enterAt("n3", 4), enterAt("n7", 2), backspace(), enterAt("n1", 5), enterAt("r0", 3),
                                 backspaceAtStartOf("r2"), enterAt("m0", 5), backspace(), enterAt("i0", 3)}),
              16);
}

// A manual's chapters and sections in DIVs within DIVs, with margins,
// borders and padding from the page's linked style sheets (one of them
// missing): the sections grow and shrink with their paragraphs, margins
// collapse through the DIVs without borders, what follows each DIV moves.
// A linked sheet with rules on siblings would match otherwise in the run
// read apart: there the page is laid out whole.
TEST(RunReflow, BlocksInNestedDivisionsStyledByLinkedSheetsMatchAFreshLayout)
{
    QTemporaryDir dir;
    const auto writeSheet = [&dir](const char* name, const char* css) {
        QFile sheet(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.write(css);
    };
    writeSheet("manual.css", "div.chapter { margin: 14px 0 22px } div.section { margin: 9px 6px; padding: 3px 5px; "
                             "border: 2px solid #448 } div.note { padding-bottom: 4px } p { margin: 8px 0 12px }");
    writeSheet("siblings.css", "p + p { margin-top: 20px }");
    const QString book = QStringLiteral("<body><div class=book><div class=chapter><div class=section>") +
                         paragraphs(3) + QStringLiteral("<div class=note>") + paragraphs(2, 3) +
                         QStringLiteral("</div></div><div class=section><div>") + paragraphs(3, 5) +
                         QStringLiteral("</div></div></div><div class=chapter><div>") + paragraphs(2, 8) +
                         QStringLiteral("</div></div></div><p id=end>end</p></body>");
    const QString linked = QStringLiteral("<head><link rel=stylesheet href=manual.css>"
                                          "<link rel=stylesheet href=absent.css></head>");
    const std::vector<std::function<void(Document*)>> edits = {
        enterAt("p1", 10),
        enterAt("p4", 20),
        backspaceAtStartOf("p3"),
        enterAt("p7", 30),
        deleteAtEndOf("p5"),
        enterAt("p9", 0),
        type(QStringLiteral("typed")),
        pasteAt("p0", 5, QStringLiteral("<p>one</p><p>two ") + words(30) + QStringLiteral("</p>"))};
    EXPECT_EQ(editAndUndo(linked + book, edits, dir.path()), 16);
    // (The typing and its undo change the words of one block: it is laid
    // out alone.)
    EXPECT_EQ(
        editAndUndo(QStringLiteral("<head><link rel=stylesheet href=siblings.css></head>") + book, edits, dir.path()),
        2);
}

// Where laying out the run alone could differ, the page is laid out whole:
// blocks beside a float, headings of margins of fractions of a pixel, a
// positioned box placed against the page below the run. Each still equals
// a fresh layout.
TEST(RunReflow, FloatsHeadingsAndPositionedBoxesMatchAFreshLayout)
{
    const QString floats = QStringLiteral("<body><div style=\"float:left;width:80px;height:300px\">f</div>") +
                           paragraphs(5) + QStringLiteral("</body>");
    EXPECT_EQ(editAndUndo(floats, {enterAt("p1", 3), backspaceAtStartOf("p2")}), 0);
    const QString headings = QStringLiteral("<body><h1 id=h>Heading one</h1><h3 id=k>Heading three</h3>") +
                             paragraphs(4) + QStringLiteral("</body>");
    editAndUndo(headings, {enterAt("h", 4), backspaceAtStartOf("k"), enterAt("p1", 2)});
    const QString positioned = QStringLiteral("<body>") + paragraphs(5) +
                               QStringLiteral("<div style=\"position:absolute;top:30px\">over</div><div "
                                              "style=\"position:relative\"><span style=\"position:absolute\">"
                                              "flow</span></div></body>");
    editAndUndo(positioned, {enterAt("p2", 4), backspaceAtStartOf("p3")});
}

// Blocks below the edits whose styles change between them: one placed
// against the page stays where it is, one that floats or takes no room
// leaves the others to lay the page out whole, and once they flow again
// they move with the others; in BODY and in a text box.
TEST(RunReflow, BlocksBelowTheEditsThatChangeTheirStylesMatchAFreshLayout)
{
    const std::vector<std::function<void(Document*)>> edits = {enterAt("p3", 4),
                                                               styleOf("p30", "position", "absolute"),
                                                               styleOf("p30", "top", "5px"),
                                                               enterAt("p5", 2),
                                                               backspaceAtStartOf("p6"),
                                                               styleOf("p30", "position", "static"),
                                                               enterAt("p4", 1),
                                                               styleOf("p20", "float", "left"),
                                                               enterAt("p2", 3),
                                                               styleOf("p20", "float", "none"),
                                                               styleOf("p25", "display", "none"),
                                                               enterAt("p1", 2),
                                                               styleOf("p25", "display", "block"),
                                                               styleOf("p26", "font-size", "30px"),
                                                               enterAt("p7", 3)};
    const QString content = paragraphs(40);
    EXPECT_GE(editAndUndo(QStringLiteral("<body>") + content + QStringLiteral("</body>"), edits), 4);
    EXPECT_GE(editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                                         "<td id=cell>") +
                              content + QStringLiteral("</td></tr></tbody></table></body>"),
                          edits),
              4);
}

// The text of the page in the one cell of a positioned table (a text box).
TEST(RunReflow, BlocksInATextBoxMatchAFreshLayout)
{
    const QString page = QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                                        "<td id=cell>") +
                         paragraphs(12) + QStringLiteral("</td></tr></tbody></table></body>");
    EXPECT_GE(editAndUndo(page, {enterAt("p4", 6), backspaceAtStartOf("p6"),
                                 pasteAt("p2", 3, QStringLiteral("<p>x</p><p>y</p>"))}),
              4);
    // A box as wide as its widest line (which does not wrap): a paragraph
    // that becomes wider widens it, one that was the widest narrows it.
    const QString fitted = QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody>"
                                          "<tr><td><p id=a>short</p><p id=b>a longer line</p><p id=c>mid one</p>"
                                          "</td></tr><tr><td>row below</td></tr></tbody></table></body>");
    editAndUndo(fitted, {enterAt("b", 3), backspaceAtStartOf("c"), pasteAt("a", 2, QStringLiteral("<p>x</p>"))});
}

// Empty lines (of breaks) in the run and after it: found again in the run,
// moved after it, their baselines as a fresh layout gives them.
TEST(RunReflow, EmptyLinesInAndAfterTheRunMatchAFreshLayout)
{
    const QString page = QStringLiteral("<body>") + paragraphs(4) +
                         QStringLiteral("<p id=b>first line<br><br>after an empty line<br></p><p id=c>z<br><br></p>") +
                         paragraphs(3) + QStringLiteral("</body>");
    EXPECT_GE(editAndUndo(page, {enterAt("p1", 3), enterAt("b", 5), backspaceAtStartOf("c"), enterAt("p0", 0),
                                 pasteAt("p2", 2, QStringLiteral("<p>x<br><br>y</p>"))}),
              6);
}

// An inline element with nothing in it stands on no line, where the layout
// leaves it in the box around it: blocks above it laid out anew, or a line
// typed into them, leave it there, in BODY and in a text box.
TEST(RunReflow, EmptyInlineElementsAfterTheEditMatchAFreshLayout)
{
    const QString content =
        QStringLiteral("<center><p id=a>one two</p><p id=b>three</p><p>four</p><b></b> tail "
                       "<font size=5><i></i></font></center><p>after, a line wider than those above</p>");
    const std::vector<std::function<void(Document*)>> edits = {enterAt("a", 3), backspaceAtStartOf("b"),
                                                               type(QStringLiteral(" and ") + words(30))};
    EXPECT_GE(editAndUndo(QStringLiteral("<body>") + content + QStringLiteral("</body>"), edits), 4);
    EXPECT_GE(editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                                         "<td>") +
                              content + QStringLiteral("</td></tr></tbody></table></body>"),
                          edits),
              2);
}

// The lines of a layout someone still holds stay those of that layout
// when an edit is laid out in place; the new ones are found beside them.
TEST(RunReflow, LinesHeldAcrossAnEditStayAsTheyWere)
{
    Ref<Document> doc = pageFrom(QStringLiteral("<body>") + paragraphs(20) + QStringLiteral("</body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    const int before = layout.counters().blockLayouts;
    for (const auto& edit : {enterAt("p5", 7), backspaceAtStartOf("p6"), enterAt("p19", 3)}) {
        const std::shared_ptr<const TextLines> held = layout.engine().textLines();
        const TextLines copy = *held;
        edit(doc.get());
        layout.ensureLayout();
        const std::shared_ptr<const TextLines> now = layout.engine().textLines();
        EXPECT_NE(now->version, held->version);
        expectSameLines(*held, copy, "held");
        expectSameLines(*now, *TextLines::of(layout.engine().tree()), "after the edit");
    }
    EXPECT_EQ(layout.counters().blockLayouts - before, 3);
}

// Typing in a paragraph with boxes of its own (a bold word, a line break)
// in the cell of a text box, on one line and onto more lines: the page's
// lines are updated where they changed, not found anew over the page.
TEST(RunReflow, TypingInAParagraphWithBoxesUpdatesThePagesLines)
{
    QString content = paragraphs(12);
    content += QStringLiteral("<p id=b>some <b>bold</b> words ") + words(30) + QStringLiteral("</p>");
    content += QStringLiteral("<p id=r>one<br><br>two <i>three</i></p>") + paragraphs(12);
    for (const QString& page :
         {QStringLiteral("<body>") + content + QStringLiteral("</body>"),
          QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr><td>") + content +
              QStringLiteral("</td></tr></tbody></table></body>")}) {
        Ref<Document> doc = pageFrom(page);
        DocumentLayout layout(doc.get());
        layout.setViewportSize(kView);
        layout.ensureLayout();
        const struct
        {
            const char* id;
            int offset;
            QString text;
        } keys[] = {{"b", 2, QStringLiteral("x")},
                    {"b", 3, QStringLiteral(" ") + words(25)},
                    {"r", 1, QStringLiteral("y")},
                    {"r", 0, words(30)}};
        for (const auto& key : keys) {
            const std::string what = std::string(key.id) + " " + std::to_string(key.text.size());
            const std::weak_ptr<const TextLines> before = layout.engine().textLines();
            doc->selection().collapseAt(textOf(doc.get(), key.id), key.offset);
            ASSERT_TRUE(Typing(doc.get()).insertText(key.text));
            layout.ensureLayout();
            const std::shared_ptr<const TextLines> now = layout.engine().textLines();
            EXPECT_EQ(before.lock(), now) << what << ": the lines were found anew";
            expectSameLines(*now, *TextLines::of(layout.engine().tree()), what);
            layout_test::expectSameAsFullLayout(layout, *doc, what, true);
        }
    }
}

// Text standing loose beside paragraphs has no box of its own: a break
// added or removed before or after it changes its lines, and paragraphs
// pasted before it take it into the run written anew, while the layout
// holds it outside the run. In a DIV and in the cell of a text box, each
// step and its undo still equal a fresh layout.
TEST(RunReflow, EditsBesideLooseTextMatchAFreshLayout)
{
    const auto textOfData = [](Document* doc, const char* data) -> Text* {
        std::vector<Text*> all;
        layout_test::collectTexts(doc->body(), all);
        const auto t = std::find_if(all.begin(), all.end(), [data](Text* x) { return x->data() == data; });
        return t == all.end() ? nullptr : *t;
    };
    const auto breakAt = [textOfData](const char* data, bool atEnd) {
        return [=](Document* doc) {
            Text* t = textOfData(doc, data);
            ASSERT_TRUE(t) << data;
            doc->selection().collapseAt(t, atEnd ? t->length() : 0);
            ASSERT_TRUE(Typing(doc).insertLineBreak());
        };
    };
    const auto pasteIn = [textOfData](const char* data, int offset, const char* html) {
        return [=](Document* doc) {
            Text* t = textOfData(doc, data);
            ASSERT_TRUE(t) << data;
            TextRange(doc, t, offset, t, offset).pasteHTML(QString::fromUtf8(html));
        };
    };
    editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr><td>"
                               "lead<p>x a</p>tail</td></tr></tbody></table></body>"),
                {breakAt("lead", false), breakAt("tail", true)});
    editAndUndo(QStringLiteral("<body><div>lead<p>x a</p>tail<p>b</p></div><p>after</p></body>"),
                {breakAt("lead", false), breakAt("tail", true)});
    editAndUndo(
        QStringLiteral("<body><p id=p>one two three four five six</p><div>line the end</div><p>after</p></body>"),
        {pasteIn("line the end", 3, "<p>of page</p><p>more</p>"), enterAt("p", 8),
         pasteIn("lin", 0, "<p>x y</p><p>z w</p>")});
}

// Each structural edit, its undo, its redo and its undo again are laid out
// in place, in BODY and in a text box of wrapping text: undo puts back
// elements the layout held before the edit, which are laid out anew.
TEST(RunReflow, UndoAndRedoOfEachEditAreLaidOutInPlace)
{
    const QString content = paragraphs(30);
    const QString pages[] = {
        QStringLiteral("<body>") + content + QStringLiteral("</body>"),
        QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr><td>") + content +
            QStringLiteral("</td></tr></tbody></table></body>")};
    const std::pair<const char*, std::function<void(Document*)>> edits[] = {
        {"joining Backspace", backspaceAtStartOf("p8")},
        {"Enter", enterAt("p7", 9)},
        {"joining Delete", deleteAtEndOf("p8")},
        {"paste of paragraphs", pasteAt("p8", 4, QStringLiteral("<p>one</p><p>two ") + words(30) + "</p>")}};
    for (const QString& page : pages) {
        for (const auto& [name, edit] : edits) {
            Ref<Document> doc = pageFrom(page);
            DocumentLayout layout(doc.get());
            layout.setViewportSize(kView);
            layout.ensureLayout();
            const auto step = [&](const char* what, const std::function<void()>& change) {
                const DocumentLayout::Counters before = layout.counters();
                change();
                layout.ensureLayout();
                const std::string where =
                    std::string(name) + ", " + what + (page.contains("<table") ? " in a box" : "");
                EXPECT_EQ(layout.counters().rebuilds, before.rebuilds) << where;
                EXPECT_EQ(layout.counters().blockLayouts, before.blockLayouts + 1) << where;
                layout_test::expectSameAsFullLayout(layout, *doc, where);
            };
            step("done", [&] { edit(doc.get()); });
            doc->undoManager().closeOpenUnits();
            step("undone", [&] { EXPECT_TRUE(doc->undoManager().undo()); });
            step("redone", [&] { EXPECT_TRUE(doc->undoManager().redo()); });
            step("undone again", [&] { EXPECT_TRUE(doc->undoManager().undo()); });
        }
    }
}

// A cell in a row it spans past is as high as that row, which holds nothing
// else: what it holds overflows it, and the page reaches as far down as that
// does, margins included, though the table keeps its height.
TEST(RunReflow, ParagraphsOverflowingTheirCellReachAsFarDownAsInAFreshLayout)
{
    const QString tall = QStringLiteral("<body><div style=\"height:600px\">x</div><table border=1><tr>");
    editAndUndo(tall + QStringLiteral("<td rowspan=2 id=c>loose text</td></tr></table></body>"), {enterAt("c", 0)});
    editAndUndo(tall + QStringLiteral("<td rowspan=2><p id=c>a paragraph</p><p id=d>another</p></td></tr></table>"
                                      "<p>after</p></body>"),
                {enterAt("c", 2), backspaceAtStartOf("d")});
}

// Long paragraphs split and joined take their words over from the blocks
// they were (their text is not read again): every step equals a fresh
// layout, where the words keep their font, case and white space, at a
// box's edge, in a word split or made of two, in text of no spaces (CJK),
// across bold text and line breaks of preformatted text, and where the
// blocks differ in font (a heading joined to a paragraph: made anew).
TEST(RunReflow, LongParagraphsSplitAndJoinedMatchAFreshLayout)
{
    const QString many = words(500);
    QString cjk;
    for (int i = 0; i < 2400; ++i)
        cjk += QChar(0x4E00 + i % 50) + QString(i % 7 == 0 ? QStringLiteral("、") : QString());
    QString pre;
    for (int i = 0; i < 120; ++i)
        pre += QStringLiteral("line %1 of the listing\n").arg(i);
    const QString page = QStringLiteral("<body><p id=a>") + many + QStringLiteral("</p><p id=b>\n ") + many +
                         QStringLiteral(" \n</p><p id=c style=\"text-transform:uppercase\">") + many +
                         QStringLiteral("</p><h2 id=d>") + many + QStringLiteral("</h2><p id=e>") + many +
                         QStringLiteral("</p><p id=f>") + cjk + QStringLiteral("</p><p id=g>") + many +
                         QStringLiteral("<b>bold</b> ") + many + QStringLiteral("</p><pre id=h>") + pre +
                         QStringLiteral("</pre></body>");
    editAndUndo(page, {enterAt("a", 1500), backspace(), enterAt("b", 3), enterAt("c", 2000), backspaceAtStartOf("e"),
                       enterAt("f", 1200), backspace(), enterAt("g", 700), enterAt("h", 1000),
                       type(QStringLiteral("typed")), backspace(), enterAt("a", 0)});
    // Split at a space and at the very end, and joined to the one before.
    editAndUndo(page, {enterAt("a", 1499), backspace(), enterAt("b", 10), backspaceAtStartOf("b"),
                       backspaceAtStartOf("c"), enterAt("g", many.size())});
}

// The words of a long paragraph split in two are those it had, but for the
// word split: none is made anew, nor its text parsed; and its lines stand
// but for a few about the split (the second paragraph's re-broken until
// they meet the old ones), and so do those of the two joined again but for
// a few after the join.
TEST(RunReflow, ALongParagraphSplitKeepsItsWordsAndLines)
{
    Ref<Document> doc =
        pageFrom(QStringLiteral("<body><p id=a>") + words(2000) + QStringLiteral("</p><p>after it</p></body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    const size_t lines = layout.engine().textLines()->lines.size() - 1;
    const int wordsAndSpaces = 2 * 2000 - 1;
    enterAt("a", 6000)(doc.get());
    layout.ensureLayout();
    EXPECT_GE(layout.engine().wordsTakenByLastRun(), size_t(wordsAndSpaces - 4));
    EXPECT_GE(layout.engine().lastKeptLines().linesKept, lines - 12);
    EXPECT_LT(layout.engine().lastKeptLines().childrenPlaced, size_t(200));
    layout_test::expectSameAsFullLayout(layout, *doc, "split");
    backspace()(doc.get());
    layout.ensureLayout();
    EXPECT_GE(layout.engine().wordsTakenByLastRun(), size_t(wordsAndSpaces - 4));
    EXPECT_GE(layout.engine().lastKeptLines().linesKept, lines - 12);
    layout_test::expectSameAsFullLayout(layout, *doc, "joined");
    enterAt("a", 0)(doc.get());
    layout.ensureLayout();
    layout_test::expectSameAsFullLayout(layout, *doc, "split at the start");
}

// A long paragraph split before each word of a few lines in turn, one of
// which begins a line (the second paragraph then holds old lines alone,
// which stand lower than in the new one), and joined again.
TEST(RunReflow, ALongParagraphSplitWhereALineBeginsMatchesAFreshLayout)
{
    std::vector<std::function<void(Document*)>> edits;
    int offset = 0;
    for (int word = 0; word < 130; ++word) {
        if (word >= 100) {
            edits.push_back(enterAt("a", offset));
            edits.push_back(backspace());
        }
        offset += static_cast<int>(QStringLiteral("word%1 ").arg(word).size());
    }
    editAndUndo(QStringLiteral("<body><p id=a>") + words(400) + QStringLiteral("</p></body>"), edits);
}

// Lines are handed only to blocks that lay them out alike: every step
// equals a fresh layout where the paragraphs are indented, centred, of
// another line height, where a paragraph is joined to a division of the
// same font, and where two paragraphs of which one is indented are joined.
TEST(RunReflow, LongParagraphsSplitAndJoinedKeepLinesOnlyWhereTheyComeOutAlike)
{
    const QString many = words(400);
    const QString page = QStringLiteral("<body><p id=a style=\"text-indent:30px\">") + many +
                         QStringLiteral("</p><p id=b align=center>") + many +
                         QStringLiteral("</p><p id=c style=\"line-height:2\">") + many +
                         QStringLiteral("</p><div id=d>") + many + QStringLiteral("</div><p id=e>") + many +
                         QStringLiteral("</p><p id=f style=\"text-indent:2em\">") + many +
                         QStringLiteral("</p><p id=g>") + many + QStringLiteral("</p></body>");
    editAndUndo(page, {enterAt("a", 1500), backspace(), enterAt("b", 1500), enterAt("c", 1501), backspace(),
                       backspaceAtStartOf("e"), backspaceAtStartOf("g"), enterAt("a", 20)});
}

// A paragraph joined to the end of a long preformatted text in a text box
// makes its last line the box's widest; the undo splits them again and the
// box becomes as narrow as before, though the text's words are taken over
// from the joined block (the width the run had is measured before they are).
TEST(RunReflow, ATextBoxNarrowsAgainWhenAJoinIntoLongPreformattedTextIsUndone)
{
    QString listing;
    for (int i = 0; i < 150; ++i)
        listing += QStringLiteral("line %1 of it\n").arg(i);
    listing += QStringLiteral("end");
    QString wide;
    for (int i = 0; i < 60; ++i)
        wide += QChar(0x4E00 + i);
    const QString page = QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr><td>"
                                        "<p>above</p><pre id=a>") +
                         listing + QStringLiteral("</pre><div><p id=b>") + wide +
                         QStringLiteral("</p><p>below</p></div></td></tr></tbody></table></body>");
    editAndUndo(page, {backspaceAtStartOf("b")});
}

// Enter in a program listing breaks its line there; the Backspace after
// the break joins the lines again. The same with line breaks in paragraphs.
// Each of the seven and their undo lays out the block around the break
// alone, taking the break out as well as putting it in, in BODY and in a
// text box.
TEST(RunReflow, LineBreaksPutInAndTakenOutMatchAFreshLayout)
{
    const QString content = paragraphs(6) +
                            QStringLiteral("<pre id=code>\n# server.conf\n[server]\n\tport = 80\n\tname = x\n</pre>") +
                            paragraphs(3, 6);
    const std::vector<std::function<void(Document*)>> edits = {
        enterAt("code", 16),  backspace(), enterAt("code", 25), enterAt("code", 3),
        lineBreakAt("p1", 8), backspace(), lineBreakAt("p4", 5)};
    EXPECT_GE(editAndUndo(QStringLiteral("<body>") + content + QStringLiteral("</body>"), edits), 14);
    EXPECT_GE(editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                                         "<td id=cell>") +
                              content + QStringLiteral("</td></tr></tbody></table></body>"),
                          edits),
              14);
}

// A paragraph of text kept as it stands is one line, here wider than the
// window: the page is as wide as that line. Enter splits it into two
// narrower lines, and the page becomes as narrow as the wider of them,
// though the words cut off went to the new paragraph before the run was
// measured; the join again widens it. The same with a line of a listing
// broken and joined again. Each is laid out in place, the page's extent
// measured anew.
TEST(RunReflow, ALineWiderThanThePageSplitByEnterNarrowsIt)
{
    const QString page = QStringLiteral("<body><p>above</p><div style='white-space:pre'><p id=a>") + words(60) +
                         QStringLiteral("</p><p>below</p></div><div><pre id=code>") + words(50) +
                         QStringLiteral("\nnext line</pre><p>after</p></div></body>");
    EXPECT_GE(editAndUndo(page, {enterAt("a", 200), backspace(), enterAt("a", 120), enterAt("code", 150), backspace(),
                                 enterAt("code", 20)}),
              12);
}

// Headings' margins in em end a fraction of a pixel off the whole (19.92 px
// at an H2): the blocks after them stand at that fraction. Enter at the end
// of the paragraph before a heading, the Backspace that joins the paragraphs
// again and a paste there move what follows by whole pixels and are laid out
// in place, the new blocks at their fractions (13 of the 22 layouts of the
// edits and their undo; 8 when the run had to be of whole pixels). Splitting
// a heading moves what follows by a fraction: the page is laid out whole. In
// quirks and standards mode, in DIVs around the sections, and in a text box.
TEST(RunReflow, BlocksBeforeHeadingsMatchAFreshLayout)
{
    const auto enterAtEnd = [](const char* id) {
        return [id](Document* doc) {
            Text* t = textOf(doc, id);
            doc->selection().collapseAt(t, t->length());
            ASSERT_TRUE(Typing(doc).insertParagraph());
        };
    };
    QString sections;
    for (int s = 0; s < 3; ++s) {
        sections += QStringLiteral("<div class=section><div><h2 id=h%1>Section %1 of the manual</h2>").arg(s) +
                    paragraphs(2, 2 * s) + QStringLiteral("<h3 id=k%1>Its settings</h3>").arg(s) +
                    QStringLiteral("<p id=q%1>%2</p></div></div>").arg(s).arg(words(12));
    }
    const std::vector<std::function<void(Document*)>> edits = {enterAtEnd("p1"),
                                                               type(QStringLiteral("new")),
                                                               backspace(),
                                                               backspace(),
                                                               backspace(),
                                                               backspace(),
                                                               enterAtEnd("q1"),
                                                               enterAtEnd("p3"),
                                                               pasteAt("p4", 3, QStringLiteral("<p>x</p><p>y</p>")),
                                                               enterAtEnd("h0"),
                                                               enterAt("k2", 4)};
    for (const QString& doctype : {QString(), QStringLiteral("<!DOCTYPE html>")}) {
        EXPECT_GE(editAndUndo(doctype + QStringLiteral("<body><h1 id=title>Manual</h1>") + sections +
                                  QStringLiteral("</body>"),
                              edits),
                  13)
            << doctype.toStdString();
        EXPECT_GE(editAndUndo(doctype +
                                  QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\">"
                                                 "<tbody><tr><td id=cell>") +
                                  sections + QStringLiteral("</td></tr></tbody></table></body>"),
                              edits),
                  13)
            << doctype.toStdString() << " in a text box";
    }
}

// Enter in a table's cell, the Backspace that joins two of its paragraphs
// and their undo: the table is laid out again at its place and what
// follows it moves (another table too). A parameter table of words in
// cells, a cell of paragraphs, a table in a cell, a table in a bordered
// DIV, a paragraph before a table, in BODY and in a text box (18 of the 19
// layouts alone in each, 8 without the table laid out alone); beside a
// float the page is laid out whole.
TEST(RunReflow, RunsInTableCellsMatchAFreshLayout)
{
    const QString tables =
        QStringLiteral("<p id=top>Parameters of the module.</p>"
                       "<table border=1 cellpadding=4 cellspacing=0><thead><tr><th>Name</th><th>Type</th>"
                       "<th>Description</th></tr></thead><tbody>"
                       "<tr><td><code>buffers_1</code></td><td>integer</td><td id=d1>How many buffers the module "
                       "keeps &amp; reuses before it asks for more</td></tr>"
                       "<tr><td><code>buffers_2</code></td><td>string</td><td id=d2><p id=q1>The first of its "
                       "paragraphs.</p><p id=q2>The second one.</p></td></tr>"
                       "<tr><td>nested</td><td><table border=1><tr><td id=inner>inner cell words</td><td>and "
                       "more</td></tr></table></td><td align=right>3</td></tr></tbody></table>"
                       "<table class=note width=\"90%\" border=0><tr><td id=note>A note below the table.</td>"
                       "</tr></table>"
                       "<div style=\"margin:10px;border:1px solid blue;padding:2px\"><table width=\"90%\"><tr>"
                       "<td id=e1>a cell in a division</td><td>second column</td></tr></table><p id=after>After "
                       "the table.</p></div>") +
        paragraphs(6);
    const std::vector<std::function<void(Document*)>> edits = {
        enterAt("top", 10),
        enterAt("d1", 10),
        type(QStringLiteral("typed")),
        backspace(),
        enterAt("q1", 5),
        backspaceAtStartOf("q2"),
        enterAt("inner", 6),
        enterAt("e1", 3),
        enterAt("note", 7),
        pasteAt("d1", 4, QStringLiteral("<p>one</p><p>two</p>"))};
    // (The paste into a cell's paragraph lays the page out whole.)
    EXPECT_GE(editAndUndo(QStringLiteral("<body>") + tables + QStringLiteral("</body>"), edits), 18);
    EXPECT_GE(editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                                         "<td id=cell>") +
                              tables + QStringLiteral("</td></tr></tbody></table></body>"),
                          edits),
              18);
    editAndUndo(QStringLiteral("<body><div style=\"float:left;width:60px;height:400px\">f</div>") + tables +
                    QStringLiteral("</body>"),
                {enterAt("d1", 10), enterAt("q1", 5)});
}

// A selection from one paragraph into another deleted, or typed over: both
// paragraphs change, then join. Across neighbours, across several, across
// the end of one DIV into the next, from a list item into a paragraph, and
// their undo (5 of the 9 layouts in place, none before the blocks changed
// were followed); in BODY and in a text box (where how wide each block made
// the box is not known after the first change: laid out whole).
TEST(RunReflow, SelectionsAcrossBlocksDeletedMatchAFreshLayout)
{
    const QString content = QStringLiteral("<div id=one>") + paragraphs(4) +
                            QStringLiteral("</div><div id=two><p id=d0>First of the second division ") + words(20) +
                            QStringLiteral("</p>") + paragraphs(3, 10) +
                            QStringLiteral("</div><ul><li id=li>an item of a list</li></ul>") + paragraphs(3, 20);
    const std::vector<std::function<void(Document*)>> edits = {
        deleteBetween("p0", 5, "p1", 10),
        deleteBetween("p2", 3, "d0", 12),
        deleteBetween("p10", 4, "p12", 6, QStringLiteral("typed over")),
        deleteBetween("li", 3, "p20", 4),
    };
    EXPECT_GE(editAndUndo(QStringLiteral("<body>") + content + QStringLiteral("</body>"), edits), 5);
    editAndUndo(QStringLiteral("<body><table style=\"position:absolute;left:20px;top:20px\"><tbody><tr>"
                               "<td id=cell>") +
                    content + QStringLiteral("</td></tr></tbody></table></body>"),
                edits);
}
