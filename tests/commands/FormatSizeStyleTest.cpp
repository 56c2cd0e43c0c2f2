// Font sizes, bold, italic and underline on a page in the program: text
// boxes, cells and marquees, the steps over runs of sizes, and the toolbar's
// checks and size box following the selection.

#include "FormatPage.h"

#include "commands/FontSizeFormat.h"
#include "controls/VornaComboEx.h"
#include "res/resource.h"

#include "engine/editing/TextRange.h"

#include "platform/ModalResponder.h"

namespace {

// Text boxes with sized and styled text, a price table, marquees; EUC-JP.
const char* const kSizesPage =
    "style=\"margin:0\">\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=260>"
    "<TR><TD id=plain>お知らせ：今週の営業時間</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: 60px\" width=260>"
    "<TR><TD id=mixed><FONT size=2 color=red>赤</FONT><FONT size=6>大</FONT></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 103; LEFT: 20px; POSITION: absolute; TOP: 100px\" width=260>"
    "<TR><TD id=words>Happy new year</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 104; LEFT: 20px; POSITION: absolute; TOP: 140px\" width=260>"
    "<TR><TD id=strong><STRONG>春</STRONG>の<STRONG><STRONG>セール</STRONG></STRONG></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 105; LEFT: 20px; POSITION: absolute; TOP: 180px\" width=260>"
    "<TR><TD id=big><FONT size=9>特大</FONT></TD></TR></TABLE>\n"
    "<TABLE id=prices border=1 style=\"Z-INDEX: 106; LEFT: 320px; POSITION: absolute; TOP: 20px\">"
    "<TR><TD id=s00><FONT size=1>平日</FONT></TD><TD id=s01>1000</TD></TR>"
    "<TR><TD id=s10><STRONG>休日</STRONG></TD><TD id=s11>1200</TD></TR></TABLE>\n"
    "<TABLE id=heads border=1 style=\"Z-INDEX: 108; LEFT: 320px; POSITION: absolute; TOP: 120px\">"
    "<TR><TH id=h0>曜日</TH><TH>時間</TH></TR></TABLE>\n"
    "<MARQUEE id=runs style=\"Z-INDEX: 107; LEFT: 20px; POSITION: absolute; TOP: 240px\" width=400>"
    "<FONT size=2>小さい</FONT><FONT size=7>大きい</FONT></MARQUEE>\n";

class FormatSizeStyle : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kSizesPage), "EUC-JP"), nullptr);
    }

    // The engine's size of a piece of an element's text.
    int sizeOf(const char* id, int from, int to)
    {
        engine::Text* text = textIn(id);
        engine::Node* node = text;
        if (!text)
            return 0;
        engine::TextRange range(doc(), node, from, node, to);
        return range.queryCommandValue(QStringLiteral("FontSize")).toInt();
    }
};

TEST(FontSizeSteps, StepsStayWithinTheHtmlSizesAndRunsFollowTheirSizes)
{
    EXPECT_EQ(SteppedFontSize(2, +1), 3);
    EXPECT_EQ(SteppedFontSize(7, +1), 7);
    EXPECT_EQ(SteppedFontSize(1, -1), 1);
    EXPECT_EQ(SteppedFontSize(3, -1), 2);
    const auto runs = FontSizeRuns({2, 2, 7, 7, 3});
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].last, 1);
    EXPECT_EQ(runs[1].first, 2);
    EXPECT_EQ(runs[1].size, 7);
    EXPECT_EQ(runs[2].first, 4);
    EXPECT_TRUE(FontSizeRuns({}).empty());
}

TEST_F(FormatSizeStyle, BiggerWrapsATextBoxOnceThenStepsItsFont)
{
    selectBoxes({"plain"});
    const int steps = undoSteps();
    run(ID_FORMAT_FONT_BIGGER);
    EXPECT_EQ(inner("plain"), QStringLiteral("<FONT size=4>お知らせ：今週の営業時間</FONT>"));
    run(ID_FORMAT_FONT_BIGGER);
    EXPECT_EQ(inner("plain"), QStringLiteral("<FONT size=5>お知らせ：今週の営業時間</FONT>"));
    EXPECT_EQ(undoSteps(), steps + 2);
    undo();
    EXPECT_EQ(inner("plain"), QStringLiteral("<FONT size=4>お知らせ：今週の営業時間</FONT>"));
}

