#pragma once

#include <QString>

// The whole text of a string-table entry; an id without an entry gives an
// empty string.
QString LoadResString(unsigned int id);
