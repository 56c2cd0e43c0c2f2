#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
class CZQDoc;
class CZQView;

namespace engine {
class Document;
class Element;
class TextRange;
} // namespace engine

// How the shared helpers reach the running application (the main frame, its
// site manager and image dialog, the open page documents, the open web). The
// application installs its implementation at start; tests install a fake.
// Without one, instance() gives a context with no main window, no documents
// and no web, whose install folder is the data root.
class AppContext
{
public:
    struct OpenDocument
    {
        OpenDocument(CZQDoc* doc = nullptr, const QString& name = QString(), const QString& fullPath = QString())
            : document(doc), displayName(name), path(fullPath)
        {
        }
        CZQDoc* document;
        QString displayName; // CZQDoc::GetDisplayName: the file name of a saved page, else its title
        QString path;        // the full path of a saved page; empty for a page not saved yet
    };

    virtual ~AppContext();

    // The main frame window, or null before it exists and after it is gone.
    virtual QWidget* mainWindow() const = 0;

    // The answer remembered by a message box whose apply-to-all box was ticked
    // (1 OK, 6 Yes, 7 No); 0 when none. The main frame clears it after a batch.
    virtual int rememberedAnswer() const = 0;
    virtual void setRememberedAnswer(int answer) = 0;

    // Reads and clears the site manager's web-question flag (set before a
    // question about the documents of the open web). False without a site manager.
    virtual bool takeWebQuestionFlag() = 0;

    // The main frame's image dialog window while it is open, else null.
    virtual QWidget* imageDialogWindow() const = 0;

    // The main frame's install folder (m_strInstallFolder): the data root.
    virtual QString installFolder() const = 0;

    // The open page documents of the application's page template.
    virtual QList<OpenDocument> openDocuments() const = 0;

    // The folder of the open web, with "/" separators; empty when no web is open.
    virtual QString webFolder() const = 0;

    // --- the page views. The default context has none: no active view, no
    // engine document, nothing imported, nothing to save or link.

    // The active page view (the view of the active child frame), or null.
    virtual CZQView* activeView() const;

    // The engine document a page view shows, or null before its engine exists.
    virtual engine::Document* viewDocument(CZQView* view) const;

    // Whether the view's page content comes from another folder (m_bImportedPage).
    virtual bool isImportedPage(CZQView* view) const;

    // Sets the change mark (m_bPageChanged) of the view's page document.
    virtual void setPageChanged(CZQView* view);

    // Saves an open page document as File > Save does (command 33106); gives
    // its path afterwards, empty when it still has none (cancelled or failed).
    virtual QString saveDocument(CZQDoc* document);

    // Links the element, else the text range, of a view's page to `address`
    // as Insert > Hyperlink writes a link (reading the link already there
    // first, with link kind 1); false when nothing could be linked.
    virtual bool applyLinkToSelection(CZQView* view, engine::Element* element, engine::TextRange* range,
                                      const QString& address);

    // --- the page-wide link operations of the shared helpers. The default
    // context has no documents: no page, no web, nothing copied.

    // The page document of a view (the document, its display name and path).
    virtual OpenDocument viewPage(CZQView* view) const;

    // Whether the display name is a page of the open web (it has a row in the
    // site manager's page list).
    virtual bool isPageInWeb(const QString& displayName) const;

    // CZQDoc::CopyLinkedImages of the view's document: rewrites the element's
    // link for a save into the web (copying its file there) or elsewhere.
    virtual void copyLinkedImages(CZQView* view, engine::Element* element, const QString& link,
                                  const QString& folderUrl, bool inWebSave, bool movingSave);

    // CZQDoc::CollectLinkedFiles of the view's document: the new text of a
    // link inside a script; the link as given without a document.
    virtual QString collectLinkedFiles(CZQView* view, const QString& link, bool inWebSave, bool movingSave,
                                       const QString& folderUrl, const QString& kind);

    // The image files the script effects in an HTML text name.
    virtual QStringList scriptImageFiles(const QString& html) const;

    // Puts the HTML in place of an element of the view's page, as one undo step.
    virtual void replaceElementHtml(CZQView* view, engine::Element* element, const QString& html);

    // Tells the user of the linked files of the view's page that could not be
    // copied into the web.
    virtual void reportFailedCopies(CZQView* view);

    // Whether the active page is a page of the open web
    // (CMainFrame::IsActivePageInWeb). False without a web or a page.
    virtual bool isActivePageInWeb() const;

    // The installed context, or the default one.
    static AppContext& instance();
    // Installs a context (not owned); null restores the default one.
    static void install(AppContext* context);
};
