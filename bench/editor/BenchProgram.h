#pragma once

// The running program for the editor's benchmarks: started as a user starts
// it (without the start-up guide), with a page open in a view of a size.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "bench/engine/BenchPages.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace bench_program {

// The program, started as a user starts it, without the start-up guide.
inline std::unique_ptr<CZQApp> startProgram()
{
    InitInstallFolder();
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()))
        reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0);
    auto app = std::make_unique<CZQApp>();
    if (!app->InitInstance({}))
        return nullptr;
    return app;
}

// Opens a page and makes its view the given size.
inline CZQView* openPage(CZQApp& app, const QTemporaryDir& dir, const QString& html, QSize size)
{
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    file.write(html.toUtf8());
    file.close();
    if (!app.OpenDocumentFile(path))
        return nullptr;
    CZQView* view = app.GetActiveView();
    // (A long page is read on a worker thread; then its page-loaded event.)
    while (view && view->GetHtmlDocument() && view->GetHtmlDocument()->isLoading())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!page)
        return nullptr;
    view->GetParentFrame()->showMaximized();
    app.mainFrame()->resize(app.mainFrame()->size() + size - page->viewport()->size());
    QCoreApplication::processEvents();
    page->flushChanges();
    return view;
}

// A key typed into the page as the window system delivers it: the main
// frame's key filter, the page's event sink, the paint, the selection
// change reaching the sink, and the idle update of the command states.
inline void typeKeyToPaint(CZQApp& app, engine::PageView& page, QImage& image,
                           const QString& text = QStringLiteral("a"), int key = Qt::Key_A)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&page, &press);
    page.flushChanges();
    bench_pages::paintPending(page, image);
    page.document()->selection().flushChange();
    app.OnIdle();
}

} // namespace bench_program
