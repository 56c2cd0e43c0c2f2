#pragma once

#include "chrome/CSubclassWnd.h"

#include <QPointer>

class QWidget;

// The sunken border around a view of a page window with view tabs: two
// pixels over the view's edge, on top of whatever the view shows there. The
// view's own coordinates do not change.
class VornaChildFrmTabCtrlViewHook : public CSubclassWnd
{
    Q_OBJECT
public:
    static constexpr int kBorder = 2;

    ~VornaChildFrmTabCtrlViewHook() override;

    bool WindowProc(QEvent* event) override;

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;

private:
    // Keeps the border over the view's edge and above its children.
    void PlaceBorder();

    QPointer<QWidget> m_border;
};
