// The mouse on real pages of the running program: presses, drags and
// releases sent to the view as a user makes them, checked by the page, the
// selection, the cursor shown, the sink's modes and the undo steps.

#include "GesturePage.h"

#include "engine/css/Style.h"

namespace {

class MouseGestures : public GesturePage
{
protected:
    static QString textBox(const char* id, const char* cell, int x, int y, const char* text)
    {
        return QStringLiteral("<TABLE id=%1 width=200 height=50 border=0 style='Z-INDEX: 101; LEFT: %3px; POSITION: "
                              "absolute; TOP: %4px'><TBODY><TR><TD id=%2>%5</TD></TR></TBODY></TABLE>\n")
            .arg(QLatin1String(id), QLatin1String(cell))
            .arg(x)
            .arg(y)
            .arg(QString::fromUtf8(text));
    }

    // No drag of the sink is left under way.
    void expectNoDrag() const
    {
        EXPECT_FALSE(sink()->m_bIsDragMoveMode);
        EXPECT_LT(sink()->m_nSizeHandle, 2);
        EXPECT_FALSE(sink()->m_bIsTextDragMode);
        EXPECT_FALSE(sink()->m_bUndoUnitOpen);
        EXPECT_EQ(page()->input().captureElement(), nullptr);
    }
};

TEST_F(MouseGestures, AClickOnTheTextOfASelectedTextBoxPlacesTheCaretAndTypingGoesIn)
{
    ASSERT_NE(open(QStringLiteral(">\n") + textBox("box", "cell", 40, 40, "Hello box") + image("pic", 300, 40)),
              nullptr);
    // The box stands selected as an object, as after it was placed.
    selectObjects({"box"});
    const int steps = undoSteps();
    const QPoint at = inText("cell", 2);
    move(at);
    EXPECT_EQ(cursorShown(), Qt::SizeAllCursor);
    click(at);
    expectNoDrag();
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(doc()->selection().type(), engine::Selection::Type::None);
    EXPECT_EQ(undoSteps(), steps) << "a click moves nothing";
    type(QStringLiteral("XY"));
    EXPECT_EQ(byId("cell")->innerHTML(), QStringLiteral("HeXYllo box"));
    EXPECT_EQ(styleOf("box"), QStringLiteral("Z-INDEX: 101; LEFT: 40px; POSITION: absolute; TOP: 40px"));

    // An unselected box takes the caret at the first click too.
    click(center("pic"));
    EXPECT_EQ(selectedIds(), QStringList{QStringLiteral("pic")});
    click(inText("cell", 1));
    type(QStringLiteral("-"));
    EXPECT_EQ(byId("cell")->innerHTML(), QStringLiteral("H-eXYllo box"));
}

TEST_F(MouseGestures, ASelectedObjectDraggedByTheMoveCursorMovesAsOneUndoStep)
{
    ASSERT_NE(open(QStringLiteral(">\n") + image("a", 40, 40) + image("b", 140, 40)), nullptr);
    frame()->m_settings.snapOn = false;
    selectObjects({"a", "b"});
    const int steps = undoSteps();
    drag(center("b"), center("b") + QPoint(30, 20));
    expectNoDrag();
    EXPECT_EQ(styleOf("a"), QStringLiteral("POSITION: absolute; LEFT: 70px; TOP: 60px; WIDTH: 40px; HEIGHT: 30px"));
    EXPECT_EQ(styleOf("b"), QStringLiteral("POSITION: absolute; LEFT: 170px; TOP: 60px; WIDTH: 40px; HEIGHT: 30px"));
    // The pressed object comes first.
    EXPECT_EQ(selectedIds(), QStringList({QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(undoSteps(), steps + 1);
    doc()->undoManager().undo();
    EXPECT_EQ(styleOf("a"), QStringLiteral("POSITION: absolute; LEFT: 40px; TOP: 40px; WIDTH: 40px; HEIGHT: 30px"));
    EXPECT_EQ(styleOf("b"), QStringLiteral("POSITION: absolute; LEFT: 140px; TOP: 40px; WIDTH: 40px; HEIGHT: 30px"));
}

} // namespace
