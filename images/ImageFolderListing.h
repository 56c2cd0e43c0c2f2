#pragma once

#include <QString>
#include <QStringList>

// The image files of a folder as the image windows list them: files (not
// folders, not hidden ones) whose extension is bmp, jpg, gif, jpeg or png in
// any case, in the order of the user's language (names that compare equal
// keep the order the folder gave them). Names the file system cannot hold
// in its own encoding are left out: no page could refer to them. A folder
// that cannot be read gives an empty list.
QStringList ListImageFiles(const QString& folder);

// Whether a file of that name is listed as an image: its extension is one
// of the above and the file system's encoding gives the name back.
bool IsListedImageName(const QString& name);

// Sorts names in the order of the user's language, keeping the order of
// names that compare equal.
void SortByCollation(QStringList& names);
