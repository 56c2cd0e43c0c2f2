#include "engine/layout/StyleSheetIndex.h"
#include "engine/layout/LayoutEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using engine::StyleSheetIndex;

namespace {

std::vector<int> candidates(const StyleSheetIndex& index, const char* tag, const char* id = nullptr,
                            const std::vector<std::string>& classes = {})
{
    std::vector<int> orders;
    index.forEachCandidate(tag, id, classes,
                           [&](const litehtml::css_selector::ptr& rule) { orders.push_back(rule->m_order); });
    return orders;
}

std::string property(const litehtml::style& style, const char* name)
{
    const char* value = style.get_property(name);
    return value ? value : "(none)";
}

} // namespace

TEST(StyleSheetIndex, AnElementTriesTheRulesOfItsIdClassesTagAndOfAnyTagInTheSheetsOrder)
{
    litehtml::css sheet;
    sheet.parse_stylesheet("p { color: red } * { margin: 0 } div p { color: blue } .x { color: green } "
                           "span { color: black } p.y { color: white } [title] { color: gray } #Main .x { color: navy }"
                           " div#main { color: navy } .y.x:hover { color: teal } [class=\"x\"] { color: lime } "
                           ".a { margin: 1px } .b { margin: 1px } .c { margin: 1px } .d { margin: 1px } "
                           ".e { margin: 1px } .f { margin: 1px }",
                           "", nullptr, nullptr);
    const StyleSheetIndex index(sheet);
    EXPECT_EQ(candidates(index, "p"), (std::vector<int>{0, 1, 2, 6, 10}));
    EXPECT_EQ(candidates(index, "span"), (std::vector<int>{1, 4, 6, 10}));
    EXPECT_EQ(candidates(index, "td"), (std::vector<int>{1, 6, 10}));
    EXPECT_EQ(candidates(index, nullptr), (std::vector<int>{1, 6, 10}));
    // Its classes and id, without regard to case, as litehtml compares them;
    // a class named twice gives its rules once.
    EXPECT_EQ(candidates(index, "p", nullptr, {"y"}), (std::vector<int>{0, 1, 2, 5, 6, 9, 10}));
    EXPECT_EQ(candidates(index, "p", nullptr, {"X", "y", "x"}), (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 9, 10}));
    EXPECT_EQ(candidates(index, "div", "MAIN", {}), (std::vector<int>{1, 6, 8, 10}));
    // More lists than the merge keeps at hand.
    EXPECT_EQ(candidates(index, "p", "main", {"a", "x", "b", "c", "y", "d", "e", "f", "x", "none"}),
              (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));

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

// Rules keyed by an id or a class match as litehtml matches them: without
// regard to case, a class among others, and not a class the element lacks.
TEST(StyleSheetIndex, RulesOfIdsAndClassesApplyAsBefore)
{
    engine::LayoutEngine layout;
    layout.load(QStringLiteral(
        "<html><head><style>.Tall { height: 40px } #Box { width: 60px } div.a.b { width: 70px }"
        " .b div { height: 15px } div[class=\"a\"] { height: 25px } .missing { height: 99px }</style></head>"
        "<body><div id=x class=\"tall other\"></div><div id=box></div><div id=y class=\"b a\"><div id=z></div>"
        "</div><div id=w class=a></div></body></html>"));
    layout.layout(400);
    const auto box = [&](const char* id) { return layout.tree().boxByHtmlId(QString::fromLatin1(id))->borderBox; };
    EXPECT_EQ(box("x").height(), 40);
    EXPECT_EQ(box("box").width(), 60);
    EXPECT_EQ(box("y").width(), 70);
    EXPECT_EQ(box("z").height(), 15);
    EXPECT_EQ(box("w").height(), 25);
    EXPECT_NE(box("w").width(), 70);
    EXPECT_NE(box("y").height(), 25);
}
