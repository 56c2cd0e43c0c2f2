#pragma once

#include <QString>

namespace engine {

class Document;
class Element;
class Node;

// What keys do to the text at the caret of a document: typing (inserting or
// overwriting), a paragraph break, a line break, and deleting backwards and
// forwards. Each call is one undo step; consecutive typed characters merge
// into one. The selection ends as a caret after the change.
class Typing
{
public:
    explicit Typing(Document* doc) : m_doc(doc) {}

    // Replaces a text selection by the text, or inserts it at the caret; with
    // `overwrite` the characters after the caret are replaced. A typed space
    // that would collapse into its neighbour becomes U+00A0. False when the
    // caret is not in editable content.
    bool insertText(const QString& text, bool overwrite = false);
    // Enter: splits the paragraph at the caret (a run of text directly in a
    // cell or the body becomes paragraphs first); the caret starts the new one.
    // In preformatted text (PRE) it breaks the line instead, as Shift+Enter.
    bool insertParagraph();
    // Shift+Enter: a BR at the caret.
    bool insertLineBreak();
    // Backspace and Delete: the text selection, else the character, line
    // break or image next to the caret; at a paragraph's edge the two
    // paragraphs join.
    bool deleteBackward();
    bool deleteForward();
    // Deletes a text selection (false where there is none); what is left of
    // the paragraphs it began and ended in joins into one. The caret stands
    // where the selection began. The caller makes the undo step.
    bool deleteSelectionIfAny();

    // The cell, caption, marquee or body whose text holds the node.
    static Element* editingContainer(Node* node);
    // Elements that Enter splits and that Backspace and Delete join.
    static bool isParagraph(const Element* el);
    // Whether the node lies in the editable content of the page.
    bool isEditable(Node* node) const;

private:
    bool caret(Node*& node, int& offset) const;
    void placeCaret(Node* node, int offset);
    // Moves the content of `second` to the end of `first`, removes `second`
    // and puts the caret where the two met; false where nothing joins.
    bool joinParagraphs(Element* first, Element* second);
    // Moves the line of text that follows `block` in its parent to the end
    // of its last paragraph and puts the caret where the two met; false
    // where no line follows or the block ends in no paragraph.
    bool joinLineAfter(Element* block);
    // Moves the first line of `block`'s first paragraph to the end of the
    // line of text before `block` and puts the caret where the two met;
    // false where no such line stands before it.
    bool joinLineBefore(Element* block);
    void applyPendingFormats(Node* startNode, int startOffset);

    Document* m_doc;
};

} // namespace engine
