// Pages whose text stands in the flow (divisions, paragraphs, headings, as
// documentation generators write them) are typed into where the user
// clicks, while a press on the bare page still starts an area selection and
// positioned text boxes keep their own ways.

#include "GesturePage.h"

#include "engine/editing/CommandGroup.h"

namespace {

const char* const kFlowPage = ">\n<DIV class=body style=\"margin-left: 40px; width: 500px\">"
                              "<H1 id=title>Kettle</H1>"
                              "<DIV class=section><P id=intro>Kettle is a small timer</P>"
                              "<UL><LI id=item>first point</LI></UL></DIV></DIV>\n";

class FlowTextEditing : public GesturePage
{
protected:
    void SetUp() override
    {
        GesturePage::SetUp();
        app->mainFrame()->m_settings.snapOn = false;
        app->mainFrame()->m_settings.gridVisible = 0;
    }
};

TEST_F(FlowTextEditing, AClickInAParagraphOfDivisionsTakesTypingEnterAndBackspace)
{
    ASSERT_NE(open(QString::fromLatin1(kFlowPage)), nullptr);
    click(inText("intro", 6));
    EXPECT_TRUE(sink()->IsTextEditContext());
    EXPECT_TRUE(page()->caretVisible());
    type(QStringLiteral("XY"));
    EXPECT_EQ(byId("intro")->innerHTML(), QStringLiteral("KettleXY is a small timer"));
    key(Qt::Key_Backspace);
    key(Qt::Key_Left);
    key(Qt::Key_Return);
    type(QStringLiteral("Z"));
    EXPECT_EQ(byId("intro")->parentElement()->innerHTML(),
              QStringLiteral("<P id=intro>Kettle</P><P>ZX is a small timer</P><UL><LI id=item>first point</LI></UL>"));
    // Undone step by step back to the page as it was read.
    for (int i = 0; i < 10 && doc()->undoManager().undoCount() > 0; ++i)
        page()->document()->commands().exec(engine::CommandGroup::Undo);
    EXPECT_EQ(byId("intro")->innerHTML(), QStringLiteral("Kettle is a small timer"));

    // A heading and a list item take the caret too.
    click(inText("item", 5));
    type(QStringLiteral("!"));
    EXPECT_EQ(byId("item")->innerHTML(), QStringLiteral("first! point"));
    click(inText("title", 0));
    type(QStringLiteral("A "));
    EXPECT_EQ(byId("title")->innerHTML(), QStringLiteral("A Kettle"));
}

TEST_F(FlowTextEditing, DragAndDoubleClickSelectTheTextOfTheFlow)
{
    ASSERT_NE(open(QString::fromLatin1(kFlowPage)), nullptr);
    drag(inText("intro", 0), inText("intro", 6));
    EXPECT_EQ(doc()->selection().createRange().text(), QStringLiteral("Kettle"));
    type(QStringLiteral("A"));
    EXPECT_EQ(byId("intro")->innerHTML(), QStringLiteral("A is a small timer"));

    doubleClick(inText("intro", 9));
    EXPECT_EQ(doc()->selection().createRange().text().trimmed(), QStringLiteral("small"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(byId("intro")->innerHTML().simplified(), QStringLiteral("A is a timer"));
}

TEST_F(FlowTextEditing, BarePageAndTextBoxesKeepTheirWays)
{
    ASSERT_NE(open(QString::fromLatin1(kFlowPage) +
                   QStringLiteral("<TABLE id=text width=200 height=50 border=0 style='Z-INDEX: 101; LEFT: 700px; "
                                  "POSITION: absolute; TOP: 200px'><TR><TD id=cell>Hello box</TD></TR></TABLE>\n")),
              nullptr);
    // A press on the bare page beside the flow starts an area selection.
    const QPoint bare(900, 500);
    press(bare);
    EXPECT_TRUE(sink()->m_bIsAreaSelectMode);
    EXPECT_FALSE(sink()->IsTextEditContext());
    EXPECT_FALSE(page()->caretVisible());
    release(bare);
    settle();
    // Text loose in the page's BODY stays out of reach.
    doc()->body()->appendChild(doc()->createTextNode(QStringLiteral("loose")));
    settle();
    doc()->selection().collapseAt(doc()->body()->lastChild(), 2);
    settle();
    EXPECT_FALSE(sink()->IsTextEditContext());
    // A text box still takes the caret.
    click(inText("cell", 2));
    type(QStringLiteral("-"));
    EXPECT_EQ(byId("cell")->innerHTML(), QStringLiteral("He-llo box"));
}

TEST_F(FlowTextEditing, ANewParagraphIsSavedWithoutAStrayBreak)
{
    ASSERT_NE(open(QString::fromLatin1(kFlowPage) +
                   QStringLiteral("<TABLE id=text width=200 height=50 border=0 style='Z-INDEX: 101; LEFT: 700px; "
                                  "POSITION: absolute; TOP: 200px'><TR><TD id=cell>Hello box</TD></TR></TABLE>\n")),
              nullptr);
    const auto enterAndType = [this](const char* id, int end) {
        click(inText(id, end));
        key(Qt::Key_Return);
        type(QStringLiteral("More"));
    };
    enterAndType("intro", 23);
    enterAndType("cell", 9);
    ASSERT_TRUE(doc()->save());
    QFile file(doc()->url());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString saved = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(saved.contains(QStringLiteral("small timer</P>\n<P>More</P>"))) << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("Hello box</P>\n<P>More</P>"))) << saved.toStdString();
    EXPECT_FALSE(saved.contains(QStringLiteral("<BR>"))) << saved.toStdString();
    // One undo brings back the empty line with its break.
    page()->document()->commands().exec(engine::CommandGroup::Undo);
    EXPECT_EQ(byId("cell")->innerHTML(), QStringLiteral("<P>Hello box</P><P><BR></P>"));
}

} // namespace
