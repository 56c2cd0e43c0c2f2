#include "engine/EnginePage.h"

#include "engine/editing/ClipboardData.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/markup/UndoManager.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

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
} // namespace

TEST(ClipboardData, HtmlFormatOffsetsPointAtTheFragment)
{
    const QByteArray data = clipboard::htmlFormat(QStringLiteral("<B>日本</B>"));
    auto field = [&data](const char* name) {
        const int at = data.indexOf(name) + int(qstrlen(name)) + 1;
        return data.mid(at, 10).toInt();
    };
    const int startFragment = field("StartFragment"), endFragment = field("EndFragment");
    EXPECT_EQ(data.mid(startFragment, endFragment - startFragment), QByteArray("<B>日本</B>"));
    EXPECT_EQ(data.mid(field("StartHTML"), 6), QByteArray("<HTML>"));
    EXPECT_EQ(field("EndHTML"), data.size());
}

TEST(ClipboardData, FragmentOfMarkedUnmarkedAndTextData)
{
    QMimeData marked;
    marked.setHtml(QStringLiteral("<html><body>x<!--StartFragment--><I>y</I><!--EndFragment-->z</body></html>"));
    EXPECT_EQ(clipboard::fragmentOf(&marked), QStringLiteral("<I>y</I>"));
    QMimeData plain;
    plain.setHtml(QStringLiteral("<P>all</P>"));
    EXPECT_EQ(clipboard::fragmentOf(&plain), QStringLiteral("<P>all</P>"));
    QMimeData text;
    text.setText(QStringLiteral("t"));
    EXPECT_TRUE(clipboard::fragmentOf(&text).isEmpty());
    EXPECT_TRUE(clipboard::hasPastableData(&text));
}

TEST(ClipboardCommands, CopyKeepsInlineAncestorsAndPasteInsertsIt)
{
    auto doc = pageFrom("<body><table><tr><td><font color=red><b>bold text</b></font></td><td id=t>x</td></tr>"
                        "</table></body>");
    selectChars(doc.get(), 2, 6);
    CommandGroup& c = doc->commands();
    EXPECT_EQ(c.selectionFragment(), QStringLiteral("<FONT color=red><B>ld t</B></FONT>"));
    ASSERT_EQ(c.exec(CommandGroup::Copy), 0);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->html().contains(
        QStringLiteral("<!--StartFragment--><FONT color=red><B>ld t</B></FONT><!--EndFragment-->")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ld t"));
    TextRange r(doc.get());
    r.moveToElementText(doc->getElementById(QStringLiteral("t")));
    r.collapse(false);
    r.select();
    EXPECT_EQ(c.queryStatus(CommandGroup::Paste), 3);
    ASSERT_EQ(c.exec(CommandGroup::Paste), 0);
    EXPECT_EQ(doc->getElementById(QStringLiteral("t"))->innerHTML(),
              QStringLiteral("x<FONT color=red><B>ld t</B></FONT>"));
    EXPECT_TRUE(parserStable(doc.get()));
}

TEST(ClipboardCommands, CutOfAControlRangeAndCancelledEvents)
{
    auto doc = pageFrom("<body><p>a<img src=a.gif>b</p></body>");
    CommandGroup& c = doc->commands();
    ControlRange cr(doc.get());
    cr.add(doc->images().item(0));
    cr.select();
    std::vector<quint32> seen;
    bool cancel = true;
    c.setEventHook([&](quint32 e) {
        seen.push_back(e);
        return cancel;
    });
    ASSERT_EQ(c.exec(CommandGroup::Cut), 0);
    EXPECT_EQ(doc->images().length(), 1); // cancelled
    cancel = false;
    ASSERT_EQ(c.exec(CommandGroup::Cut), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>ab</P>"));
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html().contains(QStringLiteral("<IMG src=\"a.gif\">")), true);
    selectChars(doc.get(), 1, 1);
    ASSERT_EQ(c.exec(CommandGroup::Paste), 0);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>a<IMG src=\"a.gif\">b</P>"));
    EXPECT_EQ(seen, (std::vector<quint32>{CommandGroup::OnCut, CommandGroup::OnCut, CommandGroup::OnBeforePaste,
                                          CommandGroup::OnPaste}));
}

TEST(DesignSwitches, LatchedWhileOnAndTurnedOnWithoutInput)
{
    auto doc = pageFrom("<body>x</body>");
    CommandGroup& c = doc->commands();
    EXPECT_EQ(c.queryStatus(CommandGroup::Position2D), 3);
    c.exec(CommandGroup::Position2D);
    EXPECT_EQ(c.queryStatus(CommandGroup::Position2D), 7);
    c.exec(CommandGroup::Position2D);
    EXPECT_TRUE(c.isSwitchOn(CommandGroup::Position2D));
    c.exec(CommandGroup::Position2D, false);
    EXPECT_FALSE(c.isSwitchOn(CommandGroup::Position2D));
    c.exec(CommandGroup::Overwrite);
    EXPECT_TRUE(c.queryCommandState(QStringLiteral("OverWrite")));
    c.exec(CommandGroup::Overwrite);
    EXPECT_FALSE(c.queryCommandState(QStringLiteral("OverWrite")));
    c.exec(CommandGroup::ShowZeroBorders, true);
    doc->loadFromString(QStringLiteral("<body>reloaded</body>"));
    EXPECT_TRUE(c.isSwitchOn(CommandGroup::ShowZeroBorders));
}
