#pragma once

#include <QString>

// Picking tags and attribute values out of HTML held as plain text. Names
// compare without regard to case; the pieces handed back keep the text's own
// case, and positions are indexes into the text as given.

// Finds the first "<" followed by the tag name (a prefix match: "<B" is also
// found in "<BODY") at or after the start position. Hands back the whole tag
// from "<" through the next ">" (empty when no ">" follows) and returns the
// position of its "<"; -1 with an empty tag text when there is none.
int ExtractTagText(const QString& html, const QString& tagName, QString& tagText, int start);

// The value of an attribute inside one tag text: the first occurrence of the
// name anywhere in the tag (also inside another name: "SRC" is found in
// "LOWSRC"), then the first "=" after it, white space skipped; a value in
// double or single quotes runs to the closing quote, a bare one to the nearer
// of the next blank and ">". Hands back the value without its quotes and
// returns the position of its first character; -1 with an empty value when
// there is no such attribute or the value has no end.
int GetTagAttribute(const QString& tagText, const QString& name, QString& value);
