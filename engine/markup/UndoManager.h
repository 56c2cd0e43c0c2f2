#pragma once

#include "engine/css/Style.h"
#include "engine/dom/Attribute.h"
#include "engine/dom/Node.h"

#include <functional>
#include <optional>
#include <vector>

namespace engine {

class Document;
class Text;

// One primitive change of a page, as recorded for undo. Changes are
// recorded while a node is in the page; a node taken out of the page is put
// back by undo as it is then, so engine code never changes nodes after
// taking them out (it works on copies). Nodes taken out may be put into a
// node out of the page (a split fills a copy of the element split with
// them) that is then put in: undo takes each back from there, and redo
// puts it back there before the copy goes in again.
struct UndoRecord
{
    enum class Kind { Insert, Remove, Attribute, Style, Text };
    Kind kind = Kind::Insert;
    Ref<Node> target; // the parent, the element or the text node; null for the document itself
    Ref<Node> child;  // Insert/Remove: the node
    int index = 0;    // Insert/Remove: child index; Attribute: position; Text: offset
    QString name;     // Attribute
    std::optional<Attribute> before, after;
    std::vector<StyleDeclaration> styleBefore, styleAfter;
    QString removed, inserted; // Text
    // Insert/Remove: the node out of the page that held the child when a
    // replay put it in, and where; it goes back there when taken out again.
    Ref<Node> heldBy;
    int heldAt = 0;
};

// The undo history of a document. Changes are grouped into steps: between
// the outermost beginUnit/endUnit everything is one step; a unit without a
// change leaves no step. A unit marked as typing merges with the typing step
// before it when it continues the same text.
class UndoManager
{
public:
    explicit UndoManager(Document* doc) : m_doc(doc) {}

    void beginUnit();
    void endUnit();
    // Ends every open unit: what they hold becomes one step. Undo and redo
    // do this first, so a begin without its end cannot block them.
    void closeOpenUnits();
    int depth() const { return m_depth; }
    // Marks the open unit as typing (see above).
    void markTyping() { m_current.typing = true; }

    void record(UndoRecord&& r);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }
    bool undo();
    bool redo();
    void clear();
    bool isReplaying() const { return m_replaying; }

    // Called after undo and redo with the place of the change, to put the
    // selection there.
    void setPlaceSelection(std::function<void(Node*, int)> f) { m_place = std::move(f); }
    // Where the caret stands (null when nowhere): noted as a step begins and
    // as it ends, so that undo puts the caret back where it stood before
    // the step and redo where the step left it.
    void setCurrentPlace(std::function<std::pair<Node*, int>()> f) { m_currentPlace = std::move(f); }

private:
    struct Place
    {
        Ref<Node> node;
        int offset = 0;
    };
    struct Step
    {
        std::vector<UndoRecord> records;
        bool typing = false;
        Place before; // the caret before the step and after it
        Place after;
    };
    Place currentPlace() const;
    // Whether the caret may stand at `place` once a step was replayed.
    static bool stands(const Place& place);
    void apply(UndoRecord& r, bool forward, Node** placeNode, int* placeOffset);
    bool replay(std::vector<Step>& from, std::vector<Step>& to, bool forward);
    bool mergeTyping(Step& prev, const Step& next);

    Document* m_doc;
    int m_depth = 0;
    bool m_replaying = false;
    Step m_current;
    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    std::function<void(Node*, int)> m_place;
    std::function<std::pair<Node*, int>()> m_currentPlace;
};

} // namespace engine
