#pragma once

#include "source/VornaSourceTextView.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class VornaSourceDoc;

// Undo action codes of the source edit view.
enum SourceEditAction : int {
    SOURCE_ACTION_PASTE = 1,
    SOURCE_ACTION_DELSEL = 2,
    SOURCE_ACTION_CUT = 3,
    SOURCE_ACTION_TYPING = 4,
    SOURCE_ACTION_BACKSPACE = 5,
    SOURCE_ACTION_INDENT = 6,
    SOURCE_ACTION_DRAGDROP = 7,
    SOURCE_ACTION_REPLACE = 8,
    SOURCE_ACTION_DELETE = 9,
    SOURCE_ACTION_AUTOINDENT = 10,
};

// The editable HTML source view of a page: typing and overwrite, line breaks
// with auto-indent, Backspace and Delete, block indenting, cut, paste, undo
// and redo, replace, input methods, dropped text and the context menu, with
// HTML colouring. It owns the private source document whose buffer holds the
// text.
class VornaSourceEditView : public VornaSourceTextView
{
    Q_OBJECT
public:
    explicit VornaSourceEditView(QWidget* parent = nullptr);
    ~VornaSourceEditView() override;

    // The source document, made with its buffer on first use.
    VornaSourceDoc* GetSourceDoc();

    void OnInitialUpdate() override;
    void ResetState() override;
    int GetAllowedDropEffects() override { return DROPEFFECT_COPY | DROPEFFECT_MOVE; }
    bool OnDragSourceDone(int dropEffect) override;
    LineState ParseLineColors(LineState state, int line, ColorRun* runs, int& count) override;
    VornaSourceTextBuffer* FindTextBuffer() override;
    void OnBufferChanged(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line) override;
    void OnEditAction(int action, const std::string& text) override;
    virtual bool IsEditable();

    // Typing one character (UTF-8; "\r" is Enter).
    void OnChar(std::string_view character);
    // Typing the text an input method commits.
    void OnImeResult(std::string_view text);

    // Commands.
    void OnEditUndo();
    void OnEditRedo();
    void OnEditCut();
    void OnEditPaste();
    void OnEditDelete();
    void OnEditDeleteBack();
    void OnEditTab();
    void OnEditUntab();
    void OnEditSwitchOvrmode();
    void OnEditReplace();

    // Replaces the selection by the text and selects it; false without a selection.
    bool ReplaceSelection(std::string_view text);
    // Inserts dropped text at a text position; false when nothing was inserted.
    bool DropText(QPoint pos, std::string_view text);

    bool GetOverwriteMode() const { return m_bOvrMode; }
    void SetOverwriteMode(bool on) { m_bOvrMode = on; }
    bool GetAutoIndent() const { return m_bAutoIndent; }
    void SetAutoIndent(bool on) { m_bAutoIndent = on; }

    // The selection the replace dialog works in, while it runs over one.
    bool IsReplaceTracking() const { return m_bSelectionPushed; }
    void SetReplaceTracking(bool on, QPoint start = QPoint(), QPoint end = QPoint());
    QPoint GetReplaceBlockStart() const { return m_ptSavedSelStart; }
    QPoint GetReplaceBlockEnd() const { return m_ptSavedSelEnd; }

    bool IsDropIndicatorShown() const { return m_bDropPosVisible; }
    QString GetComposition() const { return m_strComposition; }
    QPoint GetDropPoint() const { return m_ptDropPos; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The drop indicator and the text an input method is composing.
    void PaintOverlay(QPainter& painter) override;

private:
    void MoveCaretTo(QPoint pos);
    void DeleteCurrentSelection(int action);
    // Indents or unindents the lines of a selection over several lines as one undo step.
    bool ChangeBlockLines(const std::function<void(int line)>& change);
    void ShowDropIndicator(QPoint point);
    void HideDropIndicator();
    // Shows the drop indicator and proposes copy (Ctrl) or move for text; refuses anything else.
    bool AcceptDrag(QDropEvent* event, bool needEditable);

    bool m_bOvrMode = false;
    bool m_bDropPosVisible = false;
    QPoint m_ptSavedCaretPos;
    QPoint m_ptDropPos;
    bool m_bSelectionPushed = false;
    QPoint m_ptSavedSelStart;
    QPoint m_ptSavedSelEnd;
    bool m_bAutoIndent = true;
    bool m_bImeComposing = false;
    bool m_bImeTyping = false;
    bool m_bImeResult = false;
    QString m_strComposition; // the input method's text being composed
    std::unique_ptr<VornaSourceDoc> m_pSourceDoc;
};
