#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"
#include "skins/SkinDrawing.h"

class QPainter;
class QStyleOptionSpinBox;
class QWidget;

// The skin of a number box's arrows: two skin buttons, the one pressed sunk
// while the mouse holds it, released while the held mouse is off the arrows
// and sunk again when it comes back; the whole field wears an edit field's
// edge.
class ASMUpDown : public ASMControl
{
    Q_OBJECT
public:
    ASMUpDown();

    // The pressed arrow: 0 none, 1 the first (up), 2 the second (down);
    // negative while the held mouse is off the arrows.
    int PressedPart() const { return m_nPressedPart; }

    struct Halves
    {
        platform::Rect first;
        platform::Rect second;
    };
    // The two arrows of the rectangle: an odd middle row or column belongs to neither.
    static Halves HalvesOf(const platform::Rect& rect, bool horizontal);
    // Where the arrows stand in the number box: right of its field, inside
    // its edge; empty when it shows no arrows.
    static platform::Rect ArrowArea(const QStyleOptionSpinBox& option, const QWidget* widget);

    // The mouse on the arrows (points in the number box's coordinates).
    void OnButtonDown(QPoint point, const platform::Rect& area);
    void OnHeldMouseMove(QPoint point, const platform::Rect& area);
    void OnButtonUp();

    // The field's edge and background and the two arrows.
    void Draw(QPainter& dc, const QStyleOptionSpinBox& option, const QWidget* widget) const;
    void DrawArrow(QPainter& dc, const platform::Rect& rect, int part, SkinArrow glyph) const;

    bool WindowProc(QEvent* event) override;

private:
    void Repaint();

    int m_nPressedPart = 0;
};
