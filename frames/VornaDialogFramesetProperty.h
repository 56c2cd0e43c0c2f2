#pragma once

#include "frames/FramesetPropertyModel.h"

#include <QDialog>

class CVornaComboBox;
class CVornaEdit;
class NumberEdit;

// The frameset properties dialog: the frameset page's path (read-only), its
// title, the spacing between its frames, whether they have borders and the
// page's encoding. The caller fills the model's values before DoModal and
// reads them after IDOK.
class VornaDialogFramesetProperty : public QDialog, public FramesetPropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 505;

    explicit VornaDialogFramesetProperty(QWidget* parent = nullptr);
    ~VornaDialogFramesetProperty() override;

    // IDOK (1) or IDCANCEL (2).
    int DoModal();
    // Fills the lists and shows the values.
    void OnInitDialog();
    void ReadControls();
    void ShowValues();

protected:
    void accept() override;

private:
    CVornaEdit* m_edPath = nullptr;
    CVornaEdit* m_edTitle = nullptr;
    NumberEdit* m_edSpacing = nullptr;
    CVornaComboBox* m_cbBorder = nullptr;
    CVornaComboBox* m_cbEncoding = nullptr;
};
