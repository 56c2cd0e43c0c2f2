// The table and cell dialogs answered on the offscreen platform: the boxes,
// unit radios, colour lists and 参照 reach the fields the callers read.

#include "dialogs/VornaDialogTableCellProperty.h"
#include "dialogs/VornaDialogTableProperty.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/NumberEdit.h"
#include "images/ImageLibraryFolders.h"
#include "images/VornaDialogOpenImage.h"
#include "res/resource.h"

#include "platform/ModalResponder.h"
#include "platform/ModalRunner.h"

#include <QDir>
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

// 参照 answered: the insert-image dialog opened at the wallpaper folder hands
// back a path, or is cancelled when the path is empty.
void ChooseWallpaper(ModalResponder& responder, const QString& path)
{
    // The test's install folder has the wallpaper folder the program ships.
    ASSERT_TRUE(QDir().mkpath(InstallSubFolder(IDS_IMAGE_WALLPAPER_FOLDER)));
    responder.on(VornaDialogOpenImage::IDD, [path](QDialog& d) {
        auto& chooser = static_cast<VornaDialogOpenImage&>(d);
        EXPECT_TRUE(chooser.m_strCurrentFolder.endsWith(QStringLiteral("/Image/壁紙/")))
            << chooser.m_strCurrentFolder.toStdString();
        chooser.m_strResultPath = path;
        chooser.done(path.isEmpty() ? platform::IDCANCEL : platform::IDOK);
    });
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
    ChooseWallpaper(responder, QStringLiteral("/data/壁紙/a \"b\".gif"));
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
        EXPECT_EQ(DialogControl<QLineEdit>(d, 1296)->text(), "/data/壁紙/a \"b\".gif");
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
    EXPECT_EQ(dialog.m_strBackground, "/data/壁紙/a \"b\".gif");
}

TEST(TableDialogs, AnExistingTableLocksItsGridAndACancelledBrowseKeepsTheImage)
{
    ModalResponder responder;
    VornaDialogTableProperty dialog;
    dialog.m_bExistingTable = true;
    dialog.m_strBackground = QStringLiteral("back.gif");
    ChooseWallpaper(responder, QString());
    responder.on(VornaDialogTableProperty::IDD, [](QDialog& d) {
        EXPECT_FALSE(DialogControl<NumberEdit>(d, 1292)->isEnabled());
        EXPECT_FALSE(DialogControl<NumberEdit>(d, 1287)->isEnabled());
        ModalResponder::press(d, 1475);
        EXPECT_EQ(DialogControl<QLineEdit>(d, 1296)->text(), "back.gif");
        ModalResponder::press(d, 2);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(responder.runCount(VornaDialogOpenImage::IDD), 1);
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
