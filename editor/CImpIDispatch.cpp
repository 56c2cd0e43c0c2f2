#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

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

void CImpIDispatch::SelectAllObjects() {}

void CImpIDispatch::DeleteSelection() {}

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
        SetUsemapQuietly(element, QLatin1Char('#') + value);
    return 0;
}
