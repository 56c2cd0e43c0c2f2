#pragma once

#include "images/BannerTextRenderer.h"

#include "controls/ASMBitmap.h"
#include "controls/CMemDC.h"
#include "controls/TransparentBlt.h"
#include "platform/ColorRef.h"
#include "platform/Rect.h"

#include <QImage>
#include <QSize>
#include <QString>

// The banner being made: its canvas, text box and text record, the
// background picture, and the pictures drawn from them. The composite is
// what the layout window shows (window colour, picture, text with smooth
// edges); the output is what is written (key colour, picture, and at OK the
// text with hard edges). No window is needed: the banner maker's sheet and
// layout window drive it, and so do tests.
class BannerModel
{
public:
    static constexpr platform::ColorRef kDefaultKey = 0x08FF08;

    BannerModel();

    // The default canvas for a view (or layout window) of the size:
    // (width - 50) x (height / 2); the text box 5 pixels inside it.
    void SetDefaultCanvas(QSize area);
    // The canvas and picture rectangles of the default canvas for the
    // layout view's client size.
    platform::Rect DefaultCanvas() const;

    struct ComposeResult
    {
        // A picture was (re)loaded, or the banner started afresh without one.
        bool reloaded = false;
    };
    // Loads the picture when its path changed or the canvas is empty, then
    // draws the composite and the output at the canvas size.
    ComposeResult Compose();
    // The fast redraw during a canvas-corner drag: the composite only, the
    // picture stretched as it is, the text without the margin rule.
    void QuickCompose();
    // The composite resampled to the target's size.
    QImage RenderScaled(const platform::Rect& target) const;

    bool HasPicture() const { return !m_bmpPicture.isNull(); }
    // OK and the delete button, by the model's state (canvas-size mode is
    // mouse mode 2).
    bool OkAllowed(bool canvasModeOn) const { return !m_text.text.isEmpty() && !canvasModeOn; }
    bool DeleteAllowed() const { return !m_strPicturePath.isEmpty() && m_nMouseMode != 2; }

    // The banner as written: the output with the text drawn in (2 pixels of
    // margin), and the key colour the GIF marks transparent (-1 for a
    // picture without a transparent colour).
    QImage BannerBitmap(platform::ColorRef* keyOut);
    // Writes the banner to a new file in the folder, whose path goes into
    // `file`; false when it could not be written (LastImageWriteFault says
    // why).
    bool WriteBanner(const QString& folder, QString& file);

    // Canvas-size mode: the snapshot is the output without text.
    void TakeSnapshot();
    // Leaving canvas-size mode: the crop selection (view coordinates) cuts
    // the snapshot into the new picture, or extends it.
    void ApplyCrop(const platform::Rect& selection);

    // Reset and delete.
    void Reset() { m_rcCanvas = platform::Rect(); }
    void DeletePicture();

    // The text drawn into a surface of the canvas.
    void DrawText(QPainter& dc, TextEdges edges);

    // The layout view's client size (for the default canvas and the fit).
    QSize m_sizeViewClient{414, 174};

    platform::Rect m_rcCanvas;
    platform::Rect m_rcPicture;
    ASMBitmap m_bmpPicture;
    platform::ColorRef m_crTransparent = kNoTransparentColor;
    platform::ColorRef m_crWindow = 0xFFFFFF;
    platform::ColorRef m_crKey = kDefaultKey;
    bool m_bShowText = true;
    int m_nMouseMode = 0;
    bool m_bCanvasDrag = false;
    platform::Rect m_rcText;
    bool m_bTextAreaShown = true;
    BannerTextParams m_text;
    QString m_strPicturePath;
    QString m_strPrevPicturePath;

    CMemDC m_dcComposite;
    CMemDC m_dcOutput;
    CMemDC m_dcSnapshot;

    // What the layout view shows and what is written.
    const QImage* Composite() const { return m_dcComposite.image(); }
    const QImage* Output() const { return m_dcOutput.image(); }

private:
    // The text as last drawn, kept while its box, its record and the clip
    // stay the same (so a drag of the canvas does not draw it again).
    const BannerTextLayer& TextLayer();
    // The picture resampled to the canvas, kept while both stay the same.
    const QImage& ScaledPicture();
    void LoadPicture();
    // The colour a surface of the key is filled with: the key, or the window
    // colour while there is none.
    platform::ColorRef KeyFill() const;
    void DrawPicture(QPainter& dc, platform::ColorRef leftOut, const QImage& scaled) const;

    struct TextCache
    {
        bool valid = false;
        platform::Rect box;
        BannerTextParams params;
        QRect clip;
        BannerTextLayer layer;
    } m_textCache;
    struct ScaleCache
    {
        qint64 picture = 0;
        QSize size;
        platform::ColorRef transparent = kNoTransparentColor;
        QImage scaled;
    } m_scaleCache;
};
