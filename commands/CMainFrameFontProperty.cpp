// The main frame's Font command: the font dialog for the selection.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/FontPropertyValues.h"
#include "commands/SelectionFormat.h"
#include "commands/SinkUndoUnit.h"
#include "dialogs/VornaDialogFontProperty.h"
#include "editor/CImpIDispatch.h"
#include "util/PageDom.h"

#include "engine/editing/TextRange.h"

#include "platform/CmdUI.h"
#include "platform/ModalRunner.h"

namespace fontpropertycommand_detail {

void putValues(VornaDialogFontProperty& dialog, const FontPropertyValues& values)
{
    dialog.m_strFace = values.face;
    dialog.m_nSize = values.size;
    dialog.m_bBold = values.bold;
    dialog.m_bItalic = values.italic;
    dialog.m_bUnderline = values.underline;
    dialog.m_crText = values.text;
    dialog.m_crBack = values.back;
}

FontPropertyValues valuesOf(const VornaDialogFontProperty& dialog)
{
    FontPropertyValues values;
    values.face = dialog.m_strFace;
    values.size = dialog.m_nSize;
    values.bold = dialog.m_bBold;
    values.italic = dialog.m_bItalic;
    values.underline = dialog.m_bUnderline;
    values.text = dialog.m_crText;
    values.back = dialog.m_crBack;
    return values;
}

FontPropertyChanges changesOf(const VornaDialogFontProperty& dialog)
{
    FontPropertyChanges changes;
    changes.bold = dialog.m_bBoldChanged;
    changes.italic = dialog.m_bItalicChanged;
    changes.underline = dialog.m_bUnderlineChanged;
    changes.face = dialog.m_bFaceChanged;
    changes.size = dialog.m_bSizeChanged;
    changes.text = dialog.m_bTextColorChanged;
    changes.back = dialog.m_bBackColorChanged;
    return changes;
}

} // namespace fontpropertycommand_detail

void CMainFrame::OnFontProperty()
{
    namespace detail = fontpropertycommand_detail;
    // 1.-2. A page and its selection.
    CZQView* view = GetActiveView();
    if (!view)
        return;
    VornaDialogFontProperty dialog;
    FormatSelection selection = ReadFormatSelection();
    const bool cells = selection.range && HasFormattableCellRange(view);
    // 3. The values of the selection: several objects, one object, the
    // selected cells, or the text.
    FontPropertyValues read;
    if (selection.controls) {
        read = selection.controls->length() > 1 ? MixedFontProperties()
                                                : ReadFontPropertiesOfElement(selection.selected.get());
    } else if (cells) {
        read = ReadFontPropertiesOfCells(view);
    } else if (selection.range) {
        read = ReadFontPropertiesOfRange(*selection.range);
    }
    detail::putValues(dialog, read);
    // 4. The page's colours as the defaults. The background as the selection
    // allows it now (not as the format bar's last update left it): none in a
    // caption, nor in the page's flowing text, which has no cell or marquee
    // to take it.
    dialog.m_crTextDefault = PageTextColor(view);
    dialog.m_crBackDefault = PageBackColor(view);
    m_bBgColorAllowed = !(view->m_dwSelKind & (0x200000 | kSelFlowText));
    dialog.m_bBackEnabled = m_bBgColorAllowed;
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 5. The changed values, as one undo step, on the page the dialog was
    // opened for.
    if (GetActiveView() != view)
        return;
    const FontPropertyValues values = detail::valuesOf(dialog);
    const FontPropertyChanges changes = detail::changesOf(dialog);
    {
        SinkUndoUnit undo(view);
        const quint32 kind = view->m_dwSelKind;
        const bool caretInTextBox = ((kind & 0x1) && (kind & 0x4)) || (kind & 0x40000);
        if (selection.controls || (selection.range && caretInTextBox))
            ApplyFontPropertiesToSelection(values, changes);
        else if (cells)
            ApplyFontPropertiesToCells(view, values, changes);
        else if (selection.range)
            ApplyFontPropertiesToRange(*selection.range, values, read, changes);
    }
    // The toolbar follows.
    if (CImpIDispatch* sink = view->GetSink())
        sink->UpdateFormatState();
}

void CMainFrame::OnUpdateFontProperty(platform::CmdUI& ui)
{
    if (UpdateUIFormatCommand(ui))
        return;
    // Several ordinary tables selected.
    if (const CZQView* view = GetActiveView(); view && (view->m_dwSelKind & 0x8000))
        ui.enable(true);
}
