#include "effects/CScriptUtility.h"

#include "util/LivePage.h"

#include "engine/dom/Document.h"
#include "engine/markup/UndoManager.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using engine::Element;
using engine::Ref;

namespace {

// A page of the HTML 4 era with scripts of its own: an onLoad written in
// mixed case, a script in HEAD, a script that only names VornaScriptCall in a
// string and in a comment, and an include of the user's own.
const char* const kOwnScripts = R"html(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML><HEAD>
<META http-equiv="Content-Type" content="text/html; charset=Shift_JIS">
<TITLE>日記</TITLE>
<SCRIPT language=JavaScript src="js/util.js"></SCRIPT>
<SCRIPT language=JavaScript><!--
function init() { status = "ようこそ"; }
// VornaScriptCall() is the editor's
var note = "VornaScriptCall()";
//--></SCRIPT>
</HEAD>
<BODY bgColor=#ffffcc onLoad="init();">
<P id=text>今日の日記です。</P>
</BODY></HTML>
)html";

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

// The script-call blocks of the page.
QStringList callBlocks(engine::Document* doc)
{
    QStringList list;
    for (const Ref<Element>& script : doc->getElementsByTagName(QStringLiteral("SCRIPT")).toVector()) {
        if (script->innerHTML().contains(QLatin1String("function VornaScriptCall()")))
            list.append(script->innerHTML());
    }
    return list;
}

QString onload(engine::Document* doc)
{
    return doc->body()->getAttributeText(QStringLiteral("onload"));
}

// What an effect writer does once its files are copied, as one undo step.
void addEffect(LivePage& page, const QString& fileOrFamily, const QStringList& calls, const QStringList& variables,
               bool inWeb = true, const QStringList* files = nullptr)
{
    engine::UndoUnit unit(page.doc.get());
    CScriptUtility::IncludeScriptFiles(page.doc.get(), page.doc->body(), fileOrFamily, inWeb, files);
    CScriptUtility::AddBodyOnLoadCall(page.doc->body());
    CScriptUtility::AddScriptCallLines(page.doc.get(), calls, variables);
}

void removeFamilies(LivePage& page, const QStringList& families)
{
    engine::UndoUnit unit(page.doc.get());
    CScriptUtility::RemoveEffectCalls(page.doc.get(), page.doc->body(), families);
    CScriptUtility::RemoveEffectIncludes(page.doc.get(), page.doc->body(), families);
}

QString withoutWhiteSpace(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

} // namespace

TEST(ScriptPage, AStatusBarEffectOnAPageWithoutScripts)
{
    LivePage page(kPlain);
    addEffect(page, QStringLiteral("/home/yu/My Web/other/statusbar_outin.js"),
              {QStringLiteral("statusbar_outin_initParam('いらっしゃいませ')")}, {});
    const QString body = page.body();
    const int include = body.indexOf(QLatin1String("<SCRIPT language=javascript src=\"other/statusbar_outin.js\">"));
    const int block = body.indexOf(QLatin1String("function VornaScriptCall()"));
    EXPECT_GE(include, 0);
    EXPECT_GT(block, include);
    EXPECT_EQ(onload(page.doc.get()), QStringLiteral("VornaScriptCall();"));
    ASSERT_EQ(callBlocks(page.doc.get()).size(), 1);
    EXPECT_TRUE(
        callBlocks(page.doc.get()).first().contains(QStringLiteral("statusbar_outin_initParam('いらっしゃいませ');")))
        << callBlocks(page.doc.get()).first().toStdString();
    EXPECT_FALSE(body.contains(QLatin1String("VornaScriptTemp")));
    EXPECT_FALSE(body.contains(QLatin1String("&nbsp;")));
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), QStringLiteral("<P id=text>本文</P>"));
}

