#include "commands/RollOverText.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

#include <gtest/gtest.h>

namespace {

// The IMG the attribute text gives when written into a page.
engine::Ref<engine::Document> pageWith(const QString& attributes)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(QStringLiteral("<body><img src=a.png%1></body>").arg(attributes));
    return doc;
}

} // namespace

TEST(RollOverText, PlainSizeWithoutRollOverPicture)
{
    EXPECT_EQ(RollOverAttributeText(QStringLiteral("n"), QStringLiteral("a.png"), QString(), QSize(12, 34)),
              QStringLiteral(" width=12 height=34"));
    // A missing picture measures 0 x 0: the image is not made invisible.
    EXPECT_TRUE(
        RollOverAttributeText(QStringLiteral("n"), QStringLiteral("gone.png"), QString(), QSize(0, 0)).isEmpty());
    EXPECT_FALSE(RollOverAttributeText(QStringLiteral("n"), QStringLiteral("gone.png"), QStringLiteral("b.png"), {})
                     .contains(QLatin1String("width")));
}

TEST(RollOverText, OddPathsSurviveThePageAndReadBack)
{
    // A blank, quotes of both kinds and a backslash in the paths break neither the page nor the script.
    const QString normal = QStringLiteral("my pics/it's \"a\".png");
    const QString over = QStringLiteral("C:\\pics\\o'ver & out.png");
    const QString text = RollOverAttributeText(QStringLiteral("VornaRollImage1"), normal, over, QSize(40, 30));
    auto doc = pageWith(text);
    engine::Element* img = doc->images().item(0);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->getAttributeText(QStringLiteral("id")), QStringLiteral("VornaRollImage"));
    EXPECT_EQ(img->getAttributeText(QStringLiteral("name")), QStringLiteral("VornaRollImage1"));
    EXPECT_EQ(img->getAttributeText(QStringLiteral("width")), QStringLiteral("40"));
    const QString onOver = img->getAttributeText(QStringLiteral("onmouseover"));
    EXPECT_EQ(onOver, QStringLiteral("VornaChangeImage('VornaRollImage1', 'C:\\\\pics\\\\o\\'ver & out.png')"));
    EXPECT_EQ(RollOverPathOf(onOver), over);
    EXPECT_EQ(RollOverPathOf(img->getAttributeText(QStringLiteral("onmouseout"))), normal);
}

TEST(RollOverText, OddEventTextsGiveNoPath)
{
    EXPECT_TRUE(RollOverPathOf(QStringLiteral("VornaChangeImage(x)")).isEmpty());
    EXPECT_TRUE(RollOverPathOf(QStringLiteral("VornaChangeImage('x', y.png)")).isEmpty());
    EXPECT_TRUE(RollOverPathOf(QStringLiteral("VornaChangeImage('x', 'unclosed")).isEmpty());
    EXPECT_EQ(RollOverPathOf(QStringLiteral("VornaChangeImage('x','b.png')")), QStringLiteral("b.png"));
    // Pages written without escapes keep their folder separators.
    EXPECT_EQ(RollOverPathOf(QStringLiteral("VornaChangeImage('x', 'image\\over.png')")),
              QStringLiteral("image\\over.png"));
}
