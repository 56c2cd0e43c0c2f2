// The toolbar customisation dialog: where the marker stands and a drop
// inserts on horizontal and vertical bars, its lists of menus and pictures,
// and the dialog in the running program with the real toolbars, driven
// through the bars' own drag handlers.

#include "dialogs/VornaDialogCustomizeToolbox.h"

#include "app/CMainFrame.h"
#include "commands/LayoutPage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>

namespace {

using Dialog = VornaDialogCustomizeToolbox;

// ---- marker and insertion rules ----------------------------------------------------

TEST(CustomizeToolboxRules, TheMarkerAndTheDropTakeTheNearerSideOfTheButton)
{
    // Three 23-pixel buttons in a row from x = 2 (horizontal), or in a column from y = 2.
    struct Case
    {
        int hit;
        int offset; // from the button's start along the bar
        int index;  // where a drop inserts
        int edge;   // where the marker stands along the bar
    };
    const Case cases[] = {
        {0, 0, 0, 2},   {0, 10, 0, 2},  {0, 11, 1, 25}, {0, 22, 1, 25}, // first: left half, right half
        {1, 3, 1, 25},  {1, 12, 2, 48},                                 // middle
        {2, 10, 2, 48}, {2, 11, 3, 71}, {2, 22, 3, 71},                 // last: the right half appends
    };
    for (const Case& c : cases) {
        const QRect across(2 + 23 * c.hit, 3, 23, 22);
        const QPoint inRow(across.left() + c.offset, 10);
        EXPECT_EQ(Dialog::InsertIndex(c.hit, across, inRow, true), c.index) << c.hit << "+" << c.offset;
        EXPECT_EQ(Dialog::MarkerRect(across, inRow, true), QRect(c.edge, 3, 2, 24)) << c.hit << "+" << c.offset;
        const QRect down(3, 2 + 23 * c.hit, 22, 23);
        const QPoint inColumn(10, down.top() + c.offset);
        EXPECT_EQ(Dialog::InsertIndex(c.hit, down, inColumn, false), c.index) << c.hit << "+" << c.offset;
        EXPECT_EQ(Dialog::MarkerRect(down, inColumn, false), QRect(3, c.edge, 24, 2)) << c.hit << "+" << c.offset;
    }
}

TEST(CustomizeToolboxRules, TheMarkerIsAnIBeamWithStrokesAcrossItsEnds)
{
    // Between two buttons of a horizontal bar: a tall bar, strokes of 6 and 4 pixels.
    const QRegion tall = Dialog::MarkerShape(QRect(25, 3, 2, 24));
    EXPECT_EQ(tall.boundingRect(), QRect(23, 3, 6, 24));
    for (QPoint in : {QPoint(25, 5), QPoint(26, 24), QPoint(23, 3), QPoint(28, 3), QPoint(24, 4), QPoint(27, 4),
                      QPoint(23, 26), QPoint(24, 25)})
        EXPECT_TRUE(tall.contains(in)) << in.x() << "," << in.y();
    for (QPoint out : {QPoint(23, 4), QPoint(24, 5), QPoint(27, 10), QPoint(29, 3), QPoint(23, 25)})
        EXPECT_FALSE(tall.contains(out)) << out.x() << "," << out.y();
    int pixels = 0;
    for (const QRect& r : tall)
        pixels += r.width() * r.height();
    EXPECT_EQ(pixels, 2 * 20 + 6 + 4 + 6 + 4);
    // On a vertical bar the same I-beam lies on its side.
    const QRegion wide = Dialog::MarkerShape(QRect(3, 25, 24, 2));
    EXPECT_EQ(wide.boundingRect(), QRect(3, 23, 24, 6));
    EXPECT_TRUE(wide.contains(QPoint(5, 25)) && wide.contains(QPoint(3, 23)) && wide.contains(QPoint(26, 28)));
    EXPECT_FALSE(wide.contains(QPoint(4, 23)));
    EXPECT_TRUE(Dialog::MarkerShape(QRect()).isEmpty());
}

TEST(CustomizeToolboxRules, MenusAreListedWithoutTheirKeysAndOnlyCommandsWithPictures)
{
    EXPECT_EQ(Dialog::MenuLabel(QStringLiteral("ファイル(&F)")), QStringLiteral("ファイル(F)"));
    EXPECT_EQ(Dialog::MenuLabel(QStringLiteral("&&A&b")), QStringLiteral("Ab"));
    const QList<MenuNode> menus = MenuResource::parse(QStringLiteral("設定(&S)\n"
                                                                     "  100 one\n"
                                                                     "  -\n"
                                                                     "  101 no picture\n"
                                                                     "  inner\n"
                                                                     "    102 two\n"
                                                                     "    deeper\n"
                                                                     "      103 not listed\n"
                                                                     "  104 three\n"
                                                                     "  999 unknown\n"));
    ASSERT_EQ(menus.size(), 1);
    const QHash<int, int> pictures{{100, 0}, {102, 5}, {103, 6}, {104, 1}};
    EXPECT_EQ(Dialog::CommandsWithPictures(menus[0], pictures), QList<int>({100, 102, 104}));
}

// ---- the dialog in the running program --------------------------------------------

class CustomizeToolbox : public LayoutPage
{
protected:
    void SetUp() override
    {
        LayoutPage::SetUp();
        openObjects(object("a", 10, 10, 40, 40));
        bar = app->mainFrame()->toolBar(601);
        ASSERT_NE(bar, nullptr);
        bar->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        if (g_pCustomizeToolbox)
            g_pCustomizeToolbox->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        LayoutPage::TearDown();
    }

