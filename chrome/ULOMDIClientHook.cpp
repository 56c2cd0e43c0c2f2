#include "chrome/ULOMDIClientHook.h"

#include "chrome/ChildFrmHook.h"
#include "chrome/MinimisedIcons.h"
#include "controls/SysColors.h"
#include "skins/VornaSkinManager.h"

#include "platform/ColorRef.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include <algorithm>

using platform::Rect;
using platform::toQColor;

namespace mdiclient_detail {

// The zoom between a window and its icon: the frames drawn one per tick over
// the area, inverting what lies below them, then the callback.
class ZoomOverlay : public QWidget
{
public:
    ZoomOverlay(QWidget* area, const Rect& from, const Rect& to, std::function<void()> done)
        : QWidget(area), m_from(from), m_steps(mdiicons::ZoomSteps(from, to)), m_done(std::move(done))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(area->rect());
        show();
        raise();
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            if (++m_step > mdiicons::kZoomSteps)
                Finish();
            else
                update();
        });
        timer->start(8);
    }

    // Ends the zoom now: the callback runs once, the overlay goes.
    void Finish()
    {
        if (m_finished)
            return;
        m_finished = true;
        hide();
        deleteLater();
        if (m_done)
            m_done();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter dc(this);
        dc.setPen(Qt::black);
        dc.drawRect(m_from.left, m_from.top, m_from.width() - 1, m_from.height() - 1);
        dc.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        dc.setPen(QPen(Qt::white, 2));
        for (int i = 0; i < std::min(m_step, mdiicons::kZoomSteps); ++i) {
            const Rect& r = m_steps[size_t(i)];
            dc.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
        }
    }

private:
    Rect m_from;
    std::array<Rect, mdiicons::kZoomSteps> m_steps;
    std::function<void()> m_done;
    int m_step = 0;
    bool m_finished = false;
};

// The lines of an icon's title that fit below its picture.
constexpr int kTitleLines = 2;

} // namespace mdiclient_detail

ULOMDIClientHook::ULOMDIClientHook() = default;

ULOMDIClientHook::~ULOMDIClientHook()
{
    if (auto* zoom = static_cast<mdiclient_detail::ZoomOverlay*>(m_zoom.data()))
        delete zoom;
    m_childHooks.clear();
    m_icons.clear();
    Attach(nullptr);
}

bool ULOMDIClientHook::Install(QMdiArea* area)
{
    if (!area)
        return false;
    m_area = area;
    Attach(nullptr);
    AttachWnd(area->viewport());
    // A window activated selects its icon, or none when it has none (a
    // window hidden as an icon leaves the area with no active window: that
    // keeps the selection).
    connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* frame) {
        if (frame)
            Select(IconOf(frame));
    });
    return true;
}

bool ULOMDIClientHook::HookChildFrame(QMdiSubWindow* childFrame)
{
    if (!childFrame)
        return false;
    auto hook = std::make_unique<ChildFrmHook>(this);
    hook->Attach(childFrame);
    ChildFrmHook* raw = hook.get();
    m_childHooks.push_back(std::move(hook));
    // A window gone takes its icon and its hook with it.
    connect(childFrame, &QObject::destroyed, this, [this, childFrame, raw] {
        RemoveIcon(childFrame);
        std::erase_if(m_childHooks, [raw](const std::unique_ptr<ChildFrmHook>& h) { return h.get() == raw; });
    });
    return true;
}

QWidget* ULOMDIClientHook::viewport() const
{
    return qobject_cast<QWidget*>(hookedWindow());
}

int ULOMDIClientHook::IconOf(const QMdiSubWindow* frame) const
{
    for (size_t i = 0; i < m_icons.size(); ++i) {
        if (m_icons[i].key == frame)
            return int(i);
    }
    return -1;
}

bool ULOMDIClientHook::zoomRunning() const
{
    return m_zoom != nullptr;
}

