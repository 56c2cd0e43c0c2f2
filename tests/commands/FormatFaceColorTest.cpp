// Typefaces, text and background colours, the colour palettes and clear
// formatting on a page in the program: text boxes, tables with spans,
// captions and marquees, one undo step per command.

#include "FormatPage.h"

#include "commands/FontFaceColorFormat.h"
#include "commands/SelectionFormat.h"
#include "controls/CColorPopup.h"
#include "res/resource.h"

#include "platform/ModalResponder.h"

#include <QComboBox>
#include <QTest>

namespace {

// A club's page in ISO-2022-JP: text boxes with faces and colours, a table
// with a SPAN, a TH row and a row span, a caption, marquees.
const char* const kClubPage =
    "text=#000080 bgcolor=#FFFFCC>\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=260 bgcolor=silver>"
    "<TR bgcolor=white><TD id=faces bgcolor=#FF0000><FONT face=\"ＭＳ ゴシック\" color=green>練習</FONT>"
    "<FONT face=Arial>日程</FONT><STRONG><EM><U>注意</U></EM></STRONG></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: 60px\" width=260>"
    "<TR><TD id=plain>集合は駅前です</TD></TR></TABLE>\n"
    "<TABLE id=club border=1 style=\"Z-INDEX: 103; LEFT: 320px; POSITION: absolute; TOP: 20px\">"
    "<CAPTION id=cap>会費</CAPTION><TR><TH id=th>区分</TH><TH>金額</TH></TR>"
    "<TR><TD id=c10><SPAN id=sp>一般</SPAN></TD><TD id=c11>3000</TD></TR>"
    "<TR><TD id=r0 rowspan=2>学生</TD><TD id=r01>1000</TD></TR>"
    "<TR><TD id=r11 style=\"background-color: yellow\" bgcolor=blue>500</TD></TR></TABLE>\n"
    "<MARQUEE id=mq style=\"Z-INDEX: 104; LEFT: 20px; POSITION: absolute; TOP: 240px\" width=300>"
    "新入部員募集中</MARQUEE>\n"
    "<MARQUEE id=mqcell style=\"Z-INDEX: 105; LEFT: 20px; POSITION: absolute; TOP: 280px\" width=300>"
    "<TABLE><TR><TD id=inmq>表の中</TD></TR></TABLE></MARQUEE>\n"
    "<IMG id=pic src=none.gif width=40 height=40 style=\"Z-INDEX: 106; LEFT: 400px; POSITION: absolute; TOP: "
    "240px\">\n";

class FormatFaceColor : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kClubPage), "ISO-2022-JP"), nullptr);
    }

    QString attr(const char* id, const char* name) const { return byId(id)->getAttributeText(QLatin1String(name)); }

    // Chooses a face in the format bar's face box as the user does.
    void chooseFace(const QString& face)
    {
        QComboBox* box = app->mainFrame()->fontFaceBox();
        ASSERT_NE(box, nullptr);
        int index = box->findText(face);
        if (index < 0) {
            box->addItem(face);
            index = box->count() - 1;
        }
        box->setCurrentIndex(index);
        emit box->activated(index);
        settle();
    }

    // Runs a palette command; the popup is answered by clicking a standard
    // cell, the default button, or cancelled (item -1).
    platform::ColorRef runPalette(int id, int item)
    {
        platform::ModalResponder responder;
        platform::ColorRef shown = 0;
        responder.on(IDD_COLOR_POPUP, [&](QDialog& d) {
            auto& popup = static_cast<CColorPopup&>(d);
            shown = popup.model().defaultColor();
            if (item == -1)
                popup.reject();
            else
                QTest::mouseClick(&popup, Qt::LeftButton, {}, popup.ItemRect(item).center());
        });
        run(id);
        EXPECT_EQ(responder.runCount(IDD_COLOR_POPUP), 1);
        return shown;
    }
};

