// Roll-over images on a page in the program: a plain image turned into one and back through the roll-over dialog,
// changed in place (its alt, map and link stay), the page's roll-over script coming and going with it.

#include "FormatPage.h"

#include "dialogs/VornaDialogHyperlink.h"
#include "dialogs/VornaDlgRollOver.h"
#include "res/resource.h"
#include "support/HyperlinkAnswer.h"

#include "platform/ModalResponder.h"

#include "dialogs/VornaDialogImageProperty.h"

#include "engine/dom/ElementCollection.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>

namespace {

using platform::ModalResponder;

// The text of a box of the roll-over dialog.
QString boxText(QDialog& d, int id)
{
    return d.findChild<QLineEdit*>(QStringLiteral("id_%1").arg(id))->text();
}

bool isEnabled(QDialog& d, int id)
{
    return d.findChild<QWidget*>(QStringLiteral("id_%1").arg(id))->isEnabled();
}

const char* const kPicturePage =
    "style=\"margin:0\">\n"
    "<A href=\"x.html\"><IMG id=a name=pic src=\"a.png\" alt=\"Sea\" usemap=\"#m\" width=40 height=30 "
    "style=\"LEFT: 30px; POSITION: absolute; TOP: 20px\"></A>\n"
    "<MAP name=m><AREA shape=rect coords=\"0,0,5,5\" href=\"y.html\"></MAP>\n"
    "<IMG id=other src=\"c.png\">\n";

class RollOverCommands : public FormatPage
{
protected:
    void SetUp() override
    {
        FormatPage::SetUp();
        // The picture, at its own size on the page.
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("a.png"))));
        // The roll-over pictures the dialog is given beside it.
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("b.png"))));
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("it's over.png"))));
        ASSERT_NE(open(QString::fromUtf8(kPicturePage)), nullptr);
        image = engine::Ref<engine::Element>(byId("a"));
    }
    bool hasScript() const { return doc()->body()->outerHTML().contains(QLatin1String("function VornaChangeImage")); }
    QString attr(const char* name) const { return image->getAttributeText(QString::fromLatin1(name)); }
    // Another image first, so that the page tells the selection's change.
    void select()
    {
        selectObjects({"other"});
        doc()->selection().setControlRange({image});
        settle();
    }

    engine::Ref<engine::Element> image;
};

} // namespace

TEST_F(RollOverCommands, ImageBecomesRollOverInPlaceAndBack)
{
    select();
    EXPECT_TRUE(enabled(33332));
    EXPECT_FALSE(enabled(33303));
    platform::ModalResponder responder;
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        auto& dialog = static_cast<VornaDlgRollOver&>(d);
        // The conversion opens with the picture and the link filled in, the name kept.
        EXPECT_EQ(boxText(d, 1003), QStringLiteral("a.png"));
        EXPECT_TRUE(boxText(d, 1005).isEmpty());
        EXPECT_EQ(boxText(d, 1387), QStringLiteral("\"x.html\""));
        EXPECT_EQ(dialog.m_strName, QStringLiteral("pic"));
        ModalResponder::setText(d, 1005, QStringLiteral("it's over.png"));
        platform::ModalResponder::press(d, platform::IDOK);
    });
    // With an image selected, the insert command converts it.
    run(33302);
    EXPECT_EQ(responder.runCount(VornaDlgRollOver::IDD), 1);
    EXPECT_EQ(attr("id"), QStringLiteral("VornaRollImage"));
    EXPECT_EQ(attr("name"), QStringLiteral("pic"));
    EXPECT_EQ(attr("onmouseover"), QStringLiteral("VornaChangeImage('pic', 'it\\'s over.png')"));
    EXPECT_EQ(attr("onmouseout"), QStringLiteral("VornaChangeImage('pic', 'a.png')"));
    // Nothing else of the image changed (its map named as the editor keeps
    // it since the page loaded), and it is still linked once.
    EXPECT_EQ(attr("alt"), QStringLiteral("Sea"));
    EXPECT_EQ(attr("usemap"), QStringLiteral("m"));
    EXPECT_EQ(image->style().left(), QStringLiteral("30px"));
    ASSERT_TRUE(image->parentElement()->hasTag(QLatin1String("A")));
    EXPECT_FALSE(image->parentElement()->parentElement()->hasTag(QLatin1String("A")));
    EXPECT_TRUE(hasScript());

    select();
    EXPECT_TRUE(enabled(33303));
    EXPECT_FALSE(enabled(33332));
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        // The properties read the escaped path back.
        EXPECT_EQ(boxText(d, 1005), QStringLiteral("it's over.png"));
        EXPECT_TRUE(platform::ModalResponder::press(d, VornaDlgRollOver::kRemoveButtonId));
        EXPECT_FALSE(isEnabled(d, VornaDlgRollOver::kLinkButtonId));
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33303);
    EXPECT_TRUE(attr("onmouseover").isEmpty());
    EXPECT_FALSE(image->hasAttribute(QStringLiteral("id")));
    EXPECT_FALSE(image->hasAttribute(QStringLiteral("name")));
    // The link of the dialog keeps the enclosing A as it was.
    EXPECT_TRUE(image->parentElement()->hasTag(QLatin1String("A")));
    EXPECT_FALSE(hasScript());
}

