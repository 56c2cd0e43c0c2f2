#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

// The texts of the site list's rows, worked out from files and page texts
// without a window: sizes, types, dates, page titles, the frame links a
// frameset page names, and the order in which a folder's entries are listed.

// "%1KB" with 1000 bytes to the kilobyte, rounded half up: 499 bytes give
// "0KB", 500 bytes "1KB", 1500 bytes "2KB".
QString SiteSizeText(qint64 bytes);

// The type column of a file: "HTMLファイル" for .htm and .html, "イメージファイル"
// for .bmp, .gif, .jpg and .png, empty for any other file. Case is ignored.
QString SiteFileType(const QString& name);

// The date column: year-month-day, the locale's AM/PM text, the hour 01 to 12
// and the minutes ("2026-12-07 PM 06:05"), in local time.
QString SiteDateText(const QDateTime& time, const QLocale& locale = QLocale());
QString SiteDateText(qint64 secondsSinceEpoch, const QLocale& locale = QLocale());

// What the site list shows of a file, from one look at it (links followed).
struct SiteFileStat
{
    bool exists = false;
    bool regular = false;
    qint64 size = 0;
    qint64 modified = 0; // seconds since the epoch
};
SiteFileStat StatSiteFile(const QString& path);

// The title of a page's text: what stands between "<TITLE>" (or, when that is
// missing, "<title>") and the next "</", "&nbsp;" read as a blank; empty when
// there is no such element or it is empty.
QString SitePageTitle(const QString& html);

// A page file with a new title: the text of its TITLE element (found as
// SitePageTitle finds it) replaced by the title, "&" and "<" written as
// references and characters its charset cannot hold as numeric references;
// every byte outside the title kept. NoTitle when the page has no title
// element or an empty one; NotDecoded when the bytes are not clean text of
// the page's charset. `out` holds the new bytes only when Changed.
enum class SiteTitleEdit { Changed, NoTitle, NotDecoded };
SiteTitleEdit SitePageWithTitle(const QByteArray& bytes, const QString& title, QByteArray& out);

// Whether a new name can be given to a file of the web: not empty, no
// character a file name may not hold, no control character and no leading
// "." (a hidden file, which the list does not show).
bool IsUsableSiteFileName(const QString& name);

// The frame links of a page named `name`: "<name>/<file>" for each FRAME tag
// with a source (the source's file name), each followed by "<name>/<name>".
// A page without frames names none.
QStringList SiteFrameLinks(const QString& name, const QString& html);

// Entries not listed: names starting with "." and the editor's own preview
// pages ("VornaPreview~...").
bool IsHiddenSiteEntry(const QString& name);

// The entries of a folder as the site list shows them: sub-folders first
// (full path followed by "/"), then files (full path), each group in the
// order the file system gives; hidden entries and "project.ini" are left
// out, and so is a link that points at a folder or out of `webFolder`.
// False, with the reason in `error`, when the folder cannot be read.
bool ListSiteFolder(const QString& folder, const QString& webFolder, QStringList& entries, QString& error);

// Reads a page file, at most its first 8 MB, and tells what StatSiteFile
// tells of it; only a regular file is read. False, with the reason in
// `error`, when it cannot be read.
bool ReadSitePageFile(const QString& path, SiteFileStat& stat, QByteArray& bytes, QString& error);

// The title of a page's bytes, read in the page's own charset, and (when
// `links` is given) its frame links as SiteFrameLinks gives them. Only the
// parts that hold them are decoded when the markup can be found in the bytes.
void ScanSitePage(const QByteArray& bytes, const QString& name, QString& title, QStringList* links);

// Splits a link record "P/F" at its first "/".
void SplitSiteLink(const QString& record, QString& frameset, QString& frame);

// The open web's folder without a closing "/"; empty while no web is open.
QString SiteWebFolder();

// Names, types and paths of the site list compared without regard to case.
bool SiteSameText(const QString& a, const QString& b);
