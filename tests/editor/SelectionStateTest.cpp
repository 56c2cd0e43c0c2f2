// The selection-kind and format masks the sink keeps on the view, on a page
// written in Shift_JIS as pages of the time were, reached through the real
// selection change of the page.

#include "EditorPage.h"

#include "app/CommandEnabling.h"
#include "util/PageDom.h"

#include "engine/dom/ElementCollection.h"

#include <ostream>

namespace {

// Text boxes (TABLEs with id "text"), one with links, an ordinary table with
// a caption, marquees, images of every kind, rules and embedded objects.
// The caret in the page's own text does not stay: text is typed in text
// boxes and marquees only.
const char* const kObjects =
    "bgcolor=#FFFFFF>\n"
    // Text of the flow outside the text boxes: in a DIV, which the load
    // leaves where it stands.
    "<DIV><P id=plain>本文のテキスト</P></DIV>\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 10px; POSITION: absolute; TOP: 120px\" width=160>"
    "<TR><TD id=box1 align=center valign=top>ようこそ、私のホームページへ</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 200px; POSITION: absolute; TOP: 120px\" width=120 height=30>"
    "<TR><TD id=box2></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 103; LEFT: 340px; POSITION: absolute; TOP: 120px\" width=160>"
    "<TR><TD id=box3><FONT id=font3 face=\"ＭＳ Ｐゴシック\" size=4>全部フォント</FONT></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 104; LEFT: 520px; POSITION: absolute; TOP: 120px\" width=160>"
    "<TR><TD id=box4><FONT face=Arial size=3>half</FONT> and not</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 105; LEFT: 700px; POSITION: absolute; TOP: 120px\" width=160>"
    "<TR><TD id=box5><STRONG>太字だけ</STRONG></TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 111; LEFT: 10px; POSITION: absolute; TOP: 400px\" width=300>"
    "<TR><TD id=box6>案内 <A id=link href=\"page2.html\">リンク</A> "
    "<A id=board href=\"http://bbs.example.jp/BODR/user1\">掲示板</A></TD></TR></TABLE>\n"
    "<TABLE id=grid border=1 style=\"Z-INDEX: 106; LEFT: 10px; POSITION: absolute; TOP: 260px\">"
    "<CAPTION id=cap>表の題</CAPTION><TR><TD id=c00>一</TD><TD id=c01></TD></TR>"
    "<TR><TD id=c10>三</TD><TD id=c11><B id=bold>太い</B></TD></TR></TABLE>\n"
    "<MARQUEE id=news style=\"Z-INDEX: 107; LEFT: 300px; POSITION: absolute; TOP: 260px; TEXT-ALIGN: right\" "
    "width=200>お知らせ</MARQUEE>\n"
    "<MARQUEE id=quiet style=\"Z-INDEX: 108; LEFT: 300px; POSITION: absolute; TOP: 300px\" width=200></MARQUEE>\n"
    "<IMG id=img1 src=a.gif width=40 height=30 style=\"Z-INDEX: 109; LEFT: 600px; POSITION: absolute; TOP: 260px\">"
    "<IMG id=img2 src=b.gif width=40 height=30 style=\"Z-INDEX: 110; LEFT: 650px; POSITION: absolute; TOP: 260px\">"
    "\n";

enum class Act { Caret, Text, Objects };

struct StateCase
{
    const char* name;
    Act act;
    std::vector<const char*> ids; // "box1^": the TABLE of box1
    int from = 0;
    int to = 0;
    quint32 expected = 0;
};

void PrintTo(const StateCase& c, std::ostream* os)
{
    *os << c.name;
}

class SelectionState : public EditorPage, public ::testing::WithParamInterface<StateCase>
{
protected:
    engine::Element* resolve(const char* id)
    {
        const QString name = QString::fromLatin1(id);
        if (name.endsWith(QLatin1Char('^')))
            return byId(name.chopped(1).toLatin1().constData())->closest(QLatin1String("TABLE"));
        return byId(id);
    }

