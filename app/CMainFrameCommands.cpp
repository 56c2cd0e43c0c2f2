// The main frame's mode tests, command enabling and shell commands.
#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/CommandEnabling.h"
#include "app/TutorialTarget.h"
#include "chrome/CCoolDialogBar.h"
#include "chrome/ULOMDIClientHook.h"
#include "chrome/ULOToolBar.h"
#include "editor/CImpIDispatch.h"
#include "commands/PageZoom.h"
#include "dialogs/VornaDialogCustomizeToolbox.h"
#include "frames/FrameCommands.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/StringResources.h"
#include "web/VornaDialogGuide.h"
#include "web/VornaDialogSiteManagerSheet.h"
#include "res/resource.h"

#include "platform/CmdUI.h"
#include "platform/DataRoot.h"
#include "platform/Desktop.h"
#include "platform/CommandRegistry.h"
#include "platform/DocTemplate.h"
#include "platform/ModalRunner.h"
#include "platform/RecentFileList.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>

namespace mainframecommands_detail {

struct BarToggle
{
    int command;
    int bar;
    bool needsPage;
};
constexpr BarToggle kBarToggles[] = {{33380, 601, false}, {33382, 602, false},  {33381, 603, true}, {33378, 604, true},
                                     {33469, 605, true},  {33383, 606, true},   {32867, 607, true}, {33384, 608, false},
                                     {33385, 609, false}, {33483, 59399, false}};

const BarToggle* findToggle(int command)
{
    for (const BarToggle& toggle : kBarToggles) {
        if (toggle.command == command)
            return &toggle;
    }
    return nullptr;
}

constexpr int kFirstRecentFile = 57616;

} // namespace mainframecommands_detail

// ---- mode tests ------------------------------------------------------------

bool CMainFrame::IsEditingLockedBySiteManager() const
{
    return m_bWebOpen && m_pSiteManagerSheet && m_pSiteManagerSheet->IsTransferRunning();
}

bool CMainFrame::IsChildMode(int which) const
{
    if (IsEditingLockedBySiteManager())
        return false;
    CChildFrame* child = GetActiveChild();
    if (!child || !child->GetActiveView())
        return false;
    switch (which) {
    case 0:
        return child->m_bEditShown;
    case 1:
        return child->m_bSourceShown;
    default:
        return child->m_bPreviewShown;
    }
}

bool CMainFrame::IsEditMode() const
{
    return IsChildMode(0);
}

bool CMainFrame::IsSourceMode() const
{
    return IsChildMode(1);
}

bool CMainFrame::IsPreviewMode() const
{
    return IsChildMode(2);
}

bool CMainFrame::IsPageInWeb(const QString& path) const
{
    return m_bWebOpen && m_pSiteManagerSheet && m_pSiteManagerSheet->FindFileRow(path) >= 0;
}

void CMainFrame::RemovePageFromWebList(const QString& path)
{
    if (m_pSiteManagerSheet)
        m_pSiteManagerSheet->RemoveFileRow(path);
}

// ---- update functions ------------------------------------------------------

namespace mainframecommands_detail {
quint32 selectionOf(const CMainFrame& frame)
{
    const CZQView* view = frame.GetActiveView();
    return view ? view->m_dwSelKind : 0;
}
} // namespace mainframecommands_detail

void CMainFrame::UpdateUIEditMode(platform::CmdUI& ui) const
{
    ui.enable(IsEditMode());
}

void CMainFrame::UpdateUIWebCommand(platform::CmdUI& ui) const
{
    ui.enable(m_bWebOpen && !IsEditingLockedBySiteManager());
}

void CMainFrame::UpdateUIFramesetCommand(platform::CmdUI& ui) const
{
    CChildFrame* child = GetActiveChild();
    ui.enable(IsEditMode() && CanUseFrameset(child));
}

void CMainFrame::UpdateUIImageCommand(platform::CmdUI& ui) const
{
    ui.enable(CommandEnabling::ImageCommand(IsEditMode(), mainframecommands_detail::selectionOf(*this)));
}

