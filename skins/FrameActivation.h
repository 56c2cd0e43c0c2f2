#pragma once

class QWidget;

// Whether a frame shows itself active (its caption, its menu bar's text): it
// is the active window, or the active window is a floating bar of its own (a
// tool window it owns, which leaves the frame looking active, as a menu of
// it does). Never while the frame is disabled.
bool FrameLooksActive(const QWidget* frame);
