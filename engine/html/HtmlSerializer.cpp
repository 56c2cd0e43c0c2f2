#include "engine/html/HtmlSerializer.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/html/ScriptText.h"

namespace engine {

namespace serializer_detail {

// Characters a parser does not read back as they are when written plainly:
// a carriage return becomes a line break, other controls and noncharacters
// the replacement character. As numeric references they come back.
bool needsReference(char32_t c)
{
    return c == u'\r' || (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\f') || (c >= 0x7F && c <= 0x9F) ||
           (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

enum class Escape { Text, Attribute };

// Text (or a double-quoted attribute value) in its written form: '&', and
// '<' and '>' in text or '"' in a value, as references; U+00A0 as "&nbsp;"
// in text; NUL, which a parser drops, as the replacement character.
void appendEscaped(QString& out, const QString& t, Escape context)
{
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = t[i].unicode();
        const bool plain = (c >= 0x20 && c < 0x7F && c != u'&' && c != u'<' && c != u'>' && c != u'"') || c == u'\n' ||
                           c == u'\t' || (c >= 0xA1 && c < 0xD800);
        if (plain) {
            out += QChar(c);
            continue;
        }
        switch (c) {
        case u'&':
            out += QLatin1String("&amp;");
            continue;
        case u'<':
        case u'>':
            if (context == Escape::Text) {
                out += QLatin1String(c == u'<' ? "&lt;" : "&gt;");
                continue;
            }
            break;
        case u'"':
            if (context == Escape::Attribute) {
                out += QLatin1String("&quot;");
                continue;
            }
            break;
        case 0xA0:
            if (context == Escape::Text) {
                out += QLatin1String("&nbsp;");
                continue;
            }
            break;
        case 0:
            out += QChar(0xFFFD);
            continue;
        default:
            break;
        }
        char32_t code = c;
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < n && t[i + 1].isLowSurrogate();
        if (pair)
            code = QChar::surrogateToUcs4(c, t[i + 1].unicode());
        if (needsReference(code)) {
            out += QStringLiteral("&#%1;").arg(uint(code));
        } else {
            out += QChar(c);
            if (pair)
                out += t[i + 1];
        }
        if (pair)
            ++i;
    }
}

bool isBareValue(const QString& v)
{
    if (v.isEmpty())
        return false;
    for (QChar c : v) {
        const char16_t u = c.unicode();
        if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '#' || u == '-' ||
              u == '_'))
            return false;
    }
    return true;
}

class Writer
{
public:
    explicit Writer(bool file, bool lineBreaks = false) : m_file(file), m_lineBreaks(lineBreaks) {}

    void write(const Node* root, bool includeRoot)
    {
        // Iterative walk with explicit end-tag markers.
        struct Item
        {
            const Node* node;
            bool close;
        };
        std::vector<Item> stack;
        auto pushChildren = [&stack](const Node* n) {
            for (int i = n->childCount(); i-- > 0;)
                stack.push_back({n->child(i), false});
        };
        // The elements around the root set what its content is (raw text,
        // SVG or MathML).
        std::vector<const Element*> around;
        for (const Node* a = root->parentNode(); a; a = a->parentNode())
            if (const Element* e = a->asElement())
                around.push_back(e);
        for (auto a = around.rbegin(); a != around.rend(); ++a)
            enterRaw(*a);
        if (includeRoot)
            stack.push_back({root, false});
        else
            pushChildrenOf(root, stack, pushChildren);
        while (!stack.empty()) {
            Item it = stack.back();
            stack.pop_back();
            const Node* n = it.node;
            if (it.close) {
                const Element* e = n->asElement();
                // A parser reads everything after PLAINTEXT's start tag as
                // its text, and script text that an escape leaves open runs
                // on over its end tag: such an element ends the page a parser
                // builds, and nothing is written after its text.
                if (m_file && m_open.back().raw &&
                    (e->hasTag(QLatin1String("PLAINTEXT")) ||
                     (e->hasTag(QLatin1String("SCRIPT")) && swallowsEndTag(e))))
                    return;
                out += QLatin1String("</");
                out += e->tagName();
                out += u'>';
                if (e == m_form)
                    m_form = nullptr;
                leaveRaw(e);
                continue;
            }
            switch (n->nodeType()) {
            case NodeType::Text:
                writeText(n);
                break;
            case NodeType::Comment:
                out += QLatin1String("<!--");
                out += static_cast<const Comment*>(n)->data();
                out += QLatin1String("-->");
                break;
            case NodeType::DocumentType:
                out += static_cast<const DocumentType*>(n)->text();
                break;
            case NodeType::Document:
                pushChildren(n);
                break;
            case NodeType::Element: {
                const Element* e = n->asElement();
                startTag(e);
                if (m_file)
                    letGoOfFormInside(e);
                keepLeadingNewline(e);
                if (!e->isVoid()) {
                    enterRaw(e);
                    stack.push_back({n, true});
                }
                pushChildren(n);
                break;
            }
            }
        }
    }

