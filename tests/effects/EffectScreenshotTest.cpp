// Every effect template running in the browse view from a page wired as the
// effect writers wire it, with no script error for two seconds. One frame of
// each is composed into effects.png for people to look at (it is not
// compared); CTest runs it under Xvfb and writes it to screenshots/ in the
// build folder. PAGINOR_UPDATE_EXPECTED=1 also rewrites the reviewed copy in
// tests/data/expected/ and the wizard's preview pictures. By hand:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_BROWSE_TESTS=1
//   PAGINOR_SCREENSHOT_DIR=/tmp build/test/tests/test_program --gtest_filter=EffectScreenshot.*
#include "EffectFiles.h"

#include "effects/CScriptUtility.h"
#include "images/ImageCodec.h"
#include "util/InstallInfo.h"
#include "util/LivePage.h"

#include "engine/view/BrowseView.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A page of the kind the effects were made for, in Shift_JIS, with an onLoad
// and a script of its own that must keep working beside the effects.
const char* const kHomePage = R"html(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML><HEAD>
<META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<TITLE>さくらの部屋</TITLE>
<SCRIPT language=JavaScript><!--
function init() { document.title = "ready"; }
//--></SCRIPT>
</HEAD>
<BODY bgColor=#fff8e8 text=#333333 onLoad="init();">
<H2 align=center><FONT color=#cc3366>さくらの部屋へようこそ</FONT></H2>
<TABLE align=center border=1 cellPadding=6 cellSpacing=0 bgColor=#ffffff width=360>
<TR><TD bgColor=#ffd8e0>日記</TD><TD>毎日の出来事を書いています。</TD></TR>
<TR><TD bgColor=#d8f0ff>写真</TD><TD>旅行の写真を集めました。</TD></TR>
<TR><TD bgColor=#e0ffd8>リンク</TD><TD>お友達のページです。</TD></TR>
</TABLE>
<P align=center>最終更新日：2002年4月1日</P>
</BODY></HTML>
)html";

// One run: the files copied into the web's "other" folder, the scripts
// included (one for the single-file writers, a list for the mouse writer),
// the call and variable lines, and what shows the effect at work.
struct EffectRun
{
    QString label;
    QString preview; // the wizard's preview picture taken from this run
    QStringList copied;
    QStringList included;
    QStringList calls;
    QStringList variables;
    QString evidence; // a script expression true while the effect acts
    bool mouse = false;
};

QString zIndexed(const char* zIndex)
{
    return QStringLiteral("Array.from(document.querySelectorAll('div')).some(function (d) { return "
                          "d.style.zIndex === '%1'; })")
        .arg(QLatin1String(zIndex));
}

