// The page-wide link operations on a live page: BODY colours, renaming a
// linked file in every kind of reference, and the script files of a new page
// of the web handed to its document.

#include "util/PageLinks.h"

#include "LivePage.h"

#include <gtest/gtest.h>

namespace {

// A site's page as people wrote them: colours and a tiled background on BODY,
// photos, a table with its own background, a sound, links to pages and
// images, and file names that end like one another.
const char* const kLinkedPage = R"(<HTML><HEAD><TITLE>写真館</TITLE></HEAD>
<BODY id=body bgColor=#ffffff text=#000000 background="image/kabe.gif">
<A id=top href="photo.html">写真</A> <A id=mail href="mailto:a.gif@example.jp">メール</A>
<IMG id=photo src="image/photo.gif"> <IMG id=upper src="IMAGE/PHOTO.GIF"> <IMG id=other src="image/myphoto.gif">
<IMG id=web src="http://example.jp/image/photo.gif"> <IMG id=dos src="image\photo.gif">
<TABLE id=tiled background="photo.gif"><TR><TD><A id=inner href="image/photo.gif">大きく</A></TD></TR></TABLE>
<TABLE id=plain><TR><TD>表</TD></TR></TABLE>
<EMBED id=sound src="other/photo.gif">
</BODY></HTML>)";

std::string attr(LivePage& page, const char* id, const char* name)
{
    return page.byId(id)->getAttributeText(QString::fromLatin1(name)).toStdString();
}

TEST(WriteBodyAttributesTest, WritesOnlyTheGivenValuesAsOneUndoStep)
{
    LivePage page(kLinkedPage);
    const int before = page.undoSteps();
    EXPECT_EQ(WriteBodyAttributes(nullptr, "", "#ffcc99", "", "", "", ""), 0);
    EXPECT_EQ(attr(page, "body", "bgColor"), "#ffcc99");
    EXPECT_EQ(attr(page, "body", "text"), "#000000");
    EXPECT_EQ(attr(page, "body", "background"), "image/kabe.gif");
    EXPECT_EQ(page.app.changedViews, QList<CZQView*>{page.app.active});

    // The order of every caller: view, background, bgColor, text, link, aLink, vLink.
    EXPECT_EQ(WriteBodyAttributes(page.app.active, "image/sora.gif", "navy", "white", "#00ffff", "#ff0000", "#c0c0c0"),
              0);
    EXPECT_EQ(attr(page, "body", "background"), "image/sora.gif");
    EXPECT_EQ(attr(page, "body", "bgColor"), "navy");
    EXPECT_EQ(attr(page, "body", "text"), "white");
    EXPECT_EQ(attr(page, "body", "link"), "#00ffff");
    EXPECT_EQ(attr(page, "body", "aLink"), "#ff0000");
    EXPECT_EQ(attr(page, "body", "vLink"), "#c0c0c0");
    EXPECT_EQ(page.undoSteps(), before + 2);

    page.doc->undoManager().undo();
    EXPECT_EQ(attr(page, "body", "background"), "image/kabe.gif");
    EXPECT_EQ(attr(page, "body", "bgColor"), "#ffcc99");
    EXPECT_FALSE(page.byId("body")->hasAttribute("vLink"));
}

TEST(WriteBodyAttributesTest, NoBodyNoPageNoChange)
{
    LivePage frameset("<HTML><FRAMESET cols=\"50%,*\"><FRAME src=a.html><FRAME src=b.html></FRAMESET></HTML>");
    EXPECT_EQ(WriteBodyAttributes(nullptr, "", "red", "", "", "", ""), -1);
    EXPECT_TRUE(frameset.app.changedViews.isEmpty());
    frameset.app.active = nullptr;
    EXPECT_EQ(WriteBodyAttributes(nullptr, "", "red", "", "", "", ""), -1);
}

TEST(CollectPageLinksTest, RenamesTheFileInEveryKindOfReference)
{
    LivePage page(kLinkedPage);
    const int before = page.undoSteps();
    CollectPageLinks(nullptr, "photo.gif", "shashin.gif", 0);

    EXPECT_EQ(attr(page, "photo", "src"), "image/shashin.gif");
    EXPECT_EQ(attr(page, "dos", "src"), "image/shashin.gif"); // "\" read and written as "/"
    EXPECT_EQ(attr(page, "tiled", "background"), "shashin.gif");
    EXPECT_EQ(attr(page, "inner", "href"), "image/shashin.gif");
    EXPECT_EQ(attr(page, "sound", "src"), "other/shashin.gif");
    EXPECT_EQ(attr(page, "web", "src"), "http://example.jp/image/shashin.gif");
    // Other files: another case is another file; "myphoto.gif" only ends like it.
    EXPECT_EQ(attr(page, "upper", "src"), "IMAGE/PHOTO.GIF");
    EXPECT_EQ(attr(page, "other", "src"), "image/myphoto.gif");
    EXPECT_EQ(attr(page, "top", "href"), "photo.html");
    EXPECT_FALSE(page.byId("plain")->hasAttribute("background"));
    EXPECT_EQ(page.undoSteps(), before + 1);

    page.doc->undoManager().undo();
    EXPECT_EQ(attr(page, "photo", "src"), "image/photo.gif");
    EXPECT_EQ(attr(page, "sound", "src"), "other/photo.gif");
}

