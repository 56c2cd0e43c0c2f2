#include "engine/view/CaretStep.h"

#include "engine/EnginePage.h"
#include "engine/dom/Element.h"
#include "engine/dom/Text.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/TextGeometry.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct StepCase
{
    const char* name;
    const char* body;
    const char* places; // every place Right stops at from the start, text:offset or TAG:offset
};

QString placeName(Node* n, int offset)
{
    const QString name = n->isText() ? n->asText()->data().trimmed() : n->asElement()->tagName();
    return name + u':' + QString::number(offset);
}

class CaretSteps : public ::testing::TestWithParam<StepCase>
{
};

} // namespace

// Right goes through every place once, in order; Left goes back through the
// same places.
TEST_P(CaretSteps, RightAndLeftStopAtEachPlaceOnce)
{
    const StepCase& c = GetParam();
    Ref<Document> doc = pageFrom(QStringLiteral("<body>%1</body>").arg(QString::fromUtf8(c.body)));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(600, 400));
    TextGeometry text(layout);
    Node* body = doc->body();
    Node* node = body;
    int offset = 0;
    QStringList right;
    std::vector<QRect> rightCarets;
    while (stepCaret(text, node, offset, 1, body) && right.size() < 50) {
        right << placeName(node, offset);
        rightCarets.push_back(text.caretRectAt(node, offset));
    }
    EXPECT_EQ(right.join(u' '), QString::fromUtf8(c.places));
    // Left shows the caret at the same places, backwards (a place may have
    // another name, as the two sides of white space that takes no room).
    std::vector<QRect> leftCarets;
    while (stepCaret(text, node, offset, -1, body) && leftCarets.size() < 50)
        leftCarets.insert(leftCarets.begin(), text.caretRectAt(node, offset));
    ASSERT_FALSE(rightCarets.empty());
    rightCarets.pop_back();
    ASSERT_FALSE(leftCarets.empty());
    leftCarets.erase(leftCarets.begin()); // where Right started
    EXPECT_EQ(leftCarets, rightCarets);
}

INSTANTIATE_TEST_SUITE_P(Lines, CaretSteps,
                         ::testing::Values(StepCase{"OneLine", "<p>ab</p>", "ab:1 ab:2"},
                                           StepCase{"LineBreak", "<p>ab<br>c</p>", "ab:1 ab:2 c:0 c:1"},
                                           StepCase{"Paragraphs", "<p>ab</p><p>c</p>", "ab:1 ab:2 c:0 c:1"},
                                           StepCase{"EmptyLine", "<p>a<br><br>b</p>", "a:1 P:2 b:0 b:1"},
                                           StepCase{"TwoEmptyLines", "<p>a<br><br><br>b</p>", "a:1 P:2 P:3 b:0 b:1"},
                                           StepCase{"EmptyParagraph", "<p>a</p><p><br></p><p>b</p>", "a:1 P:0 b:0 b:1"},
                                           StepCase{"WhiteSpaceBetweenBreaks", "<p>a<br>\n<br>\nb</p>",
                                                    "a:1 :0 b:0 b:2"},
                                           StepCase{"EmptyLineAtTheEnd", "<p>a<br><br></p>", "a:1 P:2"}),
                         [](const auto& info) { return std::string(info.param.name); });
