#pragma once

#include "platform/Rect.h"

#include <QString>

// One pane of a frameset page as the frame code sees it: the page view of one
// FRAME together with its page document. The page view implements it; the root
// node of a frame tree holds the view of the frameset page itself.
class FramePane
{
public:
    virtual ~FramePane() = default;

    // The page document behind the view; the other document calls are only
    // made while it exists.
    virtual bool hasDocument() const = 0;
    // The file the document was saved to or opened from; empty for a new page.
    virtual QString documentPath() const = 0;
    // The file the page was loaded from (m_strLoadSource); empty when none.
    virtual QString loadSource() const = 0;
    // The document's display name (CZQDoc::GetDisplayName, short form).
    virtual QString displayName() const = 0;
    virtual bool isModified() const = 0;
    // CZQDoc::SaveModified: asks the user about a changed page and saves on Yes;
    // false when the user cancelled (or a save failed).
    virtual bool saveModified() = 0;
    // CZQDoc::OnSaveDocument to the given path; false when the save failed.
    virtual bool saveDocument(const QString& path) = 0;
    // CZQDoc::OnFileSave: saves to the document's path, asking for a name when
    // it has none; false when cancelled or failed.
    virtual bool fileSave() = 0;
    // CZQDoc::OnFileSaveAs: asks for a name and saves there; false when
    // cancelled or failed.
    virtual bool fileSaveAs() = 0;
    // The title of the live page; empty when the page or its title is missing.
    virtual QString pageTitle() const = 0;
    // Writes the title into the live page, when there is one.
    virtual void setPageTitle(const QString& title) = 0;

    // Re-pointing the pane's page (then reloadPage shows it).
    // The document's title (its name while it has no file).
    virtual void setDocumentTitle(const QString& title) = 0;
    // The document's file; a path given is entered in the recent-file list.
    virtual void setDocumentPath(const QString& path) = 0;
    // The file a page without a file of its own is loaded from (m_strLoadSource).
    virtual void setLoadSource(const QString& path) = 0;
    // The file a page without a file of its own is saved to (m_strTargetFile).
    virtual void setTargetFile(const QString& path) = 0;
    // Shows the document's page anew: its file, else its load source, else
    // the page template.
    virtual void reloadPage() = 0;
    // Writes the live page to the path, leaving the document's own file as
    // it is; false when it could not be written (the user was told).
    virtual bool savePageCopyAs(const QString& path) = 0;

    // Places the pane window at a rectangle of the child frame's client area
    // and repaints it.
    virtual void moveWindow(const platform::Rect& rect) = 0;
    // The pane window's rectangle in screen coordinates.
    virtual platform::Rect screenRect() const = 0;
    // The pane window's rectangle in the child frame's client area.
    virtual platform::Rect windowRect() const = 0;

    // Page-wide operations of the shared DOM helpers, run on this pane's page.
    // Writes the non-empty values into the page's BODY as one undo step.
    virtual void writeBodyAttributes(const QString& background, const QString& bgColor, const QString& text,
                                     const QString& link, const QString& aLink, const QString& vLink) = 0;
    // Renames a linked file's ending in the page's references (CollectPageLinks).
    virtual void collectPageLinks(const QString& oldName, const QString& newName, int mode) = 0;
    // Brings the page's script files into the open web (CollectScriptFiles).
    virtual void collectScriptFiles(bool mode) = 0;
};