TEST(ScriptPage, TheSameFamilyReplacesItsIncludeAndCallsOthersStay)
{
    LivePage page(kPlain);
    addEffect(page, QStringLiteral("/w/other/statusbar_outin.js"), {QStringLiteral("statusbar_outin_initParam('a')")},
              {});
    addEffect(page, QStringLiteral("/w/other/browser.js"),
              {QStringLiteral("browser_blind(this.document)"), QStringLiteral("browser_timeout()")}, {});
    addEffect(page, QStringLiteral("/w/other/statusbar_flytext.js"),
              {QStringLiteral("statusbar_flytext_initParam('b')")}, {});
    EXPECT_EQ(includes(page.doc.get()),
              (QStringList{QStringLiteral("other/browser.js"), QStringLiteral("other/statusbar_flytext.js")}));
    const QStringList blocks = callBlocks(page.doc.get());
    ASSERT_EQ(blocks.size(), 1);
    EXPECT_TRUE(blocks.first().contains(QLatin1String("{\nbrowser_blind(this.document);\nbrowser_timeout();\n"
                                                      "statusbar_flytext_initParam('b');\n}")));
    EXPECT_FALSE(blocks.first().contains(QLatin1String("statusbar_outin")));
    EXPECT_EQ(onload(page.doc.get()), QStringLiteral("VornaScriptCall();"));
    QString families;
    CScriptUtility::GetScriptSourceList(families);
    EXPECT_EQ(families, QStringLiteral("browser\tstatusbar\t"));
}

TEST(ScriptPage, OnloadKeepsWhatThePageCalledAndLosesOnlyTheCall)
{
    for (const auto& [before, withCall, afterRemoval] : std::vector<std::tuple<QString, QString, QString>>{
             {QStringLiteral("init()"), QStringLiteral("init();VornaScriptCall();"), QStringLiteral("init();")},
             {QStringLiteral("init();"), QStringLiteral("init();VornaScriptCall();"), QStringLiteral("init();")},
             {QStringLiteral("initPage(1, 'a');"), QStringLiteral("initPage(1, 'a');VornaScriptCall();"),
              QStringLiteral("initPage(1, 'a');")},
             {QString(), QStringLiteral(";VornaScriptCall();"), QString()}}) {
        LivePage page(kPlain);
        Element* body = page.doc->body();
        body->setAttribute(QStringLiteral("onLoad"), before);
        CScriptUtility::AddBodyOnLoadCall(body);
        EXPECT_EQ(onload(page.doc.get()), withCall);
        EXPECT_TRUE(body->outerHTML().startsWith(QLatin1String("<BODY onLoad=")));
        CScriptUtility::AddBodyOnLoadCall(body);
        EXPECT_EQ(onload(page.doc.get()), withCall);
        CScriptUtility::RemoveBodyOnLoadCall(body);
        EXPECT_EQ(onload(page.doc.get()), afterRemoval);
        EXPECT_EQ(body->hasAttribute(QStringLiteral("onload")), !afterRemoval.isEmpty());
    }
}

TEST(ScriptPage, MouseEffectsIncludeTheirListAndAnEmptyListRemovesTheFamily)
{
    LivePage page(kPlain);
    const QStringList files{QStringLiteral("/d/Work/mouse_follow_complex1.js"),
                            QStringLiteral("/d/Work/mouse_click.js")};
    addEffect(page, QStringLiteral("mouse_"), {QStringLiteral("mouse_follow_xy_initParam()")},
              {QStringLiteral("var mouse_VornaLinecolor = \"0, 0, 0\"")}, false, &files);
    EXPECT_EQ(includes(page.doc.get()), files);
    const QStringList none;
    addEffect(page, QStringLiteral("mouse_"), {}, {}, false, &none);
    EXPECT_TRUE(includes(page.doc.get()).isEmpty());
    // No call lines and no variable lines leave the block as it was.
    ASSERT_EQ(callBlocks(page.doc.get()).size(), 1);
    EXPECT_TRUE(callBlocks(page.doc.get()).first().contains(QLatin1String("mouse_follow_xy_initParam();")));
}

