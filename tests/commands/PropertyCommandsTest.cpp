// 設定 > ドキュメントのプロパティ, the image, marquee and rule properties, the
// page encoding and 設定 > プロパティ, on pages in the program: the dialogs
// are answered as a user would, the page and its undo history read back.

#include "FormatPage.h"

#include "app/CZQDoc.h"
#include "chrome/CMenuBar.h"
#include "commands/ObjectProperties.h"
#include "commands/PageProperties.h"
#include "dialogs/VornaDialogHrProperty.h"
#include "dialogs/VornaDialogImageProperty.h"
#include "dialogs/VornaDialogMarquee.h"
#include "dialogs/ZQ_DIAG_PAGEPROPERTY.h"
#include "res/resource.h"
#include "util/ColorText.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/css/Style.h"

#include "platform/ModalResponder.h"

#include "support/DialogInput.h"

#include <QDir>
#include <QImage>
#include <QMenu>

#include <functional>

namespace {

class PropertyCommands : public FormatPage
{
protected:
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }

    // Opens a whole page as it stands in its file.
    CZQView* openHtml(const QString& html, const char* charset = "UTF-8", const QString& name = "page")
    {
        const QString path = dir.filePath(name + QStringLiteral(".html"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::encodeText(html, QString::fromLatin1(charset)));
        file.close();
        if (!app->OpenDocumentFile(path))
            return nullptr;
        settle();
        return view();
    }

    // A picture file of this size beside the page.
    void picture(const char* name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(dir.filePath(QString::fromLatin1(name))));
    }

    // Sends a properties command; `answer` changes the dialog as the user
    // would (nothing: OK as it opened). Gives how often the dialog ran.
    template <class Dialog>
    int runDialog(int command, int dialogId, std::function<void(Dialog&)> answer, int result = platform::IDOK)
    {
        platform::ModalResponder responder;
        responder.on(dialogId, [&](QDialog& d) {
            auto& dialog = static_cast<Dialog&>(d);
            if (answer)
                answer(dialog);
            dialog.done(result);
        });
        run(command);
        return responder.runCount(dialogId);
    }
    int runPage(std::function<void(ZQ_DIAG_PAGEPROPERTY&)> answer, int result = platform::IDOK)
    {
        return runDialog<ZQ_DIAG_PAGEPROPERTY>(ID_DOCUMENT_PROPERTIES, IDD_PAGE_PROPERTY, std::move(answer), result);
    }
    int runImage(std::function<void(VornaDialogImageProperty&)> answer)
    {
        return runDialog<VornaDialogImageProperty>(ID_IMAGE_PROPERTIES, IDD_IMAGE_PROPERTY, std::move(answer));
    }
    int runMarquee(std::function<void(VornaDialogMarquee&)> answer)
    {
        return runDialog<VornaDialogMarquee>(ID_MARQUEE_PROPERTIES, IDD_MARQUEE, std::move(answer));
    }
    int runRule(std::function<void(VornaDialogHrProperty&)> answer)
    {
        return runDialog<VornaDialogHrProperty>(ID_RULE_PROPERTIES, IDD_HR_PROPERTY, std::move(answer));
    }

    QString attr(const char* id, const char* name) const
    {
        return byId(id)->getAttributeText(QString::fromLatin1(name));
    }
    bool has(const char* id, const char* name) const { return byId(id)->hasAttribute(QString::fromLatin1(name)); }
    QString style(const char* id, const char* name) const
    {
        const engine::Style* s = byId(id)->styleIfAny();
        return s ? s->value(QString::fromLatin1(name)) : QString();
    }
    // The page's BGSOUND elements as "src|loop" in page order, and where the
    // first stands ("after TITLE", "in HEAD", "in BODY").
    QStringList sounds() const
    {
        QStringList out;
        const engine::ElementCollection all = doc()->getElementsByTagName(QStringLiteral("BGSOUND"));
        for (int i = 0; i < all.length(); ++i)
            out << all.item(i)->getAttributeText("src") + "|" + all.item(i)->getAttributeText("loop");
        return out;
    }
    bool soundFollowsTitle() const
    {
        engine::Element* title = doc()->getElementsByTagName(QStringLiteral("TITLE")).item(0);
        const engine::Node* next = title ? title->nextSibling() : nullptr;
        const engine::Element* element = next ? next->asElement() : nullptr;
        return element && element->hasTag(QLatin1String("BGSOUND"));
    }
};

QString pageHtml(const QString& head, const QString& body)
{
    return QStringLiteral("<HTML><HEAD>%1</HEAD>\n<BODY%2</BODY></HTML>\n").arg(head, body);
}

// ---- document properties -----------------------------------------------------

