#include "engine/layout/StyleSheetText.h"

#include <gtest/gtest.h>

namespace {

std::string split(std::string css)
{
    engine::splitNegationLists(css);
    return css;
}

} // namespace

TEST(StyleSheetText, NegationsOfListsBecomeOneNegationEach)
{
    EXPECT_EQ(split(":not(h1, h2, h3) > code { font-size: 14px }"),
              ":not(h1):not(h2):not(h3) > code { font-size: 14px }");
    EXPECT_EQ(split("a:NOT(.x,.y[title=\"a,b\"]) {}\nb:not(.z) {}"),
              "a:not(.x):not(.y[title=\"a,b\"]) {}\nb:not(.z) {}");
    // Nested parentheses stay inside their selector.
    EXPECT_EQ(split("li:not(:nth-child(2n+1), .last) {}"), "li:not(:nth-child(2n+1)):not(.last) {}");
}

TEST(StyleSheetText, LeavesWhatIsNotAListOfCompoundSelectors)
{
    for (const char* css : {":not(div p, h1) {}", ":not(h1) {}", "/* :not(a, b) */ p {}",
                            "p { content: \":not(a, b)\" }", ":not(a, ) {}", "p:not(a, b"}) {
        EXPECT_EQ(split(css), css);
    }
}
