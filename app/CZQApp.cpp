#include "app/CZQApp.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CSplashWnd.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "app/ShellAppContext.h"
#include "controls/CDialogIEDownload.h"
#include "publish/CVornaFtp.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "res/resource.h"

#include "platform/CommandRegistry.h"
#include "platform/DocTemplate.h"
#include "platform/IdlePass.h"
#include "platform/ModalRunner.h"
#include "platform/RecentFileList.h"
#include "platform/RegistryStore.h"
#include "platform/SingleInstance.h"

#include "engine/layout/ImageLibrary.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMainWindow>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>

#include <utility>

namespace zqapp_detail {
CZQApp* g_app = nullptr;

QString encodeFileList(const QStringList& files)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(files)).toJson(QJsonDocument::Compact));
}

QStringList decodeFileList(const QString& text)
{
    QStringList files;
    for (const QJsonValue& value : QJsonDocument::fromJson(text.toUtf8()).array()) {
        if (value.isString())
            files.append(value.toString());
    }
    return files;
}
} // namespace zqapp_detail

CZQApp::CZQApp()
{
    zqapp_detail::g_app = this;
    AddCommandHandlers();
}

CZQApp::~CZQApp()
{
    m_context.reset();
    m_mainFrame.reset();
    m_docTemplate.reset();
    m_idle.reset();
    m_commands.reset();
    if (zqapp_detail::g_app == this)
        zqapp_detail::g_app = nullptr;
}

CZQApp* CZQApp::instance()
{
    return zqapp_detail::g_app;
}

QString CZQApp::recentFileKey()
{
    return EditorSettings::productKeyPath() + QStringLiteral("\\Recent File List");
}

bool CZQApp::IsEmbeddingStart(const QStringList& arguments)
{
    for (const QString& arg : arguments) {
        const QString name = arg.mid(1).toLower();
        if ((arg.startsWith(QLatin1Char('-')) || arg.startsWith(QLatin1Char('/'))) &&
            (name == QLatin1String("embedding") || name == QLatin1String("automation")))
            return true;
    }
    return false;
}

QStringList CZQApp::DocumentArguments(const QStringList& arguments)
{
    QStringList files;
    for (const QString& arg : arguments) {
        if (arg.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
            arg.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
            files.append(arg);
            continue;
        }
        const QFileInfo info(arg);
        if (info.isFile())
            files.append(info.absoluteFilePath());
    }
    return files;
}

bool CZQApp::InitInstance(const QStringList& arguments)
{
    const QStringList files = DocumentArguments(arguments);

    // One instance per user: a second start hands its files over and ends.
    m_instance = std::make_unique<platform::SingleInstance>(QStringLiteral("ULO"));
    if (m_instance->start() == platform::SingleInstance::Role::Secondary) {
        m_exitCode = 0;
        if (!m_instance->sendToPrimary(zqapp_detail::encodeFileList(files), m_nHandOverTimeoutMs)) {
            // The running program did not take the files: say so rather than end as if it had.
            ShowMessageBox(LoadResString(IDS_HANDOVER_FAILED));
            m_exitCode = 1;
        }
        return false;
    }

    // The page engine ships with the program; an older one would end the start here.
    if (!CDialogIEDownload::CheckEngineVersion(CDialogIEDownload::BuiltInEngineVersion())) {
        m_exitCode = 0;
        return false;
    }

    m_commands = std::make_unique<platform::CommandRegistry>();
    m_commands->setStringLoader([](int id) { return LoadResString(unsigned(id)); });
    m_commands->setCommandHook([this](int id) {
        m_bCommandRan = true;
        if (m_mainFrame)
            m_mainFrame->OnCommand(id);
        return false;
    });

    m_recentFiles = std::make_unique<platform::RecentFileList>(4);
    m_recentFiles->readFrom(platform::RegistryStore::instance(), recentFileKey());

    m_docTemplate = std::make_unique<platform::DocTemplate>(
        QStringLiteral("ULO"),
        [this] {
            auto document = std::make_unique<CZQDoc>();
            document->m_strSourcePath = std::exchange(m_strNewPageSource, QString());
            return document;
        },
        [this](platform::Document& document) {
            auto* page = qobject_cast<CZQDoc*>(&document);
            if (!page || !m_mainFrame)
                return false;
            auto* frame = new CChildFrame(page);
            m_mainFrame->mdiArea()->addSubWindow(frame);
            frame->ActivateFrame();
            m_bCommandRan = true;
            return true;
        });
    m_docTemplate->setRecentFiles(m_recentFiles.get());
    connect(m_docTemplate.get(), &platform::DocTemplate::activateRequested, this, [this](platform::Document* doc) {
        auto* page = qobject_cast<CZQDoc*>(doc);
        CZQView* view = page ? page->GetView() : nullptr;
        if (view && view->GetParentFrame() && m_mainFrame)
            m_mainFrame->mdiArea()->setActiveSubWindow(view->GetParentFrame());
    });

    CSplashWnd::EnableSplashScreen(!IsEmbeddingStart(arguments));
    m_mainFrame = std::make_unique<CMainFrame>(*this, *m_commands);
    m_context = std::make_unique<ShellAppContext>(*this);
    if (!m_mainFrame->Create()) {
        m_exitCode = 16;
        m_context.reset();
        m_mainFrame.reset();
        return false;
    }
    m_commands->setRoute([this] {
        QList<platform::CommandTarget*> route;
        if (CChildFrame* child = m_mainFrame ? m_mainFrame->GetActiveChild() : nullptr)
            route = child->CommandRoute();
        if (m_mainFrame)
            route.append(m_mainFrame.get());
        route.append(this);
        return route;
    });

    // The image library, started once with the program's path.
    engine::startImageLibrary();

    m_idle = std::make_unique<platform::IdlePass>();
    m_idle->setHandler([this] { OnIdle(); });
    connect(m_instance.get(), &platform::SingleInstance::messageReceived, this, [this](const QString& text) {
        if (m_mainFrame)
            m_mainFrame->OpenHandedOver(zqapp_detail::decodeFileList(text));
    });

    if (IsEmbeddingStart(arguments))
        return true;

    if (m_mainFrame->StartsMaximized())
        m_mainFrame->showMaximized();
    else
        m_mainFrame->show();
    // The window comes up with its command states set, also while the guide
    // below holds the idle update back.
    OnIdle();

    // The start-up guide, when the product key holds SHOW_GUIDE 1 (missing reads as 1).
    {
        CVornaFtp ftp;
        if (ftp.GetShowGuide() && ftp.GetShowGuideFlag() == 1)
            m_mainFrame->ShowStartupGuide();
    }

    ReportUnreadableSettings(platform::RegistryStore::instance().loadProblems());

    for (const QString& file : files)
        OpenDocumentFile(file);
    return true;
}

