// The publishing benchmarks: uploads over one connection, and the publishing
// window's listing of a whole server folder, each against curl's command-line
// tool on the same local server.

#include "PublishBench.h"

// The tests' server launcher, built into this benchmark as well.
#include "../../tests/support/FtpTestServer.cpp"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    // The window's settings go to a folder of this run, not the user's.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReportUploadRatio();
    ReportListingRatio();
    return 0;
}
