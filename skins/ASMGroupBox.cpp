#include "skins/ASMGroupBox.h"

#include "controls/SysColors.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

ASMGroupBox::ASMGroupBox() : ASMControl(SkinControlKind::GroupBox) {}

void ASMGroupBox::Draw(QPainter& dc, const QStyleOptionGroupBox& option, const QWidget*) const
{
    QRect frame = option.rect;
    int offset = 6;
    dc.save();
    if (!option.text.isEmpty()) {
        const QFontMetrics& metrics = option.fontMetrics;
        const QRect caption(frame.left() + 7, frame.top(), metrics.horizontalAdvance(option.text) + 4,
                            metrics.height());
        offset = metrics.height() / 2;
        const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;
        if (option.state & QStyle::State_Enabled) {
            dc.setPen(option.palette.color(QPalette::WindowText));
            dc.drawText(caption, flags, option.text);
        } else {
            // Embossed: a highlight copy below right, the shadow over it.
            dc.setPen(platform::toQColor(GetSkinSysColor(COLOR_3DHIGHLIGHT)));
            dc.drawText(caption.translated(1, 1), flags, option.text);
            dc.setPen(platform::toQColor(GetSkinSysColor(COLOR_3DSHADOW)));
            dc.drawText(caption, flags, option.text);
        }
        dc.setClipRegion(QRegion(option.rect) - QRegion(caption));
    }
    frame.setTop(frame.top() + offset);
    dc.setPen(QPen(platform::toQColor(GetSkinSysColor(COLOR_3DSHADOW)), 1));
    dc.setBrush(Qt::NoBrush);
    dc.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 1, 1);
    dc.restore();
}
