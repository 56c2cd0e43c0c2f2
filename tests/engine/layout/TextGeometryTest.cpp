// Text geometry over large pages and around replaced content.
#include "engine/layout/TextGeometry.h"

#include "engine/EnginePage.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/RangeGeometry.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using layout_test::byId;

// A range over an image reports the image's box with the text around it.
TEST(RangeGeometry, RangeOverAnImageCoversTheImage)
{
    Ref<Document> doc =
        pageFrom("<body><p id=p>before <img id=img src='none.png' width=40 height=30> after</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(600, 400));
    Element* p = byId(doc.get(), "p");
    TextRange range(doc.get(), p->firstChild(), 0, p->lastChild(), 3);
    const QRect bounds = RangeGeometry(layout).rangePageRect(range);
    const LayoutBox* img = layout.box(byId(doc.get(), "img"));
    ASSERT_NE(img, nullptr);
    EXPECT_TRUE(bounds.contains(img->borderBox)) << bounds.height() << " " << img->borderBox.height();
}

namespace {

struct TextPage
{
    explicit TextPage(const char* html) : doc(pageFrom(html)), layout(doc.get())
    {
        layout.setViewportSize(QSize(600, 400));
    }
    Text* textOf(const char* id) { return byId(doc.get(), id)->firstChild()->asText(); }
    QRect box(const char* id) { return layout.box(byId(doc.get(), id))->borderBox; }
    Ref<Document> doc;
    DocumentLayout layout;
};

} // namespace

// A point in a cell or a layer places the caret in its text, even where a
// line of another cell or of the page beside it is nearer.
TEST(TextGeometry, PointInACellOrLayerStaysInIt)
{
    TextPage page("<body><table cellspacing=2><tr><td id=a valign=top width=100>alpha</td>"
                  "<td id=b width=100>b1<br>b2<br>b3<br>b4<br>b5</td></tr></table>"
                  "<p id=flow style='margin-top:40px'>flow text one<br>flow text two<br>flow text three</p>"
                  "<div id=layer style='position:absolute;left:300px;top:100px;width:200px;height:200px'>"
                  "<span id=inlayer>layer text</span></div></body>");
    TextGeometry text(page.layout);
    const QRect a = page.box("a"), b = page.box("b");
    // Low in cell a, level with the last lines of cell b.
    EXPECT_EQ(text.positionAtPoint(QPoint(a.left() + 10, b.bottom() - 4)).node, page.textOf("a"));
    EXPECT_EQ(text.positionAtPoint(QPoint(b.left() + 5, b.bottom() - 4)).text()->data(), QStringLiteral("b5"));
    // Low in the layer, level with the lines of the page beside it.
    const QRect flow = page.box("flow");
    const QRect layer = page.box("layer");
    ASSERT_LT(flow.top(), layer.bottom());
    EXPECT_EQ(text.positionAtPoint(QPoint(layer.left() + 20, flow.bottom() - 4)).node, page.textOf("inlayer"));
    // Outside both, the nearest line of the page.
    EXPECT_EQ(text.positionAtPoint(QPoint(flow.left() + 5, flow.bottom() - 4)).text()->data(),
              QStringLiteral("flow text three"));
}

// A collapsed range measures where the caret would stand, also where no
// text is: in an empty cell, after an image.
TEST(RangeGeometry, CollapsedRangeOutsideTextHasTheCaretsBox)
{
    TextPage page("<body><table><tr><td id=empty width=60 height=30></td></tr></table>"
                  "<p id=p>pic <img id=img src='none.png' width=40 height=20></p></body>");
    Element* cell = byId(page.doc.get(), "empty");
    TextRange inCell(page.doc.get(), cell, 0, cell, 0);
    const QRect r = RangeGeometry(page.layout).rangePageRect(inCell);
    ASSERT_FALSE(r.isNull());
    EXPECT_TRUE(page.box("empty").contains(r.topLeft()));
    Element* p = byId(page.doc.get(), "p");
    TextRange afterImage(page.doc.get(), p, 2, p, 2);
    EXPECT_EQ(RangeGeometry(page.layout).rangePageRect(afterImage).left(),
              page.box("img").left() + page.box("img").width());
}

TEST(TextGeometry, LineBreaksEndTheirLine)
{
    TextPage page("<body><p id=p>one<br>two<br><br>four</p></body>");
    Element* p = byId(page.doc.get(), "p");
    TextGeometry text(page.layout);
    const QRect one = text.caretRect(p->child(0)->asText(), 0);
    const QRect two = text.caretRect(p->child(2)->asText(), 0);
    const QRect four = text.caretRect(p->child(5)->asText(), 0);
    EXPECT_EQ(two.left(), one.left());
    EXPECT_EQ(two.top(), one.top() + one.height());
    EXPECT_EQ(four.top(), one.top() + 3 * one.height()); // the empty line keeps its height
}

// In preformatted text a place before a line feed stands at the end of its
// line, where typing puts what is typed, also where the line feed begins a
// text of its own (after a break, or a text split there). Where white space
// is not kept, the same text starts its line.
TEST(TextGeometry, BeforeAKeptLineFeedTheCaretEndsItsLine)
{
    TextPage page("<body><pre id=pre>one<br>two<b>!</b>\nthree\n\nfive</pre>"
                  "<p id=p>one<b>!</b>\nthree</p></body>");
    Element* pre = byId(page.doc.get(), "pre");
    TextGeometry text(page.layout);
    const QRect two = text.caretRect(pre->child(2)->asText(), 3);
    const QRect bold = text.caretRect(pre->child(3)->firstChild()->asText(), 1);
    Text* after = pre->child(4)->asText(); // "\nthree\n\nfive"
    const QRect lineEnd = text.caretRect(after, 0);
    EXPECT_EQ(lineEnd.top(), two.top());
    EXPECT_EQ(lineEnd.left(), bold.left());
    EXPECT_EQ(text.lineInfo(after, 0)->top, two.top());
    const QRect three = text.caretRect(after, 1);
    EXPECT_EQ(three.top(), two.top() + two.height());
    EXPECT_EQ(three.left(), text.caretRect(pre->child(2)->asText(), 0).left());
    // (Before the line feed that opens the empty line, and on it.)
    EXPECT_EQ(text.caretRect(after, 6).top(), three.top());
    EXPECT_EQ(text.caretRect(after, 8).top(), three.top() + 2 * two.height());

    Element* p = byId(page.doc.get(), "p");
    const QRect one = text.caretRect(p->child(0)->asText(), 0);
    const QRect collapsed = text.caretRect(p->child(2)->asText(), 0);
    EXPECT_EQ(collapsed.top(), one.top());
    EXPECT_GT(collapsed.left(), one.left());
}

struct WordCase
{
    int offset;
    const char* word; // UTF-8
};

// The word at an offset of a sentence laid out as one paragraph.
std::string wordIn(const QString& sentence, int offset)
{
    TextPage page(("<body><p id=p style='width:600px'>" + sentence.toStdString() + "</p></body>").c_str());
    TextGeometry text(page.layout);
    const auto [from, to] = text.wordAt(page.textOf("p"), offset);
    return sentence.mid(from, to - from).toStdString();
}

class JapaneseWords : public ::testing::TestWithParam<WordCase>
{
};

// Japanese text lays out one character per piece; a word is a run of one
// kind of script: kanji, hiragana, or katakana with its long vowel mark.
TEST_P(JapaneseWords, RunOfOneScriptIsAWord)
{
    EXPECT_EQ(wordIn(QString::fromUtf8("日本語のテキストです。Paginor で編集"), GetParam().offset), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(Sentence, JapaneseWords,
                         ::testing::Values(WordCase{1, "日本語"}, WordCase{3, "の"}, WordCase{5, "テキスト"},
                                           WordCase{7, "テキスト"}, WordCase{9, "です"}, WordCase{10, "。"},
                                           WordCase{14, "Paginor"}, WordCase{18, " "}, WordCase{19, "で"},
                                           WordCase{22, "編集"}));

class LatinWords : public ::testing::TestWithParam<WordCase>
{
};

// A word ends where the Unicode word boundaries put it: a full stop after it
// is no part of it, an apostrophe inside it is; a place right between a word
// and the mark after it belongs to the word.
TEST_P(LatinWords, PunctuationIsNoPartOfAWord)
{
    EXPECT_EQ(wordIn(QStringLiteral("We don't go. Now!"), GetParam().offset), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(Sentence, LatinWords,
                         ::testing::Values(WordCase{0, "We"}, WordCase{4, "don't"}, WordCase{6, "don't"},
                                           WordCase{7, "don't"}, WordCase{9, "go"}, WordCase{10, "go"},
                                           WordCase{11, "go"}, WordCase{15, "Now"}, WordCase{16, "Now"}));
