// The page view and its document in the running program: opening pages into
// the engine, editing them, saving (the question, Save As, failures) and
// reading them back byte for byte in their charsets.

#include "PageReads.h"

#include "app/CChildFrame.h"
#include "app/CHtmlEditCntrItem.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "controls/RecentFolders.h"
#include "controls/ULOFileDialog.h"
#include "editor/CImpIDispatch.h"
#include "frames/VornaFrameSet.h"
#include "util/AppContext.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"
#include "util/MessageBox.h"
#include "res/resource.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/html/PageLoader.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include "platform/BackgroundWork.h"
#include "platform/CodePages.h"
#include "platform/CommandRegistry.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"
#include "platform/RecentFileList.h"

#include "support/SmallFileSystem.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using platform::ModalResponder;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class PageDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitInstallFolder();
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
        ASSERT_TRUE(reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0));
        app = std::make_unique<CZQApp>();
        ASSERT_TRUE(app->InitInstance({}));
    }

    CMainFrame& frame() { return *app->mainFrame(); }
    CZQView* view() { return app->GetActiveView(); }
    CZQDoc* document() { return view() ? view()->GetDocument() : nullptr; }
    engine::Document* page() { return view() ? view()->GetHtmlDocument() : nullptr; }

    CZQDoc* open(const QString& path)
    {
        if (!app->OpenDocumentFile(path))
            return nullptr;
        return WaitForPageRead(view()) ? document() : nullptr;
    }

    // A click at the end of an element's text, then keys typed as a person
    // types them (an input method commits the Japanese).
    void typeAtEndOf(const char* id, const QString& latin, const QString& composed = QString())
    {
        engine::PageView* pageView = view()->GetPageView();
        pageView->flushChanges();
        engine::Geometry geometry(pageView->layout());
        const QRect box = geometry.boundingClientRect(page()->getElementById(QString::fromLatin1(id)));
        const QPoint at = pageView->clientToView(QPoint(box.right() - 2, box.center().y()));
        QTest::mouseClick(pageView->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::keyClick(pageView, Qt::Key_End);
        if (!composed.isEmpty()) {
            QInputMethodEvent commit;
            commit.setCommitString(composed);
            QCoreApplication::sendEvent(pageView, &commit);
        }
        QTest::keyClicks(pageView, latin);
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app;
};

// ---- open, edit, save, reopen ------------------------------------------------

struct CharsetCase
{
    const char* charset;
    const char* metaName; // as the page's META writes it
};

class PageCharsetTest : public PageDocumentTest, public ::testing::WithParamInterface<CharsetCase>
{
};

TEST_P(PageCharsetTest, EditedPageIsSavedInItsCharsetAndReadsBackTheSame)
{
    const CharsetCase c = GetParam();
    const QString text = QStringLiteral("<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=%1\">"
                                        "<TITLE>写真の部屋</TITLE></HEAD><BODY bgcolor=#ffffee>"
                                        "<TABLE id=t border=1 style=\"POSITION: absolute; LEFT: 20px; TOP: 20px\">"
                                        "<TR><TD id=c>旅行の写真</TD></TR></TABLE></BODY></HTML>")
                             .arg(QString::fromLatin1(c.metaName));
    const QString path = dir.filePath(QStringLiteral("旅行.html"));
    writeFile(path, platform::encodeText(text, QString::fromLatin1(c.charset)));
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(page(), nullptr);
    EXPECT_TRUE(view()->m_bLoadCompleted);
    EXPECT_EQ(doc->GetPageTitle(), QStringLiteral("写真の部屋"));
    EXPECT_EQ(frame().GetActiveChild()->windowTitle(), QStringLiteral("\"写真の部屋\" - 旅行.html"));
    EXPECT_FALSE(doc->isModified());

    typeAtEndOf("c", QStringLiteral(" 2002"), QStringLiteral("と風景"));
    EXPECT_EQ(page()->getElementById(QStringLiteral("c"))->innerText(), QStringLiteral("旅行の写真と風景 2002"));
    EXPECT_TRUE(doc->isModified());

    app->commands()->sendCommand(33106); // File > Save (Ctrl+S)
    EXPECT_FALSE(doc->isModified());
    const QByteArray bytes = readFile(path);
    // Written in the page's own charset, not in UTF-8.
    EXPECT_TRUE(
        bytes.contains(platform::encodeText(QStringLiteral("旅行の写真と風景 2002"), QString::fromLatin1(c.charset))));
    EXPECT_TRUE(bytes.contains(QByteArray("charset=") + c.metaName));
    const QString saved = platform::decodeText(bytes, QString::fromLatin1(c.charset));
    EXPECT_TRUE(saved.contains(QStringLiteral("POSITION: absolute; LEFT: 20px; TOP: 20px"))) << qPrintable(saved);

    // Closed and opened again: the same page, not modified.
    doc->closeDocument();
    QCoreApplication::processEvents();
    CZQDoc* again = open(path);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(page()->getElementById(QStringLiteral("c"))->innerText(), QStringLiteral("旅行の写真と風景 2002"));
    EXPECT_EQ(page()->charset(), platform::canonicalCharset(QString::fromLatin1(c.charset)));
    EXPECT_FALSE(again->isModified());
    // A save of the unchanged page writes the same bytes.
    app->commands()->sendCommand(33106);
    EXPECT_EQ(readFile(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Charsets, PageCharsetTest,
                         ::testing::Values(CharsetCase{"Shift_JIS", "Shift_JIS"}, CharsetCase{"UTF-8", "UTF-8"},
                                           CharsetCase{"EUC-JP", "EUC-JP"}),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param.charset);
                             return name.remove(QLatin1Char('-')).remove(QLatin1Char('_')).toStdString();
                         });

TEST_F(PageDocumentTest, ANewPageComesFromTheTemplateAndSaveAsNamesIt)
{
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    CZQDoc* doc = document();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->pathName().isEmpty());
    EXPECT_EQ(doc->GetDisplayName(), QStringLiteral("ULO1"));
    // The page template's content, without a file of its own.
    ASSERT_NE(page()->body(), nullptr);
    EXPECT_TRUE(page()->url().isEmpty());

    ModalResponder responder;
    QString proposed;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        auto& files = static_cast<ULOFileDialog&>(d);
        proposed = files.GetFileName();
        files.selectFile(dir.filePath(QStringLiteral("index")));
        QMetaObject::invokeMethod(&files, "accept");
    });
    app->commands()->sendCommand(33106);              // a page without a file asks for a name
    EXPECT_EQ(proposed, QStringLiteral("ULO1.html")); // the page's name, free in the Work folder
    const QString path = dir.filePath(QStringLiteral("index.html"));
    EXPECT_EQ(doc->pathName(), path);
    EXPECT_EQ(doc->GetDisplayName(), QStringLiteral("index.html"));
    EXPECT_EQ(frame().GetActiveChild()->windowTitle(), QStringLiteral("\"タイトルなし\" - index.html"));
    EXPECT_EQ(app->recentFiles()->at(0), path);
    EXPECT_TRUE(readFile(path).contains("<BODY"));
    EXPECT_EQ(page()->url(), path); // saves from now on go to the file

    // Save As with a name already ending in .HTM keeps it.
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(dir.filePath(QStringLiteral("top.HTM")));
        QMetaObject::invokeMethod(&files, "accept");
    });
    app->commands()->sendCommand(33198);
    EXPECT_EQ(doc->pathName(), dir.filePath(QStringLiteral("top.HTM")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("top.HTM"))));

    // A cancelled Save As leaves the page as it was: saved, not modified.
    responder.always(ULOFileDialog::kDialogId, [](QDialog& d) { d.reject(); });
    app->commands()->sendCommand(33198);
    EXPECT_FALSE(doc->isModified());
}

