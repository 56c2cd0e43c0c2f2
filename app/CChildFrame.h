#pragma once

#include "frames/FrameSetHost.h"
#include "frames/FrameSplitter.h"

#include "platform/CommandTarget.h"
#include "platform/FileFault.h"

#include <QList>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

class CZQDoc;
class CZQView;
class QMainWindow;
class QPainter;
class QRubberBand;
class QStackedWidget;
class ULOToolBar;
class VornaChildFrmTabCtrl;
class VornaFrameSet;
class VornaSourceEditView;
class Vorna_Preview;

// The MDI child window of one page. It shows one of three views of the page
// at a time: the editing view (the page view, or the panes of a frameset
// page), the browser preview and the HTML source, switched through a
// temporary file in the page's folder ("VornaPreview~.html", one more per
// frame of a frameset page). While it is the active page window it carries
// the main frame's editing toolbars and its browser toolbar, docked inside
// it as every page window has them. Its caption is the page's title in
// double quotes, a hyphen and its name.
class CChildFrame : public QMdiSubWindow, public platform::CommandTarget, public FrameSetHost
{
    Q_OBJECT
public:
    explicit CChildFrame(CZQDoc* document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    // The page view that was made active last (a frameset page's active
    // pane), else the page view; in every mode.
    CZQView* GetActiveView() const;
    CZQDoc* GetDocument() const { return m_document; }
    // Whether the frame holds a frameset page.
    bool HasFrameset() const { return m_frameTree.root != nullptr; }
    // The names of the frameset's frames in order (empty for a plain page).
    QStringList FrameNames() const { return m_frameNames; }
    // The view of the frameset page itself, or null for a plain page.
    CZQView* GetFramesetView() const;
    Vorna_Preview* GetPreviewView() const { return m_pPreviewView; }
    VornaSourceEditView* GetSourceView() const { return m_pSourceView; }
    // The view shown now: the editing area, the preview or the source view.
    QWidget* GetShownView() const;
    // The targets a command of the page takes, in order: the shown view (the
    // page view while editing), the document, this frame.
    QList<platform::CommandTarget*> CommandRoute();
    // The window the page's toolbars dock in.
    QMainWindow* innerWindow() const { return m_inner; }
    VornaChildFrmTabCtrl* tabStrip() const { return m_tabStrip.get(); }

    // FrameSetHost
    FrameTree& frameTree() override { return m_frameTree; }
    void activatePane(FramePane* pane) override;
    void setCaption(const QString& text) override;
    bool isFramesetModified() const override;
    void setFramesetModified() override;
    void clearFramesetModified() override;
    QString framesetCharset() const override;
    void setFramesetCharset(const QString& charset) override;
    void setFramesetText(const QString& text) override;
    FramePane* activePane() override;
    FramePane* createPane(const platform::Rect& rect, const QString& title) override;
    FramePane* createFramesetPane(const platform::Rect& rect, const QString& title) override;
    void removePane(FramePane* pane) override;
    void setClosingFrame(bool closing) override;

    // --- caption, activation and closing (CChildFrame.cpp)
    // Composes the caption from the given name: "title" - name (a frameset
    // page: the active frame's name). Nothing without a page view.
    void OnSetText(const QString& text);
    // The caption again, after the title or the name changed.
    void UpdateCaption();
    // The main window's title follows the caption while this page is the
    // active one.
    void ShowCaptionInMainWindow();
    // The window was maximised, minimised or restored.
    void OnWindowStateChanged();
    // The frame's caption, or the document's name in caption form when that
    // does not end in an HTML file name.
    QString GetTitleText() const;
    // The frame was activated (or deactivated) among the page windows.
    void OnMDIActivate(bool activate, bool otherActivated);
    // Shows the frame maximised when the main frame asks for it (the page
    // closed last was maximised), else as it is.
    void ActivateFrame();
    // Closes the page window as the user closes it.
    void CloseFrame();
    // A view tab: 1000 editing, 1001 source, 1002 preview. 1 when it switched.
    int OnViewTabClicked(int code);
    // Window > image browser.
    void OnImageBrowser();

    // --- the modes (CChildFrameModes.cpp); the folder has no trailing "/"
    bool ShowPreviewFromEdit(const QString& folder);
    bool ShowSourceFromEdit(const QString& folder);
    bool ShowEditViewFromPreview();
    bool ShowEditViewFromSource();
    // Source to preview, in the folder of the source mode (through editing).
    bool ShowPreviewFromSource();
    bool ShowSourceFromPreview(const QString& folder);
    // Leaves the source or the preview for the editing view, the source text
    // going into the page first; nothing in editing mode.
    void LeaveToEditMode();
    // Writes the view's page (the active page view's when none is given) to
    // the path; the preview's page has its "browser" effect calls commented
    // out. False when the file could not be written.
    bool WritePageToTempFile(const QString& path, CZQView* view);
    // Writes the page of each FRAME of the subtree and of the node's
    // following siblings to "VornaPreview~<n>.html", counting n.
    bool WriteFramePagesToTemp(VornaFrameSet* node, const QString& folder, int& counter);
    // Writes the text, in the charset (empty: the one its META names); the
    // file would be hidden where files have such a mark.
    bool WriteHiddenTextFile(const QString& path, QString& text, const QString& charset = QString());
    // Tells the user that a temporary page could not be written, and why.
    void ReportTempFileFailure(const QString& path);
    // Shows or hides the pane of every FRAME of the subtree and its following siblings.
    void ShowFrameViews(VornaFrameSet* node, bool show);
    // The common end of the switches: the new view is shown, the bars of its
    // kind with it.
    void SwapActiveViews(QWidget* newView, QWidget* oldView);
    // Hides the bars of the old view's kind (remembering which were shown)
    // and shows those of the new view's kind.
    void ShowBarsForView(QWidget* newView, QWidget* oldView);
    // Makes the view the frame's active one (the focus goes to it).
    void SetActiveView(QWidget* view, bool notify);

    // --- the panes of a frameset page (CChildFrameFrames.cpp)
    // Makes the view the frame's frameset view: the frameset page's own view,
    // hidden and disabled while the frame pages show in panes.
    void SetFramesetView(CZQView* view);
    // Builds the frame tree and a pane with its own page for every FRAME of
    // the frameset view's page; does nothing without a frameset view or when
    // the panes stand already.
    void LoadFrameset();
    // A page view for the document, a child of the editing area at the
    // rectangle, shown.
    CZQView* CreatePaneView(CZQDoc* document, const platform::Rect& rect);
    // The mouse and focus handling of panes over the editing area, once a
    // frame tree stands.
    void AttachPanes();
    // The names of the frame pages again, after the tree changed.
    void RefreshFrameNames();
    // Lays the panes out over the editing area by their entries.
    void LayoutPanes();
    // The editing area's painting with a frame tree: the gaps, the border and
    // the red outline of the current pane.
    void OnPaint(QPainter& painter);
    void PaintFrameGaps(QPainter& painter, VornaFrameSet* node);
    // The splitter drag and the resize cursors between panes (editing-area
    // coordinates). Nothing without a frame tree.
    void OnLButtonDown(const QPoint& point);
    void OnMouseMove(const QPoint& point);
    void OnLButtonUp(const QPoint& point);
    // The close question of a frameset page: each frame page, then the
    // frameset page itself. False when the user cancelled.
    bool SaveFramesetOnClose();
    // The frame pages close and the frame holds no frameset any more.
    void ForgetFrameset();
    // The editing area's rectangle the panes share.
    platform::Rect m_rcPaneArea;

    // --- the page's bars (CChildFrameBars.cpp)
    // Moves a bar into this frame (at its default place) or back into the
    // main frame, hidden.
    void MoveBarToFrame(ULOToolBar* bar, bool intoFrame);
    // Whether a saved dock state names bars and every bar it names docked is here.
    bool IsDockStateValid(const QByteArray& state) const;
    // The dock layout of the bars in this frame, as the main frame keeps it.
    QByteArray SaveDockState() const;

    // The temporary page of a folder ("VornaPreview~.html"), or of the n-th frame.
    static QString TempPagePath(const QString& folder, int frame = 0);
    // The page that takes the place of source text without HTML or BODY.
    static QString DefaultPageText();
    // The text the source view holds as it goes into the page: the default
    // page for an empty buffer, text without HTML or BODY inside its BODY.
    QString SourceTextForPage() const;

    // Which of the three views of the page is shown.
    bool m_bEditShown = true;
    bool m_bPreviewShown = false;
    bool m_bSourceShown = false;
    // Set while a switch from source to preview runs the preview command.
    bool m_bSourceToPreview = false;
    // A close of this frame is in progress.
    bool m_bClosing = false;
    // The display names of the frame pages, in tree order (m_pFrameNames).
    QStringList m_frameNames;
    // The page view editing comes back to.
    QPointer<CZQView> m_pEditView;
    // The folder of the temporary files of the preview or source mode.
    QString m_strTempFolder;
    // The per-frame pages the last preview of a frameset page wrote.
    int& m_nTempFramePages;

    // The painters of the editing view again (grid or page-size guide, and
    // element borders), after something took them off the page.
    void RestoreEditingPainters();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window follows its document: it closes with it, and its caption
    // follows the document's title and name.
    void ConnectDocument();
    // The frameset document of a first split becomes the window's document.
    void AdoptDocument(CZQDoc* document);
    // The bars a page window carries: format, table, arrange, align, image, browser.
    QList<ULOToolBar*> PageBars() const;
    // The editing-only windows (the image browser) go while the page is not edited.
    void HideEditingOnlyWindows();
    void RestoreEditingOnlyWindows();
    // The preview hidden and reset to the new-page template.
    void ResetPreview();
    // Removes the per-frame pages and the main temporary page.
    void RemoveFramePages();
    void UpdateTabStrip();
    // Brings the page's bars back to the main frame, when they are here.
    void ReleaseBars();
    // Keeps the window's show state for the next page window.
    void RememberShowState();

    CZQDoc* m_document;
    QWidget* m_container = nullptr;
    std::unique_ptr<VornaChildFrmTabCtrl> m_tabStrip;
    QMainWindow* m_inner = nullptr;
    QStackedWidget* m_stack = nullptr;
    QWidget* m_editArea = nullptr;
    // The page's view; a frameset page's hidden own view.
    QPointer<CZQView> m_view;
    Vorna_Preview* m_pPreviewView = nullptr;
    VornaSourceEditView* m_pSourceView = nullptr;
    QPointer<CZQView> m_activePane;
    FrameTree m_frameTree;
    // The splitter being dragged, and its bar.
    FrameSplitterDrag m_splitterDrag;
    QRubberBand* m_dragBar = nullptr;
    // The context of the connections to the panes and the focus: it goes
    // with this frame's own members, before the windows inside it.
    std::unique_ptr<QObject> m_paneWatch = std::make_unique<QObject>();
    bool m_bBarsHere = false;
    // Why the last temporary page could not be written.
    platform::FileFault m_tempFault = platform::FileFault::None;
};
