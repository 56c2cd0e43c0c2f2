#pragma once

#include <QDialog>
#include <QRect>

// The small popups beside the image effects (simple filters, rotation, symmetry): no caption, placed with their
// right edge on the anchor's right edge and their bottom on the anchor's top; a click outside closes them with
// Cancel.
class ImgCssPopup : public QDialog
{
    Q_OBJECT
public:
    ImgCssPopup(int dialogId, QWidget* parent);

    // Screen coordinates of what the popup opens at.
    QRect m_rcAnchor;

    // Placed at the anchor and run.
    int DoModal();

    // Where a popup of `size` opens at `anchor`.
    static QRect Placement(const QRect& anchor, const QSize& size);

private:
    int m_dialogId;
};
