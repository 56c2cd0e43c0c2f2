#include "engine/css/CssColor.h"

#include <QColor>
#include <QRegularExpression>

namespace engine {

namespace csscolor_detail {
bool isHex(const QString& s)
{
    for (QChar c : s)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}
} // namespace csscolor_detail

std::optional<platform::ColorRef> parseCssColor(const QString& text)
{
    using csscolor_detail::isHex;
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QString hex = t.startsWith(u'#') ? t.mid(1) : t;
    if ((hex.size() == 6 || hex.size() == 3) && isHex(hex) && (t.startsWith(u'#') || hex.size() == 6)) {
        if (hex.size() == 3)
            hex = QString(hex[0]) + hex[0] + hex[1] + hex[1] + hex[2] + hex[2];
        const uint v = hex.toUInt(nullptr, 16);
        return platform::rgb(int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v & 0xFF));
    }
    static const QRegularExpression rgbFn(
        QStringLiteral("^rgb\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*\\)$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = rgbFn.match(t);
    if (m.hasMatch())
        return platform::rgb(qMin(255, m.captured(1).toInt()), qMin(255, m.captured(2).toInt()),
                             qMin(255, m.captured(3).toInt()));
    for (QChar c : t)
        if (!c.isLetter() || c.unicode() > 127)
            return std::nullopt;
    const QString lower = t.toLower();
    if (!QColor::isValidColor(lower) || lower == QLatin1String("transparent"))
        return std::nullopt;
    return platform::fromQColor(QColor(lower));
}

QString normalizeColorText(const QString& text)
{
    const auto c = parseCssColor(text);
    return c ? colorToHex(*c) : text;
}

QString colorToHex(platform::ColorRef c)
{
    return QStringLiteral("#%1%2%3")
        .arg(platform::redOf(c), 2, 16, QChar(u'0'))
        .arg(platform::greenOf(c), 2, 16, QChar(u'0'))
        .arg(platform::blueOf(c), 2, 16, QChar(u'0'));
}

} // namespace engine
