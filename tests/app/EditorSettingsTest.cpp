#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

void writeDWord(const QString& name, quint32 value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
    ASSERT_TRUE(reg.WriteDWord(name, value));
}

struct RangeCase
{
    const char* value;
    quint32 stored;
    int expected;
};

void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.value << "=" << c.stored;
}

int fieldOf(const EditorSettings& s, const QString& name)
{
    if (name == "SOUNDEFFECT")
        return s.soundEffect;
    if (name == "SHOW_GUIDE")
        return s.showGuide;
    if (name == "SHOW_ARRANGE")
        return s.showArrange;
    if (name == "SHOW_TABLE_TOOLBAR")
        return s.showTableToolbar;
    if (name == "GRID_SIZE")
        return s.gridSize;
    if (name == "GRID_STYLE")
        return s.gridStyle;
    if (name == "GRID_VISIBLE")
        return s.gridVisible;
    if (name == "SNAP_ON")
        return s.snapOn;
    return -1;
}

class EditorSettingsRangeTest : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(EditorSettingsRangeTest, StoredValueReadsBackByItsRangeRule)
{
    const RangeCase& c = GetParam();
    writeDWord(QString::fromLatin1(c.value), c.stored);
    EditorSettings settings;
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(fieldOf(settings, QString::fromLatin1(c.value)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, EditorSettingsRangeTest,
                         ::testing::Values(RangeCase{"GRID_SIZE", 0, 10}, RangeCase{"GRID_SIZE", 101, 10},
                                           RangeCase{"GRID_SIZE", 100, 100}, RangeCase{"GRID_SIZE", 1, 1},
                                           RangeCase{"GRID_STYLE", 4, 1}, RangeCase{"GRID_STYLE", 3, 3},
                                           // Switches stored off stay off.
                                           RangeCase{"SOUNDEFFECT", 0, 0}, RangeCase{"SHOW_GUIDE", 0, 0},
                                           RangeCase{"SHOW_ARRANGE", 0, 0}, RangeCase{"SHOW_TABLE_TOOLBAR", 0, 0},
                                           RangeCase{"GRID_VISIBLE", 0, 0}, RangeCase{"SNAP_ON", 0, 0},
                                           // Other values out of range take the fallback of each.
                                           RangeCase{"SOUNDEFFECT", 7, 0}, RangeCase{"SHOW_GUIDE", 4, 1},
                                           RangeCase{"SNAP_ON", 9, 1}, RangeCase{"SNAP_ON", 2, 2},
                                           RangeCase{"GRID_VISIBLE", 0xFFFFFFFF, 1}));

TEST(EditorSettingsTest, MissingValuesUnderAnExistingKeyAreRangeChecked)
{
    writeDWord(QStringLiteral("OTHER"), 1);
    EditorSettings settings;
    ASSERT_TRUE(settings.load());
    // Snapping starts at 0, which lies outside its range when nothing is stored.
    EXPECT_EQ(settings.snapOn, 1);
    EXPECT_EQ(settings.gridSize, 10);
    EXPECT_EQ(settings.soundEffect, 1);
    EXPECT_EQ(settings.pageSize, QSize(800, 600));
}

TEST(EditorSettingsTest, PageSizeIsTakenOnlyWhenBothSidesAreSet)
{
    writeDWord(QStringLiteral("PAGE_SIZE_WIDTH"), 1024);
    writeDWord(QStringLiteral("PAGE_SIZE_HEIGHT"), 0);
    EditorSettings settings;
    settings.load();
    EXPECT_EQ(settings.pageSize, QSize(800, 600));
    writeDWord(QStringLiteral("PAGE_SIZE_HEIGHT"), 768);
    settings.load();
    EXPECT_EQ(settings.pageSize, QSize(1024, 768));
}

TEST(EditorSettingsTest, SavedSettingsSurviveAReload)
{
    EditorSettings settings;
    settings.soundEffect = 0;
    settings.showGuide = 0;
    settings.gridSize = 40;
    settings.snapOn = 1;
    settings.pageSizeVisible = 1;
    ASSERT_TRUE(settings.save());
    EditorSettings again;
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.soundEffect, 0);
    EXPECT_EQ(again.showGuide, 0);
    EXPECT_EQ(again.gridSize, 40);
    EXPECT_EQ(again.snapOn, 1);
    EXPECT_EQ(again.pageSizeVisible, 1);
}

TEST(WindowPlacementTest, SavingCreatesTheKeyAndTheNextStartReadsIt)
{
    WindowPlacement missing;
    EXPECT_FALSE(missing.load());
    WindowPlacement placement{false, 900, 700, 30, 40};
    ASSERT_TRUE(placement.save());
    WindowPlacement read;
    ASSERT_TRUE(read.load());
    EXPECT_EQ(read.width, 900u);
    EXPECT_EQ(read.height, 700u);
    EXPECT_EQ(read.x, 30);
    EXPECT_EQ(read.y, 40);
    EXPECT_FALSE(read.maximize);
}

TEST(WindowPlacementTest, AWindowAsWideAsTheScreenStartsMaximized)
{
    const QSize screen(1280, 1024);
    EXPECT_FALSE((WindowPlacement{false, 1279, 1023, 0, 0}).startsMaximized(screen));
    EXPECT_TRUE((WindowPlacement{false, 1280, 600, 0, 0}).startsMaximized(screen));
    EXPECT_TRUE((WindowPlacement{false, 800, 1024, 0, 0}).startsMaximized(screen));
    EXPECT_TRUE((WindowPlacement{true, 800, 600, 0, 0}).startsMaximized(screen));
}

} // namespace
