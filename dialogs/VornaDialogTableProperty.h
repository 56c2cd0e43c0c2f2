#pragma once

#include "dialogs/TablePropertyModel.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

class CColorPickerCB;
class NumberEdit;
class QLineEdit;
class QRadioButton;

// The table dialog (130 "表のプロパティ") of 表 > 表の挿入 and 表 > 表のプロパティ:
// the caller fills the fields, runs it, and after IDOK reads them back and
// writes the table. The fields follow the controls as the user works, so a
// caller (or a test) may also set them while the dialog runs.
class VornaDialogTableProperty : public QDialog, public TablePropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_TABLE_PROPERTY;

    explicit VornaDialogTableProperty(QWidget* parent = nullptr);
    ~VornaDialogTableProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    // 参照: a picture chosen in the insert-image dialog, opened at the
    // wallpaper folder, becomes the background image.
    void OnBrowse();

private:
    NumberEdit* AddNumber(Box box, int id);
    void ShowFields();

    NumberEdit* m_pNumbers[7] = {};
    QRadioButton* m_pWidthPercent = nullptr;
    QRadioButton* m_pWidthPixels = nullptr;
    QRadioButton* m_pHeightPercent = nullptr;
    QRadioButton* m_pHeightPixels = nullptr;
    QRadioButton* m_pCaptionTop = nullptr;
    QRadioButton* m_pCaptionBottom = nullptr;
    QLineEdit* m_pCaption = nullptr;
    QLineEdit* m_pBackground = nullptr;
    CColorPickerCB* m_pBorderColor = nullptr;
    CColorPickerCB* m_pBackgroundColor = nullptr;
    bool m_bShowing = false;
};
