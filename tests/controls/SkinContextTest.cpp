// The controls draw through the skin context: the desktop's look until the
// skin manager comes up, the skin's pictures and colours while a skin is on.

#include "controls/CVornaTip.h"
#include "controls/SkinContext.h"
#include "controls/VornaImageButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace {

const QColor kSkinFace(10, 120, 30);
const QColor kSkinTipBackground(250, 240, 100);
const QColor kStatePicture[5] = {QColor(200, 0, 0), QColor(0, 0, 200), QColor(0, 200, 200), QColor(90, 90, 90),
                                 QColor(200, 0, 200)};

// A skin that is on, paints its button states as plain colours and has a
// tooltip background of its own.
class FakeSkin final : public SkinContext
{
public:
    FakeSkin() { SkinContext::install(this); }
    ~FakeSkin() override { SkinContext::install(nullptr); }

    bool isSkinOn() const override { return true; }
    platform::ColorRef sysColor(int index) const override
    {
        return index == COLOR_INFOBK ? platform::fromQColor(kSkinTipBackground) : GetSysColor(index);
    }
    void fillBackground(QPainter& dc, int x, int y, int width, int height, QWidget*, QWidget*) const override
    {
        ++backgroundFills;
        dc.fillRect(QRect(x, y, width, height), kSkinFace);
    }
    bool imageButtonHasTransparentColor() const override { return transparent; }
    void drawImageButton(QPainter& dc, int x, int y, int width, int height, int state) const override
    {
        // The picture leaves a 2-pixel frame, where a transparent skin shows its background.
        dc.fillRect(QRect(x + 2, y + 2, width - 4, height - 4), kStatePicture[state]);
    }

    bool transparent = false;
    mutable int backgroundFills = 0;
};

QImage grabbed(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(SkinContextTest, WithoutASkinTheControlsGetTheDesktopsColours)
{
    const SkinContext& skin = SkinContext::instance();
    EXPECT_FALSE(skin.isSkinOn());
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(platform::toQColor(skin.sysColor(COLOR_INFOBK)), palette.color(QPalette::ToolTipBase));
    EXPECT_EQ(platform::toQColor(skin.sysColor(COLOR_3DFACE)), palette.color(QPalette::Button));
    EXPECT_EQ(platform::toQColor(skin.sysColor(COLOR_GRAYTEXT)), palette.color(QPalette::Disabled, QPalette::Text));

    CVornaTip tip;
    tip.Show(0, 0, QStringLiteral("Arial"));
    EXPECT_EQ(grabbed(tip).pixelColor(tip.width() - 2, tip.height() / 2), palette.color(QPalette::ToolTipBase));
}

TEST(SkinContextTest, ImageButtonDrawsTheSkinsStatePictureWhileASkinIsOn)
{
    FakeSkin skin;
    VornaImageButton button;
    button.resize(40, 30);
    button.show();
    EXPECT_EQ(grabbed(button).pixelColor(3, 3), kStatePicture[0]);
    button.setDown(true);
    EXPECT_EQ(grabbed(button).pixelColor(3, 3), kStatePicture[2]);
    button.setDown(false);
    button.setEnabled(false);
    EXPECT_EQ(grabbed(button).pixelColor(3, 3), kStatePicture[3]);
    // An opaque skin picture needs no background beneath it.
    EXPECT_EQ(skin.backgroundFills, 0);

    skin.transparent = true;
    const QImage shown = grabbed(button);
    EXPECT_EQ(shown.pixelColor(0, 0), kSkinFace);
    EXPECT_GT(skin.backgroundFills, 0);
}

TEST(SkinContextTest, TipTakesTheSkinsColourAndTheDesktopsComesBackAfter)
{
    CVornaTip tip;
    tip.Show(0, 0, QStringLiteral("MS UI Gothic"));
    const QPoint inside(tip.width() - 2, tip.height() / 2);
    {
        FakeSkin skin;
        EXPECT_EQ(grabbed(tip).pixelColor(inside), kSkinTipBackground);
    }
    EXPECT_FALSE(SkinContext::instance().isSkinOn());
    EXPECT_EQ(grabbed(tip).pixelColor(inside), QApplication::palette().color(QPalette::ToolTipBase));
}
