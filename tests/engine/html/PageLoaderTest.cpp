#include "engine/EnginePage.h"

#include "engine/dom/DocumentObserver.h"
#include "engine/html/PageLoader.h"
#include "engine/markup/UndoManager.h"
#include "platform/CodePages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace engine;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char* kSjisPage = "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                        "<TITLE>日本語</TITLE></HEAD><BODY><P>表示・ソース</P></BODY></HTML>";

// Counts page-loaded notifications and changes the page while handling them.
struct LoadRecorder : DocumentObserver
{
    int loaded = 0;
    void pageLoaded(Document* doc) override
    {
        ++loaded;
        doc->body()->setAttribute(QStringLiteral("bgColor"), QStringLiteral("#ffffff"));
    }
};

} // namespace

TEST(PageLoading, FileInItsMetaCharsetAndTheLoadedNotification)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, platform::encodeText(QString::fromUtf8(kSjisPage), QStringLiteral("windows-31j")));
    Ref<Document> doc = Document::create();
    LoadRecorder rec;
    doc->addObserver(&rec);
    platform::FileFault fault = platform::FileFault::Failed;
    ASSERT_TRUE(doc->load(path, &fault));
    EXPECT_EQ(fault, platform::FileFault::None);
    EXPECT_EQ(rec.loaded, 0); // only after the call returned
    QCoreApplication::processEvents();
    EXPECT_EQ(rec.loaded, 1);
    EXPECT_EQ(doc->title(), QStringLiteral("日本語"));
    EXPECT_EQ(doc->charset(), QStringLiteral("windows-31j"));
    EXPECT_EQ(doc->url(), path);
    EXPECT_FALSE(doc->isDirty());
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_EQ(doc->body()->getAttributeText(QStringLiteral("bgColor")), QStringLiteral("#ffffff"));
    doc->removeObserver(&rec);
}

TEST(PageLoading, UnreadableFileGivesTheCauseAndKeepsThePage)
{
    auto doc = pageFrom("<body><p>kept</p></body>");
    platform::FileFault fault = platform::FileFault::None;
    EXPECT_FALSE(doc->load(QStringLiteral("/nonexistent/page.html"), &fault));
    EXPECT_EQ(fault, platform::FileFault::NotFound);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>kept</P>"));
}

TEST(PageLoading, SaveWritesTheDocumentCharsetAndClearsDirty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.html"));
    writeFile(path, platform::encodeText(QString::fromUtf8(kSjisPage), QStringLiteral("windows-31j")));
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->load(QStringLiteral("file://") + path));
    doc->body()->firstChild()->asElement()->setInnerText(QStringLiteral("変更€"));
    EXPECT_TRUE(doc->isDirty());
    ASSERT_TRUE(doc->save());
    EXPECT_FALSE(doc->isDirty());
    const QString text = platform::decodeText(readFile(path), QStringLiteral("windows-31j"));
    // The euro sign is outside the code page and is written as a reference.
    EXPECT_TRUE(text.contains(QStringLiteral("<P>変更&#8364;</P>"))) << text.toStdString();
    Ref<Document> again = Document::create();
    ASSERT_TRUE(again->load(path));
    EXPECT_EQ(again->getElementsByTagName(QStringLiteral("P")).item(0)->textContent(), QStringLiteral("変更€"));
}

// A page labelled ISO-8859-1 shows the quotes and dashes of its bytes 0x80
// to 0x9F, as browsers do, keeps its label, and saves those bytes back.
TEST(PageLoading, AnIso88591PageShowsItsQuotesAndSavesTheSameBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.html"));
    const QByteArray page("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
                          "</head><body><h2>Grandma\x92s \x93quick\x94 bread</h2><p>Flour \x96 500 g\x85</p>"
                          "</body></html>");
    writeFile(path, page);
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->load(path));
    EXPECT_EQ(doc->charset(), QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(doc->body()->textContent(),
              QStringLiteral("Grandma\u2019s \u201cquick\u201d breadFlour \u2013 500 g\u2026"));
    doc->getElementsByTagName(QStringLiteral("P"))
        .item(0)
        ->appendChild(doc->createTextNode(QStringLiteral(" \u20ac\u65e5")));
    ASSERT_TRUE(doc->save());
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.contains("charset=iso-8859-1")) << saved.constData();
    EXPECT_TRUE(saved.contains("<H2>Grandma\x92s \x93quick\x94 bread</H2>")) << saved.constData();
    EXPECT_TRUE(saved.contains("<P>Flour \x96 500 g\x85 \x80&#26085;</P>")) << saved.constData();
}