TEST_F(RollOverCommands, EditingChangesTheLinkAndCancelChangesNothing)
{
    // The picture named relative to the page is measured in the page's folder.
    image->setAttribute(QStringLiteral("width"), 10);
    select();
    platform::ModalResponder responder;
    responder.on(IDD_HYPERLINK, [](QDialog& d) {
        TypeLinkAddress(d, QStringLiteral("new%20page.html"));
        ModalResponder::press(d, platform::IDOK);
    });
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        ModalResponder::setText(d, 1005, QStringLiteral("b.png"));
        ModalResponder::press(d, VornaDlgRollOver::kLinkButtonId);
        EXPECT_EQ(boxText(d, 1387), QStringLiteral("\"new page.html\""));
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33332);
    ASSERT_TRUE(image->parentElement()->hasTag(QLatin1String("A")));
    EXPECT_EQ(image->parentElement()->getAttributeText(QStringLiteral("href")), QStringLiteral("new page.html"));
    EXPECT_EQ(attr("width"), QStringLiteral("40"));

    const QString before = doc()->body()->outerHTML();
    select();
    responder.answer(VornaDlgRollOver::IDD, platform::IDCANCEL);
    run(33303);
    EXPECT_EQ(doc()->body()->outerHTML(), before);

    // The link taken away in the dialog takes the A away.
    select();
    responder.on(IDD_HYPERLINK, [](QDialog& d) { ModalResponder::press(d, VornaDialogHyperlink::kDeleteButtonId); });
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        ModalResponder::press(d, VornaDlgRollOver::kLinkButtonId);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33303);
    EXPECT_FALSE(image->parentElement()->hasTag(QLatin1String("A")));
    EXPECT_EQ(attr("onmouseover"), QStringLiteral("VornaChangeImage('pic', 'b.png')"));
    EXPECT_TRUE(hasScript());
}

TEST_F(RollOverCommands, BackToAPlainImageAtItsOwnSize)
{
    select();
    platform::ModalResponder responder;
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        ModalResponder::setText(d, 1005, QStringLiteral("b.png"));
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33332);
    ASSERT_TRUE(hasScript());
    select();
    ASSERT_TRUE(enabled(33333));
    responder.answer(VornaDialogImageProperty::IDD, platform::IDCANCEL);
    run(33333);
    EXPECT_EQ(attr("id"), QStringLiteral("VornaRollImage"));
    responder.on(VornaDialogImageProperty::IDD, [&](QDialog& d) {
        EXPECT_EQ(static_cast<VornaDialogImageProperty&>(d).m_bSpecifySize, 0);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33333);
    for (const char* name : {"id", "name", "onmouseover", "onmouseout", "width", "height"})
        EXPECT_FALSE(image->hasAttribute(QString::fromLatin1(name))) << name;
    EXPECT_EQ(attr("alt"), QStringLiteral("Sea"));
    EXPECT_FALSE(hasScript());
}

