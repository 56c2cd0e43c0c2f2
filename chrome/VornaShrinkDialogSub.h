#pragma once

#include "chrome/CSubclassWnd.h"
#include "platform/Rect.h"

#include <QSize>

class QPainter;
class QTimer;
class QWidget;

// A hook that puts a roll-up button into a dialog's caption: a click on it
// shrinks the dialog to its caption, the next click gives it its size back.
// The button needs a caption the program draws itself, which a dialog has
// while a skin is on; with the desktop's own caption the hook does nothing.
// The owner attaches it once the dialog exists; deleting it detaches it.
class VornaShrinkDialogSub : public CSubclassWnd
{
    Q_OBJECT
public:
    VornaShrinkDialogSub();
    ~VornaShrinkDialogSub() override;

    bool WindowProc(QEvent* event) override;
    // Shows the button in state 0 (normal), 1 (hot) or 2 (pressed).
    virtual void DrawButton(int state);
    // The button in window coordinates; empty where there is none.
    virtual platform::Rect GetButtonRect() const;

    bool IsRolledUp() const { return m_bRolledUp; }
    // Rolls the window up or down, as a click on the button does.
    void Toggle();

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;
    QWidget* window() const;
    // Whether the window shows the button now.
    virtual bool HasButton() const;
    virtual void PaintButton(QPainter& dc, int state) const;
    virtual void RollUp();
    virtual void Unroll();

    bool m_bHover = false;
    // 0 not pressed, 1 pressed with the mouse over the button, -1 elsewhere.
    int m_nPress = 0;
    bool m_bRolledUp = false;
    QSize m_sizeSaved;

private:
    // While hovering: finds the pointer gone off the button (into a control
    // of the window, say, which keeps the move to itself).
    void CheckHover();

    int m_nState = 0;
    QTimer* m_pHoverTimer = nullptr;
    QSize m_minSaved;
    QSize m_maxSaved;
};
