// The image effects dialog's rules without its windows: which filters of an image's filter text it takes for its own,
// what it keeps, and how each page reads and writes its filter.

#include "dialogs/ImgCssFilterSet.h"
#include "dialogs/ImgCssPageModel.h"

#include "controls/ColorValue.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <clocale>

namespace {

using Texts = std::array<QString, kImgCssFilterCount>;

Texts defaultsOf(std::initializer_list<int> checked)
{
    Texts texts;
    for (int i : checked)
        texts[size_t(i)] = ImgCssPageModel(i).GetFilterText();
    return texts;
}

ImgCssPageModel readBack(int index, const QString& filter)
{
    ImgCssPageModel page(index);
    page.ReadFilter(filter);
    return page;
}

} // namespace

TEST(ImgCssFilterSet, AnImageWithoutFiltersGivesAnEmptyResult)
{
    ImgCssFilterSet set;
    set.Recognise(QString());
    for (int i = 0; i < kImgCssFilterCount; ++i)
        EXPECT_FALSE(set.recognised(i));
    EXPECT_TRUE(set.Result(Texts{}).isEmpty());
    EXPECT_EQ(set.Result(defaultsOf({kImgCssGlow})), QLatin1Char('\n') + ImgCssPageModel(kImgCssGlow).GetFilterText());
}

TEST(ImgCssFilterSet, WhatTheDialogWroteComesBackInIndexOrder)
{
    ImgCssPageModel wave(kImgCssWave), alpha(kImgCssAlpha), opacity(kImgCssOpacity);
    wave.setValue(0, 70);
    alpha.setValue(1, 30);
    opacity.setValue(0, 7);
    // Written out of order, as a hand might.
    const QString written = QLatin1Char('\n') + wave.GetFilterText() + QLatin1Char('\n') + opacity.GetFilterText() +
                            QLatin1Char('\n') + alpha.GetFilterText();
    ImgCssFilterSet set;
    set.Recognise(written);
    EXPECT_TRUE(set.recognised(kImgCssWave));
    EXPECT_TRUE(set.recognised(kImgCssAlpha));
    EXPECT_TRUE(set.recognised(kImgCssOpacity));
    EXPECT_FALSE(set.recognised(kImgCssShadow));
    EXPECT_TRUE(set.otherFilters().trimmed().isEmpty()) << set.otherFilters().toStdString();
    Texts texts;
    for (int i : {kImgCssAlpha, kImgCssWave, kImgCssOpacity}) {
        ImgCssPageModel page = readBack(i, written);
        texts[size_t(i)] = page.GetFilterText();
    }
    EXPECT_EQ(texts[kImgCssWave], wave.GetFilterText());
    EXPECT_EQ(texts[kImgCssAlpha], alpha.GetFilterText());
    EXPECT_EQ(texts[kImgCssOpacity], opacity.GetFilterText());
    EXPECT_EQ(set.Result(texts).trimmed(), (alpha.GetFilterText() + QLatin1Char('\n') + wave.GetFilterText() +
                                            QLatin1Char('\n') + opacity.GetFilterText()));
}

TEST(ImgCssFilterSet, UnknownFiltersStayAtTheHeadWithTheirCase)
{
    const QString emboss = QStringLiteral("progid:DXImageTransform.Microsoft.emboss(enabled='true')");
    const QString gray = QStringLiteral("\nprogid:DXImageTransform.Microsoft.BasicImage(grayscale=1)");
    const QString glow = QStringLiteral("\nprogid:DXImageTransform.Microsoft.Glow(Color=blue, Strength=9)");
    ImgCssFilterSet set;
    set.Recognise(emboss + glow + gray);
    EXPECT_TRUE(set.recognised(kImgCssGlow));
    // A BasicImage whose first argument is not the opacity is no opacity filter.
    EXPECT_FALSE(set.recognised(kImgCssOpacity));
    EXPECT_EQ(set.otherFilters(), emboss + gray);
    const Texts texts = defaultsOf({kImgCssGlow});
    EXPECT_TRUE(set.Result(texts).startsWith(emboss + gray + QLatin1Char('\n')));
    EXPECT_EQ(set.PreviewFilter(texts), emboss + gray + QLatin1Char(' ') + texts[kImgCssGlow]);
}

