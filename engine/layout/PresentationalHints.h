#pragma once

#include <QString>

#include <functional>
#include <string_view>
#include <vector>

namespace engine {

// One CSS declaration that an HTML 4 presentational attribute stands for.
struct StyleHint
{
    QString property;
    QString value;
    bool operator==(const StyleHint&) const = default;
};

// What the hints of an element may read: its own attributes and those of its
// nearest ancestor with a given tag (lower case); a null QString when absent.
struct HintSource
{
    QString tag; // lower case
    std::function<QString(const char* name)> attribute;
    std::function<QString(const char* ancestorTag, const char* name)> ancestorAttribute;
};

// The declarations that the presentational attributes of an element stand
// for, in the order to apply them (they rank below every style sheet rule).
// litehtml 0.6 ignores or misreads these attributes.
std::vector<StyleHint> presentationalHints(const HintSource& source);
// Whether elements of a tag (in any case) may take hints at all: the others
// need not be asked.
bool tagTakesHints(const char* tag);
// The tag of the ancestor whose attributes the hints of an element of `tag`
// (lower case) read, or null when they read none of any ancestor.
const char* hintAncestorOf(std::string_view tag);
// How the hints read an attribute of this name (lower case): elements that
// differ only in attributes the hints ignore, or in the values of those
// whose presence alone counts, take the same hints.
enum class HintUse { Ignored, Presence, Value };
HintUse hintUseOf(std::string_view attribute);

// Inherited through the style: "center" where an align attribute or CENTER
// centres the tables inside too (as browsers do), "none" where an align
// attribute stops that.
inline constexpr char kCenterTablesProperty[] = "-paginor-center-tables";

// "ff0000" and other bare hex colours as written in old pages get their "#".
QString colorAttributeToCss(const QString& value);
// FONT size 1-7, "+n" or "-n" as a pixel size.
int fontSizeAttributeToPx(const QString& value);

} // namespace engine
