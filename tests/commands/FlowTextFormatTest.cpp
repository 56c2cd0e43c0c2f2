// The format bar and the character-format commands on text of the page's
// flow (paragraphs and headings in divisions, as documentation generators
// write them): offered as in a text box, the alignments aligning paragraphs,
// while what belongs to a cell or a table stays off.

#include "FormatPage.h"

#include "controls/VornaComboEx.h"
#include "res/resource.h"
#include "util/PageDom.h"

#include "engine/editing/TextRange.h"

namespace {

const char* const kGeneratedPage =
    ">\n<DIV class=document><DIV class=documentwrapper><DIV class=bodywrapper><DIV class=body role=main>"
    "<DIV class=section id=usage><H1 id=title>Usage</H1>"
    "<P id=intro>Kettle counts down the minutes</P>"
    "<TABLE class=docutils border=1><TR><TD id=cell>Option</TD><TD>Meaning</TD></TR></TABLE>"
    "</DIV></DIV></DIV></DIV></DIV>\n";

class FlowTextFormat : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromLatin1(kGeneratedPage)), nullptr);
    }
    quint32 selectionKind() const { return app->mainFrame()->GetActiveView()->m_dwSelKind; }
};

TEST_F(FlowTextFormat, CharacterFormatsAreOfferedInAParagraphAndCellCommandsAreNot)
{
    caretIn("intro", 3);
    EXPECT_EQ(selectionKind(), kSelFlowText);
    for (int id : {ID_FORMAT_BOLD, ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, ID_FORMAT_FONT_NAME, ID_FORMAT_FONT_SIZE,
                   ID_FORMAT_TEXT_COLOR, ID_FORMAT_TEXT_COLOR_PALETTE, ID_FORMAT_FONT_BIGGER, ID_FORMAT_FONT_SMALLER,
                   ID_FORMAT_FONT_PROPERTY, ID_FORMAT_CLEAR, ID_EDIT_DELETE, ID_FORMAT_ALIGN_CENTER})
        EXPECT_TRUE(enabled(id)) << id;
    // A cell's background and vertical alignment, and the table commands, need a cell.
    for (int id : {ID_FORMAT_TEXT_BGCOLOR, ID_FORMAT_TEXT_BGCOLOR_PALETTE, ID_FORMAT_ALIGN_TOP, ID_FORMAT_ALIGN_BOTTOM,
                   ID_TABLE_INSERT_ROW, ID_TABLE_DELETE_COLUMN, ID_TABLE_CELL_PROPERTIES, ID_TABLE_SPLIT_CELL_COLUMN})
        EXPECT_FALSE(enabled(id)) << id;
    // The format boxes take the enabled state of their commands.
    updateBars();
    EXPECT_TRUE(app->mainFrame()->fontSizeBox()->isEnabled());

    // A caret in the table of the same page gives the table its commands.
    caretIn("cell", 2);
    EXPECT_FALSE(selectionKind() & kSelFlowText);
    EXPECT_TRUE(enabled(ID_TABLE_INSERT_ROW));
    EXPECT_TRUE(enabled(ID_FORMAT_ALIGN_TOP));

    // Nothing selected: off again.
    doc()->selection().empty();
    settle();
    EXPECT_FALSE(enabled(ID_FORMAT_BOLD));
}

TEST_F(FlowTextFormat, BoldAndASizeFromTheBarFormatTheSelectedWordAndShowOnTheBar)
{
    selectText("intro", 7, 13);
    run(ID_FORMAT_BOLD);
    EXPECT_EQ(inner("intro"), QStringLiteral("Kettle <STRONG>counts</STRONG> down the minutes"));
    EXPECT_TRUE(checked(ID_FORMAT_BOLD));

    VornaComboEx* box = app->mainFrame()->fontSizeBox();
    ASSERT_NE(box, nullptr);
    const int five = box->findText(QStringLiteral("5"), Qt::MatchStartsWith);
    ASSERT_GE(five, 0);
    box->setCurrentIndex(five);
    run(ID_FORMAT_FONT_SIZE);
    EXPECT_TRUE(inner("intro").contains(QStringLiteral("<FONT size=5>"))) << inner("intro").toStdString();
    EXPECT_EQ(undoSteps(), 2);

    // Selected again, the word shows its formats on the bar.
    caretIn("intro", 0);
    engine::TextRange word(doc());
    word.moveToElementText(byId("intro")->getElementsByTagName(QStringLiteral("STRONG")).item(0));
    word.select();
    settle();
    updateBars();
    EXPECT_EQ(box->currentIndex(), five);
    EXPECT_TRUE(checked(ID_FORMAT_BOLD));

    // Remove format takes both off.
    run(ID_FORMAT_CLEAR);
    EXPECT_EQ(byId("intro")->innerText(), QStringLiteral("Kettle counts down the minutes"));
    EXPECT_FALSE(inner("intro").contains(QStringLiteral("STRONG")));
}

TEST_F(FlowTextFormat, AlignmentsAlignTheParagraphsOfTheSelection)
{
    caretIn("intro", 3);
    run(ID_FORMAT_ALIGN_CENTER);
    EXPECT_EQ(byId("intro")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
    EXPECT_TRUE(checked(ID_FORMAT_ALIGN_CENTER));
    caretIn("title", 1);
    EXPECT_FALSE(checked(ID_FORMAT_ALIGN_CENTER));
    caretIn("intro", 1);
    EXPECT_TRUE(checked(ID_FORMAT_ALIGN_CENTER));

    // From the heading into the paragraph: both, as one step; the table
    // and the divisions around them keep theirs.
    doc()->selection().setTextRange(textIn("title"), 2, textIn("intro"), 4);
    settle();
    const int steps = undoSteps();
    run(ID_FORMAT_ALIGN_RIGHT);
    EXPECT_EQ(byId("title")->getAttributeText(QStringLiteral("align")), QStringLiteral("right"));
    EXPECT_EQ(byId("intro")->getAttributeText(QStringLiteral("align")), QStringLiteral("right"));
    EXPECT_FALSE(byId("usage")->hasAttribute(QStringLiteral("align")));
    EXPECT_FALSE(byId("cell")->hasAttribute(QStringLiteral("align")));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(byId("title")->getAttributeText(QStringLiteral("align")), QString());
    EXPECT_EQ(byId("intro")->getAttributeText(QStringLiteral("align")), QStringLiteral("center"));
}

} // namespace
