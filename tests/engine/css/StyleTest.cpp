#include "engine/EnginePage.h"

#include "engine/css/CssColor.h"
#include "engine/css/Style.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {
Element* firstDiv(Document* doc)
{
    return doc->getElementsByTagName(QStringLiteral("DIV")).item(0);
}
} // namespace

TEST(InlineStyle, KeepsOrderAndValuesAsWritten)
{
    auto doc = pageFrom("<body><div style=\"left: 12PX; top:35%;width:auto; filter: progid:DXImage.Alpha(Opacity=50); "
                        "width=40px\">x</div></body>");
    Style& s = firstDiv(doc.get())->style();
    EXPECT_EQ(s.left(), QStringLiteral("12PX"));
    EXPECT_EQ(s.getAttribute(QStringLiteral("TOP")), Variant("35%"));
    EXPECT_EQ(s.width(), QStringLiteral("auto"));
    EXPECT_EQ(s.filter(), QStringLiteral("progid:DXImage.Alpha(Opacity=50)"));
    EXPECT_EQ(s.cssText(),
              QStringLiteral("LEFT: 12PX; TOP: 35%; WIDTH: auto; FILTER: progid:DXImage.Alpha(Opacity=50)"));
    EXPECT_TRUE(s.getAttribute(QStringLiteral("height")).isNull());
}

// Property names as pages write them: in any case, with hyphens, as script
// names, in letters outside ASCII; a name written twice keeps its first place
// and its last value.
TEST(InlineStyle, PropertyNamesAreReadInAnyCase)
{
    auto doc = pageFrom("<body><div style=\"Z-INDEX: 3; fontSize: 9pt; TOP: 1px; Margin-Left:2px; top: 4px; "
                        "\u00c4rger: 1; x\u00c9: 2\">x</div></body>");
    const Style& s = firstDiv(doc.get())->style();
    std::vector<QString> names;
    for (const StyleDeclaration& d : s.declarations())
        names.push_back(d.name);
    EXPECT_EQ(names, (std::vector<QString>{"z-index", "font-size", "top", "margin-left", "\u00e4rger", "x-\u00e9"}));
    EXPECT_EQ(s.top(), QStringLiteral("4px"));
    EXPECT_EQ(s.zIndex(), Variant(3));
}

// A quote or a bracket left open runs to the end of the style, as in a
// browser, and is closed there, so that the value reads the same when a
// later declaration of its name puts it before others; a name holding one
// is dropped with its declaration. What is written reads back as itself.
TEST(InlineStyle, WhatIsLeftOpenIsClosedAtTheEndAndWhatIsWrittenReadsBackTheSame)
{
    const auto text = [](const char* style) { return Style::serialize(Style::parse(QString::fromUtf8(style))); };
    EXPECT_EQ(text("color: red; font-family: 'Arial"), QStringLiteral("COLOR: red; FONT-FAMILY: 'Arial'"));
    EXPECT_EQ(text("font-family: \"MS Gothic ; color: red"), QStringLiteral("FONT-FAMILY: \"MS Gothic ; color: red\""));
    EXPECT_EQ(text("a: 1; b: 2; a: url('x.png"), QStringLiteral("A: url('x.png'); B: 2"));
    EXPECT_EQ(text("a: [x {; b: 1"), QStringLiteral("A: [x {; b: 1}]"));
    EXPECT_EQ(text("x(: 1; color: red"), QString());
    EXPECT_EQ(text("color: red; x'y: 1; top: 2px"), QStringLiteral("COLOR: red"));
    EXPECT_EQ(text("a): 1; top: 2px"), QStringLiteral("TOP: 2px"));
    for (const char* name : {"a\"", "'a", "a(", "a)", "[a", "a]", "a{", "}a"})
        EXPECT_EQ(text((std::string("top: 1px; ") + name + ": 1").c_str()), QStringLiteral("TOP: 1px")) << name;
    // Balanced ones split as before.
    EXPECT_EQ(text("filter: alpha(opacity=50); font-family: 'a;b', [c]; top: 1px"),
              QStringLiteral("FILTER: alpha(opacity=50); FONT-FAMILY: 'a;b', [c]; TOP: 1px"));
    // Names are written in upper case, so one whose upper case is another
    // name is read as that one.
    EXPECT_EQ(text("\u00df: 1; ss: 2; \u0131: 3"), QStringLiteral("SS: 2; I: 3"));
    for (const char* style : {"a: 1; b: 2; a: 'x", "a: 1; b: 2; a: (x", "a: 1; b: 2; a: \"(x", "a: ([ ; a: 1",
                              "\u00df: 1; ss: 2", "\u0131: 1; i: 2"}) {
        const QString once = text(style);
        EXPECT_EQ(Style::serialize(Style::parse(once)), once) << style;
    }
}

TEST(InlineStyle, IntegersBecomePixelsForLengthsZIndexIsAnInt)
{
    auto doc = pageFrom("<body><div>x</div></body>");
    Style& s = firstDiv(doc.get())->style();
    EXPECT_TRUE(s.zIndex().isNull());
    s.setAttribute(QStringLiteral("zIndex"), 101);
    s.setLeft(95);
    s.setPosition(QStringLiteral("absolute"));
    s.setTop(5);
    EXPECT_EQ(s.cssText(), QStringLiteral("Z-INDEX: 101; LEFT: 95px; POSITION: absolute; TOP: 5px"));
    EXPECT_EQ(s.zIndex(), Variant(101));
    s.setLeft(QStringLiteral("7px"));
    s.removeAttribute(QStringLiteral("position"));
    s.setZIndex(Variant::null());
    EXPECT_EQ(s.cssText(), QStringLiteral("LEFT: 7px; TOP: 5px"));
}

TEST(InlineStyle, ColoursReadBackNormalised)
{
    auto doc = pageFrom("<body><div style=\"border-color: Red; color: #ABC; background-color: junk\">x</div></body>");
    Style& s = firstDiv(doc.get())->style();
    EXPECT_EQ(s.getAttribute(QStringLiteral("borderColor")), Variant("#ff0000"));
    EXPECT_EQ(s.getAttribute(QStringLiteral("color")), Variant("#aabbcc"));
    EXPECT_EQ(s.getAttribute(QStringLiteral("backgroundColor")), Variant("junk"));
    EXPECT_EQ(s.borderColor(), QStringLiteral("Red"));
}

TEST(InlineStyle, PixelTextReading)
{
    EXPECT_EQ(Style::pixels(QStringLiteral("20px")), 20);
    EXPECT_EQ(Style::pixels(QStringLiteral("12PX")), 12);
    EXPECT_EQ(Style::pixels(QStringLiteral("35%")), 35);
    EXPECT_EQ(Style::pixels(QStringLiteral("auto")), 0);
    EXPECT_EQ(Style::pixels(QStringLiteral(" -4px")), -4);
}

TEST(CssColors, RecognisedForms)
{
    EXPECT_EQ(normalizeColorText(QStringLiteral("#FFF")), QStringLiteral("#ffffff"));
    EXPECT_EQ(normalizeColorText(QStringLiteral("00ff00")), QStringLiteral("#00ff00"));
    EXPECT_EQ(normalizeColorText(QStringLiteral("rgb(1, 2, 3)")), QStringLiteral("#010203"));
    EXPECT_EQ(normalizeColorText(QStringLiteral("navy")), QStringLiteral("#000080"));
    EXPECT_EQ(normalizeColorText(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_FALSE(parseCssColor(QStringLiteral("transparent")));
}
