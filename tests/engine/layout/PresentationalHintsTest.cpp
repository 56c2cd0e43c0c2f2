#include "engine/layout/FontCatalog.h"

#include <QGlyphRun>
#include <QImage>

#include <algorithm>
#include <memory>
#include <thread>
#include "engine/layout/LayoutElements.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/PageContainer.h"
#include "engine/layout/PresentationalHints.h"

#include <gtest/gtest.h>

#include <QMap>

using engine::StyleHint;

namespace {

struct HintCase
{
    const char* tag;
    QMap<QString, QString> attributes;
    QMap<QString, QString> tableAttributes;
    std::vector<StyleHint> expected;
};

class Hints : public ::testing::TestWithParam<HintCase>
{
};

TEST_P(Hints, BecomeTheseDeclarations)
{
    const HintCase& c = GetParam();
    engine::HintSource source;
    source.tag = QString::fromLatin1(c.tag);
    source.attribute = [&c](const char* name) { return c.attributes.value(QString::fromLatin1(name)); };
    source.ancestorAttribute = [&c](const char* tag, const char* name) {
        return QByteArray(tag) == "table" ? c.tableAttributes.value(QString::fromLatin1(name)) : QString();
    };
    EXPECT_EQ(engine::presentationalHints(source), c.expected);
}

StyleHint h(const char* p, const char* v)
{
    return {QString::fromLatin1(p), QString::fromUtf8(v)};
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, Hints,
    ::testing::Values(
        HintCase{"body",
                 {{"bgcolor", "FFFFCC"}, {"text", "navy"}},
                 {},
                 {h("background-color", "#ffffcc"), h("color", "navy")}},
        HintCase{"body", {{"background", "img\\bg.gif"}}, {}, {h("background-image", "url(\"img/bg.gif\")")}},
        HintCase{"font",
                 {{"face", "ＭＳ Ｐゴシック,Arial"}, {"size", "+1"}, {"color", "#FF0000"}},
                 {},
                 {h("font-family", "\"ＭＳ Ｐゴシック\", \"Arial\""), h("font-size", "large"), h("color", "#ff0000")}},
        HintCase{"font", {{"size", "9"}}, {}, {h("font-size", "48px")}},
        HintCase{"font", {{"size", "-5"}}, {}, {h("font-size", "x-small")}},
        HintCase{"font", {{"size", "big"}}, {}, {}},
        HintCase{"table",
                 {{"height", "120"}, {"border", ""}, {"cellspacing", "0"}},
                 {},
                 {h("height", "120px"), h("border-width", "1px"), h("border-style", "outset"),
                  h("border-color", "#808080"), h("border-spacing", "0px")}},
        HintCase{"table",
                 {{"border", "0"}, {"width", "80%"}, {"align", "center"}},
                 {},
                 {h("width", "80%"), h("margin-left", "auto"), h("margin-right", "auto")}},
        HintCase{"td",
                 {{"nowrap", ""}, {"valign", "center"}},
                 {{"cellpadding", "4"}, {"border", "2"}},
                 {h("vertical-align", "middle"), h("white-space", "nowrap"), h("padding", "4px"),
                  h("border-width", "1px"), h("border-style", "inset"), h("border-color", "#808080")}},
        HintCase{"img",
                 {{"border", "0"}, {"hspace", "4"}, {"align", "left"}},
                 {},
                 {h("float", "left"), h("margin-left", "4px"), h("margin-right", "4px"), h("border-width", "0px"),
                  h("border-style", "solid")}},
        HintCase{"hr",
                 {{"noshade", ""}, {"size", "5"}, {"width", "50%"}},
                 {},
                 {h("border-style", "solid"), h("border-width", "5px 0px 0px 0px"), h("border-color", "#808080"),
                  h("height", "0px"), h("width", "50%")}},
        HintCase{"marquee",
                 {{"width", "200"}, {"height", "30"}, {"bgcolor", "yellow"}},
                 {},
                 {h("width", "200px"), h("height", "30px"), h("background-color", "yellow")}},
        HintCase{"p", {{"align", "RIGHT"}}, {}, {h("text-align", "right"), h(engine::kCenterTablesProperty, "none")}},
        HintCase{
            "div", {{"align", "center"}}, {}, {h("text-align", "center"), h(engine::kCenterTablesProperty, "center")}},
        HintCase{"caption", {{"align", "Bottom"}}, {}, {h("caption-side", "bottom")}},
        HintCase{"caption", {{"align", "left"}}, {}, {h("text-align", "left")}}));

struct FaceCase
{
    const char* face;
    const char* family;
};

class FaceSubstitution : public ::testing::TestWithParam<FaceCase>
{
};

TEST_P(FaceSubstitution, ResolvesToAnInstalledFamily)
{
    EXPECT_EQ(engine::FontCatalog::substituteFace(QString::fromUtf8(GetParam().face)),
              QString::fromUtf8(GetParam().family));
}

INSTANTIATE_TEST_SUITE_P(Faces, FaceSubstitution,
                         ::testing::Values(FaceCase{"ＭＳ Ｐゴシック", "IPAPGothic"},
                                           FaceCase{"ＭＳ ゴシック", "IPAGothic"}, FaceCase{"MS PGothic", "IPAPGothic"},
                                           FaceCase{"ＭＳ 明朝", "IPAMincho"}, FaceCase{"ＭＳ Ｐ明朝", "IPAPMincho"},
                                           FaceCase{"ms mincho", "IPAMincho"}, FaceCase{"Arial", "Liberation Sans"},
                                           FaceCase{"Times New Roman", "Liberation Serif"},
                                           FaceCase{"Courier New", "Liberation Mono"},
                                           FaceCase{"Unknown Face", "Unknown Face"}));

TEST(FontCatalog, KeepsTheFirstChoiceAndFallsBackToJapanese)
{
    // Faces that are not here are passed over to the next one of the list;
    // a list of which none is here is shown in the standard serif face, as
    // chromium here shows "Verdana" or "Georgia" alone.
    EXPECT_EQ(engine::FontCatalog::resolveFamilies(QStringLiteral("'Verdana', \"ＭＳ 明朝\", serif")),
              (QStringList{"Verdana", "IPAMincho", "Liberation Serif", "DejaVu Sans", "IPAPGothic"}));
    EXPECT_EQ(engine::FontCatalog::resolveFamilies(QStringLiteral("Tahoma, Arial, sans-serif")),
              (QStringList{"Tahoma", "Liberation Sans", "DejaVu Sans", "IPAPGothic"}));
    EXPECT_EQ(engine::FontCatalog::resolveFamilies(QStringLiteral("Verdana")),
              (QStringList{"Verdana", "Liberation Serif", "DejaVu Sans", "IPAPGothic"}));
    EXPECT_EQ(engine::FontCatalog::resolveFamilies(QStringLiteral("Georgia, \"No Such Face\"")),
              (QStringList{"Georgia", "No Such Face", "Liberation Serif", "DejaVu Sans", "IPAPGothic"}));
    engine::FontCatalog fonts;
    const int a = fonts.font(QStringLiteral("Arial"), 16, 400, false, 0);
    EXPECT_EQ(fonts.font(QStringLiteral("Arial"), 16, 400, false, 0), a);
    EXPECT_NE(fonts.font(QStringLiteral("Arial"), 16, 700, false, 0), a);
    EXPECT_EQ(fonts.textWidth(a, QStringLiteral("ab")), fonts.prefixWidths(a, QStringLiteral("ab")).back());
}

struct SplitCase
{
    const char* text;
    std::vector<std::string> pieces; // words as they are, spaces as " "
};

class SplitText : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitText, BreaksWhereLinesMayBreak)
{
    engine::PageContainer container;
    std::vector<std::string> pieces;
    container.split_text(
        GetParam().text, [&](const char* w) { pieces.emplace_back(w); },
        [&](const char* s) { pieces.emplace_back(s); });
    EXPECT_EQ(pieces, GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitText,
    ::testing::Values(SplitCase{"two words", {"two", " ", "words"}}, SplitCase{"日本語", {"日", "本", "語"}},
                      SplitCase{"です。次", {"で", "す。", "次"}}, SplitCase{"「かぎ」ABC", {"「か", "ぎ」", "ABC"}},
                      SplitCase{"Web２ページ", {"Web", "２", "ペー", "ジ"}}, SplitCase{"a\u00a0b", {"a\u00a0b"}},
                      SplitCase{" tab\there\r\n end\f", {" ", "tab", "\t", "here", "\r", "\n", " ", "end", "\f"}},
                      SplitCase{"(x)!\x01", {"(x)!\x01"}}, SplitCase{"", {}}));

} // namespace

