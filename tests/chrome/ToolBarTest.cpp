#include "chrome/ULOToolBar.h"
#include "chrome/ULOToolBarFormat.h"
#include "platform/CommandRegistry.h"
#include "support/ReviewPicture.h"

#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class ToolBarTest : public ::testing::Test
{
protected:
    void TearDown() override { ULOToolBar::setPictureFolder(QStringLiteral(":/res/icons/16")); }
    platform::CommandRegistry registry;
};

TEST_F(ToolBarTest, PicturesAreIndexedInButtonOrderAndTheLastLoadWins)
{
    std::unique_ptr<ULOToolBar> standard(ULOToolBar::create(601, nullptr));
    ASSERT_TRUE(standard->LoadToolBarEx(601, 2011, registry));
    // The new-file button is the first picture; the frameset command (second
    // drop-down entry) follows it in the strip although its button left the bar.
    EXPECT_EQ(ULOToolBar::imageIndexOf(33205), 0);
    EXPECT_EQ(ULOToolBar::imageIndexOf(33262), 2);
    // A separator maps to the index of the button after it (the last separator's).
    EXPECT_EQ(ULOToolBar::imageIndexOf(0), ULOToolBar::imageIndexOf(33279));
    EXPECT_FALSE(ULOToolBar::image(ULOToolBar::kNormal, 0).isNull());
    EXPECT_FALSE(registry.action(33205)->icon().isNull());

    // The frame bar loads 33262 again: its index is now the frame bar's.
    std::unique_ptr<ULOToolBar> frames(ULOToolBar::create(608, nullptr));
    ASSERT_TRUE(frames->LoadToolBarEx(608, 2081, registry));
    EXPECT_GT(ULOToolBar::imageIndexOf(33262), 2);

    // The format bar's font placeholders get no picture.
    std::unique_ptr<ULOToolBar> format(ULOToolBar::create(603, nullptr));
    ASSERT_TRUE(format->LoadToolBarEx(603, 2031, registry));
    EXPECT_EQ(ULOToolBar::imageIndexOf(32928), -1);
    EXPECT_EQ(ULOToolBar::toolBarCount(), 3);
}

TEST_F(ToolBarTest, EveryButtonOfEveryBarHasItsPictureAndADisabledLook)
{
    std::vector<std::unique_ptr<ULOToolBar>> bars;
    for (int id = 601; id <= 611; ++id) {
        bars.emplace_back(ULOToolBar::create(id, nullptr));
        ASSERT_TRUE(bars.back()->LoadToolBarEx(id, 0, registry));
        for (int command : bars.back()->buttonIds()) {
            if (command == 0 || command == 32928 || command == 32929)
                continue;
            const int index = ULOToolBar::imageIndexOf(command);
            const QPixmap normal = ULOToolBar::image(ULOToolBar::kNormal, index);
            EXPECT_EQ(normal.size(), QSize(16, 16)) << command;
            const QImage disabled = ULOToolBar::image(ULOToolBar::kDisabled, index).toImage();
            ASSERT_FALSE(disabled.isNull()) << command;
            const QRgb centre = disabled.pixel(8, 8);
            EXPECT_EQ(qRed(centre), qGreen(centre)) << command;
            EXPECT_LT(qAlpha(centre), 255) << command;
        }
    }
    // The commands the drop-downs took off the bars keep their pictures for
    // the lists, and the commands of the menu buttons' menus have theirs.
    for (int command : {33160, 33403, 33406, 33312, 33316, 1410, 1411})
        EXPECT_FALSE(registry.action(command)->icon().isNull()) << command;
    bars.clear();
    // The last toolbar gone, the shared state is empty again.
    EXPECT_EQ(ULOToolBar::imageIndexOf(33205), -1);
    EXPECT_TRUE(ULOToolBar::dropDownList(33205).isEmpty());
    EXPECT_EQ(ULOToolBar::ownerOf(33160), nullptr);
}

