#include "web/VornaDialogSiteManagerSheet.h"

#include "res/resource.h"
#include "util/StringResources.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include "engine/view/BrowseView.h"

#include "platform/DataRoot.h"

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
    : QWidget(mainFrame), m_tabs(new QTabWidget(this)), m_sitePage(new VornaDialogSiteManagerPage1),
      m_tutorialPage(new QWidget)
{
    setObjectName(QStringLiteral("id_674"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    m_tabs->addTab(m_sitePage, LoadResString(IDS_SITE_MANAGER_CAPTION));
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
        m_tabs->insertTab(0, m_sitePage, LoadResString(IDS_SITE_MANAGER_CAPTION));
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
    Q_UNUSED(fileName);
}

void VornaDialogSiteManagerSheet::SelectFile(const QString& displayName, int flag)
{
    Q_UNUSED(displayName);
    Q_UNUSED(flag);
}

void VornaDialogSiteManagerSheet::ClearSelection() {}
