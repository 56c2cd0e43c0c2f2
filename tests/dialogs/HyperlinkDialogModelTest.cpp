// The hyperlink dialog's rules without its window: the scheme of an address,
// the rewriting when the scheme changes and when OK takes it, the page rows
// and the target frames.

#include "dialogs/HyperlinkDialogModel.h"

#include "frames/VornaFrameSet.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

using Model = HyperlinkDialogModel;

TEST(HyperlinkDialogModel, AnExistingLinkOpensWithItsSchemeAndWithoutFilePrefix)
{
    EXPECT_EQ(Model::NormaliseAddress(QStringLiteral("FILE:///home\\my%20site\\a%20b.html")),
              QStringLiteral("/home/my site/a b.html"));
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("HTTP://example.jp/")), Model::kSchemeUrl);
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("MailTo:someone@example.jp")), Model::kSchemeMail);
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("image/photo.GIF")), Model::kSchemeImage);
    // A page is no scheme; anything else, a ".jpeg" picture or "#" among them, is a download.
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("sub/page.HTM")), Model::kNoScheme);
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("files/archive.zip")), Model::kSchemeDownload);
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("photo.jpeg")), Model::kSchemeDownload);
    EXPECT_EQ(Model::ClassifyLink(QStringLiteral("#")), Model::kSchemeDownload);

    Model model;
    model.m_bEditLink = true;
    model.m_strURL = QStringLiteral("file:///home/me/dl/setup.tar.gz");
    model.ClassifyOnOpen();
    EXPECT_EQ(model.m_nCurScheme, Model::kSchemeDownload);
    EXPECT_EQ(model.m_strURL, QStringLiteral("/home/me/dl/setup.tar.gz"));
}

TEST(HyperlinkDialogModel, ChoosingASchemeSwapsOrDropsThePrefix)
{
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("mailto:me@example.jp"), Model::kSchemeUrl),
              QStringLiteral("http://me@example.jp"));
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("file:///a.zip"), Model::kSchemeUrl),
              QStringLiteral("http://a.zip"));
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("HTTP://example.jp"), Model::kSchemeUrl),
              QStringLiteral("HTTP://example.jp"));
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("http://example.jp"), Model::kSchemeMail),
              QStringLiteral("mailto:example.jp"));
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("http://x/a.zip"), Model::kSchemeDownload),
              QStringLiteral("x/a.zip"));
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("mailto:a.gif"), Model::kSchemeImage), QStringLiteral("a.gif"));
    EXPECT_EQ(Model::RewriteForScheme(QStringLiteral("file:///a.gif"), Model::kSchemeImage),
              QStringLiteral("file:///a.gif"));

    // OK mends a missing slash and takes other prefixes away.
    EXPECT_EQ(Model::AddressForOk(QStringLiteral("http:/example.jp"), Model::kSchemeUrl),
              QStringLiteral("http://example.jp"));
    EXPECT_EQ(Model::AddressForOk(QStringLiteral("file:///x.html"), Model::kSchemeUrl),
              QStringLiteral("http://x.html"));
    EXPECT_EQ(Model::AddressForOk(QStringLiteral("http:/"), Model::kSchemeUrl), QStringLiteral("http://"));
    EXPECT_EQ(Model::AddressForOk(QStringLiteral("http://a@b"), Model::kSchemeMail), QStringLiteral("mailto:a@b"));
    // Quotes, "<", "%" and script addresses are the commands' to escape.
    EXPECT_EQ(Model::AddressForOk(QStringLiteral("a\"<b>%25.zip"), Model::kSchemeDownload),
              QStringLiteral("a\"<b>%25.zip"));
    EXPECT_EQ(Model::AddressForOk(QStringLiteral("javascript:alert(1)"), Model::kSchemeUrl),
              QStringLiteral("http://javascript:alert(1)"));

    EXPECT_EQ(Model::SelectionAfterPrefix(QStringLiteral("mailto:me")), std::make_pair(7, 2));
    EXPECT_EQ(Model::SelectionAfterPrefix(QStringLiteral("file:///a")), std::make_pair(8, 1));
    EXPECT_EQ(Model::SelectionAfterPrefix(QStringLiteral("a.html")).first, -1);
}

