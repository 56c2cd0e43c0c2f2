#include "engine/dom/Element.h"

#include "engine/css/CssColor.h"
#include "engine/css/FilterCalls.h"
#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/HtmlSerializer.h"

namespace engine {

Element::Element(Document* doc, const QString& tagName, NodeType type)
    : Node(type, doc), m_tag(tags::intern(tagName.toUpper()))
{
}

Element::Element(Document* doc, const QString& upperTag, Interned) : Node(NodeType::Element, doc), m_tag(upperTag) {}

Ref<Element> Element::createWithInternedName(Document* doc, const QString& upperTag)
{
    return Ref<Element>(new Element(doc, upperTag, Interned{}));
}

Element::~Element() = default;

Ref<Element> Element::create(Document* doc, const QString& tagName)
{
    return Ref<Element>(new Element(doc, tagName));
}

bool Element::isVoid() const
{
    return isComment() || tags::isVoid(m_tag);
}

int Element::attributeIndex(const QString& name) const
{
    for (size_t i = 0; i < m_attrs.size(); ++i)
        if (m_attrs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool Element::hasAttribute(const QString& name) const
{
    if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0)
        return m_style && !m_style->isEmpty();
    return attributeIndex(name) >= 0;
}

QString Element::getAttributeText(const QString& name) const
{
    if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0)
        return m_style ? m_style->cssText() : QString();
    const int i = attributeIndex(name);
    return i >= 0 ? m_attrs[size_t(i)].value : QString();
}

namespace element_detail {
bool isOneOf(const QString& name, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

int leadingNumber(const QString& text)
{
    return Style::pixels(text);
}
} // namespace element_detail

Variant Element::getAttribute(const QString& name) const
{
    using namespace element_detail;
    if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0)
        return Variant::styleOf(const_cast<Element*>(this));
    const int i = attributeIndex(name);
    const bool present = i >= 0;
    const QString text = present ? m_attrs[size_t(i)].value : QString();

    if ((hasTag(QLatin1String("TD")) || hasTag(QLatin1String("TH"))) && isOneOf(name, {"colSpan", "rowSpan"})) {
        const int v = present ? leadingNumber(text) : 1;
        return v > 0 ? v : 1;
    }
    if (tags::isBooleanAttribute(name))
        return present ? Variant(true) : Variant::null();
    if (!present) {
        if (hasTag(QLatin1String("IMG")) && isOneOf(name, {"width", "height"})) {
            if (auto size = document()->renderedSize(this))
                return name.compare(QLatin1String("width"), Qt::CaseInsensitive) == 0 ? size->width() : size->height();
        }
        return Variant::null();
    }
    if ((hasTag(QLatin1String("MARQUEE")) || hasTag(QLatin1String("BGSOUND"))) && isOneOf(name, {"loop"}) &&
        text.trimmed().compare(QLatin1String("infinite"), Qt::CaseInsensitive) == 0)
        return -1;
    if ((hasTag(QLatin1String("IMG")) && isOneOf(name, {"width", "height", "border", "hspace", "vspace"})) ||
        (hasTag(QLatin1String("HR")) && isOneOf(name, {"size"})) ||
        (hasTag(QLatin1String("MARQUEE")) && isOneOf(name, {"scrollAmount", "scrollDelay", "loop"}))) {
        if (hasTag(QLatin1String("IMG")) && isOneOf(name, {"width", "height"}) && text.contains(u'%')) {
            if (auto size = document()->renderedSize(this))
                return name.compare(QLatin1String("width"), Qt::CaseInsensitive) == 0 ? size->width() : size->height();
        }
        return leadingNumber(text);
    }
    if (hasTag(QLatin1String("TABLE")) && isOneOf(name, {"border", "cellSpacing", "cellPadding"})) {
        if (auto v = wholeNumber(text))
            return *v;
        return text;
    }
    if (tags::isColorAttribute(name))
        return normalizeColorText(text);
    return text;
}

void Element::setAttribute(const QString& name, const Variant& value)
{
    if (name.isEmpty())
        return;
    if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0) {
        if (!value.isStyle())
            style().setCssText(value.toString());
        return;
    }
    if (value.isNull() || value.isEmpty() || (value.isBool() && !value.toBool())) {
        removeAttribute(name);
        return;
    }
    Attribute a;
    a.name = name;
    if (value.isBool()) {
        a.hasValue = false;
    } else {
        a.value = value.toString();
    }
    const int i = attributeIndex(name);
    if (i >= 0) {
        a.name = m_attrs[size_t(i)].name;
        if (m_attrs[size_t(i)] == a)
            return;
    }
    UndoUnit unit(document());
    setAttributeRaw(name, a, i);
}

