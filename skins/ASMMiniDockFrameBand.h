#pragma once

#include "platform/Rect.h"

class QPainter;
class QWidget;

// What a floating bar's caption band asks of the skin's floating frame (the
// band lies over the frame's caption; see ASMMiniDockFrame).

// Whether the skin draws the bar's floating frame now.
bool SkinDrawsFloatingFrame(const QWidget* bar);
// Where the frame's close button stands, in the bar's coordinates; empty
// when the skin draws no frame or has no close button.
platform::Rect SkinFloatingCloseRect(const QWidget* bar);
// The height of the frame's caption, which the band takes; 0 when the skin
// draws no frame.
int SkinFloatingCaptionHeight(const QWidget* bar);
// The frame's close button in state 0 normal, 1 hot or 2 pressed.
void DrawSkinFloatingClose(QPainter& dc, const QWidget* bar, int state);
