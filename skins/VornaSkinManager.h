#pragma once

#include "controls/SysColors.h"
#include "platform/ColorRef.h"
#include "skins/VornaSkinData.h"

class QPainter;
class QWidget;

// The program's skin manager: loads the active skin and draws windows and
// controls in it. Until a skin is loaded it reports the skin as off, and every
// colour is the desktop's own. Install() hands the controls their SkinContext,
// which answers from this manager.
class VornaSkinManager
{
public:
    static VornaSkinManager& GetInstance();

    // Loads the active skin and skins the main frame; true when the frame can
    // run (unskinned while no skin is chosen).
    bool Install(QWidget* mainFrame);

    bool IsSkinOn() const { return m_skinOn; }
    const SkinButtonRecord& imageButton() const { return m_data.m_imageButton; }
    const VornaSkinData& data() const { return m_data; }

private:
    VornaSkinManager() = default;

    bool m_skinOn = false;
    VornaSkinData m_data;
};

// The system colour of the index, or the skin's colour for it while a skin is on.
platform::ColorRef GetSkinSysColor(int index);

// Fills the rectangle with the skin's background, continued from `background`
// into `painted` (either may be none); without a skin pattern, with the face colour.
void FillSkinBackgroundXY(QPainter& dc, int x, int y, int width, int height, QWidget* background, QWidget* painted);