    QString out;

private:
    template <class Stack, class Push> void pushChildrenOf(const Node* root, Stack&, Push push)
    {
        if (const Element* e = root->asElement())
            enterRaw(e);
        push(root);
    }

    // SVG or MathML content: the parser reads no raw text in it (a SCRIPT
    // there holds markup) and keeps a line break after a TEXTAREA's tag.
    enum class Foreign { None, Svg, Math };

    // What an element that starts here is: an SVG or MathML one, or HTML.
    Foreign foreignKind(const Element* e) const
    {
        const Foreign around = m_open.empty() ? Foreign::None : m_open.back().foreignContent;
        if (around == Foreign::None) {
            // Right in a MathML text integration point, an MGLYPH or
            // MALIGNMARK stays MathML (and what it holds with it).
            if (!m_open.empty() && m_open.back().mathTextPoint &&
                (e->hasTag(QLatin1String("MGLYPH")) || e->hasTag(QLatin1String("MALIGNMARK"))))
                return Foreign::Math;
            return e->hasTag(QLatin1String("SVG"))    ? Foreign::Svg
                   : e->hasTag(QLatin1String("MATH")) ? Foreign::Math
                                                      : Foreign::None;
        }
        // An SVG element in MathML is one only inside annotation-xml.
        if (around == Foreign::Math && e->hasTag(QLatin1String("SVG"))) {
            const Element* parent = e->parentNode() ? e->parentNode()->asElement() : nullptr;
            if (parent && parent->hasTag(QLatin1String("ANNOTATION-XML")))
                return Foreign::Svg;
        }
        return around;
    }
    bool isForeign(const Element* e) const { return foreignKind(e) != Foreign::None; }

    // The elements of each kind whose children are HTML again. A TITLE is
    // one in SVG, not in MathML.
    static bool isIntegrationPoint(const Element* e, Foreign kind)
    {
        static const char* const svg[] = {"FOREIGNOBJECT", "DESC", "TITLE"};
        static const char* const math[] = {"MI", "MO", "MN", "MS", "MTEXT"};
        if (kind == Foreign::Svg) {
            for (const char* p : svg)
                if (e->hasTag(QLatin1String(p)))
                    return true;
            return false;
        }
        for (const char* p : math)
            if (e->hasTag(QLatin1String(p)))
                return true;
        if (!e->hasTag(QLatin1String("ANNOTATION-XML")))
            return false;
        const QString encoding = e->getAttributeText(QStringLiteral("encoding")).toLower();
        return encoding == QLatin1String("text/html") || encoding == QLatin1String("application/xhtml+xml");
    }
    bool isVerbatimBlock(const Element* e) const
    {
        return e->hasTag(QLatin1String("PRE")) || e->hasTag(QLatin1String("TEXTAREA")) ||
               e->hasTag(QLatin1String("LISTING"));
    }
    void enterRaw(const Element* e)
    {
        const Foreign kind = foreignKind(e);
        const bool foreign = kind != Foreign::None;
        Open open;
        open.raw = !foreign && tags::isRawText(e->tagName());
        open.verbatim = open.raw || (!foreign && isVerbatimBlock(e));
        const bool point = foreign && isIntegrationPoint(e, kind);
        open.foreignContent = foreign && !point ? kind : Foreign::None;
        open.mathTextPoint = point && kind == Foreign::Math && !e->hasTag(QLatin1String("ANNOTATION-XML"));
        m_open.push_back(open);
        m_raw += open.raw ? 1 : 0;
        m_pre += open.verbatim ? 1 : 0;
    }
    void leaveRaw(const Element*)
    {
        m_raw -= m_open.back().raw ? 1 : 0;
        m_pre -= m_open.back().verbatim ? 1 : 0;
        m_open.pop_back();
    }

