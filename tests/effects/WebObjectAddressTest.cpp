// The addresses of the service's pages, the markup of other counters and the
// rules of the style lists, without a window.

#include "effects/CounterMarkup.h"
#include "effects/WebObjectStyles.h"
#include "effects/WebServiceAccount.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using webservice::BuildWebObjectAddress;
using webservice::WithAddressScheme;

const QString kStart = QStringLiteral("https://svc.example/BODR/b.cgi?");

TEST(WebObjectAddress, TheExtensionChoosesTheStylesFieldInAnyCase)
{
    EXPECT_EQ(BuildWebObjectAddress(kStart, QStringLiteral("u1"), QStringLiteral("blue"), QStringLiteral("brd")),
              kStart + QStringLiteral("USERID=u1&BODTYPE=blue"));
    EXPECT_EQ(BuildWebObjectAddress(kStart, QStringLiteral("u1"), QStringLiteral("rose"), QStringLiteral("VST")),
              kStart + QStringLiteral("USERID=u1&GBODTYPE=rose"));
    EXPECT_EQ(BuildWebObjectAddress(kStart, QStringLiteral("u1"), QStringLiteral("red"), QStringLiteral("Cnt")),
              kStart + QStringLiteral("USERID=u1&CNTTYPE=red"));
    EXPECT_EQ(webservice::KindOfExtension(QStringLiteral("BRD")), webservice::WebObjectKind::Board);
    EXPECT_EQ(webservice::KindOfExtension(QStringLiteral("vSt")), webservice::WebObjectKind::Visitor);
    EXPECT_EQ(webservice::KindOfExtension(QStringLiteral("cnt")), webservice::WebObjectKind::Counter);
    EXPECT_EQ(webservice::KindOfExtension(QStringLiteral("gif")), webservice::WebObjectKind::Counter);
}

TEST(WebObjectAddress, StoredStartsAreMendedAndNeverGiveAMalformedLink)
{
    const auto build = [](const QString& start) {
        return BuildWebObjectAddress(start, QStringLiteral("u1"), QStringLiteral("s"), QStringLiteral("cnt"));
    };
    // Line breaks inside a stored value disappear.
    EXPECT_EQ(build(QStringLiteral("http://a.example/c\r\n.cgi?")),
              QStringLiteral("http://a.example/c.cgi?USERID=u1&CNTTYPE=s"));
    EXPECT_EQ(build(QStringLiteral(" http://a.example/c.cgi?\n")),
              QStringLiteral("http://a.example/c.cgi?USERID=u1&CNTTYPE=s"));
    // A start without its "?" or "&" gets one.
    EXPECT_EQ(build(QStringLiteral("http://a.example/c.cgi")),
              QStringLiteral("http://a.example/c.cgi?USERID=u1&CNTTYPE=s"));
    EXPECT_EQ(build(QStringLiteral("http://a.example/c.cgi?x=1")),
              QStringLiteral("http://a.example/c.cgi?x=1&USERID=u1&CNTTYPE=s"));
    EXPECT_EQ(build(QStringLiteral("http://a.example/c.cgi?x=1&")),
              QStringLiteral("http://a.example/c.cgi?x=1&USERID=u1&CNTTYPE=s"));
    // A scheme only where there is none; an https address keeps its own.
    EXPECT_EQ(build(QStringLiteral("a.example/c?")), QStringLiteral("http://a.example/c?USERID=u1&CNTTYPE=s"));
    EXPECT_EQ(build(QStringLiteral("HTTP://a.example/c?")), QStringLiteral("HTTP://a.example/c?USERID=u1&CNTTYPE=s"));
    EXPECT_EQ(build(QStringLiteral("https://a.example/c?")), QStringLiteral("https://a.example/c?USERID=u1&CNTTYPE=s"));
    // Nothing configured: no address at all.
    EXPECT_EQ(build(QString()), QString());
    EXPECT_EQ(build(QStringLiteral("\r\n")), QString());
}