TEST_F(ToolBarTest, AMissingPictureLeavesTheButtonShowingItsText)
{
    QTemporaryDir empty;
    ULOToolBar::setPictureFolder(empty.path());
    ULOToolBar bar;
    ASSERT_TRUE(bar.LoadToolBarEx(610, 2101, registry));
    registry.action(33184)->setIconText(QStringLiteral("戻る"));
    EXPECT_TRUE(registry.action(33184)->icon().isNull());
    auto* button = qobject_cast<QToolButton*>(bar.buttonWidget(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("戻る"));
}

TEST_F(ToolBarTest, SplitDropDownsTakeTheirMenuButtonsAndCarryTheChosenCommand)
{
    std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(601, nullptr));
    ASSERT_TRUE(bar->LoadToolBarEx(601, 2011, registry));
    const QList<int> ids = bar->buttonIds();
    EXPECT_EQ(ids.mid(0, 3), (QList<int>{33205, 33161, 33106}));
    EXPECT_EQ(bar->buttons().value(0).kind, ULOToolBar::kSplitDropDown);
    EXPECT_EQ(bar->buttons().value(1).kind, ULOToolBar::kSplitDropDown);
    EXPECT_EQ(ULOToolBar::dropDownList(33205), (QList<int>{33205, 33160, 33262}));
    EXPECT_EQ(ULOToolBar::dropDownList(33161), (QList<int>{33161, 33092}));
    for (int id : {33205, 33160, 33262, 33161, 33092})
        EXPECT_EQ(ULOToolBar::ownerOf(id), bar.get()) << id;
    auto* button = qobject_cast<QToolButton*>(bar->buttonWidget(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);

    // Choosing the frameset: the button carries it and its picture; the list stays whole.
    EXPECT_TRUE(bar->SelectDropDownCommand(33262));
    EXPECT_EQ(bar->buttonIds().value(0), 33262);
    EXPECT_EQ(ULOToolBar::dropDownList(33262), (QList<int>{33205, 33160, 33262}));
    EXPECT_TRUE(ULOToolBar::dropDownList(33205).isEmpty());
    button = qobject_cast<QToolButton*>(bar->buttonWidget(0));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->defaultAction(), registry.action(33262));
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
    ASSERT_NE(bar->dropDownMenu(0), nullptr);
    emit bar->dropDownMenu(0)->aboutToShow();
    EXPECT_EQ(bar->dropDownMenu(0)->actions().size(), 3);
    // Again, and a command no drop-down lists.
    EXPECT_TRUE(bar->SelectDropDownCommand(33262));
    EXPECT_FALSE(bar->SelectDropDownCommand(33106));
    EXPECT_EQ(bar->buttonIds().value(0), 33262);
    EXPECT_TRUE(bar->SelectDropDownCommand(33092));
    EXPECT_EQ(bar->buttonIds().value(1), 33092);
}

TEST_F(ToolBarTest, ListAndMenuButtonsOpenOnAPress)
{
    std::unique_ptr<ULOToolBar> objects(ULOToolBar::create(602, nullptr));
    ASSERT_TRUE(objects->LoadToolBarEx(602, 2021, registry));
    EXPECT_EQ(objects->buttonIds().mid(10), (QList<int>{620, 621}));
    EXPECT_EQ(ULOToolBar::dropDownList(620), (QList<int>{33403, 33405, 33404}));
    EXPECT_EQ(ULOToolBar::dropDownList(621), (QList<int>{33406, 33407, 33460, 33409}));
    // A list does not enter the owner map, and choosing from it changes no button.
    EXPECT_EQ(ULOToolBar::ownerOf(33403), nullptr);
    EXPECT_FALSE(objects->SelectDropDownCommand(33403));
    for (int index : {10, 11}) {
        auto* button = qobject_cast<QToolButton*>(objects->buttonWidget(index));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
        EXPECT_EQ(objects->buttons()[index].kind, ULOToolBar::kListButton);
    }

    std::unique_ptr<ULOToolBar> image(ULOToolBar::create(606, nullptr));
    ASSERT_TRUE(image->LoadToolBarEx(606, 2061, registry));
    EXPECT_EQ(image->buttons()[5], (ULOToolBar::Button{33320, ULOToolBar::kMenuButton}));
    EXPECT_EQ(ULOToolBar::dropDownList(33322), (QList<int>{627}));
    ASSERT_NE(image->dropDownMenu(5), nullptr);
    EXPECT_EQ(image->dropDownMenu(5)->actions().size(), 5);
    EXPECT_EQ(image->dropDownMenu(6)->actions().value(0), registry.action(1410));
}

