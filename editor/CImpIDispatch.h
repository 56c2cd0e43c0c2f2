#pragma once

#include "engine/dom/Ref.h"
#include "engine/editing/TextRange.h"
#include "engine/view/EventSink.h"

#include "platform/Hresult.h"
#include "platform/Rect.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class CHTMLPainterCell;
class CHTMLPainterImageMap;
class CZQView;
enum class AreaShape;
class QCursor;
class QObject;
class RubberBandOverlay;

namespace engine {
class Document;
class Element;
class Geometry;
class MarkupPointer;
class PageView;
class Variant;
} // namespace engine

// A table cell of a cell range selection: (row, column) on the table's grid,
// (-1, -1) for none.
struct CellPosition
{
    int row = -1;
    int column = -1;

    bool isSet() const { return row != -1 || column != -1; }
    bool operator==(const CellPosition&) const = default;
};

// Sets a cell position to (-1, -1): no cell.
void ResetCellPosition(CellPosition& cell);
bool PointPairEquals(const CellPosition& a, const CellPosition& b);

// The bands of the column border and of the row border under the mouse.
struct BorderZone
{
    int xFrom = 0;
    int xTo = 0;
    int yFrom = 0;
    int yTo = 0;
};

// The cell painter's attachments by the grid place of the cell they paint:
// beside each cookie the cell it was attached to, so that a removal never
// touches another element.
struct CellCookieTable
{
    static constexpr int kRows = 256;
    static constexpr int kColumns = 256;
    struct Slot
    {
        int cookie = 0;
        engine::Ref<engine::Element> cell;
        quint32 pass = 0; // the highlight update that last kept it
    };
    std::array<Slot, kRows * kColumns> entries;
    std::vector<int> held; // indexes of the slots with a cookie
    quint32 pass = 0;

    Slot& at(int row, int column) { return entries[size_t(row) * kColumns + size_t(column)]; }
    static bool fits(int row, int column) { return row >= 0 && row < kRows && column >= 0 && column < kColumns; }
};