TEST_F(FormatSizeStyle, TheSizeBoxGivesTheWholeTextBoxOneSize)
{
    selectBoxes({"mixed"});
    VornaComboEx* box = app->mainFrame()->fontSizeBox();
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(4);
    emit box->activated(4);
    settle();
    // Inner sizes go, a FONT left with nothing goes, one FONT of size 5 holds all.
    EXPECT_EQ(inner("mixed"), QStringLiteral("<FONT size=5><FONT color=red>赤</FONT>大</FONT>"));
}

TEST_F(FormatSizeStyle, BiggerStepsEachRunOfSelectedTextInAMarquee)
{
    selectAllTextOf("runs");
    run(ID_FORMAT_FONT_BIGGER);
    EXPECT_EQ(inner("runs"), QStringLiteral("小さい<FONT size=7>大きい</FONT>"));
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("小さい大きい"));
    run(ID_FORMAT_FONT_SMALLER);
    EXPECT_EQ(inner("runs"), QStringLiteral("<FONT size=2>小さい</FONT><FONT size=6>大きい</FONT>"));
    // Runs that meet at the largest size become one; plain text gets a size.
    const QString before = QStringLiteral("<FONT size=5>五</FONT><FONT size=6>六</FONT><FONT size=7>七</FONT>"
                                          "<FONT size=7 color=red>赤</FONT>普通");
    byId("runs")->setInnerHTML(before);
    selectAllTextOf("runs");
    const int steps = undoSteps();
    run(ID_FORMAT_FONT_BIGGER);
    EXPECT_EQ(inner("runs"), QStringLiteral("<FONT size=6>五</FONT><FONT size=7>六七</FONT>"
                                            "<FONT size=7 color=red>赤</FONT><FONT size=4>普通</FONT>"));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(inner("runs"), before);
}

TEST_F(FormatSizeStyle, BiggerAtACaretStepsTheWordAroundIt)
{
    caretIn("words", 7);
    ASSERT_TRUE(view()->m_dwSelKind & 0x40000);
    run(ID_FORMAT_FONT_BIGGER);
    engine::TextRange all(doc());
    all.moveToElementText(byId("words"));
    EXPECT_EQ(all.text(), QStringLiteral("Happy new year"));
    EXPECT_EQ(sizeOf("words", 0, 5), 3) << qPrintable(inner("words"));
    EXPECT_NE(inner("words").indexOf(QStringLiteral("<FONT size=4>new")), -1) << qPrintable(inner("words"));
}

TEST_F(FormatSizeStyle, CellRangesStepEveryCellAndStopAtTheSmallestSize)
{
    selectCells("prices", "s00", "s01");
    run(ID_FORMAT_FONT_SMALLER);
    EXPECT_EQ(inner("s00"), QStringLiteral("<FONT size=1>平日</FONT>"));
    EXPECT_EQ(inner("s01"), QStringLiteral("<FONT size=2>1000</FONT>"));
    EXPECT_EQ(inner("s11"), QStringLiteral("1200"));
    // Bold cell by cell: a cell with STRONG loses it, one without gains it.
    selectCells("prices", "s10", "s11");
    run(ID_FORMAT_BOLD);
    EXPECT_EQ(inner("s10"), QStringLiteral("休日"));
    EXPECT_EQ(inner("s11"), QStringLiteral("<STRONG>1200</STRONG>"));
}

