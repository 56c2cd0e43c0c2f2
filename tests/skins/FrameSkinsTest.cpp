#include "skins/ASMDialog.h"
#include "skins/ASMMainFrame.h"
#include "skins/FrameActivation.h"
#include "skins/FrameTracker.h"
#include "skins/FrameWindowMenu.h"
#include "skins/SkinStyle.h"
#include "tests/skins/SkinFixture.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTimer>

using framemenu::Command;
using framemenu::Entry;

namespace {

std::vector<std::pair<Command, bool>> Listed(const framemenu::WindowTraits& traits)
{
    std::vector<std::pair<Command, bool>> listed;
    for (const Entry& entry : framemenu::Entries(traits))
        listed.emplace_back(entry.command, entry.enabled);
    return listed;
}

} // namespace

// ---- the window menu of a skinned caption ---------------------------------------------

TEST(FrameWindowMenu, OffersWhatTheWindowCanDo)
{
    framemenu::WindowTraits frame;
    frame.resizable = frame.hasMinimise = frame.hasMaximise = true;
    using L = std::vector<std::pair<Command, bool>>;
    EXPECT_EQ(Listed(frame), (L{{Command::Restore, false},
                                {Command::Move, true},
                                {Command::Size, true},
                                {Command::Minimise, true},
                                {Command::Maximise, true},
                                {Command::Close, true}}));
    frame.maximised = true;
    EXPECT_EQ(Listed(frame), (L{{Command::Restore, true},
                                {Command::Move, false},
                                {Command::Size, false},
                                {Command::Minimise, true},
                                {Command::Maximise, false},
                                {Command::Close, true}}));
    // A dialog of a fixed size without minimise and maximise buttons: move and close.
    framemenu::WindowTraits dialog;
    EXPECT_EQ(Listed(dialog), (L{{Command::Move, true}, {Command::Close, true}}));
    dialog.hasClose = false;
    EXPECT_EQ(Listed(dialog), (L{{Command::Move, true}, {Command::Close, false}}));
}

TEST(FrameCaptionTitle, IsCutShortWithinItsRoomWithoutSplittingACharacter)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QString title = QStringLiteral("Vorna-Paginor 2002 - [\"日記\" - diary.html]");
    EXPECT_EQ(ASMFrame::ElideCaption(title, font, 10000), title);
    for (int width : {-5, 0, 1, 3, metrics.horizontalAdvance(QStringLiteral("...")) - 1, 60, 120}) {
        const QString shown = ASMFrame::ElideCaption(title, font, width);
        EXPECT_LE(metrics.horizontalAdvance(shown), std::max(width, 0)) << width;
    }
    // Characters beyond the basic plane are kept whole or left out whole.
    const QString faces = QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80");
    for (int width = 1; width < metrics.horizontalAdvance(faces) + 4; width += 2) {
        const QString shown = ASMFrame::ElideCaption(faces, font, width);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const bool whole = shown.at(i).isHighSurrogate()  ? i + 1 < shown.size() && shown.at(i + 1).isLowSurrogate()
                               : shown.at(i).isLowSurrogate() ? i > 0 && shown.at(i - 1).isHighSurrogate()
                                                              : true;
            EXPECT_TRUE(whole) << width << " " << i;
        }
    }
}

class FrameSkinTest : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        Use("metal");
        frame.setWindowTitle(QStringLiteral("Paginor"));
        frame.setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
        frame.resize(500, 400);
        frame.move(50, 60);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        skin = qobject_cast<ASMMainFrame*>(VornaSkinManager::GetInstance().Find(&frame));
        ASSERT_NE(skin, nullptr);
        ASSERT_TRUE(skin->isApplied());
    }
    // The entries of the window menu that a press on the icon opens, and
    // the entry of that text chosen (none for an empty text).
    QStringList PressIconAndChoose(const QString& choice)
    {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                shown << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
                if (!choice.isEmpty() && action->text() == choice)
                    action->trigger();
            }
            menu->close();
        });
        const platform::Rect icon = skin->iconRect();
        QTest::mousePress(&frame, Qt::LeftButton, Qt::NoModifier, QPoint(icon.left + 4, icon.top + 4));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 2000));
        QCoreApplication::processEvents();
        // The menu took the press; let go of the button, so that the test's
        // later moves are made with no button held.
        QTest::mouseRelease(&frame, Qt::LeftButton, Qt::NoModifier, QPoint(icon.left + 4, icon.top + 4));
        return shown;
    }

    ASMMainFrame* skin = nullptr;
};

