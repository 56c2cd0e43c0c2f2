#pragma once

#include "frames/FrameSetHost.h"

#include "platform/CommandTarget.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QStringList>

class CZQDoc;
class CZQView;
class QMainWindow;

// The MDI child window of one page: a frame holding the page view, in which
// the page's own bars can dock. A frameset page keeps its frame tree here.
class CChildFrame : public QMdiSubWindow, public platform::CommandTarget, public FrameSetHost
{
    Q_OBJECT
public:
    explicit CChildFrame(CZQDoc* document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    // The pane view made active last, else the page view.
    CZQView* GetActiveView() const;
    CZQDoc* GetDocument() const { return m_document; }
    // Whether the frame holds a frameset page.
    bool HasFrameset() const { return m_frameTree.root != nullptr; }
    // The names of the frameset's frames in order (empty for a plain page).
    QStringList FrameNames() const { return m_frameNames; }
    // The view of the frameset page itself, or null for a plain page.
    CZQView* GetFramesetView() const;

    // FrameSetHost
    FrameTree& frameTree() override { return m_frameTree; }
    void activatePane(FramePane* pane) override;
    void setCaption(const QString& text) override;
    bool isFramesetModified() const override;
    void setFramesetModified() override;
    QString framesetCharset() const override;

    // Which of the three views of the page is shown.
    bool m_bEditShown = true;
    bool m_bPreviewShown = false;
    bool m_bSourceShown = false;
    // A close of this frame is in progress.
    bool m_bClosing = false;
    // The display names of the frame pages, in tree order (m_pFrameNames).
    QStringList m_frameNames;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updateCaption();

    CZQDoc* m_document;
    QMainWindow* m_inner;
    CZQView* m_view;
    QPointer<CZQView> m_activePane;
    FrameTree m_frameTree;
};
