// The symbol table as the palette reads it: good and damaged files, and the
// table shipped with the program.

#include "dialogs/SymbolTable.h"

#include "platform/DataRoot.h"

#include <gtest/gtest.h>

#include <QRawFont>

namespace {

struct Damaged
{
    const char* name;
    QByteArray bytes;
    QList<int> codes;
};

QList<int> codesOf(const QList<SymbolEntry>& entries)
{
    QList<int> codes;
    for (const SymbolEntry& entry : entries)
        codes.append(entry.m_nCode);
    return codes;
}

TEST(SymbolTable, EntriesKeepTheirTextWithItsClosingSemicolonWhateverTheLineBreaks)
{
    for (const char* text :
         {"2;\r\n9733 &#9733;\r\n169 &copy;\r\n", "2;\n9733 &#9733;\n169 &copy;\n", "2;\r9733 &#9733;\r169 &copy;"}) {
        const QList<SymbolEntry> entries = ParseSymbolTable(text);
        ASSERT_EQ(entries.size(), 2) << text;
        EXPECT_EQ(entries[0].m_nCode, 9733);
        EXPECT_EQ(entries[0].m_strHtml, QStringLiteral("&#9733;"));
        EXPECT_EQ(entries[0].glyph(), QStringLiteral("★"));
        EXPECT_EQ(entries[1].m_nCode, 169);
        EXPECT_EQ(entries[1].m_strHtml, QStringLiteral("&copy;"));
    }
    // Blanks inside the text stay; nothing past the count is read.
    const QList<SymbolEntry> spaced = ParseSymbolTable(" 1 ;\r\n65 a b;\r\n66 &#66;\r\n");
    ASSERT_EQ(spaced.size(), 1);
    EXPECT_EQ(spaced[0].m_nCode, 65);
    EXPECT_EQ(spaced[0].m_strHtml, QStringLiteral("a b;"));
}

TEST(SymbolTable, DamagedFilesGiveTheEntriesThatParse)
{
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) & 0xFF);
    const Damaged files[] = {
        {"empty", "", {}},
        {"no count", "9733 &#9733;\r\n", {}},
        {"zero", "0;\r\n9733 &#9733;\r\n", {}},
        {"count over the entries", "99999;\r\n1 a;\r\n2 b;\r\n3 c;\r\n", {1, 2, 3}},
        {"no blank", "2;\r\n9733&#9733;", {}},
        {"no closing semicolon", "2;\r\n65 a;\r\n66 b", {65}},
        {"letters, zero, surrogate, beyond 16 bits",
         "4;\r\nabc x;\r\n0 y;\r\n55357 z;\r\n128512 w;\r\n",
         {0, 0, 55357, 128512}},
        {"a huge count", "99999999999999999999;\r\n7 q;", {7}},
    };
    for (const Damaged& file : files)
        EXPECT_EQ(codesOf(ParseSymbolTable(file.bytes)), file.codes) << file.name;
    // Codes with no drawable unit keep their entry and draw an empty cell.
    for (const SymbolEntry& entry : ParseSymbolTable("4;\r\nabc x;\r\n0 y;\r\n55357 z;\r\n128512 w;\r\n"))
        EXPECT_TRUE(entry.glyph().isEmpty()) << entry.m_nCode;
    // Binary data is read no further than its first 10,000 bytes.
    EXPECT_LE(ParseSymbolTable(binary).size(), 10000);
    EXPECT_TRUE(ReadSymbolTable(QStringLiteral("/nonexistent/symbol.dat")).isEmpty());
}

TEST(SymbolTable, TheFaceIsWrittenAsAnAttributeValue)
{
    EXPECT_EQ(SymbolInsertHtml(QStringLiteral("Arial"), QStringLiteral("&#9733;")),
              QStringLiteral("<font face=Arial>&#9733;</font>"));
    const QString odd = SymbolInsertHtml(QStringLiteral("a\"b<c&d"), QStringLiteral("&#9733;"));
    EXPECT_FALSE(odd.contains(QLatin1String("a\"b"))) << odd.toStdString();
    EXPECT_TRUE(odd.endsWith(QLatin1String(">&#9733;</font>"))) << odd.toStdString();
}

TEST(SymbolTable, EveryShippedSymbolHasAGlyphInIPAGothic)
{
    const QList<SymbolEntry> shipped =
        ReadSymbolTable(platform::shareDir() + QStringLiteral("/Other/script/symbol.dat"));
    ASSERT_GE(shipped.size(), 150);
    const QRawFont gothic(QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"), 12);
    ASSERT_TRUE(gothic.isValid());
    for (const SymbolEntry& entry : shipped) {
        ASSERT_FALSE(entry.glyph().isEmpty()) << entry.m_nCode;
        EXPECT_TRUE(gothic.supportsCharacter(entry.glyph().at(0))) << entry.m_nCode;
        EXPECT_EQ(entry.m_strHtml, QStringLiteral("&#%1;").arg(entry.m_nCode));
    }
}

} // namespace
