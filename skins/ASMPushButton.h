#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

#include <QString>

class QPainter;
class QStyleOption;
class QStyleOptionButton;
class QWidget;

// How a button is to be drawn, read from its style option at each paint.
struct SkinButtonLook
{
    bool pushLike = true; // a push button, or a checkable push button
    bool checkable = false;
    bool checked = false;
    bool indeterminate = false;
    bool pressed = false;
    bool disabled = false;
    bool hover = false;
    bool focus = false;
    bool isDefault = false;
};

// The skin of a push button: the [BUTTON] picture stretched over it with
// image controls on, else skin-coloured rings by its state; the caption in
// the [BUTTON] text colours.
class ASMPushButton : public ASMControl
{
    Q_OBJECT
public:
    explicit ASMPushButton(SkinControlKind kind = SkinControlKind::PushButton);

    // The button's look from its style option (and the mouse-over state).
    SkinButtonLook LookOf(const QStyleOption& option) const;
    // The picture state: 2 pressed, 3 disabled, 1 hot, 4 focused, 0 normal.
    static int ImageState(const SkinButtonLook& look);
    // Whether buttons, check boxes and radio buttons draw from pictures.
    static bool ImageControlsOn();

    // The whole button into its rectangle.
    void Draw(QPainter& dc, const QStyleOptionButton& option, const QWidget* widget) const;
    // The rings of a button without pictures.
    static void DrawBorder(QPainter& dc, const platform::Rect& rect, const SkinButtonLook& look);
    // The caption: centred on a push button, after the mark on the others,
    // moved by a pixel while pressed.
    static void DrawButtonText(QPainter& dc, const platform::Rect& rect, const QString& text,
                               const SkinButtonLook& look, int flags);
};
