#pragma once

#include "platform/FileFault.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QString>

#include <optional>

namespace platform {

// A file written whole or not at all. What is written goes into a new file
// beside the target; commit() checks every write, makes the new file durable
// (fsync), puts it in the target's place with one rename (or a link, when an
// existing file must be kept), and makes the folder durable. Any failure
// removes the new file and leaves the target as it was; fault() says why.
//
// The new file takes the old one's permissions (and its owner, where the
// process may give it); a file that did not exist gets 0666 less the umask,
// unless permissions are set before open(). In Replace mode a target that is
// a symbolic link is written through: the file it leads to is replaced, in
// its own folder, and the link stays.
//
// Writes go straight to the file (no buffer that could fail later): a write
// that fails returns -1 and every later one fails too.
class SafeFile : public QIODevice
{
    Q_OBJECT
public:
    enum class Mode {
        Replace,      // the file is replaced, through links; one its owner made read-only is refused
        ReplaceName,  // whatever stands at the name, a link or a read-only file, is replaced; no link is followed
        KeepExisting, // anything at the name (a link too) is kept, and the write fails with Exists
    };

    explicit SafeFile(const QString& path, Mode mode = Mode::Replace, QObject* parent = nullptr);
    ~SafeFile() override; // an uncommitted write is cancelled
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Only for writing; false, with the fault, when the new file cannot be
    // made (no permission, the folder gone, the target a folder, ...).
    bool open(OpenMode mode = WriteOnly) override;
    // Puts the new file in place; false, with the fault, when any step failed.
    bool commit();
    // Drops the new file; the target stays as it was.
    void cancel();
    // Closing without a commit is a cancel.
    void close() override { cancel(); }

    // Permissions for the new file instead of the old file's, set before open().
    void setPermissions(QFileDevice::Permissions permissions) { m_permissions = permissions; }

    // When the new file is made durable before it is put in place: always
    // (a saved document), or only when it replaces a file, whose old content
    // a power cut must not take (bulk copies of new files, as file managers
    // make them, skip the wait).
    enum class Sync { Always, WhenReplacing };
    void setSync(Sync sync) { m_sync = sync; }

    FileFault fault() const { return m_fault; }
    QString fileName() const { return m_path; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool fail(FileFault fault);
    void dropTemporary();

    QString m_path;
    Mode m_mode;
    Sync m_sync = Sync::Always;
    bool m_replacing = false; // a file stood at the name when it was opened
    std::optional<QFileDevice::Permissions> m_permissions;
    QByteArray m_final;     // the file that is replaced (the link's end), encoded
    QByteArray m_temporary; // the new file beside it, encoded
    int m_fd = -1;
    FileFault m_fault = FileFault::None;
};

// Writes `bytes` as the whole content of `path` through a SafeFile.
FileFault writeFileWhole(const QString& path, const QByteArray& bytes, SafeFile::Mode mode = SafeFile::Mode::Replace,
                         std::optional<QFileDevice::Permissions> permissions = std::nullopt);

} // namespace platform