    // Whether a line break written before the element's start tag is read
    // back as no part of the page: beside the HTML element's HEAD, BODY and
    // FRAMESET, but not beside an element a tree builder put there after
    // BODY (the break would be read into the BODY).
    static bool lineBreakStaysOutside(const Element* e)
    {
        const Element* parent = e->parentNode() ? e->parentNode()->asElement() : nullptr;
        if (!parent || !parent->hasTag(QLatin1String("HTML")))
            return true;
        return e->hasTag(QLatin1String("HEAD")) || e->hasTag(QLatin1String("BODY")) ||
               e->hasTag(QLatin1String("FRAMESET")) || e->hasTag(QLatin1String("NOFRAMES"));
    }

    void startTag(const Element* e)
    {
        if (m_lineBreaks && m_pre == 0 && tags::startsLineInFile(e->tagName()) && !out.isEmpty() &&
            !out.back().isSpace() && lineBreakStaysOutside(e))
            out += u'\n';
        if (m_file)
            startForm(e);
        out += u'<';
        out += e->tagName();
        bool afterBare = false;
        for (int i = 0; i < e->attributeCount(); ++i) {
            const Attribute& a = e->attributeAt(i);
            if (a.name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0) {
                const Style* s = e->styleIfAny();
                if (!s || s->isEmpty())
                    continue;
                out += u' ';
                out += a.name;
                out += QLatin1String("=\"");
                appendEscapedAttr(s->cssText());
                out += u'"';
                afterBare = false;
                continue;
            }
            // A name that begins with '=' (a parser makes one of "<a =x>")
            // would give the bare attribute before it a value: a '/' in
            // between ends that attribute.
            out += afterBare && a.name.startsWith(u'=') ? u'/' : u' ';
            out += a.name;
            afterBare = !a.hasValue;
            if (!a.hasValue)
                continue;
            out += u'=';
            if (isBareValue(a.value)) {
                out += a.value;
            } else {
                out += u'"';
                appendEscapedAttr(a.value);
                out += u'"';
            }
        }
        out += u'>';
    }

    // A parser drops the line break right after <PRE>, <TEXTAREA> and
    // <LISTING>; one written there in addition keeps the content's own.
    void keepLeadingNewline(const Element* e)
    {
        if (!isVerbatimBlock(e) || isForeign(e))
            return;
        const Text* first = e->firstChild() ? e->firstChild()->asText() : nullptr;
        if (first && first->data().startsWith(u'\n'))
            out += u'\n';
    }

