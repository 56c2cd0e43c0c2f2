#include "controls/VornaFontListBox.h"

#include "controls/SkinContext.h"

#include <QMouseEvent>
#include <QPainter>

VornaFontListBox::VornaFontListBox(QWidget* parent) : QListWidget(parent)
{
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new VornaFontListBoxDelegate(this));
}

void VornaFontListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (QListWidgetItem* under = itemAt(event->position().toPoint()))
        setCurrentItem(under);
    QListWidget::mouseMoveEvent(event);
}

void VornaFontListBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? VornaFontListBox::selectedFill() : VornaFontListBox::plainFill());
    if (option.state & QStyle::State_HasFocus) {
        QPen dotted(Qt::black);
        dotted.setStyle(Qt::DotLine);
        painter->setPen(dotted);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    const QString face = index.data(Qt::DisplayRole).toString();
    QFont font;
    font.setFamilies({face});
    font.setPixelSize(16);
    font.setWeight(QFont::Thin);
    painter->setFont(font);
    const int colour =
        selected ? COLOR_HIGHLIGHTTEXT : (option.state & QStyle::State_Enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    painter->setPen(platform::toQColor(SkinContext::instance().sysColor(colour)));
    painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs, face);
    painter->restore();
}
