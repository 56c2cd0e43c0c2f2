#include "engine/layout/GridLayout.h"

#include "engine/layout/LayoutElements.h"

#include <litehtml/el_text.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace engine {

namespace gridlayout_detail {
namespace {

// The columns and the rest of a template, split at the white space outside
// parentheses.
std::vector<std::string_view> splitTokens(std::string_view css)
{
    std::vector<std::string_view> out;
    int depth = 0;
    size_t start = std::string_view::npos;
    for (size_t i = 0; i <= css.size(); ++i) {
        const char c = i < css.size() ? css[i] : ' ';
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (space && depth == 0) {
            if (start != std::string_view::npos)
                out.push_back(css.substr(start, i - start));
            start = std::string_view::npos;
            continue;
        }
        if (start == std::string_view::npos)
            start = i;
        if (c == '(')
            ++depth;
        else if (c == ')')
            depth = std::max(0, depth - 1);
    }
    return out;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// One size of a track; false when it is not one read here.
bool parseSize(std::string_view token, GridTrack::Size& size, float& value)
{
    token = trimmed(token);
    if (token == "auto") {
        size = GridTrack::Size::Auto;
        return true;
    }
    if (token == "min-content") {
        size = GridTrack::Size::MinContent;
        return true;
    }
    if (token == "max-content") {
        size = GridTrack::Size::MaxContent;
        return true;
    }
    const std::string text(token);
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || value < 0)
        return false;
    const std::string_view unit(end);
    if (unit == "px" || (unit.empty() && value == 0))
        size = GridTrack::Size::Length;
    else if (unit == "%")
        size = GridTrack::Size::Percent;
    else if (unit == "fr")
        size = GridTrack::Size::Fraction;
    else
        return false;
    return true;
}

bool parseTrack(std::string_view token, GridTrack& track)
{
    if (token.substr(0, 7) == "minmax(" && token.back() == ')') {
        const std::string_view inner = token.substr(7, token.size() - 8);
        const size_t comma = inner.find(',');
        if (comma == std::string_view::npos || !parseSize(inner.substr(0, comma), track.min, track.minValue) ||
            !parseSize(inner.substr(comma + 1), track.max, track.maxValue) || track.min == GridTrack::Size::Fraction)
            return false;
        return true;
    }
    if (!parseSize(token, track.max, track.maxValue))
        return false;
    // A column of a share of the room is at least as wide as its content.
    track.min = track.max == GridTrack::Size::Fraction ? GridTrack::Size::Auto : track.max;
    track.minValue = track.maxValue;
    return true;
}

// The widest an item may be laid out.
constexpr int kWidest = 100000;

bool isItem(const litehtml::element& el)
{
    if (el.is_comment() || el.is_white_space() || el.get_display() == litehtml::display_none)
        return false;
    const auto position = el.get_element_position();
    return position != litehtml::element_position_absolute && position != litehtml::element_position_fixed;
}

float resolve(GridTrack::Size size, float value, float width, float narrowest, float widest)
{
    switch (size) {
    case GridTrack::Size::Length:
        return value;
    case GridTrack::Size::Percent:
        return value * width / 100;
    case GridTrack::Size::MinContent:
        return narrowest;
    case GridTrack::Size::MaxContent:
    case GridTrack::Size::Auto:
        return widest;
    case GridTrack::Size::Fraction:
        break;
    }
    return 0;
}

float lengthOf(const char* css)
{
    if (!css)
        return 0;
    litehtml::css_length length;
    length.fromString(css, "");
    return length.units() == litehtml::css_units_px ? std::max(0.f, length.val()) : 0;
}

} // namespace
} // namespace gridlayout_detail

std::vector<GridTrack> parseGridColumns(std::string_view css)
{
    using namespace gridlayout_detail;
    std::vector<GridTrack> tracks;
    for (const std::string_view token : splitTokens(css)) {
        if (token.substr(0, 7) == "repeat(" && token.back() == ')') {
            const std::string_view inner = token.substr(7, token.size() - 8);
            const size_t comma = inner.find(',');
            if (comma == std::string_view::npos)
                return {};
            const int times = std::atoi(std::string(trimmed(inner.substr(0, comma))).c_str());
            const std::vector<GridTrack> once = parseGridColumns(inner.substr(comma + 1));
            if (times <= 0 || times > 1000 || once.empty())
                return {};
            for (int i = 0; i < times; ++i)
                tracks.insert(tracks.end(), once.begin(), once.end());
            continue;
        }
        if (token.front() == '[')
            continue; // (the names of lines)
        GridTrack track;
        if (!parseTrack(token, track))
            return {};
        tracks.push_back(track);
    }
    return tracks;
}

