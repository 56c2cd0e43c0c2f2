#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "app/CSplashWnd.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/MenuResource.h"
#include "editor/CImpIDispatch.h"
#include "frames/VornaFrameSet.h"
#include "images/ImageFiles.h"
#include "app/StatusPane.h"
#include "chrome/CCoolDialogBar.h"
#include "images/VornaDlgImageBrowser.h"
#include "chrome/CMenuBar.h"
#include "chrome/ULOMDIClientHook.h"
#include "chrome/ULOBasicToolBar.h"
#include "chrome/ULOToolBar.h"
#include "chrome/VornaCoolMenuManager.h"
#include "controls/VornaComboEx.h"
#include "controls/VornaFontCombo.h"
#include "skins/VornaSkinManager.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "publish/CVornaFtp.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "util/StringResources.h"
#include "web/VornaDialogSiteManagerSheet.h"
#include "web/VornaDirectoryWatchThread.h"
#include "res/resource.h"

#include "engine/editing/CommandGroup.h"
#include "engine/view/PageView.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalRunner.h"
#include "platform/WindowMessage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QRegularExpression>
#include <QStyle>
#include <QTimer>
#include <QMimeData>
#include <QScopeGuard>
#include <QScreen>
#include <QSoundEffect>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>

namespace mainframe_detail {

CMainFrame* g_mainFrame = nullptr;

struct BarInfo
{
    int id;
    int bitmapBase;
    int captionId;
};
constexpr std::array<BarInfo, 11> kBars{{{601, 2011, 57751},
                                         {602, 2021, 57752},
                                         {603, 2031, 57753},
                                         {604, 2041, 57754},
                                         {605, 2051, 57755},
                                         {606, 2061, 57756},
                                         {607, 2071, 57757},
                                         {608, 2081, 57758},
                                         {609, 2091, 57759},
                                         {610, 2101, 57760},
                                         {611, 2111, 57761}}};

QString dockStateKey(const char* which)
{
    return EditorSettings::productKeyPath() + QLatin1Char('\\') + QLatin1String(which);
}

// The status bar's picture button. It shows no prompt of its command: the
// prompt would take the pane the button stands on and hide the button under
// the pointer for as long as the prompt stayed.
class StatusBarButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::StatusTip)
            return true;
        return QToolButton::event(event);
    }
};

bool isPageFileName(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == QLatin1String("htm") || ext == QLatin1String("html");
}

} // namespace mainframe_detail

CMainFrame::CMainFrame(CZQApp& app, platform::CommandRegistry& registry) : m_app(app), m_registry(registry)
{
    mainframe_detail::g_mainFrame = this;
    setObjectName(QStringLiteral("Vorna-Paginor Main"));
    // The program's own icon, which the desktop and a skinned caption show.
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/res/icons/%1/%2.png").arg(IDR_MAINFRAME).arg(size));
    setWindowIcon(icon);
    UpdateFrameTitle();
    {
        CVornaFtp ftp;
        m_strInstallFolder = ftp.GetTargetDir();
        m_strBoardId = ftp.GetWebObjectBoard();
        m_strVisitorId = ftp.GetWebObjectVisitor();
    }
    if (m_strInstallFolder.isEmpty())
        m_strInstallFolder = platform::installPath();
    m_strSoundFolder = platform::resolveCaseBlind(m_strInstallFolder, QStringLiteral("Bin/Sounds"));
    for (int i = 0; i < 4; ++i)
        m_recentWebs.append(QString());
    CRegistryEx reg(HKEY_CURRENT_USER);
    int status = 0;
    if (reg.Open(HKEY_CURRENT_USER, EditorSettings::productKeyPath() + QStringLiteral("\\General Property")) &&
        reg.ReadInt(QStringLiteral("ChildFrameShowStatus"), status))
        m_bChildFrameShowStatus = status == 3;
    AddCommandHandlers();
    AddUpdateHandlers();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    // Nothing may reach the frame's handlers while its windows go: the pages'
    // windows are destroyed after this body, when the frame is no longer one.
    disconnect(qApp, nullptr, this, nullptr);
    if (m_mdiArea)
        disconnect(m_mdiArea, nullptr, this, nullptr);
    // The menu bar follows the page windows (their activation, their state)
    // and lays itself out by the frame's size: it goes now, while the frame is
    // whole, rather than hear the page windows go after this body.
    delete m_wndMenuBar;
    m_wndMenuBar = nullptr;
    if (mainframe_detail::g_mainFrame == this)
        mainframe_detail::g_mainFrame = nullptr;
    ReleaseSoundEffect();
}