// The editing state the event sink keeps between a page's events: the pending
// press, the area and cell selections, the table-border sizing, the image-map
// editing, the drags. A page loaded again into the same document starts from
// these initial values, as a new sink would.
struct CImpIDispatchState
{
    // --- area selection
    bool m_bIsAreaSelectMode = false; // an area-selection rectangle is being dragged
    QPoint m_ptDown{-1, -1};          // its anchor (client point); the press of the editor's own
    QPoint m_ptLast;                  // its moving corner
    // --- insertion and drops
    bool m_bDropPending = false;        // the next selection change positions a dropped object
    bool m_bHrDefaultWidth = true;      // a rule being inserted gets the default width
    bool m_bMarqueeDefaultWidth = true; // a MARQUEE being inserted gets the default width
    // --- cell range selection
    bool m_bCellDragSelect = false; // a cell range is being dragged
    CellPosition m_cellAnchor;      // where the range began
    CellPosition m_cellCurrent;     // its current end
    engine::Ref<engine::Element> m_pAnchorCell;
    engine::Ref<engine::Element> m_pCurrentCell;
    engine::Ref<engine::Element> m_pSelTable;
    bool m_bCellRangeRectangular = false;           // no cell crosses an edge of the range
    std::unique_ptr<CellCookieTable> m_cellCookies; // made at the first highlight
    // --- table border sizing
    bool m_bLButtonDown = false; // a table border drag is under way
    QPoint m_ptDown2{-1, -1};    // start and latest place of the dragged border line
    QPoint m_ptMove2{-1, -1};
    engine::Ref<engine::Element> m_pSizingCell;  // the cell on the near side of the border
    engine::Ref<engine::Element> m_pSizingTable; // the TABLE whose cell borders can be dragged
    int m_nTableBorder = 0;                      // its border (1 when empty)
    int m_nTableCellSpacing = 0;                 // its cellSpacing (2 when empty)
    bool m_bOnColumnBorder = false;
    bool m_bOnRowBorder = false;
    bool m_bOnTableEdge = false; // that border is the table's right or bottom edge
    bool m_bIsRowSelectionMode = false;
    bool m_bIsColSelectionMode = false;
    QPoint m_ptMouse; // current and previous mouse-move points (client)
    QPoint m_ptMousePrev;
    BorderZone m_borderZone;
    bool m_bRightClickInCells = false; // the right button went down inside the held range
    // --- drops, clipboard, Ctrl+drag copy
    QPoint m_ptDrop;
    bool m_bInCopy = false;
    bool m_bIsDragPasteMode = false;
    QPoint m_ptDragPasteStart;
    QPoint m_ptDragPasteSaved;
    // --- mouse editing
    bool m_bMoving = false;    // from a mouse-down to the next mouse-up: engine moves are allowed
    bool m_bInserting = false; // an insertion drag is under way
    QPoint m_ptInsert{-1, -1};
    std::vector<QPoint> m_pastePoints;
    bool m_bAllowControlSelect = false; // lets the next control selection on a border through
    QPoint m_ptDragEnter;
    // --- image-map editing
    bool m_bAreaEdit = false; // the button went down on the image or one of its areas
    bool m_bNoMove = false;   // the button went down on an AREA: moves move it; also forbids engine moves
    bool m_bAreaDraw = false; // the polygon being drawn has its first vertex
    int m_nNextMapNumber = 0; // the number tried next for a new map's name; only grows
    // The painters of m_areaPainters that stand for the map's areas; one
    // beyond them paints the area being drawn.
    int m_nMapAreaCount = 0;
    // 0 none, 1 image ready, 2 area selected, 3 drawing a new area, 5 dragging
    // a handle or vertex (which also forbids engine moves).
    int m_nEditMode = 0;
    int m_nAreaHandle = 0;                    // the handle or vertex being dragged
    QPoint m_ptAreaDrag{0, 0};                // client point of the last step of a whole-area move
    QPoint m_ptMouseDown{0, 0};               // client point of the last left press
    QPoint m_ptImageOrigin;                   // the edited IMG's top-left, page coordinates
    platform::Rect m_rcAreaRubber;            // the rect or circle being drawn, image coordinates
    platform::Rect m_rcMapImage;              // the edited IMG's box, page coordinates
    engine::Ref<engine::Element> m_pMapImage; // the IMG last selected
    std::vector<int> m_areaCoords;            // the selected area's numbers before its drag
    // The AREA selected last: an area without an id is found by it.
    engine::Ref<engine::Element> m_pSelectedArea;
    // --- drag move and handle resize
    bool m_bIsDragMoveMode = false;
    QPoint m_ptScroll; // the latest drag step, repeated by the auto-scroll timer
    std::vector<QPoint> m_dragOffsets;
    QSize m_sizeDragBounds;
    QPoint m_ptDragGrip;
    bool m_bUndoUnitOpen = false;
    int m_nSizeHandle = 0; // handle code; 2 or more while a resize is under way
    std::vector<QPoint> m_movePoints;
    std::vector<QSize> m_moveSizes;
    double m_dAspectRatio = -1.0;
    bool m_bIsTextDragMode = false; // a text drag or a caret key runs: most handlers do nothing
    bool m_bPressedMarquee = false;
    // --- a row of the site list dragged onto the page: the text selected when the drag began
    std::optional<engine::TextRange> m_keptRange;
};

// The event sink of one page view: every event of the page's document comes
// here and becomes editing behaviour. It keeps the editing state that lives
// between events (CImpIDispatchState). The view makes one when it makes its
// engine, advises it on the page and keeps it until the view goes.
class CImpIDispatch : public engine::EventSink, public CImpIDispatchState
{
public:
    CImpIDispatch(CZQView* view, engine::Document* docObject);
    ~CImpIDispatch() override;
    CImpIDispatch(const CImpIDispatch&) = delete;
    CImpIDispatch& operator=(const CImpIDispatch&) = delete;

    // ---- dispatch
    // The engine's call for every event; true cancels its default action.
    bool invoke(int eventId, engine::EventObject& event) override;
    // Sends an event to its handler while the view shows the editing view:
    // S_OK, S_FALSE (1) when the handler cancelled the event (then *result,
    // when given, is false), or the page-load completion's own result.
    HRESULT Invoke(int dispId, engine::Variant* result);

