#include "chrome/CMenuButton.h"
#include "chrome/MenuBarLayout.h"
#include "chrome/MenuBarMetrics.h"
#include "chrome/MenuBarTracker.h"

#include <QFont>

#include <gtest/gtest.h>

namespace {

using Key = MenuBarTracker::FrameKey;

// An item of a fixed size.
class Box : public CMenuItem
{
public:
    Box(int w, int h, QChar access = {}, bool wrappable = true)
    {
        m_sizeHorz = QSize(w, h);
        m_cAccessKey = access;
        m_fsStyle = MISTYLE_SELECTABLE | (wrappable ? MISTYLE_WRAPPABLE : 0);
    }
    void Draw(QPainter&) override {}
};

Key press(int key, bool alt = false, QChar character = {})
{
    Key k;
    k.kind = alt || key == Qt::Key_Alt || key == Qt::Key_F10 ? Key::SysKeyDown : Key::KeyDown;
    k.key = key;
    k.alt = alt;
    k.character = character;
    return k;
}

Key altUp()
{
    Key k;
    k.kind = Key::SysKeyUp;
    k.key = Qt::Key_Alt;
    return k;
}

// Five menu buttons: ファイル(&F) 編集(&E) 表示(&V) 挿入(&I) ヘルプ(&H).
class MenuBarTrackerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (QChar c : QStringLiteral("FEVIH"))
            tracker.m_items.push_back(std::make_unique<Box>(40, 20, c));
        MenuBarLayout::Wrap(tracker.m_items, MenuBarLayout::kOneRow);
        MenuBarLayout::Place(tracker.m_items, true, 2);
    }
    MenuBarTracker tracker;
};

TEST(MenuButtonAccessKey, IsTheLetterAfterTheAmpersandElseTheFirstLetterAndNoneAtTheEnd)
{
    EXPECT_EQ(CMenuButton::AccessKeyOf(QStringLiteral("ファイル(&F)")), QChar('F'));
    EXPECT_EQ(CMenuButton::AccessKeyOf(QStringLiteral("&Window")), QChar('W'));
    EXPECT_EQ(CMenuButton::AccessKeyOf(QStringLiteral("Help")), QChar('H'));
    EXPECT_TRUE(CMenuButton::AccessKeyOf(QStringLiteral("Tools&")).isNull());
    EXPECT_TRUE(CMenuButton::AccessKeyOf(QString()).isNull());

    // The underline of the vertical text spans the key's glyph, five pixels in.
    const MenuBarMetrics metrics = MenuBarMetrics::FromFont(QFont());
    CMenuButton marked(QStringLiteral("ab&cd"), nullptr, 5, metrics);
    EXPECT_GT(marked.m_ptLineTo.y(), marked.m_ptLineFrom.y());
    EXPECT_GT(marked.m_ptLineFrom.y(), 5);
    CMenuButton plain(QStringLiteral("abcd"), nullptr, 5, metrics);
    EXPECT_EQ(plain.m_ptLineFrom, QPoint());
    EXPECT_EQ(plain.m_ptLineTo, QPoint());
    EXPECT_EQ(plain.m_nID, 5);
}

TEST_F(MenuBarTrackerTest, AltAloneMakesTheFirstItemHotAndASecondAltLeavesKeyboardMode)
{
    EXPECT_TRUE(tracker.TranslateFrameKey(press(Qt::Key_Alt)).swallow);
    EXPECT_TRUE(tracker.TranslateFrameKey(altUp()).swallow);
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_BUTTON);
    EXPECT_EQ(tracker.m_nCurrentIndex, 0);
    EXPECT_TRUE(tracker.item(0)->m_fsState & CMenuItem::MISTATE_HOT);

    tracker.TranslateFrameKey(press(Qt::Key_Alt));
    tracker.TranslateFrameKey(altUp());
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_NONE);
    EXPECT_FALSE(tracker.item(0)->m_fsState & CMenuItem::MISTATE_HOT);

    // F10 counts as Alt; in an MDI bar the page icon (item 0) is passed over.
    tracker.m_bMDI = true;
    tracker.TranslateFrameKey(press(Qt::Key_F10));
    Key f10Up = altUp();
    f10Up.key = Qt::Key_F10;
    tracker.TranslateFrameKey(f10Up);
    EXPECT_EQ(tracker.m_nCurrentIndex, 1);
}

