#include "util/FilterText.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseFilterArgumentsTest, ArgumentsOfFiltersAsTheImageEffectsWriteThem)
{
    QString value = "old";
    EXPECT_EQ(ParseFilterArguments("alpha(opacity=50, style=0)", "opacity", value), 0);
    EXPECT_EQ(value, "50");
    EXPECT_EQ(ParseFilterArguments("alpha(opacity=50, style=0)", "style", value), 0);
    EXPECT_EQ(value, "0");
    EXPECT_EQ(ParseFilterArguments("glow(color=#ff0000,strength=5)", "color", value), 0);
    EXPECT_EQ(value, "#ff0000");
    EXPECT_EQ(ParseFilterArguments("progid:dximagetransform.microsoft.gradient(startcolorstr='#80ff0000', "
                                   "endcolorstr='#ff0000ff')",
                                   "endcolorstr", value),
              0);
    EXPECT_EQ(value, "#ff0000ff");
    // The first occurrence counts, inside a longer name too: callers ask in
    // the order the filter is written.
    EXPECT_EQ(ParseFilterArguments("alpha(opacity=80, finishopacity=20)", "opacity", value), 0);
    EXPECT_EQ(value, "80");
    EXPECT_EQ(ParseFilterArguments("alpha(finishopacity=20, opacity=80)", "opacity", value), 0);
    EXPECT_EQ(value, "20");
}

TEST(ParseFilterArgumentsTest, MissingNamesAndUnbalancedText)
{
    QString value = "kept";
    EXPECT_EQ(ParseFilterArguments("alpha(opacity=50)", "Opacity", value), -1);
    EXPECT_EQ(value, "kept");
    // Neither "," nor ")" after the name: an empty value.
    EXPECT_EQ(ParseFilterArguments("alpha(opacity=50", "opacity", value), 0);
    EXPECT_EQ(value, "");
    EXPECT_EQ(ParseFilterArguments("wave(add=true, phase=20", "add", value), 0);
    EXPECT_EQ(value, "true");
}

TEST(GetFilterArgumentTest, PicksOneFilterOutOfTheList)
{
    QString list = "Alpha(Opacity=50, Style=0) Glow(Color=#FF0000, Strength=5)";
    EXPECT_TRUE(GetFilterArgument(list, "glow"));
    EXPECT_EQ(list, " glow(color=#ff0000, strength=5)");

    list = "Alpha(Opacity=50, Style=0) Glow(Color=#FF0000, Strength=5)";
    EXPECT_TRUE(GetFilterArgument(list, "alpha("));
    EXPECT_EQ(list, "alpha(opacity=50, style=0)");

    list = "progid:DXImageTransform.Microsoft.BasicImage(grayscale=1)";
    EXPECT_TRUE(GetFilterArgument(list, "basicimage(grayscale"));
    EXPECT_EQ(list, "progid:dximagetransform.microsoft.basicimage(grayscale=1)");

    // A drop shadow holds "shadow(": the first piece that holds the name wins.
    list = "dropShadow(color=gray, offX=2) shadow(color=black)";
    EXPECT_TRUE(GetFilterArgument(list, "shadow("));
    EXPECT_EQ(list, "dropshadow(color=gray, offx=2)");
}

TEST(GetFilterArgumentTest, NothingFoundLeavesTheTextEmpty)
{
    QString list = "alpha(opacity=50) emboss";
    EXPECT_FALSE(GetFilterArgument(list, "emboss")); // after the last ")"
    EXPECT_EQ(list, "");
    list = "glow(color=red";
    EXPECT_FALSE(GetFilterArgument(list, "glow"));
    list = ")))((";
    EXPECT_FALSE(GetFilterArgument(list, "glow"));
    list = "";
    EXPECT_FALSE(GetFilterArgument(list, ""));
    // An empty name matches the first piece.
    list = "Wave(add=true) Glow()";
    EXPECT_TRUE(GetFilterArgument(list, ""));
    EXPECT_EQ(list, "wave(add=true)");
}

} // namespace
