#include "editor/painters/CHTMLPainterGrid.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "editor/painters/PainterColors.h"
#include "util/ColorModel.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace paintergrid_detail {

// The first of the lines at origin + k * pitch that is not before `from`.
int firstLine(int origin, int from, int pitch)
{
    const int offset = from - origin;
    const int k = offset >= 0 ? (offset + pitch - 1) / pitch : -((-offset) / pitch);
    return origin + k * pitch;
}

QPen cosmeticPen(platform::ColorRef color, Qt::PenStyle style)
{
    QPen pen(platform::toQColor(color), 1, style);
    pen.setCosmetic(true);
    return pen;
}

} // namespace paintergrid_detail

void CHTMLPainterGrid::DrawGrid(QPainter& painter, const QRect& bounds, const QRect& update, int pitch, int style,
                                platform::ColorRef background)
{
    using paintergrid_detail::firstLine;
    if (pitch < 1 || style < Dots || style > DottedLines)
        return;
    // The lines stand on the page's multiples of the pitch: the page's
    // origin is BODY's top-left.
    const int x0 = firstLine(bounds.left(), update.left(), pitch);
    const int y0 = firstLine(bounds.top(), update.top(), pitch);
    const int right = update.left() + update.width();
    const int bottom = update.top() + update.height();
    painter.save();
    if (style == Dots) {
        painter.setPen(paintergrid_detail::cosmeticPen(InverseColor(background), Qt::SolidLine));
        // Thousands of dots: without a scale they are placed in the device's
        // own pixels, which the painter draws faster than transformed ones.
        QPoint shift;
        if (painter.transform().type() <= QTransform::TxTranslate) {
            shift = QPoint(qRound(painter.transform().dx()), qRound(painter.transform().dy()));
            painter.resetTransform();
        }
        std::vector<QPoint> dots;
        dots.reserve(size_t(std::max(0, (right - x0) / pitch + 1)) * size_t(std::max(0, (bottom - y0) / pitch + 1)));
        for (int y = y0; y < bottom; y += pitch) {
            for (int x = x0; x < right; x += pitch)
                dots.emplace_back(x + shift.x(), y + shift.y());
        }
        painter.drawPoints(dots.data(), int(dots.size()));
    } else {
        const int grey = ContrastValue(RgbToHsv(RgbTriple{platform::redOf(background), platform::greenOf(background),
                                                          platform::blueOf(background)})
                                           .value);
        painter.setPen(paintergrid_detail::cosmeticPen(platform::rgb(grey, grey, grey),
                                                       style == SolidLines ? Qt::SolidLine : Qt::DotLine));
        // Lines start at the page's top and left edge, or at the view's when
        // the page is scrolled, so that dotted lines keep their phase.
        const int top = std::max(0, bounds.top());
        const int left = std::max(0, bounds.left());
        const int lineBottom = bounds.top() + bounds.height();
        const int lineRight = bounds.left() + bounds.width();
        for (int x = x0; x < right; x += pitch)
            painter.drawLine(x, top, x, lineBottom);
        for (int y = y0; y < bottom; y += pitch)
            painter.drawLine(left, y, lineRight, y);
    }
    painter.restore();
}

void CHTMLPainterGrid::DrawPageGuideLines(QPainter& painter, const QRect& bounds, QPoint origin, int right, int bottom,
                                          platform::ColorRef background)
{
    const int dx = right - origin.x();
    const int dy = bottom - origin.y();
    const QPoint corner(bounds.left() + dx, bounds.top() + dy);
    painter.save();
    painter.setPen(paintergrid_detail::cosmeticPen(PageGuideColor(background), Qt::DotLine));
    painter.drawLine(QPoint(bounds.left() + dx, bounds.top()), corner);
    painter.drawLine(QPoint(bounds.left(), bounds.top() + dy), corner);
    painter.restore();
}

void CHTMLPainterGrid::DrawPageGuide(QPainter& painter, const QRect& bounds, platform::ColorRef background)
{
    CMainFrame* frame = CMainFrame::instance();
    // 1. A frame of a frameset page measures from the frameset page's view.
    QPoint origin;
    CChildFrame* child = frame ? frame->GetActiveChild() : nullptr;
    CZQView* framesetView = child ? child->GetFramesetView() : nullptr;
    if (framesetView && m_pView && framesetView != m_pView)
        origin = m_pView->mapToGlobal(QPoint(0, 0)) - framesetView->mapToGlobal(QPoint(0, 0));
    // 2. The guide's size, 800 x 600 when none is set; the right edge leaves
    // room for the browser's scroll bar.
    const QSize size = frame ? frame->m_settings.pageSize : QSize();
    m_nGuideRight = (size.width() > 0 ? size.width() : 800) - 25;
    m_nGuideBottom = size.height() > 0 ? size.height() : 600;
    DrawPageGuideLines(painter, bounds, origin, m_nGuideRight, m_nGuideBottom, background);
}

void CHTMLPainterGrid::draw(QPainter& painter, const QRect& bounds, const QRect& update, int)
{
    CZQApp* app = CZQApp::instance();
    CZQView* active = app ? app->GetActiveView() : nullptr;
    if (!active)
        return;
    CZQView* view = m_pView ? m_pView.data() : active;
    const platform::ColorRef background = PageBackgroundColor(view->GetHtmlDocument());
    CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->m_settings.gridVisible && m_nGridSize > 0)
        DrawGrid(painter, bounds, update, m_nGridSize, m_nGridStyle, background);
    m_bShowPageGuide = frame && frame->m_settings.pageSizeVisible;
    if (m_bShowPageGuide)
        DrawPageGuide(painter, bounds, background);
}
