#pragma once

#include <QString>

// The text of a string-table entry, at most 255 characters; an id without an
// entry gives an empty string.
QString LoadResString(unsigned int id);
