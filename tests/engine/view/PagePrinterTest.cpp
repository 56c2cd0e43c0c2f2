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

// A printer that writes a PDF file.
void printToPdf(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

int pdfPages(const QString& path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = pdf.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "));
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
    printToPdf(printer, dir.filePath(QStringLiteral("page.pdf")));
    const int sheets = pagePrinter.print(printer);
    EXPECT_EQ(sheets,
              static_cast<int>(pagePrinter.pageTops(PagePrinter::printableSize(pagePrinter.pageLayout())).size()));
    EXPECT_GT(sheets, 2);
    EXPECT_EQ(pdfPages(dir.filePath(QStringLiteral("page.pdf"))), sheets) << "pdf page objects";
}

TEST(PagePrinter, PrintableWidthFollowsThePaper)
{
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                         QPageLayout::Millimeter);
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

// Cells side by side with lines of different heights: moving a sheet's end
// above a line of one cell may cut a line of the other. Wherever the lower
// half of a sheet has a place that cuts no line, the sheet ends at one.
TEST(PagePrinter, SheetsBreakBetweenLinesOfCellsSideBySide)
{
    QString left, right;
    for (int i = 0; i < 60; ++i) {
        left += QStringLiteral("left line %1<br>").arg(i);
        right += QStringLiteral("<p style='margin:5px 0'>right %1<br>second</p>").arg(i);
    }
    Ref<Document> doc = pageFrom(QStringLiteral("<html><body><table><tr><td valign=top style='font-size:16px'>") +
                                 left + QStringLiteral("</td><td valign=top style='font-size:23px'>") + right +
                                 QStringLiteral("</td></tr></table></body></html>"));
    for (int height = 300; height <= 700; height += 13) {
        const QSize printable(600, height);
        const std::vector<int> tops = PagePrinter(doc.get()).pageTops(printable);
        DocumentLayout layout(doc.get());
        layout.setViewportSize(printable);
        const auto& pieces = layout.tree().pieces;
        auto cutsALine = [&pieces](int y) {
            return std::any_of(pieces.begin(), pieces.end(),
                               [y](const TextPiece& p) { return p.box.top() < y && p.box.top() + p.box.height() > y; });
        };
        for (size_t i = 1; i < tops.size(); ++i) {
            if (!cutsALine(tops[i]))
                continue;
            for (int y = tops[i - 1] + height / 2; y <= tops[i - 1] + height; ++y)
                ASSERT_TRUE(cutsALine(y)) << "sheet height " << height << ": the end at " << tops[i]
                                          << " cuts a line though " << y << " cuts none";
        }
    }
}

// A range of sheets chosen in the print dialog prints only those sheets.
TEST(PagePrinter, PrintsOnlyTheChosenSheets)
{
    Ref<Document> doc = pageFrom(longPage(150));
    PagePrinter pagePrinter(doc.get());
    QTemporaryDir dir;
    const struct
    {
        int from, to, expected;
    } ranges[] = {{2, 3, 2}, {3, 99, -1}, {99, 100, 0}}; // -1: from there to the last sheet
    const int all = static_cast<int>(pagePrinter.pageTops(PagePrinter::printableSize(pagePrinter.pageLayout())).size());
    ASSERT_GT(all, 3);
    for (const auto& range : ranges) {
        QPrinter printer(QPrinter::HighResolution);
        const QString path = dir.filePath(QStringLiteral("range%1.pdf").arg(range.from));
        printToPdf(printer, path);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(range.from, range.to);
        const int expected = range.expected < 0 ? all - range.from + 1 : range.expected;
        EXPECT_EQ(pagePrinter.print(printer), expected) << range.from << "-" << range.to;
        if (expected > 0) {
            EXPECT_EQ(pdfPages(path), expected);
        }
    }
}

// The preview prints with the paper the user turned in it, and keeps it.
TEST(PagePrinter, PreviewKeepsThePaperChosenInIt)
{
    Ref<Document> doc = pageFrom(longPage(150));
    PagePrinter pagePrinter(doc.get());
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(printer, dir.filePath(QStringLiteral("preview.pdf")));
    printer.setPageLayout(pagePrinter.pageLayout());
    printer.setPageOrientation(QPageLayout::Landscape);
    const int sheets = pagePrinter.printPreview(printer);
    EXPECT_EQ(pagePrinter.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(sheets, static_cast<int>(pagePrinter.pageTops(PagePrinter::printableSize(printer.pageLayout())).size()));
    EXPECT_GT(
        sheets,
        static_cast<int>(
            PagePrinter(doc.get()).pageTops(PagePrinter::printableSize(PagePrinter(doc.get()).pageLayout())).size()));
}

// Images shorter than half a sheet are not cut between sheets either.
TEST(PagePrinter, SheetsBreakAboveImages)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 30; ++i)
        html += QStringLiteral("<p>text %1</p><img src='none.png' width=100 height=%2>").arg(i).arg(60 + i * 7 % 90);
    Ref<Document> doc = pageFrom(html + QStringLiteral("</body></html>"));
    for (int height = 400; height <= 700; height += 23) {
        const QSize printable(600, height);
        const std::vector<int> tops = PagePrinter(doc.get()).pageTops(printable);
        DocumentLayout layout(doc.get());
        layout.setViewportSize(printable);
        for (size_t i = 1; i < tops.size(); ++i) {
            for (const LayoutBox& b : layout.tree().boxes) {
                if (b.tag != QLatin1String("IMG"))
                    continue;
                EXPECT_FALSE(b.borderBox.top() < tops[i] && b.borderBox.top() + b.borderBox.height() > tops[i])
                    << "sheet height " << height << ": image " << b.borderBox.top() << " cut at " << tops[i];
            }
        }
    }
}