    // ---- the event handlers (each reads the current event itself; true cancels)
    bool OnMove();
    bool OnResizeStart();
    bool OnResizeEnd();
    bool OnKeyDown();
    bool OnKeyUp();
    bool OnCopy();
    bool Paste();
    bool OnMouseDown();
    bool OnMouseMove();
    bool OnMouseUp();
    bool OnBeforeEditFocus();
    bool OnSelectionChange();
    // Makes an object of the page absolutely positioned where it stands (one step of the undo unit open).
    void KeepPlaceAsPositioned(engine::Element* element);
    bool OnDrop();
    bool OnDragEnter();
    bool OnControlSelect();
    bool OnDblClick();
    bool OnMouseOver();
    // The mouse capture ended without a release: every drag ends.
    bool OnLoseCapture();

    // ---- page primitives
    // The current event's point (client coordinates); -1 when there is no event.
    HRESULT GetEventPoint(QPoint& point) const;
    // The element at a client point; -1 when there is none.
    HRESULT GetElementFromPoint(QPoint point, engine::Ref<engine::Element>& element) const;
    // Whether the element under the current event's point is BODY.
    bool IsOnBodyElement() const;
    // 0 when the element at the point has the tag, else -1; the element found
    // is handed out either way (null when none).
    HRESULT IsElementWithTagAtPoint(QPoint point, engine::Ref<engine::Element>& element, const QString& tag) const;
    // The current event's button; true when it is 1, 2 or 3.
    bool IsEventButtonDown(int& button) const;
    // The rectangle spanned by two points.
    static platform::Rect& NormalizeRect(platform::Rect& rect, QPoint a, QPoint b);
    void HideCaret();
    void ReleaseDocumentCapture();
    // Client coordinates to page coordinates (the view's scroll position added).
    void AddBodyScrollOffset(QPoint& point) const;
    void AddBodyScrollOffsetToRect(platform::Rect& rect) const;
    void SubtractBodyScrollOffsetFromRect(platform::Rect& rect) const;
    // Whether a cell range is held: a current cell, other than the anchor.
    bool HasCellSelection() const;
    // One undo unit of the page around a compound edit; -1 without a page.
    HRESULT BeginUndoUnit();
    HRESULT EndUndoUnit();
    // Whether the engine edits text at the selection: a caret or text
    // selection inside a TABLE or MARQUEE, or a MARQUEE selected while an
    // input method composes.
    bool IsTextEditContext() const;
    // The TABLE, else the MARQUEE, around the element (else the element at
    // the point when it is not (-1, -1), else the selected element).
    bool FindTableOrMarquee(QPoint point, engine::Element* element, QString* tag,
                            engine::Ref<engine::Element>* found) const;
    // A rectangle in the view's client coordinates moved into the client
    // coordinates of its child frame, where the rubber bands are drawn.
    void ViewRectToFrameClient(platform::Rect& rect, QPoint* origin = nullptr) const;
    // Ends a pending insertion tool of the main frame.
    void CancelInsertMode();
    // Leaves image-map editing.
    void ResetImageMapMode();
    // Takes the image-map painters off an IMG; 0, or -1 when the page
    // reports one of them as not attached.
    int RemoveImageMapPainter(engine::Element* element);
    // Takes the leading "#" off an IMG's usemap while the page is edited: 0
    // for an IMG, 1 for none or another element.
    int RemoveUsemapHash(engine::Element* element);
    // Puts the "#" back in front of an IMG's usemap (before a save); 1 when no
    // element is given, else 0.
    int AddUsemapHash(engine::Element* element);

