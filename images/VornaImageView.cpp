#include "images/VornaImageView.h"

#include "images/BannerLayoutGeometry.h"
#include "images/VornaPropertySheetTextImage.h"

#include "platform/ProgramCursors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace imageview_detail {

// The text-move cursor.
constexpr int kTextMoveCursor = 537;

QColor color(platform::ColorRef c)
{
    return platform::toQColor(c);
}

// A focus rectangle: a dotted frame one pixel wide.
void drawFocusRect(QPainter& dc, const platform::Rect& r)
{
    if (r.isEmpty())
        return;
    dc.save();
    dc.setBrush(Qt::NoBrush);
    dc.setPen(QPen(Qt::black, 1, Qt::DotLine));
    dc.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
    dc.restore();
}

void outline(QPainter& dc, const platform::Rect& r, const QPen& pen)
{
    dc.setPen(pen);
    dc.setBrush(Qt::NoBrush);
    dc.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
}

} // namespace imageview_detail

VornaImageView::VornaImageView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize VornaImageView::ClientSize() const
{
    return viewport()->size();
}

QPoint VornaImageView::ScrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void VornaImageView::SetWholeBannerShown(bool shown)
{
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
}

void VornaImageView::SetScrollSize(QSize size)
{
    m_sizeScroll = size;
    // Twice: a scroll bar that comes or goes changes the client area.
    for (int pass = 0; pass < 2; ++pass) {
        const QSize client = ClientSize();
        horizontalScrollBar()->setRange(0, std::max(0, size.width() - client.width()));
        horizontalScrollBar()->setPageStep(client.width());
        verticalScrollBar()->setRange(0, std::max(0, size.height() - client.height()));
        verticalScrollBar()->setPageStep(client.height());
    }
    viewport()->update();
}

void VornaImageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_sizeScroll.isEmpty())
        m_sizeScroll = ClientSize();
    SetScrollSize(m_sizeScroll);
}

void VornaImageView::SetCropSelection(const platform::Rect& selection)
{
    m_rcCrop = selection;
    m_bCropValid = true;
    viewport()->update();
}

void VornaImageView::ClearCropSelection()
{
    m_rcCrop = platform::Rect();
    m_bCropValid = false;
    viewport()->update();
}

void VornaImageView::CancelTextDrag()
{
    m_bTextMove = false;
    m_bTextResize = false;
    m_rcFeedback = platform::Rect();
}

bool VornaImageView::Dragging() const
{
    return m_bTextMove || m_bTextResize || (m_pSheet && m_pSheet->model().m_bCanvasDrag);
}

void VornaImageView::paintEvent(QPaintEvent*)
{
    if (!m_pSheet)
        return;
    QPainter dc(viewport());
    if (m_pSheet->IsCanvasModeOn())
        DrawCanvasMode(dc);
    else
        DrawNormal(dc);
}

void VornaImageView::DrawNormal(QPainter& dc)
{
    namespace detail = imageview_detail;
    const BannerModel& model = m_pSheet->model();
    dc.fillRect(rect(), detail::color(model.m_crWindow));
    dc.translate(-ScrollPosition());
    const platform::Rect& canvas = model.m_rcCanvas;
    // The canvas's right and bottom edges, the banner, its corner grip.
    dc.setPen(QPen(detail::color(0xC0C0C0), 1, Qt::DashLine));
    dc.drawPolyline(
        QPolygon({QPoint(0, canvas.height()), QPoint(canvas.width(), canvas.height()), QPoint(canvas.width(), 0)}));
    if (const QImage* composite = model.Composite())
        dc.drawImage(QPoint(0, 0), *composite, QRect(0, 0, canvas.width(), canvas.height()));
    detail::outline(dc, bannerlayout::CanvasGripDrawn(canvas), QPen(Qt::black, 1));
    // The text box and its grip.
    if (model.m_bTextAreaShown && !m_bTextMove) {
        detail::outline(dc, model.m_rcText, QPen(detail::color(0xC0C0C0), 1, Qt::DotLine));
        detail::outline(dc, bannerlayout::TextGrip(model.m_rcText), QPen(detail::color(0xC0C0C0), 1));
    }
    detail::drawFocusRect(dc, m_rcFeedback);
}

