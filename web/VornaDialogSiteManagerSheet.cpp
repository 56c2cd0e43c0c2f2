#include "web/VornaDialogSiteManagerSheet.h"

#include "res/resource.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include "app/CMainFrame.h"

#include "engine/view/BrowseView.h"

#include "platform/DataRoot.h"
#include "platform/WindowMessage.h"

#include <QApplication>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sitemanagersheet_detail {
VornaDialogSiteManagerSheet::ViewFactory& tutorialFactory()
{
    static VornaDialogSiteManagerSheet::ViewFactory factory;
    return factory;
}
} // namespace sitemanagersheet_detail

void VornaDialogSiteManagerSheet::setTutorialViewFactory(ViewFactory factory)
{
    sitemanagersheet_detail::tutorialFactory() = std::move(factory);
}

VornaDialogSiteManagerSheet::VornaDialogSiteManagerSheet(QWidget* mainFrame)
    : QWidget(mainFrame), m_tabs(new QTabWidget(this)), m_sitePage(new VornaDialogSiteManagerPage1(this)),
      m_tutorialPage(new QWidget(this))
{
    setObjectName(QStringLiteral("id_674"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    // The site manager page joins the sheet when a web opens.
    m_sitePage->hide();
    m_tabs->addTab(m_tutorialPage, QStringLiteral("ミヌエとお勉強"));
    auto* tutorialLayout = new QVBoxLayout(m_tutorialPage);
    tutorialLayout->setContentsMargins(0, 0, 0, 0);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_tabs->widget(index) == m_tutorialPage)
            ensureTutorialView();
    });
}

VornaDialogSiteManagerSheet::~VornaDialogSiteManagerSheet() = default;

void VornaDialogSiteManagerSheet::ensureTutorialView()
{
    if (m_tutorialView)
        return;
    if (const auto& factory = sitemanagersheet_detail::tutorialFactory()) {
        m_tutorialView = factory(m_tutorialPage);
    } else {
        auto* view = new engine::BrowseView(m_tutorialPage);
        view->navigate(platform::installPath(QStringLiteral("Tutorial/index.html")));
        m_tutorialView = view;
    }
    m_tutorialView->setObjectName(QStringLiteral("tutorialView"));
    m_tutorialPage->layout()->addWidget(m_tutorialView);
}

void VornaDialogSiteManagerSheet::ShowTutorialPage()
{
    m_tabs->setCurrentWidget(m_tutorialPage);
    ensureTutorialView();
}

bool VornaDialogSiteManagerSheet::IsTutorialPageActive() const
{
    return m_tabs->currentWidget() == m_tutorialPage;
}

int VornaDialogSiteManagerSheet::PageCount() const
{
    return m_tabs->count();
}

void VornaDialogSiteManagerSheet::ShowSitePage()
{
    // The site manager page stands before the tutorial page.
    if (m_tabs->indexOf(m_sitePage) < 0)
        m_tabs->insertTab(0, m_sitePage, LoadResString(IDS_SITE_PAGE_CAPTION));
    m_sitePage->LoadWeb();
    ActivateSitePage();
}

void VornaDialogSiteManagerSheet::ActivateSitePage()
{
    if (m_tabs->indexOf(m_sitePage) >= 0)
        m_tabs->setCurrentWidget(m_sitePage);
}

void VornaDialogSiteManagerSheet::RemoveSitePage()
{
    const int index = m_tabs->indexOf(m_sitePage);
    if (index >= 0)
        m_tabs->removeTab(index);
    // The page stays the sheet's, empty and hidden, until a web opens again.
    m_sitePage->hide();
    m_sitePage->siteList()->DeleteAll();
    if (PublishedWebModel::installed() == m_sitePage)
        PublishedWebModel::install(nullptr);
    m_tabs->setCurrentWidget(m_tutorialPage);
}

bool VornaDialogSiteManagerSheet::IsSitePageVisible() const
{
    return m_tabs->indexOf(m_sitePage) >= 0 && m_sitePage->isVisible();
}

int VornaDialogSiteManagerSheet::FindFileRow(const QString& path) const
{
    return m_sitePage->FindFileRow(path);
}

void VornaDialogSiteManagerSheet::AddOrUpdateFileRow(const QString& fileName, const QString& framesetName)
{
    m_sitePage->AddOrUpdateFileRow(fileName, framesetName);
}

void VornaDialogSiteManagerSheet::RemoveFileRow(const QString& path)
{
    m_sitePage->RemoveFileRow(path);
}

void VornaDialogSiteManagerSheet::RenameFileRow(const QString& oldName, const QString& newName)
{
    m_sitePage->RenameFileRow(oldName, newName);
}

void VornaDialogSiteManagerSheet::AddModifiedFile(const QString& fileName)
{
    m_sitePage->AddModifiedFile(fileName);
}

void VornaDialogSiteManagerSheet::SelectFile(const QString& displayName, int flag)
{
    m_sitePage->SelectFile(displayName, flag != 0);
}

void VornaDialogSiteManagerSheet::ClearSelection()
{
    m_sitePage->siteList()->ClearSelection();
}

int VornaDialogSiteManagerSheet::GetSiteListSelectionMark() const
{
    return m_sitePage->GetSiteListSelectionMark();
}

bool VornaDialogSiteManagerSheet::IsTransferRunning() const
{
    return m_sitePage->IsTransferRunning();
}

bool VornaDialogSiteManagerSheet::event(QEvent* event)
{
    if (event->type() == platform::WindowMessage::eventType()) {
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == WM_WEB_FOLDER_CHANGED) {
            // A message of a watcher stopped since is dropped.
            if (message->data().toULongLong() == m_watchGeneration)
                OnFolderChanged();
            message->setResult(0);
            return true;
        }
    }
    return QWidget::event(event);
}

void VornaDialogSiteManagerSheet::OnFolderChanged()
{
    const CMainFrame* main = CMainFrame::instance();
    if (!main || !main->IsEditMode() || m_tabs->indexOf(m_sitePage) < 0 || m_sitePage->siteList()->m_bBusy)
        return;
    // The list takes the focus when it reloads; a change on disk must not
    // take it from the page being typed in.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    m_sitePage->OnRefresh();
    if (focus && focus != QApplication::focusWidget())
        focus->setFocus(Qt::OtherFocusReason);
    m_sitePage->update();
}
