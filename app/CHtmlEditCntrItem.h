#pragma once

#include "engine/dom/Document.h"
#include "engine/dom/Ref.h"
#include "engine/view/EventSink.h"
#include "engine/view/PageView.h"

#include "platform/Hresult.h"

#include <QPointer>
#include <QString>

#include <memory>

class CHTMLEditHost;
class CZQDoc;
class CZQView;

namespace engine {
class Document;
class PageView;
class Variant;
} // namespace engine

// The page engine inside one page view: the engine's document and the widget
// that shows it, the page's load and save, the engine's command group, and the
// host services the engine asks of the program (the context menu, the
// accelerators and the edit host that snaps moved elements). The view makes
// one when it is first shown and keeps it for its life.
class CHtmlEditCntrItem : public engine::ViewHost
{
public:
    CHtmlEditCntrItem(CZQDoc* document, CZQView* view);
    ~CHtmlEditCntrItem() override;
    CHtmlEditCntrItem(const CHtmlEditCntrItem&) = delete;
    CHtmlEditCntrItem& operator=(const CHtmlEditCntrItem&) = delete;

    // Loads a page: addresses (file:, http:, https:, in any case) and paths as
    // the page's own file; an empty path gives an empty new page. A failure
    // leaves the page as it was and says why in *cause, in the user's words.
    // A page file of kBackgroundReadBytes or more is read on a worker thread
    // and comes in on the event loop after the call (Reading::AtOnce: before
    // it returns, for a page the program wrote itself and works on at once).
    // A shorter one is read at once: its parse keeps the window for a few
    // tens of milliseconds at the most, even of a page of deep nesting.
    static constexpr qint64 kBackgroundReadBytes = 128 * 1024;
    HRESULT LoadDocument(const QString& path, QString* cause = nullptr,
                         engine::Reading reading = engine::Reading::InBackground);
    // A new page from a template file: it has no file of its own, so its
    // first save asks for a name.
    HRESULT LoadNewDocument(const QString& templatePath, QString* cause = nullptr);
    // Writes the page to a file in its charset, whole or not at all (a failed
    // save leaves the old file whole, *cause says why); an empty path writes
    // to the page's file. Refused while the page is still being read.
    HRESULT SaveDocument(const QString& path, QString* cause = nullptr);

    // The engine's command group (the command gateway, see CZQView).
    quint32 QueryCommandStatus(int id) const;
    HRESULT ExecCommand(int id, const engine::Variant* in, engine::Variant* out, bool prompt);

    // The engine's document and the widget that shows it.
    engine::Document* GetHtmlDocument() const { return m_doc.get(); }
    engine::PageView* pageView() const { return m_pageView.data(); }
    // The page view the item is active in, and its document.
    CZQView* GetActiveView() const { return m_view; }
    CZQDoc* GetDocument() const { return m_document; }
    CHTMLEditHost* editHost() const { return m_pEditHost.get(); }

    // Whether the engine reports its page changed since the last load or save.
    bool IsModified() const;
    // Gives the keyboard to the page.
    void ActivateUI();

    // engine::ViewHost
    void showContextMenu(QPoint screenPoint, engine::Element* element) override;
    bool translateAccelerator(int keyCode, bool shift, bool ctrl, bool alt) override;

private:
    CZQDoc* m_document;
    CZQView* m_view;
    engine::Ref<engine::Document> m_doc;
    QPointer<engine::PageView> m_pageView;
    std::unique_ptr<CHTMLEditHost> m_pEditHost;
};