TEST(ScriptPage, PathsWithSpacesQuotesAmpersandsAndJapaneseNamesStayOneSrc)
{
    LivePage page(kPlain);
    const QString path = QStringLiteral("/home/yu/デスクトップ/A & \"B\" #1/Work/screen_fadeinout.js");
    addEffect(page, path, {QStringLiteral("screen_fadeinout_initParam(60, '#808080', '#ffffff')")}, {}, false);
    EXPECT_EQ(includes(page.doc.get()),
              QStringList{QStringLiteral("/home/yu/デスクトップ/A & \"B\" %231/Work/screen_fadeinout.js")});
    EXPECT_EQ(CScriptUtility::GetEffectFamily(includes(page.doc.get()).first()), QStringLiteral("screen"));
}

TEST(ScriptPage, TheUsersScriptsAreNeverTakenForTheCallBlock)
{
    LivePage page(kOwnScripts);
    const QString head = page.doc->head()->innerHTML();
    addEffect(page, QStringLiteral("/w/other/browser.js"), {QStringLiteral("browser_wow()")}, {});
    // The page's own script, naming VornaScriptCall, is unchanged; a block of
    // our own stands at the end of BODY.
    EXPECT_EQ(page.doc->head()->innerHTML(), head);
    ASSERT_EQ(callBlocks(page.doc.get()).size(), 1);
    EXPECT_EQ(onload(page.doc.get()), QStringLiteral("init();VornaScriptCall();"));
    QString families;
    CScriptUtility::GetScriptSourceList(families);
    EXPECT_EQ(families, QStringLiteral("util\tbrowser\t"));

    removeFamilies(page, {QStringLiteral("browser")});
    EXPECT_EQ(page.doc->head()->innerHTML(), head);
    EXPECT_TRUE(callBlocks(page.doc.get()).isEmpty());
    EXPECT_EQ(onload(page.doc.get()), QStringLiteral("init();"));
    EXPECT_EQ(includes(page.doc.get()), QStringList{QStringLiteral("js/util.js")});
}

TEST(ScriptPage, RemovingOneFamilyKeepsTheOthersAndTheOnloadCall)
{
    LivePage page(kPlain);
    addEffect(page, QStringLiteral("/w/other/statusbar_outin.js"), {QStringLiteral("statusbar_outin_initParam('a')")},
              {});
    const QStringList files{QStringLiteral("/w/other/mouse_click.js")};
    addEffect(page, QStringLiteral("mouse_"), {QStringLiteral("mouse_click_initParam()")},
              {QStringLiteral("var mouse_Bomb1 = \"other/mouse_f1.gif\"")}, true, &files);
    removeFamilies(page, {QStringLiteral("mouse")});
    EXPECT_EQ(includes(page.doc.get()), QStringList{QStringLiteral("other/statusbar_outin.js")});
    ASSERT_EQ(callBlocks(page.doc.get()).size(), 1);
    EXPECT_FALSE(callBlocks(page.doc.get()).first().contains(QLatin1String("mouse")));
    EXPECT_EQ(onload(page.doc.get()), QStringLiteral("VornaScriptCall();"));
    EXPECT_EQ(page.undoSteps(), 3);
    page.doc->undoManager().undo();
    EXPECT_EQ(includes(page.doc.get()).size(), 2);
    EXPECT_TRUE(callBlocks(page.doc.get()).first().contains(QLatin1String("var mouse_Bomb1")));
}

