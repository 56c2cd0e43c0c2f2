#pragma once

#include "dialogs/TableCellPropertyModel.h"
#include "res/resource.h"

#include <QDialog>
#include <QString>

class CColorPickerCB;
class CVornaComboBox;
class NumberEdit;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// The cell dialog (132 "セルのプロパティ") of 表 > セルのプロパティ: the caller
// fills the fields from the cell, runs it, and after IDOK writes them back.
// The fields follow the controls as the user works.
class VornaDialogTableCellProperty : public QDialog, public TableCellPropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_TABLE_CELL_PROPERTY;

    explicit VornaDialogTableCellProperty(QWidget* parent = nullptr);
    ~VornaDialogTableCellProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    // 参照: a picture chosen in the insert-image dialog, opened at the
    // wallpaper folder, becomes the background image.
    void OnBrowse();

private:
    NumberEdit* AddNumber(Box box, int id);
    void ShowFields();

    NumberEdit* m_pWidth = nullptr;
    NumberEdit* m_pHeight = nullptr;
    QRadioButton* m_pWidthPercent = nullptr;
    QRadioButton* m_pWidthPixels = nullptr;
    QRadioButton* m_pHeightPercent = nullptr;
    QRadioButton* m_pHeightPixels = nullptr;
    CVornaComboBox* m_pHAlign = nullptr;
    CVornaComboBox* m_pVAlign = nullptr;
    QCheckBox* m_pNoWrap = nullptr;
    CColorPickerCB* m_pBorderColor = nullptr;
    CColorPickerCB* m_pBackgroundColor = nullptr;
    QLineEdit* m_pBackground = nullptr;
    bool m_bShowing = false;
};
