// The format framework and the alignment commands on a page in the program:
// the content wrapper, the elements a selection formats, the walk over a
// cell range with spans, and alignment of cells, captions and marquees.

#include "FormatPage.h"

#include "commands/SelectionFormat.h"
#include "res/resource.h"

namespace {

// A shop's page of the HTML 4 era, in Shift_JIS: two text boxes and an empty
// one, a price table with a caption and a row span, and a marquee.
const char* const kShopPage =
    "style=\"margin:0\">\n"
    "<TABLE id=text style=\"Z-INDEX: 101; LEFT: 20px; POSITION: absolute; TOP: 20px\" width=240 height=40>"
    "<TR><TD id=box1 align=center>お知らせ：今週の営業時間</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 102; LEFT: 20px; POSITION: absolute; TOP: 80px\" width=240>"
    "<TR><TD id=box2>New <B>menu</B> items</TD></TR></TABLE>\n"
    "<TABLE id=text style=\"Z-INDEX: 103; LEFT: 300px; POSITION: absolute; TOP: 20px\" width=100 height=20>"
    "<TR><TD id=empty></TD></TR></TABLE>\n"
    "<TABLE id=menu border=1 style=\"Z-INDEX: 104; LEFT: 20px; POSITION: absolute; TOP: 140px\">"
    "<CAPTION id=cap>メニュー</CAPTION><TR><TH id=th>品名</TH><TH>値段</TH></TR>"
    "<TR><TD id=c10><SPAN id=sp>コーヒー</SPAN></TD><TD id=c11 align=center>300円</TD></TR></TABLE>\n"
    "<TABLE id=prices border=1 style=\"Z-INDEX: 105; LEFT: 300px; POSITION: absolute; TOP: 140px\">"
    "<TR><TD id=kind rowspan=2>大人</TD><TD id=s01>平日</TD><TD id=s02>1000</TD></TR>"
    "<TR><TD id=s11>休日</TD><TD id=s12>1200</TD></TR>"
    "<TR><TD id=s20>子供</TD><TD id=s21>無料</TD><TD id=s22>0</TD></TR></TABLE>\n"
    "<MARQUEE id=mq style=\"Z-INDEX: 106; LEFT: 20px; POSITION: absolute; TOP: 300px\" width=300>"
    "本日のおすすめ</MARQUEE>\n";

class FormatAlign : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kShopPage), "Shift_JIS"), nullptr);
    }

    QStringList idsOf(const std::vector<engine::Ref<engine::Element>>& elements) const
    {
        QStringList ids;
        for (const auto& e : elements)
            ids << e->id();
        return ids;
    }
};

TEST_F(FormatAlign, TheWrapperPutsTheWholeContentInOneNewElement)
{
    const int steps = undoSteps();
    WrapElementContent(byId("box2"), QStringLiteral("<STRONG></STRONG>"));
    EXPECT_EQ(inner("box2"), QStringLiteral("<STRONG>New <B>menu</B> items</STRONG>"));
    EXPECT_EQ(undoSteps(), steps + 1);
    WrapElementContent(byId("empty"), QStringLiteral("<STRONG></STRONG>"));
    EXPECT_EQ(inner("empty"), QStringLiteral("<STRONG></STRONG>"));
    // Anything but one empty element changes nothing.
    const QString before = inner("box1");
    for (const char* html : {"", "plain", "<B>x</B>", "<B></B><I></I>", "<IMG src=a.gif>"})
        WrapElementContent(byId("box1"), QString::fromLatin1(html));
    EXPECT_EQ(inner("box1"), before);
    EXPECT_EQ(undoSteps(), steps + 2);
}

TEST_F(FormatAlign, ControlSelectionsAreFormattedInTheirCells)
{
    selectBoxes({"box1", "box2"});
    auto controls = ReadFormatSelection().controls;
    ASSERT_TRUE(controls);
    EXPECT_EQ(idsOf(ControlSelectionTargets(*controls, CellTarget::SpanInCell, MarqueeTarget::Alone)),
              QStringList({"box1", "box2"}));
    // A marquee first: the marquee alone, or passed over as an object without a cell.
    doc()->selection().setControlRange({byId("mq"), boxOf("box1")});
    controls = ReadFormatSelection().controls;
    EXPECT_EQ(idsOf(ControlSelectionTargets(*controls, CellTarget::Cell, MarqueeTarget::Alone)), QStringList({"mq"}));
    EXPECT_EQ(idsOf(ControlSelectionTargets(*controls, CellTarget::Cell, MarqueeTarget::AsObject)),
              QStringList({"box1"}));
    // One table: its TD cells (TH passed over), or the SPAN in a cell.
    selectObjects({"menu"});
    controls = ReadFormatSelection().controls;
    EXPECT_EQ(idsOf(ControlSelectionTargets(*controls, CellTarget::Cell, MarqueeTarget::Alone)),
              QStringList({"c10", "c11"}));
    EXPECT_EQ(idsOf(ControlSelectionTargets(*controls, CellTarget::SpanInCell, MarqueeTarget::Alone)),
              QStringList({"sp", "c11"}));
}