    // ---- image-map editing
    // The operations below answer the mouse handlers with -1 (end the handler
    // and cancel the engine's default action), 1 (end it and leave the event
    // to the engine) or 0 (go on).
    // The image-map steps of a left press on an element: the press point,
    // the end of a drawing tool pressed outside its image, a handle of the
    // selected area, the end of the previous image's editing, the selection of
    // a pressed area or the map of a pressed image; the page takes the mouse
    // while an area is selected, drawn or dragged.
    int ImageMapMouseDown(engine::Element* element);
    // The steps of a mouse move: the handle drag, then the whole-area move.
    int ImageMapMouseMove();
    // The steps of a mouse-up with the element under the press point: an
    // area's edit or a new area is written.
    int ImageMapMouseUp(engine::Element* element);
    // Reads the map of a pressed IMG into one painter per area (a poly tool's
    // press adds a vertex first). 1 when nothing was done or an area's list
    // was too short (the rest of the map is then not read); else 0.
    int BeginImageMapEdit(engine::Element* element);
    // The IMG whose usemap names the map of an AREA; null otherwise.
    void GetImageOfArea(engine::Element* area, engine::Ref<engine::Element>& image) const;
    // A press while a drawing tool is active: outside the edited image it
    // ends the editing (-1); on an area inside it gives up the tool (0).
    int LeaveImageMapOnOutsidePress(engine::Element* element);
    // Selects a pressed AREA (its map read again first); -1 when its list is
    // too short for its shape.
    int SelectImageMapArea(engine::Element* area);
    // Deletes one area of an image's map with its painter, and the MAP and
    // the image's usemap with the map's last area, as one undo step. 0 when
    // the area went, 1 otherwise.
    int RemoveImageMapOfImage(engine::Element* image, const QString& areaId);
    // ---- image-map gestures
    // A press while an area is selected: 1 when it hit one of its handles
    // (the handle drag begins), 0 when not (an area whose list is too short
    // has no handles).
    int BeginAreaHandleDrag(engine::Element* element);
    // The size cursor over the selected rect's or circle's handles.
    int SetAreaHandleCursor();
    // A move during a handle drag reshapes the selected area: 1, or -1
    // without its painter or with a list too short.
    int DragAreaHandle();
    // A move after a press on an AREA moves it as a whole: 1, or -1 without
    // the pressed area or with a list too short.
    int MoveImageMapArea();
    // A move with a drawing tool: the crosshair over the image, and after a
    // press the new area follows the mouse. 0.
    int TrackNewArea();
    // ---- image-map writing
    // The mouse-up that ends drawing a rect or circle: asks for its link and
    // writes it. 1 with the poly tool (the polygon goes on); -1 when the area
    // has too few numbers; else 0.
    int CommitNewArea(engine::Element* element);
    // The double click that closes a polygon being drawn: asks for its link
    // and writes it. 0.
    int ClosePolygonArea(engine::Element* image);
    // The mouse-up that ends a drag of the selected area: its new coords are
    // written, or, when it left the image, the user is asked whether to
    // delete it. -1 when the image has no usemap or the list is too short.
    int CommitAreaEdit(engine::Element* element);
    // Whether one of the dragged area's key points lies on its image.
    bool AreaTouchesImage(const QString& shape) const;
    // Puts a list back into the selected area's painter when it fits its
    // shape (circle 3, rect 4, poly more than 2 numbers).
    bool RestoreAreaCoords(const std::vector<int>& list);

    // ---- keyboard editing
    // The caret keys in a text container (Left, Right, Up, Down, Home, End):
    // 0 when the sink handled the key or it must be swallowed (the caret
    // stays in its container), 1 when the engine may move the caret.
    int HandleCaretKey(engine::Document* doc, int key, bool shift, bool ctrl);
    // A markup pointer at the caret; -1 without one.
    HRESULT MovePointerToCaret(engine::Document* doc, engine::MarkupPointer& pointer);
    // F2 in a text box or marquee: the TABLE, else the MARQUEE, at a client
    // point selected as an object.
    void SelectObjectAtCaret(int x, int y);

    // ---- table cell sizing by dragging borders
    // Which border of the hovered table (m_pSizingTable, with its border and
    // spacing) a client point is on: sets the border flags, the sizing cell
    // and the border's band.
    void HitTestCellBorder(int x, int y);
    // The widths of the two columns beside the dragged border (dx to the
    // right) or the heights of the two rows (dy down), as one undo step.
    void ResizeColumnByDrag(int dx);
    void ResizeRowByDrag(int dy);
    // The sizing cell's grid column (percentage widths of the table become
    // pixels on the way) and row; -1 when it is not in the table.
    int GetSizingCellColumn();
    int GetSizingCellRow();
    // The heights of a row and the next fixed at their laid-out pixels.
    void FixRowHeights(int row);
    // A rule resized by the engine: its thickness and width as attributes.
    void ResizeEndRule(engine::Element* rule);

