#include "controls/ImageButtonState.h"

int ImageButtonState::picture() const
{
    if (pushed)
        return Pressed;
    if (disabled)
        return Disabled;
    if (hover)
        return Hover;
    return Normal;
}

int ImageButtonState::face() const
{
    if (pushed || checkedPushLike)
        return FacePressed;
    if (disabled)
        return FaceDisabled;
    if (hover)
        return FaceHover;
    if (focused)
        return FaceFocused;
    return FaceNormal;
}