QDockWidget* CMainFrame::siteManagerBar() const
{
    return m_pSiteManagerBar;
}

CMainFrame* CMainFrame::instance()
{
    return mainframe_detail::g_mainFrame;
}

bool CMainFrame::Create()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && (screen->size().width() < 800 || screen->size().height() < 600)) {
        MessageBoxById(41600);
        return false;
    }
    LoadSettings();
    ReadRecentWebs();
    if (!VornaSkinManager::GetInstance().Install(this))
        ShowMessageBox(QStringLiteral("Fail to install VornaSkinManager!!!"));
    if (!CreateBars())
        return false;
    VornaSkinManager::GetInstance().SkinMainFrameDockBars();
    VornaSkinManager::GetInstance().SkinMDIClient(m_mdiArea);
    WatchRecentWebMenus();
    CSplashWnd::ShowSplashScreen(this);
    setAcceptDrops(true);
    RestorePlacementAndState();
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            OnActivateApp();
    });
    return true;
}

void CMainFrame::LoadSettings()
{
    m_settings.soundEffect = 1;
    m_settings.showGuide = 1;
    m_settings.showArrange = 1;
    m_settings.showTableToolbar = 1;
    m_settings.load();
}

void CMainFrame::ReadRecentWebs()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, EditorSettings::productKeyPath() + QStringLiteral("\\ULO\\Recent Project List")))
        return;
    for (int i = 0; i < 4; ++i) {
        QString value;
        if (!reg.ReadString(QStringLiteral("Project%1").arg(i + 1), value) || value.isEmpty())
            break;
        m_recentWebs[i] = value;
    }
}

