#pragma once

#include "platform/CommandTarget.h"
#include "source/ColorRun.h"
#include "source/SourceBufferView.h"

#include <QPoint>
#include <QWidget>

#include <string>
#include <string_view>

class VornaSourceTextBuffer;

// Drop effects of the source views.
enum SourceDropEffect : int {
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
};

// The read-only view of a source text buffer: caret, anchor and selection,
// the mapping between text positions and the character cell grid, the
// reaction to buffer changes, the clipboard and the text search. The editable
// view (VornaSourceEditView) derives from it.
//
// Text positions are points (character, line): x a byte index into the
// line's UTF-8 text, y the line index.
class VornaSourceTextView : public QWidget, public platform::CommandTarget, public SourceBufferView
{
    Q_OBJECT
public:
    explicit VornaSourceTextView(QWidget* parent = nullptr);
    ~VornaSourceTextView() override;

    // Buffer attachment. With none given, FindTextBuffer decides.
    void AttachBuffer(VornaSourceTextBuffer* buffer = nullptr);
    void DetachBuffer();
    VornaSourceTextBuffer* GetTextBuffer() const { return m_pTextBuffer; }

    virtual void ResetState();
    // After the view is made: attach to the buffer FindTextBuffer gives.
    virtual void OnInitialUpdate();

    // Buffer access; without a buffer one empty line.
    virtual int GetLineCount();
    virtual int GetLineLength(int line);
    virtual const char* GetLineText(int line);
    virtual uint32_t GetLineFlags(int line);
    std::string_view GetLine(int line);
    // The text of a range, lines joined by CR LF.
    virtual void GetTextRange(QPoint start, QPoint end, std::string& text);

    // The clipboard holds plain text with LF line ends.
    virtual bool IsClipboardTextAvailable();
    virtual bool CopyTextToClipboard(const std::string& text);
    virtual bool ReadTextFromClipboard(std::string& text);

    virtual int GetAllowedDropEffects() { return DROPEFFECT_COPY; }
    virtual bool OnDragSourceDone(int dropEffect);

    virtual LineState ParseLineColors(LineState state, int line, ColorRun* runs, int& count);
    virtual VornaSourceTextBuffer* FindTextBuffer() { return nullptr; }

    void OnBufferChanged(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line) override;
    void OnEditAction(int action, const std::string& text) override;

    // Caret and selection.
    void GetSelection(QPoint& start, QPoint& end);
    QPoint GetCaretPosition() const { return m_ptCursorPos; }
    void SetCaretPosition(QPoint pos);
    QPoint GetAnchor() const { return m_ptAnchor; }
    void SetAnchor(QPoint pos) { m_ptAnchor = pos; }
    void SetSelection(QPoint start, QPoint end);
    bool HasSelection() const { return m_ptSelStart != m_ptSelEnd; }
    bool IsPointSelected(QPoint pos);
    void HideTextCaret();
    void ShowTextCaret();
    bool IsTextCaretHidden() const { return m_bCursorHidden; }
    void UpdateCaret();
    void ScrollCaretIntoView(QPoint pos);

    // Columns and characters.
    int GetTabSize() const { return m_nTabSize; }
    int ColumnOfChar(int line, int pos);
    int CharOfColumn(int line, int column);
    // True when the character at pos, or the one ending right before it,
    // takes more than one byte.
    bool IsDoubleByteAt(QPoint pos);
    // The number of bytes of the character at pos, and of the one before it.
    int CharLengthAt(QPoint pos);
    int CharLengthBefore(QPoint pos);

    // Geometry of the character cell grid.
    int GetLineHeight();
    int GetCharWidth();
    int GetMarginWidth() const { return 10; }
    int GetTopLine() const { return m_nTopLine; }
    int GetFirstColumn() const { return m_nFirstColumn; }
    QPoint TextPosToPoint(QPoint pos);
    QPoint PointToTextPos(QPoint point);

    // While frozen, buffer changes do not recompute the horizontal scroll range.
    void SetHorzScrollBarFrozen(bool frozen) { m_bHorzScrollBarLocked = frozen; }
    void UpdateHorzScrollBar(bool positionOnly = false);
    void SetShowInactiveSelection(bool show);
    bool GetShowInactiveSelection() const { return m_bShowInactiveSelection; }

    // Dragging this view's own selection.
    bool IsDraggingText() const { return m_bDraggingText; }
    void SetDraggedText(bool dragging, QPoint begin = QPoint(), QPoint end = QPoint());
    QPoint GetDraggedTextBegin() const { return m_ptDraggedTextBegin; }
    QPoint GetDraggedTextEnd() const { return m_ptDraggedTextEnd; }

    // Text search over the whole text or a block; flags of SourceFindFlags.
    bool FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found);
    bool FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd, uint32_t flags,
                     bool wrap, QPoint& found);
    bool SelectFoundText(QPoint start, int length);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    VornaSourceTextBuffer* m_pTextBuffer = nullptr;
    QPoint m_ptCursorPos;
    QPoint m_ptAnchor;
    QPoint m_ptSelStart;
    QPoint m_ptSelEnd;
    int m_nIdealCharPos = -1;
    int m_nTabSize = 4;
    int m_nTopLine = 0;
    int m_nFirstColumn = 0;
    int m_nLineHeight = -1;
    int m_nCharWidth = -1;
    bool m_bCursorHidden = false;
    bool m_bFocused = false;
    bool m_bHorzScrollBarLocked = false;
    bool m_bShowInactiveSelection = false;
    bool m_bDraggingText = false;
    QPoint m_ptDraggedTextBegin;
    QPoint m_ptDraggedTextEnd;
};
