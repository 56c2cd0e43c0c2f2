#include "engine/EnginePage.h"

#include "engine/css/Style.h"
#include "engine/html/HtmlSerializer.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct FormCase
{
    const char* input;    // BODY content as parsed
    const char* expected; // BODY innerHTML
};

class SerializedForm : public ::testing::TestWithParam<FormCase>
{
};

TEST_P(SerializedForm, BodyInnerHtml)
{
    auto doc = pageFrom(QStringLiteral("<html><body>%1</body></html>").arg(QString::fromUtf8(GetParam().input)));
    EXPECT_EQ(bodyHtml(doc.get()), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Html, SerializedForm,
    ::testing::Values(
        FormCase{"<p>a<b>b</b></p>", "<P>a<B>b</B></P>"}, FormCase{"<img src=a.gif><br>", "<IMG src=\"a.gif\"><BR>"},
        FormCase{"<a href=\"x.html\" target=_blank>l</a>", "<A href=\"x.html\" target=_blank>l</A>"},
        FormCase{"<td><font color='#ff0000' size=+1>r</font>", "<FONT color=#ff0000 size=\"+1\">r</FONT>"},
        FormCase{"<div title='a \"q\" &amp; b'></div>", "<DIV title=\"a &quot;q&quot; &amp; b\"></DIV>"},
        FormCase{"<input type=checkbox checked>", "<INPUT type=checkbox checked>"},
        FormCase{"<div title=\"\"></div>", "<DIV title=\"\"></DIV>"},
        FormCase{"<div style=\"position:absolute;left:95px;  top:5px;z-index:101\">x</div>",
                 "<DIV style=\"POSITION: absolute; LEFT: 95px; TOP: 5px; Z-INDEX: 101\">x</DIV>"},
        FormCase{"<div style=\"\">x</div>", "<DIV>x</DIV>"},
        FormCase{"a&nbsp;b &lt;c&gt; &amp;", "a&nbsp;b &lt;c&gt; &amp;"},
        FormCase{"<script>if (a < b && c) x = '</p>';</script>", "<SCRIPT>if (a < b && c) x = '</p>';</SCRIPT>"},
        FormCase{"<style>p > b { color: red }</style>", "<STYLE>p > b { color: red }</STYLE>"},
        FormCase{"<!-- keep <b>this</b> -->", "<!-- keep <b>this</b> -->"}, FormCase{"a\r\nb\rc", "a\nb\nc"},
        FormCase{"<p>x</p>\n  <p>y</p>", "<P>x</P>\n  <P>y</P>"},
        FormCase{"<marquee behavior=alternate>m</marquee>", "<MARQUEE behavior=alternate>m</MARQUEE>"},
        FormCase{"<p><table><tr><td>t</td></tr></table></p>",
                 "<P><TABLE><TBODY><TR><TD>t</TD></TR></TBODY></TABLE></P>"},
        FormCase{"<textarea>a &lt;b&gt; &amp;</textarea>", "<TEXTAREA>a &lt;b&gt; &amp;</TEXTAREA>"},
        // The break a parser drops after the start tag is written again, so
        // a leading blank line survives every save and load.
        FormCase{"<pre>\n\ncode</pre><textarea>\n\nt</textarea>", "<PRE>\n\ncode</PRE><TEXTAREA>\n\nt</TEXTAREA>"},
        FormCase{"<pre>\ncode</pre><pre><b>\nx</b></pre>", "<PRE>code</PRE><PRE><B>\nx</B></PRE>"},
        // A carriage return written as a reference stays one: as a raw
        // character the next load would read a line break.
        FormCase{"<td>&#13;\t\tname<a title=\"a&#13;b\">l</a>", "&#13;\t\tname<A title=\"a&#13;b\">l</A>"}));

} // namespace

TEST(HtmlSerializer, ChildOuterHtmlEqualsParentInnerHtml)
{
    auto doc = pageFrom("<body><table><tr><td><div id=d style=\"left:1px\">x&nbsp;</div></td></tr></table></body>");
    Element* d = doc->getElementById(QStringLiteral("d"));
    EXPECT_EQ(d->parentElement()->innerHTML(), d->outerHTML());
}

