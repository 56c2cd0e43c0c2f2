// Buttons dragged between toolbars in customisation mode, and the object
// toolbar's text-box drag onto a page.
#include "chrome/ULOToolBar.h"
#include "chrome/ULOToolBarObject.h"
#include "dialogs/VornaDialogCustomizeToolbox.h"
#include "platform/CommandRegistry.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A customisation dialog that inserts the dragged button before or after
// the button under the point, on the toolbars it knows.
class FakeCustomizeDialog : public VornaDialogCustomizeToolbox
{
public:
    QList<ULOToolBar*> bars;
    int tracked = 0;
    void TrackDragOverToolbar(const QPoint&) override { ++tracked; }
    int DropButtonOnToolbar(const QPoint& screenPoint) override
    {
        for (ULOToolBar* bar : bars) {
            const QPoint local = bar->mapFromGlobal(screenPoint);
            const int hit = bar->HitTestButton(local);
            if (hit < 0)
                continue;
            const int index = local.x() >= bar->GetItemRect(hit).center().x() ? hit + 1 : hit;
            return bar->InsertButton(index, m_tbbDrag) ? index : -1;
        }
        return -1;
    }
};

class ToolBarDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Two bars, one above the other in a window.
        host.resize(420, 80);
        for (int id : {604, 605}) {
            bars.push_back(ULOToolBar::create(id, &host));
            ASSERT_TRUE(bars.back()->LoadToolBarEx(id, 0, registry));
            bars.back()->setGeometry(0, 40 * int(bars.size() - 1), 400, 30);
            dialog.bars.append(bars.back());
        }
        host.show();
        g_pCustomizeToolbox = &dialog;
    }
    void TearDown() override { g_pCustomizeToolbox = nullptr; }

    // Drops the dragged command on a bar at a point (bar coordinates).
    static void drop(ULOToolBar* bar, QPoint point, int id)
    {
        QMimeData data;
        data.setData(QString::fromLatin1(ULOToolBar::kCommandMimeType), QByteArray::number(id));
        QDragEnterEvent enter(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &enter);
        QDragMoveEvent move(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &move);
        QDropEvent dropped(point, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &dropped);
    }
    // Points in the halves of a button, once the bar has laid out its last change.
    static QPoint leftHalf(ULOToolBar* bar, int index)
    {
        QCoreApplication::processEvents();
        return bar->GetItemRect(index).center() - QPoint(3, 0);
    }
    static QPoint rightHalf(ULOToolBar* bar, int index)
    {
        QCoreApplication::processEvents();
        return bar->GetItemRect(index).center() + QPoint(3, 0);
    }

    platform::CommandRegistry registry;
    QWidget host;
    QList<ULOToolBar*> bars;
    FakeCustomizeDialog dialog;
};

TEST_F(ToolBarDragTest, AButtonMovesToAnotherBarOrWithinItsOwn)
{
    ULOToolBar* align = bars[0];
    ULOToolBar* place = bars[1];
    const QList<int> alignIds = align->buttonIds();
    // The third align button onto the placement bar, before its second button.
    align->BeginButtonDrag(2);
    EXPECT_EQ(dialog.m_tbbDrag.id, alignIds[2]);
    drop(place, leftHalf(place, 1), alignIds[2]);
    align->EndButtonDrag(false);
    EXPECT_GE(dialog.tracked, 1);
    EXPECT_FALSE(align->buttonIds().contains(alignIds[2]));
    EXPECT_EQ(align->buttonIds().size(), alignIds.size() - 1);
    EXPECT_EQ(place->buttonIds().value(1), alignIds[2]);

    // The last placement button before its own first one: moved, not copied.
    const QList<int> before = place->buttonIds();
    const int last = int(before.size()) - 1;
    place->BeginButtonDrag(last);
    drop(place, leftHalf(place, 0), before[last]);
    place->EndButtonDrag(false);
    QList<int> expected = before;
    expected.move(last, 0);
    EXPECT_EQ(place->buttonIds(), expected);

    // The first one after the third: it lands behind the button it was dropped on.
    place->BeginButtonDrag(0);
    drop(place, rightHalf(place, 2), expected[0]);
    place->EndButtonDrag(false);
    expected.move(0, 2);
    EXPECT_EQ(place->buttonIds(), expected);
}

