#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

class QPainter;

// The skin of the main frame's status bar: the bar in the skin's face colour,
// each pane sunken in a ring of its shadow and highlight colours, and the
// size grip in its colours (hidden while the frame is maximised).
class ASMStatusBar : public ASMControl
{
    Q_OBJECT
public:
    ASMStatusBar();

    static void DrawBackground(QPainter& dc, const platform::Rect& rect);
    // A pane: the face, shadow above and left, highlight below and right.
    static void DrawPane(QPainter& dc, const platform::Rect& rect);
};
