#include "engine/view/PagePrinter.h"

#include "engine/EnginePage.h"
#include "engine/layout/DocumentLayout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QPainter>
#include <QTemporaryDir>

using namespace engine;

namespace {

QString longPage(int paragraphs)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < paragraphs; ++i)
        html += QStringLiteral("<p>Paragraph %1 with a line of text that the printer must not cut in half.</p>").arg(i);
    return html + QStringLiteral("</body></html>");
}

} // namespace

TEST(PagePrinter, SheetsBreakBetweenLines)
{
    Ref<Document> doc = pageFrom(longPage(120));
    PagePrinter printer(doc.get());
    const QSize printable(600, 500);
    const std::vector<int> tops = printer.pageTops(printable);
    ASSERT_GT(tops.size(), 3u);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(printable);
    for (size_t i = 1; i < tops.size(); ++i) {
        EXPECT_LE(tops[i] - tops[i - 1], printable.height());
        EXPECT_GE(tops[i] - tops[i - 1], printable.height() / 2);
        for (const TextPiece& p : layout.tree().pieces)
            EXPECT_FALSE(p.box.top() < tops[i] && p.box.bottom() >= tops[i]) << "line cut at " << tops[i];
    }
    EXPECT_EQ(PagePrinter(doc.get()).pageTops(printable), tops);
}

TEST(PagePrinter, PrintsEverySheetToAPdf)
{
    Ref<Document> doc = pageFrom(longPage(150));
    PagePrinter pagePrinter(doc.get());
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    const int sheets = pagePrinter.print(printer);
    EXPECT_EQ(sheets, static_cast<int>(pagePrinter.pageTops(PagePrinter::printableSize(pagePrinter.pageLayout())).size()));
    EXPECT_GT(sheets, 2);
    QFile pdf(dir.filePath(QStringLiteral("page.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), sheets)
        << "pdf page objects";
}

TEST(PagePrinter, PrintableWidthFollowsThePaper)
{
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const QSize size = PagePrinter::printableSize(a4);
    EXPECT_NEAR(size.width(), 794, 1); // 210 mm at 96 per inch
    EXPECT_NEAR(size.height(), 1123, 1);
}

// Content wider than the paper (a layer placed right of the printable width,
// or a wide table) is not lost: the sheets shrink the page until it fits,
// down to a quarter, and lines are still never cut.
TEST(PagePrinter, WideContentShrinksToThePaperWidth)
{
    const QSize printable(600, 500);
    Ref<Document> plain = pageFrom(longPage(40));
    EXPECT_DOUBLE_EQ(PagePrinter(plain.get()).sheetScale(printable), 1.0);

    Ref<Document> wide = pageFrom("<html><body><p>text</p><div id=far style='position:absolute;left:1000px;"
                                  "top:700px;width:200px;height:50px;background-color:#f00'></div></body></html>");
    PagePrinter printer(wide.get());
    const double scale = printer.sheetScale(printable);
    EXPECT_NEAR(scale, 600.0 / 1200.0, 0.01);
    // A sheet covers the printable height at that scale.
    const std::vector<int> tops = printer.pageTops(printable);
    ASSERT_EQ(tops.size(), 1u);

    // The layer is on the sheet: paint it to an image of the sheet.
    QImage sheet(printable, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    {
        QPainter p(&sheet);
        printer.paintSheet(p, printable, 0);
    }
    const QRgb far = sheet.pixel(qRound(1100 * scale), qRound(725 * scale));
    EXPECT_GT(qRed(far), 200);
    EXPECT_LT(qGreen(far), 60);

    Ref<Document> absurd = pageFrom("<html><body><div style='position:absolute;left:90000px;width:10px;"
                                    "height:10px'></div></body></html>");
    EXPECT_DOUBLE_EQ(PagePrinter(absurd.get()).sheetScale(printable), 0.25);
}
