#include "chrome/CMDIClientHook.h"
#include "chrome/CMainFrameHook.h"
#include "chrome/CMenuBar.h"
#include "skins/FrameActivation.h"

#include <QApplication>
#include <QChildEvent>
#include <QEvent>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

bool CMainFrameHook::WindowProc(QEvent* event)
{
    auto* frame = qobject_cast<QMainWindow*>(hookedWindow());
    switch (event->type()) {
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
        UpdateActivation();
        break;
    case QEvent::ApplicationFontChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        m_pMenuBar->RefreshMetrics();
        break;
    case QEvent::Resize:
        m_pMenuBar->RecalcLayout();
        break;
    case QEvent::LayoutRequest:
        // The frame lays its bars out first; then the rows are checked.
        CallNextProc();
        if (frame && !m_bApplyingRowRule) {
            m_bApplyingRowRule = true;
            ApplyDockRowRule(frame);
            m_bApplyingRowRule = false;
        }
        return true;
    default:
        break;
    }
    return CSubclassWnd::WindowProc(event);
}

void CMainFrameHook::OnAttachChanged(QObject*, QObject* current)
{
    // The active window may change to or from one of the frame's floating
    // bars without the frame's own activation changing.
    if (current)
        connect(qApp, &QGuiApplication::focusWindowChanged, this, &CMainFrameHook::UpdateActivation,
                Qt::UniqueConnection);
}

void CMainFrameHook::UpdateActivation()
{
    if (const auto* frame = qobject_cast<const QWidget*>(hookedWindow()))
        m_pMenuBar->OnFrameActivation(FrameLooksActive(frame));
}

int CMainFrameHook::BarId(const QObject* bar)
{
    const QString name = bar ? bar->objectName() : QString();
    if (!name.startsWith(QLatin1String("bar_")))
        return 0;
    return name.mid(4).toInt();
}

void CMainFrameHook::ApplyDockRowRule(QMainWindow* frame)
{
    const QList<QToolBar*> bars = frame->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly);
    const auto docked = [frame](const QToolBar* bar) {
        return bar->isVisibleTo(frame) && !bar->isFloating() && frame->toolBarArea(bar) != Qt::NoToolBarArea;
    };
    for (QToolBar* bar : bars) {
        if (BarId(bar) < CMenuBar::kMenuBarId || !docked(bar))
            continue;
        const Qt::ToolBarArea area = frame->toolBarArea(bar);
        const bool horizontal = area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
        const auto row = [horizontal](const QToolBar* b) { return horizontal ? b->y() : b->x(); };
        const auto along = [horizontal](const QToolBar* b) { return horizontal ? b->x() : b->y(); };
        bool first = true;
        QToolBar* next = nullptr;
        for (QToolBar* other : bars) {
            if (other == bar || !docked(other) || frame->toolBarArea(other) != area || row(other) != row(bar))
                continue;
            if (along(other) < along(bar))
                first = false;
            else if (!next || along(other) < along(next))
                next = other;
        }
        if (!first)
            frame->insertToolBarBreak(bar);
        if (next)
            frame->insertToolBarBreak(next);
    }
}

bool CMDIClientHook::WindowProc(QEvent* event)
{
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved ||
        event->type() == QEvent::ChildPolished) {
        // A page window made with the area as its parent is not one yet when
        // it is added: it is looked at once built. A child removed may be
        // one being destroyed, which no guard can follow: it is left alone.
        if (event->type() != QEvent::ChildRemoved) {
            const QPointer<QObject> added = static_cast<QChildEvent*>(event)->child();
            QTimer::singleShot(0, m_pMenuBar, [this, added] {
                if (auto* child = qobject_cast<QMdiSubWindow*>(added.data()))
                    WatchChild(child);
            });
        }
        // The page window settles first (its state, its activation).
        QTimer::singleShot(0, m_pMenuBar, [bar = QPointer<CMenuBar>(m_pMenuBar)] {
            if (bar)
                bar->UpdateMaximizedChild();
        });
    }
    return CSubclassWnd::WindowProc(event);
}

void CMDIClientHook::WatchChild(QMdiSubWindow* child)
{
    if (!child)
        return;
    QObject::connect(child, &QMdiSubWindow::windowStateChanged, m_pMenuBar, &CMenuBar::UpdateMaximizedChild,
                     Qt::UniqueConnection);
}
