#include "effects/CScriptUtility.h"

void CScriptUtility::GetScriptImageFiles(QStringList& list, const QString& html, bool wholeText)
{
    // No script effect names images before the effects are written.
    Q_UNUSED(list);
    Q_UNUSED(html);
    Q_UNUSED(wholeText);
}

void CScriptUtility::ReplaceElementHtml(engine::Document* document, engine::Element* element, const QString& html)
{
    // Only reached with images the effects name; nothing to replace before them.
    Q_UNUSED(document);
    Q_UNUSED(element);
    Q_UNUSED(html);
}
