#pragma once

#include "platform/ColorRef.h"
#include "platform/CommandTarget.h"
#include "platform/Rect.h"
#include "source/ColorRun.h"
#include "source/SourceBufferView.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QMimeData;
class QPainter;
class QPrinter;
class SourceTextRenderer;
class VornaSourceTextBuffer;

namespace platform {
class CmdUI;
}

// Drop effects of the source views.
enum SourceDropEffect : int {
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
};

// The read-only view of a source text buffer: the lines in a grid of
// character cells with a selection margin, coloured runs, caret, selection,
// scrolling, keyboard caret movement, mouse selection of characters, words and
// lines with automatic scrolling, dragging the selection, copy, bookmarks, the
// position and line-ending indicators, printing with page setup, and the text
// search. The editable view (VornaSourceEditView) derives from it.
//
// Text positions are points (character, line): x a byte index into the
// line's UTF-8 text, y the line index. Screen positions are columns: a tab
// advances to the next multiple of the tab size, an East-Asian wide character
// takes two columns, any other character one. Every character is painted in
// its own cell at x = column * cell width, so painting and the caret never
// drift apart whatever the font's own advances are.
class VornaSourceTextView : public QAbstractScrollArea, public platform::CommandTarget, public SourceBufferView
{
    Q_OBJECT
public:
    // Id of the timer that scrolls while the mouse selects outside the view.
    static constexpr int AutoScrollTimer = 1001;
    static constexpr int AutoScrollInterval = 100;
    // "No colour" for GetLineColorOverride.
    static constexpr platform::ColorRef ColorNone = 0xFFFFFFFF;

    explicit VornaSourceTextView(QWidget* parent = nullptr);
    ~VornaSourceTextView() override;

    // Buffer attachment. With none given, FindTextBuffer decides.
    void AttachBuffer(VornaSourceTextBuffer* buffer = nullptr);
    void DetachBuffer();
    VornaSourceTextBuffer* GetTextBuffer() const { return m_pTextBuffer; }

    virtual void ResetState();
    // After the view is made: attach to the buffer FindTextBuffer gives and
    // take the scroll position of a neighbouring pane.
    virtual void OnInitialUpdate();

    // Printing hooks (header and footer of each page).
    virtual void DrawPrintHeader(QPainter& painter, int page);
    virtual void DrawPrintFooter(QPainter& painter, int page);
    virtual void GetHeaderText(int page, QString& text);
    virtual void GetFooterText(int page, QString& text);

    // Panes of one splitter keep their scroll positions together: vertical
    // syncs the top line along a row, else the first column along a column.
    virtual void SyncSiblingPanes(bool vertical);
    virtual void OnSiblingScrolled(VornaSourceTextView* source, bool vertical);

    // Buffer access; without a buffer one empty line.
    virtual int GetLineCount();
    virtual int GetLineLength(int line);
    virtual int GetLineColumns(int line);
    virtual const char* GetLineText(int line);
    virtual uint32_t GetLineFlags(int line);
    std::string_view GetLine(int line);
    // The text of a range, lines joined by CR LF.
    virtual void GetTextRange(QPoint start, QPoint end, std::string& text);

    // The clipboard holds plain text with LF line ends.
    virtual bool IsClipboardTextAvailable();
    virtual bool CopyTextToClipboard(const std::string& text);
    virtual bool ReadTextFromClipboard(std::string& text);
    // The selection as drag data (plain text, LF line ends); none for an
    // empty selection. Remembers the dragged range.
    virtual std::unique_ptr<QMimeData> MakeDragData();
    virtual int GetAllowedDropEffects() { return DROPEFFECT_COPY; }
    virtual bool OnDragSourceDone(int dropEffect);

    virtual platform::ColorRef GetColorByIndex(int colorIndex);
    // A line's own background and text colours (ColorNone: none).
    virtual void GetLineColorOverride(int line, platform::ColorRef& background, platform::ColorRef& text,
                                      bool& paintWhitespace);
    virtual bool IsItalicColor(int colorIndex);
    virtual bool IsBoldColor(int colorIndex);
    // Paint one row (line -1: below the text) and its margin.
    virtual void PaintLine(QPainter& painter, const QRect& rect, int line);
    virtual void PaintMargin(QPainter& painter, const QRect& rect, int line);

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
    // Whether the caret is shown, and where (viewport coordinates).
    bool IsCaretShown() const { return m_bCaretShown; }
    QRect GetCaretRect() const { return m_rcCaret; }
    void ScrollCaretIntoView(QPoint pos);
    int GetIdealCharPos() const { return m_nIdealCharPos; }
    bool IsFocused() const { return m_bFocused; }

