#pragma once

#include "frames/FramePane.h"

#include "platform/ColorRef.h"
#include "platform/CommandTarget.h"
#include "platform/Hresult.h"

#include <QFont>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class CChildFrame;
class CHTMLPainterElemBorders;
class CHTMLPainterGrid;
class CHTMLPainterImageMap;
class CHtmlEditCntrItem;
class CImpIDispatch;
class CZQDoc;
class QInputMethodQueryEvent;

namespace engine {
class Document;
class Element;
class PageView;
class Variant;
} // namespace engine

// The view of one open page. When it is first shown (or first needed) it makes
// the container item that holds the page engine, loads the page into it,
// connects the page's event sink and switches the engine into design mode with
// absolute positioning and live resizing. Every engine command of the program
// passes through its gateway (ExecCommand). It keeps the selection-kind mask
// and the other state the event sink and the commands share for the page.
class CZQView : public QWidget, public platform::CommandTarget, public FramePane
{
    Q_OBJECT
public:
    explicit CZQView(CZQDoc* document, QWidget* parent = nullptr);
    ~CZQView() override;

    CZQDoc* GetDocument() const { return m_document; }
    // The child frame that holds the view, or null.
    CChildFrame* GetParentFrame() const;
    // Whether the child frame shows the editing view; false without one.
    bool IsEditMode() const;

    // --- the engine
    // Makes the engine and loads the page once: the page's file, else its
    // source path, else the page template. Later calls do nothing.
    void EnsureEngine();
    // Makes the item and the sink and loads the page (the path, else the
    // source path or the template). True even when the load failed: the user
    // was told and the view shows an empty page.
    bool CreateEngine(const QString& path);
    // Connects the sink to the page's events.
    void ConnectEvents();
    // Design mode and live resizing (engine commands 2127 and 2398).
    void SetEditMode();
    CHtmlEditCntrItem* GetItem() const { return m_pItem.get(); }
    CImpIDispatch* GetSink() const { return m_pSink.get(); }
    engine::PageView* GetPageView() const;
    // The engine's document of the page; null before the engine exists.
    engine::Document* GetHtmlDocument() const;
    // Reads the page's file again into the live page (a change made outside
    // the program); false, with a message, when it cannot be read.
    bool ReloadPage();
    // A page whose content comes from another folder loses its links and
    // image maps once per load (when it has loaded, or at its save at the
    // latest); links made afterwards stay.
    void StripImportedLinks();

    // --- the command gateway
    // Runs an engine command; the engine's result, or -1 when the view has
    // no engine (nothing ran).
    HRESULT ExecCommand(int id, const engine::Variant* in = nullptr, engine::Variant* out = nullptr,
                        bool prompt = false);
    // OLECMDF bits of an engine command (1 supported, 2 enabled, 4 latched);
    // 0 without a document or an engine.
    quint32 QueryCommandStatus(int engineCommand) const;
    void OnEditCopy();
    void OnEditCut();
    void OnEditDelete();

    // Appends a new element of the tag to BODY and replaces it by the HTML, as
    // one undo unit; only in the editing view. Hands back the new element when
    // asked. False when nothing was appended.
    bool AppendElementToBody(const QString& tag, const QString& outerHtml, engine::Element** element = nullptr);
    void SetDocumentTitle(const QString& title);
    QString GetDocumentTitle() const;
    // Gives the keyboard back to the page (after a dialog).
    void ActivateItemUI();
    // The context menu of the page for an element's tag at a screen point
    // (PageContextMenu.cpp).
    void ShowContextMenu(const QString& tag, int x, int y);
    // The face and size an input method composes in while typing over text.
    QFont CompositionFont() const;
    // The view was activated or deactivated among the page views.
    void OnActivateView(bool activate, CZQView* activated, CZQView* deactivated);
    // The engine's additions leave the page before the view goes.
    void OnDestroy();

