#include "commands/FontSizeFormat.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "commands/FontFaceColorFormat.h"
#include "commands/SelectionFormat.h"
#include "controls/VornaComboEx.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"
#include "util/TextHelpers.h"

#include "engine/dom/Document.h"
#include "engine/dom/Text.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Formatting.h"
#include "engine/editing/TextRange.h"

#include <optional>
#include <set>

using engine::Element;
using engine::Ref;

namespace fontsizeformat_detail {

bool isStep(int sizeCode)
{
    return sizeCode == 1 || sizeCode == -1;
}

// The engine command and the format state of a style code; 0 for none.
int engineCommandOf(int styleCode)
{
    switch (styleCode) {
    case kFormatBold:
        return engine::CommandGroup::Bold;
    case kFormatItalic:
        return engine::CommandGroup::Italic;
    case kFormatUnderline:
        return engine::CommandGroup::Underline;
    default:
        return 0;
    }
}

quint32 stateOf(int styleCode)
{
    switch (styleCode) {
    case kFormatBold:
        return kStateBold;
    case kFormatItalic:
        return kStateItalic;
    case kFormatUnderline:
        return kStateUnderline;
    default:
        return 0;
    }
}

QString commandNameOf(int styleCode)
{
    switch (styleCode) {
    case kFormatBold:
        return QStringLiteral("Bold");
    case kFormatItalic:
        return QStringLiteral("Italic");
    case kFormatUnderline:
        return QStringLiteral("Underline");
    default:
        return {};
    }
}

// Removes the tags of every element of the tag inside the element, keeping
// their content; true when there was one.
bool removeTagsInside(Element* element, const QString& tag)
{
    bool found = false;
    const engine::ElementCollection all = element->all();
    for (int i = 0; i < all.length();) {
        Element* e = all.item(i);
        if (!e->hasTag(tag)) {
            ++i;
            continue;
        }
        found = true;
        // The collection is live: the next element takes this index.
        if (RemoveElementTag(e) != S_OK)
            ++i;
    }
    return found;
}

// Selects the first entry of the size box whose text starts with the size.
void selectSizeBoxEntry(int size)
{
    CMainFrame* frame = CMainFrame::instance();
    VornaComboEx* box = frame ? frame->fontSizeBox() : nullptr;
    if (!box)
        return;
    const QString digits = QString::number(size);
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(digits, Qt::CaseInsensitive)) {
            box->setCurrentIndex(i);
            return;
        }
    }
}

// The targets of a control selection for the size family.
std::vector<Ref<Element>> sizeTargets(const engine::ControlRange& controls)
{
    return ControlSelectionTargets(controls, CellTarget::SpanInCell, MarqueeTarget::Alone);
}

// The FONT whose whole content is the one text node of a run, when its own
// size attribute is the run's size; else null.
engine::Element* wholeSizedFont(engine::Text* first, engine::Text* last, int size)
{
    engine::Element* font = first == last ? first->parentElement() : nullptr;
    if (!font || !font->hasTag(QLatin1String("FONT")) || font->childCount() != 1)
        return nullptr;
    const QString text = font->getAttributeText(QStringLiteral("size")).trimmed();
    bool number = false;
    const int own = text.toInt(&number);
    return number && !text.startsWith(QLatin1Char('+')) && !text.startsWith(QLatin1Char('-')) && own == size ? font
                                                                                                             : nullptr;
}

} // namespace fontsizeformat_detail

int SteppedFontSize(int size, int step)
{
    int stepped = size + step;
    if (stepped < -2)
        stepped = -2;
    if (stepped > 7)
        stepped = 7;
    if (stepped == 0)
        stepped = step > 0 ? 3 : 1;
    // The engine takes 1 to 7.
    return qBound(1, stepped, 7);
}

std::vector<FontSizeRun> FontSizeRuns(const std::vector<int>& segmentSizes)
{
    std::vector<FontSizeRun> runs;
    for (int i = 0; i < int(segmentSizes.size()); ++i) {
        if (!runs.empty() && runs.back().size == segmentSizes[size_t(i)])
            runs.back().last = i;
        else
            runs.push_back({i, i, segmentSizes[size_t(i)]});
    }
    return runs;
}

