#pragma once

#include "engine/dom/LivePosition.h"
#include "engine/dom/Ref.h"
#include "engine/editing/TextRange.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace engine {

class Document;
class Element;
class Node;

// The selection of a document: none (a caret or nothing), a text range or a
// control range of elements.
class Selection
{
public:
    enum class Type { None, Text, Control };

    explicit Selection(Document* doc);
    ~Selection();

    Type type() const;
    // "None", "Text" or "Control".
    QString typeText() const;

    // Places a caret (a collapsed text range).
    void collapseAt(Node* node, int offset);
    // Selects the text between two positions (a caret when they are equal).
    void setTextRange(Node* startNode, int startOffset, Node* endNode, int endOffset);
    void setControlRange(const std::vector<Ref<Element>>& elements);
    // Nothing selected: a caret directly in BODY.
    void empty();

    // The selected text range (a caret when the type is "None"), or the
    // selected elements.
    TextRange createRange() const;
    ControlRange createControlRange() const;

    const LivePosition& start() const { return m_start; }
    const LivePosition& end() const { return m_end; }
    std::vector<Ref<Element>> controlElements() const;
    bool isCollapsed() const { return m_start.compare(m_end) == 0; }

    // Change notification: fired once per real change of the selection,
    // when `flushChange()` runs (after the event that caused it, or when
    // control returns to the event loop for a change made outside events).
    void setChangeHandler(std::function<void()> handler) { m_handler = std::move(handler); }
    void flushChange();
    // Asks for onselectionchange even when nothing changed (a press on BODY).
    void forceChangeNotification();

    // Called before a node leaves the tree (a control-selected element that
    // does not come back leaves the control range).
    void nodeWillBeRemoved(Node* node);

private:
    struct State;
    State snapshot() const;
    void changed();

    Document* m_doc;
    bool m_control = false;
    LivePosition m_start, m_end;
    std::vector<Ref<Element>> m_controls;
    std::function<void()> m_handler;
    std::shared_ptr<bool> m_alive;
    std::unique_ptr<State> m_lastNotified;
    bool m_flushQueued = false;
    bool m_force = false;
};

} // namespace engine
