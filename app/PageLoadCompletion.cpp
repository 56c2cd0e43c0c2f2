#include "app/PageLoadCompletion.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"

#include "engine/dom/Document.h"

int OnPageLoadComplete(engine::Document* document, CZQView* view)
{
    if (!document || !view)
        return -1;
    if (CZQDoc* doc = view->GetDocument()) {
        doc->SetPageTitle(document->title());
        // A page read from a web address keeps reaching the server's files.
        if (document->frames().length() == 0)
            doc->FixAbsoluteHttpLinks();
    }
    view->m_bLoadCompleted = true;
    return 0;
}
