#include "controls/ProfileString.h"

#include "platform/CodePages.h"

#include <QFile>
#include <QStringList>

QString ReadProfileString(const QString& iniPath, const QString& section, const QString& key,
                          const QString& defaultValue, int maxLength)
{
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const QByteArray bytes = file.readAll();
    bool utf8 = false;
    QString text = platform::decodeText(bytes, QStringLiteral("UTF-8"), &utf8);
    if (!utf8)
        text = platform::decodeText(bytes, QStringLiteral("windows-31j"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    bool inSection = false;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            inSection = close > 0 && line.mid(1, close - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        return value.left(maxLength);
    }
    return defaultValue;
}
