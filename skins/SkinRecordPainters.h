#pragma once

#include "platform/Rect.h"

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>

class QPainter;
struct SkinFramePart;
struct SkinCaptionButton;
struct SkinButtonRecord;
struct SkinMarkRecord;

// Painters that draw straight from the skin's records, and the window outline
// made from a picture.

// Draws a frame part `length` long from `position`, along x when horizontal,
// in its active or inactive look.
void DrawFramePart(const SkinFramePart& part, QPainter& dc, QPoint position, int length, bool horizontal, bool active);

// Draws a frame's two sides from y `top`, `left` at x `leftX` and `right` at
// `rightX`, to the pixels of drawing each picture with the painter; quicker
// for opaque 32-bit pictures of one height, the caches of a frame's sides.
void DrawFrameSides(QPainter& dc, int top, int leftX, const QImage& left, int rightX, const QImage& right);

// Caption button states: the cell in the low bits, kCaptionAlternateGlyph for
// the second group.
constexpr int kCaptionButtonNormal = 0;
constexpr int kCaptionButtonHot = 1;
constexpr int kCaptionButtonPressed = 2;
constexpr int kCaptionAlternateGlyph = 8;
// Draws a caption button at its place in a frame `frameWidth` wide.
void DrawSkinCaptionButton(const SkinCaptionButton& button, QPainter& dc, int frameWidth, bool active, int state);
// Where a caption button stands in a frame `frameWidth` wide.
platform::Rect CaptionButtonRect(const SkinCaptionButton& button, int frameWidth);

// Draws state 0 normal, 1 hot, 2 pressed, 3 disabled or 4 focused of a button
// picture over the box; other states draw nothing.
void DrawSkinButtonImage(const SkinButtonRecord& record, QPainter& dc, int x, int y, int width, int height, int state);
// The cell a button state shows; -1 for none.
int SkinButtonCell(int state);

// Mark states: 0 normal, 1 hot, 2 pressed, 3 disabled, 4 pressed and hot,
// kMarkIndeterminate for a third state.
constexpr int kMarkIndeterminate = 16;
// Draws a check box or radio mark at the left of the box, centred across it.
void DrawSkinCheckImage(const SkinMarkRecord& record, QPainter& dc, int state, bool checked, const platform::Rect& box);
// The cell a mark shows; -1 for none.
int SkinMarkCell(int state, bool checked);

// The outline of the pixels that are not (keepOther) or that are the colour;
// empty when there are none.
QRegion BitmapToRegion(const QImage& bitmap, quint32 colorRef, bool keepOther);

// The outline made for a window whose middle measured `from` stretched to a
// middle of `to`: rectangles crossing the middle lines grow, those beyond
// them move. `to` is raised to at least `least`.
QRegion StretchRegion(const QRegion& region, QSize from, QSize to, QSize least);
