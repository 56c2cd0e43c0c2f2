#include "engine/EnginePage.h"
#include "engine/TestData.h"

#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/fuzz/FuzzChecks.h"
#include "engine/markup/UndoManager.h"
#include "platform/ColorRef.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace engine;

namespace {
void selectChars(Document* doc, int from, int to)
{
    TextRange r(doc);
    r.move(QStringLiteral("character"), from);
    r.moveEnd(QStringLiteral("character"), to - from);
    r.select();
}

struct FormatCase
{
    const char* body;
    int from, to;
    int id;
    Variant value;
    const char* expected;
};

class FormatCommand : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(FormatCommand, ChangesTheTreeAndStaysParserStable)
{
    const auto& c = GetParam();
    auto doc = pageFrom(QStringLiteral("<body>%1</body>").arg(QString::fromUtf8(c.body)));
    const QString before = bodyHtml(doc.get());
    selectChars(doc.get(), c.from, c.to);
    ASSERT_EQ(doc->commands().exec(c.id, c.value), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QString::fromUtf8(c.expected));
    EXPECT_TRUE(parserStable(doc.get()));
    EXPECT_EQ(doc->undoManager().undoCount(), 1);
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), before);
    doc->undoManager().redo();
    EXPECT_EQ(bodyHtml(doc.get()), QString::fromUtf8(c.expected));
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Editing, FormatCommand,
    ::testing::Values(FormatCase{"<p>abcdef</p>", 2, 4, CommandGroup::Bold, {}, "<P>ab<STRONG>cd</STRONG>ef</P>"},
                      FormatCase{"<p>ab<strong>cdef</strong></p>", 2, 6, CommandGroup::Bold, {}, "<P>abcdef</P>"},
                      FormatCase{"<p>ab<b>cdef</b></p>", 3, 5, CommandGroup::Bold, {}, "<P>ab<B>c</B>de<B>f</B></P>"},
                      FormatCase{"<p>ab<b>cd</b>ef</p>",
                                 1,
                                 5,
                                 CommandGroup::Bold,
                                 {},
                                 "<P>a<STRONG>b</STRONG><B>cd</B><STRONG>e</STRONG>f</P>"},
                      FormatCase{"<p>abc</p>", 0, 3, CommandGroup::Italic, {}, "<P><EM>abc</EM></P>"},
                      FormatCase{"<p>abc</p>", 1, 2, CommandGroup::Underline, {}, "<P>a<U>b</U>c</P>"},
                      FormatCase{"<p>abcdef</p>", 1, 3, CommandGroup::FontSize, 5, "<P>a<FONT size=5>bc</FONT>def</P>"},
                      FormatCase{"<p><font size=5>abcdef</font></p>", 2, 4, CommandGroup::FontSize, 3,
                                 "<P><FONT size=5>ab</FONT>cd<FONT size=5>ef</FONT></P>"},
                      FormatCase{"<p><font size=5>ab</font>cd</p>", 2, 4, CommandGroup::FontSize, 9,
                                 "<P><FONT size=5>ab</FONT><FONT size=7>cd</FONT></P>"},
                      FormatCase{"<p><font size=5>ab</font>cd</p>", 2, 4, CommandGroup::FontSize, 5,
                                 "<P><FONT size=5>abcd</FONT></P>"},
                      FormatCase{"<p><font color=red size=2>abc</font></p>", 0, 3, CommandGroup::FontSize, 3,
                                 "<P><FONT color=red>abc</FONT></P>"},
                      FormatCase{"<p>abc</p>", 0, 3, CommandGroup::ForeColor, "Red",
                                 "<P><FONT color=#ff0000>abc</FONT></P>"},
                      FormatCase{"<p><font color=#ff0000>abc</font></p>", 0, 3, CommandGroup::ForeColor,
                                 Variant::null(), "<P>abc</P>"},
                      FormatCase{"<p>abc</p>", 0, 1, CommandGroup::FontName, "ＭＳ Ｐゴシック",
                                 "<P><FONT face=\"ＭＳ Ｐゴシック\">a</FONT>bc</P>"},
                      FormatCase{"<p><font size=4><b>ab<i>cd</i></b></font>ef</p>",
                                 1,
                                 5,
                                 CommandGroup::RemoveFormat,
                                 {},
                                 "<P><FONT size=4><B>a</B></FONT>bcdef</P>"},
                      FormatCase{"<p>see here</p>", 4, 8, CommandGroup::Hyperlink, "page.html",
                                 "<P>see <A href=\"page.html\">here</A></P>"},
                      FormatCase{"<p>a<a href=x>link</a>b</p>", 2, 3, CommandGroup::Unlink, {}, "<P>alinkb</P>"},
                      FormatCase{"<p>ab<b>cd</b>ef</p>", 1, 5, CommandGroup::Delete, {}, "<P>af</P>"}));

} // namespace

