#include "skins/ASMFrame.h"

#include "skins/ASMDockBar.h"
#include "skins/FrameActivation.h"
#include "skins/FrameWindowMenu.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace asmframe_detail {

// The desktop's caption height, which the skin's caption replaces.
constexpr int kSystemCaptionHeight = 22;
// How far from a corner a border still sizes both ways.
constexpr int kCornerReach = 12;
constexpr int kIconSize = 16;
// How often a hot caption button looks whether the pointer is still on it.
constexpr int kHoverCheckMs = 200;

Qt::Edges edgesOfHit(int hit)
{
    switch (hit) {
    case HTLEFT:
        return Qt::LeftEdge;
    case HTRIGHT:
        return Qt::RightEdge;
    case HTTOP:
        return Qt::TopEdge;
    case HTBOTTOM:
        return Qt::BottomEdge;
    case HTTOPLEFT:
        return Qt::TopEdge | Qt::LeftEdge;
    case HTTOPRIGHT:
        return Qt::TopEdge | Qt::RightEdge;
    case HTBOTTOMLEFT:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HTBOTTOMRIGHT:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

Qt::CursorShape cursorOfHit(int hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT:
        return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM:
        return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QFont captionFont()
{
    QFont font = QApplication::font();
    font.setBold(true);
    return font;
}

} // namespace asmframe_detail

using namespace asmframe_detail;

ASMFrame::ASMFrame() = default;

ASMFrame::~ASMFrame()
{
    ReleaseCaches();
}

void ASMFrame::Attach(QWidget* window)
{
    ASMCore::Attach(window);
    // The active window may change to or from one of the frame's floating
    // bars without the frame's own activation changing.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &ASMFrame::UpdateActivation, Qt::UniqueConnection);
}

void ASMFrame::UpdateActivation()
{
    if (!m_window || !m_bApplied || !VornaSkinManager::IsSkinOn())
        return;
    const bool active = FrameLooksActive(m_window);
    if (active == m_bActive)
        return;
    m_bActive = active;
    m_bDirty = true;
    m_window->update();
}

void ASMFrame::SelectFrameSkin()
{
    m_pSkin = VornaSkinManager::GetInstance().data().m_pMainFrame.get();
}

int ASMFrame::GetCaptionHeight() const
{
    return kSystemCaptionHeight;
}

QMargins ASMFrame::ContentsMargins() const
{
    return Borders();
}

QMargins ASMFrame::Borders() const
{
    if (!m_pSkin)
        return {};
    auto thickness = [](const SkinFramePart& part) { return part.image.isNull() ? 0 : part.thickness; };
    return QMargins(thickness(m_pSkin->m_left), thickness(m_pSkin->m_caption), thickness(m_pSkin->m_right),
                    thickness(m_pSkin->m_bottom));
}

void ASMFrame::setFrameless(bool frameless)
{
    QWidget* w = m_window;
    Qt::WindowFlags flags = w->windowFlags();
    if (flags.testFlag(Qt::FramelessWindowHint) == frameless)
        return;
    flags.setFlag(Qt::FramelessWindowHint, frameless);
    if (!w->testAttribute(Qt::WA_WState_Created)) {
        w->setWindowFlags(flags);
        return;
    }
    // A window already made keeps its native window: only its hints change.
    w->overrideWindowFlags(flags);
    if (QWindow* handle = w->windowHandle())
        handle->setFlags(flags);
}

bool ASMFrame::ApplySkin()
{
    if (!m_window)
        return false;
    SelectFrameSkin();
    if (!VornaSkinManager::IsSkinOn() || !m_pSkin || !m_pSkin->IsUsable()) {
        RemoveSkin();
        return false;
    }
    QWidget* w = m_window;
    if (!m_bApplied) {
        m_bSavedFrameless = w->windowFlags().testFlag(Qt::FramelessWindowHint);
        m_savedMargins = w->contentsMargins();
        m_bSavedTracking = w->hasMouseTracking();
        m_bApplied = true;
    }
    setFrameless(true);
    // Its activation may have changed while the skin was off.
    if (w->isVisible())
        m_bActive = FrameLooksActive(w);
    w->setContentsMargins(ContentsMargins());
    w->setMouseTracking(true);
    m_region = m_pSkin->m_region;
    m_regionSize = m_pSkin->m_regionInnerSize;
    const QMargins b = Borders();
    ResizeRegion(w->width() - b.left() - b.right(), w->height() - b.top() - b.bottom());
    ApplyRegion();
    PlaceIcon();
    m_bDirty = true;
    w->update();
    return true;
}

QIcon ASMFrame::CaptionIcon() const
{
    // Only an icon given to the window itself: a dialog shows none, even
    // where Qt would lend it its parent's.
    if (!m_window || !m_window->testAttribute(Qt::WA_SetWindowIcon))
        return QIcon();
    return m_window->windowIcon();
}

void ASMFrame::PlaceIcon()
{
    // After the left border, or where the skin puts it; a window without an
    // icon keeps no room for one.
    const int size = CaptionIcon().isNull() ? 0 : kIconSize;
    const platform::Rect& given = m_pSkin->m_iconRect;
    const int caption = m_pSkin->m_caption.thickness;
    if (given.width() <= 0 || given.height() <= 0) {
        if (m_pSkin->m_bAppIconVisible) {
            const int left = Borders().left() + 2;
            const int top = (caption - GetCaptionHeight()) / 2 + 1;
            m_iconRect = platform::Rect(left, top, left + size, top + size);
        } else {
            m_iconRect = platform::Rect();
        }
    } else {
        m_iconRect = platform::Rect(given.left, given.top, given.left + size, given.top + size);
        if (m_iconRect.bottom > caption) {
            const int up = m_iconRect.bottom - caption;
            m_iconRect.top -= up;
            m_iconRect.bottom -= up;
        }
    }
}

void ASMFrame::RemoveSkin()
{
    ReleaseCaches();
    if (!m_window || !m_bApplied)
        return;
    QWidget* w = m_window;
    m_bApplied = false;
    // A window that was frameless before the skin stays so; a bar docked
    // again is no window to change.
    if (w->isWindow())
        setFrameless(m_bSavedFrameless);
    w->setContentsMargins(m_savedMargins);
    w->setMouseTracking(m_bSavedTracking);
    w->clearMask();
    if (QWindow* handle = w->windowHandle())
        handle->unsetCursor();
    m_nHot = m_nPressed = -1;
    w->update();
}

void ASMFrame::ReleaseCaches()
{
    m_captionCache = QImage();
    m_bottomCache = QImage();
    m_leftCache = QImage();
    m_rightCache = QImage();
    m_region = QRegion();
    m_bDirty = true;
}

void ASMFrame::ResizeRegion(int width, int height)
{
    if (!m_pSkin || QSize(width, height) == m_regionSize)
        return;
    const QSize least = m_pSkin->m_regionInnerSize;
    if (!m_region.isEmpty())
        m_region = StretchRegion(m_region, m_regionSize, QSize(width, height), least);
    m_regionSize = QSize(std::max(width, least.width()), std::max(height, least.height()));
    m_bDirty = true;
}

void ASMFrame::ApplyRegion()
{
    if (!m_window)
        return;
    // A maximised window fills its screen: no corner is cut.
    if (m_region.isEmpty() || m_window->isMaximized())
        m_window->clearMask();
    else
        m_window->setMask(m_region);
}

void ASMFrame::RebuildCaches()
{
    if (!m_pSkin || !m_window)
        return;
    const QMargins b = Borders();
    const int w = m_window->width();
    const int h = m_window->height();
    const int side = std::max(0, h - b.top() - b.bottom());
    auto fresh = [](QImage& cache, int cw, int ch) {
        if (cw <= 0 || ch <= 0) {
            cache = QImage();
            return false;
        }
        if (cache.size() != QSize(cw, ch))
            cache = QImage(cw, ch, QImage::Format_RGB32);
        cache.fill(Qt::black);
        return true;
    };
    if (fresh(m_captionCache, w, b.top())) {
        QPainter dc(&m_captionCache);
        DrawFramePart(m_pSkin->m_caption, dc, QPoint(0, 0), w, true, m_bActive);
        if (const QIcon icon = CaptionIcon(); m_pSkin->m_bAppIconVisible && !m_iconRect.isEmpty() && !icon.isNull())
            dc.drawPixmap(m_iconRect.left, m_iconRect.top, icon.pixmap(kIconSize, kIconSize));
        for (int i = 0; i < int(m_pSkin->m_buttons.size()); ++i)
            DrawCaptionButton(i, dc, w, m_bActive, kCaptionButtonNormal);
        DrawTitle(dc);
    }
    if (fresh(m_leftCache, b.left(), side)) {
        QPainter dc(&m_leftCache);
        DrawFramePart(m_pSkin->m_left, dc, QPoint(0, 0), side, false, m_bActive);
    }
    if (fresh(m_rightCache, b.right(), side)) {
        QPainter dc(&m_rightCache);
        DrawFramePart(m_pSkin->m_right, dc, QPoint(0, 0), side, false, m_bActive);
    }
    if (fresh(m_bottomCache, w, b.bottom())) {
        QPainter dc(&m_bottomCache);
        DrawFramePart(m_pSkin->m_bottom, dc, QPoint(0, 0), w, true, m_bActive);
    }
    ++m_nRebuilds;
    m_bDirty = false;
}

void ASMFrame::PaintNonClient(QPainter& dc)
{
    if (!m_pSkin || !m_window || !m_bApplied)
        return;
    if (m_bDirty || m_captionCache.size() != QSize(m_window->width(), Borders().top()))
        RebuildCaches();
    const QMargins b = Borders();
    const int w = m_window->width();
    const int h = m_window->height();
    dc.drawImage(0, h - b.bottom(), m_bottomCache);
    DrawFrameSides(dc, b.top(), 0, m_leftCache, w - b.right(), m_rightCache);
    PaintCaption(dc);
}

QString ASMFrame::ElideCaption(const QString& title, const QFont& font, int width)
{
    if (width <= 0)
        return QString();
    return QFontMetrics(font).elidedText(title, Qt::ElideRight, width);
}

void ASMFrame::PaintCaption(QPainter& dc)
{
    dc.drawImage(0, 0, m_captionCache);
    if (m_nHot >= 0) {
        const int state = m_nPressed == m_nHot ? kCaptionButtonPressed
                          : m_nPressed >= 0    ? kCaptionButtonNormal
                                               : kCaptionButtonHot;
        DrawCaptionButton(m_nHot, dc, m_window->width(), m_bActive, state);
    }
}

void ASMFrame::DrawTitle(QPainter& dc)
{
    const int w = m_window->width();
    int left = m_iconRect.right + 2;
    int top = m_iconRect.top;
    if (m_pSkin->m_captionTextPosition != QPoint(-1, -1)) {
        left = std::max(m_pSkin->m_captionTextPosition.x(), m_iconRect.right + 2);
        top = m_pSkin->m_captionTextPosition.y();
    }
    int right = w;
    if (!m_pSkin->m_buttons.empty()) {
        const SkinCaptionButton& last = m_pSkin->m_buttons.back();
        right = w - last.xOffset - last.width;
    }
    if (left >= right)
        return;
    const QFont font = captionFont();
    const QString text = ElideCaption(m_window->windowTitle().remove(QStringLiteral("[*]")), font, right - left);
    const int textHeight = QFontMetrics(font).height();
    int bottom = top + textHeight;
    const int caption = m_pSkin->m_caption.thickness;
    if (bottom > caption) {
        top -= bottom - caption;
        bottom = caption;
    }
    dc.save();
    dc.setFont(font);
    dc.setPen(platform::toQColor(m_bActive ? m_pSkin->m_captionTextActive : m_pSkin->m_captionTextInactive));
    dc.drawText(QRect(left, top, right - left, bottom - top), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                text);
    dc.restore();
}

void ASMFrame::DrawCaptionButton(int index, QPainter& dc, int width, bool active, int state)
{
    if (!m_pSkin || index < 0 || index >= int(m_pSkin->m_buttons.size()))
        return;
    // The second button shows maximise while the window is not maximised.
    if (index == 1 && !m_window->isMaximized())
        state |= kCaptionAlternateGlyph;
    // A window that cannot be closed shows its close button inactive.
    if (index == 0 && !CanClose()) {
        active = false;
        state = kCaptionButtonNormal;
    }
    DrawSkinCaptionButton(m_pSkin->m_buttons[index], dc, width, active, state);
}

bool ASMFrame::IsResizable() const
{
    return m_window && !m_window->isMaximized() && m_window->minimumSize() != m_window->maximumSize();
}

int ASMFrame::DefaultHitTest(QPoint point) const
{
    const QMargins b = Borders();
    const int w = m_window->width();
    const int h = m_window->height();
    const int x = point.x();
    const int y = point.y();
    if (x < 0 || y < 0 || x >= w || y >= h)
        return HTNOWHERE;
    if (IsResizable()) {
        const int grip = std::max(4, b.bottom());
        const bool left = x < std::max(4, b.left());
        const bool right = x >= w - std::max(4, b.right());
        const bool top = y < 4;
        const bool bottom = y >= h - grip;
        const bool nearLeft = x < kCornerReach;
        const bool nearRight = x >= w - kCornerReach;
        const bool nearTop = y < kCornerReach;
        const bool nearBottom = y >= h - kCornerReach;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (y < b.top())
        return HTCAPTION;
    if (x < b.left() || x >= w - b.right() || y >= h - b.bottom())
        return HTNOWHERE;
    return HTCLIENT;
}

int ASMFrame::HitTestCaption(QPoint point) const
{
    if (!m_pSkin || !m_window)
        return HTNOWHERE;
    static const int kHitOfButton[] = {HTCLOSE, HTMAXBUTTON, HTMINBUTTON};
    const int w = m_window->width();
    for (int i = 0; i < int(m_pSkin->m_buttons.size()) && i < 3; ++i) {
        if (CaptionButtonRect(m_pSkin->m_buttons[i], w).contains(point.x(), point.y()))
            return kHitOfButton[i];
    }
    if (m_iconRect.contains(point.x(), point.y()))
        return HTSYSMENU;
    return DefaultHitTest(point);
}

int ASMFrame::ButtonOfHit(int hit) const
{
    switch (hit) {
    case HTMINBUTTON:
        return 2;
    case HTMAXBUTTON:
    case HTHELP:
        return 1;
    case HTCLOSE:
        return 0;
    default:
        return -1;
    }
}

void ASMFrame::UpdateCaption()
{
    if (m_window)
        m_window->update(QRect(0, 0, m_window->width(), Borders().top()));
}

bool ASMFrame::CanClose() const
{
    return m_window && m_window->windowFlags().testFlag(Qt::WindowCloseButtonHint);
}

void ASMFrame::PressButton(int hit)
{
    const int button = ButtonOfHit(hit);
    if (button < 0 || (hit == HTCLOSE && !CanClose()))
        return;
    m_nPressed = m_nHot = button;
    UpdateCaption();
}

void ASMFrame::TrackButton(int hit)
{
    const int button = ButtonOfHit(hit);
    if (button != m_nHot) {
        m_nHot = button;
        UpdateCaption();
    }
    if (m_nHot >= 0 && m_nPressed < 0) {
        if (!m_pHoverTimer) {
            m_pHoverTimer = new QTimer(this);
            m_pHoverTimer->setInterval(kHoverCheckMs);
            connect(m_pHoverTimer, &QTimer::timeout, this, &ASMFrame::CheckHover);
        }
        m_pHoverTimer->start();
    }
}

void ASMFrame::CheckHover()
{
    if (!m_window || m_nHot < 0 || m_nPressed >= 0) {
        m_pHoverTimer->stop();
        return;
    }
    const QPoint point = m_window->mapFromGlobal(QCursor::pos());
    if (ButtonOfHit(HitTestCaption(point)) == m_nHot)
        return;
    m_pHoverTimer->stop();
    m_nHot = -1;
    UpdateCaption();
}

void ASMFrame::ReleaseButton(QPoint point)
{
    const int hit = HitTestCaption(point);
    const int pressed = m_nPressed;
    m_nPressed = m_nHot = -1;
    UpdateCaption();
    if (pressed < 0 || ButtonOfHit(hit) != pressed)
        return;
    QWidget* w = m_window;
    switch (hit) {
    case HTMINBUTTON:
        w->showMinimized();
        break;
    case HTMAXBUTTON:
        if (w->isMaximized())
            w->showNormal();
        else
            w->showMaximized();
        break;
    case HTCLOSE:
        w->close();
        break;
    case HTHELP:
        QApplication::postEvent(w, new QEvent(QEvent::EnterWhatsThisMode));
        break;
    default:
        break;
    }
}

bool ASMFrame::WindowProc(QEvent* event)
{
    if (!m_bApplied || !m_window)
        return false;
    QWidget* w = m_window;
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter dc(w);
        // The window's own area shows the skin's background, which its bars
        // and controls continue.
        if (VornaSkinManager::GetInstance().data().m_bPatternOn) {
            const QRect inside = w->contentsRect();
            FillSkinBackgroundXY(dc, inside.x(), inside.y(), inside.width(), inside.height(), w, w);
        }
        // The dock bars' borders lie over that background.
        if (auto* frame = qobject_cast<QMainWindow*>(w))
            ASMDockBar::PaintDockBars(dc, frame, false);
        PaintNonClient(dc);
        return false;
    }
    case QEvent::Resize: {
        const QMargins b = Borders();
        ResizeRegion(w->width() - b.left() - b.right(), w->height() - b.top() - b.bottom());
        ApplyRegion();
        m_bDirty = true;
        return false;
    }
    case QEvent::WindowStateChange:
        ApplyRegion();
        m_bDirty = true;
        w->update();
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::EnabledChange:
        UpdateActivation();
        return false;
    case QEvent::WindowIconChange:
        PlaceIcon();
        m_bDirty = true;
        UpdateCaption();
        return false;
    case QEvent::WindowTitleChange:
    case QEvent::FontChange:
        m_bDirty = true;
        UpdateCaption();
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const int hit = HitTestCaption(mouse->position().toPoint());
        if (hit == HTSYSMENU && m_pSkin->m_bAppIconVisible) {
            // The window menu, below the icon.
            framemenu::Show(w, w->mapToGlobal(QPoint(m_iconRect.left, Borders().top())));
            return true;
        }
        if (hit == HTCAPTION || hit == HTSYSMENU) {
            if (!w->isMaximized() && w->windowHandle())
                w->windowHandle()->startSystemMove();
            return true;
        }
        if (ButtonOfHit(hit) >= 0) {
            PressButton(hit);
            return true;
        }
        if (const Qt::Edges edges = edgesOfHit(hit); edges && w->windowHandle()) {
            w->windowHandle()->startSystemResize(edges);
            return true;
        }
        return hit != HTCLIENT && hit != HTNOWHERE;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int hit = HitTestCaption(mouse->position().toPoint());
        if (m_nPressed >= 0) {
            TrackButton(hit);
            return true;
        }
        TrackButton(hit);
        if (QWindow* handle = w->windowHandle())
            handle->setCursor(cursorOfHit(hit));
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_nPressed < 0 || mouse->button() != Qt::LeftButton)
            return false;
        ReleaseButton(mouse->position().toPoint());
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (HitTestCaption(mouse->position().toPoint()) != HTCAPTION)
            return false;
        if (w->isMaximized())
            w->showNormal();
        else if (w->maximumSize() != w->minimumSize())
            w->showMaximized();
        return true;
    }
    case QEvent::Leave:
        if (m_nHot >= 0 && m_nPressed < 0) {
            m_nHot = -1;
            UpdateCaption();
        }
        return false;
    default:
        return false;
    }
}
