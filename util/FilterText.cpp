#include "util/FilterText.h"

int ParseFilterArguments(const QString& filterText, const QString& name, QString& value)
{
    const qsizetype at = filterText.indexOf(name);
    if (at < 0)
        return -1;
    const qsizetype comma = filterText.indexOf(QLatin1Char(','), at);
    const qsizetype bracket = filterText.indexOf(QLatin1Char(')'), at);
    qsizetype end = -1;
    if (comma >= 0 && bracket >= 0)
        end = std::min(comma, bracket);
    else
        end = comma >= 0 ? comma : bracket;
    QString piece = end >= 0 ? filterText.mid(at, end - at) : QString();
    if (!name.isEmpty())
        piece.remove(name);
    piece.remove(QLatin1Char('=')).remove(QLatin1Char(' ')).remove(QLatin1Char('\''));
    value = piece;
    return 0;
}

bool GetFilterArgument(QString& filterList, const QString& name)
{
    const QString lower = filterList.toLower();
    filterList.clear();
    for (qsizetype from = 0;;) {
        const qsizetype close = lower.indexOf(QLatin1Char(')'), from);
        if (close < 0)
            return false;
        const QStringView piece = QStringView(lower).mid(from, close - from + 1);
        if (piece.contains(name)) {
            filterList = piece.toString();
            return true;
        }
        from = close + 1;
    }
}
