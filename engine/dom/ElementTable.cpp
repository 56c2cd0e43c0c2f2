// The table object model of Element: rows, cells, captions.
#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

namespace engine {

namespace table_detail {
bool isSection(const Element* e)
{
    return e->hasTag(QLatin1String("TBODY")) || e->hasTag(QLatin1String("THEAD")) || e->hasTag(QLatin1String("TFOOT"));
}
bool isCell(const Element* e)
{
    return e->hasTag(QLatin1String("TD")) || e->hasTag(QLatin1String("TH"));
}
} // namespace table_detail

Element* Element::ownerTable() const
{
    for (Node* n = parentNode(); n; n = n->parentNode())
        if (Element* e = n->asElement())
            if (e->hasTag(QLatin1String("TABLE")))
                return e;
    return nullptr;
}

ElementCollection Element::rows() const
{
    if (!hasTag(QLatin1String("TABLE")) && !table_detail::isSection(this))
        return ElementCollection();
    const Element* table = this;
    return ElementCollection(
        const_cast<Element*>(this), ElementCollection::Scope::Descendants,
        [](const Element* e) { return e->hasTag(QLatin1String("TR")); },
        [table](const Element* e) { return table_detail::isSection(e) && e->parentNode() == table; });
}

ElementCollection Element::cells() const
{
    if (hasTag(QLatin1String("TR")))
        return ElementCollection(const_cast<Element*>(this), ElementCollection::Scope::Children,
                                 [](const Element* e) { return table_detail::isCell(e); });
    if (!hasTag(QLatin1String("TABLE")))
        return ElementCollection();
    const Element* table = this;
    return ElementCollection(
        const_cast<Element*>(this), ElementCollection::Scope::Descendants,
        [](const Element* e) { return table_detail::isCell(e); },
        [table](const Element* e) {
            if (table_detail::isSection(e))
                return e->parentNode() == table;
            if (e->hasTag(QLatin1String("TR"))) {
                const Node* p = e->parentNode();
                return p == table || (p && p->parentNode() == table);
            }
            return false;
        });
}

Element* Element::insertRow(int index)
{
    if (!hasTag(QLatin1String("TABLE")) && !table_detail::isSection(this))
        return nullptr;
    ElementCollection list = rows();
    const int n = list.length();
    if (index < -1 || index > n)
        return nullptr;
    Ref<Element> tr = document()->createElement(QStringLiteral("TR"));
    UndoUnit unit(document());
    if (n == 0) {
        Element* section = table_detail::isSection(this) ? this : nullptr;
        if (!section) {
            for (Node* c = firstChild(); c && !section; c = c->nextSibling())
                if (Element* e = c->asElement(); e && e->hasTag(QLatin1String("TBODY")))
                    section = e;
        }
        if (!section) {
            Ref<Element> tbody = document()->createElement(QStringLiteral("TBODY"));
            insertChildAt(childCount(), tbody);
            section = tbody.get();
        }
        section->insertChildAt(section->childCount(), tr);
    } else if (index == -1 || index == n) {
        Element* last = list.item(n - 1);
        last->parentNode()->insertChildAt(last->indexInParent() + 1, tr);
    } else {
        Element* at = list.item(index);
        at->parentNode()->insertChildAt(at->indexInParent(), tr);
    }
    return tr.get();
}

void Element::deleteRow(int index)
{
    ElementCollection list = rows();
    if (index == -1)
        index = list.length() - 1;
    if (Element* tr = list.item(index)) {
        UndoUnit unit(document());
        tr->parentNode()->removeChildAt(tr->indexInParent());
    }
}

Element* Element::caption() const
{
    if (!hasTag(QLatin1String("TABLE")))
        return nullptr;
    for (Node* c = firstChild(); c; c = c->nextSibling())
        if (Element* e = c->asElement(); e && e->hasTag(QLatin1String("CAPTION")))
            return e;
    return nullptr;
}

Element* Element::createCaption()
{
    if (!hasTag(QLatin1String("TABLE")))
        return nullptr;
    if (Element* c = caption())
        return c;
    Ref<Element> cap = document()->createElement(QStringLiteral("CAPTION"));
    UndoUnit unit(document());
    insertChildAt(0, cap);
    return cap.get();
}

void Element::deleteCaption()
{
    if (Element* c = caption()) {
        UndoUnit unit(document());
        removeChildAt(c->indexInParent());
    }
}

int Element::rowIndex() const
{
    if (!hasTag(QLatin1String("TR")))
        return -1;
    Element* table = ownerTable();
    if (!table)
        return -1;
    ElementCollection list = table->rows();
    for (int i = 0; i < list.length(); ++i)
        if (list.item(i) == this)
            return i;
    return -1;
}

Element* Element::insertCell(int index)
{
    if (!hasTag(QLatin1String("TR")))
        return nullptr;
    ElementCollection list = cells();
    const int n = list.length();
    if (index < -1 || index > n)
        return nullptr;
    Ref<Element> td = document()->createElement(QStringLiteral("TD"));
    UndoUnit unit(document());
    if (index == -1 || index == n) {
        Element* last = list.item(n - 1);
        insertChildAt(last ? last->indexInParent() + 1 : childCount(), td);
    } else {
        insertChildAt(list.item(index)->indexInParent(), td);
    }
    return td.get();
}

void Element::deleteCell(int index)
{
    ElementCollection list = cells();
    if (index == -1)
        index = list.length() - 1;
    if (Element* td = list.item(index)) {
        UndoUnit unit(document());
        removeChildAt(td->indexInParent());
    }
}

int Element::cellIndex() const
{
    if (!table_detail::isCell(this))
        return -1;
    Element* tr = parentElement();
    if (!tr || !tr->hasTag(QLatin1String("TR")))
        return -1;
    ElementCollection list = tr->cells();
    for (int i = 0; i < list.length(); ++i)
        if (list.item(i) == this)
            return i;
    return -1;
}

} // namespace engine
