#pragma once

#include "platform/Rect.h"

struct SkinCaptionButton;

// Where the roll-up button of a dialog's or a floating bar's caption stands,
// in the window's coordinates, for a window `width` wide.
namespace rollup {

// The desktop's caption metrics the unskinned buttons follow.
constexpr int SM_CXDLGFRAME = 3;
constexpr int SM_CYDLGFRAME = 3;
constexpr int SM_CYCAPTION = 19;
constexpr int SM_CXSMSIZE = 16;
constexpr int SM_CYSMCAPTION = 19;
// A floating bar's caption has no frame of its own around it here.
constexpr int SM_CXFRAME = 0;
constexpr int SM_CYFRAME = 1;

// A dialog's button left of its close button, and of its help button too
// when it has one.
platform::Rect DialogButtonRect(int width, bool contextHelp);
// With a skin: left of the skin's close (or help) button record.
platform::Rect SkinDialogButtonRect(int width, const SkinCaptionButton& record);
// A floating bar's button left of its close button.
platform::Rect MiniFrameButtonRect(int width);
// With a skin: the skin's own roll-up record; empty when it has no width.
platform::Rect SkinMiniFrameButtonRect(int width, const SkinCaptionButton& record);

} // namespace rollup
