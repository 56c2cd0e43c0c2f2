// The rules of the document, marquee, rule and image property dialogs and
// the page title prompt without their windows.

#include "dialogs/HrPropertyModel.h"
#include "dialogs/ImagePropertyModel.h"
#include "dialogs/MarqueeModel.h"
#include "dialogs/PagePropertyModel.h"
#include "dialogs/VornaDialogAsk.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// ---- document properties -------------------------------------------------------

TEST(PagePropertyModel, CharsetsAndLanguageNamesMapBothWaysWithoutRegardToCase)
{
    EXPECT_EQ(PagePropertyModel::CharsetToDisplayName("euc-jp"), "日本語(EUC)");
    EXPECT_EQ(PagePropertyModel::CharsetToDisplayName(" Shift_JIS "), "日本語(JIS)");
    EXPECT_EQ(PagePropertyModel::CharsetToDisplayName("UTF-8"), "Unicode(UTF-8)");
    EXPECT_EQ(PagePropertyModel::CharsetToDisplayName("windows-1258"), "ベトナム語");
    EXPECT_EQ(PagePropertyModel::CharsetToDisplayName("klingon"), "");
    EXPECT_EQ(PagePropertyModel::CharsetToDisplayName(""), "");
    EXPECT_EQ(PagePropertyModel::DisplayNameToCharset("unicode(utf-8)"), "utf-8");
    EXPECT_EQ(PagePropertyModel::DisplayNameToCharset("ベトナム語\n"), "windows-1258");
    EXPECT_EQ(PagePropertyModel::DisplayNameToCharset("日本語"), "");

    const QStringList names = PagePropertyModel::EncodingNames();
    ASSERT_EQ(names.size(), 22);
    EXPECT_TRUE(names.contains("ベトナム語"));
    for (const QString& name : names)
        EXPECT_FALSE(PagePropertyModel::DisplayNameToCharset(name).isEmpty()) << name.toStdString();
}

TEST(PagePropertyModel, TheListOpensOnThePagesEncodingAndOkHandsBackACharsetOrNothing)
{
    const QStringList names = PagePropertyModel::EncodingNames();
    PagePropertyModel model;
    // An empty field selects 日本語(JIS); a name in another case its entry.
    EXPECT_EQ(names.value(model.InitialEncodingIndex(names)), "日本語(JIS)");
    model.m_strEncoding = "日本語(euc)";
    EXPECT_EQ(names.value(model.InitialEncodingIndex(names)), "日本語(EUC)");
    model.m_strEncoding = "klingon";
    EXPECT_EQ(model.InitialEncodingIndex(names), -1);

    model.OnEncodingChosen("Unicode(UTF-8)");
    EXPECT_EQ(model.m_strEncoding, "utf-8");
    // An untouched list hands back the charset of its entry, not its name.
    model.m_strEncoding = "日本語(EUC)";
    model.OnOK("日本語(EUC)");
    EXPECT_EQ(model.m_strEncoding, "euc-jp");
    model.OnOK(QString());
    EXPECT_EQ(model.m_strEncoding, "");
}

TEST(PagePropertyModel, RepeatCountsArePutInto1To9999AndColoursSetTheirOwnFlags)
{
    PagePropertyModel model;
    for (auto [typed, shown] : {std::pair{"0", "1"}, std::pair{"", "1"}, std::pair{"99999", "9999"},
                                std::pair{"99999999999", "9999"}, std::pair{"12", "12"}}) {
        model.m_strRepeat = typed;
        model.OnRepeatLeft();
        EXPECT_EQ(model.m_strRepeat, shown) << typed;
    }

    model.OnColorChosen(4711, 0x123456);
    EXPECT_FALSE(model.m_bModified);
    model.OnColorChosen(PagePropertyModel::LinkColor, 0x00FF00);
    EXPECT_EQ(model.m_crLink, 0x00FF00u);
    EXPECT_TRUE(model.m_bLinkColorChanged);
    EXPECT_TRUE(model.m_bModified);
    EXPECT_FALSE(model.m_bBgColorChanged || model.m_bTextColorChanged || model.m_bALinkColorChanged ||
                 model.m_bVLinkColorChanged);
    EXPECT_EQ(PagePropertyModel::DefaultColorOf(PagePropertyModel::LinkColor), 0xFF0000u);
    EXPECT_EQ(PagePropertyModel::DefaultColorOf(PagePropertyModel::BackgroundColor), 0xFFFFFFu);

    EXPECT_TRUE(PagePropertyModel::IsSoundAddress("HTTP://www.example.jp/a.mid"));
    EXPECT_FALSE(PagePropertyModel::IsSoundAddress("/home/me/http://a.mid"));
}

