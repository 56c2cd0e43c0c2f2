#pragma once

#include <QString>

// Reads the value of a key in a section of an INI file (a skin's .skn file, for
// one): section and key names compare without regard to case, the first match
// wins, blanks around the value go, and a value in double quotes loses them. The
// file may be UTF-8 or Shift_JIS. Gives the default when the file, the section
// or the key is missing. At most maxLength characters are returned.
QString ReadProfileString(const QString& iniPath, const QString& section, const QString& key,
                          const QString& defaultValue = QString(), int maxLength = 255);
