// The roll-over dialog's rules without its window: valid pictures, the
// controls each step unlocks, the preview size and page, and the link handed
// to the hyperlink dialog and back.

#include "dialogs/RollOverDialogModel.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

using Model = RollOverDialogModel;

class RollOverModel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base = dir.filePath(QStringLiteral("base.png"));
        roll = dir.filePath(QStringLiteral("roll.png"));
        writeTestFile(base, "png");
        writeTestFile(roll, "png");
    }
    QTemporaryDir dir;
    QString base;
    QString roll;
};

TEST_F(RollOverModel, OnlyOnePresentFileIsAValidPicture)
{
    EXPECT_TRUE(Model::IsValidImagePath(base));
    EXPECT_FALSE(Model::IsValidImagePath(dir.filePath(QStringLiteral("*.png"))));
    EXPECT_FALSE(Model::IsValidImagePath(dir.filePath(QStringLiteral("bas?.png"))));
    EXPECT_FALSE(Model::IsValidImagePath(dir.path()));
    EXPECT_FALSE(Model::IsValidImagePath(dir.filePath(QStringLiteral("missing.png"))));
    EXPECT_FALSE(Model::IsValidImagePath(QString()));
    const QString odd = dir.filePath(QStringLiteral("it's \"写真\".png"));
    writeTestFile(odd, "png");
    EXPECT_TRUE(Model::IsValidImagePath(odd));
    // A page's own picture is found from its folder.
    Model model;
    model.m_strImage = QStringLiteral("base.png");
    EXPECT_FALSE(model.ImageChanged());
    model.m_strPageFolder = dir.path();
    EXPECT_TRUE(model.ImageChanged());
    EXPECT_EQ(model.ImageFile(), base);
}

TEST_F(RollOverModel, ANewImageUnlocksTheRollOverThenTheLinkAndOk)
{
    Model model;
    model.m_strImage = base;
    EXPECT_TRUE(model.ImageChanged());
    EXPECT_TRUE(model.m_controls.rollBox && model.m_controls.rollBrowse);
    EXPECT_FALSE(model.m_controls.ok);
    model.m_strRollImage = roll;
    EXPECT_TRUE(model.RollImageChanged());
    EXPECT_TRUE(model.m_controls.link && model.m_controls.ok);
    model.m_strRollImage += QLatin1Char('x');
    EXPECT_TRUE(model.RollImageChanged()); // shown before: redrawn without it
    EXPECT_FALSE(model.m_controls.link || model.m_controls.ok);
    EXPECT_FALSE(model.RollImageChanged()); // nothing shown to take away
    // A base picture gone takes the roll-over box with it.
    model.m_strImage = dir.path();
    EXPECT_TRUE(model.ImageChanged());
    EXPECT_FALSE(model.m_controls.rollBox || model.m_controls.ok);
}

TEST_F(RollOverModel, AnEditedImageKeepsItsBasePictureAndCanLoseItsRollOver)
{
    Model model;
    model.m_bEdit = true;
    model.m_strImage = base;
    model.m_strRollImage = roll;
    model.UpdateControlStates();
    EXPECT_EQ(model.m_controls, (Model::Controls{false, false, true, true, true, true, true}));
    model.RemoveRollOver();
    EXPECT_TRUE(model.m_bRemoveRollOver);
    EXPECT_TRUE(model.m_strRollImage.isEmpty());
    EXPECT_EQ(model.m_controls, (Model::Controls{false, false, true, true, false, true, false}));
    // A plain image made a roll-over one offers no removal.
    model.m_bNoRollImage = true;
    model.m_strRollImage = roll;
    EXPECT_TRUE(model.RollImageChanged());
    EXPECT_FALSE(model.m_bRemoveRollOver);
    EXPECT_FALSE(model.m_controls.remove);
}