void CMainFrame::UpdateUIFlagCommand(platform::CmdUI& ui, quint32 mask) const
{
    ui.enable(CommandEnabling::FlagCommand(IsEditMode(), mainframecommands_detail::selectionOf(*this), mask));
}

void CMainFrame::UpdateUIMergeCells(platform::CmdUI& ui) const
{
    ui.enable(CommandEnabling::MergeCells(IsEditMode(), mainframecommands_detail::selectionOf(*this)));
}

void CMainFrame::UpdateUITableCellCommand(platform::CmdUI& ui) const
{
    ui.enable(CommandEnabling::TableCellCommand(IsEditMode(), mainframecommands_detail::selectionOf(*this)));
}

bool CMainFrame::UpdateUIFormatCommand(platform::CmdUI& ui) const
{
    const bool enabled = CommandEnabling::FormatCommand(GetActiveView() != nullptr, IsEditMode(),
                                                        mainframecommands_detail::selectionOf(*this), ui.id());
    ui.enable(enabled);
    return enabled;
}

void CMainFrame::UpdateUIArrangeCommand(platform::CmdUI& ui) const
{
    ui.enable(CommandEnabling::ArrangeCommand(IsEditMode(), mainframecommands_detail::selectionOf(*this)));
}

void CMainFrame::UpdateUIObjectCommand(platform::CmdUI& ui, int flag, quint32 mask) const
{
    const quint32 selection = mainframecommands_detail::selectionOf(*this);
    const bool flowTextRange = flag == 1 && (selection & kSelFlowText) && !(selection & (0x20 | 0x40 | 0x80)) &&
                               HasFlowTextRange(GetActiveView());
    ui.enable(CommandEnabling::ObjectCommand(IsEditMode(), flag, selection, mask, flowTextRange));
}

void CMainFrame::UpdateUIEngineCommand(platform::CmdUI& ui, int engineCommand) const
{
    constexpr quint32 kEnabled = 0x2;
    const CZQView* view = GetActiveView();
    ui.enable(IsEditMode() && view && (view->QueryCommandStatus(engineCommand) & kEnabled));
}

