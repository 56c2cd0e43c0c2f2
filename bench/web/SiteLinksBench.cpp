// Rewriting the links of a web of 200 open pages after a rename, beside the
// page link rewrite run on each of their views directly.
//   bench_web --benchmark_filter='Links'
// Each page holds 60 references (A, IMG, TABLE and BODY), a third of them to
// the renamed file; every run renames it back and forth, so each one changes
// the same number of links.

#include "bench/editor/BenchProgram.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "util/PageLinks.h"
#include "web/SitePageOperations.h"

#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <memory>

namespace {

constexpr int kPages = 200;

// The program with a web of 200 pages, all open; made once.
class OpenWeb
{
public:
    OpenWeb()
    {
        m_app = bench_program::startProgram();
        if (!m_app)
            return;
        m_folder = platform::webRoot() + QStringLiteral("/linkbench");
        QDir().mkpath(m_folder + QStringLiteral("/image"));
        QString references;
        for (int i = 0; i < 20; ++i)
            references += QStringLiteral("<P><A href=\"page%1.html\">p</A> <IMG src=\"image/a.gif\"> "
                                         "<A href=\"image/a%1.gif\">x</A></P>\n")
                              .arg(i);
        for (int p = 0; p < kPages; ++p) {
            QFile page(m_folder + QStringLiteral("/page%1.html").arg(p));
            if (!page.open(QIODevice::WriteOnly))
                return;
            page.write(QStringLiteral("<HTML><HEAD><TITLE>Page %1</TITLE></HEAD><BODY background=\"image/b.gif\">"
                                      "<TABLE background=\"image/a.gif\"><TR><TD>t</TD></TR></TABLE>%2</BODY></HTML>")
                           .arg(p)
                           .arg(references)
                           .toUtf8());
        }
        m_app->mainFrame()->OpenWeb(QStringLiteral("linkbench"), m_folder);
        for (int p = 0; p < kPages; ++p)
            m_app->OpenDocumentFile(m_folder + QStringLiteral("/page%1.html").arg(p));
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        for (platform::Document* document : m_app->docTemplate()->documents()) {
            auto* page = qobject_cast<CZQDoc*>(document);
            if (page && page->GetView() && page->GetView()->m_bLoadCompleted)
                m_views.append(page->GetView());
        }
    }
    ~OpenWeb()
    {
        for (platform::Document* document : m_app ? m_app->docTemplate()->documents() : QList<platform::Document*>()) {
            if (auto* page = qobject_cast<CZQDoc*>(document))
                page->m_bPageChanged = false;
        }
        m_app.reset();
        QDir(m_folder).removeRecursively();
    }
    bool ready() const { return m_views.size() >= kPages; }
    const QList<CZQView*>& views() const { return m_views; }
    QString folder() const { return m_folder; }

private:
    std::unique_ptr<CZQApp> m_app;
    QString m_folder;
    QList<CZQView*> m_views;
};

std::unique_ptr<OpenWeb>& theWeb()
{
    static std::unique_ptr<OpenWeb> web;
    return web;
}

// Made at the first use; gone with the application, whose windows it holds.
OpenWeb& openWeb()
{
    if (!theWeb()) {
        theWeb() = std::make_unique<OpenWeb>();
        qAddPostRoutine([] { theWeb().reset(); });
    }
    return *theWeb();
}

void BM_ReplaceLinksInSitePages(benchmark::State& state)
{
    OpenWeb& web = openWeb();
    if (!web.ready()) {
        state.SkipWithError("the pages did not open");
        return;
    }
    bool forth = true;
    for (auto _ : state) {
        ReplaceLinksInSitePages(forth ? QStringLiteral("a.gif") : QStringLiteral("c.gif"),
                                forth ? QStringLiteral("c.gif") : QStringLiteral("a.gif"), 0);
        forth = !forth;
    }
}
BENCHMARK(BM_ReplaceLinksInSitePages)->Unit(benchmark::kMillisecond);

void BM_ReplaceLinksToTheFileInSitePages(benchmark::State& state)
{
    OpenWeb& web = openWeb();
    if (!web.ready()) {
        state.SkipWithError("the pages did not open");
        return;
    }
    bool forth = true;
    const QString a = web.folder() + QStringLiteral("/image/a.gif");
    const QString c = web.folder() + QStringLiteral("/image/c.gif");
    for (auto _ : state) {
        ReplaceLinksInSitePages(forth ? QStringLiteral("a.gif") : QStringLiteral("c.gif"),
                                forth ? QStringLiteral("c.gif") : QStringLiteral("a.gif"), 0, forth ? a : c);
        forth = !forth;
    }
}
BENCHMARK(BM_ReplaceLinksToTheFileInSitePages)->Unit(benchmark::kMillisecond);

void BM_CollectPageLinksOnEachView(benchmark::State& state)
{
    OpenWeb& web = openWeb();
    if (!web.ready()) {
        state.SkipWithError("the pages did not open");
        return;
    }
    bool forth = true;
    for (auto _ : state) {
        for (CZQView* view : web.views())
            CollectPageLinks(view, forth ? QStringLiteral("a.gif") : QStringLiteral("c.gif"),
                             forth ? QStringLiteral("c.gif") : QStringLiteral("a.gif"), 0);
        forth = !forth;
    }
}
BENCHMARK(BM_CollectPageLinksOnEachView)->Unit(benchmark::kMillisecond);

} // namespace