void CZQApp::ReportUnreadableSettings(const QStringList& files)
{
    for (const QString& file : files)
        ShowMessageBox(LoadResString(IDS_SETTINGS_UNREADABLE).arg(QDir::toNativeSeparators(file)));
}

int CZQApp::ExitInstance()
{
    if (m_recentFiles)
        m_recentFiles->writeTo(platform::RegistryStore::instance(), recentFileKey());
    return m_exitCode;
}

void CZQApp::OnIdle()
{
    if (!m_commands || !m_mainFrame)
        return;
    m_mainFrame->RefreshLockKeys();
    if (m_bCommandRan) {
        m_bCommandRan = false;
        m_lastIdleFull = true;
        m_commands->updateWidget(m_mainFrame.get(), true);
        return;
    }
    m_lastIdleFull = false;
    m_commands->updateWidget(m_mainFrame->statusBar(), true);
    m_commands->updateWidget(m_mainFrame.get(), false);
    if (CChildFrame* child = m_mainFrame->GetActiveChild())
        m_commands->updateWidget(child, false);
    // The program's other frame windows (the previews): their own commands, not their bars'.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != m_mainFrame.get() && qobject_cast<QMainWindow*>(window) && window->isVisible())
            m_commands->updateWidget(window, false);
    }
}

bool CZQApp::OpenDocumentFile(const QString& name)
{
    if (!m_docTemplate)
        return false;
    // A web address becomes a new page loaded from it: it has no file of its own.
    if (name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        name.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return OpenNewPage(name) != nullptr;
    if (m_docTemplate->openDocumentFile(name))
        return true;
    // A page that cannot be read is said so, and leaves the recent files.
    if (m_recentFiles)
        m_recentFiles->remove(name);
    ShowMessageBox(LoadResString(IDS_DOCUMENT_NOT_OPENED).arg(QDir::toNativeSeparators(name)));
    return false;
}

CZQDoc* CZQApp::OpenNewPage(const QString& sourcePath)
{
    if (!m_docTemplate)
        return nullptr;
    m_strNewPageSource = sourcePath;
    platform::Document* document = m_docTemplate->openDocumentFile(QString());
    m_strNewPageSource.clear();
    return qobject_cast<CZQDoc*>(document);
}

CZQView* CZQApp::GetActiveView() const
{
    return m_mainFrame ? m_mainFrame->GetActiveView() : nullptr;
}

void CZQApp::AddCommandHandlers()
{
    onCommand(57664, [this] {
        CAboutDlg about(m_mainFrame.get());
        platform::runModal(about, CAboutDlg::IDD);
    });
    onCommand(57606, [this] { OnFilePrintSetup(); });
    onCommand(57665, [this] {
        if (m_mainFrame)
            m_mainFrame->OnSysCommandClose();
    });
}

void CZQApp::OnFilePrintSetup()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog setup(m_printer.get(), m_mainFrame.get());
    setup.setObjectName(QStringLiteral("id_%1").arg(IDD_PRINTSETUPDLG));
    platform::runModal(setup, IDD_PRINTSETUPDLG);
}

QPrinter* CZQApp::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}
