#pragma once

#include "dialogs/ZoomModel.h"

#include <QDialog>

class NumberEdit;
class QComboBox;
class QRadioButton;

// The zoom dialog (556 "ズーム"): a factor of the editable list (1003) under
// the radio "倍率" (1468), or a value of the user's in the number box (1471)
// under the radio "ユーザー定義" (1323); no radio is chosen at first. After
// IDOK the zoom is in m_nZoom, 0 when no radio is chosen or its value is no
// zoom the page can show.
class VornaDialogPropertyZoom : public QDialog, public ZoomModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 556;

    explicit VornaDialogPropertyZoom(QWidget* parent = nullptr);
    ~VornaDialogPropertyZoom() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

protected:
    void accept() override;

private:
    QRadioButton* m_rbFactor = nullptr;
    QRadioButton* m_rbUser = nullptr;
    QComboBox* m_cbZoom = nullptr;
    NumberEdit* m_edUser = nullptr;
};
