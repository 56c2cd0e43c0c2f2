#include "engine/EnginePage.h"

#include "engine/css/Style.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/editing/Typing.h"
#include "engine/dom/LivePosition.h"
#include "engine/markup/UndoManager.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(Undo, EveryApiChangeIsOneStepAndUndoRestoresTheSameNodes)
{
    auto doc = pageFrom("<body><p id=a>one</p></body>");
    const QString before = bodyHtml(doc.get());
    Ref<Element> p = doc->getElementById(QStringLiteral("a"));
    p->setAttribute(QStringLiteral("align"), QStringLiteral("center"));
    p->style().setLeft(5);
    p->setInnerHTML(QStringLiteral("<b>two</b>"));
    p->remove();
    UndoManager& u = doc->undoManager();
    EXPECT_EQ(u.undoCount(), 4);
    while (u.canUndo())
        u.undo();
    EXPECT_EQ(bodyHtml(doc.get()), before);
    EXPECT_EQ(doc->getElementById(QStringLiteral("a")), p.get());
    while (u.canRedo())
        u.redo();
    EXPECT_EQ(bodyHtml(doc.get()), QString());
    u.undo();
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P id=a align=center style=\"LEFT: 5px\"><B>two</B></P>"));
}

TEST(Undo, NestedUnitsFoldIntoTheOutermostEmptyUnitsLeaveNoStep)
{
    auto doc = pageFrom("<body><div id=d>x</div></body>");
    Element* d = doc->getElementById(QStringLiteral("d"));
    {
        UndoUnit outer(doc.get());
        d->setAttribute(QStringLiteral("title"), QStringLiteral("t"));
        {
            UndoUnit inner(doc.get());
            d->style().setTop(3);
        }
        d->setInnerText(QStringLiteral("y"));
    }
    {
        UndoUnit empty(doc.get());
        d->setAttribute(QStringLiteral("title"), QStringLiteral("t")); // no change
    }
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<DIV id=d>x</DIV>"));
}

TEST(Undo, AttributeComesBackInItsPlace)
{
    auto doc = pageFrom("<body><img id=i src=a.gif width=3 alt=x></body>");
    Element* img = doc->getElementById(QStringLiteral("i"));
    img->removeAttribute(QStringLiteral("WIDTH"));
    doc->undoManager().undo();
    EXPECT_EQ(img->outerHTML(), QStringLiteral("<IMG id=i src=\"a.gif\" width=3 alt=x>"));
}

TEST(Undo, TypingMergesConsecutiveCharacters)
{
    auto doc = pageFrom("<body><p>ab</p></body>");
    Text* t = doc->body()->firstChild()->firstChild()->asText();
    for (int i = 0; i < 3; ++i) {
        UndoUnit unit(doc.get());
        doc->undoManager().markTyping();
        t->insertData(t->length(), QStringLiteral("x"));
    }
    EXPECT_EQ(t->data(), QStringLiteral("abxxx"));
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    doc->undoManager().undo();
    EXPECT_EQ(t->data(), QStringLiteral("ab"));
}

// Typing over text (overwrite) merges as well: one undo gives back what was
// typed over, and redo types it again.
TEST(Undo, OverwriteTypingIsOneStep)
{
    auto doc = pageFrom("<body><p>abcdef</p></body>");
    Text* t = doc->body()->firstChild()->firstChild()->asText();
    {
        UndoUnit unit(doc.get());
        doc->undoManager().markTyping();
        t->insertData(0, QStringLiteral("-"));
    }
    for (int i = 1; i < 4; ++i) {
        UndoUnit unit(doc.get());
        doc->undoManager().markTyping();
        t->replaceData(i, 1, QStringLiteral("X"));
    }
    EXPECT_EQ(t->data(), QStringLiteral("-XXXdef"));
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    doc->undoManager().undo();
    EXPECT_EQ(t->data(), QStringLiteral("abcdef"));
    doc->undoManager().redo();
    EXPECT_EQ(t->data(), QStringLiteral("-XXXdef"));
    // Typing elsewhere in the text is a step of its own.
    {
        UndoUnit unit(doc.get());
        doc->undoManager().markTyping();
        t->replaceData(6, 1, QStringLiteral("Y"));
    }
    EXPECT_EQ(doc->undoManager().undoCount(), 2);
}

