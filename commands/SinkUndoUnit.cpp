#include "commands/SinkUndoUnit.h"

#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"

SinkUndoUnit::SinkUndoUnit(CZQView* view) : m_view(view)
{
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    m_open = sink && sink->BeginUndoUnit() == S_OK;
}

SinkUndoUnit::~SinkUndoUnit()
{
    if (!m_open || !m_view)
        return;
    if (CImpIDispatch* sink = m_view->GetSink())
        sink->EndUndoUnit();
}
