// A page window switched between its editing, source and preview views as a
// user switches it (the View menu's commands, the tabs), with the temporary
// page each view reads, and the page's text going back and forth.

#include "ChildFramePages.h"

#include "app/PageContent.h"
#include "app/Vorna_Preview.h"
#include "chrome/VornaChildFrmTabCtrl.h"
#include "util/MessageBox.h"

#include "engine/editing/CommandGroup.h"

#include "platform/CodePages.h"

#include <QDir>
#include <QFileInfo>
#include <QStackedWidget>
#include <QTest>

namespace {

constexpr int kPreview = 32869;
constexpr int kEdit = 32870;
constexpr int kSource = 33183;

const QByteArray kPage =
    "<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=shift_jis\">"
    "<TITLE>旅</TITLE><META name=generator content=\"Vorna-Paginor 2002\"></HEAD><BODY bgColor=#ffffff>"
    "<DIV id=box style=\"POSITION: absolute; LEFT: 10px; TOP: 10px\">写真</DIV></BODY></HTML>";

QByteArray shiftJis(const QByteArray& utf8)
{
    return platform::encodeText(QString::fromUtf8(utf8), QStringLiteral("shift_jis"));
}

class ChildFrameModesTest : public ChildFramePages
{
protected:
    QString sourceText() { return QString::fromStdString(sourceBuffer().GetAllText()); }
    QWidget* shown() { return child()->findChild<QStackedWidget*>()->currentWidget(); }
};

TEST_F(ChildFrameModesTest, SourceShowsThePageAndAnUnchangedReturnLeavesThePageAlone)
{
    ASSERT_NE(openPage(QStringLiteral("旅.html"), shiftJis(kPage)), nullptr);
    const engine::Ref<engine::Element> box = page()->getElementById(QStringLiteral("box"));
    ASSERT_TRUE(box);
    send(kSource);
    EXPECT_TRUE(child()->m_bSourceShown);
    EXPECT_FALSE(child()->m_bEditShown);
    EXPECT_EQ(shown(), child()->GetSourceView());
    // The source reads the page written as a save writes it, in its charset.
    EXPECT_TRUE(QFileInfo::exists(tempPage()));
    EXPECT_TRUE(sourceText().contains(QStringLiteral(">写真</DIV>"))) << qPrintable(sourceText());
    EXPECT_EQ(platform::decodeText(readFile(tempPage()), QStringLiteral("shift_jis")).remove(QLatin1Char('\r')),
              sourceText().remove(QLatin1Char('\r')));
    // Commands go to the source view first; the page view stays the active view.
    EXPECT_EQ(child()->CommandRoute().first(), child()->GetSourceView());
    EXPECT_EQ(view(), child()->m_pEditView.data());

    send(kEdit);
    EXPECT_TRUE(child()->m_bEditShown);
    EXPECT_FALSE(QFileInfo::exists(tempPage()));
    // No re-parse: the page holds the very element it held.
    EXPECT_TRUE(box->isConnected());
    EXPECT_FALSE(document()->isModified());
}

TEST_F(ChildFrameModesTest, ChangedSourceBecomesThePageInOneUndoStep)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    send(kSource);
    typeSource("<HTML><HEAD><TITLE>海</TITLE></HEAD><BODY text=#000080>"
               "<TABLE id=t style=\"POSITION: absolute; LEFT: 5px; TOP: 5px\"><TR><TD>波</TD></TR></TABLE>"
               "</BODY></HTML>");
    send(kEdit);
    ASSERT_TRUE(page()->getElementById(QStringLiteral("t")));
    EXPECT_FALSE(page()->getElementById(QStringLiteral("box")));
    EXPECT_EQ(page()->body()->getAttributeText(QStringLiteral("text")), QStringLiteral("#000080"));
    EXPECT_TRUE(document()->isModified());
    EXPECT_EQ(child()->windowTitle(), QStringLiteral("\"海\" - a.html"));

    view()->ExecCommand(engine::CommandGroup::Undo);
    EXPECT_TRUE(page()->getElementById(QStringLiteral("box")));
    EXPECT_FALSE(page()->getElementById(QStringLiteral("t")));
    view()->ExecCommand(engine::CommandGroup::Redo);
    EXPECT_TRUE(page()->getElementById(QStringLiteral("t")));

    // Closed, the page's document goes: nothing of the change holds it.
    const engine::Ref<engine::Document> held = page();
    responder.answerMessageBox(platform::IDNO);
    frame().OnFileCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(held->refCount(), 1);
}