void StepFontSizeInRange(engine::TextRange& range, int step)
{
    engine::Document* doc = range.document();
    const QString fontSize = QStringLiteral("FontSize");
    // A caret: the size of the next character, stepped at the caret.
    if (range.isCollapsed()) {
        engine::TextRange next = range.duplicate();
        const engine::Variant size = next.moveEnd(QStringLiteral("character"), 1) != 0
                                         ? next.queryCommandValue(fontSize)
                                         : range.queryCommandValue(fontSize);
        if (!size.isNull())
            range.execCommand(fontSize, SteppedFontSize(size.toInt(), step));
        return;
    }
    // Differs from growing the range one character at a time until its size
    // is no longer single: the runs of one size come from the range's text
    // pieces and their sizes, read before anything changes, with the same
    // result in one pass over the text.
    engine::UndoUnit unit(doc);
    const std::vector<Ref<engine::Text>> segments = engine::Formatting::textSegments(range);
    if (segments.empty())
        return;
    std::vector<int> sizes;
    sizes.reserve(segments.size());
    for (const Ref<engine::Text>& segment : segments) {
        const engine::TextRange piece(doc, segment.get(), 0, segment.get(), segment->length());
        sizes.push_back(engine::Formatting::fontValue(piece, fontSize).toInt());
    }
    std::set<engine::Node*> parents;
    for (const FontSizeRun& run : FontSizeRuns(sizes)) {
        engine::Text* first = segments[size_t(run.first)].get();
        engine::Text* last = segments[size_t(run.last)].get();
        if (!first->isConnected() || !last->isConnected())
            continue;
        const int size = SteppedFontSize(run.size, step);
        // A run that is all of a sized FONT gets the new size on that FONT,
        // as the engine's command would write it there; the engine's command
        // would also merge it with a like neighbour, which is done once for
        // all runs below, not once per run.
        if (engine::Element* font = fontsizeformat_detail::wholeSizedFont(first, last, run.size); font && size != 3) {
            font->setAttribute(QStringLiteral("size"), QString::number(size));
            parents.insert(font->parentNode());
            continue;
        }
        engine::TextRange piece(doc, first, 0, last, last->length());
        piece.execCommand(fontSize, size);
    }
    for (engine::Node* parent : parents)
        engine::Formatting::mergeSiblings(parent);
    // The range covers the same text as before.
    engine::Text* first = segments.front().get();
    engine::Text* last = segments.back().get();
    if (first->isConnected() && last->isConnected())
        range.setRange(first, 0, last, last->length());
}

void SetFontSizeInSelection(int sizeCode)
{
    namespace detail = fontsizeformat_detail;
    // 1. The selection.
    auto [selected, controls, range] = ReadFormatSelection();
    // 2.-3. The cells of one TABLE (or the SPAN in each), a MARQUEE, the first TD of each object.
    if (controls) {
        for (const Ref<Element>& target : detail::sizeTargets(*controls))
            ApplyFontSizeToElement(sizeCode, target.get());
        return;
    }
    CZQView* view = ActiveFormatView();
    if (!range || !view)
        return;
    const bool caret = range->isCollapsed();
    // 4.1 A caret or an empty text box steps the size of whole words.
    const quint32 kind = view->m_dwSelKind;
    if (((kind & 0x1) && (kind & 0x4)) || (kind & 0x40000) || (kind & 0x10000000)) {
        range->moveStart(QStringLiteral("word"), -1);
        range->moveEnd(QStringLiteral("word"), 1);
    }
    // 4.2 No size.
    if (sizeCode == 0) {
        const engine::Variant normal(3);
        view->ExecCommand(engine::CommandGroup::FontSize, &normal);
        return;
    }
    // 4.3 A size of its own, shown in the size box too.
    if (sizeCode >= 11 && sizeCode <= 17) {
        const int size = sizeCode - 10;
        detail::selectSizeBoxEntry(size);
        const engine::Variant value(size);
        view->ExecCommand(engine::CommandGroup::FontSize, &value);
        return;
    }
    // 4.4 A step: each run of one size by one.
    if (detail::isStep(sizeCode)) {
        StepFontSizeInRange(*range, sizeCode);
        // Selected text stays selected; a caret stays a caret.
        if (!caret)
            range->select();
    }
}

