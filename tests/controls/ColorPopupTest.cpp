// The palette popup's items, layout, keyboard moves and results, the popup
// and the colour field on the offscreen platform, and the user colours in the
// settings store.

#include "controls/CColorPickerCB.h"
#include "controls/CColorPopup.h"
#include "controls/ColorPopupModel.h"
#include "controls/CustomColors.h"

#include "platform/ModalResponder.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using platform::ColorRef;
using platform::Rect;
using platform::rgb;

namespace {

constexpr int D = ColorPopupModel::kDefaultItem;
constexpr int C = ColorPopupModel::kCustomItem;
constexpr int N = ColorPopupModel::kNoItem;

ColorPopupModel modelWithButtons(bool defaultButton, bool customButton, ColorRef initial = kColorNone)
{
    ColorPopupModel model(initial, rgb(0, 0, 0));
    model.SetTexts(defaultButton ? "Default" : "", customButton ? "Custom" : "", "Standard", "More");
    model.LayoutWindow(0, 2);
    return model;
}

CustomColorTable userColors(std::initializer_list<std::pair<int, ColorRef>> set)
{
    CustomColorTable table;
    table.fill(kMissingCustomColor);
    for (const auto& [slot, color] : set)
        table[size_t(slot)] = color;
    return table;
}

// ---- item arithmetic ----

TEST(ColorPopupModelTest, ItemAtAndBackByRowAndColumn)
{
    const ColorPopupModel both = modelWithButtons(true, true);
    EXPECT_EQ(both.ItemAt(0, 0), 0);
    EXPECT_EQ(both.ItemAt(1, 3), 11);
    EXPECT_EQ(both.ItemAt(3, 7), 31);
    EXPECT_EQ(both.ItemAt(4, 0), N);
    EXPECT_EQ(both.ItemAt(0, 8), N);
    EXPECT_EQ(both.ItemAt(-1, 2), N);
    EXPECT_EQ(both.ItemAt(C, 5), C);
    EXPECT_EQ(both.ItemAt(1, D), D);
    for (int item = 0; item < 32; ++item)
        EXPECT_EQ(both.ItemAt(both.RowOfItem(item), both.ColumnOfItem(item)), item);
    EXPECT_EQ(both.RowOfItem(D), D);
    EXPECT_EQ(both.ColumnOfItem(C), C);
    EXPECT_EQ(both.RowOfItem(32), N);

    const ColorPopupModel none = modelWithButtons(false, false);
    EXPECT_EQ(none.ItemAt(C, 0), N);
    EXPECT_EQ(none.ItemAt(0, D), N);
    EXPECT_EQ(none.RowOfItem(D), N);
}

TEST(ColorPopupModelTest, ItemOfColorPrefersStandardCellsAndFallsBackToTheCustomButton)
{
    ColorPopupModel model = modelWithButtons(true, true);
    model.SetUserColors(userColors({{0, rgb(255, 0, 0)}, {3, rgb(1, 2, 3)}}));
    EXPECT_EQ(model.ItemOfColor(kColorNone), N);
    EXPECT_EQ(model.ItemOfColor(kColorDefault), D);
    EXPECT_EQ(model.ItemOfColor(rgb(255, 255, 255)), 1);
    // Red is cell 13 and also the first user colour: the standard cell wins.
    EXPECT_EQ(model.ItemOfColor(rgb(255, 0, 0)), 13);
    EXPECT_EQ(model.ItemOfColor(rgb(1, 2, 3)), 19);
    EXPECT_EQ(model.customColor(), kColorNone);
    EXPECT_EQ(model.ItemOfColor(rgb(9, 8, 7)), C);
    EXPECT_EQ(model.customColor(), rgb(9, 8, 7));
    EXPECT_EQ(model.ColorOfItem(C), rgb(9, 8, 7));

    ColorPopupModel bare = modelWithButtons(false, false);
    EXPECT_EQ(bare.ItemOfColor(kColorDefault), N);
    EXPECT_EQ(bare.ItemOfColor(rgb(9, 8, 7)), N);
}

TEST(ColorPopupModelTest, ColoursAndTextsOfItems)
{
    ColorPopupModel model(rgb(5, 5, 5), rgb(0, 0, 255));
    model.SetUserColors(userColors({{0, rgb(10, 255, 1)}, {1, rgb(128, 128, 128)}}));
    EXPECT_EQ(model.ColorOfItem(D), rgb(0, 0, 255));
    EXPECT_EQ(model.ColorOfItem(N), rgb(5, 5, 5));
    EXPECT_EQ(model.ColorOfItem(0), rgb(0, 0, 0));
    EXPECT_EQ(model.ColorOfItem(15), rgb(0, 128, 128));
    EXPECT_EQ(model.ColorOfItem(16), rgb(10, 255, 1));
    EXPECT_EQ(model.ColorOfItem(40), kColorNone);
    EXPECT_EQ(model.TextOfItem(D), QString::fromUtf8("デフォルト"));
    EXPECT_EQ(model.TextOfItem(C), QString::fromUtf8("ユーザー設定の色"));
    EXPECT_EQ(model.TextOfItem(0), QString::fromUtf8("黒"));
    EXPECT_EQ(model.TextOfItem(13), QString::fromUtf8("赤"));
    // Upper-case hexadecimal without padding, or the standard colour's name.
    EXPECT_EQ(model.TextOfItem(16), "RGB={A,FF,1}");
    EXPECT_EQ(model.TextOfItem(17), QString::fromUtf8("灰色"));
    EXPECT_EQ(model.TextOfItem(18), QString::fromUtf8("白"));
}

TEST(ColorPopupModelTest, LayoutOfTheNarrowestPopup)
{
    const ColorPopupModel model = modelWithButtons(true, true);
    const ColorPopupModel::Layout& l = model.layout();
    EXPECT_EQ(l.cellSize, 18);
    EXPECT_EQ(l.window, Rect(0, 0, 160, 193));
    EXPECT_EQ(l.defaultButton, Rect(3, 3, 152, 29));
    EXPECT_EQ(l.standardLabel, Rect(6, 32, 150, 48));
    EXPECT_EQ(l.standardGrid, Rect(6, 48, 150, 84));
    EXPECT_EQ(l.divider1, Rect(3, 90, 152, 91));
    EXPECT_EQ(l.userLabel, Rect(6, 97, 150, 113));
    EXPECT_EQ(l.userGrid, Rect(6, 113, 150, 149));
    EXPECT_EQ(l.divider2, Rect(3, 155, 152, 156));
    EXPECT_EQ(l.customButton, Rect(3, 159, 152, 185));
    EXPECT_EQ(model.RectOfItem(0), Rect(6, 48, 24, 66));
    EXPECT_EQ(model.RectOfItem(17), Rect(24, 113, 42, 131));
    EXPECT_EQ(model.RectOfItem(31), Rect(132, 131, 150, 149));
    EXPECT_EQ(model.RectOfItem(D), l.defaultButton);
    EXPECT_TRUE(model.RectOfItem(N).isEmpty());
}

TEST(ColorPopupModelTest, WiderOpenerWidensThePopupAndCentresTheGrids)
{
    ColorPopupModel model(kColorNone, 0);
    model.LayoutWindow(200, 2);
    EXPECT_EQ(model.layout().window.width(), 200);
    EXPECT_EQ(model.layout().defaultButton.width(), 189);
    EXPECT_EQ(model.layout().standardGrid.left, 26);
    EXPECT_EQ(ColorPopupModel::CellSizeFor(2), 18);
    EXPECT_EQ(ColorPopupModel::CellSizeFor(5), 18);
    EXPECT_EQ(ColorPopupModel::CellSizeFor(6), 19);
}

TEST(ColorPopupModelTest, HitTestFindsButtonsAndCells)
{
    const ColorPopupModel model = modelWithButtons(true, true);
    EXPECT_EQ(model.HitTest({10, 10}), D);
    EXPECT_EQ(model.HitTest({10, 170}), C);
    EXPECT_EQ(model.HitTest({6, 48}), 0);
    EXPECT_EQ(model.HitTest({149, 83}), 15);
    EXPECT_EQ(model.HitTest({24, 113}), 17);
    EXPECT_EQ(model.HitTest({149, 148}), 31);
    EXPECT_EQ(model.HitTest({50, 40}), N) << "the label";
    EXPECT_EQ(model.HitTest({155, 60}), N) << "right of the grid";
    EXPECT_FALSE(model.OnItemRegion({50, 40}));
    EXPECT_TRUE(model.OnItemRegion({50, 120}));

    const ColorPopupModel bare = modelWithButtons(false, false);
    EXPECT_EQ(bare.HitTest({10, 10}), N);
    EXPECT_FALSE(bare.OnItemRegion({10, 170}));
}

struct MoveCase
{
    int from;
    ColorPopupModel::Move move;
    bool defaultButton;
    bool customButton;
    int to;
};

std::ostream& operator<<(std::ostream& out, const MoveCase& c)
{
    static const char* names[] = {"Down", "Up", "Right", "Left"};
    return out << c.from << " " << names[int(c.move)] << " D" << c.defaultButton << " C" << c.customButton << " -> "
               << c.to;
}

class ColorPopupMoveTest : public ::testing::TestWithParam<MoveCase>
{
};

TEST_P(ColorPopupMoveTest, ArrowKeyMovesTheHoverItem)
{
    const MoveCase& c = GetParam();
    const ColorPopupModel model = modelWithButtons(c.defaultButton, c.customButton);
    EXPECT_EQ(model.ItemAfterMove(c.from, c.move), c.to);
}

using M = ColorPopupModel::Move;
INSTANTIATE_TEST_SUITE_P(Table, ColorPopupMoveTest,
                         ::testing::Values(MoveCase{D, M::Down, true, true, 0}, MoveCase{C, M::Down, true, true, D},
                                           MoveCase{C, M::Down, false, true, 0}, MoveCase{5, M::Down, true, true, 13},
                                           MoveCase{29, M::Down, true, true, C}, MoveCase{29, M::Down, true, false, D},
                                           MoveCase{29, M::Down, false, false, 0}, MoveCase{N, M::Down, true, true, C},
                                           MoveCase{D, M::Up, true, true, C}, MoveCase{D, M::Up, true, false, 31},
                                           MoveCase{C, M::Up, true, true, 31}, MoveCase{13, M::Up, true, true, 5},
                                           MoveCase{5, M::Up, true, true, D}, MoveCase{5, M::Up, false, true, C},
                                           MoveCase{5, M::Up, false, false, 31}, MoveCase{N, M::Up, true, true, D},
                                           MoveCase{D, M::Right, true, true, 0}, MoveCase{C, M::Right, true, true, D},
                                           MoveCase{3, M::Right, true, true, 4}, MoveCase{7, M::Right, true, true, 8},
                                           MoveCase{31, M::Right, true, true, C},
                                           MoveCase{31, M::Right, true, false, D},
                                           MoveCase{31, M::Right, false, false, 0},
                                           MoveCase{N, M::Right, true, true, C}, MoveCase{D, M::Left, true, true, C},
                                           MoveCase{D, M::Left, true, false, 31}, MoveCase{C, M::Left, true, true, 31},
                                           MoveCase{9, M::Left, true, true, 8}, MoveCase{8, M::Left, true, true, 7},
                                           MoveCase{0, M::Left, true, true, D}, MoveCase{0, M::Left, false, false, 31},
                                           MoveCase{N, M::Left, true, true, D}));

struct PlaceCase
{
    QPoint position;
    Rect expected;
};

class ColorPopupPlaceTest : public ::testing::TestWithParam<PlaceCase>
{
};

TEST_P(ColorPopupPlaceTest, StaysOnTheScreen)
{
    // A 160 x 193 popup on a 1024 x 768 screen, under a 22-pixel opener.
    const Rect placed = ColorPopupModel::PlaceWindow(GetParam().position, QSize(160, 193), Rect(0, 0, 1024, 768), 22);
    EXPECT_EQ(placed, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ColorPopupPlaceTest,
                         ::testing::Values(PlaceCase{{100, 100}, Rect(100, 100, 260, 293)},
                                           // Shifted left by the excess at the right edge.
                                           PlaceCase{{1000, 100}, Rect(864, 100, 1024, 293)},
                                           PlaceCase{{-30, 100}, Rect(0, 100, 160, 293)},
                                           // Above the opener when the bottom would pass the screen.
                                           PlaceCase{{100, 700}, Rect(100, 485, 260, 678)},
                                           PlaceCase{{1000, 700}, Rect(864, 485, 1024, 678)},
                                           // Never above the top of the screen.
                                           PlaceCase{{100, 600}, Rect(100, 385, 260, 578)},
                                           PlaceCase{{0, 760}, Rect(0, 545, 160, 738)},
                                           PlaceCase{{0, 200}, Rect(0, 200, 160, 393)}));

TEST(ColorPopupModelTest, CommittedValues)
{
    ColorPopupModel model(rgb(9, 8, 7), rgb(0, 0, 255));
    model.LayoutWindow(0, 2);
    EXPECT_EQ(model.CommitItem(D).result, kColorDefault);
    EXPECT_EQ(model.CommitItem(13).result, rgb(255, 0, 0));
    EXPECT_EQ(model.CommitItem(N).result, rgb(9, 8, 7)) << "no item keeps the opening colour";
    EXPECT_FALSE(model.CommitItem(13).openColorSpace);
    EXPECT_EQ(model.ItemOfColor(rgb(9, 8, 7)), C);
    const ColorPopupModel::Commit custom = model.CommitItem(C);
    EXPECT_TRUE(custom.openColorSpace);
    EXPECT_EQ(custom.result, rgb(9, 8, 7));

    EXPECT_EQ(model.ColorSpaceStart(), rgb(9, 8, 7));
    EXPECT_EQ(ColorPopupModel(kColorDefault, rgb(0, 0, 255)).ColorSpaceStart(), rgb(0, 0, 255));
    EXPECT_EQ(ColorPopupModel(kColorNone, rgb(0, 0, 255)).ColorSpaceStart(), rgb(255, 255, 255));
}

// ---- user colours in the settings store ----

TEST(CustomColorsTest, MissingValuesAreWhiteAndWrittenAtOnce)
{
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, CustomColorsKey()));
        ASSERT_TRUE(reg.WriteDWord("CustomColor3", rgb(1, 2, 3)));
    }
    const CustomColorTable colors = LoadCustomColors();
    EXPECT_EQ(colors[2], rgb(1, 2, 3));
    EXPECT_EQ(colors[0], 0xFFFFFFu);
    EXPECT_EQ(colors[15], 0xFFFFFFu);
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, "Software\\Vornasoft\\Vorna-Paginor 2002\\Colors"));
    quint32 stored = 0;
    EXPECT_TRUE(reg.ReadDWord("CustomColor16", stored));
    EXPECT_EQ(stored, 0xFFFFFFu);
    EXPECT_EQ(reg.GetLastType(), REG_DWORD);
}

