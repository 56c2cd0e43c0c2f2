#pragma once

#include "skins/ASMCore.h"

#include <QRect>

class QMainWindow;
class QPainter;

// The skin of a frame's dock bars, the bands along its sides where its
// toolbars dock: the skin's pattern anchored at the frame behind them, and
// each band's border in the skin's shadow colour on the side that faces the
// frame's middle. A frame with a skinned frame of its own draws them with its
// background; this object draws them for the frames inside page windows.
class ASMDockBar : public ASMCore
{
    Q_OBJECT
public:
    // The border sides (SkinBarBorder bits) of the dock bar on a side.
    static int BordersOf(Qt::ToolBarArea side);
    // The band of the frame's dock bar on a side, in the frame's coordinates:
    // the rows its docked, visible bars fill, across the frame (the side bands
    // between the top and bottom ones); empty when it holds none.
    static QRect DockBarRect(const QMainWindow* frame, Qt::ToolBarArea side);
    // Every dock bar of the frame that holds a bar: its border, over the
    // pattern when asked.
    static void PaintDockBars(QPainter& dc, QMainWindow* frame, bool withBackground);
    // The border of the dock bar a docked bar of the frame stands in, where
    // it runs across that bar (the bars of a row fill it to its end).
    static void PaintBorderAcross(QPainter& dc, const QWidget* bar);

    bool WindowProc(QEvent* event) override;
};
