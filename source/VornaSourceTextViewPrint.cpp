#include "source/VornaSourceTextView.h"

#include "platform/ModalRunner.h"
#include "res/resource.h"
#include "source/SourceChars.h"
#include "source/SourcePageSetupDlg.h"
#include "source/SourcePrintLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

// Printing the source text: the page setup, the print, direct print and
// preview commands, and one print job laid out in pages of whole lines.

namespace sourceviewprint_detail {

// Lays out printed text wrapped to the width (long words are broken where
// they must be, so nothing runs off the paper); returns its height.
int layoutPrintText(QTextLayout& layout, qreal width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(height));
}

} // namespace sourceviewprint_detail

void VornaSourceTextView::ExpandTabs(int line, int offset, int count, std::string& out)
{
    out.clear();
    const std::string_view text = GetLine(line);
    const int size = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, size);
    const int end = std::clamp(offset + count, offset, size);
    int column = SourceChars::ColumnOfChar(text, offset, m_nTabSize);
    for (int i = offset; i < end;) {
        if (text[static_cast<size_t>(i)] == '\t') {
            const int spaces = m_nTabSize - column % m_nTabSize;
            out.append(static_cast<size_t>(spaces), ' ');
            column += spaces;
            ++i;
            continue;
        }
        const int length = std::max(1, SourceChars::CharLengthAt(text, i));
        column += SourceChars::CharColumns(text, i);
        out.append(text.substr(static_cast<size_t>(i), static_cast<size_t>(length)));
        i += length;
    }
}

void VornaSourceTextView::GetHeaderText(int, QString& text)
{
    text.clear();
}

void VornaSourceTextView::GetFooterText(int page, QString& text)
{
    text = QStringLiteral("Page %1/%2").arg(page).arg(m_nPrintPages);
}