TEST(CustomColorsTest, StoredValuesAreColoursNeverMarkers)
{
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, CustomColorsKey()));
        ASSERT_TRUE(reg.WriteDWord("CustomColor1", kColorDefault));
        ASSERT_TRUE(reg.WriteDWord("CustomColor2", kColorNone));
        ASSERT_TRUE(reg.WriteDWord("CustomColor3", 0x02123456u));
    }
    const CustomColorTable colors = LoadCustomColors();
    EXPECT_EQ(colors[0], 0xFFFFFFu);
    EXPECT_EQ(colors[1], 0xFFFFFEu);
    EXPECT_EQ(colors[2], 0x123456u);
    // A user cell holding such a value hands the caller a colour.
    ColorPopupModel model(kColorNone, 0);
    model.SetUserColors(colors);
    EXPECT_FALSE(IsColorMarker(model.CommitItem(17).result));
}

TEST(CustomColorsTest, SavedColoursComeBack)
{
    CustomColorTable colors;
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = rgb(int(i), 100, 200);
    ASSERT_TRUE(SaveCustomColors(colors));
    EXPECT_EQ(LoadCustomColors(), colors);
}

// ---- the popup window ----

// Runs the popup with an action, as the user would answer it.
int runPopup(CColorPopup& popup, std::function<void(CColorPopup&)> action)
{
    platform::ModalResponder responder;
    responder.on(IDD_COLOR_POPUP, [&](QDialog& dialog) { action(static_cast<CColorPopup&>(dialog)); });
    return popup.DoModal();
}

