#include "app/PageContextMenu.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/MenuResource.h"
#include "editor/CImpIDispatch.h"
#include "util/PageDom.h"
#include "util/StringResources.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QMenu>

namespace pagecontextmenu_detail {

// The string of each entry the menu builds.
struct EntryText
{
    int id;
    unsigned stringId;
};
constexpr EntryText kEntryTexts[] = {
    {33464, 41810}, {33465, 41809}, {33466, 41812}, {33467, 41811}, {33141, 41581}, {33343, 41584}, {33241, 41591},
    {33301, 41814}, {33146, 57684}, {33230, 41590}, {33234, 41633}, {33235, 41586}, {33236, 41634}, {33232, 41585},
    {33237, 41587}, {33238, 41635}, {33273, 41588}, {33272, 41648}, {33239, 41589}, {33143, 41556}, {33303, 41772},
    {33333, 41840}, {33332, 41839}, {33477, 57746}, {33135, 41579}, {33403, 41636}, {33405, 41637}, {33225, 41623},
    {33226, 41624}, {33362, 41867}, {33361, 41868}, {32913, 41718}, {32912, 41719}, {33351, 41721}, {33277, 41720},
    {33278, 41722}, {33224, 41625}};

class MenuBuilder
{
public:
    explicit MenuBuilder(QList<PageMenuEntry>& entries) : m_entries(entries) {}
    void separator() { m_entries.append(PageMenuEntry{}); }
    void add(int id)
    {
        for (const EntryText& entry : kEntryTexts) {
            if (entry.id == id) {
                m_entries.append(PageMenuEntry{id, LoadResString(entry.stringId)});
                return;
            }
        }
        Q_ASSERT(false);
    }
    void add(std::initializer_list<int> ids)
    {
        for (int id : ids)
            add(id);
    }

private:
    QList<PageMenuEntry>& m_entries;
};

// The first popup of menu 205.
void addMenuResource(QList<PageMenuEntry>& entries)
{
    const QList<MenuNode> menu = MenuResource::load(205);
    if (menu.isEmpty())
        return;
    for (const MenuNode& node : menu.first().children) {
        if (node.kind == MenuNode::Separator)
            entries.append(PageMenuEntry{});
        else if (node.kind == MenuNode::Command)
            entries.append(PageMenuEntry{node.id, node.text});
    }
}

} // namespace pagecontextmenu_detail

