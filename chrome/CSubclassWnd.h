#pragma once

#include <QObject>
#include <QPointer>

class QEvent;

// A hook on an existing widget: it sees every event of the widget before the
// widget does. Several hooks on one widget form a chain, newest first; a hook
// overrides WindowProc, handles what it wants and passes the rest on.
//
// WindowProc returns true to swallow the event. The default hands the event
// to the next older hook; the oldest leaves it to the widget. CallNextProc
// hands the event being handled down the rest of the chain and to the widget
// at once, so a hook can work after the widget (paint over it, say).
//
// A hook belongs to whoever made it; deleting it detaches it. When the widget
// is destroyed every hook on it ends detached and sees nothing of it.
class CSubclassWnd : public QObject
{
    Q_OBJECT
public:
    CSubclassWnd();
    ~CSubclassWnd() override;

    // Attaches to the widget (newest in its chain), or detaches with null.
    // Always true. A hook must be detached before it goes to another widget.
    bool Attach(QObject* window);
    bool AttachWnd(QObject* window) { return Attach(window); }

    // The hooked widget; null while detached.
    QObject* hookedWindow() const { return m_window; }
    // The next older hook on the same widget.
    CSubclassWnd* nextHook() const { return m_next; }

    // Called with every event of the hooked widget; true swallows it.
    virtual bool WindowProc(QEvent* event);

protected:
    // Told after the hook was attached to a widget or let go of one (a
    // hook's own destructor must detach it for this to reach it); not told
    // when the widget itself is being destroyed.
    virtual void OnAttachChanged(QObject* previous, QObject* current);

    // Passes the event being handled down the rest of the chain and to the
    // widget now. Returns whether the rest of the chain swallowed the event
    // or the widget took it. A second call for the same event does nothing
    // more and returns the first answer.
    bool CallNextProc();

private:
    friend class CSubclassWndMap;
    friend class SubclassDispatcher;

    QObject* m_window = nullptr;
    QPointer<CSubclassWnd> m_next;
};