// File > Save of new pages: the first starts in the Work folder with the
// next free number, the home-folder button comes back there keeping the name,
// and the next new page starts in the folder the last one went to.
TEST_F(PageDocumentTest, NewPagesAreSavedFromTheWorkFolderThenFromTheFolderUsedLast)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    reg.DeleteKey(HKEY_CURRENT_USER, RecentFoldersKey());
    const QString work = AppContext::instance().installFolder() + QStringLiteral("/Work");
    ASSERT_TRUE(QDir().mkpath(work));
    writeFile(work + QStringLiteral("/ULO1.html"), "<P>one");
    writeFile(work + QStringLiteral("/ULO2.html"), "<P>two");
    const QString elsewhere = dir.filePath(QStringLiteral("site"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));

    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    ASSERT_EQ(document()->GetDisplayName(), QStringLiteral("ULO1"));
    ModalResponder responder;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        auto& files = static_cast<ULOFileDialog&>(d);
        EXPECT_EQ(files.GetFolderPath(), work);
        EXPECT_EQ(files.fileNameEdit()->text(), QStringLiteral("ULO3"));
        files.ChangeFolder(elsewhere);
        ASSERT_TRUE(ModalResponder::press(d, ULOFileDialog::kHomeFolderButtonId));
        EXPECT_EQ(files.GetFolderPath(), work);
        EXPECT_EQ(files.fileNameEdit()->text(), QStringLiteral("ULO3"));
        files.ChangeFolder(elsewhere);
        ModalResponder::press(d, platform::IDOK);
    });
    app->commands()->sendCommand(33106);
    EXPECT_EQ(document()->pathName(), elsewhere + QStringLiteral("/ULO3.html"));
    EXPECT_TRUE(readFile(elsewhere + QStringLiteral("/ULO3.html")).contains("<BODY"));
    EXPECT_EQ(readFile(work + QStringLiteral("/ULO1.html")), QByteArray("<P>one")) << "nothing taken is replaced";

    // Save As of the next new page starts where the last one went; Cancel keeps it there.
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    QString startedIn;
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        startedIn = static_cast<ULOFileDialog&>(d).GetFolderPath();
        ModalResponder::press(d, platform::IDCANCEL);
    });
    app->commands()->sendCommand(33198);
    EXPECT_EQ(startedIn, elsewhere);
    EXPECT_TRUE(document()->pathName().isEmpty());
    EXPECT_EQ(ReadRecentFolder(QStringLiteral("Save File")), elsewhere);
}

TEST_F(PageDocumentTest, APageOpenedFromAnotherFileHasNoFileOfItsOwn)
{
    const QString source = dir.filePath(QStringLiteral("template.html"));
    writeFile(source, "<HTML><BODY><P id=p>from the template</P></BODY></HTML>");
    CZQDoc* doc = app->OpenNewPage(source);
    ASSERT_NE(doc, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("from the template"));
    EXPECT_TRUE(doc->pathName().isEmpty());
    // A source that is gone: the user is told, the page is empty.
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("読み込めませんでした。\nファイルが見つかりません。"));
    ASSERT_NE(app->OpenNewPage(dir.filePath(QStringLiteral("gone.html"))), nullptr);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    ASSERT_NE(page()->body(), nullptr);
    EXPECT_EQ(page()->body()->innerText(), QString());
}

// ---- opening ----------------------------------------------------------------------

// File > Open takes a page, an address typed into its dialog or an image; a
// page open already comes up instead of opening twice; the recent files open
// a closed page again.
TEST_F(PageDocumentTest, FileOpenTakesAPageAnAddressOrAnImageAndRecentFilesReopen)
{
    const QString path = dir.filePath(QStringLiteral("日記.html"));
    writeFile(path, platform::encodeText(QStringLiteral("<HTML><HEAD><TITLE>日記</TITLE></HEAD>"
                                                        "<BODY><P id=p>今日の出来事</P></BODY></HTML>"),
                                         QStringLiteral("Shift_JIS")));
    const QString other = dir.filePath(QStringLiteral("other.html"));
    writeFile(other, "<HTML><BODY><P>other</P></BODY></HTML>");
    ModalResponder responder;
    const auto choose = [&](const QString& typed) {
        responder.on(ULOFileDialog::kDialogId, [typed](QDialog& d) {
            // A file is chosen in its folder; an address is typed.
            const QFileInfo file(typed);
            if (file.isAbsolute())
                static_cast<ULOFileDialog&>(d).ChangeFolder(file.path());
            ModalResponder::setText(d, 1152, file.isAbsolute() ? file.fileName() : typed);
            ModalResponder::press(d, 1);
        });
        app->commands()->sendCommand(ID_FILE_OPEN_PAGE);
        QCoreApplication::processEvents(); // the page-loaded event
    };
    choose(path);
    ASSERT_NE(document(), nullptr);
    EXPECT_EQ(document()->pathName(), path);
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("今日の出来事"));
    EXPECT_FALSE(document()->isModified());
    choose(other);
    choose(path);
    EXPECT_EQ(app->docTemplate()->documentCount(), 2);
    EXPECT_EQ(document()->pathName(), path);

    // Cancel opens nothing.
    responder.on(ULOFileDialog::kDialogId, [](QDialog& d) { d.reject(); });
    app->commands()->sendCommand(ID_FILE_OPEN_PAGE);
    EXPECT_EQ(app->docTemplate()->documentCount(), 2);

    // Closed, it comes back from the recent files.
    document()->closeDocument();
    QCoreApplication::processEvents();
    const int recent = int(app->recentFiles()->entries().indexOf(path));
    ASSERT_GE(recent, 0);
    app->commands()->sendCommand(57616 + recent);
    QCoreApplication::processEvents();
    EXPECT_EQ(document()->pathName(), path);
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("今日の出来事"));

    // An image: a new page waits for the click that places it.
    const QString image = dir.filePath(QStringLiteral("photo.PNG"));
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(image, "PNG"));
    choose(image);
    EXPECT_EQ(app->docTemplate()->documentCount(), 3);
    EXPECT_TRUE(document()->pathName().isEmpty());
    EXPECT_EQ(frame().m_nInsertKind, 2);
    EXPECT_EQ(frame().m_strInsertImageSrc, image);
    EXPECT_EQ(frame().m_rcInsert.size(), QSize(30, 20));
    EXPECT_EQ(page()->images().length(), 0);
    frame().m_nInsertKind = 0;

    // An address, in any case, opens as a new page of that source; one that
    // cannot be fetched is said so.
    responder.always(platform::kMessageBoxDialogId, [](QDialog& d) { ModalResponder::press(d, platform::IDOK); });
    choose(QStringLiteral("HTTP://127.0.0.1:9/page.html"));
    EXPECT_EQ(app->docTemplate()->documentCount(), 4);
    EXPECT_TRUE(document()->pathName().isEmpty());
    EXPECT_EQ(document()->m_strSourcePath.toLower(), QStringLiteral("http://127.0.0.1:9/page.html"));
}

