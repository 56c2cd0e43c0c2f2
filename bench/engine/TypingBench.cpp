// Typing latency: a key press in a table cell, from the key to the painted
// view (the sink's call, the DOM change, relayout and painting of what is
// pending), on the typical and the large page; and in the text box a long
// page's flowing text is held in (the one cell of a positioned table), keys
// and edits that change a paragraph's height, beside the whole layout.

#include "bench/engine/BenchPages.h"
#include "bench/engine/DocumentationPage.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/DesignModeInput.h"
#include "engine/view/EventObject.h"
#include "engine/view/EventSink.h"
#include "engine/view/PageView.h"
#include "platform/BackgroundWork.h"

#include <QThreadPool>

#include <benchmark/benchmark.h>

namespace {

// A sink that does what a program's key handler does at least: look at the event.
class CountingSink : public engine::EventSink
{
public:
    bool invoke(int, engine::EventObject& event) override
    {
        calls += event.keyCode != 0;
        return false;
    }
    int calls = 0;
};

// recreate: re-create the layout document for every key press, as a change of
// the tree does (the reference the in-place text path is measured against).
void typeInCell(benchmark::State& state, const QString& page, bool recreate = false)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(page);
    engine::PageView view(doc.get());
    view.setHeadless(QSize(800, 600));
    CountingSink sink;
    view.advise(&sink);
    QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
    engine::Element* table = doc->getElementById(QStringLiteral("t3"));
    engine::Element* cell = table->getElementsByTagName(QStringLiteral("TD")).item(0);
    engine::Node* text = cell->firstChild();
    doc->selection().collapseAt(text, text->asText()->length());
    view.flushChanges();
    bench_pages::paintPending(view, image);
    int typed = 0;
    for (auto _ : state) {
        // Keep the cell's text short: a person types words, not pages, in a cell.
        if (++typed % 64 == 0) {
            state.PauseTiming();
            text->asText()->deleteData(text->asText()->length() - 63, 63);
            doc->selection().collapseAt(text, text->asText()->length());
            view.flushChanges();
            bench_pages::paintPending(view, image);
            state.ResumeTiming();
            continue;
        }
        if (recreate)
            view.layout().setBaseFolder(QString());
        view.input().keyDown(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        view.flushChanges();
        bench_pages::paintPending(view, image);
    }
    state.counters["elements"] = doc->all().length();
    state.counters["sinkCalls"] = sink.calls;
    state.counters["rebuilds"] = view.layout().counters().rebuilds;
    state.counters["layouts"] = view.layout().counters().layouts;
    state.counters["textUpdates"] = view.layout().counters().textUpdates;
}

void BM_TypeInCell_Typical(benchmark::State& s)
{
    typeInCell(s, bench_pages::typicalPage());
}
void BM_TypeInCell_Large(benchmark::State& s)
{
    typeInCell(s, bench_pages::largePage());
}
void BM_TypeInCell_Typical_Recreated(benchmark::State& s)
{
    typeInCell(s, bench_pages::typicalPage(), true);
}
void BM_TypeInCell_Large_Recreated(benchmark::State& s)
{
    typeInCell(s, bench_pages::largePage(), true);
}

constexpr int kTextBoxParagraphs = 2000;

struct TextBoxView
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    std::unique_ptr<engine::PageView> view;
    QImage image{800, 600, QImage::Format_ARGB32_Premultiplied};
    int paragraphs = kTextBoxParagraphs;

    explicit TextBoxView(int count = kTextBoxParagraphs, bool inTextBox = true)
        : TextBoxView(bench_pages::textBoxPage(count, inTextBox), count)
    {
    }
    TextBoxView(const QString& page, int count) : paragraphs(count)
    {
        // (What the page of the benchmark before left is taken apart on
        // other threads; their time would count as this one's.)
        platform::backgroundPool()->waitForDone();
        doc->replaceContent(page);
        view = std::make_unique<engine::PageView>(doc.get());
        view->setHeadless(QSize(800, 600));
        view->layout().finishLayout();
        view->flushChanges();
        bench_pages::paintPending(*view, image);
    }
    void show()
    {
        view->flushChanges();
        bench_pages::paintPending(*view, image);
    }
    void count(benchmark::State& state)
    {
        state.counters["paragraphs"] = paragraphs;
        state.counters["rebuilds"] = view->layout().counters().rebuilds;
        state.counters["layouts"] = view->layout().counters().layouts;
        state.counters["blockLayouts"] = view->layout().counters().blockLayouts;
    }
};

