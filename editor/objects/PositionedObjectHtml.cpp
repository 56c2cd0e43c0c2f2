#include "editor/objects/PositionedObjectHtml.h"

#include "editor/objects/FragmentText.h"

#include <initializer_list>

namespace positionedhtml_detail {

// One argument of a template: a number or a text.
struct Arg
{
    Arg(int n) : text(QString::number(n)) {}
    Arg(const QString& s) : text(s) {}
    QString text;
};

// The template with each "%d" and "%s" taken by the next argument, in one
// pass, so that a "%" in an argument (a path with "%20") stays as it is.
QString format(const char* pattern, std::initializer_list<Arg> args)
{
    const QString text = QString::fromUtf8(pattern);
    QString out;
    out.reserve(text.size() + 64);
    auto next = args.begin();
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size() &&
            (text[i + 1] == QLatin1Char('d') || text[i + 1] == QLatin1Char('s')) && next != args.end()) {
            out += (next++)->text;
            ++i;
        } else {
            out += text[i];
        }
    }
    Q_ASSERT(next == args.end());
    return out;
}

// The position style of the splices: a blank at both ends.
QString counterStyle(int z, int x, int y)
{
    return format(" Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx ", {z, x, y});
}

QString quoted(const QString& s)
{
    return QStringLiteral(" style=\"") + s + QLatin1Char('"');
}

InsertHtml image(const InsertRequest& r, int z, int x, int y)
{
    const QString src = HtmlAttributeText(r.imageSrc);
    if (r.imageFlag == 0) {
        // An image whose file gave no size keeps its own.
        const QString size = r.size.width() > 0 && r.size.height() > 0
                                 ? format("; WIDTH: %dpx; HEIGHT: %dpx", {r.size.width(), r.size.height()})
                                 : QString();
        return {format("<IMG src=\"%s\" style=\"POSITION: absolute; Z-INDEX: %d; LEFT: %dpx; TOP: %dpx%s\" alt=\"\" "
                       "hspace=0 align=baseline border=0>",
                       {src, z, x, y, size}),
                QStringLiteral("IMG"), true};
    }
    if (r.imageFlag == 1) {
        if (UpperTwin(r.imageSrc).contains(QLatin1String("IMG")))
            return {SpliceCounterImage(r.imageSrc, z, x, y), QStringLiteral("IMG"), true};
        return {format("<IMG id=\"ImageCounter\" src=\"%s\" style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; "
                       "TOP: %dpx\" alt=\"\" hspace=0 align=baseline border=0>",
                       {src, z, x, y}),
                QStringLiteral("IMG"), true};
    }
    return {QString(), QStringLiteral("IMG"), true};
}

InsertHtml media(const InsertRequest& r, int z, int x, int y)
{
    const QString src = HtmlAttributeText(r.mediaSrc);
    const int w = r.size.width();
    const int h = r.size.height();
    switch (r.mediaType) {
    case 0:
    case 1:
        return {format("<EMBED src=\"%s\" style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx\" alt=\"\" "
                       "hspace=0 align=baseline border=10 width=\"%d\" height=\"%d\">",
                       {src, z, x, y, w, h}),
                QStringLiteral("EMBED"), true};
    case 2:
        return {format("<EMBED src=\"%s\" style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx\" alt=\"\" "
                       "hspace=0 align=baseline border=10 width=\"%d\" height=\"%d\" autoplay=\"%s\" loop=\"%s\">",
                       {src, z, x, y, w, h, QString::fromLatin1(r.mediaAutoPlay ? "true" : "false"),
                        QString::fromLatin1(r.mediaLoop ? "true" : "false")}),
                QStringLiteral("EMBED"), true};
    case 3:
        return {format("<EMBED src=\"%s\" style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx\" alt=\"\" "
                       "hspace=0 align=baseline border=1 width=\"%d\" height=\"%d\">",
                       {src, z, x, y, w, h}),
                QStringLiteral("EMBED"), true};
    case 4:
        return {SpliceCounterEmbed(r.mediaSrc, z, x, y), QStringLiteral("EMBED"), true};
    default:
        return {QString(), QStringLiteral("EMBED"), true};
    }
}

InsertHtml rollOver(const InsertRequest& r, int z, int x, int y)
{
    if (r.mediaType != 0)
        return {QString(), QString(), true};
    const QString src = HtmlAttributeText(r.imageSrc);
    const int w = r.rollOverSize.width();
    const int h = r.rollOverSize.height();
    if (r.linkHref.isEmpty())
        return {format("<IMG src=\"%s\" style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx; "
                       "width=%dpx; height=%dpx \" alt=\"\" hspace=0 align=baseline border=0 %s>",
                       {src, z, x, y, w, h, r.html}),
                QStringLiteral("IMG"), true};
    const QString href = HtmlAttributeText(r.linkHref);
    if (r.mediaSrc.isEmpty())
        return {format("<A href=\"%s\"><IMG style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx; "
                       "width=%dpx; height=%dpx \" alt=\"\" hspace=0 src=\"%s\" align=baseline border=0 %s ></A>",
                       {href, z, x, y, w, h, src, r.html}),
                QStringLiteral("A"), true};
    return {format("<A href=\"%s\" target=\"%s\"><IMG style=\"Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; "
                   "TOP: %dpx; width=%dpx; height=%dpx  \" alt=\"\" hspace=0 src=\"%s\" align=baseline border=0 %s "
                   "></a>",
                   {href, HtmlAttributeText(r.mediaSrc), z, x, y, w, h, src, r.html}),
            QStringLiteral("A"), true};
}