void CMainFrame::AddUpdateHandlers()
{
    using platform::CmdUI;
    AddPreviewUpdateHandlers();
    AddFrameUpdateHandlers();
    // A command whose handler is not in place yet stays disabled whatever its rule says.
    const auto update = [this](int id, std::function<void(CmdUI&)> rule) {
        onUpdate(id, [this, rule = std::move(rule)](CmdUI& ui) {
            if (!HasHandler(ui.id())) {
                ui.enable(false);
                return;
            }
            rule(ui);
        });
    };
    for (int id : {33106, 33198, 33200, 33128, 33169, 33202, 33211, 33292, 33174, 33013, 33014, 33015, 33016, 33017,
                   33018, 33019, 33020})
        update(id, [this](CmdUI& ui) { UpdateUIEditMode(ui); });
    // Toolbar customisation: in the editing and source views, while the dialog is not open.
    update(ID_VIEW_TOOLBAR_CUSTOMIZE,
           [this](CmdUI& ui) { ui.enable((IsEditMode() || IsSourceMode()) && !g_pCustomizeToolbox); });
    for (int id : {33201, 33199, 33216})
        update(id, [this](CmdUI& ui) { UpdateUIWebCommand(ui); });
    const std::pair<int, int> engineCommands[] = {{33465, 15}, {33464, 16}, {33462, 43}, {33463, 29}};
    for (auto [id, engine] : engineCommands)
        update(id, [this, engine](CmdUI& ui) { UpdateUIEngineCommand(ui, engine); });
    update(33467, [this](CmdUI& ui) {
        ui.enable(CommandEnabling::DeleteCommand(IsEditMode(), mainframecommands_detail::selectionOf(*this)));
        // The menu names the page's Delete key beside it; the key itself is
        // no shortcut of the window, which would take it from every edit box.
        if (ui.action() && !ui.action()->text().contains(QLatin1Char('\t')))
            ui.setText(ui.action()->text() + QStringLiteral("\tDel"));
    });
    update(33466, [this](CmdUI& ui) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ui.enable(IsEditMode() && data && (data->hasHtml() || data->hasText()));
    });
    update(33468, [this](CmdUI& ui) { UpdateUIArrangeCommand(ui); });
    update(32870, [this](CmdUI& ui) { ui.enable(!IsEditMode()); });
    update(32869, [this](CmdUI& ui) { ui.enable(!IsPreviewMode()); });
    update(33135, [this](CmdUI& ui) { UpdateUIObjectCommand(ui, 1, 0x20); });
    update(33403, [this](CmdUI& ui) { UpdateUIObjectCommand(ui, 1, 0x40); });
    update(33405, [this](CmdUI& ui) { UpdateUIObjectCommand(ui, 1, 0x80); });
    update(33404, [this](CmdUI& ui) {
        ui.enable(CommandEnabling::CounterCommand(IsEditMode() && GetActiveView(),
                                                  mainframecommands_detail::selectionOf(*this)));
    });
    update(33141, [this](CmdUI& ui) {
        ui.enable(CommandEnabling::ImagePropertiesCommand(IsEditMode() && GetActiveView(),
                                                          mainframecommands_detail::selectionOf(*this)));
    });
    update(33242, [this](CmdUI& ui) { UpdateUIFlagCommand(ui, 0x20); });
    update(33163, [this](CmdUI& ui) { UpdateUIFlagCommand(ui, 0x40); });
    update(33164, [this](CmdUI& ui) { UpdateUIFlagCommand(ui, 0x80); });
    update(33143, [this](CmdUI& ui) {
        if (!(IsEditMode() && GetActiveView()))
            ui.enable(false);
        else
            ui.continueRouting();
    });
    // Object borders: checked while the page engine's zero-border switch is on (latched).
    update(33224, [this](CmdUI& ui) {
        constexpr quint32 kLatched = 0x4;
        const CZQView* view = GetActiveView();
        ui.enable(IsEditMode());
        ui.setCheck(IsEditMode() && view && (view->QueryCommandStatus(2328) & kLatched) ? 1 : 0);
    });
    update(33225, [this](CmdUI& ui) {
        ui.enable(CommandEnabling::BringToFrontOrBack(IsEditMode() && GetActiveView(),
                                                      mainframecommands_detail::selectionOf(*this)));
    });
    update(33226, [this](CmdUI& ui) {
        ui.enable(CommandEnabling::BringToFrontOrBack(IsEditMode() && GetActiveView(),
                                                      mainframecommands_detail::selectionOf(*this)));
    });
    // Open web: the File menu offers close web and save web only while a web is open.
    onUpdate(33092, [this](CmdUI& ui) {
        for (int id : {33199, 33201})
            m_registry.action(id)->setVisible(m_bWebOpen);
        ui.enable(HasHandler(ui.id()) && (!GetActiveView() || IsEditMode()));
    });
    for (int id : {33205, 33160, 33262, 33090, 33139, 33161, 33153, 33154, 33219, 33204})
        update(id, [this](CmdUI& ui) { ui.enable(!GetActiveView() || IsEditMode()); });
    update(33215, [this](CmdUI& ui) {
        ui.enable(!GetActiveView() || IsEditMode());
        ui.setCheck(m_settings.soundEffect ? 1 : 0);
    });
    // Toolbar toggles: enabled in the editing and source views, checked while shown.
    // Differs from greying them all without a page: the bars that need none
    // (the standard, object, frame, other and basic bars) are toggled then too.
    for (const auto& toggle : mainframecommands_detail::kBarToggles) {
        const int bar = toggle.bar;
        const bool needsPage = toggle.needsPage;
        update(toggle.command, [this, bar, needsPage](CmdUI& ui) {
            ui.enable(IsEditMode() || IsSourceMode() || (!needsPage && !GetActiveChild()));
            const QToolBar* tb = barOf(bar);
            ui.setCheck(tb && tb->isVisibleTo(this) ? 1 : 0);
        });
    }
    update(33494, [this](CmdUI& ui) { ui.enable(!(GetActiveChild() && !IsEditMode())); });
    // The lock-key panes of the status bar: their text while the lock is on.
    onUpdate(ID_INDICATOR_CAPS, [this](CmdUI& ui) { ui.enable(m_lockKeys.capsLock); });
    onUpdate(ID_INDICATOR_NUM, [this](CmdUI& ui) { ui.enable(m_lockKeys.numLock); });
    // The recent files: hidden when unused, the first one greyed when the list is empty.
    onUpdateRange(mainframecommands_detail::kFirstRecentFile, mainframecommands_detail::kFirstRecentFile + 3,
                  [this](CmdUI& ui) {
                      const platform::RecentFileList* list = m_app.recentFiles();
                      const int index = ui.id() - mainframecommands_detail::kFirstRecentFile;
                      const QString path = list ? list->at(index) : QString();
                      if (path.isEmpty()) {
                          if (index == 0)
                              ui.setText(QStringLiteral("最近使ったファイル"));
                          if (ui.action())
                              ui.action()->setVisible(index == 0);
                          ui.enable(false);
                          return;
                      }
                      if (ui.action())
                          ui.action()->setVisible(true);
                      ui.setText(QStringLiteral("&%1 %2").arg(index + 1).arg(path));
                      ui.enable(true);
                  });
}

