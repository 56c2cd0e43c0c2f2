// The script wizard's effect writers on a live page: the files they copy,
// the includes, call and variable lines they write, in a web and outside it,
// and the texts and paths that must not break the page's script.
#include "EffectFiles.h"

#include "effects/CScriptUtility.h"
#include "effects/ScriptBrowserModel.h"
#include "effects/ScriptEffectWriters.h"
#include "effects/ScriptImageModel.h"
#include "effects/ScriptLiteral.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptScreenModel.h"
#include "effects/ScriptStatusModel.h"
#include "effects/ScriptTextModel.h"
#include "util/InstallInfo.h"
#include "util/LivePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using engine::Element;
using engine::Ref;

namespace {

const char* const kPlain = "<HTML><HEAD><TITLE>x</TITLE></HEAD><BODY><P id=text>本文</P></BODY></HTML>";

QStringList includes(engine::Document* doc)
{
    QStringList list;
    for (const Ref<Element>& script : doc->getElementsByTagName(QStringLiteral("SCRIPT")).toVector()) {
        if (script->hasAttribute(QStringLiteral("src")))
            list.append(script->getAttributeText(QStringLiteral("src")));
    }
    return list;
}

QString callBlock(engine::Document* doc)
{
    for (const Ref<Element>& script : doc->getElementsByTagName(QStringLiteral("SCRIPT")).toVector()) {
        if (script->innerHTML().contains(QLatin1String("function VornaScriptCall()")))
            return script->innerHTML();
    }
    return {};
}

QString variable(const QString& name, engine::Document* doc)
{
    return CScriptUtility::GetScriptVariable(name, callBlock(doc));
}

// A page of the open web, with the templates in the install folder.
struct WebPage : LivePage
{
    QTemporaryDir web;
    explicit WebPage(const char* html = kPlain) : LivePage(html)
    {
        InitInstallFolder();
        app.web = web.path();
        app.inWeb = true;
    }
    QString other(const QString& name) const { return web.filePath(QStringLiteral("other/") + name); }
};

// A page outside any web, with an install folder whose path holds every
// character that a URL or a script string treats apart.
struct OddInstallPage : LivePage
{
    QTemporaryDir root;
    QString install;
    explicit OddInstallPage(const char* html = kPlain) : LivePage(html)
    {
        install = root.filePath(QStringLiteral("it's \"my\" #1 100% ok? 作業"));
        QDir().mkpath(install + QStringLiteral("/Other/script"));
        for (const QString& name : QDir(committedEffectFolder()).entryList(QDir::Files))
            QFile::copy(committedEffectFolder() + name, install + QStringLiteral("/Other/script/") + name);
        app.installFolderPath = install;
    }
    QString work(const QString& name) const { return install + QStringLiteral("/Work/") + name; }
};

QString picture(const QDir& dir, const QString& name, QSize size, Qt::GlobalColor colour = Qt::red)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

} // namespace

TEST(ScriptLiteral, TextsStayInsideTheirStringAndReadBackWhole)
{
    const QString nasty = QStringLiteral("a\\b 'c' \"d\"\r\n</script><!--x\u2028");
    const QString single = ScriptStringText(nasty, u'\'');
    EXPECT_EQ(single, QStringLiteral("a\\\\b \\'c\\' \"d\"\\r\\n<\\/script><\\!--x\\u2028"));
    EXPECT_EQ(ScriptStringText(nasty, u'"'), QStringLiteral("a\\\\b 'c' \\\"d\\\"\\r\\n<\\/script><\\!--x\\u2028"));
    EXPECT_EQ(UnescapeScriptString(single), nasty);
    EXPECT_EQ(SrcAsLocalPath(LocalPathAsSrc(QStringLiteral("/a/100%25 #1?.gif"))), QStringLiteral("/a/100%25 #1?.gif"));
    // The reader takes escaped quotes as part of the value.
    const QString script = QStringLiteral("var mouse_Multi1 = \"/w/it\\\"s \\\\ 100%25.gif\";\n"
                                          "var screen_ImgName1 = 'it\\'s.gif';\n");
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("mouse_Multi1"), script),
              QStringLiteral("/w/it\"s \\ 100%25.gif"));
    EXPECT_EQ(CScriptUtility::GetScriptVariable(QStringLiteral("screen_ImgName1"), script), QStringLiteral("it's.gif"));
    QStringList files;
    CScriptUtility::GetScriptImageFiles(files, script, true);
    EXPECT_EQ(files, (QStringList{QStringLiteral("it's.gif"), QStringLiteral("/w/it\"s / 100%.gif")}));
}