TEST_F(PropertyCommands, DocumentPropertiesOpenWithThePageAndChangeOnlyWhatTheUserChanged)
{
    ASSERT_NE(openHtml(pageHtml("<TITLE>旅の記録</TITLE><BGSOUND src=\"music/a.mid\" loop=3>",
                                " background=\"kabe.gif\" bgcolor=#ffcc00 text=red link=notacolor>"
                                "<P id=p>本文</P>")),
              nullptr);
    ZQ_DIAG_PAGEPROPERTY opened;
    const QString before = doc()->body()->outerHTML();
    const int steps = undoSteps();
    ASSERT_EQ(runPage([&](ZQ_DIAG_PAGEPROPERTY& d) {
                  opened.m_strTitle = d.m_strTitle;
                  opened.m_strBackground = d.m_strBackground;
                  opened.m_crBackground = d.m_crBackground;
                  opened.m_crText = d.m_crText;
                  opened.m_crLink = d.m_crLink;
                  opened.m_crVLink = d.m_crVLink;
                  opened.m_strSound = d.m_strSound;
                  opened.m_strRepeat = d.m_strRepeat;
                  opened.m_bContinuous = d.m_bContinuous;
                  opened.m_strEncoding = d.m_strEncoding;
              }),
              1);
    EXPECT_EQ(opened.m_strTitle, QStringLiteral("旅の記録"));
    EXPECT_EQ(opened.m_strBackground, QStringLiteral("kabe.gif"));
    EXPECT_EQ(opened.m_crBackground, platform::rgb(0xFF, 0xCC, 0));
    EXPECT_EQ(opened.m_crText, platform::rgb(0xFF, 0, 0));
    EXPECT_EQ(opened.m_crLink, 0u); // a colour the engine cannot read
    EXPECT_EQ(opened.m_crVLink, kColorDefault);
    EXPECT_EQ(opened.m_strSound, QStringLiteral("music/a.mid"));
    EXPECT_EQ(opened.m_strRepeat, QStringLiteral("3"));
    EXPECT_EQ(opened.m_bContinuous, 0);
    EXPECT_EQ(opened.m_strEncoding, QStringLiteral("Unicode(UTF-8)"));
    // OK untouched: the page is as it was, the unreadable colour included.
    EXPECT_EQ(doc()->body()->outerHTML(), before);
    EXPECT_EQ(sounds(), QStringList{"music/a.mid|3"});
    EXPECT_LE(undoSteps(), steps + 1);

    // Cancel writes nothing, whatever the dialog holds.
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strTitle = "x"; }, platform::IDCANCEL);
    EXPECT_EQ(doc()->title(), QStringLiteral("旅の記録"));
}

TEST_F(PropertyCommands, TitleBackgroundAndColoursAreWrittenAsOneStep)
{
    ASSERT_NE(openHtml(pageHtml("<TITLE>Home</TITLE>", " background=\"kabe.gif\" bgcolor=#ffcc00 text=red>x")),
              nullptr);
    const int steps = undoSteps();
    doc()->setDirty(false);
    view()->GetDocument()->m_bPageChanged = false;
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) {
        d.m_strTitle = "home"; // only the case differs: a change
        d.m_strBackground = "image\\bg 1.gif";
        d.m_crBackground = kColorDefault;
        d.m_bBgColorChanged = true;
        d.m_crText = platform::rgb(0, 0x80, 0);
        d.m_bTextColorChanged = true;
        d.m_crALink = kColorNone;
        d.m_bALinkColorChanged = true;
        d.m_bModified = true;
    });
    EXPECT_EQ(doc()->title(), QStringLiteral("home"));
    EXPECT_TRUE(view()->GetParentFrame()->windowTitle().contains(QStringLiteral("home")));
    engine::Element* body = doc()->body();
    EXPECT_EQ(body->getAttributeText("background"), QStringLiteral("image/bg 1.gif"));
    EXPECT_FALSE(body->hasAttribute("bgcolor"));
    EXPECT_EQ(view()->m_crPageBgColor, platform::rgb(255, 255, 255));
    EXPECT_EQ(body->getAttributeText("text").toLower(), QStringLiteral("green"));
    EXPECT_EQ(view()->m_crPageTextColor, platform::rgb(0, 0x80, 0));
    EXPECT_FALSE(body->hasAttribute("alink"));
    EXPECT_TRUE(view()->GetDocument()->m_bPageChanged);
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(doc()->title(), QStringLiteral("Home"));
    EXPECT_EQ(doc()->body()->getAttributeText("background"), QStringLiteral("kabe.gif"));
    EXPECT_EQ(doc()->body()->getAttributeText("bgcolor"), QStringLiteral("#ffcc00"));

    // An emptied background goes; a title with markup characters stays text.
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) {
        d.m_strBackground.clear();
        d.m_strTitle = "<b>A & B</b>";
    });
    EXPECT_FALSE(doc()->body()->hasAttribute("background"));
    EXPECT_EQ(doc()->title(), QStringLiteral("<b>A & B</b>"));
}

