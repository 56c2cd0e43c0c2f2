#pragma once

#include "app/EditorSettings.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/ColorRef.h"
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
#include <vector>

class CChildFrame;
class CHTMLPainterImageMap;
class CZQApp;
class CZQDoc;
class CZQView;
class CMenuBar;
class ULOToolBar;
class VornaCoolMenuManager;
class VornaDialogSiteManagerSheet;
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

    // Insert commands (commands/CMainFrameInsert.cpp).
    void AddInsertCommands();
    // Arms an insertion tool (1 to 10; 8 the image-map area tools): the
    // object waits for the press that places it.
    void BeginInsertObject(int mode);
    // Image-map area tools (commands/CMainFrameImageMap.cpp).
    void AddImageMapCommands();
    void OnAreaSelect();
    void OnAreaRect();
    void OnAreaCircle();
    void OnAreaPoly();
    // Hangs an image-map painter (a new one when none is given) on the image
    // under the active page's current event point: the IMG there, or the IMG
    // of the map of an AREA there, else the image being edited. False when
    // there is no such image.
    bool AttachImageMapPainter(std::shared_ptr<CHTMLPainterImageMap> painter);
    // Insert > Image > from an external device: scans pages into image files.
    void OnInsertScanImage();
    // The page view under a screen point of a drop: a frame page's pane there,
    // else the active view.
    CZQView* DropTargetView(QPoint screenPoint) const;

    // Script effects (app/CMainFrameScripts.cpp).
    void AddScriptCommands();
    // Settings > Script management: the effect families the user deletes
    // leave the active page, as one undo step.
    void OnScriptManage();
    void OnUpdateScriptManage(platform::CmdUI& ui) const;
    // Whether the active page is a page of the open web: where its effect
    // files go and how its pages refer to them.
    bool IsActivePageInWeb() const;

    // The toolbar of a resource id 601..611, or the basic toolbar (59399).
    ULOToolBar* toolBar(int id) const;
    // The menu bar (which takes the place of the window's own menu).
    CMenuBar* GetMenuBar() const { return m_wndMenuBar; }
    VornaDialogSiteManagerSheet* siteManagerSheet() const { return m_pSiteManagerSheet; }
    QDockWidget* siteManagerBar() const { return m_pSiteManagerBar; }

    // Settings and state (read by the commands of the other parts).
    EditorSettings m_settings;
    QString m_strInstallFolder;
    QString m_strSoundFolder;
    // The user's ids of the service's bulletin board and visitor counter.
    QString m_strBoardId;
    QString m_strVisitorId;
    QStringList m_recentWebs; // four entries, "" when unused
    bool m_bClosing = false;
    bool m_bWebOpen = false;
    QString m_strWebFolder;
    bool m_bCloseSiteManagerAfterAll = false;
    int m_nRememberedAnswer = 0;
    bool m_bOverwrite = false;
    // The insertion state: the kind of object the next click or drag on the
    // page inserts (0 none; 1 text box, 2 image, 3 media object, 4 table,
    // 6 roll-over image, 7 rule, 8 image-map area tool, 9 marquee, 10 text
    // object) and what it is made of.
    int m_nInsertKind = 0;
    QString m_strInsertImageSrc; // the image; a counter image's address or IMG tag
    QString m_strInsertHtml;     // a table's attributes and content; a roll-over's attributes
    QString m_strInsertMediaSrc; // the media file or a counter's EMBED tag; a roll-over link's target
    QString m_strInsertLinkHref; // a roll-over image's link
    int m_nInsertMediaType = 0;  // 0 Flash, 1 Shockwave, 2 Media Player, 3 Real Audio, 4 counter
    int m_nInsertImageFlag = 0;  // 0 an image file, 1 a counter image
    bool m_bMediaAutoPlay = false;
    bool m_bMediaLoop = false;
    // The object's extent: left and top -1 until the pointer places it.
    QRect m_rcInsert;
    // The insertion tool set its own cursor on the page.
    bool m_bCursorChanged = false;
    // An image of the image browser dragged: 0 none, 1 outside the page, 2 over it.
    int m_nImageDragMode = 0;
    // The image-map tool: 0 select areas, 1 rectangle, 2 circle, 3 polygon.
    int m_nAreaTool = 0;
    // The image-map painters made here when none was given.
    std::vector<std::shared_ptr<CHTMLPainterImageMap>> m_arrImageMapPainters;
    // The font of the selection (empty and 0: mixed or not known), the values
    // of the update before, and whether they changed since the font boxes
    // last took them.
    QString m_strCurFontFace;
    QString m_strLastFontName;
    int m_nCurFontSize = 0;
    int m_nLastFontSize = 0;
    bool m_bFontFaceChanged = false;
    bool m_bFontSizeChanged = false;

    // Character formatting (commands/CMainFrameFormat.cpp and the files
    // beside it): alignment, size and styles, face and colours, the font
    // dialog, clear formatting.
    void AddFormatCommands();
    // The format bar's font boxes run their commands on a choice of the user
    // and follow their commands' enabling.
    void ConnectFormatBoxes();
    QComboBox* fontFaceBox() const;
    VornaComboEx* fontSizeBox() const;
    void OnFormatAlignLeft();
    void OnFormatAlignCenter();
    void OnFormatAlignRight();
    void OnFormatAlignTop();
    void OnFormatAlignMiddle();
    void OnFormatAlignBottom();
    void OnFormatBold();
    void OnFormatItalic();
    void OnFormatUnderline();
    void OnFormatFontBigger();
    void OnFormatFontSmaller();
    void OnFormatTypeface();
    void OnSelChangeFontSize();
    void OnSelChangeFontFace();
    void OnUpdateFormat(platform::CmdUI& ui);
    void OnTextColor();
    void OnTextBgColor();
    void OnFormatTextColor();
    void OnFormatTextBgColor();
    // The palette under a colour button of the format bar: the colour chosen
    // is stored and applied (code 14 text, 15 background).
    void RunColorPalette(int buttonId, int code, platform::ColorRef& color, bool& isDefault,
                         platform::ColorRef pageColor);
    void OnFontProperty();
    void OnUpdateFontProperty(platform::CmdUI& ui);
    void OnFormatClear();
    void OnUpdateFormatClear(platform::CmdUI& ui);
    // The colours the text-colour and background-colour buttons apply
    // (0xFFFFFFFF and the default flag: the default colour), and whether the
    // selection may get a background colour (not in a table's caption).
    platform::ColorRef m_crTextColor = 0xFFFFFFFF;
    bool m_bTextColorDefault = true;
    platform::ColorRef m_crTextBgColor = 0xFFFFFFFF;
    bool m_bTextBgColorDefault = true;
    bool m_bBgColorAllowed = true;

    // The grid painter of a page view attached or removed by the grid
    // settings, and the edit host's snapping set to match; false without a
    // page in the editing view.
    bool SetGridBehavior(CZQView* view);
    // The object outlines of a page view attached or removed by its
    // object-borders switch; false without a view.
    bool SetElementBordersBehavior(CZQView* view);
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
    ULOToolBar* m_basicToolBar = nullptr;
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
    QPointer<QDockWidget> m_pSiteManagerBar;
    std::unique_ptr<QSoundEffect> m_sound;
    bool m_bStartMaximized = false;
    bool m_bCtrlHeld = false;
    bool m_bTabSeen = false;
    bool m_bDestroySaved = false;
    bool m_bCheckingFiles = false;
    QPointer<CZQView> m_lastActiveView;
};
