// Engine benchmarks: parsing a 1 MB page against gumbo alone (freeing the
// trees is not timed in either: see settleFrees()), serializing
// it, moving one of 2,000 positioned elements and undoing it, and the
// memory the DOM of the page takes.
#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/markup/UndoManager.h"
#include "platform/BackgroundWork.h"

#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <malloc.h>

#include <cstdlib>

#include <QString>
#include <QThreadPool>

using namespace engine;

namespace {

// A page of the kind the editor works on, about `bytes` long: positioned
// tables, FONT, links, images and Japanese text.
QString makePage(int bytes)
{
    QString html = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML><HEAD>"
                                  "<TITLE>ベンチマーク</TITLE></HEAD><BODY bgcolor=\"#ffffff\">\n");
    int i = 0;
    while (html.toUtf8().size() < bytes) {
        for (int k = 0; k < 50; ++k, ++i) {
            html += QStringLiteral(
                        "<TABLE id=\"t%1\" border=0 cellpadding=2 style=\"Z-INDEX: %1; LEFT: %2px; POSITION: absolute; "
                        "TOP: %3px\"><TR><TD nowrap><FONT face=\"ＭＳ Ｐゴシック\" size=3 color=\"#ff0000\">"
                        "写真のページ&nbsp;%1</FONT></TD><TD><A href=\"page%1.html\"><IMG src=\"img/p%1.gif\" "
                        "width=64 height=48 border=0 alt=\"photo\"></A></TD></TR><TR><TD colspan=2>This is a "
                        "<B>sample</B> text &amp; more text for row %1.<BR>次の行です。</TD></TR></TABLE>\n")
                        .arg(i)
                        .arg(10 + (i % 40) * 15)
                        .arg(20 + i * 3);
        }
    }
    html += QStringLiteral("</BODY></HTML>\n");
    return html;
}

// The allocator leaves part of the work of a free for later: small blocks
// are merged with their neighbours by the next allocation of a kilobyte or
// more. One is made here, while the timer stands, so that a parse is not
// charged for freeing the tree before it (nothing is given back to the
// system, which would charge it for taking memory again instead).
void settleFrees()
{
    void* large = std::malloc(4096);
    benchmark::DoNotOptimize(large);
    std::free(large);
}

const QString& page()
{
    static const QString p = makePage(1024 * 1024);
    return p;
}

void BM_GumboAlone(benchmark::State& state)
{
    const QByteArray utf8 = page().toUtf8();
    for (auto _ : state) {
        GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), size_t(utf8.size()));
        benchmark::DoNotOptimize(out);
        state.PauseTiming();
        gumbo_destroy_output(&kGumboDefaultOptions, out);
        settleFrees();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * utf8.size());
}
BENCHMARK(BM_GumboAlone)->Unit(benchmark::kMillisecond);

void BM_ParseIntoDom(benchmark::State& state)
{
    const QString& html = page();
    for (auto _ : state) {
        Ref<Document> doc = Document::create();
        doc->replaceContent(html);
        benchmark::DoNotOptimize(doc.get());
        state.PauseTiming();
        // The tree is let go of here: a document this long is otherwise
        // taken apart on a worker, which would still be freeing it, and
        // giving its memory back to the system, while the next page is
        // parsed.
        doc->replaceContent(QString());
        doc = nullptr;
        settleFrees();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * html.toUtf8().size());
}
BENCHMARK(BM_ParseIntoDom)->Unit(benchmark::kMillisecond);

void BM_SerializeFile(benchmark::State& state)
{
    Ref<Document> doc = Document::create();
    doc->replaceContent(page());
    for (auto _ : state) {
        QString text = HtmlSerializer::fileText(doc.get());
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_SerializeFile)->Unit(benchmark::kMillisecond);

void BM_StyleLeftSetAndUndo(benchmark::State& state)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 2000; ++i)
        html += QStringLiteral("<DIV style=\"Z-INDEX: %1; LEFT: 10px; POSITION: absolute; TOP: %2px\">d%1</DIV>")
                    .arg(i)
                    .arg(i * 2);
    Ref<Document> doc = Document::create();
    doc->replaceContent(html + QStringLiteral("</body></html>"));
    ElementCollection divs = doc->getElementsByTagName(QStringLiteral("DIV"));
    std::vector<Ref<Element>> all = divs.toVector();
    int i = 0;
    for (auto _ : state) {
        Element* el = all[size_t(i++ % 2000)].get();
        el->style().setLeft(i % 500);
        doc->undoManager().undo();
    }
}
BENCHMARK(BM_StyleLeftSetAndUndo)->Unit(benchmark::kMicrosecond);

void BM_DomMemory(benchmark::State& state)
{
    const QString& html = page();
    const double pageBytes = html.toUtf8().size();
    double ratio = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        Ref<Document> doc = Document::create();
        doc->replaceContent(html);
        const size_t after = mallinfo2().uordblks;
        ratio = double(after - before) / pageBytes;
        benchmark::DoNotOptimize(doc.get());
    }
    state.counters["dom_bytes_per_page_byte"] = ratio;
}
BENCHMARK(BM_DomMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// A long page (paragraphs of a letter each) let go of while nobody else
// holds a node of it: the window's share, the look at every node before the
// tree goes to a worker thread to be taken apart.
void BM_LetGoOfLongPage(benchmark::State& state)
{
    QString html = QStringLiteral("<html><body>\n");
    for (int64_t i = 0; i < state.range(0); ++i)
        html += QStringLiteral("<p>a</p>\n");
    html += QStringLiteral("</body></html>");
    for (auto _ : state) {
        state.PauseTiming();
        Ref<Document> doc = Document::create();
        doc->replaceContent(html);
        state.ResumeTiming();
        doc = Ref<Document>();
        state.PauseTiming();
        platform::backgroundPool()->waitForDone();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LetGoOfLongPage)->Arg(600000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
