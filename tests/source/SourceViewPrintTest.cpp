#include "SourceViewTestSupport.h"

#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "source/SourcePageSetupDlg.h"
#include "source/SourcePageSetupModel.h"
#include "source/SourcePrintLayout.h"
#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const char kPageSetupKey[] = "Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\ULO\\CrystalEdit\\PageSetup";

void WriteMargins(int left, int right, int top, int bottom)
{
    SourcePageSetupModel model;
    model.m_nLeftMargin = left;
    model.m_nRightMargin = right;
    model.m_nTopMargin = top;
    model.m_nBottomMargin = bottom;
    model.SaveProfile();
}

// A view that records each printed footer and the layout it was drawn in.
class RecordingPrintView : public VornaSourceEditView
{
public:
    struct Footer
    {
        int page;
        QString text;
        platform::Rect textArea;
    };
    void DrawPrintFooter(QPainter& painter, int page) override
    {
        QString text;
        GetFooterText(page, text);
        footers.push_back(Footer{page, text, GetPrintTextRect()});
        VornaSourceEditView::DrawPrintFooter(painter, page);
    }
    int LineHeightOnPaper(QPrinter& printer, int line)
    {
        OnBeginPrinting(printer);
        PaginateForPrint(printer);
        const int height = MeasurePrintLine(printer, line);
        OnEndPrinting();
        return height;
    }

    std::vector<Footer> footers;
};

class SourceViewPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.OnInitialUpdate();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("source.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    void Load(const std::string& text) { view.GetSourceDoc()->m_xTextBuffer.LoadFromBytes(text); }
    int PdfPages()
    {
        QFile file(printer.outputFileName());
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QString pdf = QString::fromLatin1(file.readAll());
        return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }

    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    RecordingPrintView view;
};

std::string Lines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "<p>line " + std::to_string(i) + "</p>\r\n";
    return text;
}

TEST_F(SourceViewPrintTest, OneLinePrintsOnePageOfOne)
{
    Load("<html>");
    ASSERT_TRUE(view.PrintDocument(printer));
    EXPECT_EQ(PdfPages(), 1);
    ASSERT_EQ(view.footers.size(), 1u);
    EXPECT_EQ(view.footers[0].text, QStringLiteral("Page 1/1"));
    EXPECT_EQ(view.GetPrintPageCount(), 0); // the job's state is gone
}

TEST_F(SourceViewPrintTest, ALongTextPrintsNumberedPages)
{
    Load(Lines(300));
    ASSERT_TRUE(view.PrintDocument(printer));
    const int pages = static_cast<int>(view.footers.size());
    EXPECT_GT(pages, 2);
    EXPECT_EQ(PdfPages(), pages);
    for (int i = 0; i < pages; ++i) {
        EXPECT_EQ(view.footers[i].page, i + 1);
        EXPECT_EQ(view.footers[i].text, QStringLiteral("Page %1/%2").arg(i + 1).arg(pages));
    }
}

TEST_F(SourceViewPrintTest, APageRangePrintsOnlyItsPagesAndNothingBeyondTheText)
{
    Load(Lines(300));
    printer.setFromTo(2, 3);
    ASSERT_TRUE(view.PrintDocument(printer));
    EXPECT_EQ(PdfPages(), 2);
    ASSERT_EQ(view.footers.size(), 2u);
    EXPECT_EQ(view.footers[0].page, 2);

    view.footers.clear();
    printer.setOutputFileName(dir.filePath(QStringLiteral("beyond.pdf")));
    printer.setFromTo(90, 95);
    EXPECT_FALSE(view.PrintDocument(printer));
    EXPECT_TRUE(view.footers.empty());
    EXPECT_FALSE(QFile::exists(printer.outputFileName()));
}

TEST_F(SourceViewPrintTest, ZeroMarginsPrintFromTheEdgesWithTheFooterBandInside)
{
    WriteMargins(0, 0, 0, 0);
    Load("a\r\nb");
    ASSERT_TRUE(view.PrintDocument(printer));
    ASSERT_EQ(view.footers.size(), 1u);
    const platform::Rect area = view.footers[0].textArea;
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, printer.width());
    EXPECT_LT(area.bottom, printer.height());
    EXPECT_GT(area.bottom, printer.height() - printer.logicalDpiY() / 2);
}

TEST_F(SourceViewPrintTest, MarginsComeFromTheProfileInHundredthsOfAMillimetre)
{
    WriteMargins(2540, 1270, 0, 0);
    Load("a");
    ASSERT_TRUE(view.PrintDocument(printer));
    ASSERT_EQ(view.footers.size(), 1u);
    EXPECT_EQ(view.footers[0].textArea.left, printer.logicalDpiX());
    EXPECT_EQ(view.footers[0].textArea.right, printer.width() - printer.logicalDpiX() / 2);
}

TEST_F(SourceViewPrintTest, ALongLineWrapsInsteadOfRunningOffThePaper)
{
    std::string text(600, 'x');
    text.append("\r\nshort");
    Load(text);
    const int wrapped = view.LineHeightOnPaper(printer, 0);
    const int single = view.LineHeightOnPaper(printer, 1);
    EXPECT_GT(wrapped, 3 * single);
}

