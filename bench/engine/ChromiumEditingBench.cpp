// Headless chromium's own editor on the page the typing benchmarks edit:
// Enter in the middle of the middle paragraph and a joining Backspace at
// the start of the new one, by turns (execCommand insertParagraph and
// delete, each followed by a layout it is made to finish). The browser the
// in-place layout of those edits is held against, in the same run.

#include "bench/engine/BenchPages.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>

namespace {

constexpr int kEdits = 40;

// The page with its body editable and the edits run once it has loaded;
// their times, in milliseconds, written into the page as "EDITS t1 t2 ..."
// (or "EDITS failed: why", also when the paragraphs are not as many again
// at the end: the Backspaces did not join what the Enters split).
QString editedPage(int paragraphs)
{
    QString html = bench_pages::textBoxPage(paragraphs, false);
    html.replace(QStringLiteral("<body>"), QStringLiteral("<body contenteditable=true>"));
    const QString script = QStringLiteral("<script>window.onload = function () {"
                                          "  const out = document.createElement('pre');"
                                          "  try {"
                                          "    document.body.offsetHeight;"
                                          "    const text = document.getElementById('p%1').firstChild;"
                                          "    getSelection().collapse(text, Math.floor(text.length / 2));"
                                          "    const times = [];"
                                          "    for (let k = 0; k < %2; ++k) {"
                                          "      const start = performance.now();"
                                          "      document.execCommand((k & 1) == 0 ? 'insertParagraph' : 'delete');"
                                          "      document.body.offsetHeight;"
                                          "      times.push(performance.now() - start);"
                                          "    }"
                                          "    if (document.getElementsByTagName('p').length != %3)"
                                          "      throw 'the paragraphs were not joined again';"
                                          "    out.textContent = 'EDITS ' + times.join(' ');"
                                          "  } catch (e) { out.textContent = 'EDITS failed: ' + e; }"
                                          "  document.documentElement.appendChild(out);"
                                          "};</script>")
                               .arg(paragraphs / 2)
                               .arg(kEdits)
                               .arg(paragraphs);
    html.replace(QStringLiteral("</body>"), script + QStringLiteral("</body>"));
    return html;
}

void BM_EnterAndJoin_Chromium(benchmark::State& state)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) {
        state.SkipWithError("chromium is not installed");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(editedPage(static_cast<int>(state.range(0))).toUtf8()) < 0) {
        state.SkipWithError("cannot write the page");
        return;
    }
    file.close();
    double median = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(chromium,
                {QStringLiteral("--headless"), QStringLiteral("--disable-gpu"), QStringLiteral("--no-sandbox"),
                 QStringLiteral("--user-data-dir=") + dir.filePath("profile"), QStringLiteral("--window-size=800,600"),
                 QStringLiteral("--dump-dom"), QUrl::fromLocalFile(path).toString()});
        p.waitForFinished(600000);
        const QString dom = QString::fromUtf8(p.readAllStandardOutput());
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("EDITS ([0-9. ]+)<")).match(dom);
        if (!m.hasMatch()) {
            state.SkipWithError("chromium did not edit the page");
            return;
        }
        std::vector<double> times;
        for (const QString& t : m.captured(1).split(u' ', Qt::SkipEmptyParts))
            times.push_back(t.toDouble());
        if (times.size() != static_cast<size_t>(kEdits)) {
            state.SkipWithError("chromium did not make every edit");
            return;
        }
        double sum = 0;
        for (const double t : times)
            sum += t;
        std::sort(times.begin(), times.end());
        median = times[times.size() / 2];
        // (One edit's mean time, as the in-place benchmark reports it.)
        state.SetIterationTime(sum / kEdits / 1000);
    }
    state.counters["median_ms"] = median;
}

} // namespace

BENCHMARK(BM_EnterAndJoin_Chromium)
    ->Arg(2000)
    ->Arg(100000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