TEST_F(FormatFaceColor, FacesGoInsideTheSpanOfEachCellAndAreQuoted)
{
    selectObjects({"club"});
    const int steps = undoSteps();
    chooseFace(QStringLiteral("Times New Roman"));
    EXPECT_EQ(inner("sp"), QStringLiteral("<FONT face=\"Times New Roman\">一般</FONT>"));
    EXPECT_EQ(inner("c11"), QStringLiteral("<FONT face=\"Times New Roman\">3000</FONT>"));
    EXPECT_EQ(inner("th"), QStringLiteral("区分"));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(inner("c11"), QStringLiteral("3000"));
    // A name with quotes and markup characters stays one attribute value.
    selectBoxes({"plain"});
    ApplyFontFaceToElement(kFormatFace, QStringLiteral("A\"B<&>"), byId("plain"));
    engine::Element* font = byId("plain")->children().item(0);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getAttributeText(QStringLiteral("face")), QStringLiteral("A\"B<&>"));
    EXPECT_EQ(font->textContent(), QStringLiteral("集合は駅前です"));
}

TEST_F(FormatFaceColor, TheDefaultFaceTakesFacesOffAndDropsBareFonts)
{
    selectBoxes({"faces"});
    chooseFace(QStringLiteral("Default"));
    // The FONT keeping its colour stays; the one with only a face goes.
    EXPECT_EQ(inner("faces"), QStringLiteral("<FONT color=green>練習</FONT>日程<STRONG><EM><U>注意</U></EM></STRONG>"));
    // On text the engine's font command does it; the box then shows the face.
    selectText("plain", 0, 2);
    chooseFace(QStringLiteral("Courier New"));
    EXPECT_EQ(inner("plain"), QStringLiteral("<FONT face=\"Courier New\">集合</FONT>は駅前です"));
    selectText("plain", 0, 2);
    enabled(ID_FORMAT_FONT_NAME);
    EXPECT_EQ(app->mainFrame()->fontFaceBox()->currentText(), QStringLiteral("Courier New"));
}

TEST_F(FormatFaceColor, TextColourFromThePaletteAndTheButton)
{
    selectBoxes({"faces"});
    // The palette shows the page's text colour as its default; silver is chosen.
    const platform::ColorRef pageText = runPalette(ID_FORMAT_TEXT_COLOR_PALETTE, 7);
    EXPECT_EQ(pageText, platform::rgb(0, 0, 0x80));
    const QString coloured = inner("faces");
    EXPECT_TRUE(coloured.startsWith(QStringLiteral("<FONT color=")));
    EXPECT_FALSE(coloured.contains(QStringLiteral("green")));
    EXPECT_EQ(app->mainFrame()->m_bTextColorDefault, false);
    // Cancelling changes nothing; the button applies the stored colour again.
    const int steps = undoSteps();
    runPalette(ID_FORMAT_TEXT_COLOR_PALETTE, -1);
    EXPECT_EQ(inner("faces"), coloured);
    EXPECT_EQ(undoSteps(), steps);
    selectBoxes({"plain"});
    run(ID_FORMAT_TEXT_COLOR);
    EXPECT_TRUE(inner("plain").startsWith(QStringLiteral("<FONT color=")));
    EXPECT_EQ(undoSteps(), steps + 1);
    // The default entry: colours come off, nothing is wrapped.
    selectBoxes({"faces"});
    runPalette(ID_FORMAT_TEXT_COLOR_PALETTE, ColorPopupModel::kDefaultItem);
    EXPECT_TRUE(app->mainFrame()->m_bTextColorDefault);
    EXPECT_FALSE(inner("faces").contains(QStringLiteral("color")));
    EXPECT_TRUE(inner("faces").contains(QStringLiteral("練習")));
}

TEST_F(FormatFaceColor, BackgroundsGoOntoTheCellOrTheMarquee)
{
    CMainFrame* frame = app->mainFrame();
    frame->m_crTextBgColor = platform::rgb(0xFF, 0xCC, 0x99);
    frame->m_bTextBgColorDefault = false;
    // Text in a marquee without a cell: the marquee; in a cell inside a marquee: the cell.
    selectText("mq", 0, 3);
    const int steps = undoSteps();
    run(ID_FORMAT_TEXT_BGCOLOR);
    EXPECT_EQ(attr("mq", "bgcolor"), QStringLiteral("#ffcc99"));
    EXPECT_EQ(undoSteps(), steps + 1);
    selectText("inmq", 0, 2);
    run(ID_FORMAT_TEXT_BGCOLOR);
    EXPECT_EQ(attr("inmq", "bgcolor"), QStringLiteral("#ffcc99"));
    EXPECT_FALSE(attr("mqcell", "bgcolor") == QStringLiteral("#ffcc99"));
    // One selected table: every TD, not the TH.
    selectObjects({"club"});
    runPalette(ID_FORMAT_TEXT_BGCOLOR_PALETTE, 0);
    EXPECT_EQ(attr("c10", "bgcolor"), QStringLiteral("Black"));
    EXPECT_EQ(attr("r11", "bgcolor"), QStringLiteral("Black"));
    EXPECT_TRUE(attr("th", "bgcolor").isEmpty());
    // In a caption there is no background.
    caretIn("cap", 1);
    EXPECT_FALSE(enabled(ID_FORMAT_TEXT_BGCOLOR));
    EXPECT_FALSE(frame->m_bBgColorAllowed);
    EXPECT_TRUE(enabled(ID_FORMAT_TEXT_COLOR));
    caretIn("c11", 1);
    EXPECT_TRUE(enabled(ID_FORMAT_TEXT_BGCOLOR));
    EXPECT_TRUE(frame->m_bBgColorAllowed);
}

