#pragma once

#include "dialogs/FontPropertyFields.h"
#include "res/resource.h"

#include <QDialog>

class CColorPickerCB;
class QCheckBox;
class SimpleComboBox;

// The Font dialog (532 "フォント") of 設定 > フォント: the caller sets the
// selection's face, size, styles and colours (FontPropertyFields), runs it,
// and after IDOK applies the values whose change flag is set.
class VornaDialogFontProperty : public QDialog, public FontPropertyFields
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_FONT_PROPERTY;

    explicit VornaDialogFontProperty(QWidget* parent = nullptr);
    ~VornaDialogFontProperty() override;

    // Fills the controls from the values and runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    // Puts the values into the controls (done by DoModal).
    void OnInitDialog();
    // "デフォルト".
    void OnDefault();
    // OK: the boxes' choices read back, then IDOK.
    void OnOK();

    SimpleComboBox* m_cbFace = nullptr;
    SimpleComboBox* m_cbSize = nullptr;
    CColorPickerCB* m_cpBack = nullptr;
    CColorPickerCB* m_cpText = nullptr;
    QCheckBox* m_chkBold = nullptr;
    QCheckBox* m_chkItalic = nullptr;
    QCheckBox* m_chkUnderline = nullptr;

private:
    void putChecks();
    void readChecks();
};
