#pragma once

#include "dialogs/GridModel.h"

#include <QDialog>

class NumberEdit;
class QComboBox;

// The grid settings dialog (457 "グリッド設定"): the kind of the layout grid
// (1005) and its spacing in pixels (1001, 3 to 100). The caller sets both
// with SetInitialValues before DoModal and after IDOK reads m_nKind and the
// spacing's text m_strSpacing. A spacing outside its limits is named in a
// message and replaced by the limit; the dialog stays open.
class VornaDialogGrid : public QDialog, public GridModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 457;

    explicit VornaDialogGrid(QWidget* parent = nullptr);
    ~VornaDialogGrid() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

protected:
    void accept() override;

private:
    QComboBox* m_cbKind = nullptr;
    NumberEdit* m_edSpacing = nullptr;
};
