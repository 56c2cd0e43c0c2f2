#include "skins/ASMStatic.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QFrame>
#include <QPainter>
#include <QStyleOptionFrame>

ASMStatic::ASMStatic() : ASMControl(SkinControlKind::Static) {}

bool ASMStatic::WindowProc(QEvent*)
{
    return false;
}

bool ASMStatic::DrawFrame(QPainter& dc, const QStyleOptionFrame& option)
{
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    if (rect.isEmpty())
        return true;
    switch (option.frameShape) {
    case QFrame::NoFrame:
        return true;
    case QFrame::HLine:
        DrawSkinEtchedLine(dc, rect.left, rect.top + (rect.height() - 2) / 2, rect.width(), true);
        return true;
    case QFrame::VLine:
        DrawSkinEtchedLine(dc, rect.left + (rect.width() - 2) / 2, rect.top, rect.height(), false);
        return true;
    default:
        break;
    }
    if (option.state & QStyle::State_Sunken) {
        Draw3dRectHDC(dc, rect, GetSkinSysColor(COLOR_3DSHADOW), GetSkinSysColor(COLOR_3DHIGHLIGHT));
        return true;
    }
    if (option.state & QStyle::State_Raised)
        return false;
    // Plain boxes and panels: the black frame kinds.
    Draw3dRectHDC(dc, rect, platform::ColorRef(0), platform::ColorRef(0));
    return true;
}

void ASMStatic::DrawDisabledText(QPainter& dc, const QRect& rect, int flags, const QString& text)
{
    dc.save();
    dc.setPen(platform::toQColor(GetSkinSysColor(COLOR_3DHIGHLIGHT)));
    dc.drawText(rect.translated(1, 1), flags, text);
    dc.setPen(platform::toQColor(GetSkinSysColor(COLOR_3DSHADOW)));
    dc.drawText(rect, flags, text);
    dc.restore();
}
