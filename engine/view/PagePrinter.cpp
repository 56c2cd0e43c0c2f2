#include "engine/view/PagePrinter.h"

#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"
#include "platform/ModalRunner.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace engine {

PagePrinter::PagePrinter(Document* doc)
    : m_doc(doc),
      m_pageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter)
{
}

PagePrinter::~PagePrinter() = default;

QSize PagePrinter::printableSize(const QPageLayout& layout)
{
    const QRectF points = layout.paintRect(QPageLayout::Point);
    return QSize(std::max(1, qRound(points.width() * 96.0 / 72.0)), std::max(1, qRound(points.height() * 96.0 / 72.0)));
}

namespace pageprinter_detail {

bool isReplaced(const QString& tag)
{
    static const char* const tags[] = {"IMG",    "EMBED",    "OBJECT", "APPLET", "INPUT",
                                       "SELECT", "TEXTAREA", "BUTTON", "MARQUEE"};
    return std::any_of(std::begin(tags), std::end(tags), [&tag](const char* t) { return tag == QLatin1String(t); });
}

} // namespace pageprinter_detail

PagePrinter::Plan PagePrinter::plan(DocumentLayout& layout, QSize printable) const
{
    Plan plan;
    layout.setViewportSize(printable);
    const LayoutTree& tree = layout.tree();
    // Content beyond the printable width (layers placed further right, wide
    // tables) shrinks the sheet rather than being cut off.
    if (tree.canvas.width() > printable.width())
        plan.scale = std::max(kMinimumScale, double(printable.width()) / tree.canvas.width());
    const int sheetHeight = std::max(1, int(printable.height() / plan.scale));
    const int height = std::max(1, tree.canvas.height());
    // Lines of text must not be cut: a sheet ends above the first line that
    // would not fit, unless that leaves less than half a sheet.
    std::vector<std::pair<int, int>> lines;
    for (const TextPiece& p : tree.pieces)
        lines.emplace_back(p.box.top(), p.box.top() + p.box.height());
    // Images and objects are not cut either, unless they are taller than half
    // a sheet (then no sheet could hold them whole and still be filled).
    for (const LayoutBox& b : tree.boxes) {
        if (pageprinter_detail::isReplaced(b.tag) && b.borderBox.height() > 0 &&
            b.borderBox.height() <= sheetHeight / 2)
            lines.emplace_back(b.borderBox.top(), b.borderBox.top() + b.borderBox.height());
    }
    std::sort(lines.begin(), lines.end());
    int top = 0;
    while (top < height) {
        plan.tops.push_back(top);
        const int bottom = top + sheetHeight;
        if (bottom >= height)
            break;
        // Above the first line that crosses the end. That may cut a line
        // beside it (cells side by side): move on until no line crosses the
        // end; when that leaves less than half a sheet, keep the first cut.
        auto firstCrossing = [&lines, top](int end) {
            for (const auto& [lineTop, lineBottom] : lines) {
                if (lineTop >= end)
                    break;
                if (lineTop > top && lineBottom > end)
                    return lineTop;
            }
            return end;
        };
        const int firstCut = firstCrossing(bottom);
        int cut = firstCut;
        for (int next = firstCrossing(cut); next != cut; next = firstCrossing(cut))
            cut = next;
        if (cut - top < sheetHeight / 2)
            cut = firstCut;
        top = cut - top >= sheetHeight / 2 ? cut : bottom;
    }
    return plan;
}

double PagePrinter::sheetScale(QSize printable)
{
    if (!m_doc)
        return 1.0;
    DocumentLayout layout(m_doc.get());
    return plan(layout, printable).scale;
}

std::vector<int> PagePrinter::pageTops(QSize printable)
{
    if (!m_doc)
        return {};
    DocumentLayout layout(m_doc.get());
    return plan(layout, printable).tops;
}

namespace pageprinter_detail {

// deviceScale: device pixels per page pixel of the painter.
void paintPlannedSheet(QPainter& painter, DocumentLayout& layout, const std::vector<int>& tops, double scale,
                       QSize printable, size_t sheet, double deviceScale)
{
    const int top = tops[sheet];
    const int sheetHeight = std::max(1, int(printable.height() / scale));
    const int bottom = sheet + 1 < tops.size() ? tops[sheet + 1] : top + sheetHeight;
    const QRect area(0, top, int(printable.width() / scale), bottom - top);
    painter.save();
    painter.scale(deviceScale * scale, deviceScale * scale);
    painter.translate(0, -top);
    painter.setClipRect(area);
    layout.engine().draw(painter, area);
    painter.restore();
}

} // namespace pageprinter_detail

void PagePrinter::paintSheet(QPainter& painter, QSize printable, int sheet)
{
    if (!m_doc || sheet < 0)
        return;
    DocumentLayout layout(m_doc.get());
    const Plan sheets = plan(layout, printable);
    if (sheet < static_cast<int>(sheets.tops.size()))
        pageprinter_detail::paintPlannedSheet(painter, layout, sheets.tops, sheets.scale, printable, size_t(sheet),
                                              1.0);
}

int PagePrinter::print(QPrinter& printer)
{
    if (!m_doc)
        return 0;
    printer.setPageLayout(m_pageLayout);
    return printSheets(printer);
}

int PagePrinter::printPreview(QPrinter& printer)
{
    // The paper or its orientation may have been changed in the preview:
    // that layout holds from now on.
    m_pageLayout = printer.pageLayout();
    return printSheets(printer);
}

int PagePrinter::printSheets(QPrinter& printer)
{
    if (!m_doc)
        return 0;
    const QSize printable = printableSize(printer.pageLayout());
    DocumentLayout layout(m_doc.get());
    const Plan sheets = plan(layout, printable);
    // The sheets the user chose (numbered from 1), else all of them.
    size_t first = 0, last = sheets.tops.size();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = static_cast<size_t>(printer.fromPage() - 1);
        if (printer.toPage() >= printer.fromPage())
            last = std::min(last, static_cast<size_t>(printer.toPage()));
    }
    if (first >= last)
        return 0;
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    for (size_t i = first; i < last; ++i) {
        if (i > first)
            printer.newPage();
        pageprinter_detail::paintPlannedSheet(painter, layout, sheets.tops, sheets.scale, printable, i,
                                              printer.resolution() / 96.0);
    }
    painter.end();
    return static_cast<int>(last - first);
}

bool PagePrinter::execPrint(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_pageLayout);
    QPrintDialog dialog(&printer, parent);
    if (platform::runModal(dialog, kPrintDialogId) != platform::IDOK)
        return false;
    m_pageLayout = printer.pageLayout();
    return print(printer) > 0;
}

void PagePrinter::execPreview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_pageLayout);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* p) { printPreview(*p); });
    platform::runModal(dialog, kPreviewDialogId);
}

bool PagePrinter::execPageSetup(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_pageLayout);
    QPageSetupDialog dialog(&printer, parent);
    if (platform::runModal(dialog, kPageSetupDialogId) != platform::IDOK)
        return false;
    m_pageLayout = printer.pageLayout();
    return true;
}

} // namespace engine
