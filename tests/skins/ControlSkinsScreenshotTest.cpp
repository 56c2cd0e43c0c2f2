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
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

// A dialog holding every control kind, a row enabled and a row disabled.
class Gallery : public QDialog
{
public:
    Gallery()
    {
        auto* grid = new QGridLayout(this);
        for (int row = 0; row < 2; ++row) {
            auto* group = new QGroupBox(row ? QStringLiteral("無効") : QStringLiteral("有効"));
            auto* inner = new QGridLayout(group);
            auto* push = new QPushButton(QStringLiteral("ボタン"));
            push->setDefault(row == 0);
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
            auto* edit = new QLineEdit(QStringLiteral("テキスト"));
            inner->addWidget(edit, 3, 0);
            auto* combo = new QComboBox;
            combo->addItems({QStringLiteral("項目 1"), QStringLiteral("項目 2")});
            inner->addWidget(combo, 3, 1);
            inner->addWidget(new QSpinBox, 4, 0);
            auto* progress = new QProgressBar;
            progress->setValue(60);
            inner->addWidget(progress, 4, 1);
            auto* tree = new QTreeWidget;
            tree->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("サイズ")});
            tree->addTopLevelItem(
                new QTreeWidgetItem(QStringList{QStringLiteral("index.html"), QStringLiteral("2 KB")}));
            tree->setMaximumHeight(70);
            inner->addWidget(tree, 5, 0, 1, 2);
            auto* tabs = new QTabWidget;
            tabs->addTab(new QLabel(QStringLiteral("ラベル")), QStringLiteral("一般"));
            tabs->addTab(new QWidget, QStringLiteral("詳細"));
            tabs->setMaximumHeight(60);
            inner->addWidget(tabs, 6, 0, 1, 2);
            group->setEnabled(row == 0);
            grid->addWidget(group, 0, row);
            if (row == 0)
                hovered = push;
        }
        resize(560, 420);
    }
    QPushButton* hovered = nullptr;
};

QImage galleryIn(const QString& skin)
{
    VornaSkinManager::GetInstance().ChangeSkin(skin);
    Gallery gallery;
    gallery.setWindowTitle(skin);
    gallery.show();
    if (!QTest::qWaitForWindowExposed(&gallery, 60000))
        return {};
    // The mouse over the first button.
    QTest::mouseMove(gallery.hovered);
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
    int width = 0;
    int height = 0;
    for (const QImage& p : pictures) {
        width += p.width() + 8;
        height = std::max(height, p.height());
    }
    QImage all(width, height, QImage::Format_RGB32);
    all.fill(Qt::white);
    {
        QPainter painter(&all);
        int x = 0;
        for (const QImage& p : pictures) {
            painter.drawImage(x, 0, p);
            x += p.width() + 8;
        }
    }
    VornaSkinManager::GetInstance().ChangeSkin(QStringLiteral("classic"));
    VornaSkinManager::GetInstance().Reset();
    SaveReviewPicture(all, QStringLiteral("control-skins.png"));
}
