// An in-web save of a large page with 500 local links against the engine's
// own save of that page: the program's save with its link work (collection,
// copies into the web, rewriting), the generator META and the switch back
// into editing.
//   bench_app --benchmark_filter='InWebSave'
// The engine's save and the program's save of the page whose links already
// name files of the web compare directly; the copying run shows the cost of
// a first save that copies 325 files into the web.

#include "bench/engine/BenchPages.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/dom/Document.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace {

// About 2,000 elements: 225 paragraphs linking a page each and 75 tables of
// the engine's benchmark page, and 275 positioned images showing 100
// pictures: 500 local links, all named below `folder`.
QString linkedPage(const QString& folder)
{
    QString html = bench_pages::generatedPage(300, 0);
    static const QRegularExpression link(QStringLiteral("href='(x\\d+\\.html)'"));
    html.replace(link, QStringLiteral("href='%1/pages/\\1'").arg(folder));
    QString images;
    for (int i = 0; i < 275; ++i)
        images += QStringLiteral("<img id=o%1 src='%2/pics/p%3.gif' width=32 height=24 "
                                 "style='position:absolute;left:%4px;top:%5px;z-index:%6'>")
                      .arg(i)
                      .arg(folder)
                      .arg(i % 100)
                      .arg(20 + (i * 37) % 700)
                      .arg(40 + (i * 53) % 3000)
                      .arg(i % 7);
    html.insert(html.lastIndexOf(QStringLiteral("</body>")), images);
    return html;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// The linked files: 100 pictures and 225 pages.
void writeLinkedFiles(const QString& folder)
{
    for (int i = 0; i < 100; ++i)
        writeFile(QStringLiteral("%1/pics/p%2.gif").arg(folder).arg(i), QByteArray(2048, char('a' + i % 26)));
    for (int i = 0; i < 300; ++i)
        writeFile(QStringLiteral("%1/pages/x%2.html").arg(folder).arg(i), "<html><body>page</body></html>");
}

struct Web
{
    QTemporaryDir dir;
    QString web = dir.filePath(QStringLiteral("My Web/bench"));
    QString elsewhere = dir.filePath(QStringLiteral("data"));
    std::unique_ptr<CZQApp> app;
    CZQDoc* doc = nullptr;

    // The program with the web open and its index page, linking `linksBelow`.
    bool open(const QString& linksBelow)
    {
        InitInstallFolder();
        CRegistryEx reg(HKEY_CURRENT_USER);
        if (reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()))
            reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0);
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = std::make_unique<CZQApp>();
        if (!app->InitInstance({}))
            return false;
        QDir().mkpath(web);
        writeLinkedFiles(elsewhere);
        writeFile(web + QStringLiteral("/index.html"), linkedPage(linksBelow).toUtf8());
        app->mainFrame()->m_bWebOpen = true;
        app->mainFrame()->m_strWebFolder = web;
        app->mainFrame()->OnWindowTutorial();
        app->mainFrame()->siteManagerSheet()->AddOrUpdateFileRow(QStringLiteral("index.html"), QString());
        if (!app->OpenDocumentFile(web + QStringLiteral("/index.html")))
            return false;
        QCoreApplication::processEvents(); // the page-loaded event
        doc = app->GetActiveView()->GetDocument();
        return doc != nullptr;
    }
    ~Web()
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }
};

void BM_InWebSave_Engine(benchmark::State& state)
{
    QTemporaryDir dir;
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(linkedPage(dir.filePath(QStringLiteral("web"))));
    const QString path = dir.filePath(QStringLiteral("index.html"));
    for (auto _ : state)
        benchmark::DoNotOptimize(doc->save(path));
    state.counters["elements"] = doc->all().length();
}

// The links name files of the web (as after the first save): the passes
// visit every link and copy nothing.
void BM_InWebSave_Program(benchmark::State& state)
{
    Web web;
    if (!web.open(web.dir.filePath(QStringLiteral("My Web/bench")))) {
        state.SkipWithError("the program did not open the page");
        return;
    }
    writeLinkedFiles(web.web);
    for (auto _ : state)
        benchmark::DoNotOptimize(web.doc->OnFileSave());
    state.counters["elements"] = web.app->GetActiveView()->GetHtmlDocument()->all().length();
}

// The links name files outside the web: each save copies 100 pictures and 225
// pages into it and rewrites 500 links (set back between the runs).
void BM_InWebSaveCopying_Program(benchmark::State& state)
{
    Web web;
    if (!web.open(web.dir.filePath(QStringLiteral("data")))) {
        state.SkipWithError("the program did not open the page");
        return;
    }
    engine::Document* doc = web.app->GetActiveView()->GetHtmlDocument();
    const QString original = linkedPage(web.elsewhere);
    for (auto _ : state) {
        state.PauseTiming();
        QDir(web.web + QStringLiteral("/image")).removeRecursively();
        for (const QString& name : QDir(web.web).entryList({QStringLiteral("x*.html")}, QDir::Files))
            QFile::remove(web.web + QLatin1Char('/') + name);
        doc->replaceContent(original);
        state.ResumeTiming();
        benchmark::DoNotOptimize(web.doc->OnFileSave());
    }
    state.counters["copied"] = double(QDir(web.web + QStringLiteral("/image")).entryList(QDir::Files).size() +
                                      QDir(web.web).entryList({QStringLiteral("x*.html")}, QDir::Files).size());
}

} // namespace

BENCHMARK(BM_InWebSave_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InWebSave_Program)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InWebSaveCopying_Program)->Unit(benchmark::kMillisecond);