TEST(ScriptPage, AllFourFamiliesAddedSavedReopenedAndRemovedGiveThePageBack)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("diary.html"));
    LivePage original(kOwnScripts);
    ASSERT_TRUE(original.doc->save(file));
    const QString originalHtml = original.doc->documentElement()->outerHTML();
    {
        LivePage page(kOwnScripts);
        addEffect(page, QStringLiteral("/w/other/statusbar_typingtext_multiinput.js"),
                  {QStringLiteral("statusbar_typingtext_multiinput_initParam('a','b','c')")}, {});
        addEffect(page, QStringLiteral("/w/other/browser.js"), {QStringLiteral("browser_move(3)")}, {});
        addEffect(page, QStringLiteral("/w/other/screen_dropdiagonal.js"),
                  {QStringLiteral("screen_dropdiagonal_initParam('other/rain.gif','other/rain.gif')")},
                  {QStringLiteral("var screen_ImgName1 = 'other/rain.gif'"),
                   QStringLiteral("var screen_ImgName2 = 'other/rain.gif'")});
        const QStringList files{QStringLiteral("/w/other/mouse_followimage_multicircle.js")};
        addEffect(page, QStringLiteral("mouse_"), {QStringLiteral("mouse_follwimage_init()")},
                  {QStringLiteral("var mouse_Multi1 = \"other/mouse_sun_trail1.gif\"")}, true, &files);
        ASSERT_TRUE(page.doc->save(file));
    }
    LivePage reopened(kPlain);
    ASSERT_TRUE(reopened.doc->load(file));
    QString families;
    CScriptUtility::GetScriptSourceList(families);
    EXPECT_EQ(families, QStringLiteral("util\tstatusbar\tbrowser\tscreen\tmouse\t"));
    QStringList images;
    CScriptUtility::GetScriptImageFiles(images, reopened.doc->documentElement()->outerHTML(), false);
    EXPECT_EQ(images, (QStringList{QStringLiteral("other/rain.gif"), QStringLiteral("other/rain.gif"),
                                   QStringLiteral("other/mouse_sun_trail1.gif")}));
    removeFamilies(reopened, {QStringLiteral("statusbar"), QStringLiteral("browser"), QStringLiteral("screen"),
                              QStringLiteral("mouse")});
    EXPECT_EQ(withoutWhiteSpace(reopened.doc->documentElement()->outerHTML()), withoutWhiteSpace(originalHtml));
}

TEST(ScriptPage, DozensOfScriptsAndBrokenOnesLoseNothing)
{
    QString html = QStringLiteral("<HTML><BODY>");
    for (int i = 0; i < 40; ++i)
        html += QStringLiteral("<SCRIPT>var own%1 = 'x';</SCRIPT>").arg(i);
    html += QStringLiteral("<SCRIPT>function VornaScriptCall() { var s = 'open; }</SCRIPT>");
    html += QStringLiteral("</BODY></HTML>");
    LivePage page(html.toUtf8().constData());
    addEffect(page, QStringLiteral("/w/other/browser.js"), {QStringLiteral("browser_wow()")}, {});
    removeFamilies(page, {QStringLiteral("browser")});
    const QString body = page.body();
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(body.contains(QStringLiteral("var own%1 = 'x';").arg(i))) << i;
    EXPECT_TRUE(body.contains(QLatin1String("function VornaScriptCall() { var s = 'open; }")));
    EXPECT_FALSE(body.contains(QLatin1String("browser")));
}

TEST(ScriptPage, StaleMarkersGoAndOnlyTheNewOneGetsTheBlock)
{
    LivePage page("<HTML><BODY><P>a</P><SCRIPT LANGUAGE=JavaScript name=VornaScriptTemp></SCRIPT>"
                  "<SCRIPT LANGUAGE=JavaScript name=VornaScriptTemp></SCRIPT></BODY></HTML>");
    CScriptUtility::InsertScriptCallBlock({QStringLiteral("browser_wow()")}, {}, page.doc.get());
    EXPECT_EQ(callBlocks(page.doc.get()).size(), 1);
    EXPECT_FALSE(page.body().contains(QLatin1String("VornaScriptTemp")));
    // A frameset page has no BODY to take a block.
    LivePage frames("<HTML><FRAMESET cols=\"50%,50%\"><FRAME src=a.html><FRAME src=b.html></FRAMESET></HTML>");
    const QString before = frames.doc->documentElement()->outerHTML();
    addEffect(frames, QStringLiteral("/w/other/browser.js"), {QStringLiteral("browser_wow()")}, {});
    EXPECT_EQ(frames.doc->documentElement()->outerHTML(), before);
}

