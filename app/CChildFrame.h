#pragma once

#include "platform/CommandTarget.h"

#include <QMdiSubWindow>
#include <QStringList>

class CZQDoc;
class CZQView;
class QMainWindow;

// The MDI child window of one page: a frame holding the page view, in which
// the page's own bars can dock.
class CChildFrame : public QMdiSubWindow, public platform::CommandTarget
{
    Q_OBJECT
public:
    explicit CChildFrame(CZQDoc* document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CZQView* GetActiveView() const { return m_view; }
    CZQDoc* GetDocument() const { return m_document; }
    // Whether the frame holds a frameset page.
    bool HasFrameset() const { return false; }
    // The names of the frameset's frames in order (empty for a plain page).
    QStringList FrameNames() const { return {}; }

    // Which of the three views of the page is shown.
    bool m_bEditShown = true;
    bool m_bPreviewShown = false;
    bool m_bSourceShown = false;
    // A close of this frame is in progress.
    bool m_bClosing = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateCaption();

    CZQDoc* m_document;
    QMainWindow* m_inner;
    CZQView* m_view;
};
