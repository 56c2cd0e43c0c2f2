#include "chrome/VornaCoolMenuManager.h"
#include "chrome/VornaPopupMenuHook.h"
#include "skins/SkinStyle.h"

#include "platform/CommandRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(AcceleratorNames, ModifiersComeInTheOrderAltCtrlShiftAndTheLaterKeyFirst)
{
    EXPECT_EQ(VornaCoolMenuManager::AcceleratorName(QKeySequence(QStringLiteral("Ctrl+S"))), QStringLiteral("Ctrl+S"));
    EXPECT_EQ(VornaCoolMenuManager::AcceleratorName(QKeySequence(QStringLiteral("Ctrl+Shift+["))),
              QStringLiteral("Ctrl+Shift+["));
    EXPECT_EQ(VornaCoolMenuManager::AcceleratorName(QKeySequence(Qt::ShiftModifier | Qt::AltModifier | Qt::Key_F4)),
              QStringLiteral("Alt+Shift+F4"));
    EXPECT_EQ(VornaCoolMenuManager::AcceleratorName(QKeySequence(QStringLiteral("F12"))), QStringLiteral("F12"));

    const QList<QKeySequence> two{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("F4"))};
    EXPECT_EQ(VornaCoolMenuManager::WithAcceleratorNames(QStringLiteral("やり直し(&R)"), two),
              QStringLiteral("やり直し(&R)\tF4, Ctrl+Y"));
    // An old accelerator part is replaced; a text starting with a tab keeps it.
    EXPECT_EQ(VornaCoolMenuManager::WithAcceleratorNames(QStringLiteral("保存\tOld"), {QKeySequence("Ctrl+S")}),
              QStringLiteral("保存\tCtrl+S"));
    EXPECT_EQ(VornaCoolMenuManager::WithAcceleratorNames(QStringLiteral("\tx"), {}), QStringLiteral("\tx"));
}

class CoolMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SkinStyle::InstallOnApplication();
        menu = new QMenu(QStringLiteral("ファイル(&F)"), &frame);
        save = registry.action(33106);
        save->setText(QStringLiteral("上書き保存(&S)"));
        save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
        redo = registry.action(33463);
        redo->setText(QStringLiteral("やり直し(&R)"));
        redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
        plain = registry.action(33161);
        plain->setText(QStringLiteral("開く(&O)..."));
        menu->addAction(save);
        menu->addAction(redo);
        menu->addSeparator();
        menu->addAction(plain);
        foreign = menu->addAction(QStringLiteral("&1 index.html"));
        foreign->setShortcut(QKeySequence(QStringLiteral("Ctrl+1")));
        manager.setRegistry(&registry);
        manager.Install(&frame);
    }

    platform::CommandRegistry registry;
    QMainWindow frame;
    QMenu* menu = nullptr;
    QAction* save = nullptr;
    QAction* redo = nullptr;
    QAction* plain = nullptr;
    QAction* foreign = nullptr;
    VornaCoolMenuManager manager;
};

TEST_F(CoolMenuTest, AnOpenMenuShowsAcceleratorNamesAndAClosedOneLeavesNoMarks)
{
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(save->text(), QStringLiteral("上書き保存(&S)\tCtrl+S"));
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&R)\tCtrl+Shift+Z, Ctrl+Y"));
    EXPECT_EQ(plain->text(), QStringLiteral("開く(&O)..."));
    EXPECT_EQ(foreign->text(), QStringLiteral("&1 index.html")); // not a command of the registry
    // Opened twice in a row: the names once.
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(save->text(), QStringLiteral("上書き保存(&S)\tCtrl+S"));
    Q_EMIT menu->aboutToHide();
    EXPECT_EQ(save->text(), QStringLiteral("上書き保存(&S)"));
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&R)"));
    EXPECT_FALSE(save->property("paginorAcceleratorNames").isValid());

    // Turned off: no names.
    manager.m_bAutoAccel = false;
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(save->text(), QStringLiteral("上書き保存(&S)"));
    Q_EMIT menu->aboutToHide();
}

