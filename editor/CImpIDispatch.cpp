#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/PageLoadCompletion.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

void ResetCellPosition(CellPosition& cell)
{
    cell = CellPosition();
}

CImpIDispatch::CImpIDispatch(CZQView* view, engine::Document* docObject) : m_pView(view), m_pDocObject(docObject) {}

CImpIDispatch::~CImpIDispatch() = default;

engine::PageView* CImpIDispatch::pageView() const
{
    return m_pView ? m_pView->GetPageView() : nullptr;
}

bool CImpIDispatch::invoke(int eventId, engine::EventObject& event)
{
    Q_UNUSED(event);
    // While the source or the preview is shown the page's events do nothing.
    if (!m_pView || !m_pView->IsEditMode())
        return false;
    switch (eventId) {
    case engine::events::PageLoaded: {
        if (m_pView->m_bLoadCompleted)
            return false;
        engine::Document* doc = m_pView->GetHtmlDocument();
        return doc && OnPageLoadComplete(doc, m_pView) == 1;
    }
    case engine::events::SelectionChange:
        UpdateSelectionState();
        return false;
    default:
        return false;
    }
}

bool CImpIDispatch::InsertPositionedObject(QPoint point)
{
    CMainFrame* frame = CMainFrame::instance();
    engine::Document* doc = m_pView ? m_pView->GetHtmlDocument() : nullptr;
    engine::Element* body = doc ? doc->body() : nullptr;
    ReleaseDocumentCapture();
    if (!frame || !body || frame->m_nInsertMode != 2 || frame->m_strInsertImageSrc.isEmpty())
        return false;
    AddBodyScrollOffset(point);
    const int z = ++m_pView->m_nMaxZIndex;
    const QSize size = frame->m_rcInsert.size();
    engine::Ref<engine::Element> image = doc->createElement(QStringLiteral("IMG"));
    {
        engine::UndoUnit unit(doc);
        image->setAttribute(QStringLiteral("src"), engine::Variant(frame->m_strInsertImageSrc));
        QString style = QStringLiteral("POSITION: absolute; Z-INDEX: %1; LEFT: %2px; TOP: %3px")
                            .arg(z)
                            .arg(point.x())
                            .arg(point.y());
        // An image whose size could not be read keeps its own.
        if (size.width() > 0 && size.height() > 0)
            style += QStringLiteral("; WIDTH: %1px; HEIGHT: %2px").arg(size.width()).arg(size.height());
        image->style().setCssText(style);
        image->setAttribute(QStringLiteral("alt"), engine::Variant(QString()));
        image->setAttribute(QStringLiteral("hspace"), engine::Variant(0));
        image->setAttribute(QStringLiteral("align"), engine::Variant(QStringLiteral("baseline")));
        image->setAttribute(QStringLiteral("border"), engine::Variant(0));
        body->appendChild(image);
    }
    doc->selection().setControlRange({image});
    frame->m_nInsertMode = 0;
    frame->m_strInsertImageSrc.clear();
    m_ptDown = QPoint(-1, -1);
    return true;
}

void CImpIDispatch::CancelInsertMode() {}

void CImpIDispatch::ReleaseDocumentCapture()
{
    if (engine::PageView* page = pageView())
        page->releaseCapture();
}

void CImpIDispatch::SelectAllObjects() {}

void CImpIDispatch::DeleteSelection() {}

bool CImpIDispatch::IsOnBodyElement() const
{
    engine::PageView* page = pageView();
    engine::Document* doc = m_pView ? m_pView->GetHtmlDocument() : nullptr;
    const engine::EventObject* event = page ? page->windowEvent() : nullptr;
    if (!event || !doc)
        return false;
    const engine::Element* element = doc->elementFromPoint(event->x, event->y);
    return element && element->tagName().compare(QLatin1String("BODY"), Qt::CaseInsensitive) == 0;
}

void CImpIDispatch::AddBodyScrollOffset(QPoint& point) const
{
    if (engine::PageView* page = pageView())
        point += page->scrollPosition();
}

void CImpIDispatch::ResetImageMapMode() {}

int CImpIDispatch::RemoveImageMapPainter(engine::Element* element)
{
    Q_UNUSED(element);
    return 0;
}

int CImpIDispatch::AddUsemapHash(engine::Element* element)
{
    if (!element)
        return 1;
    if (element->tagName().compare(QLatin1String("IMG"), Qt::CaseInsensitive) != 0)
        return 0;
    const engine::Variant usemap = element->getAttribute(QStringLiteral("usemap"));
    if (!usemap.isString())
        return 0;
    const QString value = usemap.toString();
    if (!value.isEmpty() && !value.startsWith(QLatin1Char('#')))
        element->setAttribute(QStringLiteral("usemap"), engine::Variant(QLatin1Char('#') + value));
    return 0;
}

void CImpIDispatch::RemoveUsemapHash(engine::Element* element)
{
    if (!element || element->tagName().compare(QLatin1String("IMG"), Qt::CaseInsensitive) != 0)
        return;
    const engine::Variant usemap = element->getAttribute(QStringLiteral("usemap"));
    if (!usemap.isString())
        return;
    const QString value = usemap.toString();
    if (value.startsWith(QLatin1Char('#')))
        element->setAttribute(QStringLiteral("usemap"), engine::Variant(value.mid(1)));
}

