// Pictures with style filters as the page shows them: the effect painted inside the image's box, from a filter text
// written over several lines as the image commands write it, and the one-click effects side by side compared with a
// reviewed screenshot (PAGINOR_UPDATE_EXPECTED=1 writes it anew).

#include "LayoutFixture.h"

#include "engine/layout/ImageFilters.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr const char* kEffects[] = {
    "",
    "progid:DXImageTransform.Microsoft.emboss(enabled='true')",
    "progid:DXImageTransform.Microsoft.engrave(enabled='true')",
    "progid:DXImageTransform.Microsoft.BasicImage(grayscale=1)",
    "progid:DXImageTransform.Microsoft.BasicImage(invert=1)",
    "progid:DXImageTransform.Microsoft.BasicImage(xray=1)",
    "progid:DXImageTransform.Microsoft.Blur(PixelRadius=4)",
    "progid:DXImageTransform.Microsoft.BasicImage(mirror=1)",
    "progid:DXImageTransform.Microsoft.BasicImage(rotation=2, mirror=1)",
};

QImage renderPage(const QString& body, int width, int height)
{
    engine::LayoutEngine layout;
    layout.setViewportSize(QSize(width, height));
    layout.setBaseFolder(layout_test::fixtureFolder());
    layout.load(QStringLiteral("<html><body style=\"margin:0\">") + body + QStringLiteral("</body></html>"));
    layout.layout(width);
    return layout.render(width, height).convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b, int tolerance)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb pa = a.pixel(x, y), pb = b.pixel(x, y);
            if (std::abs(qRed(pa) - qRed(pb)) > tolerance || std::abs(qGreen(pa) - qGreen(pb)) > tolerance ||
                std::abs(qBlue(pa) - qBlue(pb)) > tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace

TEST(ImageFilterRender, TheImageBoxShowsTheFilteredPicture)
{
    const QString filter = QStringLiteral("\nprogid:DXImageTransform.Microsoft.BasicImage(invert=1)\n"
                                          "progid:DXImageTransform.Microsoft.emboss(enabled='true')");
    const QImage page =
        renderPage(QStringLiteral("<img src=photo.png width=60 height=40 style=\"filter: %1\">").arg(filter), 100, 60);
    const QImage photo(layout_test::fixtureFolder() + QStringLiteral("/photo.png"));
    ASSERT_FALSE(photo.isNull());
    const QImage expected = engine::applyImageFilters(photo, filter).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(differingPixels(page.copy(0, 0, 60, 40), expected, 2), 0);
    // The plain picture is not what the filtered page shows.
    EXPECT_GT(differingPixels(page.copy(0, 0, 60, 40), photo.convertToFormat(QImage::Format_RGB32), 24), 100);
}

TEST(ImageFilterRender, OneClickEffectsMatchReviewedScreenshot)
{
    QString body;
    for (const char* effect : kEffects)
        body += QStringLiteral("<img src=photo.png width=120 height=80 style=\"margin:4px; filter: %1\">")
                    .arg(QString::fromLatin1(effect));
    const QImage actual = renderPage(body, 3 * 128, 3 * 88);
    const QString expectedPath = layout_test::sourceDir() + QStringLiteral("/tests/data/expected/image-effects.png");
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(actual.save(expectedPath));
        return;
    }
    const QImage expected = QImage(expectedPath).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << expectedPath.toStdString();
    ASSERT_EQ(actual.size(), expected.size());
    EXPECT_LT(differingPixels(actual, expected, 24), actual.width() * actual.height() / 1000);
}

TEST(ImageFilterRender, TransformEffectsMatchReviewedScreenshot)
{
    // The eight effects of the effects dialog at its pages' defaults.
    constexpr const char* kTransforms[] = {
        "progid:DXImageTransform.Microsoft.Alpha(Opacity=100, FinishOpacity=0, Style=2, StartX=0, FinishX=100, "
        "StartY=0, FinishY=100)",
        "progid:DXImageTransform.Microsoft.dropshadow(OffX=5, OffY=5, Color=red, Positive='true')",
        "progid:DXImageTransform.Microsoft.Glow(Color=red, Strength=5)",
        "progid:DXImageTransform.Microsoft.gradient(enabled='true',GradientType='1', startColorstr=#a00000ff, "
        "endColorStr=#a0ff0000)",
        "progid:DXImageTransform.Microsoft.MotionBlur(Strength=10, Direction=270, Add='true')",
        "progid:DXImageTransform.Microsoft.Shadow(Color=lime, Strength=10, Direction=45)",
        "progid:DXImageTransform.Microsoft.Wave(Add='false', LightStrength=40, Phase=0, Strength=0, Freq=5)",
        "progid:DXImageTransform.Microsoft.BasicImage(opacity=0.500000)",
        "progid:DXImageTransform.Microsoft.Wave(Add='false', LightStrength=40, Phase=25, Strength=6, Freq=2)",
    };
    QString body;
    for (const char* effect : kTransforms)
        body += QStringLiteral("<img src=photo.png width=120 height=80 style=\"margin:4px; filter: %1\">")
                    .arg(QString::fromLatin1(effect));
    const QImage actual = renderPage(body, 3 * 128, 3 * 88);
    const QString expectedPath =
        layout_test::sourceDir() + QStringLiteral("/tests/data/expected/image-effects-painted.png");
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(actual.save(expectedPath));
        return;
    }
    const QImage expected = QImage(expectedPath).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << expectedPath.toStdString();
    ASSERT_EQ(actual.size(), expected.size());
    EXPECT_LT(differingPixels(actual, expected, 24), actual.width() * actual.height() / 1000);
}
