#pragma once

#include "controls/ColorValue.h"

#include <QComboBox>

class QPainter;

// The colour field of the dialogs: a drop-down box without items that shows
// one colour swatch. A click, an arrow key or tabbing into it opens the
// palette popup under it.
//
// Signals, each with the field's value and its control id (from its
// objectName "id_<n>"):
//   selectionChanged  while the popup is open, on every hover change (the
//                     field previews the hovered colour);
//   popupClosed       first, when the popup has closed, whatever the outcome;
//   colorChosen       then, when a colour was committed;
//   choiceCancelled   or when the choice was cancelled (the old value is back).
class CColorPickerCB : public QComboBox
{
    Q_OBJECT
public:
    explicit CColorPickerCB(QWidget* parent = nullptr);

    // Stores a colour value (a colour, kColorDefault or kColorNone) without repainting.
    void SetColor(platform::ColorRef value) { m_color = value; }
    platform::ColorRef GetColor() const { return m_color; }
    // The colour kColorDefault stands for.
    void SetDefaultColor(platform::ColorRef color) { m_defaultColor = color; }
    platform::ColorRef GetDefaultColor() const { return m_defaultColor; }
    // "#rrggbb" in lower case; the default colour for kColorDefault; empty for kColorNone.
    QString GetColorString() const;
    // The control id of the objectName "id_<n>"; 0 without one.
    int GetDlgCtrlID() const;

    // Opens the palette popup under the field and runs it.
    void ShowPopup();

    // Paints the item area (the face inside the box's frame).
    void DrawItem(QPainter& dc, const QRect& itemRect) const;

signals:
    void selectionChanged(platform::ColorRef value, int controlId);
    void popupClosed(platform::ColorRef value, int controlId);
    void colorChosen(platform::ColorRef value, int controlId);
    void choiceCancelled(platform::ColorRef value, int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    platform::ColorRef m_color = kColorNone;
    platform::ColorRef m_defaultColor = 0;
    bool m_popupOpen = false;
};
