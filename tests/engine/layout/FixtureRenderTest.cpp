// Renders the fixture pages and compares them with the screenshots under
// tests/data/expected/ that a person has looked at. Set
// PAGINOR_UPDATE_EXPECTED=1 to write new screenshots after a deliberate change
// (and look at them before committing).

#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = la[x], pb = lb[x];
            if (std::abs(qRed(pa) - qRed(pb)) > 24 || std::abs(qGreen(pa) - qGreen(pb)) > 24 ||
                std::abs(qBlue(pa) - qBlue(pb)) > 24)
                ++count;
        }
    }
    return count;
}

class FixtureRender : public ::testing::TestWithParam<const char*>
{
};

TEST_P(FixtureRender, MatchesReviewedScreenshot)
{
    const QString name = QString::fromLatin1(GetParam());
    engine::LayoutEngine layout;
    layout.setViewportSize(QSize(800, 600));
    layout_test::loadFixture(layout, name + ".html");
    const QImage actual = layout.render(800, 600).convertToFormat(QImage::Format_RGB32);
    const QString expectedPath = layout_test::sourceDir() + "/tests/data/expected/layout-" + name + ".png";
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(actual.save(expectedPath));
        return;
    }
    const QImage expected = QImage(expectedPath).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << expectedPath.toStdString();
    ASSERT_EQ(actual.size(), expected.size());
    // Anti-aliasing may differ by a few pixels; layout changes move thousands.
    EXPECT_LT(differingPixels(actual, expected), actual.width() * actual.height() / 1000);
}

INSTANTIATE_TEST_SUITE_P(Pages, FixtureRender,
                         ::testing::Values("text", "tables", "tables-caption", "objects", "positioned", "hidden"));

} // namespace
