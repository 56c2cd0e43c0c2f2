#include "util/PathText.h"

#include <QFileInfo>

namespace pathtext_detail {

qsizetype lastSeparator(const QString& path)
{
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace pathtext_detail

bool IsHtmlFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

bool IsImageFileName(const QString& name)
{
    const QString ext = GetFileExtension(name);
    for (const char* known : {"gif", "jpg", "jpeg", "png", "bmp"}) {
        if (ext.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString GetFileNamePart(const QString& path)
{
    return path.mid(pathtext_detail::lastSeparator(path) + 1);
}

QString GetFileExtension(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

bool EndsWithBackslash(const QString& path)
{
    return path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

QString JoinPath(const QString& path, const QString& name)
{
    QString joined = path.left(qMax<qsizetype>(0, path.size() - name.size()));
    if (!EndsWithBackslash(joined))
        joined += QLatin1Char('/');
    return joined + name;
}

QString GetFolderOfPath(const QString& path)
{
    QString normalized = path;
    normalized.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(normalized);
    if (info.exists() && info.isDir())
        return path;
    const qsizetype slash = normalized.lastIndexOf(QLatin1Char('/'));
    if (info.exists())
        return slash < 0 ? QString() : normalized.left(slash);
    const qsizetype dot = normalized.lastIndexOf(QLatin1Char('.'));
    if (dot > slash && normalized.indexOf(QLatin1String("htm"), dot, Qt::CaseInsensitive) >= 0)
        return slash < 0 ? QString() : normalized.left(slash);
    return QString();
}
