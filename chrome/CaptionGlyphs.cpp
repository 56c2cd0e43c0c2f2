#include "chrome/CaptionGlyphs.h"

#include "chrome/CoolDialogBarGeometry.h"
#include "controls/Draw3dRect.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

using platform::Rect;
using platform::toQColor;

namespace {

void DrawArrow(QPainter& dc, const Rect& box, CaptionGlyph glyph)
{
    const int size = std::max(2, std::min(box.width(), box.height()) / 2);
    const int cx = box.left + box.width() / 2;
    const int cy = box.top + box.height() / 2;
    const int half = size / 2;
    QPolygon triangle;
    switch (glyph) {
    case CaptionGlyph::ArrowUp:
        triangle << QPoint(cx - size, cy + half) << QPoint(cx + size, cy + half) << QPoint(cx, cy - half - 1);
        break;
    case CaptionGlyph::ArrowDown:
        triangle << QPoint(cx - size, cy - half) << QPoint(cx + size, cy - half) << QPoint(cx, cy + half + 1);
        break;
    case CaptionGlyph::ArrowLeft:
        triangle << QPoint(cx + half, cy - size) << QPoint(cx + half, cy + size) << QPoint(cx - half - 1, cy);
        break;
    default:
        triangle << QPoint(cx - half, cy - size) << QPoint(cx - half, cy + size) << QPoint(cx + half + 1, cy);
        break;
    }
    dc.drawPolygon(triangle);
}

} // namespace

void DrawCaptionButton(QPainter& dc, const Rect& rect, CaptionGlyph glyph, int state, platform::ColorRef face)
{
    if (rect.isEmpty())
        return;
    dc.save();
    dc.setRenderHint(QPainter::Antialiasing, false);
    dc.fillRect(rect.toQRect(), toQColor(face));
    const coolbar::ButtonColors colors = coolbar::CaptionButtonColors(state);
    DrawDouble3dRect(dc, rect, colors.outerTopLeft, colors.outerBottomRight, colors.innerTopLeft,
                     colors.innerBottomRight);

    Rect box = ShrunkRect(rect, 3);
    if (state == 2)
        box.offset(1, 1);
    const QColor ink = toQColor(GetSkinSysColor(COLOR_BTNTEXT));
    dc.setPen(ink);
    dc.setBrush(ink);
    switch (glyph) {
    case CaptionGlyph::Close:
        // Two strokes, each two pixels wide.
        for (int dx = 0; dx < 2; ++dx) {
            dc.drawLine(box.left + dx, box.top, box.right - 2 + dx, box.bottom - 1);
            dc.drawLine(box.left + dx, box.bottom - 1, box.right - 2 + dx, box.top);
        }
        break;
    case CaptionGlyph::Minimise:
        dc.fillRect(QRect(box.left, box.bottom - 2, box.width() - 1, 2), ink);
        break;
    case CaptionGlyph::Maximise:
        dc.setBrush(Qt::NoBrush);
        dc.drawRect(QRect(box.left, box.top, box.width() - 2, box.height() - 2));
        dc.fillRect(QRect(box.left, box.top, box.width() - 1, 2), ink);
        break;
    default:
        DrawArrow(dc, box, glyph);
        break;
    }
    dc.restore();
}

void DrawDouble3dRect(QPainter& dc, const Rect& rect, int outerTopLeft, int outerBottomRight, int innerTopLeft,
                      int innerBottomRight)
{
    Draw3dRect(dc, rect, GetSkinSysColor(outerTopLeft), GetSkinSysColor(outerBottomRight));
    Draw3dRect(dc, ShrunkRect(rect, 1), GetSkinSysColor(innerTopLeft), GetSkinSysColor(innerBottomRight));
}