TEST(ScriptWriter, StatusBarTextsKeepTheirQuoteSwapAndCannotBreakThePage)
{
    WebPage page;
    const QString before = page.body();
    const int steps = page.undoSteps();
    ScriptStatusModel status;
    status.m_nEffect = 0;
    status.m_strText1 = QStringLiteral("it's \"ok\"");
    status.m_strText2 = QStringLiteral("C:\\temp");
    status.m_strText3 = QStringLiteral("two\nlines</script><B id=injected>x</B>") + QString(10000, u'x');
    WriteStatusBarEffect(status);

    EXPECT_EQ(status.m_strText1, QStringLiteral("it\"s \"ok\""));
    EXPECT_TRUE(QFileInfo::exists(page.other(QStringLiteral("statusbar_outin_multiinput.js"))));
    EXPECT_EQ(includes(page.doc.get()), QStringList{QStringLiteral("other/statusbar_outin_multiinput.js")});
    EXPECT_TRUE(callBlock(page.doc.get())
                    .contains(QStringLiteral("statusbar_outin_multiinput_initParam('it\"s \"ok\"','C:\\\\temp',"
                                             "'two\\nlines<\\/script><B id=injected>x<\\/B>xxx")));
    EXPECT_EQ(page.byId("injected"), nullptr);
    EXPECT_EQ(page.doc->body()->getAttributeText(QStringLiteral("onload")), QStringLiteral("VornaScriptCall();"));
    // One undo step takes it all back.
    EXPECT_EQ(page.undoSteps(), steps + 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);

    // A one-text effect changes only the text it uses; an effect outside the
    // table does nothing at all.
    ScriptStatusModel one;
    one.m_nEffect = 3;
    one.m_strText1 = QStringLiteral("a'b");
    one.m_strText2 = QStringLiteral("c'd");
    EXPECT_EQ(StatusBarCallLine(one), QStringLiteral("statusbar_multiscroll_initParam('a\\'b')"));
    WriteStatusBarEffect(one);
    EXPECT_EQ(one.m_strText2, QStringLiteral("c'd"));
    EXPECT_TRUE(callBlock(page.doc.get()).contains(QStringLiteral("statusbar_multiscroll_initParam('a\"b');")));
    ScriptStatusModel none;
    none.m_nEffect = 5;
    none.m_strText1 = QStringLiteral("x'");
    const QString withOne = page.body();
    WriteStatusBarEffect(none);
    EXPECT_EQ(none.m_strText1, QStringLiteral("x'"));
    EXPECT_EQ(page.body(), withOne);
}

TEST(ScriptWriter, BrowserCallsFollowTheChosenOptionsInTheirOrder)
{
    ScriptBrowserModel browser;
    browser.m_bMove = true;
    EXPECT_EQ(BrowserCallLines(browser), QStringList{QStringLiteral("browser_move(1)")});
    browser.m_nStartPosition = 7;
    browser.m_bBlind = browser.m_bShake = true;
    EXPECT_EQ(BrowserCallLines(browser),
              (QStringList{QStringLiteral("browser_move(8)"), QStringLiteral("browser_blind(this.document)"),
                           QStringLiteral("browser_timeout()"), QStringLiteral("browser_wow()")}));
    browser.m_bMove = browser.m_bShake = false;
    EXPECT_EQ(BrowserCallLines(browser),
              (QStringList{QStringLiteral("browser_blind(this.document)"), QStringLiteral("browser_timeout()")}));
    WebPage page;
    WriteBrowserEffect(browser);
    EXPECT_EQ(includes(page.doc.get()), QStringList{QStringLiteral("other/browser.js")});
    EXPECT_TRUE(callBlock(page.doc.get()).contains(QLatin1String("browser_blind(this.document);\nbrowser_timeout();")));
}