void ApplyFontSizeToElement(int sizeCode, Element* element)
{
    namespace detail = fontsizeformat_detail;
    if (!element)
        return;
    // 1. The content as it is, and every element inside.
    const QString inner = element->innerHTML();
    const engine::ElementCollection all = element->all();
    bool whole = false;
    // 2. Every sized FONT, in document order.
    for (int i = 0; i < all.length();) {
        Element* font = all.item(i);
        const engine::Variant value =
            font->hasTag(QLatin1String("FONT")) ? font->getAttribute(QStringLiteral("size")) : engine::Variant::null();
        const QString sizeText = value.isNull() ? QString() : value.toString();
        if (sizeText.isEmpty()) {
            ++i;
            continue;
        }
        int size = LeadingInteger(sizeText);
        if (font->outerHTML() == inner)
            whole = true;
        if (detail::isStep(sizeCode)) {
            size = qBound(1, size + sizeCode, 7);
            font->setAttribute(QStringLiteral("size"), QString::number(size));
            ++i;
            continue;
        }
        // A FONT left with nothing is replaced by its content, and the next
        // element takes its place in the live collection.
        font->removeAttribute(QStringLiteral("size"));
        if (!RemoveBareFont(font))
            ++i;
    }
    // 3. The content wrapped in a FONT of the size, unless a step finds it is
    // one sized FONT already.
    if (sizeCode == 0 || (whole && detail::isStep(sizeCode)))
        return;
    const int size = sizeCode > 10 ? sizeCode - 10 : sizeCode + 3;
    WrapElementContent(element, QStringLiteral("<FONT size=%1></FONT>").arg(size));
}

QString StyleTagName(int styleCode)
{
    switch (styleCode) {
    case kFormatBold:
        return QStringLiteral("STRONG");
    case kFormatItalic:
        return QStringLiteral("EM");
    case kFormatUnderline:
        return QStringLiteral("U");
    default:
        return {};
    }
}

void ToggleStyleTagInElement(int styleCode, Element* element)
{
    const QString tag = StyleTagName(styleCode);
    if (!element || tag.isEmpty())
        return;
    if (!fontsizeformat_detail::removeTagsInside(element, tag))
        WrapElementContent(element, QStringLiteral("<%1></%1>").arg(tag));
}

void SetStyleTagInElement(int styleCode, Element* element, int on)
{
    const QString tag = StyleTagName(styleCode);
    if (!element || tag.isEmpty())
        return;
    fontsizeformat_detail::removeTagsInside(element, tag);
    if (on)
        WrapElementContent(element, QStringLiteral("<%1></%1>").arg(tag));
}

void SetTextStyleInSelection(int styleCode)
{
    namespace detail = fontsizeformat_detail;
    auto [selected, controls, range] = ReadFormatSelection();
    if (controls) {
        for (const Ref<Element>& target : ControlSelectionTargets(*controls, CellTarget::Cell, MarqueeTarget::Alone))
            ToggleStyleTagInElement(styleCode, target.get());
        return;
    }
    CZQView* view = ActiveFormatView();
    const int command = detail::engineCommandOf(styleCode);
    if (!range || !view || command == 0)
        return;
    // The state flips at once, so the button follows before the next update.
    view->m_nFormatState ^= detail::stateOf(styleCode);
    view->ExecCommand(command);
}

void SetTextStyleFromDialog(int styleCode, int on)
{
    namespace detail = fontsizeformat_detail;
    auto [selected, controls, range] = ReadFormatSelection();
    if (controls) {
        for (const Ref<Element>& target : ControlSelectionTargets(*controls, CellTarget::Cell, MarqueeTarget::Alone))
            SetStyleTagInElement(styleCode, target.get(), on);
        return;
    }
    CZQView* view = ActiveFormatView();
    const int command = detail::engineCommandOf(styleCode);
    if (!range || !view || command == 0)
        return;
    // Differs from toggling the style once whatever the text has: the style is
    // set or removed as asked. A selection only partly in the style is first
    // given it all, then has it removed.
    const bool has = range->queryCommandState(detail::commandNameOf(styleCode));
    if (bool(on) != has) {
        view->ExecCommand(command);
    } else if (!on && !range->isCollapsed()) {
        view->ExecCommand(command);
        view->ExecCommand(command);
    }
}
