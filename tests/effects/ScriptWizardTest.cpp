// The script wizard answered on the offscreen platform: its navigation,
// the tables of its pages, the keyboard, and the live preview of the mouse
// pages.
#include "effects/MousePreview.h"
#include "effects/ScriptImageModel.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptTextModel.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaDlgScriptBrowser.h"
#include "effects/VornaDlgScriptImg.h"
#include "effects/VornaDlgScriptMouse.h"
#include "effects/VornaDlgScriptScreen.h"
#include "effects/VornaDlgScriptStart.h"
#include "effects/VornaDlgScriptStatus.h"
#include "effects/VornaDlgScriptText.h"

#include "images/ImageLibraryFolders.h"
#include "images/VornaDialogOpenImage.h"
#include "res/resource.h"
#include "support/PreviewRecorder.h"
#include "util/InstallInfo.h"
#include "util/LivePage.h"

#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using platform::ModalResponder;

namespace {

template <typename Control> Control* control(QWidget& dialog, int id)
{
    auto* found = dialog.findChild<Control*>(QStringLiteral("id_%1").arg(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

// The control of the shown page (pages share ids).
template <typename Control> Control* pageControl(VornaDlgScript& wizard, int id)
{
    VornaScriptPage* page = wizard.GetPage(wizard.GetActiveIndex());
    auto* found = page ? page->findChild<Control*>(QStringLiteral("id_%1").arg(id)) : nullptr;
    EXPECT_NE(found, nullptr) << id;
    return found;
}

QPushButton* next(QWidget& dialog)
{
    return control<QPushButton>(dialog, 1);
}

QPushButton* back(QWidget& dialog)
{
    return control<QPushButton>(dialog, 1009);
}

QString description(VornaDlgScript& wizard)
{
    return wizard.GetPage(wizard.GetActiveIndex())->description();
}

// The text of the preview page the shown page's viewer wrote last.
QString previewPage()
{
    QFile file(platform::installPath() + QStringLiteral("/Bin/VornaPreviewTemp~.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

class ScriptWizard : public ::testing::Test
{
protected:
    void SetUp() override { InitInstallFolder(); }

    // Runs the wizard with the action; the wizard's result.
    int run(VornaDlgScript& wizard, const std::function<void(VornaDlgScript&)>& action)
    {
        responder.on(VornaDlgScript::IDD, [&](QDialog& dialog) { action(static_cast<VornaDlgScript&>(dialog)); });
        return platform::runModal(wizard, VornaDlgScript::IDD);
    }

    PreviewRecorder::Installed previews;
    LivePage page;
    ModalResponder responder;
};

} // namespace

TEST_F(ScriptWizard, StepsThroughTheKindsKeepingAndReplacingPages)
{
    VornaDlgScript wizard;
    VornaScriptPage* keptStatus = nullptr;
    const int result = run(wizard, [&](VornaDlgScript& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("スクリプトウィザード - スクリプトの種類を選択"));
        EXPECT_EQ(next(w)->text(), QStringLiteral("次へ >>"));
        EXPECT_FALSE(next(w)->isEnabled());
        EXPECT_FALSE(back(w)->isEnabled());
        auto* kinds = pageControl<QListWidget>(w, 14000);
        ASSERT_EQ(kinds->count(), 4);
        kinds->setCurrentRow(3);
        EXPECT_TRUE(next(w)->isEnabled());
        EXPECT_EQ(description(w), QStringLiteral("マウスのクリックや移動時に特定の効果を追加することができます"));
        EXPECT_TRUE(previewPage().contains(QLatin1String("scriptpreview/mouse_default.gif")));
        // A preview picture that is not installed leaves the preview empty.
        QFile::remove(platform::installPath() + QStringLiteral("/Other/script/scriptpreview/statusbar_flytext.gif"));
        kinds->setCurrentRow(0);
        EXPECT_FALSE(previewPage().contains(QLatin1String("<IMG"))) << previewPage().toStdString();
        kinds->setCurrentRow(3);

        // The mouse page: Finish until the pointer is changed, then a page 2.
        next(w)->click();
        EXPECT_EQ(w.windowTitle(), QStringLiteral("スクリプトウィザード - マウス"));
        EXPECT_EQ(next(w)->text(), QStringLiteral("終了"));
        EXPECT_FALSE(next(w)->isEnabled());
        EXPECT_TRUE(back(w)->isEnabled());
        EXPECT_EQ(description(w), QString());
        pageControl<QCheckBox>(w, 1007)->click();
        EXPECT_EQ(w.GetPageCount(), 3);
        EXPECT_EQ(next(w)->text(), QStringLiteral("次へ >>"));
        EXPECT_TRUE(next(w)->isEnabled());
        EXPECT_TRUE(pageControl<QRadioButton>(w, 14002)->isEnabled());
        pageControl<QCheckBox>(w, 1007)->click();
        EXPECT_EQ(w.GetPageCount(), 2);
        EXPECT_EQ(next(w)->text(), QStringLiteral("終了"));
        EXPECT_FALSE(next(w)->isEnabled());
        pageControl<QCheckBox>(w, 1007)->click();
        pageControl<QRadioButton>(w, 14002)->click();
        next(w)->click();
        EXPECT_NE(dynamic_cast<VornaDlgScriptImg*>(w.GetPage(2)), nullptr);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("スクリプトウィザード - 画像付きマウスポインタ"));
        EXPECT_EQ(next(w)->text(), QStringLiteral("終了"));
        EXPECT_TRUE(next(w)->isEnabled()); // the sun trail is chosen

        // Back to the start, and a status-bar effect instead: page 2 goes.
        back(w)->click();
        EXPECT_EQ(next(w)->text(), QStringLiteral("次へ >>"));
        back(w)->click();
        EXPECT_FALSE(back(w)->isEnabled());
        pageControl<QListWidget>(w, 14000)->setCurrentRow(0);
        next(w)->click();
        EXPECT_EQ(w.GetPageCount(), 2);
        keptStatus = w.GetPage(1);
        EXPECT_NE(dynamic_cast<VornaDlgScriptStatus*>(keptStatus), nullptr);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("スクリプトウィザード - ステータスバー"));
        EXPECT_EQ(next(w)->text(), QStringLiteral("終了"));
        pageControl<QListWidget>(w, 14000)->setCurrentRow(3);
        EXPECT_EQ(description(w),
                  QStringLiteral("文章の中央で文字を水平に膨張させる文章を 1 つ設定することができます"));
        EXPECT_TRUE(pageControl<QLineEdit>(w, 1340)->isEnabled());
        EXPECT_FALSE(pageControl<QLineEdit>(w, 1006)->isEnabled());
        EXPECT_TRUE(previewPage().contains(QLatin1String("statusbar_multiscroll.gif")));
        pageControl<QLineEdit>(w, 1340)->setText(QStringLiteral("ようこそ"));
        // Back and forward with the same kind keeps the page and its settings.
        back(w)->click();
        next(w)->click();
        EXPECT_EQ(w.GetPage(1), keptStatus);
        EXPECT_TRUE(next(w)->isEnabled());
        ModalResponder::press(w, 1);
    });
    ASSERT_EQ(result, 1);
    std::vector<std::unique_ptr<VornaScriptPage>> pages = wizard.TakePages();
    ASSERT_EQ(pages.size(), 2u);
    auto* status = dynamic_cast<VornaDlgScriptStatus*>(pages[1].get());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->m_nEffect, 3);
    EXPECT_EQ(status->m_strText1, QStringLiteral("ようこそ"));
    EXPECT_EQ(status->viewer(), nullptr); // the windows went with the wizard
}

TEST_F(ScriptWizard, BrowserEffectsAreRefusedOnAFramesetPageAndKeysWorkAsInADialog)
{
    VornaDlgScript frames;
    frames.SetFramesetPage(true);
    responder.answerMessageBox(1, QStringLiteral("フレーム使用中はブラウザ関連スクリプトは使えません。"));
    const int refused = run(frames, [&](VornaDlgScript& w) {
        pageControl<QListWidget>(w, 14000)->setCurrentRow(1);
        next(w)->click();
        EXPECT_EQ(w.GetActiveIndex(), 0);
        EXPECT_EQ(w.GetPage(1), nullptr);
        // Escape cancels, and the pages go.
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(frames.GetPageCount(), 0);
    EXPECT_EQ(responder.messageTexts().size(), 1);

    // Enter in the list presses Next; Enter on a focused button presses it.
    VornaDlgScript keys;
    run(keys, [&](VornaDlgScript& w) {
        auto* kinds = pageControl<QListWidget>(w, 14000);
        kinds->setCurrentRow(1);
        kinds->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : kinds, Qt::Key_Return);
        EXPECT_EQ(w.GetActiveIndex(), 1);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("スクリプトウィザード - ブラウザ"));
        // The browser page: nothing chosen, nothing to finish.
        EXPECT_FALSE(next(w)->isEnabled());
        EXPECT_EQ(description(w), QString());
        EXPECT_FALSE(pageControl<QRadioButton>(w, 14007)->isEnabled());
        pageControl<QCheckBox>(w, 1014)->click();
        EXPECT_TRUE(next(w)->isEnabled());
        EXPECT_EQ(description(w), QStringLiteral("画面が表示される際に、ブラウザは指定位置に移動します"));
        pageControl<QRadioButton>(w, 14007)->click();
        pageControl<QCheckBox>(w, 1014)->click();
        EXPECT_FALSE(pageControl<QRadioButton>(w, 14007)->isEnabled());
        EXPECT_FALSE(next(w)->isEnabled());
        pageControl<QCheckBox>(w, 1014)->click();
        back(w)->setFocus();
        QTest::keyClick(back(w), Qt::Key_Return);
        EXPECT_EQ(w.GetActiveIndex(), 0);
        next(w)->click();
        ModalResponder::press(w, 1);
    });
    std::vector<std::unique_ptr<VornaScriptPage>> pages = keys.TakePages();
    ASSERT_EQ(pages.size(), 2u);
    auto* browser = dynamic_cast<VornaDlgScriptBrowser*>(pages[1].get());
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->m_bMove);
    EXPECT_EQ(browser->m_nStartPosition, 7); // kept while move was off
}

TEST_F(ScriptWizard, TheScreenPageEnablesSpeedAndColoursByEffect)
{
    VornaDlgScript wizard;
    run(wizard, [&](VornaDlgScript& w) {
        pageControl<QListWidget>(w, 14000)->setCurrentRow(2);
        next(w)->click();
        auto* screen = dynamic_cast<VornaDlgScriptScreen*>(w.GetPage(1));
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("スクリプトウィザード - 画面"));
        EXPECT_EQ(screen->m_strStartColor, QStringLiteral("#808080"));
        EXPECT_EQ(screen->m_strEndColor, QStringLiteral("#ffffff"));
        auto* speed = pageControl<QComboBox>(w, 1002);
        EXPECT_FALSE(speed->isEnabled());
        auto* list = pageControl<QListWidget>(w, 14000);
        list->setCurrentRow(8);
        EXPECT_FALSE(speed->isEnabled());
        EXPECT_FALSE(pageControl<QWidget>(w, 1000)->isEnabled());
        EXPECT_EQ(description(w), QStringLiteral("画面の上から雨のしずくが落ちる効果を追加できます"));
        list->setCurrentRow(6);
        EXPECT_TRUE(speed->isEnabled());
        EXPECT_TRUE(pageControl<QWidget>(w, 1001)->isEnabled());
        EXPECT_TRUE(previewPage().contains(QLatin1String("screen_fadeinout.gif")));
        list->setCurrentRow(5);
        EXPECT_FALSE(pageControl<QWidget>(w, 1001)->isEnabled());
        EXPECT_EQ(screen->m_nSpeed, 20);
        speed->setCurrentIndex(0);
        EXPECT_EQ(screen->m_nSpeed, 8);
        speed->setCurrentIndex(8);
        EXPECT_EQ(screen->m_nSpeed, 32);
        ModalResponder::press(w, 1);
    });
}

