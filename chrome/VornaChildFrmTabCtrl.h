#pragma once

#include "chrome/CSubclassWnd.h"
#include "chrome/ViewTabGeometry.h"

#include <QPointer>

#include <memory>
#include <vector>

class QPainter;
class VornaChildFrmTabCtrlViewHook;

// The view tabs of a page window: a hook on the window's inside that makes
// room at its left for a band with three tabs, "編集", "ソース" and
// "プレビュー", paints them and answers their clicks. A click on another tab
// asks the frame to switch to that view: the frame gets message WM_USER + 100
// with the tab's code, 1000 to 1002. A click on the shown tab sends nothing.
class VornaChildFrmTabCtrl : public CSubclassWnd
{
    Q_OBJECT
public:
    static constexpr uint kViewTabMessage = 0x464;
    static constexpr int kFirstTabCode = viewtabs::kFirstTabCode;

    VornaChildFrmTabCtrl();
    ~VornaChildFrmTabCtrl() override;

    // Hooks `window` (the inside of the page window `frame`, which gets the
    // tab messages). False without either.
    bool Install(QObject* frame, QWidget* window);
    // Puts a sunken border around a view of the frame. False for none.
    bool AddView(QWidget* view);

    // The pressed tab: 0 edit, 1 source, 2 preview. Setting it sends nothing.
    int GetCurTab() const { return m_nCurTab; }
    void SetCurTab(int tab);

    bool WindowProc(QEvent* event) override;

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;

private:
    void Paint(QPainter& dc, QWidget* window) const;

    int m_nCurTab = 0;
    QPointer<QObject> m_frame;
    std::vector<std::unique_ptr<VornaChildFrmTabCtrlViewHook>> m_viewHooks;
};