// ---- marquee ---------------------------------------------------------------------

TEST(MarqueeModel, TheDefaultsShowTheirNumbersAndOkWithoutChangesReportsNone)
{
    MarqueeModel model;
    model.InitTexts();
    EXPECT_EQ(MarqueeModel::DirectionIndex(model.m_strDirection), 0);
    EXPECT_EQ(MarqueeModel::BehaviorIndex(model.m_strBehavior), 0);
    EXPECT_EQ(model.m_strAmount, "6");
    EXPECT_EQ(model.m_strDelay, "85");
    EXPECT_EQ(model.m_strLoop, "1");
    EXPECT_EQ(model.m_strWidth, "0");
    model.OnOK(0, 0, kColorDefault);
    EXPECT_FALSE(model.m_bAmountChanged || model.m_bDelayChanged || model.m_bLoopChanged || model.m_bWidthChanged ||
                 model.m_bHeightChanged || model.m_bDirectionChanged || model.m_bBehaviorChanged ||
                 model.m_bColorChanged);

    // Words in any case; an unknown one shows the first entry, none nothing.
    EXPECT_EQ(MarqueeModel::DirectionIndex("LEFT"), 0);
    EXPECT_EQ(MarqueeModel::DirectionIndex("Down"), 3);
    EXPECT_EQ(MarqueeModel::DirectionIndex("sideways"), 0);
    EXPECT_EQ(MarqueeModel::DirectionIndex(""), -1);
    EXPECT_EQ(MarqueeModel::BehaviorIndex("ALTERNATE"), 2);
}

TEST(MarqueeModel, ChangesAreReportedWithTheDefaultsStoredAsLeftOut)
{
    MarqueeModel model;
    model.m_nAmount = 10;
    model.m_strDirection = "right";
    model.InitTexts();
    model.m_strAmount = "6";
    model.m_bContinuous = 0;
    model.m_strLoop = "3";
    model.OnOK(0, 1, 0x0000FF);
    EXPECT_TRUE(model.m_bAmountChanged);
    EXPECT_EQ(model.m_nAmount, -1);
    EXPECT_TRUE(model.m_bDirectionChanged);
    EXPECT_EQ(model.m_strDirection, "Default");
    EXPECT_TRUE(model.m_bBehaviorChanged);
    EXPECT_EQ(model.m_strBehavior, "slide");
    EXPECT_TRUE(model.m_bLoopChanged);
    EXPECT_EQ(model.m_nLoop, 3);
    EXPECT_TRUE(model.m_bColorChanged);
    EXPECT_FALSE(model.m_bDelayChanged);

    // スライド plays once: continuous goes off and cannot be used.
    MarqueeModel slide;
    EXPECT_FALSE(slide.OnBehaviorChanged(1));
    EXPECT_EQ(slide.m_bContinuous, 0);
    EXPECT_TRUE(slide.m_bLoopChanged);
    EXPECT_TRUE(slide.OnBehaviorChanged(2));
}

TEST(MarqueeModel, SizesConvertByTheReferenceAndStayInTheirUnitsRange)
{
    MarqueeModel model;
    model.m_bWidthOn = 1;
    model.m_nWidth = 300;
    model.m_nWidthUnit = 1;
    model.m_nReferenceWidth = 600;
    model.InitTexts();
    model.OnUnitChanged(MarqueeModel::Width, 0);
    EXPECT_EQ(model.m_strWidth, "50");
    model.OnUnitChanged(MarqueeModel::Width, 1);
    EXPECT_EQ(model.m_strWidth, "300");

    // Without a reference (-1 or 0) the number stays, put into per cent's range.
    MarqueeModel unknown;
    unknown.m_bWidthOn = 1;
    unknown.m_nWidth = 250;
    unknown.m_nWidthUnit = 1;
    unknown.m_nReferenceWidth = 0;
    unknown.InitTexts();
    unknown.OnUnitChanged(MarqueeModel::Width, 0);
    EXPECT_EQ(unknown.m_strWidth, "100");
    unknown.OnOK(0, 0, kColorDefault);
    EXPECT_TRUE(unknown.m_bWidthChanged);
    EXPECT_EQ(unknown.m_nWidth, 100);

    // The same number in the other unit is a change too.
    MarqueeModel same;
    same.m_bWidthOn = 1;
    same.m_nWidth = 40;
    same.m_nWidthUnit = 1;
    same.InitTexts();
    same.OnUnitChanged(MarqueeModel::Width, 0);
    same.OnOK(0, 0, kColorDefault);
    EXPECT_TRUE(same.m_bWidthChanged);
    EXPECT_EQ(same.m_nWidthUnit, 0);

    // Leaving a box clamps it; OK applies the same rule to a box not left.
    model.m_strLoop = "99999";
    model.OnBoxLeft(MarqueeModel::Loop);
    EXPECT_EQ(model.m_strLoop, "10000");
    model.m_strAmount = "4294967296";
    model.m_bContinuous = 0;
    model.OnOK(0, 0, kColorDefault);
    EXPECT_EQ(model.m_nAmount, 10000);
}

