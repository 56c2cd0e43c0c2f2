#include "platform/FileOps.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace fileops_detail {

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

bool lstatPath(const QString& path, struct stat* st)
{
    return ::lstat(nativePath(path).constData(), st) == 0;
}

QString cleanPath(const QString& path)
{
    return QDir::cleanPath(path);
}

// Whether `inner` is `outer` or lies below it (text comparison of clean paths).
bool isSameOrBelow(const QString& inner, const QString& outer)
{
    const QString a = QDir::cleanPath(QFileInfo(inner).absoluteFilePath());
    const QString b = QDir::cleanPath(QFileInfo(outer).absoluteFilePath());
    return a == b || a.startsWith(b.endsWith(QLatin1Char('/')) ? b : b + QLatin1Char('/'));
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// Copies a link as a link. One that replaces another is made beside it and
// renamed over it, so the old link stays when the new one cannot be made.
int copyLink(const QString& from, const QString& to, bool replace)
{
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(nativePath(from).constData(), target.data(), size_t(target.size()));
    if (n < 0)
        return fileErrorFromErrno(errno);
    target.truncate(n);
    const QByteArray name = nativePath(to);
    if (!replace)
        return ::symlink(target.constData(), name.constData()) == 0 ? FileError::Success : fileErrorFromErrno(errno);
    const QByteArray beside = name.left(name.lastIndexOf('/') + 1) + ".paginor-link-" +
                              QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    if (::symlink(target.constData(), beside.constData()) != 0)
        return fileErrorFromErrno(errno);
    if (::rename(beside.constData(), name.constData()) != 0) {
        const int err = errno;
        ::unlink(beside.constData());
        return fileErrorFromErrno(err);
    }
    return FileError::Success;
}

// The platform number of a fault of writing a file.
int fileErrorOf(FileFault fault)
{
    switch (fault) {
    case FileFault::None:
        return FileError::Success;
    case FileFault::NoSpace:
        return FileError::DiskFull;
    case FileFault::NoPermission:
    case FileFault::ReadOnlyFileSystem:
        return FileError::AccessDenied;
    case FileFault::FolderGone:
    case FileFault::NotFound:
        return FileError::NotFound;
    case FileFault::Exists:
    case FileFault::IsFolder:
        return FileError::Exists;
    case FileFault::NameTooLong:
        return FileError::InvalidParameter;
    default:
        return FileError::Failed;
    }
}

// Copies file contents whole or not at all (see SafeFile): a copy that fails
// half-way leaves the file or link that stood at `to`, and no part of itself.
int copyRegularFile(const QString& from, const QString& to, bool replace)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return source.error() == QFileDevice::PermissionsError ? FileError::AccessDenied : FileError::Failed;
    SafeFile target(to, replace ? SafeFile::Mode::ReplaceName : SafeFile::Mode::KeepExisting);
    target.setPermissions(source.permissions());
    target.setSync(SafeFile::Sync::WhenReplacing);
    if (!target.open())
        return fileErrorOf(target.fault());
    char buffer[64 * 1024];
    while (true) {
        const qint64 n = source.read(buffer, sizeof buffer);
        if (n < 0)
            return FileError::Failed;
        if (n == 0)
            break;
        if (target.write(buffer, n) != n)
            return fileErrorOf(target.fault());
    }
    return target.commit() ? FileError::Success : fileErrorOf(target.fault());
}

int copyTreeInto(const QString& from, const QString& to, OnConflict onConflict);

int copyOne(const QString& from, const QString& to, OnConflict onConflict)
{
    struct stat src;
    if (!lstatPath(from, &src))
        return fileErrorFromErrno(errno);
    struct stat dst;
    const bool targetExists = lstatPath(to, &dst);
    if (S_ISDIR(src.st_mode)) {
        if (targetExists && !S_ISDIR(dst.st_mode))
            return onConflict == OnConflict::Rename ? copyOne(from, freePathLike(to), OnConflict::Fail)
                                                    : FileError::Exists;
        if (!targetExists && ::mkdir(nativePath(to).constData(), 0777) != 0)
            return fileErrorFromErrno(errno);
        return copyTreeInto(from, to, onConflict);
    }
    QString target = to;
    bool replace = false;
    if (targetExists) {
        switch (onConflict) {
        case OnConflict::Fail:
            return FileError::Exists;
        case OnConflict::Rename:
            target = freePathLike(to);
            break;
        case OnConflict::Overwrite:
            if (S_ISDIR(dst.st_mode))
                return FileError::Exists;
            replace = true;
            break;
        }
    }
    if (S_ISLNK(src.st_mode))
        return copyLink(from, target, replace);
    if (!S_ISREG(src.st_mode))
        return FileError::InvalidParameter; // devices, sockets and pipes are not copied
    return copyRegularFile(from, target, replace);
}

