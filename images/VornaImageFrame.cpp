#include "images/VornaImageFrame.h"

#include "images/VornaImageView.h"
#include "images/VornaPropertySheetTextImage.h"

#include "controls/SkinContext.h"

#include <QMouseEvent>
#include <QPainter>

// The drag feedback of a handle, over the view: the handle's focus
// rectangle and the guide across the banner.
class VornaImageFrame::Feedback : public QWidget
{
public:
    explicit Feedback(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

    void show(const platform::Rect& handle, const platform::Rect& guide)
    {
        m_handle = handle;
        m_guide = guide;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter dc(this);
        dc.setPen(QPen(Qt::black, 1, Qt::DotLine));
        dc.setBrush(Qt::NoBrush);
        for (const platform::Rect& r : {m_handle, m_guide})
            if (!r.isEmpty())
                dc.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
    }

private:
    platform::Rect m_handle;
    platform::Rect m_guide;
};

namespace imageframe_detail {

// A handle: an arrow of five points towards the banner.
QPolygon handleShape(const platform::Rect& r)
{
    const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    if (r.width() <= r.height())
        return QPolygon(
            {QPoint(l, t), QPoint(l + 3, t), QPoint(rr, t + r.height() / 2), QPoint(l + 3, b), QPoint(l, b)});
    return QPolygon({QPoint(l, t), QPoint(l, t + 3), QPoint(l + r.width() / 2, b), QPoint(rr, t + 3), QPoint(rr, t)});
}

// The guide of a handle across the frame's client area.
platform::Rect guideOf(const bannerlayout::Handles& handles, int handle, QSize client)
{
    const platform::Rect& r = handles.at(handle);
    if (handle == bannerlayout::kLeftHandle || handle == bannerlayout::kRightHandle) {
        const int x = r.left + r.width() / 2;
        return platform::Rect(x + 2, 9, x + 4, client.height() - 9);
    }
    const int y = r.top + r.height() / 2;
    return platform::Rect(9, y + 2, client.width() - 9, y + 4);
}

} // namespace imageframe_detail

VornaImageFrame::VornaImageFrame(VornaPropertySheetTextImage* sheet, QWidget* parent) : QWidget(parent), m_pSheet(sheet)
{
    m_pView = new VornaImageView(this);
    m_pView->SetSheet(sheet);
    m_pFeedback = new Feedback(this);
}

void VornaImageFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int inset = bannerlayout::kViewInset;
    m_pView->setGeometry(inset, inset, width() - 2 * inset, height() - 2 * inset);
    m_pFeedback->setGeometry(rect());
    m_pFeedback->raise();
    m_homes = bannerlayout::HomeHandles(size());
    if (!m_pSheet->IsCanvasModeOn())
        m_handles = m_homes;
}

void VornaImageFrame::PlaceHandles()
{
    const platform::Rect& canvas = m_pSheet->model().m_rcCanvas;
    m_handles = bannerlayout::PlacedHandles(m_homes, QSize(canvas.width(), canvas.height()), m_pView->ClientSize());
    update();
}

void VornaImageFrame::paintEvent(QPaintEvent*)
{
    QPainter dc(this);
    SkinContext::instance().fillBackground(dc, 0, 0, width(), height(), m_pSheet, this);
    dc.setPen(QPen(platform::toQColor(0x969696), 1));
    dc.setBrush(Qt::NoBrush);
    dc.drawRect(0, 0, width() - 1, height() - 1);
    if (!m_pSheet->IsCanvasModeOn())
        return;
    dc.setRenderHint(QPainter::Antialiasing, false);
    for (int handle = bannerlayout::kLeftHandle; handle <= bannerlayout::kBottomHandle; ++handle) {
        const QPolygon shape = imageframe_detail::handleShape(m_handles.at(handle));
        dc.setPen(QPen(platform::toQColor(0xBE0000), 2));
        dc.setBrush(platform::toQColor(0xFF6464));
        dc.drawPolygon(shape, Qt::OddEvenFill);
    }
}

void VornaImageFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    for (int handle = bannerlayout::kLeftHandle; handle <= bannerlayout::kBottomHandle; ++handle) {
        if (m_handles.at(handle).contains(point)) {
            m_nDragged = handle;
            break;
        }
    }
    m_ptLast = point;
    m_pFeedback->show(platform::Rect(), platform::Rect());
}

void VornaImageFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (m_nDragged == bannerlayout::kNoHandle)
        return;
    const QPoint point = event->position().toPoint();
    bannerlayout::MoveHandle(m_handles, m_nDragged, point - m_ptLast, size());
    m_pFeedback->show(m_handles.at(m_nDragged), imageframe_detail::guideOf(m_handles, m_nDragged, size()));
    m_ptLast = point;
}

void VornaImageFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_nDragged == bannerlayout::kNoHandle || event->button() != Qt::LeftButton)
        return;
    m_pView->SetCropSelection(bannerlayout::CropOfHandles(m_handles, event->position().toPoint() != m_ptLast));
    m_nDragged = bannerlayout::kNoHandle;
    m_pFeedback->show(platform::Rect(), platform::Rect());
    update();
}
