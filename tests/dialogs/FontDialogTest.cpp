// The Font dialog and the pop-up font list on their own: what it selects for the caller's values, what
// OK and "デフォルト" hand back, and which change flags the user's actions set.

#include "controls/ReviewPicture.h"
#include "dialogs/FontPropertyFields.h"
#include "dialogs/SimpleComboBox.h"
#include "dialogs/VornaDialogFontList.h"
#include "dialogs/VornaDialogFontProperty.h"
#include "dialogs/VornaDlgSymbol.h"

#include "controls/CColorPickerCB.h"
#include "controls/FontFaces.h"
#include "controls/VornaBitmapButton.h"
#include "controls/VornaFontListBox.h"
#include "controls/VornaSymbolList.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kItems =
    FontPropertyFields::FaceItems({QStringLiteral("Verdana"), QStringLiteral("Arial")}, QStringLiteral("(デフォルト)"));

TEST(FontPropertyFields, TheFaceIsSelectedByNameAndDroppedWhenUnknown)
{
    EXPECT_EQ(kItems, QStringList({"(デフォルト)", "Arial", "Verdana"}));
    FontPropertyFields fields;
    fields.m_strFace = QStringLiteral("Default");
    EXPECT_EQ(fields.SelectFace(kItems, true), 0);
    fields.m_strFace = QStringLiteral("verdana");
    EXPECT_EQ(fields.SelectFace(kItems, true), 2);
    // "default" in another case is no face of the list either.
    for (const char* unknown : {"default", "Nowhere \"<&", ""}) {
        fields.m_strFace = QString::fromUtf8(unknown);
        EXPECT_EQ(fields.SelectFace(kItems, true), -1) << unknown;
    }
    // A machine without faces shows the default entry.
    fields.m_strFace = QStringLiteral("Arial");
    EXPECT_EQ(fields.SelectFace(FontPropertyFields::FaceItems({}, QStringLiteral("(デフォルト)")), false), 0);
}

TEST(FontPropertyFields, SizesOutsideTheRangeShowNoSize)
{
    FontPropertyFields fields;
    for (int size : {99, -5, 8, -100}) {
        fields.m_nSize = size;
        EXPECT_EQ(fields.SelectSize(), -1) << size;
        EXPECT_EQ(fields.m_nSize, FontPropertyFields::kNoSize);
    }
    fields.m_nSize = 7;
    EXPECT_EQ(fields.SelectSize(), 7);
    fields.TakeSize(-1);
    EXPECT_EQ(fields.m_nSize, FontPropertyFields::kNoSize);
    fields.TakeFace(0, QStringLiteral("(デフォルト)"));
    EXPECT_EQ(fields.m_strFace, QStringLiteral("Default"));
}

class FontDialog : public ::testing::Test
{
protected:
    // Opens the dialog on the values, lets `act` work on it as the user,
    // and presses OK.
    template <typename Act> void runWithOk(VornaDialogFontProperty& dialog, Act act)
    {
        platform::ModalResponder responder;
        responder.on(IDD_FONT_PROPERTY, [&](QDialog&) {
            act();
            dialog.findChild<QPushButton*>(QStringLiteral("id_1"))->click();
        });
        EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    }
    static bool anyFlag(const FontPropertyFields& f)
    {
        return f.m_bBoldChanged || f.m_bItalicChanged || f.m_bUnderlineChanged || f.m_bFaceChanged ||
               f.m_bSizeChanged || f.m_bTextColorChanged || f.m_bBackColorChanged;
    }
};

TEST_F(FontDialog, AnUntouchedOkSetsNoFlagAndKeepsTheValues)
{
    ASSERT_FALSE(FontList().isEmpty());
    VornaDialogFontProperty dialog;
    dialog.m_strFace = FontList().first();
    dialog.m_nSize = 3;
    dialog.m_bItalic = true;
    dialog.m_crText = platform::rgb(255, 0, 0);
    runWithOk(dialog, [] {});
    EXPECT_FALSE(anyFlag(dialog));
    EXPECT_EQ(dialog.m_strFace, FontList().first());
    EXPECT_EQ(dialog.m_nSize, 3);
    EXPECT_TRUE(dialog.m_bItalic);
    EXPECT_EQ(dialog.m_crText, platform::rgb(255, 0, 0));
    EXPECT_TRUE(dialog.m_cbFace->edit()->text() == FontList().first());
}

