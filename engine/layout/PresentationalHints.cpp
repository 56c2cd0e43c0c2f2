#include "engine/layout/PresentationalHints.h"

#include <QRegularExpression>

#include <algorithm>
#include <strings.h>
#include <iterator>

namespace engine {

namespace hints_detail {

bool isHex(const QString& s)
{
    for (QChar c : s) {
        if (!c.isDigit() && !(c.toLower() >= 'a' && c.toLower() <= 'f'))
            return false;
    }
    return !s.isEmpty();
}

// "120" -> "120px", "50%" as is, "120px" as is; empty when not a length.
QString length(const QString& valueIn)
{
    const QString value = valueIn.trimmed();
    static const QRegularExpression re(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*(%|px)?"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(value);
    if (!m.hasMatch())
        return QString();
    return m.captured(1) + (m.captured(2) == QLatin1String("%") ? QStringLiteral("%") : QStringLiteral("px"));
}

QString pixels(const QString& value)
{
    const QString l = length(value);
    return l.endsWith('%') ? QString() : l;
}

QString quoteUrl(const QString& url)
{
    QString u = url.trimmed();
    u.replace('\\', '/');
    u.replace('"', QLatin1String("%22"));
    return QStringLiteral("url(\"%1\")").arg(u);
}

QString quoteFamilies(const QString& faces)
{
    QStringList out;
    for (QString f : faces.split(',', Qt::SkipEmptyParts)) {
        f = f.trimmed();
        f.remove('"');
        f.remove('\'');
        if (!f.isEmpty())
            out << QStringLiteral("\"%1\"").arg(f);
    }
    return out.join(QStringLiteral(", "));
}

void add(std::vector<StyleHint>& out, const char* property, const QString& value)
{
    if (!value.isEmpty())
        out.push_back({QString::fromLatin1(property), value});
}

void color(std::vector<StyleHint>& out, const char* property, const QString& attr)
{
    if (!attr.isNull())
        add(out, property, colorAttributeToCss(attr));
}

void alignAsTextAlign(std::vector<StyleHint>& out, const QString& align)
{
    const QString a = align.trimmed().toLower();
    if (a == QLatin1String("left") || a == QLatin1String("right") || a == QLatin1String("center") ||
        a == QLatin1String("justify"))
        add(out, "text-align", a);
    else if (a == QLatin1String("middle") || a == QLatin1String("absmiddle"))
        add(out, "text-align", QStringLiteral("center"));
}

void alignTables(std::vector<StyleHint>& out, const QString& align)
{
    const QString a = align.trimmed().toLower();
    if (!a.isEmpty())
        add(out, kCenterTablesProperty,
            a == QLatin1String("center") || a == QLatin1String("middle") ? QStringLiteral("center")
                                                                         : QStringLiteral("none"));
}

void valign(std::vector<StyleHint>& out, const QString& v)
{
    const QString a = v.trimmed().toLower();
    if (a == QLatin1String("top") || a == QLatin1String("middle") || a == QLatin1String("bottom") ||
        a == QLatin1String("baseline"))
        add(out, "vertical-align", a);
    else if (a == QLatin1String("center"))
        add(out, "vertical-align", QStringLiteral("middle"));
}

// hspace and vspace as margins.
void spacing(std::vector<StyleHint>& out, const HintSource& s)
{
    const QString hspace = pixels(s.attribute("hspace"));
    if (!hspace.isEmpty()) {
        add(out, "margin-left", hspace);
        add(out, "margin-right", hspace);
    }
    const QString vspace = pixels(s.attribute("vspace"));
    if (!vspace.isEmpty()) {
        add(out, "margin-top", vspace);
        add(out, "margin-bottom", vspace);
    }
}

// IMG, EMBED, OBJECT, APPLET, INPUT type=image: align, hspace, vspace, border.
void replacedHints(std::vector<StyleHint>& out, const HintSource& s, bool withBorder)
{
    const QString align = s.attribute("align").trimmed().toLower();
    if (align == QLatin1String("left") || align == QLatin1String("right"))
        add(out, "float", align);
    else if (align == QLatin1String("middle") || align == QLatin1String("absmiddle") ||
             align == QLatin1String("center"))
        add(out, "vertical-align", QStringLiteral("middle"));
    else if (align == QLatin1String("top") || align == QLatin1String("texttop"))
        add(out, "vertical-align", QStringLiteral("top"));
    else if (align == QLatin1String("bottom") || align == QLatin1String("absbottom") ||
             align == QLatin1String("baseline"))
        add(out, "vertical-align", QStringLiteral("baseline"));
    spacing(out, s);
    const QString width = length(s.attribute("width"));
    add(out, "width", width);
    const QString height = length(s.attribute("height"));
    add(out, "height", height);
    if (withBorder) {
        const QString border = s.attribute("border");
        if (!border.isNull()) {
            const QString w = pixels(border);
            add(out, "border-width", w.isEmpty() ? QStringLiteral("0px") : w);
            add(out, "border-style", QStringLiteral("solid"));
        }
    }
}

void tableHints(std::vector<StyleHint>& out, const HintSource& s)
{
    add(out, "width", length(s.attribute("width")));
    add(out, "height", length(s.attribute("height")));
    color(out, "background-color", s.attribute("bgcolor"));
    const QString bg = s.attribute("background");
    if (!bg.trimmed().isEmpty())
        add(out, "background-image", quoteUrl(bg));
    const QString border = s.attribute("border");
    if (!border.isNull()) {
        // A bare border attribute means 1.
        const QString w = border.trimmed().isEmpty() ? QStringLiteral("1px") : pixels(border);
        if (!w.isEmpty() && w != QLatin1String("0px")) {
            add(out, "border-width", w);
            add(out, "border-style", QStringLiteral("outset"));
            add(out, "border-color",
                colorAttributeToCss(s.attribute("bordercolor")).isEmpty()
                    ? QStringLiteral("#808080")
                    : colorAttributeToCss(s.attribute("bordercolor")));
        }
    }
    const QString spacing = s.attribute("cellspacing");
    if (!spacing.isNull()) {
        const QString w = pixels(spacing);
        add(out, "border-spacing", w.isEmpty() ? QStringLiteral("0px") : w);
    }
    const QString align = s.attribute("align").trimmed().toLower();
    if (align == QLatin1String("center")) {
        add(out, "margin-left", QStringLiteral("auto"));
        add(out, "margin-right", QStringLiteral("auto"));
    } else if (align == QLatin1String("left") || align == QLatin1String("right")) {
        add(out, "float", align);
    }
}

void cellHints(std::vector<StyleHint>& out, const HintSource& s)
{
    add(out, "width", length(s.attribute("width")));
    // A cell's height is the least it takes: a zero height leaves it the
    // height of its content, as in a browser.
    const QString height = length(s.attribute("height"));
    if (height != QLatin1String("0px"))
        add(out, "height", height);
    color(out, "background-color", s.attribute("bgcolor"));
    const QString bg = s.attribute("background");
    if (!bg.trimmed().isEmpty())
        add(out, "background-image", quoteUrl(bg));
    alignAsTextAlign(out, s.attribute("align"));
    alignTables(out, s.attribute("align"));
    valign(out, s.attribute("valign"));
    if (!s.attribute("nowrap").isNull())
        add(out, "white-space", QStringLiteral("nowrap"));
    // What the table says about its cells.
    const QString padding = s.ancestorAttribute("table", "cellpadding");
    if (!padding.isNull()) {
        const QString w = pixels(padding);
        add(out, "padding", w.isEmpty() ? QStringLiteral("0px") : w);
    }
    const QString border = s.ancestorAttribute("table", "border");
    if (!border.isNull()) {
        const QString w = border.trimmed().isEmpty() ? QStringLiteral("1px") : pixels(border);
        if (!w.isEmpty() && w != QLatin1String("0px")) {
            add(out, "border-width", QStringLiteral("1px"));
            add(out, "border-style", QStringLiteral("inset"));
            const QString bc = colorAttributeToCss(s.ancestorAttribute("table", "bordercolor"));
            add(out, "border-color", bc.isEmpty() ? QStringLiteral("#808080") : bc);
        }
    }
    color(out, "border-color", s.attribute("bordercolor"));
}

} // namespace hints_detail

QString colorAttributeToCss(const QString& valueIn)
{
    const QString value = valueIn.trimmed();
    if (value.isEmpty())
        return QString();
    if (value.startsWith('#'))
        return value.toLower();
    if ((value.size() == 6 || value.size() == 3) && hints_detail::isHex(value))
        return QLatin1Char('#') + value.toLower();
    return value.toLower();
}

namespace {
// The pixel sizes of FONT sizes 1 to 7.
constexpr int kFontSizes[] = {10, 13, 16, 18, 24, 32, 48};
} // namespace

int fontSizeAttributeToPx(const QString& valueIn)
{
    const auto& kPx = kFontSizes;
    const QString value = valueIn.trimmed();
    if (value.isEmpty())
        return 0;
    bool ok = false;
    int n = 0;
    if (value.startsWith('+') || value.startsWith('-')) {
        n = value.mid(1).toInt(&ok);
        if (!ok)
            return 0;
        n = value.startsWith('+') ? 3 + n : 3 - n;
    } else {
        static const QRegularExpression digits(QStringLiteral("^\\d+"));
        const auto m = digits.match(value);
        if (!m.hasMatch())
            return 0;
        n = m.captured(0).toInt();
    }
    return kPx[std::clamp(n, 1, 7) - 1];
}

bool tagTakesHints(const char* tag)
{
    if (!tag)
        return false;
    // The tags presentationalHints reads, in order: every element asks.
    static constexpr std::string_view kTags[] = {
        "a",  "applet", "basefont", "body",  "caption", "div",    "embed", "font",  "h1",      "h2",
        "h3", "h4",     "h5",       "h6",    "hr",      "iframe", "img",   "li",    "marquee", "object",
        "ol", "p",      "table",    "tbody", "td",      "tfoot",  "th",    "thead", "tr",      "ul"};
    constexpr size_t kLongest = 8;
    char lower[kLongest];
    size_t length = 0;
    for (; tag[length] != '\0'; ++length) {
        if (length == kLongest)
            return false;
        const char c = tag[length];
        lower[length] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return std::binary_search(std::begin(kTags), std::end(kTags), std::string_view(lower, length));
}

const char* hintAncestorOf(std::string_view tag)
{
    if (tag == "td" || tag == "th")
        return "table";
    return tag == "a" ? "body" : nullptr;
}

HintUse hintUseOf(std::string_view attribute)
{
    // What identifies an element or names what it shows, and the node ids
    // the layout is given (the layout serializer's data-pgn).
    static constexpr std::string_view kIgnored[] = {"data-pgn", "id", "class", "style", "src", "alt", "title", "name"};
    if (std::find(std::begin(kIgnored), std::end(kIgnored), attribute) != std::end(kIgnored))
        return HintUse::Ignored;
    return attribute == "href" ? HintUse::Presence : HintUse::Value;
}

std::vector<StyleHint> presentationalHints(const HintSource& s)
{
    using namespace hints_detail;
    std::vector<StyleHint> out;
    const QString& tag = s.tag;
    if (tag == QLatin1String("body")) {
        color(out, "background-color", s.attribute("bgcolor"));
        color(out, "color", s.attribute("text"));
        const QString bg = s.attribute("background");
        if (!bg.trimmed().isEmpty())
            add(out, "background-image", quoteUrl(bg));
        const QString left =
            pixels(s.attribute("leftmargin").isNull() ? s.attribute("marginwidth") : s.attribute("leftmargin"));
        if (!left.isEmpty()) {
            add(out, "margin-left", left);
            add(out, "margin-right",
                pixels(s.attribute("rightmargin")).isEmpty() ? left : pixels(s.attribute("rightmargin")));
        }
        const QString top =
            pixels(s.attribute("topmargin").isNull() ? s.attribute("marginheight") : s.attribute("topmargin"));
        if (!top.isEmpty()) {
            add(out, "margin-top", top);
            add(out, "margin-bottom",
                pixels(s.attribute("bottommargin")).isEmpty() ? top : pixels(s.attribute("bottommargin")));
        }
    } else if (tag == QLatin1String("font")) {
        const QString face = s.attribute("face");
        if (!face.trimmed().isEmpty())
            add(out, "font-family", quoteFamilies(face));
        // As the size keywords, which text in a monospace face takes from
        // its own smaller table; 7 has none.
        static const char* const kKeywords[] = {"x-small", "small", "medium", "large", "x-large", "xx-large"};
        const int px = fontSizeAttributeToPx(s.attribute("size"));
        const int* const at = std::find(std::begin(kFontSizes), std::end(kFontSizes), px);
        if (at != std::end(kFontSizes) && at - std::begin(kFontSizes) < 6)
            add(out, "font-size", QString::fromLatin1(kKeywords[at - std::begin(kFontSizes)]));
        else if (px > 0)
            add(out, "font-size", QStringLiteral("%1px").arg(px));
        color(out, "color", s.attribute("color"));
    } else if (tag == QLatin1String("basefont")) {
        // Nothing shown; the base size of FONT +n/-n stays 3 as in the old engine.
    } else if (tag == QLatin1String("a")) {
        if (!s.attribute("href").isNull()) {
            color(out, "color", s.ancestorAttribute("body", "link"));
        }
    } else if (tag == QLatin1String("table")) {
        tableHints(out, s);
    } else if (tag == QLatin1String("td") || tag == QLatin1String("th")) {
        cellHints(out, s);
    } else if (tag == QLatin1String("tr") || tag == QLatin1String("tbody") || tag == QLatin1String("thead") ||
               tag == QLatin1String("tfoot")) {
        color(out, "background-color", s.attribute("bgcolor"));
        alignAsTextAlign(out, s.attribute("align"));
        alignTables(out, s.attribute("align"));
        valign(out, s.attribute("valign"));
        add(out, "height", pixels(s.attribute("height")));
    } else if (tag == QLatin1String("img")) {
        replacedHints(out, s, true);
    } else if (tag == QLatin1String("embed") || tag == QLatin1String("object") || tag == QLatin1String("applet") ||
               tag == QLatin1String("iframe")) {
        replacedHints(out, s, false);
    } else if (tag == QLatin1String("hr")) {
        const QString colorValue = colorAttributeToCss(s.attribute("color"));
        const bool noShade = !s.attribute("noshade").isNull() || !colorValue.isEmpty();
        const QString size = pixels(s.attribute("size"));
        const int px = size.isEmpty() ? 2 : std::max(1, size.chopped(2).toInt());
        if (noShade) {
            // A solid bar of the rule's size.
            add(out, "border-style", QStringLiteral("solid"));
            add(out, "border-width", QStringLiteral("%1px 0px 0px 0px").arg(px));
            add(out, "border-color", colorValue.isEmpty() ? QStringLiteral("#808080") : colorValue);
            add(out, "height", QStringLiteral("0px"));
            if (!colorValue.isEmpty())
                add(out, "background-color", colorValue);
        } else if (!size.isEmpty() && px <= 1) {
            // A rule of one pixel is its top border alone.
            add(out, "border-bottom-width", QStringLiteral("0px"));
        } else if (!size.isEmpty()) {
            add(out, "height", QStringLiteral("%1px").arg(px - 2));
        }
        add(out, "width", length(s.attribute("width")));
        const QString align = s.attribute("align").trimmed().toLower();
        if (align == QLatin1String("left")) {
            add(out, "margin-left", QStringLiteral("0px"));
            add(out, "margin-right", QStringLiteral("auto"));
        } else if (align == QLatin1String("right")) {
            add(out, "margin-left", QStringLiteral("auto"));
            add(out, "margin-right", QStringLiteral("0px"));
        }
    } else if (tag == QLatin1String("marquee")) {
        add(out, "width", length(s.attribute("width")));
        add(out, "height", length(s.attribute("height")));
        color(out, "background-color", s.attribute("bgcolor"));
        spacing(out, s);
    } else if (tag == QLatin1String("caption")) {
        const QString align = s.attribute("align").trimmed().toLower();
        if (align == QLatin1String("top") || align == QLatin1String("bottom"))
            add(out, "caption-side", align);
        else
            alignAsTextAlign(out, align);
    } else if (tag == QLatin1String("p") || tag == QLatin1String("div") ||
               (tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6')) {
        alignAsTextAlign(out, s.attribute("align"));
        if (tag == QLatin1String("p") || tag == QLatin1String("div"))
            alignTables(out, s.attribute("align"));
    } else if (tag == QLatin1String("ul") || tag == QLatin1String("ol") || tag == QLatin1String("li")) {
        const QString type = s.attribute("type").trimmed();
        if (type == QLatin1String("1"))
            add(out, "list-style-type", QStringLiteral("decimal"));
        else if (type == QLatin1String("a"))
            add(out, "list-style-type", QStringLiteral("lower-alpha"));
        else if (type == QLatin1String("A"))
            add(out, "list-style-type", QStringLiteral("upper-alpha"));
        else if (type == QLatin1String("i"))
            add(out, "list-style-type", QStringLiteral("lower-roman"));
        else if (type == QLatin1String("I"))
            add(out, "list-style-type", QStringLiteral("upper-roman"));
        else if (!type.isEmpty() && QStringList{"disc", "circle", "square"}.contains(type.toLower()))
            add(out, "list-style-type", type.toLower());
    }
    return out;
}

} // namespace engine
