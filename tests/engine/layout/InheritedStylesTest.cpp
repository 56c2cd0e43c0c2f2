#include "engine/layout/InheritedStyles.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutEngine.h"

#include "FullLayoutCheck.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using engine::InheritedStyles;
using layout_test::byId;

TEST(InheritedStyles, AnAnswerIsKeptOnlyDuringTheElementsOwnComputation)
{
    InheritedStyles kept;
    int asked = 0;
    const auto lookup = [&] {
        ++asked;
        return "bold";
    };
    // No computation running: asked every time.
    kept.find("font-weight", lookup);
    kept.find("font-weight", lookup);
    EXPECT_EQ(asked, 2);
    {
        const InheritedStyles::Pass pass;
        kept.find("font-weight", lookup); // before the element's own computation
        EXPECT_EQ(asked, 3);
        kept.begin();
        EXPECT_STREQ(kept.find("font-weight", lookup), "bold");
        EXPECT_STREQ(kept.find("font-weight", lookup), "bold");
        kept.find("a-property-name-too-long-to-keep", lookup);
        kept.find("a-property-name-too-long-to-keep", lookup);
        EXPECT_EQ(asked, 6);
        kept.end();
        kept.find("font-weight", lookup);
        EXPECT_EQ(asked, 7);
    }
    // A later computation asks again.
    {
        const InheritedStyles::Pass pass;
        kept.begin();
        kept.find("font-weight", lookup);
        EXPECT_EQ(asked, 8);
    }
}

// Elements computed one after the other at one level keep answers of their
// own, and an element's answers outlast the computations of what it holds.
TEST(InheritedStyles, EachElementKeepsItsOwnAnswersBesideThoseInsideIt)
{
    InheritedStyles parent, first, second;
    int asked = 0;
    const auto answer = [&asked](const char* value) {
        return [&asked, value] {
            ++asked;
            return value;
        };
    };
    const InheritedStyles::Pass pass;
    parent.begin();
    EXPECT_STREQ(parent.find("color", answer("red")), "red");
    first.begin();
    EXPECT_STREQ(first.find("color", answer("green")), "green");
    EXPECT_STREQ(parent.find("color", answer("unasked")), "red"); // an ancestor asked while the child computes
    first.end();
    second.begin();
    EXPECT_STREQ(second.find("color", answer("blue")), "blue");
    EXPECT_STREQ(second.find("color", answer("unasked")), "blue");
    second.end();
    EXPECT_STREQ(parent.find("color", answer("unasked")), "red");
    EXPECT_STREQ(first.find("color", answer("asked again")), "asked again"); // its computation is over
    parent.end();
    EXPECT_EQ(asked, 4);
}

// An element's own declarations are read once per computation of its
// style and found by name, however many it makes and however long their
// names; outside its computation the caller is left to look them up.
TEST(InheritedStyles, OwnDeclarationsAreReadOnceAndFoundByName)
{
    std::vector<std::pair<std::string, std::string>> declared = {
        {"display", "block"},
        {"margin-top", "4px"},
        {"border-bottom-right-radius-x", "3px"}, // (28 letters)
        {"a-custom-property-of-more-than-thirty-two-letters", "x"}};
    for (int i = 0; i < 130; ++i)
        declared.push_back({"--v" + std::to_string(i), std::to_string(i)});
    int reads = 0;
    size_t readFrom = 2 + declared.size(); // declarations read, the first ones first
    const auto read = [&](const auto& keep) {
        ++reads;
        for (size_t i = 0; i < std::min(readFrom, declared.size()); ++i)
            keep(declared[i].first.data(), declared[i].first.size(), declared[i].second.c_str());
    };
    InheritedStyles own;
    const char* value = "unset";
    EXPECT_FALSE(own.findOwn("display", read, value)); // no computation running
    const auto expectFound = [&](const char* name, const char* expected) {
        SCOPED_TRACE(name);
        value = "unset";
        ASSERT_TRUE(own.findOwn(name, read, value));
        if (expected)
            EXPECT_STREQ(value, expected);
        else
            EXPECT_EQ(value, nullptr);
    };
    for (size_t count : {size_t(4), declared.size()}) {
        SCOPED_TRACE(count);
        readFrom = count;
        reads = 0;
        const InheritedStyles::Pass pass;
        own.begin();
        expectFound("display", "block");
        expectFound("margin-top", "4px");
        expectFound("margin-left", nullptr);
        expectFound("border-bottom-right-radius-x", "3px");
        expectFound("border-bottom-right-radius-y", nullptr);
        expectFound("--v129", count > 4 ? "129" : nullptr);
        expectFound("--v7", count > 4 ? "7" : nullptr);
        expectFound("a-custom-property-of-more-than-thirty-two-letters", "x");
        expectFound("a-custom-property-of-more-than-thirty-two-letter", nullptr);
        EXPECT_EQ(reads, 1);
        own.end();
        EXPECT_FALSE(own.findOwn("display", read, value));
    }
    // Each element at a level reads its own.
    InheritedStyles parent, first, second;
    const auto only = [](const char* name, const char* v) {
        return [name, v](const auto& keep) { keep(name, std::strlen(name), v); };
    };
    const InheritedStyles::Pass pass;
    parent.begin();
    first.begin();
    ASSERT_TRUE(first.findOwn("color", only("color", "red"), value));
    EXPECT_STREQ(value, "red");
    first.end();
    second.begin();
    ASSERT_TRUE(second.findOwn("color", only("width", "1px"), value));
    EXPECT_EQ(value, nullptr);
    second.end();
    ASSERT_TRUE(parent.findOwn("width", only("width", "2px"), value));
    EXPECT_STREQ(value, "2px");
    parent.end();
}

