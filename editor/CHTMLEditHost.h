#pragma once

#include "engine/view/EventSink.h"

class CHtmlEditCntrItem;

// The edit host of a page: the engine hands it the box of every step of a
// move or resize of a positioned element, and it snaps the box to the grid.
// The page's container item makes and owns it.
class CHTMLEditHost : public engine::EditHost
{
public:
    explicit CHTMLEditHost(CHtmlEditCntrItem* owner);
    ~CHTMLEditHost() override;

    // SnapRect: the proposed border box (client coordinates) of one step.
    void snapRect(engine::Element* element, QRect& rect, int corner) override;

    CHtmlEditCntrItem* owner() const { return m_pOwner; }

    int m_nGridSize = 40; // pixels
    bool m_bSnap = false;
    int m_nReserved = 0;

private:
    CHtmlEditCntrItem* m_pOwner;
};
