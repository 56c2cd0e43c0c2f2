#include "chrome/ULOBasicToolBar.h"
#include "skins/SkinStyle.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BasicToolBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bar = new ULOBasicToolBar(&frame);
        ASSERT_TRUE(bar->Create(&frame, CMenuBar::CBRS_GRIPPER));
        ASSERT_TRUE(bar->LoadMenuButtons(670, 2121, 671, registry));
        frame.addToolBar(Qt::TopToolBarArea, bar);
        frame.resize(1000, 300);
        frame.show();
        bar->RecalcLayout();
        bar->m_openTablePicker = [this](const QRect& rect) {
            pickerAt.append(rect);
            return true;
        };
        for (int id : {32920, 33229, 33135})
            QObject::connect(registry.action(id), &QAction::triggered, [this, id] { sent.append(id); });
    }
    void TearDown() override { ULOBasicToolBar::setPictureFolder(QStringLiteral(":/res/icons")); }

    QPoint centre(int index) const { return bar->button(index)->m_rcItem.center(); }
    void mouse(QEvent::Type type, QPoint point)
    {
        QWidget* strip = bar->itemStrip();
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, point, strip->mapToGlobal(point),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(strip, &event);
    }

    platform::CommandRegistry registry;
    QMainWindow frame;
    ULOBasicToolBar* bar = nullptr;
    QList<QRect> pickerAt;
    QList<int> sent;
};

TEST_F(BasicToolBarTest, EachEntryIsAPictureButtonAndThePopupsNumberTheirPictures)
{
    ASSERT_EQ(bar->buttonCount(), 11);
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("基礎的なツールバー"));
    EXPECT_EQ(bar->objectName(), QStringLiteral("bar_59399"));
    QList<int> commands;
    for (int i = 0; i < bar->buttonCount(); ++i) {
        CToolBarButton* button = bar->button(i);
        EXPECT_EQ(button->m_rcItem.size(), QSize(71, 31)) << i;
        EXPECT_EQ(bar->buttonImage(0, i).size(), QSize(71, 27)) << i;
        commands.append(button->m_hSubMenu ? 0 : button->m_nID);
    }
    EXPECT_EQ(commands, (QList<int>{0, 33174, 0, 0, 32920, 33135, 33229, 33477, 0, 0, 0}));
    // The popup pictures are numbered over the submenus' entries, separators included.
    EXPECT_EQ(bar->popupImageIndex(33205), 0);
    EXPECT_EQ(bar->popupImageIndex(33106), 4);
    EXPECT_EQ(bar->popupImageIndex(33169), 9);
    EXPECT_EQ(bar->popupImageIndex(33174), -1);
    EXPECT_EQ(bar->popupImage(33169).size(), QSize(24, 24));

    // The popup: large pictures, entries following their commands.
    QMenu* file = bar->button(0)->m_hSubMenu;
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(SkinStyle::UsesLargeMenuImages(file));
    QAction* first = file->actions().value(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->icon().availableSizes().value(0), QSize(24, 24));
    registry.action(33205)->setEnabled(false);
    EXPECT_FALSE(first->isEnabled());
    registry.action(33205)->setEnabled(true);
    int newFiles = 0;
    QObject::connect(registry.action(33205), &QAction::triggered, [&newFiles] { ++newFiles; });
    first->trigger();
    EXPECT_EQ(newFiles, 1);
    EXPECT_EQ(SkinStyle::LargeMenuItemSize(QFontMetrics(file->font()), false, 50, 0).height(), 32);
}

