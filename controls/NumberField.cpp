#include "controls/NumberField.h"

#include <algorithm>
#include <climits>

NumberField::NumberField(int minimum, int maximum, bool mayStayEmpty)
    : m_min(std::min(minimum, maximum)), m_max(std::max(minimum, maximum)), m_mayStayEmpty(mayStayEmpty)
{
}

void NumberField::setRange(int a, int b)
{
    m_min = std::min(a, b);
    m_max = std::max(a, b);
}

int NumberField::clamp(int value) const
{
    return std::clamp(value, m_min, m_max);
}

bool NumberField::isDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int NumberField::valueOf(const QString& text)
{
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return int(value);
}

QString NumberField::textOnLeaving(const QString& text) const
{
    if (text.isEmpty() && m_mayStayEmpty)
        return text;
    return QString::number(clamp(valueOf(text)));
}

QString NumberField::stepped(const QString& text, int steps) const
{
    const int current = clamp(valueOf(text));
    if (text.isEmpty())
        return QString::number(current);
    return QString::number(clamp(int(std::clamp<qint64>(qint64(current) + steps, INT_MIN, INT_MAX))));
}

bool NumberField::canStepUp(const QString& text) const
{
    return text.isEmpty() || valueOf(text) < m_max;
}

bool NumberField::canStepDown(const QString& text) const
{
    return text.isEmpty() || valueOf(text) > m_min;
}
