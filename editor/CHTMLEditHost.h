#pragma once

#include "engine/view/EventSink.h"

#include "platform/Hresult.h"

class CHtmlEditCntrItem;

// The edit host of a page: the engine hands it the box of every step of a
// move or resize of a positioned element with its own handles, and it snaps
// the box to the grid, keeps the element's proportions while Shift is held
// and pins an image whose map is being edited. The page's container item
// makes and owns it; the main frame's grid settings give it the grid.
class CHTMLEditHost : public engine::EditHost
{
public:
    explicit CHTMLEditHost(CHtmlEditCntrItem* item);
    ~CHTMLEditHost() override;

    // SnapRect: the proposed border box (client coordinates) of one step;
    // corner 0 for a move, 1..8 for the edge or corner dragged.
    void snapRect(engine::Element* element, QRect& rect, int corner) override;

    HRESULT GetSnap(bool& snap) const;
    HRESULT SetSnap(bool snap);
    HRESULT GetGridSize(int& size) const;
    HRESULT SetGridSize(int size);

    int m_nGridSize = 40; // pixels
    bool m_bSnap = false;
    // Width over height of the element of the current step; -1 while Shift is up.
    double m_dAspect = -1.0;

private:
    CHtmlEditCntrItem* m_pItem;
};
