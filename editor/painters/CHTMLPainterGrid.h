#pragma once

#include "editor/painters/CHTMLPainter.h"

#include "platform/ColorRef.h"

#include <QPointer>

class CZQView;

// Paints the positioning grid and the page-size guide on a page's BODY, below
// the content. The grid lies on the page's multiples of the pitch; the main
// frame's grid switch and guide switch decide what is drawn.
class CHTMLPainterGrid : public CHTMLPainter
{
public:
    enum Style { Dots = 1, SolidLines = 2, DottedLines = 3 };

    void draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags) override;

    // The grid of a style inside the update area; `bounds` is BODY's, so its
    // top-left is the page's origin. Dots in the background's inverse; lines
    // in its contrast grey. A pitch below 1 or another style draws nothing.
    static void DrawGrid(QPainter& painter, const QRect& bounds, const QRect& update, int pitch, int style,
                         platform::ColorRef background);
    // The right and bottom edges of a page of the guide's size, dotted, from
    // `origin` (the page's origin relative to the frameset page's view, or 0).
    static void DrawPageGuideLines(QPainter& painter, const QRect& bounds, QPoint origin, int right, int bottom,
                                   platform::ColorRef background);
    // Takes the guide's size from the main frame and draws it for m_pView.
    void DrawPageGuide(QPainter& painter, const QRect& bounds, platform::ColorRef background);

    int m_nGridSize = 50;
    int m_nGridStyle = 0;
    bool m_bShowPageGuide = false;
    int m_nGuideRight = 1024;
    int m_nGuideBottom = 768;
    QPointer<CZQView> m_pView;
};
