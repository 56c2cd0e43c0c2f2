#include "util/ElementTagIds.h"

#include <gtest/gtest.h>

TEST(ElementTagIds, NamesTheIdentifiersTheCallersPass)
{
    EXPECT_EQ(TagNameFromId(TAGID_A), QStringLiteral("A"));
    EXPECT_EQ(TagNameFromId(6), QStringLiteral("AREA"));
    EXPECT_EQ(TagNameFromId(16), QStringLiteral("BR"));
    EXPECT_EQ(TagNameFromId(52), QStringLiteral("IMG"));
    EXPECT_EQ(TagNameFromId(61), QStringLiteral("MAP"));
    EXPECT_EQ(TagNameFromId(64), QStringLiteral("META"));
    EXPECT_EQ(TagNameFromId(92), QStringLiteral("TABLE"));
    EXPECT_EQ(TagNameFromId(95), QStringLiteral("TD"));
    EXPECT_EQ(TagNameFromId(101), QStringLiteral("TR"));
    EXPECT_EQ(TagNameFromId(TAGID_OPTGROUP), QStringLiteral("OPTGROUP"));
}

TEST(ElementTagIds, IdentifiersWithoutAnElementGiveNoName)
{
    for (const int id : {-1, 0, 1, 25, 40, 108, 110, 5000})
        EXPECT_TRUE(TagNameFromId(id).isEmpty()) << id;
}
