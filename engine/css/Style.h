#pragma once

#include "engine/dom/Variant.h"

#include <QString>
#include <vector>

namespace engine {

class Element;

// One declaration of an inline style: the property name in lower case with
// hyphens ("z-index") and the value as written.
struct StyleDeclaration
{
    QString name;
    QString value;
    bool operator==(const StyleDeclaration&) const = default;
};

// The inline style of an element. Declarations keep their order: a changed
// property keeps its place, a new one is appended. Written as
// "Z-INDEX: 101; LEFT: 95px; POSITION: absolute; TOP: 5px".
class Style
{
public:
    explicit Style(Element* owner) : m_owner(owner) {}

    Element* element() const { return m_owner; }
    const std::vector<StyleDeclaration>& declarations() const { return m_decls; }
    bool isEmpty() const { return m_decls.empty(); }

    QString cssText() const { return serialize(m_decls); }
    void setCssText(const QString& text);

    // `name` may be the CSS name ("z-index", any case) or the script name
    // ("zIndex"). getAttribute gives the value text as written, colours as
    // "#rrggbb", or null when the property is not set.
    Variant getAttribute(const QString& name) const;
    QString value(const QString& name) const;
    // An int becomes "Npx" for lengths; empty text or null removes.
    void setAttribute(const QString& name, const Variant& value);
    bool removeAttribute(const QString& name);

    QString left() const { return value(QStringLiteral("left")); }
    QString top() const { return value(QStringLiteral("top")); }
    QString width() const { return value(QStringLiteral("width")); }
    QString height() const { return value(QStringLiteral("height")); }
    QString position() const { return value(QStringLiteral("position")); }
    QString textAlign() const { return value(QStringLiteral("text-align")); }
    QString textDecoration() const { return value(QStringLiteral("text-decoration")); }
    QString filter() const { return value(QStringLiteral("filter")); }
    QString zoom() const { return value(QStringLiteral("zoom")); }
    QString borderColor() const { return value(QStringLiteral("border-color")); }
    QString borderTopColor() const { return value(QStringLiteral("border-top-color")); }
    QString borderRightColor() const { return value(QStringLiteral("border-right-color")); }
    QString borderBottomColor() const { return value(QStringLiteral("border-bottom-color")); }
    QString borderLeftColor() const { return value(QStringLiteral("border-left-color")); }
    // An int, or null when not set (or not a number).
    Variant zIndex() const;

    void setLeft(const Variant& v) { setAttribute(QStringLiteral("left"), v); }
    void setTop(const Variant& v) { setAttribute(QStringLiteral("top"), v); }
    void setWidth(const Variant& v) { setAttribute(QStringLiteral("width"), v); }
    void setHeight(const Variant& v) { setAttribute(QStringLiteral("height"), v); }
    void setPosition(const Variant& v) { setAttribute(QStringLiteral("position"), v); }
    void setZIndex(const Variant& v) { setAttribute(QStringLiteral("z-index"), v); }
    void setTextAlign(const Variant& v) { setAttribute(QStringLiteral("text-align"), v); }
    void setTextDecoration(const Variant& v) { setAttribute(QStringLiteral("text-decoration"), v); }
    void setFilter(const Variant& v) { setAttribute(QStringLiteral("filter"), v); }
    void setZoom(const Variant& v) { setAttribute(QStringLiteral("zoom"), v); }
    void setBorderColor(const Variant& v) { setAttribute(QStringLiteral("border-color"), v); }

    // "zIndex" → "z-index", "LEFT" → "left".
    static QString cssName(const QString& name);
    static std::vector<StyleDeclaration> parse(const QString& text);
    static QString serialize(const std::vector<StyleDeclaration>& decls);
    // Reads a pixel text: "20px", "12PX" → 12, "35%" → 35, "auto" → 0.
    static int pixels(const QString& text);

private:
    friend class Element;
    friend class TreeBuilder;
    Element* m_owner;
    std::vector<StyleDeclaration> m_decls;
};

} // namespace engine