TEST(Commands, QueryValuesOfUnformattedAndMixedText)
{
    auto doc = pageFrom("<body><p>plain <font size=5 face=Verdana color=#0000ff>big</font></p></body>");
    selectChars(doc.get(), 0, 3);
    CommandGroup& c = doc->commands();
    EXPECT_EQ(c.queryCommandValue(QStringLiteral("FontSize")), Variant(3));
    EXPECT_EQ(c.queryCommandValue(QStringLiteral("FontName")), Variant("Arial"));
    EXPECT_EQ(c.queryCommandValue(QStringLiteral("ForeColor")), Variant(0));
    selectChars(doc.get(), 6, 9);
    EXPECT_EQ(c.queryCommandValue(QStringLiteral("FontSize")), Variant(5));
    EXPECT_EQ(c.queryCommandValue(QStringLiteral("FontName")), Variant("Verdana"));
    EXPECT_EQ(c.queryCommandValue(QStringLiteral("ForeColor")), Variant(int(platform::rgb(0, 0, 255))));
    selectChars(doc.get(), 3, 8);
    EXPECT_TRUE(c.queryCommandValue(QStringLiteral("FontSize")).isNull());
    EXPECT_TRUE(c.queryCommandValue(QStringLiteral("FontName")).isNull());
    EXPECT_TRUE(c.queryCommandValue(QStringLiteral("ForeColor")).isNull());
}

TEST(Commands, BoldStateOnlyWhenTheWholeRangeIsBold)
{
    auto doc = pageFrom("<body><p>a<b>bc</b><span style=\"font-weight: bold\">d</span></p></body>");
    CommandGroup& c = doc->commands();
    selectChars(doc.get(), 1, 4);
    EXPECT_TRUE(c.queryCommandState(QStringLiteral("Bold")));
    EXPECT_EQ(c.queryStatus(CommandGroup::Bold), 7);
    selectChars(doc.get(), 0, 4);
    EXPECT_FALSE(c.queryCommandState(QStringLiteral("bold")));
    EXPECT_EQ(c.queryStatus(CommandGroup::Bold), 3);
}

TEST(Commands, CaretInAWordFormatsTheWordElseThePendingFormat)
{
    auto doc = pageFrom("<body><p>one two</p></body>");
    selectChars(doc.get(), 5, 5);
    ASSERT_EQ(doc->commands().exec(CommandGroup::Bold), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>one <STRONG>two</STRONG></P>"));
    selectChars(doc.get(), 3, 3);
    ASSERT_EQ(doc->commands().exec(CommandGroup::Italic), 0);
    ASSERT_EQ(doc->commands().pendingFormats().size(), 1u);
    EXPECT_EQ(doc->commands().pendingFormats()[0].id, CommandGroup::Italic);
}

TEST(Commands, NamedCommandsAndUndoRedoStatus)
{
    auto doc = pageFrom("<body><p>abc</p></body>");
    CommandGroup& c = doc->commands();
    EXPECT_EQ(c.queryStatus(CommandGroup::Undo), 1);
    selectChars(doc.get(), 0, 3);
    EXPECT_TRUE(c.execCommand(QStringLiteral("Bold")));
    EXPECT_EQ(c.queryStatus(CommandGroup::Undo), 3);
    EXPECT_TRUE(c.execCommand(QStringLiteral("Undo")));
    EXPECT_EQ(c.queryStatus(CommandGroup::Redo), 3);
    EXPECT_EQ(c.exec(CommandGroup::Redo), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P><STRONG>abc</STRONG></P>"));
    EXPECT_FALSE(c.execCommand(QStringLiteral("NoSuchCommand")));
}

TEST(Commands, ClearSelectionAndModes)
{
    auto doc = pageFrom("<body><p>abc</p></body>");
    CommandGroup& c = doc->commands();
    selectChars(doc.get(), 0, 2);
    EXPECT_EQ(c.exec(CommandGroup::ClearSelection), 0);
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("None"));
    EXPECT_EQ(doc->selection().createRange().parentElement(), doc->body());
    EXPECT_EQ(c.queryStatus(CommandGroup::EditMode), 7);
    c.exec(CommandGroup::BrowseMode);
    EXPECT_EQ(c.queryStatus(CommandGroup::EditMode), 3);
    EXPECT_EQ(c.queryStatus(CommandGroup::BrowseMode), 7);
}

TEST(Commands, HyperlinkOnASelectedImageAndTheRangeParentIsTheLink)
{
    auto doc = pageFrom("<body><p>x<img src=a.gif>y</p><p>word</p></body>");
    ControlRange cr(doc.get());
    cr.add(doc->images().item(0));
    cr.select();
    ASSERT_EQ(doc->commands().exec(CommandGroup::Hyperlink, "b.html"), 0);
    EXPECT_EQ(doc->body()->firstChild()->asElement()->innerHTML(),
              QStringLiteral("x<A href=\"b.html\"><IMG src=\"a.gif\"></A>y"));
    ASSERT_EQ(doc->commands().exec(CommandGroup::Unlink), 0);
    EXPECT_EQ(doc->body()->firstChild()->asElement()->innerHTML(), QStringLiteral("x<IMG src=\"a.gif\">y"));
    TextRange r(doc.get());
    r.moveToElementText(doc->body()->child(1)->asElement());
    ASSERT_TRUE(r.execCommand(QStringLiteral("CreateLink"), "c.html"));
    EXPECT_EQ(r.parentElement()->tagName(), QStringLiteral("A"));
}

TEST(Commands, DeleteControlSelection)
{
    auto doc = pageFrom("<body><img src=a.gif><hr></body>");
    ControlRange cr(doc.get());
    cr.add(doc->images().item(0));
    cr.add(doc->getElementsByTagName(QStringLiteral("HR")).item(0));
    cr.select();
    EXPECT_EQ(doc->commands().queryStatus(CommandGroup::Delete), 3);
    ASSERT_EQ(doc->commands().exec(CommandGroup::Delete), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QString());
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("None"));
}