TEST(WebObjectAddress, IdsAndStylesArePercentEncoded)
{
    EXPECT_EQ(BuildWebObjectAddress(kStart, QStringLiteral("a&b#c d"), QStringLiteral("my \"style\"&x"),
                                    QStringLiteral("brd")),
              kStart + QStringLiteral("USERID=a%26b%23c%20d&BODTYPE=my%20%22style%22%26x"));
    EXPECT_EQ(BuildWebObjectAddress(kStart, QStringLiteral("たろう\n"), QStringLiteral("blue"), QStringLiteral("brd")),
              kStart + QStringLiteral("USERID=%E3%81%9F%E3%82%8D%E3%81%86%0A&BODTYPE=blue"));
    // The style is read back from such an address as it was.
    EXPECT_EQ(webservice::StyleOfAddress(kStart + QStringLiteral("USERID=u&BODTYPE=my%20%22style%22%26x")),
              QStringLiteral("my \"style\"&x"));
    EXPECT_EQ(webservice::StyleOfAddress(QStringLiteral("blue")), QStringLiteral("blue"));
    EXPECT_EQ(webservice::StyleOfAddress(QStringLiteral("x?CNTTYPE=")), QString());
    // The counter's settings page carries the password and the start value.
    EXPECT_EQ(webservice::BuildCounterSettingsAddress(QStringLiteral("https://s.example/set?"), QStringLiteral("u 1"),
                                                      QStringLiteral("p&w=#"), 1000000000),
              QStringLiteral("https://s.example/set?USERID=u%201&PW=p%26w%3D%23&START=1000000000"));
    EXPECT_EQ(webservice::BuildCounterSettingsAddress(QString(), QStringLiteral("u"), QStringLiteral("p"), 0),
              QString());
}

TEST(WebObjectAddress, TypedAddressesGetTheirScheme)
{
    EXPECT_EQ(WithAddressScheme(QStringLiteral("http:/x.example/b")), QStringLiteral("http://x.example/b"));
    EXPECT_EQ(WithAddressScheme(QStringLiteral("HTTP:/x.example/b")), QStringLiteral("HTTP://x.example/b"));
    EXPECT_EQ(WithAddressScheme(QStringLiteral("x.example/b")), QStringLiteral("http://x.example/b"));
    EXPECT_EQ(WithAddressScheme(QStringLiteral("HTTP://x.example/b")), QStringLiteral("HTTP://x.example/b"));
    EXPECT_EQ(WithAddressScheme(QStringLiteral("https://x.example/b")), QStringLiteral("https://x.example/b"));
    EXPECT_EQ(WithAddressScheme(QStringLiteral("localhost:8080/b")), QStringLiteral("http://localhost:8080/b"));
}

TEST(CounterMarkup, TheKindComesFromTheTagAndBadMarkupIsRefused)
{
    CounterMarkup img = CounterMarkup::Check(QStringLiteral("<img src=\"http://c.example/c.gif\">"));
    EXPECT_EQ(img.kind, 0);
    EXPECT_EQ(img.messageId, 0u);
    // A closing EMBED goes, in any case, where it stands.
    CounterMarkup embed = CounterMarkup::Check(QStringLiteral("<EMBED src=\"c.swf\"></embed>\n"));
    EXPECT_EQ(embed.kind, 1);
    EXPECT_EQ(embed.markup, QStringLiteral("<EMBED src=\"c.swf\">\n"));
    // Both names: an image counter.
    EXPECT_EQ(CounterMarkup::Check(QStringLiteral("<embed src=\"img.swf\">")).kind, 0);
    // Without brackets, without a counter's tag, with a script, or far too long.
    for (const QString& bad : {QStringLiteral("img src=c.gif"), QStringLiteral("<p>count</p>"),
                               QStringLiteral("<script>document.write('<img src=x>')</script>"),
                               QStringLiteral("<IMG src=x><SCRIPT src=y.js></SCRIPT>")}) {
        const CounterMarkup refused = CounterMarkup::Check(bad);
        EXPECT_EQ(refused.kind, -1) << bad.toStdString();
        EXPECT_EQ(refused.messageId, unsigned(IDS_BAD_COUNTER_HTML)) << bad.toStdString();
    }
    const QString huge = QStringLiteral("<img src=\"") + QString(100 * 1024, QLatin1Char('a')) + QStringLiteral("\">");
    EXPECT_EQ(CounterMarkup::Check(huge).messageId, unsigned(IDS_COUNTER_HTML_TOO_LONG));
}

