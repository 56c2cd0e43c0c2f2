#pragma once

#include "editor/painters/CHTMLPainter.h"

#include "platform/ColorRef.h"

// Paints a selected table cell: the cell range of the event sink attaches one
// of these to every cell inside the range, below the cell's content.
class CHTMLPainterCell : public CHTMLPainter
{
public:
    // Red 128, green 128, blue 255.
    static constexpr platform::ColorRef kFillColor = 0xFF8080;

    void draw(QPainter& painter, const QRect& bounds, const QRect& update, int flags) override;
};
