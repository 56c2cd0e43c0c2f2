#include "engine/EnginePage.h"
#include "engine/TestData.h"

#include "engine/html/HtmlSerializer.h"
#include "platform/CodePages.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace engine;

namespace {

QString readPage(const QString& name, QString* charset = nullptr)
{
    QFile f(testData(QStringLiteral("pages")).absoluteFilePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = f.readAll();
    const QString cs = platform::detectCharset(bytes);
    if (charset)
        *charset = cs;
    return platform::decodeText(bytes, cs);
}

// The tag names of the tree in document order, with text lengths.
QString shape(Document* doc)
{
    QString out;
    for (Node* n = doc->firstChild(); n; n = n->nextInTree(doc)) {
        if (Element* e = n->asElement())
            out += e->tagName() + u' ';
        else if (Text* t = n->asText())
            out += QStringLiteral("#%1 ").arg(t->data().trimmed().size());
    }
    return out;
}

class PageRoundTrip : public ::testing::TestWithParam<const char*>
{
};

TEST_P(PageRoundTrip, ParseSerializeParseIsStable)
{
    const QString html = readPage(QString::fromLatin1(GetParam()));
    ASSERT_FALSE(html.isEmpty()) << "missing page " << GetParam();
    auto first = pageFrom(html);
    const QString once = HtmlSerializer::fileText(first.get());
    auto second = pageFrom(once);
    const QString twice = HtmlSerializer::fileText(second.get());
    EXPECT_EQ(once, twice);
    auto third = pageFrom(twice);
    EXPECT_EQ(shape(second.get()), shape(third.get()));
    EXPECT_EQ(HtmlSerializer::fileText(third.get()), twice);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageRoundTrip,
                         ::testing::Values("positioned-tables.html", "image-map.html", "frameset.html",
                                           "sjis-page.html"));

} // namespace

TEST(PageRoundTrip, ShiftJisPageDecodesAndKeepsItsText)
{
    QString charset;
    auto doc = pageFrom(readPage(QStringLiteral("sjis-page.html"), &charset));
    EXPECT_EQ(charset, QStringLiteral("windows-31j"));
    EXPECT_EQ(doc->title(), QStringLiteral("掲示板のご案内"));
    EXPECT_TRUE(bodyHtml(doc.get()).contains(QStringLiteral("①　お名前")));
}

TEST(PageRoundTrip, PositionedTablesKeepTheirStyleAndFonts)
{
    auto doc = pageFrom(readPage(QStringLiteral("positioned-tables.html")));
    Element* t = doc->getElementById(QStringLiteral("text"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->getAttributeText(QStringLiteral("style")),
              QStringLiteral("Z-INDEX: 101; LEFT: 95px; POSITION: absolute; TOP: 5px"));
    EXPECT_EQ(doc->getElementsByTagName(QStringLiteral("MARQUEE")).item(0)->getAttribute(QStringLiteral("loop")),
              Variant(-1));
    EXPECT_TRUE(t->outerHTML().contains(QStringLiteral("<FONT face=\"ＭＳ Ｐゴシック\" size=5 color=#FF0000>")));
    EXPECT_TRUE(HtmlSerializer::fileText(doc.get()).contains(QStringLiteral("if (a < b && b > c)")));
}