TEST(Undo, UndoPlacesTheSelectionAtTheChange)
{
    auto doc = pageFrom("<body><p>ab</p><p id=b>cd</p></body>");
    Text* t = doc->getElementById(QStringLiteral("b"))->firstChild()->asText();
    t->insertData(1, QStringLiteral("zz"));
    doc->selection().empty();
    doc->undoManager().undo();
    EXPECT_EQ(doc->selection().start().node(), t);
    EXPECT_EQ(doc->selection().start().offset(), 1);
}

TEST(Undo, ChangesToDetachedNodesAreNotRecorded)
{
    auto doc = pageFrom("<body></body>");
    Ref<Element> div = doc->createElement(QStringLiteral("DIV"));
    div->setAttribute(QStringLiteral("id"), QStringLiteral("n"));
    div->setInnerHTML(QStringLiteral("<b>x</b>"));
    EXPECT_EQ(doc->undoManager().undoCount(), 0);
    EXPECT_FALSE(doc->isDirty());
    doc->body()->appendChild(div);
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    EXPECT_TRUE(doc->isDirty());
}

// A split moves what follows the place into a copy of the element split
// (Enter, a paste of blocks inside an inline element, formatting taken off
// a part): redo, again and again, gives the page the edit gave.
TEST(Undo, RedoOfASplitKeepsWhatMovedIntoTheSecondHalf)
{
    const auto cycle = [](Document* doc, const QString& before, const QString& after) {
        for (int i = 0; i < 2; ++i) {
            doc->undoManager().undo();
            EXPECT_EQ(bodyHtml(doc), before);
            doc->undoManager().redo();
            EXPECT_EQ(bodyHtml(doc), after);
        }
    };
    {
        auto doc = pageFrom("<body><p>ab<b>cd</b>ef</p></body>");
        const QString before = bodyHtml(doc.get());
        doc->selection().collapseAt(doc->body()->firstChild()->firstChild(), 2);
        Typing(doc.get()).insertParagraph();
        ASSERT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>ab</P><P><B>cd</B>ef</P>"));
        cycle(doc.get(), before, bodyHtml(doc.get()));
    }
    {
        auto doc = pageFrom("<body><center>of <b>returns</b> a</center></body>");
        const QString before = bodyHtml(doc.get());
        Text* t = doc->getElementsByTagName(QStringLiteral("B")).item(0)->firstChild()->asText();
        TextRange(doc.get(), t, 0, t, 0).pasteHTML(QStringLiteral("<p>one</p><p>two</p>"));
        ASSERT_EQ(bodyHtml(doc.get()), QStringLiteral("<CENTER>of <P>one</P><P>two</P><B>returns</B> a</CENTER>"));
        cycle(doc.get(), before, bodyHtml(doc.get()));
    }
}

TEST(Undo, StyleLeftSetAndUndoKeepsDeclarationOrder)
{
    auto doc = pageFrom("<body><div style=\"Z-INDEX: 1; LEFT: 10px; POSITION: absolute\">x</div></body>");
    Element* d = doc->getElementsByTagName(QStringLiteral("DIV")).item(0);
    d->style().setLeft(20);
    EXPECT_EQ(d->style().cssText(), QStringLiteral("Z-INDEX: 1; LEFT: 20px; POSITION: absolute"));
    doc->undoManager().undo();
    EXPECT_EQ(d->style().cssText(), QStringLiteral("Z-INDEX: 1; LEFT: 10px; POSITION: absolute"));
}

