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

namespace {

std::string media(std::string css)
{
    engine::readMediaFeatures(css);
    return css;
}

} // namespace

TEST(StyleSheetText, MediaFeaturesReadAsABrowserWithTheUsualSettingsFindsThem)
{
    EXPECT_EQ(media("@media (prefers-color-scheme:dark){a{color:red}}"), "@media (max-width: -1px){a{color:red}}");
    EXPECT_EQ(media("@media (prefers-color-scheme: light) {}"), "@media (min-width: 0px) {}");
    EXPECT_EQ(media("@MEDIA not (prefers-reduced-motion){}"), "@MEDIA not (max-width: -1px){}");
    EXPECT_EQ(media("@media (pointer:coarse),(hover: hover){}"), "@media (max-width: -1px),(min-width: 0px){}");
    EXPECT_EQ(media("@media screen and (width >= 600px) and (height<400px){}"),
              "@media screen and (min-width: 600px) and (max-height: 400px){}");
    EXPECT_EQ(media("@media (some-feature: 3){}"), "@media (max-width: -1px){}");
    // What the layout reads already, and what is no rule for media, stays.
    for (const char* css : {"@media screen and (max-width: 700px) { p { margin: 0 } }",
                            "@media print { p {} } @media (orientation:portrait) {}",
                            "p { content: \"@media (pointer:coarse)\" } /* @media (hover) */"})
        EXPECT_EQ(media(css), css);
    std::string query = "screen and (prefers-color-scheme: dark)";
    engine::readMediaQuery(query);
    EXPECT_EQ(query, "screen and (max-width: -1px)");
}
