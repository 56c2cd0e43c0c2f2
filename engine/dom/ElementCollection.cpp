#include "engine/dom/ElementCollection.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

namespace engine {

struct ElementCollection::Data
{
    Ref<Node> root;
    Scope scope = Scope::Children;
    Filter filter;
    std::function<bool(const Element*)> descend;
    mutable quint64 version = ~quint64(0);
    mutable std::vector<Element*> items;
};

ElementCollection::ElementCollection() : d(std::make_shared<Data>()) {}

ElementCollection::ElementCollection(Node* root, Scope scope, Filter filter,
                                     std::function<bool(const Element*)> descend)
    : d(std::make_shared<Data>())
{
    d->root = root;
    d->scope = scope;
    d->filter = std::move(filter);
    d->descend = std::move(descend);
}

ElementCollection::ElementCollection(const ElementCollection&) = default;
ElementCollection& ElementCollection::operator=(const ElementCollection&) = default;
ElementCollection::~ElementCollection() = default;

const std::vector<Element*>& ElementCollection::items() const
{
    if (!d->root) {
        d->items.clear();
        return d->items;
    }
    const quint64 v = d->root->document()->version();
    if (v == d->version)
        return d->items;
    d->version = v;
    d->items.clear();
    const Node* root = d->root.get();
    if (d->scope == Scope::Children) {
        for (const auto& c : root->childNodes()) {
            Element* e = c->asElement();
            if (e && !e->isComment() && (!d->filter || d->filter(e)))
                d->items.push_back(e);
        }
        return d->items;
    }
    Node* n = root->firstChild();
    while (n) {
        Element* e = n->asElement();
        if (e && (!d->filter || d->filter(e)))
            d->items.push_back(e);
        if (e && d->descend && !d->descend(e))
            n = n->nextSkippingChildren(root);
        else
            n = n->nextInTree(root);
    }
    return d->items;
}

int ElementCollection::length() const
{
    return int(items().size());
}

Element* ElementCollection::item(int index) const
{
    const auto& v = items();
    return index >= 0 && index < int(v.size()) ? v[size_t(index)] : nullptr;
}

Element* ElementCollection::namedItem(const QString& name) const
{
    for (Element* e : items())
        if (e->getAttributeText(QStringLiteral("id")) == name || e->getAttributeText(QStringLiteral("name")) == name)
            return e;
    return nullptr;
}

std::vector<Ref<Element>> ElementCollection::toVector() const
{
    const auto& v = items();
    return std::vector<Ref<Element>>(v.begin(), v.end());
}

ElementCollection ElementCollection::byTag(Node* root, const QString& tag)
{
    if (tag.isEmpty() || tag == QLatin1String("*"))
        return ElementCollection(root, Scope::Descendants, [](const Element* e) { return !e->isComment(); });
    return ElementCollection(root, Scope::Descendants, [tag](const Element* e) { return e->hasTag(tag); });
}

} // namespace engine
