#pragma once

#include "platform/ColorRef.h"
#include "platform/Rect.h"

class QPainter;
class QWidget;

// The drawing functions the skin painters share. Colours given as indexes
// are resolved through GetSkinSysColor when drawn. A ring (A/B) has its top
// and left edges in A, its right and bottom edges in B.

// Fills the rectangle (x, y, x + width, y + height); width and height may be
// negative, filling back from x or y.
void FillRectSolidXY(QPainter& dc, int x, int y, int width, int height, platform::ColorRef colour);
void FillRectSolid(QPainter& dc, const platform::Rect& rect, platform::ColorRef colour);
// A 1-pixel ring on the box.
void Draw3dRectXY(QPainter& dc, int x, int y, int width, int height, platform::ColorRef topLeft,
                  platform::ColorRef bottomRight);
void Draw3dRectHDC(QPainter& dc, const platform::Rect& rect, platform::ColorRef topLeft,
                   platform::ColorRef bottomRight);
// A ring on the rectangle and another 1 pixel inside it.
void DrawDouble3dRect(QPainter& dc, const platform::Rect& rect, platform::ColorRef outerTopLeft,
                      platform::ColorRef outerBottomRight, platform::ColorRef innerTopLeft,
                      platform::ColorRef innerBottomRight);
void DrawSkinDouble3dRect(QPainter& dc, const platform::Rect& rect, int outerTopLeft, int outerBottomRight,
                          int innerTopLeft, int innerBottomRight);
// Three rings, each 1 pixel inside the last.
void DrawSkinTriple3dRect(QPainter& dc, const platform::Rect& rect, int first1, int first2, int second1, int second2,
                          int third1, int third2);
// Diagonal grip lines in the bottom-right corner of the rectangle.
void DrawSkinSizeGrip(QPainter& dc, const platform::Rect& rect);
// A shadow line with a highlight line beside it.
void DrawSkinEtchedLine(QPainter& dc, int x, int y, int length, bool horizontal);

// The border sides of a bar.
enum SkinBarBorder {
    kBarBorderLeft = 0x100,
    kBarBorderTop = 0x200,
    kBarBorderRight = 0x400,
    kBarBorderBottom = 0x800,
    kBarBorder3d = 0x80,
};
// The borders of a bar with those sides in skin colours; the rectangle then
// excludes them.
void DrawSkinBarBorders(QPainter& dc, int borders, platform::Rect& rect);
// The grip of a docked bar: a raised strip 3 pixels wide along its start.
void DrawSkinGripper(QPainter& dc, const platform::Rect& rect, bool horizontal, int borderTop, int borderBottom);
// A bare drop-down arrow in the button text colour, centred in the rectangle.
void DrawSkinDropArrow(QPainter& dc, const platform::Rect& rect);

// The rectangle moved from screen to the widget's coordinates, and back;
// false (the rectangle unchanged) without a widget.
bool ScreenToClientRect(const QWidget* widget, platform::Rect& rect);
bool ClientToScreenRect(const QWidget* widget, platform::Rect& rect);

// The arrows of scroll buttons.
enum class SkinArrow { Up, Down, Left, Right };
// A scroll button's glyph: the rectangle filled with `fill`, the arrow in
// the button text colour centred on it, a pixel down and right when pushed.
void DrawSkinFrameControl(QPainter& dc, const platform::Rect& rect, SkinArrow arrow, bool pushed,
                          platform::ColorRef fill);
