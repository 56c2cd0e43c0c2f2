#pragma once

#include <QPointer>

class CZQView;

// One undo step for a command: opens an undo unit on the page view's event
// sink when made and closes it when it goes, on every way out. Without a
// view or a sink it does nothing. A view that goes away meanwhile takes its
// page and the open unit with it.
class SinkUndoUnit
{
public:
    explicit SinkUndoUnit(CZQView* view);
    ~SinkUndoUnit();
    SinkUndoUnit(const SinkUndoUnit&) = delete;
    SinkUndoUnit& operator=(const SinkUndoUnit&) = delete;

private:
    QPointer<CZQView> m_view;
    bool m_open = false;
};
