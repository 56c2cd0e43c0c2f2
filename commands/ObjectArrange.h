#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The arithmetic of lining up and spreading positioned objects along one
// axis, over plain numbers: the position of each object (its style's left or
// top) and its extent (its width or height). Computed in 64 bits, so that
// the largest positions a page can hold neither wrap nor overflow.

struct ObjectSpan
{
    qint64 position = 0;
    qint64 extent = 0;
};

// Which edge the objects line up at: the smallest start (left, top), the
// middle of their common span (centre, middle) or the largest end (right,
// bottom).
enum class AlignEdge { Start, Middle, End };

// The new position of each object, in the order given. Empty for no objects.
std::vector<qint64> AlignedPositions(const std::vector<ObjectSpan>& spans, AlignEdge edge);

// One object's place in a distribution: its index in the order given and
// its new position.
struct DistributedPlace
{
    int index = 0;
    qint64 position = 0;
};

// The objects laid end to end in the order of their positions, with equal
// gaps: over their own span (from the smallest start to the largest end),
// or over the page from 0 to `pageExtent`, with a gap before the first and
// after the last when they fit and equal overlaps when they do not. The
// places come in the order they are written. Over their own span fewer than
// two objects are left alone (no places).
std::vector<DistributedPlace> DistributedPlaces(const std::vector<ObjectSpan>& spans, bool overPage, qint64 pageExtent);

// A position or size of an inline style as the layout commands read it: a
// trailing "px" (any case) taken off, then the leading number ("125" is 125,
// "50%" 50, "1e9px" 1, "auto" and "" 0).
int StylePixels(QStringView text);

// The text written for a position: "%dpx", kept from 0 to the largest int so
// that no object leaves the page at the left or top.
QString PositionText(qint64 position);
