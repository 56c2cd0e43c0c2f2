#pragma once

#include "engine/dom/Ref.h"

#include <QString>
#include <vector>

namespace engine {

class Document;
class Element;
class MarkupContainer;
class MarkupPointer;
class Node;
class TextRange;

// Changes of the tree between markup pointers. Ranges that cut through
// elements are split the way DOM range operations split them: the part of
// a cut element inside the range is a shallow copy holding that part.
// Each call is one undo step unless it runs inside an undo unit.
class MarkupServices
{
public:
    // Removes what lies between the pointers.
    static bool remove(const MarkupPointer& start, const MarkupPointer& end);
    // Inserts a copy of what lies between start and end at the target.
    static bool copy(const MarkupPointer& start, const MarkupPointer& end, const MarkupPointer& target);
    // Moves what lies between start and end to the target.
    static bool move(const MarkupPointer& start, const MarkupPointer& end, const MarkupPointer& target);
    // Puts `el` around what lies between the pointers (empty when they are
    // equal). `el` must have no parent.
    static bool insertElement(Element* el, const MarkupPointer& start, const MarkupPointer& end);
    // Removes the element's tags and keeps its content in place. Fails and
    // changes nothing for an element without a parent.
    static bool removeElement(Element* el);
    // A new element with the attributes written as inside a start tag
    // ("src=a.gif width=10"); null for an empty tag name.
    static Ref<Element> createElement(Document* doc, const QString& tag, const QString& attributes);
    // Parses HTML into a new container owned by `doc`; `start`/`end` are set
    // around the HTML element when the text begins with a DOCTYPE or <HTML,
    // else around the body content.
    static MarkupContainer* parseString(Document* doc, const QString& html, MarkupPointer* start, MarkupPointer* end);

    // Conversion between text ranges and pointer pairs.
    static bool movePointersToRange(const TextRange& range, MarkupPointer* start, MarkupPointer* end);
    static bool moveRangeToPointers(const MarkupPointer& start, const MarkupPointer& end, TextRange* range);

    // --- the primitives behind them (places as node and offset)
    static std::vector<Ref<Node>> extractContents(Node* sn, int so, Node* en, int eo);
    static std::vector<Ref<Node>> cloneContents(Node* sn, int so, Node* en, int eo);
    // Inserts nodes at a place, splitting a text node when the place is
    // inside it. Returns the place after the inserted nodes.
    static void insertNodes(Node* node, int offset, const std::vector<Ref<Node>>& nodes, Node** endNode = nullptr,
                            int* endOffset = nullptr);
    // Splits `el` at a place inside it: `el` keeps what lies before, the
    // returned copy (inserted after `el`) holds what lies after.
    static Ref<Element> splitElement(Element* el, Node* node, int offset);

private:
    static std::vector<Ref<Node>> contents(Node* sn, int so, Node* en, int eo, bool extract);
};

} // namespace engine
