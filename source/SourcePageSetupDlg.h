#pragma once

#include "source/SourcePageSetupModel.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

// The page-setup dialog of the source view: the four margins in millimetres
// (paper and orientation are the printer's). OK copies them into the model.
class SourcePageSetupDlg : public QDialog
{
    Q_OBJECT
public:
    // Margin fields, with the ids of the page-setup dialog's edits.
    enum : int { IDC_MARGIN_LEFT = 1155, IDC_MARGIN_TOP = 1156, IDC_MARGIN_RIGHT = 1157, IDC_MARGIN_BOTTOM = 1158 };

    SourcePageSetupDlg(SourcePageSetupModel& model, QWidget* parent = nullptr);

    // Runs the dialog modally; IDOK or IDCANCEL.
    int Run();

    void accept() override;
    void reject() override;

private:
    void UpdateButtons();

    SourcePageSetupModel& m_model;
    std::array<QLineEdit*, 4> m_pMargins{};
    QPushButton* m_pOk = nullptr;
};