bool CImpIDispatch::HasCellSelection() const
{
    return m_cellAnchor.isSet() && m_cellCurrent.isSet() && m_cellAnchor != m_cellCurrent;
}

void CImpIDispatch::UpdateCellHighlight() {}

namespace sink_detail {

bool hasTag(const engine::Element* element, const char* tag)
{
    return GetTagName(element) == QLatin1String(tag);
}

bool stringAttributeContains(const engine::Element* element, const QString& name, const QString& part)
{
    const engine::Variant value = element->getAttribute(name);
    return value.isString() && value.toString().contains(part);
}

// The bits of one control-selected element.
quint32 singleControlBits(engine::Element* selected)
{
    quint32 bits = 0;
    const QString tag = GetTagName(selected);
    if (tag == QLatin1String("TABLE") || tag == QLatin1String("TD")) {
        engine::Ref<engine::Element> table(selected);
        if (FindParentByTag(table, QStringLiteral("TABLE")) == 0) {
            if (HasTextId(table.get())) {
                engine::Ref<engine::Element> cell(selected);
                const bool empty = FindChildByTag(cell, QStringLiteral("TD"), 0) != 0 || cell->innerText().isEmpty();
                bits |= empty ? 0x4 : 0x2;
            } else {
                bits |= 0x10;
            }
        }
    } else if (tag == QLatin1String("IMG")) {
        bits |= 0x8;
        if (stringAttributeContains(selected, QStringLiteral("src"), QStringLiteral("/Count")))
            bits |= 0x100;
        if (stringAttributeContains(selected, QStringLiteral("id"), QStringLiteral("VornaRollImage")))
            bits |= 0x100000;
        const engine::Variant usemap = selected->getAttribute(QStringLiteral("usemap"));
        if (usemap.isString() && !usemap.toString().isEmpty())
            bits |= 0x1000000;
    } else if (tag == QLatin1String("HR")) {
        bits |= 0x400000;
    } else if (tag == QLatin1String("MARQUEE")) {
        bits |= 0x2000000;
        if (selected->innerText().isEmpty())
            bits |= 0x40000000;
    } else if (tag == QLatin1String("EMBED")) {
        const engine::Variant id = selected->getAttribute(QStringLiteral("id"));
        if (!id.isString())
            bits |= 0x80000;
        else if (id.toString().compare(QLatin1String("FlashCounter"), Qt::CaseInsensitive) == 0)
            bits |= 0x200;
    }
    int kind = 0;
    if (FindBoardLinkInSelection(selected, kind))
        bits |= kind == 2 ? 0x40 : kind == 3 ? 0x80 : 0x20;
    return bits;
}

// The bits of several control-selected elements, by the kinds among them.
quint32 multipleControlBits(const std::vector<engine::Ref<engine::Element>>& elements)
{
    quint32 bits = 0x400;
    if (elements.size() >= 3)
        bits |= 0x800;
    int images = 0, textBoxes = 0, tables = 0, rules = 0, marquees = 0;
    for (const engine::Ref<engine::Element>& element : elements) {
        if (hasTag(element.get(), "IMG"))
            ++images;
        else if (hasTag(element.get(), "HR"))
            ++rules;
        else if (hasTag(element.get(), "MARQUEE"))
            ++marquees;
        else if (hasTag(element.get(), "TABLE") || hasTag(element.get(), "TD"))
            ++(HasTextId(element.get()) ? textBoxes : tables);
        else
            continue;
        // An image or a rule beside another kind is a mix: no need to count on.
        const int kinds = (images > 0) + (rules > 0) + (marquees > 0) + (textBoxes > 0) + (tables > 0);
        if (kinds > 1 && (images > 0 || rules > 0))
            break;
    }
    const int others = textBoxes + tables + marquees;
    if (images > 0 && rules == 0 && others == 0)
        return bits | 0x2000;
    if (rules > 0 && images == 0 && others == 0)
        return bits | 0x800000;
    if (textBoxes > 0 && images + rules + tables + marquees == 0)
        return bits | 0x4000;
    if (tables > 0 && images + rules + textBoxes + marquees == 0)
        return bits | 0x8000;
    if (marquees > 0 && images + rules + textBoxes + tables == 0)
        return bits | 0x4000000;
    if (images == 0 && rules == 0 && others > 0)
        return bits | 0x20000000;
    return bits | 0x10000;
}

} // namespace sink_detail

quint32 CImpIDispatch::ControlSelectionBits(const std::vector<engine::Ref<engine::Element>>& elements)
{
    if (elements.empty())
        return 0;
    if (elements.size() == 1)
        return sink_detail::singleControlBits(elements.front().get());
    return sink_detail::multipleControlBits(elements);
}

void CImpIDispatch::UpdateSelectionState()
{
    if (!m_pView)
        return;
    m_pView->m_dwPrevSelKind = m_pView->m_dwSelKind;
    m_pView->m_dwSelKind = 0;
    engine::Ref<engine::Element> element;
    std::optional<engine::ControlRange> controls;
    if (GetPageSelection(&element, &controls, nullptr, m_pView) == 0 && controls)
        m_pView->m_dwSelKind = ControlSelectionBits(controls->elements());
    m_bSelectionChanged = m_pView->m_dwSelKind != m_pView->m_dwPrevSelKind;
    if (CZQApp* app = CZQApp::instance())
        app->m_bCommandRan = true;
}
