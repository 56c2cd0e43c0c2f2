#pragma once

#include <QString>

// Copying, moving, renaming and removing files and folder trees. Symbolic
// links are never followed: a link inside a tree is copied, moved or removed as
// a link, so no operation reaches outside the tree it was given.
namespace platform {

// Results, in the numbers the program tests.
namespace FileError {
constexpr int Success = 0;
constexpr int NotFound = 2;
constexpr int AccessDenied = 5;
constexpr int Failed = 31;
constexpr int Exists = 80;
constexpr int InvalidParameter = 87;
constexpr int DiskFull = 112;
} // namespace FileError

// What a copy or move does when its target exists. A folder copied or moved
// onto an existing folder is merged into it, each file by this rule.
enum class OnConflict {
    Fail,      // leave the existing file, report Exists
    Overwrite, // replace it (the new file is complete before the old one goes)
    Rename,    // give the new file a free name: "name (2).ext"
};

// The platform number of an errno value.
int fileErrorFromErrno(int err);

// Whether the path exists as a file, folder or link (a dangling link counts).
bool pathExists(const QString& path);

// Copies a file, a link or a folder tree to `to` (the new path, not its folder).
int copyPath(const QString& from, const QString& to, OnConflict onConflict = OnConflict::Fail);

// Moves a file, link or folder tree to `to`; across file systems by copying
// and then removing the source.
int movePath(const QString& from, const QString& to, OnConflict onConflict = OnConflict::Fail);

// Renames within a folder or moves to a new path; fails when `to` exists.
int renamePath(const QString& from, const QString& to);

// Removes a file, a link (not what it points to) or a folder tree.
int removePath(const QString& path);

// Removes everything inside a folder; the folder itself stays.
int emptyFolder(const QString& folder);

// Moves a file or folder to the desktop's trash.
int moveToTrash(const QString& path);

// The first of path, "name (2).ext", "name (3).ext", ... that does not exist.
QString freePathLike(const QString& path);

} // namespace platform
