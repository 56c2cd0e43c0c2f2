#pragma once

#include "platform/ColorRef.h"
#include "platform/Rect.h"

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

// Three-dimensional banner text: a line of text drawn from its glyph outlines
// into a box, turned about the box's centre, with its face, its outline and
// one of twelve depth styles.

// The text-style codes of the banner's text record.
enum BannerTextStyle : int {
    kTextStyleNone = 0,
    kTextStyleInsetLight = 1,
    kTextStyleInsetHeavy = 2,
    kTextStyleRaisedLight = 3,
    kTextStyleRaisedHeavy = 4,
    kTextStyleDropShadow = 5,
    kTextStyleBlockShadow = 6,
    kTextStyleOutlineBlock = 7,
    kTextStyleInsetExtraLight = 8,
    kTextStyleInsetExtraHeavy = 9,
    kTextStyleRaisedExtraLight = 10,
    kTextStyleRaisedExtraHeavy = 11,
};

// The style page's list (index 0-11) in text-style codes; the code 7 (outline
// block) for an index out of range.
int BannerStyleCodeOfIndex(int index);

// What the style page lets the user set for the style at a list index: the
// shadow colour, and the shadow's X and Y offsets.
struct BannerStyleControls
{
    bool color = false;
    bool offsets = false;
};
BannerStyleControls BannerStyleControlsOfIndex(int index);

// The text record: what the text drawing is given.
struct BannerTextParams
{
    QString text;
    int angle = 0; // tenths of a degree, counter-clockwise
    int style = kTextStyleOutlineBlock;
    QFont font;
    platform::ColorRef textColor = 0xCBFBBA;
    platform::ColorRef borderColor = 0x000000;
    platform::ColorRef shadowColor = 0x808080;
    int shadowX = 3;
    int shadowY = 3;

    bool operator==(const BannerTextParams&) const = default;
};

// Drawn text and where it lies: the layer's top-left corner in the
// coordinates of the box.
struct BannerTextLayer
{
    QImage image;
    QPoint origin;
};

// The text drawn, centred in the box and turned by the angle about its
// centre, onto a transparent layer (ARGB32 premultiplied, edges antialiased)
// that covers what the drawing reaches within the clip and no more.
BannerTextLayer Draw3dTextLayer(const QRect& clip, const platform::Rect& box, const BannerTextParams& params);

// The same onto a transparent layer of the size given, from (0, 0): whatever
// falls outside it is cut off; an empty text gives an empty layer.
QImage Draw3dText(const QSize& layerSize, const platform::Rect& box, const BannerTextParams& params);

// Lays a text layer over a picture. With hard edges every pixel of the layer
// is either left out (alpha below 128) or laid on opaque, so no edge pixel
// mixes the picture's colour (a key colour) into the text.
enum class TextEdges { Smooth, Hard };
void LayTextLayer(QPainter& target, const QImage& layer, TextEdges edges, QPoint origin = QPoint());
