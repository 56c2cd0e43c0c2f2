// The character-format commands of the main frame: their table, the font
// boxes of the format bar, the alignment, size and style commands, and the
// update handler that checks the buttons and keeps the boxes in step with
// the selection.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "chrome/ULOToolBar.h"
#include "chrome/ULOToolBarFormat.h"
#include "commands/AlignFormat.h"
#include "commands/FontFaceColorFormat.h"
#include "commands/FontPropertyValues.h"
#include "commands/FontSizeFormat.h"
#include "commands/SelectionFormat.h"
#include "commands/SinkUndoUnit.h"
#include "controls/VornaComboEx.h"
#include "editor/CImpIDispatch.h"
#include "util/PageDom.h"
#include "res/resource.h"

#include "engine/editing/TextRange.h"

#include "platform/CmdUI.h"
#include "platform/ColorRef.h"
#include "platform/CommandRegistry.h"

#include <QAction>
#include <QComboBox>

namespace formatcommands_detail {

// The checked state of a format command: its bit of the view's format state.
quint32 stateOfCommand(int id)
{
    switch (id) {
    case 32930:
        return kStateBold;
    case 32931:
        return kStateItalic;
    case 32932:
        return kStateUnderline;
    case 32938:
        return kStateLeft;
    case 32939:
        return kStateCenter;
    case 32940:
        return kStateRight;
    case 32941:
        return kStateTop;
    case 32942:
        return kStateMiddle;
    case 32943:
        return kStateBottom;
    default:
        return 0;
    }
}

// A horizontal alignment: in a caption, a marquee or cells.
void alignHorizontal(CZQView* view, int code)
{
    // 1. One undo step.
    SinkUndoUnit undo(view);
    // 2. A cell range cell by cell.
    if (HasFormattableCellRange(view)) {
        FormatSelectedCells(code, view);
        return;
    }
    // 3.-4. The CAPTION or MARQUEE around the text, else the cells.
    const FormatSelection selection = ReadFormatSelection();
    if (selection.range) {
        engine::Ref<engine::Element> caption = selection.range->parentElement();
        engine::Ref<engine::Element> marquee = caption;
        if (FindParentByTag(caption, QStringLiteral("CAPTION")) == S_OK)
            SetCaptionAlign(code);
        else if (FindParentByTag(marquee, QStringLiteral("MARQUEE")) == S_OK)
            SetMarqueeAlign(code);
        else
            SetAlignInSelection(code);
    } else if (selection.selected) {
        if (selection.selected->hasTag(QLatin1String("MARQUEE")))
            SetMarqueeAlign(code);
        else
            SetAlignInSelection(code);
    }
}

// A vertical alignment: in a caption or cells; a MARQUEE has none.
void alignVertical(CZQView* view, int code)
{
    SinkUndoUnit undo(view);
    if (HasFormattableCellRange(view)) {
        FormatSelectedCells(code, view);
        return;
    }
    const FormatSelection selection = ReadFormatSelection();
    if (!selection.range) {
        SetAlignInSelection(code);
        return;
    }
    engine::Ref<engine::Element> caption = selection.range->parentElement();
    if (!caption)
        return;
    if (FindParentByTag(caption, QStringLiteral("CAPTION")) == S_OK)
        SetCaptionAlign(code);
    else
        SetAlignInSelection(code);
}

// Bold, italic, underline (9 to 12) or a size step (+1, -1, with the cell
// codes 7 and 8); then the format state of the selection again.
void formatTextStyle(CZQView* view, int code, int cellCode, bool sizeStep)
{
    if (!view)
        return;
    {
        SinkUndoUnit undo(view);
        if (HasFormattableCellRange(view))
            FormatSelectedCells(cellCode, view);
        else if (sizeStep)
            SetFontSizeInSelection(code);
        else
            SetTextStyleInSelection(code);
    }
    if (CImpIDispatch* sink = view->GetSink())
        sink->UpdateFormatState();
}

} // namespace formatcommands_detail

