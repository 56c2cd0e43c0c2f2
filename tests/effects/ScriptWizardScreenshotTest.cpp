// The script wizard under Xvfb with the real browse view: every choice of
// the wizard, written into a page by the effect writers, runs without a
// script error, and so does the mouse page's live preview; the seven kinds
// of page are composed into script-wizard.png for people to look at (it is
// not compared). CTest runs it under Xvfb. By hand:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_BROWSE_TESTS=1
//   PAGINOR_SCREENSHOT_DIR=/tmp build/test/tests/test_program --gtest_filter=ScriptWizardScreenshot.*
#include "effects/ScriptBrowserModel.h"
#include "effects/ScriptEffectWriters.h"
#include "effects/ScriptImageModel.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptScreenModel.h"
#include "effects/ScriptStatusModel.h"
#include "effects/ScriptTextModel.h"
#include "effects/VornaDlgScript.h"
#include "effects/VornaScriptPage.h"
#include "util/InstallInfo.h"
#include "util/LivePage.h"

#include "engine/view/BrowseView.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const kPage = R"html(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML><HEAD><META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<TITLE>さくらの部屋</TITLE></HEAD>
<BODY bgColor=#fff8e8><H2 align=center>さくらの部屋へようこそ</H2><P align=center>最終更新日：2002年4月1日</P>
</BODY></HTML>
)html";

void waitFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()>& done, int milliseconds = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        waitFor(10);
    return done();
}

// A choice of the wizard: its label, whether the page is a page of the web,
// and the writer's run.
struct Choice
{
    QString label;
    bool inWeb;
    std::function<void()> write;
};

QList<Choice> choices(const QString& picture)
{
    QList<Choice> list;
    for (int effect = 0; effect < ScriptStatusModel::EffectCount; ++effect) {
        list.append({QStringLiteral("status %1").arg(effect), true, [effect] {
                         ScriptStatusModel page;
                         page.m_nEffect = effect;
                         page.m_strText1 = QStringLiteral("it's \"new\" \\ </script>");
                         page.m_strText2 = QStringLiteral("line\nbreak");
                         page.m_strText3 = QStringLiteral("さくら");
                         WriteStatusBarEffect(page);
                     }});
    }
    for (int options = 1; options <= 7; ++options) {
        list.append({QStringLiteral("browser %1").arg(options), true, [options] {
                         ScriptBrowserModel page;
                         page.m_bBlind = options & 1;
                         page.m_bShake = options & 2;
                         page.m_bMove = options & 4;
                         page.m_nStartPosition = 4;
                         WriteBrowserEffect(page);
                     }});
    }
    for (int effect = 0; effect < ScriptScreenModel::EffectCount; ++effect) {
        list.append({QStringLiteral("screen %1").arg(effect), effect % 2 == 0, [effect] {
                         ScriptScreenModel page;
                         page.m_nEffect = effect;
                         WriteScreenEffect(page);
                     }});
    }
    for (int kind = 0; kind < ScriptMouseModel::ClickKindCount; ++kind) {
        list.append({QStringLiteral("click %1").arg(kind), kind % 2 == 0, [kind] {
                         ScriptMouseModel mouse;
                         mouse.m_bClickEffect = true;
                         mouse.m_nClickKind = kind;
                         WriteMouseEffect(mouse, nullptr, nullptr);
                     }});
    }
    for (int textKind : {0, 1}) {
        list.append({QStringLiteral("crosshair + text %1").arg(textKind), true, [textKind] {
                         ScriptMouseModel mouse;
                         mouse.m_bCrosshair = mouse.m_bPointerEffect = true;
                         mouse.m_strLineColor = QStringLiteral("255, 0, 0");
                         ScriptTextModel text;
                         text.m_strMessage = QStringLiteral("ようこそ \"さくら\" \\ </script>");
                         text.m_nTextKind = textKind;
                         text.m_strFontFace = QStringLiteral("(デフォルト)");
                         WriteMouseEffect(mouse, &text, nullptr);
                     }});
    }
    for (int builtIn : {0, 1}) {
        list.append({QStringLiteral("crosshair + trail %1").arg(builtIn), builtIn == 0, [builtIn] {
                         ScriptMouseModel mouse;
                         mouse.m_bCrosshair = mouse.m_bPointerEffect = mouse.m_bClickEffect = true;
                         mouse.m_nPointerKind = 1;
                         ScriptImageModel image;
                         image.m_nBuiltInKind = builtIn;
                         WriteMouseEffect(mouse, nullptr, &image);
                     }});
    }
    list.append({QStringLiteral("user picture"), false, [picture] {
                     ScriptMouseModel mouse;
                     mouse.m_bPointerEffect = true;
                     mouse.m_nPointerKind = 1;
                     ScriptImageModel image;
                     image.m_nImageSource = 1;
                     image.m_strImagePath = picture;
                     image.m_bTrail = image.m_bTrailSizeChange = true;
                     WriteMouseEffect(mouse, nullptr, &image);
                 }});
    return list;
}

