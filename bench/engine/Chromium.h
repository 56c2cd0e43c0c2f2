#pragma once

// Headless chromium showing a page file, from its start to the screenshot
// of the page laid out (its process start included, as a person opening
// the file waits for it): the browser the benchmarks hold a page's open
// against, in the same run.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <optional>

namespace bench_pages {

// The seconds chromium took to show the file at `path` in a window of
// 800 x 600 (a profile of its own in `profile`); nothing when chromium is
// not installed.
inline std::optional<double> chromiumShows(const QString& path, const QTemporaryDir& profile)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        return std::nullopt;
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--disable-gpu"), QStringLiteral("--no-sandbox"),
                       QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--window-size=800,600"),
                       QStringLiteral("--screenshot=") + profile.filePath(QStringLiteral("shot.png")),
                       QUrl::fromLocalFile(path).toString()});
    p.waitForFinished(300000);
    return clock.nsecsElapsed() / 1e9;
}

// Each iteration's time: chromium showing the file (a profile kept for the
// run); the benchmark is skipped without chromium.
inline void timeChromium(benchmark::State& state, const QString& path)
{
    QTemporaryDir profile;
    for (auto _ : state) {
        const std::optional<double> seconds = chromiumShows(path, profile);
        if (!seconds) {
            state.SkipWithError("chromium is not installed");
            return;
        }
        state.SetIterationTime(*seconds);
    }
}

} // namespace bench_pages
