#include "platform/DataRoot.h"
#include "skins/VornaSkinManager.h"
#include "support/ReviewPicture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

// The three columns of the gallery.
enum class Column { Enabled, Disabled, Hovered };

// One of each control kind the skin draws.
QGroupBox* controlsIn(Column column)
{
    static const QString kTitles[] = {QStringLiteral("有効"), QStringLiteral("無効"), QStringLiteral("マウス")};
    auto* group = new QGroupBox(kTitles[int(column)]);
    auto* inner = new QGridLayout(group);
    auto* push = new QPushButton(QStringLiteral("ボタン"));
    push->setDefault(column == Column::Enabled);
    inner->addWidget(push, 0, 0);
    auto* toggle = new QPushButton(QStringLiteral("切り替え"));
    toggle->setCheckable(true);
    toggle->setChecked(true);
    inner->addWidget(toggle, 0, 1);
    auto* check = new QCheckBox(QStringLiteral("チェック"));
    check->setChecked(true);
    inner->addWidget(check, 1, 0);
    auto* third = new QCheckBox(QStringLiteral("中間"));
    third->setTristate(true);
    third->setCheckState(Qt::PartiallyChecked);
    inner->addWidget(third, 1, 1);
    auto* radio = new QRadioButton(QStringLiteral("ラジオ"));
    radio->setChecked(true);
    inner->addWidget(radio, 2, 0);
    inner->addWidget(new QRadioButton(QStringLiteral("もう一つ")), 2, 1);
    inner->addWidget(new QLineEdit(QStringLiteral("テキスト")), 3, 0);
    auto* readOnly = new QLineEdit(QStringLiteral("読み取り専用"));
    readOnly->setReadOnly(true);
    inner->addWidget(readOnly, 3, 1);
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("項目 1"), QStringLiteral("項目 2")});
    inner->addWidget(combo, 4, 0);
    auto* typed = new QComboBox;
    typed->setEditable(true);
    typed->addItem(QStringLiteral("入力"));
    inner->addWidget(typed, 4, 1);
    inner->addWidget(new QSpinBox, 5, 0);
    auto* progress = new QProgressBar;
    progress->setValue(60);
    progress->setTextVisible(false);
    inner->addWidget(progress, 5, 1);
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("サイズ")});
    tree->header()->setStretchLastSection(false);
    tree->header()->resizeSection(0, 90);
    tree->header()->resizeSection(1, 50);
    tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("index.html"), QStringLiteral("2 KB")}));
    tree->setMaximumHeight(64);
    inner->addWidget(tree, 6, 0, 1, 2);
    auto* list = new QListWidget;
    list->addItems({QStringLiteral("一覧の項目"), QStringLiteral("二つ目")});
    list->setMaximumHeight(44);
    inner->addWidget(list, 7, 0);
    auto* lines = new QPlainTextEdit(QStringLiteral("複数行の\nテキスト"));
    lines->setMaximumHeight(44);
    inner->addWidget(lines, 7, 1);
    auto* tabs = new QTabWidget;
    tabs->addTab(new QLabel(QStringLiteral("ラベル")), QStringLiteral("一般"));
    tabs->addTab(new QWidget, QStringLiteral("詳細"));
    tabs->setMaximumHeight(60);
    inner->addWidget(tabs, 8, 0, 1, 2);
    auto* sunken = new QLabel(QStringLiteral("へこんだ枠"));
    sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->addWidget(sunken, 9, 0);
    auto* box = new QLabel(QStringLiteral("黒い枠"));
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    inner->addWidget(box, 9, 1);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    inner->addWidget(line, 10, 0, 1, 2);
    inner->addWidget(new QScrollBar(Qt::Horizontal), 11, 0);
    auto* grip = new QSizeGrip(group);
    grip->setFixedSize(16, 16);
    inner->addWidget(grip, 11, 1, Qt::AlignRight | Qt::AlignBottom);
    // The room left over goes below the controls.
    inner->setRowStretch(12, 1);
    group->setEnabled(column != Column::Disabled);
    return group;
}

// A dialog holding every control kind, enabled, disabled and under the mouse.
class Gallery : public QDialog
{
public:
    Gallery()
    {
        auto* grid = new QGridLayout(this);
        for (Column column : {Column::Enabled, Column::Disabled, Column::Hovered}) {
            QGroupBox* group = controlsIn(column);
            grid->addWidget(group, 0, int(column));
            if (column == Column::Hovered)
                hovered = group;
        }
        resize(900, 560);
    }
    QGroupBox* hovered = nullptr;
};

QImage galleryIn(const QString& skin)
{
    VornaSkinManager::GetInstance().ChangeSkin(skin);
    Gallery gallery;
    gallery.setWindowTitle(skin);
    gallery.show();
    if (!QTest::qWaitForWindowExposed(&gallery, 60000))
        return {};
    // Every control of the last column as with the mouse over it.
    for (QWidget* control : gallery.hovered->findChildren<QWidget*>()) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(control, &enter);
    }
    QCoreApplication::processEvents();
    QImage picture = gallery.grab().toImage();
    gallery.close();
    return picture;
}

} // namespace

// For review, under Xvfb:
//   build/test/tests/test_program --gtest_filter=ControlSkinsScreenshot.*
TEST(ControlSkinsScreenshot, EveryControlKindInMetalSpringAndClassic)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    platform::fillDataRoot(platform::shareDir() + QStringLiteral("/Bin/skins"),
                           platform::installPath(QStringLiteral("Bin/skins")));
    QWidget frame;
    ASSERT_TRUE(VornaSkinManager::GetInstance().Install(&frame));
    QList<QImage> pictures;
    for (const char* skin : {"metal", "spring", "classic"})
        pictures.append(galleryIn(QString::fromLatin1(skin)));
    // The skins one under the other.
    int width = 0;
    int height = 0;
    for (const QImage& p : pictures) {
        height += p.height() + 8;
        width = std::max(width, p.width());
    }
    QImage all(width, height, QImage::Format_RGB32);
    all.fill(Qt::white);
    {
        QPainter painter(&all);
        int y = 0;
        for (const QImage& p : pictures) {
            painter.drawImage(0, y, p);
            y += p.height() + 8;
        }
    }
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
    VornaSkinManager::GetInstance().Reset();
    SaveReviewPicture(all, QStringLiteral("control-skins.png"));
}
