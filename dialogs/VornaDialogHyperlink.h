#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QPushButton;

// The hyperlink dialog: the address of a link, its target frame and whether
// a text link is shown without underline. The caller fills the values before
// DoModal and reads them after IDOK; the dialog itself changes nothing on
// the page.
//
// This form holds only the address box (1005), the target box (1106, with
// "_self", "_blank", "_parent" and "_top"), the underline check box (1474),
// the Delete button (1167, for a link being edited), OK and Cancel; the
// schemes, the address history, the web's page list and the browse button
// come with the dialog's own work.
class VornaDialogHyperlink : public QDialog
{
    Q_OBJECT
public:
    explicit VornaDialogHyperlink(QWidget* parent = nullptr);
    ~VornaDialogHyperlink() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    // In and out: the address; no underline (a text link).
    QString m_strURL;
    int m_bRemoveUnderline = 1;
    // In: whether the link is a text link (the underline choice is offered).
    bool m_bEnableRemoveUnderline = true;
    bool m_bPageInWeb = false;
    int m_nScheme = -1;
    // In: an existing link is edited (its address is m_strURL), and its target.
    bool m_bEditLink = false;
    QString m_strTarget;
    // Out: the user removes the link; the chosen target.
    bool m_bDeleteLink = false;
    QString m_strTargetFrame;

protected:
    void accept() override;

private:
    void OnInitDialog();
    void OnDeleteLink();
    void ReadControls();

    QComboBox* m_cbURL = nullptr;
    QComboBox* m_cbTarget = nullptr;
    QCheckBox* m_chkRemoveUnderline = nullptr;
    QPushButton* m_btnDelete = nullptr;
    // The address the dialog opened with.
    QString m_strOrigURL;
};
