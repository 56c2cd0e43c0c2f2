#pragma once

#include "engine/dom/DocumentObserver.h"
#include "engine/dom/Ref.h"

#include <functional>
#include <vector>

namespace engine {

class Document;
class EventSink;
struct EventObject;

// Connects one sink to a document and delivers its events synchronously.
// Keeps the window's event object of the events under way (they nest), and
// fires the page-loaded event after each load and onselectionchange after
// each real change of the selection.
class EventDispatcher : public DocumentObserver
{
public:
    // `onSelectionChange` runs at every change of the selection, before the
    // event goes to the sink (the view repaints its decorations there).
    explicit EventDispatcher(Document* doc, std::function<void()> onSelectionChange = {});
    ~EventDispatcher() override;
    EventDispatcher(const EventDispatcher&) = delete;
    EventDispatcher& operator=(const EventDispatcher&) = delete;

    // Connects the sink (a sink connected before is disconnected); returns
    // its cookie. After unadvise with that cookie nothing reaches the sink.
    int advise(EventSink* sink);
    bool unadvise(int cookie);
    EventSink* sink() const { return m_sink; }

    // Calls the sink; true when it cancelled the default action (by its
    // result or by setting returnValue to false).
    bool fire(int eventId, EventObject& event);

    // The event object of the innermost event under way; null between events.
    EventObject* current() const { return m_stack.empty() ? nullptr : m_stack.back(); }

    // Makes an event object current for a while (the edit host's callback
    // reads it too).
    class Scope
    {
    public:
        Scope(EventDispatcher& d, EventObject& e) : m_d(d) { m_d.m_stack.push_back(&e); }
        ~Scope() { m_d.m_stack.pop_back(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        EventDispatcher& m_d;
    };

    // DocumentObserver
    void pageLoaded(Document* doc) override;

private:
    void selectionChanged();

    Document* m_doc;
    EventSink* m_sink = nullptr;
    int m_cookie = 0;
    int m_nextCookie = 1;
    std::vector<EventObject*> m_stack;
    std::function<void()> m_onSelectionChange;
};

} // namespace engine
