#pragma once

#include "platform/WindowMessage.h"

#include <QString>

class FrameSetHost;
class VornaFrameSet;

// Operations over the pane pages of a frameset page, and on a saved frameset
// file without a window.

// Actions of ForEachFrameView.
enum FrameViewAction {
    FrameViewClose = platform::WM_CLOSE, // ask each pane page to save its changes
    FrameViewSave = 33106,               // File/Save: save each pane page
};

// Runs the action on every FRAME pane of the node, its subtree and its
// following siblings, in tree order; each pane first becomes the child frame's
// active view (the given child frame, else the active one). Closing stops at
// the first pane whose save question is cancelled and returns false; every
// other case returns true. Other actions do nothing.
bool ForEachFrameView(VornaFrameSet* node, int action, FrameSetHost* host = nullptr);

// Hangs the frame pages of a saved frameset page under it in the site
// manager's page list: detaches the rows hanging under the frameset page and,
// unless unlinkOnly is set, gives the row of each file named by a FRAME src of
// the frameset file the frameset page's name as its tag and the kind 1. A
// frameset file that cannot be read leaves the list untouched.
void CollectFrameSources(VornaFrameSet* root, bool unlinkOnly);

// Rewrites a frameset file so that its FRAME sources whose file name is
// oldName (blanks also written as "%20") name newName; a folder part before the name and the quotes stay, and
// every other byte of the file is kept. The file is replaced atomically, only
// when something changed. False when the file cannot be read or written, or
// the new name cannot be written in the file's charset (the file is then
// unchanged).
bool RenameFrameSource(const QString& path, const QString& oldName, const QString& newName);
