// A long page's layout text read in parts on threads of their own and joined
// gives the layout of the page read whole; pages whose style sheets look at
// siblings, or whose parts would not read as the page does at their edges,
// are read whole.
#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/layout/PageContainer.h"

#include "bench/engine/DocumentationPage.h"
#include "engine/EnginePage.h"
#include "FullLayoutCheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace engine;
using layout_test::expectSameLayout;

namespace {

// Blocks of every kind one after the other, with text straight in the
// blocks a page may be cut inside, so that cuts fall before, between and
// after all of them.
QString mixedPage(int sections, const QString& style = QString(), const QString& sectionClass = "s")
{
    QString html = QStringLiteral("<html><head><title>parts</title><style>div.s { margin: 6px 3px; } "
                                  ".note p { color: red; font-size: 90%; } h2 { border-bottom: 1px solid; } %1"
                                  "</style></head><body bgcolor=white text=black>\n<div class=book>")
                       .arg(style);
    for (int i = 0; i < sections; ++i) {
        html += QStringLiteral("<div class=%2><h2>Section %1</h2>text straight in the section %1 "
                               "<b>bold</b> and more\n<p>A paragraph with <a href='#x%1'>a link</a> and "
                               "日本語の文も入ります。</p>")
                    .arg(i)
                    .arg(sectionClass);
        switch (i % 6) {
        case 0:
            html += QStringLiteral("<table border=1 cellpadding=3><tr><td>cell %1</td><td width=40%>right</td>"
                                   "</tr><tr><td colspan=2><table><tr><td>inner</td></tr></table></td></tr>"
                                   "</table>")
                        .arg(i);
            break;
        case 1:
            html += QStringLiteral("<ul><li>one<li>two <i>italic</i><li><ol><li>nested</ol></ul>");
            break;
        case 2:
            html += QStringLiteral("<center>centred %1<br>line</center><blockquote>quoted "
                                   "<div class=note><p>note</p></div></blockquote>")
                        .arg(i);
            break;
        case 3:
            html += QStringLiteral("<div style='float: left; width: 120px'>float %1</div><pre>\tpre line\n"
                                   "second</pre><div style='clear: both'></div>")
                        .arg(i);
            break;
        case 4:
            html += QStringLiteral("<div style='position: absolute; left: %1px; top: %2px'>placed</div>"
                                   "<dl><dt>term<dd>definition</dl><hr>")
                        .arg(20 + i)
                        .arg(40 * i);
            break;
        default:
            html += QStringLiteral("<p><img src='missing.png' alt='picture' width=30 height=20> after "
                                   "<font size=5 face='Arial'>big</font></p>");
        }
        html += QStringLiteral("tail text %1</div>\n").arg(i);
    }
    return html + QStringLiteral("closing words</div></body></html>");
}

struct Written
{
    std::vector<QString> pieces;
    std::vector<LayoutSerializer::Cut> cuts;
    QStringList links;
    bool partsAllowed = true;
};

Written write(const Document& doc, qsizetype pieceLength)
{
    LayoutSerializer writer(doc);
    writer.keepInPiecesOf(pieceLength);
    while (!writer.advance(1 << 20)) {
    }
    return Written{writer.wholePieces(), writer.cuts(), writer.styleSheetLinks(), writer.partsAllowed()};
}

// The page read in parts of about `partLength` (its pieces a tenth of
// that) and read whole, laid out at 800 px; the parts read.
int expectSameReadInParts(const Document& doc, qsizetype partLength, const std::string& step,
                          const QString& baseFolder = QString())
{
    const Written written = write(doc, partLength / 10);
    LayoutEngine parts;
    parts.setBaseFolder(baseFolder);
    parts.load(written.pieces, written.partsAllowed ? written.cuts : std::vector<LayoutSerializer::Cut>(),
               written.links, 8, partLength);
    parts.layout(800);
    LayoutEngine whole;
    whole.setBaseFolder(baseFolder);
    whole.load(LayoutSerializer::join(written.pieces));
    whole.layout(800);
    expectSameLayout(parts, whole, step, true);
    return parts.partsRead();
}

} // namespace

