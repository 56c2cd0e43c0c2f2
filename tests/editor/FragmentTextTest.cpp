// The text rewriting of pasted and copied fragments, on the HTML the page
// engine writes and on what other programs put on the clipboard.

#include "editor/objects/FragmentText.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

// What the page engine writes for two copied objects.
const char* const kTwoObjects =
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 95px; POSITION: absolute; TOP: 5px\" width=100>"
    "<TBODY><TR><TD>あいう</TD></TR></TBODY></TABLE>"
    "<IMG style=\"Z-INDEX: 105; LEFT: 300px; POSITION: absolute; TOP: 40px\" src=\"photo.jpg\">";

std::function<bool(int, int)> occupiedBy(std::set<std::pair<int, int>> taken)
{
    return [taken](int x, int y) { return taken.count({x, y}) != 0; };
}

TEST(FragmentText, TheTwinKeepsEveryPlace)
{
    const QString text = QStringLiteral("<img Src='ファイル ß.gif'>ǆ");
    const QString twin = UpperTwin(text);
    ASSERT_EQ(twin.size(), text.size());
    EXPECT_EQ(twin, QStringLiteral("<IMG SRC='ファイル ß.GIF'>ǆ"));
    TwinText both(text);
    both.insert(5, QStringLiteral("id=x "));
    EXPECT_EQ(both.text(), QStringLiteral("<img id=x Src='ファイル ß.gif'>ǆ"));
    EXPECT_EQ(both.twin(), QStringLiteral("<IMG ID=X SRC='ファイル ß.GIF'>ǆ"));
}

