// Pictures of the toolbars for people to look at, taken under Xvfb
// (tests/CMakeLists.txt runs ToolBarScreenshot.* there):
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_SCREENSHOT_DIR=/tmp
//   build/test/tests/test_program --gtest_filter=ToolBarScreenshot.*
// PAGINOR_UPDATE_EXPECTED=1 also rewrites the reviewed copies in tests/data/expected/.

#include "chrome/ULOBasicToolBar.h"
#include "chrome/ULOToolBar.h"
#include "skins/SkinStyle.h"
#include "support/ReviewPicture.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ToolBarScreenshot, EveryBarAndTheBasicToolBarWithAPopupOpen)
{
    SkinStyle::InstallOnApplication();
    platform::CommandRegistry registry;
    registry.setDisableIfNoHandler(false);
    QMainWindow frame;
    frame.setCentralWidget(new QWidget);
    frame.resize(1180, 420);
    // Four rows of bars, as a page shows them with every bar on.
    for (int id = 601; id <= 611; ++id) {
        if (id == 603 || id == 606 || id == 609)
            frame.addToolBarBreak();
        ULOToolBar* bar = ULOToolBar::create(id, &frame);
        ASSERT_TRUE(bar->LoadToolBarEx(id, 0, registry));
        frame.addToolBar(bar);
        if (id == 603) {
            auto* face = new QComboBox(bar);
            face->addItem(QStringLiteral("ＭＳ Ｐゴシック"));
            bar->PlaceControl(0, 32928, face, QSize(150, face->sizeHint().height()));
            auto* size = new QComboBox(bar);
            size->addItem(QStringLiteral("3(12pt)"));
            bar->PlaceControl(1, 32929, size, QSize(85, size->sizeHint().height()));
        }
    }
    auto* basic = new ULOBasicToolBar(&frame);
    ASSERT_TRUE(basic->Create(&frame, CMenuBar::CBRS_GRIPPER));
    ASSERT_TRUE(basic->LoadMenuButtons(670, 2121, 671, registry));
    frame.addToolBarBreak();
    frame.addToolBar(basic);
    // Some commands grayed, as without a selection.
    for (int id : {33464, 33465, 33467, 33135, 33232, 33237, 33238, 33406})
        registry.action(id)->setEnabled(false);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    basic->RecalcLayout();
    QTest::qWait(100);

    // The text-decoration popup, open under its button.
    QMenu* popup = basic->button(3)->m_hSubMenu;
    ASSERT_NE(popup, nullptr);
    const QRect opener = basic->ItemScreenRect(*basic->button(3));
    popup->popup(opener.bottomLeft());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    QTest::qWait(100);
    // The bar shows the opened button pressed.
    basic->button(3)->ModifyState(0, CMenuItem::MISTATE_PRESSED);
    basic->Repaint();
    QTest::qWait(50);

    QImage picture = frame.grab().toImage();
    const QImage menu = popup->grab().toImage();
    const QPoint at = frame.mapFromGlobal(opener.bottomLeft());
    const QSize whole(picture.width(), qMax(picture.height(), at.y() + menu.height()));
    QImage sheet(whole, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.drawImage(0, 0, picture);
    painter.drawImage(at, menu);
    painter.end();
    popup->close();
    EXPECT_GE(sheet.width(), 800);
    SaveReviewPicture(sheet, QStringLiteral("toolbars.png"));
}

} // namespace