// ---- the generator META ----------------------------------------------------------

struct GeneratorCase
{
    const char* head;     // what the page's HEAD holds
    const char* expected; // its HEAD after the save's update
};

class GeneratorMetaTest : public PageDocumentTest, public ::testing::WithParamInterface<GeneratorCase>
{
};

TEST_P(GeneratorMetaTest, TheSaveLeavesOneGeneratorMetaOfTheProgram)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, QByteArray("<HTML><HEAD>") + GetParam().head + "</HEAD><BODY><P>x</P></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    doc->UpdateGeneratorMeta();
    EXPECT_EQ(page()->head()->innerHTML(), QString::fromUtf8(GetParam().expected));
    // Done twice, nothing more changes.
    doc->UpdateGeneratorMeta();
    EXPECT_EQ(page()->head()->innerHTML(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, GeneratorMetaTest,
    ::testing::Values(
        // A page without one gets it right after its TITLE.
        GeneratorCase{"<TITLE>t</TITLE><LINK rel=stylesheet href=a.css>",
                      "<TITLE>t</TITLE><META name=generator content=\"Vorna-Paginor 2002\"><LINK rel=stylesheet "
                      "href=\"a.css\">"},
        // The program's own, named Generator, stays alone.
        GeneratorCase{"<TITLE>t</TITLE><META name=Generator content=\"Vorna-Paginor 2002\">",
                      "<TITLE>t</TITLE><META name=Generator content=\"Vorna-Paginor 2002\">"},
        // Naming the program under another name stays, and the generator comes too.
        GeneratorCase{"<TITLE>t</TITLE><META name=author content=\"vorna-paginor user\">",
                      "<TITLE>t</TITLE><META name=generator content=\"Vorna-Paginor 2002\"><META name=author "
                      "content=\"vorna-paginor user\">"},
        // The engine's mark goes, in any case and version, two in a row too;
        // with the program's mark as well it stays.
        GeneratorCase{"<META name=GENERATOR content=\"MSHTML 6.00.2800.1106\"><META content=mshtml><TITLE>t</TITLE>"
                      "<META name=generator content=\"Vorna-Paginor 2002 on MSHTML\">",
                      "<TITLE>t</TITLE><META name=generator content=\"Vorna-Paginor 2002 on MSHTML\">"},
        // Without a TITLE there is no place for it.
        GeneratorCase{"<META name=keywords content=photo>", "<META name=keywords content=photo>"}));

TEST_F(PageDocumentTest, TheGeneratorMetaIsSavedAndIsOneStepOfUndo)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY><P id=p>x</P></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    page()->getElementById(QStringLiteral("p"))->setInnerText(QStringLiteral("y"));
    app->commands()->sendCommand(33106);
    EXPECT_TRUE(readFile(path).contains("<TITLE>t</TITLE>\n<META name=generator content=\"Vorna-Paginor 2002\">"))
        << readFile(path).constData();
    view()->ExecCommand(engine::CommandGroup::Undo);
    EXPECT_EQ(page()->getElementsByTagName(QStringLiteral("META")).length(), 0);
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("y"));
}

TEST_F(PageDocumentTest, AnElementIsAppendedToBodyInOneStepOnlyInTheEditingView)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P>x</P></BODY></HTML>");
    ASSERT_NE(open(path), nullptr);
    engine::Element* made = nullptr;
    ASSERT_TRUE(view()->AppendElementToBody(
        QStringLiteral("TABLE"),
        QStringLiteral("<TABLE id=box style=\"POSITION: absolute\"><TR><TD>in</TD></TR></TABLE>"), &made));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->getAttributeText(QStringLiteral("id")), QStringLiteral("box"));
    EXPECT_EQ(page()->body()->lastChild(), made);
    view()->ExecCommand(engine::CommandGroup::Undo);
    EXPECT_EQ(page()->getElementById(QStringLiteral("box")), nullptr);
    // In the source or the preview nothing is appended.
    frame().GetActiveChild()->m_bEditShown = false;
    EXPECT_FALSE(view()->AppendElementToBody(QStringLiteral("HR"), QStringLiteral("<HR>"), &made));
    EXPECT_EQ(made, nullptr);
    frame().GetActiveChild()->m_bEditShown = true;
}