TEST_F(ScriptWizard, TheMousePagesPreviewLiveAndTheirValuesAreChecked)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("cat #1.png"));
    QImage(80, 60, QImage::Format_RGB32).save(picture);
    VornaDlgScript wizard;
    responder.answerMessageBox(1, QStringLiteral("この画像は使えません"));
    const int result = run(wizard, [&](VornaDlgScript& w) {
        pageControl<QListWidget>(w, 14000)->setCurrentRow(3);
        next(w)->click();
        pageControl<QCheckBox>(w, 1013)->click();
        EXPECT_EQ(description(w), QStringLiteral("マウスカーソルに必要な X 軸と Y 軸を描いてください"));
        EXPECT_TRUE(previewPage().contains(QLatin1String("mouse_follow_xy.js")));
        pageControl<QCheckBox>(w, 1007)->click();
        // The text page stand-in previews until the text page exists.
        EXPECT_TRUE(previewPage().contains(QLatin1String("var mouse_message = \"Test Message.\";")));
        next(w)->click();
        auto* text = dynamic_cast<VornaDlgScriptText*>(w.GetPage(2));
        ASSERT_NE(text, nullptr);
        EXPECT_FALSE(next(w)->isEnabled());
        pageControl<QLineEdit>(w, 1006)->setText(QStringLiteral("a\"b \\ c"));
        EXPECT_TRUE(next(w)->isEnabled());
        // Typed text waits for the mouse to move over the page.
        EXPECT_TRUE(text->IsPreviewPending());
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(text, &move);
        EXPECT_FALSE(text->IsPreviewPending());
        const QString preview = previewPage();
        EXPECT_TRUE(preview.contains(QLatin1String("var mouse_message = \"a'b \\\\ c \";"))) << preview.toStdString();
        EXPECT_TRUE(preview.contains(QLatin1String("mouse_follow_complex1.js")));
        EXPECT_FALSE(preview.contains(QLatin1String("mouse_followtext_gen_initParam")));
        // Sizes stay within 1 to 500 however they come.
        ModalResponder::setText(w, 1451, QStringLiteral("24"));
        ModalResponder::leave(w, 1451);
        EXPECT_EQ(text->m_strFontSize, QStringLiteral("24"));
        text->SetFontSize(900);
        EXPECT_EQ(text->m_strFontSize, QStringLiteral("500"));
        text->SetFontSize(0);
        EXPECT_EQ(text->m_nFontSize, 1);

        // The image pointer with the user's picture.
        back(w)->click();
        pageControl<QRadioButton>(w, 14002)->click();
        next(w)->click();
        auto* image = dynamic_cast<VornaDlgScriptImg*>(w.GetPage(2));
        ASSERT_NE(image, nullptr);
        pageControl<QRadioButton>(w, 1323)->click();
        EXPECT_FALSE(next(w)->isEnabled());
        // The picture chosen in the image dialog, opened at the wallpapers.
        ASSERT_TRUE(QDir().mkpath(InstallSubFolder(IDS_IMAGE_WALLPAPER_FOLDER)));
        responder.on(VornaDialogOpenImage::IDD, [&](QDialog& d) {
            auto& chooser = static_cast<VornaDialogOpenImage&>(d);
            EXPECT_TRUE(chooser.m_strCurrentFolder.endsWith(QStringLiteral("/Image/壁紙/")))
                << chooser.m_strCurrentFolder.toStdString();
            chooser.m_strResultPath = picture;
            chooser.done(platform::IDOK);
        });
        pageControl<QPushButton>(w, 1007)->click();
        EXPECT_EQ(pageControl<QLineEdit>(w, 1006)->text(), picture);
        EXPECT_TRUE(next(w)->isEnabled());
        EXPECT_TRUE(pageControl<QCheckBox>(w, 1010)->isEnabled());
        EXPECT_FALSE(pageControl<QCheckBox>(w, 1013)->isEnabled());
        pageControl<QCheckBox>(w, 1010)->click();
        pageControl<QCheckBox>(w, 1013)->click();
        EXPECT_TRUE(previewPage().contains(QLatin1String(",40,30, \""))) << previewPage().toStdString();
        EXPECT_TRUE(previewPage().contains(QLatin1String("cat %231.png")));
        EXPECT_TRUE(previewPage().contains(QLatin1String("mouse_follow_complex.js")));
        // A picture that turned into text is refused at Finish: the wizard stays.
        QFile broken(picture);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("no picture");
        broken.close();
        ModalResponder::press(w, 1);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.GetActiveIndex(), 2);
        QImage(80, 60, QImage::Format_RGB32).save(picture, "PNG");
        ModalResponder::press(w, 1);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(responder.messageTexts().size(), 1);
    const std::vector<std::unique_ptr<VornaScriptPage>> pages = wizard.TakePages();
    ASSERT_EQ(pages.size(), 3u);
    auto* image = dynamic_cast<VornaDlgScriptImg*>(pages[2].get());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_nImageSource, 1);
    EXPECT_TRUE(image->m_bTrailSizeChange);
}

