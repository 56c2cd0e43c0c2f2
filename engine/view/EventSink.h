#pragma once

#include <QPoint>
#include <QRect>

namespace engine {

class Element;
struct EventObject;

// The program's receiver of a document's events. Called synchronously with
// the event's number and the window's event object; returning true cancels
// the engine's default action.
class EventSink
{
public:
    virtual ~EventSink() = default;
    virtual bool invoke(int eventId, EventObject& event) = 0;
};

// The program's say in moves and resizes of positioned elements: the
// proposed border box (client coordinates) of each step comes here and may
// be changed. Corner: 0 none (a move), 1 top, 2 left, 3 bottom, 4 right,
// 5 top-left, 6 top-right, 7 bottom-left, 8 bottom-right.
class EditHost
{
public:
    virtual ~EditHost() = default;
    virtual void snapRect(Element* element, QRect& rect, int corner) = 0;
};

// What the view asks the program before acting on its own.
class ViewHost
{
public:
    virtual ~ViewHost() = default;
    // A context menu is due at a screen point over an element (BODY when
    // none). The engine shows no menu of its own.
    virtual void showContextMenu(QPoint screenPoint, Element* element) = 0;
    // A key with Ctrl or Alt: true when the program handled it as an
    // accelerator (the engine then does nothing with it).
    virtual bool translateAccelerator(int keyCode, bool shift, bool ctrl, bool alt) = 0;
};

} // namespace engine
