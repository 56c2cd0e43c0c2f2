#pragma once

#include "platform/Rect.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

// The areas of a client-side image map as the image-map editor works on them:
// a shape and a list of integers in image coordinates (the IMG's top-left
// corner is 0, 0).
//   rect    x1, y1, x2, y2: two opposite corners in the order they were given
//           (the list is never reordered, so x1 may be greater than x2);
//   circle  cx, cy, r;
//   poly    x0, y0, x1, y1, ...: the vertices in order, closed from the last
//           back to the first; an odd last number is ignored.
// Shape texts compare without regard to case and "polygon" counts as "poly".
// Everything here is plain arithmetic on the lists, so that the editor's
// gestures can be checked without a page.

enum class AreaShape { Other, Rect, Circle, Poly };

AreaShape AreaShapeOf(const QString& shape);
// The shape's text as the editor writes it: "rect", "circle", "poly"; empty
// for Other.
QString AreaShapeText(AreaShape shape);

// The numbers an area needs to be read from the page (rect 4, circle 3,
// poly 1) and to be reshaped by its handles (poly 2); 0 for Other.
int AreaNumbersToRead(AreaShape shape);
int AreaNumbersToEdit(AreaShape shape);

// Reads a coords text into a list. The text is split at every comma and each
// piece read as a decimal integer the C way: leading blanks skipped, an
// optional sign, then digits up to the first other character; a piece
// without digits reads 0 and a value past the range of int is clamped to it.
// So "" gives [0], "1,,2" gives [1, 0, 2] and "1, 2," gives [1, 2, 0].
void ParseCoordinatePair(const QString& text, std::vector<int>& list);

// The coords text the editor writes: "%d, %d, %d" for a circle, "%d, %d, %d,
// %d" for a rect, every number joined by "," for a poly; empty when the list
// is too short or the shape is Other.
QString AreaCoordsText(AreaShape shape, const std::vector<int>& coords);

// ---- handles
// The handles of an area in image coordinates: the four corners of a rect
// (x1,y1), (x2,y1), (x1,y2), (x2,y2); the four corners of a circle's bounding
// square in the same order; one per vertex of a poly. Empty when the list is
// too short to be edited.
std::vector<QPoint> AreaHandles(AreaShape shape, const std::vector<int>& coords);
// The 6 x 6 square of a handle: x - 3 <= px < x + 3, y - 3 <= py < y + 3.
QRect AreaHandleRect(QPoint handle);
// The first handle whose square holds the point; -1 for none.
int HitAreaHandle(const std::vector<QPoint>& handles, QPoint point);

// ---- drawing and reshaping
// The circle drawn by a drag from the press to the mouse: it fills the square
// on the shorter side of the dragged rectangle, anchored at the press. The
// square comes back in `rubber` (normalised). A drag up or left of the press
// draws the square on that side instead of a negative radius.
std::vector<int> CircleFromDrag(QPoint press, QPoint mouse, platform::Rect* rubber = nullptr);
// A circle whose handle is dragged to the mouse while the opposite corner of
// its bounding square stays: the square on the shorter side, centred half its
// side from the fixed corner toward the mouse.
std::vector<int> CircleFromHandle(QPoint fixedCorner, QPoint mouse);
// Reshapes an area by moving one of its handles to a point. False, and no
// change, when the list is too short to be edited or the handle is not one of
// the area's.
bool DragAreaHandlePoint(AreaShape shape, std::vector<int>& coords, int handle, QPoint point);
// Moves an area as a whole (a poly needs one number, its complete pairs move).
// False, and no change, when the list is too short to be read.
bool MoveAreaBy(AreaShape shape, std::vector<int>& coords, QPoint delta);

// Whether one of the area's key points lies on the image: the handles of a
// rect or circle, the vertices of a poly, each moved by the image origin and
// tested against the image rectangle (right and bottom edges outside). Only
// these points count: a circle whose disc covers the image with all four
// corners outside it is off the image.
bool AreaTouchesImageRect(AreaShape shape, const std::vector<int>& coords, QPoint origin, const platform::Rect& image);

// ---- writing
// A value in double quotes as it goes into an attribute text, with "&" and
// '"' written as references so that blanks, quotes and ">" read back intact.
QString QuotedAttributeValue(const QString& value);
// The attribute text of a new AREA (what stands between "<AREA" and ">"):
//   circle  href="URL" shape="circle" coords="..." id="ID"
//   rect    href= "URL" shape="rect" coords="..." id="ID"
//   poly    href= "URL" shape="poly" coords="..." id="ID"
// each followed by one blank; a target, when given, follows as
// ` target="T" ` (rect, circle) or `target="T" ` (poly).
QString NewAreaAttributeText(AreaShape shape, const QString& url, const QString& coordsText, const QString& id,
                             const QString& target);