TEST(ScriptWriter, ScreenEffectsPassSpeedColoursAndPictures)
{
    ScriptScreenModel screen;
    EXPECT_EQ(screen.m_nSpeed, 20);
    EXPECT_EQ(ScriptScreenModel::SpeedOf(0), 8);
    EXPECT_EQ(ScriptScreenModel::SpeedOf(8), 32);
    screen.m_nEffect = 0;
    ScreenEffectLines lines = ScreenLines(screen, QStringLiteral("other/"));
    EXPECT_EQ(lines.callLine, QStringLiteral("screen_clippingcrossH_initParam(20,'#808080')"));
    EXPECT_EQ(lines.variableLines, (QStringList{QStringLiteral("var screen_speed = 20"),
                                                QStringLiteral("var screen_disColor = '#808080'")}));
    screen.m_nEffect = 6;
    lines = ScreenLines(screen, QStringLiteral("other/"));
    EXPECT_EQ(lines.callLine, QStringLiteral("screen_fadeinout_initParam(60, '#808080', '#ffffff')"));
    EXPECT_TRUE(lines.variableLines.isEmpty());
    screen.m_nEffect = 8;
    lines = ScreenLines(screen, QStringLiteral("other/"));
    EXPECT_EQ(lines.files, (QStringList{QStringLiteral("rain.gif"), QStringLiteral("screen_dropdiagonal.js")}));
    EXPECT_EQ(lines.callLine, QStringLiteral("screen_dropdiagonal_initParam('other/rain.gif','other/rain.gif')"));
    EXPECT_EQ(lines.variableLines, (QStringList{QStringLiteral("var screen_ImgName1 = 'other/rain.gif'"),
                                                QStringLiteral("var screen_ImgName2 = 'other/rain.gif'")}));

    // In a web: the pictures beside the page, "other/" names.
    WebPage page;
    screen.m_nEffect = 7;
    WriteScreenEffect(screen);
    for (const char* name : {"fallen1.gif", "fallen4.gif", "screen_dropzigzag.js"})
        EXPECT_TRUE(QFileInfo::exists(page.other(QString::fromLatin1(name)))) << name;
    EXPECT_EQ(variable(QStringLiteral("screen_ImgName4"), page.doc.get()), QStringLiteral("other/fallen4.gif"));
    EXPECT_EQ(includes(page.doc.get()), QStringList{QStringLiteral("other/screen_dropzigzag.js")});
}

TEST(ScriptWriter, OutsideAWebEffectsNameTheirFilesByAbsolutePathsThatReadBackWhole)
{
    OddInstallPage page;
    ScriptScreenModel screen;
    screen.m_nEffect = 9;
    WriteScreenEffect(screen);
    QStringList images;
    CScriptUtility::GetScriptImageFiles(images, page.body(), false);
    ASSERT_EQ(images.size(), 3);
    EXPECT_EQ(images.first(), page.work(QStringLiteral("balloon1.gif")));
    for (const QString& image : images)
        EXPECT_TRUE(QFileInfo::exists(image)) << image.toStdString();
    // The include names the script by its path, escaped as a src.
    const QStringList src = includes(page.doc.get());
    ASSERT_EQ(src.size(), 1);
    EXPECT_EQ(SrcAsLocalPath(src.first()), page.work(QStringLiteral("screen_upzigzag.js")));
}

TEST(ScriptWriter, MouseCombinationsIncludeTheCombinedScripts)
{
    WebPage page;
    ScriptMouseModel mouse;
    mouse.m_bCrosshair = mouse.m_bPointerEffect = true;
    mouse.m_strLineColor = QStringLiteral("255, 0, 0");
    ScriptTextModel text;
    text.m_strMessage = QStringLiteral("say \"hi\" \\ </script>\nbye");
    text.m_strFontFace = QStringLiteral("(デフォルト)");
    ASSERT_TRUE(WriteMouseEffect(mouse, &text, nullptr));
    EXPECT_EQ(includes(page.doc.get()), QStringList{QStringLiteral("other/mouse_follow_complex1.js")});
    EXPECT_TRUE(QFileInfo::exists(page.other(QStringLiteral("mouse_follow_xy.js"))));
    EXPECT_TRUE(QFileInfo::exists(page.other(QStringLiteral("mouse_followtext_gen.js"))));
    const QString block = callBlock(page.doc.get());
    EXPECT_TRUE(block.contains(QLatin1String("mouse_follow_xy_initParam();")));
    EXPECT_FALSE(block.contains(QLatin1String("mouse_followtext_gen_initParam")));
    EXPECT_EQ(variable(QStringLiteral("mouse_message"), page.doc.get()), QStringLiteral("say 'hi' \\ </script>\nbye "));
    EXPECT_EQ(variable(QStringLiteral("mouse_VornaLinecolor"), page.doc.get()), QStringLiteral("255, 0, 0"));
    EXPECT_EQ(variable(QStringLiteral("mouse_TransparentImageSrc"), page.doc.get()),
              QStringLiteral("other/transparent.gif"));
    EXPECT_EQ(variable(QStringLiteral("mouse_fontSize"), page.doc.get()), QStringLiteral("15"));

    // The spread text has no combined script: both stand side by side.
    text.m_nTextKind = 1;
    ASSERT_TRUE(WriteMouseEffect(mouse, &text, nullptr));
    EXPECT_EQ(includes(page.doc.get()), (QStringList{QStringLiteral("other/mouse_follow_xy.js"),
                                                     QStringLiteral("other/mouse_followtext_wave.js")}));

    // Crosshair, clicks and the star trail: both calls stay.
    mouse.m_bClickEffect = true;
    mouse.m_nClickKind = 3;
    mouse.m_nPointerKind = 1;
    ScriptImageModel image;
    image.m_nBuiltInKind = 1;
    ASSERT_TRUE(WriteMouseEffect(mouse, nullptr, &image));
    EXPECT_EQ(includes(page.doc.get()),
              (QStringList{QStringLiteral("other/mouse_click.js"), QStringLiteral("other/mouse_follow_complex.js")}));
    const QString all = callBlock(page.doc.get());
    EXPECT_TRUE(all.contains(QLatin1String("mouse_follow_xy_initParam();\nmouse_click_initParam();\n"
                                           "mouse_follwimage_init();")))
        << all.toStdString();
    EXPECT_FALSE(all.contains(QLatin1String("mouse_message")));
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(variable(QStringLiteral("mouse_Bomb%1").arg(i), page.doc.get()),
                  QStringLiteral("other/mouse_water%1.gif").arg(i));
    EXPECT_TRUE(all.contains(QLatin1String(
        "var mouse_T1=new Array(\"other/mouse_star_trail1.gif\",38,35,\"other/mouse_star_trail2.gif\",30,31,"
        "\"other/mouse_star_trail3.gif\",28,26,\"other/mouse_star_trail4.gif\",22,21,"
        "\"other/mouse_star_trail5.gif\",16,16,\"other/mouse_star_trail6.gif\",10,10);")))
        << all.toStdString();
    EXPECT_TRUE(QFileInfo::exists(page.other(QStringLiteral("mouse_star_trail6.gif"))));
}

