#pragma once

#include "chrome/CSubclassWnd.h"
#include "platform/Rect.h"

class ULOMDIClientHook;

// The hook on a page window that turns its minimising into an icon of the
// area that holds the page windows (ULOMDIClientHook), and removes the icon
// when the window comes back or goes. It keeps the window's last normal
// place, where the zoom to and from the icon runs.
class ChildFrmHook : public CSubclassWnd
{
    Q_OBJECT
public:
    explicit ChildFrmHook(ULOMDIClientHook* owner) : m_pOwner(owner) {}
    ~ChildFrmHook() override;

    const platform::Rect& normalRect() const { return m_rcNormal; }

    bool WindowProc(QEvent* event) override;

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;

private:
    ULOMDIClientHook* m_pOwner;
    platform::Rect m_rcNormal;
};
