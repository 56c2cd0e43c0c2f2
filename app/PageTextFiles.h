#pragma once

#include "platform/FileFault.h"

#include <QString>

class CZQView;

// A page's text as a file, for the source view, the previews and copies of
// a page: the page written as the engine writes it and read back as text,
// and a page text written to a file. Every file is replaced whole: a write
// that fails leaves the file as it was.

// Writes the view's page (the active page's when none is given) to the
// path as a save writes it, image-map references with their "#" and the
// generator META in place, and returns the text of the written file; empty
// when the page is missing or nothing could be written (why, in `fault` when
// given). The live page keeps its image-map references as the editor keeps them.
QString SavePageToFile(const QString& path, CZQView* view = nullptr, platform::FileFault* fault = nullptr);

// Writes the text to the path in the charset (empty: the charset the
// text's META names, else UTF-8). Unless the active page shows its source,
// empty table cells get "&nbsp;" first; the text is changed in place.
// False when the file could not be written (why, in `fault` when given).
bool WritePageText(const QString& path, QString& text, const QString& charset = QString(),
                   platform::FileFault* fault = nullptr);

// Puts "&nbsp;" into each cell of the tag name (matched with regard to
// case: "TD", then "td") that holds nothing or only tags. Returns a copy of
// the result.
QString FillEmptyCellsInText(QString& text, const QString& tagName);

// The charset the first META tag of a page text names, without quotes; empty
// when none does. With `decided`, the text is the start of a page: true when
// the answer holds for the whole page whatever follows (a META naming one,
// its tag ended), else false and empty.
QString MetaCharsetOfText(const QString& text, bool* decided = nullptr);
