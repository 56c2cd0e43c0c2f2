#pragma once

#include "engine/dom/Ref.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace engine {

class Element;
class Node;

// A live list of elements: `length()` and `item(i)` reflect the tree at each
// access, so a walk that deletes the item it stands on finds the next one at
// the same index. The list is computed again only after the document changed.
class ElementCollection
{
public:
    using Filter = std::function<bool(const Element*)>;
    enum class Scope {
        Children,    // element children of the root (comments left out)
        Descendants, // all elements below the root in document order
    };

    ElementCollection();
    ElementCollection(Node* root, Scope scope, Filter filter = {}, std::function<bool(const Element*)> descend = {});
    ElementCollection(const ElementCollection&);
    ElementCollection& operator=(const ElementCollection&);
    ~ElementCollection();

    int length() const;
    Element* item(int index) const;
    // The first element whose id or name is `name` (case-sensitive).
    Element* namedItem(const QString& name) const;
    std::vector<Ref<Element>> toVector() const;

    // Collections by tag name (case-blind; "*" or empty for all elements).
    static ElementCollection byTag(Node* root, const QString& tag);

private:
    struct Data;
    const std::vector<Element*>& items() const;
    std::shared_ptr<Data> d;
};

} // namespace engine
