#include "engine/dom/SharedTexts.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace engine;

namespace {

using Texts = SharedTexts<char, 8, 4>;

// The text of `s` from the table, and how often the table had to make it.
struct Lookup
{
    Texts texts;
    int made = 0;
    int madeOfBorder = 0;

    QString get(const char* s)
    {
        return texts.get(s, qsizetype(std::strlen(s)), [this, s] {
            ++made;
            madeOfBorder += std::strcmp(s, "border") == 0;
            return QString::fromLatin1(s);
        });
    }
};

bool shared(const QString& a, const QString& b)
{
    return a == b && a.constData() == b.constData();
}

} // namespace

TEST(SharedTexts, ATextMetAgainIsSharedAndKeepsItsSlotAgainstTextsMetOnce)
{
    Lookup t;
    const QString first = t.get("border");
    const QString second = t.get("border");
    EXPECT_EQ(first, QStringLiteral("border"));
    EXPECT_EQ(t.made, 2); // held from its second meeting on
    const QString third = t.get("border");
    EXPECT_EQ(t.made, 2);
    EXPECT_TRUE(shared(second, third));
    // Texts met once, many more than the slots, some of them in its slot,
    // among its own meetings: they are made each time, and seldom push it
    // out (without the count of its uses, about every other time).
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(t.get("border"), QStringLiteral("border"));
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(t.get(QByteArray::number(i * 7919 + k).constData()), QString::number(i * 7919 + k));
    }
    EXPECT_LT(t.madeOfBorder, 20);
}

TEST(SharedTexts, LongAndEmptyTextsAreMadeEachTimeAndNeverConfused)
{
    Lookup t;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.get("a longer text"), QStringLiteral("a longer text"));
        EXPECT_TRUE(t.get("").isEmpty());
    }
    EXPECT_EQ(t.made, 6);
    // Texts that share a slot or a prefix each keep their own characters.
    for (int round = 0; round < 4; ++round)
        for (const char* s : {"a", "ab", "b", "ba", "abc", "\n", "\n\t"})
            EXPECT_EQ(t.get(s), QString::fromLatin1(s));
}
