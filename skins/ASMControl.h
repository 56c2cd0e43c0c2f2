#pragma once

#include "platform/Rect.h"
#include "skins/ASMCore.h"

class QPainter;

// The kinds of controls the skin draws, each by the painter of its name.
enum class SkinControlKind {
    PushButton,  // ASMPushButton
    CheckBox,    // ASMCheckBox
    RadioButton, // ASMRadioButton
    GroupBox,    // ASMGroupBox
    Edit,        // ASMEdit
    EditCombo,   // CCMEditCombo
    ListView,    // ASMListView
    HeaderCtrl,  // ASMHeaderCtrl
    Static,      // ASMStatic
    ComboBox,    // ASMComboBox
    UpDown,      // ASMUpDown
    ScrollBar,   // ASMScrollBar
    TabControl,  // ASMTabControl
    Progress,    // ASMProgress
    StatusBar,   // ASMStatusBar
    Toolbar,     // ASMToolbar
};

// The skin object of a control: its kind and whether the mouse is over it.
// The program's style draws the control from it while a skin is on.
class ASMControl : public ASMCore
{
    Q_OBJECT
public:
    // Both bits together mean the mouse is over the control.
    static constexpr quint16 kMouseOver = 0x0005;

    explicit ASMControl(SkinControlKind kind);

    SkinControlKind Kind() const { return m_kind; }
    quint16 GetState() const { return m_state; }
    bool IsMouseOver() const { return (m_state & kMouseOver) != 0; }
    // state = (state AND NOT clear) OR set; repaints the control on request.
    void ModifyState(quint16 clear, quint16 set, bool redraw);

    bool WindowProc(QEvent* event) override;

    // The control frame of two rings: sunken deep with the mouse over it,
    // lined in the light colour while enabled, flat in the face otherwise.
    static void DrawBorder(QPainter& dc, const platform::Rect& rect, bool mouseOver, bool enabled);

    // A list or a field of several lines measures its frame again (two rings
    // under a skin, the base style's frame without); the manager calls it
    // when the skin changes.
    void RefitFrame();

protected:
    // Watches the viewport of a scroll area as well (where it paints its
    // items or text); null for other widgets.
    QWidget* WatchViewport(QWidget* window);

private:
    SkinControlKind m_kind;
    quint16 m_state = 0;
};
