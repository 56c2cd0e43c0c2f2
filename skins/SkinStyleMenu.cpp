#include "skins/SkinStyle.h"
#include "skins/VornaSkinManager.h"

#include "controls/Draw3dRect.h"

#include <QBitmap>
#include <QPainter>
#include <QStyleOptionMenuItem>

using platform::Rect;
using platform::toQColor;

namespace {

QColor sysColor(int index)
{
    return toQColor(GetSkinSysColor(index));
}

Rect toRect(const QRect& r)
{
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

// The face behind menu entries: the skin's pattern, or the face colour.
void fillMenuBackground(QPainter& painter, const QRect& rect, const QWidget* widget)
{
    FillSkinBackgroundXY(painter, rect.x(), rect.y(), rect.width(), rect.height(), const_cast<QWidget*>(widget),
                         const_cast<QWidget*>(widget));
}

// A separator: a shadow line with a highlight line under it, across the
// middle of the entry, from one pixel right of its left edge.
void drawEtchedLine(QPainter& painter, const QRect& rect)
{
    const int y = rect.top() + rect.height() / 2 - 1;
    painter.fillRect(QRect(rect.left() + 1, y, rect.width() - 2, 1), sysColor(COLOR_BTNSHADOW));
    painter.fillRect(QRect(rect.left() + 1, y + 1, rect.width() - 2, 1), sysColor(COLOR_BTNHIGHLIGHT));
}

void drawCheckMark(QPainter& painter, const QRect& box, const QColor& color)
{
    // Seven pixels wide, three strokes thick, centred in the box.
    const QPoint c = box.center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(color);
    for (int i = 0; i < 3; ++i) {
        painter.drawLine(c.x() - 3, c.y() - 1 + i, c.x() - 1, c.y() + 1 + i);
        painter.drawLine(c.x() - 1, c.y() + 1 + i, c.x() + 3, c.y() - 3 + i);
    }
    painter.restore();
}

void drawRadioBullet(QPainter& painter, const QRect& box, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const QPointF c = QRectF(box).center();
    painter.drawEllipse(c, 3.0, 3.0);
    painter.restore();
}

// A disabled picture without a disabled image of its own: its shape pressed
// into the face (a highlight copy one pixel down-right under a shadow copy).
void drawEmbossed(QPainter& painter, const QPoint& at, const QPixmap& picture)
{
    QImage shape = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const auto tinted = [&shape](const QColor& color) {
        QImage out = shape;
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x) {
                // Dark pixels make the shape; light ones and transparent ones do not.
                const QRgb px = line[x];
                const bool ink = qAlpha(px) > 127 && qGray(px) < 192;
                line[x] = ink ? color.rgb() : qRgba(0, 0, 0, 0);
            }
        }
        return out;
    };
    painter.drawImage(at + QPoint(1, 1), tinted(sysColor(COLOR_BTNHIGHLIGHT)));
    painter.drawImage(at, tinted(sysColor(COLOR_BTNSHADOW)));
}

bool hasOwnDisabledPicture(const QIcon& icon)
{
    return !icon.availableSizes(QIcon::Disabled).isEmpty();
}

// Draws the text before the tab left-aligned and the part after it right-aligned.
void drawSplitText(QPainter& painter, const QRect& rect, const QString& text, const QColor& color, bool mnemonics)
{
    const int tab = text.indexOf(QLatin1Char('\t'));
    const QString left = tab < 0 ? text : text.left(tab);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | (mnemonics ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignLeft | flags, left);
    if (tab >= 0)
        painter.drawText(rect, Qt::AlignRight | flags, text.mid(tab + 1));
}

