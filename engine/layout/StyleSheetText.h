#pragma once

#include <string>
#include <string_view>

namespace engine {

// Rewrites the negations of a list of selectors in a style sheet's text as
// one negation each, which litehtml 0.6 reads (it took the commas of
// `:not(h1, h2) > code` for the ends of selectors, so that the rule applied
// nowhere): `:not(h1, h2)` becomes `:not(h1):not(h2)`. A list of which a
// selector has combinators is left as it is.
void splitNegationLists(std::string& css);

// Rewrites the media features of a style sheet's rules for media (`@media`)
// that litehtml 0.6 does not know as conditions it reads to the same
// effect: a browser on a screen with the usual settings (a light scheme,
// no call for less motion, a mouse) finds `(prefers-color-scheme: dark)`
// false, where litehtml left out what it did not know and applied the rule
// everywhere. A range of the width or height (`width >= 600px`) becomes a
// minimum or maximum.
void readMediaFeatures(std::string& css);
// The same for one list of media queries (a `media` attribute).
void readMediaQuery(std::string& query);

// Reading style sheet text.
namespace csstext {

// Where the string or comment starting at `i` ends (the index after it), or
// `i` when none starts there.
inline size_t skipStringOrComment(std::string_view css, size_t i)
{
    const char c = css[i];
    if (c == '"' || c == '\'') {
        for (size_t j = i + 1; j < css.size(); ++j) {
            if (css[j] == '\\')
                ++j;
            else if (css[j] == c)
                return j + 1;
        }
        return css.size();
    }
    if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
        const size_t end = css.find("*/", i + 2);
        return end == std::string_view::npos ? css.size() : end + 2;
    }
    return i;
}

// Calls visit(i, depth) for each character from `from` on outside strings
// and comments, `depth` counting the parentheses and brackets opened since
// `from` (a closing one is visited at the depth inside it), until visit
// returns true; returns that index, or the size of `css`.
template <typename Visit> size_t scan(std::string_view css, size_t from, Visit visit)
{
    int depth = 0;
    for (size_t i = from; i < css.size(); ++i) {
        const size_t after = skipStringOrComment(css, i);
        if (after != i) {
            i = after - 1;
            continue;
        }
        const char c = css[i];
        if (c == '(' || c == '[')
            ++depth;
        if (visit(i, depth))
            return i;
        if (c == ')' || c == ']')
            --depth;
    }
    return css.size();
}

} // namespace csstext

} // namespace engine
