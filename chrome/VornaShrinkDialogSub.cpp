#include "chrome/VornaShrinkDialogSub.h"

#include "chrome/CaptionGlyphs.h"
#include "chrome/RollUpButtonGeometry.h"
#include "controls/SysColors.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

using platform::Rect;

namespace shrink_detail {

// The dialogs' frame look of the active skin, when one is on and has it.
const VornaFrameSkin* DialogSkin()
{
    const VornaSkinManager& skins = VornaSkinManager::GetInstance();
    if (!skins.IsSkinOn() || !skins.data().m_pDialog || !skins.data().m_pDialog->IsUsable())
        return nullptr;
    return skins.data().m_pDialog.get();
}

// The caption-button record the roll-up button stands beside: the help
// button's for a dialog with one, else the close button's.
const SkinCaptionButton* NeighbourRecord(const VornaFrameSkin& skin, bool contextHelp)
{
    const size_t index = contextHelp ? 1 : 0;
    return index < skin.m_buttons.size() ? &skin.m_buttons[index] : nullptr;
}

// The pictures the button shows: the minimise button's while unrolled, the
// maximise button's maximise glyph while rolled up; from the dialogs' look
// when it has all three caption buttons, else from the main frame's.
const SkinCaptionButton* GlyphRecord(const VornaFrameSkin& dialog, bool rolledUp)
{
    const size_t index = rolledUp ? 1 : 2;
    if (dialog.m_buttons.size() > 2)
        return &dialog.m_buttons[index];
    const VornaFrameSkin* main = VornaSkinManager::GetInstance().data().m_pMainFrame.get();
    return main && main->m_buttons.size() > index ? &main->m_buttons[index] : nullptr;
}

bool HasContextHelp(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::WindowContextHelpButtonHint);
}

// How often a hot button looks whether the pointer is still on it.
constexpr int kHoverCheckMs = 200;

QPoint PointOf(QEvent* event)
{
    return static_cast<QMouseEvent*>(event)->position().toPoint();
}

} // namespace shrink_detail

VornaShrinkDialogSub::VornaShrinkDialogSub() = default;

VornaShrinkDialogSub::~VornaShrinkDialogSub()
{
    Attach(nullptr);
}

QWidget* VornaShrinkDialogSub::window() const
{
    return qobject_cast<QWidget*>(hookedWindow());
}

void VornaShrinkDialogSub::OnAttachChanged(QObject*, QObject* current)
{
    if (auto* widget = qobject_cast<QWidget*>(current))
        widget->setAttribute(Qt::WA_Hover);
}

bool VornaShrinkDialogSub::HasButton() const
{
    // The caption the skin draws in the window's own top margin.
    const QWidget* w = window();
    return w && shrink_detail::DialogSkin() && w->windowFlags().testFlag(Qt::FramelessWindowHint) &&
           w->contentsMargins().top() > 0;
}

Rect VornaShrinkDialogSub::GetButtonRect() const
{
    const QWidget* w = window();
    if (!w)
        return Rect();
    const bool help = shrink_detail::HasContextHelp(w);
    if (const VornaFrameSkin* skin = shrink_detail::DialogSkin()) {
        const SkinCaptionButton* record = shrink_detail::NeighbourRecord(*skin, help);
        return record ? rollup::SkinDialogButtonRect(w->width(), *record) : Rect();
    }
    return rollup::DialogButtonRect(w->width(), help);
}

void VornaShrinkDialogSub::DrawButton(int state)
{
    m_nState = state;
    if (QWidget* w = window())
        w->update(GetButtonRect().toQRect());
}

void VornaShrinkDialogSub::PaintButton(QPainter& dc, int state) const
{
    const VornaFrameSkin* skin = shrink_detail::DialogSkin();
    const Rect rect = GetButtonRect();
    if (!skin || rect.isEmpty())
        return;
    const SkinCaptionButton* glyph = shrink_detail::GlyphRecord(*skin, m_bRolledUp);
    if (!glyph)
        return;
    // The picture's cells at the button's place, right-aligned in it.
    SkinCaptionButton button = *glyph;
    const int width = window()->width();
    button.xOffset = width - rect.right;
    button.y = rect.top;
    DrawSkinCaptionButton(button, dc, width, window()->isActiveWindow(),
                          state | (m_bRolledUp ? kCaptionAlternateGlyph : 0));
}

