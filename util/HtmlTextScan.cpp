#include "util/HtmlTextScan.h"

#include "platform/CodePages.h"

#include <QFile>
#include <QFileInfo>

int ExtractTagText(const QString& html, const QString& tagName, QString& tagText, int start)
{
    tagText.clear();
    for (int open = html.indexOf(QLatin1Char('<'), std::max(0, start)); open >= 0;
         open = html.indexOf(QLatin1Char('<'), open + 1)) {
        if (QStringView(html).mid(open + 1, tagName.size()).compare(tagName, Qt::CaseInsensitive) != 0)
            continue;
        const int close = html.indexOf(QLatin1Char('>'), open);
        if (close >= 0)
            tagText = html.mid(open, close - open + 1);
        return open;
    }
    return -1;
}

int GetTagAttribute(const QString& tagText, const QString& name, QString& value)
{
    value.clear();
    if (name.isEmpty())
        return -1;
    const int at = tagText.indexOf(name, 0, Qt::CaseInsensitive);
    if (at < 0)
        return -1;
    const int equals = tagText.indexOf(QLatin1Char('='), at + name.size());
    if (equals < 0)
        return -1;
    int first = equals + 1;
    while (first < tagText.size() && (tagText.at(first) == ' ' || tagText.at(first) == '\t' ||
                                      tagText.at(first) == '\r' || tagText.at(first) == '\n'))
        ++first;
    if (first >= tagText.size())
        return -1;

    const QChar opening = tagText.at(first);
    if (opening == '"' || opening == '\'') {
        const int end = tagText.indexOf(opening, first + 1);
        if (end < 0)
            return -1;
        value = tagText.mid(first + 1, end - first - 1);
        return first + 1;
    }
    const int blank = tagText.indexOf(QLatin1Char(' '), first + 1);
    const int bracket = tagText.indexOf(QLatin1Char('>'), first + 1);
    int end = -1;
    if (blank >= 0 && bracket >= 0)
        end = std::min(blank, bracket);
    else
        end = blank >= 0 ? blank : bracket;
    if (end < 0)
        return -1;
    value = tagText.mid(first, end - first);
    return first;
}

namespace htmltextscan_detail {
// Larger files are not pages a person reads a title from.
constexpr qint64 kMaxPageFileBytes = 64 * 1024 * 1024;
} // namespace htmltextscan_detail

int ReadTagTextFromFile(const QString& path, const QString& tagName, QString& text, int start)
{
    text.clear();
    // Only a regular file: a device or a pipe would never end.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > htmltextscan_detail::kMaxPageFileBytes)
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.read(htmltextscan_detail::kMaxPageFileBytes);
    file.close();
    const QString page = platform::decodeText(bytes, platform::detectCharset(bytes));

    QString tag;
    const int open = ExtractTagText(page, tagName, tag, start);
    if (open < 0 || tag.isEmpty())
        return -1;
    const int close = open + int(tag.size()) - 1;
    const int next = page.indexOf(QLatin1Char('<'), close + 1);
    if (next > close)
        text = page.mid(close + 1, next - close - 1);
    return close;
}

bool FindTitleSpan(const QString& html, qsizetype& from, qsizetype& to)
{
    qsizetype start = html.indexOf(QLatin1String("<TITLE>"));
    if (start < 0)
        start = html.indexOf(QLatin1String("<title>"));
    if (start < 0)
        return false;
    const qsizetype end = html.indexOf(QLatin1String("</"), start);
    if (end < 0 || end - start <= 7)
        return false;
    from = start + 7;
    to = end;
    return true;
}

bool RemoveTagFromHtml(const QString& html, const QString& text)
{
    const qsizetype found = html.indexOf(text);
    if (found < 0)
        return false;
    QString rest = html;
    rest.remove(found, text.size());
    // Whatever stands before the first "<" of the rest, or after the ">" that
    // ends a tag and before the next "<", is text that stays.
    for (qsizetype at = 0; at < rest.size();) {
        if (rest.at(at) != QLatin1Char('<'))
            return false;
        const qsizetype close = rest.indexOf(QLatin1Char('>'), at + 1);
        if (close < 0)
            return false;
        at = close + 1;
    }
    return true;
}