    // ---- table cell range
    // The cell's grid place in the selected table (its last covered row and
    // column when asked); -1 when it is not one of that table's cells.
    HRESULT GetCellGridPosition(engine::Element* cell, int& row, int& column, bool lastCovered);
    // The range's inclusive grid rectangle; false when no range is held.
    bool GetSelectedCellIndices(int& left, int& top, int& right, int& bottom) const;
    // The range's TABLE, or the TABLE around the text selection.
    HRESULT GetSelectedTable(engine::Ref<engine::Element>& table) const;
    // Paints the cells of the range as selected and no other cell.
    void UpdateCellHighlight();
    // Drops the range and its highlight.
    void ClearCellRange();
    HRESULT SelectControlElement(engine::Element* element);
    HRESULT SelectElementAtPoint(QPoint pagePoint, engine::Ref<engine::Element>* element = nullptr);
    void SetDocumentCapture();
    // The caret at the start of a text box's first cell or of a MARQUEE's text.
    HRESULT PlaceCaretInObject(int x, int y, engine::Element* element, CZQView* view);

    // ---- selection and format state
    // Recomputes the view's selection-kind mask (m_dwSelKind), keeping the one
    // before in m_dwPrevSelKind.
    void UpdateSelectionState();
    // Recomputes the view's format mask and the main frame's font name and
    // size; 1 without a view.
    int UpdateFormatState();
    // The selection-kind bits of control-selected elements (in range order).
    static quint32 ControlSelectionBits(const std::vector<engine::Ref<engine::Element>>& elements);

    // ---- insertion of positioned objects
    // Inserts the object the main frame's insertion state describes as an
    // absolutely positioned element at a point of the view's client area (the
    // page of the frame pane under it, for a frames page), as one undo unit,
    // selects it and puts the tool away. The point comes back as a page point
    // of that page. 1 when no page lies under the point (the tool is put
    // away), else the result of selecting the new element.
    HRESULT InsertPositionedObject(QPoint& point);
    // Makes the first control-selected element (one the engine dropped)
    // absolutely positioned at the last drop point.
    void PositionDroppedControl();

    // ---- select all, delete, content extent
    // Selects every positioned object of the page, nested ones too, keeping
    // the objects already selected.
    void SelectAllObjects();
    // Deletes the control-selected objects (with a link they fill and an
    // image map no other image uses) and cleans up after them, as one undo
    // step: the roll-over script when no roll-over image is left, a body left
    // with only an empty paragraph, the selection.
    void DeleteSelection();
    // Empties the cells of the cell range, keeping their formatting tags.
    void ClearSelectedCells();
    // How far the page's tables, images and embedded objects reach.
    QSize GetContentExtent();

    // ---- moving and resizing positioned objects
    // Moves (or with Shift, mask 4, resizes) the control-selected objects by
    // an arrow key (37..40): one grid step, or one pixel with Ctrl (mask 2)
    // or without the grid; one undo step.
    void NudgeSelection(int keyCode, int modifiers);
    // The sizing handle of a rectangle (grown by 7 pixels) under a point: 0
    // outside, 1 inside, else 2 top, 4 bottom, 8 left, 16 right or a corner's sum.
    static int HitTestHandle(const platform::Rect& rect, QPoint point);
    // Starts a resize by a handle at a client point; true when one was hit.
    bool BeginHandleResize(int x, int y);
    // One step of the resize: every selected object follows the pointer.
    void ResizeByHandle(int x, int y);
    // An element's size in pixels; -1 when nothing could be read.
    int GetPixelWidth(engine::Element* element);
    int GetPixelHeight(engine::Element* element);

    // ---- dragging the selection, with auto-scroll
    // The element's rectangle from its offsets (page coordinates).
    platform::Rect GetObjectRect(engine::Element* element);
    // The visible client area.
    platform::Rect GetVisibleRect();
    // The press of a drag move at a client point: 1 when it hit an object
    // that will be dragged (the control selection, or the object under it).
    int BeginDragMove(int x, int y);
    // One step of the drag move to a client point; starts the auto-scroll timer.
    void DragMoveSelection(int x, int y);
    // The auto-scroll timer: its target (the sink owns it) and its end.
    static constexpr int kAutoScrollTimerId = 3053;
    QObject* autoScrollTimerTarget();
    void KillAutoScrollTimer();

