#include "util/HtmlTextScan.h"

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
