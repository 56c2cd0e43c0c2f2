// Listing a folder of 5,000 images and 200 folders in the image browser, its
// thumbnails not counted (the loading is stopped at once), against a plain
// listing of the same folder sorted in the language's order.

#include "images/CVornaImageListCtrl.h"
#include "images/VornaDlgImageBrowser.h"

#include <benchmark/benchmark.h>

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kImages = 5000;
constexpr int kFolders = 200;

QString bigFolder()
{
    static const QString folder = [] {
        const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/browser-folder");
        QDir().mkpath(path);
        for (int i = 0; i < kFolders; ++i)
            QDir().mkpath(path + QStringLiteral("/album%1").arg(i, 3, 10, QLatin1Char('0')));
        for (int i = 0; i < kImages; ++i) {
            QFile file(path + QStringLiteral("/photo%1.png").arg(i, 4, 10, QLatin1Char('0')));
            if (!file.exists() && file.open(QIODevice::WriteOnly))
                file.write("x");
        }
        return path;
    }();
    return folder;
}

void BM_BrowserShowFolder(benchmark::State& state)
{
    VornaDlgImageBrowser browser;
    browser.resize(900, 200);
    browser.OpenFolder(bigFolder());
    for (auto _ : state) {
        browser.ShowFolder(browser.m_strCurrentFolder);
        browser.thumbnailList()->StopLoading();
        benchmark::DoNotOptimize(browser.thumbnailList()->GetItemCount());
    }
}
BENCHMARK(BM_BrowserShowFolder)->Unit(benchmark::kMillisecond);

void BM_PlainSortedListing(benchmark::State& state)
{
    for (auto _ : state) {
        QStringList names =
            QDir(bigFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
        QCollator collator;
        std::sort(names.begin(), names.end(),
                  [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
        benchmark::DoNotOptimize(names.size());
    }
}
BENCHMARK(BM_PlainSortedListing)->Unit(benchmark::kMillisecond);

} // namespace

void prepareImageBrowserBench()
{
    // The browser remembers its folder: in a settings folder of its own.
    static QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    bigFolder();
}

void printImageBrowserRatios(const std::function<double(const char*)>& find)
{
    const double plain = find("BM_PlainSortedListing");
    if (plain > 0)
        std::printf("image browser, folder shown / plain sorted listing: %.2f (limit 1.5)\n",
                    find("BM_BrowserShowFolder") / plain);
}