TEST(PageParts, APageReadInPartsIsLaidOutAsThePageReadWhole)
{
    Ref<Document> mixed = pageFrom(mixedPage(60));
    EXPECT_GE(expectSameReadInParts(*mixed, 6 * 1024, "mixed"), 4);
    Ref<Document> manual = pageFrom(bench_pages::documentationPage(60 * 1024));
    EXPECT_GE(expectSameReadInParts(*manual, 16 * 1024, "manual"), 4);
}

TEST(PageParts, PagesWhosePartsCannotStandAloneAreReadWhole)
{
    // Rules on siblings in the page's style sheet, in a linked one, or
    // table parts made of blocks.
    for (const char* style : {"li:first-child { color: red }", "h2 + p { margin: 0 }",
                              "@media screen { div ~ p { color: blue } }", "p { display: table-cell }"}) {
        Ref<Document> doc = pageFrom(mixedPage(30, QString::fromLatin1(style)));
        EXPECT_EQ(expectSameReadInParts(*doc, 6 * 1024, style), 1) << style;
    }
    QTemporaryDir dir;
    QFile sheet(dir.filePath(QStringLiteral("page.css")));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("div.s p:last-child { margin-bottom: 30px }");
    sheet.close();
    QString linked = mixedPage(30);
    linked.replace(QStringLiteral("</head>"), QStringLiteral("<link rel=stylesheet href=page.css></head>"));
    Ref<Document> doc = pageFrom(linked);
    EXPECT_EQ(expectSameReadInParts(*doc, 6 * 1024, "linked", dir.path()), 1);
    // A block the page is cut inside that its style sheet makes inline:
    // the parts do not read as the page does, and the page is read whole.
    Ref<Document> inlined = pageFrom(mixedPage(30, QStringLiteral("div.run { display: inline }"), "run"));
    EXPECT_EQ(expectSameReadInParts(*inlined, 6 * 1024, "inline blocks"), 1);
}

// The parts of a page, and the runs of blocks read apart after an edit,
// take the rules of the linked sheets the page was read with: a sheet is
// read once, as it was then (changed, added or removed on disk since), until
// the page is read again.
TEST(PageParts, ALinkedStyleSheetIsReadOnceForEachReadingOfThePage)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const char* css) {
        QFile sheet(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly | QIODevice::Truncate));
        sheet.write(css);
    };
    const auto read = [](PageContainer& container, const char* href) {
        litehtml::tstring text;
        litehtml::tstring base;
        container.import_css(text, href, base);
        return text;
    };
    write("page.css", "p { margin: 5px }");
    PageContainer container;
    container.setBaseFolder(dir.path());
    EXPECT_EQ(read(container, "page.css"), "p { margin: 5px }");
    EXPECT_EQ(read(container, "later.css"), "");
    write("page.css", "p + p { margin: 9px }");
    write("later.css", "h1 { color: red }");
    EXPECT_EQ(read(container, "page.css"), "p { margin: 5px }");
    EXPECT_EQ(read(container, "later.css"), "");
    EXPECT_TRUE(container.styleSheetsAllowParts());
    container.forgetStyleSheets();
    EXPECT_EQ(read(container, "page.css"), "p + p { margin: 9px }");
    EXPECT_EQ(read(container, "later.css"), "h1 { color: red }");
    EXPECT_FALSE(container.styleSheetsAllowParts());
    EXPECT_FALSE(container.styleSheetAllowsParts(QStringLiteral("page.css")));
    EXPECT_TRUE(container.styleSheetAllowsParts(QStringLiteral("later.css")));
}