    // --- FramePane
    bool hasDocument() const override;
    QString documentPath() const override;
    QString loadSource() const override;
    QString displayName() const override;
    bool isModified() const override;
    bool saveModified() override;
    bool saveDocument(const QString& path) override;
    bool fileSave() override;
    bool fileSaveAs() override;
    QString pageTitle() const override;
    void setPageTitle(const QString& title) override;
    void setDocumentTitle(const QString& title) override;
    void setDocumentPath(const QString& path) override;
    void setLoadSource(const QString& path) override;
    void setTargetFile(const QString& path) override;
    void reloadPage() override;
    bool savePageCopyAs(const QString& path) override;
    void moveWindow(const platform::Rect& rect) override;
    platform::Rect screenRect() const override;
    platform::Rect windowRect() const override;
    void writeBodyAttributes(const QString& background, const QString& bgColor, const QString& text,
                             const QString& link, const QString& aLink, const QString& vLink) override;
    void collectPageLinks(const QString& oldName, const QString& newName, int mode) override;
    void collectScriptFiles(bool mode) override;

    // --- state of the page
    bool m_bEngineCreated = false;
    // The page-load completion ran for the page now in the engine.
    bool m_bLoadCompleted = false;
    bool m_bDesignMode = true;
    bool m_bLiveResize = true;
    // The highest and lowest z-index in use on the page.
    int m_nMaxZIndex = 100;
    int m_nMinZIndex = 100;
    // The selection-kind mask the event sink rewrites, and the one before.
    quint32 m_dwSelKind = 0;
    quint32 m_dwPrevSelKind = 0;
    // The page's background and text colours, as its BODY sets them (white
    // and black when it does not): read when the caret comes to the page.
    platform::ColorRef m_crPageBgColor = platform::rgb(255, 255, 255);
    platform::ColorRef m_crPageTextColor = platform::rgb(0, 0, 0);
    // The format state of the selection, and the one before.
    quint32 m_nFormatState = 0;
    quint32 m_nLastFormatState = 0;
    // The grid painter of the page and the cookie of its attachment to BODY (0: none).
    std::shared_ptr<CHTMLPainterGrid> m_pGridPainter;
    int m_lGridCookie = 0;
    // The page's object outlines: shown when the view is made.
    bool m_bObjectBorders = true;
    std::shared_ptr<CHTMLPainterElemBorders> m_pElemBordersPainter;
    int m_lElemBordersCookie = 0;
    // The page's file comes from another folder than the one it belongs to.
    bool m_bImportedPage = false;
    // The page is to receive the open web's stored BODY attributes when loaded.
    bool m_bApplyBodyAttributes = false;
    // Links to a file of the web renamed before the page had loaded, rewritten
    // when it has: by the old name's ending, or (with `oldPath`) those leading
    // to that file. Nothing waits while the old name is empty.
    struct PendingLinkRename
    {
        QString oldName;
        QString newName;
        QString oldPath;
        int mode = 0;
    };
    PendingLinkRename m_pendingLinkRename;
    // Image-map editing of the event sink: the shape of the selected area or
    // of the drawing tool, the selected area's id ("none" for each when there
    // is none), the mouse point of a polygon being drawn (image coordinates)
    // and the numbers of the area being drawn or edited.
    QString m_strAreaShape = QStringLiteral("none");
    QString m_strSelectedAreaId = QStringLiteral("none");
    QPoint m_ptPolyRubber;
    std::vector<int> m_areaWorkCoords;
    // One painter per area of the image map being edited, in reading order,
    // then the painter of the area being drawn; all attached to its IMG.
    std::vector<std::shared_ptr<CHTMLPainterImageMap>> m_areaPainters;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddCommandHandlers();
    // The path the engine loads for the document: its file, else its source.
    QString LoadAddress(const QString& path, bool* asNewPage) const;
    void ReportLoadFailure(const QString& name, const QString& cause);
    // Tells once, from the event loop, that part of the page is nested too
    // deep to be shown (it is kept and saved).
    void ReportDeepContent();
    void LayoutFrameset(QSize size);
    // Answers the input method in overwrite mode; false leaves it to the page.
    bool AnswerInputMethodQuery(QInputMethodQueryEvent* query);

    CZQDoc* m_document;
    std::unique_ptr<CHtmlEditCntrItem> m_pItem;
    std::unique_ptr<CImpIDispatch> m_pSink;
    int m_dwAdviseCookie = 0;
    // The imported page's links were taken off since the last load.
    bool m_bImportStripped = false;
    QMetaObject::Connection m_loadFailed;
    bool m_bDeepContentReported = false;
    bool m_bDestroyed = false;
};