TEST_F(PropertyCommands, TheBackgroundSoundIsReplacedAfterTheTitleOnlyWhenItChanged)
{
    ASSERT_NE(openHtml(pageHtml("<TITLE>t</TITLE><BGSOUND src=\"a.mid\" loop=infinite>", ">x")), nullptr);
    bool continuous = false;
    QString repeat;
    runPage([&](ZQ_DIAG_PAGEPROPERTY& d) {
        continuous = d.m_bContinuous;
        repeat = d.m_strRepeat;
    });
    EXPECT_TRUE(continuous);
    EXPECT_EQ(repeat, QStringLiteral("1"));
    EXPECT_EQ(sounds(), QStringList{"a.mid|infinite"}); // untouched

    // Only the repeat count: the sound is written again with the same file.
    const int steps = undoSteps();
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) {
        d.m_bContinuous = 0;
        d.m_strRepeat = "5";
    });
    EXPECT_EQ(sounds(), QStringList{"a.mid|5"});
    EXPECT_TRUE(soundFollowsTitle());
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(sounds(), QStringList{"a.mid|infinite"});

    // Repeats the page cannot take are put right; a path with quotes stays
    // one attribute.
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) {
        d.m_bContinuous = 0;
        d.m_strRepeat = "99999";
        d.m_strSound = "my \"best\" song.mid";
    });
    EXPECT_EQ(sounds(), QStringList{"my \"best\" song.mid|9999"});
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strRepeat = "abc"; });
    EXPECT_EQ(sounds(), QStringList{"my \"best\" song.mid|1"});

    // An emptied sound file takes the sound away.
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strSound.clear(); });
    EXPECT_TRUE(sounds().isEmpty());
}

TEST_F(PropertyCommands, SoundsOfAnOddPageAreReadFromTheLastAndReplacedByOne)
{
    // Two sounds, one in BODY, no TITLE, and loops the page cannot mean.
    ASSERT_NE(openHtml(pageHtml("<BGSOUND src=\"one.wav\" loop=-5>", "><BGSOUND src=\"two.wav\" loop=abc>x")), nullptr);
    QString sound;
    bool continuous = false;
    runPage([&](ZQ_DIAG_PAGEPROPERTY& d) {
        sound = d.m_strSound;
        continuous = d.m_bContinuous;
    });
    EXPECT_EQ(sound, QStringLiteral("two.wav"));
    EXPECT_TRUE(continuous);
    EXPECT_EQ(sounds(), (QStringList{"one.wav|-5", "two.wav|abc"})); // OK untouched: nothing rewritten

    // Differs from inserting nothing without a TITLE: the new sound goes to
    // the end of HEAD, and the old ones go.
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) {
        d.m_bContinuous = 0;
        d.m_strRepeat = "2";
    });
    EXPECT_EQ(sounds(), QStringList{"two.wav|2"});
    EXPECT_EQ(doc()->getElementsByTagName("BGSOUND").item(0)->parentElement(), doc()->head());
}

