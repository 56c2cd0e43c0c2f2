#include "images/ImageFolderListing.h"

#include "util/PathText.h"

#include <QCollator>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <utility>
#include <vector>

void SortByCollation(QStringList& names)
{
    QCollator collator;
    collator.setNumericMode(false);
    // Each name's key made once: thousands of names sort fast.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.emplace_back(collator.sortKey(names[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted.append(names[key.second]);
    names = std::move(sorted);
}

bool IsListedImageName(const QString& name)
{
    // A name that does not come back from the file system's encoding is left out.
    return IsImageFileName(name) && QFile::decodeName(QFile::encodeName(name)) == name;
}

QStringList ListImageFiles(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    QStringList names;
    for (const QString& name : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (IsListedImageName(name))
            names.append(name);
    }
    SortByCollation(names);
    return names;
}