namespace {
// Where the last glyph of a shaped text stands.
qreal lastX(const engine::FontCatalog::ShapedText& shaped)
{
    qreal x = 0;
    for (const QGlyphRun& run : shaped.runs)
        for (const QPointF& p : run.positions())
            x = std::max(x, p.x());
    return x;
}
} // namespace

// Text shaped for drawing is shaped for the device it is drawn on: words of
// a size of a fraction of a pixel (drawn in points) take as many pixels on
// a printer of 600 dots per inch as on the screen (the printer's painter
// scales them), not 96/600 of them; shaped again they are the same glyphs.
TEST(FontCatalog, ShapesTextForTheDeviceItIsDrawnOn)
{
    engine::FontCatalog fonts;
    const int handle = fonts.atExactSize(fonts.font(QStringLiteral("IPAPGothic"), 19, 400, false, 0), 18.72);
    QImage screen(10, 10, QImage::Format_RGB32);
    screen.setDotsPerMeterX(3780); // 96 dpi
    screen.setDotsPerMeterY(3780);
    QImage printer(10, 10, QImage::Format_RGB32);
    printer.setDotsPerMeterX(23622); // 600 dpi
    printer.setDotsPerMeterY(23622);
    const QString words = QStringLiteral("Shaped words 日本語");
    const engine::FontCatalog::ShapedText& onScreen = fonts.shapedText(handle, &screen, words);
    ASSERT_FALSE(onScreen.runs.isEmpty());
    const qreal screenX = lastX(onScreen);
    const qreal printerX = lastX(fonts.shapedText(handle, &printer, words));
    EXPECT_NEAR(printerX / screenX, 1.0, 0.05);
    EXPECT_EQ(lastX(fonts.shapedText(handle, &screen, words)), screenX);
    EXPECT_GT(onScreen.baseline, 10);
}

