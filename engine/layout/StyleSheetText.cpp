#include "engine/layout/StyleSheetText.h"

#include <string_view>
#include <vector>

namespace engine {

namespace {

// Where the string or comment starting at `i` ends (the index after it), or
// `i` when none starts there.
size_t skipStringOrComment(std::string_view css, size_t i)
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

bool isCombinator(char c)
{
    return std::string_view(" \t\n\r\f>+~").find(c) != std::string_view::npos;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isCombinator(s.front()) && s.front() <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && isCombinator(s.back()) && s.back() <= ' ')
        s.remove_suffix(1);
    return s;
}

bool startsNegation(std::string_view css, size_t i)
{
    constexpr std::string_view kNot = ":not(";
    if (css.size() - i < kNot.size())
        return false;
    for (size_t k = 0; k < kNot.size(); ++k) {
        const char c = css[i + k];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != kNot[k])
            return false;
    }
    return true;
}

// The selectors of the list between the parentheses of a negation, or none
// when it is not a list of compound selectors (one has a combinator, or
// white space, outside its parentheses and brackets).
std::vector<std::string_view> compoundSelectors(std::string_view list)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    bool compound = true;
    const auto endPart = [&](size_t end) {
        const std::string_view part = trimmed(list.substr(start, end - start));
        compound = compound && !part.empty() && scan(part, 0, [&](size_t i, int depth) {
                                                    return depth == 0 && isCombinator(part[i]);
                                                }) == part.size();
        parts.push_back(part);
        start = end + 1;
    };
    scan(list, 0, [&](size_t i, int depth) {
        if (depth == 0 && list[i] == ',')
            endPart(i);
        return false;
    });
    endPart(list.size());
    return compound ? parts : std::vector<std::string_view>{};
}

} // namespace

void splitNegationLists(std::string& css)
{
    const std::string_view text(css);
    std::string out;
    size_t copied = 0;
    size_t i = 0;
    while ((i = scan(text, i, [&](size_t at, int) { return startsNegation(text, at); })) < text.size()) {
        const size_t open = i + 4;
        const size_t close = scan(text, open, [&](size_t at, int depth) { return depth == 1 && text[at] == ')'; });
        if (close >= text.size())
            break;
        const auto parts = compoundSelectors(text.substr(open + 1, close - open - 1));
        if (parts.size() > 1) {
            out.append(text.substr(copied, i - copied));
            for (const std::string_view part : parts) {
                out += ":not(";
                out += part;
                out += ')';
            }
            copied = close + 1;
        }
        i = close + 1;
    }
    if (copied == 0)
        return;
    out.append(text.substr(copied));
    css = std::move(out);
}

} // namespace engine
