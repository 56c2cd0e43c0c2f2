#pragma once

#include "editor/CImpIDispatch.h"

// While a handler of the sink waits for the user in a dialog or question:
// the page lets go of the mouse first, and the dialog's own event loop
// delivers nothing to the sink.
class SinkModalScope
{
public:
    explicit SinkModalScope(CImpIDispatch& sink) : m_sink(sink), m_before(sink.m_bInModalRun)
    {
        m_sink.ReleaseDocumentCapture();
        m_sink.m_bInModalRun = true;
    }
    ~SinkModalScope() { m_sink.m_bInModalRun = m_before; }
    SinkModalScope(const SinkModalScope&) = delete;
    SinkModalScope& operator=(const SinkModalScope&) = delete;

private:
    CImpIDispatch& m_sink;
    bool m_before;
};
