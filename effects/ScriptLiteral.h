#pragma once

#include <QChar>
#include <QString>

// Texts the effects put into the scripts of a page: values between the quotes
// of a JavaScript string, and local file paths as a src or an image value.

// The text as it stands between two `quote`s of a JavaScript string inside
// a SCRIPT element: a backslash doubled, the quote and line breaks escaped,
// and "</" and "<!--" written so that they can neither end the element nor
// open a comment in it. JavaScript reads the original text back.
QString ScriptStringText(const QString& text, QChar quote);

// What a JavaScript string's text between its quotes stands for: the
// escapes of ScriptStringText (and any "\x" as "x") read back.
QString UnescapeScriptString(const QString& text);

// A local file path as an address: the characters that would end a URL's
// path ("%", "#", "?") escaped, the rest as it is.
QString LocalPathAsSrc(const QString& path);
// The path LocalPathAsSrc was given.
QString SrcAsLocalPath(const QString& src);

// An image path as the value of an effect variable between `quote`s.
QString ScriptImageValue(const QString& path, QChar quote);

// A variable line of the effects: "var name = "value"" with the value
// escaped for its double quotes; the image form escapes the path as a src first.
QString ScriptVariableLine(const QString& name, const QString& value);
QString ScriptImageVariableLine(const QString& name, const QString& path);
