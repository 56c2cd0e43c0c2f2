#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Why a file could not be read or written: a value the program words for the
// user in its own language.
enum class FileFault {
    None,
    NoSpace,            // the file system, or the user's quota, is full
    NoPermission,       // the folder or the file may not be written (or read)
    ReadOnlyFileSystem, // the file system is mounted read-only
    FolderGone,         // the folder to write in does not exist (any more)
    NotFound,           // the file to read does not exist
    NameTooLong,        // the name or the whole path is longer than the file system takes
    IsFolder,           // the name is a folder's
    Exists,             // the name is taken, and the write must not replace it
    RenameRefused,      // the file system refused to put the new file in the old one's place
    TooLarge,           // beyond what the file system or the reader takes
    NoFileName,         // there is no file to write to (nothing saved yet, an address)
    Unreachable,        // the address could not be fetched
    NotEncoded,         // the content could not be made (a picture the library refuses)
    NoMemory,           // more than the memory the system can still give
    Unreadable,         // a page whose markup no tree can be built from
    Failed,             // any other fault of the device (an I/O error)
};

// The fault an errno value of open, read, write, fsync, close or link stands for.
FileFault fileFaultFromErrno(int err);

// Reads a regular file whole. More than `maxBytes` (when not negative) is
// TooLarge, and nothing is read then.
FileFault readFileWhole(const QString& path, QByteArray* bytes, qint64 maxBytes = -1);

} // namespace platform
