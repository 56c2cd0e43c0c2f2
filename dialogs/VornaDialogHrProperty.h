#pragma once

#include "dialogs/HrPropertyModel.h"
#include "res/resource.h"

#include <QDialog>

class CColorPickerCB;
class NumberEdit;
class QCheckBox;
class QRadioButton;

// The horizontal rule dialog (555 "罫線のプロパティ") of the rule properties
// command. The caller fills the model's fields, runs it, and after IDOK
// writes each value whose changed flag is set.
class VornaDialogHrProperty : public QDialog, public HrPropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_HR_PROPERTY;

    explicit VornaDialogHrProperty(QWidget* parent = nullptr);
    ~VornaDialogHrProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    void accept() override;

private:
    void OnInitDialog();
    void UpdateControls();
    void OnUnit(int unit);

    NumberEdit* m_edWidth = nullptr;
    NumberEdit* m_edHeight = nullptr;
    QRadioButton* m_rbPercent = nullptr;
    QRadioButton* m_rbPixels = nullptr;
    CColorPickerCB* m_cbColor = nullptr;
    QCheckBox* m_chkNoShade = nullptr;
    // Set while the dialog writes its boxes, whose changes are not the user's.
    bool m_bWriting = false;
};
