#include "engine/editing/ClipboardData.h"

#include <QMimeData>

namespace engine::clipboard {

namespace clip_detail {
const QLatin1String kStart("<!--StartFragment-->");
const QLatin1String kEnd("<!--EndFragment-->");

QString between(const QString& html)
{
    const int s = html.indexOf(kStart);
    const int e = html.indexOf(kEnd);
    if (s >= 0 && e > s)
        return html.mid(s + kStart.size(), e - s - kStart.size());
    return html;
}
} // namespace clip_detail

QString wrapFragment(const QString& fragment)
{
    return QLatin1String("<HTML><BODY>\n") + clip_detail::kStart + fragment + clip_detail::kEnd +
           QLatin1String("\n</BODY>\n</HTML>");
}

QByteArray htmlFormat(const QString& fragment)
{
    const QByteArray html = wrapFragment(fragment).toUtf8();
    const QByteArray header = "Version:0.9\r\nStartHTML:%1\r\nEndHTML:%2\r\nStartFragment:%3\r\nEndFragment:%4\r\n";
    // Every offset is written with ten digits, so the header's length is
    // known before the numbers are.
    const qsizetype headerLength = header.size() - 4 * 2 + 4 * 10;
    const qsizetype fragStart = html.indexOf(QByteArray(clip_detail::kStart.data())) + clip_detail::kStart.size();
    const qsizetype fragEnd = html.indexOf(QByteArray(clip_detail::kEnd.data()));
    auto num = [](qsizetype v) { return QByteArray::number(v).rightJustified(10, '0'); };
    QByteArray out = header;
    out.replace("%1", num(headerLength));
    out.replace("%2", num(headerLength + html.size()));
    out.replace("%3", num(headerLength + fragStart));
    out.replace("%4", num(headerLength + fragEnd));
    return out + html;
}

std::unique_ptr<QMimeData> makeMimeData(const QString& fragment, const QString& text)
{
    auto data = std::make_unique<QMimeData>();
    data->setHtml(wrapFragment(fragment));
    data->setData(QString::fromLatin1(kHtmlFormatMime), htmlFormat(fragment));
    data->setText(text);
    return data;
}

QString fragmentOf(const QMimeData* data)
{
    if (!data)
        return QString();
    if (data->hasHtml())
        return clip_detail::between(data->html());
    if (data->hasFormat(QString::fromLatin1(kHtmlFormatMime))) {
        const QString all = QString::fromUtf8(data->data(QString::fromLatin1(kHtmlFormatMime)));
        const int html = all.indexOf(u'<');
        return clip_detail::between(html >= 0 ? all.mid(html) : all);
    }
    return QString();
}

QString textOf(const QMimeData* data)
{
    return data && data->hasText() ? data->text() : QString();
}

bool hasPastableData(const QMimeData* data)
{
    return data && (data->hasHtml() || data->hasText() || data->hasFormat(QString::fromLatin1(kHtmlFormatMime)));
}

} // namespace engine::clipboard
