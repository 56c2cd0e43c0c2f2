#pragma once

#include "chrome/VornaShrinkDialogSub.h"

class CCoolDialogBar;

// The roll-up button of a floating dialog bar's caption: a click leaves only
// the caption (which cannot be resized then), the next click gives the bar
// its size back.
class VornaShrinkMiniFrmSub : public VornaShrinkDialogSub
{
    Q_OBJECT
public:
    ~VornaShrinkMiniFrmSub() override;

    platform::Rect GetButtonRect() const override;

protected:
    bool HasButton() const override;
    void PaintButton(QPainter& dc, int state) const override;
    void RollUp() override;
    void Unroll() override;

private:
    CCoolDialogBar* bar() const;
};
