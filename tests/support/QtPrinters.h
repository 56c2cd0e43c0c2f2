#pragma once

// How GoogleTest prints Qt values in failure messages. Part of every test
// executable's precompiled header, so all test files agree on one printer.

#include "platform/FileFault.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <iterator>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"' << b.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    *os << '}';
}

namespace platform {

inline void PrintTo(FileFault fault, std::ostream* os)
{
    static const char* const names[] = {"None",        "NoSpace",       "NoPermission", "ReadOnlyFileSystem",
                                        "FolderGone",  "NotFound",      "NameTooLong",  "IsFolder",
                                        "Exists",      "RenameRefused", "TooLarge",     "NoFileName",
                                        "Unreachable", "NotEncoded",    "NoMemory",     "Failed"};
    const int i = int(fault);
    *os << "FileFault::" << (i >= 0 && i < int(std::size(names)) ? names[i] : "?");
}

} // namespace platform
