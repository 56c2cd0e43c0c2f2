#include "editor/sink/RubberBandOverlay.h"

#include <QEvent>
#include <QPainter>

#include <functional>

#include <algorithm>

namespace rubberband_detail {

const char* const kObjectName = "rubberBandOverlay";

template <typename T> void toggle(std::vector<T>& shapes, const T& shape)
{
    const auto found = std::find(shapes.begin(), shapes.end(), shape);
    if (found != shapes.end())
        shapes.erase(found);
    else
        shapes.push_back(shape);
}

// A line drawn twice over, white under black dots, shows on any background.
void drawDotted(QPainter& p, const std::function<void()>& draw)
{
    p.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    draw();
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    draw();
}

} // namespace rubberband_detail

RubberBandOverlay::RubberBandOverlay(QWidget* frameClient) : QWidget(frameClient)
{
    setObjectName(QLatin1String(rubberband_detail::kObjectName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(frameClient->rect());
    frameClient->installEventFilter(this);
    hide();
}

RubberBandOverlay* RubberBandOverlay::of(QWidget* frameClient, bool create)
{
    if (!frameClient)
        return nullptr;
    auto* overlay = frameClient->findChild<RubberBandOverlay*>(QLatin1String(rubberband_detail::kObjectName),
                                                               Qt::FindDirectChildrenOnly);
    if (!overlay && create)
        overlay = new RubberBandOverlay(frameClient); // owned by the frame's client widget
    return overlay;
}

void RubberBandOverlay::toggleRect(const platform::Rect& rect)
{
    if (rect.isEmpty())
        return;
    rubberband_detail::toggle(m_rects, rect);
    changed();
}

void RubberBandOverlay::toggleLine(QPoint from, QPoint to)
{
    rubberband_detail::toggle(m_lines, QLine(from, to));
    changed();
}

void RubberBandOverlay::clear()
{
    if (isEmpty())
        return;
    m_rects.clear();
    m_lines.clear();
    changed();
}

void RubberBandOverlay::changed()
{
    // Shown only while it holds something, so that it costs nothing otherwise.
    setVisible(!isEmpty());
    if (!isEmpty())
        raise();
    update();
}

bool RubberBandOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void RubberBandOverlay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setBrush(Qt::NoBrush);
    for (const platform::Rect& r : m_rects) {
        const QRect box(r.left, r.top, r.width() - 1, r.height() - 1);
        rubberband_detail::drawDotted(p, [&] { p.drawRect(box); });
    }
    for (const QLine& line : m_lines)
        rubberband_detail::drawDotted(p, [&] { p.drawLine(line); });
}