int ULOMDIClientHook::IconAt(QPoint point) const
{
    // The icon drawn last lies on top.
    for (int i = int(m_icons.size()) - 1; i >= 0; --i) {
        if (m_icons[size_t(i)].rect.contains(point))
            return i;
    }
    return -1;
}

void ULOMDIClientHook::Select(int index)
{
    if (index == m_nSelected)
        return;
    m_nSelected = index;
    Repaint();
}

void ULOMDIClientHook::Repaint()
{
    if (QWidget* area = viewport())
        area->update();
}

void ULOMDIClientHook::MakeIcon(QMdiSubWindow* frame, const Rect& normal, bool maximised)
{
    QWidget* area = viewport();
    // 1. One icon a window.
    if (!frame || !area || IconOf(frame) >= 0)
        return;
    // 2. The first free cell.
    std::vector<Rect> taken;
    for (const Icon& icon : m_icons)
        taken.push_back(icon.rect);
    const Rect cell = mdiicons::FindFreeCell(area->width(), area->height(), taken);
    // 3. The record, the zoom from the window's place, the window hidden.
    m_icons.push_back(Icon{cell, frame, frame, maximised});
    if (!maximised)
        Zoom(normal, cell, {});
    HideMinimised(frame);
    Repaint();
}

void ULOMDIClientHook::ArrangeIcons()
{
    QWidget* area = viewport();
    if (!area || m_icons.empty())
        return;
    const std::vector<Rect> cells = mdiicons::ArrangeCells(area->width(), area->height(), m_icons.size());
    for (size_t i = 0; i < m_icons.size(); ++i)
        m_icons[i].rect = cells[i];
    Repaint();
}

void ULOMDIClientHook::ShowIconOf(QMdiSubWindow* frame)
{
    const int index = IconOf(frame);
    if (index < 0)
        return;
    HideMinimised(frame);
    Select(index);
}

void ULOMDIClientHook::HideMinimised(QMdiSubWindow* frame)
{
    // Now, and again once whoever is showing the window has done so.
    frame->hide();
    QMetaObject::invokeMethod(
        frame,
        [frame] {
            if (frame->isMinimized())
                frame->hide();
        },
        Qt::QueuedConnection);
}

void ULOMDIClientHook::RestoreIcon(int index)
{
    if (index < 0 || index >= int(m_icons.size()))
        return;
    const Icon icon = m_icons[size_t(index)];
    m_icons.erase(m_icons.begin() + index);
    m_nSelected = -1;
    Repaint();
    QPointer<QMdiSubWindow> frame = icon.frame;
    if (!frame)
        return;
    Rect normal = icon.rect;
    for (const auto& hook : m_childHooks) {
        if (hook->hookedWindow() == frame)
            normal = hook->normalRect();
    }
    if (icon.maximised) {
        if (QWidget* area = viewport())
            normal = Rect::fromQRect(area->rect());
    }
    // The window comes back where the zoom ends (unless it went meanwhile).
    Zoom(icon.rect, normal, [frame, area = m_area, maximised = icon.maximised] {
        if (!frame)
            return;
        if (maximised)
            frame->showMaximized();
        else
            frame->showNormal();
        if (area)
            area->setActiveSubWindow(frame);
    });
}

void ULOMDIClientHook::RemoveIcon(const QMdiSubWindow* frame)
{
    const int index = IconOf(frame);
    if (index < 0)
        return;
    m_icons.erase(m_icons.begin() + index);
    m_nSelected = -1;
    Repaint();
}

void ULOMDIClientHook::Zoom(const Rect& from, const Rect& to, std::function<void()> done)
{
    QWidget* area = viewport();
    if (!area)
        return;
    // A zoom still running ends first.
    if (auto* running = static_cast<mdiclient_detail::ZoomOverlay*>(m_zoom.data()))
        running->Finish();
    m_zoom = new mdiclient_detail::ZoomOverlay(area, from, to, std::move(done));
}

