#pragma once

#include <QByteArray>
#include <QString>

// Conversion between bytes and text by charset name, and charset detection.
// Used at file, network and clipboard boundaries only; inside the program all
// text is QString.
namespace platform {

// The canonical name of a charset as the program writes it, or an empty
// string when the name is unknown. Shift_JIS and its aliases map to
// "windows-31j"; "EUC-JP", "ISO-2022-JP" and "UTF-8" keep those spellings.
QString canonicalCharset(const QString& name);

// Decodes bytes in the given charset. An unknown charset or undecodable bytes
// set *ok to false (the result then holds what could be decoded).
QString decodeText(const QByteArray& bytes, const QString& charset, bool* ok = nullptr);

// Encodes text in the given charset. Characters the charset cannot hold set
// *ok to false.
QByteArray encodeText(const QString& text, const QString& charset, bool* ok = nullptr);
// HTML text in a charset, in one pass: the characters the charset cannot
// hold become numeric character references ("&#8364;"). Empty when the
// charset is unknown.
QByteArray encodeHtmlText(const QString& text, const QString& charset);

// The charset named by a META http-equiv Content-Type or META charset in the
// page bytes (its canonical name), or an empty string. A META naming a
// charset nobody knows is passed over for the next one, as browsers do.
QString charsetFromMeta(const QByteArray& bytes);

// The charset of a page: a byte-order mark (UTF-8, or "UTF-16" for either
// byte order) first, then its META (unless it claims UTF-16 or UTF-32, which
// a META readable as bytes cannot be), then UTF-8 when the bytes are valid
// UTF-8, then ICU's detector limited to the Japanese charsets
// (windows-31j, EUC-JP, ISO-2022-JP). Never empty.
QString detectCharset(const QByteArray& bytes);

} // namespace platform
