#pragma once

#include "platform/Rect.h"

#include <QString>

class FrameSetHost;
class VornaFrameSet;

// Pane layout of a frameset page. Each FRAME's m_rcPane is its pane in the
// child frame's client area; whatever changes it moves the pane window at once.
// The operations that need the tree work on the given child frame's tree (the
// active one when none is given) and do nothing when it has none; the spacing
// between panes is that tree's root framespacing.

// Brings the FRAME rectangles of the node, its subtree and its following
// siblings into other coordinates: each (its pane rectangle when it is all
// zeros) moves by (-x, -y), a negative left or top is raised to 0, and it
// loses cx at its right and cy at its bottom. FRAMESET nodes keep theirs; no
// window moves.
void OffsetFrameRects(VornaFrameSet* node, int x, int y, int cx, int cy);

// For the node, its subtree and its following siblings: moves every FRAME's
// rectangle by (-dx, -dy), raises a negative left or top to 0, takes dw from
// its right and dh from its bottom, and places its window there. With zeros it
// just places the windows at their rectangles.
void LayoutFrameWindows(VornaFrameSet* node, int dx, int dy, int dw, int dh);

// Lays a FRAMESET's children out in the rectangle by their entries (pixels,
// percentages and "*"), recursively; for a FRAME, places its window.
void UpdateFramesetSizes(VornaFrameSet* node, const platform::Rect& rect, FrameSetHost* host = nullptr);

// Rewrites the node's entry in its parent's list from its new rectangle along
// the split ("cols" or "rows"), and marks the frameset page modified.
void WriteFramesetSizes(VornaFrameSet* node, const QString& split, const platform::Rect& rect,
                        FrameSetHost* host = nullptr);

// Widens (negative amounts: narrows) the panes at the edges they share with
// neighbours and puts each pane the spacing after its previous sibling, for the
// node, its subtree and its following siblings.
void ApplyFramesetLayout(VornaFrameSet* node, int gx, int gy, FrameSetHost* host = nullptr);

// The gap left between neighbouring panes for a frame spacing: the splitter
// bar the user drags.
int FramePaneGap(int spacing);

// Divides a FRAMESET's rectangle among its children as browsers divide a
// frameset, recursively, leaving the gap of the spacing between neighbours:
// pixel entries first (scaled down when they do not fit), then percentages of
// the whole (scaled down to what is left), then the stars by their weights;
// without a star the rest goes to the percentages, else to the pixels. A
// pane keeps at least a few pixels while there is room. Each FRAME's window
// is placed at its rectangle; a FRAME node alone takes the whole rectangle.
void DivideFramesetPanes(VornaFrameSet* node, const platform::Rect& rect, int spacing);
