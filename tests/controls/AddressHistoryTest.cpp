// The ten-entry address histories in the settings store.

#include "controls/AddressHistory.h"

#include "util/CRegistryEx.h"

#include <gtest/gtest.h>

#include <QComboBox>

namespace {

QString readValue(const AddressHistory& history, int number)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString value = QStringLiteral("<unread>");
    if (reg.Open(HKEY_CURRENT_USER, history.keyPath()))
        reg.ReadString(QStringLiteral("History%1").arg(number), value);
    return value;
}

QStringList numbered(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("http://site%1/").arg(i);
    return list;
}

} // namespace

TEST(AddressHistoryTest, SavesTenNumberedValuesNewestFirstWithEmptySlots)
{
    const AddressHistory history("Hyperlink History");
    EXPECT_EQ(history.keyPath(), "Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Hyperlink History");
    ASSERT_TRUE(history.Save({"http://a/", "mailto:b@c"}));
    EXPECT_EQ(readValue(history, 1), "http://a/");
    EXPECT_EQ(readValue(history, 2), "mailto:b@c");
    EXPECT_EQ(readValue(history, 3), "");
    EXPECT_EQ(readValue(history, 10), "");
    EXPECT_EQ(history.Load(), QStringList({"http://a/", "mailto:b@c"}));
}

TEST(AddressHistoryTest, ChosenEntryMovesToTopAndOnlyTenAreKept)
{
    const AddressHistory history("Flash History");
    ASSERT_TRUE(history.Save(numbered(10)));
    ASSERT_TRUE(history.Add("HTTP://SITE5/"));
    QStringList expected = numbered(10);
    expected.removeAt(4);
    expected.prepend("HTTP://SITE5/");
    EXPECT_EQ(history.Load(), expected);

    ASSERT_TRUE(history.Add("http://new/"));
    const QStringList now = history.Load();
    ASSERT_EQ(now.size(), 10);
    EXPECT_EQ(now.first(), "http://new/");
    EXPECT_EQ(now.last(), "http://site9/");
    EXPECT_EQ(readValue(history, 11), "<unread>");
}

TEST(AddressHistoryTest, LoadSkipsEmptySlotsAndCaseBlindDuplicatesAndNeverCreatesTheKey)
{
    const AddressHistory history("BGSound History");
    EXPECT_TRUE(history.Load().isEmpty());
    CRegistryEx probe(HKEY_CURRENT_USER);
    EXPECT_FALSE(probe.Open(HKEY_CURRENT_USER, history.keyPath()));

    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, history.keyPath()));
    reg.WriteString("History1", "C:/music/a.mid");
    reg.WriteString("History3", "c:/MUSIC/A.MID");
    reg.WriteString("History4", "b.wav");
    reg.Close();
    // Read oldest first: of two spellings of one address the older one stays.
    EXPECT_EQ(history.Load(), QStringList({"c:/MUSIC/A.MID", "b.wav"}));
}

TEST(AddressHistoryTest, EachKindKeepsItsOwnHistory)
{
    const AddressHistory flash("RealAudio History");
    const AddressHistory shockwave("Shockwave History");
    flash.Add("song.ra");
    shockwave.Add("game.dcr");
    EXPECT_EQ(flash.Load(), QStringList({"song.ra"}));
    EXPECT_EQ(shockwave.Load(), QStringList({"game.dcr"}));
}

TEST(AddressHistoryTest, ComboBoxFillsFromTheStoreAndSavesItsFirstTen)
{
    const AddressHistory history("MediaPlayer History");
    history.Save({"b.mid", "a.mid"});
    QComboBox combo;
    combo.addItem("A.MID");
    history.FillComboBox(combo);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "b.mid");
    EXPECT_EQ(combo.itemText(1), "A.MID");

    for (int i = 0; i < 12; ++i)
        combo.addItem(QStringLiteral("x%1.mid").arg(i));
    ASSERT_TRUE(history.AddFromComboBox(combo, "a.mid"));
    EXPECT_EQ(combo.itemText(0), "a.mid");
    EXPECT_EQ(combo.findText("A.MID", Qt::MatchExactly | Qt::MatchCaseSensitive), -1);
    const QStringList stored = history.Load();
    ASSERT_EQ(stored.size(), 10);
    EXPECT_EQ(stored.mid(0, 3), QStringList({"a.mid", "b.mid", "x0.mid"}));
}

TEST(AddressHistoryTest, MoveToTopIgnoresAnEmptyAddress)
{
    QStringList entries{"a", "b"};
    AddressHistory::MoveToTop(entries, "");
    EXPECT_EQ(entries, QStringList({"a", "b"}));
    AddressHistory::MoveToTop(entries, "B");
    EXPECT_EQ(entries, QStringList({"B", "a"}));
}

TEST(AddressHistoryTest, LongAddressesComeBackWhole)
{
    const AddressHistory history("Long Address History");
    const QString longAddress = QStringLiteral("http://www.example.jp/sounds/") + QString(300, u'a') + ".mid";
    ASSERT_TRUE(history.Add(longAddress));
    ASSERT_TRUE(history.Add("http://short/"));
    EXPECT_EQ(history.Load(), QStringList({"http://short/", longAddress}));
}