QPoint centreOf(const CColorPopup& popup, int item)
{
    return popup.ItemRect(item).center();
}

TEST(CColorPopupTest, ClickOnACellCommitsItsColourAfterPreviewingIt)
{
    CColorPopup popup(100, 100, 0, kColorNone, 0, nullptr);
    QSignalSpy hover(&popup, &CColorPopup::hoverColorChanged);
    QSignalSpy chosen(&popup, &CColorPopup::colorChosen);
    const int result = runPopup(popup, [](CColorPopup& p) {
        QTest::mouseMove(&p, centreOf(p, 2));
        QTest::mouseClick(&p, Qt::LeftButton, {}, centreOf(p, 13));
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(popup.GetColor(), rgb(255, 0, 0));
    ASSERT_GE(hover.count(), 2);
    EXPECT_EQ(hover.first().at(0).value<ColorRef>(), rgb(0, 128, 0));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.first().at(0).value<ColorRef>(), rgb(255, 0, 0));
}

TEST(CColorPopupTest, EnterWithoutAHoverItemKeepsTheOpeningColour)
{
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Space)}) {
        CColorPopup popup(100, 100, 0, rgb(0, 0, 255), 0, nullptr);
        EXPECT_EQ(popup.model().chosen, 14);
        const int result = runPopup(popup, [key](CColorPopup& p) { QTest::keyClick(&p, Qt::Key(key)); });
        EXPECT_EQ(result, platform::IDOK);
        EXPECT_EQ(popup.GetColor(), rgb(0, 0, 255)) << "the caller's colour is not erased";
    }
}

