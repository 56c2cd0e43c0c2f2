#pragma once

#include <QString>

// The folders the file dialogs remember between runs: string values of the
// key "Recent Opened Dir" below the product key ("Open File", "Save File",
// "New File", "Recent Opened BGSound", "Recent Opened Flash", ...).

QString RecentFoldersKey();

// A remembered value as a folder to start in: a folder that exists, the
// folder of a file that exists (older values named the file), else empty.
QString UsableFolder(const QString& value);

// The folder remembered under the value, through UsableFolder; empty when
// nothing usable is remembered. A missing key is created.
QString ReadRecentFolder(const QString& valueName);

// Remembers the folder under the value, creating the key when needed.
bool WriteRecentFolder(const QString& valueName, const QString& folder);
