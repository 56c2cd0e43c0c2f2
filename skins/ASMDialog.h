#pragma once

#include "skins/ASMFrame.h"

// The skinned frame of a dialog: the dialogs' look, with a help button only
// where the dialog offers help.
class ASMDialog : public ASMFrame
{
    Q_OBJECT
public:
    void SelectFrameSkin() override;
    // Puts the skin's frame on (or takes it off) keeping the dialog's inside
    // as large as it was, where the dialog was given its size.
    bool ApplySkin() override;
    int HitTestCaption(QPoint point) const override;

protected:
    void DrawCaptionButton(int index, QPainter& dc, int width, bool active, int state) override;

private:
    bool HasHelp() const;
};