TEST_F(MenuBarTrackerTest, AltUsedDuringAPopupOrWithAnotherKeyOpensNoKeyboardMode)
{
    tracker.SetTrackingState(MenuBarTracker::TRACK_POPUP, 2);
    tracker.OnPopupSysKeyDown();
    tracker.SetTrackingState(MenuBarTracker::TRACK_NONE);
    tracker.TranslateFrameKey(altUp());
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_NONE);
    // The next Alt works again.
    tracker.TranslateFrameKey(press(Qt::Key_Alt));
    tracker.TranslateFrameKey(altUp());
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_BUTTON);

    // Alt+Enter and the like: releasing Alt afterwards enters nothing.
    tracker.SetTrackingState(MenuBarTracker::TRACK_NONE);
    tracker.TranslateFrameKey(press(Qt::Key_Alt));
    EXPECT_FALSE(tracker.TranslateFrameKey(press(Qt::Key_Return, true)).swallow);
    tracker.TranslateFrameKey(altUp());
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_NONE);
}

TEST_F(MenuBarTrackerTest, AccessKeysOpenTheirMenuWithAltOrInKeyboardMode)
{
    // Alt+V opens 表示.
    MenuBarTracker::Outcome out = tracker.TranslateFrameKey(press(Qt::Key_V, true, QChar('V')));
    EXPECT_TRUE(out.swallow);
    EXPECT_EQ(out.trackItem, 2);
    // Without Alt and outside keyboard mode a letter is the page's.
    out = tracker.TranslateFrameKey(press(Qt::Key_V, false, QChar('V')));
    EXPECT_FALSE(out.swallow);
    EXPECT_EQ(out.trackItem, -1);
    // In keyboard mode: a known key opens, an unknown one is swallowed, a
    // lower-case key finds nothing (the key is used as it comes).
    tracker.SetTrackingState(MenuBarTracker::TRACK_BUTTON, 0);
    out = tracker.TranslateFrameKey(press(Qt::Key_Q, false, QChar('Q')));
    EXPECT_TRUE(out.swallow);
    EXPECT_EQ(out.trackItem, -1);
    EXPECT_EQ(tracker.FindAccessKey(QChar('h')), -1);
    out = tracker.TranslateFrameKey(press(Qt::Key_H, false, QChar('H')));
    EXPECT_EQ(out.trackItem, 4);
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_NONE);
}

TEST_F(MenuBarTrackerTest, ArrowsMoveInKeyboardModeWithWrapAroundAndEscapeLeavesIt)
{
    tracker.SetTrackingState(MenuBarTracker::TRACK_BUTTON, 0);
    tracker.TranslateFrameKey(press(Qt::Key_Left));
    EXPECT_EQ(tracker.m_nCurrentIndex, 4);
    tracker.TranslateFrameKey(press(Qt::Key_Right));
    EXPECT_EQ(tracker.m_nCurrentIndex, 0);
    // A hidden item is passed over.
    tracker.item(1)->m_fsState |= CMenuItem::MISTATE_HIDDEN;
    tracker.TranslateFrameKey(press(Qt::Key_Right));
    EXPECT_EQ(tracker.m_nCurrentIndex, 2);
    EXPECT_EQ(tracker.TranslateFrameKey(press(Qt::Key_Down)).trackItem, 2);
    EXPECT_TRUE(tracker.TranslateFrameKey(press(Qt::Key_Escape)).swallow);
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_NONE);

    // A vertical bar moves with Up and Down and opens with Left and Right.
    tracker.m_bHorizontal = false;
    tracker.SetTrackingState(MenuBarTracker::TRACK_BUTTON, 2);
    tracker.TranslateFrameKey(press(Qt::Key_Down));
    EXPECT_EQ(tracker.m_nCurrentIndex, 3);
    EXPECT_EQ(tracker.TranslateFrameKey(press(Qt::Key_Right)).trackItem, 3);
    // Any other key ends keyboard mode and goes on to the page.
    EXPECT_FALSE(tracker.TranslateFrameKey(press(Qt::Key_F5)).swallow);
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_NONE);
}