TEST_F(ToolBarDragTest, DroppedOnItselfOrCancelledItStaysAndOffTheBarsItGoes)
{
    ULOToolBar* align = bars[0];
    const QList<int> ids = align->buttonIds();
    align->BeginButtonDrag(3);
    drop(align, rightHalf(align, 3), ids[3]);
    align->EndButtonDrag(false);
    EXPECT_EQ(align->buttonIds(), ids);

    // Escape: no drop, and the button stays.
    align->BeginButtonDrag(3);
    align->EndButtonDrag(true);
    EXPECT_EQ(align->buttonIds(), ids);

    // Released off every bar: the button goes.
    dialog.m_rcMarker = QRect(1, 1, 5, 5);
    align->BeginButtonDrag(3);
    EXPECT_TRUE(dialog.m_rcMarker.isEmpty());
    align->EndButtonDrag(false);
    QList<int> left = ids;
    left.removeAt(3);
    EXPECT_EQ(align->buttonIds(), left);

    // Released on a separator of another bar: nothing is inserted, the button goes all the same.
    ULOToolBar* place = bars[1];
    const QList<int> placeIds = place->buttonIds();
    align->BeginButtonDrag(0);
    drop(place, QPoint(place->width() - 2, place->height() / 2), ids[0]);
    align->EndButtonDrag(false);
    EXPECT_EQ(place->buttonIds(), placeIds);
    EXPECT_FALSE(align->buttonIds().contains(ids[0]));
}

