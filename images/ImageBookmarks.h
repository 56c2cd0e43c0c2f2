#pragma once

#include <QString>
#include <QStringList>

// The image bookmarks: named folders the image browser offers in its
// bookmark menu. Each is a string value of the key "Image Favorite" below the
// product key: the value's name is the bookmark's name, its text the folder.
// They are listed in the order they were made; a bookmark stored again
// (renamed or given another folder) moves to the end. Names are compared
// without regard to case, as the store compares value names.
namespace ImageBookmarks {

inline constexpr int kMaxBookmarks = 20;
inline constexpr int kMaxNameLength = 56;
// The browser's commands for the bookmarks of its menu: 162 + index.
inline constexpr int kFirstCommand = 162;

QString KeyPath();

// The names, in the order they were made.
QStringList Names();
// A bookmark's folder, whole however long; empty when there is none.
QString Folder(const QString& name);

// Whether a bookmark named `name` exists besides the one being edited
// (`oldName`, empty for a new bookmark).
bool Clashes(const QString& name, const QString& oldName = {});

// Stores the bookmark (the key is made when missing); with `oldName` the
// bookmark of that name is replaced. False when the store refused.
bool Store(const QString& name, const QString& folder, const QString& oldName = {});
// Deletes the bookmarks of the names; nothing when the key does not exist.
void Remove(const QStringList& names);

// Whether a folder may be a bookmark's: the file system's root, or a path
// that exists.
bool IsValidFolder(const QString& folder);
// Whether a folder lies in the desktop's network places (the mounts of the
// desktop's virtual file system below `runtimeFolder`/gvfs), which cannot be
// bookmarked.
bool IsNetworkPlace(const QString& folder, const QString& runtimeFolder);

} // namespace ImageBookmarks
