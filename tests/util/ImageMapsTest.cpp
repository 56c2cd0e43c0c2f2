#include "util/LivePage.h"

#include "util/ImageMaps.h"

#include <gtest/gtest.h>

using engine::Element;
using engine::Ref;

namespace {

int countOf(const LivePage& page, const char* tag)
{
    return page.doc->getElementsByTagName(QString::fromLatin1(tag)).length();
}

} // namespace

TEST(ImageMaps, UniqueMapNameTakesTheFirstFreeNumber)
{
    LivePage page("<html><body><map name=ulomap0></map><map name=ULOMap2></map><map></map></body></html>");
    QString name = QStringLiteral("unchanged");
    MakeUniqueMapName(name, {});
    EXPECT_EQ(name, QStringLiteral("ULOMap1"));
    MakeUniqueMapName(name, {QStringLiteral("ulomap1"), QStringLiteral("ULOMap3")});
    EXPECT_EQ(name, QStringLiteral("ULOMap4"));

    LivePage plain("<html><body><p>地図なし</p></body></html>");
    MakeUniqueMapName(name);
    EXPECT_EQ(name, QStringLiteral("ULOMap0"));
    MakeUniqueMapName(name, {QStringLiteral("ULOMap0")});
    EXPECT_EQ(name, QStringLiteral("ULOMap1"));

    FakeAppContext none;
    name = QStringLiteral("unchanged");
    MakeUniqueMapName(name);
    EXPECT_EQ(name, QStringLiteral("unchanged"));
}

TEST(ImageMaps, FindsMapsByNameAndImagesByUsemapWithOrWithoutHash)
{
    LivePage page;
    Ref<Element> found;
    EXPECT_EQ(FindImagesUsingMap(QStringLiteral("IMG"), QStringLiteral("usemap"), QStringLiteral("#ULOMap1"), found),
              S_OK);
    EXPECT_EQ(found.get(), page.byId("photo")); // written without "#"
    EXPECT_EQ(FindImagesUsingMap(QStringLiteral("img"), QStringLiteral("USEMAP"), QStringLiteral("ulomap0"), found),
              S_OK);
    EXPECT_EQ(found.get(), page.byId("logo"));
    EXPECT_EQ(FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), QStringLiteral("ulomap1"), found),
              S_OK);
    EXPECT_EQ(found->name(), QStringLiteral("ULOMap1"));

    // A map name is no usemap: "#" is not added outside usemap.
    EXPECT_EQ(FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), QStringLiteral("#ULOMap1"), found), -1);
    EXPECT_FALSE(found);
    EXPECT_EQ(FindImagesUsingMap(QString(), QStringLiteral("name"), QStringLiteral("ULOMap1"), found), -1);
    EXPECT_EQ(FindImagesUsingMap(QStringLiteral("IMG"), QStringLiteral("usemap"), QStringLiteral("ULOMap7"), found),
              -1);
}

TEST(ImageMaps, DeletingALinkedImageTakesItsLinkAndMapInOneStep)
{
    LivePage page;
    const QString before = page.body();
    page.selectControls({"logo"});
    RemoveImageMap();
    EXPECT_FALSE(page.byId("logo"));
    EXPECT_FALSE(page.byId("homeLink"));
    Ref<Element> map;
    EXPECT_EQ(FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), QStringLiteral("ULOMap0"), map), -1);
    EXPECT_EQ(countOf(page, "MAP"), 1);
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);
}

TEST(ImageMaps, ALinkKeepsItsOtherContentAndASharedMapStays)
{
    LivePage page;
    // The icon goes; its link keeps the text "日記".
    page.selectControls({"diaryIcon"});
    RemoveImageMap();
    EXPECT_FALSE(page.byId("diaryIcon"));
    ASSERT_TRUE(page.byId("diaryLink"));
    EXPECT_EQ(page.byId("diaryLink")->innerHTML(), QStringLiteral("日記"));

    // The photo goes; the map that the second photo uses stays.
    page.selectControls({"photo"});
    RemoveImageMap();
    EXPECT_FALSE(page.byId("photo"));
    EXPECT_EQ(countOf(page, "MAP"), 2);
    // Now the last image of that map goes, and the map with it.
    page.selectControls({"photo2"});
    RemoveImageMap();
    EXPECT_EQ(countOf(page, "MAP"), 1);
    EXPECT_EQ(page.undoSteps(), 3);
}

TEST(ImageMaps, DeletingSeveralObjectsIsOneStep)
{
    LivePage page;
    const QString before = page.body();
    page.selectControls({"photo", "board", "photo2"});
    RemoveImageMap();
    EXPECT_FALSE(page.byId("photo"));
    EXPECT_FALSE(page.byId("photo2"));
    EXPECT_FALSE(page.byId("board"));
    EXPECT_FALSE(page.byId("bbs"));
    EXPECT_EQ(countOf(page, "MAP"), 1); // the logo's map
    EXPECT_EQ(countOf(page, "A"), 2);   // the logo's and the diary's links
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);

    // Nothing selected: nothing changes, no step.
    page.doc->selection().empty();
    RemoveImageMap();
    EXPECT_EQ(page.body(), before);
    EXPECT_EQ(page.undoSteps(), 0);
}

TEST(ImageMaps, AnImportedPageLosesItsLinksAndMaps)
{
    LivePage page;
    const QString before = page.body();
    StripLinksAndImageMaps(page.doc.get());
    EXPECT_EQ(page.body(), before); // not imported

    page.app.importedViews.insert(page.app.active);
    StripLinksAndImageMaps(page.doc.get());
    for (const char* tag : {"A", "MAP", "AREA"})
        EXPECT_EQ(countOf(page, tag), 0) << tag;
    for (const char* id : {"logo", "photo", "photo2"})
        EXPECT_FALSE(page.byId(id)->hasAttribute(QStringLiteral("usemap"))) << id;
    EXPECT_TRUE(page.byId("diaryIcon"));
    EXPECT_EQ(page.byId("board")->cells().item(0)->innerHTML(), QStringLiteral("掲示板へどうぞ"));
    EXPECT_EQ(page.undoSteps(), 1);

    // Again: nothing left to strip, no further step.
    StripLinksAndImageMaps(page.doc.get(), page.app.active);
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);
}