TEST(HtmlSerializer, FileTextStartsBlocksOnNewLinesAndKeepsTheDoctype)
{
    const char* page = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"
                       "<html><head><title>t</title><meta http-equiv=Content-Type content=\"text/html; "
                       "charset=UTF-8\"></head><body><p>a<b>b</b></p><table><tr><td>c</td></tr></table>"
                       "<pre><p>x</p></pre></body></html>";
    auto doc = pageFrom(page);
    EXPECT_EQ(HtmlSerializer::fileText(doc.get()),
              QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                             "<HTML>\n<HEAD>\n<TITLE>t</TITLE>\n<META http-equiv=Content-Type "
                             "content=\"text/html; charset=UTF-8\"></HEAD>\n<BODY>\n<P>a<B>b</B></P>\n<TABLE>\n"
                             "<TBODY>\n<TR>\n<TD>c</TD></TR></TBODY></TABLE><PRE><P>x</P></PRE></BODY></HTML>"));
}

TEST(HtmlSerializer, StyleChangesAreWrittenInTheirPlace)
{
    auto doc = pageFrom("<body><div id=d style=\"Z-INDEX: 101; LEFT: 95px; POSITION: absolute; TOP: 5px\">x</div>"
                        "</body>");
    Element* d = doc->getElementById(QStringLiteral("d"));
    d->style().setLeft(120);
    d->style().setWidth(QStringLiteral("40px"));
    d->style().removeAttribute(QStringLiteral("zIndex"));
    EXPECT_EQ(d->outerHTML(),
              QStringLiteral("<DIV id=d style=\"LEFT: 120px; POSITION: absolute; TOP: 5px; WIDTH: 40px\">x</DIV>"));
}

TEST(HtmlSerializer, SavedPlainTextReadsBackAsItWas)
{
    // Everything after PLAINTEXT's start tag is its text: end tags written
    // after it would join the text at the next load.
    auto doc = pageFrom("<body><p>a</p><plaintext>x <b> & y");
    const QString once = HtmlSerializer::fileText(doc.get());
    EXPECT_TRUE(once.endsWith(QStringLiteral("<PLAINTEXT>x <b> & y"))) << once.toStdString();
    EXPECT_EQ(HtmlSerializer::fileText(pageFrom(once).get()), once);
}

TEST(HtmlSerializer, OddPagesReadBackAsTheyWereSaved)
{
    // Controls and noncharacters from references, in text and in values
    // (written plainly a parser reads them as the replacement character);
    // a name that begins with '=' after a bare attribute; script text whose
    // escape runs on over its end tag.
    const char* pages[] = {"<body><p title=\"&#1;&#127;\">a&#1;b&#11;c&#127;d&#129;e&#xFDD0;f&#x1FFFE;</p>",
                           "<body><img alt/=x src=a.gif>", "<html><head><script><!--<script x=\"1\">",
                           // In SVG and MathML, PLAINTEXT and SCRIPT hold markup.
                           "<body><math><plaintext>x <b>y</b></plaintext><mi><i>z</i></mi></math><p>after",
                           "<body><svg><script>a &lt; b &amp;&amp; c</script><style>p &gt; b</style></svg>",
                           // A TITLE is HTML inside in SVG, not in MathML: a
                           // TEXTAREA in MathML's keeps its line break.
                           "<body><math><title><textarea>\nx</textarea></title></math>"
                           "<svg><title><textarea>\ny</textarea></title></svg>"
                           "<math><annotation-xml encoding=text/html><textarea>\nz</textarea></annotation-xml></math>",
                           // A vertical tab does not end a tag name.
                           "<body><html\x0b\x1b\x1a>\" text"};
    for (const char* page : pages) {
        auto doc = pageFrom(page);
        const QString once = HtmlSerializer::fileText(doc.get());
        EXPECT_EQ(HtmlSerializer::fileText(pageFrom(once).get()), once) << page;
    }
    auto controls = pageFrom(pages[0]);
    const QString expected =
        QStringLiteral("a%1b%2c%3d%4e%5f").arg(QChar(1), QChar(11), QChar(127), QChar(0x81), QChar(0xFDD0)) +
        QString::fromUcs4(U"\U0001FFFE");
    EXPECT_EQ(controls->body()->textContent(), expected);
    EXPECT_TRUE(bodyHtml(controls.get()).contains(QLatin1String("a&#1;b&#11;c&#127;d&#129;e&#64976;f&#131070;")));
    auto bare = pageFrom(pages[1]);
    Element* img = bare->getElementsByTagName(QStringLiteral("IMG")).item(0);
    ASSERT_EQ(img->attributeCount(), 3);
    EXPECT_EQ(img->attributeAt(1).name, QStringLiteral("=x"));
}

