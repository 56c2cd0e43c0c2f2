#include "platform/SafeFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace safefile_detail {

// The file a path ends at through its symbolic links (the path itself when it
// is no link or does not exist); relative link targets count from the link's
// folder. Empty with `err` set when the chain cannot be followed.
QByteArray finalTarget(const QByteArray& path, int* err)
{
    QByteArray current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), target.data(), size_t(target.size()));
        if (n < 0) {
            *err = errno;
            return {};
        }
        target.truncate(n);
        if (!target.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            target.prepend(slash < 0 ? QByteArray() : current.left(slash + 1));
        }
        current = target;
    }
    *err = ELOOP;
    return {};
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// A hidden name beside the target, short enough for any target name: the
// start of the target's name (cut at a character's start) and a random part.
QByteArray temporaryBeside(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.mid(slash + 1);
    qsizetype cut = qMin<qsizetype>(name.size(), 48);
    while (cut > 0 && cut < name.size() && (uchar(name.at(cut)) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    name.truncate(cut);
    const quint64 random = QRandomGenerator::system()->generate64();
    return target.left(slash + 1) + '.' + name + ".save-" + QByteArray::number(random, 36);
}

// A fault of making the new file: ENOENT there means the folder is missing.
FileFault faultOfCreate(int err)
{
    return err == ENOENT ? FileFault::FolderGone : fileFaultFromErrno(err);
}

// A fault of the rename or link that puts the new file in place.
FileFault faultOfPlacing(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EROFS:
    case ENAMETOOLONG:
    case EISDIR:
    case EEXIST:
        return fileFaultFromErrno(err);
    case ENOENT:
    case ENOTDIR:
        return FileFault::FolderGone;
    default:
        return FileFault::RenameRefused;
    }
}

void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems cannot sync a folder; the file itself is in place already.
    ::fsync(fd);
    ::close(fd);
}

} // namespace safefile_detail

SafeFile::SafeFile(const QString& path, Mode mode, QObject* parent) : QIODevice(parent), m_path(path), m_mode(mode) {}

SafeFile::~SafeFile()
{
    cancel();
}

bool SafeFile::fail(FileFault fault)
{
    if (m_fault == FileFault::None)
        m_fault = fault;
    return false;
}

void SafeFile::dropTemporary()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

bool SafeFile::open(OpenMode mode)
{
    using namespace safefile_detail;
    if (isOpen() || (mode & ReadOnly) || !(mode & WriteOnly) || (mode & Append))
        return false;
    m_fault = FileFault::None;
    if (m_path.isEmpty())
        return fail(FileFault::NoFileName);
    const QByteArray name = QFile::encodeName(m_path);
    int err = 0;
    m_final = m_mode == Mode::Replace ? finalTarget(name, &err) : name;
    if (m_final.isEmpty())
        return fail(err == ELOOP ? FileFault::Failed : faultOfCreate(err));

    struct stat old;
    const bool exists = (m_mode == Mode::Replace ? ::stat : ::lstat)(m_final.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return fail(faultOfCreate(errno));
    m_replacing = exists;
    if (exists && S_ISDIR(old.st_mode))
        return fail(FileFault::IsFolder);
    if (exists && m_mode == Mode::KeepExisting)
        return fail(FileFault::Exists);
    // A file its owner made read-only is not replaced behind their back.
    if (exists && m_mode == Mode::Replace && ::faccessat(AT_FDCWD, m_final.constData(), W_OK, AT_EACCESS) != 0)
        return fail(fileFaultFromErrno(errno));

    // O_EXCL with a fresh name: the umask applies to a new file's mode as to any file.
    for (int attempt = 0; m_fd < 0; ++attempt) {
        m_temporary = temporaryBeside(m_final);
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && (errno != EEXIST || attempt > 16)) {
            const int openErr = errno;
            m_temporary.clear();
            return fail(faultOfCreate(openErr));
        }
    }
    if (m_permissions) {
        const QFileDevice::Permissions p = *m_permissions;
        const mode_t bits = ((p & QFileDevice::ReadOwner) ? S_IRUSR : 0) |
                            ((p & QFileDevice::WriteOwner) ? S_IWUSR : 0) |
                            ((p & QFileDevice::ExeOwner) ? S_IXUSR : 0) | ((p & QFileDevice::ReadGroup) ? S_IRGRP : 0) |
                            ((p & QFileDevice::WriteGroup) ? S_IWGRP : 0) |
                            ((p & QFileDevice::ExeGroup) ? S_IXGRP : 0) | ((p & QFileDevice::ReadOther) ? S_IROTH : 0) |
                            ((p & QFileDevice::WriteOther) ? S_IWOTH : 0) | ((p & QFileDevice::ExeOther) ? S_IXOTH : 0);
        ::fchmod(m_fd, bits);
    } else if (exists && S_ISREG(old.st_mode)) {
        // The owner first: a change of owner clears the set-id bits the mode then restores.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(m_fd, old.st_uid, old.st_gid) != 0)
                ::fchown(m_fd, uid_t(-1), old.st_gid); // the group alone, where the owner may not be given
        }
        ::fchmod(m_fd, old.st_mode & 07777);
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 SafeFile::readData(char*, qint64)
{
    return -1;
}

qint64 SafeFile::writeData(const char* data, qint64 size)
{
    if (m_fd < 0 || m_fault != FileFault::None)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            fail(fileFaultFromErrno(errno));
            return -1;
        }
        done += n;
    }
    return done;
}

