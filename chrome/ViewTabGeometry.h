#pragma once

#include "platform/Rect.h"

#include <QFont>
#include <QPoint>
#include <QStringList>
#include <array>

// The view tabs of a page window as plain arithmetic: a band down the left
// side of the window with three tabs (edit, source, preview), the page
// inside a border beside it.
namespace viewtabs {

// The first tab's hit code; the others follow.
constexpr int kFirstTabCode = 1000;
// What the window's border answers elsewhere.
constexpr int HTBORDER = 18;
constexpr int kTabCount = 3;
constexpr int kBandWidth = 14;
constexpr int kTabHeight = 50;
// The page's room: 19 pixels in from the left, 5 from the other sides.
constexpr int kLeftMargin = 19;
constexpr int kMargin = 5;

// The window's own frame around the band and the page (none where the frame
// is drawn elsewhere).
struct Borders
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Tab i (0 edit, 1 source, 2 preview) in window coordinates.
platform::Rect TabRect(const Borders& borders, int tab);
// The band behind the tabs in a window `height` high.
platform::Rect BandRect(const Borders& borders, int height);
// The page's rectangle in a window of that size.
platform::Rect ClientRect(const Borders& borders, int width, int height);

// The hit code of a point that no part of the window claims: 1000 + the
// tab under it, or HTBORDER.
int HitTest(const Borders& borders, QPoint point);

// The order to draw the tabs in: the current tab after the one that follows
// it, so that it lies over both neighbours.
std::array<int, kTabCount> PaintOrder(int current);

// The labels' font: `base` at a height of 11 pixels from the top of its
// tallest letter to the bottom of its deepest one, as fonts were sized by
// their cell in the system the tabs come from; smaller when a label would
// still run past the `room` along its tab.
QFont LabelFont(const QFont& base, const QStringList& labels, int room);

} // namespace viewtabs