QList<EffectRun> effectRuns()
{
    QList<EffectRun> runs;
    const QString strip = QStringLiteral("!!document.getElementById('statusbar_strip')");
    const auto status = [&](const char* name, const QString& call) {
        const QString file = QString::fromLatin1(name) + QStringLiteral(".js");
        runs.append({file, QString::fromLatin1(name) + QStringLiteral(".gif"), {file}, {file}, {call}, {}, strip});
    };
    status(
        "statusbar_outin_multiinput",
        QStringLiteral("statusbar_outin_multiinput_initParam('ようこそ、','さくらの部屋へ。','ゆっくりしていってね')"));
    status("statusbar_typingtext_multiinput",
           QStringLiteral("statusbar_typingtext_multiinput_initParam('日記を更新しました','写真を追加しました','')"));
    status("statusbar_outin", QStringLiteral("statusbar_outin_initParam('新着情報があります')"));
    status("statusbar_multiscroll", QStringLiteral("statusbar_multiscroll_initParam('さくらの部屋へようこそ')"));
    status("statusbar_flytext", QStringLiteral("statusbar_flytext_initParam('\"Welcome\" to my page')"));

    // The browser effects, in each combination the wizard previews.
    const QString browser = QStringLiteral("browser.js");
    const QString moving = QStringLiteral("(browser_readyAt > Date.now() || document.body.getAnimations().length > 0)");
    const QString blinds = QStringLiteral("document.documentElement.lastElementChild !== document.body");
    const auto combination = [&](const char* preview, bool blind, bool shake, bool move, const QString& evidence) {
        QStringList calls;
        if (move)
            calls.append(QStringLiteral("browser_move(3)"));
        if (blind)
            calls += {QStringLiteral("browser_blind(this.document)"), QStringLiteral("browser_timeout()")};
        if (shake)
            calls.append(QStringLiteral("browser_wow()"));
        QStringList parts;
        for (const QString& call : calls)
            parts.append(call.section(u'(', 0, 0).mid(8));
        runs.append({browser + QStringLiteral(": ") + (calls.isEmpty() ? QStringLiteral("-") : parts.join(u' ')),
                     QStringLiteral("browser_%1.gif").arg(QLatin1String(preview)),
                     calls.isEmpty() ? QStringList() : QStringList{browser},
                     calls.isEmpty() ? QStringList() : QStringList{browser},
                     calls,
                     {},
                     evidence});
    };
    combination("move", false, false, true, moving);
    combination("blind", true, false, false, blinds);
    combination("wow", false, true, false, moving);
    combination("blindshake", true, true, false, blinds);
    combination("blindmove", true, false, true, moving + QStringLiteral(" && ") + blinds);
    combination("shakemove", false, true, true, moving);
    combination("all", true, true, true, moving + QStringLiteral(" && ") + blinds);
    combination("none", false, false, false, QStringLiteral("true"));

    // The screen effects at the usual speed, with the page covered in grey.
    const auto clipping = [&](const char* name) {
        const QString file = QString::fromLatin1(name) + QStringLiteral(".js");
        runs.append({file,
                     QString::fromLatin1(name) + QStringLiteral(".gif"),
                     {file},
                     {file},
                     {QStringLiteral("%1_initParam(20,'#808080')").arg(QLatin1String(name))},
                     {QStringLiteral("var screen_speed = 20"), QStringLiteral("var screen_disColor = '#808080'")},
                     zIndexed("2147482000")});
    };
    for (const char* name : {"screen_clippingcrossH", "screen_clippingcrossV", "screen_clippingcurtainH",
                             "screen_clippingcurtainV", "screen_clippingleave", "screen_clippingrect"})
        clipping(name);
    runs.append({QStringLiteral("screen_fadeinout.js"),
                 QStringLiteral("screen_fadeinout.gif"),
                 {QStringLiteral("screen_fadeinout.js")},
                 {QStringLiteral("screen_fadeinout.js")},
                 {QStringLiteral("screen_fadeinout_initParam(60, '#808080', '#ffffff')")},
                 {},
                 zIndexed("2147482000")});
    const auto falling = [&](const char* name, const QStringList& pictures) {
        const QString file = QString::fromLatin1(name) + QStringLiteral(".js");
        QStringList arguments, variables;
        for (int i = 0; i < pictures.size(); ++i) {
            arguments.append(QStringLiteral("'other/%1'").arg(pictures[i]));
            variables.append(QStringLiteral("var screen_ImgName%1 = 'other/%2'").arg(i + 1).arg(pictures[i]));
        }
        QStringList copied = pictures;
        copied.removeDuplicates();
        runs.append({file,
                     QString::fromLatin1(name) + QStringLiteral(".gif"),
                     copied << file,
                     {file},
                     {QStringLiteral("%1_initParam(%2)").arg(QLatin1String(name), arguments.join(u','))},
                     variables,
                     QStringLiteral("document.getElementById('%1_layer').getElementsByTagName('img').length > 0")
                         .arg(QLatin1String(name))});
    };
    falling("screen_dropzigzag", {QStringLiteral("fallen1.gif"), QStringLiteral("fallen2.gif"),
                                  QStringLiteral("fallen3.gif"), QStringLiteral("fallen4.gif")});
    falling("screen_dropdiagonal", {QStringLiteral("rain.gif"), QStringLiteral("rain.gif")});
    falling("screen_upzigzag",
            {QStringLiteral("balloon1.gif"), QStringLiteral("balloon2.gif"), QStringLiteral("balloon3.gif")});

    // The mouse effects, with the variable lines the mouse writer makes.
    const QStringList crosshair{QStringLiteral("var mouse_VornaLinecolor = \"255, 0, 0\""),
                                QStringLiteral("var mouse_TransparentImageSrc = \"other/transparent.gif\"")};
    const QStringList text{
        QStringLiteral("var mouse_message = \"いらっしゃいませ \""), QStringLiteral("var mouse_fontSize = \"15\""),
        QStringLiteral("var mouse_fontFace = \"(デフォルト)\""), QStringLiteral("var mouse_fontColor = \"#cc3366\"")};
    QStringList bombs, bombFiles, trail, trailFiles;
    for (int i = 1; i <= 10; ++i) {
        bombFiles.append(QStringLiteral("mouse_star%1.gif").arg(i));
        bombs.append(QStringLiteral("var mouse_Bomb%1 = \"other/mouse_star%1.gif\"").arg(i));
    }
    QStringList trailEntries;
    const int sizes[6][2] = {{38, 35}, {30, 31}, {28, 26}, {22, 21}, {16, 16}, {10, 10}};
    for (int i = 1; i <= 6; ++i) {
        trailFiles.append(QStringLiteral("mouse_sun_trail%1.gif").arg(i));
        trail.append(QStringLiteral("var mouse_Multi%1 = \"other/mouse_sun_trail%1.gif\"").arg(i));
        trailEntries.append(
            QStringLiteral("\"other/mouse_sun_trail%1.gif\",%2,%3").arg(i).arg(sizes[i - 1][0]).arg(sizes[i - 1][1]));
    }
    trail.append(QStringLiteral("var mouse_T1=new Array(%1)").arg(trailEntries.join(u',')));
    const QString lines = QStringLiteral("Array.from(document.querySelectorAll('div')).some(function (d) { "
                                         "return d.style.visibility === 'visible' && d.style.height === '1px'; })");
    const QString following = QStringLiteral("Array.from(document.querySelectorAll('div,span,img')).some(function "
                                             "(e) { return e.style.zIndex === '2147483100' && "
                                             "e.style.visibility === 'visible' && e.style.height !== '1px' && "
                                             "e.style.width !== '1px'; })");
    const auto mouse = [&](const char* file, const QStringList& copied, const QStringList& calls,
                           const QStringList& variables, const QString& evidence, const QString& preview = {}) {
        const QString name = QString::fromLatin1(file);
        runs.append({name, preview, QStringList(copied) << name, {name}, calls, variables, evidence, true});
    };
    mouse("mouse_follow_xy.js", {QStringLiteral("transparent.gif")}, {QStringLiteral("mouse_follow_xy_initParam()")},
          crosshair, lines);
    mouse("mouse_click.js", bombFiles, {QStringLiteral("mouse_click_initParam()")}, bombs,
          zIndexed("2147483200").replace(QLatin1String("'div'"), QLatin1String("'img'")));
    mouse("mouse_followtext_gen.js", {}, {QStringLiteral("mouse_followtext_gen_initParam()")}, text, following);
    mouse("mouse_followtext_wave.js", {}, {QStringLiteral("mouse_followtext_wave_initParam()")}, text, following);
    mouse("mouse_followimage_multicircle.js", trailFiles, {QStringLiteral("mouse_follwimage_init()")}, trail,
          following);
    mouse("mouse_follow_complex1.js", {QStringLiteral("transparent.gif")},
          {QStringLiteral("mouse_follow_xy_initParam()")}, crosshair + text, lines + QStringLiteral(" && ") + following,
          QStringLiteral("mouse_default.gif"));
    mouse("mouse_follow_complex.js", QStringList{QStringLiteral("transparent.gif")} + trailFiles,
          {QStringLiteral("mouse_follow_xy_initParam()"), QStringLiteral("mouse_follwimage_init()")}, crosshair + trail,
          lines + QStringLiteral(" && ") + following);
    return runs;
}