TEST_F(FormatSizeStyle, BoldTakesEveryStrongOutOfATextBoxThenWrapsItInOne)
{
    selectBoxes({"strong"});
    const int steps = undoSteps();
    run(ID_FORMAT_BOLD);
    EXPECT_EQ(inner("strong"), QStringLiteral("春のセール"));
    run(ID_FORMAT_BOLD);
    EXPECT_EQ(inner("strong"), QStringLiteral("<STRONG>春のセール</STRONG>"));
    EXPECT_EQ(undoSteps(), steps + 2);
    // Italic and underline in the text of a box go through the engine.
    selectText("words", 0, 5);
    run(ID_FORMAT_ITALIC);
    run(ID_FORMAT_UNDERLINE);
    EXPECT_EQ(inner("words"), QStringLiteral("<EM><U>Happy</U></EM> new year"));
    EXPECT_TRUE(checked(ID_FORMAT_ITALIC));
    EXPECT_TRUE(checked(ID_FORMAT_UNDERLINE));
    EXPECT_FALSE(checked(ID_FORMAT_BOLD));
}

TEST_F(FormatSizeStyle, TheButtonsAndTheSizeBoxFollowTheSelection)
{
    VornaComboEx* box = app->mainFrame()->fontSizeBox();
    caretIn("s10", 1);
    EXPECT_TRUE(checked(ID_FORMAT_BOLD));
    selectBoxes({"mixed"});
    EXPECT_FALSE(checked(ID_FORMAT_BOLD));
    // Two sizes in one box: the box shows none.
    updateBars();
    EXPECT_EQ(box->currentIndex(), -1);
    selectBoxes({"plain"});
    run(ID_FORMAT_FONT_BIGGER);
    updateBars();
    EXPECT_EQ(box->currentText(), QStringLiteral("4(14pt)"));
    // A size the box does not list shows nothing.
    selectBoxes({"big"});
    updateBars();
    EXPECT_EQ(box->currentIndex(), -1);
    // Nothing to format: the commands and the boxes are off.
    doc()->selection().empty();
    settle();
    updateBars();
    EXPECT_FALSE(enabled(ID_FORMAT_BOLD));
    EXPECT_FALSE(box->isEnabled());
}

TEST_F(FormatSizeStyle, OddSizesAreBoundedAndHeaderCellsLeftAlone)
{
    byId("plain")->setInnerHTML(QStringLiteral("<FONT size=+9>a</FONT><FONT size=-20>b</FONT><FONT size=abc>c</FONT>"));
    settle();
    selectBoxes({"plain"});
    run(ID_FORMAT_FONT_BIGGER);
    EXPECT_EQ(inner("plain"),
              QStringLiteral("<FONT size=4><FONT size=7>a</FONT><FONT size=1>b</FONT><FONT size=1>c</FONT></FONT>"));
    // A table of TH cells only has nothing these commands format.
    selectObjects({"heads"});
    const int steps = undoSteps();
    for (int id : {ID_FORMAT_BOLD, ID_FORMAT_FONT_BIGGER, ID_FORMAT_ALIGN_CENTER})
        run(id);
    EXPECT_EQ(inner("h0"), QStringLiteral("曜日"));
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(FormatSizeStyle, DeeplyNestedFormatsAreWalkedWithoutRecursion)
{
    QString html;
    for (int i = 0; i < 150; ++i)
        html += QStringLiteral("<FONT size=2><STRONG>");
    html += QStringLiteral("深い");
    for (int i = 0; i < 150; ++i)
        html += QStringLiteral("</STRONG></FONT>");
    // (Deeper than the layout takes: the user is told that it is not shown.)
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("入れ子が深すぎる"));
    byId("plain")->setInnerHTML(html);
    settle();
    selectBoxes({"plain"});
    run(ID_FORMAT_FONT_BIGGER);
    const QString stepped = inner("plain");
    // Every FONT stepped; the content is one sized FONT, so none is added.
    EXPECT_EQ(stepped.count(QStringLiteral("size=3")), 150);
    EXPECT_EQ(stepped.count(QStringLiteral("<FONT")), 150);
    run(ID_FORMAT_BOLD);
    EXPECT_FALSE(inner("plain").contains(QStringLiteral("STRONG")));
    EXPECT_TRUE(inner("plain").contains(QStringLiteral("深い")));
}

} // namespace
