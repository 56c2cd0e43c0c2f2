#pragma once

#include "engine/dom/LayoutServices.h"
#include "engine/dom/Ref.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/TextGeometry.h"
#include "engine/view/ElementPainter.h"

#include <QAbstractScrollArea>

#include <optional>
#include <QImage>

#include <map>
#include <unordered_map>
#include <memory>

namespace engine {

class DesignModeInput;
class Document;
class EditHost;
class Element;
class EventDispatcher;
class EventSink;
class Node;
class ViewHost;
struct EventObject;

// The widget that shows one document: scrolling, zoom ("25%" to "200%"),
// lazy relayout, painting of the viewport and the dirty areas only, and in
// design mode the decorations of editing: dotted zero borders, the text
// selection, the caret, the handles of control-selected elements and the
// element painters. Works headless too: resize it and render to an image.
//
// Coordinates: view = widget pixels; client = view / zoom (the page's units
// before scrolling); page = client + scroll position.
class PageView : public QAbstractScrollArea, private LayoutServices
{
    Q_OBJECT
public:
    explicit PageView(Document* doc, QWidget* parent = nullptr);
    ~PageView() override;

    Document* document() const { return m_doc.get(); }
    DocumentLayout& layout() { return *m_layout; }

    // Percent, clamped to 25..200.
    void setZoom(int percent);
    int zoom() const { return m_zoom; }

    // Display switches of design mode (kept across reloads). The view
    // paints from the document's command group, so the switches set through
    // its commands (2249, 2327, 2328, 2336) and these setters are one state.
    void setDesignMode(bool on);
    bool designMode() const { return m_designMode; }
    void setShowZeroBorders(bool on);
    bool showZeroBorders() const;
    void setShowSpecialCharacters(bool on);
    bool showSpecialCharacters() const;
    void setShowAllTags(bool on);
    bool showAllTags() const;
    void setEmptyGlyphTable(bool on);
    bool emptyGlyphTable() const;
    // A hidden caret stays hidden until the caret is placed again: by a
    // press, a key, a caret move or a selection set through the API.
    void setCaretVisible(bool visible);
    bool caretVisible() const { return m_caretVisible; }

    // Element painters. A cookie is unique in the document and never reused;
    // removing with a stale or foreign cookie returns false. Attaching,
    // removing and invalidating repaint and never lay out.
    int addBehavior(Element* element, std::shared_ptr<ElementPainter> painter);
    bool removeBehavior(Element* element, int cookie);
    // Repaints the painter's area (its element's box, or a part of it in the
    // painter's bounds coordinates).
    void invalidateBehavior(int cookie, const QRect& rect = QRect());

    // Scrolling in page coordinates, clamped to the canvas extent.
    void scrollToPage(QPoint pos);
    QPoint scrollPosition() const;
    void scrollBy(int dx, int dy) { scrollToPage(scrollPosition() + QPoint(dx, dy)); }
    // Scrolls the least so that a page rectangle comes into view.
    void scrollIntoView(const QRect& pageRect);
    // Scrolls to the bottom of the page, at `x`. A page still being laid
    // out in the background has no bottom yet: the view goes on to the
    // bottom of what is laid out as the layout proceeds, and to the page's
    // own once it is laid out whole, unless it is scrolled otherwise first.
    void scrollToBottom(int x);

    QPoint viewToClient(QPoint view) const;
    QPoint clientToView(QPoint client) const;
    QRect clientToView(const QRect& client) const;

    // Headless use (tests, printing, thumbnails): a view of this size that
    // is never shown on screen, without scroll bars, laid out whole at once.
    void setHeadless(QSize size);

    // Renders what the view shows now (lays out first), at the widget's size.
    QImage renderToImage();
    // Paints the part of the page inside a client rectangle on a painter
    // whose origin is the client area's (no zoom applied here).
    void paintClient(QPainter& painter, const QRect& clientRect);

    // Paints a region of the view (view coordinates) as a paint event does:
    // near rectangles are painted together, each pass walks the page once.
    void paintViewRegion(QPainter& painter, const QRegion& region);

