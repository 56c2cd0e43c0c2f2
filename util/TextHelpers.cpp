#include "util/TextHelpers.h"

#include <limits>

QByteArray ConvertToUtf8(const QString& text)
{
    return text.toUtf8();
}

int HasBadFileNameChar(const QString& name)
{
    static const QString bad = QStringLiteral("/\\:*?\"<>|");
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (bad.contains(name[i]))
            return int(i);
    }
    return -1;
}

int LeadingInteger(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() &&
           (text[i] == QLatin1Char(' ') || (text[i] >= QLatin1Char('\t') && text[i] <= QLatin1Char('\r'))))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            value = qint64(std::numeric_limits<int>::max()) + 1; // clamp instead of overflowing
    }
    if (negative)
        value = -value;
    return int(qBound(qint64(std::numeric_limits<int>::min()), value, qint64(std::numeric_limits<int>::max())));
}

QString NormalizePercentValue(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("50%");
    if (!text.contains(QLatin1Char('%')))
        return QString::number(LeadingInteger(text) / 2);
    return QString::number(LeadingInteger(QStringView(text).chopped(1)) / 2) + QLatin1Char('%');
}

bool IsBlankString(const QString& text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}