void CMainFrame::AddFormatCommands()
{
    onCommand(ID_FORMAT_ALIGN_LEFT, [this] { OnFormatAlignLeft(); });
    onCommand(ID_FORMAT_ALIGN_CENTER, [this] { OnFormatAlignCenter(); });
    onCommand(ID_FORMAT_ALIGN_RIGHT, [this] { OnFormatAlignRight(); });
    onCommand(ID_FORMAT_ALIGN_TOP, [this] { OnFormatAlignTop(); });
    onCommand(ID_FORMAT_ALIGN_MIDDLE, [this] { OnFormatAlignMiddle(); });
    onCommand(ID_FORMAT_ALIGN_BOTTOM, [this] { OnFormatAlignBottom(); });
    onCommand(ID_FORMAT_BOLD, [this] { OnFormatBold(); });
    onCommand(ID_FORMAT_ITALIC, [this] { OnFormatItalic(); });
    onCommand(ID_FORMAT_UNDERLINE, [this] { OnFormatUnderline(); });
    onCommand(ID_FORMAT_FONT_BIGGER, [this] { OnFormatFontBigger(); });
    onCommand(ID_FORMAT_FONT_SMALLER, [this] { OnFormatFontSmaller(); });
    onCommand(ID_FORMAT_TYPEFACE, [this] { OnFormatTypeface(); });
    onCommand(ID_FORMAT_FONT_NAME, [this] { OnSelChangeFontFace(); });
    onCommand(ID_FORMAT_FONT_SIZE, [this] { OnSelChangeFontSize(); });
    onCommand(ID_FORMAT_TEXT_COLOR, [this] { OnTextColor(); });
    onCommand(ID_FORMAT_TEXT_BGCOLOR, [this] { OnTextBgColor(); });
    onCommand(ID_FORMAT_TEXT_COLOR_PALETTE, [this] { OnFormatTextColor(); });
    onCommand(ID_FORMAT_TEXT_BGCOLOR_PALETTE, [this] { OnFormatTextBgColor(); });
    onCommand(ID_FORMAT_FONT_PROPERTY, [this] { OnFontProperty(); });
    onCommand(ID_FORMAT_CLEAR, [this] { OnFormatClear(); });
    onUpdateRange(ID_FORMAT_FONT_NAME, ID_FORMAT_ALIGN_BOTTOM, [this](platform::CmdUI& ui) { OnUpdateFormat(ui); });
    onUpdate(ID_FORMAT_TEXT_COLOR_PALETTE, [this](platform::CmdUI& ui) { OnUpdateFormat(ui); });
    onUpdate(ID_FORMAT_TEXT_BGCOLOR_PALETTE, [this](platform::CmdUI& ui) { OnUpdateFormat(ui); });
    onUpdate(ID_FORMAT_FONT_PROPERTY, [this](platform::CmdUI& ui) { OnUpdateFontProperty(ui); });
    onUpdate(ID_FORMAT_CLEAR, [this](platform::CmdUI& ui) { OnUpdateFormatClear(ui); });
}

QComboBox* CMainFrame::fontFaceBox() const
{
    ULOToolBar* bar = toolBar(603);
    return bar ? bar->findChild<QComboBox*>(QStringLiteral("id_32928")) : nullptr;
}

VornaComboEx* CMainFrame::fontSizeBox() const
{
    ULOToolBar* bar = toolBar(603);
    return bar ? bar->findChild<VornaComboEx*>(QStringLiteral("id_32929")) : nullptr;
}

void CMainFrame::ConnectFormatBoxes()
{
    // A choice of the user (not a selection the update makes) applies it.
    const auto connectBox = [this](QComboBox* box, int id) {
        if (!box)
            return;
        QAction* action = m_registry.action(id);
        connect(box, &QComboBox::activated, this, [this, id] { m_registry.sendCommand(id); });
        // The box carries its command's action, so that the update reaches it,
        // and is enabled with it.
        box->addAction(action);
        box->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, box, [box, action] { box->setEnabled(action->isEnabled()); });
    };
    connectBox(fontFaceBox(), 32928);
    connectBox(fontSizeBox(), 32929);
    // The colour buttons' arrows open their palettes; their bars show the
    // colours the buttons apply (the page's own while a colour is automatic).
    auto* bar = qobject_cast<ULOToolBarFormat*>(toolBar(603));
    if (!bar)
        return;
    connect(bar, &ULOToolBarFormat::colorDropDown, this, [this](int id, const QRect&) {
        m_registry.sendCommand(id == ULOToolBarFormat::kFontColor ? 33495 : 33496);
    });
    bar->SetColorSource([this](int id) {
        const bool text = id == ULOToolBarFormat::kFontColor;
        if (!(text ? m_bTextColorDefault : m_bTextBgColorDefault))
            return platform::toQColor(text ? m_crTextColor : m_crTextBgColor);
        CZQView* view = GetActiveView();
        return view ? platform::toQColor(text ? PageTextColor(view) : PageBackColor(view)) : QColor();
    });
}

