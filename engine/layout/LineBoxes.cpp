#include "engine/layout/LineBoxes.h"

namespace engine {

namespace lineboxes_detail {

// Reached through the explicit instantiation of a template, which may name
// members it could not otherwise.
template <typename Tag, typename Tag::type Member> struct Reach
{
    friend typename Tag::type reach(Tag) { return Member; }
};
struct LineItemsOf
{
    using type = litehtml::elements_vector litehtml::line_box::*;
    friend type reach(LineItemsOf);
};
struct LineWidthOf
{
    using type = int litehtml::line_box::*;
    friend type reach(LineWidthOf);
};
struct BoxLeftOf
{
    using type = int litehtml::box::*;
    friend type reach(BoxLeftOf);
};
struct BoxRightOf
{
    using type = int litehtml::box::*;
    friend type reach(BoxRightOf);
};
struct BoxesOf
{
    using type = litehtml::box::vector litehtml::html_tag::*;
    friend type reach(BoxesOf);
};
template struct Reach<LineItemsOf, &litehtml::line_box::m_items>;
template struct Reach<BoxesOf, &litehtml::html_tag::m_boxes>;
template struct Reach<LineWidthOf, &litehtml::line_box::m_width>;
template struct Reach<BoxLeftOf, &litehtml::box::m_box_left>;
template struct Reach<BoxRightOf, &litehtml::box::m_box_right>;

} // namespace lineboxes_detail

namespace lineboxes {

using namespace lineboxes_detail;

const litehtml::elements_vector& itemsOf(const litehtml::box& line)
{
    return static_cast<const litehtml::line_box&>(line).*reach(LineItemsOf{});
}

litehtml::elements_vector& itemsOf(litehtml::box& line)
{
    return static_cast<litehtml::line_box&>(line).*reach(LineItemsOf{});
}

int leftOf(const litehtml::box& box)
{
    return box.*reach(BoxLeftOf{});
}

int rightOf(const litehtml::box& box)
{
    return box.*reach(BoxRightOf{});
}

void widenLine(litehtml::box& line, int by)
{
    static_cast<litehtml::line_box&>(line).*reach(LineWidthOf{}) += by;
}

int lineWidthOf(const litehtml::box& line)
{
    return static_cast<const litehtml::line_box&>(line).*reach(LineWidthOf{});
}

const litehtml::box::vector& boxesOf(const litehtml::html_tag& box)
{
    return box.*reach(BoxesOf{});
}

litehtml::box::vector& boxesOf(litehtml::html_tag& box)
{
    return box.*reach(BoxesOf{});
}

} // namespace lineboxes

} // namespace engine
