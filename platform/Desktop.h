#pragma once

#include <QString>
#include <QStringList>

// Handing files and addresses to the desktop, and starting other programs.
namespace platform {

// Opens a local file or folder with the program the desktop associates with
// it. False when the path does not exist or the desktop refused.
bool openWithDesktop(const QString& path);

// Opens an address (http:, mailto:, file:) with the desktop's handler.
bool openAddress(const QString& address);

// Starts a program with an argument list, never through a shell, detached from
// this process. `workingFolder` may be empty. False when it could not start.
bool startProgram(const QString& program, const QStringList& arguments, const QString& workingFolder = QString());

} // namespace platform