    // A parser ignores a form's start tag while the form it is filling is
    // open. A browser builds a form inside another from a form end tag that
    // cannot close the outer form (in a table cell: the form stays open, its
    // end tag comes to nothing, and what follows goes on inside it) or that
    // closes the outer form and leaves the elements in it open. The inner
    // form is written after such an end tag: the first way, in the first
    // table, cell or object inside the outer form, when the outer form ends
    // its parent's content (its end is where its parent ends); else the
    // second way, before the inner form, or before the list item or
    // paragraph it is in (whose end the form end tag would imply).
    void startForm(const Element* e)
    {
        if (m_raw > 0 || isForeign(e))
            return;
        const bool form = e->hasTag(QLatin1String("FORM"));
        if (m_form && m_formHasInner &&
            (form || (endsImpliedly(e) && e->parentNode() != m_form && !endsImpliedly(e->parentNode()->asElement()) &&
                      hasFormInside(e)))) {
            out += QLatin1String("</FORM>");
            m_form = nullptr;
        }
        if (form) {
            m_form = e;
            m_formHasInner = hasFormInside(e);
            m_formEndsInside = m_formHasInner && !e->nextSibling();
        }
    }
    void letGoOfFormInside(const Element* e)
    {
        static const char* const bounds[] = {"TABLE", "TD", "TH", "CAPTION", "APPLET", "OBJECT", "MARQUEE"};
        if (!m_form || !m_formEndsInside || m_raw > 0 || isForeign(e))
            return;
        for (const char* b : bounds)
            if (e->hasTag(QLatin1String(b))) {
                out += QLatin1String("</FORM>");
                m_form = nullptr;
                return;
            }
    }
    static bool endsImpliedly(const Element* e)
    {
        static const char* const tags[] = {"LI", "DD", "DT", "P", "OPTION", "OPTGROUP", "RB", "RP", "RT", "RTC"};
        if (!e)
            return false;
        for (const char* t : tags)
            if (e->hasTag(QLatin1String(t)))
                return true;
        return false;
    }
    static bool hasFormInside(const Element* form)
    {
        for (const Node* n = form->firstChild(); n; n = n->nextInTree(form))
            if (const Element* e = n->asElement(); e && e->hasTag(QLatin1String("FORM")))
                return true;
        return false;
    }

    void appendEscapedAttr(const QString& v) { appendEscaped(out, v, Escape::Attribute); }

    static bool swallowsEndTag(const Element* script)
    {
        const QString text = script->textContent() + QLatin1String("</SCRIPT>");
        return script_text::scriptTextEnd(text.utf16(), 0, text.size()) != text.size() - 9;
    }

    void writeText(const Node* n)
    {
        const QString& t = static_cast<const Text*>(n)->data();
        if (m_raw > 0) {
            out += t;
            return;
        }
        appendEscaped(out, t, Escape::Text);
    }

    // An element being written: raw text in it, verbatim white space in it,
    // SVG or MathML content in it.
    struct Open
    {
        bool raw = false;
        bool verbatim = false;
        Foreign foreignContent = Foreign::None;
        bool mathTextPoint = false; // MI, MO, MN, MS or MTEXT
    };

