#pragma once

#include "platform/Rect.h"
#include "skins/ASMFrame.h"

class QDockWidget;

// The skinned frame of a floating bar: while the bar floats under a skin it
// wears the skin's small frame (the floating-frame record, or the main
// frame's where the skin has none) with its title and close button, cut to
// the skin's outline. The bar's own caption band lies over the skin's
// caption and keeps dragging, docking, closing and rolling the bar up;
// docked, or without a skin, the bar has its plain look.
class ASMMiniDockFrame : public ASMFrame
{
    Q_OBJECT
public:
    void Attach(QWidget* window) override;
    void SelectFrameSkin() override;
    // Puts the skin's frame on the bar while it floats; false, with the plain
    // look back, while it is docked or no skin is on.
    bool ApplySkin() override;
    bool WindowProc(QEvent* event) override;
    // The frame's borders size it; its caption, buttons and all, is the
    // bar's caption band's.
    int HitTestCaption(QPoint point) const override;

    // The skin object that draws the bar's floating frame now, or null while
    // the bar is docked, no skin is on or the skin has no usable frame.
    static const ASMMiniDockFrame* Of(const QWidget* bar);
    // Where the close button stands, in the bar's coordinates; empty when the
    // record has none.
    platform::Rect CloseButtonRect() const;
    // The close button in state 0 normal, 1 hot or 2 pressed.
    void DrawCloseButton(QPainter& dc, int state) const;

protected:
    // A floating bar closes only: the record's other buttons are not drawn.
    void DrawCaptionButton(int index, QPainter& dc, int width, bool active, int state) override;
    int GetCaptionHeight() const override;
    // The bar's caption band lies at the bottom of the skin's caption; its
    // dialog within the skin's borders.
    QMargins ContentsMargins() const override;

private:
    QDockWidget* bar() const;
    // The record that would draw the bar's frame now, or null.
    const VornaFrameSkin* FloatingSkin() const;
};
