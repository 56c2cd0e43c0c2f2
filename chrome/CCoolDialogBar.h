#pragma once

#include "chrome/CoolDialogBarGeometry.h"

#include <QDockWidget>
#include <QPointer>

#include <memory>

class CoolDialogBarPart;
class QMainWindow;
class VornaShrinkMiniFrmSub;

// A bar of the main frame that holds a modeless dialog: docked on any side or
// floating, resized at its inner edge (the frame's separator), closed from
// its own caption and rolled up to a thin strip and back.
//
// The caption is a band of its own along the top of a bar docked left or
// right and down the left side of one docked top or bottom, with the close
// and roll-up buttons and two gripper lines; dragging it moves the bar, a
// double-click docks or floats it. Afloat the band is the bar's small caption
// with its title and close button.
class CCoolDialogBar : public QDockWidget
{
    Q_OBJECT
public:
    // Where the bar may dock (any side without one of these bits); it is
    // docked first at the bottom, else at the right, the left or the top.
    static constexpr quint32 CBRS_ALIGN_LEFT = 0x1000;
    static constexpr quint32 CBRS_ALIGN_TOP = 0x2000;
    static constexpr quint32 CBRS_ALIGN_RIGHT = 0x4000;
    static constexpr quint32 CBRS_ALIGN_BOTTOM = 0x8000;
    static constexpr quint32 CBRS_ALIGN_ANY = 0xF000;

    explicit CCoolDialogBar(QWidget* parent = nullptr);
    ~CCoolDialogBar() override;

    // Puts the dialog into the bar (its size becomes the bar's sizes) and
    // docks the bar in the frame. False without a frame or a dialog.
    bool Create(QMainWindow* frame, QWidget* dialog, const QString& title, int id, quint32 style);

    // Rolled up: only the caption and the unroll strip show.
    bool IsShrunk() const { return m_extents.IsShrunk(); }
    // Unrolls the bar to its extent from before (nothing when not rolled
    // up), or to its size from before when it was rolled up afloat.
    void RestoreShrunkSize();

    // The extent the bar keeps docked top or bottom (horizontal) or left or
    // right; a bar docked that way and shown takes it at once.
    void SetExtent(bool horizontal, int extent);

    // Afloat: only the caption, which cannot be resized; and back to `size`.
    void RollUpFloating();
    void UnrollFloating(QSize size);
    // The hook that puts the roll-up button into the caption afloat (null
    // until the bar first floats).
    VornaShrinkMiniFrmSub* miniFrameHook() const { return m_pMiniFrmSub.get(); }

    // The frame's dock bar the bar laid itself out for last
    // (AFX_IDW_DOCKBAR_FLOAT afloat), and its parts in bar coordinates.
    int dockId() const { return m_nDockId; }
    const coolbar::Frame& barFrame() const { return m_frame; }
    const coolbar::Extents& extents() const { return m_extents; }
    QWidget* dialog() const { return m_pDialog; }
    // The band that carries the caption (a hook on it adds its own button).
    QWidget* captionBand() const;

    // What the caption buttons do.
    void RollUp();
    void Unroll();
    void CloseFromCaption();

signals:
    // The user closed the bar from its caption (hiding it otherwise says nothing).
    void closedFromCaption();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class CoolDialogBarPart;

    // The dock side changed: the caption's side, the geometry and the margins.
    void RecalcLayout();
    int CurrentDockId() const;
    QMainWindow* frameWindow() const;
    // Holds a rolled-up bar at its strip, or lets the frame size it again.
    void HoldExtent();
    // Once the frame has laid the bar out, sizes it docked to the extent it
    // keeps for its side.
    void ApplyExtentLater();

    // The parts' painting and mouse, in bar coordinates.
    void PaintPart(QPainter& dc, const CoolDialogBarPart* part) const;
    int HitPart(const CoolDialogBarPart* part, QPoint local) const;
    bool MousePart(CoolDialogBarPart* part, QEvent* event);
    void RepaintButtons();

    CoolDialogBarPart* m_caption = nullptr;
    CoolDialogBarPart* m_client = nullptr;
    QPointer<QWidget> m_pDialog;
    coolbar::Extents m_extents;
    coolbar::CaptionButtons m_buttons;
    coolbar::Frame m_frame;
    QSize m_sizeFloat{200, 200};
    // The frame's size when the bar last changed size: a change of the bar
    // without one is the user dragging the frame's separator.
    QSize m_frameSize;
    int m_nDockId = 0;
    int m_nUnder = -1;
    // Rolled up docked top or bottom (else left or right).
    bool m_bShrunkHorizontal = false;
    std::unique_ptr<VornaShrinkMiniFrmSub> m_pMiniFrmSub;
};