TEST_F(MenuBarTrackerTest, WhileAPopupIsOpenTheMouseAndArrowsMoveToTheNeighbours)
{
    tracker.SetTrackingState(MenuBarTracker::TRACK_POPUP, 1);
    EXPECT_TRUE(tracker.item(1)->m_fsState & CMenuItem::MISTATE_PRESSED);
    // Over the same item: nothing; over the next one: reopen there.
    const QPoint onSecond = tracker.item(1)->m_rcItem.center();
    EXPECT_FALSE(tracker.OnPopupMouseMove(onSecond, true).closePopup);
    const MenuBarTracker::Outcome moved = tracker.OnPopupMouseMove(tracker.item(2)->m_rcItem.center(), true);
    EXPECT_TRUE(moved.closePopup);
    EXPECT_TRUE(tracker.m_bRetrack);
    EXPECT_EQ(tracker.m_nCurrentIndex, 2);

    // Right on an entry with a submenu stays in the popup; on a plain entry it moves on.
    tracker.m_bRetrack = false;
    tracker.SetTrackingState(MenuBarTracker::TRACK_POPUP, 2);
    EXPECT_FALSE(tracker.OnPopupKeyDown(Qt::Key_Right, true, false).closePopup);
    EXPECT_TRUE(tracker.OnPopupKeyDown(Qt::Key_Right, true, true).closePopup);
    EXPECT_EQ(tracker.m_nCurrentIndex, 3);
    // Left in a submenu closes only the submenu; in the item's own popup it moves back.
    tracker.SetTrackingState(MenuBarTracker::TRACK_POPUP, 3);
    EXPECT_FALSE(tracker.OnPopupKeyDown(Qt::Key_Left, false, true).closePopup);
    EXPECT_TRUE(tracker.OnPopupKeyDown(Qt::Key_Left, true, true).closePopup);
    EXPECT_EQ(tracker.m_nCurrentIndex, 2);

    // A click on the open item closes the popup and leaves the item hot.
    tracker.m_bRetrack = false;
    tracker.SetTrackingState(MenuBarTracker::TRACK_POPUP, 2);
    const MenuBarTracker::Outcome click = tracker.OnPopupMouseDown(tracker.item(2)->m_rcItem.center());
    EXPECT_TRUE(click.closePopup);
    EXPECT_FALSE(tracker.m_bRetrack);
    EXPECT_EQ(tracker.m_nTrackingState, MenuBarTracker::TRACK_BUTTON);
}

TEST(MenuBarLayoutTest, ItemsWrapWhereTheNextNoLongerFitsAndTheSizeFollows)
{
    MenuBarLayout::Items items;
    for (int w : {50, 60, 70, 40})
        items.push_back(std::make_unique<Box>(w, 20));
    // One row when everything fits.
    EXPECT_EQ(MenuBarLayout::Wrap(items, 1000), 1);
    EXPECT_EQ(MenuBarLayout::Size(items, true, 2), QSize(220, 24));
    // 120 wide: 50+60 fit, 70 does not follow; 70+40 fit.
    EXPECT_EQ(MenuBarLayout::Wrap(items, 120), 2);
    EXPECT_TRUE(items[1]->m_fsState & CMenuItem::MISTATE_WRAP);
    EXPECT_FALSE(items[3]->m_fsState & CMenuItem::MISTATE_WRAP);
    EXPECT_EQ(MenuBarLayout::Size(items, true, 2), QSize(110, 48));
    MenuBarLayout::Place(items, true, 2);
    EXPECT_EQ(items[0]->m_rcItem, QRect(0, 2, 50, 20));
    EXPECT_EQ(items[2]->m_rcItem, QRect(0, 23, 70, 20)); // one pixel below the first row
    // Narrower than any item: each on its own row, except one that may not wrap.
    items[2]->m_fsStyle = CMenuItem::MISTYLE_SELECTABLE;
    EXPECT_EQ(MenuBarLayout::Wrap(items, 10), 3);
    EXPECT_FALSE(items[2]->m_fsState & CMenuItem::MISTATE_WRAP);
}

TEST(MenuBarLayoutTest, AVerticalBarStacksItsItemsOnTheirSideAndHiddenItemsTakeNoRoom)
{
    MenuBarLayout::Items items;
    for (int w : {50, 60, 70})
        items.push_back(std::make_unique<Box>(w, 20));
    items[1]->m_fsState |= CMenuItem::MISTATE_HIDDEN;
    EXPECT_EQ(MenuBarLayout::Size(items, false, 2), QSize(24, 120));
    MenuBarLayout::Place(items, false, 2);
    EXPECT_EQ(items[0]->m_rcItem, QRect(2, 0, 20, 50));
    EXPECT_TRUE(items[1]->m_rcItem.isEmpty());
    EXPECT_EQ(items[2]->m_rcItem, QRect(2, 50, 20, 70));
    EXPECT_FALSE(items[0]->IsHorizontal());
}

TEST(MenuBarLayoutTest, AFloatingBarFindsTheWrapThatGivesItTheHeightAskedFor)
{
    MenuBarLayout::Items items;
    for (int i = 0; i < 6; ++i)
        items.push_back(std::make_unique<Box>(40, 20));
    // Three rows of 24 = 72: two items a row, 80 wide.
    EXPECT_EQ(MenuBarLayout::SizeForLength(items, 72, true, 2), QSize(80, 72));
    // Taller than one column: a column.
    EXPECT_EQ(MenuBarLayout::SizeForLength(items, 1000, true, 2), QSize(40, 144));
    EXPECT_EQ(MenuBarLayout::SizeForLength(items, 130, false, 2), QSize(120, 48));
}

} // namespace
