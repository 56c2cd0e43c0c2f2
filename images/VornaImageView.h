#pragma once

#include "platform/Rect.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QSize>

class VornaPropertySheetTextImage;

// The banner layout window's view. In normal mode it shows the banner at
// full size with the canvas's edges, the text box and two grips: the user
// moves and sizes the text box and drags the canvas's corner. In
// canvas-size mode it shows the whole banner fitted, with the crop
// selection that the frame's edge handles set.
class VornaImageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit VornaImageView(QWidget* parent = nullptr);

    void SetSheet(VornaPropertySheetTextImage* sheet) { m_pSheet = sheet; }
    // The scroll size (canvas coordinates reach this far).
    void SetScrollSize(QSize size);
    QSize ScrollSize() const { return m_sizeScroll; }
    QSize ClientSize() const;
    QPoint ScrollPosition() const;
    // Canvas-size mode shows the whole banner: no scroll bars meanwhile.
    void SetWholeBannerShown(bool shown);

    // The crop selection of canvas-size mode, in view coordinates.
    void SetCropSelection(const platform::Rect& selection);
    void ClearCropSelection();
    bool IsCropSelectionValid() const { return m_bCropValid; }
    const platform::Rect& CropSelection() const { return m_rcCrop; }

    bool IsTextMoving() const { return m_bTextMove; }
    bool IsTextResizing() const { return m_bTextResize; }
    // Ends a text drag without its snap (canvas-size mode leaves it).
    void CancelTextDrag();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawNormal(QPainter& dc);
    void DrawCanvasMode(QPainter& dc);
    // Scrolls while a drag leaves the client area; the point comes back to
    // the area's edge.
    QPoint AutoScroll(QPoint point);
    void UpdateHoverCursor(QPoint point);
    bool Dragging() const;

    VornaPropertySheetTextImage* m_pSheet = nullptr;
    bool m_bTextMove = false;
    bool m_bTextResize = false;
    QPoint m_ptLast;
    QSize m_szGrab;
    bool m_bCropValid = false;
    platform::Rect m_rcCrop;
    QSize m_sizeScroll;
    // The focus rectangle of a text drag (canvas coordinates), empty when none.
    platform::Rect m_rcFeedback;
};
