#include "SourceViewTestSupport.h"

#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "source/VornaSourceTextBuffer.h"

#include <gtest/gtest.h>

#include <QDragMoveEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSplitter>
#include <QTest>

namespace {

QColor Pixel(VornaSourceTextView& view, QPoint point)
{
    return view.viewport()->grab().toImage().pixelColor(point);
}

TEST(SourceViewOverlayTest, ComposedTextShowsAtTheHiddenCaretUntilCommitted)
{
    ShownSourceView shown;
    shown.Load("ab");
    shown.Caret(QPoint(1, 0));
    VornaSourceEditView& view = shown.view;
    const QPoint underline = view.TextPosToPoint(QPoint(1, 0)) + QPoint(2, view.GetLineHeight() - 1);

    QInputMethodEvent compose(QString::fromUtf8("\xe3\x81\x82"), {});
    QApplication::sendEvent(&view, &compose);
    EXPECT_EQ(view.GetComposition(), QString::fromUtf8("\xe3\x81\x82"));
    EXPECT_TRUE(view.IsTextCaretHidden());
    EXPECT_FALSE(view.IsCaretShown());
    EXPECT_EQ(Pixel(view, underline), view.palette().color(QPalette::Text));

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\xe3\x81\x82"));
    QApplication::sendEvent(&view, &commit);
    EXPECT_TRUE(view.GetComposition().isEmpty());
    EXPECT_FALSE(view.IsTextCaretHidden());
    EXPECT_EQ(shown.Buffer().GetAllText(), "a\xe3\x81\x82"
                                           "b");
    EXPECT_EQ(view.GetCaretPosition(), QPoint(4, 0));
}

TEST(SourceViewOverlayTest, DraggedTextShowsWhereItWouldDrop)
{
    ShownSourceView shown;
    shown.Load("abcdef");
    VornaSourceEditView& view = shown.view;
    QMimeData data;
    data.setText(QStringLiteral("xy"));
    const QPoint target = shown.CellPoint(QPoint(3, 0), true);
    QDragEnterEvent enter(target, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(target, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    ASSERT_TRUE(view.IsDropIndicatorShown());
    EXPECT_EQ(view.GetDropPoint(), QPoint(3, 0));
    const QPoint bar = view.TextPosToPoint(QPoint(3, 0)) + QPoint(0, view.GetLineHeight() / 2);
    EXPECT_EQ(Pixel(view, bar), view.palette().color(QPalette::Text));

    QDropEvent drop(QPointF(target), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    EXPECT_FALSE(view.IsDropIndicatorShown());
    EXPECT_EQ(shown.Buffer().GetAllText(), "abcxydef");
}

TEST(SourceViewOverlayTest, PanesSideBySideShareTheTopLine)
{
    VornaSourceTextBuffer buffer;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r\n";
    buffer.LoadFromBytes(text);
    QSplitter splitter(Qt::Horizontal);
    auto* left = new VornaSourceTextView(&splitter);
    auto* right = new VornaSourceTextView(&splitter);
    splitter.resize(600, 300);
    splitter.show();
    left->AttachBuffer(&buffer);
    left->ScrollToLine(30);
    right->AttachBuffer(&buffer);
    right->OnInitialUpdate();
    EXPECT_EQ(right->GetTopLine(), 30);
    left->ScrollCaretIntoView(QPoint(0, 90));
    EXPECT_EQ(right->GetTopLine(), left->GetTopLine());
    right->DetachBuffer();
    left->DetachBuffer();
}

TEST(SourceViewOverlayTest, PrintAndPreviewRunTheirDialogs)
{
    ShownSourceView shown;
    shown.Load("<html>\r\n</html>");
    platform::ModalResponder responder;
    responder.answer(IDD_PRINTDLG, platform::IDCANCEL);
    responder.answer(IDD_PRINT_PREVIEW, platform::IDCANCEL);
    shown.view.runCommand(ID_FILE_PRINT);
    shown.view.runCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(responder.runCount(IDD_PRINTDLG), 1);
    EXPECT_EQ(responder.runCount(IDD_PRINT_PREVIEW), 1);
    EXPECT_EQ(shown.view.GetPrintPageCount(), 0);
}

TEST(SourceViewKeyboardTest, TypingAndMovingThroughRealKeyEvents)
{
    ShownSourceView shown;
    shown.Load("<p>");
    VornaSourceEditView& view = shown.view;
    view.activateWindow();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClicks(&view, "x");
    QTest::keyClick(&view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(shown.Buffer().GetAllText(), "<p>x");
    QPoint start;
    QPoint end;
    view.GetSelection(start, end);
    EXPECT_EQ(start, QPoint(0, 0));
    EXPECT_EQ(end, QPoint(4, 0));
    EXPECT_TRUE(view.IsFocused());
}

} // namespace
