#include "engine/css/FilterCalls.h"

#include <algorithm>

namespace engine {

namespace filtercalls_detail {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u':';
}

QString unquoted(QStringView text)
{
    text = text.trimmed();
    if (text.size() >= 2 && (text.front() == u'\'' || text.front() == u'"') && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text.trimmed().toString();
}

// "progid:DXImageTransform.Microsoft.Emboss" -> "emboss".
QString shortName(QStringView name)
{
    const qsizetype dot = std::max(name.lastIndexOf(u'.'), name.lastIndexOf(u':'));
    return name.mid(dot + 1).toString().toLower();
}

void parseArguments(QStringView text, FilterCall& call)
{
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype comma = text.indexOf(u',', from);
        if (comma < 0)
            comma = text.size();
        const QStringView piece = text.mid(from, comma - from);
        const qsizetype eq = piece.indexOf(u'=');
        if (eq > 0)
            call.args.emplace_back(piece.left(eq).trimmed().toString().toLower(), unquoted(piece.mid(eq + 1)));
        else if (!piece.trimmed().isEmpty())
            call.args.emplace_back(piece.trimmed().toString().toLower(), QString());
        from = comma + 1;
    }
}

} // namespace filtercalls_detail

bool FilterCall::hasArgument(const QString& key) const
{
    return std::any_of(args.begin(), args.end(), [&](const auto& a) { return a.first == key; });
}

QString FilterCall::argument(const QString& key, const QString& fallback) const
{
    for (const auto& a : args) {
        if (a.first == key)
            return a.second;
    }
    return fallback;
}

int FilterCall::number(const QString& key, int fallback, int low, int high) const
{
    const QString text = argument(key);
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    if (i >= text.size() || !text[i].isDigit())
        return std::clamp(fallback, low, high);
    long long value = 0;
    for (; i < text.size() && text[i].isDigit(); ++i)
        value = std::min<long long>(value * 10 + text[i].digitValue(), 1000000000LL);
    return int(std::clamp<long long>(negative ? -value : value, low, high));
}

std::vector<FilterCall> parseFilterCalls(const QString& text)
{
    using namespace filtercalls_detail;
    std::vector<FilterCall> calls;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (!isNameChar(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isNameChar(text[i]))
            ++i;
        FilterCall call;
        call.name = shortName(QStringView(text).mid(start, i - start));
        qsizetype j = i;
        while (j < n && text[j].isSpace())
            ++j;
        if (j < n && text[j] == u'(') {
            qsizetype close = text.indexOf(u')', j + 1);
            if (close < 0)
                close = n;
            parseArguments(QStringView(text).mid(j + 1, close - j - 1), call);
            i = close + 1;
        }
        // "none" is the plain CSS way of saying no filter.
        if (!call.name.isEmpty() && !(call.name == QLatin1String("none") && call.args.empty()))
            calls.push_back(std::move(call));
    }
    return calls;
}

} // namespace engine
