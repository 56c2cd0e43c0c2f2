#include "editor/CImpIDispatch.h"

#include <exception>

// The small handlers of the page's events: the engine's move and resize
// gates, copy and paste, drops, control selection on table borders, the
// border cursor and the double click. Until their editing comes, each lets
// the engine act as it would.

bool CImpIDispatch::OnMove()
{
    return false;
}

bool CImpIDispatch::OnResizeStart()
{
    return false;
}

bool CImpIDispatch::OnKeyUp()
{
    return false;
}

bool CImpIDispatch::OnCopy()
{
    return false;
}

bool CImpIDispatch::Paste()
{
    // The editor pastes itself: the engine's own paste is cancelled when it did.
    try {
        return DoPaste();
    } catch (const std::exception&) {
        return false;
    }
}

bool CImpIDispatch::OnBeforeEditFocus()
{
    return false;
}

bool CImpIDispatch::OnSelectionChange()
{
    if (m_bIsTextDragMode)
        return false;
    UpdateSelectionState();
    UpdateFormatState();
    return false;
}

bool CImpIDispatch::OnDrop()
{
    return false;
}

bool CImpIDispatch::OnDragEnter()
{
    return false;
}

bool CImpIDispatch::OnControlSelect()
{
    return false;
}

bool CImpIDispatch::OnDblClick()
{
    return false;
}

bool CImpIDispatch::OnMouseOver()
{
    return false;
}
