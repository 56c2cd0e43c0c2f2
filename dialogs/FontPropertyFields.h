#pragma once

#include "controls/ColorValue.h"

#include <QString>
#include <QStringList>

// The values and rules of the Font dialog without its window.
//
// Values: m_strFace empty for several faces, "Default" for the page's own,
// else a face name; m_nSize -100 for several sizes, 0 for the default size,
// else 1 to 7; m_crText and m_crBack kColorNone (-2) for several colours,
// kColorDefault (-1) for the default colour. A change flag is set only when
// the user touched that attribute.
class FontPropertyFields
{
public:
    static constexpr int kNoSize = -100;

    // "(デフォルト)" followed by the faces in the locale's collation order.
    static QStringList FaceItems(const QStringList& faces, const QString& defaultText);
    // "(デフォルト)" and the seven HTML sizes with their points.
    static QStringList SizeItems(const QString& defaultText);

    // The face item to select for m_strFace (-1 for none): "Default" selects
    // the default entry, any other face the first entry equal to it without
    // regard to case. A face not in the list selects nothing, so that OK
    // drops it. Without faces of the machine the default entry is selected.
    int SelectFace(const QStringList& items, bool machineHasFaces) const;
    // The size item to select (-1 for none); a size outside 0 to 7 becomes
    // "several sizes".
    int SelectSize();

    // What OK reads back from the two boxes.
    void TakeFace(int index, const QString& text);
    void TakeSize(int index);

    // "デフォルト": the page's defaults for everything, every flag set.
    void ResetToDefaults();

    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;
    QString m_strFace;
    int m_nSize = kNoSize;
    platform::ColorRef m_crText = kColorNone;
    platform::ColorRef m_crBack = kColorNone;
    platform::ColorRef m_crTextDefault = platform::rgb(0, 0, 0);
    platform::ColorRef m_crBackDefault = platform::rgb(255, 255, 255);
    bool m_bBoldChanged = false;
    bool m_bItalicChanged = false;
    bool m_bUnderlineChanged = false;
    bool m_bFaceChanged = false;
    bool m_bSizeChanged = false;
    bool m_bTextColorChanged = false;
    bool m_bBackColorChanged = false;
    bool m_bBackEnabled = true;
};
