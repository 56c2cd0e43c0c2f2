#pragma once

#include "frames/VornaFrameSet.h"

#include "platform/Rect.h"

#include <QString>

#include <memory>

class FramePane;

// The frame tree of one child window and the state the frame code keeps with
// it. The child frame owns one; the tree is deleted with it.
struct FrameTree
{
    std::unique_ptr<VornaFrameSet> root; // m_pFrameSetRoot
    FramePane* rootView = nullptr;       // m_pFramesetView: the frameset page's own view
    VornaFrameSet* lastNode = nullptr;   // m_pLastFrameNode: the node added last while loading
    int previewCounter = 0;              // m_nPreviewCounter: numbers the preview files of the panes

    // Deletes the whole tree (VornaFrameSet::DeleteTree on the root).
    void clear()
    {
        lastNode = nullptr;
        root.reset();
    }
};

// The child frame that shows a frameset page, as the frame code sees it.
class FrameSetHost
{
public:
    virtual ~FrameSetHost() = default;

    virtual FrameTree& frameTree() = 0;
    // Makes the pane's view the child frame's active view, with notification.
    virtual void activatePane(FramePane* pane) = 0;
    // Sets the child frame's caption.
    virtual void setCaption(const QString& text) = 0;
    // The frameset document's m_bFramesetModified flag.
    virtual bool isFramesetModified() const = 0;
    virtual void setFramesetModified() = 0;
    virtual void clearFramesetModified() = 0;
    // The charset stored for the frameset page; empty when none.
    virtual QString framesetCharset() const = 0;
    virtual void setFramesetCharset(const QString& charset) = 0;
    // The frameset page text the frameset document's next save writes.
    virtual void setFramesetText(const QString& text) = 0;

    // The child frame's active page view: a frame's pane, the frameset view,
    // or the view of a plain page; none without one.
    virtual FramePane* activePane() = 0;
    // A shown pane view at the rectangle over a new page document with the
    // title; none when it could not be made.
    virtual FramePane* createPane(const platform::Rect& rect, const QString& title) = 0;
    // The first split of a plain page: a hidden view at the rectangle over a
    // new document with the title becomes the frameset view, and the page's
    // own view a pane; none (and nothing changed) when it could not be made.
    virtual FramePane* createFramesetPane(const platform::Rect& rect, const QString& title) = 0;
    // Closes the pane's page document and destroys its view.
    virtual void removePane(FramePane* pane) = 0;
    // Set while a frame's page is asked about before the frame is deleted.
    virtual void setClosingFrame(bool closing) = 0;
};
