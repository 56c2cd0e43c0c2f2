#include "util/LinkPaths.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase
{
    const char* value;
    bool local;
    bool absolute;
    const char* path;
    const char* suffix;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << '"' << c.value << '"';
}

class ReadLocalLinkTest : public ::testing::TestWithParam<LinkCase>
{
};

TEST_P(ReadLocalLinkTest, ReadsTheFileALinkNames)
{
    const LinkCase c = GetParam();
    const LocalLink link = ReadLocalLink(QString::fromUtf8(c.value));
    EXPECT_EQ(link.local, c.local);
    if (!c.local)
        return;
    EXPECT_EQ(link.absolute, c.absolute);
    EXPECT_EQ(link.path, QString::fromUtf8(c.path));
    EXPECT_EQ(link.suffix, QString::fromUtf8(c.suffix));
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadLocalLinkTest,
    ::testing::Values(LinkCase{"image/photo.gif", true, false, "image/photo.gif", ""},
                      LinkCase{"  image\\写真.jpg ", true, false, "image/写真.jpg", ""},
                      LinkCase{"/home/hanako/pics/a.gif", true, true, "/home/hanako/pics/a.gif", ""},
                      LinkCase{"file:///data/My%20Pics/a%25b.gif", true, true, "/data/My Pics/a%b.gif", ""},
                      LinkCase{"FILE:///tmp/a.gif", true, true, "/tmp/a.gif", ""},
                      LinkCase{"file://localhost/tmp/a.gif", true, true, "/tmp/a.gif", ""},
                      LinkCase{"My%20Pics/a%25b.gif", true, false, "My Pics/a%b.gif", ""},
                      LinkCase{"diary.html#2002-05", true, false, "diary.html", "#2002-05"},
                      LinkCase{"../up/page.html?x=1#top", true, false, "../up/page.html", "?x=1#top"},
                      LinkCase{"http://example.jp/a.gif", false, false, "", ""},
                      LinkCase{"HTTP://example.jp/a.gif", false, false, "", ""},
                      LinkCase{"Http://example.jp/a.gif", false, false, "", ""},
                      LinkCase{"https://example.jp/a.gif", false, false, "", ""},
                      LinkCase{"ftp://example.jp/a.zip", false, false, "", ""},
                      LinkCase{"mailto:hanako@example.jp", false, false, "", ""},
                      LinkCase{"javascript:history.back()", false, false, "", ""},
                      LinkCase{"C:\\My Documents\\a.gif", false, false, "", ""},
                      LinkCase{"file://server/share/a.gif", false, false, "", ""},
                      LinkCase{"\\\\server\\share\\a.gif", false, false, "", ""},
                      LinkCase{"//example.jp/a.gif", false, false, "", ""}, LinkCase{"#top", false, false, "", ""},
                      LinkCase{"", false, false, "", ""}, LinkCase{"   ", false, false, "", ""}));

TEST(LinkPathsTest, PathsAreResolvedAndNeverClimbAboveTheRoot)
{
    EXPECT_EQ(ResolveLinkPath("/a/web", "../pics/x.gif"), "/a/pics/x.gif");
    EXPECT_EQ(ResolveLinkPath("/a/web/", "./x.gif"), "/a/web/x.gif");
    EXPECT_EQ(ResolveLinkPath("/a/web", "/b/x.gif"), "/b/x.gif");
    EXPECT_EQ(ResolveLinkPath("/a", "../../../../etc/passwd"), "/etc/passwd");
    EXPECT_EQ(CleanFullPath("/.."), "/");
    EXPECT_EQ(CleanFullPath("relative/../x"), "relative/../x");
}

TEST(LinkPathsTest, APathLiesBelowAFolderOnlyAsAWholeLeadingPart)
{
    EXPECT_EQ(PathBelowFolder("/home/u/My Web/shop", "/home/u/My Web/shop/image/a.gif"), "image/a.gif");
    EXPECT_EQ(PathBelowFolder("/home/u/My Web/shop/", "/home/u/My Web/shop/a.html"), "a.html");
    EXPECT_EQ(PathBelowFolder("/home/u/My Web/shop", "/home/u/My Web/shopping/a.gif"), "");
    EXPECT_EQ(PathBelowFolder("/home/u/My Web/shop", "/home/u/My Web/shop/../a.gif"), "");
    EXPECT_EQ(PathBelowFolder("/home/u/My Web/shop", "/home/u/My Web/Shop/a.gif"), "");
    EXPECT_EQ(PathBelowFolder("/home/u/My Web/shop", "/home/u/My Web/shop"), "");
}

TEST(LinkPathsTest, KindsAndAttributesOfTags)
{
    EXPECT_EQ(KindFolderOfTag("IMG"), "image");
    EXPECT_EQ(KindFolderOfTag("body"), "image");
    EXPECT_EQ(KindFolderOfTag("TABLE"), "image");
    EXPECT_EQ(KindFolderOfTag("EMBED"), "other");
    EXPECT_EQ(KindFolderOfTag("SCRIPT"), "other");
    EXPECT_EQ(KindFolderOfTag("A"), "");
    EXPECT_EQ(LinkAttributeOfTag("AREA"), "href");
    EXPECT_EQ(LinkAttributeOfTag("TABLE"), "background");
    EXPECT_EQ(LinkAttributeOfTag("EMBED"), "src");
    EXPECT_EQ(LinkAttributeOfTag("DIV"), "");
    EXPECT_TRUE(IsWebAddress(" HTTPS://example.jp/"));
    EXPECT_FALSE(IsWebAddress("ftp://example.jp/"));
    EXPECT_EQ(WithoutDotPrefix(".\\fx\\menu.js"), "fx\\menu.js");
    EXPECT_EQ(WithoutDotPrefix("../menu.js"), "../menu.js");
}

} // namespace
