#pragma once

#include <litehtml/litehtml.h>

#include <string_view>
#include <vector>

namespace engine {

// One column of a grid, as `grid-template-columns` sizes it: a least and a
// largest size, each a length, the width of the content (at its narrowest
// or widest), or for the largest a share of the room left (`fr`).
struct GridTrack
{
    enum class Size { Length, Percent, MinContent, MaxContent, Auto, Fraction };
    Size min = Size::Auto;
    float minValue = 0;
    Size max = Size::Auto;
    float maxValue = 0;
};

// The columns `grid-template-columns` gives (lengths, percentages, fr,
// auto, min-content, max-content, minmax() and repeat() of a number of
// times); none when it gives none or what is not read here.
std::vector<GridTrack> parseGridColumns(std::string_view css);

// The widths of the columns of a grid `width` wide with `gap` between them,
// from what each column's items need at their narrowest and widest (CSS
// Grid's sizing of tracks: each column from its least size up to its largest
// while room is left, then the rest to the fr columns, else to the auto
// ones).
std::vector<float> sizeGridColumns(const std::vector<GridTrack>& tracks, const std::vector<float>& narrowest,
                                   const std::vector<float>& widest, float width, float gap);

// Lays out the items of a grid container whose content is `width` wide
// (litehtml 0.6 knows no grids: the blocks laid out one below the other are
// placed again in the grid's cells, row by row, each as high as its row);
// returns the height of its content, or -1 where the grid is not one read
// here (its items then stay as laid out).
int layoutGridItems(litehtml::html_tag& self, int width);

} // namespace engine
