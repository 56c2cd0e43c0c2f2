#include "web/WebTemplates.h"

#include "res/resource.h"
#include "web/WebFolders.h"

#include "platform/FileOps.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace webtemplates_detail {

// Regular files and folders, hidden ones too; links and special files are left out.
constexpr QDir::Filters kEntries = QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks;

// Copies one regular file over `to`; false when it could not.
bool copyFile(const QString& from, const QString& to)
{
    if (platform::copyPath(from, to, platform::OnConflict::Overwrite) != platform::FileError::Success)
        return false;
    // A web copied from the shipped, read-only templates is the user's to change.
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

// Makes the folder when it is missing; false when none stands there afterwards.
bool makeFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return true;
    return !platform::pathExists(path) && QDir().mkdir(path);
}

} // namespace webtemplates_detail

void SortNamesForLocale(QStringList& names)
{
    const QCollator collator;
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

QStringList WebTemplateCategories(const QString& root)
{
    if (root.isEmpty())
        return {};
    QStringList names =
        QDir(root).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Unsorted);
    SortNamesForLocale(names);
    return names;
}

QStringList WebTemplateNames(const QString& categoryFolder)
{
    if (categoryFolder.isEmpty())
        return {};
    QStringList names;
    const QFileInfoList entries = QDir(categoryFolder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        // The extension is the text after the last ".".
        const QString name = entry.fileName();
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot < 0 || name.mid(dot + 1).compare(QLatin1String("gif"), Qt::CaseInsensitive) != 0)
            continue;
        names.append(name.left(dot));
    }
    SortNamesForLocale(names);
    return names;
}

int WebWizardRefusal(const QString& templateName, const QString& webName, const QString& webRoot)
{
    if (templateName.isEmpty())
        return IDS_SELECT_TEMPLATE;
    // The new-web dialog's rule, told in the wizard's own words.
    switch (NewWebNameRefusal(webName, webRoot)) {
    case 0:
        return 0;
    case IDS_ENTER_WEB_NAME:
        return IDS_ENTER_NEW_WEB_NAME;
    case IDS_WEB_EXISTS:
        return IDS_WEB_NAME_TAKEN;
    default:
        return IDS_BAD_FILE_NAME;
    }
}

QStringList CopyWebTemplate(const QString& templateFolder, const QString& webFolder)
{
    using namespace webtemplates_detail;
    QStringList failed;
    const QDir source(templateFolder);
    // 1. The template's own entries.
    for (const QFileInfo& entry : source.entryInfoList(kEntries, QDir::Name)) {
        const QString name = entry.fileName();
        const QString target = webFolder + QLatin1Char('/') + name;
        if (entry.isFile()) {
            if (!copyFile(entry.filePath(), target))
                failed.append(name);
            continue;
        }
        // 2. A folder, with the files directly in it.
        if (!makeFolder(target)) {
            failed.append(name + QLatin1Char('/'));
            continue;
        }
        for (const QFileInfo& inner :
             QDir(entry.filePath()).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name)) {
            if (!copyFile(inner.filePath(), target + QLatin1Char('/') + inner.fileName()))
                failed.append(name + QLatin1Char('/') + inner.fileName());
        }
    }
    return failed;
}