InsertHtml marquee(const InsertRequest& r, int z, int x, int y)
{
    QString html = format("<MARQUEE border=0 style='Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx' "
                          "id=\"marquee\"",
                          {z, x, y});
    if (r.marqueeDefaultWidth) {
        html += QLatin1String(" width=80%");
    } else {
        if (r.size.width() != 0)
            html += format(" width=%d", {r.size.width()});
        if (r.size.height() != 0)
            html += format(" height=%d", {r.size.height()});
    }
    return {html + QLatin1String("></MARQUEE>"), QStringLiteral("TABLE"), true};
}

} // namespace positionedhtml_detail

QString HtmlAttributeText(const QString& value)
{
    QString text = value;
    text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return text;
}

InsertHtml BuildPositionedObjectHtml(const InsertRequest& r, int z, int x, int y)
{
    namespace detail = positionedhtml_detail;
    using detail::format;
    const int w = r.size.width();
    const int h = r.size.height();
    switch (r.kind) {
    case 1:
        return {format("<TABLE width=%d height=%d border=0 style='Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; "
                       "TOP: %dpx' id=\"text\"><TBODY><TR><TD></TD></TR></TBODY></TABLE>",
                       {w, h, z, x, y}),
                QStringLiteral("TABLE"), true};
    case 10:
        return {format("<OBJECT width = %d height=%d style='Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx' "
                       "CLASSID='CLSID:70E4BF88-2729-4A46-8794-D459BAC0EB63' align=absmiddle VIEWASTEXT><param "
                       "name='FontSize' value='12'><param name='Script' value='{}'></OBJECT>",
                       {w, h, z, x, y}),
                QStringLiteral("OBJECT"), true};
    case 7:
        if (r.hrDefaultWidth)
            return {format("<HR style='Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx' id=\"\" size=%d",
                           {z, x, y, h}) +
                        QLatin1String(" width=\"80%\">"),
                    QStringLiteral("HR"), true};
        return {format("<HR id=hr width=%d size=%d style='Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx' "
                       "id=\"\">",
                       {w, h, z, x, y}),
                QStringLiteral("HR"), true};
    case 2:
        return detail::image(r, z, x, y);
    case 3:
        return detail::media(r, z, x, y);
    case 4:
        return {format("<TABLE style='Z-INDEX: %d; LEFT: %dpx; POSITION: absolute; TOP: %dpx' ", {z, x, y}) + r.html,
                QStringLiteral("TABLE"), true};
    case 6:
        return detail::rollOver(r, z, x, y);
    case 9:
        return detail::marquee(r, z, x, y);
    default:
        return {};
    }
}

QString SpliceCounterImage(const QString& tag, int z, int x, int y)
{
    namespace detail = positionedhtml_detail;
    QString html = tag;
    const QString style = detail::counterStyle(z, x, y);
    const QString upper = UpperTwin(html);
    const int styleAt = int(upper.indexOf(QLatin1String("STYLE=")));
    if (styleAt >= 0) {
        // Right inside the style value's opening quote.
        int quote = int(upper.indexOf(QLatin1Char('"'), styleAt));
        if (quote < 0)
            quote = int(upper.indexOf(QLatin1Char('\''), styleAt));
        if (quote >= 0)
            html.insert(quote + 1, style);
    } else {
        const int close = int(html.lastIndexOf(QLatin1Char('>')));
        if (close >= 0)
            html.insert(close, detail::quoted(style));
    }
    const int img = int(UpperTwin(html).indexOf(QLatin1String("IMG")));
    if (img >= 0)
        html.insert(img + 3, QLatin1String(" id=\"ImageCounter\""));
    return html;
}

QString SpliceCounterEmbed(const QString& tag, int z, int x, int y)
{
    namespace detail = positionedhtml_detail;
    QString html = tag;
    const QString upper = UpperTwin(html);
    const int embed = int(upper.indexOf(QLatin1String("EMBED")));
    if (embed < 0)
        return html;
    const QString style = detail::counterStyle(z, x, y);
    static const QLatin1String styleAttribute("STYLE=\"");
    const int styleAt = int(upper.indexOf(styleAttribute));
    if (styleAt >= 0)
        html.insert(styleAt + int(styleAttribute.size()), style);
    else
        html.insert(embed + 5, detail::quoted(style));
    const int at = int(UpperTwin(html).indexOf(QLatin1String("EMBED")));
    html.insert(at + 5, QLatin1String(" id=\"FlashCounter\""));
    return html;
}
