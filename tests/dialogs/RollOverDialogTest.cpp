// The roll-over image dialog answered on the offscreen platform: the steps
// that unlock its controls, the preview page handed to its viewer, the link
// through the hyperlink dialog and the removal of the roll-over.

#include "dialogs/VornaDlgRollOver.h"

#include "dialogs/VornaDialogHyperlink.h"
#include "res/resource.h"

#include "app/PreviewBrowser.h"
#include "app/VornaHTMLViewer.h"
#include "app/Vorna_Preview.h"
#include "support/HyperlinkAnswer.h"
#include "support/TestFiles.h"
#include "util/LivePage.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

using platform::ModalResponder;

namespace {

// A browser that remembers the pages it was sent to.
class PageRecorder : public PreviewBrowser
{
public:
    explicit PageRecorder(QWidget* parent) : m_widget(new QWidget(parent)) {}
    QWidget* widget() const override { return m_widget; }
    void navigate(const QString& address) override { m_address = address; }
    void goBack() override {}
    void goForward() override {}
    void stop() override {}
    void refresh() override {}
    QString locationUrl() const override { return m_address; }

private:
    QWidget* m_widget;
    QString m_address;
};

bool enabled(QDialog& d, int id)
{
    QWidget* w = d.findChild<QWidget*>(QStringLiteral("id_%1").arg(id));
    return w && w->isEnabled();
}

void type(QDialog& d, int id, const QString& text)
{
    d.findChild<QLineEdit*>(QStringLiteral("id_%1").arg(id))->setText(text);
}

class RollOverDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldFactory = PreviewBrowser::setFactory(
            [](QWidget* parent) -> std::unique_ptr<PreviewBrowser> { return std::make_unique<PageRecorder>(parent); });
        // The preview writes its page into the program's folder, made at the program's start.
        QDir().mkpath(platform::installPath() + QStringLiteral("/Bin"));
        base = dir.filePath(QStringLiteral("base.png"));
        roll = dir.filePath(QStringLiteral("it's roll.png"));
        QImage picture(600, 400, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(base);
        picture.fill(Qt::red);
        picture.save(roll);
    }
    void TearDown() override { PreviewBrowser::setFactory(m_oldFactory); }

    // The page the preview shows now.
    static QString previewPage(VornaDlgRollOver& dialog)
    {
        const QString address = dialog.preview()->GetLocationURL();
        return address.isEmpty() ? QString() : QString::fromUtf8(readTestFile(address));
    }

    QTemporaryDir dir;
    QString base;
    QString roll;
    LivePage page;
    ModalResponder responder;
    PreviewBrowser::Factory m_oldFactory;
};

TEST_F(RollOverDialog, ANewImageUnlocksStepByStepAndThePreviewSwapsThePictures)
{
    VornaDlgRollOver dialog;
    responder.on(IDD_HYPERLINK, [](QDialog& d) {
        TypeLinkAddress(d, QStringLiteral("my%20page.html"));
        ModalResponder::press(d, platform::IDOK);
    });
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        EXPECT_TRUE(enabled(d, 1003) && enabled(d, 1004));
        EXPECT_FALSE(enabled(d, 1005) || enabled(d, 1006) || enabled(d, 1008) || enabled(d, 1387) ||
                     enabled(d, platform::IDOK) || enabled(d, 4));
        type(d, 1003, base);
        EXPECT_TRUE(enabled(d, 1005) && enabled(d, 1006));
        EXPECT_FALSE(enabled(d, platform::IDOK));
        // 600 x 400 in a frame of 360 x 220: the height gives way.
        EXPECT_TRUE(previewPage(dialog).contains(QStringLiteral("border=0 width=219 height=146 ></p>")));
        type(d, 1005, roll);
        EXPECT_TRUE(enabled(d, 1008) && enabled(d, platform::IDOK));
        const QString swapping = previewPage(dialog);
        EXPECT_TRUE(swapping.contains(QStringLiteral("function VornaChangeImage")));
        EXPECT_TRUE(swapping.contains(QStringLiteral("it\\'s roll.png')")));
        type(d, 1005, dir.filePath(QStringLiteral("*.png")));
        EXPECT_FALSE(enabled(d, 1008) || enabled(d, platform::IDOK));
        EXPECT_FALSE(previewPage(dialog).contains(QStringLiteral("VornaChangeImage")));
        type(d, 1005, roll);
        ModalResponder::press(d, 1008);
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("id_1387"))->text(), QStringLiteral("\"my page.html\""));
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(dialog.m_strImage, base);
    EXPECT_EQ(dialog.m_strRollImage, roll);
    EXPECT_EQ(dialog.LinkAddress(), QStringLiteral("my page.html"));
}