TEST(ScriptWriter, TheUsersPictureIsSizedCopiedBesideOthersAndRefusedWithoutASize)
{
    ScriptImageModel image;
    image.m_bTrail = image.m_bTrailSizeChange = true;
    EXPECT_EQ(image.UserImageSizes(QSize(80, 60)),
              (QList<QSize>{QSize(40, 30), QSize(40, 30), QSize(34, 24), QSize(28, 18), QSize(22, 12), QSize(16, 6)}));
    image.m_bTrailSizeChange = false;
    EXPECT_EQ(image.UserImageSizes(QSize(80, 60)), QList<QSize>(6, QSize(40, 30)));
    image.m_bTrail = false;
    image.m_bNaturalSize = true;
    EXPECT_EQ(image.UserImageSizes(QSize(80, 60)), QList<QSize>{QSize(80, 60)});
    EXPECT_TRUE(image.UserImageSizes(QSize(0, 60)).isEmpty());

    OddInstallPage page;
    QTemporaryDir pictures;
    // A different picture of the same name waits in the effect folder.
    QDir().mkpath(page.work(QString()));
    picture(QDir(page.work(QString())), QStringLiteral("it's #1.png"), QSize(10, 10), Qt::blue);
    image = ScriptImageModel();
    image.m_nImageSource = 1;
    image.m_bTrail = true;
    image.m_strImagePath = picture(QDir(pictures.path()), QStringLiteral("it's #1.png"), QSize(80, 60));
    ScriptMouseModel mouse;
    mouse.m_bPointerEffect = true;
    mouse.m_nPointerKind = 1;
    ASSERT_TRUE(WriteMouseEffect(mouse, nullptr, &image));
    const QString copied = page.work(QStringLiteral("it's #1-2.png"));
    EXPECT_EQ(QImage(copied).size(), QSize(80, 60));
    EXPECT_EQ(QImage(page.work(QStringLiteral("it's #1.png"))).size(), QSize(10, 10));
    QStringList images;
    CScriptUtility::GetScriptImageFiles(images, page.body(), false);
    EXPECT_EQ(images, QStringList{copied});
    EXPECT_TRUE(callBlock(page.doc.get()).contains(QStringLiteral(",40,30, \"")));
    // Applied again, the copy made before is used.
    ASSERT_TRUE(WriteMouseEffect(mouse, nullptr, &image));
    EXPECT_FALSE(QFileInfo::exists(page.work(QStringLiteral("it's #1-3.png"))));

    // A "picture" that is text, or a folder: refused, nothing written or copied.
    const QString withImage = page.body();
    QFile text(pictures.filePath(QStringLiteral("notes.gif")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just text");
    text.close();
    mouse.m_bClickEffect = true;
    for (const QString& path : {text.fileName(), pictures.path()}) {
        image.m_strImagePath = path;
        EXPECT_FALSE(image.IsUserImageUsable());
        EXPECT_FALSE(WriteMouseEffect(mouse, nullptr, &image));
        EXPECT_EQ(page.body(), withImage);
        EXPECT_FALSE(QFileInfo::exists(page.work(QStringLiteral("mouse_click.js"))));
    }
}