// Runs the event loop until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, int milliseconds = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

void waitFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The result of a script in the page, as text ("<none>" when it gave none).
QString evaluate(QWebEngineView* web, const QString& script)
{
    QString result = QStringLiteral("<none>");
    bool answered = false;
    web->page()->runJavaScript(QStringLiteral("(function () { try { return String(%1); } catch (e) { return 'threw: ' "
                                              "+ e; } })()")
                                   .arg(script),
                               [&](const QVariant& value) {
                                   result = value.toString();
                                   answered = true;
                               });
    waitUntil([&] { return answered; });
    return result;
}

QImage composed(const QList<QImage>& frames, const QStringList& labels)
{
    const int columns = 5, cellWidth = 320, cellHeight = 240, labelHeight = 22;
    const int rows = (frames.size() + columns - 1) / columns;
    QImage sheet(columns * cellWidth, rows * (cellHeight + labelHeight), QImage::Format_RGB32);
    sheet.fill(QColor(0x40, 0x40, 0x40));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform); // one-pixel lines stay in the picture
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    for (int i = 0; i < frames.size(); ++i) {
        const QPoint at((i % columns) * cellWidth, (i / columns) * (cellHeight + labelHeight));
        painter.drawImage(QRect(at, QSize(cellWidth - 2, cellHeight)), frames[i]);
        painter.setPen(Qt::white);
        painter.drawText(QRect(at + QPoint(4, cellHeight), QSize(cellWidth - 8, labelHeight)),
                         Qt::AlignLeft | Qt::AlignVCenter, labels[i]);
    }
    return sheet;
}