TEST(DirtyFlag, LoadScopeLeavesNoStepAndNoMark)
{
    auto doc = pageFrom("<body><p>x</p></body>");
    EXPECT_FALSE(doc->isDirty());
    doc->beginLoadScope();
    doc->body()->setAttribute(QStringLiteral("bgColor"), QStringLiteral("#ffffff"));
    doc->endLoadScope();
    EXPECT_FALSE(doc->isDirty());
    EXPECT_FALSE(doc->undoManager().canUndo());
    doc->body()->setAttribute(QStringLiteral("text"), QStringLiteral("#000000"));
    EXPECT_TRUE(doc->isDirty());
    doc->setDirty(false);
    doc->undoManager().undo();
    EXPECT_TRUE(doc->isDirty());
}

TEST(Undo, AUnitLeftOpenIsClosedByUndo)
{
    auto doc = pageFrom("<body><p id=p>x</p></body>");
    Element* p = doc->getElementById(QStringLiteral("p"));
    doc->beginUndoUnit();
    p->setAttribute(QStringLiteral("align"), QStringLiteral("left"));
    p->setAttribute(QStringLiteral("title"), QStringLiteral("t"));
    EXPECT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(p->outerHTML(), QStringLiteral("<P id=p>x</P>"));
    doc->endUndoUnit(); // the late end changes nothing
    EXPECT_TRUE(doc->undoManager().canRedo());
}

TEST(Undo, ChangesOfTheDocumentsOwnChildrenUndoAndLetItBeFreed)
{
    Ref<Element> html;
    {
        Ref<Document> doc = Document::create();
        html = doc->createElement(QStringLiteral("HTML"));
        doc->insertChildAt(0, html);
        doc->removeChildAt(0);
        doc->insertChildAt(0, html);
        EXPECT_EQ(doc->undoManager().undoCount(), 3);
    }
    // The last reference to the document went: it let its children go,
    // though its history held changes of them.
    EXPECT_EQ(html->parentNode(), nullptr);

    // Undone and done again, with the same result.
    Ref<Comment> note;
    {
        Ref<Document> doc = Document::create();
        note = doc->createComment(QStringLiteral("saved by hand"));
        doc->insertChildAt(0, note);
        doc->undoManager().undo();
        EXPECT_EQ(doc->childCount(), 0);
        doc->undoManager().redo();
        EXPECT_EQ(note->parentNode(), doc.get());
    }
    EXPECT_EQ(note->parentNode(), nullptr);
}

// The caret after redo and undo stands where the edit left it: redoing
// Enter puts it at the start of the new paragraph, undoing a joining
// Backspace at the start of the paragraph it brings back (a place between
// two paragraphs in their parent showed at the end of the one before).
TEST(Undo, TheCaretStandsInTheParagraphThatCameBack)
{
    const auto caret = [](Document* doc) {
        const LivePosition& at = doc->selection().start();
        return std::make_pair(at.node(), at.offset());
    };
    for (const char* page : {"<body><p>ab<b>cd</b>ef</p></body>",
                             "<body><table style='position:absolute'><tr><td><p>ab<b>cd</b>ef</p></td></tr></table>"
                             "</body>"}) {
        auto doc = pageFrom(page);
        Node* p = doc->getElementsByTagName(QStringLiteral("P")).item(0);
        doc->selection().collapseAt(p->firstChild(), 2);
        ASSERT_TRUE(Typing(doc.get()).insertParagraph());
        const auto afterEnter = caret(doc.get());
        doc->undoManager().closeOpenUnits();
        ASSERT_TRUE(doc->undoManager().undo());
        ASSERT_TRUE(doc->undoManager().redo());
        EXPECT_EQ(caret(doc.get()), afterEnter) << page;
        ASSERT_TRUE(Typing(doc.get()).deleteBackward());
        doc->undoManager().closeOpenUnits();
        ASSERT_TRUE(doc->undoManager().undo());
        EXPECT_EQ(caret(doc.get()), afterEnter) << page;
    }
}