TEST(MarqueeModel, SeveralMarqueesOpenEmptyAndOnlyWhatIsTypedChanges)
{
    MarqueeModel model;
    model.m_strDirection.clear();
    model.m_strBehavior.clear();
    model.m_nAmount = model.m_nDelay = model.m_nWidth = model.m_nHeight = model.m_nLoop = -2;
    model.m_crBackground = kColorNone;
    model.InitTexts();
    EXPECT_EQ(model.m_strAmount, "");
    EXPECT_EQ(model.m_strLoop, "");
    model.m_strDelay = "100";
    model.OnOK(-1, -1, kColorNone);
    EXPECT_TRUE(model.m_bDelayChanged);
    EXPECT_EQ(model.m_nDelay, 100);
    EXPECT_FALSE(model.m_bAmountChanged || model.m_bDirectionChanged || model.m_bBehaviorChanged ||
                 model.m_bLoopChanged || model.m_bColorChanged || model.m_bWidthChanged);
}

// ---- horizontal rule -----------------------------------------------------------------

TEST(HrPropertyModel, ARuleWithoutSizesReportsNothingChangedAndHeightsStayIn1To100)
{
    HrPropertyModel model;
    model.m_strHeight = "150";
    EXPECT_TRUE(model.OnHeightEdited()); // not initialised yet: nothing happens
    EXPECT_EQ(model.m_strHeight, "150");
    model.InitTexts();
    EXPECT_EQ(model.m_strWidth, "");
    EXPECT_EQ(model.m_strHeight, "");
    model.OnOK();
    EXPECT_FALSE(model.m_bWidthChanged || model.m_bHeightChanged);

    model.m_strHeight = "150";
    EXPECT_FALSE(model.OnHeightEdited());
    EXPECT_EQ(model.m_strHeight, "100");
    model.m_strHeight = "";
    EXPECT_FALSE(model.OnHeightEdited());
    EXPECT_EQ(model.m_strHeight, "1");
    model.OnOK();
    EXPECT_TRUE(model.m_bHeightChanged);
    EXPECT_EQ(model.m_nHeight, 1);
}

TEST(HrPropertyModel, WidthsAreCappedInTheirUnitAndConvertByTheReference)
{
    HrPropertyModel model;
    model.m_nWidthUnit = 1;
    model.m_nReferenceWidth = 800;
    model.InitTexts();
    model.m_strWidth = "3000";
    EXPECT_FALSE(model.OnWidthEdited());
    EXPECT_EQ(model.m_strWidth, "2000");
    model.m_strWidth = "0";
    EXPECT_TRUE(model.OnWidthEdited());
    EXPECT_EQ(model.m_nWidth, 0);
    model.m_strWidth = "400";
    model.OnWidthEdited();
    model.OnUnitChanged(0);
    EXPECT_EQ(model.m_strWidth, "50");
    EXPECT_TRUE(model.m_bWidthChanged);
    model.OnUnitChanged(1);
    EXPECT_EQ(model.m_strWidth, "400");

    // An empty width stays empty across a unit switch: nothing given, nothing changed.
    HrPropertyModel empty;
    empty.InitTexts();
    empty.OnUnitChanged(1);
    empty.OnOK();
    EXPECT_EQ(empty.m_nWidth, -1);
    EXPECT_FALSE(empty.m_bWidthChanged);
}

// ---- image ----------------------------------------------------------------------------

ImagePropertyModel imageOf(int width, int height)
{
    ImagePropertyModel model;
    model.m_strPath = "a.png";
    model.m_bSpecifySize = 1;
    model.m_nWidth = width;
    model.m_nHeight = height;
    model.m_nBorder = 0;
    model.InitTexts();
    return model;
}