// A page laid out again on a worker thread brings its own catalog, which
// numbers its fonts in the order it met them: the words the view already
// shaped are taken over font by font, never under another font's number.
TEST(FontCatalog, ShapedWordsTakenOverKeepTheirFont)
{
    QImage screen(10, 10, QImage::Format_RGB32);
    const QString word = QStringLiteral("Wide words");
    engine::FontCatalog shown;
    const int smallShown = shown.font(QStringLiteral("IPAPGothic"), 12, 400, false, 0);
    const int largeShown = shown.font(QStringLiteral("IPAPGothic"), 40, 400, false, 0);
    const qreal smallX = lastX(shown.shapedText(smallShown, &screen, word));
    const qreal largeX = lastX(shown.shapedText(largeShown, &screen, word));
    ASSERT_GT(largeX, 2 * smallX);

    engine::FontCatalog laidOut;
    const int large = laidOut.font(QStringLiteral("IPAPGothic"), 40, 400, false, 0);
    const int small = laidOut.font(QStringLiteral("IPAPGothic"), 12, 400, false, 0);
    ASSERT_EQ(large, smallShown);
    laidOut.takeShapedTextsOf(shown);
    EXPECT_EQ(lastX(laidOut.shapedText(large, &screen, word)), largeX);
    EXPECT_EQ(lastX(laidOut.shapedText(small, &screen, word)), smallX);
}

