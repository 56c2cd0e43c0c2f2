#include "app/EditorSettings.h"
#include "chrome/ToolBarLayoutRecord.h"
#include "chrome/ULOToolBar.h"
#include "platform/CommandRegistry.h"
#include "util/CRegistryEx.h"
#include "support/SmallFileSystem.h"

#include "platform/RegistryStore.h"

#include <QComboBox>
#include <QMenu>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray ints(std::initializer_list<qint32> values)
{
    QByteArray out;
    for (qint32 value : values) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out.append(bytes, 4);
    }
    return out;
}

ToolBarLayoutRecord::Rules knownIds()
{
    ToolBarLayoutRecord::Rules rules;
    rules.isCommand = [](int id) { return id >= 100 && id < 40000; };
    rules.isMenu = [](int id) { return id == 626; };
    return rules;
}

TEST(ToolBarLayoutRecord, WritesTheBytesOfEachKindOfButton)
{
    ToolBarLayoutRecord empty;
    empty.flag = 7;
    EXPECT_EQ(empty.write(), ints({0, 7}));

    ToolBarLayoutRecord record;
    record.entries = {{33262, -4}, {0, 0}, {620, -5}, {33106, 0}, {33320, -6}, {32933, -4}};
    record.lists = {{33262, {33205, 33160, 33262}}, {620, {33403, 33405, 33404}}, {33320, {626}}};
    record.flag = 1;
    const QByteArray bytes = record.write();
    EXPECT_EQ(bytes, ints({6,     -4,    33262, -2,    33205, 33160, 33262, -3,  -1, -5, 620,   -2, 33403,
                           33405, 33404, -3,    33106, -6,    33320, -2,    626, -3, -4, 32933, -3, 1}));
    const auto back = ToolBarLayoutRecord::read(bytes, knownIds());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->entries, record.entries);
    EXPECT_EQ(back->lists, record.lists);
    EXPECT_EQ(back->flag, 1u);
}

TEST(ToolBarLayoutRecord, RefusesDamagedRecordsWhole)
{
    const ToolBarLayoutRecord::Rules rules = knownIds();
    QByteArray millionList = ints({1, -5, 620, -2});
    for (int i = 0; i < 1000000; ++i)
        millionList.append(ints({33403}));
    const std::pair<const char*, QByteArray> cases[] = {
        {"nothing", QByteArray()},
        {"count only", ints({0})},
        {"count of 2^31 - 1", ints({0x7FFFFFFF, 33106, 0})},
        {"negative count", ints({-3, 0})},
        {"count past the entries", ints({3, 33106, 33161, 0})},
        {"bytes left over", ints({1, 33106, 0, 99})},
        {"a stray byte", ints({1, 33106, 0}) + QByteArray(1, '\0')},
        {"unknown command", ints({1, 41000, 0})},
        {"zero command", ints({1, 0, 0})},
        {"command over 16 bits", ints({1, 0x10000 + 33106, 0})},
        {"unknown kind", ints({1, -7, 33106, -3, 0})},
        {"drop-down of an unknown command", ints({1, -5, 41000, -3, 0})},
        {"list without its end", ints({1, -5, 620, -2, 33403, 33405})},
        {"list naming an unknown command", ints({1, -5, 620, -2, 41000, -3, 0})},
        {"no terminator after the id", ints({1, -4, 33262, 33106, 0})},
        {"menu button naming no menu", ints({1, -6, 33320, -2, 627, -3, 0})},
        {"menu button naming two menus", ints({1, -6, 33320, -2, 626, 626, -3, 0})},
        {"a million-entry list without its end", millionList},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(ToolBarLayoutRecord::read(bytes, rules).has_value()) << name;
}

class ToolBarLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        reg.DeleteKey(HKEY_CURRENT_USER, ULOToolBar::layoutKeyPath());
    }
    void store(int id, const QByteArray& bytes)
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, ULOToolBar::layoutKeyPath()));
        ASSERT_TRUE(reg.WriteBinary(QStringLiteral("Setting%1").arg(id), bytes));
    }
    platform::CommandRegistry registry;
};