TEST_F(RollOverDialog, AFileThatIsNoPictureIsRefusedAndTheDialogStays)
{
    const QString text = dir.filePath(QStringLiteral("notes.png"));
    ASSERT_TRUE(writeTestFile(text, "not a picture"));
    VornaDlgRollOver dialog;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("notes.png は画像として読み込めません"));
    responder.answerMessageBox(platform::IDOK, QStringLiteral("notes.png は画像として読み込めません"));
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        type(d, 1003, text);
        type(d, 1005, roll);
        ASSERT_TRUE(enabled(d, platform::IDOK));
        ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        // As the picture that appears under the mouse.
        type(d, 1003, base);
        type(d, 1005, text);
        ModalResponder::press(d, platform::IDOK);
        EXPECT_TRUE(d.isVisible());
        type(d, 1005, roll);
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
    EXPECT_EQ(dialog.m_strImage, base);
}

TEST_F(RollOverDialog, AnEditedImageReopensItsLinkAndLosesItsRollOverOnRequest)
{
    VornaDlgRollOver dialog;
    dialog.m_bEdit = true;
    dialog.m_strImage = base;
    dialog.m_strRollImage = roll;
    dialog.m_strLink = QStringLiteral("image/big.JPEG");
    dialog.m_strTarget = QStringLiteral("_blank");
    dialog.m_strName = QStringLiteral("VornaRollImage3");
    responder.on(IDD_HYPERLINK, [](QDialog& d) {
        auto& link = static_cast<VornaDialogHyperlink&>(d);
        EXPECT_EQ(link.m_nCurScheme, HyperlinkDialogModel::kSchemeImage);
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("id_1005"))->currentText(), QStringLiteral("image/big.JPEG"));
        EXPECT_EQ(d.findChild<QComboBox*>(QStringLiteral("id_1106"))->currentText(), QStringLiteral("_blank"));
        ModalResponder::press(d, VornaDialogHyperlink::kDeleteButtonId);
    });
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        EXPECT_FALSE(enabled(d, 1003) || enabled(d, 1004));
        EXPECT_TRUE(enabled(d, 1005) && enabled(d, 1008) && enabled(d, 4) && enabled(d, platform::IDOK));
        EXPECT_TRUE(previewPage(dialog).contains(QStringLiteral("name=VornaRollImage3")));
        ModalResponder::press(d, 1008);
        EXPECT_TRUE(d.findChild<QLineEdit*>(QStringLiteral("id_1387"))->text().isEmpty());
        ModalResponder::press(d, 4);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.findChild<QLineEdit*>(QStringLiteral("id_1005"))->text().isEmpty());
        EXPECT_FALSE(enabled(d, 1008) || enabled(d, 4));
        ModalResponder::press(d, platform::IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), platform::IDOK);
    EXPECT_TRUE(dialog.m_bRemoveRollOver);
    EXPECT_TRUE(dialog.m_strRollImage.isEmpty());
    EXPECT_TRUE(dialog.LinkAddress().isEmpty());
    EXPECT_TRUE(dialog.m_strTarget.isEmpty());
}

} // namespace
