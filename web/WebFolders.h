#pragma once

#include <QString>
#include <QStringList>

// Webs on disk and the list of recent webs. Every web is a folder directly in
// the web root (platform::webRoot()); its name is the folder's name, and the
// name alone stands for the web in the recent list and the open-web dialog.

// The folder of the web of that name: the root, "/" and the name.
QString WebFolderOf(const QString& name, const QString& root);

// Why a name typed for a new web cannot be one, as the string id of the
// message that says so, or 0 when it can: blank after trimming (41459); ".",
// "..", or a character a file name cannot hold (41638); a folder or file of
// that name already in the root, a web or not (41458).
int NewWebNameRefusal(const QString& name, const QString& root);

// Whether the name is a web of the root: a plain name (no separator, not "."
// or "..") of a folder directly in the root.
bool IsWebOfRoot(const QString& name, const QString& root);

// Whether the path lies inside the root: below it at a path boundary once "."
// and ".." are resolved and the links along it followed.
bool LiesInWebRoot(const QString& path, const QString& root);

// Makes the folder with every missing folder above it, the root included.
// False, making nothing, when the path does not lie inside the root; false
// when it could not be made.
bool CreateFolderInWebRoot(const QString& path, const QString& root);

// The names of the webs of the root (its folders), in the order the file
// system lists them; hidden folders are not webs.
QStringList WebNamesOfRoot(const QString& root);

// The recent webs: four slots, the most recent first, "" for a free slot.
// Puts the name at the head: a name already among the first three moves to
// the front, a new one pushes the others back and the fourth drops out.
void PutRecentWeb(QStringList& recent, const QString& name);

// The text of a recent web's menu item: "&", the slot number from 1, a blank
// and the name with its "&" doubled.
QString RecentWebMenuText(int slot, const QString& name);