TEST(CColorPopupTest, KeyboardReachesTheDefaultButton)
{
    CColorPopup popup(100, 100, 0, rgb(0, 0, 255), rgb(10, 20, 30), nullptr);
    QSignalSpy hover(&popup, &CColorPopup::hoverColorChanged);
    const int result = runPopup(popup, [](CColorPopup& p) {
        QTest::keyClick(&p, Qt::Key_Down); // no item -> custom button
        QTest::keyClick(&p, Qt::Key_Down); // custom -> default
        QTest::keyClick(&p, Qt::Key_Return);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(popup.GetColor(), kColorDefault);
    ASSERT_EQ(hover.count(), 2);
    EXPECT_EQ(hover.at(1).at(0).value<ColorRef>(), rgb(10, 20, 30));
}

TEST(CColorPopupTest, EscapeAndClicksOutsideCancelWithTheOpeningColour)
{
    {
        CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
        QSignalSpy cancelled(&popup, &CColorPopup::choiceCancelled);
        EXPECT_EQ(runPopup(popup, [](CColorPopup& p) { QTest::keyClick(&p, Qt::Key_Escape); }), platform::IDCANCEL);
        EXPECT_EQ(popup.GetColor(), rgb(1, 2, 3));
        ASSERT_EQ(cancelled.count(), 1);
        EXPECT_EQ(cancelled.first().at(0).value<ColorRef>(), rgb(1, 2, 3));
    }
    {
        CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
        EXPECT_EQ(runPopup(popup,
                           [](CColorPopup& p) {
                               QTest::mouseMove(&p, centreOf(p, 0));
                               QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(-20, -20));
                           }),
                  platform::IDCANCEL);
        EXPECT_EQ(popup.GetColor(), rgb(1, 2, 3));
    }
}

TEST(CColorPopupTest, ReleaseOfAClickBegunBeforeItOpenedChoosesNothing)
{
    // The popup can open under the pointer in the middle of a click (placed
    // over its opener at a short screen): that release is on a cell the
    // pointer never moved onto, and neither commits nor closes.
    CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
    QSignalSpy chosen(&popup, &CColorPopup::colorChosen);
    const int result = runPopup(popup, [](CColorPopup& p) {
        QTest::mouseRelease(&p, Qt::LeftButton, {}, centreOf(p, 13));
        EXPECT_TRUE(p.isVisible());
        QTest::keyClick(&p, Qt::Key_Escape);
    });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(chosen.count(), 0);
}

TEST(CColorPopupTest, MovingOffAllItemsPreviewsTheOpeningColour)
{
    CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
    QSignalSpy hover(&popup, &CColorPopup::hoverColorChanged);
    runPopup(popup, [](CColorPopup& p) {
        QTest::mouseMove(&p, centreOf(p, 5));
        QTest::mouseMove(&p, p.model().layout().standardLabel.toQRect().center() + QPoint(3, 3));
        // A release on the label neither commits nor cancels.
        QTest::mouseRelease(&p, Qt::LeftButton, {}, p.model().layout().standardLabel.toQRect().center());
        EXPECT_TRUE(p.isVisible());
        QTest::keyClick(&p, Qt::Key_Escape);
    });
    ASSERT_EQ(hover.count(), 2);
    EXPECT_EQ(hover.at(1).at(0).value<ColorRef>(), rgb(1, 2, 3));
}

TEST(CColorPopupTest, CustomButtonMixesTheColourInTheColourSpaceDialog)
{
    CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
    EXPECT_EQ(popup.model().chosen, C);
    platform::ModalResponder responder;
    responder.on(IDD_COLOR_SPACE, [](QDialog& d) {
        platform::ModalResponder::setText(d, 1010, "ff8000");
        platform::ModalResponder::press(d, platform::IDOK);
    });
    responder.on(IDD_COLOR_POPUP, [](QDialog& d) {
        auto& p = static_cast<CColorPopup&>(d);
        QTest::mouseClick(&p, Qt::LeftButton, {}, centreOf(p, C));
    });
    EXPECT_EQ(popup.DoModal(), platform::IDOK);
    EXPECT_EQ(popup.GetColor(), rgb(255, 128, 0));
}

TEST(CColorPopupTest, CancellingTheColourSpaceDialogCancelsThePopup)
{
    CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
    QSignalSpy chosen(&popup, &CColorPopup::colorChosen);
    platform::ModalResponder responder;
    responder.answer(IDD_COLOR_SPACE, platform::IDCANCEL);
    responder.on(IDD_COLOR_POPUP, [](QDialog& d) {
        auto& p = static_cast<CColorPopup&>(d);
        QTest::mouseClick(&p, Qt::LeftButton, {}, centreOf(p, C));
    });
    EXPECT_EQ(popup.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(popup.GetColor(), rgb(1, 2, 3));
    EXPECT_EQ(chosen.count(), 0);
}

TEST(CColorPopupTest, OpensOnTheScreenNearItsEdges)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->geometry();
    CColorPopup popup(area.right() - 10, area.bottom() - 10, 0, kColorNone, 0, nullptr);
    EXPECT_EQ(popup.geometry().right(), area.right());
    EXPECT_LT(popup.geometry().bottom(), area.bottom() - 10);
}

TEST(CColorPopupTest, PictureForReview)
{
    CustomColorTable user;
    for (size_t i = 0; i < user.size(); ++i)
        user[i] = rgb(int(i) * 16, 255 - int(i) * 16, 128);
    user[15] = kMissingCustomColor;
    ASSERT_TRUE(SaveCustomColors(user));
    CColorPopup popup(100, 100, 0, rgb(0, 0, 255), rgb(0, 0, 0), nullptr);
    QImage picture;
    runPopup(popup, [&picture](CColorPopup& p) {
        QTest::mouseMove(&p, centreOf(p, 20));
        picture = p.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTest::keyClick(&p, Qt::Key_Escape);
    });
    ASSERT_EQ(picture.size(), QSize(160, 193));
    // Each cell's swatch shows its colour.
    for (int item = 0; item < 32; ++item) {
        const ColorRef c = popup.model().ColorOfItem(item);
        EXPECT_EQ(picture.pixelColor(centreOf(popup, item)), platform::toQColor(c)) << item;
    }
    const QString expected = qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/colour-popup.png";
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(picture.save(expected));
    } else if (QFile::exists(expected)) {
        const QImage committed = QImage(expected).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(committed.size(), picture.size());
        for (int item = 0; item < 32; ++item)
            EXPECT_EQ(committed.pixelColor(centreOf(popup, item)), picture.pixelColor(centreOf(popup, item))) << item;
    }
}

