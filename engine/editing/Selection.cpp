#include "engine/editing/Selection.h"

#include "engine/dom/Document.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace engine {

struct Selection::State
{
    bool control = false;
    Node* startNode = nullptr;
    int startOffset = 0;
    Node* endNode = nullptr;
    int endOffset = 0;
    std::vector<Element*> controls;
    bool operator==(const State&) const = default;
};

Selection::Selection(Document* doc) : m_doc(doc), m_alive(std::make_shared<bool>(true))
{
    m_lastNotified = std::make_unique<State>(snapshot());
}

Selection::~Selection()
{
    *m_alive = false;
}

Selection::Type Selection::type() const
{
    if (m_control) {
        for (const auto& e : m_controls)
            if (e->isConnected())
                return Type::Control;
        return Type::None;
    }
    return isCollapsed() ? Type::None : Type::Text;
}

QString Selection::typeText() const
{
    switch (type()) {
    case Type::Text:
        return QStringLiteral("Text");
    case Type::Control:
        return QStringLiteral("Control");
    default:
        return QStringLiteral("None");
    }
}

Selection::State Selection::snapshot() const
{
    State s;
    s.control = m_control;
    if (m_control) {
        for (const auto& e : controlElements())
            s.controls.push_back(e.get());
    } else {
        s.startNode = m_start.node();
        s.startOffset = m_start.offset();
        s.endNode = m_end.node();
        s.endOffset = m_end.offset();
    }
    return s;
}

TextRange Selection::createRange() const
{
    if (m_control || !m_start.isSet())
        return TextRange(m_doc);
    return TextRange(m_doc, m_start.node(), m_start.offset(), m_end.node(), m_end.offset());
}

ControlRange Selection::createControlRange() const
{
    return ControlRange(m_doc, controlElements());
}

std::vector<Ref<Element>> Selection::controlElements() const
{
    // Elements that left the page leave the control range; an element moved
    // within the page stays selected.
    std::vector<Ref<Element>> out;
    if (m_control)
        for (const auto& e : m_controls)
            if (e->isConnected())
                out.push_back(e);
    return out;
}

void Selection::collapseAt(Node* node, int offset)
{
    setTextRange(node, offset, node, offset);
}

void Selection::setTextRange(Node* startNode, int startOffset, Node* endNode, int endOffset)
{
    m_control = false;
    m_controls.clear();
    if (LivePosition::compare(startNode, startOffset, endNode, endOffset) > 0) {
        std::swap(startNode, endNode);
        std::swap(startOffset, endOffset);
    }
    m_start.set(startNode, startOffset);
    m_end.set(endNode, endOffset);
    changed();
}

void Selection::setControlRange(const std::vector<Ref<Element>>& elements)
{
    m_control = true;
    m_controls = elements;
    m_start.clear();
    m_end.clear();
    changed();
}

void Selection::empty()
{
    m_control = false;
    m_controls.clear();
    Node* body = m_doc->body();
    m_start.set(body, 0);
    m_end.set(body, 0);
    changed();
}

void Selection::nodeWillBeRemoved(Node* node)
{
    if (!m_control)
        return;
    for (const auto& e : m_controls)
        if (node->containsNode(e.get())) {
            changed();
            return;
        }
}

void Selection::changed()
{
    if (m_flushQueued || !QCoreApplication::instance())
        return;
    m_flushQueued = true;
    std::weak_ptr<bool> alive = m_alive;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, alive]() {
            if (alive.expired() || !*alive.lock())
                return;
            flushChange();
        },
        Qt::QueuedConnection);
}

void Selection::forceChangeNotification()
{
    m_force = true;
    changed();
}

void Selection::flushChange()
{
    m_flushQueued = false;
    State now = snapshot();
    if (!m_force && now == *m_lastNotified)
        return;
    m_force = false;
    *m_lastNotified = std::move(now);
    if (m_handler)
        m_handler();
}

} // namespace engine