TEST(HyperlinkDialogModel, TypingClassifiesTheAddressAndOkNeedsASchemeOrAPage)
{
    Model model;
    model.m_rows = {{QStringLiteral("Top"), QStringLiteral("index.html")},
                    {QStringLiteral("News"), QStringLiteral("news.html")}};
    EXPECT_TRUE(model.ClassifyAddress(QStringLiteral("logo.Gif")));
    EXPECT_EQ(model.m_nCurScheme, Model::kSchemeImage);
    EXPECT_TRUE(Model::TargetEnabled(model.m_nCurScheme));
    // A page address keeps the scheme; a listed page is its row without a scheme.
    EXPECT_FALSE(model.ClassifyAddress(QStringLiteral("other.htm")));
    EXPECT_EQ(model.m_nCurScheme, Model::kSchemeImage);
    EXPECT_TRUE(model.ClassifyAddress(QStringLiteral("news.html")));
    EXPECT_EQ(model.m_nPageItem, 1);
    EXPECT_EQ(model.m_nCurScheme, Model::kNoScheme);
    model.ClassifyAddress(QStringLiteral("NEWS.html")); // rows compare exactly
    EXPECT_EQ(model.m_nPageItem, -1);

    model.m_strURL = QStringLiteral("other.html");
    EXPECT_EQ(model.CheckOk(), Model::OkOutcome::ChooseScheme);
    EXPECT_TRUE(model.TakeRow(0));
    model.m_nPageItem = 0;
    EXPECT_FALSE(model.TakeRow(0));
    EXPECT_FALSE(model.TakeRow(2));
    EXPECT_EQ(model.CheckOk(), Model::OkOutcome::Accept);
    EXPECT_EQ(model.m_strURL, QStringLiteral("index.html"));

    // An erased address of an edited link removes it; without one, nothing to link.
    model.m_strURL.clear();
    EXPECT_EQ(model.CheckOk(), Model::OkOutcome::NoAddress);
    model.m_strOrigURL = QStringLiteral("old.html");
    EXPECT_EQ(model.CheckOk(), Model::OkOutcome::DeleteLink);
    EXPECT_TRUE(model.m_bDeleteLink);
    EXPECT_EQ(model.m_strURL, QStringLiteral("old.html"));
}

TEST(HyperlinkDialogModel, TheFramesOfAFramePageFollowTheFourTargets)
{
    EXPECT_EQ(Model::TargetItems(nullptr).size(), 4);
    // A frameset of a nested frameset (menu, an unnamed frame) and two frames.
    VornaFrameSet root;
    root.SetKind(QStringLiteral("FRAMESET"));
    root.m_pFirstChild = std::make_unique<VornaFrameSet>();
    VornaFrameSet* inner = root.m_pFirstChild.get();
    inner->SetKind(QStringLiteral("FRAMESET"));
    inner->SetName(QString());
    inner->m_pFirstChild = std::make_unique<VornaFrameSet>();
    inner->m_pFirstChild->SetName(QStringLiteral("menu&1"));
    inner->m_pFirstChild->m_pNext = std::make_unique<VornaFrameSet>();
    inner->m_pNext = std::make_unique<VornaFrameSet>();
    inner->m_pNext->SetName(QStringLiteral("main"));
    inner->m_pNext->m_pNext = std::make_unique<VornaFrameSet>();
    inner->m_pNext->m_pNext->SetName(QStringLiteral("main"));
    const QStringList items = Model::TargetItems(&root);
    EXPECT_EQ(items, (QStringList{"_self", "_blank", "_parent", "_top", "menu&1", "main", "main"}));
    EXPECT_EQ(Model::FindItem(items, QStringLiteral("MAIN")), 5);
    EXPECT_EQ(Model::FindItem(items, QStringLiteral("side")), -1);
}

TEST(HyperlinkDialogModel, AFolderListsItsPagesWithTheirTitles)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    writeTestFile(folder + QStringLiteral("/b.htm"), "<html><head><title>Second &nbsp;page</title></head></html>");
    writeTestFile(folder + QStringLiteral("/a.HTML"), "<html><title><b>bold</b></title></html>");
    writeTestFile(folder + QStringLiteral("/.hidden.html"), "<title>hidden</title>");
    writeTestFile(folder + QStringLiteral("/binary.html"), QByteArray("\x00\xff\xfe<ti", 6));
    writeTestFile(folder + QStringLiteral("/notes.txt"), "<title>text</title>");
    QDir(folder).mkdir(QStringLiteral("folder.html"));
    const QList<Model::PageRow> rows = Model::FolderPageRows(folder);
    ASSERT_EQ(rows.size(), 3);
    const auto row = [&rows](int i) { return rows[i].title + QLatin1Char('|') + rows[i].fileName; };
    EXPECT_EQ(row(0), QStringLiteral("<b>bold|a.HTML"));
    EXPECT_EQ(row(1), QStringLiteral("Second  page|b.htm"));
    EXPECT_EQ(row(2), QStringLiteral("タイトルなし|binary.html"));
    EXPECT_TRUE(Model::FolderPageRows(folder + QStringLiteral("/missing")).isEmpty());

    // The web's rows end at the first empty name.
    const QList<Model::PageRow> web =
        Model::WebPageRows({QStringLiteral("index.html"), QString(), QStringLiteral("x.html")}, {QStringLiteral("T")});
    EXPECT_EQ(web, (QList<Model::PageRow>{{QStringLiteral("T"), QStringLiteral("index.html")}}));

    // A browse starts from the named file only when it exists.
    EXPECT_EQ(Model::BrowseStartPath(QStringLiteral("file://") + folder + QStringLiteral("/b.htm")),
              folder + QStringLiteral("/b.htm"));
    EXPECT_TRUE(Model::BrowseStartPath(folder + QStringLiteral("/gone.zip")).isEmpty());
}

} // namespace
