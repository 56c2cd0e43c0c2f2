#include "skins/ASMRadioButton.h"

#include "controls/SysColors.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QPoint>
#include <QWidget>

namespace asmradiobutton_detail {

// The circle's pixels from the mark's top-left.
const QPoint kOuterUpperLeft[] = {{1, 9}, {1, 8}, {0, 7}, {0, 6}, {0, 5}, {0, 4}, {1, 3}, {1, 2},
                                  {2, 1}, {3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 1}, {9, 1}};
const QPoint kInnerUpperLeft[] = {{2, 8}, {1, 7}, {1, 6}, {1, 5}, {1, 4}, {2, 3}, {2, 2},
                                  {3, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 2}, {9, 2}};
const QPoint kInnerLowerRight[] = {{2, 9}, {3, 9}, {4, 10}, {5, 10}, {6, 10}, {7, 10}, {8, 9},
                                   {9, 9}, {9, 8}, {10, 7}, {10, 6}, {10, 5}, {10, 4}, {9, 3}};
const QPoint kOuterLowerRight[] = {{2, 10}, {3, 10}, {4, 11}, {5, 11}, {6, 11}, {7, 11}, {8, 10}, {9, 10},
                                   {10, 9}, {10, 8}, {11, 7}, {11, 6}, {11, 5}, {11, 4}, {10, 3}, {10, 2}};

// The face-coloured corners round the circle, row by row (y: runs of x from
// x1 to x2), from one pixel up and two left of the mark's top-left.
struct FaceRun
{
    int y, x1, x2;
};
const FaceRun kFaceCorners[] = {{1, 1, 5},  {1, 10, 13},  {2, 1, 3},  {2, 12, 13},  {3, 1, 2},  {3, 13, 13},
                                {4, 1, 2},  {4, 13, 13},  {5, 1, 1},  {6, 1, 1},    {7, 1, 1},  {8, 1, 1},
                                {9, 1, 2},  {9, 13, 13},  {10, 1, 2}, {10, 13, 13}, {11, 1, 3}, {11, 12, 13},
                                {12, 1, 5}, {12, 10, 13}, {13, 1, 13}};

template <std::size_t N> void drawPixelList(QPainter& dc, QPoint origin, const QPoint (&list)[N], int colourIndex)
{
    dc.setPen(platform::toQColor(GetSkinSysColor(colourIndex)));
    for (const QPoint& p : list)
        dc.drawPoint(origin + p);
}

} // namespace asmradiobutton_detail

using namespace asmradiobutton_detail;

ASMRadioButton::ASMRadioButton() : ASMCheckBox(SkinControlKind::RadioButton) {}

void ASMRadioButton::DrawRadioMark(QPainter& dc, const platform::Rect& rect, const SkinButtonLook& look,
                                   const QWidget* widget) const
{
    const SkinMarkRecord& record = VornaSkinManager::GetInstance().data().m_radioButton;
    if (ImageControlsOn() && !record.image.isNull()) {
        if (record.transparent != kNoTransparentColor && widget)
            FillSkinBackgroundXY(dc, rect.left, rect.top, rect.width(), rect.height(), widget->parentWidget(),
                                 const_cast<QWidget*>(widget));
        DrawSkinCheckImage(record, dc, MarkState(look), look.checked, rect);
        return;
    }
    // A 12 x 12 circle centred across the rectangle.
    const QPoint origin(rect.left + 1, rect.top + (rect.height() - 13) / 2);
    dc.save();
    // Its inside, and the dot of the checked state.
    dc.setPen(Qt::NoPen);
    dc.setBrush(platform::toQColor(GetSkinSysColor(look.disabled ? COLOR_3DFACE : COLOR_WINDOW)));
    dc.drawRect(origin.x() + 2, origin.y() + 2, 8, 8);
    drawPixelList(dc, origin, kOuterUpperLeft, COLOR_3DSHADOW);
    drawPixelList(dc, origin, kInnerUpperLeft,
                  look.hover ? COLOR_3DDKSHADOW : (look.disabled ? COLOR_3DFACE : COLOR_WINDOW));
    drawPixelList(dc, origin, kInnerLowerRight, COLOR_3DFACE);
    drawPixelList(dc, origin, kOuterLowerRight, look.disabled && !look.hover ? COLOR_3DHIGHLIGHT : COLOR_WINDOW);
    const QColor face = platform::toQColor(GetSkinSysColor(COLOR_3DFACE));
    for (const FaceRun& run : kFaceCorners)
        dc.fillRect(QRect(origin.x() - 2 + run.x1, origin.y() - 1 + run.y, run.x2 - run.x1 + 1, 1), face);
    if (look.checked) {
        const QColor dot = platform::toQColor(GetSkinSysColor(look.disabled ? COLOR_3DSHADOW : COLOR_BTNTEXT));
        dc.fillRect(QRect(origin.x() + 4, origin.y() + 5, 4, 2), dot);
        dc.fillRect(QRect(origin.x() + 5, origin.y() + 4, 2, 4), dot);
    }
    dc.restore();
}
