#pragma once

#include "platform/CommandTarget.h"

#include <QWidget>

class CChildFrame;
class CZQDoc;

// The page view of a child frame. It shows the page once the editing
// engine's page widget is in place; meanwhile it is a plain widget that keeps
// the selection-kind mask the command updates read.
class CZQView : public QWidget, public platform::CommandTarget
{
    Q_OBJECT
public:
    explicit CZQView(CZQDoc* document, QWidget* parent = nullptr);
    ~CZQView() override;

    CZQDoc* GetDocument() const { return m_document; }
    // The child frame that holds the view, or null.
    CChildFrame* GetParentFrame() const;
    // Whether the child frame shows the editing view.
    bool IsEditMode() const;

    // OLECMDF bits of an engine command: 1 supported, 2 enabled, 4 latched.
    // No engine command is available before the page engine is in place.
    quint32 QueryCommandStatus(int engineCommand) const;

    // The selection-kind mask the page's event sink rewrites.
    quint32 m_dwSelKind = 0;
    quint32 m_dwPrevSelKind = 0;

private:
    CZQDoc* m_document;
};
