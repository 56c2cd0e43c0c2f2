#pragma once

#include <QDialog>

class QComboBox;

// The zoom dialog: a zoom of the page from 25% to 200%, picked from the list
// or typed ("130%" or "130"). After IDOK the zoom is in m_nZoom, 0 when the
// text is no zoom the page can show.
//
// This form holds the editable list (1003), OK and Cancel; the radios and
// the separate box for a value of the user's come with the dialog's own work.
class VornaDialogPropertyZoom : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 556;

    explicit VornaDialogPropertyZoom(QWidget* parent = nullptr);
    ~VornaDialogPropertyZoom() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    int m_nZoom = 0;

protected:
    void accept() override;

private:
    QComboBox* m_cbZoom = nullptr;
};
