#pragma once

#include "platform/Rect.h"

#include <QSize>

#include <memory>
#include <optional>

class FramePane;
class VornaFrameSet;

// The page extent of one frame of a frameset page: the frameset laid out in
// the page-size guide, and the frame's share of it. The layout works on a
// copy of the frame tree: the live tree's rectangles place the panes on the
// screen and stay as they are.

// Lays a FRAMESET node out in a rectangle: its children share the length
// along its split ("cols": the width, else the height) by their entries
// (pixels, "n%", "*") less the frame spacing, span the rectangle across it,
// keep their left and top, and push the FRAME rectangles after them along by
// their growth. Recursive; a FRAME node is left alone.
void LayoutFramesetPanes(VornaFrameSet* node, const platform::Rect& rect);

// A copy of the tree under the root (its kinds, entries, splits, spacing,
// rectangles and pane views); the root's own siblings are not copied.
std::unique_ptr<VornaFrameSet> CopyFrameTree(const VornaFrameSet* root);

// The extent of the frame whose pane is `view` when the tree is laid out in
// (0, 0, guide): each side the smaller of the guide's and the frame's. None
// when the view shows no frame of the tree.
std::optional<QSize> FrameExtentInGuide(const VornaFrameSet* root, const FramePane* view, QSize guide);
