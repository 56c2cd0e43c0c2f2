// The main frame's typeface and colour commands: the face box, the text and
// background colour buttons of the format bar, and their palettes.
#include "app/CMainFrame.h"

#include "app/CHtmlEditCntrItem.h"
#include "app/CZQView.h"
#include "chrome/ULOToolBar.h"
#include "commands/FontFaceColorFormat.h"
#include "commands/FontPropertyValues.h"
#include "commands/SelectionFormat.h"
#include "commands/SinkUndoUnit.h"
#include "controls/CColorPopup.h"
#include "editor/CImpIDispatch.h"
#include "util/ColorText.h"

#include "engine/editing/TextRange.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"
#include "engine/view/DisplayPointer.h"
#include "engine/view/PageView.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>

namespace fontcolorcommands_detail {

// Applies a colour (code 14 text, 15 background) to the selected cells or
// to the selection.
void applyColor(CZQView* view, int code, platform::ColorRef color, bool isDefault)
{
    const QString text = ColorRefToHtml(color);
    const int mode = isDefault ? kColorModeDefault : kColorModeApply;
    if (HasFormattableCellRange(view))
        SetFontOfSelectedCells(code, text, mode, view);
    else if (code == kFormatTextColor)
        SetFontColorInSelection(code, text, mode);
    else
        SetBgColorInSelection(code, text, mode);
}

// The screen rectangle of a button of the format bar; null when the bar
// does not show it.
QRect formatButtonRect(CMainFrame& frame, platform::CommandRegistry& registry, int id)
{
    ULOToolBar* bar = frame.toolBar(603);
    QWidget* button = bar ? bar->widgetForAction(registry.action(id)) : nullptr;
    if (!button || !button->isVisible())
        return {};
    return QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
}

// The palette under the button; the colour chosen, or nothing when the user
// cancelled. The current colour is marked; the page's own colour is the
// palette's default entry.
std::optional<platform::ColorRef> choosePaletteColor(CMainFrame& frame, platform::CommandRegistry& registry,
                                                     int buttonId, platform::ColorRef current,
                                                     platform::ColorRef pageColor)
{
    // Under the button, or at the pointer when the bar does not show it.
    const QRect button = formatButtonRect(frame, registry, buttonId);
    const QPoint at = button.isNull() ? QCursor::pos() : button.bottomLeft() + QPoint(0, 1);
    CColorPopup popup(at.x(), at.y(), button.width(), current, pageColor, &frame);
    if (popup.DoModal() != platform::IDOK)
        return std::nullopt;
    const platform::ColorRef chosen = popup.GetColor();
    return chosen == kColorNone ? kColorDefault : chosen;
}

// The caret at the start of the range, shown.
void placeCaretAtStart(CZQView* view, const engine::TextRange& range)
{
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    engine::MarkupPointer start, end;
    if (!page || !engine::MarkupServices::movePointersToRange(range, &start, &end))
        return;
    engine::DisplayPointer pointer(*page);
    if (pointer.moveToMarkupPointer(start))
        page->moveCaretTo(pointer);
    page->setCaretVisible(true);
}

} // namespace fontcolorcommands_detail

void CMainFrame::OnTextColor()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    SinkUndoUnit undo(view);
    fontcolorcommands_detail::applyColor(view, kFormatTextColor, m_crTextColor, m_bTextColorDefault);
}

void CMainFrame::OnTextBgColor()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    SinkUndoUnit undo(view);
    fontcolorcommands_detail::applyColor(view, kFormatBackColor, m_crTextBgColor, m_bTextBgColorDefault);
}

void CMainFrame::OnFormatTextColor()
{
    // The page's text colour is the palette's default entry.
    CZQView* view = GetActiveView();
    if (view)
        RunColorPalette(32933, kFormatTextColor, m_crTextColor, m_bTextColorDefault, PageTextColor(view));
}

void CMainFrame::OnFormatTextBgColor()
{
    CZQView* view = GetActiveView();
    if (view)
        RunColorPalette(32934, kFormatBackColor, m_crTextBgColor, m_bTextBgColorDefault, PageBackColor(view));
}

void CMainFrame::RunColorPalette(int buttonId, int code, platform::ColorRef& color, bool& isDefault,
                                 platform::ColorRef pageColor)
{
    namespace detail = fontcolorcommands_detail;
    if (isDefault)
        color = kColorDefault;
    if (const auto chosen = detail::choosePaletteColor(*this, m_registry, buttonId, color, pageColor)) {
        color = *chosen;
        isDefault = color == kColorDefault;
        // The popup leaves the page as it was; the page may have gone with it.
        if (CZQView* active = GetActiveView()) {
            SinkUndoUnit undo(active);
            detail::applyColor(active, code, color, isDefault);
        }
    }
    // The colour buttons show the colours they apply.
    if (ULOToolBar* bar = toolBar(603))
        bar->update();
}

void CMainFrame::OnSelChangeFontFace()
{
    // 1. A page.
    CZQView* view = GetActiveView();
    QComboBox* box = fontFaceBox();
    if (!view || !box || box->currentIndex() < 0)
        return;
    // 2.-3. The text range before, and the face chosen.
    const std::optional<engine::TextRange> before = ReadFormatSelection().range;
    const QString face = box->currentText();
    // 4. The cells, or the selection.
    {
        SinkUndoUnit undo(view);
        if (HasFormattableCellRange(view))
            SetFontOfSelectedCells(kFormatFace, face, 0, view);
        else
            SetFontFaceInSelection(kFormatFace, face);
    }
    // 5.-6. The keyboard back to the page, the caret at the start of the range.
    view->ActivateItemUI();
    if (before)
        fontcolorcommands_detail::placeCaretAtStart(view, *before);
    else if (engine::PageView* page = view->GetPageView())
        page->setCaretVisible(true);
    // 7. The toolbar shows the new face.
    if (CImpIDispatch* sink = view->GetSink())
        sink->UpdateFormatState();
}