TEST(ImagePropertyModel, SizesFollowEachOtherByTheRatioAndAreCappedAt2000)
{
    ImagePropertyModel model = imageOf(200, 100);
    EXPECT_EQ(model.m_bKeepRatio, 1);
    model.m_strHeight = "50";
    EXPECT_FALSE(model.OnHeightEdited());
    EXPECT_EQ(model.m_strWidth, "100");
    model.m_strWidth = "3000";
    model.OnWidthLeft();
    EXPECT_EQ(model.m_strWidth, "2000");
    EXPECT_EQ(model.m_strHeight, "1000");

    // Height 0: no ratio, the live update does nothing, a cap touches one size only.
    ImagePropertyModel flat = imageOf(300, 0);
    EXPECT_EQ(flat.m_bKeepRatio, 0);
    EXPECT_EQ(flat.m_dRatio, -1.0);
    flat.m_bKeepRatio = 1;
    flat.m_strHeight = "20";
    EXPECT_TRUE(flat.OnHeightEdited());
    EXPECT_EQ(flat.m_strWidth, "300");
    flat.m_strWidth = "5000";
    flat.OnWidthLeft();
    EXPECT_EQ(flat.m_strWidth, "2000");
    EXPECT_EQ(flat.m_strHeight, "20");

    // Extreme shapes and numbers stay whole numbers in the int range.
    ImagePropertyModel thin = imageOf(1, 100000);
    thin.m_strHeight = "99999999999";
    thin.OnHeightEdited();
    thin.OnHeightLeft();
    EXPECT_EQ(thin.m_strHeight, "2000");
    EXPECT_EQ(thin.m_strWidth, "0");
    ImagePropertyModel wide = imageOf(100000, 1);
    wide.m_strHeight = "99999999999";
    wide.OnHeightEdited();
    EXPECT_EQ(wide.m_nWidth, INT_MAX);
}

TEST(ImagePropertyModel, SeveralImagesOpenEmptyAndComeBackNotGiven)
{
    ImagePropertyModel model;
    model.m_bMultiple = true;
    model.m_nWidth = 10;
    model.m_crBorder = kColorDefault;
    model.InitTexts();
    EXPECT_EQ(model.m_strWidth, "");
    EXPECT_FALSE(model.KeepRatioEnabled());
    model.OnHeightLeft();
    EXPECT_EQ(model.m_nHeight, -1);
    EXPECT_EQ(model.PickerColor(), kColorNone);
    EXPECT_TRUE(model.OnOK(kColorNone));
    EXPECT_EQ(model.m_nWidth, -1);
    EXPECT_EQ(model.m_nHeight, -1);
    EXPECT_EQ(model.m_nBorder, -1);
    // Their differing colours stay unless one is picked.
    EXPECT_EQ(model.m_crBorder, kColorDefault);
    model.OnColorChosen(0x00FF00);
    EXPECT_TRUE(model.OnOK(0x00FF00));
    EXPECT_EQ(model.m_crBorder, 0x00FF00u);
}

TEST(ImagePropertyModel, BordersAreCappedAt100AndASingleImageNeedsAPath)
{
    ImagePropertyModel model = imageOf(20, 10);
    EXPECT_FALSE(model.BorderColorEnabled(false));
    model.m_strBorder = "1";
    EXPECT_TRUE(model.BorderColorEnabled(false));
    model.m_strBorder = "";
    EXPECT_TRUE(model.BorderColorEnabled(true));
    model.OnBorderLeft();
    EXPECT_EQ(model.m_nBorder, -1);
    model.m_strBorder = "150";
    model.OnBorderLeft();
    EXPECT_EQ(model.m_strBorder, "100");
    // A single image's empty size box shows its last size again.
    model.m_strWidth = "";
    model.OnWidthLeft();
    EXPECT_EQ(model.m_strWidth, "20");

    model.m_crBorder = kColorNone;
    EXPECT_EQ(model.PickerColor(), 0u);
    model.m_strPath.clear();
    EXPECT_FALSE(model.OnOK(0));
}

// ---- page title --------------------------------------------------------------------------

TEST(VornaDialogAsk, PastedLineBreaksBecomeBlanks)
{
    EXPECT_EQ(VornaDialogAsk::OneLine("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(VornaDialogAsk::OneLine("<b> & </b>"), "<b> & </b>");
}

} // namespace
