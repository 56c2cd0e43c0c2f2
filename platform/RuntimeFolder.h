#pragma once

#include <QString>

namespace platform {

// The user's private runtime folder for sockets and locks: XDG_RUNTIME_DIR
// when it is set and names a folder of this user, else a folder
// "paginor-runtime-<uid>" in the temporary folder, made with mode 0700.
// An existing folder of that name that is a link, belongs to another user or
// cannot be made private is refused: the result is then empty.
QString runtimeFolder();

// The same check and creation for a given path (used by runtimeFolder).
bool ensurePrivateFolder(const QString& path);

} // namespace platform