bool CMainFrame::CreateBars()
{
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiClient"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    // Minimised pages show as icons on the area.
    m_pMDIClientHook = std::make_unique<ULOMDIClientHook>();
    m_pMDIClientHook->Install(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        SwitchMenu(!m_mdiArea->subWindowList().isEmpty());
        m_app.m_bCommandRan = true;
        OnChildActivated(qobject_cast<CChildFrame*>(sub));
        OnActiveViewChanged();
    });

    CreateStatusBar();

    // The menu bar, docked in a row of its own at the top; a menu resource
    // that cannot be read ends the start rather than leave a frame without menus.
    m_wndMenuBar = new CMenuBar(this);
    QStringList problems;
    m_documentMenus = MenuResource::buildMenus(MenuResource::load(507, &problems), m_registry, this);
    if (!m_wndMenuBar->Create(this, CMenuBar::CBRS_GRIPPER) || !m_wndMenuBar->LoadMenuBar(126, m_registry) ||
        m_documentMenus.isEmpty() || !problems.isEmpty()) {
        ShowMessageBox(LoadResString(IDS_MENU_UNREADABLE));
        return false;
    }
    m_mainMenus = m_wndMenuBar->loadedMenu();
    m_wndMenuBar->setWindowTitle(LoadResString(57763));
    m_wndMenuBar->EnableDockingEx(Qt::AllToolBarAreas);
    m_wndMenuBar->DockIn(Qt::TopToolBarArea);
    m_documentMenuShown = false;
    const QMap<int, QKeySequence> accelerators = MenuResource::loadAccelerators(126);
    MenuResource::applyAccelerators(accelerators, m_registry);
    for (auto it = accelerators.begin(); it != accelerators.end(); ++it)
        addAction(m_registry.action(it.key()));

    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    for (size_t i = 0; i < m_toolBars.size(); ++i) {
        const auto& info = mainframe_detail::kBars[i];
        auto* bar = ULOToolBar::create(info.id, this);
        if (!bar->LoadToolBarEx(info.id, info.bitmapBase, m_registry))
            return false;
        bar->setWindowTitle(LoadResString(info.captionId));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        addToolBar(Qt::TopToolBarArea, bar);
        m_toolBars[i] = bar;
    }
    // The basic toolbar: the entries of menu 670 as picture buttons, in a row of its own.
    m_basicToolBar = new ULOBasicToolBar(this);
    m_basicToolBar->Create(this, CMenuBar::CBRS_GRIPPER);
    m_basicToolBar->LoadMenuButtons(670, 2121, 671, m_registry);
    m_basicToolBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_basicToolBar);

    // Rows: standard, object; the frame and other bars follow the object bar.
    // The bars of a page's selection start hidden; the browser and additional bars too.
    for (int id : {603, 604, 605, 606, 607, 610, 611})
        toolBar(id)->hide();
    insertToolBarBreak(toolBar(602));
    insertToolBarBreak(toolBar(608));
    // The basic toolbar is shown on demand (表示 > ツールバー).
    m_basicToolBar->hide();
    for (int id : {603, 604, 605, 606, 607})
        toolBar(id)->m_dwSavedFlag = 1;

    // The font name and size boxes of the format bar.
    ULOToolBar* format = toolBar(603);
    // The font names in their own faces, the last six chosen on top.
    auto* fontName = new VornaFontCombo(format);
    fontName->AdjustDropWidth(m_fontList);
    format->PlaceControl(0, 32928, fontName, QSize(150, fontName->sizeHint().height()));
    auto* fontSize = new VornaComboEx(format);
    for (const char* text : {"1(8pt)", "2(10pt)", "3(12pt)", "4(14pt)", "5(18pt)", "6(24pt)", "7(36pt)"})
        fontSize->addFixedItem(QString::fromLatin1(text));
    format->PlaceControl(1, 32929, fontSize, QSize(85, fontSize->sizeHint().height()));
    ConnectFormatBoxes();

    // Give buttons of commands without a menu text the short name of their string.
    for (int id : m_registry.ids()) {
        QAction* action = m_registry.findAction(id);
        if (action && action->text().isEmpty()) {
            const QString entry = LoadResString(unsigned(id));
            const QString shortName = entry.section(QLatin1Char('\n'), 1).trimmed();
            action->setText(shortName.isEmpty() ? entry.section(QLatin1Char('\n'), 0, 0).trimmed() : shortName);
        }
    }
    // Toolbar buttons show the command's short name: the string's tooltip
    // part, else the menu text without its mnemonic and ellipsis.
    static const QRegularExpression mnemonic(QStringLiteral("\\(&?.\\)|&|\\.\\.\\.$|…$"));
    for (ULOToolBar* bar : m_toolBars) {
        for (QAction* action : bar->actions()) {
            const int id = m_registry.idOf(action);
            if (id == 0)
                continue;
            const QString shortName = LoadResString(unsigned(id)).section(QLatin1Char('\n'), 1).trimmed();
            action->setIconText(shortName.isEmpty() ? QString(action->text()).remove(mnemonic).trimmed() : shortName);
        }
    }
    for (ULOToolBar* bar : m_toolBars)
        bar->LoadState();
    // The menus show the toolbars' pictures and the accelerator names.
    m_pCoolMenu = std::make_unique<VornaCoolMenuManager>();
    m_pCoolMenu->setRegistry(&m_registry);
    m_pCoolMenu->Install(this);
    m_pCoolMenu->SetImageLists(&ULOToolBar::commandImageMap(), &ULOToolBar::imageList(ULOToolBar::kNormal),
                               &ULOToolBar::imageList(ULOToolBar::kDisabled));
    return true;
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("bar_59393"));
    m_imageBrowserButton = new mainframe_detail::StatusBarButton(bar);
    m_imageBrowserButton->setObjectName(QStringLiteral("id_33456"));
    m_imageBrowserButton->setFixedSize(18, 18);
    m_imageBrowserButton->setDefaultAction(m_registry.action(33456));
    m_imageBrowserButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_imageBrowserButton->setToolTip(LoadResString(57745));
    bar->addWidget(m_imageBrowserButton);
    // The panes show their command's text while its update handler enables it.
    const auto pane = [this, bar](int id, const QString& sizing) {
        QAction* action = m_registry.action(id);
        auto* label = new StatusPane(action, sizing, bar);
        label->setObjectName(QStringLiteral("id_%1").arg(id));
        bar->addPermanentWidget(label);
        return label;
    };
    m_positionPane = pane(41871, LoadResString(41871));
    m_sizePane = pane(41872, LoadResString(41872));
    m_modePane = pane(57678, LoadResString(57678));
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM}) {
        m_registry.action(id)->setText(LoadResString(id));
        pane(id, LoadResString(id));
    }
}