    // Brings layout, scroll bars and pending repaints up to date now
    // (otherwise done from the event loop).
    void flushChanges();
    // The view area waiting to be repainted (tests and benchmarks).
    QRegion pendingRepaint() const { return m_pending; }
    void clearPendingRepaint() { m_pending = QRegion(); }

    // The caret of a collapsed selection, in client coordinates; null when
    // there is none or it has no box.
    QRect caretLocation();
    // Places the caret (a collapsed selection) at a display pointer's place
    // and scrolls it into view.
    bool moveCaretTo(const class DisplayPointer& pointer);
    // Places a markup pointer at the caret (the end of a text selection);
    // false when there is none (a control selection or no selection).
    bool moveMarkupPointerToCaret(class MarkupPointer& pointer);

    // Repaints the selection decorations (after the selection or caret moved).
    void selectionChanged();

    // Size of the selection handles and the ring around them.
    static constexpr int kHandleSize = 7;
    // The handles around a control-selected border box: top-left, top,
    // top-right, left, right, bottom-left, bottom, bottom-right.
    static std::vector<QRect> handleRects(const QRect& borderBox);
    // The caret's box in page coordinates; null when there is no caret.
    QRect caretPageRect();
    TextGeometry& textGeometry() { return *m_text; }

    // --- events: the program's sink, the event under way, input
    int advise(EventSink* sink);
    bool unadvise(int cookie);
    // The window's event object during an event (null between events).
    EventObject* windowEvent() const;
    EventDispatcher& events() { return *m_events; }
    DesignModeInput& input() { return *m_input; }
    void setEditHost(EditHost* host);
    void setViewHost(ViewHost* host);
    void setCapture(Element* element);
    void releaseCapture();
    // The program's cursor (kept while override cursor is on) and the one shown.
    void setPageCursor(const QCursor& cursor);
    QCursor pageCursor() const;

    // The absolutely positioned element that holds the caret or the text
    // selection in design mode (a text box being typed in, a MARQUEE): it
    // wears a grab frame of kHandleSize pixels outside its border box, where
    // hit testing gives that element and the cursor is the move cursor.
    Element* grabFrameElement();
    // That element when a client point lies on its frame, or a
    // control-selected element when the point lies on the ring of its
    // handles; else null. Hit testing gives these elements there.
    Element* grabFrameAt(QPoint client);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Behavior
    {
        Ref<Element> element;
        std::shared_ptr<ElementPainter> painter;
    };
    // LayoutServices: what the document's DOM asks of its view.
    Element* elementAtClientPoint(QPoint client) override;
    bool moveRangeToPoint(TextRange& range, QPoint client) override;
    std::vector<QRect> rangeClientRects(const TextRange& range) override;
    QRect rangeBoundingClientRect(const TextRange& range) override;
    void scrollRangeIntoView(const TextRange& range) override;
    QRect offsetRect(Element* element) override;

    void scheduleFlush();
    void updateViewportSize();
    void updateScrollBars();
    void repaintClient(const QRect& client);
    void repaintAll();
    void paintBehaviorsBelow(QPainter& p, int nodeId, const QRect& pageBox, const QRect& pageUpdate);
    void paintBehaviors(QPainter& p, const QRect& pageUpdate, bool belowPassLeftovers);
    void paintDecorations(QPainter& p, const QRect& pageUpdate);
    QRect behaviorBounds(Element* element);
    void unindexBehavior(const Element* element, int cookie);

    Ref<Document> m_doc;
    std::unique_ptr<DocumentLayout> m_layout;
    std::unique_ptr<TextGeometry> m_text;
    int m_zoom = 100;
    bool m_designMode = true;
    bool m_caretVisible = true;
    bool m_flushQueued = false;
    bool m_syncingScroll = false;
    // Where the view follows the bottom of a page laid out in the
    // background (see scrollToBottom).
    std::optional<int> m_bottomAt;
    std::map<int, Behavior> m_behaviors;
    // The cookies of each element's painters, in the order they were attached.
    std::unordered_map<const Node*, std::vector<int>> m_behaviorsByNode;
    int m_nextCookie = 1;
    QRegion m_pending;
    QRect m_currentUpdate; // page area being painted
    std::unique_ptr<EventDispatcher> m_events;
    std::unique_ptr<DesignModeInput> m_input;
};

} // namespace engine