TEST_F(ToolBarTest, ColourButtonsPaintTheirBarAndReportTheirArrow)
{
    std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(603, nullptr));
    auto* format = qobject_cast<ULOToolBarFormat*>(bar.get());
    ASSERT_NE(format, nullptr);
    ASSERT_TRUE(format->LoadToolBarEx(603, 2031, registry));
    EXPECT_EQ(format->buttons()[7], (ULOToolBar::Button{32933, ULOToolBar::kSplitDropDown}));
    EXPECT_EQ(ULOToolBarFormat::colorBarRect(QRect(0, 0, 24, 24), false), QRect(4, 17, 15, 3));
    EXPECT_EQ(ULOToolBarFormat::colorBarRect(QRect(0, 0, 24, 24), true), QRect(5, 18, 15, 3));
    format->resize(600, 30);
    format->show();
    format->SetBarColor(ULOToolBarFormat::kFontColor, QColor(255, 0, 0));
    QWidget* button = format->buttonWidget(7);
    ASSERT_NE(button, nullptr);
    const QImage shot = button->grab().toImage();
    const QRect bar7 = ULOToolBarFormat::colorBarRect(button->rect(), false);
    EXPECT_EQ(shot.pixelColor(bar7.center()), QColor(255, 0, 0));

    int reported = 0;
    QObject::connect(format, &ULOToolBarFormat::colorDropDown, [&](int id, const QRect& rect) {
        reported = id;
        EXPECT_FALSE(rect.isEmpty());
    });
    emit format->dropDownMenu(8)->aboutToShow();
    EXPECT_EQ(reported, ULOToolBarFormat::kBackColor);
}

} // namespace

namespace {

TEST_F(ToolBarTest, TheBarsRightClickMenuListsTheToolbars)
{
    QWidget parent;
    std::unique_ptr<QMenu> menu(ULOToolBar::CreateToolBarListMenu(registry, &parent));
    ASSERT_NE(menu, nullptr);
    QList<int> ids;
    for (QAction* action : menu->actions())
        ids.append(registry.idOf(action));
    EXPECT_EQ(ids.value(0), 33380);
    EXPECT_TRUE(ids.contains(33483));
    EXPECT_EQ(ids.value(ids.size() - 1), 33366);
}

// Every picture of the toolbars, normal and disabled, in one sheet for
// review (toolbar-pictures.png in PAGINOR_SCREENSHOT_DIR).
TEST_F(ToolBarTest, PictureSheet)
{
    std::vector<std::unique_ptr<ULOToolBar>> bars;
    int pictures = 0;
    for (int id = 601; id <= 611; ++id) {
        bars.emplace_back(ULOToolBar::create(id, nullptr));
        ASSERT_TRUE(bars.back()->LoadToolBarEx(id, 0, registry));
    }
    // A row per bar, then the commands of the drop-downs and the menu buttons.
    QList<QList<int>> rows;
    for (const auto& bar : bars)
        rows.append(bar->buttonIds());
    rows.append({33160, 33262, 33092, 33403, 33405, 33404, 33406, 33407, 33460, 33409, 33312, 33313, 33314, 33315,
                 33316, 1410, 1411});
    QImage sheet(20 * 24 + 8, int(rows.size()) * 2 * 22 + 8, QImage::Format_ARGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter painter(&sheet);
    for (int row = 0; row < rows.size(); ++row) {
        int column = 0;
        for (int command : rows[row]) {
            const int index = ULOToolBar::imageIndexOf(command);
            if (command == 0 || index < 0)
                continue;
            const QPoint at(4 + column * 24, 4 + row * 44);
            painter.drawPixmap(at, ULOToolBar::image(ULOToolBar::kNormal, index));
            painter.drawPixmap(at + QPoint(0, 20), ULOToolBar::image(ULOToolBar::kDisabled, index));
            ++column;
            ++pictures;
        }
    }
    painter.end();
    EXPECT_GT(pictures, 100);
    SaveReviewPicture(sheet, QStringLiteral("toolbar-pictures.png"));
}

} // namespace
