#include "support/SmallFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

const char kFiller[] = ".filler";

QByteArray optionsFor(qint64 bytes)
{
    return "size=" + QByteArray::number(bytes) + ",mode=0755";
}

} // namespace

SmallFileSystem::SmallFileSystem(qint64 bytes, const QString& mountOn) : m_bytes(bytes)
{
    if (::geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting a tmpfs needs root");
        return;
    }
    if (mountOn.isEmpty()) {
        QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/small-fs-XXXXXX"));
        if (!folder.isValid()) {
            m_whyNot = QStringLiteral("no temporary folder");
            return;
        }
        folder.setAutoRemove(false);
        m_path = folder.path();
        m_ownFolder = true;
    } else if (QDir().mkpath(mountOn)) {
        m_path = mountOn;
    } else {
        m_whyNot = QStringLiteral("no folder %1").arg(mountOn);
        return;
    }
    const QByteArray native = QFile::encodeName(m_path);
    if (::mount("tmpfs", native.constData(), "tmpfs", 0, optionsFor(bytes).constData()) != 0) {
        m_whyNot = QStringLiteral("mount -t tmpfs failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallFileSystem::~SmallFileSystem()
{
    if (m_path.isEmpty())
        return;
    const QByteArray native = QFile::encodeName(m_path);
    // Detached: a file some code still holds open does not keep the mount.
    if (m_mounted)
        ::umount2(native.constData(), MNT_DETACH);
    if (m_ownFolder)
        ::rmdir(native.constData());
}

bool SmallFileSystem::fill()
{
    const QByteArray name = QFile::encodeName(filePath(QLatin1String(kFiller)));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    bool full = false;
    for (qsizetype size = block.size(); size > 0 && !full; size /= 2) {
        while (true) {
            const ssize_t n = ::write(fd, block.constData(), size_t(size));
            if (n < 0) {
                full = errno == ENOSPC && size == 1;
                break;
            }
        }
    }
    ::close(fd);
    return full;
}

void SmallFileSystem::unfill()
{
    QFile::remove(filePath(QLatin1String(kFiller)));
}

bool SmallFileSystem::remount(bool readOnly)
{
    const QByteArray native = QFile::encodeName(m_path);
    return ::mount("tmpfs", native.constData(), "tmpfs", MS_REMOUNT | (readOnly ? MS_RDONLY : 0),
                   optionsFor(m_bytes).constData()) == 0;
}

QStringList SmallFileSystem::entries() const
{
    QStringList names =
        QDir(m_path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    names.removeAll(QLatin1String(kFiller));
    return names;
}