// A page taken from another folder loses the links and image maps it came
// with, as part of its load; links the user makes afterwards stay, also
// through the save.
TEST_F(PageDocumentTest, AnImportedPageLosesItsOwnLinksOnceAndKeepsNewOnes)
{
    const QString source = dir.filePath(QStringLiteral("other.html"));
    writeFile(source, "<HTML><BODY><P id=p><A href=x.html>old link</A> and words</P>"
                      "<IMG id=img src=a.gif usemap=#m><MAP name=m><AREA href=y.html coords=0,0,9,9></MAP>"
                      "</BODY></HTML>");
    CZQDoc* doc = app->OpenNewPage(source);
    ASSERT_NE(doc, nullptr);
    view()->m_bImportedPage = true; // as the commands that import a page set it
    QCoreApplication::processEvents();
    EXPECT_EQ(page()->getElementsByTagName(QStringLiteral("A")).length(), 0);
    EXPECT_EQ(page()->getElementsByTagName(QStringLiteral("MAP")).length(), 0);
    EXPECT_EQ(page()->getElementsByTagName(QStringLiteral("AREA")).length(), 0);
    EXPECT_FALSE(page()->getElementById(QStringLiteral("img"))->hasAttribute(QStringLiteral("usemap")));
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("old link and words"));
    EXPECT_EQ(view()->QueryCommandStatus(engine::CommandGroup::Undo) & engine::CommandGroup::Enabled, 0u);

    // A new link on "words".
    engine::Text* text = page()->getElementById(QStringLiteral("p"))->lastChild()->asText();
    ASSERT_NE(text, nullptr);
    page()->selection().setTextRange(text, text->length() - 5, text, text->length());
    const engine::Variant href(QStringLiteral("new.html"));
    EXPECT_EQ(view()->ExecCommand(engine::CommandGroup::Hyperlink, &href), 0);
    QCoreApplication::processEvents();
    view()->GetPageView()->renderToImage();
    EXPECT_EQ(page()->getElementsByTagName(QStringLiteral("A")).length(), 1);
    const QString path = dir.filePath(QStringLiteral("mine.html"));
    ASSERT_TRUE(doc->doSave(path, true));
    // The page's text went into a text box when it loaded; the save names
    // the files that links of text boxes reach by their place.
    EXPECT_TRUE(readFile(path).contains("new.html\">words</A>")) << readFile(path).constData();
    EXPECT_FALSE(view()->m_bImportedPage);
    EXPECT_TRUE(doc->m_strSourcePath.isEmpty());
}

// ---- the question before closing ----------------------------------------------

TEST_F(PageDocumentTest, TheQuestionNamesThePathAndOffersApplyToAllOnlyForSeveralPages)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P id=p>a</P></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    page()->getElementById(QStringLiteral("p"))->setInnerText(QStringLiteral("changed"));
    EXPECT_TRUE(doc->isModified());
    ModalResponder responder;
    bool box = true;
    const auto cancel = [&](QDialog& d) {
        box = d.findChild<QWidget*>(QStringLiteral("id_%1").arg(kApplyToAllCheckBoxId)) != nullptr;
        ModalResponder::press(d, platform::IDCANCEL);
    };
    responder.onMessageBox(cancel);
    frame().m_bClosing = true;
    EXPECT_FALSE(doc->saveModified());
    const QString text = responder.messageTexts().value(0);
    EXPECT_TRUE(text.startsWith(path + QStringLiteral("ファイルが変更されました"))) << qPrintable(text);
    EXPECT_FALSE(box);                // one page: no apply-to-all
    EXPECT_FALSE(frame().m_bClosing); // Cancel stops the close in progress

    // Three pages while the program closes: the box is offered.
    for (const char* name : {"b.html", "c.html"}) {
        writeFile(dir.filePath(QString::fromLatin1(name)), "<HTML><BODY></BODY></HTML>");
        ASSERT_NE(open(dir.filePath(QString::fromLatin1(name))), nullptr);
    }
    frame().m_bClosing = true;
    responder.onMessageBox(cancel);
    EXPECT_FALSE(doc->saveModified());
    EXPECT_TRUE(box);

    // No closes the page without saving.
    responder.answerMessageBox(platform::IDNO);
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(readFile(path), QByteArray("<HTML><BODY><P id=p>a</P></BODY></HTML>"));
}

// Closing the window of a changed page asks first: Cancel keeps it open and
// changed, Yes saves it and closes it.
TEST_F(PageDocumentTest, ClosingTheWindowOfAChangedPageAsks)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P id=p>a</P></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    CChildFrame* child = frame().GetActiveChild();
    child->close(); // unchanged: no question
    QCoreApplication::processEvents();
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);

    doc = open(path);
    ASSERT_NE(doc, nullptr);
    child = frame().GetActiveChild();
    page()->getElementById(QStringLiteral("p"))->setInnerText(QStringLiteral("changed"));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDCANCEL, QStringLiteral("ファイルが変更されました"));
    EXPECT_FALSE(child->close());
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_TRUE(doc->isModified());
    responder.answerMessageBox(platform::IDYES, QStringLiteral("ファイルが変更されました"));
    EXPECT_TRUE(child->close());
    QCoreApplication::processEvents();
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
    EXPECT_TRUE(readFile(path).contains("<P id=p>changed</P>")) << readFile(path).constData();
}

// ---- failures ------------------------------------------------------------------

// The process writes as another user while it lives (root may write anywhere).
class UnprivilegedWrites
{
public:
    UnprivilegedWrites()
    {
        if (::geteuid() == 0)
            m_dropped = ::seteuid(65534) == 0;
    }
    ~UnprivilegedWrites()
    {
        if (m_dropped) [[maybe_unused]]
            int restored = ::seteuid(0);
    }

private:
    bool m_dropped = false;
};

TEST_F(PageDocumentTest, ASaveIntoAReadOnlyFolderSaysWhyAndKeepsTheOldFileAndTheChanges)
{
    const QString folder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/a.html");
    const QByteArray old = "<HTML><BODY><P id=p>old</P></BODY></HTML>";
    writeFile(path, old);
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    page()->getElementById(QStringLiteral("p"))->setInnerText(QStringLiteral("new"));
    const auto readOnly =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir.path(), readOnly | QFile::WriteOwner);
    QFile::setPermissions(folder, readOnly);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK);
    bool saved = true;
    {
        UnprivilegedWrites asUser;
        saved = doc->doSave(path, true);
    }
    QFile::setPermissions(folder, readOnly | QFile::WriteOwner);
    EXPECT_FALSE(saved);
    const QString text = responder.messageTexts().value(0);
    EXPECT_TRUE(text.contains(QStringLiteral("権限がありません"))) << qPrintable(text);
    EXPECT_EQ(readFile(path), old);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("new"));

    // Closing the page: the failed save keeps it open and stops the close.
    responder.answerMessageBox(platform::IDYES, QStringLiteral("保存しますか"));
    responder.answerMessageBox(platform::IDOK, QStringLiteral("保存できませんでした"));
    QFile::setPermissions(folder, readOnly);
    {
        UnprivilegedWrites asUser;
        frame().OnFileCloseAll();
    }
    QFile::setPermissions(folder, readOnly | QFile::WriteOwner);
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_FALSE(frame().m_bClosing);
}

