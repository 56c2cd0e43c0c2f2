#include "engine/view/EventDispatcher.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/EventObject.h"
#include "engine/view/EventSink.h"

namespace engine {

EventDispatcher::EventDispatcher(Document* doc, std::function<void()> onSelectionChange)
    : m_doc(doc), m_onSelectionChange(std::move(onSelectionChange))
{
    m_doc->addObserver(this);
    m_doc->selection().setChangeHandler([this] { selectionChanged(); });
}

EventDispatcher::~EventDispatcher()
{
    m_doc->selection().setChangeHandler({});
    m_doc->removeObserver(this);
}

int EventDispatcher::advise(EventSink* sink)
{
    if (!sink)
        return 0;
    m_sink = sink;
    m_cookie = m_nextCookie++;
    return m_cookie;
}

bool EventDispatcher::unadvise(int cookie)
{
    if (cookie == 0 || cookie != m_cookie)
        return false;
    m_sink = nullptr;
    m_cookie = 0;
    return true;
}

bool EventDispatcher::fire(int eventId, EventObject& event)
{
    event.type = eventId;
    if (!m_sink)
        return false;
    Ref<Document> keep(m_doc);
    Scope scope(*this, event);
    const bool cancelled = m_sink->invoke(eventId, event);
    return cancelled || (event.returnValue.isBool() && !event.returnValue.toBool());
}

void EventDispatcher::pageLoaded(Document* doc)
{
    EventObject event;
    event.srcElement = doc->body();
    fire(events::PageLoaded, event);
}

void EventDispatcher::selectionChanged()
{
    if (m_onSelectionChange)
        m_onSelectionChange();
    EventObject event;
    fire(events::SelectionChange, event);
}

} // namespace engine