TEST(Commands, LinkOverAWholeLinkUndoesToTheOldLink)
{
    auto doc = pageFrom("<body><p>x<a href=\"old.html\">AB</a>cd</p></body>");
    const QString before = bodyHtml(doc.get());
    selectChars(doc.get(), 1, 4);
    ASSERT_EQ(doc->commands().exec(CommandGroup::Hyperlink, "new.html"), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>x<A href=\"new.html\">ABc</A>d</P>"));
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), before);
}

TEST(Commands, ALinkOverSeveralBlocksIsALinkInEachAndUndoesAsOne)
{
    // From a heading over a paragraph into a third: never one link holding
    // blocks, nor a block split into another.
    auto doc = pageFrom("<body><div><h1>Kettle timer</h1>\n<p>counts <b>the</b> minutes</p>\n"
                        "<p>and rings</p></div></body>");
    const QString before = bodyHtml(doc.get());
    Element* div = doc->body()->firstChild()->asElement();
    Node* heading = div->firstChild()->firstChild();
    Node* last = div->lastChild()->firstChild();
    ASSERT_EQ(last->textContent(), QStringLiteral("and rings"));
    doc->selection().setTextRange(heading, 7, last, 3);
    ASSERT_EQ(doc->commands().exec(CommandGroup::Hyperlink, "page.html"), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<DIV><H1>Kettle <A href=\"page.html\">timer</A></H1>\n"
                                                  "<P><A href=\"page.html\">counts <B>the</B> minutes</A></P>\n"
                                                  "<P><A href=\"page.html\">and</A> rings</P></DIV>"));
    // The selection runs from the first link to the end of the last.
    const TextRange selected = doc->selection().createRange();
    const auto linkAt = [](const LivePosition& at) { return elementAtOrAbove(at.node())->closest(QLatin1String("A")); };
    ASSERT_NE(linkAt(selected.start()), nullptr);
    ASSERT_NE(linkAt(selected.end()), nullptr);
    EXPECT_EQ(linkAt(selected.start())->parentElement(), div->firstChild());
    EXPECT_EQ(linkAt(selected.end())->parentElement(), div->lastChild());
    doc->undoManager().undo();
    EXPECT_EQ(bodyHtml(doc.get()), before);
}

TEST(Commands, EverySeedOfTheEditingFuzzerIsUndoneExactly)
{
    // The editing fuzz target's own check, once over its seed corpus.
    for (const QString& seed : fuzzSeeds("editing")) {
        QFile f(seed);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << seed.toStdString();
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(fuzz_checks::editingUndoesExactly(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                      size_t(bytes.size())))
            << seed.toStdString();
    }
}