TEST_F(FrameSkinTest, APressOnTheCaptionsIconOpensTheWindowMenuWhoseEntriesAct)
{
    ASSERT_FALSE(skin->iconRect().isEmpty());
    EXPECT_EQ(skin->HitTestCaption(QPoint(skin->iconRect().left + 4, skin->iconRect().top + 4)), HTSYSMENU);
    const QStringList shown = PressIconAndChoose(QStringLiteral("最大化(&X)"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("元のサイズに戻す(&R) (off)"), QStringLiteral("移動(&M)"),
                                  QStringLiteral("サイズ変更(&S)"), QStringLiteral("最小化(&N)"),
                                  QStringLiteral("最大化(&X)"), QStringLiteral("閉じる(&C)\tAlt+F4")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame.isMaximized(); }));
    PressIconAndChoose(QStringLiteral("元のサイズに戻す(&R)"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame.isMaximized(); }));
}

TEST_F(FrameSkinTest, MovingAndSizingFromTheMenuFollowTheArrowKeysUntilEnterOrEsc)
{
    const QRect start = frame.geometry();
    PressIconAndChoose(QStringLiteral("移動(&M)"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return FrameTracker::Running(&frame) != nullptr; }));
    QTest::keyClick(&frame, Qt::Key_Right);
    QTest::keyClick(&frame, Qt::Key_Right);
    QTest::keyClick(&frame, Qt::Key_Down);
    QTest::keyClick(&frame, Qt::Key_Return);
    EXPECT_EQ(FrameTracker::Running(&frame), nullptr);
    EXPECT_EQ(frame.geometry(), start.translated(2 * FrameTracker::kKeyStep, FrameTracker::kKeyStep));

    // Sizing grows the bottom-right corner; Esc puts the window back.
    const QRect moved = frame.geometry();
    FrameTracker* tracker = FrameTracker::Start(&frame, FrameTracker::Mode::Size);
    tracker->Follow(QPoint(40, 30));
    EXPECT_EQ(frame.size(), moved.size() + QSize(40, 30));
    tracker->Follow(QPoint(-10000, -10000));
    EXPECT_EQ(frame.size(), FrameTracker::kLeastSize);
    QTest::keyClick(&frame, Qt::Key_Escape);
    EXPECT_EQ(frame.geometry(), moved);
}

TEST_F(FrameSkinTest, TheCaptionStaysActiveWhileAFloatingBarOfTheFrameIsActive)
{
    QWidget bar(&frame, Qt::Tool);
    bar.resize(100, 80);
    bar.show();
    QWidget stranger;
    stranger.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stranger));
    // Windows are activated through the window system, as a click does: the
    // skin follows the window system's focus. (QApplication::setActiveWindow
    // would change the active widget alone; on X11 the focus stays where it
    // was and no window hears of the change.)
    const auto activate = [](QWidget& window) {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    };
    ASSERT_TRUE(activate(frame));
    EXPECT_TRUE(FrameLooksActive(&frame));
    EXPECT_TRUE(skin->isActive());
    ASSERT_TRUE(activate(bar));
    EXPECT_TRUE(FrameLooksActive(&frame));
    EXPECT_TRUE(skin->isActive());
    ASSERT_TRUE(activate(stranger));
    EXPECT_FALSE(FrameLooksActive(&frame));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !skin->isActive(); }));
    // A disabled frame never looks active.
    ASSERT_TRUE(activate(frame));
    EXPECT_TRUE(skin->isActive());
    frame.setEnabled(false);
    EXPECT_FALSE(FrameLooksActive(&frame));
    EXPECT_FALSE(skin->isActive());
    frame.setEnabled(true);
}

