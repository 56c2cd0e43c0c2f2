#include "engine/view/PagePrinter.h"

#include "engine/EnginePage.h"
#include "engine/layout/DocumentLayout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
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
