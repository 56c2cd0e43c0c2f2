#pragma once

#include "engine/dom/LivePosition.h"
#include "engine/dom/Ref.h"
#include "engine/dom/Variant.h"

#include <QCursor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

class QMimeData;
class QObject;
class QPainter;

namespace engine {

class Document;
class EditHost;
class Element;
class EventDispatcher;
class PageView;
class ViewHost;
struct EventObject;

// The input of a page view: mouse, keys, input methods and drops at client
// coordinates, each delivered to the sink first and then given the default
// action of design mode unless the sink cancelled it or an element holds the
// mouse capture; and the cursor rule. Tests drive it directly.
class DesignModeInput
{
public:
    DesignModeInput(PageView& view, EventDispatcher& events);
    ~DesignModeInput();
    DesignModeInput(const DesignModeInput&) = delete;
    DesignModeInput& operator=(const DesignModeInput&) = delete;

    // --- design switches of the command group that steer the defaults
    bool multipleSelection() const;
    bool position2D() const;
    bool liveResize() const;
    bool overwrite() const;
    bool overrideCursor() const;

    void setEditHost(EditHost* host) { m_editHost = host; }
    EditHost* editHost() const { return m_editHost; }
    void setViewHost(ViewHost* host) { m_viewHost = host; }

    // --- capture: every mouse event goes to the document, without default
    // actions, until released.
    void setCapture(Element* element);
    void releaseCapture();
    Element* captureElement() const { return m_capture.get(); }
    // The capture ends without a release: the sink hears onlosecapture.
    void loseCapture();

    // --- mouse at client points. Buttons: 1 left, 2 right, 4 middle.
    void mouseDown(QPoint client, int button, Qt::KeyboardModifiers mods);
    // The second press of a double click.
    void doubleClick(QPoint client, int button, Qt::KeyboardModifiers mods);
    void mouseMove(QPoint client, int buttons, Qt::KeyboardModifiers mods);
    void mouseUp(QPoint client, int button, Qt::KeyboardModifiers mods);
    void contextMenu(QPoint client, QPoint screen);

    // --- keys (Qt key codes; `text` is what the key types)
    void keyDown(int qtKey, Qt::KeyboardModifiers mods, const QString& text = QString());
    void keyUp(int qtKey, Qt::KeyboardModifiers mods);

    // --- input methods: one composition step (the text being composed and
    // the text it commits). Shown at the caret while pending.
    void composition(const QString& preedit, const QString& commit);
    bool compositionPending() const { return !m_preedit.isEmpty(); }
    QString compositionText() const { return m_preedit; }
    void paintComposition(QPainter& painter, const QRect& caretPageRect) const;

    // --- drag and drop onto the page; never refused in design mode.
    bool dragEnter(QPoint client, const QMimeData* data);
    bool dragOver(QPoint client, const QMimeData* data);
    void dragLeave();
    // Inserts the dropped HTML, text or image file at the point and selects
    // it, unless the sink cancels ondrop. True when something was inserted.
    bool drop(QPoint client, const QMimeData* data);

    // --- cursor: the program's, else (unless override cursor is on) the
    // engine's rule at the last mouse point.
    void setProgramCursor(const QCursor& cursor);
    QCursor currentCursor() const { return m_cursor; }
    // The engine's cursor at a client point.
    Qt::CursorShape cursorAt(QPoint client);

private:
    enum class Drag { None, Pending, TextSelect, Move, Resize };
    struct Moved
    {
        Ref<Element> element;
        QRect start; // border box in client coordinates at the start
    };

    Document* doc() const;
    bool editing() const;
    EventObject mouseEvent(QPoint client, int button, Qt::KeyboardModifiers mods, Element* src) const;
    Element* elementAt(QPoint client) const;
    void pressDefault(QPoint client, Element* hit, Qt::KeyboardModifiers mods, EventObject& event);
    // `block`, when given, bounds where the caret may go: the flow block the
    // press fell in (the BODY for the bare page: then only text loose in it).
    bool placeCaretAt(QPoint client, Element* container, Element* src, Element* block = nullptr);
    Element* flowBlockOf(Node* node) const;
    bool controlSelect(Element* el, bool add, QPoint client, Qt::KeyboardModifiers mods);
    void startMove(QPoint client);
    void stepMove(QPoint client, EventObject& event);
    void stepResize(QPoint client, EventObject& event);
    void stepTextSelect(QPoint client, EventObject& event);
    void endDrag();
    void updateHover(QPoint client, Qt::KeyboardModifiers mods);
    void updateCursor(QPoint client);
    // After an event: the selection change it made is told, and the
    // selection's decorations (handles, caret, frames) are painted again.
    enum class Repaint { Decorations, IfSelectionChanged };
    void finishEvent(Repaint repaint = Repaint::Decorations);
    // The handle of a control-selected element under a point: the element
    // and the corner code (5 top-left .. 8 bottom-right, 1 top .. 4 right).
    Element* handleAt(QPoint client, int* corner) const;
    Element* selectedMemberAt(QPoint client, Element* hit) const;
    // Whether the caret or the text selection lies in the element.
    bool holdsCaret(const Element* element) const;
    QRect clientRect(Element* el) const;
    void writeRect(Element* el, const QRect& client, bool moveOnly);

    // Caret keys.
    void moveCaret(int qtKey, bool extend, bool ctrl);
    // The absolutely positioned element whose lines hold a place; null in the
    // page's flow.
    Element* positionedLayer(Node* node);
    bool selectAll();
    bool caretText(LivePosition& pos, bool toEnd, Node*& node, int& offset) const;

    PageView& m_view;
    EventDispatcher& m_events;
    EditHost* m_editHost = nullptr;
    ViewHost* m_viewHost = nullptr;
    Ref<Element> m_capture;
    // Watches the application while the capture lasts: a modal window or a
    // popup taking the mouse, the view's window losing the activation.
    std::unique_ptr<QObject> m_captureWatch;
    Ref<Element> m_hover;
    QCursor m_cursor;
    bool m_programCursor = false;

    Drag m_drag = Drag::None;
    QPoint m_pressPoint;
    int m_pressButton = 0;
    bool m_secondPress = false;
    bool m_moveStarted = false;
    bool m_undoOpen = false;
    std::vector<Moved> m_moved;
    int m_corner = 0;
    Ref<Element> m_pressElement;
    LivePosition m_anchor, m_focus;
    int m_goalX = -1;
    QString m_preedit;
};

} // namespace engine
