#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

// One entry of a server folder listing.
struct FtpEntry
{
    QString name;
    bool isFolder = false;
    qint64 size = 0;
};

// Parses the reply of an FTP LIST command: Unix "ls -l" lines and DOS
// ("MM-DD-YY  HH:MMAM  <DIR>|size  name") lines, in any mix. Names are UTF-8;
// bytes that are not are read as Latin-1 so that no entry is lost. Lines that
// are neither (the "total" line, blank lines) are skipped, and so are "." and
// "..". Names a hostile or broken server could use to reach outside the listed
// folder ("a/b", "..\x", control characters) are dropped: see isSafeFtpEntryName.
QList<FtpEntry> parseFtpListing(const QByteArray& listing);

// Parses one LIST line; false when it is not an entry line.
bool parseFtpListLine(const QByteArray& line, FtpEntry* entry);

// True when a name may stand for one entry inside a folder: not empty, not
// "." or "..", and free of "/", "\" and control characters.
bool isSafeFtpEntryName(const QString& name);

} // namespace platform
