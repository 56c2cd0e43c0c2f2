#include "publish/FtpTransferPaths.h"

#include <algorithm>

FtpTransferItem ParseTransferItem(const QString& item)
{
    FtpTransferItem result;
    QString text = item;
    text.replace(u'\\', u'/');
    result.isFolder = text.endsWith(u'/');
    for (const QString& part : text.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            result.isSafe = false;
        for (QChar c : part)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                result.isSafe = false;
        result.parts.append(part);
    }
    return result;
}

QString MakeServerPath(const QString& remoteBase, const QString& item)
{
    QString path = remoteBase + u'/' + item;
    path.replace(u'\\', u'/');
    while (path.contains(QLatin1String("//")))
        path.replace(QLatin1String("//"), QLatin1String("/"));
    return path;
}

QString MakeLocalPath(const QString& localFolder, const QString& item)
{
    const FtpTransferItem parsed = ParseTransferItem(item);
    if (!parsed.isSafe)
        return QString();
    QString folder = localFolder;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (parsed.parts.isEmpty())
        return folder;
    return folder + u'/' + parsed.parts.join(u'/');
}

QString BuildProgressLabel(const QString& direction, const QString& place, const QString& item)
{
    const QString label = direction + u'\n' + place + item;
    if (label.size() <= 30)
        return label;
    const qsizetype keep = std::max<qsizetype>(0, 27 - item.size());
    return direction + u'\n' + place.left(keep) + QLatin1String("...") + item;
}
