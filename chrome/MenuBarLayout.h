#pragma once

#include "chrome/CMenuItem.h"

#include <QSize>

#include <memory>
#include <vector>

// How the menu bar puts its items into rows (a horizontal bar) or a column
// (a bar docked left or right), and how large that makes it.
namespace MenuBarLayout {

using Items = std::vector<std::unique_ptr<CMenuItem>>;

// Marks where rows end for a bar `width` wide: an item goes on while the next
// one still fits; otherwise an item that may wrap ends its row. Returns the
// number of rows.
int Wrap(const Items& items, int width);
// Puts the items in place: rows from the top border unit, each row starting at
// x = 0 one pixel below the last; or a column at x = border unit.
void Place(const Items& items, bool horizontal, int borderUnit);
// The bar's size for the current wrap: the widest row by the rows' heights
// (each item's height plus twice the border unit); or one item's height plus
// twice the border unit by the items' lengths.
QSize Size(const Items& items, bool horizontal, int borderUnit);
// Wraps at whatever width gives the bar the length asked for (a floating bar
// resized by the user): the width when `lengthIsHeight` is false, else the height.
QSize SizeForLength(const Items& items, int length, bool lengthIsHeight, int borderUnit);

// The wrap width that leaves every item on one row.
constexpr int kOneRow = 32767;

} // namespace MenuBarLayout
