#pragma once

#include <QDialog>
#include <QSize>

class NumberEdit;
class QComboBox;
class QRadioButton;

// The page size dialog: the size of the page-size guide, one of three screen
// resolutions or a width and height of the user's own (0 to 9999). The
// caller sets the size before DoModal (0 x 0: none, the dialog proposes
// 800 x 600) and reads it after IDOK.
//
// This form holds the resolution radio (1473) with its list (1469), the
// user radio (1323) with the width (1064) and height (1065) boxes, OK and
// Cancel; the dialog's own work brings its spins and the checks on leaving a
// box.
class VornaDialogPageSize : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 551;

    explicit VornaDialogPageSize(QWidget* parent = nullptr);
    ~VornaDialogPageSize() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    QSize m_size{800, 600};

protected:
    void accept() override;

private:
    void OnInitDialog();
    void EnableControls();

    QRadioButton* m_rbResolution = nullptr;
    QRadioButton* m_rbUser = nullptr;
    QComboBox* m_cbResolution = nullptr;
    NumberEdit* m_edWidth = nullptr;
    NumberEdit* m_edHeight = nullptr;
};
