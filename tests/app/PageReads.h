#pragma once

#include "app/CZQView.h"

#include "engine/dom/Document.h"

#include <QTest>

// Runs the event loop until the view's page is in (a long page is read on a
// worker thread), then once more for its page-loaded event; false when it
// is still being read after half a minute.
inline bool WaitForPageRead(CZQView* view)
{
    const bool read = view && QTest::qWaitFor(
                                  [view] {
                                      engine::Document* page = view->GetHtmlDocument();
                                      return !page || !page->isLoading();
                                  },
                                  30000);
    QCoreApplication::processEvents();
    return read;
}
