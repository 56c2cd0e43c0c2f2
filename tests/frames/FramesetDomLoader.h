#pragma once

#include "FrameFakes.h"

#include "engine/dom/Document.h"
#include "engine/html/HtmlParser.h"

// Loads a frameset page into a frame tree the way the child frame's frameset
// loader does: the page is parsed by the engine, and one node is made per
// FRAMESET and FRAME element in document order, each FRAMESET with its number
// of FRAME and FRAMESET children, its split and list, each child with its
// entry of the list.
class FramesetDomLoader
{
public:
    static void load(const QString& text, FakeHost& host)
    {
        engine::Ref<engine::Document> doc = engine::Document::create();
        engine::HtmlParser::parseDocumentInto(doc.get(), text);
        const engine::ElementCollection all = doc->all();
        for (int i = 0; i < all.length(); ++i)
            add(all.item(i), host);
    }

private:
    static bool isKind(const engine::Element* e, const char* tag)
    {
        return e->tagName().compare(QLatin1String(tag), Qt::CaseInsensitive) == 0;
    }

    static void add(const engine::Element* e, FakeHost& host)
    {
        const bool frameset = isKind(e, "FRAMESET");
        if (!frameset && !isKind(e, "FRAME"))
            return;
        auto node = std::make_unique<VornaFrameSet>();
        if (e->hasAttribute("border"))
            node->SetBorder(e->getAttributeText("border").toInt());
        if (frameset) {
            node->SetKind("FRAMESET");
            const engine::ElementCollection children = e->children();
            for (int i = 0; i < children.length(); ++i) {
                if (isKind(children.item(i), "FRAME") || isKind(children.item(i), "FRAMESET"))
                    ++node->m_nChildCount;
            }
            const QString cols = e->getAttributeText("cols").remove(' ');
            const QString rows = e->getAttributeText("rows").remove(' ');
            const bool byCols = cols.contains(',');
            node->m_strSplit = byCols ? "cols" : "rows";
            node->m_strSizes = byCols ? cols : rows;
            if (e->hasAttribute("framespacing"))
                node->SetFrameSpacing(e->getAttributeText("framespacing").toInt());
        } else {
            node->SetKind("FRAME");
            node->SetSrc(e->getAttributeText("src"));
            node->SetTarget(e->getAttributeText("target"));
            node->SetScrolling(e->getAttributeText("scrolling"));
            if (!e->getAttributeText("name").isEmpty())
                node->SetName(e->getAttributeText("name"));
            node->SetNoResize(e->hasAttribute("noresize"));
        }
        VornaFrameSet* added = AddFrameTreeNode(std::move(node), &host);
        if (added && added->m_pParent) {
            int index = 0;
            for (VornaFrameSet* s = added->m_pPrev; s; s = s->m_pPrev)
                ++index;
            const QString size = GetListItem(added->m_pParent->m_strSizes, index).remove(' ');
            added->m_strSize = size.isEmpty() ? QString("*") : size;
        }
    }
};
