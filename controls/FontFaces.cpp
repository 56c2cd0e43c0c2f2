#include "controls/FontFaces.h"

#include <QFontDatabase>
#include <QSet>

QString FontFamilyName(const QString& family)
{
    if (family.endsWith(u']')) {
        const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
        if (open > 0)
            return family.left(open);
    }
    return family;
}

QStringList ListFontFaces()
{
    QStringList faces;
    QSet<QString> seen;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        if (!QFontDatabase::isSmoothlyScalable(family) || QFontDatabase::isPrivateFamily(family))
            continue;
        const QString name = FontFamilyName(family);
        if (name.isEmpty() || name.startsWith(u'@') || seen.contains(name))
            continue;
        seen.insert(name);
        faces.append(name);
    }
    return faces;
}

const QStringList& FontList()
{
    static const QStringList list = ListFontFaces();
    return list;
}
