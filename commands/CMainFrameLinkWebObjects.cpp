#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/HyperlinkSelection.h"
#include "editor/CImpIDispatch.h"
#include "effects/VornaDialogGuestBook.h"
#include "effects/VornaDialogWebBoard.h"
#include "effects/VornaDialogWebCounter.h"
#include "util/PageDom.h"

#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"

#include "platform/ModalRunner.h"

namespace mainframewebobjects_detail {

// The bulletin board and the guest book: a link of their kind on the
// selection, through their dialog. They differ only in the kind, the dialog
// and its style files.
template <class Dialog> void RunServiceLink(CMainFrame* frame, CZQView* view, LinkKind kind, const QString& styleFilter)
{
    // 1. A page.
    if (!view || !view->GetHtmlDocument())
        return;
    // 2. What the selection links and its link of the kind.
    SelectionLink link;
    const bool found = GetSelectionLink(link, kind, view);
    if (!link.element)
        return;
    // 3. The dialog.
    Dialog dialog(frame);
    dialog.m_strStyleFilter = styleFilter;
    if (link.element->hasTag(QLatin1String("IMG")))
        dialog.m_bEnableRemoveUnderline = false;
    dialog.m_strTarget = link.target;
    if (found) {
        dialog.m_strURL = link.href;
        dialog.m_strResultURL = link.href;
        dialog.m_bEditLink = true;
        if (!LinkHtmlHasNoUnderline(link.linkHtml))
            dialog.m_bRemoveUnderline = 0;
    }
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 4. Removed, or the service's address.
    const QString url = dialog.m_bDeleteLink ? QString() : LinkAddressFromDialog(dialog.m_strResultURL);
    ApplyLinkToSelection(link, url, dialog.m_strTargetFrame, dialog.m_bRemoveUnderline != 0, view);
}

} // namespace mainframewebobjects_detail

using engine::Element;
using engine::Ref;

void CMainFrame::OnInsertWebBoard()
{
    mainframewebobjects_detail::RunServiceLink<VornaDialogWebBoard>(this, GetActiveView(), kBoardLink,
                                                                    QStringLiteral("*.brd"));
}

void CMainFrame::OnInsertGuestBook()
{
    mainframewebobjects_detail::RunServiceLink<VornaDialogGuestBook>(this, GetActiveView(), kGuestBookLink,
                                                                     QStringLiteral("*.vst"));
}

void CMainFrame::OnInsertCounter()
{
    // 1. A page.
    if (!GetActiveView())
        return;
    // 2. The dialog, for a new image counter of the service.
    VornaDialogWebCounter dialog(this);
    dialog.m_bEditMode = false;
    dialog.m_bUseService = 1;
    dialog.m_nKind = 0;
    dialog.m_strResultURL.clear();
    dialog.m_strHtml.clear();
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 3. The service's counter image, or the pasted counter as an image or
    // a Flash object, waits for the click that places it. Differs from
    // arming a counter without an address: a service counter needs one.
    if (dialog.m_bUseService && !dialog.m_strResultURL.isEmpty() && EnsureWebServiceUserId()) {
        m_strInsertImageSrc = dialog.m_strResultURL;
        RunInsertForPageView(QString(), true);
    } else if (!dialog.m_strHtml.isEmpty()) {
        if (dialog.m_nKind == 1) {
            m_strInsertMediaSrc = dialog.m_strHtml;
            m_nInsertMediaType = 4;
            RunInsertMedia();
        } else {
            m_strInsertImageSrc = dialog.m_strHtml;
            RunInsertForPageView(QString(), true);
        }
    }
}

void CMainFrame::OnCounterProperties()
{
    CZQView* view = GetActiveView();
    // 1. A selected IMG (an image counter) or EMBED (a Flash counter) and its
    // address on the web.
    Ref<Element> counter;
    if (!view || GetPageSelection(&counter, nullptr, nullptr, view) != S_OK || !counter)
        return;
    int kind = -1;
    if (counter->hasTag(QLatin1String("IMG")))
        kind = 0;
    else if (counter->hasTag(QLatin1String("EMBED")))
        kind = 1;
    const engine::Variant src = counter->getAttribute(QStringLiteral("src"));
    const QString address = src.isString() && src.toString().contains(QLatin1String("HTTP"), Qt::CaseInsensitive)
                                ? src.toString()
                                : QString();
    // 2. Nothing else is a counter.
    if (kind < 0 || address.isEmpty())
        return;
    // 3. The dialog, changing this counter.
    VornaDialogWebCounter dialog(this);
    dialog.m_bEditMode = true;
    dialog.m_nKind = kind;
    dialog.m_strResultURL = address;
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 4. No address: the counter goes; else its new address.
    if (dialog.m_strResultURL.isEmpty())
        view->ExecCommand(engine::CommandGroup::Delete);
    else
        counter->setAttribute(QStringLiteral("src"), dialog.m_strResultURL);
    if (CImpIDispatch* sink = view->GetSink())
        sink->UpdateSelectionState();
}