QList<PageMenuEntry> BuildPageContextMenu(const QString& tag, quint32 m, bool onBody, bool frameset, bool flowTextRange)
{
    QList<PageMenuEntry> entries;
    pagecontextmenu_detail::MenuBuilder menu(entries);
    const auto has = [m](quint32 bits) { return (m & bits) != 0; };
    // The link entries: the link kind of the selection, else all three.
    const auto linkEntries = [&] {
        menu.separator();
        if (has(0x20))
            menu.add(33135);
        else if (has(0x40))
            menu.add(33403);
        else if (has(0x80))
            menu.add(33405);
        else
            menu.add({33135, 33403, 33405});
    };

    // 1. The base: the page background's menu, else the clipboard entries.
    if (tag.compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0)
        pagecontextmenu_detail::addMenuResource(entries);
    else
        menu.add({33464, 33465, 33466, 33467});

    // 3. Several objects selected: the properties of their kind and the outlines.
    if (has(0x400)) {
        const std::pair<quint32, int> kinds[] = {{0x2000, 33141}, {0x800000, 33343}, {0x8000, 33241}, {0x4000, 33301}};
        for (auto [bit, id] : kinds) {
            if (has(bit)) {
                menu.separator();
                menu.add(id);
                break;
            }
        }
        menu.separator();
        menu.add(33224);
        return entries;
    }
    // 4.1 Text: the font (and a marquee's properties).
    if (has(0x1 | 0x2 | 0x4 | 0x10 | 0x1000 | 0x2000000 | 0x8000000 | kSelFlowText)) {
        menu.separator();
        if (has(0x2000000))
            menu.add(33146);
        menu.add(33301);
    }
    // 4.2 A table: its properties, and the cell entries or the merge.
    if (has(0x10) && !has(0x1)) {
        menu.separator();
        menu.add(33241);
        if (!has(0x1000)) {
            if (!has(0x1) && has(0x20000) && !has(0x200000)) {
                menu.add(33230);
                menu.separator();
                menu.add({33234, 33235, 33236, 33232, 33237, 33238, 33273, 33272});
            }
        } else {
            menu.add(33239);
        }
    }
    // 4.3 A rule.
    if (has(0x400000)) {
        menu.separator();
        menu.add(33343);
    }
    // 4.4 What can carry a link: a counter, a roll-over image, an image;
    // text selected in a box, a table, a marquee or the page's flow.
    const bool flowRange = has(kSelFlowText) && flowTextRange;
    if (has(0x8) || (has(0x2) && !has(0x4) && !has(0x40000)) || (has(0x10) && has(0x1)) || has(0x2000000) ||
        (has(0x8000000) && !has(0x10000000)) || flowRange) {
        if (has(0x100)) {
            menu.separator();
            menu.add(33143);
        } else if (has(0x100000)) {
            menu.separator();
            menu.add({33303, 33333});
        } else if (has(0x8)) {
            menu.separator();
            menu.add({33141, 33332, 33477});
        }
        linkEntries();
    }
    // 4.5 A link in a text: the caret in a box, a marquee or the page's flow.
    if (has(0x40000 | 0x10000000) || (has(kSelFlowText) && !flowRange)) {
        const std::pair<quint32, int> links[] = {{0x20, 33135}, {0x40, 33403}, {0x80, 33405}};
        for (auto [bit, id] : links) {
            if (has(bit)) {
                menu.separator();
                menu.add(id);
                break;
            }
        }
    }
    // 4.6-4.7 The stacking order of a positioned object.
    menu.separator();
    if (!has(0x1 | 0x200 | 0x1000 | 0x20000 | 0x40000 | 0x80000 | 0x8000000 | kSelFlowText))
        menu.add({33225, 33226, 33362, 33361});
    // 4.8 The frame entries on a frameset page's background.
    if (onBody && frameset) {
        menu.separator();
        menu.add({32913, 32912, 33351, 33277, 33278});
        menu.separator();
    }
    // 4.9
    menu.add(33224);
    return entries;
}

void CZQView::ShowContextMenu(const QString& tag, int x, int y)
{
    // 2. The selection as it is now.
    if (m_pSink)
        m_pSink->UpdateSelectionState();
    CChildFrame* child = GetParentFrame();
    // The page asks for its menu after the click's own events: the element
    // it names (the BODY where no other is) is the one under the mouse.
    const bool onBody =
        tag.compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0 || (m_pSink && m_pSink->IsOnBodyElement());
    const QList<PageMenuEntry> entries =
        BuildPageContextMenu(tag, m_dwSelKind, onBody, child && child->HasFrameset(), HasFlowTextRange(this));
    // 4.8 On the page background the selection goes; the entries of what
    // was selected stay in the menu, enabled as the commands now are.
    if (onBody) {
        if (engine::Document* doc = GetHtmlDocument())
            doc->selection().empty();
        if (m_pSink)
            m_pSink->UpdateSelectionState();
    }
    // 5. Each entry as its update handler enables it; the choice runs as a
    // command of the main frame.
    platform::CommandRegistry* commands = CZQApp::instance() ? CZQApp::instance()->commands() : nullptr;
    if (!commands)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("pageContextMenu"));
    for (const PageMenuEntry& entry : entries) {
        if (entry.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(entry.text);
        action->setData(entry.id);
        action->setEnabled(commands->updateCommand(entry.id));
        action->setCheckable(commands->action(entry.id)->isCheckable());
        action->setChecked(commands->action(entry.id)->isChecked());
    }
    const QAction* chosen = menu.exec(QPoint(x, y));
    if (chosen)
        commands->sendCommand(chosen->data().toInt());
}
