#pragma once

#include "editor/painters/CHTMLPainter.h"

// Paints one area of the image map being edited, with its handles, above its
// IMG. One painter per area; its cookie is m_lCookie.
class CHTMLPainterImageMap : public CHTMLPainter
{
public:
    int zOrder() const override { return AboveContent; }
    // The areas are drawn by the image-map editor.
    void draw(QPainter&, const QRect&, const QRect&, int) override {}
};
