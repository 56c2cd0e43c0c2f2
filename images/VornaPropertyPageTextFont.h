#pragma once

#include "platform/ColorRef.h"

#include <QString>
#include <QWidget>

class CColorPickerCB;
class CVornaComboBox;
class CVornaEdit;
class QCheckBox;
class QPushButton;
class VornaPropertySheetTextImage;

// The banner maker's "一般" page: the text, the background picture, the font
// and the colours. Every change is written into the sheet's banner at once.
class VornaPropertyPageTextFont : public QWidget
{
    Q_OBJECT
public:
    static constexpr int IDD = 657;
    static constexpr platform::ColorRef kDefaultTextColor = 0xCBFBBA;
    static constexpr platform::ColorRef kDefaultBorderColor = 0x000000;

    explicit VornaPropertyPageTextFont(VornaPropertySheetTextImage* sheet, QWidget* parent = nullptr);

    // Writes the page's values into the sheet's banner and recomposes it.
    void PushToSheet();
    void EnableControls(bool enable);
    // Shows a picture path the caller gave the sheet.
    void SetPicturePath(const QString& path);

    QString m_strText;
    QString m_strPicturePath;
    int m_nSize = 18;
    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;

private:
    void OnInitDialog();
    void ReadControls();
    void OnPictureTyped();
    void OnBrowse();

    VornaPropertySheetTextImage* m_pSheet;
    CVornaEdit* m_edText = nullptr;
    CVornaEdit* m_edPicture = nullptr;
    QPushButton* m_btnBrowse = nullptr;
    CVornaComboBox* m_cbFace = nullptr;
    CVornaComboBox* m_cbSize = nullptr;
    CColorPickerCB* m_cpText = nullptr;
    CColorPickerCB* m_cpBorder = nullptr;
    QCheckBox* m_chkBold = nullptr;
    QCheckBox* m_chkItalic = nullptr;
    QCheckBox* m_chkUnderline = nullptr;
};

// A picked colour as the banner takes it: the default for the picker's
// default, and 0xBDBDBD as 0xC0C0C0.
platform::ColorRef BannerColorOfPicker(platform::ColorRef picked, platform::ColorRef fallback);
// The font's pixel height for a size in points at the resolution, rounded;
// 0 leaves the height to the font's default.
int BannerFontPixels(int points, int dotsPerInch);
