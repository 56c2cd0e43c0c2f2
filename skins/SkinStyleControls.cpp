#include "skins/SkinStyle.h"

#include "skins/ASMCheckBox.h"
#include "skins/ASMComboBox.h"
#include "skins/ASMEdit.h"
#include "skins/ASMGroupBox.h"
#include "skins/ASMHeaderCtrl.h"
#include "skins/ASMProgress.h"
#include "skins/ASMPushButton.h"
#include "skins/ASMRadioButton.h"
#include "skins/ASMScrollBar.h"
#include "skins/ASMStatic.h"
#include "skins/ASMTabControl.h"
#include "skins/ASMUpDown.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QStyleOptionTab>
#include <QStyleOptionTabBarBase>
#include <QStyleOptionTabWidgetFrame>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QStyleOptionHeader>
#include <QStyleOptionProgressBar>
#include <QAbstractItemView>
#include <QFrame>
#include <QHeaderView>
#include <QSizeGrip>
#include <QStyleOptionSizeGrip>

namespace skinstylecontrols_detail {

// The control skin that draws a widget now, of the class wanted; null while
// no skin is on or the widget has none.
template <typename Skin> const Skin* activeSkin(const QWidget* widget)
{
    if (!widget || !VornaSkinManager::IsSkinOn())
        return nullptr;
    return qobject_cast<const Skin*>(VornaSkinManager::GetInstance().Find(widget));
}

} // namespace skinstylecontrols_detail

using skinstylecontrols_detail::activeSkin;

bool SkinStyle::DrawSkinControl(ControlElement element, const QStyleOption& option, QPainter& painter,
                                const QWidget* widget) const
{
    switch (element) {
    case CE_PushButton: {
        const auto* skin = activeSkin<ASMPushButton>(widget);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option);
        if (!skin || !button || skin->Kind() != SkinControlKind::PushButton)
            return false;
        painter.save();
        skin->Draw(painter, *button, widget);
        painter.restore();
        return true;
    }
    case CE_CheckBoxLabel:
    case CE_RadioButtonLabel: {
        const auto* skin = activeSkin<ASMCheckBox>(widget);
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option);
        if (!skin || !button)
            return false;
        SkinButtonLook look = skin->LookOf(option);
        look.pushLike = false;
        ASMPushButton::DrawButtonText(painter, platform::Rect::fromQRect(option.rect), button->text, look,
                                      Qt::AlignLeft);
        return true;
    }
    case CE_ComboBoxLabel: {
        // A disabled field's text is drawn with the field.
        const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(&option);
        return activeSkin<ASMComboBox>(widget) && combo && ASMComboBox::DrawsField(*combo);
    }
    case CE_TabBarTab: {
        // Tab bars in document mode keep the base look.
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(&option);
        if (!activeSkin<ASMTabControl>(widget) || !tab || tab->documentMode)
            return false;
        ASMTabControl::DrawTabBarTab(painter, *tab, widget);
        return true;
    }
    case CE_ProgressBarGroove:
        if (!activeSkin<ASMProgress>(widget))
            return false;
        ASMProgress::DrawGroove(painter, platform::Rect::fromQRect(option.rect));
        return true;
    case CE_ProgressBarContents: {
        const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(&option);
        if (!activeSkin<ASMProgress>(widget) || !bar)
            return false;
        ASMProgress::Draw(painter, platform::Rect::fromQRect(option.rect), bar->progress, bar->minimum, bar->maximum);
        return true;
    }
    case CE_HeaderSection: {
        const auto* skin = activeSkin<ASMHeaderCtrl>(widget);
        if (!skin)
            return false;
        ASMHeaderCtrl::DrawSection(painter, platform::Rect::fromQRect(option.rect), skin->IsMouseOver());
        return true;
    }
    case CE_HeaderLabel: {
        // The skin writes a section's text from its top left corner, two
        // pixels in, lines as they are; a picture keeps the base layout.
        const auto* label = qstyleoption_cast<const QStyleOptionHeader*>(&option);
        if (!activeSkin<ASMHeaderCtrl>(widget) || !label || !label->icon.isNull())
            return false;
        const int margin = pixelMetric(PM_HeaderMargin, &option, widget);
        const bool rightToLeft = option.direction == Qt::RightToLeft;
        const bool arrow = label->sortIndicator != QStyleOptionHeader::None;
        // The label stands `margin` inside its section; with a sort arrow
        // the side of the arrow stays the label's.
        QRect text = option.rect.adjusted(2 - margin, 2 - margin, margin - 2, margin - 2);
        if (arrow && rightToLeft)
            text.setLeft(option.rect.left());
        else if (arrow)
            text.setRight(option.rect.right());
        painter.save();
        painter.setClipRect(text, Qt::IntersectClip);
        painter.setPen(option.palette.color(QPalette::ButtonText));
        painter.drawText(text, int(QStyle::visualAlignment(option.direction, Qt::AlignLeft | Qt::AlignTop)),
                         label->text);
        painter.restore();
        return true;
    }
    case CE_HeaderEmptyArea: {
        const auto* skin = activeSkin<ASMHeaderCtrl>(widget);
        if (!skin)
            return false;
        const auto* header = qobject_cast<const QHeaderView*>(widget);
        ASMHeaderCtrl::DrawEmptyArea(painter, platform::Rect::fromQRect(option.rect), skin->IsMouseOver(),
                                     !header || header->orientation() == Qt::Horizontal);
        return true;
    }
    case CE_SizeGrip: {
        // A dialog's size grip (the status bar's is the bars' own).
        const auto* grip = qstyleoption_cast<const QStyleOptionSizeGrip*>(&option);
        if (!grip || !VornaSkinManager::IsSkinOn() || !qobject_cast<const QSizeGrip*>(widget))
            return false;
        painter.save();
        ASMScrollBar::DrawSizeGrip(painter, platform::Rect::fromQRect(option.rect), grip->corner);
        painter.restore();
        return true;
    }
    case CE_ShapedFrame: {
        const auto* skin = activeSkin<ASMControl>(widget);
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
        if (skin && frame && skin->Kind() == SkinControlKind::Static)
            return ASMStatic::DrawFrame(painter, *frame);
        // The edge of a field of several lines.
        if (const auto* edit = qobject_cast<const ASMEdit*>(skin); edit && frame && frame->lineWidth > 0) {
            edit->DrawFrame(painter, *frame, widget);
            return true;
        }
        // The frame of a list: deeper with the focus, disabled, or the mouse over it or its header.
        if (!skin || !frame || skin->Kind() != SkinControlKind::ListView || frame->lineWidth <= 0)
            return false;
        const bool deep = skin->IsMouseOver() || (option.state & State_HasFocus) || !(option.state & State_Enabled);
        const platform::Rect rect = platform::Rect::fromQRect(option.rect);
        if (deep)
            DrawSkinDouble3dRect(painter, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
        else
            DrawSkinDouble3dRect(painter, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE);
        return true;
    }
    default:
        return false;
    }
}

