#include "app/PreviewBrowser.h"

#include "engine/view/BrowseView.h"

#include <QLayout>
#include <QPointer>

#include <utility>

namespace previewbrowser_detail {

// The preview in the engine's browse view.
class BrowseViewBrowser : public PreviewBrowser
{
public:
    explicit BrowseViewBrowser(QWidget* parent) : m_view(new engine::BrowseView(parent))
    {
        if (parent && parent->layout())
            parent->layout()->addWidget(m_view);
        connect(m_view, &engine::BrowseView::beforeNavigate, this, &PreviewBrowser::beforeNavigate);
        connect(m_view, &engine::BrowseView::downloadBegin, this, &PreviewBrowser::downloadBegin);
        connect(m_view, &engine::BrowseView::loadFinished, this, [this](bool) { emit downloadComplete(); });
    }
    ~BrowseViewBrowser() override { delete m_view.data(); }

    QWidget* widget() const override { return m_view; }
    void navigate(const QString& address) override { m_view->navigate(address); }
    void goBack() override { m_view->goBack(); }
    void goForward() override { m_view->goForward(); }
    void stop() override { m_view->stop(); }
    void refresh() override { m_view->refresh(); }
    QString locationUrl() const override { return m_view->url().toString(); }

private:
    QPointer<engine::BrowseView> m_view;
};

PreviewBrowser::Factory& factory()
{
    static PreviewBrowser::Factory made;
    return made;
}

} // namespace previewbrowser_detail

PreviewBrowser::~PreviewBrowser() = default;

std::unique_ptr<PreviewBrowser> PreviewBrowser::create(QWidget* parent)
{
    if (const Factory& made = previewbrowser_detail::factory())
        return made(parent);
    return std::make_unique<previewbrowser_detail::BrowseViewBrowser>(parent);
}

PreviewBrowser::Factory PreviewBrowser::setFactory(Factory factory)
{
    return std::exchange(previewbrowser_detail::factory(), std::move(factory));
}
