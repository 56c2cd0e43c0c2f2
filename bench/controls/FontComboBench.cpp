// Filling the font chooser with the machine's faces and painting its whole
// list once, beside a QFontComboBox doing the same over the same fonts.

#include "controls/FontFaces.h"
#include "controls/VornaFontCombo.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QFontComboBox>

namespace {

// The whole list at its rows' height, painted once.
QImage paintList(QComboBox& combo)
{
    QAbstractItemView* list = combo.view();
    list->resize(300, std::max(1, combo.count()) * std::max(1, list->sizeHintForRow(0)));
    return list->grab().toImage();
}

void BM_FontComboFillPaint(benchmark::State& state)
{
    for (auto _ : state) {
        VornaFontCombo combo;
        combo.AdjustDropWidth(ListFontFaces());
        QImage picture = paintList(combo);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_FontComboFillPaint)->Unit(benchmark::kMillisecond);

void BM_QFontComboBoxFillPaint(benchmark::State& state)
{
    for (auto _ : state) {
        QFontComboBox combo;
        combo.setFontFilters(QFontComboBox::ScalableFonts);
        QImage picture = paintList(combo);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_QFontComboBoxFillPaint)->Unit(benchmark::kMillisecond);

} // namespace
