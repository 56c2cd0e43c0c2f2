#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/HyperlinkSelection.h"
#include "dialogs/VornaDialogHyperlink.h"
#include "editor/CImpIDispatch.h"
#include "res/resource.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

#include "platform/ModalRunner.h"

namespace mainframelink_detail {

using engine::Element;
using engine::Ref;

// The image-map area the link command works on: the AREA under the point of
// the page event under way (the popup of an area). Without an event under
// way, the AREA under the page's last press when it is the area the
// image-map editor holds selected (an area picked on its image, then the
// command); else none, and the selection is linked.
Ref<Element> AreaAtEventPoint(CZQView* view)
{
    CImpIDispatch* sink = view->GetSink();
    if (!sink)
        return nullptr;
    QPoint point;
    const bool duringEvent = sink->GetEventPoint(point) == S_OK;
    if (!duringEvent)
        point = sink->m_ptMouseDown;
    Ref<Element> element;
    if (sink->GetElementFromPoint(point, element) != S_OK || !element->hasTag(QLatin1String("AREA")))
        return nullptr;
    if (duringEvent || element == sink->m_pSelectedArea)
        return element;
    const QString id = element->id();
    if (!id.isEmpty() && id.compare(view->m_strSelectedAreaId, Qt::CaseInsensitive) == 0)
        return element;
    return nullptr;
}

// The removal of an area's link takes the area out of its image's map (the
// map and the usemap with its last area) and selects the image again.
void RemoveAreaOfImageMap(CZQView* view, Element* area)
{
    CImpIDispatch* sink = view->GetSink();
    Ref<Element> image;
    if (!sink || !area)
        return;
    sink->GetImageOfArea(area, image);
    if (!image)
        return;
    // Differs from going by the area the image-map editor has selected: the
    // area the command found goes, by its id, or as the editor's selected
    // area when it has none.
    const QString id = area->id();
    if (id.isEmpty() && sink->m_pSelectedArea.get() != area)
        return;
    sink->RemoveImageMapOfImage(image.get(), id);
    sink->SelectControlElement(image.get());
}

} // namespace mainframelink_detail

using engine::Element;
using engine::Ref;

void CMainFrame::AddLinkCommands()
{
    onCommand(ID_INSERT_HYPERLINK, [this] { OnInsertHyperlink(); });
    onCommand(ID_LINK_PROPERTIES, [this] { OnLinkProperties(); });
    onCommand(ID_INSERT_WEB_BOARD, [this] { OnInsertWebBoard(); });
    onCommand(ID_BOARD_LINK_PROPERTIES, [this] { OnInsertWebBoard(); });
    onCommand(ID_INSERT_GUEST_BOOK, [this] { OnInsertGuestBook(); });
    onCommand(ID_GUEST_BOOK_LINK_PROPERTIES, [this] { OnInsertGuestBook(); });
    onCommand(ID_INSERT_COUNTER, [this] { OnInsertCounter(); });
    onCommand(ID_COUNTER_PROPERTIES, [this] { OnCounterProperties(); });
}

void CMainFrame::OnLinkProperties()
{
    OnInsertHyperlink();
}

void CMainFrame::OnInsertHyperlink()
{
    using namespace mainframelink_detail;
    // 1. A page.
    CZQView* view = GetActiveView();
    if (!view || !view->GetHtmlDocument())
        return;
    // 2. An image-map area under the popup's point; else the selection.
    SelectionLink link;
    link.element = AreaAtEventPoint(view);
    // 3. What the selection links, and its plain link.
    const bool found = GetSelectionLink(link, kPlainLink, view);
    if (!link.element)
        return;
    // 4. The dialog.
    VornaDialogHyperlink dialog(this);
    dialog.m_strTarget = link.target;
    CZQDoc* doc = view->GetDocument();
    dialog.m_bPageInWeb = doc && IsPageInWeb(doc->GetDisplayName());
    if (link.element->hasTag(QLatin1String("IMG")) || link.element->hasTag(QLatin1String("AREA")))
        dialog.m_bEnableRemoveUnderline = false;
    if (found) {
        dialog.m_strURL = link.href;
        dialog.m_bEditLink = true;
        if (!LinkHtmlHasNoUnderline(link.linkHtml))
            dialog.m_bRemoveUnderline = 0;
    }
    if (dialog.DoModal() != platform::IDOK)
        return;
    // 5. Removed, or the new address.
    QString url;
    if (dialog.m_bDeleteLink) {
        if (link.selectionKind == kLinkArea)
            RemoveAreaOfImageMap(view, link.element.get());
    } else {
        url = LinkAddressFromDialog(dialog.m_strURL);
    }
    ApplyLinkToSelection(link, url, dialog.m_strTargetFrame, dialog.m_bRemoveUnderline != 0, view);
}
