#pragma once

#include "controls/SysColors.h"
#include "platform/ColorRef.h"

#include <QImage>

class QPainter;
class QWidget;

// The program's skin manager: loads the active skin and draws windows and
// controls in it. Until a skin is loaded it reports the skin as off, and every
// colour is the desktop's own. Install() hands the controls their SkinContext,
// which answers from this manager.
class VornaSkinManager
{
public:
    // The skin's picture for image buttons: a strip of state pictures.
    struct ImageButtonRecord
    {
        QImage strip;
        int stateWidth = 0;
        int marginX = 0;
        int marginY = 0;
        // kNoTransparentColor (0xFFFFFFFF) when the skin names none.
        platform::ColorRef transparentColor = 0xFFFFFFFFu;

        // Draws state 0 normal, 1 hover, 2 pressed, 3 disabled or 4 focused
        // stretched over the box; draws nothing without a strip or for other states.
        void DrawSkinButtonImage(QPainter& dc, int x, int y, int width, int height, int state) const;
    };

    static VornaSkinManager& GetInstance();

    // Loads the active skin and skins the main frame; true when the frame can
    // run (unskinned while no skin is chosen).
    bool Install(QWidget* mainFrame);

    bool IsSkinOn() const { return m_skinOn; }
    const ImageButtonRecord& imageButton() const { return m_imageButton; }

private:
    VornaSkinManager() = default;

    bool m_skinOn = false;
    ImageButtonRecord m_imageButton;
};

// The system colour of the index, or the skin's colour for it while a skin is on.
platform::ColorRef GetSkinSysColor(int index);

// Fills the rectangle with the skin's background, continued from `background`
// into `painted` (either may be none); without a skin pattern, with the face colour.
void FillSkinBackgroundXY(QPainter& dc, int x, int y, int width, int height, QWidget* background, QWidget* painted);
