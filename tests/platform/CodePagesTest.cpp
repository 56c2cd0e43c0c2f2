#include "platform/CodePages.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

const QString kJapanese = QStringLiteral("日本語");

// A page body long enough for the statistical detector to judge.
QString japaneseProse()
{
    return QStringLiteral("<html><head><title>私のホームページ</title></head><body>"
                          "<p>ようこそ、私のホームページへ。ここでは毎日の出来事や旅行の写真を紹介しています。"
                          "今年の夏は家族と一緒に北海道へ行きました。美しい景色とおいしい料理を楽しみました。</p>"
                          "<p>次の更新では、京都のお寺と庭園の写真を掲載する予定です。どうぞお楽しみに。"
                          "ご意見やご感想がありましたら、掲示板に書き込んでください。</p></body></html>");
}

} // namespace

struct CharsetName
{
    const char* given;
    const char* canonical;
};

void PrintTo(const CharsetName& c, std::ostream* os)
{
    *os << "\"" << c.given << "\"";
}

class CanonicalCharsetTest : public ::testing::TestWithParam<CharsetName>
{
};

TEST_P(CanonicalCharsetTest, MapsAliases)
{
    EXPECT_EQ(canonicalCharset(QString::fromLatin1(GetParam().given)), QString::fromLatin1(GetParam().canonical));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CanonicalCharsetTest,
    ::testing::Values(CharsetName{"Shift_JIS", "windows-31j"}, CharsetName{"shift-jis", "windows-31j"},
                      CharsetName{"x-sjis", "windows-31j"}, CharsetName{"windows-31j", "windows-31j"},
                      CharsetName{"cp932", "windows-31j"}, CharsetName{"euc-jp", "EUC-JP"},
                      CharsetName{"x-euc-jp", "EUC-JP"}, CharsetName{"iso-2022-jp", "ISO-2022-JP"},
                      CharsetName{"utf8", "UTF-8"}, CharsetName{" UTF-8 ", "UTF-8"},
                      CharsetName{"latin1", "ISO-8859-1"}, CharsetName{"no-such-charset", ""}, CharsetName{"", ""}));

struct KnownBytes
{
    const char* charset;
    QByteArray bytes;
};

void PrintTo(const KnownBytes& c, std::ostream* os)
{
    *os << "\"" << c.charset << "\"";
}

class CodePageBytesTest : public ::testing::TestWithParam<KnownBytes>
{
};