TEST_F(CoolMenuTest, CommandsGetTheToolbarPictureOfTheirIdWithItsDisabledPicture)
{
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QPixmap grey(16, 16);
    grey.fill(Qt::gray);
    const QList<QPixmap> normal{red, red};
    const QList<QPixmap> disabled{grey, grey};
    const QHash<int, int> map{{33106, 1}, {33161, 7}}; // 7: past the end of the list
    manager.SetImageLists(&map, &normal, &disabled);
    EXPECT_EQ(manager.m_szImageBox, QSize(20, 20));
    Q_EMIT menu->aboutToShow();
    ASSERT_FALSE(save->icon().isNull());
    EXPECT_EQ(save->icon().pixmap(16, QIcon::Normal).toImage().pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(save->icon().pixmap(16, QIcon::Disabled).toImage().pixelColor(4, 4), QColor(Qt::gray));
    EXPECT_TRUE(plain->icon().isNull());
    EXPECT_TRUE(redo->icon().isNull());
    Q_EMIT menu->aboutToHide();

    // Menus made after the manager came are followed too.
    auto* later = new QMenu(QStringLiteral("later"), &frame);
    later->addAction(save);
    QApplication::processEvents();
    Q_EMIT later->aboutToShow();
    EXPECT_EQ(save->text(), QStringLiteral("上書き保存(&S)\tCtrl+S"));
    Q_EMIT later->aboutToHide();
}

// The size the style gives an entry of the menu.
QSize entrySize(QMenu& menu, QAction* action)
{
    return menu.actionGeometry(action).size();
}

TEST(PopupMenuHookTest, MenusOfADialogWithTheHookTakeTheDialogsLayout)
{
    SkinStyle::InstallOnApplication();
    QDialog dialog;
    auto* list = new QListWidget(&dialog);
    QMenu plainMenu;
    QMenu context(list);
    for (QMenu* m : {&plainMenu, &context}) {
        m->addAction(QStringLiteral("削除(&D)\tDel"));
        m->addSeparator();
        QAction* checked = m->addAction(QStringLiteral("詳細(&V)"));
        checked->setCheckable(true);
        checked->setChecked(true);
    }
    auto hook = std::make_unique<VornaPopupMenuHook>();
    hook->Attach(&dialog);
    EXPECT_TRUE(SkinStyle::UsesPopupMenuLayout(&context));
    EXPECT_FALSE(SkinStyle::UsesPopupMenuLayout(&plainMenu));

    context.ensurePolished();
    const QFontMetrics fm(context.font());
    const int line = SkinStyle::MenuLineHeight(fm);
    // Rows at least 20 high, a separator half a menu line.
    EXPECT_EQ(entrySize(context, context.actions()[0]).height(), qMax(20, line));
    EXPECT_EQ(entrySize(context, context.actions()[1]).height(), line / 2);
    // Text + 33, the accelerator part after a gap.
    const QSize popupSize = SkinStyle::PopupMenuItemSize(fm, false, 100, 0);
    EXPECT_EQ(popupSize, QSize(133, qMax(20, line)));
    // The main menus' entries: two image boxes and six pixels round the text.
    EXPECT_EQ(SkinStyle::MainMenuItemSize(fm, false, 100, 0).width(), 100 + 6 + 40);

    // Drawn: the checked entry's mark sits in the 24-pixel box, the text after it.
    context.resize(context.sizeHint());
    QImage picture(context.size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    context.render(&picture);
    const QRect checkedRow = context.actionGeometry(context.actions()[2]);
    int ink = 0;
    for (int x = checkedRow.left(); x < checkedRow.left() + SkinStyle::kPopupImageBoxWidth; ++x)
        for (int y = checkedRow.top(); y <= checkedRow.bottom(); ++y)
            ink += qGray(picture.pixel(x, y)) < 100;
    EXPECT_GT(ink, 5);

    // The hook gone, the dialog loses the layout.
    hook.reset();
    EXPECT_FALSE(SkinStyle::UsesPopupMenuLayout(&context));
}

TEST(PopupMenuHookTest, ADestroyedDialogLeavesTheHookDetached)
{
    VornaPopupMenuHook hook;
    {
        QDialog dialog;
        hook.Attach(&dialog);
        EXPECT_EQ(hook.hookedWindow(), &dialog);
    }
    EXPECT_EQ(hook.hookedWindow(), nullptr);
}

} // namespace
