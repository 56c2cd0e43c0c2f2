#include "platform/FtpListParser.h"

#include <gtest/gtest.h>

using platform::FtpEntry;

namespace {

struct ListLineCase
{
    const char* line;
    bool parsed;
    const char* name;
    bool isFolder;
    qint64 size;
};

class FtpListLine : public ::testing::TestWithParam<ListLineCase>
{
};

TEST_P(FtpListLine, ReadsNameKindAndSize)
{
    const ListLineCase& c = GetParam();
    FtpEntry entry;
    ASSERT_EQ(platform::parseFtpListLine(QByteArray(c.line), &entry), c.parsed) << c.line;
    if (!c.parsed)
        return;
    EXPECT_EQ(entry.name, QString::fromUtf8(c.name));
    EXPECT_EQ(entry.isFolder, c.isFolder);
    EXPECT_EQ(entry.size, c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FtpListLine,
    ::testing::Values(
        ListLineCase{"-rw-r--r--   1 owner    group         612 Dec 06 17:37 index.html", true, "index.html", false,
                     612},
        ListLineCase{"drwxr-xr-x   2 owner    group        4096 Jan  1  2023 image", true, "image", true, 0},
        ListLineCase{"-rw-r--r-- 1 owner group 5000000000 Mar 10 09:15 big file.zip", true, "big file.zip", false,
                     5000000000LL},
        ListLineCase{"-rw-r--r--   1 owner    group           2 Dec 06 17:37 日本語 ファイル.txt\r", true,
                     "日本語 ファイル.txt", false, 2},
        ListLineCase{"-rw-r--r--   1 owner     12 Feb 29 23:59 nogroup.txt", true, "nogroup.txt", false, 12},
        ListLineCase{"lrwxrwxrwx   1 owner    group          11 Apr 01 10:00 latest -> index.html", true, "latest",
                     false, 11},
        ListLineCase{"-rw-r--r--   1 owner    group          10 Dec 06 17:37   spaced", true, "  spaced", false, 10},
        ListLineCase{"-rw-r--r--   1 1000     1000           10 12月  6 17:37 locale.txt", true, "locale.txt", false,
                     10},
        ListLineCase{"01-15-24  10:30AM       <DIR>          My Folder", true, "My Folder", true, 0},
        ListLineCase{"01-15-2024  22:05            12345 report.html", true, "report.html", false, 12345},
        ListLineCase{"total 12", false, "", false, 0}, ListLineCase{"", false, "", false, 0},
        ListLineCase{"crw-rw-rw-   1 root     root       1,   3 Jan  1 00:00 null", false, "", false, 0},
        ListLineCase{"garbage that is no listing line at all", false, "", false, 0}),
    [](const ::testing::TestParamInfo<ListLineCase>& info) { return "Line" + std::to_string(info.index); });

TEST(FtpListing, SkipsDotEntriesAndNamesThatLeaveTheFolder)
{
    const QByteArray listing = "total 4\r\n"
                               "drwxr-xr-x 2 o g 4096 Jan 01 12:00 .\r\n"
                               "drwxr-xr-x 2 o g 4096 Jan 01 12:00 ..\r\n"
                               "-rw-r--r-- 1 o g 5 Jan 01 12:00 ../evil.txt\r\n"
                               "drwxr-xr-x 2 o g 4096 Jan 01 12:00 ../up\r\n"
                               "-rw-r--r-- 1 o g 5 Jan 01 12:00 sub/evil.txt\r\n"
                               "-rw-r--r-- 1 o g 5 Jan 01 12:00 back\\evil.txt\r\n"
                               "-rw-r--r-- 1 o g 7 Jan 01 12:00 ..ok\r\n"
                               "drwxr-xr-x 2 o g 4096 Jan 01 12:00 image\r\n";
    const QList<FtpEntry> entries = platform::parseFtpListing(listing);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, QStringLiteral("..ok"));
    EXPECT_EQ(entries[1].name, QStringLiteral("image"));
    EXPECT_TRUE(entries[1].isFolder);
}

TEST(FtpListing, KeepsBytesThatAreNotUtf8)
{
    const QList<FtpEntry> entries = platform::parseFtpListing("-rw-r--r-- 1 o g 3 Jan 01 12:00 caf\xE9.txt\n");
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QString::fromLatin1("caf\xE9.txt"));
}

} // namespace
