// Random edit sequences: undoing every step gives back the loaded text byte
// for byte, redoing them gives the edited text, and the caret never stands
// inside a character.

#include "BufferTestSupport.h"
#include "SourceViewTestSupport.h"
#include "source/SourceChars.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include <random>
#include <string>

namespace {

using EditedLines = std::vector<std::string>;

// A few pieces with every kind of line break, multi-byte characters and a NUL.
std::string randomPiece(std::mt19937& rng)
{
    static const char* const kPieces[] = {"a", " ", "\r", "\n", "\r\n", "\xe3\x81\x82", "\t", "<p>", "\xc3\xa9"};
    std::string text;
    for (int n = static_cast<int>(rng() % 5); n > 0; --n) {
        const size_t k = rng() % 10;
        if (k == 9)
            text += '\0';
        else
            text += kPieces[k];
    }
    return text;
}

// Undoes every step and redoes as many; checks both ends.
void expectUndoAllAndRedo(VornaSourceTextBuffer& buffer, const EditedLines& loaded, int seed)
{
    const EditedLines edited = BufferLines(buffer);
    QPoint caret;
    int steps = 0;
    while (buffer.CanUndo() && buffer.Undo(caret))
        ++steps;
    ASSERT_EQ(BufferLines(buffer), loaded) << "seed " << seed;
    EXPECT_FALSE(buffer.IsModified()) << "seed " << seed;
    while (steps-- > 0)
        buffer.Redo(caret);
    EXPECT_EQ(BufferLines(buffer), edited) << "seed " << seed;
}

} // namespace

TEST(SourceEditProperty, BufferUndoAndRedoAreExactForRandomEdits)
{
    for (int seed = 0; seed < 200; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        VornaSourceTextBuffer buffer;
        std::string text;
        for (int i = 0; i < 6; ++i)
            text += randomPiece(rng);
        buffer.LoadFromBytes(text, static_cast<int>(rng() % 4) - 1);
        const EditedLines loaded = BufferLines(buffer);
        for (int step = 0; step < 30; ++step) {
            const int line = static_cast<int>(rng() % static_cast<unsigned>(buffer.GetLineCount() + 1));
            const int pos = static_cast<int>(rng() % static_cast<unsigned>(buffer.GetLineLength(line) + 2));
            if (rng() % 3 == 0)
                buffer.StartUndoGroup(rng() % 2 == 0);
            if (rng() % 2 == 0) {
                int endLine = 0, endChar = 0;
                buffer.InsertText(nullptr, line, pos, randomPiece(rng), endLine, endChar);
            } else {
                const int toLine = static_cast<int>(rng() % static_cast<unsigned>(buffer.GetLineCount() + 1));
                const int toPos = static_cast<int>(rng() % static_cast<unsigned>(buffer.GetLineLength(toLine) + 2));
                buffer.DeleteText(nullptr, line, pos, toLine, toPos);
            }
            if (rng() % 3 == 0)
                buffer.EndUndoGroup(nullptr);
        }
        buffer.EndUndoGroup(nullptr);
        expectUndoAllAndRedo(buffer, loaded, seed);
    }
}

TEST(SourceEditProperty, TypingAndKeyCommandsKeepCharactersWholeAndUndoExactly)
{
    ShownSourceView shown;
    VornaSourceEditView& view = shown.view;
    static const Qt::Key kKeys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,      Qt::Key_Down,
                                    Qt::Key_Home,   Qt::Key_End,   Qt::Key_Delete,  Qt::Key_Backspace,
                                    Qt::Key_Return, Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Insert};
    static const char* const kTyped[] = {"x", "\xe3\x81\x86", " ", "\xf0\x9f\x98\x80"};
    for (int seed = 0; seed < 25; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        shown.Load("<p>\xe3\x81\x82\xe3\x81\x84 text\r\n\t\tindent \xf0\x9f\x98\x80 x\r\n\r\nlast\xc3\xa9");
        const EditedLines loaded = BufferLines(shown.Buffer());
        for (int step = 0; step < 60; ++step) {
            const unsigned kind = rng() % 20;
            if (kind < 12) {
                Qt::KeyboardModifiers modifiers = rng() % 3 == 0 ? Qt::ShiftModifier : Qt::NoModifier;
                if (rng() % 5 == 0)
                    modifiers |= Qt::ControlModifier;
                QKeyEvent key(QEvent::KeyPress, kKeys[kind], modifiers);
                QApplication::sendEvent(&view, &key);
            } else if (kind < 17) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(kTyped[rng() % 4]));
                QApplication::sendEvent(&view, &key);
            } else {
                static const Qt::Key kCtrl[] = {Qt::Key_X, Qt::Key_V, Qt::Key_Z};
                QKeyEvent key(QEvent::KeyPress, kCtrl[kind - 17], Qt::ControlModifier);
                QApplication::sendEvent(&view, &key);
            }
            QPoint start;
            QPoint end;
            view.GetSelection(start, end);
            for (const QPoint point : {view.GetCaretPosition(), start, end}) {
                ASSERT_LE(point.x(), shown.Buffer().GetLineLength(point.y())) << "seed " << seed << " step " << step;
                ASSERT_FALSE(SourceChars::IsInsideChar(shown.Buffer().GetLine(point.y()), point.x()))
                    << "seed " << seed << " step " << step;
            }
        }
        expectUndoAllAndRedo(shown.Buffer(), loaded, seed);
    }
}