TEST(PageLoading, FailedSaveLeavesTheOldFileAndTheUrl)
{
    QTemporaryDir dir;
    auto doc = pageFrom("<body>x</body>");
    const QString blocker = dir.filePath(QStringLiteral("file"));
    writeFile(blocker, "old");
    platform::FileFault fault = platform::FileFault::None;
    EXPECT_FALSE(doc->save(blocker + QStringLiteral("/inside.html"), &fault));
    EXPECT_EQ(fault, platform::FileFault::FolderGone);
    EXPECT_EQ(readFile(blocker), QByteArray("old"));
    EXPECT_TRUE(doc->url().isEmpty());
    EXPECT_FALSE(doc->save(QString(), &fault)); // no url yet
    EXPECT_EQ(fault, platform::FileFault::NoFileName);
}

TEST(PageLoading, CharsetPutAndRefreshDecodesAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("e.html"));
    const QString text = QStringLiteral("<HTML><BODY>日本語のページです。漢字とかなが入っています。</BODY></HTML>");
    const QByteArray euc = platform::encodeText(text, QStringLiteral("EUC-JP"));
    writeFile(path, euc);
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->load(path));
    doc->setCharset(QStringLiteral("windows-31j"));
    ASSERT_TRUE(doc->refresh());
    EXPECT_NE(doc->body()->textContent(), QStringLiteral("日本語のページです。漢字とかなが入っています。"));
    EXPECT_EQ(doc->charset(), QStringLiteral("windows-31j"));
    doc->setCharset(QStringLiteral("EUC-JP"));
    ASSERT_TRUE(doc->refresh());
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("日本語のページです。漢字とかなが入っています。"));
}

TEST(PageLoading, RefreshOfAFileGrownTooLargeGivesTheCauseAndKeepsThePage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("g.html"));
    writeFile(path, "<HTML><BODY><P>kept</P></BODY></HTML>");
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->load(path));
    QFile grown(path);
    ASSERT_TRUE(grown.resize(65 * 1024 * 1024)); // sparse: no time spent writing
    platform::FileFault fault = platform::FileFault::None;
    EXPECT_FALSE(doc->refresh(&fault));
    EXPECT_EQ(fault, platform::FileFault::TooLarge);
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>kept</P>"));
}

TEST(PageLoading, NewPageFromTemplateHasNoUrl)
{
    QTemporaryDir dir;
    const QString tpl = dir.filePath(QStringLiteral("ULO.html"));
    writeFile(tpl, "<html><head><title>new</title></head><body bgcolor=white></body></html>");
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->loadNew(tpl));
    EXPECT_TRUE(doc->url().isEmpty());
    EXPECT_EQ(doc->title(), QStringLiteral("new"));
    ASSERT_TRUE(doc->loadNew());
    EXPECT_TRUE(doc->body());
    EXPECT_EQ(doc->charset(), QStringLiteral("UTF-8"));
}

TEST(PageLoading, HttpAddress)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QByteArray body = platform::encodeText(QString::fromUtf8(kSjisPage), QStringLiteral("windows-31j"));
    QObject::connect(&server, &QTcpServer::newConnection, [&server, body]() {
        QTcpSocket* s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, body]() {
            s->readAll();
            s->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
            s->disconnectFromHost();
        });
    });
    Ref<Document> doc = Document::create();
    QSignalSpy loaded(&doc->loader(), &PageLoader::pageLoaded);
    ASSERT_TRUE(doc->load(QStringLiteral("http://127.0.0.1:%1/p.html").arg(server.serverPort())));
    EXPECT_EQ(doc->readyState(), QStringLiteral("loading"));
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_EQ(doc->title(), QStringLiteral("日本語"));
    EXPECT_EQ(doc->readyState(), QStringLiteral("complete"));
}

TEST(PageLoading, SavingALongPageWithCharactersItsCharsetLacksTakesOnePass)
{
    // A Japanese page of a few megabytes with characters its code page cannot
    // hold all over it (signs, accented names, characters beyond the BMP,
    // the replacement character of a byte that did not decode).
    QString body;
    for (int i = 0; i < 40000; ++i)
        body += QStringLiteral("<p>段落%1 € Zoë \U0001F600 \uFFFD</p>").arg(i);
    Ref<Document> doc = Document::create();
    doc->replaceContent(QStringLiteral("<html><head><meta http-equiv=Content-Type content=\"text/html; "
                                       "charset=Shift_JIS\"></head><body>") +
                        body + QStringLiteral("</body></html>"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.html"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(doc->save(path));
    EXPECT_LT(clock.elapsed(), 10000);
    const QString text = platform::decodeText(readFile(path), QStringLiteral("windows-31j"));
    EXPECT_TRUE(text.contains(QStringLiteral("<P>段落39999 &#8364; Zo&#235; &#128512; &#65533;</P>")))
        << text.right(200).toStdString();
    Ref<Document> again = Document::create();
    ASSERT_TRUE(again->load(path));
    EXPECT_EQ(again->getElementsByTagName(QStringLiteral("P")).item(1)->textContent(),
              QStringLiteral("段落1 € Zoë \U0001F600 \uFFFD"));
}
