// A block of words measured from its words answers what laying it out
// answers (the width it asks for, whether a line wrapped for want of room),
// at every width a table measures a cell at; a block that is not one of
// words is left to the layout.

#include "engine/layout/WordsMeasure.h"

#include "engine/layout/DefaultStyleSheet.h"
#include "engine/layout/LayoutElements.h"
#include "engine/layout/PageContainer.h"
#include "engine/layout/WordWidths.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace engine;

namespace {

struct Page
{
    PageContainer container;
    std::shared_ptr<litehtml::context> context = std::make_shared<litehtml::context>();
    std::shared_ptr<litehtml::document> doc;

    explicit Page(const std::string& body)
    {
        context->load_master_stylesheet(defaultStyleSheet());
        const std::string html = "<html><body>" + body + "</body></html>";
        doc = litehtml::document::createFromUTF8(html.c_str(), &container, context.get());
        layoutelements_detail::markEdgeSpaces(*doc->root());
        fitWordWidths(*doc->root(), container.fonts());
        doc->render(800);
    }
    litehtml::element::ptr byId(const char* id) const { return doc->root()->select_one(std::string("#") + id); }
};

// What the layout answers, measured as a table measures its cell.
WordsMeasure laidOut(litehtml::element& block, int width)
{
    const layoutelements_detail::CellMeasureScope measuring;
    const layoutelements_detail::WrapWatch watch;
    const int asked = block.render(0, 0, width);
    return {asked, watch.wrapped()};
}

constexpr int kWidths[] = {1, 0, 7, 30, 61, 100, 157, 240, 400, 1000, 100000};

std::string words(int count)
{
    static const char* const kWords[] = {"the", "paragraph", "of", "a", "browser", "layout", "returns", "x"};
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(kWords[(i * 5 + i / 3) % 8]) + ' ';
    return text;
}

void expectMeasuredAsLaidOut(const std::string& block, const char* what)
{
    Page page("<p>before</p>" + block + "<p>after</p>");
    const litehtml::element::ptr el = page.byId("b");
    ASSERT_TRUE(el) << what;
    for (const int width : kWidths) {
        const std::optional<WordsMeasures> measured = measureWords(*el, width);
        ASSERT_TRUE(measured) << what << ": not measured from its words";
        const WordsMeasure narrowest = laidOut(*el, 1);
        EXPECT_EQ(measured->narrowest.width, narrowest.width) << what;
        EXPECT_EQ(measured->narrowest.wrapped, narrowest.wrapped) << what;
        const WordsMeasure widest = laidOut(*el, width);
        EXPECT_EQ(measured->widest.width, widest.width) << what << " at " << width;
        EXPECT_EQ(measured->widest.wrapped, widest.wrapped) << what << " at " << width;
    }
}

TEST(WordsMeasure, WordsAndWhiteSpaceMeasureAsTheirLayout)
{
    const std::string many = words(40);
    const std::pair<const char*, std::string> blocks[] = {
        {"one word", "<p id=b>paragraph</p>"},
        {"a paragraph", "<p id=b>" + many + "</p>"},
        {"spaces at the edges and runs of them", "<p id=b>  the   paragraph \n\t of    words   </p>"},
        {"comments between spaces", "<p id=b>the <!-- a -->  paragraph<!-- b --> <!-- c --> of</p>"},
        {"a word wider than most rooms", "<p id=b>a " + std::string(80, 'm') + " b</p>"},
        {"Japanese", "<p id=b>日本語の文章です。 長い段落を、ここに書きます。</p>"},
        {"an empty block", "<div id=b></div>"},
        {"white space alone", "<div id=b>   </div>"},
    };
    for (const auto& [what, block] : blocks)
        expectMeasuredAsLaidOut(block, what);
}

TEST(WordsMeasure, TheBlocksFrameAndFirstLineIndentCount)
{
    const std::string many = words(30);
    const std::pair<const char*, std::string> blocks[] = {
        {"padding, border and margins",
         "<p id=b style='padding:3px 11px;border:2px solid;margin:0 7px 0 5px'>" + many + "</p>"},
        {"a negative margin", "<p id=b style='margin-left:-20px'>" + many + "</p>"},
        {"an indent", "<p id=b style='text-indent:2em'>" + many + "</p>"},
        {"an indent in percent", "<p id=b style='text-indent:10%'>" + many + "</p>"},
        {"a negative indent", "<p id=b style='text-indent:-15px;padding-left:15px'>" + many + "</p>"},
        {"an indent inherited", "<div style='text-indent:9px'><p id=b>" + many + "</p></div>"},
    };
    for (const auto& [what, block] : blocks)
        expectMeasuredAsLaidOut(block, what);
}

TEST(WordsMeasure, LinesEndWhereTheWhiteSpaceSays)
{
    const std::string many = words(25);
    const std::pair<const char*, std::string> blocks[] = {
        {"one preformatted line", "<pre id=b>" + many + "</pre>"},
        {"preformatted lines", "<pre id=b>first line\n  second, indented\n\n\nafter empty lines   \nlast</pre>"},
        {"a preformatted break first", "<pre id=b>\n\nbelow two breaks\nand a longer line of text</pre>"},
        {"a preformatted break last", "<pre id=b>a line\nanother line\n</pre>"},
        {"no wrapping", "<p id=b style='white-space:nowrap'>" + many + "</p>"},
        {"lines kept, spaces collapsed", "<p id=b style='white-space:pre-line'>a  b\n  " + many + "\nc</p>"},
        {"lines kept, spaces kept, wrapping", "<p id=b style='white-space:pre-wrap'>a  b\n  " + many + "\nc</p>"},
    };
    for (const auto& [what, block] : blocks)
        expectMeasuredAsLaidOut(block, what);
}

TEST(WordsMeasure, OtherBlocksAreLeftToTheLayout)
{
    const std::pair<const char*, std::string> blocks[] = {
        {"an inline element", "<p id=b>a <b>bold</b> word</p>"},
        {"a line break", "<p id=b>a<br>b</p>"},
        {"a block inside", "<div id=b>a <p>b</p></div>"},
        {"an image", "<p id=b>a <img width=20 height=20> b</p>"},
        {"a width", "<p id=b style='width:200px'>a b</p>"},
        {"a width in percent", "<p id=b style='width:50%'>a b</p>"},
        {"a least width", "<p id=b style='min-width:300px'>a b</p>"},
        {"a greatest width", "<p id=b style='max-width:30px'>a b</p>"},
        {"padding in percent", "<p id=b style='padding-left:10%'>a b</p>"},
        {"a marker inside", "<ul style='list-style-position:inside'><li><p id=b>a b</p></ul>"},
        {"a float", "<p id=b style='float:left'>a b</p>"},
        {"an inline block", "<span id=b style='display:inline-block'>a b</span>"},
    };
    for (const auto& [what, block] : blocks) {
        Page page(block);
        const litehtml::element::ptr el = page.byId("b");
        ASSERT_TRUE(el) << what;
        EXPECT_FALSE(measureWords(*el, 300)) << what;
    }
}

} // namespace
