// Publishing 500 small files over one FTP connection: the program's transfer
// run on its FTP client against curl's command-line tool doing the same
// uploads (one process, one connection, the files named in one glob). Both
// talk to the same local pyftpdlib server. The ratio is printed at the end.

#include "platform/FtpClient.h"
#include "publish/FtpTransferRun.h"

#include "PublishBench.h"
#include "../../tests/support/FtpTestServer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <map>

namespace {

constexpr int kFiles = 500;

struct Fixture
{
    FtpTestServer server;
    QTemporaryDir local;
    QStringList items;
    quint64 total = 0;
    int run = 0;

    Fixture()
    {
        for (int i = 0; i < kFiles; ++i) {
            const QString name = QStringLiteral("page%1.html").arg(i, 3, 10, QLatin1Char('0'));
            QFile file(local.filePath(name));
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArray(1000 + (i * 37) % 3000, char('a' + i % 26)));
            total += quint64(file.size());
            items << name;
        }
    }
    QString nextFolder() { return QStringLiteral("/run%1/").arg(++run); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

class SilentHost : public FtpTransferHost
{
public:
    void showMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void setProgress(int, const QString&) override {}
    bool cancelRequested() const override { return false; }
};

std::map<std::string, double> g_secondsPerRun;

void BM_ProgramUpload(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.isRunning()) {
        state.SkipWithError("no FTP server");
        return;
    }
    auto client = platform::FtpClient::create();
    platform::FtpLogin login;
    login.host = QStringLiteral("127.0.0.1");
    login.port = f.server.port();
    login.user = QStringLiteral("user");
    login.password = QStringLiteral("secret");
    login.passive = state.range(0) != 0;
    if (!client->connect(login)) {
        state.SkipWithError("no login");
        return;
    }
    SilentHost host;
    double seconds = 0;
    int runs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        FtpTransferRun run(*client, host, FtpTransferRun::Direction::Upload, f.total);
        if (run.run(f.items, f.local.path(), f.nextFolder()) != FtpTransferRun::Outcome::Completed)
            state.SkipWithError("upload failed");
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++runs;
    }
    g_secondsPerRun[state.range(0) ? "program passive" : "program active"] = seconds / std::max(runs, 1);
    state.counters["files/s"] = benchmark::Counter(double(kFiles) * runs, benchmark::Counter::kIsRate);
}

void BM_CurlCommandLine(benchmark::State& state)
{
    Fixture& f = fixture();
    if (!f.server.isRunning()) {
        state.SkipWithError("no FTP server");
        return;
    }
    const QString glob = u'{' + f.items.join(u',') + u'}';
    double seconds = 0;
    int runs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QProcess curl;
        curl.setWorkingDirectory(f.local.path());
        QStringList args{QStringLiteral("-s"),
                         QStringLiteral("-S"),
                         QStringLiteral("--ftp-create-dirs"),
                         QStringLiteral("-u"),
                         QStringLiteral("user:secret"),
                         QStringLiteral("-T"),
                         glob,
                         QStringLiteral("ftp://127.0.0.1:%1/%2F%3").arg(f.server.port()).arg(f.nextFolder().mid(1))};
        if (!state.range(0))
            args << QStringLiteral("--ftp-port") << QStringLiteral("-");
        curl.start(QStringLiteral("curl"), args);
        if (!curl.waitForFinished(120000) || curl.exitCode() != 0)
            state.SkipWithError(("curl failed: " + curl.readAllStandardError().toStdString()).c_str());
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++runs;
    }
    g_secondsPerRun[state.range(0) ? "curl passive" : "curl active"] = seconds / std::max(runs, 1);
    state.counters["files/s"] = benchmark::Counter(double(kFiles) * runs, benchmark::Counter::kIsRate);
}

// Argument: 1 passive, 0 active mode.
BENCHMARK(BM_ProgramUpload)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_CurlCommandLine)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

void ReportUploadRatio()
{
    for (const char* mode : {"passive", "active"}) {
        const std::string program = std::string("program ") + mode;
        const std::string curl = std::string("curl ") + mode;
        if (g_secondsPerRun.count(program) && g_secondsPerRun.count(curl))
            std::printf("500 uploads over one connection, %s mode: program %.3f s, curl %.3f s, "
                        "program/curl time ratio %.2f\n",
                        mode, g_secondsPerRun[program], g_secondsPerRun[curl],
                        g_secondsPerRun[program] / g_secondsPerRun[curl]);
    }
}