TEST(MousePreview, TheBodyRunsTheChosenScriptsWithTheCombinationRules)
{
    const QString folder = QStringLiteral("/opt/it's #1/Other/script/");
    ScriptMouseModel mouse;
    mouse.m_bCrosshair = mouse.m_bClickEffect = true;
    mouse.m_nClickKind = 1;
    QString html = BuildMousePreviewHtml(mouse, nullptr, nullptr, folder);
    EXPECT_TRUE(html.startsWith(QLatin1String("<BODY oncontextmenu=\"return false\" onselectstart=\"return false\" "
                                              "scroll=no onLoad=\"VornaScriptCall();\">&nbsp;\r<SCRIPT")));
    EXPECT_TRUE(html.contains(QLatin1String("var mouse_Bomb10 = \"/opt/it's %231/Other/script/mouse_H10.gif\";\r")));
    EXPECT_TRUE(html.contains(QLatin1String("{\rmouse_follow_xy_initParam();\rmouse_click_initParam();\r}\r-->\r"
                                            "</SCRIPT>\r &nbsp;\r<SCRIPT language=javascript "
                                            "src=\"/opt/it's %231/Other/script/mouse_follow_xy.js\"></SCRIPT>")));
    EXPECT_TRUE(html.endsWith(QLatin1String("mouse_click.js\"></SCRIPT></BODY>\r")));

    // Crosshair with the standard text: the combined script, no text call.
    mouse.m_bClickEffect = false;
    mouse.m_bPointerEffect = true;
    ScriptTextModel text;
    text.m_strMessage = QStringLiteral("</script>");
    html = BuildMousePreviewHtml(mouse, &text, nullptr, folder);
    EXPECT_TRUE(html.contains(QLatin1String("mouse_follow_complex1.js")));
    EXPECT_FALSE(html.contains(QLatin1String("mouse_follow_xy.js")));
    EXPECT_FALSE(html.contains(QLatin1String("mouse_followtext_gen")));
    EXPECT_TRUE(html.contains(QLatin1String("var mouse_message = \"<\\/script> \";")));
    text.m_nTextKind = 1;
    html = BuildMousePreviewHtml(mouse, &text, nullptr, folder);
    EXPECT_TRUE(html.contains(QLatin1String("mouse_follow_xy.js")));
    EXPECT_TRUE(html.contains(QLatin1String("mouse_followtext_wave.js")));

    // Crosshair with an image pointer (the sun trail until the page exists).
    mouse.m_strPointerType = QStringLiteral("IMG");
    html = BuildMousePreviewHtml(mouse, nullptr, nullptr, folder);
    EXPECT_TRUE(html.contains(QLatin1String("mouse_follow_complex.js")));
    EXPECT_FALSE(html.contains(QLatin1String("mouse_followimage_multicircle.js")));
    EXPECT_TRUE(html.contains(QLatin1String("mouse_follow_xy_initParam();\rmouse_follwimage_init();")));
    EXPECT_TRUE(
        html.contains(QLatin1String("var mouse_Multi6 = \"/opt/it's %231/Other/script/mouse_sun_trail6.gif\"")));
    // A missing picture of the user's leaves the pointer without pictures.
    ScriptImageModel image;
    image.m_nImageSource = 1;
    image.m_strImagePath = QStringLiteral("/nowhere/x.gif");
    html = BuildMousePreviewHtml(mouse, nullptr, &image, folder);
    EXPECT_FALSE(html.contains(QLatin1String("mouse_Multi1")));
}