// ---- the colour field ----

TEST(CColorPickerCBTest, ColourStringsAndControlId)
{
    CColorPickerCB field;
    EXPECT_EQ(field.GetColor(), kColorNone);
    EXPECT_EQ(field.GetColorString(), "");
    field.SetDefaultColor(rgb(255, 0, 0));
    field.SetColor(kColorDefault);
    EXPECT_EQ(field.GetColorString(), "#ff0000");
    field.SetColor(rgb(1, 0xab, 0x20));
    EXPECT_EQ(field.GetColorString(), "#01ab20");
    EXPECT_EQ(field.GetDlgCtrlID(), 0);
    field.setObjectName("id_1294");
    EXPECT_EQ(field.GetDlgCtrlID(), 1294);
}

// A shown dialog with one black colour field whose notifications are logged.
struct FieldLog
{
    QWidget dialog;
    CColorPickerCB* field = nullptr;
    QStringList events;

    explicit FieldLog(int id)
    {
        field = new CColorPickerCB(&dialog);
        field->setObjectName(QStringLiteral("id_%1").arg(id));
        field->setGeometry(10, 10, 120, 22);
        field->SetColor(rgb(0, 0, 0));
        dialog.show();
        attach(*field);
    }

    void attach(CColorPickerCB& field)
    {
        QObject::connect(&field, &CColorPickerCB::selectionChanged, [this](ColorRef c, int id) {
            events << QStringLiteral("preview %1 %2").arg(c, 0, 16).arg(id);
        });
        QObject::connect(&field, &CColorPickerCB::popupClosed, [this](ColorRef c, int id) {
            events << QStringLiteral("closed %1 %2").arg(c, 0, 16).arg(id);
        });
        QObject::connect(&field, &CColorPickerCB::colorChosen, [this](ColorRef c, int id) {
            events << QStringLiteral("chosen %1 %2").arg(c, 0, 16).arg(id);
        });
        QObject::connect(&field, &CColorPickerCB::choiceCancelled, [this](ColorRef c, int id) {
            events << QStringLiteral("cancelled %1 %2").arg(c, 0, 16).arg(id);
        });
    }
};

