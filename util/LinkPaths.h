#pragma once

#include <QString>

// How the link work of the program reads a link value of a page. A "\" in a
// value is read as "/"; a value is a file reference when it has no URL scheme
// other than file: (web, mail and script addresses are never files); it is
// absolute when it begins with "/" or is a file: URL. Paths compare exactly,
// extensions without regard to case.

struct LocalLink
{
    // The value names a file: a relative path, a full path or a file: URL.
    bool local = false;
    // `path` is a full path.
    bool absolute = false;
    // The file's path with "/" separators: a file: URL decoded, "%20" read as
    // a blank and "%25" as "%" in other values; ".." and "." not resolved.
    QString path;
    // A "#fragment" or "?query" that followed the path, kept for rewriting.
    QString suffix;
};

// Reads a link value (surrounding blanks ignored). Empty values, values that
// begin with "#" or "?", values with another scheme, "//host/..." values and
// file: URLs of another host are not local.
LocalLink ReadLocalLink(const QString& value);

// Whether the value begins with a URL scheme other than file: ("http:",
// "mailto:", "javascript:"; a drive letter "C:" counts as one too).
bool HasForeignScheme(const QString& value);

// Whether the address is an http or https address (any case).
bool IsWebAddress(const QString& value);

// The full path of a relative path below a folder, "." and ".." resolved
// (never above "/").
QString ResolveLinkPath(const QString& folder, const QString& relative);

// A full path with "." and ".." resolved, never above "/"; the path as given
// when it is not a full path.
QString CleanFullPath(const QString& path);

// The path of a full path below the folder ("image/a.gif"), or an empty text
// when it does not lie below it. Both are compared cleaned and exactly.
QString PathBelowFolder(const QString& folder, const QString& path);

// Drops one leading "./" (a leading ".\" is read the same way).
QString WithoutDotPrefix(const QString& path);

// The folder of a copy by the tag that holds the link: "image" for IMG, BODY
// and TABLE, "other" for EMBED and SCRIPT, "" (the web folder itself) for A
// and AREA and any other tag.
QString KindFolderOfTag(const QString& tag);

// The attribute that holds the link of a tag: "src", "background" or "href";
// empty for a tag without one.
QString LinkAttributeOfTag(const QString& tag);
