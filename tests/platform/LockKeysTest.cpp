#include "platform/LockKeys.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

TEST(LockKeysTest, WithoutAnX11DisplayTheStateIsUnknownAndOff)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "runs where there is no X11 display";
    const platform::LockKeyState state = platform::lockKeyState();
    EXPECT_FALSE(state.known);
    EXPECT_FALSE(state.capsLock);
    EXPECT_FALSE(state.numLock);
    EXPECT_FALSE(platform::setLockKeyState(true, true));
}

// Under X11 (QT_QPA_PLATFORM=xcb, for example in Xvfb) the state read back is
// the one the keyboard was switched to, for each combination.
TEST(LockKeysTest, UnderX11TheIndicatorsFollowTheLocks)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X11 display";
    const platform::LockKeyState before = platform::lockKeyState();
    ASSERT_TRUE(before.known);
    const bool combinations[][2] = {{true, false}, {false, true}, {true, true}, {false, false}};
    for (const auto& keys : combinations) {
        ASSERT_TRUE(platform::setLockKeyState(keys[0], keys[1]));
        const platform::LockKeyState state = platform::lockKeyState();
        EXPECT_EQ(state.capsLock, keys[0]) << keys[0] << keys[1];
        EXPECT_EQ(state.numLock, keys[1]) << keys[0] << keys[1];
    }
    platform::setLockKeyState(before.capsLock, before.numLock);
}

} // namespace
