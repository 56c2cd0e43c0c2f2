#include "editor/CImpIDispatch.h"

// The keys on the page. Until the keyboard editing comes, every key goes to
// the engine.
bool CImpIDispatch::OnKeyDown()
{
    return false;
}