void CMainFrame::OnFormatAlignLeft()
{
    formatcommands_detail::alignHorizontal(GetActiveView(), kFormatLeft);
}

void CMainFrame::OnFormatAlignCenter()
{
    formatcommands_detail::alignHorizontal(GetActiveView(), kFormatCenter);
}

void CMainFrame::OnFormatAlignRight()
{
    formatcommands_detail::alignHorizontal(GetActiveView(), kFormatRight);
}

void CMainFrame::OnFormatAlignTop()
{
    formatcommands_detail::alignVertical(GetActiveView(), kFormatTop);
}

void CMainFrame::OnFormatAlignMiddle()
{
    formatcommands_detail::alignVertical(GetActiveView(), kFormatMiddle);
}

void CMainFrame::OnFormatAlignBottom()
{
    formatcommands_detail::alignVertical(GetActiveView(), kFormatBottom);
}

void CMainFrame::OnFormatBold()
{
    formatcommands_detail::formatTextStyle(GetActiveView(), kFormatBold, kFormatBold, false);
}

void CMainFrame::OnFormatItalic()
{
    formatcommands_detail::formatTextStyle(GetActiveView(), kFormatItalic, kFormatItalic, false);
}

void CMainFrame::OnFormatUnderline()
{
    formatcommands_detail::formatTextStyle(GetActiveView(), kFormatUnderline, kFormatUnderline, false);
}

void CMainFrame::OnFormatFontBigger()
{
    formatcommands_detail::formatTextStyle(GetActiveView(), +1, kFormatBigger, true);
}

void CMainFrame::OnFormatFontSmaller()
{
    formatcommands_detail::formatTextStyle(GetActiveView(), -1, kFormatSmaller, true);
}

void CMainFrame::OnFormatTypeface()
{
    // Routed as the styles are; no tag and no engine command belong to it.
    formatcommands_detail::formatTextStyle(GetActiveView(), kFormatTypeface, kFormatTypeface, false);
}

void CMainFrame::OnSelChangeFontSize()
{
    CZQView* view = GetActiveView();
    VornaComboEx* box = fontSizeBox();
    if (!view || !box || box->currentIndex() < 0)
        return;
    const int size = box->GetItemNumber(box->currentIndex());
    if (size < 1 || size > 7)
        return;
    const int code = size + 10;
    {
        SinkUndoUnit undo(view);
        if (HasFormattableCellRange(view))
            SetFontOfSelectedCells(kFormatFontSize, QString(), code, view);
        else
            SetFontSizeInSelection(code);
    }
    if (CImpIDispatch* sink = view->GetSink())
        sink->UpdateFormatState();
}

void CMainFrame::OnUpdateFormat(platform::CmdUI& ui)
{
    // 1.-2. A page in the editing view with something to format.
    CZQView* view = GetActiveView();
    if (!view || !IsEditMode()) {
        ui.enable(false);
        ui.setCheck(0);
        return;
    }
    if (!UpdateUIFormatCommand(ui)) {
        ui.setCheck(0);
        return;
    }
    // 3. The checks from the format state; no background in a caption.
    const int id = ui.id();
    if (id == 32934) {
        m_bBgColorAllowed = !(view->m_dwSelKind & 0x200000);
        if (!m_bBgColorAllowed)
            ui.enable(false);
    }
    const quint32 state = formatcommands_detail::stateOfCommand(id);
    ui.setCheck(state != 0 && (view->m_nFormatState & state) ? 1 : 0);
    // 4. The face box shows the selection's face (whatever its case), or nothing.
    if (m_bFontFaceChanged) {
        if (QComboBox* box = fontFaceBox()) {
            const int index = box->findText(m_strCurFontFace, Qt::MatchFixedString);
            if (index != box->currentIndex())
                box->setCurrentIndex(index);
        }
        m_bFontFaceChanged = false;
    }
    // 5. The size box shows the selection's size, or nothing.
    if (m_bFontSizeChanged) {
        if (VornaComboEx* box = fontSizeBox()) {
            int index = -1;
            for (int i = 0; i < box->count() && index < 0; ++i) {
                if (box->GetItemNumber(i) == m_nCurFontSize)
                    index = i;
            }
            if (index != box->currentIndex())
                box->setCurrentIndex(index);
        }
        m_bFontSizeChanged = false;
    }
}