void VornaShrinkDialogSub::Toggle()
{
    // The flag first: the window's layout may ask for it while it changes.
    const bool rolled = m_bRolledUp;
    m_bRolledUp = !rolled;
    if (rolled)
        Unroll();
    else
        RollUp();
    DrawButton(0);
}

void VornaShrinkDialogSub::RollUp()
{
    QWidget* w = window();
    const VornaFrameSkin* skin = shrink_detail::DialogSkin();
    if (!w)
        return;
    // The caption alone: the skin's caption, or the desktop's.
    const int caption = skin ? skin->m_caption.thickness : rollup::SM_CYDLGFRAME + rollup::SM_CYCAPTION;
    m_sizeSaved = w->size();
    m_minSaved = w->minimumSize();
    m_maxSaved = w->maximumSize();
    w->setMinimumHeight(0);
    w->setFixedHeight(caption);
}

void VornaShrinkDialogSub::Unroll()
{
    QWidget* w = window();
    if (!w)
        return;
    w->setMinimumSize(m_minSaved);
    w->setMaximumSize(m_maxSaved);
    w->resize(m_sizeSaved);
}

void VornaShrinkDialogSub::CheckHover()
{
    QWidget* w = window();
    if (w && m_bHover && m_nPress == 0 && HasButton() && GetButtonRect().contains(w->mapFromGlobal(QCursor::pos())))
        return;
    m_pHoverTimer->stop();
    if (m_bHover && m_nPress == 0) {
        m_bHover = false;
        DrawButton(0);
    }
}

bool VornaShrinkDialogSub::WindowProc(QEvent* event)
{
    QWidget* w = window();
    if (!w)
        return CSubclassWnd::WindowProc(event);
    if (!HasButton()) {
        // The caption with the button went (the skin was switched off): a
        // rolled-up window comes back whole, as nothing could unroll it now.
        if (m_bRolledUp)
            Toggle();
        m_nPress = 0;
        m_bHover = false;
        return CSubclassWnd::WindowProc(event);
    }
    const Rect button = GetButtonRect();
    switch (event->type()) {
    case QEvent::Paint: {
        const bool result = CallNextProc();
        QPainter dc(w);
        PaintButton(dc, m_nPress == 1 ? 2 : m_nState);
        return result;
    }
    case QEvent::HoverMove:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave: {
        const bool over = event->type() != QEvent::HoverLeave &&
                          button.contains(static_cast<QHoverEvent*>(event)->position().toPoint());
        if (m_nPress == 0 && over != m_bHover) {
            m_bHover = over;
            DrawButton(over ? 1 : 0);
            if (over) {
                if (!m_pHoverTimer) {
                    m_pHoverTimer = new QTimer(this);
                    m_pHoverTimer->setInterval(shrink_detail::kHoverCheckMs);
                    connect(m_pHoverTimer, &QTimer::timeout, this, &VornaShrinkDialogSub::CheckHover);
                }
                m_pHoverTimer->start();
            }
        }
        break;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        DrawButton(0);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            button.contains(shrink_detail::PointOf(event))) {
            m_nPress = 1;
            DrawButton(2);
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (m_nPress != 0) {
            const int press = button.contains(shrink_detail::PointOf(event)) ? 1 : -1;
            if (press != m_nPress) {
                m_nPress = press;
                DrawButton(press == 1 ? 2 : 0);
            }
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_nPress != 0) {
            const bool over = button.contains(shrink_detail::PointOf(event));
            m_nPress = 0;
            if (over)
                Toggle();
            else
                DrawButton(0);
            return true;
        }
        break;
    default:
        break;
    }
    return CSubclassWnd::WindowProc(event);
}
