#include "app/TutorialTarget.h"

#include <gtest/gtest.h>

namespace {

struct TargetCase
{
    const char* what;
    quintptr wParam;
    qintptr lParam;
    bool hasChild;
    bool frameset;
    QStringList frames;
    TutorialTarget target;
};

class TutorialTargetTest : public ::testing::TestWithParam<TargetCase>
{
};

TEST_P(TutorialTargetTest, RequestChoosesThePage)
{
    const TargetCase& c = GetParam();
    EXPECT_EQ(ChooseTutorialTarget(c.wParam, c.lParam, c.hasChild, c.frameset, c.frames), c.target) << c.what;
}

const QStringList kAlbum{QStringLiteral("menu"), QStringLiteral("album"), QStringLiteral("title")};

INSTANTIATE_TEST_SUITE_P(
    Cases, TutorialTargetTest,
    ::testing::Values(
        TargetCase{"any other request: the page being edited", 3, 0, true, false, {}, TutorialTarget::ActiveView},
        TargetCase{"no page open", 6, 1, false, false, {}, TutorialTarget::None},
        TargetCase{"a plain page", 6, 0, true, false, {}, TutorialTarget::None},
        TargetCase{"a frameset page", 6, 0, true, true, kAlbum, TutorialTarget::FramesetView},
        TargetCase{"an album", 6, 1, true, true, kAlbum, TutorialTarget::ContentsView},
        TargetCase{"album frames in the other order",
                   6,
                   1,
                   true,
                   true,
                   {QStringLiteral("album"), QStringLiteral("menu")},
                   TutorialTarget::None},
        TargetCase{"a frameset with one frame", 6, 1, true, true, {QStringLiteral("menu")}, TutorialTarget::None}));

} // namespace