void VornaSourceTextView::DrawPrintHeader(QPainter& painter, int page)
{
    QString text;
    GetHeaderText(page, text);
    if (text.isEmpty())
        return;
    const platform::Rect band = SourcePrintHeaderRect(m_rcPrintArea, m_nPrintLineHeight);
    painter.drawText(band.toQRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
}

void VornaSourceTextView::DrawPrintFooter(QPainter& painter, int page)
{
    QString text;
    GetFooterText(page, text);
    if (text.isEmpty())
        return;
    const platform::Rect band = SourcePrintFooterRect(m_rcPrintArea, m_nPrintLineHeight);
    painter.drawText(band.toQRect(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, text);
}

void VornaSourceTextView::OnBeginPrinting(QPrinter& printer)
{
    // The text prints at the size it has on the screen.
    QFont font = GetTextFont(false, false);
    const int screenDpi = std::max(1, logicalDpiY());
    font.setPointSizeF(std::max(1, font.pixelSize()) * 72.0 / screenDpi);
    m_pPrintFont = std::make_unique<QFont>(font, &printer);
}

int VornaSourceTextView::MeasurePrintLine(QPrinter& printer, int line)
{
    if (GetLineLength(line) == 0)
        return m_nPrintLineHeight;
    std::string expanded;
    ExpandTabs(line, 0, GetLineLength(line), expanded);
    QTextLayout layout(QString::fromStdString(expanded), *m_pPrintFont, &printer);
    return sourceviewprint_detail::layoutPrintText(layout, m_rcPrintArea.width());
}

void VornaSourceTextView::PaginateForPrint(QPrinter& printer)
{
    m_ptPageArea = platform::Rect(0, 0, printer.width(), printer.height());
    const QFontMetrics metrics(*m_pPrintFont, &printer);
    m_nPrintLineHeight = std::max(1, metrics.height());
    SourcePageSetupModel margins;
    margins.LoadProfile();
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    const platform::Rect marginsDevice(
        HundredthsOfMmToDevice(margins.m_nLeftMargin, dpiX), HundredthsOfMmToDevice(margins.m_nTopMargin, dpiY),
        HundredthsOfMmToDevice(margins.m_nRightMargin, dpiX), HundredthsOfMmToDevice(margins.m_nBottomMargin, dpiY));
    m_rcPrintArea = SourcePrintTextRect(m_ptPageArea, marginsDevice, m_nPrintLineHeight,
                                        metrics.horizontalAdvance(QLatin1Char('X')), m_bPrintHeader, m_bPrintFooter);
    m_pnPages = PaginateSourceLines(GetLineCount(), m_rcPrintArea.top, m_rcPrintArea.bottom,
                                    [&](int line) { return MeasurePrintLine(printer, line); });
    m_nPrintPages = static_cast<int>(m_pnPages.size());
}

bool VornaSourceTextView::OnPrepareDC(int page)
{
    return m_pnPages.empty() || page <= m_nPrintPages;
}

void VornaSourceTextView::OnPrint(QPainter& painter, QPrinter& printer, int page)
{
    if (page < 1 || page > m_nPrintPages)
        return;
    const int first = m_pnPages[static_cast<size_t>(page - 1)];
    const int last = page < m_nPrintPages ? m_pnPages[static_cast<size_t>(page)] : GetLineCount();
    painter.setFont(*m_pPrintFont);
    painter.setPen(Qt::black);
    if (m_bPrintHeader)
        DrawPrintHeader(painter, page);
    if (m_bPrintFooter)
        DrawPrintFooter(painter, page);
    painter.save();
    painter.setClipRect(m_rcPrintArea.toQRect());
    int y = m_rcPrintArea.top;
    std::string expanded;
    for (int line = first; line < last; ++line) {
        if (GetLineLength(line) == 0) {
            y += m_nPrintLineHeight;
            continue;
        }
        ExpandTabs(line, 0, GetLineLength(line), expanded);
        QTextLayout layout(QString::fromStdString(expanded), *m_pPrintFont, &printer);
        const int height = sourceviewprint_detail::layoutPrintText(layout, m_rcPrintArea.width());
        layout.draw(&painter, QPointF(m_rcPrintArea.left, y));
        y += height;
    }
    painter.restore();
}

void VornaSourceTextView::OnEndPrinting()
{
    m_pPrintFont.reset();
    m_pnPages.clear();
    m_nPrintPages = 0;
    m_nPrintLineHeight = 0;
}

bool VornaSourceTextView::PrintDocument(QPrinter& printer)
{
    OnBeginPrinting(printer);
    // The pages are laid out before the first one prints, so that a range
    // beyond the last page prints nothing instead of a page that is not there.
    PaginateForPrint(printer);
    const int first = std::max(1, printer.fromPage());
    const int last = printer.toPage() > 0 ? printer.toPage() : INT_MAX;
    if (!OnPrepareDC(first)) {
        OnEndPrinting();
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        OnEndPrinting();
        return false;
    }
    for (int page = first; page <= last && OnPrepareDC(page); ++page) {
        if (page > first)
            printer.newPage();
        OnPrint(painter, printer, page);
    }
    painter.end();
    OnEndPrinting();
    return true;
}

void VornaSourceTextView::OnFilePageSetup()
{
    SourcePageSetupModel model;
    model.LoadProfile();
    SourcePageSetupDlg dialog(model, this);
    if (dialog.Run() == platform::IDOK)
        model.SaveProfile();
}

void VornaSourceTextView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("id_%1").arg(IDD_PRINTDLG));
    if (platform::runModal(dialog, IDD_PRINTDLG) == platform::IDOK)
        PrintDocument(printer);
}

void VornaSourceTextView::OnFilePrintDirect()
{
    QPrinter printer(QPrinter::HighResolution);
    PrintDocument(printer);
}

void VornaSourceTextView::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("id_%1").arg(IDD_PRINT_PREVIEW));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintDocument(*target); });
    platform::runModal(dialog, IDD_PRINT_PREVIEW);
}