TEST(RollOverDialogModel, ThePreviewPictureFitsTwoThirdsOfTheFrameInProportion)
{
    const QSize frame(300, 150); // limits 200 x 100
    EXPECT_EQ(Model::PreviewImageSize(frame, QSize(80, 60)), QSize(80, 60));
    EXPECT_EQ(Model::PreviewImageSize(frame, QSize(400, 50)), QSize(200, 25));
    EXPECT_EQ(Model::PreviewImageSize(frame, QSize(50, 400)), QSize(12, 100));
    EXPECT_EQ(Model::PreviewImageSize(frame, QSize(800, 200)), QSize(200, 50));
    EXPECT_EQ(Model::PreviewImageSize(frame, QSize(400, 400)), QSize(100, 100));
    EXPECT_EQ(Model::PreviewImageSize(frame, QSize()), QSize(0, 0));

    const QString page = Model::PreviewHtml(QStringLiteral("C:/a \"b\".png"), QSize(10, 20), QString(), QString());
    EXPECT_EQ(page,
              QStringLiteral("<P align=center valign=center><IMG src=\"C:/a &quot;b&quot;.png\" border=0 width=10 "
                             "height=20 ></p>"));
    EXPECT_TRUE(Model::PreviewHtml(QStringLiteral("a.png"), QSize(1, 1), QStringLiteral(" id=x"),
                                   QStringLiteral("<SCRIPT></SCRIPT>"))
                    .endsWith(QStringLiteral("height=1  id=x ></p><SCRIPT></SCRIPT>")));
}

TEST(RollOverDialogModel, TheLinkReopensInTheHyperlinkDialogByItsKind)
{
    EXPECT_FALSE(Model::LinkForHyperlinkDialog(QStringLiteral("#"), false).editLink);
    const auto picture = Model::LinkForHyperlinkDialog(QStringLiteral("\"image/big.JPEG\""), false);
    EXPECT_EQ(picture.scheme, 3);
    EXPECT_EQ(picture.url, QStringLiteral("image/big.JPEG"));
    EXPECT_EQ(Model::LinkForHyperlinkDialog(QStringLiteral("\"HTTP://x.jp\""), false).scheme, 0);
    EXPECT_EQ(Model::LinkForHyperlinkDialog(QStringLiteral("\"MAILTO:a@b\""), false).scheme, 1);
    EXPECT_EQ(Model::LinkForHyperlinkDialog(QStringLiteral("\"files/a.zip\""), false).scheme, 2);
    const auto webPage = Model::LinkForHyperlinkDialog(QStringLiteral("\"sub/page.html\""), true);
    EXPECT_EQ(webPage.scheme, -1);
    EXPECT_EQ(webPage.url, QStringLiteral("page.html"));
    EXPECT_EQ(Model::LinkForHyperlinkDialog(QStringLiteral("\"sub/page.html\""), false).url,
              QStringLiteral("sub/page.html"));
    // Quotes alone are an empty link.
    EXPECT_TRUE(Model::LinkForHyperlinkDialog(QStringLiteral("\"\""), false).url.isEmpty());
    EXPECT_TRUE(Model::LinkForHyperlinkDialog(QStringLiteral("\""), false).url.isEmpty());

    EXPECT_EQ(Model::QuotedLink(QStringLiteral("a b.html")), QStringLiteral("\"a b.html\""));
    EXPECT_EQ(Model::QuotedLink(QStringLiteral("#")), QStringLiteral("#"));
    for (const char* odd : {"\"", "\"\"", "a\"b"})
        EXPECT_EQ(Model::UnquotedLink(Model::QuotedLink(QString::fromUtf8(odd))), QString::fromUtf8(odd));

    Model model;
    model.TakeHyperlink(false, QStringLiteral("my%20page.html"), QStringLiteral("main"));
    EXPECT_EQ(model.m_strLink, QStringLiteral("\"my page.html\""));
    EXPECT_EQ(model.m_strTarget, QStringLiteral("main"));
    model.TakeHyperlink(true, QString(), QString());
    EXPECT_TRUE(model.m_strLink.isEmpty() && model.m_strTarget.isEmpty());
}

} // namespace
