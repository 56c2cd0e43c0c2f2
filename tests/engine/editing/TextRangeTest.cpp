#include "engine/EnginePage.h"

#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace engine;

namespace {
// A range over the characters [from, to) of the body's text.
TextRange rangeOver(Document* doc, int from, int to)
{
    TextRange r(doc);
    r.move(QStringLiteral("character"), from);
    r.moveEnd(QStringLiteral("character"), to - from);
    return r;
}
} // namespace

TEST(TextRange, TextHtmlTextAndParentElement)
{
    auto doc = pageFrom("<body><p>one <b>two</b> three</p></body>");
    TextRange r = rangeOver(doc.get(), 2, 6);
    EXPECT_EQ(r.text(), QStringLiteral("e tw"));
    EXPECT_EQ(r.htmlText(), QStringLiteral("e <B>tw</B>"));
    EXPECT_EQ(r.parentElement()->tagName(), QStringLiteral("P"));
    TextRange inB = rangeOver(doc.get(), 4, 7);
    EXPECT_EQ(inB.parentElement()->tagName(), QStringLiteral("B"));
}

TEST(TextRange, MoveReturnsTheCountMovedAndStopsAtTheEnds)
{
    auto doc = pageFrom("<body>ab cd</body>");
    TextRange r(doc.get());
    EXPECT_EQ(r.move(QStringLiteral("character"), 10), 5);
    EXPECT_EQ(r.move(QStringLiteral("character"), -2), -2);
    EXPECT_EQ(r.moveEnd(QStringLiteral("character"), 1), 1);
    EXPECT_EQ(r.text(), QStringLiteral("c"));
    EXPECT_EQ(r.move(QStringLiteral("word"), -1), -1);
    EXPECT_EQ(r.moveEnd(QStringLiteral("word"), 1), 1);
    EXPECT_EQ(r.text(), QStringLiteral("ab "));
}

TEST(TextRange, ExpandToWordAndSentence)
{
    auto doc = pageFrom("<body><p>First one. Second <i>sent</i>ence here. Third</p></body>");
    TextRange r = rangeOver(doc.get(), 13, 13);
    EXPECT_TRUE(r.expand(QStringLiteral("word")));
    EXPECT_EQ(r.text(), QStringLiteral("Second "));
    TextRange s = rangeOver(doc.get(), 20, 21);
    EXPECT_TRUE(s.expand(QStringLiteral("sentence")));
    EXPECT_EQ(s.text(), QStringLiteral("Second sentence here. "));
    TextRange c = rangeOver(doc.get(), 0, 0);
    EXPECT_TRUE(c.expand(QStringLiteral("character")));
    EXPECT_EQ(c.text(), QStringLiteral("F"));
}

TEST(TextRange, JapaneseWordsFollowTheScript)
{
    auto doc = pageFrom("<body>日本語のテキスト</body>");
    TextRange r = rangeOver(doc.get(), 1, 1);
    r.expand(QStringLiteral("word"));
    EXPECT_EQ(r.text(), QStringLiteral("日本語"));
}

TEST(TextRange, CompareIsEqualInRangeAndDuplicate)
{
    auto doc = pageFrom("<body>abcdef</body>");
    TextRange outer = rangeOver(doc.get(), 1, 5);
    TextRange inner = rangeOver(doc.get(), 2, 4);
    EXPECT_TRUE(outer.inRange(inner));
    EXPECT_FALSE(inner.inRange(outer));
    EXPECT_EQ(outer.compareEndPoints(QStringLiteral("StartToStart"), inner), -1);
    EXPECT_EQ(outer.compareEndPoints(QStringLiteral("EndToStart"), inner), 1);
    TextRange d = inner.duplicate();
    EXPECT_TRUE(d.isEqual(inner));
    d.collapse(false);
    EXPECT_TRUE(d.isCollapsed());
    EXPECT_EQ(d.compareEndPoints(QStringLiteral("StartToEnd"), inner), 0);
}

