#include "images/BannerTextRenderer.h"

#include <QElapsedTimer>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::Rect;

constexpr QSize kLayer(400, 120);
const Rect kBox(10, 10, 390, 110);

// A plain look that tells each part of the drawing apart by its colour.
BannerTextParams params(int style, const QString& text = QStringLiteral("HIH"))
{
    BannerTextParams p;
    p.text = text;
    p.style = style;
    p.font.setFamily(QStringLiteral("DejaVu Sans"));
    p.font.setPixelSize(60);
    p.font.setBold(true);
    p.textColor = 0x0000FF;   // red face
    p.borderColor = 0x000000; // black outline
    p.shadowColor = 0xFF0000; // blue shadow
    p.shadowX = 8;
    p.shadowY = 6;
    return p;
}

QRgb opaque(platform::ColorRef c)
{
    return platform::toQColor(c).rgb();
}

// The bounding box of the opaque pixels that satisfy the test.
QRect boundsWhere(const QImage& layer, const std::function<bool(QRgb)>& test)
{
    const QImage image = layer.convertToFormat(QImage::Format_ARGB32);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) >= 128 && test(p))
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

QRect boundsOf(const QImage& layer, QRgb color)
{
    return boundsWhere(layer, [color](QRgb p) { return (p & 0xFFFFFF) == (color & 0xFFFFFF); });
}

