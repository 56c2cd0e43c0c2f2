#include "engine/EnginePage.h"

#include "engine/css/Style.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct TypedCase
{
    const char* html; // the element, first in BODY
    const char* name; // attribute asked for
    Variant expected;
};

class TypedAttribute : public ::testing::TestWithParam<TypedCase>
{
};

TEST_P(TypedAttribute, ReadsTheDocumentedType)
{
    const auto& c = GetParam();
    auto doc = pageFrom(QStringLiteral("<body>%1</body>").arg(QString::fromUtf8(c.html)));
    Element* el = doc->body()->all().item(0);
    ASSERT_TRUE(el);
    const QString name = QString::fromUtf8(c.name);
    if (el->hasTag(QLatin1String("TABLE")) && !name.startsWith(QLatin1String("cell")) &&
        name != QLatin1String("border"))
        el = el->cells().item(0);
    const Variant v = el->getAttribute(QString::fromUtf8(c.name));
    EXPECT_EQ(v, c.expected) << c.html << " " << c.name << " got " << v.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Dom, TypedAttribute,
    ::testing::Values(TypedCase{"<img src=a.gif>", "alt", Variant::null()},
                      TypedCase{"<img src=a.gif width=64>", "width", 64}, TypedCase{"<hr size=3>", "size", 3},
                      TypedCase{"<table><tr><td>x</td></tr></table>", "colSpan", 1},
                      TypedCase{"<table><tr><td colspan=3>x</td></tr></table>", "COLSPAN", 3},
                      TypedCase{"<table border=2><tr><td>x</td></tr></table>", "border", 2},
                      TypedCase{"<table cellspacing=50%><tr><td>x</td></tr></table>", "cellSpacing", "50%"},
                      TypedCase{"<marquee loop=infinite>m</marquee>", "loop", -1},
                      TypedCase{"<marquee scrollamount=6>m</marquee>", "scrollAmount", 6},
                      TypedCase{"<bgsound src=a.mid loop=INFINITE>", "loop", -1},
                      TypedCase{"<table><tr><td nowrap>x</td></tr></table>", "noWrap", true},
                      TypedCase{"<hr noshade>", "noShade", true}, TypedCase{"<hr>", "noShade", Variant::null()},
                      TypedCase{"<img src=\"../Image/a b.gif\" usemap=map1>", "useMap", "map1"},
                      TypedCase{"<img src=\"../Image/a b.gif\">", "SRC", "../Image/a b.gif"},
                      TypedCase{"<font color=Red>x</font>", "color", "#ff0000"},
                      TypedCase{"<font color=nonsense>x</font>", "color", "nonsense"}));

} // namespace

TEST(DomAttributes, KeepOrderAndFirstCaseLookupCaseBlind)
{
    auto doc = pageFrom("<body><td></td><table bgColor=red Width=100 id=t></table></body>");
    Element* t = doc->getElementById(QStringLiteral("t"));
    t->setAttribute(QStringLiteral("WIDTH"), 200);
    t->setAttribute(QStringLiteral("border"), 0);
    EXPECT_EQ(t->outerHTML(), QStringLiteral("<TABLE bgColor=red Width=200 id=t border=0></TABLE>"));
    EXPECT_TRUE(t->removeAttribute(QStringLiteral("BGCOLOR")));
    EXPECT_FALSE(t->removeAttribute(QStringLiteral("bgcolor")));
    EXPECT_EQ(t->getAttributeText(QStringLiteral("width")), QStringLiteral("200"));
}

TEST(DomAttributes, BoolSetsPresenceOfABooleanAttribute)
{
    auto doc = pageFrom("<body><table><tr><td id=c>x</td></tr></table></body>");
    Element* td = doc->getElementById(QStringLiteral("c"));
    td->setAttribute(QStringLiteral("noWrap"), true);
    EXPECT_EQ(td->outerHTML(), QStringLiteral("<TD id=c noWrap>x</TD>"));
    td->setAttribute(QStringLiteral("noWrap"), false);
    EXPECT_EQ(td->outerHTML(), QStringLiteral("<TD id=c>x</TD>"));
}

