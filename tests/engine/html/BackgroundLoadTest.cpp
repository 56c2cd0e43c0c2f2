// A page file read in the background: the load call returns at once, the
// page comes in on the event loop, the page-loaded notification follows
// once; a cancelled or superseded read leaves no trace.
#include "engine/EnginePage.h"

#include "engine/dom/DocumentObserver.h"
#include "engine/dom/Text.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/PageLoader.h"
#include "engine/markup/UndoManager.h"
#include "platform/CodePages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct Loaded : DocumentObserver
{
    int count = 0;
    void pageLoaded(Document* doc) override
    {
        ++count;
        // Changes made here belong to the load.
        doc->body()->setAttribute(QStringLiteral("bgColor"), QStringLiteral("#ffffee"));
    }
};

QString writePage(const QTemporaryDir& dir, const char* name, const QString& html, const char* charset)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(platform::encodeText(html, QString::fromLatin1(charset)));
    return path;
}

void runEventsFor(int ms, const std::function<bool()>& until = {})
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !(until && until())) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

// A page of `count` numbered paragraphs.
QString paragraphsPage(int count)
{
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < count; ++i)
        html += QStringLiteral("<p>paragraph %1</p>").arg(i);
    return html;
}

const char* kPage = "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                    "<TITLE>掲示板</TITLE></HEAD><BODY><P>表示・ソース</P></BODY></HTML>";

} // namespace

TEST(BackgroundLoad, ReturnsAtOnceAndThePageComesInOnTheEventLoop)
{
    QTemporaryDir dir;
    const QString path = writePage(dir, "a.html", QString::fromUtf8(kPage), "windows-31j");
    Ref<Document> doc = Document::create();
    doc->loadFromString(QStringLiteral("<html><body><p>before</p></body></html>"));
    runEventsFor(50);
    Loaded loaded;
    doc->addObserver(&loaded);
    ASSERT_TRUE(doc->load(path, nullptr, Reading::InBackground));
    EXPECT_EQ(doc->readyState(), QStringLiteral("loading"));
    EXPECT_TRUE(doc->isLoading());
    EXPECT_EQ(bodyHtml(doc.get()), QStringLiteral("<P>before</P>"));
    runEventsFor(10000, [&] { return loaded.count > 0; });
    runEventsFor(50);
    EXPECT_EQ(loaded.count, 1);
    EXPECT_EQ(doc->readyState(), QStringLiteral("complete"));
    EXPECT_FALSE(doc->isLoading());
    EXPECT_EQ(doc->title(), QStringLiteral("掲示板"));
    EXPECT_EQ(doc->charset(), QStringLiteral("windows-31j"));
    EXPECT_EQ(doc->url(), path);
    EXPECT_FALSE(doc->isDirty());
    EXPECT_FALSE(doc->undoManager().canUndo());
    EXPECT_EQ(doc->body()->getAttributeText(QStringLiteral("bgColor")), QStringLiteral("#ffffee"));
    doc->removeObserver(&loaded);
    // The title and charset found where the page was parsed give way to
    // changes.
    doc->getElementsByTagName(QStringLiteral("TITLE")).item(0)->firstChild()->asText()->setData(QStringLiteral("新"));
    EXPECT_EQ(doc->title(), QStringLiteral("新"));
    doc->getElementsByTagName(QStringLiteral("META"))
        .item(0)
        ->setAttribute(QStringLiteral("content"), QStringLiteral("text/html; charset=EUC-JP"));
    EXPECT_EQ(doc->charset(), platform::canonicalCharset(QStringLiteral("EUC-JP")));
}

TEST(BackgroundLoad, AMissingFileIsToldAtOnce)
{
    Ref<Document> doc = Document::create();
    platform::FileFault fault = platform::FileFault::None;
    EXPECT_FALSE(doc->load(QStringLiteral("/nonexistent/page.html"), &fault, Reading::InBackground));
    EXPECT_EQ(fault, platform::FileFault::NotFound);
    EXPECT_FALSE(doc->isLoading());
    EXPECT_EQ(doc->readyState(), QStringLiteral("complete"));
}

