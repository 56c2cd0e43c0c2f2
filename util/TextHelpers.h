#pragma once

#include <QByteArray>
#include <QString>

// Small text helpers for names, sizes and encodings.

// The text in UTF-8.
QByteArray ConvertToUtf8(const QString& text);

// The position of the first character that may not stand in a file name
// (/ \ : * ? " < > |), or -1.
int HasBadFileNameChar(const QString& name);

// Halves a size: "" gives "50%", "101" gives "50", "75%" gives "37%".
QString NormalizePercentValue(const QString& text);

// True when nothing but blanks (U+0020 only) is in the text.
bool IsBlankString(const QString& text);

// The integer at the start of a text as C's atoi reads it: leading white
// space, an optional sign, then digits; 0 when there are none.
int LeadingInteger(QStringView text);
