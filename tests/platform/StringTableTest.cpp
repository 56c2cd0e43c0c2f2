#include "platform/StringTable.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(StringTable, ParsesIdsAndEscapes)
{
    QStringList problems;
    const StringTable table = StringTable::parse("1\tplain\r\n"
                                                 "2\ta\\tb\\nc\\rd\\\\e\\x\n"
                                                 "\n"
                                                 "3\t\n"
                                                 "no id\n"
                                                 "1\trepeated\n"
                                                 "57791\t\xE3\x83\x9A\xE3\x82\xB8\xE3\x82\xBF\xE3\x83\xAD",
                                                 &problems);
    EXPECT_EQ(table.text(1), QStringLiteral("plain"));
    EXPECT_EQ(table.text(2), QStringLiteral("a\tb\nc\rd\\e\\x"));
    EXPECT_TRUE(table.contains(3));
    EXPECT_EQ(table.text(3), QString());
    EXPECT_EQ(table.text(57791), QStringLiteral("ペジタロ"));
    EXPECT_FALSE(table.contains(4));
    EXPECT_EQ(table.size(), 4);
    EXPECT_EQ(problems.size(), 2);
}

TEST(StringTable, EscapeAndUnescapeAreInverse)
{
    const QString text = QStringLiteral("デスクトップ\\\tline\nnext\r\\n");
    EXPECT_EQ(StringTable::unescape(StringTable::escape(text)), text);
    EXPECT_FALSE(StringTable::escape(text).contains(QLatin1Char('\n')));
}
