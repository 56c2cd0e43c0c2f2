#include "commands/AlignFormat.h"

#include "app/CZQView.h"
#include "commands/SelectionFormat.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"

#include <optional>
#include <vector>

using engine::Element;
using engine::Ref;

namespace alignformat_detail {

// The attribute value and format state of an alignment code.
struct Alignment
{
    const char* value;
    quint32 state;
    bool vertical;
};

std::optional<Alignment> alignmentOf(int code)
{
    switch (code) {
    case kFormatTop:
        return Alignment{"top", kStateTop, true};
    case kFormatMiddle:
        return Alignment{"middle", kStateMiddle, true};
    case kFormatBottom:
        return Alignment{"bottom", kStateBottom, true};
    case kFormatLeft:
        return Alignment{"left", kStateLeft, false};
    case kFormatRight:
        return Alignment{"right", kStateRight, false};
    case kFormatCenter:
        return Alignment{"center", kStateCenter, false};
    default:
        return std::nullopt;
    }
}

// Sets or clears the state of the active view, and clears the rest of its group.
void setAlignState(const Alignment& alignment, bool on)
{
    CZQView* view = ActiveFormatView();
    if (!view)
        return;
    const quint32 group = alignment.vertical ? kVerticalStates : kHorizontalStates;
    view->m_nFormatState &= ~group;
    if (on)
        view->m_nFormatState |= alignment.state;
}

// Writes the value, or removes the attribute for an empty one.
void writeAlignment(Element* element, const QString& name, const QString& value)
{
    if (value.isEmpty())
        element->removeAttribute(name);
    else
        element->setAttribute(name, value);
}

// The parent element of the range, or null.
Ref<Element> parentOf(const std::optional<engine::TextRange>& range)
{
    return range ? Ref<Element>(range->parentElement()) : Ref<Element>();
}

} // namespace alignformat_detail

void SetAlignInSelection(int code)
{
    // 1. The selection.
    auto [selected, controls, range] = ReadFormatSelection();
    const CZQView* view = ActiveFormatView();
    // Toggled only in a text box that holds text.
    const bool toggle = view && (view->m_dwSelKind & 0x2);
    // 2. The TD around a text range; in the page's flow, its paragraphs.
    if (range) {
        Ref<Element> cell = range->parentElement();
        if (FindParentByTag(cell, QStringLiteral("TD")) == S_OK)
            SetCellAlign(code, cell.get(), toggle);
        else if (IsTextRangeInFlow(*range))
            SetFlowTextAlign(code, *range);
        return;
    }
    // 3.-4. The cells of one TABLE, or the first TD of each object.
    if (!controls)
        return;
    for (const Ref<Element>& cell : ControlSelectionTargets(*controls, CellTarget::Cell, MarqueeTarget::AsObject))
        SetCellAlign(code, cell.get(), toggle);
}

void SetFlowTextAlign(int code, const engine::TextRange& range)
{
    namespace detail = alignformat_detail;
    const auto alignment = detail::alignmentOf(code);
    engine::Node* first = range.start().node();
    engine::Node* last = range.end().node();
    Element* scope = range.parentElement();
    if (!alignment || alignment->vertical || !first || !last || !scope)
        return;
    // Every block from the one of the range's start to the one of its end.
    std::vector<Ref<Element>> blocks;
    const auto add = [&blocks](Element* block) {
        if (block && (blocks.empty() || blocks.back().get() != block))
            blocks.emplace_back(block);
    };
    add(FindFlowAlignBlock(first));
    if (first != last) {
        for (engine::Node* n = first->nextInTree(scope); n; n = n->nextInTree(scope)) {
            if (n->isText())
                add(FindFlowAlignBlock(n));
            if (n == last)
                break;
        }
        add(FindFlowAlignBlock(last));
    }
    for (const Ref<Element>& block : blocks)
        block->setAttribute(QStringLiteral("align"), engine::Variant(QString::fromLatin1(alignment->value)));
    if (!blocks.empty())
        detail::setAlignState(*alignment, true);
}

void SetCellAlign(int code, Element* cell, bool toggle)
{
    namespace detail = alignformat_detail;
    // 1.-2. The cell and the code's attribute and value.
    const auto alignment = detail::alignmentOf(code);
    if (!cell || !alignment || !(cell->hasTag(QLatin1String("TD")) || cell->hasTag(QLatin1String("TH"))))
        return;
    const QString name = alignment->vertical ? QStringLiteral("vAlign") : QStringLiteral("align");
    const QString value = QLatin1String(alignment->value);
    // 3.-4. Written, or taken off when toggled on the same value.
    const bool remove = toggle && cell->getAttributeText(name).compare(value, Qt::CaseInsensitive) == 0;
    detail::writeAlignment(cell, name, remove ? QString() : value);
    // 5. The state of the group.
    detail::setAlignState(*alignment, !remove);
}

void SetMarqueeAlign(int code)
{
    const auto [selected, controls, range] = ReadFormatSelection();
    if (selected) {
        if (selected->hasTag(QLatin1String("MARQUEE")))
            SetMarqueeTextAlign(code, selected.get());
        return;
    }
    Ref<Element> marquee = alignformat_detail::parentOf(range);
    if (marquee && FindParentByTag(marquee, QStringLiteral("MARQUEE")) == S_OK)
        SetMarqueeTextAlign(code, marquee.get());
}

void SetMarqueeTextAlign(int code, Element* marquee)
{
    namespace detail = alignformat_detail;
    const auto alignment = detail::alignmentOf(code);
    if (!marquee || !alignment || alignment->vertical)
        return;
    const QString value = QLatin1String(alignment->value);
    engine::Style& style = marquee->style();
    const bool remove = style.textAlign().compare(value, Qt::CaseInsensitive) == 0;
    if (remove)
        style.removeAttribute(QStringLiteral("text-align"));
    else
        style.setTextAlign(value);
    detail::setAlignState(*alignment, !remove);
}

void SetCaptionAlign(int code)
{
    namespace detail = alignformat_detail;
    const auto alignment = detail::alignmentOf(code);
    Ref<Element> caption = detail::parentOf(ReadFormatSelection().range);
    if (!alignment || !caption || FindParentByTag(caption, QStringLiteral("CAPTION")) != S_OK)
        return;
    const QString name = alignment->vertical ? QStringLiteral("vAlign") : QStringLiteral("align");
    const QString value = QLatin1String(alignment->value);
    const bool same = caption->getAttributeText(name).compare(value, Qt::CaseInsensitive) == 0;
    detail::writeAlignment(caption.get(), name, same ? QString() : value);
}
