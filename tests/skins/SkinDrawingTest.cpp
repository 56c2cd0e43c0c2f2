#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

QImage white(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

platform::ColorRef at(const QImage& image, int x, int y)
{
    return platform::fromQColor(image.pixelColor(x, y));
}

constexpr platform::ColorRef kRed = platform::rgb(255, 0, 0);
constexpr platform::ColorRef kBlue = platform::rgb(0, 0, 255);
constexpr platform::ColorRef kWhite = platform::rgb(255, 255, 255);

} // namespace

TEST(SkinDrawing, RingsPutTheirColoursOnTheirEdges)
{
    QImage image = white(12, 12);
    {
        QPainter dc(&image);
        Draw3dRectXY(dc, 1, 1, 10, 10, kRed, kBlue);
    }
    EXPECT_EQ(at(image, 1, 1), kRed);
    EXPECT_EQ(at(image, 9, 1), kRed);
    // The top-right and bottom-left corners belong to the bottom-right colour.
    EXPECT_EQ(at(image, 10, 1), kBlue);
    EXPECT_EQ(at(image, 1, 10), kBlue);
    EXPECT_EQ(at(image, 10, 10), kBlue);
    EXPECT_EQ(at(image, 11, 11), kWhite);
    EXPECT_EQ(at(image, 5, 5), kWhite);

    // Three rings, each a pixel inside the last, in skin colours (the desktop's without a skin).
    QImage triple = white(10, 10);
    {
        QPainter dc(&triple);
        DrawSkinTriple3dRect(dc, platform::Rect(0, 0, 10, 10), COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT,
                             COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE);
    }
    EXPECT_EQ(at(triple, 0, 0), GetSkinSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(triple, 1, 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(triple, 8, 8), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(triple, 2, 5), GetSkinSysColor(COLOR_3DFACE));
    EXPECT_EQ(at(triple, 4, 4), kWhite);
}

TEST(SkinDrawing, TheSizeGripLeavesEveryFourthLineOut)
{
    QImage image = white(20, 20);
    {
        QPainter dc(&image);
        DrawSkinSizeGrip(dc, platform::Rect(0, 0, 20, 20));
    }
    // Line i runs from (20 - i, 20) to (20, 20 - i) without its end: row 19 holds x = 21 - i.
    EXPECT_EQ(at(image, 19, 19), kWhite);                             // i = 2: none
    EXPECT_EQ(at(image, 18, 19), GetSkinSysColor(COLOR_3DSHADOW));    // i = 3
    EXPECT_EQ(at(image, 17, 19), GetSkinSysColor(COLOR_3DSHADOW));    // i = 4
    EXPECT_EQ(at(image, 16, 19), GetSkinSysColor(COLOR_3DHIGHLIGHT)); // i = 5
    EXPECT_EQ(at(image, 15, 19), kWhite);                             // i = 6: none
    EXPECT_EQ(at(image, 12, 15), GetSkinSysColor(COLOR_3DHIGHLIGHT)); // i = 13
    EXPECT_EQ(at(image, 5, 19), kWhite);
}

TEST(SkinDrawing, BarBordersShrinkTheRectangleOnlyOnTheirSides)
{
    QImage image = white(40, 20);
    platform::Rect rect(0, 0, 40, 20);
    {
        QPainter dc(&image);
        DrawSkinBarBorders(dc, 0, rect);
        EXPECT_EQ(rect, platform::Rect(0, 0, 40, 20));
        DrawSkinBarBorders(dc, kBarBorderTop | kBarBorderLeft | kBarBorder3d, rect);
    }
    EXPECT_EQ(rect, platform::Rect(2, 2, 40, 20));
    EXPECT_EQ(at(image, 10, 0), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(image, 10, 1), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 0, 10), GetSkinSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(image, 1, 10), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(at(image, 39, 10), kWhite);
    EXPECT_EQ(at(image, 10, 19), kWhite);

    platform::Rect moved(10, 10, 20, 20);
    EXPECT_FALSE(ScreenToClientRect(nullptr, moved));
    EXPECT_EQ(moved, platform::Rect(10, 10, 20, 20));
}
