#include "source/VornaSourceTextView.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "res/resource.h"

#include <QKeyEvent>

// The source view's commands, and the keys that reach them.

namespace sourceviewcommands_detail {

// A command reached by a key when no shortcut of the frame takes the key.
struct KeyCommand
{
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

const KeyCommand kKeyCommands[] = {
    {Qt::Key_Left, kNone, ID_EDIT_CHAR_LEFT},
    {Qt::Key_Left, kShift, ID_EDIT_EXT_CHAR_LEFT},
    {Qt::Key_Right, kNone, ID_EDIT_CHAR_RIGHT},
    {Qt::Key_Right, kShift, ID_EDIT_EXT_CHAR_RIGHT},
    {Qt::Key_Left, kCtrl, ID_EDIT_WORD_LEFT},
    {Qt::Key_Left, kCtrlShift, ID_EDIT_EXT_WORD_LEFT},
    {Qt::Key_Right, kCtrl, ID_EDIT_WORD_RIGHT},
    {Qt::Key_Right, kCtrlShift, ID_EDIT_EXT_WORD_RIGHT},
    {Qt::Key_Up, kNone, ID_EDIT_LINE_UP},
    {Qt::Key_Up, kShift, ID_EDIT_EXT_LINE_UP},
    {Qt::Key_Down, kNone, ID_EDIT_LINE_DOWN},
    {Qt::Key_Down, kShift, ID_EDIT_EXT_LINE_DOWN},
    {Qt::Key_Up, kCtrl, ID_EDIT_SCROLL_UP},
    {Qt::Key_Down, kCtrl, ID_EDIT_SCROLL_DOWN},
    {Qt::Key_PageUp, kNone, ID_EDIT_PAGE_UP},
    {Qt::Key_PageUp, kShift, ID_EDIT_EXT_PAGE_UP},
    {Qt::Key_PageDown, kNone, ID_EDIT_PAGE_DOWN},
    {Qt::Key_PageDown, kShift, ID_EDIT_EXT_PAGE_DOWN},
    {Qt::Key_End, kNone, ID_EDIT_LINE_END},
    {Qt::Key_End, kShift, ID_EDIT_EXT_LINE_END},
    {Qt::Key_Home, kNone, ID_EDIT_HOME},
    {Qt::Key_Home, kShift, ID_EDIT_EXT_HOME},
    {Qt::Key_Home, kCtrl, ID_EDIT_TEXT_BEGIN},
    {Qt::Key_Home, kCtrlShift, ID_EDIT_EXT_TEXT_BEGIN},
    {Qt::Key_End, kCtrl, ID_EDIT_TEXT_END},
    {Qt::Key_End, kCtrlShift, ID_EDIT_EXT_TEXT_END},
    {Qt::Key_C, kCtrl, ID_EDIT_COPY},
    {Qt::Key_A, kCtrl, ID_EDIT_SELECT_ALL},
    {Qt::Key_F2, kCtrl, ID_EDIT_TOGGLE_BOOKMARK},
    {Qt::Key_F2, kNone, ID_EDIT_GOTO_NEXT_BOOKMARK},
    {Qt::Key_F2, kShift, ID_EDIT_GOTO_PREV_BOOKMARK},
    {Qt::Key_F2, kCtrlShift, ID_EDIT_CLEAR_ALL_BOOKMARKS},
    {Qt::Key_Z, kCtrl, ID_EDIT_UNDO},
    {Qt::Key_Y, kCtrl, ID_EDIT_REDO},
    {Qt::Key_X, kCtrl, ID_EDIT_CUT},
    {Qt::Key_V, kCtrl, ID_EDIT_PASTE},
    {Qt::Key_H, kCtrl, ID_EDIT_REPLACE},
    {Qt::Key_P, kCtrl, ID_FILE_PRINT},
};

} // namespace sourceviewcommands_detail

void VornaSourceTextView::RegisterCommands()
{
    onCommandRange(ID_EDIT_CHAR_LEFT, ID_EDIT_EXT_TEXT_END, [this](int id) { OnMoveCommand(id); });
    onCommand(ID_EDIT_COPY, [this] { CopySelection(); });
    onUpdate(ID_EDIT_COPY, [this](platform::CmdUI& ui) { ui.enable(HasSelection()); });
    onCommand(ID_EDIT_SELECT_ALL, [this] { SelectAllText(); });
    onUpdate(ID_EDIT_SELECT_ALL, [](platform::CmdUI& ui) { ui.enable(true); });

    onCommand(ID_EDIT_TOGGLE_BOOKMARK, [this] { OnToggleBookmark(); });
    onCommand(ID_EDIT_GOTO_NEXT_BOOKMARK, [this] { OnNextBookmark(); });
    onCommand(ID_EDIT_GOTO_PREV_BOOKMARK, [this] { OnPrevBookmark(); });
    onCommand(ID_EDIT_CLEAR_ALL_BOOKMARKS, [this] { OnClearAllBookmarks(); });
    onUpdateRange(ID_EDIT_GOTO_NEXT_BOOKMARK, ID_EDIT_CLEAR_ALL_BOOKMARKS,
                  [this](platform::CmdUI& ui) { ui.enable(m_bBookmarkExist); });
    onCommandRange(ID_EDIT_TOGGLE_BOOKMARK0, ID_EDIT_TOGGLE_BOOKMARK9,
                   [this](int id) { OnToggleNumberedBookmark(id); });
    onCommandRange(ID_EDIT_GO_BOOKMARK0, ID_EDIT_GO_BOOKMARK9, [this](int id) { OnGoNumberedBookmark(id); });
    onCommand(ID_EDIT_CLEAR_BOOKMARKS, [this] { OnClearNumberedBookmarks(); });
    onUpdate(ID_SOURCE_INDICATOR_POSITION, [this](platform::CmdUI& ui) { ui.setText(GetPositionIndicatorText()); });
    onUpdate(ID_SOURCE_INDICATOR_LINE_ENDING, [this](platform::CmdUI& ui) {
        const QString text = GetLineEndingIndicatorText();
        ui.setText(text);
        ui.enable(!text.isEmpty());
    });

    onCommand(ID_FILE_PAGE_SETUP, [this] { OnFilePageSetup(); });
    onCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    onCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    onCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

void VornaSourceTextView::OnMoveCommand(int id)
{
    const bool extend = ((id - ID_EDIT_CHAR_LEFT) % 2) == 1;
    switch (id) {
    case ID_EDIT_CHAR_LEFT:
    case ID_EDIT_EXT_CHAR_LEFT:
        MoveCharLeft(extend);
        break;
    case ID_EDIT_CHAR_RIGHT:
    case ID_EDIT_EXT_CHAR_RIGHT:
        MoveCharRight(extend);
        break;
    case ID_EDIT_WORD_LEFT:
    case ID_EDIT_EXT_WORD_LEFT:
        MoveWordLeft(extend);
        break;
    case ID_EDIT_WORD_RIGHT:
    case ID_EDIT_EXT_WORD_RIGHT:
        MoveWordRight(extend);
        break;
    case ID_EDIT_LINE_UP:
    case ID_EDIT_EXT_LINE_UP:
        MoveLineUp(extend);
        break;
    case ID_EDIT_LINE_DOWN:
    case ID_EDIT_EXT_LINE_DOWN:
        MoveLineDown(extend);
        break;
    case ID_EDIT_SCROLL_UP:
        ScrollLineUp();
        break;
    case ID_EDIT_SCROLL_DOWN:
        ScrollLineDown();
        break;
    case ID_EDIT_PAGE_UP:
    case ID_EDIT_EXT_PAGE_UP:
        MovePageUp(extend);
        break;
    case ID_EDIT_PAGE_DOWN:
    case ID_EDIT_EXT_PAGE_DOWN:
        MovePageDown(extend);
        break;
    case ID_EDIT_LINE_END:
    case ID_EDIT_EXT_LINE_END:
        MoveLineEnd(extend);
        break;
    case ID_EDIT_HOME:
    case ID_EDIT_EXT_HOME:
        MoveLineHome(extend);
        break;
    case ID_EDIT_TEXT_BEGIN:
    case ID_EDIT_EXT_TEXT_BEGIN:
        MoveTextStart(extend);
        break;
    case ID_EDIT_TEXT_END:
    case ID_EDIT_EXT_TEXT_END:
        MoveTextEnd(extend);
        break;
    default:
        break;
    }
}

void VornaSourceTextView::RunCommand(int id)
{
    platform::CommandRegistry* registry = platform::CommandRegistry::instance();
    if (!(registry && registry->sendCommand(id)))
        runCommand(id);
}

void VornaSourceTextView::RunKeyCommand(int id)
{
    platform::CmdUI ui(id);
    if (runUpdate(ui) && ui.enableChanged() && !ui.isEnabled())
        return;
    RunCommand(id);
}

void VornaSourceTextView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const sourceviewcommands_detail::KeyCommand& entry : sourceviewcommands_detail::kKeyCommands) {
        if (entry.key == event->key() && entry.modifiers == modifiers) {
            RunKeyCommand(entry.command);
            event->accept();
            return;
        }
    }
    event->ignore();
}