void VornaImageView::DrawCanvasMode(QPainter& dc)
{
    namespace detail = imageview_detail;
    const BannerModel& model = m_pSheet->model();
    const QSize client = ClientSize();
    const platform::Rect fit =
        bannerlayout::CanvasFit(QSize(model.m_rcCanvas.width(), model.m_rcCanvas.height()), client);
    if (m_rcCrop.isEmpty())
        m_rcCrop = fit;
    // Drawn on a plain colour surface, where the banner can be laid with
    // AND: its white parts show what lies below.
    QImage surface(client, QImage::Format_RGB32);
    {
        QPainter paint(&surface);
        paint.fillRect(surface.rect(), Qt::white);
        paint.fillRect(surface.rect(), QBrush(detail::color(0x96FF96), Qt::DiagCrossPattern));
        paint.fillRect(m_rcCrop.toQRect(), detail::color(model.m_crWindow));
        const QImage scaled = m_pSheet->RenderScaled(fit);
        if (!scaled.isNull()) {
            paint.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            paint.drawImage(fit.toQRect(), scaled.convertToFormat(QImage::Format_RGB32));
            paint.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        paint.setPen(QPen(detail::color(0x00FF00), 1, Qt::DashLine));
        for (int x : {m_rcCrop.left, m_rcCrop.right})
            paint.drawLine(x, 0, x, client.height());
        for (int y : {m_rcCrop.top, m_rcCrop.bottom})
            paint.drawLine(0, y, client.width(), y);
    }
    dc.drawImage(0, 0, surface);
}

void VornaImageView::mousePressEvent(QMouseEvent* event)
{
    if (!m_pSheet || m_pSheet->IsCanvasModeOn() || event->button() != Qt::LeftButton)
        return;
    BannerModel& model = m_pSheet->model();
    const QPoint point = event->position().toPoint();
    const QPoint scroll = ScrollPosition();
    if (model.m_bTextAreaShown) {
        platform::Rect text = model.m_rcText;
        text.offset(-scroll.x(), -scroll.y());
        m_szGrab = QSize(point.x() - text.left, point.y() - text.top);
        if (bannerlayout::TextGrip(text).contains(point)) {
            m_bTextResize = true;
            viewport()->setCursor(Qt::SizeFDiagCursor);
        } else if (text.contains(point)) {
            m_bTextMove = true;
            viewport()->setCursor(platform::ProgramCursors::cursor(imageview_detail::kTextMoveCursor));
        }
        m_ptLast = point + scroll;
    }
    if (!m_bTextMove && !m_bTextResize) {
        platform::Rect grip = bannerlayout::CanvasGripHit(model.m_rcCanvas);
        grip.offset(-scroll.x(), -scroll.y());
        if (grip.contains(point)) {
            model.m_bCanvasDrag = true;
            viewport()->setCursor(Qt::SizeFDiagCursor);
        }
    }
    if (m_bTextMove || m_bTextResize)
        m_rcFeedback = model.m_rcText;
    viewport()->update();
}

QPoint VornaImageView::AutoScroll(QPoint point)
{
    const QSize client = ClientSize();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const QPoint scroll = ScrollPosition();
    QSize grown = m_sizeScroll;
    if (point.x() >= client.width()) {
        grown.setWidth(std::max(grown.width(), scroll.x() + point.x() + bannerlayout::kScrollStep));
        SetScrollSize(grown);
        h->setValue(h->value() + bannerlayout::kScrollStep);
        point.setX(client.width() - 1);
    } else if (point.x() < 0) {
        h->setValue(h->value() - bannerlayout::kScrollStep);
        point.setX(0);
    }
    if (point.y() >= client.height()) {
        grown.setHeight(std::max(grown.height(), scroll.y() + point.y() + bannerlayout::kScrollStep));
        SetScrollSize(grown);
        v->setValue(v->value() + bannerlayout::kScrollStep);
        point.setY(client.height() - 1);
    } else if (point.y() < 0) {
        v->setValue(v->value() - bannerlayout::kScrollStep);
        point.setY(0);
    }
    return point;
}

void VornaImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pSheet || m_pSheet->IsCanvasModeOn())
        return;
    BannerModel& model = m_pSheet->model();
    QPoint point = event->position().toPoint();
    if (!Dragging()) {
        UpdateHoverCursor(point);
        return;
    }
    point = AutoScroll(point);
    const QPoint canvasPoint = point + ScrollPosition();
    if (m_bTextResize) {
        bannerlayout::ResizeTextBox(model.m_rcText, canvasPoint - m_ptLast);
        m_ptLast = QPoint(model.m_rcText.right, model.m_rcText.bottom);
        m_rcFeedback = model.m_rcText;
    } else if (m_bTextMove) {
        const QPoint topLeft = canvasPoint - QPoint(m_szGrab.width(), m_szGrab.height());
        if (bannerlayout::MoveTextBox(model.m_rcText, topLeft, model.m_rcCanvas)) {
            m_rcFeedback = model.m_rcText;
            m_ptLast = canvasPoint;
        }
    } else if (model.m_bCanvasDrag) {
        model.m_rcCanvas = bannerlayout::DraggedCanvas(canvasPoint, model.HasPicture());
        m_pSheet->QuickCompose();
    }
    viewport()->update();
}

void VornaImageView::UpdateHoverCursor(QPoint point)
{
    const BannerModel& model = m_pSheet->model();
    const QPoint canvasPoint = point + ScrollPosition();
    const bool overText = model.m_bTextAreaShown && model.m_rcText.contains(canvasPoint);
    if (model.m_bTextAreaShown && bannerlayout::TextGrip(model.m_rcText).contains(canvasPoint))
        viewport()->setCursor(Qt::SizeFDiagCursor);
    else if (overText)
        viewport()->setCursor(platform::ProgramCursors::cursor(imageview_detail::kTextMoveCursor));
    else if (bannerlayout::CanvasGripHit(model.m_rcCanvas).contains(canvasPoint))
        viewport()->setCursor(Qt::SizeFDiagCursor);
    else
        viewport()->setCursor(Qt::ArrowCursor);
}

void VornaImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pSheet || event->button() != Qt::LeftButton || !Dragging())
        return;
    BannerModel& model = m_pSheet->model();
    if (model.m_bCanvasDrag) {
        model.m_bCanvasDrag = false;
        bannerlayout::SnapCanvasToTextBox(model.m_rcCanvas, model.m_rcText);
    } else {
        m_bTextMove = false;
        m_bTextResize = false;
        bannerlayout::SnapTextBoxToCanvas(model.m_rcText, model.m_rcCanvas);
    }
    m_rcFeedback = platform::Rect();
    viewport()->setCursor(Qt::ArrowCursor);
    m_pSheet->Compose();
}
