#pragma once

#include "skins/ASMFrame.h"

// The skinned frame of a page window: the program's style draws its title
// bar and borders from the page windows' look; this object picks the look and
// tells the window when its size changes with the skin.
class ASMChildFrame : public ASMFrame
{
    Q_OBJECT
public:
    void Attach(QWidget* window) override;
    void SelectFrameSkin() override;
    bool ApplySkin() override;
    bool WindowProc(QEvent* event) override;

    // Cuts the window to the skin's outline at its present size and state
    // (none while maximised or without a skin).
    void UpdateMask();

private:
    bool m_bUpdatingMask = false;
};
