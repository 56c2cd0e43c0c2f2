#pragma once

#include "dialogs/PageSizeModel.h"

#include <QDialog>

class NumberEdit;
class QComboBox;
class QRadioButton;

// The page size dialog (551 "ページサイズ"): the size of the page-size guide,
// one of three screen resolutions (1473 with the list 1469) or a width (1064)
// and height (1065) of the user's own (1323), each 0 to 9999. The caller sets
// m_size before DoModal ((0, 0): none, the dialog proposes 800 x 600) and
// reads it after IDOK.
class VornaDialogPageSize : public QDialog, public PageSizeModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 551;

    explicit VornaDialogPageSize(QWidget* parent = nullptr);
    ~VornaDialogPageSize() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

protected:
    void accept() override;

private:
    void OnInitDialog();
    // The fields into the controls (false) or the controls into the fields (true).
    void UpdateData(bool save);
    void EnableControls();
    void OnModeClicked();

    QRadioButton* m_rbResolution = nullptr;
    QRadioButton* m_rbUser = nullptr;
    QComboBox* m_cbResolution = nullptr;
    NumberEdit* m_edWidth = nullptr;
    NumberEdit* m_edHeight = nullptr;
};
