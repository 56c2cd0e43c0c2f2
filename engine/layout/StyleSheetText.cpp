#include "engine/layout/StyleSheetText.h"

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace engine {

namespace {

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

// Whether `word` (in lower case) stands at `i`, in any case.
bool startsCaseBlind(std::string_view css, size_t i, std::string_view word)
{
    if (css.size() - i < word.size())
        return false;
    for (size_t k = 0; k < word.size(); ++k) {
        const char c = css[i + k];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != word[k])
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
        compound = compound && !part.empty() && csstext::scan(part, 0, [&](size_t i, int depth) {
                                                    return depth == 0 && isCombinator(part[i]);
                                                }) == part.size();
        parts.push_back(part);
        start = end + 1;
    };
    csstext::scan(list, 0, [&](size_t i, int depth) {
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
    while ((i = csstext::scan(text, i, [&](size_t at, int) { return startsCaseBlind(text, at, ":not("); })) <
           text.size()) {
        const size_t open = i + 4;
        const size_t close =
            csstext::scan(text, open, [&](size_t at, int depth) { return depth == 1 && text[at] == ')'; });
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

namespace {

std::string lowerTrimmed(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    std::string out(s);
    for (char& c : out)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return out;
}

// What stands for a condition that always or never holds: a width the
// layout library can compare.
constexpr std::string_view kHolds = "(min-width: 0px)";
constexpr std::string_view kFails = "(max-width: -1px)";

// The condition between the parentheses of a media feature as the layout
// library reads it: as it is where it knows the feature, else what a
// browser on a screen with the usual settings finds.
std::string mediaCondition(std::string_view inside)
{
    static const std::string_view known[] = {"width",       "height",       "device-width",        "device-height",
                                             "orientation", "aspect-ratio", "device-aspect-ratio", "color",
                                             "color-index", "monochrome",   "resolution"};
    const size_t colon = inside.find(':');
    const std::string name = lowerTrimmed(inside.substr(0, colon));
    const std::string value = colon == std::string_view::npos ? std::string() : lowerTrimmed(inside.substr(colon + 1));
    std::string_view base(name);
    if (base.substr(0, 4) == "min-" || base.substr(0, 4) == "max-")
        base.remove_prefix(4);
    for (const std::string_view k : known) {
        if (base == k)
            return "(" + std::string(inside) + ")";
    }
    // A range of the width or height (`width >= 600px`): as its minimum or
    // maximum.
    for (const std::string_view dimension : {std::string_view("width"), std::string_view("height")}) {
        if (name.compare(0, dimension.size(), dimension) != 0)
            continue;
        std::string_view rest = std::string_view(name).substr(dimension.size());
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        const bool atLeast = rest.substr(0, 1) == ">";
        if (colon == std::string_view::npos && (atLeast || rest.substr(0, 1) == "<")) {
            rest.remove_prefix(rest.substr(0, 2) == ">=" || rest.substr(0, 2) == "<=" ? 2 : 1);
            return std::string(atLeast ? "(min-" : "(max-") + std::string(dimension) + ": " + lowerTrimmed(rest) + ")";
        }
    }
    // The usual settings: a light scheme, motion and contrast as they
    // come, a mouse that hovers.
    static const std::pair<std::string_view, std::string_view> holding[] = {
        {"prefers-color-scheme", "light"},
        {"prefers-reduced-motion", "no-preference"},
        {"prefers-contrast", "no-preference"},
        {"prefers-reduced-transparency", "no-preference"},
        {"pointer", "fine"},
        {"any-pointer", "fine"},
        {"hover", "hover"},
        {"any-hover", "hover"},
        {"scripting", "none"},
        {"forced-colors", "none"},
        {"inverted-colors", "none"},
        {"update", "fast"},
        {"display-mode", "browser"}};
    for (const auto& [feature, holds] : holding) {
        if (name != feature)
            continue;
        // Alone, a feature holds unless it has its "none" value.
        if (value.empty())
            return std::string(holds == "none" || holds == "no-preference" ? kFails : kHolds);
        return std::string(value == holds ? kHolds : kFails);
    }
    return std::string(kFails);
}

} // namespace

void readMediaQuery(std::string& query)
{
    std::string out;
    size_t copied = 0;
    for (size_t at = 0; at < query.size(); ++at) {
        if (query[at] != '(')
            continue;
        const size_t close = query.find(')', at);
        if (close == std::string::npos)
            break;
        const std::string_view inside = std::string_view(query).substr(at + 1, close - at - 1);
        const std::string condition = mediaCondition(inside);
        if (condition.compare(1, std::string::npos, std::string(inside) + ")") != 0) {
            out.append(query, copied, at - copied);
            out += condition;
            copied = close + 1;
        }
        at = close;
    }
    if (copied == 0)
        return;
    out.append(query, copied);
    query = std::move(out);
}

void readMediaFeatures(std::string& css)
{
    const std::string_view text(css);
    std::string out;
    size_t copied = 0;
    size_t i = 0;
    while ((i = csstext::scan(text, i, [&](size_t at, int) { return startsCaseBlind(text, at, "@media"); })) <
           text.size()) {
        const size_t from = i + 6;
        const size_t open =
            csstext::scan(text, from, [&](size_t at, int) { return text[at] == '{' || text[at] == ';'; });
        std::string prelude(text.substr(from, open - from));
        const size_t length = prelude.size();
        readMediaQuery(prelude);
        if (prelude.size() != length || prelude != text.substr(from, open - from)) {
            out.append(text.substr(copied, from - copied));
            out += prelude;
            copied = open;
        }
        i = open;
    }
    if (copied == 0)
        return;
    out.append(text.substr(copied));
    css = std::move(out);
}

} // namespace engine
