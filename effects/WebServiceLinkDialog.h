#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// What the bulletin-board and guest-book dialogs share: the address of the
// link to the service's page, its target frame, the underline choice and the
// removal of the link being edited. The caller fills the values before
// DoModal and reads them after IDOK; the dialog changes nothing on the page.
//
// This form holds the address box (1217), the target box (1106, with
// "_self", "_blank", "_parent" and "_top"), the underline check box (1474),
// the Delete button (1167, for a link being edited), OK and Cancel: an
// address is typed. The style pictures and the service account come with the
// dialogs' own work.
class WebServiceLinkDialog : public QDialog
{
    Q_OBJECT
public:
    ~WebServiceLinkDialog() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    // In: the pattern of the style files ("*.brd", "*.vst"); whether the link
    // is a text link (the underline choice is offered); the target of the
    // link being edited; an existing link is edited.
    QString m_strStyleFilter;
    bool m_bEnableRemoveUnderline = true;
    QString m_strTarget;
    bool m_bEditLink = false;
    // In: the address shown. In and out: the address of the link.
    QString m_strURL;
    QString m_strResultURL;
    // In and out: no underline.
    int m_bRemoveUnderline = 1;
    // Out: the chosen target; the user removes the link.
    QString m_strTargetFrame;
    bool m_bDeleteLink = false;

protected:
    WebServiceLinkDialog(int dialogId, int captionId, QWidget* parent);
    void accept() override;

private:
    void OnInitDialog();
    void OnDelete();
    void ReadControls();

    int m_nDialogId;
    QLineEdit* m_editURL = nullptr;
    QComboBox* m_cbTarget = nullptr;
    QCheckBox* m_chkRemoveUnderline = nullptr;
    QPushButton* m_btnDelete = nullptr;
};
