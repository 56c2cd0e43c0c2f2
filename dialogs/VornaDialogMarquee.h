#pragma once

#include "dialogs/MarqueeModel.h"
#include "res/resource.h"

#include <QDialog>

class CColorPickerCB;
class CVornaComboBox;
class NumberEdit;
class QCheckBox;
class QRadioButton;

// The marquee dialog (662 "マーキー") of the marquee properties command. The
// caller fills the model's fields, runs it, and after IDOK writes each value
// whose changed flag is set.
class VornaDialogMarquee : public QDialog, public MarqueeModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_MARQUEE;

    explicit VornaDialogMarquee(QWidget* parent = nullptr);
    ~VornaDialogMarquee() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    // The controls into the fields (the units stay: only their radios'
    // handlers change them) and back.
    void UpdateFields();
    void UpdateControls();
    void OnUnit(Box box, int unit);

    CVornaComboBox* m_cbDirection = nullptr;
    CVornaComboBox* m_cbBehavior = nullptr;
    QCheckBox* m_chkWidth = nullptr;
    QCheckBox* m_chkHeight = nullptr;
    QCheckBox* m_chkContinuous = nullptr;
    // Width, height, amount, delay, loop.
    NumberEdit* m_edBoxes[5] = {};
    QRadioButton* m_rbWidthPercent = nullptr;
    QRadioButton* m_rbWidthPixels = nullptr;
    QRadioButton* m_rbHeightPercent = nullptr;
    QRadioButton* m_rbHeightPixels = nullptr;
    CColorPickerCB* m_cbColor = nullptr;
    bool m_bContinuousEnabled = true;
};
