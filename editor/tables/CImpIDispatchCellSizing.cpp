#include "editor/CImpIDispatch.h"

// The end of an engine resize. Until the sizing of cells by their borders
// comes, the engine's resize stands as it is.
bool CImpIDispatch::OnResizeEnd()
{
    return false;
}
