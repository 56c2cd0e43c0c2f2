// Reloading the site list of a web of 2,000 pages of 20 KB in 50 folders,
// beside a plain QDirIterator walk that reads the same files whole. The
// executable's main runs every benchmark of the folder in a home of its own.

#include "util/AppContext.h"
#include "web/CVornaSiteGridCtrl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int kFolders = 50;
constexpr int kPagesPerFolder = 40;
constexpr int kPageBytes = 20 * 1000;

// The web of the benchmark, made once.
class BenchWeb : public AppContext
{
public:
    BenchWeb()
    {
        QByteArray body;
        while (body.size() < kPageBytes)
            body +=
                "<P>Paginor benchmark text, some of it <B>bold</B> and some in a <A href=\"x.html\">link</A>.</P>\n";
        for (int f = 0; f < kFolders; ++f) {
            const QString folder = m_dir.filePath(QStringLiteral("web/folder%1").arg(f));
            QDir().mkpath(folder);
            for (int p = 0; p < kPagesPerFolder; ++p) {
                QFile page(folder + QStringLiteral("/page%1.html").arg(p));
                page.open(QIODevice::WriteOnly);
                page.write("<HTML><HEAD><TITLE>Page " + QByteArray::number(p) + "</TITLE></HEAD><BODY>");
                page.write(body.left(kPageBytes - 60));
                page.write("</BODY></HTML>");
            }
        }
        AppContext::install(this);
    }
    ~BenchWeb() override { AppContext::install(nullptr); }

    QWidget* mainWindow() const override { return nullptr; }
    int rememberedAnswer() const override { return 0; }
    void setRememberedAnswer(int) override {}
    bool takeWebQuestionFlag() override { return false; }
    QWidget* imageDialogWindow() const override { return nullptr; }
    QString installFolder() const override { return m_dir.path(); }
    QList<OpenDocument> openDocuments() const override { return {}; }
    QString webFolder() const override { return m_dir.filePath(QStringLiteral("web")); }

private:
    QTemporaryDir m_dir;
};

BenchWeb& benchWeb()
{
    static BenchWeb web;
    return web;
}

void BM_SiteListReload(benchmark::State& state)
{
    benchWeb();
    CVornaSiteGridCtrl list;
    list.FillFromWeb();
    for (auto _ : state) {
        list.Reload();
        benchmark::DoNotOptimize(list.GetItemCount());
    }
}
BENCHMARK(BM_SiteListReload)->Unit(benchmark::kMillisecond);

void BM_DirIteratorReadAll(benchmark::State& state)
{
    const QString folder = benchWeb().webFolder();
    for (auto _ : state) {
        qint64 total = 0;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                total += file.readAll().size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_DirIteratorReadAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The program of the link benchmarks keeps its settings and webs in a home of its own.
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/paginor-bench-XXXXXX"));
    const QByteArray root = QFile::encodeName(home.path());
    QDir().mkpath(home.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
