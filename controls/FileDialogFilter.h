#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of a file dialog's type list: the text shown and the name
// patterns it stands for.
struct FileDialogFilter
{
    QString label;        // "HTML ファイル(*.html;*.htm)"
    QStringList patterns; // "*.html", "*.htm"

    bool operator==(const FileDialogFilter&) const = default;
};

// Reads a filter of the string table: pairs of a label and ";"-separated
// patterns, all separated by "|" and ended by "||". An empty pair ends the
// list; a label without patterns is dropped. "*.*" stands for every file.
QList<FileDialogFilter> ParseFileDialogFilter(const QString& text);

// The name filter Qt's file dialog takes for an entry: the label followed by
// the patterns in parentheses, so that a dialog that hides the details shows
// the label exactly as the string table has it.
QString QtNameFilter(const FileDialogFilter& filter);

// The extension the dialog adds to a name typed without one while the entry
// is chosen: the extension of the entry's first pattern when that names one
// ("*.html" gives "html"), else the fallback ("*" and "*.*" give it).
QString DefaultExtensionOf(const FileDialogFilter& filter, const QString& fallback);
