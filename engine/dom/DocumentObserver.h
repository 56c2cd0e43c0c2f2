#pragma once

#include <QString>

namespace engine {

class Document;
class Element;
class Node;
class Text;

// Told of every change of a document's tree, after it happened (the layout
// follows the page through it). Observers never change the tree.
class DocumentObserver
{
public:
    virtual ~DocumentObserver() = default;
    virtual void nodeInserted(Node* /*parent*/, Node* /*child*/) {}
    virtual void nodeRemoved(Node* /*parent*/, Node* /*child*/) {}
    // Children of `from` were moved to the end of `to`'s, all at once (see
    // Node::moveChildrenTo).
    virtual void childrenMoved(Node* /*from*/, Node* /*to*/) {}
    virtual void attributeChanged(Element* /*element*/, const QString& /*name*/) {}
    virtual void styleChanged(Element* /*element*/) {}
    virtual void textChanged(Text* /*text*/) {}
    // The whole tree was replaced (a load).
    virtual void documentReplaced(Document* /*doc*/) {}
    // A load completed (after the load call returned); changes made here
    // belong to the load.
    virtual void pageLoaded(Document* /*doc*/) {}
};

} // namespace engine
