#include "app/CommandEnabling.h"
#include "util/PageDom.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct MaskCase
{
    const char* name;
    quint32 mask;
    bool arrange;
    bool objectFlag0;
    bool hyperlink; // object flag 1, mask 0x20
    bool del;
    bool tableCell;
};

void PrintTo(const MaskCase& c, std::ostream* os)
{
    *os << c.name;
}

class SelectionMaskTest : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(SelectionMaskTest, EnablesByTheSelectionKind)
{
    const MaskCase& c = GetParam();
    EXPECT_EQ(CommandEnabling::ArrangeCommand(true, c.mask), c.arrange);
    EXPECT_EQ(CommandEnabling::ObjectCommand(true, 0, c.mask, 0), c.objectFlag0);
    EXPECT_EQ(CommandEnabling::ObjectCommand(true, 1, c.mask, 0x20), c.hyperlink);
    EXPECT_EQ(CommandEnabling::DeleteCommand(true, c.mask), c.del);
    EXPECT_EQ(CommandEnabling::TableCellCommand(true, c.mask), c.tableCell);
    // Outside the editing view nothing of this is enabled.
    EXPECT_FALSE(CommandEnabling::ArrangeCommand(false, c.mask));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(false, 0, c.mask, 0));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(false, 1, c.mask, 0x20));
    EXPECT_FALSE(CommandEnabling::DeleteCommand(false, c.mask));
}

INSTANTIATE_TEST_SUITE_P(
    Masks, SelectionMaskTest,
    ::testing::Values(
        //       name                    mask         arrange flag0  link   delete tableCell
        MaskCase{"Nothing", 0x0, false, false, false, false, false},
        MaskCase{"Caret", 0x1, false, false, true, true, false},
        MaskCase{"TextRange", 0x2, true, true, true, true, false},
        MaskCase{"CaretInBlock", 0x1 | 0x4, false, false, false, true, false},
        MaskCase{"Block", 0x4, true, true, false, true, false}, MaskCase{"Image", 0x8, true, true, true, true, false},
        MaskCase{"TableControl", 0x10, true, true, false, true, false},
        MaskCase{"CaretInCell", 0x10 | 0x1, false, true, true, true, true},
        MaskCase{"CaretInCellOfMergedRange", 0x10 | 0x1 | 0x200000, false, true, true, true, false},
        MaskCase{"CellRangeSelection", 0x1 | 0x1000, false, false, false, true, false},
        MaskCase{"LinkText", 0x2 | 0x20, true, true, true, true, false},
        MaskCase{"BoardLink", 0x2 | 0x40, true, true, false, true, false},
        MaskCase{"PositionedBox", 0x2000000, true, true, true, true, false},
        MaskCase{"CaretInPositionedBox", 0x2000000 | 0x8000000, false, true, true, true, false},
        MaskCase{"Marquee", 0x100, true, true, false, true, false},
        MaskCase{"Counter", 0x100000, true, true, false, true, false},
        MaskCase{"BodyOnly", 0x40000, false, false, false, true, false}));

TEST(CommandEnablingTest, VerticalAlignmentIsNotOfferedForPositionedBoxesAlone)
{
    EXPECT_TRUE(CommandEnabling::FormatCommand(true, true, 0x2000000, 32938));
    EXPECT_FALSE(CommandEnabling::FormatCommand(true, true, 0x2000000, 32941));
    EXPECT_FALSE(CommandEnabling::FormatCommand(true, true, 0x8000000, 32943));
    EXPECT_TRUE(CommandEnabling::FormatCommand(true, true, 0x2 | 0x2000000, 32943));
    EXPECT_FALSE(CommandEnabling::FormatCommand(false, true, 0x2, 32930));
    EXPECT_FALSE(CommandEnabling::FormatCommand(true, false, 0x2, 32930));
}

TEST(CommandEnablingTest, TextOfThePageFlowTakesCharacterFormatsAndHorizontalAlignmentsOnly)
{
    for (int id : {32928, 32929, 32930, 32933, 32935, 33495, 33301, 32938, 32940})
        EXPECT_TRUE(CommandEnabling::FormatCommand(true, true, kSelFlowText, id)) << id;
    for (int id : {32934, 33496, 32941, 32943})
        EXPECT_FALSE(CommandEnabling::FormatCommand(true, true, kSelFlowText, id)) << id;
    EXPECT_TRUE(CommandEnabling::DeleteCommand(true, kSelFlowText));
    EXPECT_FALSE(CommandEnabling::TableCellCommand(true, kSelFlowText));
    EXPECT_FALSE(CommandEnabling::ArrangeCommand(true, kSelFlowText));
    EXPECT_FALSE(CommandEnabling::BringToFrontOrBack(true, kSelFlowText));
    EXPECT_FALSE(CommandEnabling::FormatCommand(true, false, kSelFlowText, 32930));
}

TEST(CommandEnablingTest, TheLinkCommandsTakeTheFlowsTextAsATextBoxsText)
{
    // Selected words take every kind of link; a caret only the link it stands in.
    for (quint32 kind : {0x20u, 0x40u, 0x80u})
        EXPECT_TRUE(CommandEnabling::ObjectCommand(true, 1, kSelFlowText, kind, true)) << kind;
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 1, kSelFlowText, 0x20, false));
    EXPECT_TRUE(CommandEnabling::ObjectCommand(true, 1, kSelFlowText | 0x20, 0x20, false));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 1, kSelFlowText | 0x20, 0x40, false));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 1, kSelFlowText | 0x40, 0x20, true));
    // Outside the editing view, or as an object: nothing.
    EXPECT_FALSE(CommandEnabling::ObjectCommand(false, 1, kSelFlowText, 0x20, true));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 0, kSelFlowText, 0, true));
}

TEST(CommandEnablingTest, ImageAndCounterCommandsExcludeTheirOwnKinds)
{
    EXPECT_TRUE(CommandEnabling::ImagePropertiesCommand(true, 0x8));
    EXPECT_TRUE(CommandEnabling::ImagePropertiesCommand(true, 0x2000));
    EXPECT_FALSE(CommandEnabling::ImagePropertiesCommand(true, 0x8 | 0x100000));
    EXPECT_FALSE(CommandEnabling::ImagePropertiesCommand(true, 0x8 | 0x100));
    EXPECT_FALSE(CommandEnabling::ImagePropertiesCommand(false, 0x8));
    EXPECT_TRUE(CommandEnabling::CounterCommand(true, 0x0));
    EXPECT_FALSE(CommandEnabling::CounterCommand(true, 0x100000));
    EXPECT_TRUE(CommandEnabling::BringToFrontOrBack(true, 0x8));
    EXPECT_FALSE(CommandEnabling::BringToFrontOrBack(true, 0x8 | 0x20000));
}

TEST(CommandEnablingTest, LinkLikeCommandsNeedTheirOwnLinkBit)
{
    // A link of another kind is selected: only the command of that kind.
    EXPECT_TRUE(CommandEnabling::ObjectCommand(true, 1, 0x8 | 0x40, 0x40));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 1, 0x8 | 0x40, 0x20));
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 1, 0x8 | 0x40, 0x80));
    // A positioned box holding a caret but flagged as unsuitable.
    EXPECT_FALSE(CommandEnabling::ObjectCommand(true, 1, 0x2000000 | 0x40000000, 0x20));
}

} // namespace