// A paragraph in the text box made larger and smaller again (font size:
// its height and margins change, what follows it moves). `whole`: the
// view's width changes by a pixel with every step, so that each layout is
// one of the whole page (the figure to compare with).
void textBoxHeightEdit(benchmark::State& state, bool whole)
{
    TextBoxView box;
    // (Not the first paragraph of a section: the heading's bottom margin is
    // a fraction of a pixel, and the paragraph's larger top margin taking
    // its place moves what follows by a fraction, which lays out the page
    // whole.)
    engine::Element* p = box.doc->getElementById(QStringLiteral("p%1").arg(kTextBoxParagraphs / 2 + 1));
    bool on = false;
    for (auto _ : state) {
        on = !on;
        if (whole)
            box.view->layout().setViewportSize(QSize(on ? 799 : 800, 600));
        p->style().setAttribute(QStringLiteral("font-size"),
                                engine::Variant(QString::fromLatin1(on ? "24px" : "16px")));
        box.show();
    }
    box.count(state);
}

void BM_TextBoxHeightEdit(benchmark::State& s)
{
    textBoxHeightEdit(s, false);
}
void BM_TextBoxHeightEdit_Whole(benchmark::State& s)
{
    textBoxHeightEdit(s, true);
}

// Keys typed at the end of `text`: words of five letters and a space, so
// that its block takes a line more now and then; the typed text taken out
// again (untimed) after 64 keys.
void typeKeysAtEndOf(benchmark::State& state, TextBoxView& box, engine::Node* text)
{
    const int start = text->asText()->length();
    box.doc->selection().collapseAt(text, start);
    const QString keys = QStringLiteral("words ");
    int typed = 0;
    for (auto _ : state) {
        if (typed == 64) {
            state.PauseTiming();
            text->asText()->deleteData(start, typed);
            typed = 0;
            box.doc->selection().collapseAt(text, start);
            box.show();
            state.ResumeTiming();
        }
        const QString key = keys.mid(typed % keys.size(), 1);
        box.view->input().keyDown(key == u' ' ? Qt::Key_Space : Qt::Key_A, Qt::NoModifier, key);
        ++typed;
        box.show();
    }
    box.count(state);
}

// Keys typed into a paragraph of the text box, at the caret (see
// typeKeysAtEndOf).
void BM_TextBoxTypeKey(benchmark::State& state)
{
    TextBoxView box;
    typeKeysAtEndOf(state, box,
                    box.doc->getElementById(QStringLiteral("p%1").arg(kTextBoxParagraphs / 2))->firstChild());
}