// The arrow of an entry that opens a submenu, at the entry's right end.
void drawSubmenuArrow(QPainter& painter, const QRect& item, const QColor& color)
{
    const int x = item.right() - 8;
    const int y = item.center().y();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(color);
    for (int i = 0; i < 4; ++i)
        painter.drawLine(x + i, y - 3 + i, x + i, y + 3 - i);
    painter.restore();
}

} // namespace

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    if (DrawSkinBarPrimitive(element, *option, *painter, widget) ||
        DrawSkinControlPrimitive(element, *option, *painter, widget))
        return;
    switch (element) {
    case PE_PanelMenu:
        fillMenuBackground(*painter, option->rect, widget);
        return;
    case PE_FrameMenu: {
        // A raised frame (light and dark shadow outside, highlight and shadow
        // inside), then a pixel of the face.
        Rect r = toRect(option->rect);
        Draw3dRect(*painter, r, GetSkinSysColor(COLOR_3DLIGHT), GetSkinSysColor(COLOR_3DDKSHADOW));
        r = ShrunkRect(r, 1);
        Draw3dRect(*painter, r, GetSkinSysColor(COLOR_BTNHIGHLIGHT), GetSkinSysColor(COLOR_BTNSHADOW));
        r = ShrunkRect(r, 1);
        Draw3dRect(*painter, r, GetSkinSysColor(COLOR_3DFACE), GetSkinSysColor(COLOR_3DFACE));
        return;
    }
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (DrawSkinBars(element, *option, *painter, widget) || DrawSkinControl(element, *option, *painter, widget))
        return;
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            painter->save();
            if (UsesPopupMenuLayout(widget))
                drawPopupMenuItem(*item, *painter, widget);
            else
                drawMainMenuItem(*item, *painter, widget);
            painter->restore();
            return;
        }
    }
    if (element == CE_MenuEmptyArea) {
        fillMenuBackground(*painter, option->rect, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void SkinStyle::drawMainMenuItem(const QStyleOptionMenuItem& item, QPainter& painter, const QWidget* widget) const
{
    const QRect rect = item.rect;
    fillMenuBackground(painter, rect, widget);
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        drawEtchedLine(painter, rect);
        return;
    }
    const bool large = UsesLargeMenuImages(widget);
    const QSize boxSize = large ? QSize(kLargeMenuRow, kLargeMenuRow) : MenuImageBox();
    const QRect box(rect.left(), rect.top() + (rect.height() - boxSize.height()) / 2, boxSize.width(),
                    boxSize.height());
    const bool enabled = item.state & State_Enabled;
    const bool selected = item.state & State_Selected;
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;

    // The text part of a selected entry is highlighted.
    if (selected)
        painter.fillRect(QRect(box.right() + 1, rect.top(), rect.right() - box.right(), rect.height()),
                         sysColor(COLOR_HIGHLIGHT));

    if (item.icon.isNull()) {
        if (checked) {
            const QColor mark = sysColor(enabled ? COLOR_MENUTEXT : COLOR_GRAYTEXT);
            if (item.checkType == QStyleOptionMenuItem::Exclusive)
                drawRadioBullet(painter, box, mark);
            else
                drawCheckMark(painter, box, mark);
        }
    } else {
        if (enabled && (selected || checked)) {
            // Sunken round a checked command's picture, raised round a selected one's.
            if (checked)
                Draw3dRect(painter, toRect(box), GetSkinSysColor(COLOR_BTNSHADOW), GetSkinSysColor(COLOR_BTNHIGHLIGHT));
            else
                Draw3dRect(painter, toRect(box), GetSkinSysColor(COLOR_BTNHIGHLIGHT), GetSkinSysColor(COLOR_BTNSHADOW));
        }
        const QSize picture =
            large ? QSize(kLargeMenuPicture, kLargeMenuPicture) : QSize(boxSize.width() - 4, boxSize.height() - 4);
        const QPoint at =
            box.topLeft() + QPoint((boxSize.width() - picture.width()) / 2, (boxSize.height() - picture.height()) / 2);
        if (enabled) {
            painter.drawPixmap(at, item.icon.pixmap(picture, QIcon::Normal, checked ? QIcon::On : QIcon::Off));
        } else if (hasOwnDisabledPicture(item.icon)) {
            painter.drawPixmap(at, item.icon.pixmap(picture, QIcon::Disabled));
        } else {
            drawEmbossed(painter, at, item.icon.pixmap(picture, QIcon::Normal));
        }
    }

    const QRect textRect(box.right() + 1 + 3, rect.top(), rect.right() - boxSize.width() - (box.right() + 3),
                         rect.height());
    const bool mnemonics = styleHint(SH_UnderlineShortcut, &item, widget);
    if (!enabled) {
        drawSplitText(painter, textRect.translated(1, 1), item.text, sysColor(COLOR_BTNHIGHLIGHT), mnemonics);
        drawSplitText(painter, textRect, item.text, sysColor(COLOR_GRAYTEXT), mnemonics);
    } else {
        drawSplitText(painter, textRect, item.text, sysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT),
                      mnemonics);
    }
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu)
        drawSubmenuArrow(painter, rect,
                         sysColor(!enabled   ? COLOR_GRAYTEXT
                                  : selected ? COLOR_HIGHLIGHTTEXT
                                             : COLOR_MENUTEXT));
}

void SkinStyle::drawPopupMenuItem(const QStyleOptionMenuItem& item, QPainter& painter, const QWidget* widget) const
{
    const QRect rect = item.rect;
    fillMenuBackground(painter, rect, widget);
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
        drawEtchedLine(painter, rect);
        return;
    }
    const bool enabled = item.state & State_Enabled;
    const bool selected = item.state & State_Selected;
    const bool checked = item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked;
    if (selected)
        painter.fillRect(rect, sysColor(COLOR_HIGHLIGHT));
    const QRect box(rect.left(), rect.top(), kPopupImageBoxWidth, rect.height());
    if (checked) {
        const QRect mark(box.left() + (box.width() - 16) / 2, box.top() + (box.height() - 16) / 2, 16, 16);
        painter.fillRect(mark, sysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        drawCheckMark(painter, mark, sysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    const QRect textRect(rect.left() + 3 + kPopupImageBoxWidth, rect.top(), rect.width() - 3 - kPopupImageBoxWidth - 2,
                         rect.height());
    const int color = !enabled ? COLOR_BTNSHADOW : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    drawSplitText(painter, textRect, item.text, sysColor(color), styleHint(SH_UnderlineShortcut, &item, widget));
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu)
        drawSubmenuArrow(painter, rect, sysColor(color));
}