TEST(ImgCssFilterSet, DropShadowIsNotTakenForShadowButASecondOneIs)
{
    const QString drop = QStringLiteral("progid:DXImageTransform.Microsoft.dropshadow(OffX=3, OffY=4, Color=red)");
    ImgCssFilterSet set;
    set.Recognise(drop);
    EXPECT_TRUE(set.recognised(kImgCssDropShadow));
    EXPECT_FALSE(set.recognised(kImgCssShadow));
    set.Recognise(drop + QLatin1Char(' ') + drop);
    EXPECT_TRUE(set.recognised(kImgCssDropShadow));
    EXPECT_TRUE(set.recognised(kImgCssShadow));
    EXPECT_TRUE(set.otherFilters().trimmed().isEmpty());
    // The shadow page looks for its own key, so it shows its defaults.
    EXPECT_EQ(readBack(kImgCssShadow, drop + drop).values(), ImgCssPageModel(kImgCssShadow).values());
}

TEST(ImgCssFilterSet, AnAlphaWithoutPrefixIsReplacedByThePagesDefaults)
{
    ImgCssFilterSet set;
    set.Recognise(QStringLiteral("Alpha(Opacity=20)"));
    EXPECT_TRUE(set.recognised(kImgCssAlpha));
    EXPECT_TRUE(set.otherFilters().isEmpty());
    EXPECT_EQ(readBack(kImgCssAlpha, QStringLiteral("Alpha(Opacity=20)")).value(0), 100u);
}

TEST(ImgCssFilterSet, BadTextsNeitherCrashNorTakeLong)
{
    ImgCssFilterSet set;
    for (const char* text : {"alpha(opacity=5", ")))(((", "glow(", "wave(add=", "basicimage(opacity)"}) {
        set.Recognise(QLatin1String(text));
        for (int i = 0; i < kImgCssFilterCount; ++i)
            readBack(i, QLatin1String(text)).GetFilterText();
    }
    // An unclosed call is no filter and stays where it was.
    set.Recognise(QStringLiteral("alpha(opacity=5"));
    EXPECT_FALSE(set.recognised(kImgCssAlpha));
    EXPECT_EQ(set.otherFilters(), QStringLiteral("alpha(opacity=5"));
    QString many;
    for (int i = 0; i < 10000; ++i)
        many += QStringLiteral("chroma(color=#%1) ").arg(i);
    QElapsedTimer timer;
    timer.start();
    set.Recognise(many + QStringLiteral("glow(color=red)"));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_TRUE(set.recognised(kImgCssGlow));
    // The glow leaves with the blank before it.
    EXPECT_EQ(set.otherFilters(), many.chopped(1));
}

TEST(ImgCssPage, EveryPageReadsBackWhatItWrote)
{
    for (int i = 0; i < kImgCssFilterCount; ++i) {
        ImgCssPageModel page(i);
        // Each field moved off its default to another value it may hold.
        const auto& fields = page.spec().fields;
        for (size_t f = 0; f < fields.size(); ++f) {
            const ImgCssField& field = fields[f];
            if (field.kind == ImgCssField::Color)
                page.setValue(int(f), platform::rgb(0x12, 0x34, 0x56 + int(f)));
            else
                page.setValue(int(f),
                              field.defaultValue == quint32(field.high) ? quint32(field.low) : quint32(field.high));
        }
        const QString text = page.GetFilterText();
        const ImgCssPageModel back = readBack(i, QStringLiteral("emboss() ") + text + QStringLiteral("  \n"));
        EXPECT_EQ(back.values(), page.values()) << text.toStdString();
        EXPECT_EQ(back.GetFilterText(), text);
    }
}

TEST(ImgCssPage, TextsAsWritten)
{
    EXPECT_EQ(ImgCssPageModel(kImgCssAlpha).GetFilterText(),
              QStringLiteral("progid:DXImageTransform.Microsoft.Alpha(Opacity=100, FinishOpacity=0, Style=2, StartX=0, "
                             "FinishX=100, StartY=0, FinishY=100)"));
    EXPECT_EQ(ImgCssPageModel(kImgCssGradient).GetFilterText(),
              QStringLiteral("progid:DXImageTransform.Microsoft.gradient(enabled='true',GradientType='1', "
                             "startColorstr=#a00000ff, endColorStr=#a0ff0000)"));
    EXPECT_EQ(ImgCssPageModel(kImgCssWave).GetFilterText(),
              QStringLiteral("progid:DXImageTransform.Microsoft.Wave(Add='false', LightStrength=40, Phase=0, "
                             "Strength=0, Freq=5)"));
    EXPECT_EQ(ImgCssPageModel(kImgCssShadow).GetFilterText(),
              QStringLiteral("progid:DXImageTransform.Microsoft.Shadow(Color=Lime, Strength=10, Direction=45)"));
    // Opacity in tenths, with six decimals whatever the locale says.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    ImgCssPageModel opacity(kImgCssOpacity);
    EXPECT_EQ(opacity.GetFilterText(),
              QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(opacity=0.500000)"));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(readBack(kImgCssOpacity, QStringLiteral("BasicImage(opacity=1) progid:DXImageTransform.Microsoft."
                                                      "BasicImage(opacity=0.700000)"))
                  .value(0),
              7u);
    // Only the first BasicImage is read; without an opacity there, the default stays.
    EXPECT_EQ(readBack(kImgCssOpacity, QStringLiteral("progid:DXImageTransform.Microsoft.BasicImage(mirror=1) "
                                                      "progid:DXImageTransform.Microsoft.BasicImage(opacity=0.2)"))
                  .value(0),
              5u);
}

