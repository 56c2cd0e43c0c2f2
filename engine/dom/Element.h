#pragma once

#include "engine/dom/Attribute.h"
#include "engine/dom/ElementCollection.h"
#include "engine/dom/Node.h"
#include "engine/dom/Variant.h"

#include <memory>
#include <optional>
#include <vector>

namespace engine {

class Style;
struct StyleDeclaration;

// An element. Tag names are upper case ("TABLE"); comments are elements with
// the tag name "!" (see Comment). Attributes keep their order and the case of
// their first writing; lookup is case-blind.
class Element : public Node
{
public:
    static Ref<Element> create(Document* doc, const QString& tagName);
    // For names already in their shared upper-case spelling (the parser).
    static Ref<Element> createWithInternedName(Document* doc, const QString& upperTag);
    ~Element() override;

    const QString& tagName() const { return m_tag; }
    // Case-blind comparison with a tag name.
    bool hasTag(QLatin1String tag) const { return m_tag.compare(tag, Qt::CaseInsensitive) == 0; }
    bool hasTag(const QString& tag) const { return m_tag.compare(tag, Qt::CaseInsensitive) == 0; }
    // True for elements written without an end tag (IMG, BR, ...).
    bool isVoid() const;

    // --- attributes
    int attributeCount() const { return int(m_attrs.size()); }
    const Attribute& attributeAt(int i) const { return m_attrs[size_t(i)]; }
    bool hasAttribute(const QString& name) const;
    // Typed value: null when absent; the style object for "style"; an int
    // for the numeric properties, a bool for the boolean ones; else the text.
    Variant getAttribute(const QString& name) const;
    // The text as written ("" when absent; the style's text for "style").
    QString getAttributeText(const QString& name) const;
    // Text as given, an int in decimal, a bool as presence of a boolean
    // attribute (false removes it).
    void setAttribute(const QString& name, const Variant& value);
    bool removeAttribute(const QString& name);
    QString id() const { return getAttributeText(QStringLiteral("id")); }

    // The inline style (created on first use).
    Style& style();
    const Style* styleIfAny() const { return m_style.get(); }
    // Number of filter functions in the inline style's `filter`.
    int filtersLength() const;

    // --- markup
    QString innerHTML() const;
    QString outerHTML() const;
    QString innerText() const;
    // Whether innerText() is not empty (without writing it); with
    // `ignoringWhiteSpace`, whether it holds anything but white space.
    bool hasInnerText(bool ignoringWhiteSpace = false) const;
    QString outerText() const { return innerText(); }
    // Replaces the content with the parsed fragment. False when the element
    // cannot hold content (a void element).
    bool setInnerHTML(const QString& html);
    // Replaces the element with the parsed fragment; returns the elements
    // that took its place (empty when the element has no parent).
    std::vector<Ref<Element>> setOuterHTML(const QString& html);
    void setInnerText(const QString& text);
    // Replaces the element with the text (line breaks become BR).
    void setOuterText(const QString& text);

    // --- tree
    ElementCollection children() const;
    ElementCollection all() const;
    ElementCollection getElementsByTagName(const QString& tag) const;
    bool contains(const Node* other) const { return containsNode(other); }
    // where: "beforeBegin", "afterBegin", "beforeEnd", "afterEnd" (case-blind).
    Element* insertAdjacentElement(const QString& where, const Ref<Element>& el);
    void insertAdjacentHTML(const QString& where, const QString& html);
    // "outside": `el` takes this element's place and holds it; "inside": `el`
    // takes this element's content and becomes its only child.
    Element* applyElement(const Ref<Element>& el, const QString& where = QStringLiteral("outside"));
    // The nearest ancestor-or-self with the tag (case-blind), or null.
    Element* closest(QLatin1String tag);

    // --- tables (TABLE, TR, TD/TH)
    ElementCollection rows() const;
    ElementCollection cells() const;
    Element* insertRow(int index); // null for an index beyond the rows
    void deleteRow(int index);
    Element* caption() const;
    Element* createCaption();
    void deleteCaption();
    int rowIndex() const;           // TR: index in the table's rows, else -1
    Element* insertCell(int index); // TR
    void deleteCell(int index);     // TR
    int cellIndex() const;          // TD/TH: index in the row's cells, else -1
    Element* ownerTable() const;    // TABLE of a TR/TD/section, not nested tables
    // --- MAP
    QString name() const { return getAttributeText(QStringLiteral("name")); }
    ElementCollection areas() const;

    Ref<Node> cloneNode(bool deep) const override;

    // Primitive attribute change (undo recorded): the attribute is set at
    // `pos` (or appended when absent), or removed when `value` is empty.
    void setAttributeRaw(const QString& name, const std::optional<Attribute>& value, int pos = -1);
    int attributeIndex(const QString& name) const;
    // Primitive style change used by Style (undo recorded).
    void setStyleDeclarations(std::vector<StyleDeclaration> decls);

protected:
    Element(Document* doc, const QString& tagName, NodeType type = NodeType::Element);
    struct Interned
    {
    };
    Element(Document* doc, const QString& upperTag, Interned);

private:
    friend class TreeBuilder;
    friend class Style;
    QString m_tag;
    std::vector<Attribute> m_attrs;
    std::unique_ptr<Style> m_style;
};

// A comment: an element with tag name "!" that keeps its text verbatim.
class Comment : public Element
{
public:
    static Ref<Comment> create(Document* doc, const QString& data);
    const QString& data() const { return m_data; }
    Ref<Node> cloneNode(bool deep) const override;

private:
    Comment(Document* doc, const QString& data);
    QString m_data;
};

} // namespace engine
