#include "skins/ASMMiniDockFrame.h"

#include "skins/ASMMiniDockFrameBand.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

namespace asmminidock_detail {

// The desktop's small caption, which the skin's caption replaces.
constexpr int kSmallCaptionHeight = 19;

bool isSizingHit(int hit)
{
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

} // namespace asmminidock_detail

using namespace asmminidock_detail;

QDockWidget* ASMMiniDockFrame::bar() const
{
    return qobject_cast<QDockWidget*>(m_window.data());
}

void ASMMiniDockFrame::Attach(QWidget* window)
{
    ASMFrame::Attach(window);
    // Floating or docked again, the bar takes or drops the skin's frame.
    if (auto* dock = qobject_cast<QDockWidget*>(window))
        connect(dock, &QDockWidget::topLevelChanged, this, [this] { ApplySkin(); });
}

void ASMMiniDockFrame::SelectFrameSkin()
{
    m_pSkin = VornaSkinManager::GetInstance().data().m_pMiniFrame.get();
}

const VornaFrameSkin* ASMMiniDockFrame::FloatingSkin() const
{
    const QDockWidget* dock = bar();
    if (!dock || !dock->isFloating() || !VornaSkinManager::IsSkinOn())
        return nullptr;
    const VornaFrameSkin* skin = VornaSkinManager::GetInstance().data().m_pMiniFrame.get();
    return skin && skin->IsUsable() ? skin : nullptr;
}

bool ASMMiniDockFrame::ApplySkin()
{
    const bool applied = FloatingSkin() ? ASMFrame::ApplySkin() : (RemoveSkin(), false);
    // The bar lays its caption out again for the frame it now wears.
    if (QDockWidget* dock = bar()) {
        if (QWidget* band = dock->titleBarWidget())
            band->updateGeometry();
        QResizeEvent resize(dock->size(), dock->size());
        QCoreApplication::sendEvent(dock, &resize);
    }
    return applied;
}

const ASMMiniDockFrame* ASMMiniDockFrame::Of(const QWidget* bar)
{
    const auto* frame = qobject_cast<const ASMMiniDockFrame*>(VornaSkinManager::GetInstance().Find(bar));
    return frame && frame->FloatingSkin() ? frame : nullptr;
}

platform::Rect ASMMiniDockFrame::CloseButtonRect() const
{
    const VornaFrameSkin* skin = FloatingSkin();
    if (!skin || skin->m_buttons.empty() || !m_window)
        return platform::Rect();
    const SkinCaptionButton& close = skin->m_buttons.front();
    if (close.width <= 0)
        return platform::Rect();
    return CaptionButtonRect(close, m_window->width());
}

void ASMMiniDockFrame::DrawCloseButton(QPainter& dc, int state) const
{
    const VornaFrameSkin* skin = FloatingSkin();
    if (!skin || skin->m_buttons.empty() || !m_window)
        return;
    DrawSkinCaptionButton(skin->m_buttons.front(), dc, m_window->width(), m_bActive, state);
}

void ASMMiniDockFrame::DrawCaptionButton(int index, QPainter& dc, int width, bool active, int state)
{
    if (index == 0)
        ASMFrame::DrawCaptionButton(index, dc, width, active, state);
}

int ASMMiniDockFrame::GetCaptionHeight() const
{
    return kSmallCaptionHeight;
}

QMargins ASMMiniDockFrame::ContentsMargins() const
{
    const QMargins borders = Borders();
    const QDockWidget* dock = bar();
    if (!dock)
        return borders;
    // The bar's caption band is as high as the skin's caption and stands at
    // its top; the bar's own frame, if any, inside these margins.
    const int frame = dock->style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, dock);
    return QMargins(std::max(0, borders.left() - frame), 0, std::max(0, borders.right() - frame),
                    std::max(0, borders.bottom() - frame));
}

int ASMMiniDockFrame::HitTestCaption(QPoint point) const
{
    return m_window ? DefaultHitTest(point) : HTNOWHERE;
}

bool ASMMiniDockFrame::WindowProc(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Only the borders size the frame here: the bar drags and docks
        // itself from its caption.
        if (!isApplied())
            return false;
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
        return isSizingHit(HitTestCaption(point)) && event->type() == QEvent::MouseButtonPress
                   ? ASMFrame::WindowProc(event)
                   : false;
    }
    default:
        return ASMFrame::WindowProc(event);
    }
}

bool SkinDrawsFloatingFrame(const QWidget* bar)
{
    return ASMMiniDockFrame::Of(bar) != nullptr;
}

platform::Rect SkinFloatingCloseRect(const QWidget* bar)
{
    const ASMMiniDockFrame* frame = ASMMiniDockFrame::Of(bar);
    return frame ? frame->CloseButtonRect() : platform::Rect();
}

void DrawSkinFloatingClose(QPainter& dc, const QWidget* bar, int state)
{
    if (const ASMMiniDockFrame* frame = ASMMiniDockFrame::Of(bar))
        frame->DrawCloseButton(dc, state);
}

int SkinFloatingCaptionHeight(const QWidget* bar)
{
    const ASMMiniDockFrame* frame = ASMMiniDockFrame::Of(bar);
    return frame && frame->skin() ? frame->skin()->m_caption.thickness : 0;
}