// Catalogs share what they shaped and measured with the catalogs of other
// pages: a page that numbers its fonts otherwise, or asks for sizes of
// other fractions, still draws each word in its own font and size.
TEST(FontCatalog, WordsShapedForOnePageAreDrawnInTheFontsOfAnother)
{
    QImage screen(10, 10, QImage::Format_RGB32);
    const QString word = QStringLiteral("Shared words 共有");
    engine::FontCatalog first;
    const int small = first.font(QStringLiteral("IPAPGothic"), 12, 400, false, 0);
    const int exact = first.atExactSize(first.font(QStringLiteral("IPAPGothic"), 19, 400, false, 0), 18.72);
    const qreal smallX = lastX(first.shapedText(small, &screen, word));
    const qreal exactX = lastX(first.shapedText(exact, &screen, word));

    engine::FontCatalog second;
    const int large = second.font(QStringLiteral("IPAPGothic"), 40, 400, false, 0);
    const int smallThere = second.font(QStringLiteral("IPAPGothic"), 12, 400, false, 0);
    const int otherExact = second.atExactSize(second.font(QStringLiteral("IPAPGothic"), 19, 400, false, 0), 18.4);
    const int sameExact = second.atExactSize(second.font(QStringLiteral("IPAPGothic"), 19, 400, false, 0), 18.72);
    ASSERT_EQ(large, small);
    EXPECT_GT(lastX(second.shapedText(large, &screen, word)), 2 * smallX);
    EXPECT_EQ(lastX(second.shapedText(smallThere, &screen, word)), smallX);
    EXPECT_LT(lastX(second.shapedText(otherExact, &screen, word)), exactX);
    EXPECT_EQ(lastX(second.shapedText(sameExact, &screen, word)), exactX);
    EXPECT_EQ(second.metrics(smallThere).ascent, first.metrics(small).ascent);
    EXPECT_EQ(second.metrics(smallThere).height, first.metrics(small).height);
    EXPECT_LT(first.metrics(small).height, second.metrics(large).height);
}

// Elements of the tags left out of the hints are not asked for them: no tag
// takes a hint that is not among them, whatever its attributes say.
TEST(PresentationalHints, OnlyTheTagsThatTakeHintsAreAsked)
{
    const QMap<QString, QString> values = {
        {"bgcolor", "red"}, {"text", "red"}, {"color", "red"},      {"background", "a.png"}, {"align", "center"},
        {"valign", "top"},  {"width", "10"}, {"height", "10"},      {"size", "3"},           {"face", "Arial"},
        {"type", "1"},      {"border", "1"}, {"cellpadding", "2"},  {"cellspacing", "2"},    {"href", "x"},
        {"hspace", "2"},    {"vspace", "2"}, {"noshade", ""},       {"leftmargin", "5"},     {"topmargin", "5"},
        {"nowrap", ""},     {"link", "red"}, {"bordercolor", "red"}};
    for (const char* tag :
         {"a",        "abbr",    "address", "applet", "b",      "basefont", "big",      "blockquote", "body",
          "br",       "caption", "center",  "cite",   "code",   "col",      "colgroup", "dd",         "dir",
          "div",      "dl",      "dt",      "em",     "embed",  "font",     "form",     "h1",         "h4",
          "h6",       "hr",      "html",    "i",      "iframe", "img",      "input",    "kbd",        "li",
          "marquee",  "menu",    "nobr",    "object", "ol",     "p",        "pre",      "s",          "select",
          "small",    "span",    "strike",  "strong", "sub",    "sup",      "table",    "tbody",      "td",
          "textarea", "tfoot",   "th",      "thead",  "tr",     "tt",       "u",        "ul",         "var"}) {
        engine::HintSource source;
        source.tag = QString::fromLatin1(tag);
        source.attribute = [&values](const char* name) { return values.value(QString::fromLatin1(name)); };
        source.ancestorAttribute = [&values](const char*, const char* name) {
            return values.value(QString::fromLatin1(name));
        };
        if (!engine::presentationalHints(source).empty()) {
            EXPECT_TRUE(engine::tagTakesHints(tag)) << tag;
        }
    }
    EXPECT_TRUE(engine::tagTakesHints("TD"));
    EXPECT_TRUE(engine::tagTakesHints("BaseFont"));
    EXPECT_TRUE(engine::tagTakesHints("ul"));
    EXPECT_FALSE(engine::tagTakesHints("span"));
    EXPECT_FALSE(engine::tagTakesHints("basefonts"));
    EXPECT_FALSE(engine::tagTakesHints("marqueee"));
    EXPECT_FALSE(engine::tagTakesHints("t"));
    EXPECT_FALSE(engine::tagTakesHints(""));
    EXPECT_FALSE(engine::tagTakesHints(nullptr));
}