// ---- shell commands --------------------------------------------------------

bool CMainFrame::HasHandler(int id) const
{
    for (platform::CommandTarget* target : m_registry.route()) {
        if (target->hasCommand(id))
            return true;
    }
    return false;
}

void CMainFrame::AddCommandHandlers()
{
    AddScriptCommands();
    AddInsertCommands();
    AddEditCommands();
    AddImageMapCommands();
    AddFilterCommands();
    AddRollOverCommands();
    AddFormatCommands();
    AddTableCommands();
    AddPreviewCommands();
    AddWebCommands();
    AddPublishCommands();
    AddLinkCommands();
    AddPropertyCommands();
    AddLayoutCommands();
    AddFrameCommands();
    for (const auto& toggle : mainframecommands_detail::kBarToggles) {
        const int command = toggle.command;
        onCommand(command, [this, command] { ToggleBar(command); });
    }
    onCommand(33215, [this] { m_settings.soundEffect = m_settings.soundEffect >= 1 ? 0 : 1; });
    onCommand(33219, [this] { ShowStartupGuide(); });
    onCommand(33204, [this] { OnViewChangeSkin(); });
    onCommand(33156, [this] { m_registry.sendCommand(57664); });
    onCommand(33155, [this] {
        const QString manual =
            platform::resolveCaseBlind(m_strInstallFolder, QStringLiteral("manual/Vorna-Paginor 2002.chm"));
        if (!platform::openWithDesktop(manual))
            ShowMessageBox(LoadResString(IDS_MANUAL_NOT_OPENED).arg(QDir::toNativeSeparators(manual)));
    });
    // Close all as a command leaves the program as it found it: no close is
    // in progress afterwards, so a later single close asks as usual.
    onCommand(33358, [this] {
        const bool wasClosing = m_bClosing;
        OnFileCloseAll();
        m_bClosing = wasClosing;
    });
    onCommand(33494, [this] { OnWindowTutorial(); });
    // Edit > Select All: every positioned object of the page.
    onCommand(33468, [this] {
        if (CZQView* view = GetActiveView(); view && view->GetSink())
            view->GetSink()->SelectAllObjects();
    });
    // View > Zoom: 25% to 200%.
    const std::pair<int, const char*> zooms[] = {{33013, "25%"},  {33014, "50%"},  {33015, "75%"}, {33016, "100%"},
                                                 {33017, "125%"}, {33018, "150%"}, {33019, "200%"}};
    for (auto [id, text] : zooms)
        onCommand(id, [text] { SetPageZoom(QString::fromLatin1(text)); });
    onCommand(ID_VIEW_TOOLBAR_CUSTOMIZE, [] {
        // The dialog opens modeless and stays open after this returns.
        VornaDialogCustomizeToolbox dialog;
        dialog.DoModal();
    });
    onCommand(33211, [] {});
    onCommand(33480, [] {});
    onCommand(57650, [this] { m_mdiArea->cascadeSubWindows(); });
    onCommand(57651, [this] { m_mdiArea->tileSubWindows(); });
    onCommand(57649, [this] {
        if (m_pMDIClientHook)
            m_pMDIClientHook->ArrangeIcons();
    });
    onCommandRange(
        mainframecommands_detail::kFirstRecentFile, mainframecommands_detail::kFirstRecentFile + 3, [this](int id) {
            const platform::RecentFileList* list = m_app.recentFiles();
            const QString path = list ? list->at(id - mainframecommands_detail::kFirstRecentFile) : QString();
            if (!path.isEmpty())
                m_app.OpenDocumentFile(path);
        });
}

