#include "util/LinkPaths.h"

#include <QDir>
#include <QUrl>

namespace linkpaths_detail {

// The length of a URL scheme with its ":" at the start of the value, or 0.
qsizetype schemeLength(const QString& value)
{
    if (value.isEmpty() || !(value.at(0).isLetter() && value.at(0).unicode() < 128))
        return 0;
    for (qsizetype i = 1; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char(':'))
            return i + 1;
        const bool schemeChar = (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('+') ||
                                c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!schemeChar)
            return 0;
    }
    return 0;
}

bool isFileScheme(const QString& value)
{
    return value.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

} // namespace linkpaths_detail

bool HasForeignScheme(const QString& value)
{
    const QString trimmed = value.trimmed();
    return linkpaths_detail::schemeLength(trimmed) > 0 && !linkpaths_detail::isFileScheme(trimmed);
}

bool IsWebAddress(const QString& value)
{
    const QString trimmed = value.trimmed();
    return trimmed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           trimmed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

LocalLink ReadLocalLink(const QString& value)
{
    LocalLink link;
    QString text = value.trimmed();
    if (text.isEmpty() || text.startsWith(QLatin1Char('#')) || text.startsWith(QLatin1Char('?')))
        return link;
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // "//host/share/a.gif": another machine's file or a scheme-relative address.
    if (text.startsWith(QLatin1String("//")))
        return link;
    if (linkpaths_detail::schemeLength(text) > 0) {
        if (!linkpaths_detail::isFileScheme(text))
            return link;
        const QUrl url(text);
        const QString host = url.host();
        if (!url.isValid() || !url.isLocalFile() ||
            (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0))
            return link;
        link.path = url.path(QUrl::FullyDecoded);
        if (url.hasQuery())
            link.suffix += QLatin1Char('?') + url.query();
        if (url.hasFragment())
            link.suffix += QLatin1Char('#') + url.fragment();
        if (link.path.isEmpty())
            return link;
        link.local = true;
        link.absolute = link.path.startsWith(QLatin1Char('/'));
        return link;
    }
    qsizetype cut = text.indexOf(QLatin1Char('#'));
    const qsizetype query = text.indexOf(QLatin1Char('?'));
    if (query >= 0 && (cut < 0 || query < cut))
        cut = query;
    if (cut >= 0) {
        link.suffix = text.mid(cut);
        text.truncate(cut);
    }
    text.replace(QLatin1String("%20"), QLatin1String(" "));
    text.replace(QLatin1String("%25"), QLatin1String("%"));
    if (text.isEmpty())
        return link;
    link.path = text;
    link.local = true;
    link.absolute = text.startsWith(QLatin1Char('/'));
    return link;
}

QString CleanFullPath(const QString& path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return path;
    QString clean = QDir::cleanPath(path);
    // The parent of "/" is "/".
    while (clean == QLatin1String("/..") || clean.startsWith(QLatin1String("/../")))
        clean.remove(0, 3);
    return clean.isEmpty() ? QStringLiteral("/") : clean;
}

QString ResolveLinkPath(const QString& folder, const QString& relative)
{
    if (relative.startsWith(QLatin1Char('/')))
        return CleanFullPath(relative);
    return CleanFullPath(folder + QLatin1Char('/') + relative);
}

QString PathBelowFolder(const QString& folder, const QString& path)
{
    const QString base = CleanFullPath(folder);
    const QString full = CleanFullPath(path);
    if (base.isEmpty() || !base.startsWith(QLatin1Char('/')))
        return QString();
    const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    return full.startsWith(prefix) && full.size() > prefix.size() ? full.mid(prefix.size()) : QString();
}

QString WithoutDotPrefix(const QString& path)
{
    if (path.startsWith(QLatin1String("./")) || path.startsWith(QLatin1String(".\\")))
        return path.mid(2);
    return path;
}

QString KindFolderOfTag(const QString& tag)
{
    if (tag.compare(QLatin1String("IMG"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("TABLE"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("image");
    if (tag.compare(QLatin1String("EMBED"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("SCRIPT"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("other");
    return QString();
}

QString LinkAttributeOfTag(const QString& tag)
{
    if (tag.compare(QLatin1String("IMG"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("EMBED"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("SCRIPT"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("src");
    if (tag.compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("TABLE"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("background");
    if (tag.compare(QLatin1String("A"), Qt::CaseInsensitive) == 0 ||
        tag.compare(QLatin1String("AREA"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("href");
    return QString();
}
