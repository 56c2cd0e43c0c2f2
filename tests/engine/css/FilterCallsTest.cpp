#include "engine/css/FilterCalls.h"

#include <gtest/gtest.h>

using engine::FilterCall;
using engine::parseFilterCalls;

TEST(FilterCalls, ReadsProgidCallsAndLegacyWordsCaseBlind)
{
    const auto calls = parseFilterCalls(QStringLiteral("\nprogid:DXImageTransform.Microsoft.Blur(PixelRadius=3)\n"
                                                       "PROGID:DXImageTransform.Microsoft.emboss(enabled='true') "
                                                       "GRAY  fliph() alpha(Opacity = 40, style=0)"));
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].name, QStringLiteral("blur"));
    EXPECT_EQ(calls[0].number(QStringLiteral("pixelradius"), 0, 0, 100), 3);
    EXPECT_EQ(calls[1].name, QStringLiteral("emboss"));
    EXPECT_EQ(calls[1].argument(QStringLiteral("enabled")), QStringLiteral("true"));
    EXPECT_EQ(calls[2].name, QStringLiteral("gray"));
    EXPECT_TRUE(calls[2].args.empty());
    EXPECT_EQ(calls[3].name, QStringLiteral("fliph"));
    EXPECT_EQ(calls[4].number(QStringLiteral("opacity"), 100, 0, 100), 40);
}

TEST(FilterCalls, OddTextsGiveWhatCanBeReadAndClampedNumbers)
{
    // An unclosed call takes the rest, stray brackets and "none" are no calls.
    auto calls = parseFilterCalls(QStringLiteral(")) none blur(pixelradius=1e9, x=  , =5 invert"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].number(QStringLiteral("pixelradius"), 0, 0, 100), 1);
    EXPECT_EQ(calls[0].number(QStringLiteral("x"), 7, 0, 100), 7);
    calls = parseFilterCalls(QStringLiteral("alpha(opacity=-5) blur(pixelradius=99999999999999999999)"));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].number(QStringLiteral("opacity"), 100, 0, 100), 0);
    EXPECT_EQ(calls[1].number(QStringLiteral("pixelradius"), 0, 0, 100), 100);
    EXPECT_TRUE(parseFilterCalls(QString()).empty());
    EXPECT_TRUE(parseFilterCalls(QStringLiteral("((((")).empty());
}

TEST(FilterCalls, ThousandsOfCallsAreReadInOnePass)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("gray() blur(pixelradius=2 ");
    const auto calls = parseFilterCalls(text);
    // Each unclosed blur runs to the next ")" of the following gray.
    EXPECT_GE(calls.size(), 20000u);
}