TEST(PageParts, OnlyRulesOnSiblingsKeepAPageWhole)
{
    EXPECT_TRUE(LayoutSerializer::styleSheetAllowsParts(
        QStringLiteral("/* h1 + p, li:first-child */ div.a > p, ul li a:hover { margin: 1px +2px; "
                       "content: \"~\" } @media print { body { color: black } }")));
    EXPECT_FALSE(LayoutSerializer::styleSheetAllowsParts(QStringLiteral("tr:nth-child(2n) td { color: red }")));
    EXPECT_FALSE(LayoutSerializer::styleSheetAllowsParts(QStringLiteral("@import url(other.css);")));
    EXPECT_FALSE(LayoutSerializer::styleSheetAllowsParts(QStringLiteral("p:empty { display: none }")));
    EXPECT_TRUE(LayoutSerializer::declarationsAllowParts(QStringLiteral("DISPLAY: table; TABLE-LAYOUT: fixed")));
    EXPECT_FALSE(LayoutSerializer::declarationsAllowParts(QStringLiteral("DISPLAY: table-row")));
}

// A long page in a view: its whole layout comes in read in parts, and
// changes made in place after it (a restyle, typing) give what a layout
// of the changed page made from scratch gives.
TEST(PageParts, ALongPageInAViewIsReadInPartsAndEditedInPlace)
{
    Ref<Document> doc = pageFrom(bench_pages::documentationPage(900 * 1024));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(800, 600));
    layout.setBuildsInBackground(true);
    layout.ensureLayout();
    QElapsedTimer clock;
    clock.start();
    while (layout.isLayingOutInBackground() && clock.elapsed() < 300000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    ASSERT_FALSE(layout.isLayingOutInBackground());
    if (QThread::idealThreadCount() > 1) {
        EXPECT_GT(layout.engine().partsRead(), 1);
    }
    layout_test::expectSameAsFullLayout(layout, *doc, "read in parts");
    const int rebuilds = layout.counters().rebuilds;
    Element* last = doc->getElementsByTagName(QStringLiteral("ADDRESS")).item(0);
    last->style().setAttribute(QStringLiteral("font-size"), Variant(QStringLiteral("30px")));
    Element* code = doc->getElementsByTagName(QStringLiteral("CODE")).item(2000);
    code->firstChild()->asText()->insertData(0, QStringLiteral("typed "));
    layout.ensureLayout();
    EXPECT_EQ(layout.counters().rebuilds, rebuilds);
    layout_test::expectSameAsFullLayout(layout, *doc, "edited");
}

// The page's content in a text box (a positioned table of one cell, as a
// page with loose text is given at load) is read in parts inside the cell;
// a cell with more of its table after it is cut inside only where the
// parts still read as the page does.
TEST(PageParts, TheContentOfACellLastInItsTableIsReadInParts)
{
    const QString page = mixedPage(60);
    const qsizetype start = page.indexOf(QStringLiteral("<div class=book>"));
    const qsizetype end = page.lastIndexOf(QStringLiteral("</body>"));
    const QString content = page.mid(start, end - start);
    const QString box =
        page.left(start) + QStringLiteral("<table id=text style='position: absolute; left: 20px; top: 20px'><tbody>"
                                          "<tr><td>%1</td></tr>\n</tbody></table></body></html>");
    Ref<Document> textBox = pageFrom(box.arg(content));
    EXPECT_GE(expectSameReadInParts(*textBox, 6 * 1024, "text box"), 4);
    for (const char* after : {"<td>a cell after</td></tr>", "</tr><tr><td>a row after</td></tr>",
                              "</tr></tbody><tfoot><tr><td>a foot</td></tr></tfoot>"}) {
        QString more = box.arg(content);
        more.replace(QStringLiteral("</td></tr>\n</tbody>"), QStringLiteral("</td>%1\n</tbody>").arg(after));
        Ref<Document> doc = pageFrom(more);
        expectSameReadInParts(*doc, 6 * 1024, after);
    }
}

