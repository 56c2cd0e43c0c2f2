#pragma once

#include "platform/Rect.h"

#include <QtGlobal>

#include <optional>
#include <vector>

namespace engine {
class Document;
class Element;
} // namespace engine

// The stacking order of positioned objects: the z-index a command gives the
// selected object. Values are 32-bit; the counters of the page view stay
// within what the editor's insertions can still count up from.

// An object as the stacking steps see it: its box from the style (right and
// bottom included in overlaps) and its z-index.
struct StackedObject
{
    platform::Rect box;
    int zIndex = 0;
};

// The z-index one step forward (just above the nearest higher z-index among
// the objects that overlap `selected`, edges included) or back (just below
// the nearest lower one); without such a neighbour one more or one less.
int SteppedZIndex(const StackedObject& selected, const std::vector<StackedObject>& others, bool forward);

// The lowest and highest z-index written in the page's inline styles; none
// when no element has one.
struct ZIndexRange
{
    int lowest = 0;
    int highest = 0;
};
std::optional<ZIndexRange> PageZIndexRange(engine::Document* document);

// The z-index of "bring to front": one above the view's top counter and the
// page's highest index; of "send to back": one below the bottom counter and
// the lowest index.
int FrontZIndex(int topCounter, const std::optional<ZIndexRange>& page);
int BackZIndex(int bottomCounter, const std::optional<ZIndexRange>& page);

// The counter kept after handing out a z-index: within the bounds the
// editor's insertions count in, so that they never overflow.
int KeptZCounter(int zIndex);

// The positioned children of BODY (those with a left and a top in their
// style) other than `selected`, with their boxes and z-indexes.
std::vector<StackedObject> BodyObjectsBeside(engine::Document* document, const engine::Element* selected);
