#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "util/HtmlTextScan.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"

namespace selectionstate_detail {

using engine::Element;
using engine::Ref;

// What a selection of several elements holds, by kind.
struct KindCounts
{
    int images = 0;
    int textBoxes = 0;
    int tables = 0;
    int rules = 0;
    int marquees = 0;

    int kinds() const { return (images > 0) + (textBoxes > 0) + (tables > 0) + (rules > 0) + (marquees > 0); }
    bool only(int KindCounts::*kind) const { return this->*kind > 0 && kinds() == 1; }
};

bool stringAttributeContains(const Element* element, const QString& name, const QString& part)
{
    const engine::Variant value = element->getAttribute(name);
    return value.isString() && value.toString().contains(part);
}

quint32 linkBits(int kind)
{
    return kind == 2 ? 0x40 : kind == 3 ? 0x80 : 0x20;
}

// One control-selected element.
quint32 singleControlBits(Element* selected)
{
    quint32 bits = 0;
    if (selected->hasTag(QLatin1String("TABLE")) || selected->hasTag(QLatin1String("TD"))) {
        Ref<Element> table(selected);
        if (FindParentByTag(table, QStringLiteral("TABLE")) == S_OK) {
            if (HasTextId(table.get())) {
                // A text box: is its first cell empty?
                Ref<Element> cell(selected);
                const bool empty = FindChildByTag(cell, QStringLiteral("TD"), 0) != S_OK || !cell->hasInnerText();
                bits |= empty ? 0x4 : 0x2;
            } else {
                bits |= 0x10;
            }
        }
    } else if (selected->hasTag(QLatin1String("IMG"))) {
        bits |= 0x8;
        if (stringAttributeContains(selected, QStringLiteral("src"), QStringLiteral("/Count")))
            bits |= 0x100;
        if (stringAttributeContains(selected, QStringLiteral("id"), QStringLiteral("VornaRollImage")))
            bits |= 0x100000;
        const engine::Variant usemap = selected->getAttribute(QStringLiteral("usemap"));
        if (usemap.isString() && !usemap.toString().isEmpty())
            bits |= 0x1000000;
    } else if (selected->hasTag(QLatin1String("HR"))) {
        bits |= 0x400000;
    } else if (selected->hasTag(QLatin1String("MARQUEE"))) {
        bits |= 0x2000000;
        if (!selected->hasInnerText())
            bits |= 0x40000000;
    } else if (selected->hasTag(QLatin1String("EMBED"))) {
        const engine::Variant id = selected->getAttribute(QStringLiteral("id"));
        if (!id.isString())
            bits |= 0x80000;
        else if (id.toString().compare(QLatin1String("FlashCounter"), Qt::CaseInsensitive) == 0)
            bits |= 0x200;
    }
    int kind = 0;
    if (FindBoardLinkInSelection(selected, kind))
        bits |= linkBits(kind);
    return bits;
}

// Several control-selected elements, by the kinds among them.
quint32 multipleControlBits(const std::vector<Ref<Element>>& elements)
{
    quint32 bits = 0x400;
    if (elements.size() >= 3)
        bits |= 0x800;
    KindCounts n;
    for (const Ref<Element>& element : elements) {
        if (element->hasTag(QLatin1String("IMG")))
            ++n.images;
        else if (element->hasTag(QLatin1String("HR")))
            ++n.rules;
        else if (element->hasTag(QLatin1String("MARQUEE")))
            ++n.marquees;
        else if (element->hasTag(QLatin1String("TABLE")) || element->hasTag(QLatin1String("TD")))
            ++(HasTextId(element.get()) ? n.textBoxes : n.tables);
        else
            continue;
        // An image or a rule beside another kind makes a mix: no need to count on.
        if (n.kinds() > 1 && (n.images > 0 || n.rules > 0))
            break;
    }
    if (n.only(&KindCounts::images))
        return bits | 0x2000;
    if (n.only(&KindCounts::rules))
        return bits | 0x800000;
    if (n.only(&KindCounts::textBoxes))
        return bits | 0x4000;
    if (n.only(&KindCounts::tables))
        return bits | 0x8000;
    if (n.only(&KindCounts::marquees))
        return bits | 0x4000000;
    if (n.images == 0 && n.rules == 0 && n.kinds() > 0)
        return bits | 0x20000000;
    return bits | 0x10000;
}

// The bits of a caret or text range inside a TABLE.
quint32 tableRangeBits(bool textBox, bool parentTextEmpty, bool rangeTextEmpty, bool rightClickInCells, bool inCaption)
{
    if (textBox) {
        if (parentTextEmpty)
            return 0x4 | 0x1;
        return rangeTextEmpty ? 0x40000 | 0x2 : 0x2 | 0x1;
    }
    quint32 bits = 0x10;
    if (parentTextEmpty)
        bits |= rightClickInCells ? 0x1000 : 0x20000;
    else if (rightClickInCells)
        return bits | 0x1000;
    else
        bits |= rangeTextEmpty ? 0x20000 : 0x1;
    if (inCaption)
        bits |= 0x200000;
    return bits;
}

quint32 horizontalAlignBits(const QString& align)
{
    if (align.compare(QLatin1String("LEFT"), Qt::CaseInsensitive) == 0)
        return 0x8;
    if (align.compare(QLatin1String("CENTER"), Qt::CaseInsensitive) == 0)
        return 0x80;
    if (align.compare(QLatin1String("RIGHT"), Qt::CaseInsensitive) == 0)
        return 0x20;
    return 0;
}

quint32 verticalAlignBits(const QString& align)
{
    if (align.compare(QLatin1String("TOP"), Qt::CaseInsensitive) == 0)
        return 0x40;
    if (align.compare(QLatin1String("MIDDLE"), Qt::CaseInsensitive) == 0)
        return 0x10;
    if (align.compare(QLatin1String("BOTTOM"), Qt::CaseInsensitive) == 0)
        return 0x100;
    return 0;
}

quint32 cellAlignBits(const Element* cell)
{
    return horizontalAlignBits(cell->getAttributeText(QStringLiteral("align"))) |
           verticalAlignBits(cell->getAttributeText(QStringLiteral("vAlign")));
}

quint32 marqueeAlignBits(const Element* marquee)
{
    const engine::Style* style = marquee->styleIfAny();
    return style ? horizontalAlignBits(style->textAlign()) : 0;
}

// The font and the formats that wrap the whole text of a text box or marquee
// selected as an object.
void objectFormat(Element* selected, quint32& bits, QString& face, int& size)
{
    QString cellHtml;
    const engine::ElementCollection descendants = selected->all();
    for (int i = 0; i < descendants.length(); ++i) {
        Element* e = descendants.item(i);
        if (e->hasTag(QLatin1String("TD"))) {
            cellHtml = e->innerHTML();
            bits |= cellAlignBits(e);
        } else if (e->hasTag(QLatin1String("MARQUEE"))) {
            bits |= marqueeAlignBits(e);
        } else if (e->hasTag(QLatin1String("FONT"))) {
            // A FONT counts when it holds all of the cell's text; differing
            // faces or sizes give none.
            const bool covers = RemoveTagFromHtml(cellHtml, e->outerHTML());
            if (e->hasAttribute(QStringLiteral("face"))) {
                const QString fontFace = e->getAttributeText(QStringLiteral("face"));
                if (covers && !fontFace.isEmpty())
                    face = fontFace;
                else if (face != fontFace)
                    face.clear();
            }
            if (e->hasAttribute(QStringLiteral("size"))) {
                const int fontSize = e->getAttributeText(QStringLiteral("size")).trimmed().toInt();
                if (covers && e->hasInnerText())
                    size = fontSize;
                else if (size != fontSize)
                    size = 0;
            }
        } else if (e->hasTag(QLatin1String("STRONG")) || e->hasTag(QLatin1String("EM")) ||
                   e->hasTag(QLatin1String("U"))) {
            if (RemoveTagFromHtml(cellHtml, e->outerHTML()))
                bits |= e->hasTag(QLatin1String("STRONG")) ? 0x1 : e->hasTag(QLatin1String("EM")) ? 0x2 : 0x4;
        }
    }
}

// The formats at a caret or text range: the engine's states, the alignment of
// the cell or marquee around it and the font of its text.
void rangeFormat(const engine::TextRange& range, quint32& bits, QString& face, int& size)
{
    // 1. Bold, italic, underline.
    if (range.queryCommandValue(QStringLiteral("Bold")).toBool())
        bits |= 0x1;
    if (range.queryCommandValue(QStringLiteral("Italic")).toBool())
        bits |= 0x2;
    if (range.queryCommandValue(QStringLiteral("Underline")).toBool())
        bits |= 0x4;
    // 2. The alignment of the cell or marquee around it; in the page's flow,
    // of the nearest paragraph, heading or division that has one.
    Element* parent = range.parentElement();
    for (Element* e = parent; e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("TD"))) {
            bits |= cellAlignBits(e);
            break;
        }
        if (e->hasTag(QLatin1String("MARQUEE"))) {
            bits |= marqueeAlignBits(e);
            break;
        }
        if (e->hasTag(QLatin1String("TABLE")))
            break;
        if (e->hasTag(QLatin1String("BODY"))) {
            for (Element* block = FindFlowAlignBlock(parent); block;
                 block = FindFlowAlignBlock(block->parentElement())) {
                if (const quint32 align = horizontalAlignBits(block->getAttributeText(QStringLiteral("align")))) {
                    bits |= align;
                    break;
                }
            }
            break;
        }
    }
    // 3. The font, of a character beside a caret.
    if (!parent || !parent->hasInnerText())
        return;
    engine::TextRange probe = range.duplicate();
    if (probe.text().isEmpty()) {
        probe.moveStart(QStringLiteral("character"), -1);
        // Not before the first character of the cell or marquee.
        if (probe.text().isEmpty() || !parent->containsNode(probe.start().node())) {
            probe = range.duplicate();
            probe.moveEnd(QStringLiteral("character"), 1);
        }
    }
    face = probe.queryCommandValue(QStringLiteral("FontName")).toString();
    size = qint16(probe.queryCommandValue(QStringLiteral("FontSize")).toInt());
}

} // namespace selectionstate_detail

