// Pages written the way people and documentation tools write them, in the
// charsets of Japanese pages, opened, saved, opened and saved again: the two
// saves must be the same bytes (a save is a fixed point), and the saved page
// must show the same text and the same words in the same places as the page
// first opened.
#include "engine/EnginePage.h"
#include "engine/TestData.h"

#include "bench/engine/DocumentationPage.h"
#include "engine/fuzz/FuzzChecks.h"
#include "engine/html/PageLoader.h"
#include "engine/layout/DocumentLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace engine;

namespace {

QString corpusDir()
{
    return testData(QStringLiteral("corpus")).path();
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The words the page shows, with their places.
QString shownWords(Document* doc)
{
    DocumentLayout layout(doc);
    layout.setViewportSize(QSize(800, 600));
    QString out;
    for (const TextPiece& p : layout.tree().pieces) {
        if (p.space)
            continue;
        out += QStringLiteral("%1@%2,%3 ").arg(p.text).arg(p.box.x()).arg(p.box.y());
    }
    return out;
}

QString bodyText(Document* doc)
{
    return doc->body() ? HtmlSerializer::innerText(doc->body()) : QString();
}

class SavedPage : public ::testing::TestWithParam<std::string>
{
};

TEST_P(SavedPage, SavedTwiceIsTheSameFileWithTheSameText)
{
    const QString page = corpusDir() + u'/' + QString::fromStdString(GetParam());
    ASSERT_TRUE(QFileInfo::exists(page)) << page.toStdString();
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.html"));
    const QString second = dir.filePath(QStringLiteral("second.html"));

    Ref<Document> opened = Document::create();
    ASSERT_TRUE(opened->load(page));
    ASSERT_TRUE(opened->save(first));
    Ref<Document> reopened = Document::create();
    ASSERT_TRUE(reopened->load(first));
    ASSERT_TRUE(reopened->save(second));

    const QByteArray once = bytesOf(first);
    const QByteArray twice = bytesOf(second);
    EXPECT_FALSE(once.isEmpty());
    EXPECT_EQ(once, twice);
    EXPECT_EQ(reopened->charset(), opened->charset());
    EXPECT_EQ(reopened->title(), opened->title());
    EXPECT_EQ(bodyText(reopened.get()), bodyText(opened.get()));
    EXPECT_EQ(shownWords(reopened.get()), shownWords(opened.get()));
}

// Every page of the corpus, and the pages of the layout fidelity measure
// (relative to the corpus folder).
std::vector<std::string> corpusPages()
{
    std::vector<std::string> pages;
    const QDir corpus(corpusDir());
    for (const QString& path : testPages())
        pages.push_back(corpus.relativeFilePath(path).toStdString());
    return pages;
}

INSTANTIATE_TEST_SUITE_P(Corpus, SavedPage, ::testing::ValuesIn(corpusPages()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             QString name = QString::fromStdString(info.param);
                             name.chop(5); // ".html"
                             name.remove(QStringLiteral("../"));
                             for (QChar& c : name)
                                 if (!c.isLetterOrNumber())
                                     c = u'_';
                             return name.remove(u'_').toStdString();
                         });

TEST(SavedPage, PagesAreReadInTheirCharsetAndKeepIt)
{
    struct Case
    {
        const char* file;
        const char* charset;
        const char* text;
    };
    for (const Case& c :
         {Case{"sjis-support.html", "windows-31j", "（　´∀｀）"},
          Case{"word-letter-sjis.html", "windows-31j", "町内会だより　第１２号"},
          Case{"eucjp-faq.html", "EUC-JP", "全角文字は２桁と数えます。"},
          Case{"iso2022jp-notice.html", "ISO-2022-JP", "３月２０日（水）"},
          Case{"javadoc-class.html", "ISO-8859-1", "Biblioth\u00e8que d'agenda"},
          Case{"homepage-1998-windows-1252.html", "windows-1252", "\u201cBubbles\u201d"},
          Case{"bus-timetable-iso-8859-2.html", "ISO-8859-2", "Jízdní řád autobusové linky"},
          Case{"recipe-iso-8859-7.html", "ISO-8859-7", "Φασολάδα"},
          Case{"mail-archive-koi8-r.html", "KOI8-R", "Сборка ядра на старом ноутбуке"},
          Case{"community-notice-gb2312.html", "GB2312", "周末图书交换活动"},
          Case{"dialup-faq-big5.html", "Big5", "撥接上網常見問題"},
          Case{"club-notices-euc-kr.html", "EUC-KR", "가을 산행 안내"},
          Case{"release-notes-xhtml-utf-16.html", "UTF-16", "Zoë, Ångström, Nguyễn"},
          Case{"fan-page-1997-marquee.html", "windows-1252", "\"Se\u00f1or Bubbles\" \u2013 he's 3\u00bd"},
          Case{"school-news-frontpage-windows-1251.html", "windows-1251", "олимпиаде по информатике"},
          Case{"encyclopedia-article-utf-8-bom.html", "UTF-8", "arch \U0001D51E (a semicircle)"},
          Case{"bbs-thread-euc-jp.html", "EUC-JP", "ｶｯﾊﾟ着て乗ってる。"},
          Case{"event-guestbook-sjis-vendor-characters.html", "windows-31j", "①日時"},
          Case{"perl-module-pod-iso-8859-15.html", "ISO-8859-15", "Œ or Š"},
          Case{"city-news-xhtml-iso-8859-9.html", "ISO-8859-9", "İl Halk Kütüphanesi"},
          Case{"noodle-shop-menu-tis-620.html", "windows-874", "ก๋วยเตี๋ยวหมูน้ำใส"},
          Case{"library-notices-iso-8859-8.html", "ISO-8859-8", "ספריית הקהילה"},
          Case{"clinic-hours-windows-1256.html", "windows-1256", "عيادة الأسنان"},
          Case{"reading-club-gb18030.html", "GB18030", "㐀㐁 \U00020000"},
          Case{"help-topic-utf-16le.html", "UTF-16", "63,5 × 38,1"}}) {
        Ref<Document> doc = Document::create();
        ASSERT_TRUE(doc->load(corpusDir() + u'/' + QString::fromLatin1(c.file)));
        EXPECT_EQ(doc->charset(), QString::fromLatin1(c.charset)) << c.file;
        EXPECT_TRUE(bodyText(doc.get()).contains(QString::fromUtf8(c.text))) << c.file;
    }
}

TEST(SavedPage, GeneratedManualSavesAsAFixedPoint)
{
    // A manual of some hundred sections, as a documentation tool writes it.
    auto opened = pageFrom(bench_pages::documentationPage(200 * 1024));
    const QString once = HtmlSerializer::fileText(opened.get());
    auto reopened = pageFrom(once);
    EXPECT_EQ(HtmlSerializer::fileText(reopened.get()), once);
    EXPECT_EQ(bodyText(reopened.get()), bodyText(opened.get()));
}

TEST(SavedPage, EverySeedOfTheParseFuzzerSavesAsAFixedPoint)
{
    // The parse fuzz target's own check, once over its seed corpus: the
    // inputs that once failed it and the pages it starts from.
    const QStringList seeds = fuzzSeeds("parse");
    EXPECT_GT(seeds.size(), 20);
    for (const QString& seed : seeds) {
        const auto saves = fuzz_checks::saveTwice(bytesOf(seed));
        if (saves.stable())
            continue;
        qsizetype at = 0;
        while (at < saves.once.size() && at < saves.twice.size() && saves.once[at] == saves.twice[at])
            ++at;
        ADD_FAILURE() << QFileInfo(seed).fileName().toStdString() << ": the second save differs from the first at "
                      << at << ":\n  first:  " << saves.once.mid(at - 40, 120).toStdString()
                      << "\n  second: " << saves.twice.mid(at - 40, 120).toStdString();
    }
}

} // namespace