TEST(ImgCssPage, ValuesOutOfRangeAreNotReadAndNeverWritten)
{
    const QString alpha = QStringLiteral("progid:DXImageTransform.Microsoft.Alpha(Opacity=1e9, FinishOpacity=-5, "
                                         "Style=0)");
    const ImgCssPageModel a = readBack(kImgCssAlpha, alpha);
    EXPECT_EQ(a.value(0), 1u); // "1e9" reads as its leading 1, as atoi reads it
    EXPECT_EQ(a.value(1), 0u);
    EXPECT_EQ(a.value(2), 1u); // style 0 is no entry: ラジアル stays
    ImgCssPageModel blur(kImgCssMotionBlur);
    blur.ReadFilter(QStringLiteral("progid:DXImageTransform.Microsoft.MotionBlur(Strength=301, Direction=abc)"));
    // (no number is no value: the field keeps its own)
    EXPECT_EQ(blur.values(), ImgCssPageModel(kImgCssMotionBlur).values());
    // A box holding more than its range writes its high end; leaving it clamps it.
    blur.setValue(0, 999);
    EXPECT_TRUE(blur.GetFilterText().contains(QLatin1String("Strength=300,")));
    blur.ClampToRange(0);
    EXPECT_EQ(blur.value(0), 300u);
    // The wave's frequency is read from 0 but written from 1.
    ImgCssPageModel wave = readBack(kImgCssWave, QStringLiteral("progid:DXImageTransform.Microsoft.Wave(add=TRUE, "
                                                                "phase=250, freq=0)"));
    EXPECT_EQ(wave.value(1), 0u);
    EXPECT_EQ(wave.value(2), 10u); // a phase past the last entry selects the last
    EXPECT_EQ(wave.value(3), 0u);
    EXPECT_TRUE(wave.GetFilterText().contains(QLatin1String("Add='true', LightStrength=40, Phase=100, Strength=0, "
                                                            "Freq=1)")));
    wave.ClampToRange(1);
    EXPECT_EQ(wave.value(1), 1u);
    EXPECT_EQ(ImgCssPageModel::PhaseEntryOf(-5), 0);
    EXPECT_EQ(ImgCssPageModel::PhaseEntryOf(37), 3);
}

TEST(ImgCssPage, GradientAndPickerColours)
{
    // "#rrggbb" is the colour with the alpha left as it was; "#aarrggbb" brings both.
    const ImgCssPageModel g =
        readBack(kImgCssGradient, QStringLiteral("progid:DXImageTransform.Microsoft.gradient(GradientType=0, "
                                                 "startColorstr=#102030, endColorStr=#7f405060)"));
    EXPECT_EQ(g.value(0), 0u);
    EXPECT_EQ(g.value(1), platform::rgb(0x10, 0x20, 0x30));
    EXPECT_EQ(g.value(3), 160u);
    EXPECT_EQ(g.value(2), platform::rgb(0x40, 0x50, 0x60));
    EXPECT_EQ(g.value(4), 0x7fu);
    // The markers write the picker's default colour.
    ImgCssPageModel drop(kImgCssDropShadow);
    drop.setValue(2, kColorDefault);
    EXPECT_TRUE(drop.GetFilterText().contains(QLatin1String("Color=Red,")));
    ImgCssPageModel grad(kImgCssGradient);
    grad.setValue(1, kColorNone);
    EXPECT_TRUE(grad.GetFilterText().contains(QLatin1String("startColorstr=#a00000ff")));
    // The glow page also reads a glow written without the prefix.
    EXPECT_EQ(readBack(kImgCssGlow, QStringLiteral("Glow(Color=#00ff00, Strength=7)")).value(0), 7u);
    EXPECT_EQ(readBack(kImgCssGlow, QStringLiteral("Glow(Color=#00ff00, Strength=7)")).value(1),
              platform::rgb(0, 255, 0));
    EXPECT_EQ(ImgCssRangeTip(ImgCssPageSpecOf(kImgCssGradient).fields[3]), QStringLiteral("0 ~ 255"));
}