void CMainFrame::SwitchMenu(bool documentMenu)
{
    if (documentMenu == m_documentMenuShown)
        return;
    m_documentMenuShown = documentMenu;
    const QList<QMenu*>& menus = documentMenu ? m_documentMenus : m_mainMenus;
    m_wndMenuBar->SetMenu(menus, CMenuBar::FindWindowMenu(menus));
}

void CMainFrame::RestorePlacementAndState()
{
    {
        // The main dock state applies only when every bar it records as docked is here.
        CRegistryEx reg(HKEY_CURRENT_USER);
        QByteArray state;
        QByteArray bars;
        if (reg.Open(HKEY_CURRENT_USER, mainframe_detail::dockStateKey("MainFrame DockState")) &&
            reg.ReadBinary(QStringLiteral("State"), state) && !state.isEmpty() &&
            reg.ReadBinary(QStringLiteral("Bars"), bars)) {
            const QStringList docked = QString::fromUtf8(bars).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            const QStringList present = BarNames(false);
            const bool valid = std::all_of(docked.begin(), docked.end(),
                                           [&present](const QString& name) { return present.contains(name); });
            if (valid)
                restoreState(state);
        }
    }
    {
        // The child frames apply theirs when a page is activated.
        CRegistryEx reg(HKEY_CURRENT_USER);
        if (reg.Open(HKEY_CURRENT_USER, mainframe_detail::dockStateKey("ChildFrame DockState")))
            reg.ReadBinary(QStringLiteral("State"), m_childFrameDockState);
    }

    WindowPlacement placement;
    if (!placement.load()) {
        // The first start: a window of most of the screen, in its middle.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = area.size() * 0.85;
            setGeometry(QRect(
                area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size));
        }
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (placement.width > 0 && placement.height > 0) {
        QRect rect(placement.x, placement.y, int(qMin(placement.width, 0x7fffu)), int(qMin(placement.height, 0x7fffu)));
        // A place no screen shows any more (a screen gone since) comes back onto the main screen.
        const QScreen* shown = QGuiApplication::screenAt(rect.topLeft() + QPoint(20, 20));
        if (screen && !shown) {
            const QRect area = screen->availableGeometry();
            rect = QRect(area.topLeft(), rect.size().boundedTo(area.size()));
        } else if (shown) {
            // Stored on a larger screen: the window fits the one it is on now.
            const QRect area = shown->availableGeometry();
            rect.setSize(rect.size().boundedTo(area.size()));
            rect.moveRight(qMin(rect.right(), area.right()));
            rect.moveBottom(qMin(rect.bottom(), area.bottom()));
        }
        setGeometry(rect);
    }
    m_bStartMaximized = placement.startsMaximized(screen ? screen->size() : QSize(800, 600));
}

void CMainFrame::SaveOnDestroy()
{
    if (m_bDestroySaved)
        return;
    m_bDestroySaved = true;
    WindowPlacement placement;
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    placement.maximize = isMaximized();
    placement.width = quint32(normal.width());
    placement.height = quint32(normal.height());
    placement.x = normal.x();
    placement.y = normal.y();
    placement.save();
    m_settings.save();
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        if (reg.Create(HKEY_CURRENT_USER,
                       EditorSettings::productKeyPath() + QStringLiteral("\\ULO\\Recent Project List"))) {
            for (int i = 0; i < 4; ++i) {
                if (!m_recentWebs[i].isEmpty())
                    reg.WriteString(QStringLiteral("Project%1").arg(i + 1), m_recentWebs[i]);
            }
        }
    }
    // The site manager goes before the dock state is taken, so the state never
    // records a bar the next start does not make at once; its watcher first.
    CloseSiteManagerPage();
    m_pFolderWatcher.reset();
    if (m_pSiteManagerBar)
        delete m_pSiteManagerBar.data();
    if (m_pSiteManagerSheet)
        delete m_pSiteManagerSheet.data();
    if (m_pImageBrowserBar)
        delete m_pImageBrowserBar.data();
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        if (reg.Create(HKEY_CURRENT_USER, mainframe_detail::dockStateKey("MainFrame DockState"))) {
            reg.WriteBinary(QStringLiteral("State"), saveState());
            reg.WriteBinary(QStringLiteral("Bars"), BarNames(true).join(QLatin1Char('\n')).toUtf8());
        }
    }
    for (ULOToolBar* bar : m_toolBars) {
        if (bar)
            bar->SaveState();
    }
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        if (reg.Create(HKEY_CURRENT_USER, mainframe_detail::dockStateKey("ChildFrame DockState")))
            reg.WriteBinary(QStringLiteral("State"), m_childFrameDockState);
    }
    platform::removePrivateTempFolder();
}

