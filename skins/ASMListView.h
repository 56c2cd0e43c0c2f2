#pragma once

#include "skins/ASMControl.h"

// The skin of a list: its ring frame (drawn by the style, deeper while the
// mouse is over it or its header), and while disabled a flat shadow-coloured
// inside with no items. Its header is skinned when it acts as buttons by the
// time it is first painted.
class ASMListView : public ASMControl
{
    Q_OBJECT
public:
    ASMListView();

    // Watches the list's viewport too, which paints its items, and its header's.
    void Attach(QWidget* window) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_viewport;
    QPointer<QWidget> m_headerViewport;
};
