#include "engine/layout/StyleSheetIndex.h"
#include "engine/layout/LayoutEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using engine::StyleSheetIndex;

namespace {

std::vector<int> candidates(const StyleSheetIndex& index, const char* tag)
{
    std::vector<int> orders;
    index.forEachCandidate(tag, [&](const litehtml::css_selector::ptr& rule) { orders.push_back(rule->m_order); });
    return orders;
}

std::string property(const litehtml::style& style, const char* name)
{
    const char* value = style.get_property(name);
    return value ? value : "(none)";
}

} // namespace

TEST(StyleSheetIndex, AnElementTriesTheRulesOfItsTagAndOfAnyTagInTheSheetsOrder)
{
    litehtml::css sheet;
    sheet.parse_stylesheet("p { color: red } * { margin: 0 } div p { color: blue } .x { color: green } "
                           "span { color: black } p.y { color: white } [title] { color: gray }",
                           "", nullptr, nullptr);
    const StyleSheetIndex index(sheet);
    EXPECT_EQ(candidates(index, "p"), (std::vector<int>{0, 1, 2, 3, 5, 6}));
    EXPECT_EQ(candidates(index, "span"), (std::vector<int>{1, 3, 4, 6}));
    EXPECT_EQ(candidates(index, "td"), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(candidates(index, nullptr), (std::vector<int>{1, 3, 6}));

    // At hand only while the sheet is applied, down to the innermost element.
    EXPECT_EQ(StyleSheetIndex::current(sheet), nullptr);
    {
        const StyleSheetIndex::Scope outer(sheet);
        const StyleSheetIndex* made = StyleSheetIndex::current(sheet);
        ASSERT_NE(made, nullptr);
        const StyleSheetIndex::Scope inner(sheet);
        EXPECT_EQ(StyleSheetIndex::current(sheet), made);
        litehtml::css other;
        EXPECT_EQ(StyleSheetIndex::current(other), nullptr);
    }
    EXPECT_EQ(StyleSheetIndex::current(sheet), nullptr);
}

TEST(StyleSheetIndex, DeclarationsReadOnceAddUpAsDeclarationsReadEachTime)
{
    const std::string rule = "margin: 1px 2px; margin-top: 5px !important; color: red; color: blue";
    const litehtml::style* read = engine::parsedDeclarations(rule, "");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(engine::parsedDeclarations(rule, ""), read);

    // Onto a style that holds an important and a plain value already.
    litehtml::style before;
    before.add("margin-left: 9px !important; margin-top: 7px; color: green", "", nullptr);
    litehtml::style direct = before;
    direct.add(rule.c_str(), "", nullptr);
    litehtml::style combined = before;
    combined.combine(*read);
    for (const char* name : {"margin-left", "margin-right", "margin-top", "margin-bottom", "color"})
        EXPECT_EQ(property(combined, name), property(direct, name)) << name;
    EXPECT_EQ(property(combined, "margin-left"), "9px");
    EXPECT_EQ(property(combined, "margin-top"), "5px");

    // Custom properties are the element's: read with it every time.
    EXPECT_EQ(engine::parsedDeclarations("color: var(--ink)", ""), nullptr);
}

TEST(StyleSheetIndex, APagesRulesCascadeByTagClassAndAnyTag)
{
    engine::LayoutEngine layout;
    layout.load(QStringLiteral(
        "<html><head><style>.late { height: 40px } div { height: 10px } div.k { height: 20px } * { width: 50px }"
        " body div div { height: 5px } a[href] { display: block; height: 7px }</style></head><body>"
        "<div id=a class=late></div><div id=b class=k><div id=c></div></div><a id=d href=x>link</a>"
        "<span id=e>text</span></body></html>"));
    layout.layout(400);
    const auto box = [&](const char* id) { return layout.tree().boxByHtmlId(QString::fromLatin1(id))->borderBox; };
    EXPECT_EQ(box("a").size(), QSize(50, 40));
    EXPECT_EQ(box("b").size(), QSize(50, 20));
    EXPECT_EQ(box("c").size(), QSize(50, 5));
    EXPECT_EQ(box("d").size(), QSize(50, 7));
    EXPECT_NE(box("e").width(), 50); // an inline box takes no width
}
