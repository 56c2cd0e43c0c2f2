#include "chrome/CSubclassWnd.h"
#include "chrome/CSubclassWndMap.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

#include <vector>

class SubclassDispatcher;

namespace {

// The event a dispatcher is running through a chain: the record CallNextProc
// reads. Nested sends push their own, so a hook that sends events while it
// handles one still finds its own afterwards.
struct CurrentEvent
{
    QObject* window = nullptr;
    QEvent* event = nullptr;
    SubclassDispatcher* dispatcher = nullptr;
    QPointer<QObject> alive;
    bool delivered = false;
    bool result = false;
};

thread_local std::vector<CurrentEvent*> t_currentEvents;
// Set while the hooks of a destroyed widget let go: nobody may touch it then.
thread_local bool t_windowGone = false;

// Events that QApplication hands on to the parents while nobody accepts them.
bool propagatesToParents(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::ToolTip:
    case QEvent::StatusTip:
    case QEvent::WhatsThis:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

} // namespace

// The event filter that the first hook of a widget puts on it.
class SubclassDispatcher : public QObject
{
public:
    explicit SubclassDispatcher(QObject* window) : m_window(window)
    {
        connect(window, &QObject::destroyed, this, [this](QObject* gone) {
            // No hook sees the widget after this: all of them let go.
            t_windowGone = true;
            CSubclassWndMap::GetHookMap().RemoveAll(gone);
            t_windowGone = false;
        });
        window->installEventFilter(this);
    }

    // The chain is empty: the widget gets its events directly again.
    void release()
    {
        if (m_window)
            m_window->removeEventFilter(this);
        disconnect();
        m_window = nullptr;
        if (m_depth > 0)
            m_orphaned = true;
        else
            delete this;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window || m_passing.contains(event))
            return false;
        CSubclassWnd* newest = CSubclassWndMap::GetHookMap().Lookup(m_window);
        if (!newest)
            return false;
        CurrentEvent current{m_window, event, this, m_window};
        t_currentEvents.push_back(&current);
        ++m_depth;
        const bool swallowed = newest->WindowProc(event);
        --m_depth;
        t_currentEvents.pop_back();
        if (m_orphaned && m_depth == 0)
            deleteLater();
        // A widget destroyed meanwhile has nothing left to deliver to; one
        // that had the event through CallNextProc must not get it twice.
        if (!current.alive || current.delivered)
            return true;
        return swallowed;
    }

    // Hands the event to the widget past this filter (also after the last
    // hook let go while the event was on its way).
    bool deliver(QObject* window, QEvent* event)
    {
        m_passing.append(event);
        const bool handled = QCoreApplication::sendEvent(window, event);
        m_passing.removeOne(event);
        // The parents had it already if the widget left it: the send that
        // brought it here must not hand it to them again.
        if (propagatesToParents(event->type()))
            event->accept();
        return handled;
    }

private:
    QObject* m_window;
    QList<QEvent*> m_passing;
    int m_depth = 0;
    bool m_orphaned = false;
};

CSubclassWndMap& CSubclassWndMap::GetHookMap()
{
    static CSubclassWndMap map;
    return map;
}

void CSubclassWndMap::Add(QObject* window, CSubclassWnd* hook)
{
    Entry& entry = m_entries[window];
    hook->m_next = entry.newest;
    entry.newest = hook;
    if (!entry.dispatcher)
        entry.dispatcher = new SubclassDispatcher(window);
}

void CSubclassWndMap::Remove(CSubclassWnd* hook)
{
    const auto it = m_entries.find(hook->m_window);
    if (it == m_entries.end())
        return;
    Entry& entry = it.value();
    if (entry.newest == hook) {
        entry.newest = hook->m_next;
        if (!entry.newest) {
            SubclassDispatcher* dispatcher = entry.dispatcher;
            m_entries.erase(it);
            dispatcher->release();
        }
        return;
    }
    for (CSubclassWnd* walk = entry.newest; walk; walk = walk->m_next) {
        if (walk->m_next == hook) {
            walk->m_next = hook->m_next;
            return;
        }
    }
}

void CSubclassWndMap::RemoveAll(QObject* window)
{
    while (CSubclassWnd* hook = Lookup(window))
        hook->Attach(nullptr);
}

CSubclassWnd* CSubclassWndMap::Lookup(QObject* window) const
{
    const auto it = m_entries.constFind(window);
    return it == m_entries.constEnd() ? nullptr : it->newest;
}

CSubclassWnd::CSubclassWnd() = default;

CSubclassWnd::~CSubclassWnd()
{
    Attach(nullptr);
}

bool CSubclassWnd::Attach(QObject* window)
{
    if (m_window && window) {
        // Attached elsewhere: let go there first.
        Attach(nullptr);
    }
    if (window) {
        m_window = window;
        CSubclassWndMap::GetHookMap().Add(window, this);
        OnAttachChanged(nullptr, window);
        return true;
    }
    if (QObject* previous = m_window) {
        CSubclassWndMap::GetHookMap().Remove(this);
        m_window = nullptr;
        if (!t_windowGone)
            OnAttachChanged(previous, nullptr);
    }
    return true;
}

void CSubclassWnd::OnAttachChanged(QObject*, QObject*) {}

bool CSubclassWnd::WindowProc(QEvent* event)
{
    if (CSubclassWnd* next = m_next)
        return next->WindowProc(event);
    return false;
}

bool CSubclassWnd::CallNextProc()
{
    // The innermost event on this hook's widget; a hook that let go while
    // handling one still passes that one on.
    CurrentEvent* found = nullptr;
    for (auto it = t_currentEvents.rbegin(); it != t_currentEvents.rend() && !found; ++it) {
        if (!m_window || (*it)->window == m_window)
            found = *it;
    }
    if (!found)
        return false;
    CurrentEvent& current = *found;
    if (current.delivered)
        return current.result;
    current.delivered = true;
    if (CSubclassWnd::WindowProc(current.event)) {
        current.result = true;
        return true;
    }
    current.result = current.alive ? current.dispatcher->deliver(current.window, current.event) : false;
    return current.result;
}
