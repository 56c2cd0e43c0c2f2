#pragma once

#include <QString>

#include <functional>
#include <memory>

class FrameSetHost;
class VornaFrameSet;

namespace engine {
class Document;
class Element;
} // namespace engine

// Reading a frameset page the engine has loaded into the frame tree of its
// child frame. The engine lays out no FRAMESET: the panes' rectangles come
// from the tree's own division of the rows and cols lists (FrameLayout.h).

// A node for a FRAMESET element: the FRAME and FRAMESET children it declares,
// its split and list ("cols" when the cols list has a comma, else "rows" with
// the rows list as written, blanks removed), its border and framespacing.
std::unique_ptr<VornaFrameSet> ReadFramesetElement(const engine::Element& element);

// A node for a FRAME element: its src as written, target, name and scrolling
// (when not empty), noresize and border.
std::unique_ptr<VornaFrameSet> ReadFrameElement(const engine::Element& element);

// The node's entry in its parent's list at its place among its siblings,
// blanks removed; "*" for an empty one or a node without a parent.
QString FrameListEntry(const VornaFrameSet* node);

// A FRAME's entry after its pane was laid out: a star or a percentage stays;
// a pixel count that differs from the pane's length along the split becomes
// that length.
QString FramePaneEntry(const QString& entry, int paneLength);

// Where a FRAME's page comes from.
struct FrameSource
{
    enum Kind {
        None,    // no src, or it names nothing to show: a new untitled frame page
        Missing, // a file that does not exist (or a folder): as None, and the frameset changed
        Page,    // an HTML file: the pane's page is that file
        Foreign, // another file, a web address or the frameset page itself: shown
                 // from there but never saved over it
    };
    Kind kind = None;
    QString path; // the file (with "/") or the address
};

// Resolves a FRAME's src against the folder its relative sources stand in (the
// frameset page's folder, the web's folder for a page of the web). The
// frameset page's own path is never taken as a pane's file.
FrameSource ResolveFrameSource(const QString& src, const QString& baseFolder, const QString& framesetPath);

// Walks the elements of a frameset page in document order and adds a node per
// FRAMESET and FRAME to the child frame's tree (AddFrameTreeNode), each with
// its entry in its parent's list. Each FRAME node is handed to onFrame with
// its element once it is in the tree. Returns the number of FRAME nodes.
int BuildFrameTree(engine::Document* document, FrameSetHost* host,
                   const std::function<void(VornaFrameSet*, engine::Element*)>& onFrame);
