#pragma once

#include "controls/ASMBitmap.h"
#include "platform/ColorRef.h"
#include "platform/Rect.h"

#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>

#include <vector>

// One border of a skinned frame: the caption, a side or the bottom. The
// picture holds the active look and after it the inactive one (below it for
// the caption and bottom, beside it for the sides) when it is larger than the
// thickness across the part.
struct SkinFramePart
{
    ASMBitmap image;
    // The caption's or bottom's height, a side's width.
    int thickness = 0;
    // 1 repeats the middle of a side, 0 stretches it; the caption and the
    // bottom always stretch.
    int stretchStyle = 1;
    // Pixels along the part before the start and after the end keep their size.
    int stretchStart = 0;
    int stretchEnd = 0;
};

// A caption button: a strip of cells of the button's width. Cells 0 to 3 are
// normal, hot, pressed and inactive; cells 4 to 7 the same for the alternate
// glyph (maximise of the maximise/restore button).
struct SkinCaptionButton
{
    ASMBitmap image;
    // From the frame's right edge to the button's right edge.
    int xOffset = 0;
    int y = 0;
    int width = 0;
    platform::ColorRef transparent = kNoTransparentColor;
};

// The look of one kind of frame (main frame, page windows, dialogs, floating
// bars): its four parts, caption buttons (0 close, 1 maximise or help,
// 2 minimise), title text and the outline that cuts the window's corners.
class VornaFrameSkin
{
public:
    virtual ~VornaFrameSkin() = default;

    // Whether the record can draw a frame: it has a caption picture.
    bool IsUsable() const { return !m_caption.image.isNull(); }

    SkinFramePart m_caption;
    SkinFramePart m_left;
    SkinFramePart m_right;
    SkinFramePart m_bottom;
    std::vector<SkinCaptionButton> m_buttons;
    int m_nButtonCount = 0;
    platform::ColorRef m_captionTextActive = 0;
    platform::ColorRef m_captionTextInactive = 0;
    QString m_captionFontName;
    int m_captionFontSize = -1;
    // (-1, -1): the title follows the icon.
    QPoint m_captionTextPosition{-1, -1};
    bool m_bAppIconVisible = true;
    // Empty: placed by the frame.
    platform::Rect m_iconRect;
    // The window outline at the picture's size; empty when the skin gives none.
    QRegion m_region;
    // The outline picture's size less the borders: what the middle of the
    // outline covers.
    QSize m_regionInnerSize;
};
