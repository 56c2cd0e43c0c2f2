#pragma once

#include <QString>

// CSS filter lists as an element's style keeps them, for example
// "alpha(opacity=50, style=0) glow(color=#ff0000,strength=5)", read as text.

// The value of one named argument of a filter text: found at the first
// occurrence of the name (case-sensitive, also inside a longer name), up to
// the nearer of the next "," and ")"; the name, "=", blanks and "'" taken
// out. 0 with the value, or -1 with the value unchanged when the name does
// not occur.
int ParseFilterArguments(const QString& filterText, const QString& name, QString& value);

// Replaces the filter list by the one filter whose text, lower-cased, holds
// the name (pass it in lower case): the list is cut after each ")", and the
// first piece that holds the name is handed back lower-cased, with the
// separator that stood before it. False, with an empty text, when no piece
// holds it; text after the last ")" is never looked at.
bool GetFilterArgument(QString& filterList, const QString& name);
