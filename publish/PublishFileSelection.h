#pragma once

#include <QString>
#include <QStringList>

// Which local files of the open web a publish sends: its modified files, the
// files a page refers to, and the question whether changed pages are saved
// first. Paths in the lists are relative to the web folder, "/" as separator.

// The open web's modified-file list ("project.ini" at its head while the
// web's structure changed), or none when no web is open or nothing changed.
// The list stays the site manager page's.
const QStringList* GetModifiedWebFiles();

// Appends to the list the existing files of the web that the page refers to
// (body and table backgrounds, pictures, embedded objects, sounds, scripts,
// links to other than pages, and the pictures of script effects), each once.
// References are read from the page's folder; a reference that leads out of
// the web folder, or is an absolute path or address, is never taken. True
// when the list holds an entry afterwards; false also for a page that cannot
// be read.
bool CollectReferencedFiles(const QString& pagePath, const QString& webFolder, QStringList* list);

// The upload of a quick publish: the modified files that exist, in the
// list's order, then the files they refer to, each file once; *total is the
// sum of their sizes. False, with *total 0, when there is no modified-file list.
bool CollectUploadFiles(quint64* total, const QString& webFolder, QStringList* list);

// Saves the open web's pages before an upload: at once when told so, else
// after asking once when a page is changed. False when the user cancelled
// (nothing is to be uploaded then).
bool SaveModifiedPagesBeforeUpload(bool saveWithoutAsking);
