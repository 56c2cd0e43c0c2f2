#pragma once

// Which picture and which skin face an image button shows for its state.
struct ImageButtonState
{
    bool pushed = false;          // the button is held down
    bool checkedPushLike = false; // a checkable button that is checked
    bool disabled = false;
    bool hover = false;
    bool focused = false;

    // State pictures of the button, in the order of its picture strip.
    enum Picture { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
    // Faces of the skin's button strip.
    enum Face { FaceNormal = 0, FaceHover = 1, FacePressed = 2, FaceDisabled = 3, FaceFocused = 4 };

    // A checked push-like button shows the pressed face but its normal picture;
    // a disabled button never shows the hover picture.
    int picture() const;
    int face() const;
};
