#pragma once

#include "platform/Rect.h"

#include <QPoint>
#include <QSize>

// The rules of the banner layout window's mouse work, on plain rectangles in
// canvas coordinates (the view's client point plus its scroll position).
namespace bannerlayout {

constexpr int kGrip = 8;           // the text and canvas grips are 8 x 8
constexpr int kCanvasGripHit = 10; // the canvas grip is hit-tested 10 x 10
constexpr int kMinTextBox = 50;    // a text box is at least 50 x 50
constexpr int kSnap = 8;           // corners this close snap 8 pixels apart
constexpr int kLargestBareCanvas = 800;
constexpr int kScrollStep = 3;
constexpr int kViewInset = 8; // the view stands 8 pixels inside the frame

// The text box's grip: 8 x 8 centred on its bottom-right corner.
platform::Rect TextGrip(const platform::Rect& text);
// The canvas grip as drawn (8 x 8) and as hit (10 x 10), from 5 pixels
// up-left of the canvas's corner.
platform::Rect CanvasGripDrawn(const platform::Rect& canvas);
platform::Rect CanvasGripHit(const platform::Rect& canvas);

// Moves the text box to the top-left corner, unless less than 5 pixels of it
// would stay over the canvas; false (nothing moved) then.
bool MoveTextBox(platform::Rect& text, QPoint topLeft, const platform::Rect& canvas);
// Moves the text box's right and bottom edges by the movement, keeping it at
// least 50 x 50.
void ResizeTextBox(platform::Rect& text, QPoint movement);
// The canvas corner dragged to the point; without a picture no side passes
// 800.
platform::Rect DraggedCanvas(QPoint corner, bool hasPicture);

// At the end of a text drag: when the text box's corner is within 8 pixels
// of the canvas's corner in both directions, its right and bottom edges are
// pushed 8 pixels away from the canvas's, on the side where they lie.
void SnapTextBoxToCanvas(platform::Rect& text, const platform::Rect& canvas);
// At the end of a canvas drag: the canvas's corner moves 8 pixels beyond the
// text box's corner when the two are within 8 pixels of each other.
void SnapCanvasToTextBox(platform::Rect& canvas, const platform::Rect& text);

// Keeps the text box's left and top edges at least `margin` pixels inside
// the canvas's right and bottom edges.
void KeepTextBoxInside(platform::Rect& text, const platform::Rect& canvas, int margin);

// Where the whole canvas is shown in canvas-size mode: fitted into the view's
// client area less 16 pixels each way, moved 8 pixels in.
platform::Rect CanvasFit(QSize canvas, QSize viewClient);

// The new canvas a crop selection (view coordinates) stands for: moved by
// minus the fit's corner and scaled by canvas width / fit width, each
// coordinate truncated.
platform::Rect CanvasOfCrop(const platform::Rect& selection, const platform::Rect& fit, int canvasWidth);

// The edge handles of the layout frame, in the order left, right, top,
// bottom: the first two move along the top margin, the others along the left.
enum Handle { kNoHandle = 0, kLeftHandle = 1, kRightHandle = 2, kTopHandle = 3, kBottomHandle = 4 };
struct Handles
{
    platform::Rect left, right, top, bottom;
    platform::Rect& at(int handle);
    const platform::Rect& at(int handle) const;
};

// The handles at rest in a frame of the client size.
Handles HomeHandles(QSize frameClient);
// The handles placed on the fit of the canvas (frame coordinates).
Handles PlacedHandles(const Handles& home, QSize canvas, QSize viewClient);
// The handle moved by the movement along its margin, within its limits:
// never onto its partner, and 4 pixels from the frame's near edge, 5 from
// the far one.
void MoveHandle(Handles& handles, int handle, QPoint movement, QSize frameClient);
// The crop selection the handles stand for, in view coordinates.
platform::Rect CropOfHandles(const Handles& handles, bool releasedElsewhere);

} // namespace bannerlayout