quint32 CImpIDispatch::ControlSelectionBits(const std::vector<engine::Ref<engine::Element>>& elements)
{
    if (elements.empty())
        return 0;
    if (elements.size() == 1)
        return selectionstate_detail::singleControlBits(elements.front().get());
    return selectionstate_detail::multipleControlBits(elements);
}

void CImpIDispatch::UpdateSelectionState()
{
    namespace detail = selectionstate_detail;
    // 1. The mask before, and a new one.
    if (!m_pView)
        return;
    m_pView->m_dwPrevSelKind = m_pView->m_dwSelKind;
    quint32 bits = 0;
    // 2. The selection.
    engine::Ref<engine::Element> selected;
    std::optional<engine::ControlRange> controls;
    std::optional<engine::TextRange> range;
    if (GetPageSelection(&selected, &controls, &range, m_pView) == S_OK) {
        if (range) {
            // 3. A caret or text range.
            engine::Element* parent = range->parentElement();
            const bool parentTextEmpty = !parent || !parent->hasInnerText();
            const bool rangeTextEmpty = range->text().isEmpty();
            bool textBox = false;
            if (IsTextRangeInMarquee(*range)) {
                bits |= 0x8000000;
                if (rangeTextEmpty && parentTextEmpty)
                    bits |= 0x10000000;
            } else if (IsTextRangeInTable(*range, &textBox)) {
                bits |= detail::tableRangeBits(textBox, parentTextEmpty, rangeTextEmpty, m_bRightClickInCells,
                                               IsTextRangeInCaption(*range));
            } else if (HasCellSelection() && m_bCellRangeRectangular) {
                bits |= 0x1 | 0x1000;
            } else if (IsTextRangeInFlow(*range)) {
                bits |= kSelFlowText;
            }
            int kind = 0;
            if (IsBoardLinkElement(*range, kind))
                bits |= detail::linkBits(kind);
            // Outside a text box or marquee no caret is shown.
            if (!IsTextEditContext())
                HideCaret();
        } else if (controls) {
            // 4.-5. Elements selected as objects.
            bits |= ControlSelectionBits(controls->elements());
        }
    }
    // 6. The menus and bars follow at the next idle pass.
    m_pView->m_dwSelKind = bits;
    m_bSelectionChanged = m_pView->m_dwSelKind != m_pView->m_dwPrevSelKind;
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
}