bool browseTests()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !qEnvironmentVariableIsEmpty("PAGINOR_BROWSE_TESTS");
}

} // namespace

TEST(ScriptWizardScreenshot, EveryWizardChoiceRunsInTheBrowseViewWithoutScriptErrors)
{
    if (!browseTests())
        GTEST_SKIP() << "needs an X server (Xvfb) and PAGINOR_BROWSE_TESTS=1";
    engine::BrowseView::prepareEnvironment(true);
    InitInstallFolder();
    QTemporaryDir web;
    QTemporaryDir pictures(QDir::tempPath() + QStringLiteral("/it's #1 100%-XXXXXX"));
    const QString picture = pictures.filePath(QStringLiteral("ねこ #2.png"));
    QImage cat(80, 60, QImage::Format_RGB32);
    cat.fill(Qt::magenta);
    ASSERT_TRUE(cat.save(picture));

    engine::BrowseView view;
    view.resize(480, 360);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* browser = view.findChild<QWebEngineView*>();
    ASSERT_NE(browser, nullptr);
    QStringList errors;
    QObject::connect(&view, &engine::BrowseView::scriptError,
                     [&](const QString& message, int line, const QString& source) {
                         errors.append(QStringLiteral("%1 (%2:%3)").arg(message, source).arg(line));
                     });
    int loaded = 0;
    QObject::connect(&view, &engine::BrowseView::loadFinished, [&](bool ok) { loaded += ok ? 1 : 0; });

    const QList<Choice> list = choices(picture);
    for (int index = 0; index < list.size(); ++index) {
        const Choice& choice = list[index];
        SCOPED_TRACE(choice.label.toStdString());
        LivePage page(kPage);
        page.app.web = web.path();
        page.app.inWeb = choice.inWeb;
        const int steps = page.undoSteps();
        choice.write();
        ASSERT_EQ(page.undoSteps(), steps + 1) << "nothing written";
        const QString file = web.filePath(QStringLiteral("page%1.html").arg(index));
        ASSERT_TRUE(page.doc->save(file));

        errors.clear();
        const int before = loaded;
        view.navigate(file);
        ASSERT_TRUE(waitUntil([&] { return loaded > before; }));
        QWidget* target = browser->focusProxy();
        ASSERT_NE(target, nullptr);
        for (int step = 0; step <= 8; ++step) {
            QTest::mouseMove(target, QPoint(60 + step * 30, 80 + step * 15));
            waitFor(30);
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(300, 200));
        waitFor(700);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    }
}