    // Columns and characters.
    int GetTabSize() const { return m_nTabSize; }
    int ColumnOfChar(int line, int pos);
    // The character a vertical move reaches at a column: never inside a
    // character; a tab is entered from the nearer side.
    int CharOfColumn(int line, int column);
    // True when the character at pos, or the one ending right before it,
    // takes more than one byte.
    bool IsDoubleByteAt(QPoint pos);
    // The number of bytes of the character at pos, and of the one before it.
    int CharLengthAt(QPoint pos);
    int CharLengthBefore(QPoint pos);
    // The line's bytes from offset with tabs turned into spaces, measured from
    // the column the offset stands at.
    void ExpandTabs(int line, int offset, int count, std::string& out);

    // Geometry of the character cell grid (viewport coordinates).
    int GetLineHeight();
    int GetCharWidth();
    int GetMarginWidth() const { return m_bSelMargin ? 10 : 1; }
    int GetTopLine() const { return m_nTopLine; }
    int GetFirstColumn() const { return m_nOffsetChar; }
    int GetVisibleLines();
    int GetVisibleColumns();
    int GetMaxLineColumns();
    QPoint TextPosToPoint(QPoint pos);
    QPoint PointToTextPos(QPoint point);
    // The text position a click at the point gives: the nearer edge of the
    // character under it.
    QPoint ClickToTextPos(QPoint point);
    void InvalidateLineRange(int first, int last);
    // The base font and the font of a style (regular, italic, bold).
    QFont GetTextFont(bool italic, bool bold);

    // Scrolling.
    void ScrollToLine(int line, bool trackScrollBar = true);
    void ScrollToColumn(int column, bool trackScrollBar = true);
    void UpdateVertScrollBar(bool positionOnly = false);
    void UpdateHorzScrollBar(bool positionOnly = false);
    // While frozen, buffer changes do not recompute the horizontal scroll range.
    void SetHorzScrollBarFrozen(bool frozen) { m_bHorzScrollBarLocked = frozen; }
    void SetShowInactiveSelection(bool show);
    bool GetShowInactiveSelection() const { return m_bShowInactiveSelection; }

    // Caret movement; extend keeps the anchor and selects to the new caret.
    void MoveCharLeft(bool extend);
    void MoveCharRight(bool extend);
    void MoveWordLeft(bool extend);
    void MoveWordRight(bool extend);
    void MoveLineUp(bool extend);
    void MoveLineDown(bool extend);
    void MoveLineHome(bool extend);
    void MoveLineEnd(bool extend);
    void MovePageUp(bool extend);
    void MovePageDown(bool extend);
    void MoveTextStart(bool extend);
    void MoveTextEnd(bool extend);
    void ScrollLineUp();
    void ScrollLineDown();
    void SelectAllText();
    void CopySelection();
    QPoint WordStartFrom(QPoint pos);
    QPoint WordEndFrom(QPoint pos);

    // Mouse handling (viewport coordinates).
    void OnLButtonDown(Qt::KeyboardModifiers modifiers, QPoint point);
    void OnMouseMove(QPoint point);
    void OnLButtonUp(QPoint point);
    void OnLButtonDblClk(QPoint point);
    void OnRButtonDown(QPoint point);
    void OnTimer(int id);
    bool IsDragSelecting() const { return m_bDragSelection; }
    bool IsWordSelecting() const { return m_bWordSelection; }
    bool IsLineSelecting() const { return m_bLineSelection; }
    bool IsPreparingToDrag() const { return m_bPreparingToDrag; }
    // The shape the mouse pointer takes over a point.
    Qt::CursorShape CursorShapeAt(QPoint point);

    // Dragging this view's own selection.
    bool IsDraggingText() const { return m_bDraggingText; }
    void SetDraggedText(bool dragging, QPoint begin = QPoint(), QPoint end = QPoint());
    QPoint GetDraggedTextBegin() const { return m_ptDraggedTextBegin; }
    QPoint GetDraggedTextEnd() const { return m_ptDraggedTextEnd; }

    // Bookmarks.
    void OnToggleBookmark();
    void OnNextBookmark();
    void OnPrevBookmark();
    void OnClearAllBookmarks();
    void OnToggleNumberedBookmark(int id);
    void OnGoNumberedBookmark(int id);
    void OnClearNumberedBookmarks();
    bool IsBookmarkPresent() const { return m_bBookmarkExist; }
    // The status indicators' texts ("Ln 1, Col 1"; "DOS", "UNIX", "MAC").
    QString GetPositionIndicatorText();
    QString GetLineEndingIndicatorText();

    // Printing: the whole job on the printer (pages of its range), as the
    // print commands run it. False when nothing could be printed.
    bool PrintDocument(QPrinter& printer);
    int GetPrintPageCount() const { return m_nPrintPages; }
    const std::vector<int>& GetPrintPageStarts() const { return m_pnPages; }
    platform::Rect GetPrintTextRect() const { return m_rcPrintArea; }
    int GetPrintLineHeight() const { return m_nPrintLineHeight; }
    void OnFilePageSetup();
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();

