#pragma once

#include "app/EditorSettings.h"
#include "controls/FontFaces.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/ColorRef.h"
#include "platform/Hresult.h"
#include "platform/CommandTarget.h"
#include "platform/LockKeys.h"

#include <QMainWindow>
#include <QPointer>
#include <QDockWidget>
#include <QRect>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class CChildFrame;
class CCoolDialogBar;
class VornaDlgImageBrowser;
class CHTMLPainterImageMap;
class CZQApp;
class CZQDoc;
class CZQView;
class CMenuBar;
class CVornaFtp;
class ULOBasicToolBar;
class ULOToolBar;
class ULOMDIClientHook;
class VornaCoolMenuManager;
class VornaDialogSiteManagerSheet;
class VornaDirectoryWatchThread;
class VornaFrameSet;
class QDockWidget;
class StatusPane;
class QMdiArea;
class QMenu;
class QComboBox;
class QSoundEffect;
class QToolButton;
class VornaComboEx;

namespace platform {
class CmdUI;
class CommandRegistry;
} // namespace platform
namespace engine {
class Element;
} // namespace engine

// The program's main window: the MDI area with the pages, the menu bar, the
// status bar, the application toolbars, the editor settings, closing and the
// shell commands, and the command enabling shared by the page commands.
class CMainFrame : public QMainWindow, public platform::CommandTarget
{
    Q_OBJECT
public:
    CMainFrame(CZQApp& app, platform::CommandRegistry& registry);
    ~CMainFrame() override;

    // The main frame of the running program, or null.
    static CMainFrame* instance();

    // The screen check and the settings, then the bars. False when the screen
    // is below 800 x 600 (after telling the user) or a bar cannot be made.
    bool Create();
    // Whether the stored placement asks for a maximised window.
    bool StartsMaximized() const { return m_bStartMaximized; }

    // Mode tests of the active page.
    bool IsEditingLockedBySiteManager() const;
    bool IsEditMode() const;
    bool IsSourceMode() const;
    bool IsPreviewMode() const;
    bool IsPageInWeb(const QString& path) const;
    void RemovePageFromWebList(const QString& path);

    CChildFrame* GetActiveChild() const;
    CZQView* GetActiveView() const;
    QMdiArea* mdiArea() const { return m_mdiArea; }
    QList<CChildFrame*> childFrames() const;

    // Update functions shared by the command update handlers.
    void UpdateUIEditMode(platform::CmdUI& ui) const;
    void UpdateUIWebCommand(platform::CmdUI& ui) const;
    void UpdateUIFramesetCommand(platform::CmdUI& ui) const;
    void UpdateUIImageCommand(platform::CmdUI& ui) const;
    void UpdateUIFlagCommand(platform::CmdUI& ui, quint32 mask) const;
    void UpdateUIMergeCells(platform::CmdUI& ui) const;
    void UpdateUITableCellCommand(platform::CmdUI& ui) const;
    // Enables a character-format command for the selection; returns whether it did.
    bool UpdateUIFormatCommand(platform::CmdUI& ui) const;
    void UpdateUIArrangeCommand(platform::CmdUI& ui) const;
    void UpdateUIObjectCommand(platform::CmdUI& ui, int flag, quint32 mask) const;
    void UpdateUIEngineCommand(platform::CmdUI& ui, int engineCommand) const;

    // Shell commands.
    // A new page from the page template.
    void OnFileNewFile();
    // File > Open: the chosen page opens (its window comes up when it is
    // open already), an address typed in the dialog opens as a new page, and
    // an image waits in a new page for the click that places it.
    void OnFileOpen();
    void OnFileCloseAll();
    void ShowStartupGuide();
    void OnWindowTutorial();
    void OnTutorialRequestDocument(quintptr wParam, qintptr lParam);
    void PlaySoundEffect(const QString& name);
    // Lets the sound last played finish loading, and lets it go.
    void ReleaseSoundEffect();
    // Toggles a bar by its toggle command (33380 ...); bars of a page only while one is open.
    void ToggleBar(int commandId);
    // The command hook: every command that runs marks the run for the idle
    // update, and a drop-down button that lists it adopts it.
    void OnCommand(int id);
    // The system close: closes the pages (each may cancel) and then the window.
    void OnSysCommandClose();
    // Opens the files handed over by a second start and brings the window up.
    void OpenHandedOver(const QStringList& files);
    // Dropped files, opened by their kind.
    void OnDropFiles(const QStringList& files, QPoint screenPoint);
    // The program was activated again: offers to reload pages changed on disk.
    void OnActivateApp();
    // A dropped image: inserted at the drop point into the page under it, or,
    // without a page, waiting in a new one for the click that places it.
    void DropImage(const QString& file, QPoint screenPoint);
    // Makes an image file the object the next click in a page inserts.
    void ArmImageInsertion(const QString& file);