// On a disk with no room left (a small file system the test mounts): a page
// saved by Ctrl+S and by Save As, whether it fits a write buffer or not,
// fails with the message naming the cause; the old file keeps its bytes,
// nothing new is left on the disk, and the page keeps its changes.
TEST_F(PageDocumentTest, ASaveOnAFullDiskSaysSoAndKeepsTheOldFile)
{
    SmallFileSystem fs;
    PAGINOR_SKIP_WITHOUT(fs);
    const QString path = fs.filePath(QStringLiteral("page.html"));
    const QByteArray old = platform::encodeText(
        QStringLiteral(
            "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
            "<TITLE>日記</TITLE></HEAD><BODY><TABLE id=text><TR><TD id=p>今日の日記</TD></TR></TABLE></BODY></HTML>"),
        QStringLiteral("Shift_JIS"));
    writeFile(path, old);
    ASSERT_TRUE(fs.fill());
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    QApplication::setActiveWindow(&frame());
    engine::Element* p = page()->getElementById(QStringLiteral("p"));
    // `before` answers what comes ahead of the failure's message.
    const auto saveFails = [&](const std::function<void()>& save,
                               const std::function<void(ModalResponder&)>& before = {}) {
        ModalResponder responder;
        if (before)
            before(responder);
        responder.answerMessageBox(platform::IDOK, QStringLiteral("ディスクの空き容量が足りません。"));
        save();
        EXPECT_TRUE(responder.messageTexts()
                        .value(responder.runCount(platform::kMessageBoxDialogId) - 1)
                        .contains(QDir::toNativeSeparators(path)));
        EXPECT_EQ(responder.pending(), 0);
        EXPECT_EQ(readFile(path), old);
        EXPECT_EQ(fs.entries(), QStringList{QStringLiteral("page.html")});
        EXPECT_TRUE(doc->isModified());
        EXPECT_EQ(doc->pathName(), path);
    };
    // A word typed, Ctrl+S: a page of about 200 bytes.
    typeAtEndOf("p", QStringLiteral("abc"));
    ASSERT_EQ(p->innerText(), QStringLiteral("今日の日記abc"));
    saveFails([&] {
        app->OnIdle(); // as when the event loop waits: the commands' states are brought up to date
        ASSERT_TRUE(app->commands()->action(33106)->isEnabled());
        QTest::keyClick(view()->GetPageView(), Qt::Key_S, Qt::ControlModifier);
    });
    EXPECT_LT(page()->loader().fileBytes().size(), 300);
    // 16 KB (the edge of a write buffer) and 1 MB, by File > Save and by Save As.
    for (const int size : {16 * 1024, 1024 * 1024}) {
        SCOPED_TRACE(size);
        p->setInnerText(QString(size, QLatin1Char('x')));
        saveFails([&] { app->commands()->sendCommand(33106); });
        saveFails([&] { app->commands()->sendCommand(33198); },
                  [&](ModalResponder& responder) {
                      responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
                          static_cast<QFileDialog&>(d).selectFile(path);
                          QMetaObject::invokeMethod(&d, "accept");
                      });
                      responder.answerMessageBox(platform::IDYES); // replace the file that is there
                  });
    }
    // With room again the page is saved.
    fs.unfill();
    p->setInnerText(QStringLiteral("明日の日記"));
    ModalResponder none;
    app->commands()->sendCommand(33106);
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(
        platform::decodeText(readFile(path), QStringLiteral("Shift_JIS")).contains(QStringLiteral("明日の日記")));
}

// A page but a short one is read, decoded and parsed in the background:
// the window goes on while it is read, and a save before it is in writes
// nothing over the file.
TEST_F(PageDocumentTest, APageIsReadInTheBackgroundAndNotSavedHalfRead)
{
    for (const qint64 size : {CHtmlEditCntrItem::kBackgroundReadBytes, qint64(1024 * 1024)}) {
        QByteArray bytes = "<HTML><HEAD><TITLE>long</TITLE></HEAD><BODY>";
        for (int i = 0; bytes.size() < size; ++i)
            bytes += "<P>長いページの段落 " + QByteArray::number(i) + " with some words in it.</P>\n";
        bytes += "<P id=last>end</P></BODY></HTML>";
        const QString path = dir.filePath(QStringLiteral("page%1.html").arg(size));
        writeFile(path, bytes);
        ASSERT_TRUE(app->OpenDocumentFile(path));
        CZQDoc* doc = document();
        ASSERT_TRUE(page()->isLoading()) << size;
        EXPECT_EQ(page()->getElementById(QStringLiteral("last")), nullptr);
        ModalResponder responder;
        responder.answerMessageBox(platform::IDOK, QStringLiteral("読み込み中"));
        EXPECT_FALSE(doc->doSave(path, true));
        EXPECT_EQ(readFile(path), bytes);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !page()->isLoading() && view()->m_bLoadCompleted; }, 30000));
        ASSERT_NE(page()->getElementById(QStringLiteral("last")), nullptr);
        EXPECT_EQ(doc->GetPageTitle(), QStringLiteral("long"));
        EXPECT_FALSE(doc->isModified());
    }
}

// Closing the window of a page still being read stops the read: the window
// closes without a question, and the other pages and the file stay as
// they were.
TEST_F(PageDocumentTest, ClosingAPageWhileItIsReadLosesNothing)
{
    const QString kept = dir.filePath(QStringLiteral("kept.html"));
    writeFile(kept, "<HTML><BODY><P id=p>kept</P></BODY></HTML>");
    CZQDoc* keptDoc = open(kept);
    ASSERT_NE(keptDoc, nullptr);
    engine::Document* keptPage = page();
    keptPage->getElementById(QStringLiteral("p"))->setInnerText(QStringLiteral("edited"));
    ASSERT_TRUE(keptDoc->isModified());

    QByteArray bytes = "<HTML><BODY>";
    for (int i = 0; bytes.size() < 4 * 1024 * 1024; ++i)
        bytes += "<P id=p>a long page, paragraph " + QByteArray::number(i) + "</P>\n";
    bytes += "</BODY></HTML>";
    const QString path = dir.filePath(QStringLiteral("long.html"));
    writeFile(path, bytes);
    ASSERT_TRUE(app->OpenDocumentFile(path));
    ASSERT_TRUE(page()->isLoading());
    ModalResponder noQuestion;
    EXPECT_TRUE(frame().GetActiveChild()->close());
    QCoreApplication::processEvents();
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    // What the worker still sends goes nowhere.
    ASSERT_TRUE(QTest::qWaitFor(
        [] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return platform::backgroundPool()->activeThreadCount() == 0;
        },
        30000));
    QCoreApplication::processEvents();
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_EQ(document(), keptDoc);
    EXPECT_EQ(page(), keptPage);
    EXPECT_TRUE(keptDoc->isModified());
    EXPECT_EQ(keptPage->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("edited"));
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(readFile(kept), QByteArray("<HTML><BODY><P id=p>kept</P></BODY></HTML>"));
}

