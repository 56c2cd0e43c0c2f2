#include "controls/FileDialogFilter.h"

QList<FileDialogFilter> ParseFileDialogFilter(const QString& text)
{
    QList<FileDialogFilter> filters;
    const QStringList parts = text.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString label = parts[i].trimmed();
        if (label.isEmpty())
            break; // the "||" that ends the list
        FileDialogFilter filter{label, {}};
        for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty())
                continue;
            // Names without a dot are files too; "*.*" meant every file.
            filter.patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (!filter.patterns.isEmpty())
            filters << filter;
    }
    return filters;
}

QString QtNameFilter(const FileDialogFilter& filter)
{
    return filter.label + QStringLiteral(" (") + filter.patterns.join(u' ') + u')';
}

QString DefaultExtensionOf(const FileDialogFilter& filter, const QString& fallback)
{
    if (filter.patterns.isEmpty())
        return fallback;
    const QString& first = filter.patterns.first();
    if (!first.startsWith(QLatin1String("*.")))
        return fallback;
    const QString extension = first.mid(2);
    if (extension.isEmpty() || extension.contains(u'*') || extension.contains(u'?') || extension.contains(u'['))
        return fallback;
    return extension;
}