TEST_F(PropertyCommands, ASoundOfAPageOfTheOpenWebIsCopiedIntoItsOtherFolder)
{
    VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
    ASSERT_NE(openHtml(pageHtml("<TITLE>t</TITLE>", ">x"), "UTF-8", "index"), nullptr);
    CMainFrame* frame = app->mainFrame();
    frame->m_bWebOpen = true;
    frame->m_strWebFolder = dir.path();
    frame->OnWindowTutorial();
    ASSERT_NE(frame->siteManagerSheet(), nullptr);
    frame->siteManagerSheet()->AddOrUpdateFileRow(QStringLiteral("index.html"), QString());
    QTemporaryDir music;
    QFile source(music.filePath("a b.mid"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("MThd");
    source.close();
    runPage([&](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strSound = QDir::toNativeSeparators(source.fileName()); });
    EXPECT_EQ(sounds(), QStringList{"other/a b.mid|1"});
    EXPECT_TRUE(QFile::exists(dir.filePath("other/a b.mid")));

    // The sound already there is not copied onto itself.
    runPage([](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strRepeat = "2"; });
    EXPECT_EQ(sounds(), QStringList{"other/a b.mid|2"});
    QFile copied(dir.filePath("other/a b.mid"));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("MThd"));
}

TEST(PlaceBackgroundSound, AFileThatCannotBeCopiedIsLinkedWhereItIs)
{
    QTemporaryDir web, music;
    const QString file = music.filePath("a.mid");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    // Outside a web, and an address: as given, with "/".
    EXPECT_EQ(PlaceBackgroundSound("C:\\Music\\a.mid", QString(), QString()), QStringLiteral("C:/Music/a.mid"));
    EXPECT_EQ(PlaceBackgroundSound("http://example.com/a.mid", QString(), web.filePath("other")),
              QStringLiteral("http://example.com/a.mid"));
    // A file that is not there is not linked as if copied.
    EXPECT_EQ(PlaceBackgroundSound(music.filePath("gone.mid"), QString(), web.filePath("other")),
              music.filePath("gone.mid"));
    // "other" a file, so no folder can be made there.
    QFile blocker(web.filePath("other"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(PlaceBackgroundSound(file, QString(), web.filePath("other")), file);
    // A read-only other folder (where permissions hold).
    QTemporaryDir web2;
    ASSERT_TRUE(QDir(web2.path()).mkdir("other"));
    QFile::setPermissions(web2.filePath("other"), QFile::ReadOwner | QFile::ExeOwner);
    const QString placed = PlaceBackgroundSound(file, QString(), web2.filePath("other"));
    EXPECT_EQ(placed, QFile::exists(web2.filePath("other/a.mid")) ? QStringLiteral("other/a.mid") : file);
    QFile::setPermissions(web2.filePath("other"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// ---- encoding ---------------------------------------------------------------

TEST_F(PropertyCommands, TheEncodingIsWhatThePageIsSavedAndReadBackIn)
{
    const QString text = QStringLiteral("日本語の頁");
    ASSERT_NE(
        openHtml(pageHtml("<META http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp\"><TITLE>t</TITLE>",
                          "><P id=p>" + text + "</P>"),
                 "EUC-JP"),
        nullptr);
    CZQDoc* document = view()->GetDocument();
    QString offered;
    runPage([&](ZQ_DIAG_PAGEPROPERTY& d) {
        offered = d.m_strEncoding;
        d.m_strEncoding = "utf-8";
    });
    EXPECT_EQ(offered, QStringLiteral("日本語(EUC)"));
    EXPECT_EQ(platform::canonicalCharset(document->GetCharset()), QStringLiteral("UTF-8"));
    ASSERT_TRUE(document->OnFileSave());
    QFile saved(document->pathName());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_TRUE(bytes.contains(text.toUtf8()));
    EXPECT_EQ(platform::canonicalCharset(platform::detectCharset(bytes)), QStringLiteral("UTF-8"));

    // The encoding command alone; an untouched list changes nothing.
    runDialog<ZQ_DIAG_PAGEPROPERTY>(ID_PAGE_ENCODING, IDD_PAGE_PROPERTY, nullptr);
    EXPECT_EQ(platform::canonicalCharset(document->GetCharset()), QStringLiteral("UTF-8"));
    runDialog<ZQ_DIAG_PAGEPROPERTY>(ID_PAGE_ENCODING, IDD_PAGE_PROPERTY,
                                    [](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strEncoding = "EUC-JP"; });
    ASSERT_TRUE(document->OnFileSave());
    saved.close();
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains(platform::encodeText(text, "EUC-JP")));
    // Read back as a page of its own: in EUC-JP, the text whole.
    const QString copy = dir.filePath("copy.html");
    ASSERT_TRUE(QFile::copy(document->pathName(), copy));
    ASSERT_TRUE(app->OpenDocumentFile(copy));
    settle();
    EXPECT_EQ(platform::canonicalCharset(view()->GetDocument()->GetCharset()), QStringLiteral("EUC-JP"));
    EXPECT_EQ(byId("p")->innerText(), text);
}

TEST_F(PropertyCommands, APageWithoutCharsetGetsOneAndAnUnknownOneIsKept)
{
    ASSERT_NE(openHtml(pageHtml("<TITLE>t</TITLE>", "><P>かな</P>")), nullptr);
    runDialog<ZQ_DIAG_PAGEPROPERTY>(ID_PAGE_ENCODING, IDD_PAGE_PROPERTY,
                                    [](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strEncoding = "shift_jis"; });
    engine::Element* meta = doc()->getElementsByTagName("META").item(0);
    ASSERT_NE(meta, nullptr);
    EXPECT_EQ(meta->getAttributeText("content"), QStringLiteral("text/html; charset=shift_jis"));
    EXPECT_EQ(platform::canonicalCharset(view()->GetDocument()->GetCharset()), platform::canonicalCharset("shift_jis"));

    // A name that is no charset of the list changes nothing.
    runDialog<ZQ_DIAG_PAGEPROPERTY>(ID_PAGE_ENCODING, IDD_PAGE_PROPERTY,
                                    [](ZQ_DIAG_PAGEPROPERTY& d) { d.m_strEncoding = "klingon"; });
    EXPECT_EQ(meta->getAttributeText("content"), QStringLiteral("text/html; charset=shift_jis"));
    EXPECT_TRUE(ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName("x-unknown").isEmpty());
    EXPECT_EQ(ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName("EUC-JP"), QStringLiteral("日本語(EUC)"));
    EXPECT_EQ(ZQ_DIAG_PAGEPROPERTY::DisplayNameToCharset("ベトナム語"), QStringLiteral("windows-1258"));
}

// ---- images -----------------------------------------------------------------

TEST(CleanImageSource, FileAddressesAreShownAsPaths)
{
    EXPECT_EQ(CleanImageSource("file:///C:/My%20Pictures/a%25b.gif"), QStringLiteral("C:/My Pictures/a%b.gif"));
    EXPECT_EQ(CleanImageSource("FILE:///home/u/a.gif"), QStringLiteral("/home/u/a.gif"));
    EXPECT_EQ(CleanImageSource("image/a.gif"), QStringLiteral("image/a.gif"));
}

TEST_F(PropertyCommands, AnImageOpensWithItsValuesAndIsResetToItsOwnSize)
{
    picture("p.png", 40, 30);
    ASSERT_NE(open("><IMG id=a src=\"p.png\" width=40 height=30 alt=\"width=3 height=4\" border=2>"
                   "<IMG id=b src=\"p.png\" style=\"WIDTH: 120px; HEIGHT: 50%\" border=0>"
                   "<IMG id=c src=\"missing.png\" width=10 height=10>"),
              nullptr);
    VornaDialogImageProperty opened;
    auto keep = [&](VornaDialogImageProperty& d) {
        opened.m_strPath = d.m_strPath;
        opened.m_strAlt = d.m_strAlt;
        opened.m_nWidth = d.m_nWidth;
        opened.m_nHeight = d.m_nHeight;
        opened.m_nBorder = d.m_nBorder;
        opened.m_bSpecifySize = d.m_bSpecifySize;
        opened.m_crBorder = d.m_crBorder;
        opened.m_bMultiple = d.m_bMultiple;
    };
    selectObjects({"b"});
    runImage([&](VornaDialogImageProperty& d) { keep(d); });
    EXPECT_EQ(opened.m_nWidth, 120);
    EXPECT_EQ(opened.m_nHeight, 50);
    EXPECT_EQ(opened.m_nBorder, 0);
    EXPECT_EQ(opened.m_crBorder, kColorNone);
    EXPECT_TRUE(opened.m_bSpecifySize);
    EXPECT_FALSE(has("b", "alt")); // OK untouched writes no alt

    // An image at its file's own size opens with the size box off; OK removes
    // its size, and the attributes' cut leaves the alternative text whole.
    selectObjects({"a"});
    const int steps = undoSteps();
    runImage([&](VornaDialogImageProperty& d) { keep(d); });
    EXPECT_FALSE(opened.m_bSpecifySize);
    EXPECT_EQ(opened.m_strPath, QStringLiteral("p.png"));
    EXPECT_FALSE(has("a", "width"));
    EXPECT_FALSE(has("a", "height"));
    EXPECT_EQ(attr("a", "alt"), QStringLiteral("width=3 height=4"));
    EXPECT_EQ(attr("a", "border"), QStringLiteral("2"));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(attr("a", "width"), QStringLiteral("40"));

    // A picture that is missing reads as no size: the box starts on.
    selectObjects({"c"});
    runImage([&](VornaDialogImageProperty& d) { keep(d); });
    EXPECT_TRUE(opened.m_bSpecifySize);
}

TEST_F(PropertyCommands, AChangedImageKeepsItsLinkAndPlace)
{
    picture("p.png", 40, 30);
    ASSERT_NE(open("><A id=l href=\"x.html\"><IMG id=a src=\"p.png\" width=80 height=60></A>"), nullptr);
    selectObjects({"a"});
    runImage([](VornaDialogImageProperty& d) {
        d.m_strPath = "q.png";
        d.m_nWidth = 100;
        d.m_strAlt = "写真";
        d.m_nBorder = 3;
        d.m_crBorder = platform::rgb(0, 0, 0xFF);
        d.m_bColorChanged = true;
    });
    engine::Element* image = byId("a");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->parentElement(), byId("l"));
    EXPECT_EQ(attr("a", "src"), QStringLiteral("q.png"));
    EXPECT_EQ(style("a", "width"), QStringLiteral("100px"));
    EXPECT_EQ(style("a", "height"), QStringLiteral("60px"));
    EXPECT_FALSE(has("a", "width"));
    EXPECT_EQ(attr("a", "alt"), QStringLiteral("写真"));
    EXPECT_EQ(attr("a", "border"), QStringLiteral("3"));
    EXPECT_EQ(style("a", "border-color").toLower(), QStringLiteral("blue"));
}

TEST_F(PropertyCommands, SeveralImagesTakeOnlyWhatTheyShare)
{
    picture("p.png", 40, 30);
    ASSERT_NE(open("><IMG id=a src=\"p.png\" alt=\"one\" border=1 width=80 height=60>"
                   "<IMG id=b src=\"p.png\" alt=\"two\" border=4 style=\"WIDTH: 20px; BORDER-COLOR: red\">"),
              nullptr);
    selectObjects({"a", "b"});
    bool multiple = false;
    const int steps = undoSteps();
    runImage([&](VornaDialogImageProperty& d) { multiple = d.m_bMultiple; });
    EXPECT_TRUE(multiple);
    // Differs from writing the empty alternative text to all: each keeps its own.
    EXPECT_EQ(attr("a", "alt"), QStringLiteral("one"));
    EXPECT_EQ(attr("b", "alt"), QStringLiteral("two"));
    EXPECT_EQ(attr("a", "border"), QStringLiteral("1"));
    EXPECT_EQ(attr("b", "border"), QStringLiteral("4"));
    EXPECT_EQ(style("b", "border-color"), QStringLiteral("red"));
    // The size box left off: both at their file's own size.
    EXPECT_FALSE(has("a", "width"));
    EXPECT_TRUE(style("b", "width").isEmpty());
    EXPECT_EQ(undoSteps(), steps + 1);

    runImage([](VornaDialogImageProperty& d) { d.m_strAlt = "共通"; });
    EXPECT_EQ(attr("a", "alt"), QStringLiteral("共通"));
    EXPECT_EQ(attr("b", "alt"), QStringLiteral("共通"));
    EXPECT_EQ(attr("a", "src"), QStringLiteral("p.png"));
}

// ---- marquees ---------------------------------------------------------------

TEST_F(PropertyCommands, AMarqueeOpensWithItsValuesAndTakesWhatChanged)
{
    ASSERT_NE(open("><MARQUEE id=m direction=right scrollamount=10 loop=3 bgcolor=#00ff00 "
                   "style=\"WIDTH: 50%\">流れる</MARQUEE>"
                   "<MARQUEE id=n loop=-1 width=abc height=\"50%%\">二</MARQUEE>"),
              nullptr);
    VornaDialogMarquee opened;
    selectObjects({"m"});
    const int steps = undoSteps();
    runMarquee([&](VornaDialogMarquee& d) {
        opened.m_strDirection = d.m_strDirection;
        opened.m_nAmount = d.m_nAmount;
        opened.m_nWidth = d.m_nWidth;
        opened.m_nWidthUnit = d.m_nWidthUnit;
        opened.m_bWidthOn = d.m_bWidthOn;
        opened.m_bContinuous = d.m_bContinuous;
        opened.m_nLoop = d.m_nLoop;
        opened.m_crBackground = d.m_crBackground;
        opened.m_nReferenceWidth = d.m_nReferenceWidth;
        d.m_strDirection = "Default";
        d.m_bDirectionChanged = true;
        d.m_nWidth = 300;
        d.m_nWidthUnit = 1;
        d.m_bWidthChanged = true;
    });
    EXPECT_EQ(opened.m_strDirection, QStringLiteral("right"));
    EXPECT_EQ(opened.m_nAmount, 10);
    EXPECT_EQ(opened.m_nWidth, 50);
    EXPECT_EQ(opened.m_nWidthUnit, 0);
    EXPECT_TRUE(opened.m_bWidthOn);
    EXPECT_FALSE(opened.m_bContinuous);
    EXPECT_EQ(opened.m_nLoop, 3);
    EXPECT_EQ(opened.m_crBackground, platform::rgb(0, 0xFF, 0));
    EXPECT_GT(opened.m_nReferenceWidth, 0);
    EXPECT_FALSE(has("m", "direction"));
    EXPECT_EQ(attr("m", "width"), QStringLiteral("300"));
    EXPECT_EQ(style("m", "width"), QStringLiteral("300px"));
    EXPECT_EQ(attr("m", "scrollamount"), QStringLiteral("10"));
    EXPECT_EQ(attr("m", "loop"), QStringLiteral("3"));
    EXPECT_EQ(undoSteps(), steps + 1);
    undo();
    EXPECT_EQ(attr("m", "direction"), QStringLiteral("right"));

    // An infinite loop and sizes it cannot read.
    selectObjects({"n"});
    runMarquee([&](VornaDialogMarquee& d) {
        opened.m_bContinuous = d.m_bContinuous;
        opened.m_bWidthOn = d.m_bWidthOn;
        opened.m_nHeight = d.m_nHeight;
        opened.m_nHeightUnit = d.m_nHeightUnit;
    });
    EXPECT_TRUE(opened.m_bContinuous);
    EXPECT_FALSE(opened.m_bWidthOn);
    EXPECT_EQ(opened.m_nHeight, 50);
    EXPECT_EQ(opened.m_nHeightUnit, 0);
    EXPECT_EQ(attr("n", "width"), QStringLiteral("abc")); // untouched
}

TEST_F(PropertyCommands, TwoMarqueesTakeOnlyTheValuesChanged)
{
    ASSERT_NE(open("><MARQUEE id=m scrolldelay=100 bgcolor=red>一</MARQUEE>"
                   "<MARQUEE id=n scrolldelay=200 loop=2>二</MARQUEE>"),
              nullptr);
    selectObjects({"m", "n"});
    int delay = 0;
    runMarquee([&](VornaDialogMarquee& d) {
        delay = d.m_nDelay;
        d.m_strBehavior = "alternate";
        d.m_bBehaviorChanged = true;
        d.m_nLoop = -1;
        d.m_bLoopChanged = true;
    });
    EXPECT_EQ(delay, -2);
    for (const char* id : {"m", "n"}) {
        EXPECT_EQ(attr(id, "behavior"), QStringLiteral("alternate")) << id;
        EXPECT_FALSE(has(id, "loop")) << id;
    }
    EXPECT_EQ(attr("m", "scrolldelay"), QStringLiteral("100"));
    EXPECT_EQ(attr("n", "scrolldelay"), QStringLiteral("200"));
    EXPECT_EQ(attr("m", "bgcolor"), QStringLiteral("red"));
}

// ---- rules ------------------------------------------------------------------

TEST_F(PropertyCommands, ARuleTakesOnlyWhatChangedAndItsStyleOnlyWhereItHadOne)
{
    ASSERT_NE(open("><HR id=r width=\"80%\" size=4 color=#ff0000>"
                   "<HR id=s style=\"WIDTH: 200px; HEIGHT: 3px\" noshade><HR id=t width=\"\">"),
              nullptr);
    VornaDialogHrProperty opened;
    selectObjects({"r"});
    const int steps = undoSteps();
    runRule([&](VornaDialogHrProperty& d) {
        opened.m_nWidth = d.m_nWidth;
        opened.m_nWidthUnit = d.m_nWidthUnit;
        opened.m_nHeight = d.m_nHeight;
        opened.m_crColor = d.m_crColor;
        d.m_crColor = platform::rgb(0, 0, 0x80);
        d.m_bColorChanged = true;
    });
    EXPECT_EQ(opened.m_nWidth, 80);
    EXPECT_EQ(opened.m_nWidthUnit, 0);
    EXPECT_EQ(opened.m_nHeight, 4);
    EXPECT_EQ(opened.m_crColor, platform::rgb(0xFF, 0, 0));
    EXPECT_EQ(attr("r", "color").toLower(), QStringLiteral("navy"));
    EXPECT_EQ(attr("r", "width"), QStringLiteral("80%"));
    EXPECT_EQ(attr("r", "size"), QStringLiteral("4"));
    EXPECT_TRUE(style("r", "width").isEmpty());
    EXPECT_TRUE(style("r", "height").isEmpty());
    EXPECT_EQ(undoSteps(), steps + 1);

    // A rule sized by its style: the style follows the attributes.
    selectObjects({"s"});
    runRule([&](VornaDialogHrProperty& d) {
        opened.m_nWidth = d.m_nWidth;
        opened.m_nWidthUnit = d.m_nWidthUnit;
        opened.m_bNoShade = d.m_bNoShade;
        d.m_nWidth = 50;
        d.m_nWidthUnit = 0;
        d.m_bWidthChanged = true;
        d.m_nHeight = -1;
        d.m_bHeightChanged = true;
    });
    EXPECT_EQ(opened.m_nWidth, 200);
    EXPECT_EQ(opened.m_nWidthUnit, 1);
    EXPECT_TRUE(opened.m_bNoShade);
    EXPECT_EQ(attr("s", "width"), QStringLiteral("50%"));
    EXPECT_EQ(style("s", "width"), QStringLiteral("50%"));
    EXPECT_TRUE(style("s", "height").isEmpty());
    EXPECT_FALSE(has("s", "size"));

    // Several rules start mixed; an empty width is not read.
    selectObjects({"r", "t"});
    runRule([&](VornaDialogHrProperty& d) {
        opened.m_crColor = d.m_crColor;
        opened.m_nWidth = d.m_nWidth;
        d.m_bNoShade = 1;
        d.m_bNoShadeChanged = true;
    });
    EXPECT_EQ(opened.m_crColor, kColorNone);
    EXPECT_EQ(opened.m_nWidth, -1);
    EXPECT_TRUE(has("r", "noshade"));
    EXPECT_TRUE(has("t", "noshade"));
    EXPECT_EQ(attr("r", "color").toLower(), QStringLiteral("navy"));
}

// ---- 設定 > プロパティ ---------------------------------------------------------

TEST_F(PropertyCommands, ThePropertiesItemIsNamedAfterTheSelectionAndRunsItsCommand)
{
    ASSERT_NE(open("><MARQUEE id=m>流れる</MARQUEE><HR id=r>"
                   "<IMG id=c src=\"http://counter.example.com/Count?id=1\">"
                   "<TABLE id=text style=\"POSITION: absolute\"><TR><TD id=cell><A id=l href=\"x.html\">link</A> "
                   "text</TD></TR></TABLE>"),
              nullptr);
    CMenuBar* bar = app->mainFrame()->GetMenuBar();
    QMenu* settings = nullptr;
    for (QMenu* menu : bar->GetMenu()) {
        if (menu->title() == QStringLiteral("設定(&S)"))
            settings = menu;
    }
    ASSERT_NE(settings, nullptr);
    QAction* item = app->commands()->action(ID_OBJECT_PROPERTIES);
    QAction* link = app->commands()->action(ID_LINK_OBJECT_PROPERTIES);
    const QList<QAction*> actions = settings->actions();
    ASSERT_EQ(actions.size() >= 2 ? actions[actions.size() - 2] : nullptr, item);
    EXPECT_EQ(actions.back(), link);
    auto openMenu = [&] {
        app->commands()->updateActions(settings->actions());
        return item->text();
    };

    selectObjects({"m"});
    EXPECT_EQ(openMenu(), QStringLiteral("マーキーのプロパティ..."));
    EXPECT_TRUE(item->isEnabled());
    EXPECT_FALSE(link->isVisible());
    platform::ModalResponder responder;
    responder.answer(IDD_MARQUEE, platform::IDCANCEL);
    run(ID_OBJECT_PROPERTIES);
    EXPECT_EQ(responder.runCount(IDD_MARQUEE), 1);

    selectObjects({"r"});
    EXPECT_EQ(openMenu(), QStringLiteral("罫線のプロパティ…"));
    responder.answer(IDD_HR_PROPERTY, platform::IDCANCEL);
    run(ID_OBJECT_PROPERTIES);
    EXPECT_EQ(responder.runCount(IDD_HR_PROPERTY), 1);

    selectObjects({"c"});
    EXPECT_EQ(openMenu(), QStringLiteral("カウンタ"));
    responder.answer(IDD_WEB_COUNTER, platform::IDCANCEL);
    run(ID_OBJECT_PROPERTIES);
    EXPECT_EQ(responder.runCount(IDD_WEB_COUNTER), 1);
    EXPECT_EQ(responder.runCount(IDD_IMAGE_PROPERTY), 0);

    // The caret in a link: the plain item, disabled, and the link item once,
    // however often the menu opens.
    caretIn("l", 1);
    openMenu();
    EXPECT_EQ(openMenu(), QStringLiteral("プロパティ…"));
    EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(link->isVisible());
    EXPECT_TRUE(link->isEnabled());
    EXPECT_EQ(link->text(), QStringLiteral("ハイパーリンク…"));
    EXPECT_EQ(settings->actions().count(link), 1);
    EXPECT_EQ(settings->actions().size(), actions.size());
    responder.answer(IDD_HYPERLINK, platform::IDCANCEL);
    run(ID_LINK_OBJECT_PROPERTIES);
    EXPECT_EQ(responder.runCount(IDD_HYPERLINK), 1);

    selectObjects({"r"});
    openMenu();
    EXPECT_FALSE(link->isVisible());
}

// ---- the dialogs as the user fills them -------------------------------------------

TEST_F(PropertyCommands, WhatTheUserTypesIntoTheDialogsChangesThePageAsOneStepThatUndoTakesBack)
{
    picture("p.png", 40, 30);
    ASSERT_NE(openHtml(pageHtml("<TITLE>Home</TITLE>", "><IMG id=a src=\"p.png\" width=80 height=60>"
                                                       "<MARQUEE id=m loop=3>流れる</MARQUEE><HR id=r size=4>")),
              nullptr);
    // Runs the command with the user's action in its dialog and OK; then one
    // undo step has come.
    const auto answer = [&](int command, int dialogId, std::function<void(QDialog&)> action) {
        const int steps = undoSteps();
        platform::ModalResponder responder;
        responder.on(dialogId, [&](QDialog& d) {
            action(d);
            platform::ModalResponder::press(d, platform::IDOK);
        });
        run(command);
        EXPECT_EQ(responder.runCount(dialogId), 1);
        EXPECT_EQ(undoSteps(), steps + 1);
    };
    answer(ID_DOCUMENT_PROPERTIES, IDD_PAGE_PROPERTY, [](QDialog& d) { TypeInto(d, 1030, "ようこそ"); });
    EXPECT_EQ(doc()->title(), QStringLiteral("ようこそ"));
    undo();
    EXPECT_EQ(doc()->title(), QStringLiteral("Home"));

    selectObjects({"a"});
    answer(ID_IMAGE_PROPERTIES, IDD_IMAGE_PROPERTY, [](QDialog& d) {
        TypeInto(d, 1065, "30");
        EXPECT_EQ(DialogText(d, 1064), QStringLiteral("40"));
        TypeInto(d, 1062, "写真");
    });
    EXPECT_EQ(style("a", "width"), QStringLiteral("40px"));
    EXPECT_EQ(style("a", "height"), QStringLiteral("30px"));
    EXPECT_EQ(attr("a", "alt"), QStringLiteral("写真"));
    undo();
    EXPECT_FALSE(has("a", "alt"));
    EXPECT_EQ(attr("a", "width"), QStringLiteral("80"));

    selectObjects({"m"});
    answer(ID_MARQUEE_PROPERTIES, IDD_MARQUEE, [](QDialog& d) {
        EXPECT_EQ(DialogText(d, 1216), QStringLiteral("3"));
        ChooseEntry(d, 1529, 1);
        TypeInto(d, 1216, "7");
    });
    EXPECT_EQ(attr("m", "direction"), QStringLiteral("right"));
    EXPECT_EQ(attr("m", "loop"), QStringLiteral("7"));
    undo();
    EXPECT_FALSE(has("m", "direction"));
    EXPECT_EQ(attr("m", "loop"), QStringLiteral("3"));

    selectObjects({"r"});
    answer(ID_RULE_PROPERTIES, IDD_HR_PROPERTY, [](QDialog& d) {
        EXPECT_EQ(DialogText(d, 1451), QStringLiteral("4"));
        TypeInto(d, 1451, "9");
    });
    EXPECT_EQ(attr("r", "size"), QStringLiteral("9"));
    undo();
    EXPECT_EQ(attr("r", "size"), QStringLiteral("4"));
}

} // namespace