TEST(HtmlSerializer, NulFromTheApiIsWrittenAsTheReplacementCharacter)
{
    auto doc = pageFrom("<body><p id=p>x</p></body>");
    Element* p = doc->getElementById(QStringLiteral("p"));
    p->firstChild()->asText()->setData(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    p->setAttribute(QStringLiteral("title"), Variant(QStringLiteral("c") + QChar(0)));
    const QString once = HtmlSerializer::fileText(doc.get());
    EXPECT_FALSE(once.contains(QChar(0)));
    EXPECT_EQ(HtmlSerializer::fileText(pageFrom(once).get()), once);
}

// Right in a MathML text integration point (MI, MO, MN, MS, MTEXT) an MGLYPH
// or MALIGNMARK stays MathML, and what it holds with it: a TEXTAREA there
// keeps its first line break, a STYLE or SCRIPT holds markup. Written as
// HTML, a TEXTAREA gained a line break at every save. Inside an HTML element
// there, or in an MI that is itself HTML, they are HTML.
TEST(HtmlSerializer, WhatAMathGlyphInATextIntegrationPointHoldsIsWrittenAsMathML)
{
    static const char* const kPoints[] = {"mi", "mo", "mn", "ms", "mtext"};
    static const char* const kGlyphs[] = {"mglyph", "malignmark"};
    static const char* const kAround[] = {"<math><%1>",
                                          "<math><%1><b>",
                                          "<math><%1>x</p>",
                                          "<math><annotation-xml encoding=text/html><%1>",
                                          "<svg><foreignObject><math><%1>",
                                          "<math><%1><table>",
                                          "<math><%1><%2><%1>"};
    static const char* const kElements[] = {"pre",    "listing", "textarea", "script",   "style",     "xmp",
                                            "iframe", "noembed", "noframes", "noscript", "plaintext", "title"};
    static const char* const kTexts[] = {"\n", "\n\nx<b>&amp;</b>", "a</x>&lt;y\n"};
    // The text, but for white space (the save starts some elements on a
    // line of their own).
    const auto shown = [](Document* doc) {
        QString text = doc->body()->textContent();
        text.removeIf([](QChar c) { return c.isSpace(); });
        return text;
    };
    int pages = 0;
    int failed = 0;
    for (const char* point : kPoints)
        for (const char* glyph : kGlyphs)
            for (const char* around : kAround)
                for (const char* element : kElements)
                    for (const char* text : kTexts) {
                        const QString page = QString::fromLatin1(around)
                                                 .replace(QLatin1String("%1"), QLatin1String(point))
                                                 .replace(QLatin1String("%2"), QLatin1String(glyph)) +
                                             QStringLiteral("<%1><%2>%3").arg(glyph, element, QLatin1String(text));
                        ++pages;
                        auto doc = pageFrom(page);
                        const QString once = HtmlSerializer::fileText(doc.get());
                        auto again = pageFrom(once);
                        if (HtmlSerializer::fileText(again.get()) != once || shown(again.get()) != shown(doc.get())) {
                            ++failed;
                            ADD_FAILURE() << page.toStdString() << "\n  saved: " << once.toStdString();
                        }
                    }
    EXPECT_EQ(failed, 0) << "of " << pages;
    auto doc = pageFrom("<math><mi><mglyph><textarea>\n\nx</textarea></mglyph></mi></math>");
    EXPECT_TRUE(HtmlSerializer::fileText(doc.get()).contains(QLatin1String("<TEXTAREA>\n\nx</TEXTAREA>")));
}
