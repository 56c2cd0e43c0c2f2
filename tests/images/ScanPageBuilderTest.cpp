#include "images/ScanPageBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ScanFrameFormat frame(ScanFrameKind kind, int width, int lines, int depth, int bytesPerLine, bool last = true)
{
    ScanFrameFormat format;
    format.kind = kind;
    format.pixelsPerLine = width;
    format.lines = lines;
    format.depth = depth;
    format.bytesPerLine = bytesPerLine;
    format.lastFrame = last;
    return format;
}

// Feeds the bytes in portions of the given size, as a scanner's reads come.
void feed(ScanPageBuilder& builder, const QByteArray& bytes, int portion)
{
    for (qsizetype at = 0; at < bytes.size(); at += portion)
        builder.append(bytes.constData() + at, std::min<qsizetype>(portion, bytes.size() - at));
}

TEST(ScanPageBuilder, GrayLinesArriveInAnyPortions)
{
    ScanPageBuilder builder(1000000);
    // 3 x 2 pixels, 4 bytes a line (one byte of padding).
    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Gray, 3, 2, 8, 4)));
    EXPECT_EQ(builder.frameBytesExpected(), 8);
    feed(builder, QByteArray("\x00\x80\xFF\x55\x10\x20\x30\x66", 8), 3);
    EXPECT_EQ(builder.frameBytesReceived(), 8);
    ASSERT_TRUE(builder.endFrame());
    EXPECT_TRUE(builder.pageComplete());
    const QImage page = builder.takePage();
    ASSERT_EQ(page.size(), QSize(3, 2));
    EXPECT_EQ(page.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(1, 0), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(page.pixel(2, 1), qRgb(0x30, 0x30, 0x30));
}

TEST(ScanPageBuilder, OneBitIsBlackWhereSetAndSixteenBitsKeepTheirHighByte)
{
    ScanPageBuilder builder(1000000);
    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Gray, 10, 1, 1, 2)));
    feed(builder, QByteArray("\xA0\x40", 2), 1); // 1010 0000 01..
    ASSERT_TRUE(builder.endFrame());
    QImage page = builder.takePage();
    EXPECT_EQ(page.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(9, 0), qRgb(0, 0, 0));

    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Rgb, 1, 1, 16, 6)));
    const quint16 samples[3] = {0xFF00, 0x8012, 0x00FF};
    QByteArray bytes(6, '\0');
    std::memcpy(bytes.data(), samples, 6);
    feed(builder, bytes, 5);
    ASSERT_TRUE(builder.endFrame());
    page = builder.takePage();
    EXPECT_EQ(page.pixel(0, 0), qRgb(0xFF, 0x80, 0x00));
}

TEST(ScanPageBuilder, ThreePassFramesMakeOneColourPage)
{
    ScanPageBuilder builder(1000000);
    const ScanFrameKind order[] = {ScanFrameKind::Green, ScanFrameKind::Red, ScanFrameKind::Blue};
    const char values[] = {'\x20', '\x10', '\x30'};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(builder.beginFrame(frame(order[i], 2, 2, 8, 2, i == 2)));
        feed(builder, QByteArray(4, values[i]), 4);
        ASSERT_TRUE(builder.endFrame());
        EXPECT_EQ(builder.pageComplete(), i == 2);
    }
    const QImage page = builder.takePage();
    EXPECT_EQ(page.pixel(1, 1), qRgb(0x10, 0x20, 0x30));
}

TEST(ScanPageBuilder, HandScannerPageEndsAtItsLastWholeLine)
{
    ScanPageBuilder builder(1000000);
    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Rgb, 2, -1, 8, 6)));
    EXPECT_EQ(builder.frameBytesExpected(), -1);
    feed(builder, QByteArray(6 * 5 + 4, '\x7F'), 7);
    ASSERT_TRUE(builder.endFrame());
    EXPECT_EQ(builder.takePage().size(), QSize(2, 5));
}

TEST(ScanPageBuilder, ShortFrameKeepsItsLinesAndLeavesTheRestWhite)
{
    ScanPageBuilder builder(1000000);
    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Gray, 2, 4, 8, 2)));
    feed(builder, QByteArray(4, '\0'), 4);
    ASSERT_TRUE(builder.endFrame());
    const QImage page = builder.takePage();
    EXPECT_EQ(page.size(), QSize(2, 4));
    EXPECT_EQ(page.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(0, 2), qRgb(255, 255, 255));
}

TEST(ScanPageBuilder, FramesThatDisagreeOrCannotBeReadAreRefused)
{
    ScanPageBuilder builder(1000);
    // A red frame, then a later frame that does not fit it: the page is dropped.
    for (const ScanFrameFormat& next :
         {frame(ScanFrameKind::Green, 5, 2, 8, 5, false), frame(ScanFrameKind::Green, 4, 3, 8, 4, false),
          frame(ScanFrameKind::Green, 4, 2, 16, 8, false), frame(ScanFrameKind::Gray, 4, 2, 8, 4)}) {
        ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Red, 4, 2, 8, 4, false)));
        feed(builder, QByteArray(8, '\1'), 8);
        ASSERT_TRUE(builder.endFrame());
        EXPECT_FALSE(builder.beginFrame(next));
        EXPECT_EQ(builder.error(), ScanPageError::FrameMismatch);
        EXPECT_TRUE(builder.takePage().isNull());
    }

    EXPECT_FALSE(builder.beginFrame(frame(ScanFrameKind::Gray, 4, 2, 4, 2)));
    EXPECT_EQ(builder.error(), ScanPageError::UnsupportedFrame);
    EXPECT_FALSE(builder.beginFrame(frame(ScanFrameKind::Rgb, 4, 2, 8, 4)));
    EXPECT_EQ(builder.error(), ScanPageError::UnsupportedFrame) << "a line too short for its pixels";
    EXPECT_FALSE(builder.beginFrame(frame(ScanFrameKind(7), 4, 2, 8, 4)));
    EXPECT_FALSE(builder.beginFrame(frame(ScanFrameKind::Gray, 100, 20, 8, 100)));
    EXPECT_EQ(builder.error(), ScanPageError::TooLarge);

    // A hand scanner that never stops grows too large; a frame with no line brings nothing.
    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Gray, 10, -1, 8, 10)));
    feed(builder, QByteArray(10 * 200, '\0'), 64);
    EXPECT_FALSE(builder.endFrame());
    EXPECT_EQ(builder.error(), ScanPageError::TooLarge);
    ASSERT_TRUE(builder.beginFrame(frame(ScanFrameKind::Gray, 10, -1, 8, 10)));
    feed(builder, QByteArray(9, '\0'), 9);
    EXPECT_FALSE(builder.endFrame());
    EXPECT_EQ(builder.error(), ScanPageError::NoLines);
}

} // namespace
