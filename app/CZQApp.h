#pragma once

#include "platform/CommandTarget.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CMainFrame;
class CZQDoc;
class CZQView;
class ShellAppContext;
class QPrinter;

namespace platform {
class CommandRegistry;
class DocTemplate;
class IdlePass;
class RecentFileList;
class SingleInstance;
} // namespace platform

// The application: start-up (one instance per user; a second start hands
// its files to the first), the page template, the recent files, the main
// frame, the idle update of the command states, and the shutdown.
class CZQApp : public QObject, public platform::CommandTarget
{
    Q_OBJECT
public:
    CZQApp();
    ~CZQApp() override;

    // The application object of the running program, or null.
    static CZQApp* instance();

    // Start-up, given the program's arguments (without the program name).
    // False when the program is to end now: a second start that handed its
    // files over, or a start-up that failed; exitCode() says how.
    bool InitInstance(const QStringList& arguments);
    // Shutdown; returns the exit code.
    int ExitInstance();
    int exitCode() const { return m_exitCode; }

    // The idle update: after a command, every command state of the main
    // window and its bars; otherwise only the status bar, the main window
    // and the active child.
    void OnIdle();
    // Whether the last idle update was the full one.
    bool lastIdleWasFull() const { return m_lastIdleFull; }

    // Opens a file (or an http(s) address) as a page; an empty name makes a new page.
    bool OpenDocumentFile(const QString& name);
    // A new page whose content is loaded from a file or an address (the page
    // template when empty); it has no file of its own until it is saved.
    CZQDoc* OpenNewPage(const QString& sourcePath);
    // The view of the active child frame, or null.
    CZQView* GetActiveView() const;

    // The print setup: paper and orientation of the program's printer.
    void OnFilePrintSetup();
    // The program's printer settings, which the print setup changes.
    QPrinter* printer();

    CMainFrame* mainFrame() const { return m_mainFrame.get(); }
    platform::DocTemplate* docTemplate() const { return m_docTemplate.get(); }
    platform::RecentFileList* recentFiles() const { return m_recentFiles.get(); }
    platform::CommandRegistry* commands() const { return m_commands.get(); }

    // The arguments that name pages to open: existing files and http(s)
    // addresses; switches are not file names.
    static QStringList DocumentArguments(const QStringList& arguments);
    // Whether the arguments ask for an embedding or automation start.
    static bool IsEmbeddingStart(const QStringList& arguments);
    // Tells the user, one message per file, that a settings file could not be
    // read and the program started from the default settings.
    static void ReportUnreadableSettings(const QStringList& files);

    // How long a second start waits for the running program's receipt.
    int m_nHandOverTimeoutMs = 5000;

    // Set by the main frame's command hook and by changes that affect
    // command states; read and cleared by the idle update.
    bool m_bCommandRan = true;

    static QString recentFileKey();

private:
    void AddCommandHandlers();

    int m_exitCode = 0;
    // The source path the next new page document gets.
    QString m_strNewPageSource;
    bool m_lastIdleFull = false;
    std::unique_ptr<platform::CommandRegistry> m_commands;
    std::unique_ptr<platform::IdlePass> m_idle;
    std::unique_ptr<platform::SingleInstance> m_instance;
    std::unique_ptr<platform::RecentFileList> m_recentFiles;
    std::unique_ptr<platform::DocTemplate> m_docTemplate;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<ShellAppContext> m_context;
    std::unique_ptr<QPrinter> m_printer;
};