TEST_F(BasicToolBarTest, ACommandButtonSendsOnlyWhenReleasedOverIt)
{
    mouse(QEvent::MouseButtonPress, centre(4));
    EXPECT_EQ(bar->pressedItem(), 4);
    EXPECT_EQ(bar->button(4)->Look(), 2);
    mouse(QEvent::MouseMove, centre(5));
    EXPECT_EQ(bar->button(4)->Look(), 0);
    mouse(QEvent::MouseMove, centre(4));
    EXPECT_EQ(bar->button(4)->Look(), 2);
    mouse(QEvent::MouseButtonRelease, centre(4));
    EXPECT_EQ(sent, QList<int>{32920});
    EXPECT_EQ(bar->pressedItem(), -1);

    // Released elsewhere: nothing, and the button is not left pressed.
    mouse(QEvent::MouseButtonPress, centre(5));
    mouse(QEvent::MouseMove, QPoint(-20, -20));
    mouse(QEvent::MouseButtonRelease, QPoint(-20, -20));
    EXPECT_EQ(sent, QList<int>{32920});
    EXPECT_EQ(bar->pressedItem(), -1);
    EXPECT_EQ(bar->button(5)->Look(), 0);
}

TEST_F(BasicToolBarTest, TheTableButtonDropsThePickerUnderItAtOnce)
{
    mouse(QEvent::MouseButtonPress, centre(6));
    ASSERT_EQ(pickerAt.size(), 1);
    EXPECT_EQ(pickerAt[0], bar->ItemScreenRect(*bar->button(6)));
    EXPECT_EQ(bar->pressedItem(), -1);
    EXPECT_EQ(bar->button(6)->Look(), 0);
    mouse(QEvent::MouseButtonRelease, centre(6));
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(BasicToolBarTest, AGrayedCommandIsDrawnDisabledAndIgnoresPresses)
{
    registry.action(32920)->setEnabled(false);
    EXPECT_TRUE(bar->button(4)->IsDisabled());
    EXPECT_EQ(bar->button(4)->Look(), 3);
    // The disabled look is the grey, half-transparent picture.
    const QImage normal = bar->buttonImage(0, 4).toImage();
    const QImage grey = bar->buttonImage(3, 4).toImage();
    ASSERT_FALSE(grey.isNull());
    bool anyInk = false;
    for (int x = 0; x < grey.width(); ++x) {
        const QRgb px = grey.pixel(x, 13);
        if (qAlpha(normal.pixel(x, 13)) > 200) {
            anyInk = true;
            EXPECT_LT(qAlpha(px), 200);
            EXPECT_EQ(qRed(px), qGreen(px));
        }
    }
    EXPECT_TRUE(anyInk);
    mouse(QEvent::MouseButtonPress, centre(4));
    mouse(QEvent::MouseButtonRelease, centre(4));
    EXPECT_EQ(bar->pressedItem(), -1);
    EXPECT_TRUE(sent.isEmpty());
    registry.action(32920)->setEnabled(true);
    EXPECT_FALSE(bar->button(4)->IsDisabled());

    // A grayed table command opens no picker.
    registry.action(33229)->setEnabled(false);
    mouse(QEvent::MouseButtonPress, centre(6));
    EXPECT_TRUE(pickerAt.isEmpty());
}

TEST(BasicToolBar, WithoutItsMenuOrPicturesItStaysSound)
{
    platform::CommandRegistry registry;
    QMainWindow frame;
    auto* bar = new ULOBasicToolBar(&frame);
    ASSERT_TRUE(bar->Create(&frame, 0));
    EXPECT_FALSE(bar->LoadMenuButtons(99999, 2121, 671, registry));
    EXPECT_EQ(bar->buttonCount(), 0);

    QTemporaryDir empty;
    ULOBasicToolBar::setPictureFolder(empty.path());
    ASSERT_TRUE(bar->LoadMenuButtons(670, 2121, 671, registry));
    ULOBasicToolBar::setPictureFolder(QStringLiteral(":/res/icons"));
    EXPECT_EQ(bar->buttonCount(), 11);
    EXPECT_TRUE(bar->buttonImage(0, 0).isNull());
    EXPECT_TRUE(bar->popupImage(33205).isNull());
    // Drawn without pictures: the entries' texts.
    frame.addToolBar(bar);
    frame.resize(1000, 200);
    bar->RecalcLayout();
    EXPECT_FALSE(bar->itemStrip()->grab().isNull());
}

} // namespace
