#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

#include <functional>

class QPainter;
class QString;
class QStyleOptionTab;
class QStyleOptionTabBarBase;
class QStyleOptionTabWidgetFrame;
class QWidget;

// The skin of tabs: each tab an outline of two-pixel edges in skin colours
// open toward its page, the selected one larger and drawn last, a tab under
// the mouse with deeper edges and its label in the shadow colour; the page
// wears a raised ring with an opening where the selected tab meets it. Tab
// bars in document mode keep the base look.
class ASMTabControl : public ASMControl
{
    Q_OBJECT
public:
    ASMTabControl();

    // The side the tabs stand on, the page lying on the opposite side.
    enum Side { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3 };
    // Tab flags.
    static constexpr int kMouseOverTab = 1;
    static constexpr int kSelectedTab = 2;

    // A tab's outline and label.
    static void DrawTab(QPainter& dc, const platform::Rect& rect, Side side, int flags, const QString& text);
    // The page's ring; a selected tab (not empty) opens it where it meets it,
    // the opening filled by `fill` (the skin's background).
    static void DrawPage(QPainter& dc, const platform::Rect& page, Side side, const platform::Rect& selected,
                         const std::function<void(const platform::Rect&)>& fill);
    // The opening alone: a line of the background over the page's outer
    // edge along the selected tab and the corner pixel beyond it.
    static void DrawOpening(QPainter& dc, Side side, const platform::Rect& selected,
                            const std::function<void(const platform::Rect&)>& fill);

    // The style's entry points.
    static void DrawTabBarTab(QPainter& dc, const QStyleOptionTab& option, const QWidget* widget);
    static void DrawTabWidgetFrame(QPainter& dc, const QStyleOptionTabWidgetFrame& option, const QWidget* widget);
    static void DrawTabBarBase(QPainter& dc, const QStyleOptionTabBarBase& option, const QWidget* widget);
};
