#pragma once

#include "chrome/CSubclassWnd.h"
#include "platform/Rect.h"

#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class ChildFrmHook;
class QMdiArea;
class QMdiSubWindow;
class QPainter;
class QWidget;

// The icons of minimised page windows: a hook on the area that holds the page
// windows. A minimised page window is hidden and shows as a large icon with
// its title along the bottom of the area instead; the icon can be selected and
// dragged, is selected while its window is the active one, and a double-click
// restores the window. Each page window carries a ChildFrmHook that tells
// this hook when it is minimised, restored or gone.
class ULOMDIClientHook : public CSubclassWnd
{
    Q_OBJECT
public:
    struct Icon
    {
        platform::Rect rect; // the cell, in the area's coordinates
        QPointer<QMdiSubWindow> frame;
        // The window as an address only: it is compared while the window is
        // being destroyed, when it is no longer a QMdiSubWindow.
        const QObject* key = nullptr;
        // Minimised from maximised: it comes back maximised.
        bool maximised = false;
    };

    ULOMDIClientHook();
    ~ULOMDIClientHook() override;

    // Hooks the area's viewport. False without an area.
    bool Install(QMdiArea* area);
    // Hooks a page window of the area. False for none.
    bool HookChildFrame(QMdiSubWindow* childFrame);

    const std::vector<Icon>& icons() const { return m_icons; }
    int selected() const { return m_nSelected; }
    int IconOf(const QMdiSubWindow* frame) const;
    // The zoom between a window and its icon is being drawn.
    bool zoomRunning() const;

    // A window minimised: its icon in the first free cell, reached by the
    // zoom from `normal` unless the window was maximised (it fills the area);
    // the window hidden. Nothing when it has one.
    void MakeIcon(QMdiSubWindow* frame, const platform::Rect& normal, bool maximised);
    // The window of icon `index` restored (maximised again when it was),
    // after the zoom to its place.
    void RestoreIcon(int index);
    // The window restored by other means or gone: its icon goes.
    void RemoveIcon(const QMdiSubWindow* frame);
    // Lines the icons up again along the bottom from the left, row above
    // row, in the order they were made.
    void ArrangeIcons();
    // A window with an icon was shown still minimised (chosen from the
    // Window menu, say): it stays hidden and its icon is selected.
    void ShowIconOf(QMdiSubWindow* frame);

    bool WindowProc(QEvent* event) override;

private:
    QWidget* viewport() const;
    int IconAt(QPoint point) const;
    static void HideMinimised(QMdiSubWindow* frame);
    void Select(int index);
    void Repaint();
    void PaintIcons(QPainter& dc) const;
    void Zoom(const platform::Rect& from, const platform::Rect& to, std::function<void()> done);

    QPointer<QMdiArea> m_area;
    std::vector<std::unique_ptr<ChildFrmHook>> m_childHooks;
    std::vector<Icon> m_icons;
    int m_nSelected = -1;
    QPoint m_ptDrag;
    bool m_bDragging = false;
    QPointer<QWidget> m_zoom;
};
