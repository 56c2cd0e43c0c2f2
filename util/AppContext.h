#pragma once

#include <QList>
#include <QString>

class QWidget;
class CZQDoc;

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
        CZQDoc* document = nullptr;
        QString displayName; // CZQDoc::GetDisplayName in its plain form (the path of a saved page)
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

    // The installed context, or the default one.
    static AppContext& instance();
    // Installs a context (not owned); null restores the default one.
    static void install(AppContext* context);
};
