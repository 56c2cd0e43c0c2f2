#pragma once

#include "controls/ColorValue.h"

#include <QString>

// The values and rules of the image properties dialog without its window:
// the path, alternative text, size, border width and border colour of the
// selected image or images. The caller fills the fields, runs the dialog,
// and after IDOK reads them back and writes them.
//
// Numbers are -1 when not given (nothing to write). m_crBorder is
// kColorDefault (-1) when the images' border colours differ, kColorNone (-2)
// for no border colour, else the colour; m_bColorChanged tells that the user
// picked one. With m_bMultiple the dialog edits only what several images
// share: the path and the sizes start empty. m_dRatio is width ÷ height,
// -1.0 without one (a height of 0).
class ImagePropertyModel
{
public:
    static constexpr int kSizeMin = 1;
    static constexpr int kSizeMax = 2000;
    static constexpr int kBorderMax = 100;

    // The texts from the values, the ratio, and whether the sizes are kept
    // in proportion.
    void InitTexts();
    // What the border colour picker shows: black for no colour, "no colour"
    // for images whose colours differ.
    platform::ColorRef PickerColor() const;
    // Whether the size boxes and the keep-ratio box may be used.
    bool SizeEnabled() const { return m_bSpecifySize != 0; }
    bool KeepRatioEnabled() const { return m_bSpecifySize != 0 && !m_bMultiple; }
    // Whether the border colour may be chosen for the border box's text (an
    // empty box keeps what it was).
    bool BorderColorEnabled(bool current) const;

    // A size box was edited: with the ratio kept, the other size follows.
    // False when the other size's text was rewritten.
    bool OnHeightEdited();
    bool OnWidthEdited();
    // A size box was left: an empty box shows the last size again (several
    // images: the size stays not given); a size above 2000 becomes 2000 and
    // the other follows by the ratio when there is one.
    void OnHeightLeft();
    void OnWidthLeft();
    // The border box was left: empty is not given, else at most 100.
    void OnBorderLeft();
    void OnColorChosen(platform::ColorRef color);
    // OK: the boxes' leaving rules, then the numbers of their texts (-1 when
    // empty). False, with the message to show, when a single image has no
    // path.
    bool OnOK(platform::ColorRef pickerColor);

    QString m_strAlt;
    QString m_strPath;
    // The size is given (サイズの指定); off: the image shows at its file's size.
    int m_bSpecifySize = 0;
    int m_bKeepRatio = 0;
    QString m_strBorder;
    QString m_strHeight;
    QString m_strWidth;
    int m_nBorder = -1;
    int m_nHeight = -1;
    int m_nWidth = -1;
    bool m_bMultiple = false;
    double m_dRatio = 0.0;
    bool m_bInitialized = false;
    platform::ColorRef m_crBorder = kColorNone;
    bool m_bColorChanged = false;

private:
    bool HasRatio() const { return m_dRatio > 0.0; }
    bool OnSizeEdited(bool height);
    void OnSizeLeft(bool height);
};