TEST(TextRange, MoveToElementTextOnAnEmptyCellGivesACaretInside)
{
    auto doc = pageFrom("<body><table><tr><td id=c></td></tr></table></body>");
    Element* td = doc->getElementById(QStringLiteral("c"));
    TextRange r(doc.get());
    ASSERT_TRUE(r.moveToElementText(td));
    EXPECT_TRUE(r.isCollapsed());
    EXPECT_EQ(r.parentElement(), td);
    r.setText(QStringLiteral("typed"));
    EXPECT_EQ(td->innerHTML(), QStringLiteral("typed"));
}

TEST(TextRange, PasteHtmlSplitsAParagraphBeforeABlock)
{
    auto doc = pageFrom("<body><p>abcd</p></body>");
    TextRange r = rangeOver(doc.get(), 2, 2);
    r.pasteHTML(QStringLiteral("<table><tr><td>t</td></tr></table>"));
    EXPECT_EQ(bodyHtml(doc.get()),
              QStringLiteral("<P>ab</P><TABLE><TBODY><TR><TD>t</TD></TR></TBODY></TABLE><P>cd</P>"));
    EXPECT_TRUE(parserStable(doc.get()));
    TextRange inl = rangeOver(doc.get(), 1, 1);
    inl.pasteHTML(QStringLiteral("<b>X</b>"));
    EXPECT_EQ(doc->body()->firstChild()->asElement()->innerHTML(), QStringLiteral("a<B>X</B>b"));
}

TEST(Selection, TypesAndEmpty)
{
    auto doc = pageFrom("<body><p>text</p><img src=a.gif></body>");
    Selection& sel = doc->selection();
    rangeOver(doc.get(), 1, 3).select();
    EXPECT_EQ(sel.typeText(), QStringLiteral("Text"));
    rangeOver(doc.get(), 1, 1).select();
    EXPECT_EQ(sel.typeText(), QStringLiteral("None"));
    EXPECT_TRUE(sel.createRange().isCollapsed());
    ControlRange cr(doc.get());
    EXPECT_TRUE(cr.add(doc->images().item(0)));
    EXPECT_FALSE(cr.add(doc->getElementsByTagName(QStringLiteral("P")).item(0)));
    cr.select();
    EXPECT_EQ(sel.typeText(), QStringLiteral("Control"));
    EXPECT_EQ(sel.createControlRange().item(0)->tagName(), QStringLiteral("IMG"));
    sel.empty();
    EXPECT_EQ(sel.typeText(), QStringLiteral("None"));
    EXPECT_EQ(sel.createRange().parentElement(), doc->body());
}

TEST(Selection, ControlRangeAcceptsPositionedElementsInOrder)
{
    auto doc = pageFrom("<body><span id=s style=\"position:absolute\">x</span><table id=t></table>"
                        "<b id=b>y</b></body>");
    ControlRange cr(doc.get());
    EXPECT_TRUE(cr.add(doc->getElementById(QStringLiteral("t"))));
    EXPECT_TRUE(cr.add(doc->getElementById(QStringLiteral("s"))));
    EXPECT_FALSE(cr.add(doc->getElementById(QStringLiteral("b"))));
    EXPECT_EQ(cr.length(), 2);
    EXPECT_EQ(cr.item(1)->id(), QStringLiteral("s"));
    EXPECT_TRUE(cr.remove(0));
    EXPECT_FALSE(cr.remove(3));
}

TEST(Selection, ChangeNotificationFiresOncePerRealChange)
{
    auto doc = pageFrom("<body><p>text</p></body>");
    int fired = 0;
    doc->selection().setChangeHandler([&fired]() { ++fired; });
    rangeOver(doc.get(), 1, 2).select();
    rangeOver(doc.get(), 1, 3).select();
    EXPECT_EQ(fired, 0); // after control returns to the event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1);
    rangeOver(doc.get(), 1, 3).select();
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 1); // the same selection again
    doc->selection().forceChangeNotification();
    doc->selection().flushChange();
    EXPECT_EQ(fired, 2);
}