TEST(EffectScreenshot, EveryTemplateRunsWithoutScriptErrors)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || qEnvironmentVariableIsEmpty("PAGINOR_BROWSE_TESTS"))
        GTEST_SKIP() << "needs an X server (Xvfb) and PAGINOR_BROWSE_TESTS=1";
    engine::BrowseView::prepareEnvironment(true);
    InitInstallFolder();
    QTemporaryDir web;
    ASSERT_TRUE(web.isValid());
    const QString other = web.filePath(QStringLiteral("other/"));

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

    QList<QImage> frames;
    QStringList labels;
    QStringList scriptsRun;
    const QList<EffectRun> runs = effectRuns();
    for (int index = 0; index < runs.size(); ++index) {
        const EffectRun& run = runs[index];
        SCOPED_TRACE(run.label.toStdString());
        // The page wired as the writers wire it: files copied, includes,
        // onload and the script-call block, as one step.
        LivePage page(kHomePage);
        QStringList includes;
        for (const QString& file : run.copied) {
            const QString copied = CScriptUtility::CopyScriptFile(other, file);
            ASSERT_FALSE(copied.isEmpty()) << file.toStdString();
            if (run.included.contains(file))
                includes.append(copied);
        }
        if (!run.calls.isEmpty()) {
            engine::UndoUnit unit(page.doc.get());
            if (run.mouse)
                CScriptUtility::IncludeScriptFiles(page.doc.get(), page.doc->body(), QStringLiteral("mouse_"), true,
                                                   &includes);
            else
                CScriptUtility::IncludeScriptFiles(page.doc.get(), page.doc->body(), includes.first(), true);
            CScriptUtility::AddBodyOnLoadCall(page.doc->body());
            CScriptUtility::AddScriptCallLines(page.doc.get(), run.calls, run.variables);
        }
        const QString file = web.filePath(QStringLiteral("page%1.html").arg(index));
        ASSERT_TRUE(page.doc->save(file));
        scriptsRun += run.included;

        errors.clear();
        const int before = loaded;
        view.navigate(file);
        ASSERT_TRUE(waitUntil([&] { return loaded > before; }));
        QElapsedTimer clock;
        clock.start();
        // Effects that end by themselves are looked at as soon as the page
        // is there; the mouse effects once the pointer has moved.
        QString acting;
        if (!run.mouse)
            acting = evaluate(browser, run.evidence);
        if (run.mouse) {
            // The pointer crosses the page, stops and clicks.
            QWidget* target = browser->focusProxy();
            ASSERT_NE(target, nullptr);
            for (int step = 0; step <= 12; ++step) {
                QTest::mouseMove(target, QPoint(60 + step * 25, 80 + step * 12));
                waitFor(30);
            }
            waitFor(200);
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(360, 224));
            waitFor(80);
            acting = evaluate(browser, run.evidence);
        } else {
            waitFor(std::max<int>(0, 600 - clock.elapsed()));
        }
        frames.append(browser->grab().toImage());
        labels.append(run.label);
        EXPECT_EQ(acting, QStringLiteral("true")) << "the effect shows nothing";
        waitFor(std::max<int>(0, 2000 - clock.elapsed()));
        // The page's own onload ran beside the effect's.
        EXPECT_EQ(evaluate(browser, QStringLiteral("document.title")), QStringLiteral("ready"));
        EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
        if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED") && !run.preview.isEmpty()) {
            EXPECT_TRUE(WriteGifFile(frames.last().scaled(204, 153, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                     committedEffectFolder() + QStringLiteral("scriptpreview/") + run.preview));
        }
    }
    // Every template ran.
    scriptsRun.removeDuplicates();
    EXPECT_EQ(scriptsRun.size(), 23);

    const QImage sheet = composed(frames, labels);
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(sheet.save(folder + QStringLiteral("/effects.png")));
    }
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        EXPECT_TRUE(sheet.save(qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/effects.png"));
    }
}

} // namespace
