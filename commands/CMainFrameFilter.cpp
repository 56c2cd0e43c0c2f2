#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/ImageFilterText.h"
#include "commands/SinkUndoUnit.h"
#include "chrome/ULOToolBar.h"
#include "dialogs/VornaDialogImgCssComplex.h"
#include "images/VornaDlgImageBrowser.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"

#include <optional>

// The image effects: one-click filters on the selected images, the blur steps, the mirrors and the restore of the
// image toolbar, and the filter list of the image effects dialog written to the selection.

namespace mainframefilter_detail {

// The selected controls of the active page, in order; none without a control selection.
std::vector<engine::Ref<engine::Element>> selectedControls(CZQView* view)
{
    std::optional<engine::ControlRange> range;
    if (!view || GetPageSelection(nullptr, &range, nullptr, view) != S_OK || !range)
        return {};
    return range->elements();
}

// The screen rectangle of the image toolbar's effects button; null when the bar does not show it.
QRect effectsButtonRect(CMainFrame& frame, platform::CommandRegistry& registry)
{
    ULOToolBar* bar = frame.toolBar(606);
    QWidget* button = bar ? bar->widgetForAction(registry.action(33323)) : nullptr;
    if (!button || !button->isVisible())
        return {};
    return QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
}

void markChanged(CZQView* view)
{
    if (CZQDoc* doc = view->GetDocument())
        doc->m_bPageChanged = true;
}

constexpr unsigned kOneClickEffects[] = {33312, 33313, 33314, 33315, 33316, 33317, 33319, 1410, 1411};

} // namespace mainframefilter_detail

void CMainFrame::AddFilterCommands()
{
    for (unsigned id : mainframefilter_detail::kOneClickEffects)
        onCommand(int(id), [this, id] { ApplyImageFilter(id, ImageFilterCall(id)); });
    onCommand(33318, [this] { OnImageFilterRestore(); });
    onCommand(33321, [this] { OnImageFilterNone(); });
    onCommand(33323, [this] { OnImageEffectsDialog(); });
    onCommand(33432, [this] { m_registry.sendCommand(33323); });
    // The image bookmarks menu belongs to the image browser.
    onCommand(33367, [this] {
        if (m_pImageBrowser)
            m_pImageBrowser->OnManageBookmarks();
    });
    for (unsigned id = 162; id <= 181; ++id) {
        onCommand(int(id), [this, id] {
            if (m_pImageBrowser)
                m_pImageBrowser->OpenBookmark(id);
        });
    }
    for (int id = 33312; id <= 33323; ++id)
        onUpdate(id, [this](platform::CmdUI& ui) { UpdateUIImageCommand(ui); });
    for (int id : {33432, 1410, 1411})
        onUpdate(id, [this](platform::CmdUI& ui) { UpdateUIImageCommand(ui); });
}

void CMainFrame::OnImageFilterRestore()
{
    ApplyImageFilter(0, QString());
}

void CMainFrame::OnImageFilterNone() {}

void CMainFrame::OnImageEffectsDialog()
{
    CZQView* view = GetActiveView();
    const auto elements = mainframefilter_detail::selectedControls(view);
    if (elements.empty() || !elements.front())
        return;
    engine::Element* element = elements.front().get();
    VornaDialogImgCssComplex dialog(this);
    dialog.m_rcButton = mainframefilter_detail::effectsButtonRect(*this, m_registry);
    dialog.m_pElement = element;
    dialog.m_pStyle = &element->style();
    dialog.m_strSrc = element->getAttributeText(QStringLiteral("src"));
    if (dialog.DoModal() != platform::IDOK)
        return;
    QStringList filters{dialog.m_strResult};
    QStringList unused;
    ApplyFilterToSelectedImage(filters, unused);
}

HRESULT CMainFrame::ApplyImageFilter(unsigned commandId, const QString& filterCall)
{
    CZQView* view = GetActiveView();
    std::optional<engine::ControlRange> range;
    if (!view || GetPageSelection(nullptr, &range, nullptr, view) != S_OK)
        return -1;
    if (!range)
        return S_OK;
    // One undo step for all the images; the page counts as changed only by what is written.
    SinkUndoUnit undo(view);
    bool wrote = false;
    for (const engine::Ref<engine::Element>& element : range->elements()) {
        if (!element || !element->hasTag(QLatin1String("IMG")))
            continue;
        engine::Style& style = element->style();
        QString filter = style.filter();
        if (filterCall.isEmpty()) {
            wrote |= !filter.isEmpty();
            style.removeAttribute(QStringLiteral("filter"));
        } else if (NextImageFilterText(commandId, filterCall, filter)) {
            style.setFilter(filter);
            wrote = true;
        }
    }
    if (wrote)
        mainframefilter_detail::markChanged(view);
    return S_OK;
}

HRESULT CMainFrame::ApplyFilterToSelectedImage(QStringList& filterList, QStringList& unused)
{
    CZQView* view = GetActiveView();
    const auto elements = mainframefilter_detail::selectedControls(view);
    if (elements.empty())
        return -1;
    mainframefilter_detail::markChanged(view);
    SinkUndoUnit undo(view);
    for (const engine::Ref<engine::Element>& element : elements)
        SetElementFilterList(element.get(), filterList, unused);
    return S_OK;
}

void CMainFrame::SetElementFilterList(engine::Element* element, QStringList& filterList, QStringList&)
{
    if (element)
        element->style().setFilter(ImageFilterListText(filterList));
}