TEST_F(FrameSkinTest, AHotCaptionButtonTurnsNormalSoonAfterThePointerLeftItForTheInside)
{
    QWidget inside(&frame);
    inside.setGeometry(frame.contentsRect());
    inside.show();
    const QPoint close(500 - 6 - 9, 12);
    QCursor::setPos(frame.mapToGlobal(close));
    QTest::mouseMove(&frame, close);
    ASSERT_EQ(skin->hotButton(), 0);
    // The pointer goes straight onto the inside, which the frame does not hear of.
    QCursor::setPos(frame.mapToGlobal(QPoint(250, 200)));
    QTest::mouseMove(&inside, inside.mapFrom(&frame, QPoint(250, 200)));
    EXPECT_EQ(skin->hotButton(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return skin->hotButton() == -1; }, 1000));
}

TEST_F(FrameSkinTest, ADialogThatCannotBeClosedShowsItsCloseButtonInactiveAndIgnoresIt)
{
    QDialog open;
    QDialog fixed;
    fixed.setWindowFlag(Qt::WindowCloseButtonHint, false);
    for (QDialog* dialog : {&open, &fixed}) {
        dialog->resize(300, 200);
        dialog->show();
        ASSERT_NE(qobject_cast<ASMDialog*>(VornaSkinManager::GetInstance().Find(dialog)), nullptr);
    }
    const QRect close(300 - 6 - 18, 4, 18, 18);
    EXPECT_NE(Render(open).copy(close), Render(fixed).copy(close));
    QTest::mouseClick(&fixed, Qt::LeftButton, Qt::NoModifier, close.center());
    EXPECT_TRUE(fixed.isVisible());
    QTest::mouseClick(&open, Qt::LeftButton, Qt::NoModifier, close.center());
    EXPECT_FALSE(open.isVisible());
}

TEST_F(FrameSkinTest, TheCaptionShowsAWindowsOwnIconOnlyAndNoRoomForNone)
{
    EXPECT_EQ(skin->iconRect().width(), 16);
    // A dialog of the frame: Qt lends it the frame's icon, the caption does not.
    QDialog dialog(&frame);
    dialog.setWindowTitle(QStringLiteral("Dialog"));
    dialog.resize(300, 200);
    dialog.show();
    auto* dialogSkin = qobject_cast<ASMDialog*>(VornaSkinManager::GetInstance().Find(&dialog));
    ASSERT_NE(dialogSkin, nullptr);
    ASSERT_FALSE(dialog.windowIcon().isNull());
    const platform::Rect bare = dialogSkin->iconRect();
    EXPECT_EQ(bare.width(), 0);
    EXPECT_EQ(dialogSkin->HitTestCaption(QPoint(bare.left + 4, bare.top + 4)), HTCAPTION);
    const QImage plain = Render(dialog);
    dialog.setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_FileIcon));
    const platform::Rect given = dialogSkin->iconRect();
    EXPECT_EQ(given.width(), 16);
    EXPECT_EQ(dialogSkin->HitTestCaption(QPoint(given.left + 4, given.top + 4)), HTSYSMENU);
    const QRect icon(given.left, given.top, 16, 16);
    EXPECT_NE(Render(dialog).copy(icon), plain.copy(icon));
}

// ---- page windows ---------------------------------------------------------------------

class PageWindowSkinTest : public SkinFixture
{
protected:
    void SetUp() override
    {
        SkinFixture::SetUp();
        area = new QMdiArea(&frame);
        area->resize(700, 500);
        page = area->addSubWindow(new QWidget);
        ASSERT_TRUE(VornaSkinManager::GetInstance().SkinChildFrame(page));
        page->setGeometry(20, 20, 300, 200);
        frame.resize(700, 500);
        frame.show();
        page->show();
        Use("metal");
        QCoreApplication::processEvents();
    }
    QStyleOptionTitleBar TitleBar(Qt::WindowStates states) const
    {
        QStyleOptionTitleBar option;
        option.initFrom(page);
        option.rect = QRect(0, 0, page->width(), 20);
        option.titleBarState = int(states);
        option.titleBarFlags = page->windowFlags();
        return option;
    }

    QMdiArea* area = nullptr;
    QMdiSubWindow* page = nullptr;
};

