#include "commands/ImageFilterText.h"

#include <gtest/gtest.h>

namespace {

QString press(unsigned id, QString text)
{
    NextImageFilterText(id, ImageFilterCall(id), text);
    return text;
}

const QString kEmboss = QStringLiteral("progid:DXImageTransform.Microsoft.emboss(enabled='true')");
const QString kGray = QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(grayscale=1)");
const QString kMirror = QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(mirror=1)");

} // namespace

TEST(ImageFilterText, AnEffectAlreadyThereMovesToTheEnd)
{
    const QString once = press(33312, QString());
    EXPECT_EQ(once, QLatin1Char('\n') + kEmboss);
    EXPECT_EQ(press(33312, once), once);
    const QString mixed = press(33312, press(33314, once));
    EXPECT_EQ(mixed, QLatin1Char('\n') + kGray + QLatin1Char('\n') + kEmboss);
    // The key is found whatever the case of the written call.
    EXPECT_EQ(press(33314, QStringLiteral("\nPROGID:DXIMAGETRANSFORM.MICROSOFT.BASICIMAGE(GRAYSCALE=1)")),
              QLatin1Char('\n') + kGray);
    // The mirrors append every time.
    EXPECT_EQ(press(1410, press(1410, QString())), QLatin1Char('\n') + kMirror + QLatin1Char('\n') + kMirror);
}

TEST(ImageFilterText, BlurStepsBetweenZeroAndTwenty)
{
    QString text;
    for (int i = 0; i < 3; ++i)
        text = press(33317, text);
    EXPECT_EQ(text, QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=3)"));
    EXPECT_EQ(press(33319, text), QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=2)"));

    QString top = QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=20)");
    EXPECT_FALSE(NextImageFilterText(33317, ImageFilterCall(33317), top));
    EXPECT_EQ(top, QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=20)"));
    QString none = QLatin1Char('\n') + kEmboss;
    EXPECT_FALSE(NextImageFilterText(33319, ImageFilterCall(33319), none));
    EXPECT_EQ(none, QLatin1Char('\n') + kEmboss);
    // Down to 0, where the call stays.
    EXPECT_EQ(press(33319, QStringLiteral("\nblur(pixelradius=1)")),
              QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=0)"));
    // A motion blur of the effects dialog gives way to the step blur.
    EXPECT_EQ(press(33317, QLatin1Char('\n') + kEmboss +
                               QStringLiteral("\nprogid:DXImageTransform.Microsoft.MotionBlur(strength=5)")),
              QLatin1Char('\n') + kEmboss + QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=1)"));
}

TEST(ImageFilterText, DialogListReplacesEverything)
{
    EXPECT_EQ(ImageFilterListText({QString(), QStringLiteral("a(x=1)"), QString(), QStringLiteral("b(y=2)")}),
              QStringLiteral("\n\na(x=1)\nb(y=2)"));
    EXPECT_TRUE(ImageFilterCall(33318).isEmpty());
}