bool SafeFile::commit()
{
    if (m_fd < 0) {
        cancel();
        return fail(FileFault::Failed);
    }
    if (m_fault != FileFault::None) {
        cancel();
        return false;
    }
    // Write-back faults (a full disk found only when the blocks are placed,
    // as on some network and copy-on-write file systems) come from fsync and close.
    const bool sync = m_sync == Sync::Always || m_replacing;
    int err = 0;
    while (sync && ::fsync(m_fd) != 0) {
        if (errno != EINTR) {
            err = errno;
            break;
        }
    }
    if (::close(m_fd) != 0 && err == 0 && errno != EINTR)
        err = errno;
    m_fd = -1;
    if (err != 0) {
        fail(fileFaultFromErrno(err));
        cancel();
        return false;
    }
    bool placed = false;
    if (m_mode != Mode::KeepExisting) {
        placed = ::rename(m_temporary.constData(), m_final.constData()) == 0;
    } else if (::link(m_temporary.constData(), m_final.constData()) == 0) {
        placed = true; // link() never replaces: a file that appeared meanwhile stays
        ::unlink(m_temporary.constData());
    } else if (errno == EPERM || errno == ENOTSUP || errno == EOPNOTSUPP) {
        // A file system without hard links: look, then rename.
        struct stat st;
        if (::lstat(m_final.constData(), &st) == 0)
            errno = EEXIST;
        else
            placed = ::rename(m_temporary.constData(), m_final.constData()) == 0;
    }
    if (!placed) {
        fail(safefile_detail::faultOfPlacing(errno));
        cancel();
        return false;
    }
    m_temporary.clear();
    if (sync)
        safefile_detail::syncFolder(safefile_detail::folderOf(m_final));
    QIODevice::close();
    return true;
}

void SafeFile::cancel()
{
    dropTemporary();
    if (isOpen())
        QIODevice::close();
}

FileFault writeFileWhole(const QString& path, const QByteArray& bytes, SafeFile::Mode mode,
                         std::optional<QFileDevice::Permissions> permissions)
{
    SafeFile file(path, mode);
    if (permissions)
        file.setPermissions(*permissions);
    if (!file.open(QIODevice::WriteOnly))
        return file.fault();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.fault() == FileFault::None ? FileFault::Failed : file.fault();
    return FileFault::None;
}

} // namespace platform