bool Element::removeAttribute(const QString& name)
{
    if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0) {
        if (!m_style || m_style->isEmpty())
            return false;
        UndoUnit unit(document());
        setStyleDeclarations({});
        return true;
    }
    const int i = attributeIndex(name);
    if (i < 0)
        return false;
    UndoUnit unit(document());
    setAttributeRaw(name, std::nullopt, i);
    return true;
}

void Element::setAttributeRaw(const QString& name, const std::optional<Attribute>& value, int pos)
{
    const int i = attributeIndex(name);
    std::optional<Attribute> before;
    if (i >= 0)
        before = m_attrs[size_t(i)];
    int at = i;
    if (value) {
        if (i >= 0) {
            m_attrs[size_t(i)] = *value;
        } else {
            at = pos < 0 || pos > attributeCount() ? attributeCount() : pos;
            m_attrs.insert(m_attrs.begin() + at, *value);
        }
    } else {
        if (i < 0)
            return;
        m_attrs.erase(m_attrs.begin() + i);
    }
    document()->didChangeAttribute(this, name, before, value, at);
}

Style& Element::style()
{
    if (!m_style)
        m_style = std::make_unique<Style>(this);
    return *m_style;
}

void Element::setStyleDeclarations(std::vector<StyleDeclaration> decls)
{
    Style& s = style();
    if (s.m_decls == decls)
        return;
    if (attributeIndex(QStringLiteral("style")) < 0)
        m_attrs.push_back({QStringLiteral("style"), QString(), true});
    UndoUnit unit(document());
    std::vector<StyleDeclaration> before = std::move(s.m_decls);
    s.m_decls = std::move(decls);
    document()->didChangeStyle(this, before);
}

int Element::filtersLength() const
{
    return m_style ? int(parseFilterCalls(m_style->filter()).size()) : 0;
}

QString Element::innerHTML() const
{
    return HtmlSerializer::innerHTML(this);
}
QString Element::outerHTML() const
{
    return HtmlSerializer::outerHTML(this);
}

QString Element::innerText() const
{
    return HtmlSerializer::innerText(this);
}

bool Element::hasInnerText(bool ignoringWhiteSpace) const
{
    return HtmlSerializer::hasInnerText(this, ignoringWhiteSpace);
}

bool Element::setInnerHTML(const QString& html)
{
    if (isVoid())
        return false;
    auto nodes = HtmlParser::parseFragment(document(), html, m_tag);
    UndoUnit unit(document());
    while (childCount())
        removeChildAt(childCount() - 1);
    for (auto& n : nodes)
        insertChildAt(childCount(), n);
    return true;
}

std::vector<Ref<Element>> Element::setOuterHTML(const QString& html)
{
    std::vector<Ref<Element>> out;
    Node* parent = parentNode();
    if (!parent || parent->isDocument())
        return out;
    const QString context = parent->asElement() ? parent->asElement()->tagName() : QStringLiteral("BODY");
    auto nodes = HtmlParser::parseFragment(document(), html, context);
    Ref<Element> keep = this;
    UndoUnit unit(document());
    int at = indexInParent();
    for (auto& n : nodes) {
        parent->insertChildAt(at++, n);
        if (Element* e = n->asElement())
            if (!e->isComment())
                out.push_back(e);
    }
    parent->removeChildAt(indexInParent());
    return out;
}

namespace element_detail {
void appendTextWithBreaks(Node* parent, const QString& text)
{
    Document* doc = parent->document();
    QString norm = text;
    norm.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    norm.replace(u'\r', u'\n');
    const QStringList lines = norm.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            parent->insertChildAt(parent->childCount(), doc->createElement(QStringLiteral("BR")));
        if (!lines[i].isEmpty())
            parent->insertChildAt(parent->childCount(), doc->createTextNode(lines[i]));
    }
}
} // namespace element_detail

void Element::setInnerText(const QString& text)
{
    if (isVoid())
        return;
    UndoUnit unit(document());
    while (childCount())
        removeChildAt(childCount() - 1);
    // Elements that hold plain text take it as one text node: a BR in a
    // script or style sheet would be written out as part of its text.
    if (tags::isRawText(m_tag) || m_tag == QLatin1String("TEXTAREA") || m_tag == QLatin1String("TITLE")) {
        QString norm = text;
        norm.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        norm.replace(u'\r', u'\n');
        if (!norm.isEmpty())
            insertChildAt(0, document()->createTextNode(norm));
        return;
    }
    element_detail::appendTextWithBreaks(this, text);
}

