#include "images/ImageFolderListing.h"

#include "util/PathText.h"

#include <QCollator>
#include <QDir>
#include <QFile>

#include <algorithm>

void SortByCollation(QStringList& names)
{
    QCollator collator;
    collator.setNumericMode(false);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

QStringList ListImageFiles(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    QStringList names;
    for (const QString& name : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (!IsImageFileName(name))
            continue;
        // A name that does not come back from the file system's encoding.
        if (QFile::decodeName(QFile::encodeName(name)) != name)
            continue;
        names.append(name);
    }
    SortByCollation(names);
    return names;
}
