#include "util/HtmlTextScan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

TEST(ExtractTagTextTest, FindsTagsByPrefixWithoutRegardToCase)
{
    QString tag;
    EXPECT_EQ(ExtractTagText("<P><img src=a.gif>", "IMG", tag, 0), 3);
    EXPECT_EQ(tag, "<img src=a.gif>");

    const QString page = "<FRAMESET cols=50%,*><frame src=a.html></FRAMESET>";
    EXPECT_EQ(ExtractTagText(page, "FRAME", tag, 0), 0);
    EXPECT_EQ(tag, "<FRAMESET cols=50%,*>");
    EXPECT_EQ(ExtractTagText(page, "FRAME", tag, 1), 21);
    EXPECT_EQ(tag, "<frame src=a.html>");
    EXPECT_EQ(ExtractTagText(page, "FRAME", tag, 22), -1);
    EXPECT_EQ(tag, "");
}

TEST(ExtractTagTextTest, TagWithoutClosingBracketGivesEmptyText)
{
    QString tag = "old";
    EXPECT_EQ(ExtractTagText("x <FRAME src=a", "FRAME", tag, 0), 2);
    EXPECT_EQ(tag, "");
}

struct AttributeCase
{
    const char* tag;
    const char* name;
    int position;
    const char* value;
};

void PrintTo(const AttributeCase& c, std::ostream* os)
{
    std::string name = std::string(c.name) + "_of_" + c.tag;
    for (char& ch : name)
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    *os << name;
}

class GetTagAttributeTest : public ::testing::TestWithParam<AttributeCase>
{
};

TEST_P(GetTagAttributeTest, Value)
{
    QString value = "old";
    EXPECT_EQ(GetTagAttribute(GetParam().tag, GetParam().name, value), GetParam().position);
    EXPECT_EQ(value, QString(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(Tags, GetTagAttributeTest,
                         ::testing::Values(AttributeCase{"<TD width=100>", "WIDTH", 10, "100"},
                                           AttributeCase{"<IMG alt=\"a b\" src=x>", "alt", 10, "a b"},
                                           AttributeCase{"<IMG src='x y.gif'>", "SRC", 10, "x y.gif"},
                                           AttributeCase{"<FRAME  src = \"a.html\">", "src", 15, "a.html"},
                                           AttributeCase{"<TD NOWRAP width=5>", "NOWRAP", 17, "5"},
                                           AttributeCase{"<IMG lowsrc=a.gif>", "SRC", 12, "a.gif"},
                                           AttributeCase{"<FRAMESET cols=50%,*>", "SRC", -1, ""},
                                           AttributeCase{"<IMG src=\"a.gif>", "SRC", -1, ""},
                                           AttributeCase{"<IMG src=", "SRC", -1, ""}));

} // namespace