TEST_F(FormatFaceColor, ACellRangeColoursTheCellsThatStartInIt)
{
    app->mainFrame()->m_crTextColor = platform::rgb(255, 0, 0);
    app->mainFrame()->m_bTextColorDefault = false;
    // Columns 1 of the two rows under the row span.
    selectCells("club", "r01", "r11");
    ASSERT_TRUE(HasFormattableCellRange(view()));
    const int steps = undoSteps();
    run(ID_FORMAT_TEXT_COLOR);
    EXPECT_EQ(inner("r01"), QStringLiteral("<FONT color=Red>1000</FONT>"));
    EXPECT_EQ(inner("r11"), QStringLiteral("<FONT color=Red>500</FONT>"));
    EXPECT_EQ(inner("r0"), QStringLiteral("学生"));
    EXPECT_EQ(undoSteps(), steps + 1);
}

TEST_F(FormatFaceColor, ClearFormattingEmptiesAnObjectOfItsFormats)
{
    // Nested hundreds deep too.
    QString deep;
    for (int i = 0; i < 200; ++i)
        deep += QStringLiteral("<FONT size=2><U>");
    deep += QStringLiteral("奥");
    for (int i = 0; i < 200; ++i)
        deep += QStringLiteral("</U></FONT>");
    // (Deeper than the layout takes: the user is told that it is not shown.)
    platform::ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("入れ子が深すぎる"));
    byId("plain")->setInnerHTML(deep);
    settle();
    selectBoxes({"faces", "plain"});
    ASSERT_TRUE(enabled(ID_FORMAT_CLEAR));
    const int steps = undoSteps();
    run(ID_FORMAT_CLEAR);
    EXPECT_EQ(inner("faces"), QStringLiteral("練習日程注意"));
    EXPECT_EQ(inner("plain"), QStringLiteral("奥"));
    EXPECT_TRUE(boxOf("faces")->getAttributeText(QStringLiteral("bgcolor")).isEmpty());
    EXPECT_TRUE(byId("faces")->parentElement()->getAttributeText(QStringLiteral("bgcolor")).isEmpty());
    EXPECT_TRUE(attr("faces", "bgcolor").isEmpty());
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_TRUE(inner("faces").contains(QStringLiteral("<STRONG>")));
    // A cell's background set through its style stays.
    selectObjects({"club"});
    run(ID_FORMAT_CLEAR);
    EXPECT_TRUE(attr("r11", "bgcolor").isEmpty());
    EXPECT_EQ(byId("r11")->style().value(QStringLiteral("background-color")), QStringLiteral("yellow"));
}

TEST_F(FormatFaceColor, ClearFormattingOfTextAndTheStateItLeaves)
{
    app->commands()->updateCommand(ID_FORMAT_CLEAR);
    EXPECT_EQ(app->commands()->findAction(ID_FORMAT_CLEAR)->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    // Selected text: the engine's own remove-format command.
    caretIn("faces", 0);
    selectText("plain", 0, 2);
    run(ID_FORMAT_BOLD);
    ASSERT_TRUE(checked(ID_FORMAT_BOLD));
    run(ID_FORMAT_CLEAR);
    EXPECT_EQ(inner("plain"), QStringLiteral("集合は駅前です"));
    EXPECT_FALSE(checked(ID_FORMAT_BOLD));
    EXPECT_FALSE(checked(ID_FORMAT_ITALIC));
    // A picture alone: nothing to clear.
    selectObjects({"pic"});
    EXPECT_FALSE(enabled(ID_FORMAT_CLEAR));
}

} // namespace