    // ---- area selection
    // Adds every positioned object wholly inside a page rectangle to the
    // control selection.
    void SelectObjectsInRect(const platform::Rect& rect);

    // ---- text selection by dragging in text containers
    int BeginTextDragSelection(int x, int y);
    int ExtendTextDragSelection();
    int EndTextDragSelection();
    // The caret at a client point; -1 without a page.
    HRESULT MoveCaretToPoint(QPoint point, engine::Document* doc);

    // ---- paste of HTML fragments
    // Appends the clipboard's HTML (or text) to the page, its positioned
    // objects shifted off the objects they would cover and renumbered above
    // them, and selects them. True when something was pasted.
    bool DoPaste();
    // The first positioned object whose offsets are (left, top); -1 without one.
    HRESULT FindPositionedElementAt(int left, int top, engine::Ref<engine::Element>& element);
    // Selects the objects standing at the points of the last paste or copy.
    void SelectPastedElements();

    // ---- copy by Ctrl+drag
    // The outlines of the copies at a client point (those drawn before go).
    void DrawDragPasteOutlines(QPoint point);
    // Copies the selected objects to where the outlines stand.
    void DragPaste();

    CZQView* view() const { return m_pView; }
    CHTMLPainterCell* cellPainter() const { return m_pCellPainter.get(); }

    // The selection-kind mask changed at the last UpdateSelectionState.
    bool m_bSelectionChanged = false;
    // A dialog of the image-map editor is open: its event loop sends the
    // sink nothing.
    bool m_bInModalRun = false;

private:
    // ---- key helpers
    // The keys of the two regimes: in a text box or marquee, and elsewhere.
    bool TextEditKeyDown(const engine::EventObject& event);
    bool ObjectKeyDown(const engine::EventObject& event);
    // From the edge of a cell of an ordinary table, a step at a time in the
    // key's direction: 1 when a neighbouring cell of the table comes first.
    int NeighbourCellBeyond(engine::Element* container, engine::MarkupPointer& pointer, bool left);

    // ---- mouse helpers
    // The page's event under way; null between events.
    const engine::EventObject* CurrentEvent() const;
    // The engine's command 2420: on while the sink shows its own cursor.
    void SetCursorOverride(bool on);
    void ShowOwnCursor(const QCursor& cursor);
    // The press's steps: the positioned object under a plain click selected;
    // a press in a hovered border's band takes hold of it; whether a right
    // press inside the cell range keeps it (any other press drops it).
    void SelectObjectUnderPress(engine::Element* element, QPoint p, bool shift);
    void StartBorderDrag(QPoint p);
    bool KeepsCellRangeAtPress(engine::Element* element, QPoint p, int button);
    // The moves' steps: the undo unit of a drag opened at its first move;
    // the cursor for the pointer (true when it is the sink's own; `result`
    // -1 or 1 ends the handler); the insertion rectangle and the cell range
    // following the pointer.
    void OpenDragUndoUnit();
    bool ChooseMoveCursor(QPoint p, int& result);
    void TrackInsertRect(QPoint p);
    void ExtendCellRange(QPoint p);
    // The release's steps. `select`/`apply` false: the drag is dropped, its
    // shapes removed, nothing made of it.
    void EndAreaSelection(bool select);
    void CommitInsertion(QPoint p);
    void EndBorderDrag(QPoint p, bool apply);
    void ClearBlankCellAtCaret();
    void EndDragMoveOrResize(std::optional<QPoint> p);
    // Whether one of the sink's drags is under way.
    bool DragUnderWay() const;
    // The click that ends a drag move without moving: the caret at the
    // point when it lies in a text container of the one selected object.
    void EnterTextAtClick(QPoint point);
    // The child frame's overlay, and the shapes drawn on it (each drawn a
    // second time goes): the insertion rectangle and the area-selection band
    // (view client coordinates), the line of the dragged border at a point.
    RubberBandOverlay* FrameOverlay() const;
    void ToggleInsertRect(const QRect& rect);
    void ToggleAreaRect(QPoint a, QPoint b);
    void ToggleBorderLine(QPoint at);
    void ClearOverlay();
    // The cursor of an insertion tool at a client point; false for a tool
    // without one.
    bool InsertToolCursor(int tool, QPoint point, QCursor& cursor) const;
    // Whether the picture to insert is a picture frame and the pointer
    // stands over an image of a local file it can frame.
    bool PictureFrameTargetAt(QPoint point) const;

