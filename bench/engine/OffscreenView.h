#pragma once

// A page view of a document as a window shows it (800 x 600), kept off the
// screen, its first events handled; a page opened in it.

#include "engine/dom/Document.h"
#include "engine/view/PageView.h"

#include "bench/engine/EventLoopWatch.h"

#include <QCoreApplication>

#include <memory>

namespace bench_pages {

inline std::unique_ptr<engine::PageView> offscreenView(engine::Document* doc)
{
    auto view = std::make_unique<engine::PageView>(doc);
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->resize(800, 600);
    view->show();
    QCoreApplication::processEvents();
    return view;
}

// Reads a page file into the view's document in the background, as the
// program opens a file, up to the view's first paint of it.
inline void openToFirstPaint(engine::Document& doc, engine::PageView& view, const QString& path)
{
    PaintCounter painted;
    view.viewport()->installEventFilter(&painted);
    doc.load(path, nullptr, engine::Reading::InBackground);
    runEventsUntil([&] { return !doc.isLoading(); });
    view.viewport()->update();
    runEventsUntil([&] { return painted.paints > 0; });
    view.viewport()->removeEventFilter(&painted);
}

} // namespace bench_pages
