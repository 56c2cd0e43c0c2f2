// A roll-over image made through the Insert menu, at work in the page's browser preview: a mouse-over event swaps
// its picture and a mouse-out brings the first one back. The preview before and under the mouse is saved for people
// to look at (roll-over-preview.png). Runs under Xvfb with the live browser:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_BROWSE_TESTS=1
//   PAGINOR_SCREENSHOT_DIR=/tmp build/test/tests/test_program --gtest_filter=RollOverScreenshot.*

#include "FormatPage.h"

#include "app/Vorna_Preview.h"
#include "dialogs/VornaDlgRollOver.h"

#include "engine/view/BrowseView.h"

#include "platform/ModalResponder.h"

#include "support/ReviewPicture.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

constexpr int kDeadlineMs = 30000;

class RollOverScreenshot : public FormatPage
{
protected:
    // The script's value, once the page has answered.
    QVariant evaluate(QWebEngineView* browser, const QString& script)
    {
        QVariant result;
        bool done = false;
        browser->page()->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < kDeadlineMs)
            QTest::qWait(20);
        return result;
    }
    // Waits until the script is true in the page.
    bool waitFor(QWebEngineView* browser, const QString& script)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kDeadlineMs) {
            if (evaluate(browser, script).toBool())
                return true;
            QTest::qWait(50);
        }
        return false;
    }
    QString picture(const char* name, Qt::GlobalColor colour)
    {
        QImage image(120, 90, QImage::Format_RGB32);
        image.fill(colour);
        QPainter p(&image);
        p.fillRect(40, 25, 40, 40, Qt::white);
        p.end();
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(RollOverScreenshot, TheMouseSwapsThePictureInThePreview)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    if (qEnvironmentVariableIsEmpty("PAGINOR_BROWSE_TESTS"))
        GTEST_SKIP() << "the preview needs PAGINOR_BROWSE_TESTS=1";
    engine::BrowseView::prepareEnvironment(true);
    CMainFrame* frame = app->mainFrame();
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame, 60000));
    ASSERT_NE(open(QStringLiteral("bgcolor=#ffffff>\n<P id=text>マウスを画像に乗せてください</P>\n")), nullptr);
    const QString normal = picture("sea blue.png", Qt::darkBlue);
    const QString over = picture("it's red.png", Qt::darkRed);

    // Insert > Roll-over image with the two pictures, placed by a click.
    caretIn("text");
    platform::ModalResponder responder;
    responder.on(VornaDlgRollOver::IDD, [&](QDialog& d) {
        platform::ModalResponder::setText(d, 1003, normal);
        platform::ModalResponder::setText(d, 1005, over);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    run(33302);
    QPoint point(60, 60);
    ASSERT_GE(sink()->InsertPositionedObject(point), 0);
    settle();

    // The preview, as View > Preview shows it.
    run(32869);
    CChildFrame* child = frame->GetActiveChild();
    ASSERT_TRUE(child->m_bPreviewShown);
    auto* browser = child->GetPreviewView()->findChild<QWebEngineView*>();
    ASSERT_NE(browser, nullptr);
    const QString image = QStringLiteral("document.images['VornaRollImage1']");
    ASSERT_TRUE(waitFor(browser, image + QStringLiteral(" && ") + image + QStringLiteral(".complete")));
    const QString src = image + QStringLiteral(".src");
    EXPECT_TRUE(evaluate(browser, QStringLiteral("decodeURIComponent(%1)").arg(src)).toString().endsWith(normal));
    const QImage before = browser->grab().toImage();

    const auto dispatch = [&](const char* event) {
        evaluate(
            browser,
            QStringLiteral("%1.dispatchEvent(new MouseEvent('%2', {bubbles: true}))").arg(image, QLatin1String(event)));
    };
    dispatch("mouseover");
    EXPECT_TRUE(waitFor(
        browser, QStringLiteral("decodeURIComponent(%1).endsWith(\"it's red.png\") && %2.complete").arg(src, image)));
    QTest::qWait(300);
    const QImage under = browser->grab().toImage();
    dispatch("mouseout");
    EXPECT_TRUE(waitFor(browser, QStringLiteral("decodeURIComponent(%1).endsWith('sea blue.png')").arg(src)));

    // The two states side by side.
    const QRect area(0, 0, qMin(before.width(), 320), qMin(before.height(), 220));
    QImage shot(area.width() * 2 + 10, area.height(), QImage::Format_RGB32);
    shot.fill(Qt::gray);
    QPainter p(&shot);
    p.drawImage(0, 0, before.copy(area));
    p.drawImage(area.width() + 10, 0, under.copy(area));
    p.end();
    SaveReviewPicture(shot, QStringLiteral("roll-over-preview.png"));
    run(32870);
}

} // namespace
