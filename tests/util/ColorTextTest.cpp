#include "util/ColorText.h"
#include "util/TextHelpers.h"

#include <gtest/gtest.h>

using platform::rgb;

TEST(ColorRefToHtml, NamesExactValuesAndFormatsTheRest)
{
    EXPECT_EQ(ColorRefToHtml(rgb(255, 0, 0)), QStringLiteral("Red"));
    EXPECT_EQ(ColorRefToHtml(rgb(0, 255, 255)), QStringLiteral("Aqua"));
    EXPECT_EQ(ColorRefToHtml(rgb(0x56, 0x34, 0x12)), QStringLiteral("#563412"));
    EXPECT_EQ(ColorRefToHtml(0x010000FF), QStringLiteral("#ff0000")) << "the high byte keeps names from matching";
}

struct HtmlColorCase
{
    const char* text;
    platform::ColorRef color;
};

void PrintTo(const HtmlColorCase& c, std::ostream* os)
{
    *os << "\"" << c.text << "\"";
}

class HtmlToColorRefTest : public ::testing::TestWithParam<HtmlColorCase>
{
};

TEST_P(HtmlToColorRefTest, Reads)
{
    EXPECT_EQ(HtmlToColorRef(QString::fromUtf8(GetParam().text)), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(Texts, HtmlToColorRefTest,
                         ::testing::Values(HtmlColorCase{"#ff0000", rgb(255, 0, 0)},
                                           HtmlColorCase{"red", rgb(255, 0, 0)}, HtmlColorCase{"RED", rgb(255, 0, 0)},
                                           HtmlColorCase{"#1234567", rgb(0x12, 0x34, 0x56)},
                                           HtmlColorCase{"#g00000", rgb(0xFF, 0, 0)},
                                           HtmlColorCase{"#12", rgb(0x12, 0, 0)}, HtmlColorCase{"orange", 0},
                                           HtmlColorCase{"", 0}));

TEST(HexDigitValue, ReadsTheWholeText)
{
    EXPECT_EQ(HexDigitValue(QStringLiteral("1A")), 26u);
    EXPECT_EQ(HexDigitValue(QStringLiteral("ff")), 255u);
    EXPECT_EQ(HexDigitValue(QString()), 0u);
    EXPECT_EQ(HexDigitValue(QStringLiteral("1Z")), 0xFFFFFFFFu);
}

TEST(RgbTripleToColorRef, KeepsTheLowByteOfEachChannel)
{
    EXPECT_EQ(RgbTripleToColorRef({0x112, 0x34, 0x56}), rgb(0x12, 0x34, 0x56));
}

struct HexTextCase
{
    const char* text;
    quint32 value;
    bool ok;
};

void PrintTo(const HexTextCase& c, std::ostream* os)
{
    *os << "\"" << c.text << "\"";
}

class ParseHexColorTextTest : public ::testing::TestWithParam<HexTextCase>
{
};

TEST_P(ParseHexColorTextTest, Reads)
{
    quint32 value = 12345;
    EXPECT_EQ(ParseHexColorText(QString::fromLatin1(GetParam().text), value), GetParam().ok);
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseHexColorTextTest,
                         ::testing::Values(HexTextCase{"#FF", 255, true}, HexTextCase{"0x10", 16, true},
                                           HexTextCase{"0XaB", 0xAB, true}, HexTextCase{"12", 12, true},
                                           HexTextCase{"12px", 12, true}, HexTextCase{"px", 0, true},
                                           HexTextCase{"#", 0, false}, HexTextCase{"", 0, false},
                                           HexTextCase{"#1g", 16, true}));

TEST(ConvertToUtf8, ConvertsTheWholeTextIncludingSurrogatePairs)
{
    EXPECT_EQ(ConvertToUtf8(QStringLiteral("日")), QByteArray("\xE6\x97\xA5"));
    EXPECT_EQ(ConvertToUtf8(QStringLiteral("𠮷")), QByteArray("\xF0\xA0\xAE\xB7"));
    const QString longText(300, QChar(0x3042));
    EXPECT_EQ(ConvertToUtf8(longText).size(), 900) << "no cut at 256 units";
}

TEST(HasBadFileNameChar, FindsTheFirstForbiddenCharacter)
{
    EXPECT_EQ(HasBadFileNameChar(QStringLiteral("abc:def")), 3);
    EXPECT_EQ(HasBadFileNameChar(QStringLiteral("a|b?c")), 1);
    EXPECT_EQ(HasBadFileNameChar(QStringLiteral("ホーム.html")), -1);
}

TEST(NormalizePercentValue, HalvesPixelsAndPercent)
{
    EXPECT_EQ(NormalizePercentValue(QString()), QStringLiteral("50%"));
    EXPECT_EQ(NormalizePercentValue(QStringLiteral("101")), QStringLiteral("50"));
    EXPECT_EQ(NormalizePercentValue(QStringLiteral("75%")), QStringLiteral("37%"));
    EXPECT_EQ(NormalizePercentValue(QStringLiteral("100px")), QStringLiteral("50"));
}

TEST(IsBlankString, CountsOnlyTheAsciiBlank)
{
    EXPECT_TRUE(IsBlankString(QString()));
    EXPECT_TRUE(IsBlankString(QStringLiteral("   ")));
    EXPECT_FALSE(IsBlankString(QStringLiteral(" \t ")));
    EXPECT_FALSE(IsBlankString(QStringLiteral("　")));
}
