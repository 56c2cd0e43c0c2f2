#include "engine/css/Style.h"

#include "engine/css/CssColor.h"
#include "engine/dom/Element.h"
#include "engine/dom/HtmlTags.h"

#include <algorithm>

namespace engine {

namespace style_detail {
bool isLengthProperty(const QString& css)
{
    static const char* const names[] = {"left",
                                        "top",
                                        "right",
                                        "bottom",
                                        "width",
                                        "height",
                                        "min-width",
                                        "min-height",
                                        "max-width",
                                        "max-height",
                                        "font-size",
                                        "line-height",
                                        "margin",
                                        "margin-left",
                                        "margin-top",
                                        "margin-right",
                                        "margin-bottom",
                                        "padding",
                                        "padding-left",
                                        "padding-top",
                                        "padding-right",
                                        "padding-bottom",
                                        "border-width",
                                        "text-indent",
                                        "letter-spacing",
                                        "border-left-width",
                                        "border-top-width",
                                        "border-right-width",
                                        "border-bottom-width",
                                        "word-spacing"};
    for (const char* n : names)
        if (css == QLatin1String(n))
            return true;
    return false;
}

bool isColorProperty(const QString& css)
{
    return css == QLatin1String("color") || css == QLatin1String("background-color") ||
           (css.startsWith(QLatin1String("border")) && css.endsWith(QLatin1String("color")));
}
} // namespace style_detail

QString Style::cssName(const QString& name)
{
    QString out;
    out.reserve(name.size() + 2);
    const bool hasHyphenOrAllUpper = name.contains(u'-') || name == name.toUpper();
    for (QChar c : name) {
        if (c.isUpper() && !hasHyphenOrAllUpper && !out.isEmpty())
            out += u'-';
        out += c.toLower();
    }
    return out.trimmed();
}

namespace style_detail {
// The CSS name of a property name as written, without copying it where it
// is plain ASCII ("Z-INDEX", "left", "TOP"): the shared copy of the lower
// case. Else (a script name such as "zIndex", other letters) as cssName()
// gives it.
QString propertyName(QStringView written)
{
    constexpr qsizetype kLongest = 32;
    char16_t lower[kLongest];
    bool hyphen = false, upper = false, lowerCase = false;
    if (written.size() > kLongest)
        return Style::cssName(written.toString());
    for (qsizetype k = 0; k < written.size(); ++k) {
        const char16_t c = written[k].unicode();
        if (c >= 0x80)
            return Style::cssName(written.toString());
        hyphen = hyphen || c == u'-';
        upper = upper || (c >= u'A' && c <= u'Z');
        lowerCase = lowerCase || (c >= u'a' && c <= u'z');
        lower[k] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    }
    if (upper && lowerCase && !hyphen)
        return Style::cssName(written.toString());
    return tags::internShort(QStringView(lower, written.size()));
}
} // namespace style_detail

std::vector<StyleDeclaration> Style::parse(const QString& text)
{
    std::vector<StyleDeclaration> out;
    out.reserve(size_t(text.count(u';')) + 1);
    // `closers`: what closes the quote and brackets left open at the end of
    // the part (only the last part can leave any open). A browser closes
    // them at the end of the value; so does the value read here, so that
    // the part reads the same when it is written before others.
    auto flush = [&out](QStringView part, const QString& closers) {
        const qsizetype colon = part.indexOf(u':');
        if (colon <= 0)
            return;
        const QStringView written = part.left(colon).trimmed();
        // A name holding a quote or a bracket is no property name: a browser
        // drops the declaration (and, with what it leaves open, the rest).
        const auto quoteOrBracket = [](QChar c) {
            switch (c.unicode()) {
            case u'"':
            case u'\'':
            case u'(':
            case u')':
            case u'[':
            case u']':
            case u'{':
            case u'}':
                return true;
            default:
                return false;
            }
        };
        if (std::any_of(written.begin(), written.end(), quoteOrBracket))
            return;
        QString name = style_detail::propertyName(written);
        // Names are written in upper case: a name whose upper case reads
        // back as another one (letters outside ASCII such as the sharp s or
        // the dotless i) is read as that one, so that it is written the same
        // again.
        if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() >= 0x80; }))
            name = style_detail::propertyName(name.toUpper());
        const QString value = closers.isEmpty() ? tags::internShort(part.mid(colon + 1).trimmed())
                                                : (part.mid(colon + 1).toString() + closers).trimmed();
        if (name.isEmpty() || name.contains(u' ') || value.isEmpty())
            return;
        for (auto& d : out)
            if (d.name == name) {
                d.value = value;
                return;
            }
        out.push_back({name, value});
    };
    // Split at semicolons outside brackets and quotes. `open`: the closing
    // characters of the brackets open, the innermost last.
    QString open;
    QChar quote;
    qsizetype partStart = 0;
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size(); ++i) {
        const QChar c = view[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'(') {
            open += u')';
        } else if (c == u'[') {
            open += u']';
        } else if (c == u'{') {
            open += u'}';
        } else if (!open.isEmpty() && c == open.back()) {
            open.chop(1);
        } else if (c == u';' && open.isEmpty()) {
            flush(view.mid(partStart, i - partStart), QString());
            partStart = i + 1;
        }
    }
    QString closers = quote.isNull() ? QString() : QString(quote);
    for (qsizetype k = open.size(); k-- > 0;)
        closers += open[k];
    flush(view.mid(partStart), closers);
    return out;
}

