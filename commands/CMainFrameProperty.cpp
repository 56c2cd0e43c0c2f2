// The property commands of the page and its objects, and 設定 > プロパティ,
// which runs the one that fits the selection.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/PropertyDispatch.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"

#include <QAction>

namespace propertycommands_detail {

quint32 selectionOf(const CMainFrame& frame)
{
    const CZQView* view = frame.GetActiveView();
    return view ? view->m_dwSelKind : 0;
}

} // namespace propertycommands_detail

void CMainFrame::AddPropertyCommands()
{
    using platform::CmdUI;
    onCommand(ID_DOCUMENT_PROPERTIES, [this] { OnDocumentProperties(); });
    onCommand(ID_PAGE_ENCODING, [this] { OnPageEncoding(); });
    onCommand(ID_IMAGE_PROPERTIES, [this] { OnImageProperties(); });
    onCommand(ID_MARQUEE_PROPERTIES, [this] { OnMarqueeProperties(); });
    onCommand(ID_RULE_PROPERTIES, [this] { OnRuleProperties(); });
    onCommand(ID_OBJECT_PROPERTIES, [this] { OnObjectProperties(); });
    onCommand(ID_LINK_OBJECT_PROPERTIES, [this] { OnLinkObjectProperties(); });
    onUpdate(ID_OBJECT_PROPERTIES, [this](CmdUI& ui) { OnUpdateObjectProperties(ui); });
    onUpdate(ID_LINK_OBJECT_PROPERTIES, [this](CmdUI& ui) { OnUpdateLinkObjectProperties(ui); });
    onUpdate(ID_MARQUEE_PROPERTIES, [this](CmdUI& ui) { OnUpdateMarqueeProperties(ui); });
    onUpdate(ID_RULE_PROPERTIES, [this](CmdUI& ui) { OnUpdateRuleProperties(ui); });
    // The link item shows only while the selection carries a link.
    m_registry.action(ID_LINK_OBJECT_PROPERTIES)->setVisible(false);
}

void CMainFrame::OnObjectProperties()
{
    if (!GetActiveView())
        return;
    if (const int command = ObjectPropertiesCommand(propertycommands_detail::selectionOf(*this)))
        m_registry.sendCommand(command);
}

void CMainFrame::OnUpdateObjectProperties(platform::CmdUI& ui)
{
    // The item is named after the selection; the link item after it shows
    // the selection's link, once, however often the menu opens.
    const bool editing = GetActiveView() && IsEditMode();
    const quint32 mask = editing ? propertycommands_detail::selectionOf(*this) : 0;
    ui.setText(LoadResString(ObjectPropertiesTextId(mask)));
    QAction* link = m_registry.action(ID_LINK_OBJECT_PROPERTIES);
    const unsigned linkText = LinkObjectPropertiesTextId(mask);
    if (linkText != 0)
        link->setText(LoadResString(linkText));
    link->setVisible(linkText != 0);
    ui.enable(ObjectPropertiesCommand(mask) != 0);
}

void CMainFrame::OnLinkObjectProperties()
{
    if (!GetActiveView())
        return;
    if (const int command = LinkObjectPropertiesCommand(propertycommands_detail::selectionOf(*this)))
        m_registry.sendCommand(command);
}

void CMainFrame::OnUpdateLinkObjectProperties(platform::CmdUI& ui)
{
    ui.enable(GetActiveView() && IsEditMode() &&
              LinkObjectPropertiesCommand(propertycommands_detail::selectionOf(*this)) != 0);
}

void CMainFrame::OnUpdateMarqueeProperties(platform::CmdUI& ui)
{
    ui.enable(GetActiveView() && IsEditMode() &&
              (propertycommands_detail::selectionOf(*this) & (0x2000000 | 0x4000000)));
}

void CMainFrame::OnUpdateRuleProperties(platform::CmdUI& ui)
{
    ui.enable(GetActiveView() && IsEditMode() && (propertycommands_detail::selectionOf(*this) & (0x400000 | 0x800000)));
}
