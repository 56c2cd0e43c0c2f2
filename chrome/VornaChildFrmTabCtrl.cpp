#include "chrome/VornaChildFrmTabCtrl.h"

#include "chrome/CaptionGlyphs.h"
#include "chrome/VornaChildFrmTabCtrlViewHook.h"
#include "controls/Draw3dRect.h"
#include "controls/SysColors.h"
#include "skins/VornaSkinManager.h"
#include "util/StringResources.h"

#include "platform/ColorRef.h"
#include "platform/WindowMessage.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

using platform::Rect;
using platform::toQColor;

namespace viewtabs_detail {

// The window's own frame lies outside the hooked inside of a page window.
constexpr viewtabs::Borders kBorders{};

// The label strings of the three tabs.
constexpr unsigned kLabelIds[viewtabs::kTabCount] = {57748, 57749, 57750};

bool IsMinimised(QObject* frame)
{
    auto* window = qobject_cast<QWidget*>(frame);
    return window && window->isMinimized();
}

} // namespace viewtabs_detail

VornaChildFrmTabCtrl::VornaChildFrmTabCtrl() = default;

VornaChildFrmTabCtrl::~VornaChildFrmTabCtrl()
{
    m_viewHooks.clear();
    Attach(nullptr);
}

bool VornaChildFrmTabCtrl::Install(QObject* frame, QWidget* window)
{
    if (!frame || !window)
        return false;
    m_frame = frame;
    Attach(nullptr);
    return AttachWnd(window);
}

bool VornaChildFrmTabCtrl::AddView(QWidget* view)
{
    if (!view)
        return false;
    auto hook = std::make_unique<VornaChildFrmTabCtrlViewHook>();
    hook->Attach(view);
    m_viewHooks.push_back(std::move(hook));
    return true;
}

void VornaChildFrmTabCtrl::SetCurTab(int tab)
{
    m_nCurTab = tab;
    if (auto* window = qobject_cast<QWidget*>(hookedWindow()))
        window->update();
}

void VornaChildFrmTabCtrl::OnAttachChanged(QObject* previous, QObject* current)
{
    // The page's room inside the window: the band at the left, a border around.
    if (auto* window = qobject_cast<QWidget*>(previous))
        window->setContentsMargins(0, 0, 0, 0);
    if (auto* window = qobject_cast<QWidget*>(current))
        window->setContentsMargins(viewtabs::kLeftMargin, viewtabs::kMargin, viewtabs::kMargin, viewtabs::kMargin);
}

bool VornaChildFrmTabCtrl::WindowProc(QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(hookedWindow());
    switch (event->type()) {
    case QEvent::Paint: {
        const bool result = CallNextProc();
        if (window && !viewtabs_detail::IsMinimised(m_frame)) {
            QPainter dc(window);
            Paint(dc, window);
        }
        return result;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        const int code = viewtabs::HitTest(viewtabs_detail::kBorders, mouse->position().toPoint());
        if (code >= kFirstTabCode && code - kFirstTabCode != m_nCurTab) {
            SetCurTab(code - kFirstTabCode);
            if (m_frame)
                platform::postMessage(m_frame, kViewTabMessage, quintptr(code), 0);
        }
        return true;
    }
    default:
        return CSubclassWnd::WindowProc(event);
    }
}

void VornaChildFrmTabCtrl::Paint(QPainter& dc, QWidget* window) const
{
    using namespace viewtabs;
    const Borders& borders = viewtabs_detail::kBorders;
    const QColor face = toQColor(GetSkinSysColor(COLOR_BTNFACE));
    const Rect client = ClientRect(borders, window->width(), window->height());

    // 1. The band and the borders around the page.
    dc.fillRect(window->rect(), face);

    // 2. The tabs, the current one over its neighbours.
    QStringList labels;
    for (unsigned id : viewtabs_detail::kLabelIds)
        labels << LoadResString(id);
    // Each label stays on its tab, inside the tab's frame.
    dc.setFont(LabelFont(QApplication::font("QMenu"), labels, kTabHeight - 4));
    dc.setPen(toQColor(GetSkinSysColor(COLOR_BTNTEXT)));
    for (int tab : PaintOrder(m_nCurTab)) {
        const Rect rect = TabRect(borders, tab);
        DrawDouble3dRect(dc, rect, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW);
        const Rect inside = ShrunkRect(rect, 2);
        dc.fillRect(inside.toQRect(), tab == m_nCurTab ? face : toQColor(GetSkinSysColor(COLOR_3DLIGHT)));
        // The label runs downwards, centred across the tab.
        dc.save();
        dc.translate(rect.left + rect.width() / 2.0, rect.top + rect.height() / 2.0);
        dc.rotate(90);
        const QRectF label(-rect.height() / 2.0, -rect.width() / 2.0, rect.height(), rect.width());
        dc.drawText(label, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, labels.at(tab));
        dc.restore();
    }

    // 3. The sunken frame around the page, joined to the current tab.
    Rect frame = client;
    frame.inflate(2, 2);
    DrawDouble3dRect(dc, frame, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT);
    if (m_nCurTab >= 0 && m_nCurTab < kTabCount)
        dc.fillRect(QRect(frame.left, TabRect(borders, m_nCurTab).top, 1, 1),
                    toQColor(GetSkinSysColor(COLOR_3DHIGHLIGHT)));
}
