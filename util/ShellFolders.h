#pragma once

#include "platform/Hresult.h"

#include <QString>

// The folders the user sees by name: the desktop, the documents folder and the
// computer (the file system's root and its mounted volumes). A display-form
// path starts with one of their names from the string table followed by "/"
// ("マイ ドキュメント/web/site"); a path under the computer continues with the
// absolute path without its leading "/".

inline constexpr int CSIDL_DESKTOP = 0;
inline constexpr int CSIDL_PERSONAL = 5;
inline constexpr int CSIDL_DESKTOPDIRECTORY = 16;

// The display prefixes: the name and "/".
QString DesktopDisplayPrefix();
QString DocumentsDisplayPrefix();
QString ComputerDisplayPrefix();

// Reduces a volume label such as "Data (/media/user/Data)" to its mount point
// and tells whether that is the root of a mounted volume.
bool GetDriveTypeOfLabel(QString& label);

// The name the user sees for a folder: the desktop's, the documents folder's
// or the computer's name, "name (mount point)" for a volume, else the
// folder's own name. False when the path does not exist.
bool GetShellDisplayName(QString& path);

// The path of the desktop (CSIDL_DESKTOP, CSIDL_DESKTOPDIRECTORY) or documents
// (CSIDL_PERSONAL) folder; `path` is unchanged on failure.
HRESULT GetSpecialFolderPath(int csidl, QString& path);

// Turns a display-form path into a file-system path; others stay as they are.
void ResolveShellDisplayPath(QString& path);

// The display path of the nearest existing folder along a display path; the
// computer's prefix when nothing along it exists.
QString GetNearestExistingFolder(const QString& displayPath);