TEST(CColorPickerCBTest, ClickOpensThePopupAndReportsTheChoice)
{
    FieldLog log(1033);
    CColorPickerCB* field = log.field;
    platform::ModalResponder responder;
    responder.on(IDD_COLOR_POPUP, [](QDialog& d) {
        auto& p = static_cast<CColorPopup&>(d);
        QTest::mouseMove(&p, centreOf(p, 13));
        QTest::mouseClick(&p, Qt::LeftButton, {}, centreOf(p, 13));
    });
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_EQ(field->GetColor(), rgb(255, 0, 0));
    EXPECT_EQ(log.events, QStringList({"preview ff 1033", "preview ff 1033", "closed ff 1033", "chosen ff 1033"}));
}

TEST(CColorPickerCBTest, CancelRestoresTheValueBeforeThePreview)
{
    FieldLog log(1005);
    CColorPickerCB* field = log.field;
    platform::ModalResponder responder;
    responder.on(IDD_COLOR_POPUP, [field](QDialog& d) {
        auto& p = static_cast<CColorPopup&>(d);
        QTest::mouseMove(&p, centreOf(p, 1));
        EXPECT_EQ(field->GetColor(), rgb(255, 255, 255)) << "the field previews the hovered colour";
        QTest::keyClick(&p, Qt::Key_Escape);
    });
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(field->GetColor(), rgb(0, 0, 0));
    EXPECT_EQ(log.events, QStringList({"preview ffffff 1005", "closed 0 1005", "cancelled 0 1005"}));
}

