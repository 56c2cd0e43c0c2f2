#pragma once

#include "engine/dom/Ref.h"

#include <QtGlobal>

#include <vector>

namespace engine {
class Element;
class Geometry;
} // namespace engine

// Placement of the selected positioned objects on the page, as one block:
// at the page's left, centre or right, top, middle or bottom (33335 ...
// 33340), or spread with equal gaps across its width or height (33341,
// 33342). The page is the page-size guide (less the room of a scroll bar at
// the right) or, in a frameset page, the active frame's share of it. All
// work on the active page; each is one undo step.

// One object's box from its inline style: left, top, width and height, each
// from the element's layout (offsetLeft ... offsetHeight) when the style has
// no text for it.
struct ObjectBox
{
    qint64 left = 0;
    qint64 top = 0;
    qint64 width = 0;
    qint64 height = 0;
};
ObjectBox GetObjectBox(engine::Element* element, engine::Geometry& geometry);

// The union of the objects' boxes and the sum of their widths and heights.
struct SelectionBounds
{
    qint64 left = 0;
    qint64 top = 0;
    qint64 right = 0;
    qint64 bottom = 0;
    qint64 totalWidth = 0;
    qint64 totalHeight = 0;
};
// False (bounds untouched) for no objects.
bool GetSelectionBounds(const std::vector<engine::Ref<engine::Element>>& objects, engine::Geometry& geometry,
                        SelectionBounds& bounds);

// The new left (33335 ... 33337) or top (33338 ... 33340) of an object whose
// left or top is `position`, when the block moves to the page's edge or
// middle; `pageWidth` and `pageHeight` are the page. Not yet kept at 0.
qint64 PlacedPosition(unsigned id, qint64 position, const SelectionBounds& bounds, qint64 pageWidth, qint64 pageHeight);

// The placement commands on the active page: an ordinary page or the active
// frame of a frameset page. 0 when handled.
int AlignPositionedElements(unsigned id);
int AlignPositionedElementsInFrame(unsigned id);
// With an extent of 0 x 0 the page-size guide itself is the page.
int AlignPositionedElementsInPage(unsigned id, int width, int height);
int SpacePositionedElements(unsigned id);
int SpacePositionedElementsInFrame(unsigned id);
int SpacePositionedElementsInPage(unsigned id, int width, int height);
