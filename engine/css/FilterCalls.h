#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace engine {

// One call of an element's style `filter`: "progid:DXImageTransform.Microsoft.Blur(PixelRadius=3)" gives the name
// "blur" and the argument ("pixelradius", "3"); a bare legacy word such as "gray" is a call without arguments.
// Names are lower-cased; argument values keep their case with quotes taken off.
struct FilterCall
{
    QString name;
    std::vector<std::pair<QString, QString>> args;

    bool hasArgument(const QString& name) const;
    // The value of a (lower-case) argument; `fallback` when it is missing.
    QString argument(const QString& name, const QString& fallback = QString()) const;
    // The argument read as a number (a leading decimal, fractions dropped) and clamped; `fallback` when it is missing
    // or holds no number.
    int number(const QString& name, int fallback, int low, int high) const;
};

// The calls of a filter text in order. Reads in one pass: blanks, commas and line feeds separate calls, an unclosed
// "(" takes the rest of the text, stray ")" are skipped.
std::vector<FilterCall> parseFilterCalls(const QString& text);

} // namespace engine
