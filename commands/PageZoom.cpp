#include "commands/PageZoom.h"

#include "app/CZQApp.h"
#include "app/CZQView.h"

#include "engine/view/PageView.h"

int PageZoomPercent(const QString& zoomText)
{
    QString text = zoomText.trimmed();
    if (!text.endsWith(QLatin1Char('%')))
        return 0;
    text.chop(1);
    bool ok = false;
    const int percent = text.toInt(&ok);
    return ok && percent >= 25 && percent <= 200 ? percent : 0;
}

void SetPageZoom(const QString& zoomText)
{
    // Differs from wrapping BODY's content in a zoomed DIV: the layout
    // cannot scale a DIV, and the wrapper would be saved with the page.
    CZQView* view = CZQApp::instance() ? CZQApp::instance()->GetActiveView() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    const int percent = PageZoomPercent(zoomText);
    if (!page || percent == 0)
        return;
    page->setZoom(percent);
}