struct PaginationCase
{
    const char* name;
    std::vector<int> heights;
    int top;
    int bottom;
    std::vector<int> starts;
};

void PrintTo(const PaginationCase& c, std::ostream* os)
{
    *os << c.name;
}

class SourcePaginationTest : public ::testing::TestWithParam<PaginationCase>
{
};

TEST_P(SourcePaginationTest, StartsPagesWhereLinesNoLongerFit)
{
    const PaginationCase& c = GetParam();
    EXPECT_EQ(PaginateSourceLines(static_cast<int>(c.heights.size()), c.top, c.bottom,
                                  [&](int line) { return c.heights[static_cast<size_t>(line)]; }),
              c.starts);
}

INSTANTIATE_TEST_SUITE_P(Pages, SourcePaginationTest,
                         ::testing::Values(PaginationCase{"OneLine", {10}, 0, 100, {0}},
                                           PaginationCase{"NoLines", {}, 0, 100, {0}},
                                           PaginationCase{"ExactlyFull", {50, 50, 10}, 0, 100, {0, 2}},
                                           PaginationCase{"OffsetTop", {30, 30, 30}, 20, 100, {0, 2}},
                                           PaginationCase{"TallLineGetsItsOwnPage", {10, 300, 10}, 0, 100, {0, 1, 2}},
                                           PaginationCase{"TallFirstLine", {300, 10, 10}, 0, 100, {0, 1}}),
                         [](const ::testing::TestParamInfo<PaginationCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SourcePrintLayoutTest, TextAreaLeavesMarginsAndTheFooterBand)
{
    const platform::Rect page(0, 0, 1000, 2000);
    EXPECT_EQ(SourcePrintTextRect(page, platform::Rect(100, 50, 20, 30), 40, 10, false, true),
              platform::Rect(100, 50, 980, 2000 - 30 - 60));
    EXPECT_EQ(SourcePrintTextRect(page, platform::Rect(0, 0, 0, 0), 40, 10, true, false),
              platform::Rect(0, 60, 1000, 2000));
    // Margins that leave no room are ignored.
    EXPECT_EQ(SourcePrintTextRect(page, platform::Rect(600, 0, 600, 0), 40, 10, false, true),
              platform::Rect(0, 0, 1000, 1940));
    EXPECT_EQ(SourcePrintFooterRect(platform::Rect(0, 0, 1000, 1940), 40), platform::Rect(0, 1940, 1000, 2000));
    EXPECT_EQ(HundredthsOfMmToDevice(2540, 1200), 1200);
}

TEST(SourcePageSetupTest, CancelWritesNothingAndOkStoresTheMargins)
{
    // (Margins another test of the same process stored would be read back.)
    CRegistryEx(HKEY_CURRENT_USER).DeleteKey(HKEY_CURRENT_USER, QString::fromLatin1(kPageSetupKey));
    VornaSourceTextView view;
    platform::ModalResponder responder;
    responder.on(IDD_PAGESETUPDLG, [](QDialog& dialog) {
        platform::ModalResponder::setText(dialog, SourcePageSetupDlg::IDC_MARGIN_LEFT, QStringLiteral("3"));
        platform::ModalResponder::press(dialog, platform::IDCANCEL);
    });
    view.runCommand(ID_FILE_PAGE_SETUP);
    {
        CRegistryEx registry(HKEY_CURRENT_USER);
        EXPECT_FALSE(registry.Open(HKEY_CURRENT_USER, QString::fromLatin1(kPageSetupKey)));
    }

    responder.on(IDD_PAGESETUPDLG, [](QDialog& dialog) {
        auto* left = dialog.findChild<QLineEdit*>(QStringLiteral("id_%1").arg(SourcePageSetupDlg::IDC_MARGIN_LEFT));
        ASSERT_NE(left, nullptr);
        EXPECT_EQ(left->text(), QStringLiteral("10.00"));
        platform::ModalResponder::setText(dialog, SourcePageSetupDlg::IDC_MARGIN_LEFT, QStringLiteral("12.5"));
        platform::ModalResponder::setText(dialog, SourcePageSetupDlg::IDC_MARGIN_BOTTOM, QStringLiteral("0"));
        platform::ModalResponder::press(dialog, platform::IDOK);
    });
    view.runCommand(ID_FILE_PAGE_SETUP);
    SourcePageSetupModel model;
    model.LoadProfile();
    EXPECT_EQ(model.m_nLeftMargin, 1250);
    EXPECT_EQ(model.m_nRightMargin, 1000);
    EXPECT_EQ(model.m_nBottomMargin, 0);
    EXPECT_EQ(responder.pending(), 0);
}

TEST(SourcePageSetupTest, AnInvalidMarginKeepsOkDisabled)
{
    SourcePageSetupModel model;
    SourcePageSetupDlg dialog(model);
    platform::ModalResponder responder;
    responder.on(IDD_PAGESETUPDLG, [](QDialog& d) {
        platform::ModalResponder::setText(d, SourcePageSetupDlg::IDC_MARGIN_TOP, QString());
        EXPECT_FALSE(platform::ModalResponder::press(d, platform::IDOK));
        platform::ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(dialog.Run(), platform::IDCANCEL);
    EXPECT_EQ(model.m_nTopMargin, SourcePageSetupModel::DefaultMargin);
}

} // namespace