TEST_F(PageDocumentTest, UnreadableAndStrangePagesOpenAsFarAsTheyCan)
{
    // Broken Shift_JIS, a binary file, an empty file and deep nesting: each
    // opens as a page, nothing crashes, nothing is modified.
    QByteArray broken = platform::encodeText(QStringLiteral("<HTML><BODY><P>壊れた"), QStringLiteral("Shift_JIS"));
    broken += "\x82\xff\x81</P></BODY></HTML>";
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char(i * 37);
    QByteArray nested = "<HTML><BODY>";
    for (int i = 0; i < 20000; ++i)
        nested += "<DIV>";
    nested += "deep</BODY></HTML>";
    int n = 0;
    ModalResponder responder;
    for (const QByteArray& bytes : {broken, binary, QByteArray(), nested}) {
        const QString path = dir.filePath(QStringLiteral("page%1.html").arg(++n));
        writeFile(path, bytes);
        if (bytes == nested)
            responder.answerMessageBox(platform::IDOK, QStringLiteral("入れ子が深すぎる"));
        CZQDoc* doc = open(path);
        ASSERT_NE(doc, nullptr) << n;
        ASSERT_NE(page(), nullptr);
        EXPECT_FALSE(doc->isModified()) << n;
        view()->GetPageView()->renderToImage();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(responder.pending(), 0);
}

// A part of a page nested deeper than the layout takes is not shown: the
// user is told so once, when the page opens or when an edit first nests
// something that deep, and the part is saved as it was. A page nested deep
// but within the layout's limits says nothing: they are met as in BODY,
// the text box the program puts a page's content in not counted.
TEST_F(PageDocumentTest, APartNestedTooDeepToShowIsToldOnceAndSavedAsItWas)
{
    const auto nestedPage = [](int divs, int tables) {
        QByteArray html = "<HTML><BODY><P>top</P>";
        for (int i = 0; i < divs; ++i)
            html += "<DIV>";
        for (int i = 0; i < tables; ++i)
            html += "<TABLE><TR><TD>";
        html += "<SPAN id=deep>deepest</SPAN>";
        for (int i = 0; i < tables; ++i)
            html += "</TD></TR></TABLE>";
        for (int i = 0; i < divs; ++i)
            html += "</DIV>";
        return html + "</BODY></HTML>";
    };
    ModalResponder responder;
    responder.always(platform::kMessageBoxDialogId, [](QDialog& d) { ModalResponder::press(d, platform::IDOK); });
    const auto toldAfterAPaint = [&] {
        view()->GetPageView()->renderToImage();
        QTest::qWait(50);
        return responder.runCount(platform::kMessageBoxDialogId);
    };
    // (HTML stands at depth 0 and BODY at 1: the SPAN at 2 + divs.)
    const int deepDivs = engine::LayoutSerializer::kMaxDepth - 2;
    int n = 0;
    for (const QByteArray& bytes : {nestedPage(0, engine::LayoutSerializer::kMaxTableDepth), nestedPage(deepDivs, 0)}) {
        const QString path = dir.filePath(QStringLiteral("within%1.html").arg(++n));
        writeFile(path, bytes);
        ASSERT_NE(open(path), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view()->GetPageView()->layout().isLayingOutInBackground(); }));
        EXPECT_EQ(toldAfterAPaint(), 0) << n;
    }
    // An edit nests B elements twelve levels deeper than the page had.
    engine::Element* deepest = page()->getElementById(QStringLiteral("deep"));
    deepest->setInnerHTML(QStringLiteral("<B>").repeated(12) + QStringLiteral("deeper"));
    EXPECT_EQ(toldAfterAPaint(), 1);
    deepest->setInnerHTML(QStringLiteral("<B>").repeated(12) + QStringLiteral("again"));
    EXPECT_EQ(toldAfterAPaint(), 1);

    const QByteArray deep = nestedPage(deepDivs + 1, 0);
    const QString path = dir.filePath(QStringLiteral("deep.html"));
    writeFile(path, deep);
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(toldAfterAPaint(), 2);
    EXPECT_TRUE(responder.messageTexts().value(1).contains(QStringLiteral("入れ子が深すぎる")));
    EXPECT_EQ(page()->getElementById(QStringLiteral("deep"))->innerText(), QStringLiteral("deepest"));
    const QString saved = dir.filePath(QStringLiteral("saved.html"));
    ASSERT_TRUE(doc->doSave(saved, true));
    const QByteArray bytes = readFile(saved);
    EXPECT_EQ(bytes.count("<DIV>"), deepDivs + 1);
    EXPECT_TRUE(bytes.contains("<SPAN id=deep>deepest</SPAN>"));
    EXPECT_EQ(toldAfterAPaint(), 2);
}

// ---- reload, gateway, zoom -------------------------------------------------------

TEST_F(PageDocumentTest, YesToAChangeOutsideReloadsTheLivePage)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P id=p>first</P></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    engine::PageView* before = view()->GetPageView();
    writeFile(path, "<HTML><BODY><P id=p>second</P></BODY></HTML>");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(doc->m_timeFile.addSecs(10), QFileDevice::FileModificationTime);
    }
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, QStringLiteral("再更新しますか"));
    frame().OnActivateApp();
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_EQ(view()->GetPageView(), before); // the same view and engine
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("second"));
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(view()->QueryCommandStatus(engine::CommandGroup::Undo) & engine::CommandGroup::Enabled, 0u);
    frame().OnActivateApp(); // not asked again
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
}

TEST_F(PageDocumentTest, TheGatewayRunsEngineCommandsAndSaysWhenThereIsNoEngine)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P id=p>one two</P></BODY></HTML>");
    ASSERT_NE(open(path), nullptr);
    CZQView* pageView = view();
    // Design mode as the view set it up: absolute positioning, live resizing, zero borders.
    for (int id : {engine::CommandGroup::Position2D, engine::CommandGroup::LiveResize,
                   engine::CommandGroup::ShowZeroBorders, engine::CommandGroup::EditMode})
        EXPECT_TRUE(pageView->QueryCommandStatus(id) & engine::CommandGroup::Latched) << id;
    EXPECT_TRUE(pageView->GetPageView()->showZeroBorders());
    // An unknown command is refused, not claimed.
    EXPECT_EQ(pageView->QueryCommandStatus(4711), 0u);
    EXPECT_LT(pageView->ExecCommand(4711), 0);
    // Printing goes to the program's printing (its dialog here is cancelled).
    ModalResponder responder;
    responder.always(27, [](QDialog& d) { d.reject(); });
    EXPECT_EQ(pageView->ExecCommand(27, nullptr, nullptr, true), S_FALSE);
    EXPECT_EQ(responder.runCount(27), 1);
    // Edit > Delete of the view (33012) on a text selection.
    engine::Text* text = page()->getElementById(QStringLiteral("p"))->firstChild()->asText();
    page()->selection().setTextRange(text, 0, text, 4);
    app->commands()->sendCommand(33012);
    EXPECT_EQ(page()->getElementById(QStringLiteral("p"))->innerText(), QStringLiteral("two"));
    // Once the engine is gone, commands fail and report nothing enabled.
    pageView->OnDestroy();
    EXPECT_EQ(pageView->ExecCommand(engine::CommandGroup::Undo), -1);
    EXPECT_EQ(pageView->QueryCommandStatus(engine::CommandGroup::Undo), 0u);
}

