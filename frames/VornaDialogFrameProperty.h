#pragma once

#include "frames/FramePropertyModel.h"

#include <QDialog>

class CVornaComboBox;
class CVornaEdit;
class NumberEdit;
class QCheckBox;
class QPushButton;

// The frame properties dialog: the page a frame shows (with 参照 to choose
// one), the frame's name, its size in its parent's list as a width and a
// height with their units, scrolling and resizing. The caller fills the
// model's values before DoModal and reads them after IDOK.
class VornaDialogFrameProperty : public QDialog, public FramePropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 503;

    explicit VornaDialogFrameProperty(QWidget* parent = nullptr);
    ~VornaDialogFrameProperty() override;

    // IDOK (1) or IDCANCEL (2).
    int DoModal();

    // Fills the lists and shows the values.
    void OnInitDialog();
    // 参照: an HTML file that is no frameset page goes into the path field.
    void OnBrowse();
    // Takes the values from the controls, or shows them in the controls.
    void ReadControls();
    void ShowValues();

protected:
    void accept() override;

private:
    void OnUnitChanged(bool width);
    void FillUnits(CVornaComboBox* list, int unit);

    CVornaEdit* m_edPath = nullptr;
    CVornaEdit* m_edName = nullptr;
    NumberEdit* m_edWidth = nullptr;
    NumberEdit* m_edHeight = nullptr;
    CVornaComboBox* m_cbWidthUnit = nullptr;
    CVornaComboBox* m_cbHeightUnit = nullptr;
    CVornaComboBox* m_cbScrolling = nullptr;
    QCheckBox* m_chkResize = nullptr;
    QPushButton* m_btnBrowse = nullptr;
};