int copyTreeInto(const QString& from, const QString& to, OnConflict onConflict)
{
    int result = FileError::Success;
    for (const QString& name : entriesOf(from)) {
        const int r = copyOne(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name, onConflict);
        if (r != FileError::Success && result == FileError::Success)
            result = r;
    }
    return result;
}

int removeTree(const QString& path)
{
    struct stat st;
    if (!lstatPath(path, &st))
        return fileErrorFromErrno(errno);
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(nativePath(path).constData()) != 0)
            return fileErrorFromErrno(errno);
        return FileError::Success;
    }
    int result = emptyFolder(path);
    if (::rmdir(nativePath(path).constData()) != 0 && result == FileError::Success)
        result = fileErrorFromErrno(errno);
    return result;
}

} // namespace fileops_detail

int fileErrorFromErrno(int err)
{
    switch (err) {
    case 0:
        return FileError::Success;
    case ENOENT:
    case ENOTDIR:
        return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileError::AccessDenied;
    case EEXIST:
    case ENOTEMPTY:
        return FileError::Exists;
    case EINVAL:
    case ENAMETOOLONG:
        return FileError::InvalidParameter;
    case ENOSPC:
    case EDQUOT:
        return FileError::DiskFull;
    default:
        return FileError::Failed;
    }
}

bool pathExists(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && fileops_detail::lstatPath(path, &st);
}

QString freePathLike(const QString& path)
{
    if (!pathExists(path))
        return path;
    const QFileInfo info(path);
    const QString folder = info.path();
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    for (int n = 2;; ++n) {
        const QString candidate = folder + QLatin1Char('/') + base + QStringLiteral(" (%1)").arg(n) + ext;
        if (!pathExists(candidate))
            return candidate;
    }
}

int copyPath(const QString& from, const QString& to, OnConflict onConflict)
{
    using namespace fileops_detail;
    if (from.isEmpty() || to.isEmpty())
        return FileError::InvalidParameter;
    if (!pathExists(from))
        return FileError::NotFound;
    if (QFileInfo(from).isDir() && !QFileInfo(from).isSymLink() && isSameOrBelow(to, from))
        return FileError::InvalidParameter; // a folder cannot be copied into itself
    return copyOne(cleanPath(from), cleanPath(to), onConflict);
}

int movePath(const QString& from, const QString& to, OnConflict onConflict)
{
    using namespace fileops_detail;
    if (from.isEmpty() || to.isEmpty())
        return FileError::InvalidParameter;
    // Clean first: lstat() and rename() follow a link named with a trailing "/".
    const QString source = cleanPath(from);
    struct stat src;
    if (!lstatPath(source, &src))
        return fileErrorFromErrno(errno);
    if (S_ISDIR(src.st_mode) && isSameOrBelow(to, source))
        return FileError::InvalidParameter;
    QString target = cleanPath(to);
    struct stat dst;
    if (lstatPath(target, &dst)) {
        if (S_ISDIR(src.st_mode) && S_ISDIR(dst.st_mode) && onConflict != OnConflict::Rename) {
            // Merge into the existing folder, then drop what was moved.
            const int r = copyTreeInto(source, target, onConflict);
            if (r != FileError::Success)
                return r;
            return removeTree(source);
        }
        if (onConflict == OnConflict::Fail)
            return FileError::Exists;
        if (onConflict == OnConflict::Rename)
            target = freePathLike(target);
        else if (S_ISDIR(dst.st_mode))
            return FileError::Exists;
    }
    if (::rename(nativePath(source).constData(), nativePath(target).constData()) == 0)
        return FileError::Success;
    if (errno != EXDEV)
        return fileErrorFromErrno(errno);
    const int copied =
        copyPath(source, target, onConflict == OnConflict::Overwrite ? OnConflict::Overwrite : OnConflict::Fail);
    if (copied != FileError::Success)
        return copied;
    return removeTree(source);
}

int renamePath(const QString& from, const QString& to)
{
    return movePath(from, to, OnConflict::Fail);
}

int removePath(const QString& path)
{
    if (path.isEmpty())
        return FileError::InvalidParameter;
    return fileops_detail::removeTree(fileops_detail::cleanPath(path));
}

int emptyFolder(const QString& path)
{
    using namespace fileops_detail;
    // A trailing "/" would make lstat() follow a link: "link/" is the folder it points to.
    const QString folder = cleanPath(path);
    struct stat st;
    if (folder.isEmpty() || !lstatPath(folder, &st))
        return fileErrorFromErrno(errno);
    if (!S_ISDIR(st.st_mode))
        return FileError::InvalidParameter; // also a link to a folder: never emptied through the link
    int result = FileError::Success;
    for (const QString& name : entriesOf(folder)) {
        const int r = removeTree(folder + QLatin1Char('/') + name);
        if (r != FileError::Success && result == FileError::Success)
            result = r;
    }
    return result;
}

int moveToTrash(const QString& path)
{
    if (!pathExists(path))
        return FileError::NotFound;
    return QFile::moveToTrash(path) ? FileError::Success : FileError::Failed;
}

} // namespace platform