TEST_F(FormatAlign, ACellRangeCountsColumnsPastRowSpans)
{
    const auto visited = [this] {
        QStringList ids;
        ForEachSelectedCell(view(), [&](engine::Element* cell) { ids << cell->id(); });
        return ids;
    };
    // The second row's cells start at column 1, after the row span.
    selectCells("prices", "s01", "s12");
    ASSERT_TRUE(HasFormattableCellRange(view()));
    EXPECT_EQ(visited(), QStringList({"s01", "s02", "s11", "s12"}));
    selectCells("prices", "kind", "s11");
    EXPECT_EQ(visited(), QStringList({"kind", "s01", "s11"}));
    // The typeface code changes nothing.
    const int steps = undoSteps();
    FormatSelectedCells(kFormatTypeface, view());
    run(ID_FORMAT_TYPEFACE);
    EXPECT_EQ(inner("kind"), QStringLiteral("大人"));
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(FormatAlign, CentreTogglesInATextBoxThatHoldsText)
{
    caretIn("box1", 2);
    ASSERT_TRUE(view()->m_dwSelKind & 0x2);
    ASSERT_TRUE(enabled(ID_FORMAT_ALIGN_CENTER));
    const int steps = undoSteps();
    run(ID_FORMAT_ALIGN_CENTER);
    EXPECT_FALSE(byId("box1")->hasAttribute(QStringLiteral("align")));
    EXPECT_FALSE(checked(ID_FORMAT_ALIGN_CENTER));
    run(ID_FORMAT_ALIGN_CENTER);
    EXPECT_EQ(byId("box1")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
    EXPECT_TRUE(checked(ID_FORMAT_ALIGN_CENTER));
    run(ID_FORMAT_ALIGN_LEFT);
    EXPECT_EQ(byId("box1")->getAttributeText(QStringLiteral("align")), QStringLiteral("left"));
    EXPECT_TRUE(checked(ID_FORMAT_ALIGN_LEFT));
    EXPECT_FALSE(checked(ID_FORMAT_ALIGN_CENTER));
    EXPECT_EQ(undoSteps(), steps + 3);
    // A selected text box that holds text toggles too.
    selectBoxes({"box1"});
    run(ID_FORMAT_ALIGN_LEFT);
    EXPECT_FALSE(byId("box1")->hasAttribute(QStringLiteral("align")));
}

TEST_F(FormatAlign, OrdinaryTablesCellRangesAndSeveralBoxesAreSetNotToggled)
{
    selectObjects({"menu"});
    for (int i = 0; i < 2; ++i) {
        run(ID_FORMAT_ALIGN_CENTER);
        EXPECT_EQ(byId("c10")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
        EXPECT_EQ(byId("c11")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
    }
    EXPECT_FALSE(byId("th")->hasAttribute(QStringLiteral("align")));
    // A cell range: every cell of the rectangle, one undo step.
    selectCells("prices", "s01", "s12");
    const int steps = undoSteps();
    run(ID_FORMAT_ALIGN_BOTTOM);
    EXPECT_EQ(undoSteps(), steps + 1);
    run(ID_FORMAT_ALIGN_BOTTOM);
    for (const char* id : {"s01", "s02", "s11", "s12"})
        EXPECT_EQ(byId(id)->getAttributeText(QStringLiteral("vAlign")), QStringLiteral("bottom")) << id;
    EXPECT_FALSE(byId("kind")->hasAttribute(QStringLiteral("vAlign")));
    undo();
    EXPECT_FALSE(byId("s12")->hasAttribute(QStringLiteral("vAlign")));
    // Several text boxes: the first cell of each gets it, also one that had it.
    selectBoxes({"box1", "box2"});
    run(ID_FORMAT_ALIGN_CENTER);
    EXPECT_EQ(byId("box1")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
    EXPECT_EQ(byId("box2")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
}

TEST_F(FormatAlign, CaptionsAndMarqueesAlignTheirOwnText)
{
    caretIn("cap", 1);
    run(ID_FORMAT_ALIGN_LEFT);
    EXPECT_EQ(byId("cap")->getAttributeText(QStringLiteral("align")), QStringLiteral("left"));
    run(ID_FORMAT_ALIGN_LEFT);
    EXPECT_FALSE(byId("cap")->hasAttribute(QStringLiteral("align")));
    run(ID_FORMAT_ALIGN_MIDDLE);
    EXPECT_EQ(byId("cap")->getAttributeText(QStringLiteral("vAlign")), QStringLiteral("middle"));
    EXPECT_EQ(byId("c11")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
    EXPECT_FALSE(byId("c10")->hasAttribute(QStringLiteral("align")));
    // A marquee: text-align in its style; it has no vertical alignment.
    caretIn("mq", 2);
    run(ID_FORMAT_ALIGN_RIGHT);
    EXPECT_EQ(byId("mq")->style().textAlign(), QStringLiteral("right"));
    EXPECT_TRUE(checked(ID_FORMAT_ALIGN_RIGHT));
    EXPECT_FALSE(enabled(ID_FORMAT_ALIGN_TOP));
    const QString before = byId("mq")->outerHTML();
    run(ID_FORMAT_ALIGN_TOP);
    EXPECT_EQ(byId("mq")->outerHTML(), before);
    selectObjects({"mq"});
    run(ID_FORMAT_ALIGN_RIGHT);
    EXPECT_TRUE(byId("mq")->style().textAlign().isEmpty());
}

} // namespace
