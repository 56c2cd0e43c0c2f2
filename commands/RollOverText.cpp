#include "commands/RollOverText.h"

#include "engine/html/HtmlSerializer.h"

namespace rollovertext_detail {

QString scriptString(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace rollovertext_detail

QString RollOverCall(const QString& name, const QString& path)
{
    using rollovertext_detail::scriptString;
    return QStringLiteral("VornaChangeImage(%1, %2)").arg(scriptString(name), scriptString(path));
}

QString RollOverAttributeText(const QString& name, const QString& normalPath, const QString& rollOverPath, QSize size)
{
    using engine::HtmlSerializer;
    // A picture that cannot be measured (its file missing) keeps its own size rather than none.
    const QString dimensions =
        size.isEmpty() ? QString() : QStringLiteral(" width=%1 height=%2").arg(size.width()).arg(size.height());
    if (rollOverPath.isEmpty())
        return dimensions;
    return QLatin1Char(' ') +
           HtmlSerializer::attributeText(QStringLiteral("id"), QStringLiteral("VornaRollImage"), true) +
           QLatin1Char(' ') + HtmlSerializer::attributeText(QStringLiteral("name"), name, true) + QLatin1Char(' ') +
           HtmlSerializer::attributeText(QStringLiteral("OnMouseOver"), RollOverCall(name, rollOverPath), true) +
           QLatin1Char(' ') +
           HtmlSerializer::attributeText(QStringLiteral("OnMouseOut"), RollOverCall(name, normalPath), true) +
           dimensions;
}

QString RollOverPathOf(const QString& onMouseOver)
{
    // The second argument: from the first quote after the first comma to its closing quote. A backslash before a
    // backslash or a quote escapes it; before anything else it is a folder separator of a path written unescaped.
    const qsizetype comma = onMouseOver.indexOf(QLatin1Char(','));
    const qsizetype open = comma < 0 ? -1 : onMouseOver.indexOf(QLatin1Char('\''), comma);
    if (open < 0)
        return QString();
    QString path;
    for (qsizetype i = open + 1; i < onMouseOver.size(); ++i) {
        const QChar c = onMouseOver[i];
        if (c == u'\\' && i + 1 < onMouseOver.size() &&
            (onMouseOver[i + 1] == u'\\' || onMouseOver[i + 1] == u'\'' || onMouseOver[i + 1] == u'"')) {
            path += onMouseOver[++i];
            continue;
        }
        if (c == u'\'')
            return path;
        path += c;
    }
    return QString();
}
