#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

class QPainter;

// The skin of a header whose sections act as buttons: each section a raised
// button of skin rings, lifted further while the mouse is over the header,
// which also gives the list it heads its hovered frame.
class ASMHeaderCtrl : public ASMControl
{
    Q_OBJECT
public:
    ASMHeaderCtrl();

    // One section's button (its text is the base style's).
    static void DrawSection(QPainter& dc, const platform::Rect& rect, bool hover);
    // The strip after the last section: a button without text whose first
    // rings cover the last section's closing ones.
    static void DrawEmptyArea(QPainter& dc, const platform::Rect& rect, bool hover, bool horizontal);

    // Watches the header's viewport too: a header without sections paints
    // nothing of its own there.
    void Attach(QWidget* window) override;
    bool WindowProc(QEvent* event) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_viewport;
};