TEST_F(ChildFrameModesTest, AnEmptiedSourceGivesTheDefaultPageAndAFragmentGoesIntoItsBody)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    send(kSource);
    typeSource("");
    send(kEdit);
    EXPECT_FALSE(page()->getElementById(QStringLiteral("box")));
    EXPECT_EQ(page()->body()->getAttributeText(QStringLiteral("link")), QStringLiteral("blue"));
    EXPECT_EQ(page()->body()->innerText().trimmed(), QString());

    send(kSource);
    typeSource("<P>ひとこと</P>");
    send(kEdit);
    // What was typed is in the page, in its text box.
    const engine::Element* box = page()->getElementById(QStringLiteral("text"));
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->innerText().contains(QStringLiteral("ひとこと")));
    EXPECT_EQ(page()->body()->getAttributeText(QStringLiteral("vLink")), QStringLiteral("purple"));
}

TEST_F(ChildFrameModesTest, ThePreviewShowsTheTemporaryPageWhileItIsShown)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    send(kPreview);
    EXPECT_TRUE(child()->m_bPreviewShown);
    EXPECT_EQ(shown(), child()->GetPreviewView());
    ASSERT_NE(browser(), nullptr);
    EXPECT_EQ(browser()->navigations.last(), tempPage());
    EXPECT_TRUE(QFileInfo::exists(tempPage()));
    EXPECT_EQ(child()->CommandRoute().first(), child()->GetPreviewView());
    // The preview's own commands: back is off at its first page.
    EXPECT_FALSE(app->commands()->updateCommand(33184));
    EXPECT_FALSE(app->commands()->updateCommand(33400));

    send(kEdit);
    EXPECT_TRUE(child()->m_bEditShown);
    EXPECT_FALSE(QFileInfo::exists(tempPage()));
    // The preview is left at the new-page template.
    EXPECT_TRUE(browser()->navigations.last().endsWith(QStringLiteral("ULO.html")));
    EXPECT_TRUE(app->commands()->updateCommand(33400));
}

TEST_F(ChildFrameModesTest, SourceToPreviewTakesTheTextAndPreviewToSourceReadsThePageAgain)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    const engine::Ref<engine::Element> box = page()->getElementById(QStringLiteral("box"));
    send(kSource);
    send(kPreview);
    EXPECT_TRUE(child()->m_bPreviewShown);
    EXPECT_FALSE(child()->m_bSourceToPreview);
    // The page was read again from the source text, changed or not.
    EXPECT_FALSE(box->isConnected());
    EXPECT_TRUE(page()->getElementById(QStringLiteral("box")));
    EXPECT_TRUE(QFileInfo::exists(tempPage()));

    send(kSource);
    EXPECT_TRUE(child()->m_bSourceShown);
    EXPECT_TRUE(sourceText().contains(QStringLiteral("id=box")));
    EXPECT_EQ(browser()->navigations.last().endsWith(QStringLiteral("ULO.html")), true);
    send(kEdit);
    EXPECT_FALSE(QFileInfo::exists(tempPage()));
}

TEST_F(ChildFrameModesTest, TheViewTabsSwitchThroughTheCommands)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    VornaChildFrmTabCtrl* tabs = child()->tabStrip();
    // A click on a tab posts the frame its message.
    const auto clickTab = [this](int tab) {
        QTest::mouseClick(child()->widget(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 50 * tab + 27));
        QCoreApplication::processEvents();
    };
    clickTab(2);
    EXPECT_TRUE(child()->m_bPreviewShown);
    clickTab(1);
    EXPECT_TRUE(child()->m_bSourceShown);
    clickTab(0);
    EXPECT_TRUE(child()->m_bEditShown);
    // A switch by command keeps the tabs in step.
    send(kPreview);
    EXPECT_EQ(tabs->GetCurTab(), 2);
    send(kEdit);
    EXPECT_EQ(tabs->GetCurTab(), 0);
}

TEST_F(ChildFrameModesTest, ThePreviewRunsNoBrowserEffectsAndThePageKeepsThem)
{
    const QByteArray text = "<HTML><HEAD><TITLE>e</TITLE></HEAD><BODY onload=\"VornaScriptCall()\">"
                            "<SCRIPT src=\"other/browser_close.js\"></SCRIPT>"
                            "<SCRIPT>function VornaScriptCall() {\nbrowser_close();\nstatusbar_run();\n"
                            "browser_title();\n}</SCRIPT></BODY></HTML>";
    ASSERT_NE(openPage(QStringLiteral("e.html"), text), nullptr);
    send(kPreview);
    const QString written = QString::fromUtf8(readFile(tempPage()));
    EXPECT_TRUE(written.contains(QStringLiteral("//browser_close();"))) << qPrintable(written);
    EXPECT_TRUE(written.contains(QStringLiteral("//browser_title();")));
    EXPECT_TRUE(written.contains(QStringLiteral("\nstatusbar_run();")));
    EXPECT_FALSE(page()->body()->innerHTML().contains(QStringLiteral("//browser_")));
    send(kEdit);

    // The source shows them as they are.
    send(kSource);
    EXPECT_FALSE(sourceText().contains(QStringLiteral("//browser_")));
}