// Styles an element passes on (set, inherited through several levels, or
// asked for with "inherit"), changed on an ancestor after the first layout:
// what is laid out in place is what a layout from scratch gives.
TEST(InheritedStyles, AChangeOnAnAncestorReachesEveryLevelBelowIt)
{
    engine::Ref<engine::Document> doc = pageFrom(
        "<body><div id=top style='font-size: 20px; line-height: 30px'><div><div id=mid style='white-space: inherit'>"
        "<p>one two three four five six seven eight nine ten eleven twelve</p><ul><li>item <b>bold</b></li></ul>"
        "<table><tr><td><span style='font-size: inherit'>cell text that wraps at some width</span></td></tr></table>"
        "</div></div></div></body>");
    engine::DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(300, 400));
    layout.ensureLayout();
    layout_test::expectSameAsFullLayout(layout, *doc, "first layout");
    const int restyles = layout.counters().restyles;
    engine::Element* top = byId(doc.get(), "top");
    for (const char* css : {"font-size: 12px; line-height: 30px", "font-size: 12px; white-space: nowrap",
                            "font-size: 26px; text-align: right; list-style-type: square", "visibility: hidden"}) {
        top->style().setCssText(QString::fromLatin1(css));
        layout_test::expectSameAsFullLayout(layout, *doc, css);
    }
    EXPECT_GT(layout.counters().restyles, restyles);
    // A change in the middle leaves what stands above it as it was.
    byId(doc.get(), "mid")->style().setCssText(QStringLiteral("white-space: pre; font-size: 9px"));
    layout_test::expectSameAsFullLayout(layout, *doc, "middle");
}

// Values as litehtml gives them: a property that is not inherited takes its
// parent's value only when it says "inherit" (in any case), one that is
// inherited comes from the nearest ancestor that declares it, however deep.
TEST(InheritedStyles, InheritKeywordAndDeepInheritance)
{
    engine::LayoutEngine layout;
    layout.load(
        QStringLiteral("<body style='margin: 0'><div style='padding-left: 30px; white-space: nowrap'>"
                       "<div id=kept style='padding-left: INHERIT'><div id=none>"
                       "<div><div><div><p id=deep>words that would wrap in a narrow box if white space were normal</p>"
                       "</div></div></div></div></div></div></body>"));
    layout.layout(120);
    const auto box = [&layout](const char* id) {
        const engine::LayoutBox* b = layout.tree().boxByHtmlId(QString::fromLatin1(id));
        if (!b)
            throw std::runtime_error(id);
        return *b;
    };
    EXPECT_EQ(box("kept").contentBox.left(), 60);
    EXPECT_EQ(box("none").contentBox.left(), 60);
    EXPECT_EQ(box("none").paddingBox.left(), 60);
    EXPECT_LT(box("deep").contentBox.height(), 30) << "one line of text";
}
