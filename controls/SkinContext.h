#pragma once

#include "controls/SysColors.h"

class QPainter;
class QWidget;

// How the controls draw in the active skin. The skin manager installs its
// implementation when it comes up; until then, and in tests that install
// none, instance() gives the unskinned look: the desktop's colours, the face
// colour as background and no skin pictures.
class SkinContext
{
public:
    virtual ~SkinContext();

    // Whether a skin is on (the skin manager's IsSkinOn).
    virtual bool isSkinOn() const = 0;

    // The colour of a SysColorIndex under the active skin (GetSkinSysColor).
    virtual platform::ColorRef sysColor(int index) const = 0;

    // Fills the rectangle with the skin's background, continued from
    // `background` into `painted` (either may be none) (FillSkinBackgroundXY).
    virtual void fillBackground(QPainter& dc, int x, int y, int width, int height, QWidget* background,
                                QWidget* painted) const = 0;

    // Whether the skin's image-button picture leaves a transparent colour out.
    virtual bool imageButtonHasTransparentColor() const = 0;

    // Draws state 0 normal, 1 hover, 2 pressed, 3 disabled or 4 focused of the
    // skin's image-button picture stretched over the box (DrawSkinButtonImage).
    virtual void drawImageButton(QPainter& dc, int x, int y, int width, int height, int state) const = 0;

    // The installed context, or the unskinned one.
    static SkinContext& instance();
    // Installs a context (not owned); null restores the unskinned one.
    static void install(SkinContext* context);
};