    // The toolbar of a resource id 601..611.
    ULOToolBar* toolBar(int id) const;
    // The bar of an id: a toolbar (601..611) or the basic toolbar (59399).
    QToolBar* barOf(int id) const;
    ULOBasicToolBar* basicToolBar() const { return m_basicToolBar; }
    // The menu bar (which takes the place of the window's own menu).
    CMenuBar* GetMenuBar() const { return m_wndMenuBar; }
    VornaDialogSiteManagerSheet* siteManagerSheet() const { return m_pSiteManagerSheet; }
    QDockWidget* siteManagerBar() const;

    // Settings and state (read by the commands of the other parts).
    EditorSettings m_settings;
    QString m_strInstallFolder;
    QString m_strSoundFolder;
    // The starts of the addresses of the service's bulletin board and guest
    // book, as the installation configures them.
    QString m_strBoardId;
    QString m_strVisitorId;
    QStringList m_recentWebs; // four entries, "" when unused
    bool m_bClosing = false;
    bool m_bWebOpen = false;
    QString m_strWebFolder;
    bool m_bCloseSiteManagerAfterAll = false;
    int m_nRememberedAnswer = 0;
    bool m_bOverwrite = false;

    bool m_bChildFrameShowStatus = false;
    // The dock state the child frames share for the page bars.
    QByteArray m_childFrameDockState;

    // Where the Caps Lock and Num Lock panes read the keyboard (tests set their
    // own), and what they read at the start of the idle update: one read per pass.
    std::function<platform::LockKeyState()> m_lockKeySource = platform::lockKeyState;
    platform::LockKeyState m_lockKeys;
    void RefreshLockKeys() { m_lockKeys = m_lockKeySource(); }

    // Message numbers the frame answers.
    static constexpr uint kHandOverMessage = 0x52C;
    static constexpr uint kTutorialDocumentMessage = 0x4C9;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The toolbar list of the View menu, for a right-click on the bars' rows.
    QMenu* createPopupMenu() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadSettings();
    void ReadRecentWebs();
    bool CreateBars();
    void CreateStatusBar();
    void SwitchMenu(bool documentMenu);
    void RestorePlacementAndState();
    void SaveOnDestroy();
    // The object names of the frame's bars (only those not floating, when asked).
    QStringList BarNames(bool dockedOnly) const;
    void AddCommandHandlers();
    void AddUpdateHandlers();
    bool IsChildMode(int which) const;
    // Whether a target of the current route handles the command.
    bool HasHandler(int id) const;
    bool HandleKey(QKeyEvent* key, bool press);
    void CheckFilesChangedOutside(bool& reload);
    // Tells the page views that the active one changed.
    void OnActiveViewChanged();

    CZQApp& m_app;
    platform::CommandRegistry& m_registry;
    QMdiArea* m_mdiArea = nullptr;
    std::array<ULOToolBar*, 11> m_toolBars{};
    ULOBasicToolBar* m_basicToolBar = nullptr;
    CMenuBar* m_wndMenuBar = nullptr;
    std::unique_ptr<VornaCoolMenuManager> m_pCoolMenu;
    QList<QMenu*> m_mainMenus;
    QList<QMenu*> m_documentMenus;
    bool m_documentMenuShown = false;
    StatusPane* m_positionPane = nullptr;
    StatusPane* m_sizePane = nullptr;
    StatusPane* m_modePane = nullptr;
    QToolButton* m_imageBrowserButton = nullptr;
    QPointer<VornaDialogSiteManagerSheet> m_pSiteManagerSheet;
    QPointer<CCoolDialogBar> m_pSiteManagerBar;
    std::unique_ptr<QSoundEffect> m_sound;
    bool m_bStartMaximized = false;
    bool m_bCtrlHeld = false;
    bool m_bTabSeen = false;
    bool m_bDestroySaved = false;
    bool m_bCheckingFiles = false;
    QPointer<CZQView> m_lastActiveView;

public:
    // The commands and state of each subsystem, declared beside their
    // definitions so that each subsystem changes only its own file.
#include "app/CMainFramePreviewMembers.inc"
#include "commands/CMainFrameInsertMembers.inc"
#include "commands/CMainFrameFormatMembers.inc"
#include "commands/CMainFrameLinkMembers.inc"
#include "commands/CMainFrameTableMembers.inc"
#include "commands/CMainFrameLayoutMembers.inc"
#include "commands/CMainFramePropertyMembers.inc"
#include "commands/CMainFrameFilterMembers.inc"
#include "frames/CMainFrameFrameMembers.inc"
#include "web/CMainFrameWebMembers.inc"
#include "publish/CMainFramePublishMembers.inc"
#include "images/CMainFrameImageMembers.inc"
#include "effects/CMainFrameScriptMembers.inc"
#include "chrome/CMainFrameBarMembers.inc"
#include "skins/CMainFrameSkinMembers.inc"
};