void Element::setOuterText(const QString& text)
{
    Node* parent = parentNode();
    if (!parent || parent->isDocument())
        return;
    Ref<Element> keep = this;
    UndoUnit unit(document());
    Ref<Element> holder = Element::create(document(), QStringLiteral("SPAN"));
    element_detail::appendTextWithBreaks(holder.get(), text);
    int at = indexInParent();
    while (holder->childCount()) {
        Ref<Node> n = holder->removeChildAt(0);
        parent->insertChildAt(at++, n);
    }
    parent->removeChildAt(indexInParent());
}

ElementCollection Element::children() const
{
    return ElementCollection(const_cast<Element*>(this), ElementCollection::Scope::Children);
}

ElementCollection Element::all() const
{
    return ElementCollection(const_cast<Element*>(this), ElementCollection::Scope::Descendants);
}

ElementCollection Element::getElementsByTagName(const QString& tag) const
{
    return ElementCollection::byTag(const_cast<Element*>(this), tag);
}

Element* Element::insertAdjacentElement(const QString& where, const Ref<Element>& el)
{
    if (!el)
        return nullptr;
    const QString w = where.toLower();
    Node* parent = parentNode();
    if (w == QLatin1String("beforebegin"))
        return parent && !parent->isDocument() && parent->insertBefore(el, this) ? el.get() : nullptr;
    if (w == QLatin1String("afterend"))
        return parent && !parent->isDocument() && parent->insertBefore(el, nextSibling()) ? el.get() : nullptr;
    if (isVoid())
        return nullptr;
    if (w == QLatin1String("afterbegin"))
        return insertBefore(el, firstChild()) ? el.get() : nullptr;
    if (w == QLatin1String("beforeend"))
        return appendChild(el) ? el.get() : nullptr;
    return nullptr;
}

void Element::insertAdjacentHTML(const QString& where, const QString& html)
{
    const QString w = where.toLower();
    Node* parent = parentNode();
    const bool outside = w == QLatin1String("beforebegin") || w == QLatin1String("afterend");
    Node* target = outside ? parent : this;
    if (!target || target->isDocument() || (!outside && isVoid()))
        return;
    const QString context = target->asElement()->tagName();
    auto nodes = HtmlParser::parseFragment(document(), html, context);
    UndoUnit unit(document());
    int at = w == QLatin1String("beforebegin")  ? indexInParent()
             : w == QLatin1String("afterend")   ? indexInParent() + 1
             : w == QLatin1String("afterbegin") ? 0
                                                : childCount();
    for (auto& n : nodes)
        target->insertChildAt(at++, n);
}

Element* Element::applyElement(const Ref<Element>& el, const QString& where)
{
    if (!el || el.get() == this || el->containsNode(this) || el->isVoid())
        return nullptr;
    UndoUnit unit(document());
    if (where.compare(QLatin1String("inside"), Qt::CaseInsensitive) == 0) {
        if (isVoid())
            return nullptr;
        if (el->parentNode())
            el->parentNode()->removeChildAt(el->indexInParent());
        while (childCount()) {
            Ref<Node> c = removeChildAt(0);
            el->insertChildAt(el->childCount(), c);
        }
        insertChildAt(0, el);
        return el.get();
    }
    Node* parent = parentNode();
    if (!parent || parent->isDocument())
        return nullptr;
    if (el->parentNode())
        el->parentNode()->removeChildAt(el->indexInParent());
    const int at = indexInParent();
    parent->insertChildAt(at, el);
    Ref<Node> self = parent->removeChildAt(at + 1);
    el->insertChildAt(el->childCount(), self);
    return el.get();
}

Element* Element::closest(QLatin1String tag)
{
    for (Node* n = this; n; n = n->parentNode())
        if (Element* e = n->asElement())
            if (e->hasTag(tag))
                return e;
    return nullptr;
}

ElementCollection Element::areas() const
{
    return ElementCollection(const_cast<Element*>(this), ElementCollection::Scope::Descendants,
                             [](const Element* e) { return e->hasTag(QLatin1String("AREA")); });
}

Ref<Node> Element::cloneNode(bool deep) const
{
    Ref<Element> copy = Element::create(document(), m_tag);
    copy->m_attrs = m_attrs;
    if (m_style)
        copy->style().m_decls = m_style->m_decls;
    if (deep)
        cloneChildrenInto(copy.get());
    return copy;
}

Comment::Comment(Document* doc, const QString& data)
    : Element(doc, QStringLiteral("!"), NodeType::Comment), m_data(data)
{
}

Ref<Comment> Comment::create(Document* doc, const QString& data)
{
    return Ref<Comment>(new Comment(doc, data));
}

Ref<Node> Comment::cloneNode(bool) const
{
    return Comment::create(document(), m_data);
}

} // namespace engine