TEST(BackgroundLoad, ACancelledOrSupersededReadLeavesNoTrace)
{
    QTemporaryDir dir;
    const QString first = writePage(dir, "first.html", QStringLiteral("<html><body>first</body></html>"), "UTF-8");
    const QString second = writePage(dir, "second.html", QStringLiteral("<html><body>second</body></html>"), "UTF-8");
    Ref<Document> doc = Document::create();
    doc->loadFromString(QStringLiteral("<html><body>kept</body></html>"));
    runEventsFor(50);
    Loaded loaded;
    doc->addObserver(&loaded);
    ASSERT_TRUE(doc->load(first, nullptr, Reading::InBackground));
    doc->cancelLoad();
    EXPECT_FALSE(doc->isLoading());
    EXPECT_EQ(doc->readyState(), QStringLiteral("complete"));
    runEventsFor(500);
    EXPECT_EQ(loaded.count, 0);
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("kept"));
    // A second load while the first is read: only the second comes in.
    ASSERT_TRUE(doc->load(first, nullptr, Reading::InBackground));
    ASSERT_TRUE(doc->load(second, nullptr, Reading::InBackground));
    runEventsFor(10000, [&] { return loaded.count > 0; });
    runEventsFor(300);
    EXPECT_EQ(loaded.count, 1);
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("second"));
    doc->removeObserver(&loaded);
}

TEST(BackgroundLoad, ADocumentGoneBeforeItsPageArrives)
{
    QTemporaryDir dir;
    const QString path = writePage(dir, "long.html", paragraphsPage(20000), "UTF-8");
    {
        Ref<Document> doc = Document::create();
        ASSERT_TRUE(doc->load(path, nullptr, Reading::InBackground));
    }
    runEventsFor(1500);
}

// The nodes of a page read in the background name the document that asked
// for it before they reach it: taken in, the document counts them; a page
// not taken in goes as its own (the sanitized run sees any node left naming
// a document gone).
TEST(BackgroundLoad, ThePagesNodesComeInCounted)
{
    QTemporaryDir dir;
    QString html = QStringLiteral("<html><body>");
    for (int i = 0; i < 2000; ++i)
        html += QStringLiteral("<p>paragraph <b>%1</b></p>").arg(i);
    const QString path = writePage(dir, "long.html", html, "UTF-8");
    Ref<Document> doc = Document::create();
    Ref<Document> same = Document::create();
    same->replaceContent(html);
    ASSERT_TRUE(doc->load(path, nullptr, Reading::InBackground));
    runEventsFor(10000, [&] { return !doc->isLoading(); });
    ASSERT_FALSE(doc->isLoading());
    EXPECT_EQ(doc->nodeCount(), same->nodeCount());
    EXPECT_GT(doc->nodeCount(), 8000);
    // Superseded once read (the worker is done before the event loop runs
    // again): the page read never comes in.
    ASSERT_TRUE(doc->load(path, nullptr, Reading::InBackground));
    QThread::msleep(500);
    doc->loadFromString(QStringLiteral("<html><body>replaced</body></html>"));
    runEventsFor(300);
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("replaced"));
    // A node kept after its document was let go: the document goes with
    // the last of its nodes (no sooner, no later).
    Ref<Element> body = doc->body();
    doc = nullptr;
    EXPECT_FALSE(body->isConnected());
}

