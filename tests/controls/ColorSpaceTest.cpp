// The colour-space dialog: wheel and bar maths, number and hexadecimal
// fields, custom slots, and the dialog on the offscreen platform.

#include "controls/CColorSpace.h"
#include "controls/ColorSpaceModel.h"
#include "controls/CustomColors.h"
#include "controls/NumberEdit.h"

#include "platform/ModalResponder.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include <cmath>

using platform::ColorRef;
using platform::Rect;
using platform::rgb;
using Field = ColorSpaceModel::Field;

namespace {

// The wheel area at (10, 10), centre (110, 110); a 20 x 200 bar at (230, 10);
// swatches; a custom area of 206 x 41 whose division leaves a strip.
ColorSpaceModel placedModel(ColorRef previous = rgb(255, 0, 0))
{
    ColorSpaceModel model(previous);
    model.SetGeometry(Rect(10, 10, 212, 211), Rect(230, 10, 250, 210), Rect(300, 10, 336, 46), Rect(340, 10, 376, 46),
                      Rect(300, 100, 506, 141));
    return model;
}

TEST(ColorSpaceModelTest, StartsWhiteWithThePreviousColourAside)
{
    const ColorSpaceModel model = placedModel(rgb(1, 2, 3));
    EXPECT_EQ(model.NewColor(), rgb(255, 255, 255));
    EXPECT_EQ(model.hsv(), (HsvTriple{0, 0, 255}));
    EXPECT_EQ(model.PreviousColor(), rgb(1, 2, 3));
    EXPECT_EQ(model.HexText(), "FFFFFF");
    EXPECT_EQ(model.centre(), QPoint(110, 110));
}

TEST(ColorSpaceModelTest, WheelGeometry)
{
    const QPoint c(110, 110);
    EXPECT_EQ(ColorSpaceModel::Distance(c, c + QPoint(3, 4)), 5);
    EXPECT_EQ(ColorSpaceModel::Distance(c, c + QPoint(1, 1)), 1) << "truncated";
    EXPECT_EQ(ColorSpaceModel::AngleOf(c, c), 0.0);
    EXPECT_NEAR(ColorSpaceModel::AngleOf(c + QPoint(10, 0), c), 0.0, 1e-9);
    // Counter-clockwise from east with the screen's y pointing down.
    EXPECT_NEAR(ColorSpaceModel::AngleOf(c + QPoint(0, -10), c), M_PI / 2, 1e-9);
    EXPECT_NEAR(ColorSpaceModel::AngleOf(c + QPoint(0, 10), c), -M_PI / 2, 1e-9);
    EXPECT_EQ(ColorSpaceModel::PointOf(0, 255, c), c + QPoint(100, 0));
    EXPECT_EQ(ColorSpaceModel::PointOf(90, 255, c), c + QPoint(0, -100));
    EXPECT_EQ(ColorSpaceModel::PointOf(180, 255, c), c + QPoint(-100, 0));
    EXPECT_EQ(ColorSpaceModel::PointOf(45, 255, c), c + QPoint(70, -70));
    EXPECT_EQ(ColorSpaceModel::PointOf(123, 0, c), c);
    const ColorSpaceModel model = placedModel();
    EXPECT_TRUE(model.InWheel(c + QPoint(100, 0)));
    EXPECT_FALSE(model.InWheel(c + QPoint(101, 0)));
}

TEST(ColorSpaceModelTest, WheelClickTakesHueAndSaturationAtFullBrightness)
{
    ColorSpaceModel model = placedModel();
    ASSERT_TRUE(model.SetField(Field::Brightness, 0));
    ASSERT_TRUE(model.ButtonDown(QPoint(110, 60))); // 50 up: hue 90, saturation 127
    EXPECT_EQ(model.drag(), ColorSpaceModel::Drag::Wheel);
    EXPECT_EQ(model.hsv(), (HsvTriple{90, 127, 255}));
    EXPECT_EQ(model.rgb().blue, 128);
    // Dragged far outside, the saturation stays full in the pointer's direction.
    model.TrackPoint(QPoint(110, 110 + 300));
    EXPECT_EQ(model.hsv(), (HsvTriple{270, 255, 255}));
    model.TrackPoint(QPoint(110 + 50, 110 + 1));
    EXPECT_EQ(model.hsv().hue, 359) << "a small negative angle comes round";
    model.ButtonUp();
    model.TrackPoint(QPoint(110, 60));
    EXPECT_EQ(model.hsv().hue, 359) << "no tracking after the release";
    // The centre is white.
    model.ButtonDown(QPoint(110, 110));
    EXPECT_EQ(model.NewColor(), rgb(255, 255, 255));
}

TEST(ColorSpaceModelTest, WheelPictureShowsWhatAClickGives)
{
    const QImage& wheel = ColorSpaceModel::WheelImage();
    ASSERT_EQ(wheel.size(), QSize(202, 201));
    EXPECT_EQ(wheel.pixel(0, 0), qRgb(0, 0, 0)) << "black outside the circle";
    EXPECT_EQ(wheel.pixel(100, 100), qRgb(255, 255, 255));
    EXPECT_EQ(wheel.pixel(200, 100), qRgb(255, 0, 0)) << "red at the east";
    ColorSpaceModel model = placedModel();
    for (const QPoint offset : {QPoint(30, -40), QPoint(-70, 10), QPoint(5, 90)}) {
        model.ButtonDown(model.centre() + offset);
        const ColorRef c = model.NewColor();
        EXPECT_EQ(wheel.pixel(QPoint(100, 100) + offset),
                  qRgb(platform::redOf(c), platform::greenOf(c), platform::blueOf(c)));
    }
}

TEST(ColorSpaceModelTest, BarTrackingAndMarkers)
{
    ColorSpaceModel model = placedModel();
    EXPECT_EQ(model.WheelMarker(), Rect(105, 105, 115, 115));
    EXPECT_EQ(model.BarMarker(), Rect(228, 6, 252, 14));
    ASSERT_TRUE(model.ButtonDown(QPoint(240, 110))); // halfway
    EXPECT_EQ(model.drag(), ColorSpaceModel::Drag::Bar);
    EXPECT_EQ(model.hsv().value, 127);
    EXPECT_EQ(model.NewColor(), rgb(127, 127, 127));
    model.TrackPoint(QPoint(500, 400));
    EXPECT_EQ(model.hsv().value, 0) << "below the bar";
    model.TrackPoint(QPoint(0, -50));
    EXPECT_EQ(model.hsv().value, 255) << "above the bar";
    ASSERT_TRUE(model.SetField(Field::Brightness, 51));
    EXPECT_EQ(model.BarMarker(), Rect(228, 166, 252, 174));
}

TEST(ColorSpaceModelTest, BarPaletteRunsFromBrightToBlack)
{
    ColorSpaceModel model(0);
    model.SetGeometry(Rect(0, 0, 202, 201), Rect(0, 0, 10, 100), Rect(), Rect(), Rect());
    model.SetHsv({0, 255, 255});
    const std::vector<ColorRef> palette = model.BarPalette();
    ASSERT_EQ(palette.size(), 100u);
    EXPECT_EQ(palette.front(), rgb(252, 0, 0));
    EXPECT_EQ(palette.back(), rgb(0, 0, 0));
    for (int row = 0; row < 100; ++row)
        EXPECT_EQ(model.BarEntryOfRow(row), row);
}

TEST(ColorSpaceModelTest, TallBarSharesTheTwoHundredFiftySixEntries)
{
    ColorSpaceModel model(0);
    model.SetGeometry(Rect(0, 0, 202, 201), Rect(0, 0, 10, 600), Rect(), Rect(), Rect());
    EXPECT_EQ(model.BarPalette().size(), 256u);
    EXPECT_EQ(model.BarEntryOfRow(0), 0);
    EXPECT_EQ(model.BarEntryOfRow(599), 255);
    int previous = 0;
    for (int row = 0; row < 600; ++row) {
        const int entry = model.BarEntryOfRow(row);
        EXPECT_GE(entry, previous);
        EXPECT_LE(entry, 255);
        previous = entry;
    }
}

struct FieldCase
{
    Field field;
    int typed;
    bool taken;
    int stored;
};

class ColorSpaceFieldTest : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(ColorSpaceFieldTest, NumberIsLimitedToItsRange)
{
    ColorSpaceModel model = placedModel();
    model.SetRgb({200, 100, 50});
    const FieldCase& c = GetParam();
    EXPECT_EQ(model.SetField(c.field, c.typed), c.taken);
    EXPECT_EQ(model.FieldValue(c.field), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Table, ColorSpaceFieldTest,
                         ::testing::Values(FieldCase{Field::Red, 300, true, 255},
                                           FieldCase{Field::Red, 200, false, 200}, FieldCase{Field::Green, -5, true, 0},
                                           FieldCase{Field::Blue, 0, true, 0}, FieldCase{Field::Hue, 360, true, 360},
                                           FieldCase{Field::Hue, 400, true, 360},
                                           FieldCase{Field::Saturation, 999, true, 255},
                                           FieldCase{Field::Brightness, 10, true, 10}));

struct HexCase
{
    const char* typed;
    int selection;
    const char* remembered;
    const char* text;
    int selectionAfter;
    bool changed;
};

class ColorSpaceHexTest : public ::testing::TestWithParam<HexCase>
{
};

TEST_P(ColorSpaceHexTest, FieldKeepsSixHexadecimalDigits)
{
    const HexCase& c = GetParam();
    ColorSpaceModel model = placedModel();
    const ColorSpaceModel::HexEdit edit = model.EditHex(c.typed, c.selection, c.selection, c.remembered);
    EXPECT_EQ(edit.text, QString::fromLatin1(c.text));
    EXPECT_EQ(edit.selectionStart, c.selectionAfter);
    EXPECT_EQ(edit.selectionEnd, c.selectionAfter);
    EXPECT_EQ(edit.colorChanged, c.changed);
}

INSTANTIATE_TEST_SUITE_P(Table, ColorSpaceHexTest,
                         ::testing::Values(HexCase{"ff8000", 6, "ff800", "FF8000", 6, true},
                                           // A bad character goes and the caret steps back over it.
                                           HexCase{"FF8G", 4, "FF8", "FF8", 3, false},
                                           HexCase{"FFG8000", 3, "FF8000", "FF8000", 2, false},
                                           HexCase{"12345", 5, "1234", "12345", 5, false},
                                           HexCase{"FFFFFF7", 7, "FFFFFF", "FFFFFF", 7, false},
                                           HexCase{"FF80001", 7, "FF8000", "FF8000", 7, false},
                                           // A pasted text loses every bad character.
                                           HexCase{"#ff 80 00", 9, "FFFFFF", "FF8000", 6, true}));

TEST(ColorSpaceModelTest, SlotsAndTheStripTheDivisionLeaves)
{
    ColorSpaceModel model = placedModel(); // custom area 206 x 41: cells 25 x 20
    EXPECT_EQ(model.SlotRect(1), Rect(300, 100, 325, 120));
    EXPECT_EQ(model.SlotRect(16), Rect(475, 120, 500, 140));
    EXPECT_TRUE(model.SlotRect(0).isEmpty());
    EXPECT_TRUE(model.SlotRect(17).isEmpty());
    EXPECT_EQ(model.SlotAtPoint({300, 100}), 1);
    EXPECT_EQ(model.SlotAtPoint({499, 139}), 16);
    EXPECT_EQ(model.SlotAtPoint({326, 121}), 10);
    EXPECT_EQ(model.SlotAtPoint({502, 105}), 0) << "right of the eighth column";
    EXPECT_EQ(model.SlotAtPoint({310, 140}), 0) << "below the second row";
    EXPECT_EQ(model.SlotAtPoint({299, 105}), 0);

    CustomColorTable colors;
    colors.fill(rgb(9, 9, 9));
    colors[9] = rgb(0, 0, 255);
    model.SetCustomColors(colors);
    EXPECT_FALSE(model.ButtonDown({502, 105})) << "the strip selects nothing";
    EXPECT_EQ(model.selectedSlot(), 1);
    EXPECT_FALSE(model.ButtonDown({305, 105})) << "the selected slot does not load its colour";
    EXPECT_EQ(model.NewColor(), rgb(255, 255, 255));
    EXPECT_TRUE(model.ButtonDown({330, 125}));
    EXPECT_EQ(model.selectedSlot(), 10);
    EXPECT_EQ(model.NewColor(), rgb(0, 0, 255));
    model.SetRgb({1, 2, 3});
    model.AddCustomColor();
    EXPECT_EQ(model.customColors()[9], rgb(1, 2, 3));
}

TEST(ColorSpaceModelTest, PreviousSwatchBringsThePreviousColourBack)
{
    ColorSpaceModel model = placedModel(rgb(10, 20, 30));
    EXPECT_TRUE(model.ButtonDown({310, 20}));
    EXPECT_EQ(model.NewColor(), rgb(10, 20, 30));
    EXPECT_EQ(model.drag(), ColorSpaceModel::Drag::None);
    EXPECT_FALSE(model.ButtonDown({700, 700}));
}

// ---- the dialog ----

QPoint centreOfControl(QWidget& dialog, int id)
{
    auto* control = dialog.findChild<QWidget*>(QStringLiteral("id_%1").arg(id));
    EXPECT_NE(control, nullptr) << id;
    return control ? control->mapTo(&dialog, control->rect().center()) : QPoint();
}

QString textOf(QWidget& dialog, int id)
{
    if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("id_%1").arg(id)))
        return edit->text();
    if (auto* number = dialog.findChild<NumberEdit*>(QStringLiteral("id_%1").arg(id)))
        return number->text();
    return "<missing>";
}