TEST(ScriptPage, ReplacingAnElementByHtmlIsOneUndoStep)
{
    LivePage page(kPlain);
    CScriptUtility::ReplaceElementHtml(page.doc.get(), page.byId("text"),
                                       QStringLiteral("<SCRIPT>var a = 'b';</SCRIPT><P id=after>後</P>"));
    EXPECT_EQ(page.body(), QStringLiteral("<SCRIPT>var a = 'b';</SCRIPT><P id=after>後</P>"));
    EXPECT_EQ(page.undoSteps(), 1);
    CScriptUtility::ReplaceElementHtml(page.doc.get(), page.byId("after"), QString());
    EXPECT_EQ(page.body(), QStringLiteral("<SCRIPT>var a = 'b';</SCRIPT>"));
}

TEST(ScriptPage, RollOverNamesAndTheirScript)
{
    LivePage page("<HTML><BODY>"
                  "<IMG id=VornaRollImage name='VornaRollImage1' src=a.gif>"
                  "<IMG id=VornaRollImage name='VornaRollImage3' src=b.gif>"
                  "<IMG name='other7' src=c.gif></BODY></HTML>");
    EXPECT_EQ(CScriptUtility::MakeUniqueElementName(QStringLiteral("VornaRollImage")),
              QStringLiteral("VornaRollImage4"));
    EXPECT_EQ(CScriptUtility::MakeUniqueElementName(QStringLiteral("Banner")), QStringLiteral("Banner1"));
    const QString longBase(300, u'x');
    EXPECT_EQ(CScriptUtility::MakeUniqueElementName(longBase), longBase + u'1');

    EXPECT_EQ(CScriptUtility::GetScriptFunctionName(QStringLiteral("vornarollimage")),
              QStringLiteral("VornaChangeImage"));
    EXPECT_TRUE(CScriptUtility::GetRollOverScriptText(QStringLiteral("Other")).isEmpty());

    // The roll-over script goes in once, after a script-call block.
    addEffect(page, QStringLiteral("/w/other/browser.js"), {QStringLiteral("browser_wow()")}, {});
    CScriptUtility::EnsureRollOverScript(QStringLiteral("VornaRollImage"));
    CScriptUtility::EnsureRollOverScript(QStringLiteral("vornarollimage"));
    const QString body = page.body();
    EXPECT_EQ(body.count(QLatin1String("function VornaChangeImage(")), 1);
    EXPECT_GT(body.indexOf(QLatin1String("function VornaChangeImage(")),
              body.indexOf(QLatin1String("function VornaScriptCall(")));

    // Deleting one of two roll-over images keeps it; the last one takes it.
    page.byId("VornaRollImage")->remove();
    CScriptUtility::RemoveRollOverScriptIfUnused(QStringLiteral("VornaRollImage"));
    EXPECT_TRUE(page.body().contains(QLatin1String("function VornaChangeImage(")));
    page.byId("VornaRollImage")->remove();
    CScriptUtility::RemoveRollOverScriptIfUnused(QStringLiteral("VornaRollImage"));
    EXPECT_FALSE(page.body().contains(QLatin1String("VornaChangeImage")));
    EXPECT_EQ(callBlocks(page.doc.get()).size(), 1);
}

