#pragma once

#include "platform/Rect.h"
#include "skins/ASMCore.h"

#include <QIcon>
#include <QImage>
#include <QMargins>
#include <QRegion>
#include <QSize>

class QPainter;
class QTimer;
class VornaFrameSkin;

// Where a point of a frame lies.
enum SkinHitCode {
    HTNOWHERE = 0,
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTSYSMENU = 3,
    HTMINBUTTON = 8,
    HTMAXBUTTON = 9,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTCLOSE = 20,
    HTHELP = 21,
};

// The skinned frame of a window: with a skin on, the window loses the
// desktop's frame and shows the skin's caption, borders and caption buttons in
// its margins, cut to the skin's outline; it is moved and sized from them.
// The four parts are drawn once into cached pictures and copied on each paint.
class ASMFrame : public ASMCore
{
    Q_OBJECT
public:
    ASMFrame();
    ~ASMFrame() override;

    void Attach(QWidget* window) override;

    // Picks the frame look this kind of window wears.
    virtual void SelectFrameSkin();
    // Puts the skin's frame on the window (after attaching and every skin
    // change); false, with the window's own frame back, while no skin is on.
    virtual bool ApplySkin();
    // Gives the window its own frame back.
    void RemoveSkin();
    // Forgets the cached pictures and the outline.
    void ReleaseCaches();

    // Which part of the frame a point in window coordinates is on.
    virtual int HitTestCaption(QPoint point) const;
    // Paints the frame into the window's margins.
    void PaintNonClient(QPainter& dc);
    // Fits the outline to a middle of w x h.
    void ResizeRegion(int width, int height);
    void ApplyRegion();

    bool WindowProc(QEvent* event) override;

    const VornaFrameSkin* skin() const { return m_pSkin; }
    bool isApplied() const { return m_bApplied; }
    bool isActive() const { return m_bActive; }
    int hotButton() const { return m_nHot; }
    int pressedButton() const { return m_nPressed; }
    const QRegion& region() const { return m_region; }
    const platform::Rect& iconRect() const { return m_iconRect; }
    int cacheRebuilds() const { return m_nRebuilds; }
    // The cached parts are drawn again before the next paint.
    void MarkCachesDirty() { m_bDirty = true; }
    // The title as the caption shows it, in at most `width` pixels.
    static QString ElideCaption(const QString& title, const QFont& font, int width);

protected:
    // Draws caption button `index` in `state` for a frame `width` wide.
    virtual void DrawCaptionButton(int index, QPainter& dc, int width, bool active, int state);
    // The caption height the desktop would give this kind of window.
    virtual int GetCaptionHeight() const;
    // The window's contents margins under the skin: its borders and caption.
    virtual QMargins ContentsMargins() const;
    // The hit code of a point that is on no caption button and not on the icon.
    int DefaultHitTest(QPoint point) const;
    int ButtonOfHit(int hit) const;
    // Whether the window offers closing (its close button is live).
    bool CanClose() const;
    void PressButton(int hit);
    void TrackButton(int hit);
    void ReleaseButton(QPoint point);
    void RebuildCaches();
    // The cached caption, and over it the button under the pointer.
    void PaintCaption(QPainter& dc);
    // The title, in the caption's text colour, into the cached caption.
    void DrawTitle(QPainter& dc);
    QMargins Borders() const;
    // The icon the caption shows: the window's own, or none.
    QIcon CaptionIcon() const;
    // Where the caption shows the icon, and the title after it.
    void PlaceIcon();
    bool IsResizable() const;
    void UpdateCaption();
    // The caption follows whether the window looks active.
    void UpdateActivation();
    // Draws the hot button normal again once the pointer has left it.
    void CheckHover();

    const VornaFrameSkin* m_pSkin = nullptr;
    QRegion m_region;
    QSize m_regionSize;
    bool m_bActive = true;
    int m_nPressed = -1;
    int m_nHot = -1;
    bool m_bDirty = false;
    platform::Rect m_iconRect;
    QImage m_captionCache;
    QImage m_bottomCache;
    QImage m_leftCache;
    QImage m_rightCache;
    int m_nRebuilds = 0;

private:
    void setFrameless(bool frameless);

    bool m_bApplied = false;
    bool m_bSavedFrameless = false;
    QMargins m_savedMargins;
    bool m_bSavedTracking = false;
    // While a button is hot: finds the pointer gone off it (into the
    // window's inside, say, where the frame hears nothing of it).
    QTimer* m_pHoverTimer = nullptr;
};
