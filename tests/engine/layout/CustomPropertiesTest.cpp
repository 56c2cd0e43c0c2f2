// Custom properties (`--name: value`) of style sheets, read by var() with
// and without a fallback, colour the page as a browser colours it: from the
// element itself, the rule itself and its ancestors, the root among them;
// a var() of nothing, without a fallback, leaves the property unset.

#include "engine/layout/LayoutEngine.h"

#include "LayoutFixture.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

QColor colourOf(LayoutEngine& layout, const QImage& image, const char* id)
{
    const LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(id));
    if (!box)
        return QColor();
    return image.pixelColor(box->borderBox.center());
}

TEST(CustomProperties, StyleSheetsReadThemWithTheirFallbacks)
{
    LayoutEngine layout;
    layout.setViewportSize(QSize(400, 400));
    layout.load(QStringLiteral("<html><head><style>"
                               ":root { --bg: #102030; --main: #00ff00 }\n"
                               "html[data-theme=\"dark\"] { --main: #ff0000 }\n"
                               ".theme { --bg: #405060 }\n"
                               "div { height: 10px }\n"
                               "#a, #b { background-color: var(--bg) }\n"
                               "#c { background-color: var(--missing, #a0b0c0) }\n"
                               "#d { background-color: var(--missing) }\n"
                               "#e { background: var(--main) }\n"
                               "#f { height: 0; border: 10px solid var(--edge, rgb(128, 0, 0)) }\n"
                               "#g { background-color: var(--missing, var(--bg)) }\n"
                               "#h { --own: #0000ff; background-color: var( --own ) }\n"
                               "#i { background-color: var(--later) }\n"
                               ".late { --later: #00ffff }\n"
                               "</style></head><body style='margin:0;background:white'>"
                               "<div id=a></div><div class=theme><div id=b></div></div><div id=c></div><div id=d></div>"
                               "<div id=e></div><div id=f></div><div class=theme><div id=g></div></div><div id=h></div>"
                               "<div class=late><div id=i></div></div></body></html>"));
    layout.layout(400);
    const QImage image = layout.render(400, 400);
    EXPECT_EQ(colourOf(layout, image, "a"), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(colourOf(layout, image, "b"), QColor(0x40, 0x50, 0x60)) << "the nearest ancestor's";
    EXPECT_EQ(colourOf(layout, image, "c"), QColor(0xa0, 0xb0, 0xc0)) << "the fallback";
    EXPECT_EQ(colourOf(layout, image, "d"), QColor(Qt::white)) << "unset: no background";
    EXPECT_EQ(colourOf(layout, image, "e"), QColor(0, 0xff, 0)) << "in a shorthand";
    EXPECT_EQ(colourOf(layout, image, "f"), QColor(128, 0, 0)) << "in the border shorthand";
    EXPECT_EQ(colourOf(layout, image, "g"), QColor(0x40, 0x50, 0x60)) << "a fallback that reads another";
    EXPECT_EQ(colourOf(layout, image, "h"), QColor(0, 0, 0xff)) << "declared in the same rule";
    EXPECT_EQ(colourOf(layout, image, "i"), QColor(0, 0xff, 0xff)) << "declared for an ancestor by a later rule";
}

// A generator's pages that change their colours for a dark scheme show the
// light one, as a browser with the usual settings does.
TEST(CustomProperties, RulesForADarkSchemeStayAside)
{
    LayoutEngine layout;
    layout.setViewportSize(QSize(400, 100));
    layout.load(QStringLiteral("<html><head><style>"
                               ":root { --bg: #ffffff; --fg: #000000 }\n"
                               "@media (prefers-color-scheme: dark) { :root { --bg: #353535; --fg: #dddddd } }\n"
                               "@media not (prefers-reduced-motion) { #b { background-color: #00ff00 } }\n"
                               "body { margin: 0; background-color: var(--bg); color: var(--fg) }\n"
                               "div { height: 10px }"
                               "</style></head><body><div id=a></div><div id=b></div></body></html>"));
    layout.layout(400);
    const QImage image = layout.render(400, 100);
    EXPECT_EQ(colourOf(layout, image, "a"), QColor(Qt::white));
    EXPECT_EQ(colourOf(layout, image, "b"), QColor(0, 0xff, 0));
}

} // namespace