    // ---- image-map helpers
    // Writes an IMG's usemap as the editor's bookkeeping of its "#": no undo
    // step, no change mark.
    static void SetUsemapQuietly(engine::Element* image, const QString& usemap);
    // The page box of an IMG: its top-left and its rectangle.
    bool ReadImageBox(engine::Element* image, QPoint& origin, platform::Rect& rect);
    QPoint PagePointOf(QPoint client) const;
    // The painter of the selected area: by its id, or by its AREA when it has none.
    std::shared_ptr<CHTMLPainterImageMap> SelectedAreaPainter() const;
    // The painter of the area being drawn: the last one, when it stands for
    // no AREA yet.
    std::shared_ptr<CHTMLPainterImageMap> NewAreaPainter() const;
    // A new painter appended to the view's list and attached to the image.
    std::shared_ptr<CHTMLPainterImageMap> AddAreaPainter(const QString& id, const QString& shape, int state,
                                                         const std::vector<int>& coords);
    // Takes a painter off the image and out of the view's list.
    void DropAreaPainter(const std::shared_ptr<CHTMLPainterImageMap>& painter);
    // Selects the page's control range again so that the engine redraws it.
    void ReselectControlRange();
    // Asks for the link of a new area; false when the user cancelled.
    bool AskForAreaLink(QString& url, QString& target);
    // The first "ULOMap<n>" no MAP of the page is named, n counting on.
    QString NextMapName();
    // Writes a new area of the shape into the image's map (a new one when it
    // has none), as one undo step; -1 when the list is too short for it.
    int WriteNewArea(engine::Element* image, AreaShape shape, const QString& url, const QString& target);
    // The end of a drawing tool: the mode, the tool, the shape, the insertion.
    void EndAreaTool(int editMode);

    engine::PageView* pageView() const;
    // The control selection of the sink's page, when there is one.
    std::vector<engine::Ref<engine::Element>> controlSelection() const;
    // Sets the page document's changed flag.
    void SetPageChanged();
    // The engine document of the view (the one given when there is no view).
    engine::Document* document() const;
    // Back to the initial state after the page was loaded again.
    void ResetPageState();

    CZQView* m_pView;
    engine::Document* m_pDocObject; // the view's engine document (not counted)
    std::shared_ptr<CHTMLPainterCell> m_pCellPainter;
    std::unique_ptr<QObject> m_pAutoScrollTarget;
    // Where the press of a text drag put the caret: the anchor of its selections.
    std::unique_ptr<engine::MarkupPointer> m_pTextDragAnchor;
};

// The auto-scroll timer's procedure: repeats the sink's last drag step while
// a drag move lasts.
void ULODocEventAutoScrollTimerProc(CImpIDispatch* sink);

// The sound of a key typed in a text box or marquee (a file of the sound
// folder): Delete and Backspace, Enter, other keys; empty for the keys that
// type nothing (Tab, Esc, the modifiers, F1-F24) and for Ctrl held.
QString TypingSoundOf(int keyCode, bool ctrl);
// Tab in a cell of an ordinary table: the caret to the start of the next
// cell, or the table selected after its last cell. 1 when the caret stood
// in a cell, else 0.
int MoveCaretToNextCell(CImpIDispatch& sink);
// The caret at the start of a cell.
void MoveCaretToCell(CZQView* view, engine::Element* cell);

// Every cell's laid-out width, rows and cells in order.
void CollectCellClientWidths(engine::Element* table, engine::Geometry& geometry, std::vector<int>& widths);
// A table's width and every cell's width fixed at their laid-out pixels.
void FreezeTableWidths(engine::Element* table, engine::Geometry& geometry);

// The text container of an element: the element itself or its nearest TD,
// else MARQUEE, else CAPTION (no higher than BODY). 0 with it in `element`,
// -1 with `element` unchanged.
HRESULT FindTextContainer(engine::Ref<engine::Element>& element);
