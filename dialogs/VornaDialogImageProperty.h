#pragma once

#include "dialogs/ImagePropertyModel.h"
#include "res/resource.h"

#include <QDialog>

class CColorPickerCB;
class CVornaEdit;
class NumberEdit;
class QCheckBox;
class QPushButton;

// The image properties dialog (318 "画像のプロパティ") of the image
// properties command. The caller fills the model's fields, runs it, and
// after IDOK reads them back and writes them.
class VornaDialogImageProperty : public QDialog, public ImagePropertyModel
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_IMAGE_PROPERTY;

    explicit VornaDialogImageProperty(QWidget* parent = nullptr);
    ~VornaDialogImageProperty() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void UpdateFields();
    void UpdateControls();
    void EnableSize();
    void OnBrowseImage();

    CVornaEdit* m_editPath = nullptr;
    QPushButton* m_btnBrowse = nullptr;
    CVornaEdit* m_editAlt = nullptr;
    QCheckBox* m_chkSpecifySize = nullptr;
    QCheckBox* m_chkKeepRatio = nullptr;
    NumberEdit* m_editWidth = nullptr;
    NumberEdit* m_editHeight = nullptr;
    NumberEdit* m_editBorder = nullptr;
    CColorPickerCB* m_cbBorderColor = nullptr;
    // Set while the dialog writes its boxes, whose changes are not the user's.
    bool m_bWriting = false;
};
