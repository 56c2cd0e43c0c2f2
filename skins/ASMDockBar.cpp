#include "skins/ASMDockBar.h"

#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

int ASMDockBar::BordersOf(Qt::ToolBarArea side)
{
    switch (side) {
    case Qt::TopToolBarArea:
        return kBarBorderBottom;
    case Qt::BottomToolBarArea:
        return kBarBorderTop;
    case Qt::LeftToolBarArea:
        return kBarBorderRight;
    case Qt::RightToolBarArea:
        return kBarBorderLeft;
    default:
        return 0;
    }
}

QRect ASMDockBar::DockBarRect(const QMainWindow* frame, Qt::ToolBarArea side)
{
    if (!frame)
        return QRect();
    QRect bars;
    for (const QToolBar* bar : frame->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (!bar->isHidden() && !bar->isFloating() && frame->toolBarArea(const_cast<QToolBar*>(bar)) == side)
            bars |= bar->geometry();
    }
    if (bars.isEmpty())
        return QRect();
    const QRect inside = frame->contentsRect();
    if (side == Qt::TopToolBarArea || side == Qt::BottomToolBarArea)
        return QRect(inside.left(), bars.top(), inside.width(), bars.height());
    // A side band runs from the top band down to the bottom band (or the status bar).
    int top = inside.top();
    int bottom = inside.bottom();
    if (const QRect above = DockBarRect(frame, Qt::TopToolBarArea); !above.isEmpty())
        top = above.bottom() + 1;
    if (const QRect below = DockBarRect(frame, Qt::BottomToolBarArea); !below.isEmpty())
        bottom = below.top() - 1;
    else if (const QStatusBar* status = frame->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
             status && status->isVisible())
        bottom = status->geometry().top() - 1;
    return QRect(bars.left(), top, bars.width(), bottom - top + 1);
}

void ASMDockBar::PaintDockBars(QPainter& dc, QMainWindow* frame, bool withBackground)
{
    for (Qt::ToolBarArea side :
         {Qt::TopToolBarArea, Qt::BottomToolBarArea, Qt::LeftToolBarArea, Qt::RightToolBarArea}) {
        const QRect band = DockBarRect(frame, side);
        if (band.isEmpty())
            continue;
        if (withBackground)
            FillSkinBackgroundXY(dc, band.x(), band.y(), band.width(), band.height(), frame->window(), frame);
        // The border is drawn as the band's own edge, from its corner.
        dc.save();
        dc.translate(band.topLeft());
        platform::Rect rect(0, 0, band.width(), band.height());
        DrawSkinBarBorders(dc, BordersOf(side), rect);
        dc.restore();
    }
}

void ASMDockBar::PaintBorderAcross(QPainter& dc, const QWidget* bar)
{
    const auto* toolbar = qobject_cast<const QToolBar*>(bar);
    auto* frame = toolbar ? qobject_cast<QMainWindow*>(toolbar->parentWidget()) : nullptr;
    if (!frame || toolbar->isFloating())
        return;
    const Qt::ToolBarArea side = frame->toolBarArea(const_cast<QToolBar*>(toolbar));
    const QRect band = DockBarRect(frame, side);
    if (band.isEmpty())
        return;
    dc.save();
    dc.translate(band.topLeft() - toolbar->pos());
    platform::Rect rect(0, 0, band.width(), band.height());
    DrawSkinBarBorders(dc, BordersOf(side), rect);
    dc.restore();
}

bool ASMDockBar::WindowProc(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return false;
    auto* frame = qobject_cast<QMainWindow*>(m_window.data());
    if (!frame)
        return false;
    QPainter dc(frame);
    PaintDockBars(dc, frame, true);
    return false;
}
