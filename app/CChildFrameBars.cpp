// The main frame's page bars inside the active page window: in with each
// activation at the layout every page window shares, out hidden with each
// deactivation.
#include "app/CChildFrame.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "chrome/ULOToolBar.h"

#include <QDataStream>
#include <QMainWindow>

namespace childframebars_detail {

// The bars of a page window, in the order they move: format, table,
// arrange/spacing, align/distribute, image, browser.
constexpr int kPageBars[] = {603, 607, 605, 604, 606, 610};

// The shared dock state: the names of the bars docked (not floating) when it
// was taken, then the window's own state.
constexpr quint32 kDockStateMagic = 0x50434644; // "PCFD"

struct DockState
{
    QStringList docked;
    QByteArray layout;
};

bool readDockState(const QByteArray& bytes, DockState& state)
{
    QDataStream in(bytes);
    quint32 magic = 0;
    in >> magic;
    if (magic != kDockStateMagic)
        return false;
    in >> state.docked >> state.layout;
    return in.status() == QDataStream::Ok;
}

} // namespace childframebars_detail

QList<ULOToolBar*> CChildFrame::PageBars() const
{
    QList<ULOToolBar*> bars;
    if (const CMainFrame* frame = CMainFrame::instance()) {
        for (int id : childframebars_detail::kPageBars) {
            if (ULOToolBar* bar = frame->toolBar(id))
                bars.append(bar);
        }
    }
    return bars;
}

void CChildFrame::MoveBarToFrame(ULOToolBar* bar, bool intoFrame)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!bar || !frame)
        return;
    if (intoFrame) {
        frame->removeToolBar(bar);
        m_inner->addToolBar(Qt::TopToolBarArea, bar);
    } else {
        m_inner->removeToolBar(bar);
        frame->addToolBar(Qt::TopToolBarArea, bar);
        bar->hide();
    }
}

bool CChildFrame::IsDockStateValid(const QByteArray& state) const
{
    childframebars_detail::DockState read;
    if (!childframebars_detail::readDockState(state, read) || read.docked.isEmpty())
        return false;
    for (const QString& name : read.docked) {
        const auto* bar = m_inner->findChild<QToolBar*>(name);
        if (!bar || bar->parentWidget() != m_inner)
            return false;
    }
    return true;
}

QByteArray CChildFrame::SaveDockState() const
{
    QStringList docked;
    for (const QToolBar* bar : m_inner->findChildren<QToolBar*>()) {
        if (bar->parentWidget() == m_inner && !bar->isFloating() && !bar->objectName().isEmpty())
            docked.append(bar->objectName());
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << childframebars_detail::kDockStateMagic << docked << m_inner->saveState();
    return bytes;
}

void CChildFrame::OnMDIActivate(bool activate, bool otherActivated)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    QWidget* shown = GetShownView();
    if (!activate) {
        // 3. The bars go, the layout they had is kept for every page window.
        // A window that closes put them away as its close began: hidden now,
        // they are not hidden by the user.
        if (!m_bClosing)
            ShowBarsForView(nullptr, shown);
        // 4. Back into the main frame.
        ReleaseBars();
        // 6. No page window after this one: the image browser goes.
        if (!otherActivated && frame->m_pImageBrowserBar && frame->m_pImageBrowserBar->isVisible())
            frame->m_pImageBrowserBar->hide();
        return;
    }
    // The keyboard goes to the shown view, also when the main window gets it back later.
    if (shown)
        shown->setFocus(Qt::OtherFocusReason);
    // 4. The bars come in.
    const QList<ULOToolBar*> bars = PageBars();
    for (ULOToolBar* bar : bars)
        MoveBarToFrame(bar, true);
    m_bBarsHere = true;
    // 5. The shared layout when every bar it docks is here, else the default rows.
    if (IsDockStateValid(frame->m_childFrameDockState)) {
        childframebars_detail::DockState state;
        childframebars_detail::readDockState(frame->m_childFrameDockState, state);
        m_inner->restoreState(state.layout);
        ShowBarsForView(shown, nullptr);
        return;
    }
    ShowBarsForView(shown, nullptr);
    // Format and table in the first row; arrange, align and image in the next.
    ULOToolBar* format = frame->toolBar(603);
    ULOToolBar* table = frame->toolBar(607);
    ULOToolBar* arrange = frame->toolBar(605);
    ULOToolBar* align = frame->toolBar(604);
    ULOToolBar* image = frame->toolBar(606);
    ULOToolBar* browser = frame->toolBar(610);
    for (ULOToolBar* bar : {format, table})
        m_inner->addToolBar(Qt::TopToolBarArea, bar);
    m_inner->addToolBarBreak(Qt::TopToolBarArea);
    for (ULOToolBar* bar : {arrange, align, image, browser})
        m_inner->addToolBar(Qt::TopToolBarArea, bar);
}

void CChildFrame::ReleaseBars()
{
    CMainFrame* frame = CMainFrame::instance();
    if (!m_bBarsHere || !frame)
        return;
    m_bBarsHere = false;
    frame->m_childFrameDockState = SaveDockState();
    for (ULOToolBar* bar : PageBars()) {
        if (bar->parentWidget() == m_inner)
            MoveBarToFrame(bar, false);
    }
}
