#include "editor/CImpIDispatch.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"

std::vector<engine::Ref<engine::Element>> CImpIDispatch::controlSelection() const
{
    engine::Document* doc = document();
    if (!doc || doc->selection().type() != engine::Selection::Type::Control)
        return {};
    return doc->selection().controlElements();
}

void CImpIDispatch::SetPageChanged()
{
    if (CZQDoc* doc = m_pView ? m_pView->GetDocument() : nullptr)
        doc->m_bPageChanged = true;
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
        SetUsemapQuietly(element, QLatin1Char('#') + value);
    return 0;
}
