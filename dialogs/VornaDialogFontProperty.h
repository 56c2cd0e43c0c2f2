#pragma once

#include "controls/ColorValue.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

// The Font dialog (532 "フォント") of 設定 > フォント: the caller sets the
// selection's face, size, styles and colours, runs it, and after IDOK
// applies the values whose change flag is set.
//
// Values: m_strFace empty for several faces, "Default" for the page's own,
// else a face name; m_nSize -100 for several sizes, 0 for the default size,
// else 1 to 7; m_crText and m_crBack kColorNone (-2) for several colours,
// kColorDefault (-1) for the default colour.
//
// Until the dialog's own controls come, it shows its OK and Cancel buttons
// only: OK hands the values back unchanged with no change flag set, so the
// page is left as it is.
class VornaDialogFontProperty : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_FONT_PROPERTY;

    explicit VornaDialogFontProperty(QWidget* parent = nullptr);
    ~VornaDialogFontProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;
    QString m_strFace;
    int m_nSize = -100;
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
