// The page size, zoom, grid and source conversion dialogs: their rules as
// plain models, and the dialogs answered as a user would on the offscreen
// platform.

#include "dialogs/VornaDialogGrid.h"
#include "dialogs/VornaDialogPageSize.h"
#include "dialogs/VornaDialogPropertyZoom.h"
#include "dialogs/VornaDialogSourceConversion.h"

#include "res/resource.h"
#include "support/DialogInput.h"
#include "support/FakeAppContext.h"

#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using platform::ModalResponder;

namespace {

bool enabled(QDialog& dialog, int id)
{
    return DialogControl(dialog, id)->isEnabled();
}

bool checked(QDialog& dialog, int id)
{
    auto* button = qobject_cast<QAbstractButton*>(DialogControl(dialog, id));
    return button && button->isChecked();
}

class PageDialogs : public ::testing::Test
{
protected:
    FakeAppContext context;
    ModalResponder responder;
};

// ---- page size ----------------------------------------------------------------------

TEST(PageSizeModelTest, TheGuidesSizeChoosesTheModeAndTheEntry)
{
    struct Case
    {
        QSize size;
        int mode, entry;
        unsigned width, height;
    };
    const Case cases[] = {
        {{1024, 768}, PageSizeModel::kResolutionMode, 2, 1024, 768},
        {{640, 480}, PageSizeModel::kResolutionMode, 0, 640, 480},
        {{0, 0}, PageSizeModel::kResolutionMode, 1, 800, 600}, // no guide proposes 800 x 600
        {{700, 500}, PageSizeModel::kUserMode, -1, 700, 500},
        {{768, 1024}, PageSizeModel::kUserMode, -1, 768, 1024}, // turned on its side it is no entry
        {{0, 600}, PageSizeModel::kUserMode, -1, 0, 600},
        {{-20, 300}, PageSizeModel::kUserMode, -1, 0, 300},
    };
    for (const Case& c : cases) {
        PageSizeModel model;
        model.m_size = c.size;
        model.InitFromSize();
        EXPECT_EQ(model.m_nMode, c.mode) << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(model.m_nResolution, c.entry) << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(model.m_nWidth, c.width);
        EXPECT_EQ(model.m_nHeight, c.height);
    }
}

TEST(PageSizeModelTest, OkNeedsAnEntryAndHoldsTheUsersSidesInTheirRange)
{
    PageSizeModel model;
    model.m_size = QSize(700, 500);
    model.m_nMode = PageSizeModel::kResolutionMode;
    model.m_nResolution = -1;
    EXPECT_FALSE(model.OnOK());
    EXPECT_EQ(model.m_size, QSize(700, 500));
    model.m_nResolution = 0;
    EXPECT_TRUE(model.OnOK());
    EXPECT_EQ(model.m_size, QSize(640, 480));
    // The sides count only in the user's mode.
    model.m_nMode = PageSizeModel::kUserMode;
    model.m_nWidth = 12000;
    model.m_nHeight = 0;
    EXPECT_TRUE(model.OnOK());
    EXPECT_EQ(model.m_size, QSize(9999, 0));
    EXPECT_EQ(PageSizeModel::ResolutionText(2), QStringLiteral("1024 x 768"));
}

TEST_F(PageDialogs, PageSizeOpensOnTheGuidesSizeWithTheOtherModeGreyed)
{
    responder.on(VornaDialogPageSize::IDD, [](QDialog& d) {
        EXPECT_TRUE(checked(d, IDC_PAGE_SIZE_RESOLUTION));
        EXPECT_EQ(qobject_cast<QComboBox*>(DialogControl(d, IDC_PAGE_SIZE_LIST))->currentIndex(), 2);
        EXPECT_TRUE(enabled(d, IDC_PAGE_SIZE_LIST));
        EXPECT_FALSE(enabled(d, IDC_PAGE_SIZE_WIDTH));
        EXPECT_FALSE(enabled(d, IDC_PAGE_SIZE_HEIGHT));
        // The user's mode frees the boxes and greys the list.
        ModalResponder::press(d, IDC_PAGE_SIZE_USER);
        EXPECT_FALSE(enabled(d, IDC_PAGE_SIZE_LIST));
        EXPECT_TRUE(enabled(d, IDC_PAGE_SIZE_WIDTH));
        EXPECT_EQ(DialogText(d, IDC_PAGE_SIZE_WIDTH), QStringLiteral("1024"));
        // A width past the limit is held when the box is left.
        TypeInto(d, IDC_PAGE_SIZE_WIDTH, QStringLiteral("12000"));
        LeaveControl(d, IDC_PAGE_SIZE_WIDTH);
        EXPECT_EQ(DialogText(d, IDC_PAGE_SIZE_WIDTH), QStringLiteral("9999"));
        // Emptied and confirmed with Enter, without leaving, the height is 0.
        TypeInto(d, IDC_PAGE_SIZE_HEIGHT, QString());
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogPageSize dialog;
    dialog.m_size = QSize(1024, 768);
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_size, QSize(9999, 0));
}

TEST_F(PageDialogs, PageSizeOkWithoutAnEntryStaysOpenOnTheList)
{
    responder.on(VornaDialogPageSize::IDD, [](QDialog& d) {
        EXPECT_TRUE(checked(d, IDC_PAGE_SIZE_USER));
        EXPECT_EQ(DialogText(d, IDC_PAGE_SIZE_WIDTH), QStringLiteral("700"));
        EXPECT_EQ(DialogText(d, IDC_PAGE_SIZE_HEIGHT), QStringLiteral("500"));
        ModalResponder::press(d, IDC_PAGE_SIZE_RESOLUTION);
        ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), DialogControl(d, IDC_PAGE_SIZE_LIST));
        ChooseEntry(d, IDC_PAGE_SIZE_LIST, 0);
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogPageSize dialog;
    dialog.m_size = QSize(700, 500);
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_size, QSize(640, 480));
    // Cancel keeps the size the caller gave.
    responder.answer(VornaDialogPageSize::IDD, platform::IDCANCEL);
    VornaDialogPageSize cancelled;
    cancelled.m_size = QSize(700, 500);
    EXPECT_EQ(cancelled.DoModal(), platform::IDCANCEL);
    EXPECT_EQ(cancelled.m_size, QSize(700, 500));
}

// ---- zoom -----------------------------------------------------------------------------

TEST(ZoomModelTest, ATextIsAZoomOnlyWithinWhatThePageCanShow)
{
    const std::pair<const char*, int> cases[] = {
        {"130%", 130}, {"130", 130}, {" 75 % ", 75}, {"25%", 25},  {"200", 200},  {"24", 0},
        {"201%", 0},   {"0%", 0},    {"1000%", 0},   {"abc", 0},   {"", 0},       {"%", 0},
        {"-50", 0},    {"1e2", 0},   {"12.5%", 0},   {"100%%", 0}, {"１００", 0}, {"99999999999999999999", 0},
    };
    for (auto [text, zoom] : cases)
        EXPECT_EQ(ZoomModel::ParseZoom(QString::fromUtf8(text)), zoom) << text;
    EXPECT_EQ(ZoomModel::Factors().size(), 7);
}

TEST(ZoomModelTest, OnlyTheChosenRadiosValueCounts)
{
    ZoomModel model;
    model.m_strFactor = QStringLiteral("150%");
    model.m_strUser = QStringLiteral("80");
    model.OnOK();
    EXPECT_EQ(model.m_nZoom, 0);
    model.m_nChoice = ZoomModel::kFactor;
    model.OnOK();
    EXPECT_EQ(model.m_nZoom, 150);
    model.m_nChoice = ZoomModel::kUser;
    model.OnOK();
    EXPECT_EQ(model.m_nZoom, 80);
}

TEST_F(PageDialogs, ZoomTakesTheListOrTheUsersValueUnderTheChosenRadio)
{
    // No radio chosen: nothing to apply.
    responder.on(VornaDialogPropertyZoom::IDD, [](QDialog& d) {
        EXPECT_FALSE(checked(d, IDC_ZOOM_FACTOR));
        EXPECT_FALSE(checked(d, IDC_ZOOM_USER));
        EXPECT_EQ(qobject_cast<QComboBox*>(DialogControl(d, IDC_ZOOM_LIST))->count(), 7);
        ModalResponder::setText(d, IDC_ZOOM_LIST, QStringLiteral("130"));
        ModalResponder::press(d, platform::IDOK);
    });
    responder.on(VornaDialogPropertyZoom::IDD, [](QDialog& d) {
        ModalResponder::press(d, IDC_ZOOM_FACTOR);
        ChooseEntry(d, IDC_ZOOM_LIST, 6);
        ModalResponder::press(d, platform::IDOK);
    });
    // The user's value past the limit, confirmed with Enter: held at 200.
    responder.on(VornaDialogPropertyZoom::IDD, [](QDialog& d) {
        ModalResponder::press(d, IDC_ZOOM_USER);
        TypeInto(d, IDC_ZOOM_USER_VALUE, QStringLiteral("300"));
        ModalResponder::press(d, platform::IDOK);
    });
    responder.on(VornaDialogPropertyZoom::IDD, [](QDialog& d) {
        ModalResponder::press(d, IDC_ZOOM_USER);
        ModalResponder::press(d, platform::IDOK);
    });
    for (int expected : {0, 200, 200, 0}) {
        VornaDialogPropertyZoom dialog;
        EXPECT_EQ(dialog.DoModal(), platform::IDOK);
        EXPECT_EQ(dialog.m_nZoom, expected);
    }
}

// ---- grid -----------------------------------------------------------------------------

TEST(GridModelTest, ASpacingOutsideItsLimitsIsReplacedByTheLimit)
{
    const std::tuple<const char*, GridModel::Check, const char*> cases[] = {
        {"3", GridModel::Check::Valid, "3"},          {"100", GridModel::Check::Valid, "100"},
        {"25px", GridModel::Check::Valid, "25px"}, // the caller reads the leading number
        {"", GridModel::Check::BelowRange, "3"},      {"0", GridModel::Check::BelowRange, "3"},
        {"2", GridModel::Check::BelowRange, "3"},     {"101", GridModel::Check::AboveRange, "100"},
        {"250", GridModel::Check::AboveRange, "100"}, {"99999999999999999999", GridModel::Check::AboveRange, "100"},
    };
    for (auto [text, check, after] : cases) {
        GridModel model;
        model.m_strSpacing = QString::fromLatin1(text);
        EXPECT_EQ(model.CheckOnOK(), check) << text;
        EXPECT_EQ(model.m_strSpacing, QString::fromLatin1(after)) << text;
    }
}

TEST_F(PageDialogs, GridSpacingIsHeldWhenLeftAndNamedInAMessageOnOk)
{
    responder.answerMessageBox(platform::IDOK, QStringLiteral("グリッド距離を 3 から 100 の制限内で設定してください"));
    responder.on(VornaDialogGrid::IDD, [](QDialog& d) {
        EXPECT_EQ(qobject_cast<QComboBox*>(DialogControl(d, IDC_GRID_KIND))->currentIndex(), 2);
        EXPECT_EQ(DialogText(d, IDC_GRID_SPACING), QStringLiteral("10"));
        // Left, 250 turns into 100 and an empty box into 3, without a message.
        TypeInto(d, IDC_GRID_SPACING, QStringLiteral("250"));
        LeaveControl(d, IDC_GRID_SPACING);
        EXPECT_EQ(DialogText(d, IDC_GRID_SPACING), QStringLiteral("100"));
        TypeInto(d, IDC_GRID_SPACING, QString());
        LeaveControl(d, IDC_GRID_SPACING);
        EXPECT_EQ(DialogText(d, IDC_GRID_SPACING), QStringLiteral("3"));
        // Confirmed with Enter, 250 is named in the message and becomes 100,
        // selected in the box; the dialog stays open.
        TypeInto(d, IDC_GRID_SPACING, QStringLiteral("250"));
        ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(DialogText(d, IDC_GRID_SPACING), QStringLiteral("100"));
        auto* edit = DialogControl(d, IDC_GRID_SPACING)->findChild<QLineEdit*>();
        EXPECT_EQ(edit->selectedText(), QStringLiteral("100"));
        ChooseEntry(d, IDC_GRID_KIND, 3);
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogGrid dialog;
    dialog.SetInitialValues(2, 10);
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_nKind, 3);
    EXPECT_EQ(dialog.m_strSpacing, QStringLiteral("100"));
    EXPECT_EQ(responder.messageTexts().size(), 1);
}

TEST_F(PageDialogs, GridOkNeedsNoChangeAndTakesKindNone)
{
    // Filled and confirmed at once, the dialog closes: no first change opens the way.
    responder.on(VornaDialogGrid::IDD, [](QDialog& d) {
        ChooseEntry(d, IDC_GRID_KIND, 0);
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogGrid dialog;
    dialog.SetInitialValues(1, 16);
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_nKind, 0);
    EXPECT_EQ(dialog.m_strSpacing, QStringLiteral("16"));
    // A stored spacing of 0 is named before the dialog closes.
    responder.answerMessageBox(platform::IDOK);
    responder.on(VornaDialogGrid::IDD, [](QDialog& d) {
        EXPECT_EQ(qobject_cast<QComboBox*>(DialogControl(d, IDC_GRID_KIND))->currentIndex(), -1);
        ModalResponder::press(d, platform::IDOK);
        EXPECT_EQ(DialogText(d, IDC_GRID_SPACING), QStringLiteral("3"));
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogGrid unknown;
    unknown.SetInitialValues(7, 0);
    EXPECT_EQ(unknown.DoModal(), platform::IDOK);
    // A kind the list does not have stays what the caller gave.
    EXPECT_EQ(unknown.m_nKind, 7);
    EXPECT_EQ(unknown.m_strSpacing, QStringLiteral("3"));
}

// ---- source conversion ----------------------------------------------------------------

TEST_F(PageDialogs, SourceConversionProposesConvertingAndHasOnlyOk)
{
    responder.on(VornaDialogSourceConversion::IDD, [](QDialog& d) {
        EXPECT_TRUE(checked(d, IDC_SOURCE_CONVERSION_CONVERT));
        EXPECT_FALSE(checked(d, IDC_SOURCE_CONVERSION_NO_SHOW));
        EXPECT_EQ(d.findChild<QWidget*>(QStringLiteral("id_2")), nullptr);
        ModalResponder::press(d, IDC_SOURCE_CONVERSION_KEEP);
        ModalResponder::setChecked(d, IDC_SOURCE_CONVERSION_NO_SHOW, true);
        ModalResponder::press(d, platform::IDOK);
    });
    VornaDialogSourceConversion dialog;
    EXPECT_EQ(dialog.m_nConvert, VornaDialogSourceConversion::kNoAnswer);
    EXPECT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_nConvert, VornaDialogSourceConversion::kKeepOriginal);
    EXPECT_EQ(dialog.m_bNoShowAgain, 1);
}

} // namespace