QStringList CMainFrame::BarNames(bool dockedOnly) const
{
    QStringList names;
    for (QToolBar* bar : findChildren<QToolBar*>()) {
        if (!bar->objectName().isEmpty() && !(dockedOnly && bar->isFloating()))
            names.append(bar->objectName());
    }
    for (QDockWidget* bar : findChildren<QDockWidget*>()) {
        if (!bar->objectName().isEmpty() && !(dockedOnly && bar->isFloating()))
            names.append(bar->objectName());
    }
    return names;
}

QToolBar* CMainFrame::barOf(int id) const
{
    if (id == ULOBasicToolBar::kBarId)
        return m_basicToolBar;
    return toolBar(id);
}

ULOToolBar* CMainFrame::toolBar(int id) const
{
    for (ULOToolBar* bar : m_toolBars) {
        if (bar && bar->resourceId() == id)
            return bar;
    }
    return nullptr;
}

QList<CChildFrame*> CMainFrame::childFrames() const
{
    QList<CChildFrame*> frames;
    if (!m_mdiArea)
        return frames;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(sub))
            frames.append(frame);
    }
    return frames;
}

CChildFrame* CMainFrame::GetActiveChild() const
{
    if (!m_mdiArea)
        return nullptr;
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if (!active) {
        // Without window activation (no focus yet) the current window is the active one.
        active = m_mdiArea->currentSubWindow();
    }
    return qobject_cast<CChildFrame*>(active);
}

CZQView* CMainFrame::GetActiveView() const
{
    CChildFrame* child = GetActiveChild();
    return child ? child->GetActiveView() : nullptr;
}

void CMainFrame::PlaySoundEffect(const QString& name)
{
    if (m_settings.soundEffect == 0)
        return;
    const QString path = platform::resolveCaseBlind(m_strSoundFolder, name);
    if (!QFileInfo::exists(path))
        return;
    if (!m_sound)
        m_sound = std::make_unique<QSoundEffect>();
    m_sound->setSource(QUrl::fromLocalFile(path));
    m_sound->play();
}

void CMainFrame::ReleaseSoundEffect()
{
    if (!m_sound)
        return;
    // A sound is loaded on a thread of the toolkit's own, whose cache locks
    // itself up when the process ends while one is still loading (a key
    // typed right before closing): the loading ends first, then the sound
    // goes, while the application still runs.
    if (m_sound->status() == QSoundEffect::Loading) {
        QEventLoop loading;
        connect(m_sound.get(), &QSoundEffect::statusChanged, &loading, &QEventLoop::quit);
        QTimer::singleShot(3000, &loading, &QEventLoop::quit);
        loading.exec(QEventLoop::ExcludeUserInputEvents);
    }
    m_sound.reset();
}

void CMainFrame::OnCommand(int id)
{
    m_app.m_bCommandRan = true;
    // A split drop-down button that lists the command carries it from now on.
    if (ULOToolBar* owner = ULOToolBar::ownerOf(id))
        owner->SelectDropDownCommand(id);
}

QMenu* CMainFrame::createPopupMenu()
{
    return ULOToolBar::CreateToolBarListMenu(m_registry, this);
}

void CMainFrame::OnSysCommandClose()
{
    m_bClosing = true;
    if (m_bWebOpen) {
        if (IsEditingLockedBySiteManager()) {
            // Yes stops the transfer; the quick publish closes the window when it has ended.
            if (MessageBoxById(41776, 0, 0x40, 4) == platform::IDYES && m_pSiteManagerSheet) {
                m_pSiteManagerSheet->sitePage()->GetFtp().RequestCancel();
                m_pSiteManagerSheet->sitePage()->m_bCloseAfterPublish = true;
            }
            m_bClosing = false;
            return;
        }
        m_bCloseSiteManagerAfterAll = true;
    }
    OnFileCloseAll();
    if (m_bCloseSiteManagerAfterAll)
        CloseSiteManagerPage();
    m_bCloseSiteManagerAfterAll = false;
    if (!m_bClosing)
        return;
    SaveOnDestroy();
    hide();
    ReleaseSoundEffect();
    QApplication::quit();
}

