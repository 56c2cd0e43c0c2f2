#include "editor/painters/GridSnap.h"

int SnapToGrid(int value, int gridSize)
{
    if (gridSize < 1)
        return value;
    return ((value + gridSize / 2) / gridSize) * gridSize;
}

platform::Rect SnapEditRect(const SnapStep& step)
{
    // 1.-3. The proposed size and how much it changes the element's.
    platform::Rect r = step.rect;
    const int w = r.width(), h = r.height();
    const int w0 = step.before.width(), h0 = step.before.height();
    const int dw = w - w0, dh = h - h0;
    // 4. The proportions kept while Shift is held; an element without a
    // height or width has none to keep.
    const double aspect = step.keepRatio && w0 > 0 && h0 > 0 ? double(w0) / double(h0) : -1.0;
    const bool ratio = aspect > 0;
    const bool snap = step.snap;
    auto grid = [&](int v) { return SnapToGrid(v, step.gridSize); };
    auto widthFromHeight = [&] { return int((r.bottom - r.top) * aspect); };
    auto heightFromWidth = [&] { return int((r.right - r.left) / aspect); };
    // 5.-6. By the edge or corner dragged: the size kept, the snap, the ratio.
    switch (step.corner) {
    case 0:
        if (step.pinned) {
            r = platform::Rect(step.pinnedAt.x(), step.pinnedAt.y(), step.pinnedAt.x() + w, step.pinnedAt.y() + h);
        } else if (snap) {
            r.top = grid(r.top);
            r.left = grid(r.left);
            r.bottom = r.top + h;
            r.right = r.left + w;
        }
        break;
    case 1:
        r.right = r.left + w0;
        if (snap)
            r.top = grid(r.top);
        if (ratio)
            r.right = r.left + widthFromHeight();
        break;
    case 2:
        r.bottom = r.top + h0;
        if (snap)
            r.left = grid(r.left);
        if (ratio)
            r.bottom = r.top + heightFromWidth();
        break;
    case 3:
        r.right = r.left + w0;
        if (snap)
            r.bottom = grid(r.bottom) + 1;
        if (ratio)
            r.right = r.left + widthFromHeight();
        break;
    case 4:
        r.bottom = r.top + h0;
        if (snap)
            r.right = grid(r.right) + 1;
        if (ratio)
            r.bottom = r.top + heightFromWidth();
        break;
    case 5:
        if (snap) {
            r.top = grid(r.top);
            r.left = grid(r.left);
        }
        if (ratio && dw > dh)
            r.top = r.bottom - heightFromWidth();
        else if (ratio)
            r.left = r.right - widthFromHeight();
        break;
    case 6:
        if (snap) {
            r.top = grid(r.top);
            r.right = grid(r.right) + 1;
        }
        if (ratio && dw > dh)
            r.top = r.bottom - heightFromWidth();
        else if (ratio)
            r.right = r.left + widthFromHeight();
        break;
    case 7:
        if (snap) {
            r.bottom = grid(r.bottom) + 1;
            r.left = grid(r.left);
        }
        if (ratio && dw > dh)
            r.bottom = r.top + heightFromWidth();
        else if (ratio)
            r.left = r.right - widthFromHeight();
        break;
    case 8:
        if (snap) {
            r.bottom = grid(r.bottom) + 1;
            r.right = grid(r.right) + 1;
        }
        if (ratio && dw > dh)
            r.bottom = r.top + heightFromWidth();
        else if (ratio)
            r.right = r.left + widthFromHeight();
        break;
    default:
        break;
    }
    return r;
}
