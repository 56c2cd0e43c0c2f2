// Ctrl+B and Ctrl+U in editable text: bold and underline, one undo step each.

#include "engine/view/DesignModeInput.h"

#include "engine/EnginePage.h"
#include "engine/dom/Text.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/PageView.h"
#include "engine/view/RecordingSink.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct FormatKeys : ::testing::Test
{
    FormatKeys()
        : doc(pageFrom("<html><body><table><tr><td id=c>one two three</td></tr></table>"
                       "<img id=i src=a.gif width=20 height=20></body></html>")),
          view(doc.get())
    {
        view.setHeadless(QSize(400, 300));
        view.advise(&sink);
    }
    Text* text() { return doc->getElementById(QStringLiteral("c"))->firstChild()->asText(); }
    QString cell() { return doc->getElementById(QStringLiteral("c"))->innerHTML(); }
    void ctrl(int key)
    {
        view.input().keyDown(key, Qt::ControlModifier, QString(QChar(key - Qt::Key_A + 1)));
        view.input().keyUp(key, Qt::ControlModifier);
    }
    int steps() { return doc->undoManager().undoCount(); }

    Ref<Document> doc;
    PageView view;
    RecordingSink sink;
};

TEST_F(FormatKeys, CtrlBAndCtrlUFormatTheSelectionAsOneStepEach)
{
    doc->selection().setTextRange(text(), 4, text(), 7);
    const int before = steps();
    ctrl(Qt::Key_B);
    EXPECT_EQ(cell(), QStringLiteral("one <STRONG>two</STRONG> three"));
    EXPECT_EQ(steps(), before + 1);
    EXPECT_TRUE(doc->commands().queryCommandState(QStringLiteral("Bold")));
    ctrl(Qt::Key_U);
    EXPECT_EQ(steps(), before + 2);
    EXPECT_TRUE(doc->commands().queryCommandState(QStringLiteral("Underline")));
    // Again: off, as the format buttons toggle.
    ctrl(Qt::Key_B);
    ctrl(Qt::Key_U);
    EXPECT_EQ(cell(), QStringLiteral("one two three"));
    doc->commands().exec(CommandGroup::Undo);
    doc->commands().exec(CommandGroup::Undo);
    EXPECT_EQ(cell(), QStringLiteral("one <STRONG><U>two</U></STRONG> three"));
}

TEST_F(FormatKeys, ACaretInAWordBoldsTheWord)
{
    doc->selection().collapseAt(text(), 5);
    ctrl(Qt::Key_B);
    EXPECT_EQ(cell(), QStringLiteral("one <STRONG>two</STRONG> three"));
}

TEST_F(FormatKeys, NothingWithObjectsSelectedOrTheKeyCancelled)
{
    doc->selection().setControlRange({Ref<Element>(doc->getElementById(QStringLiteral("i")))});
    const QString before = bodyHtml(doc.get());
    ctrl(Qt::Key_B);
    ctrl(Qt::Key_U);
    EXPECT_EQ(bodyHtml(doc.get()), before);

    doc->selection().setTextRange(text(), 0, text(), 3);
    sink.cancel[events::KeyDown] = true;
    ctrl(Qt::Key_B);
    EXPECT_EQ(cell(), QStringLiteral("one two three"));
}

} // namespace
