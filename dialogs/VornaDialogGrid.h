#pragma once

#include <QDialog>
#include <QString>

class NumberEdit;
class QComboBox;

// The grid settings dialog: the kind of the layout grid (なし, 点, 線, 点線:
// 0 to 3) and its spacing in pixels (3 to 100). The caller sets both before
// DoModal and reads them after IDOK; the spacing comes back as its text.
//
// This form holds the kind list (1005), the spacing box (1001), OK and
// Cancel; the message about a spacing out of range comes with the dialog's
// own work.
class VornaDialogGrid : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 457;

    explicit VornaDialogGrid(QWidget* parent = nullptr);
    ~VornaDialogGrid() override;

    void SetInitialValues(int kind, int spacing);
    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    int m_nKind = 0;
    QString m_strSpacing;

protected:
    void accept() override;

private:
    QComboBox* m_cbKind = nullptr;
    NumberEdit* m_edSpacing = nullptr;
};
