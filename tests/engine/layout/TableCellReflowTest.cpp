// Edits inside a cell of a table of several columns: the cell lays out
// alone while its column asks for the widths it asked for and its row
// stays as high; otherwise the table lays out whole. Each step gives what a
// layout made from scratch gives, painted alike.

#include "engine/layout/DocumentLayout.h"
#include "engine/layout/BlockReflow.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "FullLayoutCheck.h"
#include "LayoutFixture.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace engine;
using layout_test::byId;

namespace {

constexpr QSize kView(640, 400);

struct Step
{
    const char* what;
    std::function<void(Document*)> edit;
    bool cellAlone; // whether the cell lays out alone
};

void runSteps(const QString& html, const std::vector<Step>& steps)
{
    Ref<Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(kView);
    layout.ensureLayout();
    QImage shown = layout_test::paintTop(layout, kView);
    layout.takeDirtyRegion();
    for (const Step& step : steps) {
        const int blockLayouts = layout.counters().blockLayouts;
        const long cellsBefore = BlockReflow::tableCellsLaidOutAlone();
        step.edit(doc.get());
        layout.ensureLayout();
        const bool alone =
            layout.counters().blockLayouts > blockLayouts && BlockReflow::tableCellsLaidOutAlone() > cellsBefore;
        const std::string what = std::string(step.what) + (alone ? " (cell alone)" : " (table or page)");
        EXPECT_EQ(alone, step.cellAlone) << what;
        layout_test::expectSameAsFullLayout(layout, *doc, what, true);
        const QRegion dirty = layout.takeDirtyRegion();
        {
            QPainter p(&shown);
            for (const QRect& r : dirty)
                layout.engine().draw(p, r.intersected(shown.rect()));
        }
        EXPECT_TRUE(shown == layout_test::paintTop(layout, kView)) << what << ": stale pixels after the repaint";
        if (::testing::Test::HasFailure())
            return;
    }
}

void setText(Document* doc, const char* id, const QString& text)
{
    Text* t = byId(doc, id)->firstChild()->asText();
    t->replaceData(0, t->length(), text);
}

void append(Document* doc, const char* id, const QString& text)
{
    Text* t = byId(doc, id)->firstChild()->asText();
    t->insertData(t->length(), text);
}

void setStyle(Document* doc, const char* id, const char* name, const char* value)
{
    byId(doc, id)->style().setAttribute(QString::fromLatin1(name), Variant(QString::fromLatin1(value)));
}

} // namespace

// A table whose columns take their cells' widths, between lines of text:
// typing in a cell narrower than the cell that sets its column's widths
// keeps the table; a cell that comes to set its column's width, that wraps
// onto another line or that takes the row's height, and a restyle inside a
// cell (the table builds its grid again), lay the table out whole.
TEST(TableCellReflow, ACellLaysOutAloneWhileItsColumnAndRowStay)
{
    const QString html = QStringLiteral(
        "<body><p>before</p><table border=1 cellpadding=3><tr><td id=a>short</td><td>a longer cell of words</td>"
        "<td id=c valign=top>one</td></tr><tr><td>the longest cell</td><td id=b><b id=bold>bold</b> text</td>"
        "<td>two<br>lines</td></tr></table><p id=after>after</p></body>");
    runSteps(html,
             {
                 {"a letter in a short cell", [](Document* d) { append(d, "a", QStringLiteral("s")); }, true},
                 {"a word's weight", [](Document* d) { setStyle(d, "bold", "font-weight", "normal"); }, false},
                 {"text at the top of a cell", [](Document* d) { setText(d, "c", QStringLiteral("uno")); }, true},
                 {"a cell wider than its column asked",
                  [](Document* d) { append(d, "a", QStringLiteral(" and many more words than before")); }, false},
                 {"back", [](Document* d) { setText(d, "a", QStringLiteral("short")); }, false},
                 {"a font as large as the row", [](Document* d) { setStyle(d, "bold", "font-size", "30px"); }, false},
                 {"a cell of its row again", [](Document* d) { setStyle(d, "bold", "font-size", "12px"); }, false},
                 {"another letter", [](Document* d) { append(d, "a", QStringLiteral("er")); }, true},
             });
}

// Two changes in two cells before one layout, a change to the cell itself,
// and a cell of a table nested in a cell: the table lays out whole.
TEST(TableCellReflow, OtherChangesLayTheTableOutWhole)
{
    const QString html = QStringLiteral(
        "<body><table border=1><tr><td id=a>one cell</td><td id=b>two cells here</td></tr><tr><td>"
        "<table><tr><td id=inner>inner</td><td>cell</td></tr></table></td><td>x</td></tr></table></body>");
    runSteps(html, {
                       {"two cells at once",
                        [](Document* d) {
                            append(d, "a", QStringLiteral("s"));
                            append(d, "b", QStringLiteral("s"));
                        },
                        false},
                       {"the cell's own padding", [](Document* d) { setStyle(d, "a", "padding-top", "9px"); }, false},
                       {"a nested table's cell", [](Document* d) { append(d, "inner", QStringLiteral("r")); }, false},
                       {"one cell alone again", [](Document* d) { setText(d, "a", QStringLiteral("one")); }, true},
                   });
}