TEST(CColorSpaceTest, OkAtOnceGivesWhiteAndThePreviousSwatchGivesThePreviousColour)
{
    {
        CColorSpace dialog(rgb(255, 0, 0));
        platform::ModalResponder responder;
        responder.on(IDD_COLOR_SPACE, [](QDialog& d) { platform::ModalResponder::press(d, platform::IDOK); });
        EXPECT_EQ(dialog.DoModal(), platform::IDOK);
        EXPECT_EQ(dialog.GetColor(), rgb(255, 255, 255));
    }
    CColorSpace dialog(rgb(255, 0, 0));
    dialog.show();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, centreOfControl(dialog, IDC_COLOR_PREVIOUS));
    EXPECT_EQ(dialog.GetColor(), rgb(255, 0, 0));
    EXPECT_EQ(textOf(dialog, IDC_COLOR_HEX), "FF0000");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_RED), "255");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_GREEN), "0");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_HUE), "0");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_SATURATION), "255");
}

TEST(CColorSpaceTest, TypedFieldsRewriteEachOther)
{
    CColorSpace dialog(0);
    dialog.show();
    auto* hex = dialog.findChild<QLineEdit*>("id_1010");
    ASSERT_NE(hex, nullptr);
    hex->selectAll();
    QTest::keyClicks(hex, "ff8000");
    EXPECT_EQ(hex->text(), "FF8000");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_RED), "255");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_GREEN), "128");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_BLUE), "0");
    EXPECT_EQ(textOf(dialog, IDC_COLOR_HUE), "30");

    QTest::keyClicks(hex, "x");
    EXPECT_EQ(hex->text(), "FF8000");

    auto* red = dialog.findChild<NumberEdit*>("id_1269");
    ASSERT_NE(red, nullptr);
    red->setText("300");
    EXPECT_EQ(red->text(), "255");
    auto* hue = dialog.findChild<NumberEdit*>("id_1277");
    hue->setText("360");
    EXPECT_EQ(hue->text(), "360") << "the hue field takes 360";
    EXPECT_EQ(dialog.GetColor(), rgb(255, 0, 0));
    EXPECT_EQ(hex->text(), "FF0000");
}

