#include "chrome/VornaShrinkMiniFrmSub.h"

#include "chrome/CCoolDialogBar.h"
#include "chrome/CaptionGlyphs.h"
#include "chrome/RollUpButtonGeometry.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QWidget>

using platform::Rect;

namespace shrinkmini_detail {

// The skin's roll-up record for floating bars, when a skin is on and has one.
const SkinCaptionButton* SkinRecord()
{
    const VornaSkinManager& skins = VornaSkinManager::GetInstance();
    if (!skins.IsSkinOn() || skins.data().m_rollUpButton.width <= 0)
        return nullptr;
    return &skins.data().m_rollUpButton;
}

} // namespace shrinkmini_detail

VornaShrinkMiniFrmSub::~VornaShrinkMiniFrmSub()
{
    Attach(nullptr);
}

CCoolDialogBar* VornaShrinkMiniFrmSub::bar() const
{
    QWidget* band = window();
    return band ? qobject_cast<CCoolDialogBar*>(band->parentWidget()) : nullptr;
}

bool VornaShrinkMiniFrmSub::HasButton() const
{
    const CCoolDialogBar* b = bar();
    return b && b->isFloating();
}

Rect VornaShrinkMiniFrmSub::GetButtonRect() const
{
    const QWidget* band = window();
    if (!band)
        return Rect();
    if (const SkinCaptionButton* record = shrinkmini_detail::SkinRecord())
        return rollup::SkinMiniFrameButtonRect(band->width(), *record);
    return rollup::MiniFrameButtonRect(band->width());
}

void VornaShrinkMiniFrmSub::PaintButton(QPainter& dc, int state) const
{
    const QWidget* band = window();
    if (const SkinCaptionButton* record = shrinkmini_detail::SkinRecord()) {
        DrawSkinCaptionButton(*record, dc, band->width(), true, state | (m_bRolledUp ? kCaptionAlternateGlyph : 0));
        return;
    }
    // The desktop's minimise glyph while unrolled, its maximise glyph while rolled up.
    DrawCaptionButton(dc, GetButtonRect(), m_bRolledUp ? CaptionGlyph::Maximise : CaptionGlyph::Minimise, state,
                      GetSkinSysColor(COLOR_BTNFACE));
}

void VornaShrinkMiniFrmSub::RollUp()
{
    if (CCoolDialogBar* b = bar()) {
        m_sizeSaved = b->size();
        b->RollUpFloating();
    }
}

void VornaShrinkMiniFrmSub::Unroll()
{
    if (CCoolDialogBar* b = bar())
        b->UnrollFloating(m_sizeSaved);
}
