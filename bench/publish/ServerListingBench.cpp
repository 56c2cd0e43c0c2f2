// Select all in the publishing window on a server folder of 300 folders: the
// window lists the whole tree (every folder, over its one connection, off the
// user-interface thread, into the tree) against curl's command-line tool
// listing the same folders over one connection (all their addresses in one
// process). Both talk to the same local pyftpdlib server. The ratio is
// printed at the end.

#include "controls/CVornaTreeCtrl.h"
#include "publish/CVornaFtp.h"
#include "publish/VornaDialogPublish.h"

#include "PublishBench.h"
#include "../../tests/support/FtpTestServer.h"

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QTreeWidgetItemIterator>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kTopFolders = 20;
constexpr int kSubFolders = 14; // 20 + 20 * 14 = 300 folders

struct Fixture
{
    FtpTestServer server;
    QStringList folders; // server paths below /www, each ending in "/"

    Fixture()
    {
        for (int top = 0; top < kTopFolders; ++top) {
            const QString topFolder = QStringLiteral("www/section%1/").arg(top, 2, 10, QLatin1Char('0'));
            server.putFile(topFolder + QStringLiteral("index.html"), QByteArray(800, 'i'));
            folders << topFolder;
            for (int sub = 0; sub < kSubFolders; ++sub) {
                const QString subFolder = topFolder + QStringLiteral("page%1/").arg(sub, 2, 10, QLatin1Char('0'));
                server.putFile(subFolder + QStringLiteral("photo.gif"), QByteArray(2000, 'g'));
                server.putFile(subFolder + QStringLiteral("page.html"), QByteArray(1200, 'p'));
                folders << subFolder;
            }
        }
        CVornaFtp settings;
        settings.SetWebName(QStringLiteral("bench"));
        settings.ResetWebSettings();
        settings.SetFtpHost(QStringLiteral("127.0.0.1"));
        settings.SetFtpPort(QString::number(server.port()));
        settings.SetFtpId(QStringLiteral("user"));
        settings.SetFtpPassword(QStringLiteral("secret"));
        settings.SetFtpDir(QStringLiteral("/www"));
        settings.SaveWebSettings();
        settings.SetActiveWeb(QStringLiteral("bench"));
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

double g_programSeconds = 0;
double g_curlSeconds = 0;

void BM_SelectAllListsTheServer(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.isRunning()) {
        state.SkipWithError("no FTP server");
        return;
    }
    VornaDialogPublish dialog;
    dialog.OnInitDialog();
    dialog.OnConnect();
    if (!dialog.m_bConnected) {
        state.SkipWithError("no login");
        return;
    }
    double seconds = 0;
    int runs = 0;
    int folders = 0;
    for (auto _ : state) {
        dialog.m_bServerFullyListed = false; // as after an upload
        const auto start = std::chrono::steady_clock::now();
        dialog.OnServerSelectAll();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++runs;
        folders = 0;
        for (QTreeWidgetItemIterator it(dialog.serverTree()); *it; ++it)
            folders += dialog.serverTree()->GetItemImage(*it) == 2 ? 1 : 0;
    }
    if (folders != int(f.folders.size()))
        state.SkipWithError("the tree does not hold every folder");
    g_programSeconds = seconds / std::max(runs, 1);
    state.counters["folders"] = folders;
}

void BM_CurlListsTheSameFolders(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.isRunning()) {
        state.SkipWithError("no FTP server");
        return;
    }
    QStringList args{QStringLiteral("-s"), QStringLiteral("-S"), QStringLiteral("-u"), QStringLiteral("user:secret")};
    const QString base = QStringLiteral("ftp://127.0.0.1:%1/").arg(f.server.port());
    args << base + QStringLiteral("www/");
    for (const QString& folder : f.folders)
        args << base + folder;
    double seconds = 0;
    int runs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QProcess curl;
        curl.start(QStringLiteral("curl"), args);
        if (!curl.waitForFinished(120000) || curl.exitCode() != 0)
            state.SkipWithError(("curl failed: " + curl.readAllStandardError().toStdString()).c_str());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++runs;
    }
    g_curlSeconds = seconds / std::max(runs, 1);
}

BENCHMARK(BM_SelectAllListsTheServer)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_CurlListsTheSameFolders)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

void ReportListingRatio()
{
    if (g_programSeconds > 0 && g_curlSeconds > 0)
        std::printf("select all on %d server folders: window %.3f s, curl %.3f s, window/curl time ratio %.2f\n",
                    kTopFolders * (kSubFolders + 1), g_programSeconds, g_curlSeconds, g_programSeconds / g_curlSeconds);
}
