// The document, marquee, rule and image property dialogs and the page title
// prompt, answered as a user would on the offscreen platform: typing into
// their boxes, leaving them, switching units and lists, and their choosers.

#include "dialogs/VornaDialogAsk.h"
#include "dialogs/VornaDialogBackMusic.h"
#include "dialogs/VornaDialogHrProperty.h"
#include "dialogs/VornaDialogImageProperty.h"
#include "dialogs/VornaDialogMarquee.h"
#include "dialogs/ZQ_DIAG_PAGEPROPERTY.h"

#include "controls/CColorPickerCB.h"
#include "controls/CVornaComboBox.h"
#include "controls/NumberEdit.h"
#include "images/VornaDialogOpenImage.h"
#include "support/DialogInput.h"
#include "support/FakeAppContext.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using platform::ModalResponder;

namespace {

template <class Control = QWidget> Control* control(QDialog& dialog, int id)
{
    return qobject_cast<Control*>(DialogControl(dialog, id));
}

bool enabled(QDialog& dialog, int id)
{
    return control(dialog, id)->isEnabled();
}

class PropertyDialogs : public ::testing::Test
{
protected:
    FakeAppContext context;
    ModalResponder responder;
};

// ---- document properties ----------------------------------------------------------

TEST_F(PropertyDialogs, TheDocumentDialogShowsThePageAndHandsBackWhatTheUserChose)
{
    ZQ_DIAG_PAGEPROPERTY dialog;
    dialog.m_strTitle = "ホーム";
    dialog.m_strEncoding = ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName("euc-jp");
    dialog.m_crLink = 0x00FF00;
    responder.on(IDD_PAGE_PROPERTY, [](QDialog& d) {
        auto& page = static_cast<ZQ_DIAG_PAGEPROPERTY&>(d);
        EXPECT_EQ(DialogText(d, 1030), "ホーム");
        EXPECT_EQ(DialogText(d, 1003), "日本語(EUC)");
        EXPECT_EQ(control<CColorPickerCB>(d, 1035)->GetColor(), 0x00FF00u);
        EXPECT_EQ(control<CColorPickerCB>(d, 1033)->GetDefaultColor(), 0xFFFFFFu);
        // Filling the dialog is no change; typing the title is.
        EXPECT_FALSE(page.m_bModified);
        TypeInto(d, 1030, "<b>A & B</b>");
        EXPECT_TRUE(page.m_bModified);
        ChooseEntry(d, 1003, control<QComboBox>(d, 1003)->findText("Unicode(UTF-8)"));
        // Continuous turns the repeat box off and on again.
        ModalResponder::press(d, 1009);
        EXPECT_FALSE(enabled(d, 1216));
        ModalResponder::press(d, 1009);
        EXPECT_TRUE(enabled(d, 1216));
        TypeInto(d, 1216, "0");
        LeaveControl(d, 1216);
        EXPECT_EQ(DialogText(d, 1216), "1");
        // Enter still in the box: OK takes the number the box would show.
        TypeInto(d, 1216, "99999");
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strTitle, "<b>A & B</b>");
    EXPECT_EQ(dialog.m_strEncoding, "utf-8");
    EXPECT_EQ(dialog.m_strRepeat, "9999");
    EXPECT_EQ(dialog.m_bContinuous, 0);
    EXPECT_FALSE(dialog.m_bLinkColorChanged);
}

TEST_F(PropertyDialogs, AnUnknownCharsetSelectsNothingAndOkHandsBackNoCharset)
{
    ZQ_DIAG_PAGEPROPERTY dialog;
    dialog.m_strEncoding = "klingon";
    responder.on(IDD_PAGE_PROPERTY, [](QDialog& d) {
        EXPECT_EQ(control<QComboBox>(d, 1003)->currentIndex(), -1);
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strEncoding, "");
}

TEST_F(PropertyDialogs, TheSoundChooserOpensOnAnAddressOrOnTheFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("chime.wav");
    ASSERT_TRUE(writeTestFile(file, "RIFF"));
    ZQ_DIAG_PAGEPROPERTY dialog;
    dialog.m_strSound = "HTTP://www.example.jp/old.mid";
    responder.on(IDD_PAGE_PROPERTY, [&](QDialog& d) {
        responder.on(VornaDialogBackMusic::kDialogId, [](QDialog& chooser) {
            auto& music = static_cast<VornaDialogBackMusic&>(chooser);
            EXPECT_EQ(music.addressBox()->currentText(), "HTTP://www.example.jp/old.mid");
            music.addressBox()->setEditText("http://www.example.jp/new.mid");
            ModalResponder::press(chooser, 1);
        });
        ModalResponder::press(d, 1036);
        EXPECT_EQ(DialogText(d, 1034), "http://www.example.jp/new.mid");
        // A file is offered by its path and comes back as chosen.
        TypeInto(d, 1034, file);
        responder.on(VornaDialogBackMusic::kDialogId, [&](QDialog& chooser) {
            auto& music = static_cast<VornaDialogBackMusic&>(chooser);
            EXPECT_EQ(music.addressBox()->currentText(), "");
            EXPECT_EQ(music.GetPathName(), file);
            ModalResponder::press(chooser, 1);
        });
        ModalResponder::press(d, 1036);
        EXPECT_EQ(DialogText(d, 1034), file);
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(responder.runCount(VornaDialogBackMusic::kDialogId), 2);
    EXPECT_EQ(dialog.m_strSound, file);
}

TEST_F(PropertyDialogs, EnterOnTheImageButtonOpensTheChooserInsteadOfClosing)
{
    ZQ_DIAG_PAGEPROPERTY dialog;
    responder.on(IDD_PAGE_PROPERTY, [&](QDialog& d) {
        responder.on(VornaDialogOpenImage::IDD, [](QDialog& chooser) {
            auto& images = static_cast<VornaDialogOpenImage&>(chooser);
            EXPECT_TRUE(images.m_bBackgroundMode);
            images.m_strResultPath = "/pictures/wall.png";
            chooser.done(platform::IDOK);
        });
        auto* browse = control<QPushButton>(d, 1475);
        browse->setFocus();
        QTest::keyClick(browse, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(DialogText(d, 1031), "/pictures/wall.png");
        EXPECT_TRUE(static_cast<ZQ_DIAG_PAGEPROPERTY&>(d).m_bModified);
        ModalResponder::press(d, 2);
    });
    EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(responder.runCount(VornaDialogOpenImage::IDD), 1);
}

// ---- marquee ---------------------------------------------------------------------

TEST_F(PropertyDialogs, TheMarqueeDialogOpensWithTheDefaultsAndFollowsItsLists)
{
    VornaDialogMarquee dialog;
    dialog.m_nReferenceWidth = 600;
    responder.on(IDD_MARQUEE, [](QDialog& d) {
        EXPECT_EQ(DialogText(d, 1529), "左");
        EXPECT_EQ(DialogText(d, 1530), "スクロール");
        EXPECT_EQ(DialogText(d, 1527), "6");
        EXPECT_EQ(DialogText(d, 1526), "85");
        EXPECT_EQ(DialogText(d, 1216), "1");
        EXPECT_TRUE(control<QCheckBox>(d, 1013)->isChecked());
        EXPECT_FALSE(enabled(d, 1216));
        EXPECT_FALSE(enabled(d, 1064) || enabled(d, 1453) || enabled(d, 1065) || enabled(d, 1321));
        ChooseEntry(d, 1530, 1);
        EXPECT_FALSE(control<QCheckBox>(d, 1013)->isChecked());
        EXPECT_FALSE(enabled(d, 1013));
        EXPECT_TRUE(enabled(d, 1216));
        // A width of 300 pixels is 50 % of the page's 600.
        ModalResponder::press(d, 1092);
        ModalResponder::press(d, 1454);
        TypeInto(d, 1064, "300");
        ModalResponder::press(d, 1453);
        EXPECT_EQ(DialogText(d, 1064), "50");
        TypeInto(d, 1216, "99999");
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strBehavior, "slide");
    EXPECT_TRUE(dialog.m_bWidthChanged);
    EXPECT_EQ(dialog.m_nWidth, 50);
    EXPECT_EQ(dialog.m_nWidthUnit, 0);
    EXPECT_EQ(dialog.m_nLoop, 10000);
    EXPECT_FALSE(dialog.m_bDirectionChanged || dialog.m_bAmountChanged || dialog.m_bColorChanged);
}

// ---- horizontal rule -----------------------------------------------------------------

TEST_F(PropertyDialogs, TheRuleDialogCapsWhatIsTypedAtOnce)
{
    VornaDialogHrProperty dialog;
    dialog.m_nWidthUnit = 1;
    dialog.m_nReferenceWidth = 800;
    responder.on(IDD_HR_PROPERTY, [](QDialog& d) {
        EXPECT_EQ(DialogText(d, 1064), "");
        EXPECT_EQ(DialogText(d, 1451), "");
        TypeInto(d, 1451, "150");
        EXPECT_EQ(DialogText(d, 1451), "100");
        TypeInto(d, 1064, "3000");
        EXPECT_EQ(DialogText(d, 1064), "2000");
        TypeInto(d, 1064, "400");
        ModalResponder::press(d, 1453);
        EXPECT_EQ(DialogText(d, 1064), "50");
        ModalResponder::press(d, 1007);
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_nWidth, 50);
    EXPECT_EQ(dialog.m_nWidthUnit, 0);
    EXPECT_EQ(dialog.m_nHeight, 100);
    EXPECT_TRUE(dialog.m_bWidthChanged && dialog.m_bHeightChanged && dialog.m_bNoShadeChanged);
    EXPECT_EQ(dialog.m_bNoShade, 1);
    EXPECT_FALSE(dialog.m_bColorChanged);
}

// ---- image ----------------------------------------------------------------------------

TEST_F(PropertyDialogs, TheImageDialogKeepsTheRatioAndWantsAPath)
{
    VornaDialogImageProperty dialog;
    dialog.m_strPath = "photo.png";
    dialog.m_nWidth = 200;
    dialog.m_nHeight = 100;
    dialog.m_nBorder = 0;
    dialog.m_bSpecifySize = 1;
    responder.on(IDD_IMAGE_PROPERTY, [&](QDialog& d) {
        EXPECT_TRUE(control<QCheckBox>(d, 1488)->isChecked());
        EXPECT_FALSE(enabled(d, 1294));
        TypeInto(d, 1065, "50");
        EXPECT_EQ(DialogText(d, 1064), "100");
        TypeInto(d, 1064, "3000");
        LeaveControl(d, 1064);
        EXPECT_EQ(DialogText(d, 1064), "2000");
        EXPECT_EQ(DialogText(d, 1065), "1000");
        TypeInto(d, 1013, "1");
        EXPECT_TRUE(enabled(d, 1294));
        // No path: said so, and the dialog stays.
        TypeInto(d, 1217, "");
        responder.answerMessageBox(platform::IDOK, "画像のパスが指定されていません");
        ModalResponder::press(d, 1);
        EXPECT_TRUE(d.isVisible());
        TypeInto(d, 1217, "other.png");
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strPath, "other.png");
    EXPECT_EQ(dialog.m_nWidth, 2000);
    EXPECT_EQ(dialog.m_nHeight, 1000);
    EXPECT_EQ(dialog.m_nBorder, 1);
}

TEST_F(PropertyDialogs, SeveralImagesEditOnlyWhatTheyShare)
{
    VornaDialogImageProperty dialog;
    dialog.m_bMultiple = true;
    dialog.m_crBorder = kColorDefault;
    responder.on(IDD_IMAGE_PROPERTY, [](QDialog& d) {
        EXPECT_FALSE(enabled(d, 1217) || enabled(d, 1032) || enabled(d, 1488));
        EXPECT_EQ(DialogText(d, 1064), "");
        EXPECT_EQ(control<CColorPickerCB>(d, 1294)->GetColor(), kColorNone);
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_nWidth, -1);
    EXPECT_EQ(dialog.m_nBorder, -1);
    EXPECT_EQ(dialog.m_crBorder, kColorDefault);
    EXPECT_FALSE(dialog.m_bColorChanged);
}

// ---- page title --------------------------------------------------------------------------

TEST_F(PropertyDialogs, TheTitlePromptReplacesTheSelectedTitleWithOneLine)
{
    VornaDialogAsk dialog;
    dialog.m_strTitle = "古いタイトル";
    dialog.m_bSkipCheck = true;
    const QString longTitle = QString(10000, QLatin1Char('x')) + "<&>";
    responder.on(IDD_ASK, [&](QDialog& d) {
        auto* edit = control<QLineEdit>(d, 1041);
        EXPECT_EQ(edit->selectedText(), "古いタイトル");
        QTest::keyClicks(edit, "new");
        EXPECT_EQ(static_cast<VornaDialogAsk&>(d).m_strTitle, "new");
        edit->insert(longTitle + "\nsecond line");
        ModalResponder::press(d, 1);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strTitle, "new" + longTitle + " second line");
    EXPECT_FALSE(dialog.m_bDeclined);

    VornaDialogAsk empty;
    responder.on(IDD_ASK, [](QDialog& d) { ModalResponder::press(d, 1); });
    ASSERT_EQ(empty.DoModal(), platform::IDOK);
    EXPECT_EQ(empty.m_strTitle, "");
}

// ---- pictures for review (under Xvfb) ----------------------------------------------------

TEST(ControlsScreenshot, PropertyDialogs)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    FakeAppContext context;
    ModalResponder responder;
    const auto picture = [&](int id, const char* name) {
        responder.on(id, [name](QDialog& d) {
            QTest::qWait(50);
            SaveReviewPicture(d.grab().toImage(), QString::fromLatin1(name));
            ModalResponder::press(d, 2);
        });
    };
    picture(IDD_PAGE_PROPERTY, "document-properties.png");
    ZQ_DIAG_PAGEPROPERTY page;
    page.m_strTitle = "ようこそ";
    page.m_strEncoding = ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName("shift_jis");
    page.m_crBackground = 0xE0FFFF;
    page.m_crText = page.m_crLink = page.m_crVLink = page.m_crALink = kColorDefault;
    page.m_strSound = "other/chime.mid";
    page.DoModal();
    picture(IDD_MARQUEE, "marquee.png");
    VornaDialogMarquee marquee;
    marquee.m_bWidthOn = 1;
    marquee.m_nWidth = 80;
    marquee.DoModal();
    picture(IDD_HR_PROPERTY, "rule-properties.png");
    VornaDialogHrProperty rule;
    rule.m_nWidth = 50;
    rule.m_nHeight = 2;
    rule.DoModal();
    picture(IDD_IMAGE_PROPERTY, "image-properties.png");
    VornaDialogImageProperty image;
    image.m_strPath = "images/photo.png";
    image.m_strAlt = "写真";
    image.m_nWidth = 200;
    image.m_nHeight = 100;
    image.m_nBorder = 1;
    image.m_crBorder = 0x0000FF;
    image.m_bSpecifySize = 1;
    image.DoModal();
    picture(IDD_ASK, "page-title.png");
    VornaDialogAsk ask;
    ask.m_strTitle = "新しいページ";
    ask.DoModal();
    EXPECT_EQ(responder.pending(), 0);
}

} // namespace
