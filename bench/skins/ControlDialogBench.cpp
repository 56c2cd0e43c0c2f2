// Painting a dialog that holds every kind of control the skin draws (about
// forty controls) in a skin, beside the same dialog in the plain look, so
// that the ratio of the two comes from one run.

#include "skins/VornaSkinManager.h"

#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace {

// The dialog: buttons, marks, fields, lists, tabs, bars and statics, a few
// of them disabled or read-only.
class ControlDialog : public QDialog
{
public:
    ControlDialog()
    {
        setProperty(VornaSkinManager::kNoSkinProperty, true);
        auto* grid = new QGridLayout(this);
        int row = 0;
        auto add = [&](QWidget* w, int column, int span = 1) {
            grid->addWidget(w, row, column, 1, span);
            ++count;
        };
        for (int i = 0; i < 3; ++i) {
            auto* push = new QPushButton(QStringLiteral("ボタン %1").arg(i));
            push->setDefault(i == 0);
            push->setEnabled(i != 2);
            add(push, i);
        }
        auto* toggle = new QPushButton(QStringLiteral("切り替え"));
        toggle->setCheckable(true);
        toggle->setChecked(true);
        add(toggle, 3);
        ++row;
        for (int i = 0; i < 4; ++i) {
            auto* check = new QCheckBox(QStringLiteral("チェック %1").arg(i));
            check->setTristate(i == 3);
            check->setCheckState(i == 3 ? Qt::PartiallyChecked : i % 2 ? Qt::Checked : Qt::Unchecked);
            check->setEnabled(i != 2);
            add(check, i);
        }
        ++row;
        for (int i = 0; i < 4; ++i) {
            auto* radio = new QRadioButton(QStringLiteral("ラジオ %1").arg(i));
            radio->setChecked(i == 1);
            radio->setEnabled(i != 3);
            add(radio, i);
        }
        ++row;
        for (int i = 0; i < 3; ++i) {
            auto* edit = new QLineEdit(QStringLiteral("テキスト %1").arg(i));
            edit->setReadOnly(i == 1);
            edit->setEnabled(i != 2);
            add(edit, i);
        }
        add(new QSpinBox, 3);
        ++row;
        for (int i = 0; i < 3; ++i) {
            auto* combo = new QComboBox;
            combo->setEditable(i == 1);
            combo->addItems({QStringLiteral("項目 1"), QStringLiteral("項目 2")});
            combo->setEnabled(i != 2);
            add(combo, i);
        }
        auto* disabledSpin = new QSpinBox;
        disabledSpin->setEnabled(false);
        add(disabledSpin, 3);
        ++row;
        auto* tree = new QTreeWidget;
        tree->header()->setSectionsClickable(true);
        tree->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("サイズ")});
        for (int i = 0; i < 6; ++i)
            tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("page%1.html").arg(i), "2 KB"}));
        add(tree, 0, 2);
        auto* list = new QListWidget;
        list->addItems({QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
        add(list, 2);
        auto* disabledList = new QListWidget;
        disabledList->addItems({QStringLiteral("四"), QStringLiteral("五")});
        disabledList->setEnabled(false);
        add(disabledList, 3);
        ++row;
        auto* tabs = new QTabWidget;
        tabs->addTab(new QPlainTextEdit(QStringLiteral("複数行の\nテキスト")), QStringLiteral("一般"));
        tabs->addTab(new QWidget, QStringLiteral("詳細"));
        add(tabs, 0, 2);
        auto* group = new QGroupBox(QStringLiteral("グループ"));
        auto* inner = new QVBoxLayout(group);
        inner->addWidget(new QLabel(QStringLiteral("ラベル")));
        auto* disabledLabel = new QLabel(QStringLiteral("無効なラベル"));
        disabledLabel->setEnabled(false);
        inner->addWidget(disabledLabel);
        count += 2;
        add(group, 2);
        auto* disabledGroup = new QGroupBox(QStringLiteral("無効"));
        disabledGroup->setEnabled(false);
        add(disabledGroup, 3);
        ++row;
        for (int i = 0; i < 2; ++i) {
            auto* progress = new QProgressBar;
            progress->setValue(30 + 40 * i);
            add(progress, i);
        }
        auto* sunken = new QLabel(QStringLiteral("枠"));
        sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        add(sunken, 2);
        auto* box = new QFrame;
        box->setFrameStyle(QFrame::Box | QFrame::Plain);
        add(box, 3);
        ++row;
        auto* line = new QFrame;
        line->setFrameShape(QFrame::HLine);
        add(line, 0, 2);
        auto* scroll = new QScrollBar(Qt::Horizontal);
        add(scroll, 2);
        add(new QSizeGrip(this), 3);
        ++row;
        auto* table = new QTableWidget(3, 3);
        table->setHorizontalHeaderLabels({QStringLiteral("列 1"), QStringLiteral("列 2"), QStringLiteral("列 3")});
        add(table, 0, 2);
        auto* notes = new QTextEdit(QStringLiteral("読み取り専用の\n複数行"));
        notes->setReadOnly(true);
        add(notes, 2);
        auto* side = new QTabWidget;
        side->setTabPosition(QTabWidget::West);
        side->addTab(new QWidget, QStringLiteral("左"));
        side->addTab(new QWidget, QStringLiteral("タブ"));
        add(side, 3);
        ++row;
        auto* empty = new QProgressBar;
        empty->setValue(0);
        add(empty, 0);
        auto* longText = new QCheckBox(QString(200, QChar(u'長')));
        add(longText, 1, 3);
        resize(720, 640);
        ensurePolished();
        grid->activate();
    }
    int count = 0;
};

// Paints the dialog, made in the given skin, into a picture of its size.
void paintDialogIn(benchmark::State& state, const char* skin)
{
    VornaSkinManager::GetInstance().ChangeSkin(QString::fromLatin1(skin));
    ControlDialog dialog;
    QImage picture(dialog.size(), QImage::Format_RGB32);
    for (auto _ : state)
        dialog.render(&picture);
    state.counters["controls"] = dialog.count;
}

void BM_ControlDialogClassic(benchmark::State& state)
{
    paintDialogIn(state, "classic");
}
BENCHMARK(BM_ControlDialogClassic)->Unit(benchmark::kMicrosecond);

void BM_ControlDialogMetal(benchmark::State& state)
{
    paintDialogIn(state, "metal");
}
BENCHMARK(BM_ControlDialogMetal)->Unit(benchmark::kMicrosecond);

void BM_ControlDialogSpring(benchmark::State& state)
{
    paintDialogIn(state, "spring");
}
BENCHMARK(BM_ControlDialogSpring)->Unit(benchmark::kMicrosecond);

} // namespace

void printControlDialogRatios(const std::function<double(const char*)>& find)
{
    const double classic = find("BM_ControlDialogClassic");
    if (classic <= 0)
        return;
    for (const char* skin : {"Metal", "Spring"}) {
        const double skinned = find((std::string("BM_ControlDialog") + skin).c_str());
        if (skinned > 0)
            std::printf("control dialog in %s / classic: %.2f\n", skin, skinned / classic);
    }
}
