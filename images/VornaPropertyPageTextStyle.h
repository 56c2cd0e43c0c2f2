#pragma once

#include "platform/ColorRef.h"

#include <QWidget>

class CColorPickerCB;
class NumberEdit;
class QListWidget;
class VornaPropertySheetTextImage;

// The banner maker's "スタイル" page: the three-dimensional text style, the
// rotation and the shadow. Once initialised, every change is written into
// the sheet's banner at once; until the user changes something the banner
// keeps the sheet's defaults.
class VornaPropertyPageTextStyle : public QWidget
{
    Q_OBJECT
public:
    static constexpr int IDD = 658;
    static constexpr platform::ColorRef kDefaultShadowColor = 0x808080;

    explicit VornaPropertyPageTextStyle(VornaPropertySheetTextImage* sheet, QWidget* parent = nullptr);

    void PushToSheet();
    void EnableControls(bool enable);

    int m_nStyle = 11;
    int m_nRotation = 0;
    int m_nShadowX = 3;
    int m_nShadowY = 3;
    bool m_bInitialised = false;

protected:
    // Shown while canvas-size mode lasts: every control disabled.
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void ReadControls();
    void EnableByStyle();
    // A typed offset or rotation: pulled into its range and written back.
    void OnNumberChanged(NumberEdit* edit);

    VornaPropertySheetTextImage* m_pSheet;
    QListWidget* m_lbStyle = nullptr;
    NumberEdit* m_edRotation = nullptr;
    CColorPickerCB* m_cpShadow = nullptr;
    NumberEdit* m_edShadowX = nullptr;
    NumberEdit* m_edShadowY = nullptr;
};
