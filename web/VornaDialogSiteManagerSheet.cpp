#include "web/VornaDialogSiteManagerSheet.h"

#include "util/AppContext.h"

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
    : QWidget(mainFrame), m_tabs(new QTabWidget(this)), m_sitePage(new QWidget), m_tutorialPage(new QWidget)
{
    setObjectName(QStringLiteral("id_674"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    m_tabs->addTab(m_sitePage, QStringLiteral("サイトマネージャ"));
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

int VornaDialogSiteManagerSheet::FindFileRow(const QString& path) const
{
    QString name = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/'))) {
        QString web = AppContext::instance().webFolder();
        while (web.endsWith(QLatin1Char('/')))
            web.chop(1);
        if (web.isEmpty() || !name.startsWith(web + QLatin1Char('/')))
            return -1;
        name = name.mid(web.size() + 1);
    }
    return name.isEmpty() ? -1 : int(m_fileRows.indexOf(name));
}

void VornaDialogSiteManagerSheet::AddOrUpdateFileRow(const QString& fileName, const QString& framesetName)
{
    Q_UNUSED(framesetName);
    if (!fileName.isEmpty() && FindFileRow(fileName) < 0)
        m_fileRows.append(QString(fileName).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

void VornaDialogSiteManagerSheet::RemoveFileRow(const QString& path)
{
    const int row = FindFileRow(path);
    if (row >= 0)
        m_fileRows.removeAt(row);
}

void VornaDialogSiteManagerSheet::RenameFileRow(const QString& oldName, const QString& newName)
{
    const int shown = FindFileRow(newName);
    if (shown >= 0 && oldName != newName)
        m_fileRows.removeAt(shown);
    for (QString& row : m_fileRows) {
        if (row == oldName)
            row = newName;
    }
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

void VornaDialogSiteManagerSheet::CloseSiteManagerPage()
{
    m_tabs->setCurrentWidget(m_tutorialPage);
}