TEST_F(ToolBarLayoutTest, AChosenCommandAndAMovedButtonSurviveARestart)
{
    {
        std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(601, nullptr));
        ASSERT_TRUE(bar->LoadToolBarEx(601, 2011, registry));
        EXPECT_FALSE(bar->LoadState());
        ASSERT_TRUE(bar->SelectDropDownCommand(33160));
        bar->m_dwSavedFlag = 1;
        EXPECT_TRUE(bar->SaveState());
        CRegistryEx reg(HKEY_CURRENT_USER);
        QByteArray bytes;
        ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, ULOToolBar::layoutKeyPath()));
        ASSERT_TRUE(reg.ReadBinary(QStringLiteral("Setting601"), bytes));
        EXPECT_EQ(bytes.left(32), ints({int(bar->buttons().size()), -4, 33160, -2, 33205, 33160, 33262, -3}));
    }
    std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(601, nullptr));
    ASSERT_TRUE(bar->LoadToolBarEx(601, 2011, registry));
    ASSERT_TRUE(bar->LoadState());
    EXPECT_EQ(bar->buttons().value(0), (ULOToolBar::Button{33160, ULOToolBar::kSplitDropDown}));
    EXPECT_EQ(bar->m_dwSavedFlag, 1u);
    EXPECT_EQ(ULOToolBar::dropDownList(33160), (QList<int>{33205, 33160, 33262}));
    ASSERT_NE(bar->dropDownMenu(0), nullptr);
    emit bar->dropDownMenu(0)->aboutToShow();
    EXPECT_EQ(bar->dropDownMenu(0)->actions().size(), 3);
    // Choosing again still works on the loaded button.
    EXPECT_TRUE(bar->SelectDropDownCommand(33205));
    EXPECT_EQ(bar->buttonIds().value(0), 33205);
}

// Customisation puts commands of the menus that have a picture on the bars:
// such a layout loads; one naming a command without a picture does not.
TEST_F(ToolBarLayoutTest, ALayoutMayHoldMenuCommandsWithPictures)
{
    std::unique_ptr<ULOToolBar> image(ULOToolBar::create(606, nullptr));
    ASSERT_TRUE(image->LoadToolBarEx(606, 2061, registry));
    std::unique_ptr<ULOToolBar> align(ULOToolBar::create(604, nullptr));
    ASSERT_TRUE(align->LoadToolBarEx(604, 2041, registry));
    store(604, ints({2, 33245, 33312, 0}));
    ASSERT_TRUE(align->LoadState());
    EXPECT_EQ(align->buttonIds(), (QList<int>{33245, 33312}));
    EXPECT_FALSE(registry.action(33312)->icon().isNull());
    const QList<int> before = align->buttonIds();
    store(604, ints({2, 33245, 33257, 0}));
    EXPECT_FALSE(align->LoadState());
    EXPECT_EQ(align->buttonIds(), before);
}

// A layout the settings file cannot take (a full disk) is reported, not
// claimed as saved.
TEST_F(ToolBarLayoutTest, ALayoutTheSettingsCannotTakeIsReported)
{
    std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(601, nullptr));
    ASSERT_TRUE(bar->LoadToolBarEx(601, 2011, registry));
    SmallFileSystem fs(64 * 1024, platform::RegistryStore::defaultFolder());
    PAGINOR_SKIP_WITHOUT(fs);
    ASSERT_TRUE(fs.fill());
    EXPECT_FALSE(bar->SaveState());
    fs.unfill();
    EXPECT_TRUE(bar->SaveState());
}

TEST_F(ToolBarLayoutTest, ADamagedLayoutKeepsTheResourceButtons)
{
    store(602, ints({3, 33128, 33169}));
    std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(602, nullptr));
    ASSERT_TRUE(bar->LoadToolBarEx(602, 2021, registry));
    const QList<int> before = bar->buttonIds();
    EXPECT_FALSE(bar->LoadState());
    EXPECT_EQ(bar->buttonIds(), before);
    EXPECT_EQ(bar->actions().size(), before.size());
}

TEST_F(ToolBarLayoutTest, TheFontBoxesStayOverTheirPlacesInALoadedLayout)
{
    // The user dropped the bold button and moved the font size box first.
    store(603, ints({3, 32929, 32928, 32931, 0}));
    std::unique_ptr<ULOToolBar> bar(ULOToolBar::create(603, nullptr));
    ASSERT_TRUE(bar->LoadToolBarEx(603, 2031, registry));
    auto* size = new QComboBox(bar.get());
    bar->PlaceControl(1, 32929, size, QSize(85, 22));
    ASSERT_TRUE(bar->LoadState());
    EXPECT_EQ(bar->buttonIds(), (QList<int>{32929, 32928, 32931}));
    EXPECT_EQ(bar->buttonWidget(0), size);
    EXPECT_EQ(bar->actions().size(), 3);
}

} // namespace