TEST_F(ToolBarDragTest, OutsideCustomisationTheBarsTakeNoDragsAndButtonsClick)
{
    g_pCustomizeToolbox = nullptr;
    ULOToolBar* align = bars[0];
    QMimeData data;
    data.setData(QString::fromLatin1(ULOToolBar::kCommandMimeType), QByteArray("33245"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(align, &enter);
    EXPECT_FALSE(enter.isAccepted());

    int sent = 0;
    QObject::connect(registry.action(align->buttonIds()[0]), &QAction::triggered, [&sent] { ++sent; });
    QTest::mouseClick(align->buttonWidget(0), Qt::LeftButton);
    EXPECT_EQ(sent, 1);
    // In customisation mode a button takes no release or double click (its
    // press starts a drag, which needs a window system to run).
    g_pCustomizeToolbox = &dialog;
    QWidget* button = align->buttonWidget(0);
    for (QEvent::Type type : {QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}) {
        QMouseEvent event(type, QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        EXPECT_TRUE(QCoreApplication::sendEvent(button, &event));
    }
    EXPECT_EQ(sent, 1);
}

TEST_F(ToolBarDragTest, AMovedSplitDropDownTakesItsCommandsAlong)
{
    std::unique_ptr<ULOToolBar> standard(ULOToolBar::create(601, nullptr));
    ASSERT_TRUE(standard->LoadToolBarEx(601, 0, registry));
    ULOToolBar* place = bars[1];
    ASSERT_EQ(ULOToolBar::ownerOf(33160), standard.get());
    EXPECT_TRUE(place->InsertButton(0, standard->buttons()[0]));
    standard->DeleteButton(0);
    EXPECT_EQ(ULOToolBar::ownerOf(33160), place);
    EXPECT_TRUE(place->SelectDropDownCommand(33160));
    EXPECT_EQ(place->buttonIds().value(0), 33160);
    auto* button = qobject_cast<QToolButton*>(place->buttonWidget(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
    // A command the registry cannot hold is refused.
    EXPECT_FALSE(place->InsertButton(0, ULOToolBar::Button{70000, 0}));
}

// The text-box drag with a page that records where the box goes.
class TextBoxDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(800, 400);
        bar = new ULOToolBarObject(&host);
        ASSERT_TRUE(bar->LoadToolBarEx(602, 0, registry));
        bar->setGeometry(0, 0, 600, 30);
        host.show();
        bar->SetTextBoxDrop({[this] { return pageEdited; },
                             [this](const QPoint& point) {
                                 drops.append(point);
                                 return true;
                             }});
        button = bar->buttonWidget(0);
        ASSERT_NE(button, nullptr);
        QObject::connect(registry.action(ULOToolBarObject::kTextBox), &QAction::triggered, [this] { ++clicked; });
    }
    void press() { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5)); }
    // A move or release of the pressed button at a point of the host window.
    void mouse(QEvent::Type type, QPoint hostPoint)
    {
        const QPoint global = host.mapToGlobal(hostPoint);
        QMouseEvent event(type, button->mapFromGlobal(QPointF(global)), QPointF(global), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &event);
    }

    platform::CommandRegistry registry;
    QWidget host;
    ULOToolBarObject* bar = nullptr;
    QWidget* button = nullptr;
    bool pageEdited = true;
    QList<QPoint> drops;
    int clicked = 0;
};

TEST_F(TextBoxDragTest, TheOutlineFollowsAndTheBoxGoesWhereItIsReleased)
{
    press();
    EXPECT_TRUE(bar->m_bTextDrag);
    mouse(QEvent::MouseMove, QPoint(200, 150));
    QWidget* outline = bar->dragOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->geometry(), QRect(QPoint(200, 150), QSize(100, 25)));
    mouse(QEvent::MouseMove, QPoint(300, 200));
    EXPECT_EQ(outline->geometry().topLeft(), QPoint(300, 200));
    mouse(QEvent::MouseButtonRelease, QPoint(300, 200));
    EXPECT_FALSE(bar->m_bTextDrag);
    EXPECT_EQ(bar->dragOutline(), nullptr);
    EXPECT_EQ(drops, QList<QPoint>{host.mapToGlobal(QPoint(300, 200))});
    EXPECT_EQ(clicked, 0);
}

TEST_F(TextBoxDragTest, ReleasedOnTheButtonItIsAPlainClick)
{
    press();
    mouse(QEvent::MouseMove, QPoint(200, 150));
    mouse(QEvent::MouseMove, button->geometry().center());
    mouse(QEvent::MouseButtonRelease, button->geometry().center());
    EXPECT_TRUE(drops.isEmpty());
    EXPECT_EQ(bar->dragOutline(), nullptr);
    EXPECT_EQ(clicked, 1);
}

TEST_F(TextBoxDragTest, EscapeEndsTheDragAndNothingFollows)
{
    press();
    mouse(QEvent::MouseMove, QPoint(200, 150));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&host, &escape);
    EXPECT_FALSE(bar->m_bTextDrag);
    EXPECT_EQ(bar->dragOutline(), nullptr);
    mouse(QEvent::MouseMove, QPoint(250, 150));
    EXPECT_EQ(bar->dragOutline(), nullptr);
    mouse(QEvent::MouseButtonRelease, QPoint(250, 150));
    EXPECT_TRUE(drops.isEmpty());
    EXPECT_EQ(clicked, 0);
}

TEST_F(TextBoxDragTest, WithoutAnEditedPageTheButtonOnlyClicks)
{
    pageEdited = false;
    press();
    EXPECT_FALSE(bar->m_bTextDrag);
    mouse(QEvent::MouseMove, QPoint(200, 150));
    EXPECT_EQ(bar->dragOutline(), nullptr);
    mouse(QEvent::MouseButtonRelease, QPoint(200, 150));
    EXPECT_TRUE(drops.isEmpty());
}

} // namespace
