#pragma once

#include <litehtml/litehtml.h>

namespace engine {

// What litehtml keeps of its boxes without giving it out.
namespace lineboxes {

// The items placed on a line box.
const litehtml::elements_vector& itemsOf(const litehtml::box& line);
litehtml::elements_vector& itemsOf(litehtml::box& line);
// The left and right edges of a box's room.
int leftOf(const litehtml::box& box);
int rightOf(const litehtml::box& box);
// Makes a line box `by` pixels wider (a piece on it was given another width).
void widenLine(litehtml::box& line, int by);
// What the pieces placed on a line take of its width, from its left edge.
int lineWidthOf(const litehtml::box& line);
// The lines and blocks of a box that holds them, as its last layout left them.
const litehtml::box::vector& boxesOf(const litehtml::html_tag& box);
litehtml::box::vector& boxesOf(litehtml::html_tag& box);

} // namespace lineboxes

} // namespace engine