// The hints an element takes over are added as litehtml adds the
// declarations of one style to another: they override what the element's
// style declares, unless it declares it important.
TEST(PresentationalHints, DeclarationsAreTakenAsLitehtmlCombinesThem)
{
    litehtml::style hints;
    hints.add("width: 10px; color: red !important; border-top-width: 2px; background-color: blue", nullptr, nullptr);
    for (const char* own : {"", "width: 5px; color: green; margin-top: 1px",
                            "width: 5px !important; color: green !important; white-space: pre"}) {
        SCOPED_TRACE(own);
        litehtml::style combined;
        combined.add(own, nullptr, nullptr);
        litehtml::style taken = combined;
        combined.combine(hints);
        engine::layoutelements_detail::takeDeclarations(taken, hints);
        for (const char* name :
             {"width", "color", "border-top-width", "background-color", "margin-top", "white-space", "height"}) {
            const char* expected = combined.get_property(name);
            const char* got = taken.get_property(name);
            EXPECT_EQ(expected == nullptr, got == nullptr) << name;
            if (expected && got) {
                EXPECT_STREQ(got, expected) << name;
            }
        }
    }
}

// The hints of a tag read only the attributes they say they read, of the
// element and of the one ancestor named for the tag: what elements alike
// share is keyed by nothing less.
TEST(PresentationalHints, ReadOnlyTheAttributesAndAncestorTheyName)
{
    const QMap<QString, QString> values = {
        {"bgcolor", "red"},   {"text", "red"},      {"color", "red"},       {"background", "a.png"},
        {"align", "center"},  {"valign", "top"},    {"width", "10"},        {"height", "10"},
        {"size", "3"},        {"face", "Arial"},    {"type", "1"},          {"border", "1"},
        {"cellpadding", "2"}, {"cellspacing", "2"}, {"href", "x"},          {"hspace", "2"},
        {"vspace", "2"},      {"noshade", ""},      {"leftmargin", "5"},    {"topmargin", "5"},
        {"nowrap", ""},       {"link", "red"},      {"bordercolor", "red"}, {"id", "x"},
        {"src", "a.png"}};
    for (const char* tag : {"a",     "applet", "basefont", "body", "caption", "div",    "embed", "font", "h1",
                            "hr",    "iframe", "img",      "li",   "marquee", "object", "ol",    "p",    "table",
                            "tbody", "td",     "tfoot",    "th",   "thead",   "tr",     "ul"}) {
        const std::string_view tagName(tag);
        engine::HintSource source;
        source.tag = QString::fromLatin1(tag);
        QString href = QStringLiteral("x");
        source.attribute = [&](const char* name) {
            EXPECT_NE(engine::hintUseOf(name), engine::HintUse::Ignored) << tag << " reads " << name;
            return std::string_view(name) == "href" ? href : values.value(QString::fromLatin1(name));
        };
        source.ancestorAttribute = [&](const char* above, const char* name) {
            EXPECT_STREQ(above, engine::hintAncestorOf(tagName)) << tag;
            EXPECT_NE(engine::hintUseOf(name), engine::HintUse::Ignored) << tag << " reads " << name;
            return values.value(QString::fromLatin1(name));
        };
        const std::vector<StyleHint> hints = engine::presentationalHints(source);
        href = QStringLiteral("elsewhere.html");
        EXPECT_EQ(engine::presentationalHints(source), hints) << tag;
    }
    EXPECT_EQ(engine::hintUseOf("data-pgn"), engine::HintUse::Ignored);
    EXPECT_EQ(engine::hintUseOf("href"), engine::HintUse::Presence);
}