// A page whose layout would not fit in the memory the system can still give
// is refused for the memory, read at once or in the background, and the page
// shown stays; with the memory there, the same page comes in.
TEST(BackgroundLoad, APageTooLargeForTheMemoryLeftIsRefused)
{
    QTemporaryDir dir;
    const QString html = paragraphsPage(1000);
    const QString path = writePage(dir, "big.html", html, "UTF-8");
    EXPECT_TRUE(PageLoader::fitsInMemory(html.size()));
    Ref<Document> doc = Document::create();
    doc->loadFromString(QStringLiteral("<html><body>kept</body></html>"));
    runEventsFor(50);
    Loaded loaded;
    doc->addObserver(&loaded);
    // Room for a page a tenth of this one's length.
    PageLoader::setMemoryForPages(qint64(html.size()) * 40);
    const auto restore = qScopeGuard([] { PageLoader::setMemoryForPages(-1); });
    platform::FileFault fault = platform::FileFault::None;
    EXPECT_FALSE(doc->load(path, &fault));
    EXPECT_EQ(fault, platform::FileFault::NoMemory);
    std::vector<platform::FileFault> failed;
    QObject::connect(&doc->loader(), &PageLoader::loadFailed,
                     [&failed](platform::FileFault f) { failed.push_back(f); });
    ASSERT_TRUE(doc->load(path, nullptr, Reading::InBackground));
    runEventsFor(10000, [&] { return !doc->isLoading(); });
    runEventsFor(50);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0], platform::FileFault::NoMemory);
    EXPECT_EQ(loaded.count, 0);
    EXPECT_EQ(doc->readyState(), QStringLiteral("complete"));
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("kept"));
    // Small pages still fit.
    doc->loadFromString(QStringLiteral("<html><body>small</body></html>"));
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("small"));
    PageLoader::setMemoryForPages(-1);
    EXPECT_TRUE(doc->load(path, &fault));
    EXPECT_EQ(doc->getElementsByTagName(QStringLiteral("P")).length(), 1000);
    doc->removeObserver(&loaded);
    // A page of paragraphs at the 64 MB bound (2.2 million nodes) opens on
    // a machine with 16 GB free, not with 8.
    PageLoader::setMemoryForPages(qint64(16) << 30);
    EXPECT_TRUE(PageLoader::fitsInMemory(qint64(64) << 20, 2200000));
    PageLoader::setMemoryForPages(qint64(8) << 30);
    EXPECT_FALSE(PageLoader::fitsInMemory(qint64(64) << 20, 2200000));
}

// A page of very many small elements takes far more memory than its length
// tells: once parsed, its tree counts too. Of two pages of the same length,
// the one of 150,000 paragraphs is refused, read at once or in the
// background, and the one of a single paragraph comes in.
TEST(BackgroundLoad, APageOfVeryManyElementsIsRefusedOnceItsTreeIsKnown)
{
    QTemporaryDir dir;
    QString many = QStringLiteral("<html><body>");
    for (int i = 0; i < 150000; ++i)
        many += QStringLiteral("<p>a</p>");
    QString one = QStringLiteral("<html><body><p>");
    one += QString(many.size() - one.size(), u'a');
    ASSERT_GE(many.size(), 1 << 20);
    const QString manyPath = writePage(dir, "many.html", many, "UTF-8");
    const QString onePath = writePage(dir, "one.html", one, "UTF-8");
    // Room for the text of either, not for the elements of the first.
    PageLoader::setMemoryForPages(qint64(many.size()) * 400);
    const auto restore = qScopeGuard([] { PageLoader::setMemoryForPages(-1); });
    Ref<Document> doc = Document::create();
    doc->loadFromString(QStringLiteral("<html><body>kept</body></html>"));
    platform::FileFault fault = platform::FileFault::None;
    EXPECT_FALSE(doc->load(manyPath, &fault));
    EXPECT_EQ(fault, platform::FileFault::NoMemory);
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("kept"));
    std::vector<platform::FileFault> failed;
    QObject::connect(&doc->loader(), &PageLoader::loadFailed,
                     [&failed](platform::FileFault f) { failed.push_back(f); });
    ASSERT_TRUE(doc->load(manyPath, nullptr, Reading::InBackground));
    runEventsFor(20000, [&] { return !doc->isLoading(); });
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0], platform::FileFault::NoMemory);
    EXPECT_EQ(doc->body()->textContent(), QStringLiteral("kept"));
    EXPECT_TRUE(doc->load(onePath, &fault));
    EXPECT_EQ(doc->body()->textContent().size(), one.size() - 15);
    ASSERT_TRUE(doc->load(onePath, nullptr, Reading::InBackground));
    runEventsFor(20000, [&] { return !doc->isLoading(); });
    EXPECT_EQ(failed.size(), 1u);
    EXPECT_EQ(doc->getElementsByTagName(QStringLiteral("P")).length(), 1);
}

