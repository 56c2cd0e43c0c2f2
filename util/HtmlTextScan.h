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

// The text after the first tag of that name in a page file (the page title
// for "TITLE"): from the tag's ">" up to the next "<", decoded in the page's
// charset. Returns the position of the tag's ">" in the decoded text; -1 with
// an empty text when the file cannot be read as a page (missing, unreadable,
// not a regular file, too large) or holds no such complete tag after `start`.
int ReadTagTextFromFile(const QString& path, const QString& tagName, QString& text, int start = 0);

// Where a page's title text stands: after its first "<TITLE>", else its
// first "<title>" (no other mix of cases), up to the next "</"; false when
// there is no such tag, no "</" follows or the text between is empty.
bool FindTitleSpan(const QString& html, qsizetype& from, qsizetype& to);

// Whether the HTML holds the text (case-sensitive) and, once its first
// occurrence is taken out, nothing but tags: the HTML of one bold word with
// that word is true, with more text after it false. A "<" without a ">" after
// it is not a tag. The HTML is not changed.
bool RemoveTagFromHtml(const QString& html, const QString& text);
