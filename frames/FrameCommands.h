#pragma once

#include "platform/Rect.h"

#include <QString>

class FramePane;
class FrameSetHost;

// The frame commands of the main frame on one child frame: splitting the
// active pane in four directions, deleting it and saving the frameset page,
// with the rules that enable them. The main frame's handlers call these with
// the active child frame and its counters.

// Directions of a split.
enum FrameSplitDirection {
    SplitBottom = 0,
    SplitTop = 1,
    SplitRight = 2,
    SplitLeft = 3,
};

// Where the panes go when the pane at a rectangle splits.
struct FrameSplitGeometry
{
    platform::Rect splitWindow; // where the split pane's window moves
    platform::Rect splitPane;   // the split pane's new rectangle
    platform::Rect newPane;     // the new pane's rectangle
    QString split;              // "rows" or "cols"
    bool newFirst = false;      // the new pane comes before the split one
};

// The panes of a split of the rectangle with the frame spacing: the gap
// between the two halves is the spacing, at least 2 pixels. False when the
// pane is too small to split (40 pixels and half the gap, or less, along the
// split).
bool ComputeFrameSplit(const platform::Rect& pane, int spacing, int direction, FrameSplitGeometry* geometry);

// Splits the child frame's active pane (a plain page becomes the first frame
// of a new frameset page). The frameset document gets the title
// "FrameSet<n>" and the new frame's page "Frame<n>", numbered from
// frameCount, which counts on. A pane too small is refused with a message.
// Whether the pane was split.
bool SplitFrame(FrameSetHost* host, int direction, int& frameCount);

// Deletes the child frame's active pane after its page's save question; the
// neighbour that takes its place grows into its space. Whether it was deleted.
bool DeleteFrame(FrameSetHost* host);

// Save frameset: the frame pages without a file of their own are saved,
// then the frameset page with the text written from the tree. saveMode is
// the main frame's m_nFramesetSaveMode, set while each part is done. With
// saveAs the frameset page asks for a new name. Whether the frameset page
// was saved (its modified flag is cleared only then).
bool SaveFrameset(FrameSetHost* host, int& saveMode, bool saveAs);

// The update rules, for a child frame in the editing view (none: no child frame).
// Save frameset, save as and the frameset properties: a frameset page.
bool CanUseFrameset(FrameSetHost* host);
// Frame properties: a frame pane of a frameset page is active.
bool CanEditFrame(FrameSetHost* host);
// Delete frame: as frame properties, and the tree holds two frames or more.
bool CanDeleteFrame(FrameSetHost* host);
