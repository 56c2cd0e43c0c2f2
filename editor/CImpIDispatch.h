#pragma once

#include "engine/dom/Ref.h"
#include "engine/view/EventSink.h"

#include <QPoint>

#include <vector>

class CZQView;

namespace engine {
class Document;
class Element;
class PageView;
} // namespace engine

// A table cell of a cell range selection: (row, column), (-1, -1) for none.
struct CellPosition
{
    int row = -1;
    int column = -1;

    bool isSet() const { return row != -1 || column != -1; }
    bool operator==(const CellPosition&) const = default;
};

// Sets a cell position to (-1, -1): no cell.
void ResetCellPosition(CellPosition& cell);

// The event sink of one page view: every event of the page's document comes
// here and becomes editing behaviour. The sink also keeps the editing state
// that lives between events (the pending press, the cell range, the image-map
// editing of an image). The view creates one per engine document, advises it
// on the page view and keeps it until the view goes.
class CImpIDispatch : public engine::EventSink
{
public:
    CImpIDispatch(CZQView* view, engine::Document* docObject);
    ~CImpIDispatch() override;
    CImpIDispatch(const CImpIDispatch&) = delete;
    CImpIDispatch& operator=(const CImpIDispatch&) = delete;

    // Invoke: the engine's call for every event; true cancels the engine's
    // default action. Nothing runs while the page's child frame does not show
    // the editing view.
    bool invoke(int eventId, engine::EventObject& event) override;

    // Recomputes the view's selection-kind mask (m_dwSelKind) from the page's
    // selection, keeping the one before in m_dwPrevSelKind.
    void UpdateSelectionState();
    // The selection-kind bits of control-selected elements (in range order).
    static quint32 ControlSelectionBits(const std::vector<engine::Ref<engine::Element>>& elements);
    // Inserts the object the main frame's insertion state describes as an
    // absolutely positioned element at a point of the view's client area, as
    // one undo unit, and selects it. False when nothing was inserted.
    bool InsertPositionedObject(QPoint point);
    // Cancels a pending object insertion.
    void CancelInsertMode();
    // Releases a mouse capture held on the page.
    void ReleaseDocumentCapture();
    // Selects every positioned object of the page as one control selection.
    void SelectAllObjects();
    // The clean-up after the control selection was deleted.
    void DeleteSelection();
    // Whether the element under the current mouse event's point is BODY.
    bool IsOnBodyElement() const;
    // Adds the page's scroll position to a point of the view's client area
    // (client to page coordinates).
    void AddBodyScrollOffset(QPoint& point) const;
    // Leaves image-map editing.
    void ResetImageMapMode();
    // Takes the image-map painters off an IMG; 0, or -1 when the engine
    // reports one of them as not attached.
    int RemoveImageMapPainter(engine::Element* element);
    // Puts the "#" back in front of an IMG's usemap (before a save); 1 when no
    // element is given, else 0.
    int AddUsemapHash(engine::Element* element);
    // Takes the leading "#" off an IMG's usemap (while the page is edited).
    void RemoveUsemapHash(engine::Element* element);
    // Whether a cell range is held: anchor and current cell set and different.
    bool HasCellSelection() const;
    // Paints the cells of the held range as selected, the others not.
    void UpdateCellHighlight();

    CZQView* view() const { return m_pView; }

    // Editing state that the view and the document read.
    int m_nEditMode = 0;                      // 3: editing the image map of m_pMapImage
    engine::Ref<engine::Element> m_pMapImage; // the IMG last selected; image-map editing works on it
    CellPosition m_cellAnchor;                // the cell range: anchor and current end
    CellPosition m_cellCurrent;
    engine::Ref<engine::Element> m_pAnchorCell;
    engine::Ref<engine::Element> m_pCurrentCell;
    engine::Ref<engine::Element> m_pSelTable;
    QPoint m_ptDown{-1, -1}; // the press of the editor's own; (-1, -1) when none
    // The selection-kind mask changed at the last UpdateSelectionState.
    bool m_bSelectionChanged = false;

private:
    engine::PageView* pageView() const;

    CZQView* m_pView;
    engine::Document* m_pDocObject; // the view's engine document (not counted)
};
