// The image effect commands on a page in the program: each selected image changed by its own filter text in one
// undo step, other controls left alone, the restore and the effects dialog's list.

#include "FormatPage.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "dialogs/VornaDialogImgCssComplex.h"

#include "engine/css/Style.h"

#include "platform/ModalResponder.h"

#include <QCheckBox>

namespace {

const char* const kImagePage = "style=\"margin:0\">\n"
                               "<IMG id=a src=a.png width=40 height=30 style=\"LEFT: 10px; POSITION: absolute\">\n"
                               "<IMG id=b src=b.png width=40 height=30 "
                               "style=\"FILTER: progid:DXImageTransform.Microsoft.Blur(PixelRadius=20)\">\n"
                               "<TABLE id=t border=1><TR><TD>x</TD></TR></TABLE>\n";

class ImageFilterCommands : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        ASSERT_NE(open(QString::fromUtf8(kImagePage)), nullptr);
    }
    QString filterOf(const char* id) const { return byId(id)->style().filter(); }
    bool pageChanged() const { return app->GetActiveView()->GetDocument()->m_bPageChanged; }
};

} // namespace

TEST_F(ImageFilterCommands, EachImageByItsOwnFilterInOneUndoStep)
{
    selectObjects({"a", "b"});
    EXPECT_TRUE(enabled(33317));
    // Not all of them images: the toolbar does not offer the effects, a sent command skips the table.
    selectObjects({"a", "b", "t"});
    EXPECT_FALSE(enabled(33317));
    const int steps = undoSteps();
    run(33317);
    EXPECT_EQ(filterOf("a"), QStringLiteral("progid:DXImageTransform.Microsoft.Blur(PixelRadius=1)"));
    // At radius 20 nothing more is written; the table is no image.
    EXPECT_EQ(filterOf("b"), QStringLiteral("progid:DXImageTransform.Microsoft.Blur(PixelRadius=20)"));
    EXPECT_TRUE(filterOf("t").isEmpty());
    EXPECT_EQ(undoSteps(), steps + 1);
    run(33312);
    run(33314);
    run(33312);
    EXPECT_EQ(filterOf("a"), QStringLiteral("progid:DXImageTransform.Microsoft.Blur(PixelRadius=1)\n"
                                            "progid:DXImageTransform.Microsoft.BasicImage(grayscale=1)\n"
                                            "progid:DXImageTransform.Microsoft.emboss(enabled='true')"));
    // The other style of the image stays.
    EXPECT_EQ(byId("a")->style().position(), QStringLiteral("absolute"));
    undo();
    EXPECT_EQ(filterOf("a"), QStringLiteral("progid:DXImageTransform.Microsoft.Blur(PixelRadius=1)\n"
                                            "progid:DXImageTransform.Microsoft.emboss(enabled='true')\n"
                                            "progid:DXImageTransform.Microsoft.BasicImage(grayscale=1)"));
    selectObjects({"a", "b"});
    run(33318);
    EXPECT_TRUE(filterOf("a").isEmpty());
    EXPECT_TRUE(filterOf("b").isEmpty());
    EXPECT_FALSE(byId("a")->outerHTML().contains(QLatin1String("FILTER"), Qt::CaseInsensitive));
}

TEST_F(ImageFilterCommands, NothingSelectedChangesNothing)
{
    caretIn("t");
    EXPECT_FALSE(enabled(33312));
    const int steps = undoSteps();
    run(33312);
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_TRUE(filterOf("a").isEmpty());
    EXPECT_FALSE(pageChanged());
    // An image without effects restored writes nothing either.
    selectObjects({"a"});
    run(33318);
    EXPECT_FALSE(pageChanged());
    run(33313);
    EXPECT_TRUE(pageChanged());
}

TEST_F(ImageFilterCommands, EffectsDialogReplacesTheFiltersOfTheSelection)
{
    selectObjects({"b", "a"});
    run(33312);
    platform::ModalResponder responder;
    responder.on(VornaDialogImgCssComplex::IDD, [&](QDialog& d) {
        auto& dialog = static_cast<VornaDialogImgCssComplex&>(d);
        // The dialog starts from the first image's filters.
        EXPECT_TRUE(dialog.StyleFilter().endsWith(QLatin1String("emboss(enabled='true')")));
        EXPECT_EQ(dialog.m_strSrc, QStringLiteral("b.png"));
        d.findChild<QCheckBox*>(QStringLiteral("id_1011"))->click();
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33432);
    EXPECT_EQ(responder.runCount(VornaDialogImgCssComplex::IDD), 1);
    // The first image's filters stay ahead of the glow; every selected image takes them.
    EXPECT_EQ(filterOf("a"), QStringLiteral("progid:DXImageTransform.Microsoft.Blur(PixelRadius=20)\n"
                                            "progid:DXImageTransform.Microsoft.emboss(enabled='true')\n"
                                            "progid:DXImageTransform.Microsoft.Glow(Color=Red, Strength=5)"));
    EXPECT_EQ(filterOf("b"), filterOf("a"));
    // One step takes it back.
    undo();
    EXPECT_FALSE(filterOf("a").contains(QLatin1String("Glow")));
}
