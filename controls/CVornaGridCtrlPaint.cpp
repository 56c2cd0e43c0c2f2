#include "controls/CVornaGridCtrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

const QColor kTreeLine(192, 192, 192);
const QColor kButtonFrame(198, 198, 198);

// A line from the first point up to, not including, the second.
void drawLine(QPainter& dc, const treegrid::Line& line)
{
    if (line.x1 == line.x2 && line.y1 == line.y2)
        return;
    const int dx = line.x2 > line.x1 ? -1 : line.x2 < line.x1 ? 1 : 0;
    const int dy = line.y2 > line.y1 ? -1 : line.y2 < line.y1 ? 1 : 0;
    dc.drawLine(line.x1, line.y1, line.x2 + dx, line.y2 + dy);
}

// A picture half blended with the highlight colour: the row under a drag.
QPixmap blended(const QPixmap& picture, const QColor& highlight)
{
    QPixmap out = picture;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    QColor half = highlight;
    half.setAlpha(128);
    p.fillRect(out.rect(), half);
    return out;
}

void drawPicture(QPainter& dc, const QList<QPixmap>& pictures, int index, int x, int y, int width, int height,
                 bool dropTarget, const QColor& highlight)
{
    if (index < 0 || index >= pictures.size() || width <= 0 || height <= 0)
        return;
    const QPixmap& picture = pictures.at(index);
    const QRect source(0, 0, std::min(width, picture.width()), std::min(height, picture.height()));
    if (dropTarget)
        dc.drawPixmap(QPoint(x, y), blended(picture, highlight), source);
    else
        dc.drawPixmap(QPoint(x, y), picture, source);
}

Qt::Alignment alignmentOf(int format)
{
    return format == LVCFMT_RIGHT ? Qt::AlignRight : format == LVCFMT_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
}

} // namespace

void CVornaGridCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Painting a row asks the derived grid for its picture, which the row keeps.
    auto* self = const_cast<CVornaGridCtrl*>(this);
    platform::Rect row = rowRect(index.row());
    row.top = option.rect.top();
    row.bottom = option.rect.bottom() + 1;
    const QRect clip = painter->hasClipping() ? painter->clipBoundingRect().toAlignedRect() : viewport()->rect();
    painter->save();
    self->DrawItem(*painter, index.row(), row, clip);
    painter->restore();
}

void CVornaGridCtrl::DrawItem(QPainter& dc, int row, const platform::Rect& rowRect, const QRect& clip)
{
    // 1. Without row pictures nothing is painted.
    if (m_hRowImages.isEmpty() || row < 0 || row >= GetItemCount())
        return;
    CTreeItem* item = GetTreeItem(row);
    const CItemInfo* info = GetData(item);
    if (!info)
        return;
    const treegrid::Metrics m = metrics();
    const int indent = GetRow(row).indent;
    const int columnWidth = GetColumnWidth(0);
    const unsigned state = GetRow(row).state;
    const bool dropTarget = state & LVIS_DROPHILITED;
    const bool selected = (state & LVIS_SELECTED) || dropTarget;

    // 3. Colours.
    const QColor background = palette().color(selected ? QPalette::Highlight : QPalette::Base);
    const QColor text = palette().color(selected ? QPalette::HighlightedText : QPalette::Text);

    // 4. The row picture, cut at the tree column's edge, then the tree lines.
    int image = GetItemImage(item);
    if (image != -1 && image != GetRowImage(row))
        SetRowImage(row, image);
    image = GetRowImage(row);
    const treegrid::ItemImage placement = treegrid::ItemImageOf(rowRect, indent, m, columnWidth);
    if (placement.drawn) {
        drawPicture(dc, m_hRowImages, image, placement.x, placement.y, placement.width, m_cyIcon, dropTarget,
                    palette().color(QPalette::Highlight));
        DrawTreeItem(dc, item, row, rowRect);
    }

    // 5. The background after the picture.
    const int left = treegrid::BackgroundLeft(rowRect, indent, m, columnWidth);
    dc.fillRect(QRect(QPoint(left, rowRect.top), QPoint(rowRect.right - 1, rowRect.bottom - 1)), background);

    // 6. The focus frame of a selected row whose current column is the tree column.
    const platform::Rect label = treegrid::LabelRect(rowRect, indent, m, columnWidth);
    if ((state & LVIS_SELECTED) && m_nCurColumn == 0) {
        QPen pen(platform::toQColor(GetFocusColor()));
        pen.setStyle(Qt::DotLine);
        dc.setPen(pen);
        dc.setBrush(Qt::NoBrush);
        dc.drawRect(QRect(QPoint(left, rowRect.top), QPoint(label.right - 1, rowRect.bottom - 1)));
    }

    // 7. The check box.
    if (m_bCheckBoxes) {
        const int x = treegrid::StateImageLeft(rowRect, indent, m, columnWidth);
        if (x >= 0) {
            QStyleOptionButton box;
            box.initFrom(viewport());
            box.rect = QRect(x, placement.y, m.stateImageWidth, m_cyIcon);
            box.state = (GetRow(row).checked ? QStyle::State_On : QStyle::State_Off) | QStyle::State_Enabled;
            style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &dc, this);
        }
    }

    // 8. The tree column's text.
    dc.setFont(font());
    dc.setPen(text);
    const QFontMetrics fm(font());
    if (label.width() > 0) {
        const QString shown = FitTextToWidth(fm, info->GetItemText(), label.width(), 2);
        const QRect area(QPoint(label.left + 2, label.top), QPoint(label.right - 3, label.bottom - 1));
        dc.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }

    // 9. The further columns.
    for (int column = 1; column < GetColumnCount(); ++column) {
        const int width = GetColumnWidth(column);
        const int cellLeft = rowRect.left + header()->sectionPosition(column);
        const platform::Rect cell(cellLeft, rowRect.top, cellLeft + width, rowRect.bottom);
        if (cell.isEmpty() || !cell.toQRect().intersects(clip))
            continue;
        const platform::ColorRef color = info->GetCellColor(column - 1);
        if (color != platform::ColorRef(-1))
            dc.fillRect(cell.toQRect(), platform::toQColor(color));
        int offset = 0;
        const int cellImage = info->GetCellImage(column - 1);
        if (cellImage != -1) {
            drawPicture(dc, m_imageCells, cellImage, cell.left, placement.y, m_cxIcon, m_cyIcon, dropTarget,
                        palette().color(QPalette::Highlight));
            offset = m_cxIcon + 2;
        }
        const QString whole = info->GetSubItem(column - 1);
        const QString shown = FitTextToWidth(fm, whole, width - offset, 6);
        const Qt::Alignment align = shown == whole ? alignmentOf(GetColumnFormat(column)) : Qt::AlignLeft;
        const QRect area(QPoint(cell.left + offset + 6, cell.top), QPoint(cell.right - 7, cell.bottom - 1));
        dc.setPen(text);
        dc.drawText(area, align | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        if (state & LVIS_SELECTED)
            DrawComboButton(dc, item, row, column, cell);
    }
}

