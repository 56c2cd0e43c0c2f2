#pragma once

#include <QHash>

class CSubclassWnd;
class QObject;
class SubclassDispatcher;

// The one map from a hooked widget to the newest hook of its chain. The first
// hook of a widget puts an event filter on it that runs the chain; the last
// one to leave takes it away again.
class CSubclassWndMap
{
public:
    static CSubclassWndMap& GetHookMap();

    // Makes the hook the newest of the widget's chain.
    void Add(QObject* window, CSubclassWnd* hook);
    // Unlinks the hook from the chain of its widget.
    void Remove(CSubclassWnd* hook);
    // Detaches every hook of the widget, newest first.
    void RemoveAll(QObject* window);
    // The newest hook of the widget, or null.
    CSubclassWnd* Lookup(QObject* window) const;

    // The number of hooked widgets.
    int size() const { return int(m_entries.size()); }

private:
    CSubclassWndMap() = default;
    friend class SubclassDispatcher;

    struct Entry
    {
        CSubclassWnd* newest = nullptr;
        SubclassDispatcher* dispatcher = nullptr;
    };
    QHash<QObject*, Entry> m_entries;
};