TEST(FragmentText, NumbersAreReadAsTheyStandAndClampToTheIntRange)
{
    EXPECT_EQ(ReadSlotNumber(u" 95"), 95);
    EXPECT_EQ(ReadSlotNumber(u"-30 "), -30);
    EXPECT_EQ(ReadSlotNumber(u" 12.75"), 12);
    EXPECT_EQ(ReadSlotNumber(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadSlotNumber(u"-99999999999999999999"), INT_MIN);
    EXPECT_FALSE(ReadSlotNumber(u" auto"));
    EXPECT_FALSE(ReadSlotNumber(u"10pt; TOP: 5"));
    EXPECT_FALSE(ReadSlotNumber(u"  "));
}

TEST(FragmentText, SlotsAreWholePropertiesWithTheirUnit)
{
    const QString twin = UpperTwin(QStringLiteral("style=\"MARGIN-LEFT: 7px; left : 12px; padding-top:3px; top:4px\""));
    SlotSearch found = SlotSearch::NoKey;
    ValueSlot left = FindLengthSlot(twin, QLatin1String("LEFT"), 0, &found);
    EXPECT_EQ(found, SlotSearch::Found);
    EXPECT_EQ(left.value, 12);
    ValueSlot top = FindLengthSlot(twin, QLatin1String("TOP"), 0);
    EXPECT_EQ(top.value, 4);
    // A LEFT without a unit after it ends the search.
    FindLengthSlot(UpperTwin(QStringLiteral("left: 5; top: 3")), QLatin1String("LEFT"), 0, &found);
    EXPECT_EQ(found, SlotSearch::NoUnit);
    FindLengthSlot(QStringLiteral("NOTHING HERE"), QLatin1String("LEFT"), 0, &found);
    EXPECT_EQ(found, SlotSearch::NoKey);
    // Z-INDEX ends at ";" or a quote; "auto" is no value.
    const QString z = UpperTwin(QStringLiteral("z-index:auto; Z-INDEX: 7\" style='z-index:3'"));
    const ZIndexBand band = FindZIndexBand(z);
    EXPECT_TRUE(band.found);
    EXPECT_EQ(band.zMin, 3);
    EXPECT_EQ(band.zMax, 7);
}

TEST(FragmentText, RewrittenNumbersKeepTheTextAroundThem)
{
    TwinText text(QStringLiteral("LEFT: 95px; TOP: 5px; Z-INDEX: 1000; WIDTH: 3px"));
    ValueSlot left = FindLengthSlot(text.twin(), QLatin1String("LEFT"), 0);
    EXPECT_EQ(RewriteSlot(text, left, 105), 0);
    EXPECT_EQ(text.text(), QStringLiteral("LEFT:105px; TOP: 5px; Z-INDEX: 1000; WIDTH: 3px"));
    ValueSlot top = FindLengthSlot(text.twin(), QLatin1String("TOP"), 0);
    EXPECT_EQ(RewriteSlot(text, top, 15), 0);
    EXPECT_EQ(text.text(), QStringLiteral("LEFT:105px; TOP:15px; Z-INDEX: 1000; WIDTH: 3px"));
    ValueSlot z = FindZIndexSlot(text.twin(), 0);
    RewriteSlot(text, z, 102);
    EXPECT_EQ(text.text(), QStringLiteral("LEFT:105px; TOP:15px; Z-INDEX:  102; WIDTH: 3px"));
    // Growing past the slot inserts blanks in front, in the twin too.
    ValueSlot width = FindLengthSlot(text.twin(), QLatin1String("WIDTH"), 0);
    EXPECT_EQ(RewriteSlot(text, width, 12345), 3);
    EXPECT_EQ(text.text(), QStringLiteral("LEFT:105px; TOP:15px; Z-INDEX:  102; WIDTH:12345px"));
    EXPECT_EQ(text.twin(), UpperTwin(text.text()));
}

TEST(FragmentText, PastedObjectsMoveOffTheObjectsTheyWouldCover)
{
    // The copied text box still stands on the page: its copy lands 10 pixels
    // right and down; a copy already there pushes it 10 further.
    TwinText once(QString::fromUtf8(kTwoObjects));
    const ZIndexBand band = FindZIndexBand(once.twin());
    PastedObjects placed = PlacePastedObjects(once, band, 200, occupiedBy({{95, 5}}));
    EXPECT_TRUE(placed.positioned);
    ASSERT_EQ(placed.points.size(), 2u);
    EXPECT_EQ(placed.points[0], QPoint(105, 15));
    EXPECT_EQ(placed.points[1], QPoint(300, 40));
    EXPECT_TRUE(once.text().contains(QLatin1String("Z-INDEX: 201; LEFT:105px; POSITION: absolute; TOP:15px")));
    EXPECT_TRUE(once.text().contains(QLatin1String("Z-INDEX: 205; LEFT: 300px; POSITION: absolute; TOP: 40px")));
    EXPECT_EQ(RaisedTopZIndex(200, band), 205);
    TwinText twice(QString::fromUtf8(kTwoObjects));
    placed = PlacePastedObjects(twice, band, 205, occupiedBy({{95, 5}, {105, 15}}));
    EXPECT_EQ(placed.points[0], QPoint(115, 25));
    // Two objects copied at one place: the second moves on past the first
    // even where the page has neither.
    TwinText pair(QStringLiteral("<IMG style=\"LEFT: 50px; TOP: 50px\"><IMG style=\"LEFT: 50px; TOP: 50px\">"));
    placed = PlacePastedObjects(pair, FindZIndexBand(pair.twin()), 100, occupiedBy({}));
    ASSERT_EQ(placed.points.size(), 2u);
    EXPECT_EQ(placed.points[1], QPoint(60, 60));
    EXPECT_EQ(pair.text(),
              QStringLiteral("<IMG style=\"LEFT: 50px; TOP: 50px\"><IMG style=\"LEFT: 60px; TOP: 60px\">"));
    // Without a page nothing moves.
    TwinText alone(QString::fromUtf8(kTwoObjects));
    placed = PlacePastedObjects(alone, band, 200, {});
    EXPECT_TRUE(placed.points.empty());
    EXPECT_EQ(alone.text(), QString::fromUtf8(kTwoObjects));
}

TEST(FragmentText, MarginsAndPaddingsAreNotPositions)
{
    TwinText text(QStringLiteral("<DIV style=\"MARGIN-LEFT: 5px; PADDING-TOP: 8px; LEFT: 20px; TOP: 30px\">x</DIV>"));
    const PastedObjects placed = PlacePastedObjects(text, FindZIndexBand(text.twin()), 100, occupiedBy({{20, 30}}));
    ASSERT_EQ(placed.points.size(), 1u);
    EXPECT_EQ(placed.points[0], QPoint(30, 40));
    EXPECT_EQ(text.text(),
              QStringLiteral("<DIV style=\"MARGIN-LEFT: 5px; PADDING-TOP: 8px; LEFT: 30px; TOP: 40px\">x</DIV>"));
}

TEST(FragmentText, BrokenClipboardTextIsLeftWhole)
{
    // Unbalanced quotes, 20-digit numbers, a STYLE at the very end, no units.
    const QString inputs[] = {
        QStringLiteral("<IMG style=\"LEFT: 99999999999999999999px; TOP: 5px; Z-INDEX: 99999999999999999999"),
        QStringLiteral("<P style='left:10pt; top: 4px'>a</P><DIV STYLE"),
        QStringLiteral("STYLE LEFT: TOP: Z-INDEX:"),
        QStringLiteral("<TABLE style=\"Z-INDEX: -2147483648; LEFT: -5px; TOP: 0px\">"),
    };
    for (const QString& input : inputs) {
        TwinText text(input);
        const ZIndexBand band = FindZIndexBand(text.twin());
        PlacePastedObjects(text, band, kMaxTopZIndex, occupiedBy({{INT_MAX, 5}, {-5, 0}}));
        EXPECT_EQ(text.twin(), UpperTwin(text.text())) << qPrintable(input);
        EXPECT_LE(RaisedTopZIndex(kMaxTopZIndex, band), kMaxTopZIndex);
    }
    TwinText clamped(inputs[0]);
    const PastedObjects placed =
        PlacePastedObjects(clamped, FindZIndexBand(clamped.twin()), 100, occupiedBy({{INT_MAX, 5}}));
    ASSERT_EQ(placed.points.size(), 1u);
    EXPECT_EQ(placed.points[0].x(), INT_MAX);
}

TEST(FragmentText, CopiesMoveAndRenumberInTheirOrder)
{
    TwinText html(QStringLiteral("<A href=\"a.html\"><IMG style=\"Z-INDEX: 104; LEFT: 40px; POSITION: absolute; "
                                 "TOP: 7px\" src=\"b.gif\"></A>"));
    MoveObjectHtml(html, 1040, 60);
    EXPECT_EQ(html.text(), QStringLiteral("<A href=\"a.html\"><IMG style=\"Z-INDEX: 104; LEFT:1040px; POSITION: "
                                          "absolute; TOP:60px\" src=\"b.gif\"></A>"));
    TwinText copies(QString::fromUtf8(kTwoObjects));
    const ZIndexBand band = FindZIndexBand(copies.twin());
    RenumberCopiedZIndexes(copies, band, 300);
    EXPECT_TRUE(copies.text().contains(QLatin1String("Z-INDEX: 301;")));
    EXPECT_TRUE(copies.text().contains(QLatin1String("Z-INDEX: 305;")));
    EXPECT_EQ(RaisedTopZIndex(300, ZIndexBand()), 300);
}

TEST(FragmentText, AttributesAreWholeNamesOutsideValues)
{
    const QString tag = QStringLiteral("<IMG style=\"WIDTH: 10px\" width=32 alt='id=\"x\"' ID = \"VornaRollImage\" "
                                       "name=VornaRollImage2 ismap>");
    EXPECT_EQ(TagAttributeValue(tag, QStringLiteral("id")), QStringLiteral("VornaRollImage"));
    EXPECT_EQ(TagAttributeValue(tag, QStringLiteral("NAME")), QStringLiteral("VornaRollImage2"));
    EXPECT_EQ(TagAttributeValue(tag, QStringLiteral("width")), QStringLiteral("32"));
    EXPECT_EQ(TagAttributeValue(tag, QStringLiteral("ismap")), QString());
    EXPECT_FALSE(TagAttributeValue(tag, QStringLiteral("usemap")));
}

TEST(FragmentText, RollOverImagesAndMapsGetNamesOfTheirOwn)
{
    TwinText text(QStringLiteral(
        "<IMG id=VornaRollImage name=VornaRollImage1 OnMouseOver=\"VornaChangeImage('VornaRollImage1', 'b.gif')\" "
        "src=\"a.gif\"><IMG id=VornaRollImage name=VornaRollImage10 src=\"c.gif\">"
        "<MAP name=ULOMap1><AREA href=x.html></MAP><IMG usemap=\"#ULOMap1\" src=\"m.gif\">"
        "<IMG usemap=ULOMap1 src=\"n.gif\">"));
    RenameServices services;
    services.rollNumber = 4;
    int next = 2;
    services.newMapName = [&next](const QStringList& handedOut) {
        EXPECT_EQ(handedOut.size(), next - 2);
        return QStringLiteral("ULOMap%1").arg(next++);
    };
    const RenamedNames renamed = RenameRollOversAndMaps(text, services);
    EXPECT_EQ(renamed.rollOvers, 2);
    EXPECT_EQ(renamed.maps, QStringList({QStringLiteral("ULOMap2"), QStringLiteral("ULOMap3")}));
    EXPECT_EQ(text.text(),
              QStringLiteral("<IMG id=VornaRollImage name=VornaRollImage4 "
                             "OnMouseOver=\"VornaChangeImage('VornaRollImage4', 'b.gif')\" src=\"a.gif\">"
                             "<IMG id=VornaRollImage name=VornaRollImage5 src=\"c.gif\">"
                             "<MAP name=ULOMap2><AREA href=x.html></MAP><IMG usemap=\"ULOMap2\" src=\"m.gif\">"
                             "<IMG usemap=ULOMap3 src=\"n.gif\">"));
    EXPECT_EQ(text.twin(), UpperTwin(text.text()));
    // A copy takes the page's map along in a text of its own.
    TwinText copy(QStringLiteral("<IMG usemap=ULOMap1 src=\"m.gif\">"));
    TwinText maps;
    services.newMapName = [](const QStringList&) { return QStringLiteral("ULOMap7"); };
    services.pageMapHtml = [](const QString& name) {
        return QStringLiteral("<MAP name=%1><AREA shape=rect coords=\"0,0,5,5\"></MAP>").arg(name);
    };
    RenameRollOversAndMaps(copy, services, &maps);
    EXPECT_EQ(copy.text(), QStringLiteral("<IMG usemap=ULOMap7 src=\"m.gif\">"));
    EXPECT_EQ(maps.text(), QStringLiteral("<MAP name=ULOMap7><AREA shape=rect coords=\"0,0,5,5\"></MAP>"));
}

TEST(FragmentText, PlainTextIsEscapedIntoATextBox)
{
    EXPECT_EQ(PlainTextAsHtml(QStringLiteral("a<b>&c\r\nd\re\nf")), QStringLiteral("a&lt;b&gt;&amp;c<BR>d<BR>e<BR>f"));
    EXPECT_EQ(PasteTextBoxHtml(QStringLiteral("x"), 101),
              QStringLiteral("<TABLE width=200 border=0 style='Z-INDEX: 101; LEFT: 10px; POSITION: absolute; "
                             "TOP: 10px' id=\"text\"><TBODY><TR><TD>x</TD></TR></TBODY></TABLE>"));
}

} // namespace
