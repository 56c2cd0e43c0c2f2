#pragma once

#include "platform/Rect.h"

#include <QStringList>

#include <array>
#include <vector>

class QFontMetrics;

// The icons of minimised page windows as plain arithmetic: where a new icon
// goes in the area that holds the page windows, how icons come back into a
// shrunk area, the frames of the zoom between a window and its icon, and the
// lines of an icon's title.
namespace mdiicons {

constexpr int kCellWidth = 75;
constexpr int kCellHeight = 70;
constexpr int kZoomSteps = 19;
// The picture 32 x 32, 4 pixels below the cell's top; the title from 40 pixels below it.
constexpr int kPictureSize = 32;
constexpr int kPictureTop = 4;
constexpr int kTitleTop = 40;

// The first free cell for a new icon in an area of that size: rows from the
// bottom up, cells from the left, none overlapping an icon already there.
// (0, 0, 75, 70) when the area has no free cell.
platform::Rect FindFreeCell(int width, int height, const std::vector<platform::Rect>& icons);

// The cells of `count` icons laid out afresh in an area of that size, first
// icon first, each in the first cell FindFreeCell leaves it.
std::vector<platform::Rect> ArrangeCells(int width, int height, size_t count);

// The cell moved left or up until it lies inside an area of that size (as
// far as it can: never past the area's left or top).
platform::Rect PullBack(platform::Rect cell, int width, int height);

// The cell moved by (dx, dy), kept inside an area of that size.
platform::Rect MoveInside(platform::Rect cell, int dx, int dy, int width, int height);

// The frames of the zoom from one rectangle to another, each step a
// twentieth of the way (cut to whole pixels).
std::array<platform::Rect, kZoomSteps> ZoomSteps(const platform::Rect& from, const platform::Rect& to);

// The title broken into at most maxLines lines of at most `width` pixels at
// spaces; a word too long for a line, and the last line when more follows,
// end with "…".
QStringList TitleLines(const QString& title, const QFontMetrics& metrics, int width, int maxLines);

} // namespace mdiicons