// ---- the mouse and the painting on the area ------------------------------------

bool ULOMDIClientHook::WindowProc(QEvent* event)
{
    QWidget* area = viewport();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int index = IconAt(mouse->position().toPoint());
        if (index < 0 || mouse->button() != Qt::LeftButton) {
            Select(-1);
            break;
        }
        // On an icon: selected, and dragged while the button is held.
        Select(index);
        m_ptDrag = mouse->position().toPoint();
        m_bDragging = true;
        return true;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        if (!m_bDragging)
            break;
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint point = mouse->position().toPoint();
        if (m_nSelected >= 0 && area) {
            Rect& cell = m_icons[size_t(m_nSelected)].rect;
            cell = mdiicons::MoveInside(cell, point.x() - m_ptDrag.x(), point.y() - m_ptDrag.y(), area->width(),
                                        area->height());
            Repaint();
        }
        m_ptDrag = point;
        if (event->type() == QEvent::MouseButtonRelease)
            m_bDragging = false;
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        const int index = IconAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index < 0)
            break;
        m_bDragging = false;
        RestoreIcon(index);
        return true;
    }
    case QEvent::Resize:
        // Icons that no longer fit come back into view.
        if (area) {
            for (Icon& icon : m_icons)
                icon.rect = mdiicons::PullBack(icon.rect, area->width(), area->height());
            Repaint();
        }
        break;
    case QEvent::Paint: {
        const bool result = CallNextProc();
        if (area && !m_icons.empty()) {
            QPainter dc(area);
            PaintIcons(dc);
        }
        return result;
    }
    default:
        break;
    }
    return CSubclassWnd::WindowProc(event);
}

void ULOMDIClientHook::PaintIcons(QPainter& dc) const
{
    const QFont font = QApplication::font("QMenu");
    dc.setFont(font);
    const QFontMetrics metrics(font);
    for (size_t i = 0; i < m_icons.size(); ++i) {
        const Icon& icon = m_icons[i];
        if (!icon.frame)
            continue;
        const Rect& cell = icon.rect;
        const bool selected = int(i) == m_nSelected;
        // 1. The window's picture, blended with the selection colour while selected.
        const QIcon picture = icon.frame->windowIcon();
        if (!picture.isNull()) {
            const QPixmap pixmap = picture.pixmap(QSize(mdiicons::kPictureSize, mdiicons::kPictureSize),
                                                  selected ? QIcon::Selected : QIcon::Normal);
            dc.drawPixmap(QRect(cell.left + (cell.width() - mdiicons::kPictureSize) / 2,
                                cell.top + mdiicons::kPictureTop, mdiicons::kPictureSize, mdiicons::kPictureSize),
                          pixmap);
        }
        // 2. The title below it, on the selection colour while selected.
        const QStringList lines =
            mdiicons::TitleLines(icon.frame->windowTitle(), metrics, cell.width(), mdiclient_detail::kTitleLines);
        if (lines.isEmpty())
            continue;
        int textWidth = 0;
        for (const QString& line : lines)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        textWidth = std::min(textWidth + 2, cell.width());
        const QRect text(cell.left + (cell.width() - textWidth) / 2, cell.top + mdiicons::kTitleTop, textWidth,
                         metrics.height() * int(lines.size()));
        if (selected) {
            dc.fillRect(text, toQColor(GetSkinSysColor(COLOR_HIGHLIGHT)));
            QStyleOptionFocusRect focus;
            focus.rect = text;
            focus.backgroundColor = toQColor(GetSkinSysColor(COLOR_HIGHLIGHT));
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &dc);
            dc.setPen(toQColor(GetSkinSysColor(COLOR_HIGHLIGHTTEXT)));
        } else {
            dc.setPen(Qt::black);
        }
        dc.drawText(text, Qt::AlignHCenter | Qt::AlignTop, lines.join(QLatin1Char('\n')));
    }
}
