#include "engine/markup/UndoManager.h"

#include "engine/dom/Document.h"
#include "engine/dom/Text.h"

#include <utility>

namespace engine {

void UndoManager::beginUnit()
{
    if (m_replaying)
        return;
    if (m_depth++ == 0) {
        m_current = Step{};
        m_current.before = currentPlace();
    }
}

UndoManager::Place UndoManager::currentPlace() const
{
    if (!m_currentPlace)
        return {};
    const auto [node, offset] = m_currentPlace();
    // (The document holds its history: a place in the document node itself
    // would hold the document for good.)
    if (!node || node == m_doc)
        return {};
    return {Ref<Node>(node), offset};
}

bool UndoManager::stands(const Place& place)
{
    if (!place.node || !place.node->isConnected() || place.offset < 0)
        return false;
    const Text* text = place.node->asText();
    return place.offset <= (text ? text->length() : place.node->childCount());
}

void UndoManager::endUnit()
{
    if (m_replaying || m_depth == 0)
        return;
    if (--m_depth > 0)
        return;
    Step step = std::move(m_current);
    m_current = Step{};
    if (step.records.empty())
        return;
    step.after = currentPlace();
    m_redo.clear();
    if (step.typing && !m_undo.empty() && mergeTyping(m_undo.back(), step)) {
        m_undo.back().after = step.after;
        return;
    }
    m_undo.push_back(std::move(step));
}

bool UndoManager::mergeTyping(Step& prev, const Step& next)
{
    if (!prev.typing || prev.records.empty() || next.records.size() != 1)
        return false;
    UndoRecord& a = prev.records.back();
    const UndoRecord& b = next.records.front();
    if (a.kind != UndoRecord::Kind::Text || b.kind != UndoRecord::Kind::Text || a.target != b.target ||
        a.index + a.inserted.size() != b.index)
        return false;
    // What the next one typed over (overwrite typing) follows what this one did.
    a.removed += b.removed;
    a.inserted += b.inserted;
    return true;
}

void UndoManager::record(UndoRecord&& r)
{
    if (m_replaying)
        return;
    // The document owns its history: a change of its own children must not
    // keep it alive, or it would never be freed.
    if (r.target.get() == m_doc)
        r.target = nullptr;
    if (m_depth == 0) {
        m_redo.clear();
        Step s;
        s.records.push_back(std::move(r));
        m_undo.push_back(std::move(s));
        return;
    }
    m_current.records.push_back(std::move(r));
}

void UndoManager::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_current = Step{};
    m_depth = 0;
}

bool UndoManager::undo()
{
    return replay(m_undo, m_redo, false);
}
bool UndoManager::redo()
{
    return replay(m_redo, m_undo, true);
}

void UndoManager::closeOpenUnits()
{
    if (m_depth == 0 || m_replaying)
        return;
    m_depth = 1;
    endUnit();
}

bool UndoManager::replay(std::vector<Step>& from, std::vector<Step>& to, bool forward)
{
    if (m_replaying)
        return false;
    // A unit left open (a begin without its end) is closed first.
    closeOpenUnits();
    if (from.empty())
        return false;
    Step step = std::move(from.back());
    from.pop_back();
    m_replaying = true;
    Node* placeNode = nullptr;
    int placeOffset = 0;
    if (forward) {
        for (auto& r : step.records)
            apply(r, true, &placeNode, &placeOffset);
    } else {
        for (auto it = step.records.rbegin(); it != step.records.rend(); ++it)
            apply(*it, false, &placeNode, &placeOffset);
    }
    m_replaying = false;
    Ref<Node> keep = placeNode;
    step.typing = false;
    to.push_back(std::move(step));
    m_doc->setDirty(true);
    // The caret where it stood before the step (undo) or where the step
    // left it (redo); else at the place of the last change.
    const Step& done = to.back();
    if (const Place& place = forward ? done.after : done.before; m_place && stands(place))
        m_place(place.node.get(), place.offset);
    else if (m_place && placeNode && placeNode->isConnected())
        m_place(placeNode, placeOffset);
    return true;
}

void UndoManager::apply(UndoRecord& r, bool forward, Node** placeNode, int* placeOffset)
{
    using K = UndoRecord::Kind;
    Node* target = r.target ? r.target.get() : m_doc;
    const bool insert = (r.kind == K::Insert) == forward;
    switch (r.kind) {
    case K::Insert:
    case K::Remove:
        if (insert) {
            if (Node* holder = r.child->parentNode()) {
                const int at = r.child->indexInParent();
                if (!holder->isConnected()) {
                    r.heldBy = holder;
                    r.heldAt = at;
                }
                holder->removeChildAt(at);
            }
            target->insertChildAt(qMin(r.index, target->childCount()), r.child);
            *placeNode = target;
            *placeOffset = r.child->indexInParent();
        } else if (r.child->parentNode() == target) {
            const int at = r.child->indexInParent();
            target->removeChildAt(at);
            *placeNode = target;
            *placeOffset = at;
            if (Ref<Node> holder = std::exchange(r.heldBy, nullptr); holder && !holder->isConnected())
                holder->insertChildAt(qMin(r.heldAt, holder->childCount()), r.child);
        }
        break;
    case K::Attribute:
        if (Element* e = target->asElement()) {
            e->setAttributeRaw(r.name, forward ? r.after : r.before, r.index);
            if (e->parentNode()) {
                *placeNode = e->parentNode();
                *placeOffset = e->indexInParent();
            }
        }
        break;
    case K::Style:
        if (Element* e = target->asElement()) {
            e->setStyleDeclarations(forward ? r.styleAfter : r.styleBefore);
            if (e->parentNode()) {
                *placeNode = e->parentNode();
                *placeOffset = e->indexInParent();
            }
        }
        break;
    case K::Text:
        if (Text* t = target->asText()) {
            const QString& out = forward ? r.removed : r.inserted;
            const QString& in = forward ? r.inserted : r.removed;
            t->replaceData(r.index, int(out.size()), in);
            *placeNode = t;
            *placeOffset = r.index + int(in.size());
        }
        break;
    }
}

} // namespace engine