    // Opens the dialog by its command, out of the bars' way.
    Dialog* open()
    {
        run(ID_VIEW_TOOLBAR_CUSTOMIZE);
        if (g_pCustomizeToolbox)
            g_pCustomizeToolbox->move(app->mainFrame()->geometry().bottomRight() + QPoint(50, 50));
        return g_pCustomizeToolbox;
    }
    // A drag of the command over the bar, ended by a drop (or only moved over it).
    static void dragOver(ULOToolBar* target, QPoint point, int id, bool dropIt)
    {
        QMimeData data;
        data.setData(QString::fromLatin1(ULOToolBar::kCommandMimeType), QByteArray::number(id));
        QDragEnterEvent enter(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        if (dropIt) {
            QDropEvent dropped(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &dropped);
        }
    }
    QPoint half(int index, bool right) const
    {
        QCoreApplication::processEvents();
        return bar->GetItemRect(index).center() + QPoint(right ? 3 : -3, 0);
    }
    QWidget* marker() const { return bar->findChild<QWidget*>(QStringLiteral("insertMarker")); }

    ULOToolBar* bar = nullptr;
};

TEST_F(CustomizeToolbox, TheCommandOpensOneDialogAndIsGreyedWhileItIsOpen)
{
    EXPECT_TRUE(enabled(ID_VIEW_TOOLBAR_CUSTOMIZE));
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ツールバーのカスタマイズ"));
    EXPECT_TRUE(ULOToolBar::IsCustomizing());
    EXPECT_FALSE(enabled(ID_VIEW_TOOLBAR_CUSTOMIZE));
    // Sent anyway, the command shows the same dialog.
    run(ID_VIEW_TOOLBAR_CUSTOMIZE);
    EXPECT_EQ(g_pCustomizeToolbox, dialog);
    EXPECT_EQ(app->mainFrame()->findChildren<Dialog*>().size(), 1);
    // Closed, it goes, and the bars leave customisation mode.
    QPointer<Dialog> guard(dialog);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &escape);
    EXPECT_EQ(g_pCustomizeToolbox, nullptr);
    EXPECT_FALSE(ULOToolBar::IsCustomizing());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(enabled(ID_VIEW_TOOLBAR_CUSTOMIZE));
    // The object a caller made itself is its caller's: closing it deletes nothing.
    {
        Dialog own;
        own.reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(CustomizeToolbox, NineMenusWithTheirPicturesAndTheWholeDescription)
{
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    QListWidget* menus = dialog->menuList();
    const QStringList expected = {"ファイル(F)", "編集(E)",     "表示(V)",   "挿入(I)",      "設定(S)",
                                  "表(A)",       "フレーム(R)", "ツール(T)", "ウィンドウ(W)"};
    ASSERT_EQ(menus->count(), expected.size());
    for (int i = 0; i < menus->count(); ++i)
        EXPECT_EQ(menus->item(i)->text(), expected[i]);
    EXPECT_EQ(menus->currentRow(), 0);
    EXPECT_GT(dialog->buttonList()->count(), 0);
    // Every listed picture is a command of the menu that has one on the toolbars.
    menus->setCurrentRow(4);
    QListWidget* buttons = dialog->buttonList();
    QList<int> ids;
    for (int i = 0; i < buttons->count(); ++i) {
        ids << buttons->item(i)->data(Qt::UserRole).toInt();
        EXPECT_FALSE(buttons->item(i)->icon().isNull());
        EXPECT_TRUE(buttons->item(i)->text().isEmpty());
    }
    for (int id : ids)
        EXPECT_GE(ULOToolBar::imageIndexOf(id), 0) << id;
    ASSERT_TRUE(ids.contains(ID_ALIGN_LEFT));
    buttons->setCurrentRow(int(ids.indexOf(ID_ALIGN_LEFT)));
    EXPECT_EQ(dialog->description()->text(),
              QStringLiteral("左端にあるオブジェクトに水平に選択されたオブジェクトを左へ揃えます\n左揃え"));
}

TEST_F(CustomizeToolbox, APictureDroppedOnABarLandsBeforeOrAfterTheButtonUnderIt)
{
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->m_tbbDrag = ULOToolBar::Button{ID_ALIGN_LEFT, ULOToolBar::kPlainButton};
    const QList<int> before = bar->buttonIds();
    // Over the right half of the first button: the marker between the first two.
    dragOver(bar, half(0, true), ID_ALIGN_LEFT, false);
    const QRect first = bar->GetItemRect(0);
    EXPECT_EQ(dialog->m_rcMarker, QRect(bar->mapToGlobal(QPoint(first.left() + first.width(), first.top())),
                                        QSize(2, Dialog::kMarkerLength)));
    ASSERT_NE(marker(), nullptr);
    EXPECT_TRUE(marker()->isVisible());
    // Leaving the bar takes the marker away.
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(bar, &leave);
    EXPECT_TRUE(dialog->m_rcMarker.isEmpty());
    EXPECT_FALSE(marker()->isVisible());
    // Dropped there, it becomes the second button; the marker goes.
    dragOver(bar, half(0, true), ID_ALIGN_LEFT, true);
    QList<int> expected = before;
    expected.insert(1, ID_ALIGN_LEFT);
    EXPECT_EQ(bar->buttonIds(), expected);
    EXPECT_TRUE(dialog->m_rcMarker.isEmpty());
    EXPECT_FALSE(marker()->isVisible());
    // On the left half of the first button it becomes the first (it moves: a bar shows a command once).
    dragOver(bar, half(0, false), ID_ALIGN_LEFT, true);
    expected.removeAt(1);
    expected.prepend(ID_ALIGN_LEFT);
    EXPECT_EQ(bar->buttonIds(), expected);
    // On the right half of the last button it is appended.
    dialog->m_tbbDrag = ULOToolBar::Button{ID_ALIGN_RIGHT, ULOToolBar::kPlainButton};
    dragOver(bar, half(int(bar->buttonIds().size()) - 1, true), ID_ALIGN_RIGHT, true);
    expected.append(ID_ALIGN_RIGHT);
    EXPECT_EQ(bar->buttonIds(), expected);
}

TEST_F(CustomizeToolbox, DropsOffTheButtonsInsertNothingAndLeaveNoMarker)
{
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->m_tbbDrag = ULOToolBar::Button{ID_ALIGN_LEFT, ULOToolBar::kPlainButton};
    const QList<int> before = bar->buttonIds();
    // A separator of the bar, the empty end of the bar, no window, the dialog itself.
    const int separator = int(before.indexOf(0));
    ASSERT_GE(separator, 0);
    QCoreApplication::processEvents();
    dragOver(bar, bar->GetItemRect(separator).center(), ID_ALIGN_LEFT, true);
    dragOver(bar, QPoint(bar->width() - 2, bar->height() / 2), ID_ALIGN_LEFT, true);
    EXPECT_EQ(bar->buttonIds(), before);
    EXPECT_EQ(dialog->DropButtonOnToolbar(QPoint(-5000, -5000)), -1);
    EXPECT_EQ(dialog->DropButtonOnToolbar(dialog->mapToGlobal(dialog->rect().center())), -1);
    dialog->TrackDragOverToolbar(QPoint(-5000, -5000));
    EXPECT_TRUE(dialog->m_rcMarker.isEmpty());
    EXPECT_EQ(bar->buttonIds(), before);
    EXPECT_TRUE(marker() == nullptr || !marker()->isVisible());
}

TEST_F(CustomizeToolbox, AVerticalBarTakesTheDropAboveOrBelowTheButton)
{
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    ULOToolBar* side = app->mainFrame()->toolBar(604);
    ASSERT_NE(side, nullptr);
    app->mainFrame()->addToolBar(Qt::LeftToolBarArea, side);
    side->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(side->orientation(), Qt::Vertical);
    dialog->m_tbbDrag = ULOToolBar::Button{ID_VIEW_SHOW_GRID, ULOToolBar::kPlainButton};
    const QRect first = side->GetItemRect(0);
    dragOver(side, first.center() + QPoint(0, 3), ID_VIEW_SHOW_GRID, false);
    EXPECT_EQ(dialog->m_rcMarker, QRect(side->mapToGlobal(QPoint(first.left(), first.top() + first.height())),
                                        QSize(Dialog::kMarkerLength, 2)));
    dragOver(side, first.center() + QPoint(0, 3), ID_VIEW_SHOW_GRID, true);
    EXPECT_EQ(side->buttonIds().value(1), ID_VIEW_SHOW_GRID);
}

TEST_F(CustomizeToolbox, AListDragEndedOffTheBarsInsertsNothing)
{
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    const QList<int> before = bar->buttonIds();
    dialog->menuList()->setCurrentRow(4);
    QListWidgetItem* item = dialog->buttonList()->item(0);
    ASSERT_NE(item, nullptr);
    // With no button held the drag ends where it began, over the dialog.
    dialog->BeginListDrag(item);
    EXPECT_EQ(dialog->m_tbbDrag, (ULOToolBar::Button{item->data(Qt::UserRole).toInt(), ULOToolBar::kPlainButton}));
    EXPECT_EQ(bar->buttonIds(), before);
    EXPECT_TRUE(dialog->m_rcMarker.isEmpty());
    EXPECT_EQ(g_pCustomizeToolbox, dialog);
    // Nothing to drag: no item, or an item without a command.
    dialog->BeginListDrag(nullptr);
    QListWidgetItem empty;
    dialog->BeginListDrag(&empty);
    EXPECT_EQ(bar->buttonIds(), before);
}

TEST_F(CustomizeToolbox, ABarsButtonDroppedOnTheDialogIsTakenOff)
{
    Dialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    QMimeData data;
    data.setData(QString::fromLatin1(ULOToolBar::kCommandMimeType), QByteArray::number(ID_ALIGN_LEFT));
    const QPoint inside = dialog->rect().center();
    QDragEnterEvent enter(inside, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent dropped(inside, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &dropped);
    EXPECT_TRUE(dropped.isAccepted());
    // Text dragged from elsewhere is not for the dialog.
    QMimeData text;
    text.setText(QStringLiteral("abc"));
    QDragEnterEvent other(inside, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &other);
    EXPECT_FALSE(other.isAccepted());
}

} // namespace
