#pragma once

#include "controls/ColorPopupModel.h"

#include <QDialog>

class QPainter;

// The palette popup: a default button, sixteen standard and sixteen user
// colours, and a custom button that opens the colour-space dialog. It runs
// modally as a popup window under its opener and holds the mouse and the
// keyboard until a colour is committed (click, Enter, Space) or the choice is
// cancelled (Esc, a click outside).
//
// Signals (the opener's notifications; values are colour values with the
// kColorDefault and kColorNone markers):
//   hoverColorChanged  on every change of the item under the pointer or the
//                      keyboard cursor, with that item's colour (the opening
//                      colour when no item is under it);
//   colorChosen        with the result when the popup ends with OK;
//   choiceCancelled    with the opening colour when it is cancelled.
class CColorPopup : public QDialog
{
    Q_OBJECT
public:
    // (x, y): the screen position of the top-left corner, usually the lower-left
    // corner of the opener; minimumWidth: the opener's width (0 for none).
    // The notify widget is also the parent.
    CColorPopup(int x, int y, int minimumWidth, platform::ColorRef initialColor, platform::ColorRef defaultColor,
                QWidget* notify);
    ~CColorPopup() override;

    // Runs the popup; IDOK when a colour was committed, IDCANCEL otherwise.
    int DoModal();
    platform::ColorRef GetColor() const { return m_result; }
    platform::ColorRef GetInitialColor() const { return m_model.initialColor(); }

    const ColorPopupModel& model() const { return m_model; }
    // The width of the frame around the client area.
    static constexpr int kFrame = 3;
    // The client rectangle of an item in this widget's coordinates.
    QRect ItemRect(int item) const;

signals:
    void hoverColorChanged(platform::ColorRef color);
    void colorChosen(platform::ColorRef color);
    void choiceCancelled(platform::ColorRef color);

public slots:
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnInitDialog();
    void PaintItem(QPainter& dc, int item);
    void MoveHover(int item);
    void FinishOk(int item);
    void FinishCancelled();
    QPoint toClient(QPoint widgetPoint) const;

    ColorPopupModel m_model;
    platform::ColorRef m_result;
    QPoint m_position;
    int m_minimumWidth;
    QWidget* m_notify;
    bool m_finished = false;
};