// Enter at `at` in `text` (-1: its middle) and Backspace at the start of
// the new paragraph, by turns (each adds or removes a block, and what
// follows moves), from the key to the painted view. `whole`: the view's
// width changes by a pixel with every step, so that each layout is one of
// the whole page (the figure to compare with).
void enterAndJoinIn(benchmark::State& state, TextBoxView& box, engine::Node* text, bool whole, int at = -1)
{
    box.doc->selection().collapseAt(text, at < 0 ? text->asText()->length() / 2 : at);
    // (The lines of text the caret stands on, found once as a view finds
    // them when it first shows the caret.)
    box.view->layout().engine().textLines();
    bool enter = false;
    for (auto _ : state) {
        enter = !enter;
        if (whole)
            box.view->layout().setViewportSize(QSize(enter ? 799 : 800, 600));
        if (enter)
            box.view->input().keyDown(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        else
            box.view->input().keyDown(Qt::Key_Backspace, Qt::NoModifier, QString());
        box.show();
    }
    box.count(state);
}

// The same in the middle paragraph, in BODY or in the text box.
void enterAndJoin(benchmark::State& state, bool inTextBox, bool whole)
{
    const int count = static_cast<int>(state.range(0));
    TextBoxView box(count, inTextBox);
    enterAndJoinIn(state, box, box.doc->getElementById(QStringLiteral("p%1").arg(count / 2))->firstChild(), whole);
}

void BM_EnterAndJoin(benchmark::State& s)
{
    enterAndJoin(s, false, false);
}
void BM_EnterAndJoin_Whole(benchmark::State& s)
{
    enterAndJoin(s, false, true);
}
void BM_TextBoxEnterAndJoin(benchmark::State& s)
{
    enterAndJoin(s, true, false);
}
void BM_TextBoxEnterAndJoin_Whole(benchmark::State& s)
{
    enterAndJoin(s, true, true);
}

// The same at the end of the paragraph before a section's heading: the new
// paragraph's margin stands between, and the heading's, of a fraction of a
// pixel, collapses with it.
void enterAndJoinBeforeHeading(benchmark::State& state, bool inTextBox)
{
    const int count = static_cast<int>(state.range(0));
    TextBoxView box(count, inTextBox);
    // (Sections begin every fifty paragraphs.)
    engine::Node* text = box.doc->getElementById(QStringLiteral("p%1").arg(count / 100 * 50 - 1))->lastChild();
    enterAndJoinIn(state, box, text, false, text->asText()->length());
}

// The same in the middle item of a numbered list of 500 steps in the middle
// of the page of argument 0 paragraphs: the items after it are numbered
// anew.
void BM_NumberedListEnterAndJoin(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    QString page = bench_pages::textBoxPage(count, false);
    QString list = QStringLiteral("<ol>");
    for (int i = 0; i < 500; ++i)
        list += QStringLiteral("<li id=step%1>Set the value of the option to what the server needs</li>").arg(i);
    list += QStringLiteral("</ol>");
    page.insert(page.indexOf(QStringLiteral("<p id=p%1>").arg(count / 2)), list);
    TextBoxView box(page, count);
    enterAndJoinIn(state, box, box.doc->getElementById(QStringLiteral("step250"))->firstChild(), false);
}

void BM_EnterAndJoinBeforeHeading(benchmark::State& s)
{
    enterAndJoinBeforeHeading(s, false);
}
void BM_TextBoxEnterAndJoinBeforeHeading(benchmark::State& s)
{
    enterAndJoinBeforeHeading(s, true);
}

// The same in a paragraph in the middle of the manual of argument 0 KB, in
// the DIVs of its book, chapter and section, the page linking a style sheet;
// or in a line of a program listing there (`tag` PRE: Enter breaks the line,
// Backspace after the break joins it again), or in an entry of its contents
// (`tag` LI). `wideLine`: that listing's first line is the page's widest,
// wider than the window (Enter in the middle of it makes the page narrower,
// the join wider again).
void manualEnterAndJoin(benchmark::State& state, bool whole, const QString& tag = QStringLiteral("P"),
                        bool wideLine = false)
{
    QString page = bench_pages::documentationPage(static_cast<int>(state.range(0)) * 1024);
    if (wideLine) {
        const QString open = QStringLiteral("<pre class=\"programlisting\">\n");
        qsizetype at = -1;
        for (qsizetype k = page.count(open) / 2 + 1; k > 0; --k)
            at = page.indexOf(open, at + 1);
        page.insert(at + open.size(), QStringLiteral("# ") + QString(200, u'=') + QStringLiteral(" settings ") +
                                          QString(200, u'=') + u'\n');
    }
    TextBoxView box(page, static_cast<int>(page.count(QLatin1String("<p>"))));
    const engine::ElementCollection all = box.doc->getElementsByTagName(tag);
    engine::Node* text = all.item(all.length() / 2)->firstChild();
    while (text && (!text->isText() || text->asText()->length() < 20))
        text = text->nextSibling();
    // (An entry of the contents: its link's text.)
    if (!text && tag == QStringLiteral("LI"))
        text = all.item(all.length() / 2)->firstChild()->firstChild();
    // (In the middle of the wide line.)
    enterAndJoinIn(state, box, text, whole, wideLine ? 206 : -1);
}

void BM_ManualEnterAndJoin(benchmark::State& s)
{
    manualEnterAndJoin(s, false);
}
void BM_ManualEnterAndJoin_Whole(benchmark::State& s)
{
    manualEnterAndJoin(s, true);
}
void BM_ManualListingEnterAndJoin(benchmark::State& s)
{
    manualEnterAndJoin(s, false, QStringLiteral("PRE"));
}
void BM_ManualListingEnterAndJoin_Whole(benchmark::State& s)
{
    manualEnterAndJoin(s, true, QStringLiteral("PRE"));
}
void BM_ManualWideLineEnterAndJoin(benchmark::State& s)
{
    manualEnterAndJoin(s, false, QStringLiteral("PRE"), true);
}
void BM_ManualContentsEnterAndJoin(benchmark::State& s)
{
    manualEnterAndJoin(s, false, QStringLiteral("LI"));
}

// Keys typed at the end of a cell of a parameter table in the middle of the
// manual of argument 0 KB (see typeKeysAtEndOf): the column, and the
// table, grow wider with each key (the table as wide as its cells).
void BM_ManualTableCellTypeKey(benchmark::State& state)
{
    const QString page = bench_pages::documentationPage(static_cast<int>(state.range(0)) * 1024);
    TextBoxView box(page, static_cast<int>(page.count(QLatin1String("<p>"))));
    const engine::ElementCollection cells = box.doc->getElementsByTagName(QStringLiteral("TD"));
    engine::Node* text = cells.item(cells.length() / 2)->firstChild();
    while (text && !text->isText())
        text = text->firstChild();
    typeKeysAtEndOf(state, box, text);
}

// Enter in the middle of the meaning of a parameter (the last cell of a row
// in a parameter table in the middle of the manual of argument 0 KB) and
// the joining Backspace, by turns: the cell's words become two paragraphs
// and one again, its row grows and shrinks.
void BM_ManualTableCellEnterAndJoin(benchmark::State& state)
{
    const QString page = bench_pages::documentationPage(static_cast<int>(state.range(0)) * 1024);
    TextBoxView box(page, static_cast<int>(page.count(QLatin1String("<p>"))));
    const engine::ElementCollection cells = box.doc->getElementsByTagName(QStringLiteral("TD"));
    engine::Node* text = nullptr;
    for (int i = cells.length() / 2; !text && i < cells.length(); ++i) {
        engine::Node* first = cells.item(i)->firstChild();
        if (first && first->isText() && first->asText()->length() > 20)
            text = first;
    }
    enterAndJoinIn(state, box, text, false);
}

// A selection from the middle of a paragraph of the manual of argument 0 KB
// to the middle of the next deleted, and its undo, by turns: both
// paragraphs change before they join.
void BM_ManualDeleteAcrossParagraphs(benchmark::State& state)
{
    const QString page = bench_pages::documentationPage(static_cast<int>(state.range(0)) * 1024);
    TextBoxView box(page, static_cast<int>(page.count(QLatin1String("<p>"))));
    const engine::ElementCollection all = box.doc->getElementsByTagName(QStringLiteral("P"));
    engine::Element* first = all.item(all.length() / 2);
    engine::Element* second = all.item(all.length() / 2 + 1);
    box.view->layout().engine().textLines();
    bool remove = false;
    for (auto _ : state) {
        remove = !remove;
        if (remove) {
            engine::Node* from = first->lastChild();
            engine::Node* to = second->firstChild();
            box.doc->selection().setTextRange(from, from->asText()->length() / 2, to, to->asText()->length() / 2);
            box.view->input().keyDown(Qt::Key_Delete, Qt::NoModifier, QString());
        } else {
            box.doc->undoManager().closeOpenUnits();
            box.doc->undoManager().undo();
        }
        box.show();
    }
    box.count(state);
}

// Backspace at the start of a paragraph (joining it to the one before) and
// its undo (splitting them again), by turns, in BODY or in the text box,
// from the key or the undo to the painted view.
void joinAndUndo(benchmark::State& state, bool inTextBox)
{
    const int count = static_cast<int>(state.range(0));
    TextBoxView box(count, inTextBox);
    // (Not the first paragraph of a section, which would join its heading.)
    engine::Node* text = box.doc->getElementById(QStringLiteral("p%1").arg(count / 2 + 1))->firstChild();
    box.view->layout().engine().textLines();
    bool join = false;
    for (auto _ : state) {
        join = !join;
        if (join) {
            box.doc->selection().collapseAt(text, 0);
            box.view->input().keyDown(Qt::Key_Backspace, Qt::NoModifier, QString());
        } else {
            box.doc->undoManager().closeOpenUnits();
            box.doc->undoManager().undo();
        }
        box.show();
    }
    box.count(state);
}

void BM_JoinAndUndo(benchmark::State& s)
{
    joinAndUndo(s, false);
}
void BM_TextBoxJoinAndUndo(benchmark::State& s)
{
    joinAndUndo(s, true);
}

} // namespace

BENCHMARK(BM_EnterAndJoin)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterAndJoin_Whole)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxEnterAndJoin)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxEnterAndJoin_Whole)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumberedListEnterAndJoin)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnterAndJoinBeforeHeading)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxEnterAndJoinBeforeHeading)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualEnterAndJoin)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualEnterAndJoin_Whole)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualListingEnterAndJoin)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualListingEnterAndJoin_Whole)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualWideLineEnterAndJoin)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualContentsEnterAndJoin)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JoinAndUndo)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxJoinAndUndo)->Arg(2000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxHeightEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxHeightEdit_Whole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBoxTypeKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualTableCellTypeKey)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualTableCellEnterAndJoin)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManualDeleteAcrossParagraphs)->Arg(300)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Typical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Typical_Recreated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInCell_Large_Recreated)->Unit(benchmark::kMillisecond);