int countWhere(const QImage& layer, const std::function<bool(QRgb)>& test)
{
    const QImage image = layer.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

bool isBluish(QRgb p)
{
    return qAlpha(p) == 255 && qBlue(p) > 60 && qRed(p) < 40 && qGreen(p) < 40;
}

bool isReddish(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
}

bool isDark(QRgb p)
{
    return qRed(p) < 100 && qGreen(p) < 60 && qBlue(p) < 60;
}

TEST(BannerTextRenderer, TheStyleListMapsToTheTwelveCodesAndTheirControls)
{
    const int codes[] = {0, 1, 8, 2, 9, 3, 10, 4, 11, 5, 6, 7};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(BannerStyleCodeOfIndex(i), codes[i]) << i;
    EXPECT_EQ(BannerStyleCodeOfIndex(-1), kTextStyleOutlineBlock);
    EXPECT_EQ(BannerStyleCodeOfIndex(12), kTextStyleOutlineBlock);
    for (int i : {0, 1, 2, 5, 6}) {
        EXPECT_FALSE(BannerStyleControlsOfIndex(i).color) << i;
        EXPECT_FALSE(BannerStyleControlsOfIndex(i).offsets) << i;
    }
    for (int i : {3, 4, 7, 8}) {
        EXPECT_TRUE(BannerStyleControlsOfIndex(i).color) << i;
        EXPECT_FALSE(BannerStyleControlsOfIndex(i).offsets) << i;
    }
    for (int i : {9, 10, 11}) {
        EXPECT_TRUE(BannerStyleControlsOfIndex(i).color) << i;
        EXPECT_TRUE(BannerStyleControlsOfIndex(i).offsets) << i;
    }
}

TEST(BannerTextRenderer, AFlatTextHasItsFaceAndOutlineCentredInTheBox)
{
    const QImage layer = Draw3dText(kLayer, kBox, params(kTextStyleNone));
    ASSERT_EQ(layer.size(), kLayer);
    const QRect face = boundsOf(layer, opaque(0x0000FF));
    const QRect outline = boundsWhere(layer, isDark);
    ASSERT_FALSE(face.isEmpty());
    ASSERT_FALSE(outline.isEmpty());
    EXPECT_TRUE(outline.contains(face)) << "the outline runs round the face";
    EXPECT_NEAR(face.center().x(), 200, 4);
    EXPECT_NEAR(face.center().y(), 60, 12);
    EXPECT_EQ(countWhere(layer, isBluish), 0) << "no shadow without a style";
    // Nothing outside the glyphs.
    EXPECT_EQ(qAlpha(layer.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(layer.pixel(398, 118)), 0);
}

TEST(BannerTextRenderer, AnEmptyTextDrawsNothing)
{
    const QImage layer = Draw3dText(kLayer, kBox, params(kTextStyleBlockShadow, QString()));
    EXPECT_EQ(countWhere(layer, [](QRgb p) { return qAlpha(p) != 0; }), 0);
}

TEST(BannerTextRenderer, ShadowsFallByTheirOffsetsBehindTheFace)
{
    const QRect face = boundsOf(Draw3dText(kLayer, kBox, params(kTextStyleNone)), opaque(0x0000FF));
    // Drop shadow: one copy at (8, 6).
    const QImage drop = Draw3dText(kLayer, kBox, params(kTextStyleDropShadow));
    const QRect shadow = boundsOf(drop, opaque(0xFF0000));
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_NEAR(shadow.right(), face.right() + 8, 2);
    EXPECT_NEAR(shadow.bottom(), face.bottom() + 6, 2);
    EXPECT_EQ(drop.pixel(face.center()), opaque(0x0000FF) | 0xFF000000) << "the face is in front";

    // Block shadow: a sweep down to the face, darker at the back.
    const QImage block = Draw3dText(kLayer, kBox, params(kTextStyleBlockShadow));
    const QRect sweep = boundsWhere(block, isBluish);
    EXPECT_NEAR(sweep.right(), face.right() + 8, 2);
    // Beside the right stem of the last "H": the third step in front near
    // the face, the seventh near the back.
    const QImage straight = block.convertToFormat(QImage::Format_ARGB32);
    const QRgb nearFace = straight.pixel(face.right() + 3, face.center().y());
    const QRgb nearBack = straight.pixel(face.right() + 7, face.center().y());
    ASSERT_TRUE(isBluish(nearFace));
    ASSERT_TRUE(isBluish(nearBack));
    EXPECT_GT(qBlue(nearFace), qBlue(nearBack)) << "the back of the block is darker";
    EXPECT_GT(countWhere(block, isBluish), countWhere(drop, isBluish)) << "a block fills between the copies";
}

TEST(BannerTextRenderer, TheOutlineBlockFramesItsSweepInTheOutlineColour)
{
    BannerTextParams p = params(kTextStyleOutlineBlock);
    p.borderColor = 0x00FF00; // green rim
    const QImage block = Draw3dText(kLayer, kBox, p);
    const QRect face = boundsOf(block, opaque(0x0000FF));
    const auto greenish = [](QRgb q) { return qGreen(q) > 200 && qRed(q) < 60 && qBlue(q) < 60; };
    const QRect rim = boundsWhere(block, greenish);
    EXPECT_GE(rim.right(), face.right() + 8) << "the rim runs round the back of the sweep";
    EXPECT_GE(rim.bottom(), face.bottom() + 6);
    p.style = kTextStyleBlockShadow;
    const QRect plainRim = boundsWhere(Draw3dText(kLayer, kBox, p), greenish);
    EXPECT_LT(plainRim.right(), face.right() + 4) << "a plain block has no rim";
}

TEST(BannerTextRenderer, RaisedTextIsLitFromTheTopLeftAndInsetFromTheBottomRight)
{
    // A light copy up-left (raised) or down-right (inset) of the face.
    const auto lightSide = [](int style) {
        const QImage layer = Draw3dText(kLayer, kBox, params(style));
        const QRect face = boundsWhere(layer, isReddish);
        const QRect light =
            boundsWhere(layer, [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 120 && qBlue(p) > 120; });
        return light.center() - face.center();
    };
    const QPoint raised = lightSide(kTextStyleRaisedLight);
    EXPECT_LT(raised.x(), 0);
    EXPECT_LT(raised.y(), 0);
    const QPoint inset = lightSide(kTextStyleInsetLight);
    EXPECT_GT(inset.x(), 0);
    EXPECT_GT(inset.y(), 0);
    // The heavy styles step 2 pixels with the shadow colour as their dark copy.
    const QImage heavy = Draw3dText(kLayer, kBox, params(kTextStyleRaisedHeavy));
    const QRect dark = boundsWhere(heavy, isBluish);
    const QRect face = boundsOf(heavy, opaque(0x0000FF));
    EXPECT_NEAR(dark.bottom() - face.bottom(), 2, 1);
    EXPECT_EQ(countWhere(Draw3dText(kLayer, kBox, params(kTextStyleRaisedLight)), isBluish), 0);
}

TEST(BannerTextRenderer, TheExtraStylesShadeTheInsideOfTheFace)
{
    const auto faceCount = [](int style) {
        return countWhere(Draw3dText(kLayer, kBox, params(style)),
                          [](QRgb p) { return (p & 0xFFFFFF) == (opaque(0x0000FF) & 0xFFFFFF); });
    };
    EXPECT_LT(faceCount(kTextStyleRaisedExtraLight), faceCount(kTextStyleRaisedLight) * 9 / 10);
    EXPECT_LT(faceCount(kTextStyleInsetExtraHeavy), faceCount(kTextStyleInsetHeavy) * 9 / 10);
    // The shading stays on the face: nothing more is covered.
    const auto covered = [](int style) {
        return countWhere(Draw3dText(kLayer, kBox, params(style)), [](QRgb p) { return qAlpha(p) > 0; });
    };
    EXPECT_EQ(covered(kTextStyleRaisedExtraLight), covered(kTextStyleRaisedLight));
}

TEST(BannerTextRenderer, TheAngleTurnsTheTextAboutTheBoxCentre)
{
    BannerTextParams p = params(kTextStyleNone);
    const QSize square(300, 300);
    const Rect box(0, 0, 300, 300);
    const QRect flat = boundsOf(Draw3dText(square, box, p), opaque(0x0000FF));
    p.angle = 900;
    const QImage turned = Draw3dText(square, box, p);
    const QRect upright = boundsOf(turned, opaque(0x0000FF));
    EXPECT_GT(flat.width(), flat.height());
    EXPECT_NEAR(upright.width(), flat.height(), 3);
    EXPECT_NEAR(upright.height(), flat.width(), 3);
    EXPECT_NEAR(upright.center().x(), 150, 12);
    EXPECT_NEAR(upright.center().y(), 150, 4);
    // Counter-clockwise: "HIH" with a tall cap reads from the bottom up, so
    // its underline would fall on the right. With an underline on, the
    // right-hand column of the picture is the underline.
    p.font.setUnderline(true);
    const QRect underlined = boundsOf(Draw3dText(square, box, p), opaque(0x0000FF));
    EXPECT_GT(underlined.right(), upright.right());
}

TEST(BannerTextRenderer, LongTextAndHugeGlyphsAreClippedInBoundedTime)
{
    QElapsedTimer timer;
    timer.start();
    BannerTextParams p = params(kTextStyleBlockShadow, QString(2000, QLatin1Char('W')));
    p.shadowX = 100;
    p.shadowY = 100;
    const QImage longText = Draw3dText(kLayer, kBox, p);
    EXPECT_EQ(longText.size(), kLayer);
    EXPECT_GT(countWhere(longText, [](QRgb q) { return qAlpha(q) > 0; }), kLayer.width() * kLayer.height() / 4);
    p = params(kTextStyleOutlineBlock, QStringLiteral("g"));
    p.font.setPixelSize(8000);
    const QImage huge = Draw3dText(kLayer, kBox, p);
    EXPECT_EQ(huge.size(), kLayer);
    EXPECT_LT(timer.elapsed(), 8000);
}

TEST(BannerTextRenderer, HardEdgesLeaveNoPixelMixedWithTheGround)
{
    const QImage layer = Draw3dText(kLayer, kBox, params(kTextStyleDropShadow));
    const QRgb key = qRgb(0x08, 0xFF, 0x08);
    QImage ground(kLayer, QImage::Format_RGB32);
    ground.fill(key);
    QImage smooth = ground;
    {
        QPainter dc(&ground);
        LayTextLayer(dc, layer, TextEdges::Hard);
        QPainter sdc(&smooth);
        LayTextLayer(sdc, layer, TextEdges::Smooth);
    }
    // Every pixel is the key or a colour the layer holds opaque somewhere.
    const QImage straight = layer.convertToFormat(QImage::Format_ARGB32);
    int mixed = 0;
    int text = 0;
    for (int y = 0; y < kLayer.height(); ++y)
        for (int x = 0; x < kLayer.width(); ++x) {
            const QRgb p = ground.pixel(x, y);
            if ((p & 0xFFFFFF) == (key & 0xFFFFFF))
                continue;
            ++text;
            const QRgb source = straight.pixel(x, y);
            mixed += (qAlpha(source) < 128 || (p & 0xFFFFFF) != (source & 0xFFFFFF)) ? 1 : 0;
        }
    EXPECT_GT(text, 500);
    EXPECT_EQ(mixed, 0);
    // The screen keeps the smooth edges: some pixels blend with the ground.
    int blended = 0;
    for (int y = 0; y < kLayer.height(); ++y)
        for (int x = 0; x < kLayer.width(); ++x) {
            const QRgb p = smooth.pixel(x, y);
            blended += (qGreen(p) > 40 && qGreen(p) < 240 && (p & 0xFFFFFF) != (key & 0xFFFFFF)) ? 1 : 0;
        }
    EXPECT_GT(blended, 0);
}

} // namespace