TEST(ScriptWizardScreenshot, TheSevenKindsOfPageAndTheLivePreview)
{
    if (!browseTests())
        GTEST_SKIP() << "needs an X server (Xvfb) and PAGINOR_BROWSE_TESTS=1";
    engine::BrowseView::prepareEnvironment(true);
    LivePage page(kPage);
    InitInstallFolder();

    VornaDlgScript wizard;
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    QStringList errors;
    int loaded = 0;
    QSet<engine::BrowseView*> watched;
    const auto watchViews = [&] {
        for (engine::BrowseView* view : wizard.findChildren<engine::BrowseView*>()) {
            if (watched.contains(view))
                continue;
            watched.insert(view);
            QObject::connect(view, &engine::BrowseView::scriptError,
                             [&](const QString& message, int line, const QString& source) {
                                 errors.append(QStringLiteral("%1 (%2:%3)").arg(message, source).arg(line));
                             });
            QObject::connect(view, &engine::BrowseView::loadFinished, [&](bool) { ++loaded; });
        }
    };
    const auto shown = [&]() -> VornaScriptPage& { return *wizard.GetPage(wizard.GetActiveIndex()); };
    const auto list = [&]() { return shown().findChild<QListWidget*>(QStringLiteral("id_14000")); };
    const auto click = [&](int id) {
        auto* button = shown().findChild<QAbstractButton*>(QStringLiteral("id_%1").arg(id));
        ASSERT_NE(button, nullptr) << id;
        button->click();
    };
    QList<QImage> frames;
    const auto settle = [&] {
        watchViews();
        const int before = loaded;
        waitUntil([&] { return loaded > before; }, 3000);
        waitFor(400);
    };
    const auto grab = [&] { frames.append(wizard.grab().toImage()); };
    // The pointer crosses the shown page's preview and clicks in it.
    const auto pointAndClick = [&] {
        QWidget* preview = shown().findChild<QWidget*>(QStringLiteral("id_1365"));
        ASSERT_NE(preview, nullptr);
        auto* web = preview->findChild<QWebEngineView*>();
        ASSERT_NE(web, nullptr);
        QWidget* target = web->focusProxy() ? web->focusProxy() : web;
        for (int step = 0; step <= 8; ++step) {
            QTest::mouseMove(target, QPoint(40 + step * 10, 40 + step * 8));
            waitFor(40);
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(120, 100));
        waitFor(300);
    };
    const auto kindPage = [&](int kind) {
        while (wizard.GetActiveIndex() > 0)
            wizard.OnBack();
        list()->setCurrentRow(kind);
        wizard.PressNext();
        watchViews();
    };

    list()->setCurrentRow(0);
    settle();
    grab();
    kindPage(0);
    list()->setCurrentRow(1);
    shown().findChild<QLineEdit*>(QStringLiteral("id_1340"))->setText(QStringLiteral("ようこそ"));
    settle();
    grab();
    kindPage(1);
    click(1014);
    click(1013);
    settle();
    grab();
    kindPage(2);
    list()->setCurrentRow(6);
    settle();
    grab();

    // The mouse page previews live: crosshair, clicks and the spread text.
    kindPage(3);
    errors.clear();
    click(1013);
    click(1012);
    click(1007);
    settle();
    pointAndClick();
    waitFor(300);
    grab();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();

    // The text page, then the picture page.
    wizard.PressNext();
    watchViews();
    shown().findChild<QLineEdit*>(QStringLiteral("id_1006"))->setText(QStringLiteral("いらっしゃいませ"));
    click(14002);
    settle();
    pointAndClick();
    grab();
    wizard.OnBack();
    click(14002);
    wizard.PressNext();
    settle();
    pointAndClick();
    grab();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    ASSERT_EQ(frames.size(), 7);

    // Four a row.
    const QSize cell = frames.first().size();
    QImage sheet(cell.width() * 4, cell.height() * 2, QImage::Format_RGB32);
    sheet.fill(QColor(0x40, 0x40, 0x40));
    QPainter painter(&sheet);
    for (int i = 0; i < frames.size(); ++i)
        painter.drawImage(QPoint((i % 4) * cell.width(), (i / 4) * cell.height()), frames[i]);
    painter.end();
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(sheet.save(folder + QStringLiteral("/script-wizard.png")));
    }
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        EXPECT_TRUE(sheet.save(qEnvironmentVariable("PAGINOR_SOURCE_DIR") +
                               QStringLiteral("/tests/data/expected/script-wizard.png")));
    }
    wizard.OnCancel();
}
