#include "skins/ASMHeaderCtrl.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QWidget>

ASMHeaderCtrl::ASMHeaderCtrl() : ASMControl(SkinControlKind::HeaderCtrl) {}

void ASMHeaderCtrl::DrawSection(QPainter& dc, const platform::Rect& rect, bool hover)
{
    if (hover)
        DrawSkinDouble3dRect(dc, rect, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
    else
        DrawSkinDouble3dRect(dc, rect, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE);
    FillRectSolid(dc, platform::Rect(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2),
                  GetSkinSysColor(COLOR_3DFACE));
}

void ASMHeaderCtrl::DrawEmptyArea(QPainter& dc, const platform::Rect& rect, bool hover, bool horizontal)
{
    platform::Rect strip = rect;
    (horizontal ? strip.left : strip.top) -= 2;
    DrawSection(dc, strip, hover);
}

void ASMHeaderCtrl::Attach(QWidget* window)
{
    ASMControl::Attach(window);
    m_viewport = WatchViewport(window);
}

bool ASMHeaderCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (m_viewport && watched == m_viewport) {
        const auto* header = qobject_cast<const QHeaderView*>(m_window.data());
        if (event->type() != QEvent::Paint || !VornaSkinManager::IsSkinOn() || !header || header->count() > 0)
            return false;
        // No sections: the whole strip is one empty button.
        QPainter dc(m_viewport);
        DrawSection(dc, platform::Rect::fromQRect(m_viewport->rect()), IsMouseOver());
        return true;
    }
    return ASMControl::eventFilter(watched, event);
}

bool ASMHeaderCtrl::WindowProc(QEvent* event)
{
    const bool handled = ASMControl::WindowProc(event);
    const QEvent::Type type = event->type();
    if (type != QEvent::Enter && type != QEvent::Leave && type != QEvent::HoverEnter && type != QEvent::HoverLeave)
        return handled;
    // The list this header heads shows the header's hover in its frame.
    QWidget* list = m_window ? m_window->parentWidget() : nullptr;
    auto* skin = qobject_cast<ASMControl*>(VornaSkinManager::GetInstance().Find(list));
    if (skin && skin->Kind() == SkinControlKind::ListView)
        skin->ModifyState(kMouseOver, IsMouseOver() ? kMouseOver : 0, true);
    return handled;
}
