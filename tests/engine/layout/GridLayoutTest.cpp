// Grid and flex containers, which litehtml 0.6 lays out as blocks: the
// columns of a grid are sized as a browser sizes them, and whole pages with
// grids and flex columns stand where headless chromium puts them (boxes
// below are chromium's for the same markup at 800 px).

#include "engine/EnginePage.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/GridLayout.h"

#include <gtest/gtest.h>

#include <array>

using engine::DocumentLayout;
using engine::GridTrack;
using engine::LayoutBox;

namespace {

void expectChromiumBoxes(const QString& html, std::initializer_list<std::array<int, 4>> boxes,
                         std::initializer_list<const char*> ids)
{
    engine::Ref<engine::Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 2000));
    auto id = ids.begin();
    for (const auto& c : boxes) {
        const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(*id));
        ASSERT_TRUE(box) << *id;
        const QRect& r = box->borderBox;
        EXPECT_EQ((std::array<int, 4>{r.x(), r.y(), r.width(), r.height()}), c) << *id;
        ++id;
    }
}

} // namespace

// Templates read as written: minmax, repeat, fr, percentages, lengths and
// names of lines; what is not read gives no columns (the grid stays a
// block).
TEST(GridColumns, TemplatesAreRead)
{
    const auto tracks = engine::parseGridColumns("minmax(10%, max-content) [main] repeat(2, 1fr) 120px auto");
    ASSERT_EQ(tracks.size(), 5u);
    EXPECT_EQ(tracks[0].min, GridTrack::Size::Percent);
    EXPECT_EQ(tracks[0].minValue, 10);
    EXPECT_EQ(tracks[0].max, GridTrack::Size::MaxContent);
    EXPECT_EQ(tracks[1].max, GridTrack::Size::Fraction);
    EXPECT_EQ(tracks[1].min, GridTrack::Size::Auto);
    EXPECT_EQ(tracks[2].max, GridTrack::Size::Fraction);
    EXPECT_EQ(tracks[3].min, GridTrack::Size::Length);
    EXPECT_EQ(tracks[3].maxValue, 120);
    EXPECT_EQ(tracks[4].max, GridTrack::Size::Auto);
    EXPECT_TRUE(engine::parseGridColumns("subgrid").empty());
    EXPECT_TRUE(engine::parseGridColumns("repeat(auto-fill, 100px)").empty());
    EXPECT_TRUE(engine::parseGridColumns("").empty());
}

// Columns grow from their least size to their largest by the same amount;
// what is left goes to the fr columns by their shares (one whose content
// needs more keeps that), else to the auto ones.
TEST(GridColumns, RoomIsSharedAsBrowsersShareIt)
{
    const auto summary =
        engine::parseGridColumns("minmax(10%, max-content) minmax(15%, max-content) minmax(15%, auto)");
    const auto widths = engine::sizeGridColumns(summary, {80, 40, 100}, {145, 120, 2000}, 952, 0);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_FLOAT_EQ(widths[0], 145);
    EXPECT_FLOAT_EQ(widths[1], 142.8f);
    EXPECT_FLOAT_EQ(widths[2], 952 - 145 - 142.8f);
    // Short content: the auto column takes what is left.
    const auto narrow = engine::sizeGridColumns(summary, {10, 10, 10}, {20, 20, 30}, 600, 0);
    EXPECT_FLOAT_EQ(narrow[0], 60);
    EXPECT_FLOAT_EQ(narrow[1], 90);
    EXPECT_FLOAT_EQ(narrow[2], 450);
    const auto shares =
        engine::sizeGridColumns(engine::parseGridColumns("100px 1fr 2fr"), {5, 5, 5}, {5, 5, 5}, 780, 10);
    EXPECT_FLOAT_EQ(shares[0], 100);
    EXPECT_FLOAT_EQ(shares[1], 220);
    EXPECT_FLOAT_EQ(shares[2], 440);
    const auto wide = engine::sizeGridColumns(engine::parseGridColumns("1fr 1fr"), {300, 10}, {300, 10}, 400, 0);
    EXPECT_FLOAT_EQ(wide[0], 300);
    EXPECT_FLOAT_EQ(wide[1], 100);
}

// Grid items stand in their cells row by row, each as high as its row; a
// flex column's items keep their floats inside and their margins apart.
TEST(GridColumns, PagesWithGridsAndFlexColumnsStandAsInChromium)
{
    expectChromiumBoxes(
        QStringLiteral("<style>.g { display: grid; grid-template-columns: minmax(10%, max-content) "
                       "minmax(15%, max-content) minmax(15%, auto) } .g > div { padding: 8px 3px 3px 7px } .h { "
                       "display: grid; grid-template-columns: 100px 1fr 2fr; column-gap: 10px }</style><body>"
                       "<div class=g id=g><div id=a>Modifier and Type</div><div id=b>Field</div><div id=c>"
                       "Description</div><div id=d>static final int</div><div id=e>MAX_DAYS_LONG_NAME</div><div "
                       "id=f>The largest number of days a station keeps in memory before it writes them out</div>"
                       "</div><div class=h id=h><div id=i>x</div><div id=j>y</div><div id=k>z z z</div></div>"
                       "<p id=p>after</p></body>"),
        {{10, 15, 780, 70},
         {10, 15, 146, 27},
         {156, 15, 203, 27},
         {359, 15, 431, 27},
         {10, 42, 146, 43},
         {359, 42, 431, 43},
         {10, 85, 780, 16},
         {120, 85, 220, 16},
         {350, 85, 440, 16},
         {10, 117, 780, 16}},
        {"g", "a", "b", "c", "d", "f", "h", "j", "k", "p"});
    expectChromiumBoxes(
        QStringLiteral("<style>.fb { display: flex; flex-direction: column } .fl { float: left; "
                       "width: 200px; height: 40px }</style><body><div class=fb id=fb><div id=hd>"
                       "<div class=fl>nav</div></div><div id=ct style='overflow-y:auto'><p id=p>"
                       "content</p></div></div><p id=r>after</p></body>"),
        {{10, 15, 780, 88}, {10, 15, 780, 40}, {10, 55, 780, 48}, {10, 71, 780, 16}, {10, 119, 780, 16}},
        {"fb", "hd", "ct", "p", "r"});
}
