#pragma once

#include "platform/Rect.h"

#include <QPoint>
#include <QSize>

// One step of a move or resize of a positioned element as the edit host
// settles it. Coordinates are the page's, so that the grid lies on the
// page's multiples of its pitch wherever the view is scrolled.
struct SnapStep
{
    platform::Rect rect; // the engine's proposal
    QSize before;        // the element's size before the step
    int corner = 0; // 0 move; 1 top, 2 left, 3 bottom, 4 right; 5..8 top-left, top-right, bottom-left, bottom-right
    int gridSize = 40;
    bool snap = false;
    bool keepRatio = false; // Shift held (never for an EMBED)
    bool pinned = false;    // the element stays at `pinnedAt` (an image whose map is edited)
    QPoint pinnedAt;
};

// The value moved to the nearest grid line: ((v + g / 2) / g) * g, the
// division truncating toward zero. A pitch below 1 leaves it.
int SnapToGrid(int value, int gridSize);

// The box the step ends with. Snapped right and bottom edges lie one pixel
// past their grid line; with Shift the width follows the height (or the
// height the width, whichever the step changed more at a corner).
platform::Rect SnapEditRect(const SnapStep& step);