namespace {
int widthOf(const engine::LayoutEngine& layout, const char* id)
{
    const engine::LayoutBox* box = layout.tree().boxByHtmlId(QString::fromLatin1(id));
    return box ? box->borderBox.width() : -1;
}
} // namespace

// Cells and paragraphs alike take the hints of their own attributes and
// tables, however many elements before them had others; a laying out again
// gives the same boxes.
TEST(PresentationalHints, ElementsAlikeTakeHintsOfTheirOwnAttributes)
{
    const QString page =
        QStringLiteral("<body><table cellpadding=2 border=1><tr><td id=a>x</td></tr></table>"
                       "<table cellpadding=9 border=1><tr><td id=b>x</td></tr></table>"
                       "<table cellpadding=2 border=0><tr><td id=c>x</td></tr></table>"
                       "<table cellpadding=2 border=1><tr><td id=d>x</td><td id=e width=40>x</td></tr></table>"
                       "<table><tr><td id=f bgcolor='var(--none)' background='a(1).png'>x</td></tr></table>"
                       "<img id=i1 src=a.png width=20 height=10><img id=i2 src=b.png width=30 height=10></body>");
    for (int round = 0; round < 2; ++round) {
        engine::LayoutEngine layout;
        layout.load(page);
        layout.layout(800);
        const int a = widthOf(layout, "a");
        EXPECT_EQ(widthOf(layout, "b") - a, 14) << round;
        EXPECT_EQ(a - widthOf(layout, "c"), 2) << round;
        EXPECT_EQ(widthOf(layout, "d"), a) << round;
        EXPECT_EQ(widthOf(layout, "e"), 40 + 2 * 2 + 2) << round;
        EXPECT_GT(widthOf(layout, "f"), 0) << round;
        EXPECT_EQ(widthOf(layout, "i1"), 20) << round;
        EXPECT_EQ(widthOf(layout, "i2"), 30) << round;
    }
}

// Widths a thread keeps are those of the font that measured them: two
// catalogs whose first fonts differ answer each its own, in any order and
// on any thread, also after one of them is gone.
TEST(FontCatalog, WidthsAreEachCatalogsOwn)
{
    const std::string_view word = "Widths";
    auto small = std::make_unique<engine::FontCatalog>();
    engine::FontCatalog large;
    const int inSmall = small->font(QStringLiteral("serif"), 10, 400, false, 0);
    const int inLarge = large.font(QStringLiteral("serif"), 40, 400, false, 0);
    ASSERT_EQ(inSmall, inLarge);
    const qreal narrow = small->exactTextWidth(inSmall, word);
    const qreal wide = large.exactTextWidth(inLarge, word);
    EXPECT_GT(wide, 3 * narrow);
    EXPECT_EQ(small->exactTextWidth(inSmall, word), narrow);
    small.reset();
    engine::FontCatalog again;
    const int inAgain = again.font(QStringLiteral("serif"), 20, 400, false, 0);
    EXPECT_GT(again.exactTextWidth(inAgain, word), 1.5 * narrow);
    EXPECT_LT(again.exactTextWidth(inAgain, word), 0.75 * wide);
    qreal onAnotherThread = 0;
    std::thread([&] { onAnotherThread = large.exactTextWidth(inLarge, word); }).join();
    EXPECT_EQ(onAnotherThread, wide);
    // Sizes of fractions of a pixel measured in one catalog and then in
    // another, under numbers each catalog gives in its own order.
    const int exactHere = large.atExactSize(large.font(QStringLiteral("serif"), 19, 400, false, 0), 18.72);
    const qreal exactWidth = large.exactTextWidth(exactHere, word);
    engine::FontCatalog later;
    const int otherThere = later.atExactSize(later.font(QStringLiteral("serif"), 19, 400, false, 0), 18.4);
    const int exactThere = later.atExactSize(later.font(QStringLiteral("serif"), 19, 400, false, 0), 18.72);
    EXPECT_LT(later.exactTextWidth(otherThere, word), exactWidth);
    EXPECT_EQ(later.exactTextWidth(exactThere, word), exactWidth);
}
