#include "engine/EnginePage.h"

#include "engine/markup/MarkupPointer.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {
QString describe(const MarkupStep& s)
{
    switch (s.context) {
    case MarkupContext::None:
        return QStringLiteral("none");
    case MarkupContext::Text:
        return QStringLiteral("text%1").arg(s.textLength);
    case MarkupContext::EnterScope:
        return QStringLiteral("enter ") + s.element->tagName();
    case MarkupContext::ExitScope:
        return QStringLiteral("exit ") + s.element->tagName();
    case MarkupContext::NoScope:
        return QStringLiteral("noscope ") + s.element->tagName();
    }
    return QString();
}
} // namespace

TEST(MarkupPointer, WalkingRightReportsEachThingInTheBody)
{
    auto doc = pageFrom("<body><font size=2>ab</font> <img src=a.gif><!--c--><br></body>");
    MarkupPointer p, end;
    ASSERT_TRUE(p.moveAdjacentToElement(doc->body(), 1));
    ASSERT_TRUE(end.moveAdjacentToElement(doc->body(), 2));
    QStringList seen;
    while (!p.isEqualTo(end))
        seen << describe(p.right());
    EXPECT_EQ(seen.join(u','), QStringLiteral("enter FONT,text2,exit FONT,text1,noscope IMG,noscope !,noscope BR"));
    seen.clear();
    MarkupPointer start;
    start.moveAdjacentToElement(doc->body(), 1);
    while (!p.isEqualTo(start))
        seen << describe(p.left());
    EXPECT_EQ(seen.join(u','), QStringLiteral("noscope BR,noscope !,noscope IMG,text1,exit FONT,text2,enter FONT"));
}

TEST(MarkupPointer, StepWithoutMoveAndAtTheEnds)
{
    auto doc = pageFrom("<body><b>x</b></body>");
    MarkupPointer p;
    p.moveAdjacentToElement(doc->documentElement(), 3);
    EXPECT_EQ(p.right().context, MarkupContext::None);
    p.moveAdjacentToElement(doc->body()->firstChild()->asElement(), 0);
    MarkupStep s = p.right(false);
    EXPECT_EQ(s.context, MarkupContext::EnterScope);
    EXPECT_EQ(p.currentScope(), doc->body());
    EXPECT_FALSE(p.moveAdjacentToElement(doc->createElement(QStringLiteral("P")).get(), 0));
    EXPECT_FALSE(p.moveAdjacentToElement(doc->getElementsByTagName(QStringLiteral("BR")).item(0), 1));
}

TEST(MarkupPointer, GravityDecidesWhereInsertedContentGoes)
{
    auto doc = pageFrom("<body><p id=p>ab</p></body>");
    Element* p = doc->getElementById(QStringLiteral("p"));
    MarkupPointer left, right;
    left.moveAdjacentToElement(p, 2);
    right.moveAdjacentToElement(p, 2);
    right.setGravity(MarkupPointer::Gravity::Right);
    p->appendChild(doc->createElement(QStringLiteral("BR")));
    EXPECT_EQ(left.offset(), 1);
    EXPECT_EQ(right.offset(), 2);
    EXPECT_TRUE(left.isLeftOf(right));
    EXPECT_EQ(left.right().context, MarkupContext::NoScope);
    EXPECT_TRUE(left.isEqualTo(right));
}

TEST(MarkupPointer, PointersKeepTheirPlaceWhenTheTreeChanges)
{
    auto doc = pageFrom("<body><p id=a>one</p><p id=b>two</p></body>");
    MarkupPointer inB;
    inB.moveAdjacentToElement(doc->getElementById(QStringLiteral("b")), 1);
    doc->getElementById(QStringLiteral("a"))->remove();
    EXPECT_EQ(inB.currentScope()->id(), QStringLiteral("b"));
    MarkupPointer before;
    before.moveAdjacentToElement(doc->getElementById(QStringLiteral("b")), 0);
    doc->getElementById(QStringLiteral("b"))->remove();
    EXPECT_EQ(before.container(), doc->body());
    EXPECT_EQ(inB.container(), doc->body()); // its element left the page
}

TEST(MarkupPointer, CharacterAndWordMoves)
{
    auto doc = pageFrom("<body>ab <b>cd</b>ef gh</body>");
    MarkupPointer p;
    p.moveAdjacentToElement(doc->body(), 1);
    ASSERT_TRUE(p.moveUnit(MarkupPointer::Unit::NextWordBegin));
    EXPECT_EQ(p.container()->textContent(), QStringLiteral("cd"));
    EXPECT_EQ(p.offset(), 0);
    ASSERT_TRUE(p.moveUnit(MarkupPointer::Unit::NextChar));
    EXPECT_EQ(p.offset(), 1);
    ASSERT_TRUE(p.moveUnit(MarkupPointer::Unit::NextWordBegin));
    EXPECT_EQ(p.container()->textContent(), QStringLiteral("ef gh"));
    EXPECT_EQ(p.offset(), 3);
    ASSERT_TRUE(p.moveUnit(MarkupPointer::Unit::PrevWordBegin));
    EXPECT_EQ(p.container()->textContent(), QStringLiteral("cd"));
}
