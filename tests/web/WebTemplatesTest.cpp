// The sample webs of the web wizard on disk: which folders and pictures make
// the categories and templates, when a web name is refused, and the copy of a
// template into a new web.
#include "res/resource.h"
#include "web/WebTemplates.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WebTemplatesTest : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return dir.filePath(relative); }
    void file(const QString& relative, const QByteArray& bytes = "x")
    {
        ASSERT_TRUE(writeTestFile(path(relative), bytes));
    }
    void folder(const QString& relative) { ASSERT_TRUE(QDir().mkpath(path(relative))); }
    void link(const QString& target, const QString& relative)
    {
        ASSERT_TRUE(QFile::link(path(target), path(relative)));
    }
    QTemporaryDir dir;
};

TEST_F(WebTemplatesTest, CategoriesAreTheRootsFoldersInTheLanguagesOrder)
{
    folder(QStringLiteral("root/b"));
    folder(QStringLiteral("root/A"));
    folder(QStringLiteral("root/c"));
    folder(QStringLiteral("elsewhere"));
    file(QStringLiteral("root/notes.txt"));
    file(QStringLiteral("root/a.gif"));
    link(QStringLiteral("elsewhere"), QStringLiteral("root/linked"));
    EXPECT_EQ(WebTemplateCategories(path(QStringLiteral("root"))), QStringList({"A", "b", "c"}));
    EXPECT_TRUE(WebTemplateCategories(path(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(WebTemplateCategories(QString()).isEmpty());
}

TEST_F(WebTemplatesTest, TemplatesAreTheGifPicturesOfACategoryWhateverTheirCase)
{
    for (const char* name : {"b.gif", "a.GIF", "c.png", "gif", "d.gif.txt", "shop.tar.Gif"})
        file(QStringLiteral("cat/") + QString::fromUtf8(name));
    folder(QStringLiteral("cat/folder.gif"));
    folder(QStringLiteral("cat/a")); // the web beside its picture
    EXPECT_EQ(WebTemplateNames(path(QStringLiteral("cat"))), QStringList({"a", "b", "shop.tar"}));
    EXPECT_TRUE(WebTemplateNames(QString()).isEmpty());
}

TEST_F(WebTemplatesTest, TheChoiceIsRefusedInTheOrderTheUserIsAsked)
{
    const QString root = path(QStringLiteral("My Web"));
    folder(QStringLiteral("My Web/shop"));
    file(QStringLiteral("My Web/notes"));
    // No template comes first, whatever the name.
    EXPECT_EQ(WebWizardRefusal(QString(), QString(), root), IDS_SELECT_TEMPLATE);
    EXPECT_EQ(WebWizardRefusal(QString(), QStringLiteral("shop"), root), IDS_SELECT_TEMPLATE);
    EXPECT_EQ(WebWizardRefusal(QStringLiteral("cafe"), QString(), root), IDS_ENTER_NEW_WEB_NAME);
    EXPECT_EQ(WebWizardRefusal(QStringLiteral("cafe"), QStringLiteral("  "), root), IDS_ENTER_NEW_WEB_NAME);
    for (const char* bad : {"a/b", "..", "x?", "a|b"})
        EXPECT_EQ(WebWizardRefusal(QStringLiteral("cafe"), QString::fromUtf8(bad), root), IDS_BAD_FILE_NAME) << bad;
    // A folder or a file of that name stands in the way.
    EXPECT_EQ(WebWizardRefusal(QStringLiteral("cafe"), QStringLiteral("shop"), root), IDS_WEB_NAME_TAKEN);
    EXPECT_EQ(WebWizardRefusal(QStringLiteral("cafe"), QStringLiteral("notes"), root), IDS_WEB_NAME_TAKEN);
    EXPECT_EQ(WebWizardRefusal(QStringLiteral("cafe"), QStringLiteral("新しい店"), root), 0);
}

TEST_F(WebTemplatesTest, TheCopyTakesFilesAndOneLevelOfFoldersAndNoLinks)
{
    const QByteArray page("<HTML><BODY>\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd</BODY></HTML>\r\n");
    file(QStringLiteral("t/index.html"), page);
    file(QStringLiteral("t/.hidden"), "h");
    file(QStringLiteral("t/image/logo.gif"), "GIF89a");
    file(QStringLiteral("t/image/photos/big.jpg"), "jpeg");
    file(QStringLiteral("t/other/notes.txt"), "n");
    file(QStringLiteral("outside.txt"), "secret");
    link(QStringLiteral("outside.txt"), QStringLiteral("t/linked.txt"));
    link(QStringLiteral("outside.txt"), QStringLiteral("t/image/linked.gif"));
    link(QStringLiteral("t/image"), QStringLiteral("t/pictures"));
    // The web folder as the wizard makes it, with a file the template replaces.
    folder(QStringLiteral("web/image"));
    folder(QStringLiteral("web/other"));
    file(QStringLiteral("web/index.html"), "old");

    EXPECT_TRUE(CopyWebTemplate(path(QStringLiteral("t")), path(QStringLiteral("web"))).isEmpty());
    EXPECT_EQ(readTestFile(path(QStringLiteral("web/index.html"))), page);
    EXPECT_EQ(readTestFile(path(QStringLiteral("web/.hidden"))), "h");
    EXPECT_EQ(readTestFile(path(QStringLiteral("web/image/logo.gif"))), "GIF89a");
    EXPECT_EQ(readTestFile(path(QStringLiteral("web/other/notes.txt"))), "n");
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("web/image/photos"))));
    for (const char* absent : {"web/linked.txt", "web/image/linked.gif", "web/pictures"})
        EXPECT_FALSE(QFileInfo(path(QString::fromUtf8(absent))).exists() ||
                     QFileInfo(path(QString::fromUtf8(absent))).isSymLink())
            << absent;
}

TEST_F(WebTemplatesTest, CopiesOfReadOnlyTemplatesAreWritableAndFailuresAreNamed)
{
    file(QStringLiteral("t/index.html"), "home");
    file(QStringLiteral("t/image/a.gif"), "a");
    file(QStringLiteral("t/other/b.txt"), "b");
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("t/index.html")), QFileDevice::ReadOwner));
    // A file where the template has a folder: that folder's files cannot come.
    folder(QStringLiteral("web"));
    file(QStringLiteral("web/other"), "in the way");

    EXPECT_EQ(CopyWebTemplate(path(QStringLiteral("t")), path(QStringLiteral("web"))), QStringList{"other/"});
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("web/index.html"))).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(readTestFile(path(QStringLiteral("web/image/a.gif"))), "a");
    EXPECT_EQ(readTestFile(path(QStringLiteral("web/other"))), "in the way");
    // A template without a folder on disk copies nothing and fails nothing.
    EXPECT_TRUE(CopyWebTemplate(path(QStringLiteral("none")), path(QStringLiteral("web2"))).isEmpty());
}

} // namespace