TEST(CColorSpaceTest, WheelAndBarFollowTheMouse)
{
    CColorSpace dialog(0);
    dialog.show();
    const QPoint centre = dialog.model().centre();
    QTest::mousePress(&dialog, Qt::LeftButton, {}, centre + QPoint(100, 0));
    EXPECT_EQ(dialog.GetColor(), rgb(255, 0, 0));
    QTest::mouseMove(&dialog, centre + QPoint(0, 250));
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, centre + QPoint(0, 250));
    EXPECT_EQ(dialog.model().hsv(), (HsvTriple{270, 255, 255}));
    const Rect bar = dialog.model().bar();
    QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(bar.left + 2, bar.bottom - 1));
    EXPECT_EQ(dialog.model().hsv().value, 1);
    QTest::mouseMove(&dialog, QPoint(bar.left + 2, bar.bottom + 20));
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(bar.left + 2, bar.bottom + 20));
    EXPECT_EQ(dialog.model().hsv().value, 0);
    EXPECT_EQ(dialog.GetColor(), rgb(0, 0, 0));
    EXPECT_EQ(textOf(dialog, IDC_COLOR_BRIGHTNESS), "0");
}

TEST(CColorSpaceTest, CustomSlotsAreStoredAlsoOnCancel)
{
    CColorSpace dialog(rgb(0, 128, 0));
    platform::ModalResponder responder;
    responder.on(IDD_COLOR_SPACE, [](QDialog& d) {
        QTest::mouseClick(&d, Qt::LeftButton, {}, centreOfControl(d, IDC_COLOR_PREVIOUS));
        platform::ModalResponder::press(d, IDC_COLOR_ADD_CUSTOM);
        platform::ModalResponder::press(d, platform::IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(LoadCustomColors()[0], rgb(0, 128, 0));
    EXPECT_EQ(LoadCustomColors()[1], kMissingCustomColor);
}

TEST(CColorSpaceTest, PictureForReview)
{
    CustomColorTable colors;
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = RgbTripleToColorRef(HsvToRgb({int(i) * 22, 200, 230}));
    ASSERT_TRUE(SaveCustomColors(colors));
    CColorSpace dialog(rgb(0, 0, 128));
    dialog.show();
    const QPoint centre = dialog.model().centre();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, centre + QPoint(-40, -45));
    const Rect bar = dialog.model().bar();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(bar.left + 5, bar.top + bar.height() / 4));
    const QImage picture = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(dialog.model().centre(), centre) << "the areas stay where they were";
    // The wheel shows red east of its centre (saturation 242 at 95 pixels),
    // the swatches show their colours.
    const QPoint east = centre + QPoint(95, 0);
    EXPECT_EQ(picture.pixelColor(east), QColor(255, 13, 13));
    const Rect previous = dialog.model().previousSwatch();
    EXPECT_EQ(picture.pixelColor(previous.left + 10, previous.top + 10), QColor(0, 0, 128));
    const Rect fresh = dialog.model().newSwatch();
    EXPECT_EQ(picture.pixelColor(fresh.left + 10, fresh.top + 10), platform::toQColor(dialog.GetColor()));
    const QString expected =
        qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/colour-space-dialog.png";
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        ASSERT_TRUE(picture.save(expected));
    } else if (QFile::exists(expected)) {
        const QImage committed = QImage(expected).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(committed.size(), picture.size());
        EXPECT_EQ(committed.pixelColor(east), picture.pixelColor(east));
    }
}

} // namespace
