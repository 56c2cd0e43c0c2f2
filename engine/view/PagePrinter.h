#pragma once

#include "engine/dom/Ref.h"

#include <QPageLayout>
#include <QSize>

#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace engine {

class Document;
class DocumentLayout;

// Printing of a page (engine commands 27 print, 2003 print preview and 2004
// page setup) through Qt PrintSupport: the page is laid out anew at the
// printable width, as a browser prints it (no design-time decorations), and
// split into sheets between lines of text where it can be.
class PagePrinter
{
public:
    explicit PagePrinter(Document* doc);
    ~PagePrinter();

    // The paper, orientation and margins used by print and preview.
    void setPageLayout(const QPageLayout& layout) { m_pageLayout = layout; }
    const QPageLayout& pageLayout() const { return m_pageLayout; }

    // How much the sheets shrink the page so that its widest content fits the
    // printable width (1 when it fits; never below a quarter, beyond which
    // content is cut at the right as before).
    static constexpr double kMinimumScale = 0.25;
    double sheetScale(QSize printable);
    // The tops of the sheets, in page pixels, for a printable area of this
    // size in page pixels (96 per inch); a sheet covers the printable height
    // divided by the sheet scale.
    std::vector<int> pageTops(QSize printable);
    // Paints one sheet (index into pageTops) on a painter whose origin is the
    // printable area's top left, in page pixels.
    void paintSheet(QPainter& painter, QSize printable, int sheet);
    // Prints with this printer's page layout every sheet, or the range of
    // sheets chosen on the printer; returns the number of sheets printed, 0
    // when the printer could not start or the range holds none.
    int print(QPrinter& printer);
    // What the preview shows: the same with the printer's own page layout,
    // which is kept for later printing.
    int printPreview(QPrinter& printer);

    // The dialogs of the commands; each runs modally through the program's
    // modal runner under the command's number. Print and page setup return
    // whether the user confirmed.
    static constexpr int kPrintDialogId = 27;
    static constexpr int kPreviewDialogId = 2003;
    static constexpr int kPageSetupDialogId = 2004;
    bool execPrint(QWidget* parent);
    void execPreview(QWidget* parent);
    bool execPageSetup(QWidget* parent);

    // The printable size in page pixels for a printer's page layout.
    static QSize printableSize(const QPageLayout& layout);

private:
    struct Plan
    {
        double scale = 1.0;
        std::vector<int> tops;
    };
    Plan plan(DocumentLayout& layout, QSize printable) const;
    int printSheets(QPrinter& printer);

    Ref<Document> m_doc;
    QPageLayout m_pageLayout;
};

} // namespace engine