TEST(CollectPageLinksTest, EndingsWithAFolderAndTheBodyBackground)
{
    LivePage page(kLinkedPage);
    CollectPageLinks(nullptr, "image\\kabe.gif", "image/haikei.gif", 0);
    EXPECT_EQ(attr(page, "body", "background"), "image/haikei.gif");
    CollectPageLinks(nullptr, "image/photo.gif", "pics/photo.gif", 0);
    EXPECT_EQ(attr(page, "photo", "src"), "pics/photo.gif");
    EXPECT_EQ(attr(page, "tiled", "background"), "photo.gif");
}

TEST(CollectPageLinksTest, NothingChangesForEqualOrEmptyEndingsOrOtherModes)
{
    LivePage page(kLinkedPage);
    const QString before = page.body();
    CollectPageLinks(nullptr, "photo.gif", "photo.gif", 0);
    CollectPageLinks(nullptr, "photo.gif", "image\\..\\photo.gif", 1);
    CollectPageLinks(nullptr, "", "a.gif", 0);
    ReplaceAttributeSuffix(nullptr, "IMG", "src", "photo.gif", "", 0);
    EXPECT_EQ(page.body(), before);
    EXPECT_TRUE(page.app.changedViews.isEmpty());
    // A rename to another case is a rename on this system.
    ReplaceAttributeSuffix(nullptr, "IMG", "src", "photo.gif", "Photo.gif", 0);
    EXPECT_EQ(attr(page, "photo", "src"), "image/Photo.gif");
    EXPECT_EQ(page.app.changedViews.size(), 1);
}

// ---- script files of a new page of the web ---------------------------------------

const char* const kScriptPage = R"(<HTML><HEAD><TITLE>効果</TITLE>
<SCRIPT id=menu language=javascript src=".\fx\menu.js"></SCRIPT>
<SCRIPT id=counter src="http://counter.example.jp/c.js"></SCRIPT>
<SCRIPT id=inline language=JavaScript>var mouse_Bomb1 = "./fx/bomb1.gif";</SCRIPT>
</HEAD><BODY onload="VornaScriptCall();">効果のページ</BODY></HTML>)";

class CollectScriptFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.app.web = "/home/hanako/My Web/fx";
        page.app.viewPages.insert(page.app.active, AppContext::OpenDocument(nullptr, "ULO2"));
        page.app.webPages.insert("ULO2");
    }
    void pretendDocument() { page.app.viewPages[page.app.active].document = reinterpret_cast<CZQDoc*>(&page); }

    LivePage page{kScriptPage};
};

TEST_F(CollectScriptFilesTest, LocalScriptsAndTheImagesOfEffectScriptsGoToTheDocument)
{
    pretendDocument();
    engine::Element* inline_ = page.byId("inline");
    const QString outer = inline_->outerHTML();
    page.app.scriptImages.insert(outer, {"./fx/bomb1.gif", "./fx/bomb1.gif"});
    page.app.collectResults.insert("fx/bomb1.gif", "other/bomb1.gif");

    CollectScriptFiles(true, nullptr);

    ASSERT_EQ(page.app.copyRequests.size(), 1);
    const FakeAppContext::CopyRequest& copy = page.app.copyRequests.front();
    EXPECT_EQ(copy.element, page.byId("menu"));
    EXPECT_EQ(copy.link, "fx/menu.js");
    EXPECT_EQ(copy.folderUrl, "/home/hanako/My Web/fx/");
    EXPECT_TRUE(copy.inWebSave);
    EXPECT_FALSE(copy.movingSave);
    // The counter's address is not a file; the inline script's image is asked
    // for once and its new name put into the script.
    ASSERT_EQ(page.app.collectRequests.size(), 1);
    EXPECT_EQ(page.app.collectRequests.front().link, "fx/bomb1.gif");
    ASSERT_EQ(page.app.replacedElements.size(), 1);
    EXPECT_EQ(page.app.replacedElements.front().first, inline_);
    EXPECT_EQ(page.app.replacedElements.front().second, QString(outer).replace("./fx/bomb1.gif", "other/bomb1.gif"));
    EXPECT_EQ(page.app.failureReports, QList<CZQView*>{page.app.active});
}

TEST_F(CollectScriptFilesTest, OnlyNewPagesOfTheOpenWeb)
{
    // No document behind the view.
    CollectScriptFiles(true, nullptr);
    EXPECT_TRUE(page.app.copyRequests.isEmpty());
    pretendDocument();
    // A page that has a file already.
    page.app.viewPages[page.app.active].path = "/home/hanako/My Web/fx/index.html";
    CollectScriptFiles(true, nullptr);
    EXPECT_TRUE(page.app.copyRequests.isEmpty());
    // A page of no web.
    page.app.viewPages[page.app.active].path.clear();
    page.app.webPages.clear();
    CollectScriptFiles(true, nullptr);
    EXPECT_TRUE(page.app.copyRequests.isEmpty());
    page.app.webPages.insert("ULO2");
    CollectScriptFiles(false, nullptr);
    ASSERT_EQ(page.app.copyRequests.size(), 1);
    EXPECT_FALSE(page.app.copyRequests.front().inWebSave);
    EXPECT_TRUE(page.app.copyRequests.front().movingSave);
}

} // namespace