std::vector<float> sizeGridColumns(const std::vector<GridTrack>& tracks, const std::vector<float>& narrowest,
                                   const std::vector<float>& widest, float width, float gap)
{
    using namespace gridlayout_detail;
    using Size = GridTrack::Size;
    const size_t n = tracks.size();
    std::vector<float> base(n), limit(n);
    float room = width - gap * static_cast<float>(n > 0 ? n - 1 : 0);
    for (size_t i = 0; i < n; ++i) {
        const GridTrack& t = tracks[i];
        const Size least = t.min == Size::Auto ? Size::MinContent : t.min;
        base[i] = resolve(least, t.minValue, width, narrowest[i], widest[i]);
        limit[i] = t.max == Size::Fraction
                       ? base[i]
                       : std::max(base[i], resolve(t.max, t.maxValue, width, narrowest[i], widest[i]));
        room -= base[i];
    }
    // 1. Each column grows from its least size towards its largest, all by
    //    the same while room is left.
    for (int round = 0; round < 64 && room > 0.01f; ++round) {
        size_t growing = 0;
        for (size_t i = 0; i < n; ++i)
            growing += base[i] < limit[i] ? 1 : 0;
        if (growing == 0)
            break;
        const float share = room / static_cast<float>(growing);
        for (size_t i = 0; i < n; ++i) {
            if (base[i] >= limit[i])
                continue;
            const float add = std::min(share, limit[i] - base[i]);
            base[i] += add;
            room -= add;
        }
    }
    if (room <= 0)
        return base;
    // 2. The rest to the columns of a share of it, else to the auto ones.
    float fractions = 0;
    for (size_t i = 0; i < n; ++i)
        fractions += tracks[i].max == Size::Fraction ? tracks[i].maxValue : 0;
    if (fractions > 0) {
        // (A column whose content needs more than its share keeps that; the
        // others share what is left.)
        std::vector<bool> fixed(n, false);
        for (int round = 0; round < 8; ++round) {
            float left = width - gap * static_cast<float>(n - 1);
            float shares = 0;
            for (size_t i = 0; i < n; ++i) {
                if (tracks[i].max != Size::Fraction || fixed[i])
                    left -= base[i];
                else
                    shares += tracks[i].maxValue;
            }
            const float unit = shares > 0 ? left / std::max(shares, 1.f) : 0;
            bool again = false;
            for (size_t i = 0; i < n; ++i) {
                if (tracks[i].max != Size::Fraction || fixed[i])
                    continue;
                if (unit * tracks[i].maxValue < base[i]) {
                    fixed[i] = true;
                    again = true;
                }
            }
            if (again)
                continue;
            for (size_t i = 0; i < n; ++i) {
                if (tracks[i].max == Size::Fraction && !fixed[i])
                    base[i] = unit * tracks[i].maxValue;
            }
            break;
        }
        return base;
    }
    size_t autos = 0;
    for (const GridTrack& t : tracks)
        autos += t.max == Size::Auto ? 1 : 0;
    for (size_t i = 0; i < n && autos > 0; ++i) {
        if (tracks[i].max == Size::Auto)
            base[i] += room / static_cast<float>(autos);
    }
    return base;
}

int layoutGridItems(litehtml::html_tag& self, int width)
{
    using namespace gridlayout_detail;
    std::vector<GridTrack> tracks = parseGridColumns(self.get_style_property("grid-template-columns", false, ""));
    if (tracks.empty())
        tracks.push_back({GridTrack::Size::Auto, 0, GridTrack::Size::Fraction, 1});
    std::vector<litehtml::element::ptr> items;
    for (const auto& child : childrenOf(self)) {
        if (!isItem(*child))
            continue;
        // (Text directly in the grid is an item of its own: not read here.)
        if (dynamic_cast<const litehtml::el_text*>(child.get()) || child->get_display() == litehtml::display_inline)
            return -1;
        items.push_back(child);
    }
    const size_t columns = tracks.size();
    const float columnGap = lengthOf(self.get_style_property("column-gap", false, nullptr));
    const float rowGap = lengthOf(self.get_style_property("row-gap", false, nullptr));
    // 1. How narrow and how wide the items of each column can be.
    std::vector<float> narrowest(columns, 0), widest(columns, 0);
    {
        const layoutelements_detail::CellMeasureScope measuring;
        for (size_t i = 0; i < items.size(); ++i) {
            const size_t column = i % columns;
            narrowest[column] = std::max(narrowest[column], static_cast<float>(items[i]->render(0, 0, 1)));
            widest[column] = std::max(widest[column], static_cast<float>(items[i]->render(0, 0, kWidest)));
        }
    }
    const std::vector<float> sizes = sizeGridColumns(tracks, narrowest, widest, static_cast<float>(width), columnGap);
    std::vector<float> lefts(columns + 1, 0);
    for (size_t c = 0; c < columns; ++c)
        lefts[c + 1] = lefts[c] + sizes[c] + columnGap;
    // 2. Row by row: each item in its column, then stretched to the row's
    //    height.
    float top = 0;
    for (size_t first = 0; first < items.size(); first += columns) {
        const size_t end = std::min(items.size(), first + columns);
        const int y = static_cast<int>(std::lround(top));
        int height = 0;
        for (size_t i = first; i < end; ++i) {
            const size_t c = i - first;
            const int x = static_cast<int>(std::lround(lefts[c]));
            const int right = static_cast<int>(std::lround(lefts[c] + sizes[c]));
            items[i]->render(x, y, right - x);
            height = std::max(height, items[i]->height());
        }
        for (size_t i = first; i < end; ++i) {
            litehtml::element& item = *items[i];
            if (item.get_css_height().is_predefined() && !item.is_replaced())
                item.get_position().height += height - item.height();
        }
        top += static_cast<float>(height) + (end < items.size() ? rowGap : 0);
    }
    return static_cast<int>(std::lround(top));
}

} // namespace engine
