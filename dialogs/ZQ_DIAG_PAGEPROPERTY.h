#pragma once

#include "dialogs/PagePropertyModel.h"
#include "res/resource.h"

#include <QDialog>

class CColorPickerCB;
class CVornaComboBox;
class CVornaEdit;
class NumberEdit;
class QCheckBox;
class QPushButton;

// The document properties dialog (131 "ドキュメントのプロパティ") of
// 設定 > ドキュメントのプロパティ and of the page encoding command: the page's
// title, background image, five colours, background sound with its repeat
// count, and its encoding. The caller fills the model's fields, runs it, and
// after IDOK reads them back and writes what changed.
class ZQ_DIAG_PAGEPROPERTY : public QDialog, public PagePropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_PAGE_PROPERTY;

    explicit ZQ_DIAG_PAGEPROPERTY(QWidget* parent = nullptr);
    ~ZQ_DIAG_PAGEPROPERTY() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnInitDialog();
    // The controls into the fields and back.
    void UpdateFields();
    void UpdateControls();
    void OnContinuous();
    void OnBrowseImage();
    void OnBrowseSound();

    CVornaEdit* m_edTitle = nullptr;
    CVornaEdit* m_edBackground = nullptr;
    QPushButton* m_btnImage = nullptr;
    CColorPickerCB* m_cbColors[5] = {};
    CVornaEdit* m_edSound = nullptr;
    QPushButton* m_btnSound = nullptr;
    NumberEdit* m_edRepeat = nullptr;
    QCheckBox* m_chkContinuous = nullptr;
    CVornaComboBox* m_cbEncoding = nullptr;
};
