// The main frame's clear formatting command (設定 > 書式の削除, Ctrl+E).
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/SelectionFormat.h"
#include "commands/SinkUndoUnit.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"

#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"

#include "platform/CmdUI.h"

namespace formatclear_detail {

// Removes the tags of every element of the tag inside the element, keeping
// the content; stops when a removal leaves the list as long as it was.
void removeTagsInside(engine::Element* element, const QString& tag)
{
    const engine::ElementCollection found = element->getElementsByTagName(tag);
    for (int count = found.length(); count > 0;) {
        RemoveElementTag(found.item(0));
        const int left = found.length();
        if (left >= count)
            break;
        count = left;
    }
}

} // namespace formatclear_detail

void CMainFrame::OnFormatClear()
{
    namespace detail = formatclear_detail;
    CZQView* view = GetActiveView();
    if (!view)
        return;
    {
        SinkUndoUnit undo(view);
        // 1. The selection.
        const FormatSelection selection = ReadFormatSelection();
        if (selection.controls && selection.controls->length() > 0) {
            // 2. Each object loses its character formats and background colours.
            for (const engine::Ref<engine::Element>& element : selection.controls->elements()) {
                for (const char* tag : {"font", "STRONG", "EM", "U"})
                    detail::removeTagsInside(element.get(), QLatin1String(tag));
                element->removeAttribute(QStringLiteral("bgcolor"));
                for (const char* tag : {"tr", "td"}) {
                    for (const engine::Ref<engine::Element>& inner :
                         element->getElementsByTagName(QLatin1String(tag)).toVector())
                        inner->removeAttribute(QStringLiteral("bgcolor"));
                }
            }
        } else if (selection.range) {
            // 3. Text: the engine's own remove-format command.
            view->ExecCommand(engine::CommandGroup::RemoveFormat);
        }
    }
    // 4. Bold, italic and underline show off.
    view->m_nFormatState &= ~quint32(kStateBold | kStateItalic | kStateUnderline);
}

void CMainFrame::OnUpdateFormatClear(platform::CmdUI& ui)
{
    const CZQView* view = GetActiveView();
    if (!view || !IsEditMode()) {
        ui.enable(false);
        return;
    }
    const quint32 kind = view->m_dwSelKind;
    constexpr quint32 kFormatted =
        0x8000 | 0x4000 | 0x2 | 0x4 | 0x10 | 0x20000000 | 0x2000000 | 0x4000000 | 0x8000000 | 0x1000 | kSelFlowText;
    ui.enable((kind & kFormatted) || ((kind & 0x1) && !(kind & 0x40000)));
}