TEST_F(PageWindowSkinTest, APageWindowIsCutToTheSkinsOutlineExceptMaximisedOrWithoutASkin)
{
    auto skinOutline = [&] {
        QStyleOptionTitleBar option = TitleBar(Qt::WindowNoState);
        option.rect = page->rect();
        return SkinStyle::PageWindowMask(option, page);
    };
    ASSERT_FALSE(skinOutline().isEmpty());
    EXPECT_EQ(page->mask(), skinOutline());
    EXPECT_FALSE(page->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(page->mask().contains(QPoint(299, 0)));
    EXPECT_TRUE(page->mask().contains(QPoint(150, 10)));
    EXPECT_TRUE(page->mask().contains(QPoint(299, 199)));
    // The outline follows the window's size.
    page->resize(400, 260);
    QCoreApplication::processEvents();
    EXPECT_EQ(page->mask(), skinOutline());
    EXPECT_TRUE(page->mask().contains(QPoint(399, 259)));
    // Maximised, the page is not cut to the skin; shown normally again, it is.
    const QRegion normal = page->mask();
    page->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(SkinStyle::PageWindowMask(TitleBar(Qt::WindowMaximized), page).isEmpty());
    EXPECT_NE(page->mask(), skinOutline());
    page->showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(page->mask(), normal);
    // Classic gives the page the plain look's outline back.
    Use("classic");
    QCoreApplication::processEvents();
    EXPECT_NE(page->mask(), normal);
    EXPECT_TRUE(skinOutline().isEmpty());
}

TEST_F(PageWindowSkinTest, TheActivePagesCaptionFollowsItsMainFramesActivation)
{
    QStyleOptionTitleBar option = TitleBar(Qt::WindowNoState);
    option.state |= QStyle::State_Active;
    auto caption = [&] {
        QImage image(300, 20, QImage::Format_RGB32);
        QPainter dc(&image);
        QApplication::style()->drawComplexControl(QStyle::CC_TitleBar, &option, &dc, page);
        return image;
    };
    QApplication::setActiveWindow(&frame);
    const QImage active = caption();
    QWidget stranger;
    stranger.show();
    QApplication::setActiveWindow(&stranger);
    EXPECT_NE(caption(), active);
    QApplication::setActiveWindow(&frame);
    EXPECT_EQ(caption(), active);
}

TEST_F(PageWindowSkinTest, AMinimisedPageShowsRestoreWhereMinimiseWasBesideMaximiseAndClose)
{
    const QStyle* style = QApplication::style();
    const QStyleOptionTitleBar normal = TitleBar(Qt::WindowNoState);
    const QStyleOptionTitleBar minimised = TitleBar(Qt::WindowMinimized);
    auto rect = [&](const QStyleOptionTitleBar& option, QStyle::SubControl sc) {
        return style->subControlRect(QStyle::CC_TitleBar, &option, sc, page);
    };
    // Close 6 from the right, maximise 20, minimise 34; 12 wide, 4 down.
    EXPECT_EQ(rect(normal, QStyle::SC_TitleBarMinButton), QRect(300 - 34 - 12, 4, 12, 12));
    EXPECT_EQ(rect(normal, QStyle::SC_TitleBarMaxButton), QRect(300 - 20 - 12, 4, 12, 12));
    EXPECT_EQ(rect(minimised, QStyle::SC_TitleBarNormalButton), rect(normal, QStyle::SC_TitleBarMinButton));
    EXPECT_EQ(rect(minimised, QStyle::SC_TitleBarMaxButton), rect(normal, QStyle::SC_TitleBarMaxButton));

    // Drawn: the minimised window's restore button is the maximise button's restore glyph.
    QImage drawnNormal(300, 20, QImage::Format_RGB32);
    QImage drawnMinimised(300, 20, QImage::Format_RGB32);
    {
        QPainter dc(&drawnNormal);
        style->drawComplexControl(QStyle::CC_TitleBar, &normal, &dc, page);
    }
    {
        QPainter dc(&drawnMinimised);
        style->drawComplexControl(QStyle::CC_TitleBar, &minimised, &dc, page);
    }
    const QRect restore = rect(minimised, QStyle::SC_TitleBarNormalButton);
    EXPECT_NE(drawnNormal.copy(restore), drawnMinimised.copy(restore));
    const QRect maximise = rect(normal, QStyle::SC_TitleBarMaxButton);
    EXPECT_EQ(drawnNormal.copy(maximise), drawnMinimised.copy(maximise));
}
