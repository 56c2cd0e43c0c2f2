// Pictures of the menu bar and the menus for people to look at, taken under
// Xvfb (tests/CMakeLists.txt runs MenuScreenshot.* there):
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_SCREENSHOT_DIR=/tmp
//   build/test/tests/test_program --gtest_filter=MenuScreenshot.*
// PAGINOR_UPDATE_EXPECTED=1 also rewrites the reviewed copies in tests/data/expected/.

#include "chrome/CMenuBar.h"
#include "chrome/CMenuButton.h"
#include "chrome/VornaCoolMenuManager.h"
#include "skins/SkinStyle.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void savePicture(const QImage& picture, const QString& name)
{
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(picture.save(folder + QLatin1Char('/') + name));
    }
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        EXPECT_TRUE(picture.save(qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/" + name));
    }
}

struct Frame
{
    Frame()
    {
        SkinStyle::InstallOnApplication();
        registry.setDisableIfNoHandler(false);
        area = new QMdiArea(&frame);
        frame.setCentralWidget(area);
        bar = new CMenuBar(&frame);
        bar->Create(&frame, CMenuBar::CBRS_GRIPPER);
        bar->LoadMenuBar(507, registry);
        bar->DockIn(Qt::TopToolBarArea);
        frame.setWindowTitle(QStringLiteral("Vorna-Paginor 2002"));
        frame.resize(900, 420);
        for (const char* title : {"index.html", "profile.html"}) {
            QMdiSubWindow* page = area->addSubWindow(new QLabel(QString::fromUtf8(title)));
            page->setWindowTitle(QString::fromUtf8(title));
            page->resize(380, 220);
            page->show();
        }
        frame.show();
    }
    platform::CommandRegistry registry;
    QMainWindow frame;
    QMdiArea* area = nullptr;
    CMenuBar* bar = nullptr;
};

// A small picture of one colour with a dark outline, as toolbar pictures are.
QPixmap picture(const QColor& colour, bool disabled = false)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(disabled ? QColor(128, 128, 128) : QColor(0, 0, 0));
    p.setBrush(disabled ? QColor(192, 192, 192) : colour);
    p.drawRect(2, 2, 11, 11);
    p.fillRect(5, 5, 6, 2, disabled ? QColor(128, 128, 128) : QColor(255, 255, 255));
    return pixmap;
}

TEST(MenuScreenshot, MenuBarDockedAtTheTopAndAtTheLeftWithAMaximisedPage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    Frame f;
    f.area->subWindowList().last()->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.frame, 20000));
    QTest::qWait(100);
    ASSERT_TRUE(f.bar->IsMaximizedChild());
    const QImage top = f.frame.grab().toImage();

    f.area->subWindowList().last()->showNormal();
    f.frame.addToolBar(Qt::LeftToolBarArea, f.bar);
    // Keyboard mode on ファイル: the item is raised.
    f.bar->tracker().SetTrackingState(MenuBarTracker::TRACK_BUTTON, 1);
    QTest::qWait(100);
    const QImage left = f.frame.grab().toImage();

    QImage both(qMax(top.width(), left.width()), top.height() + left.height() + 8, QImage::Format_RGB32);
    both.fill(Qt::darkGray);
    QPainter painter(&both);
    painter.drawImage(0, 0, top);
    painter.drawImage(0, top.height() + 8, left);
    painter.end();
    savePicture(both, QStringLiteral("menu-bar.png"));
}

TEST(MenuScreenshot, OpenMenusWithPicturesAcceleratorsAndCheckedAndDisabledEntries)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    Frame f;
    // Pictures for some commands, as the toolbars will give them.
    const QList<QPixmap> normal{
        picture(Qt::red),  picture(Qt::blue),    picture(Qt::green),          picture(Qt::yellow),
        picture(Qt::cyan), picture(Qt::magenta), picture(QColor(255, 128, 0))};
    QList<QPixmap> disabled;
    for (int i = 0; i < normal.size(); ++i)
        disabled.append(picture(Qt::gray, true));
    const QHash<int, int> map{{33462, 0}, {33463, 1}, {33464, 2}, {33465, 3}, {33466, 4},
                              {32870, 5}, {33183, 6}, {32869, 0}, {33400, 1}};
    VornaCoolMenuManager manager;
    manager.setRegistry(&f.registry);
    manager.Install(&f.frame);
    manager.SetImageLists(&map, &normal, nullptr); // disabled pictures embossed
    const QList<std::pair<int, const char*>> keys{{33462, "Ctrl+Z"}, {33463, "Ctrl+Y"}, {33464, "Ctrl+X"},
                                                  {33465, "Ctrl+C"}, {33466, "Ctrl+V"}, {33468, "Ctrl+A"}};
    for (const auto& [id, key] : keys)
        f.registry.action(id)->setShortcut(QKeySequence(QString::fromLatin1(key)));
    f.registry.action(33462)->setEnabled(false); // nothing to undo: embossed picture
    f.registry.action(33467)->setEnabled(false);
    for (int id : {32870, 33224}) {
        f.registry.action(id)->setCheckable(true);
        f.registry.action(id)->setChecked(true); // with a picture: sunken; without: a check mark
    }
    f.registry.action(33400)->setEnabled(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.frame, 20000));

    QImage shot = f.frame.grab().toImage();
    QPainter painter(&shot);
    int x = 0;
    for (const char* title : {"編集(&E)", "表示(&V)"}) {
        QMenu* menu = nullptr;
        int index = 0;
        for (int i = 0; i < f.bar->tracker().count(); ++i) {
            auto* button = dynamic_cast<CMenuButton*>(f.bar->tracker().item(i));
            if (button && button->m_hSubMenu && button->m_hSubMenu->title() == QString::fromUtf8(title)) {
                menu = button->m_hSubMenu;
                index = i;
            }
        }
        ASSERT_NE(menu, nullptr);
        const QRect item = f.bar->ItemScreenRect(*f.bar->tracker().item(index));
        menu->popup(item.bottomLeft() + QPoint(-1, 1));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu, 20000));
        menu->setActiveAction(menu->actions().value(index == 2 ? 3 : 0));
        QTest::qWait(100);
        const QImage open = menu->grab().toImage();
        const QPoint at = f.frame.mapFromGlobal(menu->pos());
        x = qMax(x, at.x());
        painter.drawImage(QPoint(x, at.y()), open);
        x += open.width() + 12;
        menu->close();
    }
    painter.end();
    savePicture(shot, QStringLiteral("menus.png"));
}

} // namespace
