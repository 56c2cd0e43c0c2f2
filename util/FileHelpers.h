#pragma once

#include <QString>

class CZQDoc;

// Helpers that touch the file system or the running application's documents.

// The open page document of a page path, or null: a saved page by its full
// path, a page not saved yet by its display name (its title). Compared
// exactly, so two pages of one file name in different folders never stand
// for each other.
CZQDoc* FindOpenDocument(const QString& path);

// Prepares a local link for a page of the open web: drops a "file://" scheme,
// turns "\" into "/" and "%20" into blanks, and makes a path inside the open
// web's folder relative to it (`insideWeb` true). False, with the link
// unchanged, for web and mail addresses.
bool MakeWebRelativePath(QString& path, bool& insideWeb);

// Empties a folder tree; the folder itself stays. Links inside are removed,
// never followed. A missing folder or a link to a folder is left alone.
void DeleteFolderTree(const QString& folder);

// Makes every missing folder along the path; failures are ignored. Returns the path.
QString CreateFolderPath(const QString& path);

// The folder generated images are written to: "Images" in the private temporary folder.
QString TempImageFolder();

// The first "<folder>/<prefix><n>.<extension>" (n = 0, 1, ...) that does not
// exist; the folder is made when missing, the file is not. An empty prefix is
// "UserImage".
QString MakeTempImageFileName(const QString& extension, const QString& folder, const QString& prefix);

// The user's own image folder, "Image/User" of the install folder, where
// banners and scanned pages go. It is not made here.
QString UserImageFolder();

// The TITLE text of an HTML file, decoded by the page's charset, read as a
// browser reads a title: character references decoded, white space stripped
// and collapsed, no-break spaces as blanks; "タイトルなし" when there is none
// or it is blank.
QString GetHtmlFileTitle(const QString& path);