TEST(ScriptPage, ARollOverFunctionInsideTheUsersScriptLeavesTheRestOfIt)
{
    LivePage page("<HTML><BODY><SCRIPT>VornaChangeImage('a','b');</SCRIPT>"
                  "<SCRIPT>function own() {}\nfunction VornaChangeImage(n, s) { document.images[n].src = s; }\n"
                  "</SCRIPT></BODY></HTML>");
    // A script that only starts with the name does not define it.
    CScriptUtility::RemoveRollOverScriptIfUnused(QStringLiteral("VornaRollImage"));
    EXPECT_EQ(page.body(), QStringLiteral("<SCRIPT>VornaChangeImage('a','b');</SCRIPT><SCRIPT>function own() {}\n\n"
                                          "</SCRIPT>"));
}

TEST(ScriptPage, ScriptFilesOfAPageInTheWebAndOutsideIt)
{
    LivePage page("<HTML><BODY><SCRIPT src=\"other/statusbar_outin.js\"></SCRIPT>"
                  "<SCRIPT src=\"other/browser.js\"></SCRIPT>"
                  "<SCRIPT src=\"http://cdn.example.com/lib/jquery.js\"></SCRIPT><SCRIPT>var a;</SCRIPT>"
                  "</BODY></HTML>");
    page.app.web = QStringLiteral("/home/yu/Documents/My Web/shop");
    QStringList paths;
    CScriptUtility::GetScriptFilePaths(paths, nullptr);
    const QString work = QDir(page.app.installFolderPath).filePath(QStringLiteral("Work/"));
    EXPECT_EQ(paths, (QStringList{work + QStringLiteral("statusbar_outin.js"), work + QStringLiteral("browser.js")}));
    page.app.inWeb = true;
    paths.clear();
    CScriptUtility::GetScriptFilePaths(paths, page.app.active);
    EXPECT_EQ(paths, (QStringList{QStringLiteral("/home/yu/Documents/My Web/shop/other/statusbar_outin.js"),
                                  QStringLiteral("/home/yu/Documents/My Web/shop/other/browser.js")}));
}

TEST(ScriptPage, CopiesReportWhatFailedAndLeaveTheOldFile)
{
    FakeAppContext app;
    QTemporaryDir install;
    QTemporaryDir web;
    app.installFolderPath = install.path();
    QDir(install.path()).mkpath(QStringLiteral("Other/script"));
    QFile script(install.filePath(QStringLiteral("Other/script/browser.js")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("function browser_wow() {}\n");
    script.close();

    const QString folder = web.filePath(QStringLiteral("new folder/other/"));
    EXPECT_EQ(CScriptUtility::CopyScriptFile(folder, QStringLiteral("browser.js")),
              folder + QStringLiteral("browser.js"));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("browser.js")));
    EXPECT_TRUE(CScriptUtility::CopyScriptFile(folder, QStringLiteral("missing.js")).isEmpty());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("missing.js")));

    // A folder that cannot be written keeps the file it had.
    QFile old(folder + QStringLiteral("browser.js"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(folder).isWritable()) {
        EXPECT_TRUE(CScriptUtility::CopyFileToFolder(folder, script.fileName()).isEmpty());
        EXPECT_TRUE(CScriptUtility::CopyScriptFile(folder, QStringLiteral("browser.js")).isEmpty());
        EXPECT_TRUE(QFile::exists(folder + QStringLiteral("browser.js")));
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(CScriptUtility::CopyFileToFolder(web.path(), script.fileName()),
              web.path() + QStringLiteral("/browser.js"));
}

TEST(ScriptPage, AFamilyWhoseKeyLiesInsideAnothersIsStillListed)
{
    LivePage page("<HTML><BODY><P>x</P><SCRIPT src=\"lib/statusbarx_menu.js\"></SCRIPT>"
                  "<SCRIPT src=\"other/statusbar_outin.js\"></SCRIPT><SCRIPT src=\"other/mouse_click.js\"></SCRIPT>"
                  "<SCRIPT src=\"other/mouse_follow_xy.js\"></SCRIPT></BODY></HTML>");
    QString families;
    CScriptUtility::GetScriptSourceList(families);
    EXPECT_EQ(families, QStringLiteral("statusbarx\tstatusbar\tmouse\t"));
}
