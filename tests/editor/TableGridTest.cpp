// The grid places of table cells: spans from earlier rows, bounds on spans,
// nested tables.

#include "editor/tables/TableGrid.h"

#include "engine/dom/Document.h"

#include <gtest/gtest.h>

#include <string>

namespace {

engine::Ref<engine::Document> page(const char* body)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(QStringLiteral("<HTML><BODY>") + QString::fromUtf8(body) + QStringLiteral("</BODY></HTML>"));
    return doc;
}

// "id@row,column" for every cell of the table, in walk order.
std::string places(engine::Document* doc, const char* tableId)
{
    std::string out;
    WalkTableGrid(doc->getElementById(QString::fromLatin1(tableId)), [&](const GridCell& c) {
        out += c.cell->id().toStdString() + "@" + std::to_string(c.row) + "," + std::to_string(c.column) + " ";
        return true;
    });
    return out;
}

TEST(TableGrid, RowSpansPushLaterCellsRight)
{
    auto doc = page("<TABLE id=t>"
                    "<TR><TD id=a rowspan=2>a</TD><TD id=b>b</TD><TD id=c rowspan=3>c</TD></TR>"
                    "<TR><TD id=d>d</TD></TR>"
                    "<TR><TD id=e>e</TD><TD id=f>f</TD></TR></TABLE>");
    EXPECT_EQ(places(doc.get(), "t"), "a@0,0 b@0,1 c@0,2 d@1,1 e@2,0 f@2,1 ");
}

TEST(TableGrid, ColumnSpansAndSpansFromAbove)
{
    // A cell spanning two columns below a cell spanning two rows starts after
    // it, also where the row reaches beyond the columns known so far.
    auto doc = page("<TABLE id=t>"
                    "<TR><TD id=a rowspan=2>a</TD></TR>"
                    "<TR><TD id=b colspan=2>b</TD><TD id=c>c</TD></TR>"
                    "<TR><TD id=d colspan=3>d</TD><TD id=e>e</TD></TR></TABLE>");
    EXPECT_EQ(places(doc.get(), "t"), "a@0,0 b@1,1 c@1,3 d@2,0 e@2,3 ");
}

TEST(TableGrid, SpansAreBoundedAndReadAsNumbers)
{
    auto doc = page("<TABLE id=t><TR><TD id=a colspan=5000 rowspan=0>a</TD><TD id=b colspan=abc>b</TD>"
                    "<TD id=c colspan=-3 rowspan=99999>c</TD><TD id=d colspan=2>d</TD><TD id=e>e</TD></TR></TABLE>");
    engine::Document* d = doc.get();
    auto at = [&](const char* id) { return d->getElementById(QString::fromLatin1(id)); };
    EXPECT_EQ(GridColSpan(at("a")), 1000);
    EXPECT_EQ(GridRowSpan(at("a")), 1);
    EXPECT_EQ(GridColSpan(at("b")), 1);
    EXPECT_EQ(GridColSpan(at("c")), 1);
    EXPECT_EQ(GridRowSpan(at("c")), 65534);
    EXPECT_EQ(GridColSpan(at("d")), 2);
    EXPECT_EQ(places(d, "t"), "a@0,0 b@0,1000 c@0,1001 d@0,1002 e@0,1004 ");
    EXPECT_EQ(GridColSpan(nullptr), 1);
}

TEST(TableGrid, TheMapFindsTheCellAtEveryPlace)
{
    auto doc = page("<TABLE id=t>"
                    "<TR><TD id=a rowspan=2>a</TD><TD id=b colspan=2>b</TD></TR>"
                    "<TR><TD id=c>c</TD></TR>"
                    "<TR><TD id=d rowspan=9>d</TD><TD id=e>e</TD><TD id=f>f</TD><TD id=g>g</TD></TR></TABLE>");
    engine::Document* d = doc.get();
    const TableGridMap grid(d->getElementById(QStringLiteral("t")));
    auto at = [&](int row, int column) {
        const GridCell* cell = grid.cellAt(row, column);
        return cell ? cell->cell->id().toStdString() : std::string("-");
    };
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(at(0, 0) + at(0, 1) + at(0, 2) + at(0, 3), "abb-");
    EXPECT_EQ(at(1, 0) + at(1, 1) + at(1, 2), "ac-"); // a short row
    EXPECT_EQ(at(2, 0) + at(2, 3) + at(3, 0) + at(2, 4) + at(-1, 0), "dg---");
    EXPECT_EQ(grid.cellStartingAt(0, 2), nullptr);
    EXPECT_EQ(grid.cellStartingAt(0, 1)->cell->id(), QStringLiteral("b"));
    const GridCell* place = grid.find(d->getElementById(QStringLiteral("d")));
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(grid.lastRow(*place), 2); // the row span ends with the table
    EXPECT_EQ(TableGridMap::lastColumn(*grid.find(d->getElementById(QStringLiteral("b")))), 2);
    EXPECT_EQ(grid.find(d->getElementById(QStringLiteral("t"))), nullptr);
}

} // namespace
