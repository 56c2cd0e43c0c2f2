#include "platform/ColorRef.h"
#include "platform/Rect.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ColorRef, RedSitsInTheLowByte)
{
    constexpr ColorRef c = rgb(0x12, 0x34, 0x56);
    static_assert(c == 0x563412);
    EXPECT_EQ(redOf(c), 0x12);
    EXPECT_EQ(greenOf(c), 0x34);
    EXPECT_EQ(blueOf(c), 0x56);
    EXPECT_EQ(toQColor(c), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(fromQColor(QColor(0x12, 0x34, 0x56, 0x80)), c) << "alpha is not part of a ColorRef";
}

TEST(Rect, RightAndBottomAreExclusive)
{
    const Rect r(10, 20, 30, 50);
    EXPECT_EQ(r.width(), 20);
    EXPECT_EQ(r.height(), 30);
    EXPECT_TRUE(r.contains(10, 20));
    EXPECT_FALSE(r.contains(30, 20));
    EXPECT_FALSE(r.contains(10, 50));
    EXPECT_TRUE(Rect(5, 5, 5, 9).isEmpty());

    const QRect q = r.toQRect();
    EXPECT_EQ(q.right(), 29);
    EXPECT_EQ(q.bottom(), 49);
    EXPECT_EQ(Rect::fromQRect(q), r);
}

TEST(Rect, OffsetAndInflate)
{
    Rect r(0, 0, 10, 10);
    r.offset(5, -5);
    EXPECT_EQ(r, Rect(5, -5, 15, 5));
    r.inflate(1, 2);
    EXPECT_EQ(r, Rect(4, -7, 16, 7));
}
