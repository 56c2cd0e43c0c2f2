#include "engine/EnginePage.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {
Ref<Document> tablePage()
{
    return pageFrom("<body><table id=t><caption>c</caption><thead><tr><th>h</th></tr></thead>"
                    "<tbody><tr><td>a</td><td><table><tr><td>n</td></tr></table></td></tr>"
                    "<tr><td>b</td><td>c</td></tr></tbody></table></body>");
}
} // namespace

TEST(TableModel, RowsAndCellsLeaveNestedTablesOut)
{
    auto doc = tablePage();
    Element* t = doc->getElementById(QStringLiteral("t"));
    EXPECT_EQ(t->rows().length(), 3);
    EXPECT_EQ(t->cells().length(), 5);
    EXPECT_EQ(t->rows().item(2)->rowIndex(), 2);
    EXPECT_EQ(t->rows().item(1)->cells().item(1)->cellIndex(), 1);
    EXPECT_EQ(t->caption()->innerText(), QStringLiteral("c"));
}

TEST(TableModel, InsertRowAndCellFollowTheIndexRules)
{
    auto doc = tablePage();
    Element* t = doc->getElementById(QStringLiteral("t"));
    EXPECT_EQ(t->insertRow(4), nullptr);
    EXPECT_EQ(t->insertRow(-2), nullptr);
    Element* last = t->insertRow(-1);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->rowIndex(), 3);
    Element* first = t->insertRow(0);
    EXPECT_EQ(first->rowIndex(), 0);
    EXPECT_EQ(first->parentElement()->tagName(), QStringLiteral("THEAD"));
    EXPECT_EQ(last->insertCell(1), nullptr);
    Element* c0 = last->insertCell(-1);
    Element* c1 = last->insertCell(0);
    EXPECT_EQ(c0->cellIndex(), 1);
    EXPECT_EQ(c1->cellIndex(), 0);
    EXPECT_EQ(last->outerHTML(), QStringLiteral("<TR><TD></TD><TD></TD></TR>"));
}

TEST(TableModel, DeleteOutsideTheRangeDoesNothing)
{
    auto doc = tablePage();
    Element* t = doc->getElementById(QStringLiteral("t"));
    t->deleteRow(7);
    EXPECT_EQ(t->rows().length(), 3);
    t->deleteRow(1);
    EXPECT_EQ(t->rows().length(), 2);
    Element* tr = t->rows().item(1);
    tr->deleteCell(5);
    tr->deleteCell(0);
    EXPECT_EQ(tr->innerHTML(), QStringLiteral("<TD>c</TD>"));
}

TEST(TableModel, InsertRowIntoAnEmptyTableMakesATbody)
{
    auto doc = pageFrom("<body></body>");
    Ref<Element> t = doc->createElement(QStringLiteral("TABLE"));
    doc->body()->appendChild(t);
    t->insertRow(0)->insertCell(0);
    EXPECT_EQ(t->outerHTML(), QStringLiteral("<TABLE><TBODY><TR><TD></TD></TR></TBODY></TABLE>"));
    EXPECT_EQ(t->createCaption(), t->createCaption());
    t->deleteCaption();
    EXPECT_EQ(t->caption(), nullptr);
}

TEST(TableModel, MapAreas)
{
    auto doc = pageFrom("<body><map name=m><area shape=rect coords=\"0,0,5,5\" href=a.html>"
                        "<area shape=circle coords=\"9,9,3\" href=b.html></map></body>");
    Element* map = doc->getElementsByTagName(QStringLiteral("MAP")).item(0);
    EXPECT_EQ(map->name(), QStringLiteral("m"));
    EXPECT_EQ(map->areas().length(), 2);
}