TEST_F(ChildFrameModesTest, ClosingInSourceModeTakesTheTextBeforeTheSaveQuestion)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    send(kSource);
    typeSource("<HTML><BODY><DIV id=late>x</DIV></BODY></HTML>");
    bool textInPage = false;
    responder.onMessageBox([&](QDialog& box) {
        textInPage = page() && page()->getElementById(QStringLiteral("late"));
        platform::ModalResponder::press(box, platform::IDCANCEL);
    });
    child()->close();
    EXPECT_TRUE(textInPage);
    // Cancelled: the page stays, in its editing view, with the text.
    ASSERT_NE(child(), nullptr);
    EXPECT_TRUE(child()->m_bEditShown);
    EXPECT_TRUE(page()->getElementById(QStringLiteral("late")));
    EXPECT_FALSE(QFileInfo::exists(tempPage()));
}

TEST_F(ChildFrameModesTest, AFolderThatTakesNoTemporaryPageKeepsTheEditingView)
{
    QDir().mkpath(dir.filePath(QStringLiteral("gone")));
    ASSERT_NE(openPage(QStringLiteral("gone/a.html"), kPage), nullptr);
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("gone"))).removeRecursively());
    responder.answerMessageBox(platform::IDOK, QStringLiteral("VornaPreview~.html"));
    responder.answerMessageBox(platform::IDOK, QStringLiteral("VornaPreview~.html"));
    send(kSource);
    EXPECT_TRUE(child()->m_bEditShown);
    EXPECT_FALSE(child()->m_bSourceShown);
    send(kPreview);
    EXPECT_TRUE(child()->m_bEditShown);
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(shown()->objectName(), QStringLiteral("editingArea"));
}

TEST_F(ChildFrameModesTest, OddSourceTextBecomesWhatTheParserMakesAndNothingTypedIsLost)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    const struct
    {
        const char* text;
        const char* kept;
    } cases[] = {
        {"<HTML><BODY><DIV id=u style=\"POSITION: absolute\"><B>unclosed", "unclosed"},
        {"<HTML><BODY><SCRIPT>var s = \"</SCRIPT>\";</SCRIPT><P>after</P></BODY></HTML>", "after"},
        {"<HTML><BODY>bytes \x01\x02 and \xff\xfe here</BODY></HTML>", "here"},
    };
    for (const auto& c : cases) {
        send(kSource);
        typeSource(c.text);
        send(kEdit);
        ASSERT_TRUE(child()->m_bEditShown);
        EXPECT_TRUE(page()->body()->innerText().contains(QString::fromLatin1(c.kept))) << c.text;
    }
    // A five-megabyte text.
    std::string large = "<HTML><BODY>";
    while (large.size() < 5 * 1024 * 1024)
        large += "<P>ことばのならび、ずっとつづく</P>\r\n";
    large += "<DIV id=end>end</DIV></BODY></HTML>";
    send(kSource);
    typeSource(large);
    send(kEdit);
    EXPECT_TRUE(page()->getElementById(QStringLiteral("end")));
}

TEST_F(ChildFrameModesTest, AFolderRemovedDuringThePreviewGivesTheEditingViewBack)
{
    QDir().mkpath(dir.filePath(QStringLiteral("gone")));
    ASSERT_NE(openPage(QStringLiteral("gone/a.html"), kPage), nullptr);
    send(kPreview);
    ASSERT_TRUE(child()->m_bPreviewShown);
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("gone"))).removeRecursively());
    send(kEdit);
    EXPECT_TRUE(child()->m_bEditShown);
    EXPECT_TRUE(page()->getElementById(QStringLiteral("box")));
}

TEST_F(ChildFrameModesTest, TheSourceTypesOverExactlyWhenTheMainFrameDoes)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), kPage), nullptr);
    frame().m_bOverwrite = true;
    send(kSource);
    EXPECT_TRUE(child()->GetSourceView()->GetOverwriteMode());
    send(kEdit);
    frame().m_bOverwrite = false;
    send(kSource);
    EXPECT_FALSE(child()->GetSourceView()->GetOverwriteMode());
}

} // namespace
