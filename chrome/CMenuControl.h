#pragma once

#include "chrome/CMenuItem.h"

#include <QEvent>
#include <QRect>

#include <array>

// The maximised page's minimise, restore and close buttons at the right end
// of the menu bar.
class CMenuControl : public CMenuItem
{
public:
    enum Button { Close = 0, Restore = 1, Minimize = 2 };

    explicit CMenuControl(CMenuBar* bar);

    // Drawn by the bar once it has placed the buttons (DrawControl).
    void Draw(QPainter&) override {}
    // The size from the caption-button size of the menu line.
    void UpdateSize();
    // Places the buttons against the anchor (the bar's bottom-right corner,
    // or the right end of the row for a horizontal bar).
    void DelayLayoutAndDraw(QPoint anchor, bool horizontal);
    void DrawControl(QPainter& painter);
    // Shows the buttons while the active page is maximised.
    void OnActivateChildWnd();

    // Mouse messages of the bar; true when one went to a button.
    bool OnMouseMsg(QEvent::Type type, QPoint point);
    // The button under the point, or -1.
    int HitTest(QPoint point) const;

    // The size of one caption button: the menu line less its borders.
    static QSize CaptionButtonSize(int menuLineHeight, int borderWidth);

    CMenuBar* m_pMenuBar;
    std::array<QRect, 3> m_arrCaption;
    bool m_bDown = false;
    int m_nTracking = -1;
    int m_nHot = -1;
};