void CMainFrame::OnFileCloseAll()
{
    m_bClosing = true;
    m_nRememberedAnswer = 0;
    ClosePages([](CZQDoc*) { return true; }, m_bClosing);
    m_nRememberedAnswer = 0;
}

void CMainFrame::OpenHandedOver(const QStringList& files)
{
    // Restored as it was before it was minimised, maximised included.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    // The window the user last worked in comes up: an open dialog, else the frame.
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = this;
    front->raise();
    front->activateWindow();
    for (const QString& file : files)
        m_app.OpenDocumentFile(file);
}

void CMainFrame::OnDropFiles(const QStringList& files, QPoint screenPoint)
{
    raise();
    activateWindow();
    bool refused = false;
    bool imageArmed = false;
    // Pages open first: an image dropped with them waits for a click in one
    // of them rather than in a new empty page.
    for (const QString& file : files) {
        if (mainframe_detail::isPageFileName(file))
            m_app.OpenDocumentFile(file);
    }
    for (const QString& file : files) {
        if (mainframe_detail::isPageFileName(file)) {
            continue;
        } else if (IsImageFileName(file) && !imageArmed) {
            imageArmed = true;
            DropImage(file, screenPoint);
        } else if (!IsImageFileName(file)) {
            refused = true;
        }
    }
    if (refused)
        MessageBoxById(41838);
}

CZQView* CMainFrame::DropTargetView(QPoint screenPoint) const
{
    CChildFrame* child = GetActiveChild();
    if (child && child->HasFrameset()) {
        VornaFrameSet* node = child->frameTree().root->FindFrameAtPoint(screenPoint, true);
        return node ? dynamic_cast<CZQView*>(node->m_pView) : nullptr;
    }
    return GetActiveView();
}

void CMainFrame::ArmImageInsertion(const QString& file)
{
    m_strInsertImageSrc = file;
    m_nInsertImageFlag = 0;
    m_nInsertKind = 2;
    // The image goes in at its own size (0 x 0 when its file cannot be
    // measured: the page then shows it at its natural size).
    m_rcInsert = QRect(QPoint(-1, -1), GetImageFileSize(file));
}

void CMainFrame::DropImage(const QString& file, QPoint screenPoint)
{
    ArmImageInsertion(file);
    CZQView* view = DropTargetView(screenPoint);
    if (!view) {
        // A new page waits for the click that places the image.
        OnFileNewFile();
        return;
    }
    if (CChildFrame* child = view->GetParentFrame())
        m_mdiArea->setActiveSubWindow(child);
    view->EnsureEngine();
    engine::PageView* page = view->GetPageView();
    CImpIDispatch* sink = view->GetSink();
    if (!page || !sink)
        return;
    QPoint point = page->viewToClient(page->viewport()->mapFromGlobal(screenPoint));
    point.setX(qMax(0, point.x()));
    point.setY(qMax(0, point.y()));
    sink->InsertPositionedObject(point);
    m_nInsertKind = 0;
}

void CMainFrame::OnActiveViewChanged()
{
    CZQView* before = m_lastActiveView.data();
    CZQView* now = GetActiveView();
    if (before == now)
        return;
    m_lastActiveView = now;
    if (before)
        before->OnActivateView(false, now, before);
    if (now)
        now->OnActivateView(true, now, before);
}

void CMainFrame::OnActivateApp()
{
    RefreshImageWindows(true);
    platform::DocTemplate* docs = m_app.docTemplate();
    // One check at a time: coming back to the program while a reload question
    // is open must not ask it twice. Nor while pages are being closed: the
    // question would take the answer remembered for them.
    if (!docs || m_bCheckingFiles || m_bClosing)
        return;
    m_bCheckingFiles = true;
    const auto done = qScopeGuard([this] { m_bCheckingFiles = false; });
    for (bool reload = true; reload;) {
        reload = false;
        CheckFilesChangedOutside(reload);
    }
}

