#include "dialogs/TableCellPropertyModel.h"
#include "dialogs/TablePropertyModel.h"

#include <gtest/gtest.h>

using Box = TablePropertyModel::Box;
using CellBox = TableCellPropertyModel::Box;

namespace {
TablePropertyModel TableWithWidth(const char* width, bool percent, int reference)
{
    TablePropertyModel model;
    model.m_strWidth = QString::fromLatin1(width);
    model.m_bWidthPercent = percent;
    model.m_nReferenceWidth = reference;
    model.Initialize();
    return model;
}
} // namespace

TEST(TablePropertyModel, UnitSwitchesConvertByTheReferenceAndComeBackExactly)
{
    TablePropertyModel model = TableWithWidth("400", false, 800);
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "50");
    EXPECT_TRUE(model.m_bWidthPercent);
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "400");

    // 333 of 1000 shows 33 %, but the way back keeps the 333.
    model = TableWithWidth("333", false, 1000);
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "33");
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "333");

    model = TableWithWidth("100", true, 1200);
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "1200");
    model = TableWithWidth("100", true, 12000);
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "9999");
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "83"); // from the clamped 9999, not 12000

    TablePropertyModel height;
    height.m_strHeight = "150";
    height.m_bHeightPercent = false;
    height.m_nReferenceHeight = 300;
    height.Initialize();
    height.SetHeightPercent(true);
    EXPECT_EQ(height.m_strHeight, "50");
    EXPECT_TRUE(height.m_bHeightPercent);
}

TEST(TablePropertyModel, AnEditedNumberIsWhatTheUnitSwitchConverts)
{
    TablePropertyModel model = TableWithWidth("400", false, 800);
    model.m_strWidth = "200"; // typed, the radio clicked before leaving the box
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "25");
}

TEST(TablePropertyModel, EmptySizesAndZeroReferencesOnlyChangeTheUnit)
{
    TablePropertyModel model = TableWithWidth("", false, 800);
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "");
    EXPECT_TRUE(model.m_bWidthPercent);

    model = TableWithWidth("80", true, 0);
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "80");
    EXPECT_FALSE(model.m_bWidthPercent);
    model = TableWithWidth("80", true, -20);
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "80");
}

TEST(TablePropertyModel, LeavingABoxClampsToItsRange)
{
    TablePropertyModel model;
    model.Initialize();
    const std::pair<const char*, const char*> rows[] = {
        {"0", "1"}, {"30", "25"}, {"", "1"}, {"007", "7"}, {"99999999999", "25"}};
    for (const auto& [typed, shown] : rows) {
        model.m_strRows = typed;
        model.LeaveBox(Box::Rows);
        EXPECT_EQ(model.m_strRows, shown) << typed;
    }
    model.m_strCellPadding = "";
    model.LeaveBox(Box::CellPadding);
    EXPECT_EQ(model.m_strCellPadding, "");
    model.m_strBorder = "101";
    model.LeaveBox(Box::Border);
    EXPECT_EQ(model.m_strBorder, "100");
    model.m_strWidth = "150"; // percent
    model.LeaveBox(Box::Width);
    EXPECT_EQ(model.m_strWidth, "100");
}

TEST(TablePropertyModel, OkClampsABoxTheFocusHasNotLeft)
{
    TablePropertyModel model;
    model.m_strRows = "30";
    model.m_strColumns = "";
    model.m_strWidth = "250";
    model.Initialize();
    model.Accept();
    EXPECT_EQ(model.m_strRows, "25");
    EXPECT_EQ(model.m_strColumns, "1");
    EXPECT_EQ(model.m_strWidth, "100");
    EXPECT_EQ(model.m_strBorder, "1");

    // Several tables edited at once show no rows: the locked boxes stay so.
    TablePropertyModel existing;
    existing.m_bExistingTable = true;
    existing.Initialize();
    existing.Accept();
    EXPECT_EQ(existing.m_strRows, "");
    EXPECT_EQ(existing.m_strColumns, "");
}

TEST(TablePropertyModel, AMarkerColourKeepsTheTextOfTheLastColour)
{
    TablePropertyModel model;
    model.ChooseColor(TablePropertyModel::ColorList::Border, platform::rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(model.m_strBorderColor, "#123456");
    model.ChooseColor(TablePropertyModel::ColorList::Border, kColorDefault);
    EXPECT_EQ(model.m_crBorder, kColorDefault);
    EXPECT_EQ(model.m_strBorderColor, "#123456");
    model.ChooseColor(TablePropertyModel::ColorList::Background, kColorNone);
    EXPECT_EQ(model.m_crBackground, kColorNone);
    EXPECT_EQ(model.m_strBackgroundColor, "");
}

TEST(TableCellPropertyModel, TheRememberedPairReturnsTheFirstNumber)
{
    TableCellPropertyModel model;
    model.m_strWidth = "200";
    model.m_bWidthPercent = false;
    model.m_nReferenceWidth = 800;
    model.m_nWidthPixels = 200;
    model.m_nWidthPercentValue = 25;
    model.Initialize();
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "25");
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "200");
    model.SetWidthPercent(true);
    model.m_strWidth = "30";
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "240");

    // A pair that does not match the shown number is replaced.
    model.m_strWidth = "201";
    model.SetWidthPercent(true);
    EXPECT_EQ(model.m_strWidth, "25");
    EXPECT_EQ(model.m_nWidthPixels, 201);
    model.SetWidthPercent(false);
    EXPECT_EQ(model.m_strWidth, "201");
}

TEST(TableCellPropertyModel, HeightsConvertAndClampLikeWidths)
{
    TableCellPropertyModel model;
    model.m_strHeight = "150";
    model.m_nReferenceHeight = 100000;
    model.Initialize();
    EXPECT_EQ(model.m_strHeight, "100"); // opened in percent: clamped
    model.SetHeightPercent(false);
    EXPECT_EQ(model.m_strHeight, "9999");
    EXPECT_FALSE(model.m_bHeightPercent);

    model.m_strHeight = "";
    model.SetHeightPercent(true);
    EXPECT_EQ(model.m_strHeight, "");
    EXPECT_TRUE(model.m_bHeightPercent);

    model.m_nReferenceHeight = 0;
    model.m_strHeight = "40";
    model.SetHeightPercent(false);
    EXPECT_EQ(model.m_strHeight, "40");
    model.m_strHeight = "120";
    model.Accept();
    EXPECT_EQ(model.m_strHeight, "120"); // pixels now
}

TEST(TableCellPropertyModel, AlignmentListsReadTheCellAndDefaultKeepsIt)
{
    TableCellPropertyModel model;
    model.m_bHAlignSet = true;
    model.m_strHAlign = "RIGHT";
    model.m_bVAlignSet = true;
    model.m_strVAlign = "baseline";
    model.Initialize();
    EXPECT_EQ(model.m_nHAlignIndex, 3);
    EXPECT_EQ(model.m_nVAlignIndex, 0);

    model.SelectHAlign(0);
    EXPECT_EQ(model.m_strHAlign, "RIGHT");
    EXPECT_TRUE(model.m_bHAlignSet);
    model.SelectHAlign(2);
    EXPECT_EQ(model.m_strHAlign, "center");

    TableCellPropertyModel unset;
    unset.m_strVAlign = "top"; // not flagged as set
    unset.Initialize();
    EXPECT_EQ(unset.m_nVAlignIndex, 0);
    unset.SelectVAlign(3);
    EXPECT_EQ(unset.m_strVAlign, "bottom");
    EXPECT_TRUE(unset.m_bVAlignSet);
}