    void act(const StateCase& c)
    {
        if (c.act == Act::Caret) {
            caretIn(c.ids.front(), c.from);
        } else if (c.act == Act::Text) {
            selectText(c.ids.front(), c.from, c.to);
        } else {
            std::vector<engine::Ref<engine::Element>> elements;
            for (const char* id : c.ids)
                elements.emplace_back(resolve(id));
            doc()->selection().setControlRange(elements);
            settle();
        }
    }
};

TEST_P(SelectionState, BitsOfTheSelection)
{
    ASSERT_NE(open(QString::fromUtf8(kObjects), "Shift_JIS"), nullptr);
    const StateCase& c = GetParam();
    act(c);
    EXPECT_EQ(view()->m_dwSelKind, c.expected) << std::hex << view()->m_dwSelKind;
}

INSTANTIATE_TEST_SUITE_P(
    Page, SelectionState,
    ::testing::Values(StateCase{"CaretInBodyText", Act::Caret, {"plain"}, 2, 0, kSelFlowText},
                      StateCase{"CaretInALink", Act::Caret, {"link"}, 1, 0, 0x40000 | 0x20 | 0x2},
                      StateCase{"CaretInABoardLink", Act::Caret, {"board"}, 1, 0, 0x40000 | 0x40 | 0x2},
                      StateCase{"TextInBody", Act::Text, {"plain"}, 0, 2, kSelFlowText},
                      StateCase{"CaretInATextBox", Act::Caret, {"box1"}, 2, 0, 0x40000 | 0x2},
                      StateCase{"TextInATextBox", Act::Text, {"box1"}, 0, 4, 0x2 | 0x1},
                      StateCase{"CaretInAnEmptyTextBox", Act::Caret, {"box2"}, 0, 0, 0x4 | 0x1},
                      StateCase{"CaretInACell", Act::Caret, {"c00"}, 0, 0, 0x10 | 0x20000},
                      StateCase{"TextInACell", Act::Text, {"c00"}, 0, 1, 0x10 | 0x1},
                      StateCase{"CaretInAnEmptyCell", Act::Caret, {"c01"}, 0, 0, 0x10 | 0x20000},
                      StateCase{"CaretInACaption", Act::Caret, {"cap"}, 1, 0, 0x10 | 0x20000 | 0x200000},
                      StateCase{"CaretInAMarquee", Act::Caret, {"news"}, 1, 0, 0x8000000},
                      StateCase{"CaretInAnEmptyMarquee", Act::Caret, {"quiet"}, 0, 0, 0x8000000 | 0x10000000},
                      StateCase{"AnImage", Act::Objects, {"img1"}, 0, 0, 0x8},
                      StateCase{"TwoImages", Act::Objects, {"img1", "img2"}, 0, 0, 0x400 | 0x2000},
                      StateCase{
                          "ThreeTextBoxes", Act::Objects, {"box1^", "box2^", "box3^"}, 0, 0, 0x400 | 0x800 | 0x4000},
                      StateCase{"ATextBoxAndAMarquee", Act::Objects, {"box1^", "news"}, 0, 0, 0x400 | 0x20000000},
                      StateCase{"ATextBoxWithText", Act::Objects, {"box1^"}, 0, 0, 0x2},
                      StateCase{"AMarquee", Act::Objects, {"news"}, 0, 0, 0x2000000}));

class PageMasks : public EditorPage
{
};

TEST_F(PageMasks, HeldCellRangesAndRightClicks)
{
    ASSERT_NE(open(QString::fromUtf8(kObjects), "Shift_JIS"), nullptr);
    // A right click inside the held range: the cell commands act on the range.
    sink()->m_bRightClickInCells = true;
    caretIn("c00", 0);
    EXPECT_EQ(view()->m_dwSelKind, 0x10u | 0x1000u);
    caretIn("c01", 0);
    EXPECT_EQ(view()->m_dwSelKind, 0x10u | 0x1000u);
    sink()->m_bRightClickInCells = false;
    // A rectangular range held while the caret stands outside tables.
    sink()->m_pSelTable = byId("grid");
    sink()->m_pAnchorCell = byId("c00");
    sink()->m_pCurrentCell = byId("c11");
    sink()->m_cellAnchor = {0, 0};
    sink()->m_cellCurrent = {1, 1};
    sink()->UpdateCellHighlight();
    caretIn("plain", 1);
    EXPECT_EQ(view()->m_dwSelKind, 0x1u | 0x1000u);
}

TEST_F(PageMasks, FormatOfTheTextAtTheCaret)
{
    ASSERT_NE(open(QString::fromUtf8(kObjects), "Shift_JIS"), nullptr);
    CMainFrame* frame = app->mainFrame();
    caretIn("box1", 3);
    EXPECT_EQ(view()->m_nFormatState, 0x80u | 0x40u); // centre, top
    EXPECT_EQ(frame->m_strCurFontFace, QStringLiteral("Arial"));
    EXPECT_EQ(frame->m_nCurFontSize, 3);
    caretIn("bold", 1);
    EXPECT_EQ(view()->m_nFormatState, 0x1u);
    EXPECT_EQ(view()->m_nLastFormatState, 0x1u);
    caretIn("news", 2);
    EXPECT_EQ(view()->m_nFormatState, 0x20u); // the marquee's text-align
    // At the very start of a cell the font is the first character's.
    caretIn("font3", 0);
    EXPECT_EQ(frame->m_strCurFontFace, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(frame->m_nCurFontSize, 4);
    // Text of the page's flow has its font read too.
    caretIn("plain", 1);
    EXPECT_EQ(frame->m_strCurFontFace, QStringLiteral("Arial"));
    caretIn("font3", 0);
    // No text where the caret stands: nothing, and the last values stay.
    frame->m_bFontFaceChanged = false;
    doc()->selection().empty();
    settle();
    EXPECT_EQ(view()->m_nFormatState, 0u);
    EXPECT_TRUE(frame->m_strCurFontFace.isEmpty());
    EXPECT_EQ(frame->m_strLastFontName, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_FALSE(frame->m_bFontFaceChanged);
}

TEST_F(PageMasks, FormatOfATextBoxSelectedAsAnObject)
{
    ASSERT_NE(open(QString::fromUtf8(kObjects), "Shift_JIS"), nullptr);
    CMainFrame* frame = app->mainFrame();
    doc()->selection().setControlRange({engine::Ref<engine::Element>(byId("box3")->closest(QLatin1String("TABLE")))});
    settle();
    EXPECT_EQ(frame->m_strCurFontFace, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(frame->m_nCurFontSize, 4);
    EXPECT_TRUE(frame->m_bFontFaceChanged);
    EXPECT_TRUE(frame->m_bFontSizeChanged);
    // A FONT beside text of its own: no face, no size.
    doc()->selection().setControlRange({engine::Ref<engine::Element>(byId("box4")->closest(QLatin1String("TABLE")))});
    settle();
    EXPECT_TRUE(frame->m_strCurFontFace.isEmpty());
    EXPECT_EQ(frame->m_nCurFontSize, 0);
    // A STRONG around all of the text; the cell's alignment.
    doc()->selection().setControlRange({engine::Ref<engine::Element>(byId("box5")->closest(QLatin1String("TABLE")))});
    settle();
    EXPECT_EQ(view()->m_nFormatState, 0x1u);
    doc()->selection().setControlRange({engine::Ref<engine::Element>(byId("box1")->closest(QLatin1String("TABLE")))});
    settle();
    EXPECT_EQ(view()->m_nFormatState, 0x80u | 0x40u);
    // An ordinary table selected as an object has no format.
    selectObjects({"grid"});
    EXPECT_EQ(view()->m_nFormatState, 0u);
}

// The masks decide which of the Edit, Table and Format commands are offered.
TEST_F(PageMasks, TheViewsMasksEnableTheCommands)
{
    ASSERT_NE(open(QString::fromUtf8(kObjects), "Shift_JIS"), nullptr);
    constexpr int kBold = 32900;
    caretIn("box1", 2);
    EXPECT_TRUE(CommandEnabling::FormatCommand(true, true, view()->m_dwSelKind, kBold));
    EXPECT_FALSE(CommandEnabling::TableCellCommand(true, view()->m_dwSelKind));
    caretIn("c00", 0);
    EXPECT_TRUE(CommandEnabling::TableCellCommand(true, view()->m_dwSelKind));
    selectObjects({"img1"});
    EXPECT_TRUE(CommandEnabling::ImageCommand(true, view()->m_dwSelKind));
    EXPECT_FALSE(CommandEnabling::FormatCommand(true, true, view()->m_dwSelKind, kBold));
    EXPECT_TRUE(CommandEnabling::DeleteCommand(true, view()->m_dwSelKind));
    // Text of the page's flow takes the character formats, not the cell commands.
    caretIn("plain", 1);
    EXPECT_TRUE(CommandEnabling::DeleteCommand(true, view()->m_dwSelKind));
    EXPECT_TRUE(CommandEnabling::FormatCommand(true, true, view()->m_dwSelKind, kBold));
    EXPECT_FALSE(CommandEnabling::TableCellCommand(true, view()->m_dwSelKind));
}

} // namespace
