#pragma once

#include "engine/dom/Element.h"
#include "engine/dom/LivePosition.h"
#include "engine/dom/Variant.h"

#include <QRect>
#include <QString>

#include <vector>

namespace engine {

class Document;

// A range of the page's text between two live places. Units of the moves
// are "character", "word", "sentence" and "textedit" (the whole body).
class TextRange
{
public:
    // A collapsed range at the start of BODY.
    explicit TextRange(Document* doc);
    TextRange(Document* doc, Node* startNode, int startOffset, Node* endNode, int endOffset);

    Document* document() const { return m_doc; }
    const LivePosition& start() const { return m_start; }
    const LivePosition& end() const { return m_end; }
    void setRange(Node* startNode, int startOffset, Node* endNode, int endOffset);
    bool isCollapsed() const;

    QString text() const;
    // Replaces the range by the text (line breaks become BR); the range then
    // stands collapsed after it.
    void setText(const QString& text);
    QString htmlText() const;
    // Replaces the range by the HTML, splitting a P or inline element that
    // cannot hold it; the range then stands collapsed after it.
    void pasteHTML(const QString& html);
    // The innermost element that contains the whole range.
    Element* parentElement() const;

    TextRange duplicate() const { return *this; }
    void collapse(bool toStart = true);
    bool expand(const QString& unit);
    // Moves both ends (collapsing first), the start or the end by `count`
    // units; returns the number of units moved (negative backwards).
    int move(const QString& unit, int count);
    int moveStart(const QString& unit, int count);
    int moveEnd(const QString& unit, int count);
    // The content of the element; on an element without text content
    // (an empty TD, CAPTION or MARQUEE) a caret inside it.
    bool moveToElementText(Element* el);
    // how: "StartToStart", "StartToEnd", "EndToStart", "EndToEnd"; -1, 0, 1.
    int compareEndPoints(const QString& how, const TextRange& other) const;
    bool isEqual(const TextRange& other) const;
    // True when `other` lies within this range.
    bool inRange(const TextRange& other) const;
    // Makes this range the document's selection.
    void select() const;

    // Layout-dependent operations, through the view showing the document
    // (client coordinates); without a view they answer nothing.
    // Collapses the range at the place in text nearest the point.
    bool moveToPoint(int x, int y);
    QRect getBoundingClientRect() const;
    std::vector<QRect> getClientRects() const;
    void scrollIntoView() const;

    bool execCommand(const QString& name, const Variant& value = Variant());
    Variant queryCommandValue(const QString& name) const;
    bool queryCommandState(const QString& name) const;

    // The body (or the frameset) the range moves in.
    Node* scope() const;

private:
    int moveBoundary(LivePosition& pos, const QString& unit, int count) const;
    void orderEnds();

    Document* m_doc;
    LivePosition m_start, m_end;
};

// An ordered list of control-selected elements.
class ControlRange
{
public:
    explicit ControlRange(Document* doc) : m_doc(doc) {}
    ControlRange(Document* doc, std::vector<Ref<Element>> elements) : m_doc(doc), m_items(std::move(elements)) {}

    // Accepts TABLE, TD, IMG, HR, MARQUEE, EMBED, OBJECT, APPLET, INPUT,
    // DIV and any absolutely positioned element; keeps the order of adds.
    bool add(Element* el);
    bool remove(int index);
    Element* item(int index) const;
    int length() const { return int(m_items.size()); }
    const std::vector<Ref<Element>>& elements() const { return m_items; }
    void select() const;
    static bool accepts(const Element* el);

private:
    Document* m_doc;
    std::vector<Ref<Element>> m_items;
};

} // namespace engine
