#include "controls/VornaSymbolList.h"

#include "controls/VornaFontCombo.h"

#include <QPainter>

VornaSymbolList::VornaSymbolList(QWidget* parent) : QListWidget(parent)
{
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setItemDelegate(new VornaSymbolListDelegate(this));
}

void VornaSymbolList::addSymbol(const QString& glyph)
{
    auto* item = new QListWidgetItem(this);
    item->setData(kCodeRole, glyph);
}

void VornaSymbolList::setFace(const QString& face)
{
    m_strFace = face;
    viewport()->update();
}

void VornaSymbolListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    painter->save();
    const QRect rect = option.rect;
    // The selection stays marked while the focus is elsewhere in the palette.
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(rect, selectedFill());
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        painter->setPen(dotted);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    } else {
        painter->fillRect(rect, option.palette.color(QPalette::Base));
    }
    painter->setFont(m_list->m_strFace.isEmpty()
                         ? m_list->font()
                         : VornaFontCombo::FontOfCellHeight(m_list->m_strFace, VornaSymbolList::kCellHeight));
    painter->setPen(Qt::black);
    painter->drawText(rect.adjusted(5, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(VornaSymbolList::kCodeRole).toString());
    painter->restore();
}

QSize VornaSymbolListDelegate::sizeHint(const QStyleOptionViewItem& /*option*/, const QModelIndex& /*index*/) const
{
    return QSize(VornaSymbolList::kColumnWidth, VornaSymbolList::kItemHeight);
}