void CVornaGridCtrl::DrawTreeItem(QPainter& dc, CTreeItem* item, int row, const platform::Rect& rowRect)
{
    Q_UNUSED(row);
    const treegrid::Metrics m = metrics();
    const int columnWidth = GetColumnWidth(0);
    dc.setPen(kTreeLine);
    for (const treegrid::Line& line : treegrid::TreeLines(*this, item, rowRect, m, columnWidth))
        drawLine(dc, line);
    if (!ItemHasChildren(item))
        return;
    // The expand button: a plus when collapsed, a minus and the line down to
    // the first child when expanded.
    const platform::Rect box = treegrid::ExpandButtonRect(rowRect, GetIndent(item), m);
    const int xc = rowRect.left + GetIndent(item) * m_cxIcon - m_cxIcon / 2;
    const int yc = rowRect.top + m_cxIcon / 2 + (rowRect.height() - m_cyIcon) / 2;
    dc.fillRect(box.toQRect(), Qt::white);
    dc.setPen(kButtonFrame);
    dc.setBrush(Qt::NoBrush);
    dc.drawRect(QRect(box.left, box.top, box.width() - 1, box.height() - 1));
    dc.setPen(Qt::black);
    drawLine(dc, {xc - 2, yc, xc + 3, yc});
    if (IsCollapsed(item)) {
        drawLine(dc, {xc, yc - 2, xc, yc + 3});
    } else {
        dc.setPen(kTreeLine);
        drawLine(dc, {xc + m_cxIcon, rowRect.top + m_cyIcon + (rowRect.height() - m_cyIcon) / 2, xc + m_cxIcon,
                      rowRect.bottom});
    }
}

void CVornaGridCtrl::DrawComboButton(QPainter& dc, CTreeItem* item, int row, int column, const platform::Rect& cell)
{
    Q_UNUSED(row);
    const CItemInfo* info = GetData(item);
    CItemInfo::CONTROLTYPE type = CItemInfo::Edit;
    if (!info || !info->GetControlType(column - 1, type) || type != CItemInfo::ComboBox)
        return;
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QRect button(QPoint(std::max(cell.left, cell.right - width), cell.top),
                       QPoint(cell.right - 1, cell.bottom - 1));
    QStyleOptionButton face;
    face.initFrom(viewport());
    face.rect = button;
    face.state = QStyle::State_Enabled | QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &face, &dc, this);
    QStyleOption arrow;
    arrow.initFrom(viewport());
    arrow.rect = button.adjusted(3, 3, -3, -3);
    arrow.state = QStyle::State_Enabled;
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &dc, this);
}
