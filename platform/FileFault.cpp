#include "platform/FileFault.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileFault fileFaultFromErrno(int err)
{
    switch (err) {
    case 0:
        return FileFault::None;
    case ENOSPC:
    case EDQUOT:
        return FileFault::NoSpace;
    case EACCES:
    case EPERM:
        return FileFault::NoPermission;
    case EROFS:
        return FileFault::ReadOnlyFileSystem;
    case ENOENT:
        return FileFault::NotFound;
    case ENOTDIR:
        return FileFault::FolderGone;
    case ENAMETOOLONG:
        return FileFault::NameTooLong;
    case EISDIR:
        return FileFault::IsFolder;
    case EEXIST:
        return FileFault::Exists;
    case EFBIG:
    case EOVERFLOW:
        return FileFault::TooLarge;
    default:
        return FileFault::Failed;
    }
}

FileFault readFileWhole(const QString& path, QByteArray* bytes, qint64 maxBytes)
{
    if (path.isEmpty())
        return FileFault::NoFileName;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fileFaultFromErrno(errno);
    struct stat st;
    FileFault fault = FileFault::None;
    if (::fstat(fd, &st) != 0)
        fault = fileFaultFromErrno(errno);
    else if (S_ISDIR(st.st_mode))
        fault = FileFault::IsFolder;
    else if (maxBytes >= 0 && st.st_size > maxBytes)
        fault = FileFault::TooLarge;
    QByteArray read;
    if (fault == FileFault::None) {
        read.resize(qsizetype(st.st_size));
        qsizetype done = 0;
        while (true) {
            if (done == read.size()) {
                // The file grew since it was measured (or reports no size, as /proc does).
                if (maxBytes >= 0 && read.size() >= maxBytes + 1) {
                    fault = FileFault::TooLarge;
                    break;
                }
                read.resize(read.size() + 64 * 1024);
            }
            const ssize_t n = ::read(fd, read.data() + done, size_t(read.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                fault = fileFaultFromErrno(errno);
                break;
            }
            if (n == 0)
                break;
            done += n;
        }
        read.truncate(done);
        if (fault == FileFault::None && maxBytes >= 0 && done > maxBytes)
            fault = FileFault::TooLarge;
    }
    ::close(fd);
    if (fault == FileFault::None && bytes)
        *bytes = std::move(read);
    return fault;
}

} // namespace platform