// Text straight in the blocks a page is cut inside runs on across the cuts:
// its words are fitted to the running widths of their lines as when the
// page is read whole, also where a line runs through inline elements, an
// inline box or a break at a cut.
TEST(PageParts, LinesOfTextStraightInABlockRunOnAcrossTheCuts)
{
    QString html = QStringLiteral("<html><head><title>runs</title></head><body><div class=book> \n");
    for (int i = 0; i < 400; ++i) {
        html += QStringLiteral("word%1 il <b>bold %1</b> ill <i>wide WWW %1</i> ").arg(i);
        if (i % 7 == 0)
            html += QStringLiteral("<span style='display: inline-block; width: 31px'>box</span> ");
        if (i % 11 == 0)
            html += QStringLiteral("<br> ");
        if (i % 13 == 0)
            html += QStringLiteral("<div>a block %1 </div> ").arg(i);
    }
    Ref<Document> doc = pageFrom(html + QStringLiteral(" </div></body></html>"));
    EXPECT_GE(expectSameReadInParts(*doc, 4 * 1024, "runs"), 4);
}

// A page that holds long listings (as source listings are written: a PRE of
// numbered lines with coloured words) is cut between its blocks, never
// inside a listing, also after a listing far longer than a piece: where it
// ends the cuts come again.
TEST(PageParts, LongListingsAreNotCutInsideAndThePageIsCutAfterThem)
{
    const auto listing = [](int lines) {
        QString pre = QStringLiteral("<pre class=rust><code>");
        for (int i = 1; i <= lines; ++i)
            pre += QStringLiteral("<a href=#%1 id=%1>%1</a>    <span class=kw>let</span> x%1 = "
                                  "<span class=number>%1</span>;\n")
                       .arg(i);
        return pre + QStringLiteral("</code></pre>");
    };
    const auto sections = [](int count, int from) {
        QString html;
        for (int i = from; i < from + count; ++i)
            html += QStringLiteral("<div><h2>Part %1</h2><p>Words of part %1, <b>some bold</b>.</p></div>\n").arg(i);
        return html;
    };
    const QString html = QStringLiteral("<html><head><title>listing</title></head><body><div class=main>") +
                         listing(400) + sections(40, 0) + QStringLiteral("<div class=example>") + listing(300) +
                         QStringLiteral("</div>") + sections(40, 40) + QStringLiteral("</div></body></html>");
    Ref<Document> doc = pageFrom(html);
    const Written written = write(*doc, 1024);
    ASSERT_TRUE(written.partsAllowed);
    const QString text = LayoutSerializer::join(written.pieces);
    const qsizetype firstEnd = text.indexOf(QStringLiteral("</PRE>"), 0, Qt::CaseInsensitive);
    const qsizetype secondStart = text.indexOf(QStringLiteral("<PRE"), firstEnd, Qt::CaseInsensitive);
    const qsizetype secondEnd = text.indexOf(QStringLiteral("</PRE>"), secondStart, Qt::CaseInsensitive);
    ASSERT_GT(firstEnd, 40 * 1024);
    ASSERT_GT(secondEnd - secondStart, 30 * 1024);
    int between = 0, after = 0;
    for (const LayoutSerializer::Cut& cut : written.cuts) {
        qsizetype at = 0;
        for (size_t i = 0; i < cut.piece; ++i)
            at += written.pieces[i].size();
        const QString before = text.left(at);
        EXPECT_EQ(before.count(QStringLiteral("<PRE"), Qt::CaseInsensitive),
                  before.count(QStringLiteral("</PRE>"), Qt::CaseInsensitive))
            << "a cut inside a listing at " << at;
        between += at > firstEnd && at < secondStart ? 1 : 0;
        after += at > secondEnd ? 1 : 0;
    }
    EXPECT_GE(between, 2);
    EXPECT_GE(after, 2);
    EXPECT_GE(expectSameReadInParts(*doc, 10 * 1024, "listings"), 3);
}
