// A key typed in a long paragraph lays out again only the lines from the
// edit on until they meet the old lines again; the layout, its words and its
// lines are still those of a fresh layout.

#include "engine/layout/BlockReflow.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/TextLines.h"

#include "engine/EnginePage.h"
#include "FullLayoutCheck.h"

#include <gtest/gtest.h>

#include <functional>

using namespace engine;

namespace {

QString manyWords(int count)
{
    static const char* const kWords[] = {"the", "paragraph", "of", "words", "browser", "a", "layout", "returns"};
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1String(kWords[(i * 7 + i / 3) % 8]) + QLatin1Char(' ');
    return text;
}

// Which of the old lines stand after a step: none; those before the edit;
// those too and most of those after it; either (not told).
enum class Keeps { Nothing, Before, BeforeAndAfter, Either };

struct Step
{
    const char* what;
    std::function<void(Text*)> edit;
    Keeps keeps;
};

// The lines the caret moves by, found again only for the words read, are
// those found anew.
void expectLinesOfAFreshLayout(DocumentLayout& layout, const std::string& what)
{
    const TextLines& mine = *layout.engine().textLines();
    const std::shared_ptr<const TextLines> whole = TextLines::of(layout.engine().tree());
    EXPECT_EQ(mine.entries, whole->entries) << what;
    EXPECT_EQ(mine.lineOf, whole->lineOf) << what;
    EXPECT_EQ(mine.entriesByNode, whole->entriesByNode) << what;
    EXPECT_EQ(mine.nodeEntriesStart, whole->nodeEntriesStart) << what;
    ASSERT_EQ(mine.lines.size(), whole->lines.size()) << what;
    for (size_t i = 0; i < mine.lines.size(); ++i) {
        const TextLines::Line& a = mine.lines[i];
        const TextLines::Line& b = whole->lines[i];
        EXPECT_TRUE(a.first == b.first && a.last == b.last && a.block == b.block && a.rect == b.rect &&
                    a.baseline == b.baseline)
            << what << ", line " << i;
    }
}

// Each step edits the text of the paragraph "p"; the result must be a
// fresh layout's, and the lines kept as told.
void runSteps(const QString& html, const std::vector<Step>& steps)
{
    Ref<Document> doc = pageFrom(html);
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    layout.engine().textLines();
    Text* text = doc->getElementById(QStringLiteral("p"))->firstChild()->asText();
    const DocumentLayout::Counters before = layout.counters();
    for (const Step& step : steps) {
        const size_t words = layout.engine().tree().pieces.size();
        step.edit(text);
        layout_test::expectSameAsFullLayout(layout, *doc, step.what);
        const LayoutEngine::KeptLinesCount kept = layout.engine().lastKeptLines();
        if (step.keeps == Keeps::Nothing) {
            EXPECT_EQ(kept.linesKept, 0u) << step.what;
        }
        if (step.keeps == Keeps::Before || step.keeps == Keeps::BeforeAndAfter) {
            EXPECT_GT(kept.linesKept, 0u) << step.what;
            EXPECT_LT(kept.wordsRead, words * 3 / 4) << step.what;
        }
        if (step.keeps == Keeps::BeforeAndAfter) {
            EXPECT_LT(kept.wordsRead, 200u) << step.what;
            // (litehtml is given the children of a few lines around the
            // edit, not the paragraph's thousands.)
            EXPECT_LT(kept.childrenPlaced, 400u) << step.what;
        }
        expectLinesOfAFreshLayout(layout, step.what);
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_EQ(layout.counters().rebuilds, before.rebuilds);
}

int middleOf(Text* t, const char* word)
{
    return t->data().indexOf(QLatin1String(word), t->length() / 2);
}

// A key, a Backspace, a space and a Backspace that joins two words again,
// amid the words of the text.
std::vector<Step> keysAmidTheWords()
{
    return {{"a key", [](Text* t) { t->insertData(middleOf(t, "layout") + 2, QStringLiteral("x")); },
             Keeps::BeforeAndAfter},
            {"backspace", [](Text* t) { t->deleteData(middleOf(t, "laxyout") + 2, 1); }, Keeps::BeforeAndAfter},
            {"a space", [](Text* t) { t->insertData(middleOf(t, "browser") + 3, QStringLiteral(" ")); },
             Keeps::BeforeAndAfter},
            {"words joined", [](Text* t) { t->deleteData(middleOf(t, "bro wser") + 3, 1); }, Keeps::BeforeAndAfter}};
}

std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(KeptLines, AKeyInALongParagraphLaysOutTheLinesFromTheEditOn)
{
    // A word's width follows from its line: the lines after the edit are
    // laid out again until they meet the old ones, which stand from there.
    runSteps(
        QStringLiteral("<body><p>before</p><p id=p>") + manyWords(3000) + QStringLiteral("</p><p>after</p></body>"),
        keysAmidTheWords() +
            std::vector<Step>{
                {"a line's worth", [](Text* t) { t->insertData(middleOf(t, "words"), manyWords(20)); }, Keeps::Before},
                {"at the start", [](Text* t) { t->insertData(0, QStringLiteral("x")); }, Keeps::Either},
                {"at the end", [](Text* t) { t->insertData(t->length(), QStringLiteral(" end")); }, Keeps::Before}});
}

TEST(KeptLines, AKeyInALongPreformattedLineLaysOutOnlyItsWordsAroundTheKey)
{
    // The line is one line however long: its words before the key stand,
    // those after it move along, each as wide as it now falls on the line.
    runSteps(
        QStringLiteral("<body><p>before</p><pre id=p>") + manyWords(3000) + QStringLiteral("</pre><p>after</p></body>"),
        keysAmidTheWords() +
            std::vector<Step>{
                {"a word taken out", [](Text* t) { t->deleteData(middleOf(t, " of ") + 1, 2); }, Keeps::BeforeAndAfter},
                {"a space taken out", [](Text* t) { t->deleteData(middleOf(t, "  ") + 1, 1); }, Keeps::BeforeAndAfter},
                {"Japanese", [](Text* t) { t->insertData(middleOf(t, "words"), QStringLiteral("日本語の")); },
                 Keeps::BeforeAndAfter},
                {"many words", [](Text* t) { t->insertData(middleOf(t, "value"), manyWords(200)); }, Keeps::Before},
                {"at the start", [](Text* t) { t->insertData(0, QStringLiteral("x")); }, Keeps::BeforeAndAfter},
                {"the first letter out", [](Text* t) { t->deleteData(0, 1); }, Keeps::BeforeAndAfter},
                {"at the end", [](Text* t) { t->insertData(t->length(), QStringLiteral("end")); },
                 Keeps::BeforeAndAfter},
                {"the end out", [](Text* t) { t->deleteData(t->length() - 4, 4); }, Keeps::BeforeAndAfter}});
}

TEST(KeptLines, KeysAnywhereInAPreformattedLineOfTwoTextsMatchAFreshLayout)
{
    // Keys, Backspaces, pastes and cuts at places drawn by lot, in either
    // of two texts that share the line (the mark where the second begins
    // stands among the words after the first's edits), some at the edges
    // of the texts.
    Ref<Document> doc = pageFrom(QStringLiteral("<body><p>before</p><pre id=p>") + manyWords(400) +
                                 QStringLiteral("</pre><p>after</p></body>"));
    Element* pre = doc->getElementById(QStringLiteral("p"));
    pre->appendChild(doc->createTextNode(QStringLiteral("\t") + manyWords(300)));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    layout.engine().textLines();
    const QString inserts[] = {QStringLiteral("x"),         QStringLiteral(" "),  QStringLiteral("日本"),
                               QStringLiteral("two words"), QStringLiteral("\t"), QStringLiteral("\u00a0")};
    unsigned seed = 7;
    const auto lot = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
    };
    size_t withinLine = 0;
    for (int step = 0; step < 60; ++step) {
        Text* t = (lot(2) == 0 ? pre->firstChild() : pre->lastChild())->asText();
        const int at = lot(8) == 0 ? (lot(2) == 0 ? 0 : t->length()) : lot(t->length() + 1);
        if (lot(3) == 0 && at < t->length())
            t->deleteData(at, 1 + lot(std::min(12, t->length() - at)));
        else
            t->insertData(at, inserts[lot(6)]);
        layout_test::expectSameAsFullLayout(layout, *doc, "step " + std::to_string(step));
        expectLinesOfAFreshLayout(layout, "step " + std::to_string(step));
        if (::testing::Test::HasFailure())
            return;
        withinLine += layout.engine().lastKeptLines().linesKept;
    }
    // (Most of them laid out within the line.)
    EXPECT_GT(withinLine, 40u);
}

TEST(KeptLines, KeysAtOnePlaceOfALongPreformattedLineGoOnFromWhereTheLineWasFitted)
{
    // Keys at one place go on fitting the line from where the first found
    // it stood after the words before them; an edit before that place, or
    // another font, has it found again.
    Ref<Document> doc =
        pageFrom(QStringLiteral("<body><pre id=p>") + manyWords(2000) + QStringLiteral("</pre></body>"));
    Element* pre = doc->getElementById(QStringLiteral("p"));
    Text* t = pre->firstChild()->asText();
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    const int at = middleOf(t, "layout") + 2;
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"a key", [&] { t->insertData(at, QStringLiteral("x")); }},
        {"the next key", [&] { t->insertData(at + 1, QStringLiteral("y")); }},
        {"a backspace", [&] { t->deleteData(at + 1, 1); }},
        {"a key before it", [&] { t->insertData(at - 40, QStringLiteral("日本")); }},
        {"a key where it was", [&] { t->insertData(at + 3, QStringLiteral("z")); }},
        {"a larger font",
         [&] { pre->setAttribute(QStringLiteral("style"), Variant(QStringLiteral("font-size:17px"))); }},
        {"a key there again", [&] { t->insertData(at + 4, QStringLiteral("w")); }},
        {"and another", [&] { t->insertData(at + 5, QStringLiteral("v")); }},
    };
    for (const auto& [what, edit] : steps) {
        edit();
        layout_test::expectSameAsFullLayout(layout, *doc, what);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(KeptLinesMonospace, LinesAfterTheEditStandWhereTheWidthsStayed)
{
    // A letter for another of the same width leaves every width after it:
    // the old lines are met again below the edit, moved when the lines
    // between came out otherwise.
    runSteps(QStringLiteral("<body><p>before</p><p id=p style='font-family:monospace'>") + manyWords(3000) +
                 QStringLiteral("</p><p>after</p></body>"),
             {{"a letter for another", [](Text* t) { t->replaceData(middleOf(t, "layout"), 1, QStringLiteral("k")); },
               Keeps::BeforeAndAfter},
              {"a line's first word shortened",
               [](Text* t) {
                   // (Two letters for one and one for two: the widths after
                   // stay, the first word of some line may now fit above.)
                   const int at = middleOf(t, "paragraph");
                   t->replaceData(at, 9, QStringLiteral("p"));
                   t->replaceData(at + 2, 2, QStringLiteral("returnsret"));
               },
               Keeps::Before},
              {"a line more",
               [](Text* t) {
                   const int at = middleOf(t, "browser");
                   t->replaceData(at, 7, QString(60, QLatin1Char('m')));
                   t->replaceData(at + 70, 53, QString());
               },
               Keeps::Before}});
}

TEST(KeptLinesMonospace, LinesThatNeverMeetTheOldOnesArePlacedToTheEnd)
{
    // Words of one width: a word pushed to the next line pushes one on
    // every line after it, none of which begins as an old line began.
    QString same;
    for (int i = 0; i < 3000; ++i)
        same += QStringLiteral("abcd ");
    runSteps(
        QStringLiteral("<body><p id=p style='font-family:monospace'>") + same + QStringLiteral("</p></body>"),
        {{"a word made longer", [](Text* t) { t->insertData(t->length() / 2 + 2, QStringLiteral("xxxxxxxxx")); },
          Keeps::Before},
         {"and shorter again", [](Text* t) { t->deleteData(t->data().indexOf(QLatin1Char('x')), 9); }, Keeps::Before}});
}

TEST(KeptLines, KeysInEitherTextOfAParagraphFindTheirWords)
{
    // The words of the text typed in last are known from the key before;
    // a key in the other text, or one that changes as many words as it
    // makes, leaves them to be found again where they are.
    Ref<Document> doc = pageFrom(QStringLiteral("<body><p id=p>") + manyWords(600) + QStringLiteral("<b>bold</b> ") +
                                 manyWords(600) + QStringLiteral("</p></body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    Element* p = doc->getElementById(QStringLiteral("p"));
    Text* first = p->firstChild()->asText();
    Text* second = p->lastChild()->asText();
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"a key in the first", [&] { first->insertData(middleOf(first, "layout") + 2, QStringLiteral("x")); }},
        {"a key in the second", [&] { second->insertData(middleOf(second, "words") + 1, QStringLiteral("y")); }},
        {"a letter for another in the first",
         [&] { first->replaceData(middleOf(first, "laxyout") + 2, 1, QStringLiteral("z")); }},
        {"a space in the second", [&] { second->insertData(middleOf(second, "wyords") + 2, QStringLiteral(" ")); }},
        {"two words joined in the first", [&] { first->deleteData(middleOf(first, "the ") + 3, 1); }},
        {"the second from its start", [&] { second->replaceData(0, 40, QStringLiteral("  new start ")); }},
        {"the first emptied", [&] { first->deleteData(0, first->length()); }},
        {"and written again", [&] { first->insertData(0, manyWords(30)); }},
    };
    for (const auto& [what, edit] : steps) {
        edit();
        layout_test::expectSameAsFullLayout(layout, *doc, what);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(KeptLines, AKeyInALinePastTheWindowsEdgeWidensAndNarrowsThePageInPlace)
{
    // The line is the widest thing on the page: the page is as wide as it,
    // and follows it, while the rest stands.
    Ref<Document> doc = pageFrom(QStringLiteral("<body><p>before</p><pre id=p>") + manyWords(400) +
                                 QStringLiteral("</pre><div style='width:300px'>after</div></body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    Text* text = doc->getElementById(QStringLiteral("p"))->firstChild()->asText();
    const int width = layout.tree().canvas.width();
    const DocumentLayout::Counters before = layout.counters();
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"a key in the middle", [&] { text->insertData(middleOf(text, "layout") + 2, QStringLiteral("x")); }},
        {"a word at the end", [&] { text->insertData(text->length(), QStringLiteral(" more")); }},
        {"a key taken out", [&] { text->deleteData(middleOf(text, "laxyout") + 2, 1); }},
        {"the word taken out", [&] { text->deleteData(text->length() - 5, 5); }},
        {"half the line taken out", [&] { text->deleteData(text->length() / 2, text->length() / 2); }},
    };
    for (const auto& [what, edit] : steps) {
        edit();
        layout_test::expectSameAsFullLayout(layout, *doc, what);
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_LT(layout.tree().canvas.width(), width * 3 / 4);
    EXPECT_EQ(layout.counters().rebuilds, before.rebuilds);
    EXPECT_EQ(layout.counters().blockLayouts - before.blockLayouts, static_cast<int>(steps.size()));
}

// The flowing text of a page as the program shows it: in the one cell of an
// absolutely positioned table, which the paragraph makes as wide as the
// room. The cell is measured from the paragraph's words, not laid out.
QString inTextBox(const QString& content)
{
    return QStringLiteral("<body><p>before</p><table style=\"LEFT: 20px; POSITION: absolute; TOP: 20px; z-index:1\">"
                          "<tbody><tr><td>") +
           content + QStringLiteral("</td></tr></tbody></table></body>");
}

TEST(KeptLines, AKeyInALongParagraphOfATextBoxLaysOutTheLinesFromTheEditOn)
{
    const long measured = BlockReflow::blocksMeasuredFromWords();
    runSteps(inTextBox(QStringLiteral("<p>above</p><p id=p>") + manyWords(3000) + QStringLiteral("</p><p>below</p>")),
             {{"a key", [](Text* t) { t->insertData(middleOf(t, "layout") + 2, QStringLiteral("x")); },
               Keeps::BeforeAndAfter},
              {"backspace", [](Text* t) { t->deleteData(middleOf(t, "laxyout") + 2, 1); }, Keeps::BeforeAndAfter},
              {"a line's worth", [](Text* t) { t->insertData(middleOf(t, "words"), manyWords(20)); }, Keeps::Before},
              {"at the end", [](Text* t) { t->insertData(t->length(), QStringLiteral(" end")); }, Keeps::Before}});
    EXPECT_GT(BlockReflow::blocksMeasuredFromWords(), measured);
}

TEST(KeptLines, AParagraphThatNoLongerFillsItsTextBoxResizesIt)
{
    // A paragraph that wraps asks the box for all of its room, unless a word
    // of it is wider: the box widens for such a word, and narrows when the
    // paragraph no longer wraps.
    runSteps(
        inTextBox(QStringLiteral("<p id=p>") + manyWords(3000) + QStringLiteral("</p><p>below</p>")),
        {{"a key", [](Text* t) { t->insertData(middleOf(t, "layout") + 2, QStringLiteral("x")); },
          Keeps::BeforeAndAfter},
         {"a word wider than the box",
          [](Text* t) { t->insertData(middleOf(t, "laxyout") + 2, QString(300, QLatin1Char('w'))); }, Keeps::Either},
         {"the word taken out", [](Text* t) { t->deleteData(t->data().indexOf(QLatin1Char('w')), 300); },
          Keeps::Either},
         {"all but a few words taken out", [](Text* t) { t->deleteData(12, t->length() - 12); }, Keeps::Either}});
}

TEST(KeptLinesMonospace, LinesAfterTheEditInATextBoxStandWhereTheWidthsStayed)
{
    runSteps(inTextBox(QStringLiteral("<p id=p style='font-family:monospace'>") + manyWords(3000) +
                       QStringLiteral("</p><p>below</p>")),
             {{"a letter for another", [](Text* t) { t->replaceData(middleOf(t, "layout"), 1, QStringLiteral("k")); },
               Keeps::BeforeAndAfter}});
}

TEST(KeptLines, CentredLinesAreLaidOutWhole)
{
    runSteps(QStringLiteral("<body><p id=p style='text-align:center'>") + manyWords(600) +
                 QStringLiteral("</p></body>"),
             {{"a key in centred text", [](Text* t) { t->insertData(middleOf(t, "layout") + 1, QStringLiteral("x")); },
               Keeps::Nothing}});
}

TEST(KeptLines, AFloatOrAPositionedBoxMadeBetweenKeysIsSeenAtTheNext)
{
    // What keys in a paragraph found of its children stands while keys
    // change its words alone: a box in it floated or positioned between
    // two keys takes the paragraph out of that (a box placed against the
    // page would stay where the paragraph alone leaves it).
    for (const char* style : {"float:right;width:200px;height:300px", "position:absolute;left:30px;top:10px",
                              "position:absolute;right:0"}) {
        Ref<Document> doc =
            pageFrom(QStringLiteral("<body><p id=p>") + manyWords(300) + QStringLiteral("<span id=s>boxed</span> ") +
                     manyWords(300) + QStringLiteral("</p></body>"));
        DocumentLayout layout(doc.get());
        layout.setViewportSize(QSize(640, 480));
        layout.ensureLayout();
        Text* text = doc->getElementById(QStringLiteral("p"))->firstChild()->asText();
        for (const QString& key : {QStringLiteral("x"), QStringLiteral("y")}) {
            text->insertData(text->length() - 3, key);
            layout_test::expectSameAsFullLayout(layout, *doc, std::string(style) + ", a key before");
        }
        doc->getElementById(QStringLiteral("s"))
            ->setAttribute(QStringLiteral("style"), Variant(QString::fromLatin1(style)));
        layout_test::expectSameAsFullLayout(layout, *doc, std::string(style) + " given");
        text->insertData(text->length() - 3, QStringLiteral("zzzzz"));
        layout_test::expectSameAsFullLayout(layout, *doc, std::string(style) + ", a key after");
    }
}

// The words of a paragraph of `width` pixels laid out alone: their boxes
// from the paragraph's left edge.
std::vector<QRect> wordBoxes(const QString& text, int width)
{
    Ref<Document> doc =
        pageFrom(QStringLiteral("<body><p id=p style='width:%1px'>").arg(width) + text + QStringLiteral("</p></body>"));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(640, 480));
    layout.ensureLayout();
    std::vector<QRect> boxes;
    for (const TextPiece& piece : layout.engine().tree().pieces)
        boxes.push_back(piece.box.translated(-layout.engine().tree().pieces.front().box.x(), 0));
    return boxes;
}

TEST(KeptLines, AWordThatFitsAtTheEndOfTheLineAboveAfterAKeyMovesUp)
{
    // The first word of a line is as wide there as it is alone; at the end
    // of the line above, where the fractions of the widths before it fall
    // otherwise, it may be a pixel narrower: a key that leaves it just that
    // room there moves it up, as a fresh layout does, rather than letting
    // its old line stand from it on.
    bool tried = false;
    for (const char* before : {"returns the x of", "browser line value", "the layout of x", "value x the of page"}) {
        const QString rest = QStringLiteral(" a ") + manyWords(30);
        const QString text = QLatin1String(before) + rest;
        // Where the word ends on one line, and how wide it is beginning one.
        const std::vector<QRect> wide = wordBoxes(text, 2000);
        const size_t word = static_cast<size_t>(2 * QString::fromLatin1(before).count(u' ') + 2);
        const int alone = wordBoxes(rest.mid(1), 2000).front().width();
        if (wide[word].width() >= alone)
            continue;
        tried = true;
        // One letter more before it pushes it down to begin a line; the
        // letter taken out again leaves it exactly the room it takes.
        runSteps(QStringLiteral("<body><p id=p style='width:%1px'>x").arg(wide[word].right() + 1) + text +
                     QStringLiteral("</p></body>"),
                 {{before, [](Text* t) { t->deleteData(0, 1); }, Keeps::Either}});
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_TRUE(tried) << "no word narrower at the end of a line than beginning one";
}

} // namespace