TEST(CColorPickerCBTest, DrawsTheSwatchOrTheDefaultColour)
{
    CColorPickerCB field;
    field.resize(120, 24);
    const QRect item(0, 0, 100, 24);
    QImage image(120, 24, QImage::Format_RGB32);

    field.SetColor(rgb(0, 128, 0));
    {
        QPainter dc(&image);
        field.DrawItem(dc, item);
    }
    EXPECT_EQ(image.pixelColor(50, 12), QColor(0, 128, 0));

    field.SetDefaultColor(rgb(0, 0, 255));
    field.SetColor(kColorDefault);
    {
        QPainter dc(&image);
        field.DrawItem(dc, item);
    }
    // The default swatch: 12 x 12 at (6, 9) inside its outline.
    EXPECT_EQ(image.pixelColor(12, 12), QColor(0, 0, 255));
    EXPECT_NE(image.pixelColor(80, 12), QColor(0, 0, 255));

    field.SetColor(kColorNone);
    {
        QPainter dc(&image);
        field.DrawItem(dc, item);
    }
    EXPECT_EQ(image.pixelColor(12, 12), image.pixelColor(50, 12)) << "no colour: the face only";
}

} // namespace

namespace {

TEST(CColorPopupTest, RunsInItsOwnEventLoopAndStepsAsideForTheColourSpaceDialog)
{
    CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
    platform::ModalResponder responder;
    responder.on(IDD_COLOR_SPACE, [](QDialog& d) {
        platform::ModalResponder::setText(d, IDC_COLOR_HEX, "102030");
        platform::ModalResponder::press(d, platform::IDOK);
    });
    QTimer::singleShot(0, &popup, [&popup] {
        EXPECT_TRUE(popup.isVisible());
        QTest::mouseClick(&popup, Qt::LeftButton, {}, centreOf(popup, C));
    });
    EXPECT_EQ(popup.exec(), platform::IDOK);
    EXPECT_EQ(popup.GetColor(), rgb(0x10, 0x20, 0x30));
}

TEST(CColorPopupTest, ReleaseOutsideAfterAPressInsideCancels)
{
    CColorPopup popup(100, 100, 0, rgb(1, 2, 3), 0, nullptr);
    EXPECT_EQ(runPopup(popup,
                       [](CColorPopup& p) {
                           QTest::mousePress(&p, Qt::LeftButton, {}, p.model().layout().userLabel.toQRect().center());
                           QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(p.width() + 30, 10));
                       }),
              platform::IDCANCEL);
    EXPECT_EQ(popup.GetColor(), rgb(1, 2, 3));
}

