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
    : m_doc(doc), m_pageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                               QPageLayout::Millimeter)
{
}

PagePrinter::~PagePrinter() = default;

QSize PagePrinter::printableSize(const QPageLayout& layout)
{
    const QRectF points = layout.paintRect(QPageLayout::Point);
    return QSize(std::max(1, qRound(points.width() * 96.0 / 72.0)), std::max(1, qRound(points.height() * 96.0 / 72.0)));
}

std::vector<int> PagePrinter::pageTops(QSize printable)
{
    std::vector<int> tops;
    if (!m_doc)
        return tops;
    DocumentLayout layout(m_doc.get());
    layout.setViewportSize(printable);
    const LayoutTree& tree = layout.tree();
    const int height = std::max(1, tree.canvas.height());
    // Lines of text must not be cut: a sheet ends above the first line that
    // would not fit, unless that leaves less than half a sheet.
    std::vector<std::pair<int, int>> lines;
    for (const TextPiece& p : tree.pieces)
        lines.emplace_back(p.box.top(), p.box.top() + p.box.height());
    std::sort(lines.begin(), lines.end());
    int top = 0;
    while (top < height) {
        tops.push_back(top);
        int bottom = top + printable.height();
        if (bottom >= height)
            break;
        int cut = bottom;
        for (const auto& [lineTop, lineBottom] : lines) {
            if (lineTop >= bottom)
                break;
            if (lineTop > top && lineTop < cut && lineBottom > bottom)
                cut = lineTop;
        }
        top = cut - top >= printable.height() / 2 ? cut : bottom;
    }
    return tops;
}

int PagePrinter::print(QPrinter& printer)
{
    if (!m_doc)
        return 0;
    printer.setPageLayout(m_pageLayout);
    const QSize printable = printableSize(printer.pageLayout());
    const std::vector<int> tops = pageTops(printable);
    DocumentLayout layout(m_doc.get());
    layout.setViewportSize(printable);
    layout.ensureLayout();
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const double scale = printer.resolution() / 96.0;
    for (size_t i = 0; i < tops.size(); ++i) {
        if (i > 0)
            printer.newPage();
        const int top = tops[i];
        const int bottom = i + 1 < tops.size() ? tops[i + 1] : top + printable.height();
        const QRect area(0, top, printable.width(), bottom - top);
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -top);
        painter.setClipRect(area);
        layout.engine().draw(painter, area);
        painter.restore();
    }
    painter.end();
    return static_cast<int>(tops.size());
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
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* p) { print(*p); });
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