    // Text search over the whole text or a block; flags of SourceFindFlags.
    bool FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found);
    bool FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd, uint32_t flags,
                     bool wrap, QPoint& found);
    bool SelectFoundText(QPoint start, int length);

protected:
    // Runs a command through the application's route, or this view's table
    // when no route takes it.
    void RunCommand(int id);
    // A command reached by a key: nothing when its update handler disables it.
    void RunKeyCommand(int id);
    // Extra painting over the rows (input-method text, drop indicator).
    virtual void PaintOverlay(QPainter& painter);
    // Runs the drag of the data with the allowed effects; the effect it ended with.
    virtual int DoDragDrop(std::unique_ptr<QMimeData> data, int allowedEffects);

    // Printing steps, in the order a job calls them.
    void OnBeginPrinting(QPrinter& printer);
    bool OnPrepareDC(int page);
    void OnPrint(QPainter& painter, QPrinter& printer, int page);
    void OnEndPrinting();
    void PaginateForPrint(QPrinter& printer);
    int MeasurePrintLine(QPrinter& printer, int line);

    bool event(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    VornaSourceTextBuffer* m_pTextBuffer = nullptr;
    QPoint m_ptCursorPos;
    QPoint m_ptAnchor;
    QPoint m_ptSelStart;
    QPoint m_ptSelEnd;
    QPoint m_ptDrawSelStart;
    QPoint m_ptDrawSelEnd;
    int m_nIdealCharPos = -1;
    int m_nTabSize = 4;
    int m_nTopLine = 0;
    int m_nOffsetChar = 0;
    int m_nLineHeight = -1;
    int m_nCharWidth = -1;
    int m_nScreenLines = -1;
    int m_nScreenChars = -1;
    int m_nMaxLineLength = -1;
    bool m_bCursorHidden = false;
    bool m_bSelMargin = true;
    bool m_bFocused = false;
    bool m_bHorzScrollBarLocked = false;
    bool m_bShowInactiveSelection = false;
    bool m_bDraggingText = false;
    QPoint m_ptDraggedTextBegin;
    QPoint m_ptDraggedTextEnd;

private:
    void RegisterCommands();
    void OnMoveCommand(int id);
    // The common ending of a caret move.
    void FinishMove(bool extend, bool keepIdealColumn = false);
    // Character and word moves collapse a selection without moving further.
    bool CollapseSelection(bool extend, bool toStart);
    void OrderSelection();
    bool IsInSelection(QPoint pos) const;
    void GoToLine(int line);
    LineState GetLineStateBefore(int line);
    void MeasureCharCell();
    void ResetFonts();
    // The selection a line selection with the mouse gives between the anchor
    // and the line under the mouse.
    void LineSelectionTo(QPoint point, QPoint& start, QPoint& end, QPoint& caret);
    void WordSelectionTo(QPoint pos, QPoint& start, QPoint& end, QPoint& caret);
    void StartDragSelection(bool words, bool lines);
    void StopDragSelection();
    void ScrollViewport(int dx, int dy, const QRect& area);
    void OnScrollBarAction(Qt::Orientation orientation, int action);
    void RestartCaretBlink();

    // A line whose colouring state is not known yet.
    static constexpr LineState UnknownLineState = 0xFFFFFFFFu;

    // Colour and width caches, one entry per line, -1 until computed.
    std::vector<LineState> m_pdwParseCookies;
    std::vector<int> m_pnActualLineLength;
    std::vector<ColorRun> m_aRunBuffer;
    QFont m_lfBaseFont;
    std::array<std::unique_ptr<QFont>, 4> m_apFonts;
    std::unique_ptr<SourceTextRenderer> m_renderer;

    bool m_bPreparingToDrag = false;
    bool m_bDragSelection = false;
    bool m_bWordSelection = false;
    bool m_bLineSelection = false;
    bool m_bBookmarkExist = false;
    QPoint m_ptLastMouse;
    QPoint m_ptMouseDown;

    // The caret as painted.
    bool m_bCaretShown = false;
    bool m_bCaretBlinkOn = true;
    QRect m_rcCaret;
    QBasicTimer m_caretBlink;
    bool m_bSettingScrollBars = false;

    // Printing state of one job.
    int m_nPrintPages = 0;
    std::vector<int> m_pnPages;
    std::unique_ptr<QFont> m_pPrintFont;
    int m_nPrintLineHeight = 0;
    bool m_bPrintHeader = false;
    bool m_bPrintFooter = true;
    platform::Rect m_ptPageArea;
    platform::Rect m_rcPrintArea;
};