TEST_F(PageDocumentTest, ZoomScalesTheViewAndLeavesThePageAlone)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P>text</P><DIV style=\"POSITION: absolute; LEFT: 10px; TOP: 40px; WIDTH: 40px; "
                    "HEIGHT: 20px; BACKGROUND: #ff0000\"></DIV></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    // The red box as painted: the size of its red on the screen (design
    // mode dots its outline).
    const auto redPixels = [&] {
        const QImage image = view()->GetPageView()->renderToImage();
        QRect red;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(255, 0, 0))
                    red |= QRect(x, y, 1, 1);
        return red.width() * red.height();
    };
    EXPECT_EQ(redPixels(), 40 * 20);
    const QString before = page()->body()->innerHTML();
    app->commands()->sendCommand(33018); // 150%
    EXPECT_EQ(view()->GetPageView()->zoom(), 150);
    EXPECT_EQ(redPixels(), 60 * 30);
    app->commands()->sendCommand(33019); // 200%
    EXPECT_EQ(view()->GetPageView()->zoom(), 200);
    EXPECT_EQ(redPixels(), 80 * 40);
    EXPECT_EQ(page()->body()->innerHTML(), before);
    EXPECT_FALSE(doc->isModified());
    app->commands()->sendCommand(33016); // 100%
    EXPECT_EQ(view()->GetPageView()->zoom(), 100);
    EXPECT_EQ(redPixels(), 40 * 20);
}

// Moving and resizing a positioned object with the mouse, as the view set the
// engine up; each is one step of undo.
TEST_F(PageDocumentTest, PositionedObjectsMoveAndResizeWithTheMouse)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><TABLE id=box border=1 width=100 height=60 "
                    "style=\"POSITION: absolute; LEFT: 100px; TOP: 80px\"><TR><TD>box</TD></TR></TABLE>"
                    "</BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    engine::PageView* pageView = view()->GetPageView();
    pageView->flushChanges();
    frame().m_settings.snapOn = false; // sizes as dragged, not to the grid
    engine::Element* box = page()->getElementById(QStringLiteral("box"));
    engine::Geometry geometry(pageView->layout());
    const QRect before = geometry.boundingClientRect(box);
    QWidget* viewport = pageView->viewport();
    auto drag = [&](QPoint from, QPoint to) {
        // The pointer comes over the place first: the cursor it shows there decides the drag.
        QTest::mouseMove(viewport, pageView->clientToView(from));
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pageView->clientToView(from));
        for (int i = 1; i <= 5; ++i) {
            QMouseEvent move(QEvent::MouseMove, pageView->clientToView(from + (to - from) * i / 5),
                             viewport->mapToGlobal(pageView->clientToView(from + (to - from) * i / 5)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pageView->clientToView(to));
        pageView->flushChanges();
    };
    // A click on the table's border selects it; a drag from there moves it.
    const QPoint border(before.left() + 1, before.top() + 1);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, pageView->clientToView(border));
    ASSERT_EQ(page()->selection().typeText(), QStringLiteral("Control"));
    drag(border, border + QPoint(40, 30));
    EXPECT_EQ(geometry.boundingClientRect(box).topLeft(), before.topLeft() + QPoint(40, 30));
    EXPECT_TRUE(doc->isModified());
    // The bottom-right handle resizes it.
    const QRect moved = geometry.boundingClientRect(box);
    const QPoint handle = engine::PageView::handleRects(moved)[7].center();
    drag(handle, handle + QPoint(20, 10));
    EXPECT_EQ(geometry.boundingClientRect(box).size(), moved.size() + QSize(20, 10));
    // Undo (Ctrl+Z in the page) takes each back in one step.
    QTest::keyClick(pageView, Qt::Key_Z, Qt::ControlModifier);
    pageView->flushChanges();
    EXPECT_EQ(geometry.boundingClientRect(box), moved);
    QTest::keyClick(pageView, Qt::Key_Z, Qt::ControlModifier);
    pageView->flushChanges();
    EXPECT_EQ(geometry.boundingClientRect(box), before);
}

// Insert switches the page to overwrite typing and back; what is typed in one
// go is one step of undo.
TEST_F(PageDocumentTest, InsertSwitchesToOverwriteAndTypingIsOneStepOfUndo)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><TABLE id=text><TR><TD id=p>abcdef</TD></TR></TABLE></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    engine::PageView* pageView = view()->GetPageView();
    QApplication::setActiveWindow(&frame());
    view()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), pageView);
    engine::Element* p = page()->getElementById(QStringLiteral("p"));
    const auto caretAtStart = [&] {
        engine::Text* text = p->firstChild()->asText();
        page()->selection().setTextRange(text, 0, text, 0);
    };
    caretAtStart();
    QTest::keyClick(pageView, Qt::Key_Insert);
    EXPECT_TRUE(frame().m_bOverwrite);
    QTest::keyClicks(pageView, QStringLiteral("XY"));
    EXPECT_EQ(p->innerText(), QStringLiteral("XYcdef"));
    EXPECT_TRUE(doc->isModified());
    QTest::keyClick(pageView, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(p->innerText(), QStringLiteral("abcdef"));

    // Insert again: typing goes in before the text.
    QTest::keyClick(pageView, Qt::Key_Insert);
    EXPECT_FALSE(frame().m_bOverwrite);
    caretAtStart();
    QTest::keyClicks(pageView, QStringLiteral("XY"));
    EXPECT_EQ(p->innerText(), QStringLiteral("XYabcdef"));
    QTest::keyClick(pageView, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(p->innerText(), QStringLiteral("abcdef"));
}

// Files dropped on the page take the main window's way: an image goes in
// where it was dropped, a page opens in its own window.
TEST_F(PageDocumentTest, FilesDroppedOnThePageGoTheProgramsWay)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY><P>text</P></BODY></HTML>");
    ASSERT_NE(open(path), nullptr);
    const QString image = dir.filePath(QStringLiteral("photo.png"));
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(image));
    engine::PageView* pageView = view()->GetPageView();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(image)});
    const QPoint at = pageView->clientToView(QPoint(60, 50));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pageView->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pageView->viewport(), &drop);
    ASSERT_EQ(page()->images().length(), 1);
    EXPECT_TRUE(page()->images().item(0)->style().cssText().contains(QStringLiteral("LEFT: 60px; TOP: 50px")));

    const QString other = dir.filePath(QStringLiteral("b.html"));
    writeFile(other, "<HTML><BODY></BODY></HTML>");
    data.setUrls({QUrl::fromLocalFile(other)});
    QDragEnterEvent enterPage(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pageView->viewport(), &enterPage);
    QDropEvent dropPage(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pageView->viewport(), &dropPage);
    EXPECT_EQ(app->docTemplate()->documentCount(), 2);
    EXPECT_EQ(document()->pathName(), other);
}