TEST(WebObjectStyles, StylesAreThePicturesOfTheirFolderInTheListsOrder)
{
    QTemporaryDir dir;
    for (const char* name : {"blue.gif", "Green.GIF", "apple.gif", "notes.txt", "red.cnt", "a.b.gif"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.gif"));
    EXPECT_EQ(
        webobjectstyles::StyleNames(dir.path(), QStringLiteral("gif")),
        (QStringList{QStringLiteral("a.b"), QStringLiteral("apple"), QStringLiteral("blue"), QStringLiteral("Green")}));
    EXPECT_EQ(webobjectstyles::StyleNames(dir.path(), QStringLiteral("cnt")), QStringList{QStringLiteral("red")});
    EXPECT_TRUE(webobjectstyles::StyleNames(dir.filePath(QStringLiteral("missing")), QStringLiteral("gif")).isEmpty());
    EXPECT_TRUE(webobjectstyles::StyleNames(QString(), QStringLiteral("gif")).isEmpty());
    const QStringList sorted{QStringLiteral("Blue"), QStringLiteral("green")};
    EXPECT_EQ(webobjectstyles::SortedInsertIndex(sorted, QStringLiteral("apple")), 0);
    EXPECT_EQ(webobjectstyles::SortedInsertIndex(sorted, QStringLiteral("BLUE")), 0);
    EXPECT_EQ(webobjectstyles::SortedInsertIndex(sorted, QStringLiteral("GREEN")), 1);
    EXPECT_EQ(webobjectstyles::SortedInsertIndex(sorted, QStringLiteral("red")), 2);
    EXPECT_EQ(webobjectstyles::IndexOfCaseBlind(sorted, QStringLiteral("BLUE")), 0);
    EXPECT_EQ(webobjectstyles::IndexOfCaseBlind(sorted, QStringLiteral("red")), -1);
}

TEST(WebObjectStyles, ArrowKeysStopAtTheEnds)
{
    using webobjectstyles::ArrowKeyItem;
    EXPECT_EQ(ArrowKeyItem(-1, 4, true), 0);
    EXPECT_EQ(ArrowKeyItem(-1, 4, false), 0);
    EXPECT_EQ(ArrowKeyItem(0, 4, false), 0);
    EXPECT_EQ(ArrowKeyItem(2, 4, false), 1);
    EXPECT_EQ(ArrowKeyItem(2, 4, true), 3);
    EXPECT_EQ(ArrowKeyItem(3, 4, true), 3);
    EXPECT_EQ(ArrowKeyItem(9, 4, false), 3);
    EXPECT_EQ(ArrowKeyItem(-1, 0, true), -1);
}

TEST(WebObjectStyles, TargetsNameTheFramesInDocumentOrder)
{
    // FRAMESET(noname) { FRAME top, FRAMESET(NoName) { FRAME "", FRAME main }, FRAME noname }
    VornaFrameSet root;
    root.SetKind(QStringLiteral("FRAMESET"));
    root.m_pFirstChild = std::make_unique<VornaFrameSet>();
    VornaFrameSet* top = root.m_pFirstChild.get();
    top->SetName(QStringLiteral("top"));
    top->m_pNext = std::make_unique<VornaFrameSet>();
    VornaFrameSet* inner = top->m_pNext.get();
    inner->SetKind(QStringLiteral("FRAMESET"));
    inner->SetName(QStringLiteral("NoName"));
    inner->m_pFirstChild = std::make_unique<VornaFrameSet>();
    inner->m_pFirstChild->SetName(QString());
    inner->m_pFirstChild->m_pNext = std::make_unique<VornaFrameSet>();
    inner->m_pFirstChild->m_pNext->SetName(QStringLiteral("main"));
    inner->m_pNext = std::make_unique<VornaFrameSet>();
    EXPECT_EQ(
        webobjectstyles::LinkTargets(&root),
        (QStringList{QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"),
                     QStringLiteral("_top"), QStringLiteral("top"), QStringLiteral("NoName"), QStringLiteral("main")}));
    EXPECT_EQ(webobjectstyles::LinkTargets(nullptr).size(), 4);
}

} // namespace