int SkinStyle::SkinControlPixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    // Lists and fields of several lines wear two rings round their inside.
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (metric != PM_DefaultFrameWidth || !frame || frame->frameShape != QFrame::StyledPanel)
        return -1;
    const auto* skin = activeSkin<ASMControl>(widget);
    if (!skin || (skin->Kind() != SkinControlKind::ListView && skin->Kind() != SkinControlKind::Edit))
        return -1;
    return 2;
}

bool SkinStyle::DrawSkinControlPrimitive(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                                         const QWidget* widget) const
{
    switch (element) {
    case PE_IndicatorCheckBox: {
        const auto* skin = activeSkin<ASMCheckBox>(widget);
        if (!skin || skin->Kind() != SkinControlKind::CheckBox)
            return false;
        painter.save();
        skin->DrawMark(painter, platform::Rect::fromQRect(option.rect), skin->LookOf(option), widget);
        painter.restore();
        return true;
    }
    case PE_PanelLineEdit: {
        const auto* skin = activeSkin<ASMEdit>(widget);
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
        if (!skin || !frame)
            return false;
        painter.save();
        skin->Draw(painter, *frame);
        painter.restore();
        return true;
    }
    case PE_FrameTabWidget: {
        const auto* frame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(&option);
        if (!activeSkin<ASMTabControl>(widget) || !frame)
            return false;
        ASMTabControl::DrawTabWidgetFrame(painter, *frame, widget);
        return true;
    }
    case PE_FrameTabBarBase: {
        const auto* base = qstyleoption_cast<const QStyleOptionTabBarBase*>(&option);
        if (!activeSkin<ASMTabControl>(widget) || !base || base->documentMode)
            return false;
        ASMTabControl::DrawTabBarBase(painter, *base, widget);
        return true;
    }
    case PE_IndicatorRadioButton: {
        const auto* skin = activeSkin<ASMRadioButton>(widget);
        if (!skin)
            return false;
        painter.save();
        skin->DrawRadioMark(painter, platform::Rect::fromQRect(option.rect), skin->LookOf(option), widget);
        painter.restore();
        return true;
    }
    default:
        return false;
    }
}

bool SkinStyle::DrawSkinComplexControl(ComplexControl control, const QStyleOptionComplex& option, QPainter& painter,
                                       const QWidget* widget) const
{
    switch (control) {
    case CC_GroupBox: {
        const auto* skin = activeSkin<ASMGroupBox>(widget);
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(&option);
        // A group box with its own check box keeps the base look.
        if (!skin || !box || (box->subControls & SC_GroupBoxCheckBox))
            return false;
        skin->Draw(painter, *box, widget);
        return true;
    }
    case CC_ComboBox: {
        const auto* skin = activeSkin<ASMComboBox>(widget);
        const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(&option);
        if (!skin || !combo || !combo->frame)
            return false;
        painter.save();
        skin->Draw(painter, *combo);
        painter.restore();
        return true;
    }
    case CC_SpinBox: {
        const auto* skin = activeSkin<ASMUpDown>(widget);
        const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(&option);
        if (!skin || !spin)
            return false;
        painter.save();
        skin->Draw(painter, *spin, widget);
        painter.restore();
        return true;
    }
    default:
        return false;
    }
}

void SkinStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                             const QString& text, QPalette::ColorRole textRole) const
{
    // A disabled label's text is embossed.
    const auto* label = dynamic_cast<const QWidget*>(painter->device());
    if (!enabled && activeSkin<ASMStatic>(label)) {
        ASMStatic::DrawDisabledText(*painter, rect, flags, text);
        return;
    }
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
}