TEST(DomAttributes, ValuesAreStoredLiterally)
{
    auto doc = pageFrom("<body><img src=a.gif usemap=#m><img src=b.gif usemap=m></body>");
    auto imgs = doc->images();
    EXPECT_EQ(imgs.item(0)->getAttribute(QStringLiteral("usemap")), Variant("#m"));
    EXPECT_EQ(imgs.item(1)->getAttribute(QStringLiteral("usemap")), Variant("m"));
    imgs.item(0)->setAttribute(QStringLiteral("src"), QStringLiteral("..\\x y.gif"));
    EXPECT_EQ(imgs.item(0)->getAttributeText(QStringLiteral("src")), QStringLiteral("..\\x y.gif"));
}

TEST(DomAttributes, StyleAttributeIsTheStyleObject)
{
    auto doc = pageFrom("<body><div style=\"left: 10px; position: absolute\">x</div></body>");
    Element* div = doc->body()->children().item(0);
    Variant v = div->getAttribute(QStringLiteral("style"));
    ASSERT_TRUE(v.isStyle());
    EXPECT_EQ(v.toStyle()->left(), QStringLiteral("10px"));
    EXPECT_EQ(div->getAttributeText(QStringLiteral("style")), QStringLiteral("LEFT: 10px; POSITION: absolute"));
}

TEST(DomAttributes, FilterCountsFunctions)
{
    auto doc = pageFrom("<body><img style=\"filter: progid:DXImageTransform.Microsoft.Alpha(opacity=50) gray()\" "
                        "src=a.gif></body>");
    EXPECT_EQ(doc->images().item(0)->filtersLength(), 2);
}

TEST(DomMarkup, InnerAndOuterHtmlSetAndGet)
{
    auto doc = pageFrom("<body><div id=d>a</div></body>");
    Element* d = doc->getElementById(QStringLiteral("d"));
    d->setInnerHTML(QStringLiteral("x&nbsp y &amp z<b>bold</b>"));
    EXPECT_EQ(d->innerHTML(), QStringLiteral("x&nbsp; y &amp; z<B>bold</B>"));
    EXPECT_EQ(d->innerText(), QStringLiteral("x\u00a0 y & zbold"));
    auto replaced = d->setOuterHTML(QStringLiteral("<p>one</p><p>two</p>"));
    ASSERT_EQ(replaced.size(), 2u);
    EXPECT_EQ(replaced[1]->innerText(), QStringLiteral("two"));
    EXPECT_FALSE(d->isConnected());
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>one</P><P>two</P>"));
}

TEST(DomMarkup, InnerHtmlInTableContextsKeepsTheCells)
{
    auto doc = pageFrom("<body><table><tr id=r><td>a</td></tr></table></body>");
    Element* tr = doc->getElementById(QStringLiteral("r"));
    tr->setInnerHTML(QStringLiteral("<td>1</td><td>2</td>"));
    EXPECT_EQ(tr->cells().length(), 2);
    EXPECT_EQ(tr->innerHTML(), QStringLiteral("<TD>1</TD><TD>2</TD>"));
}

TEST(DomMarkup, InnerTextBreaksLinesAtBrAndBlocks)
{
    auto doc = pageFrom("<body><div id=d>one<br>two  three<p>four</p>five</div></body>");
    EXPECT_EQ(doc->getElementById(QStringLiteral("d"))->innerText(), QStringLiteral("one\ntwo three\nfour\nfive"));
    Element* d = doc->getElementById(QStringLiteral("d"));
    d->setInnerText(QStringLiteral("a<b>\nc"));
    EXPECT_EQ(d->innerHTML(), QStringLiteral("a&lt;b&gt;<BR>c"));
}

TEST(DomMarkup, InnerTextOfPlainTextElementsKeepsItsLineBreaks)
{
    auto doc = pageFrom("<head><style>p{}</style><script>x()</script></head><body><textarea>t</textarea></body>");
    for (const char* tag : {"STYLE", "SCRIPT", "TEXTAREA"}) {
        Element* e = doc->getElementsByTagName(QLatin1String(tag)).item(0);
        e->setInnerText(QStringLiteral("a < b\r\nc"));
        EXPECT_EQ(e->childCount(), 1) << tag;
        auto again = pageFrom(HtmlSerializer::fileText(doc.get()));
        EXPECT_EQ(again->getElementsByTagName(QLatin1String(tag)).item(0)->textContent(), QStringLiteral("a < b\nc"))
            << tag;
    }
}
