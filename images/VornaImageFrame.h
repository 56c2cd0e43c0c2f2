#pragma once

#include "images/BannerLayoutGeometry.h"

#include <QPoint>
#include <QWidget>

class VornaImageView;
class VornaPropertySheetTextImage;

// The banner layout window: a frame whose 8-pixel margin carries four edge
// handles around the view. While the sheet's canvas button is down the
// handles show the crop (or extension) of the banner; dragging one moves
// it along its margin and sets the view's crop selection on release.
class VornaImageFrame : public QWidget
{
    Q_OBJECT
public:
    VornaImageFrame(VornaPropertySheetTextImage* sheet, QWidget* parent);

    VornaImageView* view() const { return m_pView; }
    // Puts the handles on the edges of the banner as the view fits it.
    void PlaceHandles();
    const bannerlayout::Handles& handles() const { return m_handles; }
    int draggedHandle() const { return m_nDragged; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class Feedback;

    VornaPropertySheetTextImage* m_pSheet;
    VornaImageView* m_pView = nullptr;
    Feedback* m_pFeedback = nullptr;
    QPoint m_ptLast;
    bannerlayout::Handles m_handles;
    bannerlayout::Handles m_homes;
    int m_nDragged = bannerlayout::kNoHandle;
};
