// Filling the tree grid with 5,000 items (top-level items with children),
// expanding them all and painting the grid once, beside the same rows in a
// QStandardItemModel shown by a QTreeView.

#include "controls/CVornaGridCtrl.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

constexpr int kRoots = 500;
constexpr int kChildren = 9; // 500 + 500 x 9 = 5,000 items
const QSize kSize(640, 480);

QList<QPixmap> pictures()
{
    QList<QPixmap> list;
    for (int i = 0; i < 3; ++i) {
        QPixmap picture(16, 16);
        picture.fill(QColor::fromHsv(i * 100, 160, 220));
        list << picture;
    }
    return list;
}

void BM_TreeGridFillExpandPaint(benchmark::State& state)
{
    const QList<QPixmap> images = pictures();
    for (auto _ : state) {
        CVornaGridCtrl grid;
        grid.resize(kSize);
        grid.SetImageList(images);
        grid.m_cxIcon = 16;
        grid.m_cyIcon = 16;
        for (int column = 0; column < 5; ++column)
            grid.InsertColumn(column, QStringLiteral("列%1").arg(column), LVCFMT_LEFT, 110);
        for (int r = 0; r < kRoots; ++r) {
            auto info = std::make_unique<CItemInfo>();
            info->SetItemText(QStringLiteral("folder%1").arg(r));
            for (int c = 0; c < 4; ++c)
                info->AddSubItemText(QStringLiteral("フォルダ %1").arg(c));
            TreeGridModel::CTreeItem* root = grid.InsertRootItem(std::move(info));
            for (int k = 0; k < kChildren; ++k) {
                auto child = std::make_unique<CItemInfo>();
                child->SetItemText(QStringLiteral("page%1-%2.html").arg(r).arg(k));
                for (int c = 0; c < 4; ++c)
                    child->AddSubItemText(QStringLiteral("ページ %1").arg(c));
                grid.InsertItem(root, std::move(child));
            }
        }
        for (int r = 0; r < kRoots; ++r) {
            int last = 0;
            grid.ExpandAll(grid.GetRootItem(r), last);
        }
        QImage picture = grid.grab().toImage();
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_TreeGridFillExpandPaint)->Unit(benchmark::kMillisecond);

void BM_StandardItemModelFillExpandPaint(benchmark::State& state)
{
    const QList<QPixmap> images = pictures();
    for (auto _ : state) {
        QStandardItemModel model;
        model.setColumnCount(5);
        for (int r = 0; r < kRoots; ++r) {
            QList<QStandardItem*> row;
            row << new QStandardItem(QIcon(images[0]), QStringLiteral("folder%1").arg(r));
            for (int c = 0; c < 4; ++c)
                row << new QStandardItem(QStringLiteral("フォルダ %1").arg(c));
            for (int k = 0; k < kChildren; ++k) {
                QList<QStandardItem*> child;
                child << new QStandardItem(QIcon(images[2]), QStringLiteral("page%1-%2.html").arg(r).arg(k));
                for (int c = 0; c < 4; ++c)
                    child << new QStandardItem(QStringLiteral("ページ %1").arg(c));
                row.first()->appendRow(child);
            }
            model.appendRow(row);
        }
        QTreeView view;
        view.resize(kSize);
        view.setUniformRowHeights(true);
        view.setModel(&model);
        view.expandAll();
        QImage picture = view.grab().toImage();
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_StandardItemModelFillExpandPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