TEST(CColorPopupTest, TooltipNamesTheItemUnderThePointer)
{
    CColorPopup popup(100, 100, 0, kColorNone, 0, nullptr);
    runPopup(popup, [](CColorPopup& p) {
        const QPoint at = centreOf(p, 13);
        QHelpEvent help(QEvent::ToolTip, at, p.mapToGlobal(at));
        QApplication::sendEvent(&p, &help);
        EXPECT_EQ(QToolTip::text(), QString::fromUtf8("赤"));
        QTest::keyClick(&p, Qt::Key_Escape);
    });
}

TEST(CColorPickerCBTest, TabbingIntoTheFieldOpensThePalette)
{
    FieldLog log(1446);
    auto* other = new QLineEdit(&log.dialog);
    other->move(10, 40);
    other->show();
    QApplication::setActiveWindow(&log.dialog);
    other->setFocus();
    platform::ModalResponder responder;
    responder.answer(IDD_COLOR_POPUP, platform::IDCANCEL);
    log.field->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(QTest::qWaitFor([&] { return responder.runCount(IDD_COLOR_POPUP) == 1; }, 2000));
    // The focus coming back from elsewhere than the keyboard does not open it again.
    other->setFocus();
    log.field->setFocus(Qt::ActiveWindowFocusReason);
    log.field->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(responder.runCount(IDD_COLOR_POPUP), 1);
    EXPECT_EQ(log.events, QStringList({"closed 0 1446", "cancelled 0 1446"}));
}

} // namespace
