#include "engine/EnginePage.h"

#include "engine/markup/MarkupContainer.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/markup/UndoManager.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(MarkupServices, RemoveElementKeepsContentRemoveRangeTakesIt)
{
    auto doc = pageFrom("<body><font id=f color=red>text</font>!</body>");
    Element* f = doc->getElementById(QStringLiteral("f"));
    MarkupPointer s, e;
    s.moveAdjacentToElement(f, 0);
    e.moveAdjacentToElement(f, 3);
    Ref<Element> keep = f;
    ASSERT_TRUE(MarkupServices::removeElement(f));
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("text!"));
    EXPECT_FALSE(MarkupServices::removeElement(keep.get()));
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<FONT id=f color=red>text</FONT>!"));
    s.moveAdjacentToElement(f, 0);
    e.moveAdjacentToElement(f, 3);
    ASSERT_TRUE(MarkupServices::remove(s, e));
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("!"));
}

TEST(MarkupServices, RangesThatCutElementsSplitThem)
{
    auto doc = pageFrom("<body><p>ab<b>cd</b>ef</p></body>");
    Text* cd = doc->getElementsByTagName(QStringLiteral("B")).item(0)->firstChild()->asText();
    Text* ab = doc->body()->firstChild()->firstChild()->asText();
    MarkupPointer s, e;
    s.moveTo(ab, 1);
    e.moveTo(cd, 1);
    Ref<Element> span = doc->createElement(QStringLiteral("SPAN"));
    ASSERT_TRUE(MarkupServices::insertElement(span.get(), s, e));
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>a<SPAN>b<B>c</B></SPAN><B>d</B>ef</P>"));
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>ab<B>cd</B>ef</P>"));
}

TEST(MarkupServices, ParseStringCopyIntoTheDocumentWrapsAnImage)
{
    // Wrapping an image in a link the way the program does it.
    auto doc = pageFrom("<body><p><img id=i src=a.gif></p></body>");
    Element* img = doc->getElementById(QStringLiteral("i"));
    UndoUnit unit(doc.get());
    MarkupPointer target, s, e;
    target.moveAdjacentToElement(img, 0);
    MarkupContainer* c = MarkupServices::parseString(doc.get(), QStringLiteral("<A href=x.html></A>"), &s, &e);
    ASSERT_TRUE(c);
    ASSERT_TRUE(MarkupServices::copy(s, e, target));
    s.moveAdjacentToElement(img, 0);
    e.moveAdjacentToElement(img, 3);
    target.right(true);
    ASSERT_TRUE(MarkupServices::move(s, e, target));
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P><A href=\"x.html\"><IMG id=i src=\"a.gif\"></A></P>"));
}

TEST(MarkupServices, ParseStringOfAWholePageGivesTheHtmlElement)
{
    auto doc = pageFrom("<body></body>");
    MarkupPointer s, e;
    MarkupServices::parseString(doc.get(), QStringLiteral("<!DOCTYPE html><html><body>x</body></html>"), &s, &e);
    EXPECT_EQ(s.right(false).element->tagName(), QStringLiteral("HTML"));
    MarkupServices::parseString(doc.get(), QStringLiteral("<p>a</p>b"), &s, &e);
    EXPECT_EQ(s.right(false).element->tagName(), QStringLiteral("P"));
    EXPECT_EQ(e.left(false).context, MarkupContext::Text);
}

// A page whose whole content is replaced by a parsed text, and the
// replacement undone: the selection finds its way into the new BODY, and the
// document is freed when its last holder lets it go.
TEST(MarkupServices, ReplacingTheHtmlElementLeavesNoHoldOnTheDocument)
{
    auto doc = pageFrom("<body><p id=p>text</p></body>");
    doc->selection().collapseAt(doc->getElementById(QStringLiteral("p"))->firstChild(), 2);
    const int held = doc->refCount();
    {
        MarkupPointer before, after, s, e;
        before.moveAdjacentToElement(doc->documentElement(), MarkupPointer::Adjacency::BeforeBegin);
        after.moveAdjacentToElement(doc->documentElement(), MarkupPointer::Adjacency::AfterEnd);
        UndoUnit unit(doc.get());
        MarkupServices::remove(before, after);
        MarkupServices::parseString(doc.get(), QStringLiteral("<html><body><div id=d>new</div></body></html>"), &s, &e);
        MarkupServices::move(s, e, before);
    }
    ASSERT_TRUE(doc->getElementById(QStringLiteral("d")));
    EXPECT_EQ(doc->selection().start().node(), doc->body());
    EXPECT_EQ(doc->refCount(), held);
    doc->undoManager().undo();
    EXPECT_TRUE(doc->getElementById(QStringLiteral("p")));
    EXPECT_EQ(doc->refCount(), held);
}

TEST(MarkupServices, CreateElementWithAttributeText)
{
    auto doc = pageFrom("<body></body>");
    Ref<Element> td = MarkupServices::createElement(doc.get(), QStringLiteral("TD"),
                                                    QStringLiteral("noWrap width=40 style=\"left: 5px\""));
    EXPECT_EQ(td->outerHTML(), QStringLiteral("<TD noWrap width=40 style=\"LEFT: 5px\"></TD>"));
    EXPECT_EQ(MarkupServices::createElement(doc.get(), QStringLiteral("AREA"), QString())->outerHTML(),
              QStringLiteral("<AREA>"));
}

TEST(MarkupServices, RemoveTagsByWalkingThePointer)
{
    // Removing the links around images by a pointer walk through BODY.
    auto doc = pageFrom("<body><a href=a><img src=1.gif></a> and <a href=b><img src=2.gif></a></body>");
    MarkupPointer cur, end;
    cur.moveAdjacentToElement(doc->body(), 1);
    end.moveAdjacentToElement(doc->body(), 2);
    while (!cur.isEqualTo(end)) {
        MarkupStep s = cur.right();
        if (s.context == MarkupContext::None)
            break;
        if (s.element && s.element->hasTag(QLatin1String("a")))
            MarkupServices::removeElement(s.element);
    }
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<IMG src=\"1.gif\"> and <IMG src=\"2.gif\">"));
}

TEST(MarkupServices, RangesAndPointersConvertBothWays)
{
    auto doc = pageFrom("<body><p>abc</p></body>");
    TextRange r(doc.get());
    r.moveToElementText(doc->body()->firstChild()->asElement());
    MarkupPointer s, e;
    ASSERT_TRUE(MarkupServices::movePointersToRange(r, &s, &e));
    EXPECT_EQ(s.right(false).context, MarkupContext::Text);
    s.moveUnit(MarkupPointer::Unit::NextChar);
    TextRange back(doc.get());
    ASSERT_TRUE(MarkupServices::moveRangeToPointers(s, e, &back));
    EXPECT_EQ(back.text(), QStringLiteral("bc"));
}