    bool m_file;
    bool m_lineBreaks;
    // The form a parser would be filling at this point of the text.
    const Element* m_form = nullptr;
    bool m_formHasInner = false;
    bool m_formEndsInside = false;
    std::vector<Open> m_open;
    int m_raw = 0;
    int m_pre = 0;
};

} // namespace serializer_detail

QString HtmlSerializer::escapeText(const QString& t)
{
    QString out;
    out.reserve(t.size() + 8);
    serializer_detail::appendEscaped(out, t, serializer_detail::Escape::Text);
    return out;
}

QString HtmlSerializer::attributeText(const QString& name, const QString& value, bool hasValue)
{
    Ref<Document> doc = Document::create();
    Ref<Element> e = doc->createElement(QStringLiteral("X"));
    e->setAttribute(name, value);
    if (!hasValue)
        e->setAttribute(name, true);
    const QString html = outerHTML(e.get());
    return html.mid(3, html.size() - 3 - 5);
}

QString HtmlSerializer::outerHTML(const Node* node)
{
    serializer_detail::Writer w(false);
    w.write(node, true);
    return w.out;
}

QString HtmlSerializer::innerHTML(const Node* node)
{
    serializer_detail::Writer w(false);
    w.write(node, false);
    return w.out;
}

QString HtmlSerializer::fileText(const Document* doc, LineBreaks lineBreaks)
{
    serializer_detail::Writer w(true, lineBreaks == LineBreaks::Added);
    w.write(doc, false);
    return w.out;
}

QString HtmlSerializer::innerText(const Element* el, bool keepEdgeSpaces)
{
    QString out;
    bool pendingBreak = false;
    auto lineBreak = [&out, &pendingBreak]() {
        if (!out.isEmpty())
            pendingBreak = true;
    };
    const Node* n = el->firstChild();
    while (n) {
        if (const Text* t = n->asText()) {
            bool pre = false;
            for (const Node* p = n->parentNode(); p && p != el->parentNode(); p = p->parentNode())
                if (const Element* pe = p->asElement()) {
                    if (pe->hasTag(QLatin1String("PRE")) || pe->hasTag(QLatin1String("TEXTAREA")))
                        pre = true;
                    if (tags::isRawText(pe->tagName()) || pe->hasTag(QLatin1String("TITLE")))
                        goto next;
                }
            {
                QString s = t->data();
                if (!pre) {
                    s = s.simplified().isEmpty() && !s.isEmpty() ? QStringLiteral(" ") : s;
                    QString c;
                    bool space = false;
                    for (QChar ch : s) {
                        if (ch == u' ' || ch == u'\n' || ch == u'\t' || ch == u'\r') {
                            if (!space)
                                c += u' ';
                            space = true;
                        } else {
                            c += ch;
                            space = false;
                        }
                    }
                    s = c;
                    if (pendingBreak || (out.isEmpty() && !keepEdgeSpaces) || out.endsWith(u'\n') || out.endsWith(u' '))
                        while (s.startsWith(u' '))
                            s.remove(0, 1);
                }
                if (!s.isEmpty()) {
                    if (pendingBreak) {
                        while (out.endsWith(u' '))
                            out.chop(1);
                        out += u'\n';
                        pendingBreak = false;
                    }
                    out += s;
                }
            }
        } else if (const Element* e = n->asElement()) {
            if (e->hasTag(QLatin1String("BR"))) {
                if (pendingBreak)
                    out += u'\n';
                out += u'\n';
                pendingBreak = false;
            } else if (tags::isBlock(e->tagName()) || e->hasTag(QLatin1String("TD"))) {
                lineBreak();
            }
        }
    next:
        const Node* nx = n->nextInTree(el);
        // Leaving blocks ends a line too.
        if (nx && nx->parentNode() != n) {
            for (const Node* p = n->parentNode(); p && p != nx->parentNode() && p != el; p = p->parentNode())
                if (const Element* pe = p->asElement(); pe && tags::isBlock(pe->tagName()))
                    lineBreak();
        }
        n = nx;
    }
    while (!keepEdgeSpaces && out.endsWith(u' '))
        out.chop(1);
    return out;
}

bool HtmlSerializer::hasInnerText(const Element* el, bool ignoringWhiteSpace)
{
    // A BR, or a text with a character that stays: one other than a space
    // inside PRE or TEXTAREA, one that is not white space elsewhere; never
    // in the text of a script, a style sheet or a TITLE.
    for (const Node* n = el->firstChild(); n; n = n->nextInTree(el)) {
        if (const Text* t = n->asText(); t && !t->data().isEmpty()) {
            bool pre = false;
            bool hidden = false;
            for (const Node* p = n->parentNode(); p && p != el->parentNode() && !hidden; p = p->parentNode()) {
                if (const Element* pe = p->asElement()) {
                    pre = pre || pe->hasTag(QLatin1String("PRE")) || pe->hasTag(QLatin1String("TEXTAREA"));
                    hidden = tags::isRawText(pe->tagName()) || pe->hasTag(QLatin1String("TITLE"));
                }
            }
            if (hidden)
                continue;
            for (QChar ch : t->data()) {
                if (pre && !ignoringWhiteSpace ? ch != u' ' : !ch.isSpace())
                    return true;
            }
        } else if (const Element* e = n->asElement(); e && !ignoringWhiteSpace && e->hasTag(QLatin1String("BR"))) {
            return true;
        }
    }
    return false;
}

} // namespace engine