void CMainFrame::CheckFilesChangedOutside(bool& reload)
{
    platform::DocTemplate* docs = m_app.docTemplate();
    for (platform::Document* base : docs->documents()) {
        auto* document = qobject_cast<CZQDoc*>(base);
        if (!document || document->pathName().isEmpty())
            continue;
        const QFileInfo file(document->pathName());
        if (!file.exists()) {
            document->m_bFileMissing = true;
            continue;
        }
        const QDateTime time = file.lastModified();
        if (!document->m_timeFile.isValid())
            document->m_timeFile = time;
        if (document->m_timeFile >= time)
            continue;
        CZQView* view = document->GetView();
        if (!view || !view->GetItem()) {
            // Not shown yet: the page is read from the file when it is.
            document->m_timeFile = time;
            continue;
        }
        CChildFrame* child = view->GetParentFrame();
        if (child)
            m_mdiArea->setActiveSubWindow(child);
        const int answer = ShowMessageBox(document->pathName() + QLatin1Char('\n') + LoadResString(41843), 0, 0x40, 4);
        if (answer == platform::IDYES && child && child->GetFramesetView() == view) {
            // A frameset page opens again whole: its frames close unsaved first.
            const QString path = document->pathName();
            m_nRememberedAnswer = platform::IDNO;
            child->close();
            m_nRememberedAnswer = 0;
            m_app.OpenDocumentFile(path);
            reload = true;
            break;
        }
        if (answer == platform::IDYES)
            view->ReloadPage();
        document->m_timeFile = time;
    }
}

bool CMainFrame::event(QEvent* event)
{
    if (event->type() == platform::WindowMessage::eventType()) {
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == kHandOverMessage) {
            OpenHandedOver(message->data().toStringList());
            message->setResult(0);
            return true;
        }
        if (message->message() == kTutorialDocumentMessage) {
            OnTutorialRequestDocument(message->wParam(), message->lParam());
            message->setResult(0);
            return true;
        }
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_bDestroySaved) {
        event->accept();
        return;
    }
    event->ignore();
    OnSysCommandClose();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    OnDropFiles(files, mapToGlobal(event->position().toPoint()));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // A key the focus widget leaves goes on to its parents, and this filter
    // sees it again at each: the frame takes it at its first receiver only.
    // The menu bar sees the frame's keys and clicks first (Alt, F10, access keys).
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        QWidget* first = QApplication::focusWidget();
        if (!first || first->window() != this)
            first = this;
        if (watched == first) {
            if (m_wndMenuBar && m_wndMenuBar->TranslateFrameMessage(watched, event))
                return true;
            return HandleKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
        }
    }
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) && m_wndMenuBar &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this)
        m_wndMenuBar->TranslateFrameMessage(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::HandleKey(QKeyEvent* key, bool press)
{
    if (key->isAutoRepeat() && !press)
        return false;
    if (press) {
        if (HandleTableKey(key))
            return true;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::AltModifier)) {
            m_registry.sendCommand(33435);
            return true;
        }
        if (key->key() == Qt::Key_Control && !m_bTabSeen)
            m_bCtrlHeld = true;
        if (key->key() == Qt::Key_Tab && m_bCtrlHeld)
            m_bTabSeen = true;
        if (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ControlModifier)) {
            if (CZQView* view = GetActiveView(); view && view->GetSink())
                view->GetSink()->ReleaseDocumentCapture();
            m_mdiArea->activateNextSubWindow();
            if (CZQView* view = GetActiveView(); view && view->GetSink())
                view->GetSink()->CancelInsertMode();
            m_nInsertKind = 0;
            m_app.m_bCommandRan = true;
            return true;
        }
        if (key->key() == Qt::Key_F5)
            RefreshImageWindows(false);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            m_bOverwrite = !m_bOverwrite;
            if (CZQView* view = GetActiveView())
                view->ExecCommand(engine::CommandGroup::Overwrite);
            return false;
        }
        return false;
    }
    if (key->key() == Qt::Key_Control)
        m_bCtrlHeld = false;
    if (key->key() == Qt::Key_Tab)
        m_bTabSeen = false;
    if (key->key() == Qt::Key_Escape && m_nInsertKind != 0 && GetActiveView()) {
        if (CImpIDispatch* sink = GetActiveView()->GetSink())
            sink->CancelInsertMode();
        m_nInsertKind = 0;
    }
    return false;
}
