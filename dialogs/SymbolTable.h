#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One symbol of the palette: the code whose low 16 bits are the UTF-16 unit
// drawn for it, and the text put into the page for it (a character reference
// with its closing ";").
struct SymbolEntry
{
    int m_nCode = 0;
    QString m_strHtml;

    // The one code unit drawn for the symbol; empty when the code is no
    // drawable unit (0, a surrogate, a negative code or one above 0xFFFF).
    QString glyph() const;
};

// Reads the symbol table: a count ending in ";", then per entry a line break,
// the code, a blank and the text up to and including the next ";". Only the
// first 10,000 bytes are read, as UTF-8. Entries beyond the count, and a
// count beyond the entries present, are not read; a line break of any form
// (CR LF, LF, CR) separates the entries.
QList<SymbolEntry> ParseSymbolTable(const QByteArray& bytes);

// The table of a file; empty when it cannot be read.
QList<SymbolEntry> ReadSymbolTable(const QString& path);

// The install folder's symbol table ("Other/script/symbol.dat").
QString SymbolTablePath();

// The HTML the palette pastes: the symbol's text in a FONT naming the face,
// the face written as an attribute value.
QString SymbolInsertHtml(const QString& face, const QString& html);