TEST_F(RollOverCommands, InsertedAtTheClickWithTheScriptUntilTheLastGoes)
{
    QImage over(40, 30, QImage::Format_RGB32);
    over.fill(Qt::red);
    const QString normalPath = dir.filePath(QStringLiteral("a.png"));
    const QString overPath = dir.filePath(QStringLiteral("b.png"));
    ASSERT_TRUE(over.save(overPath));
    caretIn("other");
    platform::ModalResponder responder;
    responder.always(VornaDlgRollOver::IDD, [&](QDialog& d) {
        // A new image: nothing to remove yet.
        EXPECT_FALSE(isEnabled(d, VornaDlgRollOver::kRemoveButtonId));
        ModalResponder::setText(d, 1003, normalPath);
        ModalResponder::setText(d, 1005, overPath);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    // The dialog arms the next click; the page changes only there.
    run(33302);
    CMainFrame* frame = app->mainFrame();
    EXPECT_EQ(frame->m_nInsertKind, 6);
    EXPECT_FALSE(hasScript());
    QPoint point(200, 150);
    ASSERT_GE(sink()->InsertPositionedObject(point), 0);
    const engine::ElementCollection images = doc()->getElementsByTagName(QStringLiteral("IMG"));
    ASSERT_EQ(images.length(), 3);
    engine::Ref<engine::Element> placed(images.item(2));
    EXPECT_EQ(placed->getAttributeText(QStringLiteral("id")), QStringLiteral("VornaRollImage"));
    EXPECT_EQ(placed->getAttributeText(QStringLiteral("name")), QStringLiteral("VornaRollImage1"));
    EXPECT_EQ(placed->getAttributeText(QStringLiteral("src")), normalPath);
    EXPECT_EQ(placed->getAttributeText(QStringLiteral("onmouseover")),
              QStringLiteral("VornaChangeImage('VornaRollImage1', '%1')").arg(overPath));
    EXPECT_EQ(placed->getAttributeText(QStringLiteral("width")), QStringLiteral("40"));
    EXPECT_EQ(placed->style().left(), QStringLiteral("200px"));
    EXPECT_TRUE(hasScript());

    // A second one gets the next name; the script stays once.
    caretIn("other");
    run(33302);
    point = QPoint(300, 250);
    ASSERT_GE(sink()->InsertPositionedObject(point), 0);
    engine::Ref<engine::Element> second(doc()->getElementsByTagName(QStringLiteral("IMG")).item(3));
    EXPECT_EQ(second->getAttributeText(QStringLiteral("name")), QStringLiteral("VornaRollImage2"));
    EXPECT_EQ(doc()->body()->outerHTML().count(QLatin1String("function VornaChangeImage")), 1);

    // Turning both back: the script goes with the last.
    responder.answer(VornaDialogImageProperty::IDD, platform::IDOK);
    responder.answer(VornaDialogImageProperty::IDD, platform::IDOK);
    doc()->selection().setControlRange({placed});
    settle();
    run(33333);
    EXPECT_TRUE(hasScript());
    doc()->selection().setControlRange({second});
    settle();
    run(33333);
    EXPECT_FALSE(second->hasAttribute(QStringLiteral("onmouseover")));
    EXPECT_FALSE(hasScript());
}

TEST_F(RollOverCommands, APageOfTheOpenWebReadsItsRollOverPictureFromTheWebsImageFolder)
{
    // A roll-over image written by the web's own tools: its picture below image/, its link to an anchor.
    image->setAttribute(QStringLiteral("id"), QStringLiteral("VornaRollImage"));
    image->setAttribute(QStringLiteral("onmouseover"), QStringLiteral("VornaChangeImage('pic', 'image\\over.png')"));
    image->parentElement()->setAttribute(QStringLiteral("href"), QStringLiteral("x.html#"));
    VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
    CMainFrame* frame = app->mainFrame();
    frame->m_bWebOpen = true;
    frame->m_strWebFolder = dir.path();
    frame->OnWindowTutorial();
    ASSERT_NE(frame->siteManagerSheet(), nullptr);
    frame->siteManagerSheet()->AddOrUpdateFileRow(QStringLiteral("page.html"), QString());
    select();
    ASSERT_TRUE(enabled(33303));
    platform::ModalResponder responder;
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        EXPECT_EQ(boxText(d, 1005), dir.path() + QStringLiteral("/image/over.png"));
        EXPECT_EQ(boxText(d, 1387), QStringLiteral("#"));
        // An edited roll-over image may lose its effect.
        EXPECT_TRUE(isEnabled(d, VornaDlgRollOver::kRemoveButtonId));
        platform::ModalResponder::press(d, platform::IDCANCEL);
    });
    // The insert command with a roll-over image selected opens its properties.
    run(33302);
    EXPECT_EQ(responder.runCount(VornaDlgRollOver::IDD), 1);
}