// The memory the parser keeps for the next page goes back once no page is
// being read, also when the page read was closed before it came in.
TEST(BackgroundLoad, TheParsersMemoryGoesBackOnceNoPageIsRead)
{
    QTemporaryDir dir;
    const QString path = writePage(dir, "long.html", paragraphsPage(60000), "UTF-8");
    for (const bool closedWhileRead : {false, true}) {
        Ref<Document> doc = Document::create();
        Loaded loaded;
        doc->addObserver(&loaded);
        ASSERT_TRUE(doc->load(path, nullptr, Reading::InBackground));
        if (closedWhileRead) {
            doc->removeObserver(&loaded);
            doc = nullptr;
        } else {
            runEventsFor(20000, [&] { return loaded.count > 0; });
            EXPECT_EQ(doc->getElementsByTagName(QStringLiteral("P")).length(), 60000);
            doc->removeObserver(&loaded);
        }
        runEventsFor(20000, [] { return HtmlParser::spareMemoryBytes() <= size_t(4) << 20; });
        EXPECT_LE(HtmlParser::spareMemoryBytes(), size_t(4) << 20) << closedWhileRead;
    }
}

// A page read again in the background in the charset set last: the page
// stays as it is until the new one is in, and one that cannot be read
// again stays as it was, its page-loaded notification following all the same.
TEST(BackgroundLoad, APageReadAgainInAnotherCharsetComesInOnTheEventLoop)
{
    QTemporaryDir dir;
    const QString text = QStringLiteral("日本語のページです。漢字とかなが入っています。");
    const QString path =
        writePage(dir, "e.html", QStringLiteral("<html><body>") + text + QStringLiteral("</body></html>"), "EUC-JP");
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->load(path));
    runEventsFor(50);
    doc->setCharset(QStringLiteral("windows-31j"));
    ASSERT_TRUE(doc->refresh());
    const QString misread = doc->body()->textContent();
    ASSERT_NE(misread, text);
    runEventsFor(50);
    Loaded loaded;
    doc->addObserver(&loaded);
    std::vector<platform::FileFault> failed;
    QObject::connect(&doc->loader(), &PageLoader::loadFailed,
                     [&failed](platform::FileFault f) { failed.push_back(f); });

    doc->setCharset(QStringLiteral("EUC-JP"));
    ASSERT_TRUE(doc->refresh(nullptr, Reading::InBackground));
    EXPECT_TRUE(doc->isLoading());
    EXPECT_EQ(doc->body()->textContent(), misread);
    runEventsFor(10000, [&] { return loaded.count > 0; });
    runEventsFor(50);
    EXPECT_EQ(loaded.count, 1);
    EXPECT_FALSE(doc->isLoading());
    EXPECT_EQ(doc->body()->textContent(), text);
    EXPECT_EQ(doc->charset(), platform::canonicalCharset(QStringLiteral("EUC-JP")));
    EXPECT_EQ(doc->url(), path);
    EXPECT_FALSE(doc->isDirty());
    EXPECT_FALSE(doc->undoManager().canUndo());

    // Read again when there is no memory left for it: kept, and told loaded.
    PageLoader::setMemoryForPages(0);
    const auto restore = qScopeGuard([] { PageLoader::setMemoryForPages(-1); });
    const Ref<Element> body = doc->body();
    doc->setCharset(QStringLiteral("windows-31j"));
    ASSERT_TRUE(doc->refresh(nullptr, Reading::InBackground));
    runEventsFor(10000, [&] { return loaded.count > 1; });
    runEventsFor(50);
    EXPECT_EQ(loaded.count, 2);
    EXPECT_TRUE(failed.empty());
    EXPECT_FALSE(doc->isLoading());
    EXPECT_EQ(doc->body(), body.get());
    EXPECT_EQ(doc->body()->textContent(), text);

    doc->removeObserver(&loaded);
}
