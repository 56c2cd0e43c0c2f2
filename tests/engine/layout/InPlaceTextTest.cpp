// Typing changes the words of a text node in place; the result must be the
// layout a full re-creation gives: every box and every word.

#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutSerializer.h"

#include "engine/EnginePage.h"
#include "FullLayoutCheck.h"

#include <gtest/gtest.h>

#include <deque>

using namespace engine;
using layout_test::expectSameAsFullLayout;

namespace {

// One edit of the text node at `child` of the element with `id`.
struct TextEdit
{
    const char* id;
    int child;
    int offset;  // -1: the end of the text
    int removed; // characters removed at offset
    const char* inserted;
};

struct TypingCase
{
    const char* name;
    const char* html;
    std::vector<TextEdit> edits;
    bool inPlace; // every edit is expected to stay in place
};

void PrintTo(const TypingCase& c, std::ostream* os)
{
    *os << c.name;
}

Text* textOf(Document* doc, const TextEdit& e)
{
    Element* el = doc->getElementById(QString::fromLatin1(e.id));
    Node* n = el ? el->childNodes().at(static_cast<size_t>(e.child)).get() : nullptr;
    return n ? n->asText() : nullptr;
}

// Typing "text" one character at a time at the end of a text node.
std::vector<TextEdit> typed(const char* id, int child, const char* text)
{
    static std::deque<std::string> keys; // outlives the cases
    std::vector<TextEdit> edits;
    const QString s = QString::fromUtf8(text);
    for (int i = 0; i < s.size(); ++i) {
        keys.push_back(s.mid(i, 1).toStdString());
        edits.push_back({id, child, -1, 0, keys.back().c_str()});
    }
    return edits;
}

std::vector<TextEdit> operator+(std::vector<TextEdit> a, const std::vector<TextEdit>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class InPlaceText : public ::testing::TestWithParam<TypingCase>
{
};

TEST_P(InPlaceText, MatchesAFullLayoutAfterEachEdit)
{
    const TypingCase& c = GetParam();
    Ref<Document> doc = pageFrom(c.html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    int step = 0;
    for (const TextEdit& e : c.edits) {
        Text* t = textOf(doc.get(), e);
        ASSERT_NE(t, nullptr) << e.id;
        const DocumentLayout::Counters before = layout.counters();
        const int at = e.offset < 0 ? t->length() : e.offset;
        if (e.removed > 0)
            t->deleteData(at - (e.offset < 0 ? e.removed : 0), e.removed);
        if (e.inserted)
            t->insertData(e.offset < 0 ? t->length() : at, QString::fromUtf8(e.inserted));
        const std::string what = std::string(c.name) + " step " + std::to_string(++step);
        expectSameAsFullLayout(layout, *doc, what);
        if (c.inPlace) {
            EXPECT_EQ(layout.counters().rebuilds, before.rebuilds) << what;
            EXPECT_EQ(layout.counters().textUpdates, before.textUpdates + (e.removed > 0) + (e.inserted != nullptr))
                << what;
        } else {
            EXPECT_EQ(layout.counters().rebuilds, before.rebuilds + 1) << what;
        }
        if (HasFailure())
            return;
    }
}

const TypingCase kCases[] = {
    {"WrappingParagraph", "<body><p id=p style='width:120px'>Short</p><p>after</p></body>",
     typed("p", 0, " words that wrap onto lines"), true},
    {"BackspaceAndDelete", "<body><div id=d>one two  three four</div><p>below</p></body>",
     std::vector<TextEdit>{{"d", 0, -1, 1, nullptr},
                           {"d", 0, 3, 1, nullptr},
                           {"d", 0, 0, 3, nullptr},
                           {"d", 0, 0, 0, "x"},
                           {"d", 0, 2, 2, " "}},
     true},
    {"EmptiedAndRetyped", "<body><p id=p>ab</p><p>next</p></body>",
     std::vector<TextEdit>{{"p", 0, -1, 2, nullptr}} + typed("p", 0, "cd"), true},
    {"JapaneseInAParagraph", "<body><p id=p style='width:100px'>日本語</p></body>",
     typed("p", 0, "の文章を入力します。「かぎ」、カタカナ"), true},
    {"CellWithSpans",
     "<body><table border=1><tr><td id=a rowspan=2>a</td><td colspan=2 id=b>b</td></tr>"
     "<tr><td id=c>c</td><td>d</td></tr><tr><td colspan=3>wide</td></tr></table><p>after</p></body>",
     typed("a", 0, "typing widens this column") + typed("c", 0, "日本語の表") +
         std::vector<TextEdit>{{"a", 0, 1, 6, nullptr}},
     true},
    {"InlineElementsAndSpaces", "<body><p id=p>x <b id=b>bold</b> y</p></body>",
     typed("b", 0, "  two\xC2\xA0spaces ") + typed("p", 0, "more ") + typed("p", 2, " end"), true},
    {"Preformatted", "<body><pre id=p>line</pre><p>after</p></body>", typed("p", 0, "\nsecond   line\n"), true},
    // Edits amid the words, of which only those around the edit are made
    // anew: next to white space at the text's edges (which then may stand
    // at the edge no more), in runs of spaces, a word split and joined, a
    // no-break space (no white space to break at), words replaced by
    // Japanese and back.
    {"EditsAmidTheWords",
     "<body><p id=p style='width:150px'> lead words amid  many more words trail </p>"
     "<p id=q><b>bold</b> after the bold</p></body>",
     std::vector<TextEdit>{{"p", 0, -1, 0, "x"},
                           {"p", 0, -1, 1, nullptr},
                           {"p", 0, 0, 0, "y"},
                           {"p", 0, 0, 1, nullptr},
                           {"p", 0, 8, 0, " "},
                           {"p", 0, 8, 1, nullptr},
                           {"p", 0, 16, 1, nullptr},
                           {"p", 0, 19, 0, "\xC2\xA0"},
                           {"p", 0, 12, 9, "日本語。"},
                           {"p", 0, 13, 0, "ab cd"},
                           {"p", 0, 12, 9, "amid"},
                           {"q", 1, 0, 1, nullptr},
                           {"q", 1, 0, 0, "  "},
                           {"q", 1, 3, 0, "x"}},
     true},
    {"PreformattedAmidTheLines", "<body><pre id=p>one\ttwo\nthree  four\n</pre><p>after</p></body>",
     std::vector<TextEdit>{{"p", 0, 4, 0, "x"},
                           {"p", 0, 8, 1, nullptr},
                           {"p", 0, 10, 0, "\n"},
                           {"p", 0, 3, 1, nullptr},
                           {"p", 0, -1, 1, nullptr}},
     true},
    // The parser moves such text out of the table: the in-place path steps aside.
    {"TextInATableRow", "<body><table><tr id=r><td>a</td> </tr></table></body>",
     std::vector<TextEdit>{{"r", 1, -1, 0, "x"}}, false},
    {"TextInATableRowShownAsABlock", "<body><table><tr id=r style='display:block'><td>a</td> </tr></table></body>",
     std::vector<TextEdit>{{"r", 1, -1, 0, "x"}}, false},
    {"CarriageReturns", "<body><p id=p>a</p></body>",
     std::vector<TextEdit>{{"p", 0, -1, 0, "b\r\nc"}, {"p", 0, -1, 0, "\r"}}, false},
};

INSTANTIATE_TEST_SUITE_P(Typing, InPlaceText, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TypingCase>& i) { return std::string(i.param.name); });

TEST(InPlaceText, NulBecomesTheReplacementCharacterInBothPaths)
{
    Ref<Document> doc = pageFrom("<body><p id=p>ab</p></body>");
    DocumentLayout layout(doc.get());
    layout.ensureLayout();
    Text* t = doc->getElementById(QStringLiteral("p"))->firstChild()->asText();
    t->insertData(1, QString(QChar(0)));
    t->insertData(3, QStringLiteral("c"));
    expectSameAsFullLayout(layout, *doc, "nul");
    EXPECT_EQ(layout.counters().rebuilds, 1);
    EXPECT_EQ(layout.counters().textUpdates, 2);
}

// A key typed in a long paragraph makes anew the word it changes, not the
// paragraph's thousands of words; a space typed or removed, the words on
// both sides of it.
TEST(InPlaceText, AKeyInALongParagraphMakesOnlyTheWordsAroundIt)
{
    QString words;
    for (int i = 0; i < 2000; ++i)
        words += QStringLiteral("word%1 ").arg(i);
    Ref<Document> doc = pageFrom(QStringLiteral("<body><p id=p>") + words + QStringLiteral("</p><p>after</p></body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    Text* t = doc->getElementById(QStringLiteral("p"))->firstChild()->asText();
    const int at = t->data().indexOf(QStringLiteral("word1000")) + 4;
    const DocumentLayout::Counters before = layout.counters();
    t->insertData(at, QStringLiteral("a"));
    EXPECT_EQ(layout.engine().wordsMadeByLastReplace(), 1u);
    expectSameAsFullLayout(layout, *doc, "a key");
    t->insertData(at, QStringLiteral(" "));
    EXPECT_EQ(layout.engine().wordsMadeByLastReplace(), 3u);
    expectSameAsFullLayout(layout, *doc, "a space");
    t->deleteData(at, 2);
    EXPECT_EQ(layout.engine().wordsMadeByLastReplace(), 1u);
    expectSameAsFullLayout(layout, *doc, "both removed");
    EXPECT_EQ(layout.counters().rebuilds, before.rebuilds);
    EXPECT_EQ(layout.counters().textUpdates, before.textUpdates + 3);
}

// Text nested deeper than the layout takes is not laid out: typing there,
// and elements put in and taken out again there, leave the layout as it is
// (on DIVs nested a hundred thousand deep each key laid the page out anew,
// for a second). The text of a TEXTAREA (no box of its own, its element's)
// still lays the page out anew.
TEST(InPlaceText, EditsDeeperThanTheLayoutTakesLeaveIt)
{
    for (const bool tables : {false, true}) {
        const int depth = tables ? LayoutSerializer::kMaxTableDepth + 3 : LayoutSerializer::kMaxDepth + 10;
        QString html = QStringLiteral("<body><p id=p>shown</p>");
        for (int i = 0; i < depth; ++i)
            html += tables ? QStringLiteral("<table><tr><td>") : QStringLiteral("<div>");
        html += QStringLiteral("<span id=deep>deepest</span>");
        for (int i = 0; i < depth; ++i)
            html += tables ? QStringLiteral("</td></tr></table>") : QStringLiteral("</div>");
        html += QStringLiteral("<textarea id=t>area</textarea></body>");
        Ref<Document> doc = pageFrom(html);
        DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(640, 480));
        layout.ensureLayout();
        const DocumentLayout::Counters before = layout.counters();
        Element* deep = doc->getElementById(QStringLiteral("deep"));
        ASSERT_NE(deep, nullptr);
        deep->firstChild()->asText()->insertData(3, QStringLiteral("x"));
        Ref<Element> bold = doc->createElement(QStringLiteral("B"));
        bold->appendChild(Text::create(doc.get(), QStringLiteral("bold")).get());
        deep->appendChild(bold.get());
        bold->firstChild()->asText()->insertData(4, QStringLiteral("er"));
        deep->removeChild(bold.get());
        EXPECT_FALSE(layout.needsLayout()) << tables;
        layout.ensureLayout();
        EXPECT_EQ(layout.counters().rebuilds, before.rebuilds) << tables;
        expectSameAsFullLayout(layout, *doc, tables ? "tables" : "divs");
        doc->getElementById(QStringLiteral("p"))->firstChild()->asText()->insertData(0, QStringLiteral("now "));
        expectSameAsFullLayout(layout, *doc, tables ? "tables, then shown text" : "divs, then shown text");
        doc->getElementById(QStringLiteral("t"))->firstChild()->asText()->insertData(0, QStringLiteral("more "));
        EXPECT_TRUE(layout.needsLayout()) << tables;
        expectSameAsFullLayout(layout, *doc, tables ? "tables, then a text area" : "divs, then a text area");
        EXPECT_EQ(layout.counters().rebuilds, before.rebuilds + 1) << tables;
    }
}

} // namespace