QString Style::serialize(const std::vector<StyleDeclaration>& decls)
{
    QString out;
    for (const auto& d : decls) {
        if (!out.isEmpty())
            out += QLatin1String("; ");
        out += d.name.toUpper();
        out += QLatin1String(": ");
        out += d.value;
    }
    return out;
}

int Style::pixels(const QString& text)
{
    QString t = text;
    if (t.endsWith(QLatin1String("px"), Qt::CaseInsensitive))
        t.chop(2);
    int i = 0;
    while (i < t.size() && t[i].isSpace())
        ++i;
    bool neg = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        neg = t[i++] == u'-';
    long long v = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9' && v < 1000000000)
        v = v * 10 + (t[i++].unicode() - '0');
    return int(neg ? -v : v);
}

void Style::setCssText(const QString& text)
{
    m_owner->setStyleDeclarations(parse(text));
}

QString Style::value(const QString& name) const
{
    const QString css = cssName(name);
    for (const auto& d : m_decls)
        if (d.name == css)
            return d.value;
    return QString();
}

Variant Style::getAttribute(const QString& name) const
{
    const QString css = cssName(name);
    for (const auto& d : m_decls)
        if (d.name == css)
            return style_detail::isColorProperty(css) ? normalizeColorText(d.value) : d.value;
    return Variant::null();
}

void Style::setAttribute(const QString& name, const Variant& v)
{
    const QString css = cssName(name);
    if (css.isEmpty())
        return;
    QString text;
    if (v.isInt() || v.isDouble())
        text = style_detail::isLengthProperty(css) ? v.toString() + QLatin1String("px") : v.toString();
    else if (v.isBool())
        text = v.toBool() ? QStringLiteral("true") : QString();
    else
        text = v.toString().trimmed();
    if (text.isEmpty()) {
        removeAttribute(css);
        return;
    }
    auto decls = m_decls;
    bool found = false;
    for (auto& d : decls)
        if (d.name == css) {
            if (d.value == text)
                return;
            d.value = text;
            found = true;
        }
    if (!found)
        decls.push_back({css, text});
    m_owner->setStyleDeclarations(std::move(decls));
}

bool Style::removeAttribute(const QString& name)
{
    const QString css = cssName(name);
    for (size_t i = 0; i < m_decls.size(); ++i)
        if (m_decls[i].name == css) {
            auto decls = m_decls;
            decls.erase(decls.begin() + qsizetype(i));
            m_owner->setStyleDeclarations(std::move(decls));
            return true;
        }
    return false;
}

Variant Style::zIndex() const
{
    const QString v = value(QStringLiteral("z-index"));
    bool ok = false;
    const int z = v.trimmed().toInt(&ok);
    return ok ? Variant(z) : Variant::null();
}

} // namespace engine
