#pragma once

#include <QString>

namespace engine {

// Facts about HTML 4 element and attribute names. Tag names are passed in
// upper case; attribute names in any case.
namespace tags {

// Elements written without an end tag (IMG, BR, HR, META, INPUT, AREA, ...).
bool isVoid(const QString& upperTag);
// Elements whose content the parser keeps as raw text (SCRIPT, STYLE,
// NOFRAMES, ...); it is written verbatim.
bool isRawText(const QString& upperTag);
// Elements that the file serializer starts on a new line.
bool startsLineInFile(const QString& upperTag);
// Elements that hold block content (paragraph-level), for editing.
bool isBlock(const QString& upperTag);
// Inline formatting elements that editing may split (FONT, B, STRONG, ...).
bool isInlineFormatting(const QString& upperTag);
// Attributes that are true by their presence (noWrap, noShade, checked, ...).
bool isBooleanAttribute(const QString& name);
// Attributes whose value is a colour (bgColor, color, text, link, ...).
bool isColorAttribute(const QString& name);
// The shared upper-case spelling of a tag name (one copy per name).
QString intern(const QString& upperTag);
// A shared copy of a short text (attribute names, small values, style
// names): pages repeat them thousands of times. Longer texts are returned
// as they are. Per thread, bounded.
QString internShort(const QString& text);
QString internShort(QStringView text);

} // namespace tags
} // namespace engine
