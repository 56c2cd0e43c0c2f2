#include "images/BannerLayoutGeometry.h"

#include "controls/CPicture.h"

#include <algorithm>
#include <cstdlib>

namespace bannerlayout {

using platform::Rect;

Rect TextGrip(const Rect& text)
{
    return Rect(text.right - kGrip / 2, text.bottom - kGrip / 2, text.right + kGrip / 2, text.bottom + kGrip / 2);
}

Rect CanvasGripDrawn(const Rect& canvas)
{
    return Rect(canvas.right - 5, canvas.bottom - 5, canvas.right - 5 + kGrip, canvas.bottom - 5 + kGrip);
}

Rect CanvasGripHit(const Rect& canvas)
{
    return Rect(canvas.right - 5, canvas.bottom - 5, canvas.right - 5 + kCanvasGripHit,
                canvas.bottom - 5 + kCanvasGripHit);
}

bool MoveTextBox(Rect& text, QPoint topLeft, const Rect& canvas)
{
    const Rect moved(topLeft.x(), topLeft.y(), topLeft.x() + text.width(), topLeft.y() + text.height());
    if (moved.left + 5 >= canvas.width() || moved.top + 5 >= canvas.height() || moved.right - 5 < 1 ||
        moved.bottom - 5 < 1)
        return false;
    text = moved;
    return true;
}

void ResizeTextBox(Rect& text, QPoint movement)
{
    text.right = std::max(text.right + movement.x(), text.left + kMinTextBox);
    text.bottom = std::max(text.bottom + movement.y(), text.top + kMinTextBox);
}

Rect DraggedCanvas(QPoint corner, bool hasPicture)
{
    int x = corner.x();
    int y = corner.y();
    if (!hasPicture) {
        x = std::min(x, kLargestBareCanvas);
        y = std::min(y, kLargestBareCanvas);
    }
    // An empty canvas would make the next composition start the banner
    // afresh: the corner stays at least one pixel in.
    return Rect(0, 0, std::max(x, 1), std::max(y, 1));
}

namespace {

bool cornersClose(const Rect& a, const Rect& b)
{
    return std::abs(a.right - b.right) < kSnap && std::abs(a.bottom - b.bottom) < kSnap;
}

} // namespace

void SnapTextBoxToCanvas(Rect& text, const Rect& canvas)
{
    if (!cornersClose(text, canvas))
        return;
    text.right = text.right < canvas.right ? canvas.right - kSnap : canvas.right + kSnap;
    text.bottom = text.bottom < canvas.bottom ? canvas.bottom - kSnap : canvas.bottom + kSnap;
}

void SnapCanvasToTextBox(Rect& canvas, const Rect& text)
{
    if (!cornersClose(text, canvas))
        return;
    canvas.right = text.right + kSnap;
    canvas.bottom = text.bottom + kSnap;
}

void KeepTextBoxInside(Rect& text, const Rect& canvas, int margin)
{
    if (canvas.right - text.left <= margin)
        text.offset(canvas.right - margin - text.left, 0);
    if (canvas.bottom - text.top <= margin)
        text.offset(0, canvas.bottom - margin - text.top);
}

Rect CanvasFit(QSize canvas, QSize viewClient)
{
    Rect fit = FitRectInBox(canvas.width(), canvas.height(), viewClient.width() - 16, viewClient.height() - 16);
    fit.offset(8, 8);
    return fit;
}

Rect CanvasOfCrop(const Rect& selection, const Rect& fit, int canvasWidth)
{
    if (fit.width() <= 0)
        return selection;
    const double scale = double(canvasWidth) / fit.width();
    const auto scaled = [scale](int v) { return int(v * scale); };
    return Rect(scaled(selection.left - fit.left), scaled(selection.top - fit.top), scaled(selection.right - fit.left),
                scaled(selection.bottom - fit.top));
}

Rect& Handles::at(int handle)
{
    switch (handle) {
    case kLeftHandle:
        return left;
    case kRightHandle:
        return right;
    case kTopHandle:
        return top;
    default:
        return bottom;
    }
}

const Rect& Handles::at(int handle) const
{
    return const_cast<Handles*>(this)->at(handle);
}

Handles HomeHandles(QSize frameClient)
{
    const int w = frameClient.width();
    const int h = frameClient.height();
    return {Rect(9, 0, 25, 8), Rect(w - 21, 0, w - 5, 8), Rect(0, 9, 8, 25), Rect(0, h - 21, 8, h - 5)};
}

namespace {

Rect centredOnX(const Rect& home, int x)
{
    return Rect(x - home.width() / 2, home.top, x - home.width() / 2 + home.width(), home.bottom);
}

Rect centredOnY(const Rect& home, int y)
{
    return Rect(home.left, y - home.height() / 2, home.right, y - home.height() / 2 + home.height());
}

} // namespace

Handles PlacedHandles(const Handles& home, QSize canvas, QSize viewClient)
{
    Rect fit = CanvasFit(canvas, viewClient);
    fit.offset(kViewInset, kViewInset);
    return {centredOnX(home.left, fit.left), centredOnX(home.right, fit.right), centredOnY(home.top, fit.top),
            centredOnY(home.bottom, fit.bottom)};
}

void MoveHandle(Handles& handles, int handle, QPoint movement, QSize frameClient)
{
    if (handle == kLeftHandle || handle == kRightHandle) {
        Rect& left = handles.left;
        Rect& right = handles.right;
        int dx = movement.x();
        if (handle == kLeftHandle) {
            dx = std::min(dx, right.left - 1 - left.right);
            dx = std::max(dx, 4 - left.left);
            left.offset(dx, 0);
        } else {
            dx = std::max(dx, left.right + 1 - right.left);
            dx = std::min(dx, frameClient.width() - 5 - right.right);
            right.offset(dx, 0);
        }
    } else if (handle == kTopHandle || handle == kBottomHandle) {
        Rect& top = handles.top;
        Rect& bottom = handles.bottom;
        int dy = movement.y();
        if (handle == kTopHandle) {
            dy = std::min(dy, bottom.top - 1 - top.bottom);
            dy = std::max(dy, 4 - top.top);
            top.offset(0, dy);
        } else {
            dy = std::max(dy, top.bottom + 1 - bottom.top);
            dy = std::min(dy, frameClient.height() - 5 - bottom.bottom);
            bottom.offset(0, dy);
        }
    }
}

Rect CropOfHandles(const Handles& handles, bool releasedElsewhere)
{
    Rect crop(handles.left.left + handles.left.width() / 2, handles.top.top + handles.top.height() / 2,
              handles.right.left + handles.right.width() / 2, handles.bottom.top + handles.bottom.height() / 2);
    crop.offset(-kViewInset, -kViewInset);
    if (releasedElsewhere)
        crop.offset(-1, -1);
    return crop;
}

} // namespace bannerlayout
