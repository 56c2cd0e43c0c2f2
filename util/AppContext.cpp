#include "util/AppContext.h"

#include "platform/DataRoot.h"

namespace appcontext_detail {

// The context of a program that has no main frame yet (and of tests that
// install none).
class DetachedAppContext final : public AppContext
{
public:
    QWidget* mainWindow() const override { return nullptr; }
    int rememberedAnswer() const override { return 0; }
    void setRememberedAnswer(int) override {}
    bool takeWebQuestionFlag() override { return false; }
    QWidget* imageDialogWindow() const override { return nullptr; }
    QString installFolder() const override { return platform::installPath(); }
    QList<OpenDocument> openDocuments() const override { return {}; }
    QString webFolder() const override { return {}; }
};

AppContext* g_installedContext = nullptr;

} // namespace appcontext_detail

AppContext::~AppContext()
{
    if (appcontext_detail::g_installedContext == this)
        appcontext_detail::g_installedContext = nullptr;
}

CZQView* AppContext::activeView() const
{
    return nullptr;
}

engine::Document* AppContext::viewDocument(CZQView*) const
{
    return nullptr;
}

bool AppContext::isImportedPage(CZQView*) const
{
    return false;
}

void AppContext::setPageChanged(CZQView*) {}

QString AppContext::saveDocument(CZQDoc*)
{
    return {};
}

bool AppContext::applyLinkToSelection(CZQView*, engine::Element*, engine::TextRange*, const QString&)
{
    return false;
}

AppContext::OpenDocument AppContext::viewPage(CZQView*) const
{
    return {};
}

bool AppContext::isPageInWeb(const QString&) const
{
    return false;
}

bool AppContext::isActivePageInWeb() const
{
    return false;
}

void AppContext::copyLinkedImages(CZQView*, engine::Element*, const QString&, const QString&, bool, bool) {}

QString AppContext::collectLinkedFiles(CZQView*, const QString& link, bool, bool, const QString&, const QString&)
{
    return link;
}

QStringList AppContext::scriptImageFiles(const QString&) const
{
    return {};
}

void AppContext::replaceElementHtml(CZQView*, engine::Element*, const QString&) {}

void AppContext::reportFailedCopies(CZQView*) {}

AppContext& AppContext::instance()
{
    static appcontext_detail::DetachedAppContext detached;
    return appcontext_detail::g_installedContext ? *appcontext_detail::g_installedContext : detached;
}

void AppContext::install(AppContext* context)
{
    appcontext_detail::g_installedContext = context;
}
