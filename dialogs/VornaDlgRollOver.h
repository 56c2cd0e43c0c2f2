#pragma once

#include "dialogs/RollOverDialogModel.h"

#include <QDialog>
#include <QString>

class CVornaEdit;
class QPushButton;
class QWidget;
class VornaHTMLViewer;
class VornaImageButton;

// The roll-over image dialog (129 "ロールオーバーイメージ"): the base picture,
// the picture shown while the mouse is over it and the link around it, with a
// live preview that swaps the pictures as the page will. It starts with only
// the base picture; a valid base picture unlocks the roll-over picture, and a
// valid roll-over picture the link and OK. The caller fills the values (and
// m_bEdit for an existing roll-over image) before DoModal and reads them
// after IDOK; the page is not written here.
class VornaDlgRollOver : public QDialog, public RollOverDialogModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 129;
    static constexpr int kRemoveButtonId = 4;
    static constexpr int kImageBoxId = 1003;
    static constexpr int kImageBrowseId = 1004;
    static constexpr int kRollBoxId = 1005;
    static constexpr int kRollBrowseId = 1006;
    static constexpr int kLinkButtonId = 1008;
    static constexpr int kPreviewFrameId = 1125;
    static constexpr int kLinkBoxId = 1387;

    explicit VornaDlgRollOver(QWidget* parent = nullptr);
    ~VornaDlgRollOver() override;

    int DoModal();

    // The handlers, for the controls and for tests.
    void OnBrowseImage();
    void OnBrowseRollImage();
    void OnChangeImage();
    void OnChangeRollImage();
    void OnHyperlink();
    void OnRemoveRollOver();
    void OnOK();

    // The link as the page writes it: without the quotes the box shows.
    QString LinkAddress() const;

    // The IMG attributes of the roll-over image: its size, and with a
    // roll-over picture its name and the two script calls.
    QString BuildRollOverAttributes() const;
    // The preview page as it was last handed to the viewer.
    const QString& previewHtml() const { return m_strPreviewHtml; }
    VornaHTMLViewer* preview() const { return m_pPreview; }

protected:
    // Enter presses the focused button (push buttons of a dialog are its
    // default while they have the focus); with the focus elsewhere, OK.
    void accept() override { OnOK(); }

private:
    void CreateControls();
    void OnInitDialog();
    void UpdatePreview();
    QSize GetPreviewImageSize() const;
    // The element name of the image: its own when edited, else a new one.
    QString RollOverName() const;
    // The rules' enabled states into the controls.
    void ApplyControls();
    void WriteControls();
    void ReadControls();
    // The picture chosen in the image dialog, empty when it was cancelled.
    QString BrowseForImage();

    CVornaEdit* m_editLink = nullptr;
    CVornaEdit* m_editRollImage = nullptr;
    CVornaEdit* m_editImage = nullptr;
    QPushButton* m_btnRemove = nullptr;
    VornaImageButton* m_btnLink = nullptr;
    VornaImageButton* m_btnBrowseRoll = nullptr;
    VornaImageButton* m_btnBrowseImage = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnOK = nullptr;
    QWidget* m_stPreview = nullptr;
    VornaHTMLViewer* m_pPreview = nullptr;
    QString m_strPreviewHtml;
    // The dialog writes its boxes: their change handlers stay silent.
    bool m_bWriting = false;
};
