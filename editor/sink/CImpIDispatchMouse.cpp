#include "editor/CImpIDispatch.h"

// The mouse on the page. Until the mouse editing comes, the engine presses,
// drags and selects as it would.

bool CImpIDispatch::OnMouseDown()
{
    return false;
}

bool CImpIDispatch::OnMouseMove()
{
    return false;
}

bool CImpIDispatch::OnMouseUp()
{
    return false;
}