TEST_P(CodePageBytesTest, DecodesAndEncodesKnownBytes)
{
    bool ok = false;
    EXPECT_EQ(decodeText(GetParam().bytes, QString::fromLatin1(GetParam().charset), &ok), kJapanese);
    EXPECT_TRUE(ok);
    EXPECT_EQ(encodeText(kJapanese, QString::fromLatin1(GetParam().charset), &ok), GetParam().bytes);
    EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(Charsets, CodePageBytesTest,
                         ::testing::Values(KnownBytes{"Shift_JIS", QByteArray("\x93\xFA\x96\x7B\x8C\xEA")},
                                           KnownBytes{"EUC-JP", QByteArray("\xC6\xFC\xCB\xDC\xB8\xEC")},
                                           KnownBytes{"ISO-2022-JP",
                                                      QByteArray("\x1B\x24\x42\x46\x7C\x4B\x5C\x38\x6C\x1B\x28\x42")},
                                           KnownBytes{"UTF-8", QByteArray("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E")}));

class RoundTripTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(RoundTripTest, KeepsJapaneseTextAndHalfWidthKana)
{
    const QString text = japaneseProse() + QStringLiteral("ｶﾀｶﾅ①㈱～");
    const QString charset = QString::fromLatin1(GetParam());
    bool ok = false;
    const QByteArray bytes = encodeText(text, charset, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(decodeText(bytes, charset, &ok), text);
    EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(Charsets, RoundTripTest, ::testing::Values("windows-31j", "EUC-JP", "UTF-8"));

TEST(CodePages, Windows31jHoldsVendorCharactersThatPlainShiftJisLacks)
{
    // NEC special characters (circled digits) and the full-width tilde live in
    // the vendor code page only.
    bool ok = false;
    const QByteArray bytes = encodeText(QStringLiteral("①～"), QStringLiteral("Shift_JIS"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bytes, QByteArray("\x87\x40\x81\x60"));
}

// Browsers read a page labelled ISO-8859-1 or US-ASCII, by any of their
// names, as windows-1252: its bytes 0x80 to 0x9F are quotes, dashes and the
// euro sign (read as ISO-8859-1 they were controls), and are written back as
// the same bytes; what windows-1252 cannot hold becomes a reference.
TEST(CodePages, LabelsBrowsersReadAsWindows1252AreReadAndWrittenSo)
{
    const QByteArray bytes("Grandma\x92s \x93quick\x94 bread \x96 \x80 5\x85 caf\xE9 \x81");
    const QString text =
        QStringLiteral("Grandma\u2019s \u201cquick\u201d bread \u2013 \u20ac 5\u2026 caf\u00e9 \u0081");
    for (const char* label :
         {"iso-8859-1", "ISO_8859-1:1987", "latin1", "l1", "iso8859-1", "iso88591", "iso-ir-100", "cp819", "ibm819",
          "csisolatin1", "us-ascii", "ascii", "ANSI_X3.4-1968", "x-cp1252", "cp1252", "windows-1252"}) {
        const QString charset = QString::fromLatin1(label);
        bool ok = false;
        EXPECT_EQ(decodeText(bytes, charset, &ok), text) << label;
        EXPECT_TRUE(ok) << label;
        EXPECT_EQ(encodeText(text, charset, &ok), bytes) << label;
        EXPECT_TRUE(ok) << label;
        EXPECT_EQ(encodeHtmlText(text + QStringLiteral("\u65e5"), charset), bytes + "&#26085;") << label;
    }
    // The label stays the page's own.
    EXPECT_EQ(canonicalCharset(QStringLiteral("iso8859-1")), QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(canonicalCharset(QStringLiteral("ascii")), QStringLiteral("US-ASCII"));
    EXPECT_EQ(canonicalCharset(QStringLiteral("x-cp1252")), QStringLiteral("windows-1252"));
}

TEST(CodePages, UnmappableCharacterIsReportedAndReplaced)
{
    bool ok = true;
    const QByteArray bytes = encodeText(QStringLiteral("a😀b"), QStringLiteral("windows-31j"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(bytes.startsWith('a'));
    EXPECT_TRUE(bytes.endsWith('b'));
}

TEST(CodePages, MalformedBytesAreReportedAndReplaced)
{
    bool ok = true;
    const QString text = decodeText(QByteArray("ab\xFF\xFE"
                                               "cd"),
                                    QStringLiteral("UTF-8"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.startsWith(QLatin1String("ab")));
    EXPECT_TRUE(text.endsWith(QLatin1String("cd")));
}

TEST(CodePages, UnknownCharsetFails)
{
    bool ok = true;
    EXPECT_TRUE(decodeText("abc", QStringLiteral("no-such"), &ok).isEmpty());
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_TRUE(encodeText(QStringLiteral("abc"), QStringLiteral("no-such"), &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(CodePages, Utf8ByteOrderMarkIsDropped)
{
    EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF"
                                    "abc"),
                         QStringLiteral("UTF-8")),
              QStringLiteral("abc"));
}

TEST(CodePages, SupplementaryCharactersSurviveUtf8)
{
    const QString text = QStringLiteral("𠮷野家😀");
    EXPECT_EQ(decodeText(encodeText(text, QStringLiteral("UTF-8")), QStringLiteral("UTF-8")), text);
}

struct MetaCase
{
    const char* page;
    const char* charset;
};

void PrintTo(const MetaCase& c, std::ostream* os)
{
    *os << "\"" << c.page << "\"";
}

class CharsetFromMetaTest : public ::testing::TestWithParam<MetaCase>
{
};

TEST_P(CharsetFromMetaTest, ReadsTheDeclaredCharset)
{
    EXPECT_EQ(charsetFromMeta(QByteArray(GetParam().page)), QString::fromLatin1(GetParam().charset));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CharsetFromMetaTest,
    ::testing::Values(
        MetaCase{"<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                 "windows-31j"},
        MetaCase{"<meta content='text/html;charset=euc-jp' http-equiv='content-type'>", "EUC-JP"},
        MetaCase{"<meta charset=utf-8>", "UTF-8"},
        MetaCase{"<META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=x-sjis\">", "windows-31j"},
        MetaCase{"<meta name=\"charset\" content=\"text/html; charset=EUC-JP\"><meta charset=\"iso-2022-jp\">",
                 "ISO-2022-JP"},
        MetaCase{"<metadata charset=utf-8><p>", ""},
        MetaCase{"<meta http-equiv=\"refresh\" content=\"0; url=a.html\">", ""},
        MetaCase{"<meta charset=\"x-unknown-page\">", ""}, MetaCase{"<meta charset=", ""},
        // A charset nobody knows is passed over for the next META's.
        MetaCase{"<meta charset=\"x-unknown-page\"><meta charset=\"shift_jis\">", "windows-31j"},
        MetaCase{"<meta http-equiv=Content-Type content=\"text/html; charset=nonsense\"><meta charset=\"\">"
                 "<meta http-equiv=Content-Type content=\"text/html; charset=EUC-JP\">",
                 "EUC-JP"},
        // Character references are read as the page's parser reads them.
        MetaCase{"<meta charset=\"&#x75;tf-8\">", "UTF-8"}, MetaCase{"<meta charset=\"&#X65;&#117c-jp\">", "EUC-JP"},
        MetaCase{"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=&#83;hift&lowbar;JIS\">",
                 "windows-31j"},
        MetaCase{"<meta http-equiv=Content&#45;Type content='text/html;charset=&quot;euc-jp&quot;'>", "EUC-JP"},
        MetaCase{"<meta charset=\"&#0;utf-8&amp\">", ""},
        // Not a META in a comment.
        MetaCase{"<!-- <meta charset=euc-jp> --><!--><meta charset=shift_jis>", "windows-31j"},
        MetaCase{"<p><!-- <meta charset=euc-jp> -- ><meta charset=shift_jis>", ""}));

// The first META decides, as it does for the page's parser, also when its
// charset is written with character references: a later one does not.
TEST(CodePages, AMetaCharsetWrittenWithReferencesDecidesThePageCharset)
{
    const QByteArray page = "<meta charset=\"&#x75;tf-8\"><meta charset=\"shift_jis\"><p>" +
                            encodeText(japaneseProse(), QStringLiteral("windows-31j"));
    EXPECT_EQ(detectCharset(page), QStringLiteral("UTF-8"));
}

class DetectCharsetTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(DetectCharsetTest, RecognisesJapanesePagesWithoutMeta)
{
    const QString charset = QString::fromLatin1(GetParam());
    EXPECT_EQ(detectCharset(encodeText(japaneseProse(), charset)), charset);
}

INSTANTIATE_TEST_SUITE_P(Charsets, DetectCharsetTest,
                         ::testing::Values("windows-31j", "EUC-JP", "ISO-2022-JP", "UTF-8"));

TEST(DetectCharset, MetaWinsOverContent)
{
    const QByteArray page = "<meta charset=\"EUC-JP\">" + encodeText(japaneseProse(), QStringLiteral("UTF-8"));
    EXPECT_EQ(detectCharset(page), QStringLiteral("EUC-JP"));
}

TEST(DetectCharset, UnknownMetaFallsThroughToContent)
{
    const QByteArray page = "<meta charset=\"x-unknown\">" + encodeText(japaneseProse(), QStringLiteral("UTF-8"));
    EXPECT_EQ(detectCharset(page), QStringLiteral("UTF-8"));
}

TEST(DetectCharset, AnUnknownFirstMetaLeavesTheDecisionToTheNextOne)
{
    // (Plain ASCII after them: the content alone would make it UTF-8.)
    for (const char* charset : {"windows-31j", "EUC-JP"}) {
        const QByteArray page = "<html><head><meta charset=\"x-bogus-page\"><meta http-equiv=\"Content-Type\" "
                                "content=\"text/html; charset=" +
                                QByteArray(charset) + "\"></head><body><p>plain words";
        EXPECT_EQ(detectCharset(page), QString::fromLatin1(charset));
    }
}

TEST(DetectCharset, PlainAsciiAndEmptyAreUtf8)
{
    EXPECT_EQ(detectCharset("<html><body>hello</body></html>"), QStringLiteral("UTF-8"));
    EXPECT_EQ(detectCharset(QByteArray()), QStringLiteral("UTF-8"));
}

TEST(DetectCharset, ByteOrderMarkWinsOverMetaAndContent)
{
    const QString page = QStringLiteral("<meta charset=\"Shift_JIS\"><p>") + japaneseProse();
    const QByteArray utf8 = "\xEF\xBB\xBF" + encodeText(page, QStringLiteral("UTF-8"));
    EXPECT_EQ(detectCharset(utf8), QStringLiteral("UTF-8"));
    for (const char* bom : {"\xFF\xFE", "\xFE\xFF"}) {
        const QString order = bom[0] == '\xFF' ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
        const QByteArray bytes = QByteArray(bom) + encodeText(page, order);
        const QString charset = detectCharset(bytes);
        EXPECT_EQ(decodeText(bytes, charset), page) << order.toStdString() << " read as " << charset.toStdString();
    }
}

// Without a mark, a page in UTF-16 was read as UTF-8 (its zero bytes are
// valid there) and showed its markup as text.
TEST(DetectCharset, Utf16WithoutAMarkIsKnownByItsFirstTag)
{
    const QString page = QStringLiteral("\r\n <html><meta charset=\"utf-16\"><p>") + japaneseProse();
    for (const QString& order : {QStringLiteral("UTF-16LE"), QStringLiteral("UTF-16BE")}) {
        const QByteArray bytes = encodeText(page, order);
        EXPECT_EQ(detectCharset(bytes), order);
        EXPECT_EQ(decodeText(bytes, detectCharset(bytes)), page) << order.toStdString();
    }
    // A byte page that starts with a NUL or two is no UTF-16.
    EXPECT_EQ(detectCharset(QByteArray("\0<p>x</p>", 9)), QStringLiteral("UTF-8"));
    EXPECT_EQ(detectCharset(QByteArray("<\0p>x</p>", 9)), QStringLiteral("UTF-8"));
}

TEST(DetectCharset, Utf16MetaInABytePageIsNotBelieved)
{
    for (const char* declared : {"utf-16", "UTF-16LE", "utf-32"}) {
        const QByteArray page = "<meta charset=\"" + QByteArray(declared) + "\"><p>" +
                                encodeText(japaneseProse(), QStringLiteral("windows-31j"));
        EXPECT_EQ(detectCharset(page), QStringLiteral("windows-31j")) << declared;
    }
}

TEST(DetectCharset, NeverEmptyForUnrecognisedBytes)
{
    EXPECT_FALSE(detectCharset(QByteArray("\xFF\xFE\xFD\x80\x81", 5)).isEmpty());
}

TEST(DetectCharset, AWesternPageWithoutMetaIsNotReadAsJapanese)
{
    // Its curly quotes, dashes and ellipses are no text in the program's
    // own code page: read so, they would be lost at the next save.
    const QString text = QStringLiteral("<p>\u201cBubbles\u201d and \u201cCaptain\u201d \u2014 my fish\u2026 "
                                        "na\u00efve caf\u00e9s, \u00a9 1998</p>");
    const QByteArray page = encodeText(text, QStringLiteral("windows-1252"));
    const QString charset = detectCharset(page);
    EXPECT_NE(charset, QStringLiteral("windows-31j"));
    EXPECT_EQ(decodeText(page, charset), text) << charset.toStdString();
}
