#include "chrome/RollUpButtonGeometry.h"

#include "skins/SkinRecordPainters.h"
#include "skins/VornaFrameSkin.h"

using platform::Rect;

namespace rollup {

namespace {

constexpr int kHelpButtonStep = 2 + 16;

} // namespace

Rect DialogButtonRect(int width, bool contextHelp)
{
    const int w = 16;
    const int h = SM_CYCAPTION - 5;
    int right = width - SM_CXDLGFRAME - 2 - 16 - 2;
    if (contextHelp)
        right -= kHelpButtonStep;
    const int top = SM_CYDLGFRAME + 2;
    return Rect(right - w, top, right, top + h);
}

Rect SkinDialogButtonRect(int width, const SkinCaptionButton& record)
{
    if (record.width <= 0)
        return Rect();
    Rect rect = CaptionButtonRect(record, width);
    rect.offset(-(record.width + 2), 0);
    return rect;
}

Rect MiniFrameButtonRect(int width)
{
    const int w = SM_CXSMSIZE - 2;
    const int h = SM_CYSMCAPTION - 5;
    const int right = width - SM_CXFRAME - 2 - w - 2;
    const int top = SM_CYFRAME + 2;
    return Rect(right - w, top, right, top + h);
}

Rect SkinMiniFrameButtonRect(int width, const SkinCaptionButton& record)
{
    if (record.width <= 0)
        return Rect();
    return CaptionButtonRect(record, width);
}

} // namespace rollup