int CImpIDispatch::UpdateFormatState()
{
    namespace detail = selectionstate_detail;
    // 1. Nothing known yet.
    if (!m_pView)
        return 1;
    CMainFrame* frame = CMainFrame::instance();
    m_pView->m_nFormatState = 0;
    QString face;
    int size = 0;
    if (frame) {
        frame->m_strCurFontFace.clear();
        frame->m_nCurFontSize = 0;
    }
    // 2. Only where text is formatted: the format state stays empty.
    const quint32 selection = m_pView->m_dwSelKind;
    if (!(selection & (0x1 | 0x2 | 0x4 | 0x20000 | 0x2000000 | 0x8000000 | kSelFlowText)))
        return 0;
    // 3. The selection.
    quint32 bits = 0;
    engine::Ref<engine::Element> selected;
    std::optional<engine::ControlRange> controls;
    std::optional<engine::TextRange> range;
    if (GetPageSelection(&selected, &controls, &range, m_pView) == S_OK) {
        if (controls) {
            // 4. A text box or marquee selected as an object.
            if (controls->length() <= 1 && selected && !(selection & (0x10 | 0x8000)))
                detail::objectFormat(selected.get(), bits, face, size);
        } else if (range) {
            // 5. A caret or text range.
            detail::rangeFormat(*range, bits, face, size);
        }
    }
    // 6. The values and whether they changed since the font boxes took them.
    m_pView->m_nFormatState = bits;
    m_pView->m_nLastFormatState = bits;
    if (frame) {
        frame->m_strCurFontFace = face;
        frame->m_nCurFontSize = size;
        frame->m_bFontFaceChanged =
            frame->m_bFontFaceChanged || face.compare(frame->m_strLastFontName, Qt::CaseInsensitive) != 0;
        frame->m_bFontSizeChanged = frame->m_bFontSizeChanged || size != frame->m_nLastFontSize;
        frame->m_strLastFontName = face;
        frame->m_nLastFontSize = size;
    }
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
    return 0;
}
