// Editors laid over a list cell for one edit.

#include "controls/CComboInListView.h"
#include "controls/CListEditCtrl.h"
#include "controls/InPlaceEditGeometry.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTest>

namespace {

// A list with a window around it, active so that focus moves as the user sees it.
// The records outlive the window: an editor closed with it still reports.
struct ListWindow
{
    std::vector<ListDispInfo> begins;
    std::vector<ListDispInfo> ends;
    QWidget window;
    QWidget* list = new QWidget(&window);

    ListWindow()
    {
        window.resize(300, 200);
        list->setGeometry(0, 0, 200, 150);
        list->setFocusPolicy(Qt::StrongFocus);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    CListEditCtrl* edit(const QString& text, QRect cell = QRect(10, 20, 60, 18))
    {
        auto* editor = new CListEditCtrl(3, 1, text, list);
        QObject::connect(editor, &CListEditCtrl::beginLabelEdit,
                         [this](const ListDispInfo& i) { begins.push_back(i); });
        QObject::connect(editor, &CListEditCtrl::endLabelEdit, [this](const ListDispInfo& i) { ends.push_back(i); });
        editor->Create(cell);
        return editor;
    }

    CComboInListView* combo(const QStringList& choices)
    {
        auto* box = new CComboInListView(2, 4, choices, list);
        QObject::connect(box, &CComboInListView::endLabelEdit, [this](const ListDispInfo& i) { ends.push_back(i); });
        box->Create(QRect(10, 20, 80, 20));
        return box;
    }
};

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

struct WidenCase
{
    int left, width, textWidth, listRight, right;
};

class InPlaceEditGeometryTest : public ::testing::TestWithParam<WidenCase>
{
};

TEST_P(InPlaceEditGeometryTest, GrowsRightwardUpToTheListEdge)
{
    const WidenCase c = GetParam();
    EXPECT_EQ(InPlaceEditGeometry::widenedRight(c.left, c.width, c.textWidth, c.listRight), c.right);
}

INSTANTIATE_TEST_SUITE_P(Cases, InPlaceEditGeometryTest,
                         ::testing::Values(WidenCase{10, 60, 40, 200, 70}, WidenCase{10, 60, 55, 200, 70},
                                           WidenCase{10, 60, 56, 200, 71}, WidenCase{10, 60, 100, 200, 115},
                                           WidenCase{10, 60, 500, 200, 200}, WidenCase{150, 60, 500, 200, 210}));

TEST(CListEditCtrlTest, EnterReportsTheTypedTextAndTheEditorGoes)
{
    ListWindow w;
    QPointer<CListEditCtrl> editor = w.edit("old");
    ASSERT_TRUE(editor->hasFocus());
    ASSERT_EQ(w.begins.size(), 1u);
    EXPECT_EQ(w.begins[0].text, "old");
    EXPECT_EQ(editor->cursorPosition(), 0);
    EXPECT_FALSE(editor->hasSelectedText());
    editor->selectAll();
    QTest::keyClicks(editor, "new");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(w.ends.size(), 1u);
    EXPECT_TRUE(w.ends[0].hasText);
    EXPECT_EQ(w.ends[0].text, "new");
    EXPECT_EQ(w.ends[0].item, 3);
    EXPECT_EQ(w.ends[0].subItem, 1);
    EXPECT_EQ(w.ends[0].idFrom, 4660);
    EXPECT_TRUE(w.list->hasFocus());
    settle();
    EXPECT_TRUE(editor.isNull());
}

TEST(CListEditCtrlTest, EscapeReportsNoText)
{
    ListWindow w;
    CListEditCtrl* editor = w.edit("old");
    QTest::keyClicks(editor, "xy");
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_EQ(w.ends.size(), 1u);
    EXPECT_FALSE(w.ends[0].hasText);
    EXPECT_EQ(w.ends[0].textMax, 5);
}

TEST(CListEditCtrlTest, OpenCompositionReplacesTheSelectionWhenLeft)
{
    ListWindow w;
    CListEditCtrl* editor = w.edit("abcdef");
    editor->setSelection(2, 3);
    QInputMethodEvent compose(QString::fromUtf8("かな"), {});
    QCoreApplication::sendEvent(editor, &compose);
    w.list->setFocus();
    ASSERT_EQ(w.ends.size(), 1u);
    EXPECT_EQ(w.ends[0].text, QString::fromUtf8("abかなf"));
}

TEST(CListEditCtrlTest, ControlShortcutsAndDeleteStayWithTheEditor)
{
    ListWindow w;
    bool fired = false;
    auto* action = new QAction(&w.window);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    QObject::connect(action, &QAction::triggered, [&] { fired = true; });
    auto* deleteAction = new QAction(&w.window);
    deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    QObject::connect(deleteAction, &QAction::triggered, [&] { fired = true; });
    w.window.addAction(action);
    w.window.addAction(deleteAction);
    CListEditCtrl* editor = w.edit("text");
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(editor->hasSelectedText());
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "");
    EXPECT_FALSE(fired);
}

TEST(CListEditCtrlTest, LongTextWidensTheBoxToTheListEdgeOnly)
{
    ListWindow w;
    CListEditCtrl* editor = w.edit("", QRect(120, 20, 40, 18));
    QTest::keyClicks(editor, QString(60, u'W'));
    EXPECT_EQ(editor->geometry().left(), 120);
    EXPECT_EQ(editor->geometry().right() + 1, 200);
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->geometry().right() + 1, 200);
}

TEST(CComboInListViewTest, ChoosingFromTheListEndsWithTheChoiceAndItsData)
{
    ListWindow w;
    QPointer<CComboInListView> box = w.combo({"公開", "非公開"});
    box->setItemData(1, 42);
    ASSERT_TRUE(box->hasFocus());
    EXPECT_EQ(box->objectName(), "id_4661");
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(1, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    settle();
    ASSERT_EQ(w.ends.size(), 1u);
    EXPECT_EQ(w.ends[0].text, QString::fromUtf8("非公開"));
    EXPECT_TRUE(w.ends[0].hasParam);
    EXPECT_EQ(w.ends[0].param.toInt(), 42);
    EXPECT_EQ(w.ends[0].item, 2);
    EXPECT_EQ(w.ends[0].subItem, 4);
    EXPECT_TRUE(box.isNull());
}

TEST(CComboInListViewTest, EscapeEndsWithoutTextAndNoSelectionSendsNothing)
{
    ListWindow w;
    CComboInListView* box = w.combo({"a", "b"});
    box->setCurrentIndex(0);
    QTest::keyClick(box, Qt::Key_Escape);
    ASSERT_EQ(w.ends.size(), 1u);
    EXPECT_FALSE(w.ends[0].hasText);

    ListWindow empty;
    CComboInListView* none = empty.combo({"a"});
    none->setCurrentIndex(-1);
    empty.list->setFocus();
    settle();
    EXPECT_TRUE(empty.ends.empty());
}