TEST_F(FontDialog, DefaultThenOkResetsEverythingWithEveryFlag)
{
    VornaDialogFontProperty dialog;
    dialog.m_strFace = QStringLiteral("Default");
    dialog.m_nSize = 5;
    dialog.m_bBold = dialog.m_bUnderline = true;
    dialog.m_crBack = platform::rgb(0, 0, 255);
    runWithOk(dialog, [&] { dialog.findChild<QPushButton*>(QStringLiteral("id_3"))->click(); });
    EXPECT_EQ(dialog.m_strFace, QStringLiteral("Default"));
    EXPECT_EQ(dialog.m_nSize, 0);
    EXPECT_FALSE(dialog.m_bBold || dialog.m_bItalic || dialog.m_bUnderline);
    EXPECT_EQ(dialog.m_crText, kColorDefault);
    EXPECT_EQ(dialog.m_crBack, kColorDefault);
    EXPECT_TRUE(dialog.m_bBoldChanged && dialog.m_bItalicChanged && dialog.m_bUnderlineChanged &&
                dialog.m_bFaceChanged && dialog.m_bSizeChanged && dialog.m_bTextColorChanged &&
                dialog.m_bBackColorChanged);
}

TEST_F(FontDialog, OnlyWhatTheUserTouchedIsFlagged)
{
    VornaDialogFontProperty dialog;
    dialog.m_bBackEnabled = false;
    dialog.m_crBack = platform::rgb(1, 2, 3);
    // A face this machine lacks shows nothing and comes back dropped.
    dialog.m_strFace = QStringLiteral("Nowhere \"<&");
    dialog.m_nSize = 99;
    runWithOk(dialog, [&] {
        EXPECT_FALSE(dialog.m_cpBack->isEnabled());
        dialog.m_chkBold->click();
        QListWidget* sizes = dialog.m_cbSize->list();
        QTest::mouseClick(sizes->viewport(), Qt::LeftButton, {}, sizes->visualItemRect(sizes->item(4)).center());
    });
    EXPECT_TRUE(dialog.m_bBold);
    EXPECT_TRUE(dialog.m_bBoldChanged);
    EXPECT_TRUE(dialog.m_bSizeChanged);
    EXPECT_EQ(dialog.m_nSize, 4);
    EXPECT_FALSE(dialog.m_bItalicChanged || dialog.m_bFaceChanged || dialog.m_bBackColorChanged);
    EXPECT_EQ(dialog.m_crBack, platform::rgb(1, 2, 3));
    EXPECT_TRUE(dialog.m_strFace.isEmpty());
}

TEST_F(FontDialog, TypingAFacePrefixSelectsItsEntry)
{
    ASSERT_FALSE(FontList().isEmpty());
    VornaDialogFontProperty dialog;
    const QString face = FontList().first();
    runWithOk(dialog, [&] {
        dialog.m_cbFace->edit()->setFocus();
        QTest::keyClicks(dialog.m_cbFace->edit(), face.left(3));
    });
    EXPECT_TRUE(dialog.m_bFaceChanged);
    EXPECT_TRUE(dialog.m_strFace.startsWith(face.left(3), Qt::CaseInsensitive)) << dialog.m_strFace.toStdString();
}

} // namespace

namespace {

TEST(FontListPopup, TheButtonsMoveTenEntriesAndAClickChoosesDefaultOrAFace)
{
    VornaDialogFontList popup;
    const int last = popup.m_lstFonts->count() - 1;
    ASSERT_EQ(last, FontList().size());
    EXPECT_EQ(popup.m_lstFonts->currentRow(), 0);
    popup.m_btnUp->click();
    EXPECT_EQ(popup.m_lstFonts->currentRow(), 0);
    popup.m_btnDown->click();
    EXPECT_EQ(popup.m_lstFonts->currentRow(), std::min(10, last));
    for (int i = 0; i <= last / 10 + 1; ++i)
        popup.m_btnDown->click();
    EXPECT_EQ(popup.m_lstFonts->currentRow(), last);
    popup.Choose(0);
    EXPECT_EQ(popup.m_strFace, QStringLiteral("Default"));
    EXPECT_EQ(popup.result(), platform::IDOK);
    popup.Choose(last);
    EXPECT_EQ(popup.m_strFace, popup.m_lstFonts->item(last)->text());
}

TEST(ControlsScreenshot, FontDialogAndSymbolPalette)
{
    VornaDialogFontProperty dialog;
    dialog.m_strFace = QStringLiteral("IPAGothic");
    dialog.m_nSize = 3;
    dialog.m_bBold = true;
    dialog.m_crText = platform::rgb(0, 128, 0);
    dialog.OnInitDialog();
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(saveForReview(dialog.grab().toImage(), "font-dialog.png"));
    dialog.hide();

    VornaDlgSymbol palette(nullptr, platform::shareDir() + QStringLiteral("/Other/script/symbol.dat"));
    palette.show();
    QCoreApplication::processEvents();
    palette.m_lstSymbols->setCurrentRow(palette.m_nSymbols > 60 ? 60 : 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(saveForReview(palette.grab().toImage(), "symbol-palette.png"));
}

} // namespace
