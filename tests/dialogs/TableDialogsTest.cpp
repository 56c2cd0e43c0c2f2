// The table and cell dialogs answered on the offscreen platform: the boxes,
// unit radios, colour lists and 参照 reach the fields the callers read.

#include "dialogs/VornaDialogTableCellProperty.h"
#include "dialogs/VornaDialogTableProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/NumberEdit.h"

#include "platform/ModalResponder.h"
#include "platform/ModalRunner.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using platform::ModalResponder;

namespace {
template <class Control> Control* DialogControl(QDialog& dialog, int id)
{
    auto* control = dialog.findChild<Control*>(QStringLiteral("id_%1").arg(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

QString ShownNumber(QDialog& dialog, int id)
{
    return DialogControl<NumberEdit>(dialog, id)->text();
}

void TypeNumber(QDialog& dialog, int id, const QString& text, bool leave)
{
    EXPECT_TRUE(ModalResponder::setText(dialog, id, text));
    if (leave) {
        EXPECT_TRUE(ModalResponder::leave(dialog, id));
    }
}
} // namespace

TEST(TableDialogs, TheTableDialogConvertsClampsAndHandsBackWhatWasDone)
{
    ModalResponder responder;
    VornaDialogTableProperty dialog;
    dialog.m_strRows = "3";
    dialog.m_strColumns = "3";
    dialog.m_strWidth = "400";
    dialog.m_bWidthPercent = false;
    dialog.m_nReferenceWidth = 800;
    dialog.m_browseImage = [](QWidget*) { return QStringLiteral("C:/壁紙/a \"b\".gif"); };
    responder.on(VornaDialogTableProperty::IDD, [](QDialog& d) {
        EXPECT_EQ(ShownNumber(d, 1064), "400");
        ModalResponder::press(d, 1453);
        EXPECT_EQ(ShownNumber(d, 1064), "50");
        EXPECT_EQ(DialogControl<NumberEdit>(d, 1064)->maximum(), 100);
        TypeNumber(d, 1287, "0", true);
        EXPECT_EQ(ShownNumber(d, 1287), "1");
        // Typed, and OK by Enter before leaving the box.
        TypeNumber(d, 1292, "30", false);
        ModalResponder::press(d, 1323);
        emit DialogControl<CColorPickerCB>(d, 1033)->colorChosen(platform::rgb(0x12, 0x34, 0x56), 1033);
        ModalResponder::press(d, 1475);
        EXPECT_EQ(DialogControl<QLineEdit>(d, 1296)->text(), "C:/壁紙/a \"b\".gif");
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strWidth, "50");
    EXPECT_TRUE(dialog.m_bWidthPercent);
    EXPECT_EQ(dialog.m_strRows, "25");
    EXPECT_EQ(dialog.m_strColumns, "1");
    EXPECT_TRUE(dialog.m_bCaptionBottom);
    EXPECT_EQ(dialog.m_crBackground, platform::rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(dialog.m_strBackgroundColor, "#123456");
    EXPECT_EQ(dialog.m_strBackground, "C:/壁紙/a \"b\".gif");
}

TEST(TableDialogs, AnExistingTableLocksItsGridAndBrowseWaitsForAChooser)
{
    ModalResponder responder;
    VornaDialogTableProperty dialog;
    dialog.m_bExistingTable = true;
    responder.on(VornaDialogTableProperty::IDD, [](QDialog& d) {
        EXPECT_FALSE(DialogControl<NumberEdit>(d, 1292)->isEnabled());
        EXPECT_FALSE(DialogControl<NumberEdit>(d, 1287)->isEnabled());
        EXPECT_FALSE(DialogControl<QPushButton>(d, 1475)->isEnabled());
        ModalResponder::press(d, 2);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
}

TEST(TableDialogs, TheCellDialogShowsItsAlignmentsAndSwitchesUnitsBackExactly)
{
    ModalResponder responder;
    VornaDialogTableCellProperty dialog;
    dialog.m_bHAlignSet = true;
    dialog.m_strHAlign = "RIGHT";
    dialog.m_strWidth = "200";
    dialog.m_bWidthPercent = false;
    dialog.m_nReferenceWidth = 800;
    dialog.m_nWidthPixels = 200;
    dialog.m_nWidthPercentValue = 25;
    dialog.m_bNoWrap = true;
    responder.on(VornaDialogTableCellProperty::IDD, [](QDialog& d) {
        EXPECT_EQ(DialogControl<CVornaComboBox>(d, 1011)->currentText(), "右");
        EXPECT_EQ(DialogControl<CVornaComboBox>(d, 1316)->currentText(), "デフォルト");
        ModalResponder::press(d, 1453);
        EXPECT_EQ(ShownNumber(d, 1315), "25");
        TypeNumber(d, 1315, "30", true);
        ModalResponder::press(d, 1454);
        EXPECT_EQ(ShownNumber(d, 1315), "240");
        emit DialogControl<CVornaComboBox>(d, 1316)->activated(3);
        emit DialogControl<CVornaComboBox>(d, 1011)->activated(0);
        ModalResponder::setChecked(d, 1497, false);
        TypeNumber(d, 1006, "12345", false);
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strWidth, "240");
    EXPECT_FALSE(dialog.m_bWidthPercent);
    EXPECT_EQ(dialog.m_strVAlign, "bottom");
    EXPECT_TRUE(dialog.m_bVAlignSet);
    EXPECT_EQ(dialog.m_strHAlign, "RIGHT");
    EXPECT_FALSE(dialog.m_bNoWrap);
    EXPECT_EQ(dialog.m_strHeight, "100"); // percent, clamped at OK
}
