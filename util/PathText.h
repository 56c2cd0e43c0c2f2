#pragma once

#include <QString>

// Helpers on path and file-name texts. Paths use "/"; a "\" is read as "/"
// where a separator is looked for. Extensions compare without regard to case.

// The name ends in ".htm" or ".html".
bool IsHtmlFileName(const QString& name);

// The extension is gif, jpg, jpeg, png or bmp.
bool IsImageFileName(const QString& name);

// The text after the last "/" or "\"; the whole text when there is none.
QString GetFileNamePart(const QString& path);

// The text after the last "." of the whole text; empty without a dot.
QString GetFileExtension(const QString& name);

// The path ends with a separator ("/" or "\").
bool EndsWithBackslash(const QString& path);

// The path without as many characters as `name` has, a separator unless that
// text ends with one, then `name`: the folder of a found file joined with a name.
QString JoinPath(const QString& path, const QString& name);

// An existing folder as it is; the folder of an existing file; for a path that
// does not exist, its folder when its name looks like an HTML file, else "".
QString GetFolderOfPath(const QString& path);
