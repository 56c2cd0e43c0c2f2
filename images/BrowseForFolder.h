#pragma once

#include <QString>

class QWidget;

// The folder picker of the bookmark dialog: folders only, opening at the
// initial folder (the file system's root when it is empty or a display
// root). Folders in the desktop's network places cannot be chosen: the user
// is told and the picker stays open. True, with the chosen folder in
// `result`, when the user confirmed one; false, with `result` emptied, when
// the user cancelled.
bool BrowseForFolder(QString& result, const QString& title, QWidget* owner, const QString& rootText,
                     const QString& initialFolder);