void CMainFrame::ToggleBar(int commandId)
{
    const auto* toggle = mainframecommands_detail::findToggle(commandId);
    if (!toggle)
        return;
    if (toggle->needsPage && !GetActiveChild())
        return;
    QToolBar* bar = barOf(toggle->bar);
    if (!bar)
        return;
    // A floating bar keeps its place: hiding and showing it leaves it floating there.
    bar->setVisible(!bar->isVisibleTo(this));
}

void CMainFrame::ShowStartupGuide()
{
    VornaDialogGuide guide(this);
    guide.m_bShowAtStart = m_settings.showGuide ? 1 : 0;
    const int result = guide.DoModal();
    m_settings.showGuide = guide.m_bShowAtStart ? 1 : 0;
    if (result == platform::IDOK && guide.m_nChoice == 5)
        OnWindowTutorial();
}

void CMainFrame::OnWindowTutorial()
{
    if (!m_pSiteManagerBar) {
        CreateSiteManagerBar();
        m_pSiteManagerBar->show();
        m_pSiteManagerSheet->ShowTutorialPage();
        return;
    }
    // A rolled-up bar comes back unrolled.
    m_pSiteManagerBar->RestoreShrunkSize();
    if (!m_pSiteManagerBar->isVisibleTo(this)) {
        m_pSiteManagerSheet->ShowTutorialPage();
        m_pSiteManagerBar->show();
        return;
    }
    if (!m_pSiteManagerSheet->IsTutorialPageActive()) {
        m_pSiteManagerSheet->ShowTutorialPage();
        m_pSiteManagerBar->update();
    }
}

void CMainFrame::OnTutorialRequestDocument(quintptr wParam, qintptr lParam)
{
    if (!m_pSiteManagerSheet)
        return;
    CChildFrame* child = GetActiveChild();
    const bool frameset = child && child->HasFrameset();
    CZQView* target = nullptr;
    switch (ChooseTutorialTarget(wParam, lParam, child != nullptr, frameset,
                                 frameset ? child->FrameNames() : QStringList())) {
    case TutorialTarget::None:
        break;
    case TutorialTarget::ActiveView:
        target = GetActiveView();
        break;
    case TutorialTarget::FramesetView:
        target = child->GetActiveView();
        break;
    case TutorialTarget::ContentsView:
        // The album's contents page, when it is open.
        if (platform::DocTemplate* docs = m_app.docTemplate()) {
            for (platform::Document* document : docs->documents()) {
                auto* page = qobject_cast<CZQDoc*>(document);
                if (page && QFileInfo(page->pathName()).fileName() == QLatin1String("contents.html")) {
                    target = page->GetView();
                    break;
                }
            }
        }
        break;
    }
    m_pSiteManagerSheet->SetTutorialDocument(target ? target->GetDocument() : nullptr);
}