// A frameset page is written by the document itself from its frameset text,
// whole or not at all, with the frames' sources made relative to its folder.
TEST_F(PageDocumentTest, AFramesetPageWritesItsFramesetText)
{
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    CZQDoc* doc = document();
    CChildFrame* child = frame().GetActiveChild();
    FrameTree& tree = child->frameTree();
    tree.root = std::make_unique<VornaFrameSet>();
    tree.root->SetKind(QStringLiteral("FRAMESET"));
    tree.rootView = view();
    const QString folder = dir.filePath(QStringLiteral("site"));
    ASSERT_TRUE(QDir().mkpath(folder));
    doc->m_strFramesetHtml = QStringLiteral("<HTML>\r\n<HEAD>\r\n    <TITLE>フレーム</TITLE>\r\n</HEAD>\r\n"
                                            "<FRAMESET cols=\"30%,*\">\r\n    <FRAME src=\"file:///%1/menu.html\">\r\n"
                                            "    <FRAME src=\"%2/main.html\">\r\n</FRAMESET>\r\n</HTML>")
                                 .arg(folder.mid(1), folder);
    doc->m_bPageChanged = true;
    EXPECT_TRUE(doc->isModified());
    const QString path = folder + QStringLiteral("/index.html");
    ASSERT_TRUE(doc->onSaveDocument(path));
    const QString written = platform::decodeText(readFile(path), QStringLiteral("shift_jis"));
    EXPECT_TRUE(written.contains(QStringLiteral("<TITLE>フレーム</TITLE>")));
    EXPECT_TRUE(written.contains(QStringLiteral("src=\"menu.html\""))) << qPrintable(written);
    EXPECT_TRUE(written.contains(QStringLiteral("src=\"main.html\""))) << qPrintable(written);
    EXPECT_TRUE(doc->m_strFramesetHtml.isEmpty());
    EXPECT_FALSE(doc->m_bPageChanged);
    EXPECT_TRUE(doc->m_timeFile.isValid());

    // Nothing waiting: the file is only checked.
    EXPECT_TRUE(doc->onSaveDocument(path));
    // A path that names a folder is refused, and the text waits on.
    doc->m_strFramesetHtml = QStringLiteral("<HTML><FRAMESET></FRAMESET></HTML>");
    doc->m_bPageChanged = true;
    EXPECT_FALSE(doc->onSaveDocument(folder));
    EXPECT_FALSE(doc->m_strFramesetHtml.isEmpty());
    EXPECT_EQ(platform::decodeText(readFile(path), QStringLiteral("shift_jis")), written);

    // On a full disk the message names the cause and the old file stays.
    SmallFileSystem fs;
    if (fs.isMounted()) {
        const QString onFull = fs.filePath(QStringLiteral("index.html"));
        writeFile(onFull, "<HTML><FRAMESET cols=\"*\"></FRAMESET></HTML>");
        ASSERT_TRUE(fs.fill());
        ModalResponder responder;
        responder.answerMessageBox(platform::IDOK, QStringLiteral("ディスクの空き容量が足りません。"));
        EXPECT_FALSE(doc->onSaveDocument(onFull));
        EXPECT_EQ(readFile(onFull), QByteArray("<HTML><FRAMESET cols=\"*\"></FRAMESET></HTML>"));
        EXPECT_EQ(fs.entries(), QStringList{QStringLiteral("index.html")});
        EXPECT_FALSE(doc->m_strFramesetHtml.isEmpty());
    }
    tree.rootView = nullptr;
    tree.clear();
}

// The shared helpers reach the page views through the application context.
TEST_F(PageDocumentTest, TheApplicationContextReachesTheActivePage)
{
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, "<HTML><BODY></BODY></HTML>");
    CZQDoc* doc = open(path);
    ASSERT_NE(doc, nullptr);
    AppContext& context = AppContext::instance();
    EXPECT_EQ(context.activeView(), view());
    EXPECT_EQ(context.viewDocument(view()), page());
    EXPECT_FALSE(context.isImportedPage(view()));
    view()->m_bImportedPage = true;
    EXPECT_TRUE(context.isImportedPage(view()));
    EXPECT_FALSE(doc->isModified());
    context.setPageChanged(view());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(context.saveDocument(doc), path);
    EXPECT_FALSE(doc->isModified());
    const QList<AppContext::OpenDocument> open = context.openDocuments();
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0].displayName, QStringLiteral("a.html"));
    EXPECT_EQ(open[0].path, path);
}

// ---- names ----------------------------------------------------------------------

TEST(PageDisplayName, FileNameOfASavedPageAndTheNamePartOfAnUntitledOnesTitle)
{
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("Top.htm"), QStringLiteral("/web/Top.htm")),
              QStringLiteral("Top.htm"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("a.html"), QStringLiteral("/web/a.html")), QStringLiteral("a.html"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("ULO3"), QString()), QStringLiteral("ULO3"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("Untitled3"), QString()), QStringLiteral("Untitled3"));
    // A quoted page title before the name; the mark decides where the name starts.
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("\"My page\" - ULO2 extra"), QString()), QStringLiteral("ULO2"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("x frame2"), QString()), QStringLiteral("frame2"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("new frameset1"), QString()), QStringLiteral("frameset1"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("plain"), QString()), QStringLiteral("plain"));
    // A saved page whose file is named without an HTML ending is named as its file.
    EXPECT_EQ(CZQDoc::DisplayNameOf(QStringLiteral("notes"), QStringLiteral("/web/notes")), QStringLiteral("notes"));
    EXPECT_EQ(CZQDoc::DisplayNameOf(QString(), QString()), QString());
}

} // namespace
